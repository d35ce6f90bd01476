#!/usr/bin/env bash
# Every benchmark figure in one run, each part with its targets: the exe
# sizes against a minimal program built the same way (tools/bench/sizes.sh),
# the instructions of an idle poll tick and of drag steps on the host under
# callgrind (tools/bench/host.sh), and the idle cost, chord and drag latency under
# Wine (tools/bench/wine.sh). Reports, not tests: a missed target is printed,
# and only a part that cannot run makes the exit code non-zero.
#
# Usage: tools/bench.sh   (the variables of the three scripts apply)
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

failed=()
part() {
    local title=$1
    shift
    echo "== $title ($*)"
    "$@" || failed+=("$*")
    echo
}

part "Exe sizes" tools/bench/sizes.sh
part "Instructions per call on the host" tools/bench/host.sh --no-wall
part "Idle cost, chord and drag latency under Wine" tools/bench/wine.sh

if ((${#failed[@]})); then
    echo "bench: these parts did not run to the end: ${failed[*]}" >&2
    exit 1
fi
