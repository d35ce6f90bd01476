#!/usr/bin/env bash
# Breaks the product on purpose, one fault at a time, and checks that a test
# notices each break.
#
#   tools/faults/run.sh [--list FILE] [--scratch DIR] [ID...]
#
# The work tree is copied once to a scratch directory (a new one under /tmp,
# or DIR: emptied if an earlier run made it). For each fault of the list
# (tools/faults/faults.txt, or only the IDs named) the fault is applied to the
# copy and the file put back afterwards. A fault in a file of the core (one
# the host build compiles, or a header) is tried against the host tables; any
# other, in the shell, against the Wine suite on the 64-bit build.
#
# "caught": the build or a test failed ("caught (build)": rewrite the fault
# so that it compiles); "NOT caught": everything passed; "stale": its text is
# not found exactly once (the code moved on: re-target it by hand). Logs stay
# in the scratch directory. Exits 1 unless every fault run was caught.
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
SRC=$SCRATCH/src LOGS=$SCRATCH/logs
mkdir -p "$SRC" "$LOGS"
(cd "$ROOT" && git ls-files -z -co --exclude-standard | tar --null -T - --ignore-failed-read -cf - 2>/dev/null) |
    tar -xf - -C "$SRC" || exit 2

# suite host|wine LOG: brings the build up to date and runs its tests.
suite() {
    local build=$SCRATCH/$1
    if [[ ! -d $build ]]; then
        local args=(-DCMAKE_BUILD_TYPE=Debug)
        [[ $1 == wine ]] && args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$SRC/cmake/mingw-w64-x86_64.cmake")
        cmake -S "$SRC" -B "$build" -G Ninja "${args[@]}" >"$LOGS/configure-$1.log" 2>&1 || return 3
    fi
    ninja -C "$build" >"$2" 2>&1 || return 2
    local tests=(-LE 'bench|fuzz') && [[ $1 == wine ]] && tests=(-R '^wine$')
    (cd "$build" && E2E_WINEPREFIX=$SCRATCH/wineprefix ctest "${tests[@]}" --timeout 600 -j2) >>"$2" 2>&1
}
for s in host wine; do
    echo "scratch: $SCRATCH; the clean tree, $s"
    suite $s "$LOGS/clean-$s.log" || { echo "the clean tree fails ($s): see $LOGS" >&2; exit 2; }
done

caught=0 missed=0 stale=0 results=() seen=" "
while IFS= read -r line; do
    [[ $line =~ ^[[:space:]]*(#|$) ]] && continue
    # id | path | find | replace | description; the texts hold no " | ".
    rest=$line f=()
    for _ in 1 2 3 4; do f+=("${rest%% | *}"); rest=${rest#* | }; done
    id=${f[0]} path=${f[1]} find=${f[2]} repl=${f[3]} what=$rest
    if ((${#WANT[@]})) && [[ " ${WANT[*]} " != *" $id "* ]]; then continue; fi
    seen+="$id " file=$SRC/$path s=wine
    [[ $path == base/*.h || $path == pan/*.h ]] || grep -qF "\"file\": \"$file\"" "$SCRATCH/host/compile_commands.json" && s=host
    if [[ $line != *" | "*" | "*" | "*" | "* || -z $find || ! -f $file ]] || ! cp "$file" "$SCRATCH/saved" ||
        ! FIND=$find REPL=$repl perl -0777 -e '
            my $f = shift; open(my $h, "<", $f) or exit 1; my $t = <$h>; close $h;
            my $i = index($t, $ENV{FIND});
            exit 1 if $i < 0 || index($t, $ENV{FIND}, $i + 1) >= 0;
            substr($t, $i, length $ENV{FIND}) = $ENV{REPL};
            open($h, ">", $f) or exit 1; print $h $t; close $h or exit 1;' "$file"; then
        status=stale; ((stale++))
    else
        suite $s "$LOGS/$id.log" </dev/null  # Wine would read the list
        case $? in 0) status="NOT caught ($s)"; ((missed++)) ;; 2) status="caught (build)"; ((caught++)) ;;
        *) status="caught ($s)"; ((caught++)) ;; esac
        cat "$SCRATCH/saved" >"$file"  # a new time stamp: the next build compiles it again
    fi
    results+=("$(printf '%-5s %-18s %-26s %s' "$id" "$status" "$path" "$what")")
    echo "${results[-1]}"
done <"$LIST"

for id in "${WANT[@]}"; do [[ $seen == *" $id "* ]] || echo "no such fault: $id"; done
echo
printf '%s\n' "${results[@]}"
echo "faults: $caught caught, $missed not caught, $stale stale"
((missed + stale == 0))
