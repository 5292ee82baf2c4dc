# Shared by the Xvfb end-to-end scripts (sourced, not run): a private X
# display, finding the game's windows by name, waiting for them and for the
# game to end, starting it windowed, failing with its output. The sourcing
# script sets WAIT (seconds for a window); this file makes WORK, a scratch
# directory removed on exit together with the game and the display.

for tool in Xvfb xdotool xwininfo; do
  if ! command -v "$tool" >/dev/null; then
    echo "FAIL: $tool is not installed (scripts/install-deps installs it)"
    exit 1
  fi
done

XVFB_PID=""
GAME_PID=""
EXIT_CODE=""
WORK=$(mktemp -d)
cleanup() {
  [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

# Starts Xvfb on a free display of the given size; sets DISPLAY.
start_display() {
  local size=$1
  : >"$WORK/displayfd"
  # Only the abstract socket: its name is unique across every root on the
  # machine (a fresh-check's too), so a free display is found by binding it.
  # A socket file would be unlinked and bound again by a second server on
  # the same number, and the two would share clients. No reset when the last
  # client leaves: a game started right after another would find the server
  # mid-reset and no display to open.
  Xvfb -displayfd 5 -screen 0 "${size}x24" -nolisten tcp -nolisten unix -noreset \
    5>"$WORK/displayfd" >"$WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    if [ -s "$WORK/displayfd" ]; then
      export DISPLAY=":$(tr -d '[:space:]' <"$WORK/displayfd")"
      return 0
    fi
    sleep 0.1
  done
  echo "FAIL: Xvfb did not start:"; cat "$WORK/xvfb.log"
  return 1
}

stop_display() {
  kill "$XVFB_PID" 2>/dev/null
  wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=""
}

# The top-level windows as "id name" lines. (xdotool's own search misses
# windows whose name is UTF8_STRING, as SDL's are; xwininfo reads them.)
windows() {
  xwininfo -root -children 2>/dev/null |
    sed -n 's/^ *\(0x[0-9a-f]*\) "\(.*\)": .*/\1 \2/p'
}

# Waits for a window with exactly this name; prints its id. Gives up at
# once if the game has ended.
wait_window() {
  local name=$1 deadline=$((SECONDS + WAIT)) id
  while [ $SECONDS -lt $deadline ]; do
    id=$(windows | awk -v n="$name" '{i=$1; sub(/^[^ ]* /, ""); if ($0 == n) {print i; exit}}')
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    if ! kill -0 "$GAME_PID" 2>/dev/null; then
      return 1
    fi
    sleep 0.2
  done
  return 1
}

# Waits for a window to be shown.
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

# Waits for the game to end; sets EXIT_CODE. (Not in a subshell: only this
# shell can collect its child's status.)
wait_exit() {
  local deadline=$((SECONDS + 60))
  while kill -0 "$GAME_PID" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
    sleep 0.2
  done
  if kill -0 "$GAME_PID" 2>/dev/null; then
    return 1
  fi
  wait "$GAME_PID"
  EXIT_CODE=$?
  GAME_PID=""
}

# Ends the script with a failure and the game's last output.
fail() {
  echo "FAIL: $1"
  echo "  the game's output:"
  tail -n 30 "$WORK/game.log" | sed 's/^/    /'
  exit 1
}

# start_windowed COMMAND [FOLDER] [KEY]: starts the game in FOLDER (default
# the current one) on the display, its output in $WORK/game.log, and answers
# the start-up question No with KEY (default Escape): windowed. Sets GAME_PID.
start_windowed() {
  start_game "$1" "${2:-.}" "${3:-Escape}"
}

# start_game COMMAND FOLDER KEY: as above, the start-up question answered
# with KEY (y for full screen).
start_game() {
  local box
  (cd "$2" && unset SDL_VIDEODRIVER && exec "$1") >"$WORK/game.log" 2>&1 &
  GAME_PID=$!
  box=$(wait_window "Start FullScreen?") || fail "no start-up question"
  wait_mapped "$box"
  xdotool key --window "$box" "$3" 2>/dev/null
}
