#!/usr/bin/env bash
# Runs the end-to-end driver under Wine on a private Xvfb display.
#
#   run_e2e.sh --work DIR --veskal EXE --shell EXE --recorder EXE --driver EXE
#              [--config EXE] [-- NAME...]
#
# DIR keeps the Wine prefix between runs (made on first use) and the last
# run's files (DIR/runs). NAMEs pick scenarios by part of their name. Only
# processes started here are ended, by their ids; the Wine prefix is ours.
set -u

WORK= VESKAL= SHELL_EXE= RECORDER= DRIVER= CONFIG=
while (($#)); do
    case $1 in
        --work) WORK=$2; shift 2 ;;
        --veskal) VESKAL=$2; shift 2 ;;
        --shell) SHELL_EXE=$2; shift 2 ;;
        --recorder) RECORDER=$2; shift 2 ;;
        --driver) DRIVER=$2; shift 2 ;;
        --config) CONFIG=$2; shift 2 ;;
        --) shift; break ;;
        *) echo "unknown argument $1" >&2; exit 2 ;;
    esac
done

fail() {
    echo "e2e: $*" >&2
    echo "e2e: 0 passed, 1 failed"
    exit 1
}

[[ -n $WORK && -f $VESKAL && -f $SHELL_EXE && -f $RECORDER && -f $DRIVER ]] || fail "missing arguments or exes"
for tool in wine wineserver Xvfb xdotool; do
    command -v $tool >/dev/null || fail "$tool is missing (tools/install-deps.sh installs it)"
done

WORK=$(realpath -m "$WORK")
mkdir -p "$WORK"
BIN=$WORK/bin
rm -rf "$BIN" "$WORK/runs"
mkdir -p "$BIN" "$WORK/runs"
cp "$VESKAL" "$BIN/veskal.exe"
cp "$SHELL_EXE" "$BIN/e2e_shell.exe"
cp "$RECORDER" "$BIN/e2e_recorder.exe"
cp "$DRIVER" "$BIN/e2e_driver.exe"
[[ -n $CONFIG && -f $CONFIG ]] && cp "$CONFIG" "$BIN/config.exe"
RUN=$(mktemp -d "$WORK/runs/run.XXXXXX")

# The program's texts are Japanese: with this locale Wine's ANSI code page
# is 932, as on a Japanese Windows.
if locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
    export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8
else
    echo "e2e: note: locale ja_JP.UTF-8 missing (tools/install-deps.sh makes it); code page is not 932"
    export LC_ALL=C.UTF-8 LANG=C.UTF-8
fi
export WINEPREFIX=$WORK/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64

XVFB_PID=
cleanup() {
    [[ -f $RUN/driver.pid ]] && kill "$(cat "$RUN/driver.pid")" 2>/dev/null
    if [[ -d $WINEPREFIX ]] && ! timeout 30 wineserver -w 2>/dev/null; then
        wineserver -k 2>/dev/null  # this prefix's processes only, all started by this run
    fi
    if [[ -n $XVFB_PID ]]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    fi
}
trap cleanup EXIT
trap 'exit 143' TERM INT

# A display of our own; Xvfb picks a free number and reports it when ready.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$RUN/display" 2>"$RUN/xvfb.log" &
XVFB_PID=$!
for _ in $(seq 100); do
    [[ -s $RUN/display ]] && break
    kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb did not start: $(tail -3 "$RUN/xvfb.log")"
    sleep 0.1
done
[[ -s $RUN/display ]] || fail "Xvfb reported no display"
export DISPLAY=:$(head -1 "$RUN/display")

started=$(date +%s)
if [[ ! -f $WINEPREFIX/.e2e-ready ]]; then
    rm -rf "$WINEPREFIX"
    echo "e2e: making the Wine prefix $WINEPREFIX"
    wineboot -i >"$RUN/wineboot.log" 2>&1 || fail "wineboot failed: $(tail -5 "$RUN/wineboot.log")"
    timeout 60 wineserver -w
    touch "$WINEPREFIX/.e2e-ready"
    echo "e2e: prefix ready after $(($(date +%s) - started)) s"
fi

to_windows() { local p=$1; echo "Z:${p//\//\\}"; }

cd "$RUN"
# The driver's id goes to a file so that an interrupted run can end it.
{
    timeout --kill-after=10 1200 wine "$BIN/e2e_driver.exe" "$(to_windows "$BIN")" "$(to_windows "$RUN")" "$@" \
        2>"$RUN/wine.log" &
    echo $! >"$RUN/driver.pid"
    wait $!
    echo $? >"$RUN/driver.rc"
    rm -f "$RUN/driver.pid"
} | tee "$RUN/driver.log"
rc=$(cat "$RUN/driver.rc" 2>/dev/null || echo 1)
summary=$(grep -E '^e2e: [0-9]+ passed, [0-9]+ failed' "$RUN/driver.log" | tail -1)
echo "e2e: took $(($(date +%s) - started)) s; files in $RUN"
if [[ -z $summary ]]; then
    echo "e2e: the driver ended (code $rc) without a summary; last lines of $RUN/wine.log:"
    tail -20 "$RUN/wine.log"
    echo "e2e: 0 passed, 1 failed"
    exit 1
fi
exit "$rc"
