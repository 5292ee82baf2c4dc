#!/usr/bin/env bash
# End-to-end run of the Windows programs under Wine on a virtual X display:
# the probe first (does the Wine + GL stack work at all?), then the game in
# windowed mode and through the refused full-screen question. Xvfb offers
# only 1024 x 768, so Wine refuses the 640 x 480 full-screen mode. Given the
# zip, it is also unpacked into a fresh folder and started from another
# working folder, and the program alone (no data anywhere) must say so and
# end with exit code 1. Given the installer, it is run silently in a fresh
# Wine prefix, the installed game is started through its Start-menu shortcut,
# and the silent uninstall must leave nothing of it behind.
#   tests/windows/e2e.sh BUILD_DIR [ZIP [INSTALLER]]
#                                           (scripts/windows.sh test calls it)
# Screenshots land in BUILD_DIR/e2e/.
set -euo pipefail
tvl_root=$(cd "$(dirname "$0")/../.." && pwd)
out=$(cd "${1:?usage: e2e.sh BUILD_DIR [ZIP [INSTALLER]]}" && pwd)
zip=${2:-}
setup=${3:-}
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
  Xvfb -displayfd 3 -screen 0 1024x768x24 +extension GLX -nolisten tcp -nolisten unix -noreset \
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
# folder, by default the repository root (which holds data/texture/). A
# shortcut (.lnk) is opened as Explorer opens it, in the folder it names.
start() {
  local folder=${2:-}
  case "$1" in
  *.lnk) (cd "${folder:-$tvl_root}" && exec "$WINE" start /wait /unix "$1") & ;;
  *) (cd "${folder:-$tvl_root}" && exec "$WINE" "$1") & ;;
  esac
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
  # Give the first frames time to appear; a fresh prefix takes longer to its
  # first textured frame (5 s at most).
  local count try
  for try in 1 2 3 4 5; do
    sleep 1
    import -window "$window" "$shots/$label.png"
    count=$(colours "$shots/$label.png")
    [ "$count" -gt 500 ] && break
  done
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

# unix_path WINDOWS_PATH: where a path of the prefix is on this machine.
unix_path() {
  "$WINE" winepath -u "$1" 2>/dev/null | tr -d '\r'
}

# prefix_runs PATTERN: whether a program of this prefix whose command line
# matches is running (other checks on this machine have prefixes of their
# own).
prefix_runs() {
  local pid
  for pid in $(pgrep -f "$1"); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" &&
      return 0
  done
  return 1
}

# The files under the prefix's user folders, for what an uninstall left.
user_files() {
  (cd "$WINEPREFIX/drive_c/users" && find . | LC_ALL=C sort)
}

