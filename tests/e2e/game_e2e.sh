#!/usr/bin/env bash
# The real game under Xvfb, played from the keyboard by xdotool: answer N to
# the start-up question (its No button's letter), hold the up arrow, and read the window title back
# until it shows the score and then the collision message (walking straight
# ahead from the start ends at the glass wall); release, Escape, exit code 0.
# Usage: game_e2e.sh TVLOUNGE [OUTPUT_DIR]   (run from the repository root:
# the game reads data/texture/ relative to it). Exit 77 means skipped.
set -u

GAME=${1:?usage: game_e2e.sh TVLOUNGE [OUTPUT_DIR]}
OUT=${2:-.}
WAIT=${E2E_WAIT:-90} # seconds for a window; sanitized builds start slowly
TITLE="Quorne Tv lounge by Velmar"
SCORE_RE='^Balls collected so far: [0-9]+$'
COLLISION="collision occured, try to move to another direction"
mkdir -p "$OUT"

. "$(dirname "${BASH_SOURCE[0]}")/xlib.sh"

if ! ls data/texture/*.bmp >/dev/null 2>&1; then
  echo "SKIP: no textures under $(pwd)/data/texture"
  exit 77
fi

start_display 1024x768 || exit 1
start_windowed "$GAME" . n
id=$(wait_window "$TITLE") || fail "no window titled \"$TITLE\""
wait_mapped "$id" || fail "the game window was never shown"
echo "game window $id: \"$(title_of "$id")\""

# Hold the up arrow; the title must show the score first (a free step) and
# then the collision message (the glass wall ahead).
xdotool keydown --window "$id" Up 2>/dev/null
saw_score=""
saw_collision=""
deadline=$((SECONDS + WAIT))
while [ $SECONDS -lt $deadline ] && [ -z "$saw_collision" ]; do
  t=$(title_of "$id")
  if [[ "$t" =~ $SCORE_RE ]] && [ -z "$saw_score" ]; then
    saw_score=$t
    echo "  title while walking: \"$t\""
  elif [ "$t" = "$COLLISION" ]; then
    saw_collision=$t
    echo "  title at the wall: \"$t\""
  fi
  kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended while walking"
  sleep 0.05
done
xdotool keyup --window "$id" Up 2>/dev/null
[ -n "$saw_score" ] || fail "the title never showed the score; last \"$(title_of "$id")\""
[ -n "$saw_collision" ] ||
  fail "the title never showed the collision message; last \"$(title_of "$id")\""

if command -v import >/dev/null; then
  import -window root "$OUT/e2e-game-wall.png" 2>/dev/null &&
    echo "  screenshot: $OUT/e2e-game-wall.png"
fi

# Escape ends the game with exit code 0.
xdotool key --window "$id" Escape 2>/dev/null
wait_exit || fail "the game did not end after Escape"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE after Escape"
echo "ended with exit code 0"
