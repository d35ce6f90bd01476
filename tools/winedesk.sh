# shellcheck shell=bash
# The private X display and Wine prefix of tools/run.sh, tools/bench/wine.sh
# and tests/wine/run.sh. Sourced, with the name its messages start with:
# `. tools/winedesk.sh NAME`. Shell options, traps and the message for a
# function that returns 1 are the caller's; its EXIT trap ends the processes
# it started itself, then calls winedesk_stop.
#
# winedesk_build DIR TARGET...  the Release win64 cross build in DIR, quietly.
# winedesk_xvfb DIR  a 1024x768 Xvfb on a free display (its number in
#     DIR/display, its messages in DIR/xvfb.log); exports DISPLAY. Returns 1
#     if none came within 10 s.
# winedesk_prefix DIR LOG [virtual-desktop]  exports LC_ALL and LANG
#     (ja_JP.UTF-8, for code page 932, which the program's texts need; else
#     C.UTF-8 with a note), WINEPREFIX=DIR, WINEDEBUG (E2E_WINEDEBUG, else
#     -all: +win,+event traces the window moves), WINEDLLOVERRIDES and
#     WINEARCH=win64; sets WINEDESK_PREFIX=DIR. Makes the prefix unless it is
#     marked ready (wineboot's output to LOG), with virtual-desktop as one
#     1024x768 desktop window. Returns 1 if it could not.
# winedesk_stop SECONDS  ends the prefix's programs through its wineserver,
#     after up to SECONDS for them to end by themselves; then Xvfb, by its id.
# winedesk_await WHAT COMMAND...  polls COMMAND for up to 30 s, else exits 1.
# winedesk_keys XDOTOOL-ARGS...  keys to the stand-in shell's focus window.
# winedesk_winpath PATH  prints PATH as Wine's drive Z: shows it.

WINEDESK_NAME=$1
WINEDESK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
WINEDESK_XVFB=
WINEDESK_PREFIX=

winedesk_build() {
    cmake -S "$WINEDESK_ROOT" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$WINEDESK_ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null && ninja -C "$@" >/dev/null
}

winedesk_xvfb() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$1/display" 2>"$1/xvfb.log" &
    WINEDESK_XVFB=$!
    for _ in $(seq 100); do
        [[ -s $1/display ]] && break
        kill -0 "$WINEDESK_XVFB" 2>/dev/null || return 1
        sleep 0.1
    done
    [[ -s $1/display ]] || return 1
    DISPLAY=:$(head -1 "$1/display")
    export DISPLAY
}

winedesk_prefix() {
    if locale -a 2>/dev/null | grep -ix 'ja_JP\.utf-\?8' >/dev/null; then
        export LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8
    else
        echo "$WINEDESK_NAME: note: locale ja_JP.UTF-8 missing (tools/install-deps.sh makes it); code page is not 932"
        export LC_ALL=C.UTF-8 LANG=C.UTF-8
    fi
    export WINEPREFIX=$1 WINEDEBUG=${E2E_WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
    WINEDESK_PREFIX=$1
    # A prefix made before wine32 was installed cannot run 32-bit programs:
    # the marker names the Wine it was made for.
    local made_for
    made_for="$(wine --version 2>/dev/null) $(dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null || true)"
    [[ -f $1/.winedesk-ready && $(cat "$1/.winedesk-ready") == "$made_for" ]] && return 0
    local started=$SECONDS
    rm -rf "$1"
    echo "$WINEDESK_NAME: making the Wine prefix $1 (once)"
    wineboot -i >"$2" 2>&1 || return 1
    if [[ ${3:-} == virtual-desktop ]]; then
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1 &&
            wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1024x768 /f >/dev/null 2>&1 || return 1
    fi
    # The registry reaches its files when the wineserver ends.
    timeout 60 wineserver -w || return 1
    echo "$made_for" >"$1/.winedesk-ready"
    echo "$WINEDESK_NAME: prefix ready after $((SECONDS - started)) s"
}

# Not every Wine process is the caller's child (what start.exe starts, the
# prefix's services): its wineserver, which serves only what the caller
# started, ends them all.
winedesk_stop() {
    if [[ -d $WINEDESK_PREFIX ]] && ! { (($1 > 0)) && timeout "$1" wineserver -w 2>/dev/null; }; then
        wineserver -k 2>/dev/null || true
    fi
    if [[ -n $WINEDESK_XVFB ]]; then
        kill "$WINEDESK_XVFB" 2>/dev/null || true
        wait "$WINEDESK_XVFB" 2>/dev/null || true
    fi
}

winedesk_await() {
    local what=$1
    shift
    for _ in $(seq 300); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    echo "$WINEDESK_NAME: timed out waiting for $what" >&2
    exit 1
}

winedesk_keys() { xdotool search --name '^E2E Focus$' windowfocus --sync "$@"; }
winedesk_winpath() { echo "Z:${1//\//\\}"; }
