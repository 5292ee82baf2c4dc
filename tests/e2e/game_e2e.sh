#!/usr/bin/env bash
# The real game under Xvfb, played from the keyboard by xdotool: answer No to
# the start-up question, hold the up arrow, and read the window title back
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

for tool in Xvfb xdotool xwininfo; do
  if ! command -v "$tool" >/dev/null; then
    echo "FAIL: $tool is not installed (scripts/install-deps installs it)"
    exit 1
  fi
done
if ! ls data/texture/*.bmp >/dev/null 2>&1; then
  echo "SKIP: no textures under $(pwd)/data/texture"
  exit 77
fi

XVFB_PID=""
GAME_PID=""
WORK=$(mktemp -d)
cleanup() {
  [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $1"
  echo "  the game's output:"
  tail -n 30 "$WORK/game.log" | sed 's/^/    /'
  exit 1
}

# Xvfb on a free display; sets DISPLAY.
: >"$WORK/displayfd"
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp \
  5>"$WORK/displayfd" >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
for _ in $(seq 100); do
  [ -s "$WORK/displayfd" ] && break
  sleep 0.1
done
[ -s "$WORK/displayfd" ] || { cat "$WORK/xvfb.log"; fail "Xvfb did not start"; }
export DISPLAY=":$(tr -d '[:space:]' <"$WORK/displayfd")"

# Top-level windows as "id name" lines (xwininfo reads UTF8_STRING names,
# which xdotool's search misses).
windows() {
  xwininfo -root -children 2>/dev/null |
    sed -n 's/^ *\(0x[0-9a-f]*\) "\(.*\)": .*/\1 \2/p'
}

# The id of the window with exactly this name, waiting for it to appear.
wait_window() {
  local name=$1 deadline=$((SECONDS + WAIT)) id
  while [ $SECONDS -lt $deadline ]; do
    id=$(windows | awk -v n="$name" '{i=$1; sub(/^[^ ]* /, ""); if ($0 == n) {print i; exit}}')
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    kill -0 "$GAME_PID" 2>/dev/null || return 1
    sleep 0.2
  done
  return 1
}

wait_mapped() {
  local id=$1 deadline=$((SECONDS + WAIT))
  while [ $SECONDS -lt $deadline ]; do
    xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && return 0
    sleep 0.1
  done
  return 1
}

# The current name of a window.
title_of() {
  xwininfo -id "$1" 2>/dev/null | sed -n 's/^xwininfo: Window id: [^ ]* "\(.*\)"$/\1/p'
}

(unset SDL_VIDEODRIVER; exec "$GAME") >"$WORK/game.log" 2>&1 &
GAME_PID=$!

box=$(wait_window "Start FullScreen?") || fail "no start-up question"
wait_mapped "$box"
xdotool key --window "$box" Escape 2>/dev/null # No: windowed
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
deadline=$((SECONDS + 60))
while kill -0 "$GAME_PID" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
  sleep 0.2
done
kill -0 "$GAME_PID" 2>/dev/null && fail "the game did not end after Escape"
wait "$GAME_PID"
code=$?
GAME_PID=""
[ "$code" = 0 ] || fail "exit code $code after Escape"
echo "ended with exit code 0"
