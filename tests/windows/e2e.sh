#!/usr/bin/env bash
# End-to-end run of the Windows programs under Wine on a virtual X display:
# the probe first (does the Wine + GL stack work at all?), then the game in
# windowed mode and through the refused full-screen question. Xvfb offers
# only 1024 x 768, so Wine refuses the 640 x 480 full-screen mode. Given the
# zip, it is also unpacked into a fresh folder and started from another
# working folder, and the program alone (no data anywhere) must say so and
# end with exit code 1.
#   tests/windows/e2e.sh BUILD_DIR [ZIP]    (scripts/windows.sh test calls it)
# Screenshots land in BUILD_DIR/e2e/.
set -euo pipefail
tvl_root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(cd "${1:?usage: e2e.sh BUILD_DIR [ZIP]}" && pwd)
zip=${2:-}
shots=$out/e2e
mkdir -p "$shots"
. "$tvl_root/scripts/wine-env.sh"

title="Quorne Tv lounge by Velmar"
failures=0
passes=0
xvfb_pid=""
app_pid=""
exit_code=0

fail() {
  echo "e2e: FAIL: $*"
  echo "e2e: windows on the display:"
  xdotool search --name '.' 2>/dev/null | while read -r id; do
    echo "    $id '$(xdotool getwindowname "$id" 2>/dev/null)' $(client_size "$id" 2>/dev/null)"
  done
  failures=$((failures + 1))
}
pass() {
  echo "e2e: ok: $*"
  passes=$((passes + 1))
}

cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  # Wine's desktop process holds the display open; end it before the display.
  wine_down
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
trap cleanup EXIT

start_display() {
  local fifo=$shots/displayfd
  rm -f "$fifo"
  mkfifo "$fifo"
  # Only the abstract socket, unique across the machine (see
  # tests/e2e/xlib.sh).
  Xvfb -displayfd 3 -screen 0 1024x768x24 +extension GLX -nolisten tcp -nolisten unix \
    3>"$fifo" >"$shots/xvfb.log" 2>&1 &
  xvfb_pid=$!
  local number
  read -r -t 20 number <"$fifo" || true
  rm -f "$fifo"
  if [ -z "$number" ]; then
    echo "e2e: Xvfb did not start"
    cat "$shots/xvfb.log"
    exit 1
  fi
  export DISPLAY=:$number
}

# wait_window REGEX SECONDS: prints the id of the first window whose name
# matches, or nothing when none appeared in time.
wait_window() {
  local pattern=$1 deadline=$((SECONDS + $2)) id
  while [ $SECONDS -lt $deadline ]; do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.2
  done
}

# press WINDOW KEY: real (XTEST) key events to the window, given the focus
# first; there is no window manager to give it.
press() {
  xdotool windowfocus --sync "$1" 2>/dev/null || true
  xdotool key "$2"
}

# answer BOX KEY: presses the key in a message box until the box is gone; a
# box that has just been mapped may not take input yet. Fails after 10 tries.
answer() {
  local box=$1 key=$2 try wait
  for try in 1 2 3 4 5 6 7 8 9 10; do
    press "$box" "$key"
    for wait in 1 2 3 4 5 6 7 8 9 10; do
      xwininfo -id "$box" 2>/dev/null | grep -q 'IsViewable' || return 0
      sleep 0.2
    done
  done
  return 1
}

client_size() {
  xwininfo -id "$1" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'
}

# start PROGRAM [FOLDER]: runs it under Wine with FOLDER as the working
# folder, by default the repository root (which holds data/texture/).
start() {
  local folder=${2:-}
  (cd "${folder:-$tvl_root}" && exec "$WINE" "$1") &
  app_pid=$!
}

# finish: sets exit_code to the program's exit code, or 124 when it did not
# end within 20 seconds (then it is killed). Not for a subshell: only this
# shell can wait for the program.
finish() {
  local deadline=$((SECONDS + 20))
  while kill -0 "$app_pid" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
    sleep 0.2
  done
  exit_code=0
  if kill -0 "$app_pid" 2>/dev/null; then
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
    exit_code=124
  else
    wait "$app_pid" || exit_code=$?
  fi
  app_pid=""
}

# hold_up WINDOW: holds the up arrow until the title changes (10 s at most);
# prints the new title.
hold_up() {
  local window=$1 before now deadline=$((SECONDS + 10))
  before=$(xdotool getwindowname "$window")
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool keydown Up
  now=$before
  while [ "$now" = "$before" ] && [ $SECONDS -lt $deadline ]; do
    sleep 0.1
    now=$(xdotool getwindowname "$window" 2>/dev/null || true)
  done
  xdotool keyup Up
  echo "$now"
}

# colours PNG: the number of distinct colours in the picture.
colours() {
  convert "$1" -format '%k' info:
}

