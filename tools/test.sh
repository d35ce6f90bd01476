#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test:
# the core's tables on the host (plain and under ASan+UBSan) and its fuzzers,
# and the Windows builds with their checks and the Wine suite (all of it on
# the 64-bit build, its core rows on the 32-bit one).
set -u
cd "$(dirname "$0")/.."
ROOT=$PWD
JOBS=$(nproc)

"$ROOT/tools/install-deps.sh" || { echo "total: 0 passed, 1 failed"; exit 1; }

passed=0
failed=0
skipped=0
declare -a failures=()

# run_ctest NAME BUILD_DIR [ctest args...]
run_ctest() {
    local name=$1 dir=$2
    shift 2
    echo "==== $name: ctest"
    local log="$dir/ctest.log"
    (cd "$dir" && ctest --output-on-failure -j"$JOBS" "$@") 2>&1 | tee "$log"
    local summary
    summary=$(grep -E "tests passed, [0-9]+ tests failed out of [0-9]+|No tests were found" "$log" | tail -1)
    if [[ $summary =~ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
        local f=${BASH_REMATCH[1]} t=${BASH_REMATCH[2]}
        # A test that cannot run on this machine says so, and counts as skipped.
        local s=$(grep -c "Test *#[0-9]*: .*\*\*\*Skipped" "$log")
        t=$((t - s))
        skipped=$((skipped + s))
        # The Wine suite is one ctest test: count its rows instead.
        local gtest=$dir/tests/wine/work/run/gtest.log rows
        if grep -q "Test *#[0-9]*: wine .*Passed\|Test *#[0-9]*: wine .*Failed" "$log" && [[ -f $gtest ]]; then
            rows=$(grep -c '^\[       OK \]' "$gtest")
            local bad=$(grep -c '^\[  FAILED  \] [A-Za-z]*\.[A-Za-z]* (' "$gtest")
            local wineFailed=$(grep -c "Test *#[0-9]*: wine .*Failed" "$log")
            ((wineFailed == 0 || bad > 0)) || bad=1  # it failed before or beside its rows
            t=$((t - 1 + rows + bad))
            f=$((f - wineFailed + bad))
        fi
        passed=$((passed + t - f))
        failed=$((failed + f))
        [[ $f -eq 0 ]] || failures+=("$name")
    else
        failed=$((failed + 1))
        failures+=("$name (no tests ran)")
    fi
}

# build NAME BUILD_DIR [cmake args...]
build() {
    local name=$1 dir=$2
    shift 2
    echo "==== $name: build"
    if cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >"$dir.configure.log" 2>&1 && ninja -C "$dir"; then
        return 0
    fi
    cat "$dir.configure.log"
    failed=$((failed + 1))
    failures+=("$name (build)")
    return 1
}

mkdir -p build
build host build/host -DCMAKE_BUILD_TYPE=RelWithDebInfo && run_ctest host build/host
build asan build/asan -DCMAKE_BUILD_TYPE=Debug -DVESKAL_SANITIZE=ON && run_ctest asan build/asan -LE "bench|fuzz"
# libFuzzer targets, a bounded run each (FUZZ_SECONDS, default 10).
build fuzz build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DFUZZ_SECONDS="${FUZZ_SECONDS:-10}" &&
    run_ctest fuzz build/fuzz -L fuzz
build win64 build/win64 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" &&
    run_ctest win64 build/win64
build win32 build/win32 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-i686.cmake" &&
    run_ctest win32 build/win32

if ((${#failures[@]})); then
    echo "failed: ${failures[*]}"
fi
if ((skipped)); then
    echo "total: $passed passed, $failed failed, $skipped skipped"
else
    echo "total: $passed passed, $failed failed"
fi
[[ $failed -eq 0 ]]
