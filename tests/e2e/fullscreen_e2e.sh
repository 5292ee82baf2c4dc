#!/usr/bin/env bash
# Full screen on a display with no 640 x 480 mode (Xvfb whose only mode is
# 1600 x 900), played by xdotool: answer Y to the start-up question; the
# game's window covers the screen and shows its 4:3 picture scaled to the
# screen's height, centred, with black bars left and right; F1 gives the
# 640 x 480 window, F1 again full screen; Escape ends it with exit code 0
# and the screen is still 1600 x 900.
# Usage: fullscreen_e2e.sh TVLOUNGE [OUTPUT_DIR]   (run from the repository
# root). Exit 77 means skipped.
set -u

GAME=${1:?usage: fullscreen_e2e.sh TVLOUNGE [OUTPUT_DIR]}
OUT=${2:-.}
WAIT=${E2E_WAIT:-90}
TITLE="Quorne Tv lounge by Velmar"
AGAIN="ZENTRA TUTORIALS" # the title of every window F1 opens
mkdir -p "$OUT"

. "$(dirname "${BASH_SOURCE[0]}")/xlib.sh"

if ! ls data/texture/*.bmp >/dev/null 2>&1; then
  echo "SKIP: no textures under $(pwd)/data/texture"
  exit 77
fi
command -v convert >/dev/null || { echo "FAIL: ImageMagick is not installed"; exit 1; }

# The brightest value (0-1) in a rectangle WxH+X+Y of a picture.
brightest() {
  convert "$1" -crop "$2" +repage -format '%[fx:maxima]' info:
}

# WINDOW NAME: the window's size and corner as "WxH+X+Y".
geometry_of() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /^ *Width:/ {w=$2} /^ *Height:/ {h=$2} END {print w "x" h "+" x "+" y}'
}

# Held for a moment as a person would: the game reads F1 on an idle pass.
press_f1() {
  xdotool windowfocus "$1" 2>/dev/null
  xdotool keydown F1 2>/dev/null
  sleep 0.5
  xdotool keyup F1 2>/dev/null
}

# The screen: bars black, the picture's left and right edges at 200 and 1399
# (1200 x 900 is 4:3 at the screen's height).
check_full_screen() {
  local id=$1 step=$2 shot="$OUT/e2e-fullscreen-$2.png" left right inside
  wait_mapped "$id" || fail "$step: the window was never shown"
  [ "$(geometry_of "$id")" = "1600x900+0+0" ] ||
    fail "$step: the full-screen window is $(geometry_of "$id"), not 1600x900+0+0"
  sleep 2 # a few frames
  import -window root "$shot" 2>/dev/null || fail "$step: no screenshot"
  left=$(brightest "$shot" 198x900+0+0)
  right=$(brightest "$shot" 198x900+1402+0)
  inside=$(brightest "$shot" 4x900+202+0),$(brightest "$shot" 4x900+1394+0)
  echo "  $step: brightest left bar $left, right bar $right, picture edges $inside; $shot"
  [ "$left" = 0 ] && [ "$right" = 0 ] || fail "$step: the bars are not black"
  [[ "$inside" != 0,* && "$inside" != *,0 ]] ||
    fail "$step: the picture does not reach its 4:3 box's edges"
}

start_display 1600x900 || exit 1
start_game "$GAME" . y
id=$(wait_window "$TITLE") || fail "no window titled \"$TITLE\" after Y"
windows | grep -q ' OPENGL$' && fail "the not-supported question appeared"
check_full_screen "$id" answered-y

# F1: the 640 x 480 window; F1 again: full screen, with no question.
press_f1 "$id"
id=$(wait_window "$AGAIN") || fail "F1 opened no window"
wait_mapped "$id" || fail "F1's window was never shown"
[[ "$(geometry_of "$id")" == 640x480+* ]] ||
  fail "F1's window is $(geometry_of "$id"), not 640 x 480"
echo "  F1: window $(geometry_of "$id")"
for _ in 1 2 3; do
  press_f1 "$id"
  sleep 1
  [[ "$(geometry_of "$id" 2>/dev/null)" == 640x480+* ]] || break
done
id=$(wait_window "$AGAIN") || fail "F1 again opened no window"
check_full_screen "$id" f1-twice

xdotool windowfocus "$id" 2>/dev/null
xdotool key Escape 2>/dev/null
wait_exit || fail "the game did not end after Escape"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE after Escape"
screen=$(xwininfo -root | awk '/^ *Width:/ {w=$2} /^ *Height:/ {h=$2} END {print w "x" h}')
[ "$screen" = 1600x900 ] || fail "the screen is $screen after the game"
echo "ended with exit code 0; the screen is still $screen"
