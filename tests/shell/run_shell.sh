#!/usr/bin/env bash
# run_shell.sh WORK_DIR TESTS_EXE DEFAULT_PREFIX: the shell tests under Wine on
# a private Xvfb display, with WORK_DIR/run/scratch (made anew) as the current
# folder. The Wine prefix is E2E_WINEPREFIX, else DEFAULT_PREFIX (made once).
# The exit code is the tests'.
set -u
. "$(dirname "${BASH_SOURCE[0]}")/../../tools/winedesk.sh" shell
fail() { echo "shell: $*" >&2; exit 1; }
(($# == 3)) || fail "usage: run_shell.sh WORK_DIR TESTS_EXE DEFAULT_PREFIX"
RUN=$(realpath -m "$1")/run
rm -rf "$RUN" && mkdir -p "$RUN/scratch" && cp "$2" "$RUN/shell_tests.exe" || fail "cannot copy $2 to $RUN"
trap 'winedesk_stop 30' EXIT
trap 'exit 143' TERM INT
winedesk_xvfb "$RUN" || fail "Xvfb did not start: $(tail -3 "$RUN/xvfb.log")"
winedesk_prefix "${E2E_WINEPREFIX:-$3}" "$RUN/wineboot.log" || fail "no Wine prefix: $(tail -5 "$RUN/wineboot.log")"
cd "$RUN/scratch" || fail "no directory $RUN/scratch"
# Into a file: Wine's services inherit the output and may outlive the tests,
# which would keep ctest's pipe open.
timeout -k 10 120 wine ../shell_tests.exe >../gtest.out 2>../wine.log
status=$?
tr -d '\r' <../gtest.out
((status == 0)) || { echo "shell: exit code $status"; tail -5 ../wine.log; }
exit "$status"
