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
# drag, double click, exit) and writes demo-before.png, demo-after.png (after
# the drag), map.png (during it), home.png (after the double click), the
# resulting veskal.ini, and the tray menu and the settings dialog in Japanese
# and in English (tray-menu.png, config-dialog.png, tray-menu-en.png,
# config-dialog-en.png) to OUT_DIR (default build/demo). `tools/run.sh docs`
# refreshes the pictures the README shows.
set -eu
cd "$(dirname "$0")/.."
ROOT=$PWD
. tools/winedesk.sh run.sh

tools/install-deps.sh

BUILD=$ROOT/build/win64
echo "building the Windows exes in $BUILD"
winedesk_build "$BUILD" veskal config desktop_shell
SHELL_EXE=$BUILD/desktop_shell.exe
RUNDIR=$BUILD/run
mkdir -p "$RUNDIR"

# prepare_app DIR: veskal.exe and config.exe side by side; an existing
# veskal.ini stays.
prepare_app() {
    mkdir -p "$1"
    cp "$BUILD/veskal.exe" "$BUILD/config.exe" "$1/"
}

# Veskal first, the orderly way: windows pulled back, veskal.ini saved.
stop_all() {
    if [[ -n $WINEDESK_PREFIX ]]; then
        wine "$SHELL_EXE" --close-veskal 2>/dev/null || true
    fi
    winedesk_stop 0
    [[ -z ${COMPOSITOR:-} ]] || kill "$COMPOSITOR" 2>/dev/null || true
}
trap stop_all EXIT
trap 'exit 130' INT TERM

# ---- with a display: try it by hand

if [[ -n ${DISPLAY:-} ]]; then
    winedesk_prefix "$RUNDIR/wineprefix-desktop" /dev/null virtual-desktop
    APP=$RUNDIR/app
    prepare_app "$APP"
    wine "$SHELL_EXE" --demo &
    sleep 2
    wine notepad &
    (cd "$APP" && exec wine ./veskal.exe) & VESKAL_PID=$!
    cat <<EOF

Veskal runs in the Wine desktop window. Hold Shift+Ctrl and drag with the
left button: every window slides. Double click (holding Shift+Ctrl) to come
back. While the keys are held the Wine desktop turns black but for the map:
Wine draws Veskal's see-through capture surface opaque there (on Windows it
is never seen). Its settings file: $APP/veskal.ini (config.exe is beside it).
Press Ctrl+C here to end (Veskal pulls far-off windows back and saves).
EOF
    wait "$VESKAL_PID" || true  # until Veskal exits (its tray menu) or Ctrl+C
    exit 0
fi

# ---- without a display: the scripted demo

OUT=$(realpath -m "${1:-$ROOT/build/demo}")
mkdir -p "$OUT"
rm -f "$OUT"/demo-before.png "$OUT"/demo-after.png "$OUT"/home.png "$OUT"/map.png "$OUT"/tray-menu*.png \
    "$OUT"/config-dialog*.png "$OUT"/veskal.ini

winedesk_xvfb "$RUNDIR" || { echo "demo: Xvfb did not start (see $RUNDIR/xvfb.log)" >&2; exit 1; }
# A compositing manager draws see-through windows as Windows does: Veskal's
# capture surface over the screen in pan mode, all but transparent, and the map.
xcompmgr >"$RUNDIR/xcompmgr.log" 2>&1 &
COMPOSITOR=$!
winedesk_prefix "$RUNDIR/wineprefix" /dev/null

x_of() { xwininfo -name "$1" | awk '/Absolute upper-left X/ {print $4}'; }
mapped() { xwininfo -name "$1" | grep -q IsViewable; }
wide() { xwininfo -name "$1" | awk '/Width:/ { exit !($2 > 1) }'; }  # the capture surface, shrunk to nothing between chords
at_x() { [[ $(x_of "$1") == "$2" ]]; }

APP=$RUNDIR/demo-app
rm -rf "$APP"
prepare_app "$APP"
wine "$SHELL_EXE" --demo &
winedesk_await "the stand-in shell" mapped "E2E Window A"
wine notepad &
winedesk_await "notepad" xdotool search --onlyvisible --classname notepad.exe
(cd "$APP" && exec wine ./veskal.exe) &
winedesk_await "veskal.exe" xwininfo -name Veskal
sleep 1
home_x=$(x_of "E2E Window A")
import -window root "$OUT/demo-before.png"

echo "demo: Shift+Ctrl held, dragging 250 px right and 100 px down"
xdotool mousemove 300 450
winedesk_keys keydown shift+ctrl
winedesk_await "pan mode" wide VESKALPan
xdotool mousedown 1
sleep 0.3
for i in $(seq 10); do
    xdotool mousemove $((300 + i * 25)) $((450 + i * 10))
    sleep 0.05
done
winedesk_await "the windows to follow" at_x "E2E Window A" $((home_x + 250))
# Mid-drag, the chord still held: the map of the plane in the corner, to map.png.
winedesk_await "the map" mapped VESKALMap
sleep 0.3
import -window root "$OUT/map.png"
xdotool mouseup 1
sleep 0.5
import -window root "$OUT/demo-after.png"

echo "demo: double click, back to the start cell"
sleep 0.4
xdotool mousedown 1 sleep 0.08 mouseup 1 sleep 0.08 mousedown 1 sleep 0.08 mouseup 1
winedesk_await "the windows to come home" at_x "E2E Window A" "$home_x"
winedesk_keys keyup shift+ctrl
sleep 0.5
import -window root "$OUT/home.png"

# shots SUFFIX CAPTION: the tray menu, opened as a right click on the icon
# opens it, to tray-menu$SUFFIX.png; the exit; then the settings dialog,
# titled CAPTION, started with settings as Veskal starts it, to
# config-dialog$SUFFIX.png.
shots() {
    echo "demo: the tray menu, as a right click on the icon opens it"
    xdotool mousemove 860 600
    wine "$SHELL_EXE" --tray-menu
    sleep 1.5
    import -window root "$OUT/tray-menu$1.png"
    wine "$SHELL_EXE" --close-menu || true
    sleep 0.5
    echo "demo: exit"
    wine "$SHELL_EXE" --close-veskal || { echo "demo: veskal.exe did not exit" >&2; exit 1; }
    echo "demo: the settings dialog"
    (cd "$APP" && exec wine ./config.exe 3 3 1 4 3 16 17) &
    winedesk_await "config.exe" xdotool search --name "^$2\$"
    sleep 1
    local dialog
    dialog=$(xdotool search --name "^$2\$" | head -1)
    import -window "$dialog" "$OUT/config-dialog$1.png"
    xdotool windowfocus --sync "$dialog" key Escape
}
shots "" "Veskal 設定"
cp "$APP/veskal.ini" "$OUT/veskal.ini"

echo "demo: the same under an English display language, which Wine takes from LANG when it starts"
wineserver -k
export LC_ALL=en_US.UTF-8 LANG=en_US.UTF-8
wine "$SHELL_EXE" --demo &
winedesk_await "the stand-in shell" mapped "E2E Window A"
(cd "$APP" && exec wine ./veskal.exe) &
winedesk_await "veskal.exe" xwininfo -name Veskal
sleep 1
shots -en "Veskal Settings"
echo "demo: wrote $OUT/demo-before.png, demo-after.png, home.png, map.png, tray-menu.png, config-dialog.png,"
echo "demo: tray-menu-en.png, config-dialog-en.png and veskal.ini:"
sed 's/\r$//' "$OUT/veskal.ini"