# The installer in a prefix of its own, made afresh: silent install, the
# game through its shortcut, silent uninstall.
run_installer() {
  wine_down
  export WINEPREFIX=$shots/installer-prefix
  # Wine would copy the shortcut into this machine's own desktop menus.
  export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
  rm -rf "$WINEPREFIX"
  wine_up
  local key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\TvLounge'
  local local_data roaming folder shortcut
  local_data=$("$WINE" cmd /c echo %LOCALAPPDATA% | tr -d '\r')
  roaming=$("$WINE" cmd /c echo %APPDATA% | tr -d '\r')
  folder=$(unix_path "$local_data\\Programs\\TV Lounge")
  shortcut=$(unix_path "$roaming\\Microsoft\\Windows\\Start Menu\\Programs")/"TV Lounge.lnk"
  user_files >"$shots/installer-before.txt"
  "$WINE" "$setup" /S || { fail "installer: /S ended with exit code $?"; return; }
  local textures
  textures=$(ls "$folder/data/texture" 2>/dev/null | grep -c '\.bmp$' || true)
  if [ -f "$folder/tvlounge.exe" ] && [ -f "$folder/README.txt" ] &&
    [ -f "$folder/uninstall.exe" ] && [ "$textures" = 18 ]; then
    pass "installer: game, README, uninstaller and 18 textures in '$local_data\\Programs\\TV Lounge'"
  else
    fail "installer: in $folder: $(ls -R "$folder" 2>&1 | tr '\n' ' ')"
  fi
  # The shortcut's working folder is one of its strings (UTF-16).
  if [ -f "$shortcut" ] && strings -el "$shortcut" |
    grep -F "$local_data\\Programs\\TV Lounge" | grep -q 'TV Lounge$'; then
    pass "installer: Start-menu shortcut working in the installation folder"
  else
    fail "installer: shortcut '$shortcut': $(strings -el "$shortcut" 2>&1 | tr '\n' ' ')"
  fi
  "$WINE" reg query "$key" | tr -d '\r' >"$shots/installer-key.txt" 2>&1 || true
  local name want got missing=""
  for name in "DisplayName=TV Lounge" "DisplayVersion=$(version)" \
    "Publisher=TV Lounge developers" \
    "DisplayIcon=$local_data\\Programs\\TV Lounge\\tvlounge.exe,0" \
    "UninstallString=\"$local_data\\Programs\\TV Lounge\\uninstall.exe\""; do
    want=${name#*=}
    got=$(awk -v n="${name%%=*}" '$1 == n { sub(/^ *[^ ]+ +REG_SZ +/, ""); print }' \
      "$shots/installer-key.txt")
    [ "$got" = "$want" ] || missing+=" ${name%%=*}='$got'"
  done
  local size
  size=$(awk '$1 == "EstimatedSize" && $2 == "REG_DWORD" { print $3 }' "$shots/installer-key.txt")
  [ -n "$size" ] && [ $((size)) -gt 1000 ] || missing+=" EstimatedSize='$size'"
  [ -z "$missing" ] && pass "installer: uninstall key written (size $((size)) KiB)" ||
    fail "installer: uninstall key:$missing"
  run_game_windowed installed-shortcut "$shortcut" "$shots"
  # The shortcut's opener has ended; the game may still be ending, and an
  # uninstaller cannot delete a running program (20 s at most).
  local deadline=$((SECONDS + 20))
  while prefix_runs 'TV Lounge.tvlounge\.exe' && [ $SECONDS -lt $deadline ]; do
    sleep 0.2
  done
  # The uninstaller runs on from a copy of itself, which removes the folder
  # and then the key: wait for both (30 s at most).
  "$WINE" "$folder/uninstall.exe" /S || fail "uninstaller: /S ended with exit code $?"
  deadline=$((SECONDS + 30))
  while [ -e "$folder" ] && [ $SECONDS -lt $deadline ]; do
    sleep 0.2
  done
  while "$WINE" reg query "$key" >/dev/null 2>&1 && [ $SECONDS -lt $deadline ]; do
    sleep 0.2
  done
  # What is new in the user folders since before the install, but for the
  # uninstaller's own copy in the temporary folder (~nsuN.tmp), which is
  # left for Windows to delete at the next start.
  local left copy
  left=$(comm -13 "$shots/installer-before.txt" <(user_files) |
    grep -v '/Temp/~nsu[0-9]*\.tmp' || true)
  copy=$(comm -13 "$shots/installer-before.txt" <(user_files) |
    grep '/Temp/~nsu[0-9]*\.tmp/' | tr '\n' ' ' || true)
  [ ! -e "$folder" ] && [ ! -e "$shortcut" ] && [ -z "$left" ] &&
    pass "uninstaller: files, folder and shortcut gone, nothing else new in the user folders (its temporary copy: ${copy:-none})" ||
    fail "uninstaller: left behind: $left"
  "$WINE" reg query "$key" >/dev/null 2>&1 &&
    fail "uninstaller: the uninstall key is still there" ||
    pass "uninstaller: the uninstall key is gone"
}

version() {
  sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/CMakeCache.txt"
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
[ -n "$setup" ] && run_installer
echo "e2e: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
