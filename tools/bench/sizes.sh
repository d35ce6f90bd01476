#!/usr/bin/env bash
# Sizes of the shipped exes for both architectures, next to the size
# baseline (tools/bench/baseline.cpp: a minimal static C++ Win32 program
# built with the same toolchain, options and stripping), and of the ZIPs.
# Target: veskal.exe at most 1.2 times the baseline.
#
# Usage: tools/bench/sizes.sh
#   WIN64_BUILD, WIN32_BUILD  Release build directories (default build/win64
#                             and build/win32, those of tools/test.sh)
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
WIN64_BUILD=${WIN64_BUILD:-$ROOT/build/win64}
WIN32_BUILD=${WIN32_BUILD:-$ROOT/build/win32}
TARGET=1.2

# build DIR TOOLCHAIN: configures for Release and builds what is measured.
build() {
    cmake -S "$ROOT" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$2.cmake" >/dev/null
    ninja -C "$1" veskal size_baseline $(ninja -C "$1" -t targets all | grep -q '^config.exe:' && echo config) >/dev/null
    (cd "$1" && cpack -G ZIP -B "$1/package-size" >/dev/null)
}

build "$WIN64_BUILD" mingw-w64-x86_64
build "$WIN32_BUILD" mingw-w64-i686

echo "exe sizes: Release, stripped, static C++ runtime; baseline = tools/bench/baseline.cpp built the same way"
printf "%-6s %-26s %10s %10s %7s  %s\n" arch file bytes baseline ratio "target (veskal.exe <= ${TARGET}x)"
for entry in "win64:$WIN64_BUILD" "win32:$WIN32_BUILD"; do
    arch=${entry%%:*}
    dir=${entry#*:}
    base=$(stat -c %s "$dir/size_baseline.exe")
    printf "%-6s %-26s %10d %10s %7s\n" "$arch" size_baseline.exe "$base" "" ""
    for exe in veskal.exe config.exe; do
        [[ -f $dir/$exe ]] || continue
        size=$(stat -c %s "$dir/$exe")
        ratio=$(awk -v a="$size" -v b="$base" 'BEGIN { printf "%.3f", a / b }')
        verdict=""
        if [[ $exe == veskal.exe ]]; then
            verdict=$(awk -v r="$ratio" -v t="$TARGET" 'BEGIN { print (r <= t) ? "met" : "MISSED" }')
        fi
        printf "%-6s %-26s %10d %10d %7s  %s\n" "$arch" "$exe" "$size" "$base" "$ratio" "$verdict"
    done
    for zip in "$dir"/package-size/*.zip; do
        printf "%-6s %-26s %10d\n" "$arch" "$(basename "$zip")" "$(stat -c %s "$zip")"
    done
done
