#!/usr/bin/env bash
# run.sh WORK_DIR VESKAL_EXE CONFIG_EXE SHELL_EXE TESTS_EXE [GTEST FLAGS]: the
# Wine suite on a private Xvfb display. WORK_DIR keeps the Wine prefix (made
# once; E2E_WINEPREFIX puts it elsewhere) and the last run's files
# (WORK_DIR/run, gtest's output in gtest.log). The exit code is the tests'.
set -u
. "$(dirname "${BASH_SOURCE[0]}")/../../tools/winedesk.sh" wine

fail() { echo "wine: $*" >&2; exit 1; }
(($# >= 5)) || fail "usage: run.sh WORK_DIR VESKAL_EXE CONFIG_EXE SHELL_EXE TESTS_EXE [GTEST FLAGS]"
command -v xdotool >/dev/null || fail "xdotool is missing (tools/install-deps.sh installs it)"
[[ ${E2E_BITS:-64} == 32 ]] && ! "$(dirname "${BASH_SOURCE[0]}")/../../tools/runs32.sh" &&
    { echo "wine: skipped: this kernel runs no 32-bit programs"; exit 77; }
RUN=$(realpath -m "$1")/run
rm -rf "$RUN" && mkdir -p "$RUN/bin" && cp "$2" "$RUN/bin/veskal.exe" && cp "$3" "$RUN/bin/config.exe" &&
    cp "$4" "$RUN/bin/desktop_shell.exe" && cp "$5" "$RUN/bin/wine_tests.exe" || fail "cannot copy the exes to $RUN"
shift 5

# Ends the tests by their id, the rest through the prefix's own wineserver.
trap '[[ -n ${TESTS:-} ]] && kill "$TESTS" 2>/dev/null; winedesk_stop 30' EXIT
trap 'exit 143' TERM INT
winedesk_xvfb "$RUN" || fail "Xvfb did not start: $(tail -3 "$RUN/xvfb.log")"
winedesk_prefix "${E2E_WINEPREFIX:-$(dirname "$RUN")/wineprefix}" "$RUN/wineboot.log" ||
    fail "no Wine prefix: $(tail -5 "$RUN/wineboot.log")"
cd "$RUN" || fail "no directory $RUN"
# Into a file, shown as it comes: Wine's services inherit the tests' output
# and may outlive them, which would keep a pipe open.
: >gtest.out
# run_tests SECONDS WINE-ARGS...: the tests' output appended to gtest.out and
# shown; the exit code is the tests'.
run_tests() {
    local seconds=$1 from
    shift
    from=$(($(stat -c %s gtest.out) + 1))
    timeout -k 10 "$seconds" wine "$@" "$(winedesk_winpath "$RUN/bin")" "$(winedesk_winpath "$RUN")" \
        >>gtest.out 2>>wine.log &
    TESTS=$!
    tail -c +"$from" -f --pid="$TESTS" gtest.out | sed -u 's/\r$//'
    wait "$TESTS"
    local code=$?
    TESTS=
    return "$code"
}
: >wine.log
run_tests 300 bin/wine_tests.exe "$@"
status=$?
# Suite Display changes the screen's size, which only a Wine virtual desktop
# allows: alone, in one of the X screen's size. Its explorer answers 0
# whatever the tests do, so their own summary tells.
if (($# == 0)); then
    before=$(stat -c %s gtest.out)
    run_tests 120 explorer "/desktop=VeskalDisplay,1024x768" "$(winedesk_winpath "$RUN/bin/wine_tests.exe")" \
        --gtest_filter=Display.*
    tail -c +$((before + 1)) gtest.out | tr -d '\r' | grep -q '^\[  PASSED  \] 1 test' || status=1
    # Suite English: a wineserver of its own, which takes the display
    # language and code page (1252) from LANG.
    timeout 30 wineserver -w 2>/dev/null || wineserver -k 2>/dev/null
    export LC_ALL=en_US.UTF-8 LANG=en_US.UTF-8
    run_tests 120 bin/wine_tests.exe --gtest_filter=English.* || status=1
fi
tr -d '\r' <gtest.out >gtest.log
((status == 0)) || { echo "wine: exit code $status; wine.log ends:"; tail -5 wine.log; }
exit "$status"
