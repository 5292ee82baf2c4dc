#!/usr/bin/env bash
# The real game under Xvfb, started from a folder whose data/texture/ is
# incomplete: with a texture missing, and with one cut short, the game shows
# the image loader's message, and once it is answered ends with exit code 1
# (a failed start is not a success); a cut file is also named on standard
# error, which the decoder's message is not.
# Usage: start_failure_e2e.sh TVLOUNGE [OUTPUT_DIR]  (run from the repository
# root, whose data/texture/ is copied). Exit 77 means skipped.
set -u

GAME=$(cd "$(dirname "${1:?usage: start_failure_e2e.sh TVLOUNGE}")" && pwd)/$(basename "$1")
WAIT=${E2E_WAIT:-90} # seconds for a window; sanitized builds start slowly
BROKEN=data/texture/floor.bmp

. "$(dirname "${BASH_SOURCE[0]}")/xlib.sh"

if ! ls data/texture/*.bmp >/dev/null 2>&1; then
  echo "SKIP: no textures under $(pwd)/data/texture"
  exit 77
fi

# run NAME [STDERR]: the game from $WORK/NAME, answered No and then OK; the
# "Error" box must appear, the game must end with exit code 1, and standard
# error must hold STDERR.
run() {
  local name=$1 message=${2:-} box
  start_windowed "$GAME" "$WORK/$name"
  box=$(wait_window "Error") || fail "$name: no \"Error\" message"
  wait_mapped "$box"
  xdotool key --window "$box" Return 2>/dev/null
  wait_exit || fail "$name: the game did not end after the message"
  [ "$EXIT_CODE" = 1 ] || fail "$name: exit code $EXIT_CODE, not 1"
  [ -z "$message" ] || grep -qF "$message" "$WORK/game.log" ||
    fail "$name: standard error does not say \"$message\""
  echo "$name: the message was shown, exit code 1"
}

for name in missing cut; do
  mkdir -p "$WORK/$name/data"
  cp -r data/texture "$WORK/$name/data/"
done
rm "$WORK/missing/$BROKEN"
head -c 100 data/texture/floor.bmp >"$WORK/cut/$BROKEN"

start_display 1024x768 || exit 1
run missing
run cut "$BROKEN: a header, the colour table or the pixels run past the end"
echo "PASS"
