#!/usr/bin/env bash
# Instructions per idle poll tick and per drag step on the stand-in, counted
# with callgrind on a RelWithDebInfo host build and split into our own code
# (functions defined in the product sources, with whatever is inlined into
# them) and everything else (the stand-in, its call log, the C and C++
# libraries); the time and memory to apply settings messages of 1 MiB and
# 16 MiB; then, unless --no-wall, the wall-time benchmark.
#
# Usage: tools/bench/host.sh [--no-wall]
#   BUILD  build directory (default build/bench)
#   N      calls measured per figure (default 1000)
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
BUILD=${BUILD:-$ROOT/build/bench}
N=${N:-1000}
WALL=1
[[ ${1:-} == --no-wall ]] && WALL=0

command -v valgrind >/dev/null || { echo "valgrind is missing: tools/install-deps.sh installs it" >&2; exit 1; }
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C "$BUILD" poll_bench message_bench >/dev/null
BENCH=$BUILD/tools/bench/poll_bench
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# Strong definitions only (weak ones are template copies of library code),
# and none whose name is in std: local clones of library templates.
nm -C --defined-only "$BUILD/libveskal_core.a" | sed -n 's/^[0-9a-f]* [Tt] //p' |
    awk '{ name = $0; sub(/\(.*/, "", name) } name !~ /std::/' | sort -u >"$WORK/own"

# measure LABEL FUNCTION FILTER: collects only while FUNCTION runs, over the
# N timed calls of the benchmark FILTER; prints own and other Ir per call.
measure() {
    local label=$1 function=$2 filter=$3 out
    out="$WORK/callgrind.$(echo "$filter" | tr -c 'A-Za-z0-9' _)"
    VESKAL_BENCH_ITERATIONS=$N valgrind --tool=callgrind --callgrind-out-file="$out" \
        --toggle-collect="$function" "$BENCH" --benchmark_filter="$filter" >/dev/null 2>&1
    callgrind_annotate --auto=no --threshold=100 "$out" |
        awk -v ownList="$WORK/own" -v n="$N" -v label="$label" '
            BEGIN { while ((getline f < ownList) > 0) own[f] = 1 }
            /^ *[0-9][0-9,]* \(/ {
                ir = $1; gsub(",", "", ir)
                rest = $0; sub(/^ *[0-9,]+ \( *[0-9.]+%\) +/, "", rest)
                if (rest == "PROGRAM TOTALS") { total = ir; next }
                sub(/ \[[^]]*\]$/, "", rest)  # the object file
                fn = substr(rest, index(rest, ":") + 1)
                if (fn in own) mine += ir
            }
            END { printf "%-32s %10.1f %12.1f %12.1f\n", label, mine / n, (total - mine) / n, total / n }'
}

printf "%-32s %10s %12s %12s   (Ir per call, %s calls)\n" "" own other total "$N"
measure "idle tick (PollTick)" "PollTick(*" '^IdleTick(/|$)'
for windows in 10 100 1000; do
    measure "shift plan, $windows windows (PlanShift)" "PlanShift(*" "^DragTick/$windows(/|\$)"
done
# The map's cost: its layout over 100 windows, against the plan of the same pass (target: 1.2 times at most).
measure "map layout, 100 windows (LayOutMap)" "LayOutMap(*" '^DragTickWithMap/100(/|$)'

echo
# A settings message of blanks is the longest chord a sender can make.
for mib in 1 16; do "$BUILD/tools/bench/message_bench" "$mib"; done

if ((WALL)); then
    echo
    "$BENCH"
fi
