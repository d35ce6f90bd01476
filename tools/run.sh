#!/usr/bin/env bash
# Runs Veskal on Linux under Wine, on a stand-in Windows desktop (a desktop
# window with sample windows, and Wine's notepad).
#
#   tools/run.sh [OUT_DIR]
#
# With a DISPLAY: opens a 1024x768 Wine desktop window with the sample
# windows and veskal.exe. Hold Shift+Ctrl and drag with the left button to
# pan; double click (still holding Shift+Ctrl) to come back. Ctrl+C here ends
# Veskal the orderly way (windows pulled back, veskal.ini saved) and the rest.
#
# Without a DISPLAY: runs a short scripted demo on a virtual X server (chord,
# drag, double click, exit) and writes before.png, after.png (after the
# drag), home.png (after the double click) and the resulting veskal.ini to
# OUT_DIR (default build/demo).
set -eu
cd "$(dirname "$0")/.."
ROOT=$PWD

tools/install-deps.sh

BUILD=$ROOT/build/win64
echo "building the Windows exes in $BUILD"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
ninja -C "$BUILD" veskal config e2e_shell >/dev/null
SHELL_EXE=$BUILD/tests/e2e/e2e_shell.exe
RUNDIR=$BUILD/run
mkdir -p "$RUNDIR"

if locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
    export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8  # the program's texts are Japanese
fi
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64

# make_prefix DIR [virtual-desktop]
make_prefix() {
    export WINEPREFIX=$1
    [[ -f $WINEPREFIX/.veskal-ready ]] && return
    rm -rf "$WINEPREFIX"
    echo "making the Wine prefix $WINEPREFIX (once)"
    wineboot -i >/dev/null 2>&1
    if [[ ${2:-} == virtual-desktop ]]; then
        # One desktop window with a taskbar, instead of windows loose on the screen.
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1024x768 /f >/dev/null 2>&1
    fi
    wineserver -w
    touch "$WINEPREFIX/.veskal-ready"
}

# prepare_app DIR: veskal.exe and config.exe side by side; an existing
# veskal.ini stays.
prepare_app() {
    mkdir -p "$1"
    cp "$BUILD/veskal.exe" "$BUILD/config.exe" "$1/"
}

# Wine starts a program through start.exe, whose Unix process is not the
# program's: so the programs are ended through this prefix's wineserver,
# which serves nothing but what this script started.
XVFB_PID=
stop_all() {
    if [[ -n ${WINEPREFIX:-} ]]; then
        wine "$SHELL_EXE" --close-veskal 2>/dev/null || true
        wineserver -k 2>/dev/null || true
    fi
    if [[ -n $XVFB_PID ]]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
}
trap stop_all EXIT
trap 'exit 130' INT TERM

# ---- with a display: try it by hand

if [[ -n ${DISPLAY:-} ]]; then
    make_prefix "$RUNDIR/wineprefix-desktop" virtual-desktop
    APP=$RUNDIR/app
    prepare_app "$APP"
    wine "$SHELL_EXE" --demo &
    sleep 2
    wine notepad &
    (cd "$APP" && exec wine ./veskal.exe) & VESKAL_PID=$!
    cat <<EOF

Veskal runs in the Wine desktop window. Hold Shift+Ctrl and drag with the
left button: every window slides. Double click (holding Shift+Ctrl) to come
back. Its settings file: $APP/veskal.ini (config.exe is beside it).
Press Ctrl+C here to end (Veskal pulls far-off windows back and saves).
EOF
    wait "$VESKAL_PID" || true  # until Veskal exits (its tray menu) or Ctrl+C
    exit 0
fi

# ---- without a display: the scripted demo

OUT=$(realpath -m "${1:-$ROOT/build/demo}")
mkdir -p "$OUT"
rm -f "$OUT"/before.png "$OUT"/after.png "$OUT"/home.png "$OUT"/veskal.ini

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$RUNDIR/display" 2>/dev/null & XVFB_PID=$!
for _ in $(seq 100); do [[ -s $RUNDIR/display ]] && break; sleep 0.1; done
export DISPLAY=:$(head -1 "$RUNDIR/display")
make_prefix "$RUNDIR/wineprefix"

# await DESCRIPTION COMMAND...: polls COMMAND for up to 20 s.
await() {
    local what=$1
    shift
    for _ in $(seq 200); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    echo "demo: timed out waiting for $what" >&2
    exit 1
}
x_of() { xwininfo -name "$1" | awk '/Absolute upper-left X/ {print $4}'; }
mapped() { xwininfo -name "$1" | grep -q IsViewable; }
at_x() { [[ $(x_of "$1") == "$2" ]]; }
keys() { xdotool search --name '^E2E Focus$' windowfocus --sync "$@"; }

APP=$RUNDIR/demo-app
rm -rf "$APP"
prepare_app "$APP"
wine "$SHELL_EXE" --demo &
await "the stand-in shell" mapped "E2E Window A"
wine notepad &
await "notepad" xdotool search --onlyvisible --classname notepad.exe
(cd "$APP" && exec wine ./veskal.exe) &
await "veskal.exe" xwininfo -name Veskal
sleep 1
home_x=$(x_of "E2E Window A")
import -window root "$OUT/before.png"

echo "demo: Shift+Ctrl held, dragging 250 px right and 100 px down"
xdotool mousemove 300 450
keys keydown shift+ctrl
await "pan mode" mapped Veskal
xdotool mousedown 1
sleep 0.3
for i in $(seq 10); do
    xdotool mousemove $((300 + i * 25)) $((450 + i * 10))
    sleep 0.05
done
await "the windows to follow" at_x "E2E Window A" $((home_x + 250))
xdotool mouseup 1
sleep 0.5
import -window root "$OUT/after.png"

echo "demo: double click, back to the start cell"
sleep 0.4
xdotool mousedown 1 sleep 0.08 mouseup 1 sleep 0.08 mousedown 1 sleep 0.08 mouseup 1
await "the windows to come home" at_x "E2E Window A" "$home_x"
keys keyup shift+ctrl
sleep 0.5
import -window root "$OUT/home.png"

echo "demo: exit"
wine "$SHELL_EXE" --close-veskal || { echo "demo: veskal.exe did not exit" >&2; exit 1; }
cp "$APP/veskal.ini" "$OUT/veskal.ini"
echo "demo: wrote $OUT/before.png, after.png, home.png and veskal.ini:"
sed 's/\r$//' "$OUT/veskal.ini"
