#!/usr/bin/env bash
# The game's boxes on X answered by a gamepad alone: the gamepad suite's X
# test (SDL's virtual joystick, in-process) run under Xvfb, where the boxes
# are our own and read the pads while they wait. Elsewhere that test skips
# itself; here it has to have run.
# Usage: pad_question_e2e.sh PLATFORM_SDL_TESTS   (run from the repository
# root).
set -u

TESTS=${1:?usage: pad_question_e2e.sh PLATFORM_SDL_TESTS}
TEST=SdlGamepads.OnXTheGamesBoxesAreAnsweredByThePadAlone

. "$(dirname "${BASH_SOURCE[0]}")/xlib.sh"

start_display 1024x768 || exit 1
SDL_VIDEODRIVER=x11 "$TESTS" --gtest_filter="$TEST" >"$WORK/out.log" 2>&1
rc=$?
cat "$WORK/out.log"
[ $rc = 0 ] || { echo "FAIL: $TEST failed"; exit 1; }
grep -qF "[       OK ] $TEST" "$WORK/out.log" ||
  { echo "FAIL: $TEST did not run on X"; exit 1; }
echo "PASS"