run_probe() {
  start "$out/tests/windows/tvlounge-probe.exe"
  local box window
  box=$(wait_window '^Probe$' 30)
  [ -n "$box" ] || { fail "probe: no start-up message box"; finish; return; }
  answer "$box" n
  window=$(wait_window '^Probe window$' 20)
  [ -n "$window" ] || { fail "probe: no window after answering No"; finish; return; }
  sleep 0.5
  import -window "$window" "$shots/probe.png"
  local pixel
  pixel=$(convert "$shots/probe.png" -format '%[pixel:p{320,240}]' info:)
  # The probe clears to blue after a No: GL drew into the Wine window.
  if [ "$pixel" = "srgb(0,0,204)" ]; then
    pass "probe: GL frame shown in a $(client_size "$window") window"
  else
    fail "probe: expected the blue clear colour, saw $pixel"
  fi
  local now
  now=$(hold_up "$window")
  [ "$now" = "Probe saw the up arrow" ] && pass "probe: up arrow seen" ||
    fail "probe: title after the up arrow is '$now'"
  press "$window" Escape
  finish
  [ "$exit_code" = 0 ] && pass "probe: exit code 0" || fail "probe: exit code $exit_code"
}

# check_game_window WINDOW LABEL: size, picture, movement, Escape, exit code.
check_game_window() {
  local window=$1 label=$2
  local size
  size=$(client_size "$window")
  [ "$size" = 640x480 ] && pass "$label: client area 640x480" ||
    fail "$label: client area $size"
  # Give the first frames time to appear.
  sleep 1
  import -window "$window" "$shots/$label.png"
  local count
  count=$(colours "$shots/$label.png")
  # A textured, lit room has thousands of colours; a blank or cleared window
  # has one.
  if [ "$count" -gt 500 ]; then
    pass "$label: the lounge is drawn ($count colours, $shots/$label.png)"
  else
    fail "$label: picture has $count colours ($shots/$label.png)"
  fi
  local now
  now=$(hold_up "$window")
  case "$now" in
  "Balls collected so far: "* | "collision occured, try to move to another direction")
    pass "$label: walking changed the title to '$now'"
    ;;
  *) fail "$label: title after holding the up arrow is '$now'" ;;
  esac
  press "$window" Escape
  finish
  [ "$exit_code" = 0 ] && pass "$label: Escape ends with exit code 0" ||
    fail "$label: exit code $exit_code"
}

# run_game_windowed LABEL PROGRAM [FOLDER]: answers No, then the checks of
# check_game_window.
run_game_windowed() {
  local label=$1 box window
  start "$2" "${3:-}"
  box=$(wait_window '^Start FullScreen\?$' 30)
  [ -n "$box" ] || { fail "$label: no start-up question"; finish; return; }
  import -window "$box" "$shots/$label-question.png"
  answer "$box" n
  window=$(wait_window "^$title\$" 30)
  [ -n "$window" ] || { fail "$label: no window titled '$title'"; finish; return; }
  pass "$label: window titled '$title'"
  check_game_window "$window" "$label"
}

run_game_refused_full_screen() {
  start "$out/app/tvlounge.exe"
  local box question window
  box=$(wait_window '^Start FullScreen\?$' 30)
  [ -n "$box" ] || { fail "full screen: no start-up question"; finish; return; }
  answer "$box" y
  question=$(wait_window '^OPENGL$' 20)
  [ -n "$question" ] || { fail "full screen: no 'OPENGL' question for the refused mode"; finish; return; }
  import -window "$question" "$shots/refused-mode-question.png"
  pass "full screen: refused mode asked under 'OPENGL' ($shots/refused-mode-question.png)"
  answer "$question" y
  window=$(wait_window "^$title\$" 30)
  [ -n "$window" ] || { fail "full screen: no window after answering Yes"; finish; return; }
  pass "full screen: Yes opened the window '$title'"
  check_game_window "$window" fallback-windowed
}

# The zip unpacked into a fresh folder, started from another working folder:
# the game moves to its own folder, which holds data/.
run_unpacked_zip() {
  local unpacked=$shots/unpacked elsewhere=$shots/elsewhere
  rm -rf "$unpacked" "$elsewhere"
  mkdir -p "$unpacked" "$elsewhere"
  (cd "$unpacked" && cmake -E tar xf "$zip")
  local exe=$unpacked/tvlounge-windows-x64/tvlounge.exe
  [ -f "$exe" ] && [ -f "$unpacked/tvlounge-windows-x64/README.txt" ] &&
    [ "$(ls "$unpacked/tvlounge-windows-x64/data/texture" | wc -l)" = 18 ] ||
    { fail "zip: no tvlounge.exe, README.txt and 18 textures"; return; }
  run_game_windowed zip-elsewhere "$exe" "$elsewhere"
}

# The program without any data folder: the missing-file message, exit code 1.
run_without_data() {
  local bare=$shots/bare box
  rm -rf "$bare"
  mkdir -p "$bare"
  cp "$out/app/tvlounge.exe" "$bare/"
  start "$bare/tvlounge.exe" "$bare"
  box=$(wait_window '^Error$' 30)
  [ -n "$box" ] || { fail "no data: no 'Error' message"; finish; return; }
  answer "$box" Return
  finish
  [ "$exit_code" = 1 ] && pass "no data: message shown, exit code 1" ||
    fail "no data: exit code $exit_code"
}

start_display
# Wine's desktop process binds to the display it was started with: start the
# server and its services afresh on this one.
wine_down
wine_up
run_probe
run_game_windowed windowed "$out/app/tvlounge.exe"
run_game_refused_full_screen
if [ -n "$zip" ]; then
  run_unpacked_zip
  run_without_data
fi
echo "e2e: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
