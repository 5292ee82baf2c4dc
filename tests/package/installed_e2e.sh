#!/usr/bin/env bash
# The installed game, started by its command name from / under Xvfb: the
# start-up question answered No (Escape), the window titled with the game's
# name, Escape ends it with exit code 0. scripts/fresh-check runs it after
# installing the package; on this machine, after `make install` or dpkg -i.
# Usage: installed_e2e.sh [COMMAND]    default tvlounge
set -u

GAME=${1:-tvlounge}
WAIT=${E2E_WAIT:-90}
TITLE="Quorne Tv lounge by Velmar"

. "$(dirname "${BASH_SOURCE[0]}")/../e2e/xlib.sh"

command -v "$GAME" >/dev/null || { echo "FAIL: no $GAME on the PATH ($PATH)"; exit 1; }
start_display 1024x768 || exit 1
start_windowed "$GAME" /
id=$(wait_window "$TITLE") || fail "no window titled \"$TITLE\""
wait_mapped "$id" || fail "the game window was never shown"
echo "started from /: window \"$(title_of "$id")\""
sleep 1 # a few frames
xdotool key --window "$id" Escape 2>/dev/null
wait_exit || fail "the game did not end after Escape"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE after Escape"
echo "ended with exit code 0"
