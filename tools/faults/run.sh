#!/usr/bin/env bash
# Breaks the product on purpose, one fault at a time, and checks that the
# host suite notices each break.
#
#   tools/faults/run.sh [--list FILE] [--scratch DIR] [ID...]
#
# The work tree is copied once to a scratch directory (a new one under
# /tmp, or DIR: empty, or emptied if an earlier run made it) and built there
# once, clean. Then, for each fault of the list (tools/faults/faults.txt, or
# only the IDs named): the fault is applied to the copy, the build is brought
# up to date, the host tests are run, and the file is put back.
#
# A fault is "caught" when the build or a test fails ("caught (build)" marks
# a fault that does not compile: rewrite it so that it does), "NOT caught"
# when everything passes, and "stale" when its text is not found exactly once
# (the code has moved on; re-target the entry by hand). Build and test logs
# stay in the scratch directory. Exits 1 unless every fault run was caught.
set -u
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(git -C "$HERE" rev-parse --show-toplevel) || exit 2
LIST=$HERE/faults.txt SCRATCH= WANT=()
while (($#)); do
    case $1 in
    --list) LIST=$(realpath "$2"); shift 2 ;;
    --scratch) SCRATCH=$2; shift 2 ;;
    -h | --help) sed -n '2,/^set/{/^#/s/^# \{0,1\}//p}' "$0"; exit 0 ;;
    *) WANT+=("$1"); shift ;;
    esac
done
[[ -r $LIST ]] || { echo "no fault list: $LIST" >&2; exit 2; }
if [[ -z $SCRATCH ]]; then SCRATCH=$(mktemp -d /tmp/veskal-faults.XXXXXX)
elif [[ -n $(ls -A "$SCRATCH" 2>/dev/null) && ! -e $SCRATCH/.veskal-faults ]]; then
    echo "$SCRATCH is not empty and not an earlier scratch directory" >&2; exit 2
else rm -rf "$SCRATCH"; mkdir -p "$SCRATCH"; fi
touch "$SCRATCH/.veskal-faults"
SRC=$SCRATCH/src BUILD=$SCRATCH/build LOGS=$SCRATCH/logs
mkdir -p "$SRC" "$LOGS"
# The work tree as it is, uncommitted files included (a file deleted but not
# yet committed is passed over).
(cd "$ROOT" && git ls-files -z -co --exclude-standard | tar --null -T - --ignore-failed-read -cf - 2>/dev/null) |
    tar -xf - -C "$SRC" || exit 2

build() { ninja -C "$BUILD" >"$1" 2>&1; }
tests() { (cd "$BUILD" && ctest -LE 'bench|fuzz|e2e' --timeout 60 -j2) >>"$1" 2>&1; }
echo "scratch: $SCRATCH; building the clean tree"
cmake -S "$SRC" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug >"$LOGS/configure.log" 2>&1 &&
    build "$LOGS/build.log" || { echo "the clean tree does not build: see $LOGS" >&2; exit 2; }
tests "$LOGS/tests.log" || { echo "the clean tree fails its tests: see $LOGS/tests.log" >&2; exit 2; }

caught=0 missed=0 stale=0 results=() seen=" "
while IFS= read -r line; do
    [[ $line =~ ^[[:space:]]*(#|$) ]] && continue
    # id | path | find | replace | description; the texts hold no " | ".
    rest=$line f=()
    for _ in 1 2 3 4; do f+=("${rest%% | *}"); rest=${rest#* | }; done
    id=${f[0]} path=${f[1]} find=${f[2]} repl=${f[3]} what=$rest
    if ((${#WANT[@]})) && [[ " ${WANT[*]} " != *" $id "* ]]; then continue; fi
    seen+="$id " file=$SRC/$path
    # Exactly one occurrence, replaced in place; anything else is stale.
    if [[ $line != *" | "*" | "*" | "*" | "* || -z $find || ! -f $file ]] || ! cp "$file" "$SCRATCH/saved" ||
        ! FIND=$find REPL=$repl perl -0777 -e '
            my $f = shift; open(my $h, "<", $f) or exit 1; my $t = <$h>; close $h;
            my $i = index($t, $ENV{FIND});
            exit 1 if $i < 0 || index($t, $ENV{FIND}, $i + 1) >= 0;
            substr($t, $i, length $ENV{FIND}) = $ENV{REPL};
            open($h, ">", $f) or exit 1; print $h $t; close $h or exit 1;' "$file"; then
        status=stale; ((stale++))
    elif [[ $path == *.cpp ]] && ! grep -qF "\"file\": \"$file\"" "$BUILD/compile_commands.json"; then
        status="NOT caught (not in the host build)"; ((missed++))
    elif ! build "$LOGS/$id.log"; then
        status="caught (build)"; ((caught++))
    elif ! tests "$LOGS/$id.log"; then
        status=caught; ((caught++))
    else
        status="NOT caught"; ((missed++))
    fi
    # Restored with a new time stamp, so that the next build compiles it again.
    [[ $status == stale ]] || cat "$SCRATCH/saved" >"$file"
    results+=("$(printf '%-5s %-34s %-26s %s' "$id" "$status" "$path" "$what")")
    echo "${results[-1]}"
done <"$LIST"

for id in "${WANT[@]}"; do [[ $seen == *" $id "* ]] || echo "no such fault: $id"; done
echo
printf '%s\n' "${results[@]}"
echo "faults: $caught caught, $missed not caught, $stale stale"
((missed + stale == 0))
