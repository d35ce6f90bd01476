#!/usr/bin/env bash
# run_e2e.sh WORK_DIR VESKAL_EXE CONFIG_EXE SHELL_EXE DRIVER_EXE [core]: the
# end-to-end driver under Wine on a private Xvfb display; "core" runs only the
# rows marked so (the 32-bit build's). WORK_DIR keeps the Wine prefix (made
# once; E2E_WINEPREFIX puts it elsewhere) and the last run's files (WORK_DIR/run). The last line is
# "e2e: N passed, M failed"; exit code 0 when none failed.
set -u
. "$(dirname "${BASH_SOURCE[0]}")/../../tools/winedesk.sh" e2e

fail() {
    echo "e2e: $*" >&2
    echo "e2e: 0 passed, 1 failed"
    exit 1
}
(($# == 5 || $# == 6)) || fail "usage: run_e2e.sh WORK_DIR VESKAL_EXE CONFIG_EXE SHELL_EXE DRIVER_EXE [core]"
command -v xdotool >/dev/null || fail "xdotool is missing (tools/install-deps.sh installs it)"
RUN=$(realpath -m "$1")/run
rm -rf "$RUN" && mkdir -p "$RUN/bin" && cp "$2" "$RUN/bin/veskal.exe" && cp "$3" "$RUN/bin/config.exe" &&
    cp "$4" "$RUN/bin/desktop_shell.exe" && cp "$5" "$RUN/bin/e2e_driver.exe" || fail "cannot copy the exes to $RUN"

# Ends the driver by its id, the rest through the prefix's own wineserver.
DRIVER=
trap '[[ -n $DRIVER ]] && kill "$DRIVER" 2>/dev/null; winedesk_stop 30' EXIT
trap 'exit 143' TERM INT
started=$SECONDS
winedesk_xvfb "$RUN" || fail "Xvfb did not start: $(tail -3 "$RUN/xvfb.log")"
winedesk_prefix "${E2E_WINEPREFIX:-$(dirname "$RUN")/wineprefix}" "$RUN/wineboot.log" ||
    fail "no Wine prefix: $(tail -5 "$RUN/wineboot.log")"
cd "$RUN" || fail "no directory $RUN"
# Into a file, shown as it comes: Wine's services inherit the driver's
# output and may outlive it, which would keep a pipe open.
: >driver.out
timeout -k 10 300 wine bin/e2e_driver.exe "$(winedesk_winpath "$RUN/bin")" "$(winedesk_winpath "$RUN")" ${6:-} \
    >driver.out 2>wine.log &
DRIVER=$!
tail -n +1 -f --pid="$DRIVER" driver.out | sed -u 's/\r$//; /^e2e: [0-9]* passed/d'
wait "$DRIVER"
DRIVER=
tr -d '\r' <driver.out >driver.log
summary=$(grep -aE '^e2e: [0-9]+ passed, [0-9]+ failed$' driver.log | tail -1)
echo "e2e: took $((SECONDS - started)) s; files in $RUN"
[[ -n $summary ]] || { echo "e2e: no summary; wine.log ends:"; tail -20 wine.log; summary="e2e: 0 passed, 1 failed"; }
echo "$summary"
[[ $summary == *" 0 failed" ]]
