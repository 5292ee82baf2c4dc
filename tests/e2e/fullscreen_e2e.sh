#!/usr/bin/env bash
# Full screen on a display with no 640 x 480 mode (Xvfb whose only mode is
# SCREEN), played by xdotool: answer Y to the start-up question; the game's
# window covers the screen, the game is given the screen's 4:3 box as its
# viewport (or, where the passes could not keep pace there, a smaller size
# of the ladder), and the picture fills that box, centred, with black bars
# left and right. F1 tapped gives the 640 x 480 window, F1 tapped again full
# screen; Escape ends it with exit code 0 and the screen is still SCREEN.
# The sizes given are logged by the preloaded swap_counter.c, which also
# counts glCopyPixels: the full box is drawn in place after one copied
# frame; "no-fbo" gives the game a GL 1.3 context without framebuffer
# objects or glWindowPos (as old drivers have), so a smaller size has to be
# copied, placed with glRasterPos, and the copies prove it was. "bump" also
# taps B twice where pillars are in view: the first tap changes the picture,
# the second brings it back.
# Usage: fullscreen_e2e.sh TVLOUNGE OUTPUT_DIR SWAP_COUNTER.so [SCREEN]
#        [fbo|no-fbo] [bump]   (run from the repository root). Exit 77 means
# skipped. Screenshots and the viewport log are left in OUTPUT_DIR.
set -u

GAME=${1:?usage: fullscreen_e2e.sh TVLOUNGE OUTPUT_DIR SWAP_COUNTER.so [SCREEN] [fbo|no-fbo] [bump]}
OUT=${2:?usage: fullscreen_e2e.sh TVLOUNGE OUTPUT_DIR SWAP_COUNTER.so}
COUNTER=${3:?usage: fullscreen_e2e.sh TVLOUNGE OUTPUT_DIR SWAP_COUNTER.so}
SCREEN=${4:-1600x900}
KIND=${5:-fbo}
BUMP=${6:-}
WAIT=${E2E_WAIT:-90}
TITLE="Quorne Tv lounge by Velmar"
AGAIN="ZENTRA TUTORIALS" # the title of every window F1 opens
TAG="$SCREEN-$KIND"
mkdir -p "$OUT"
OUT=$(realpath "$OUT")

. "$(dirname "${BASH_SOURCE[0]}")/xlib.sh"

if ! ls data/texture/*.bmp >/dev/null 2>&1; then
  echo "SKIP: no textures under $(pwd)/data/texture"
  exit 77
fi
command -v convert >/dev/null || { echo "FAIL: ImageMagick is not installed"; exit 1; }

# The 4:3 box of a wide screen, in whole 4 x 3 units, and where it sits.
SW=${SCREEN%x*}
SH=${SCREEN#*x}
[ $((SW * 3)) -ge $((SH * 4)) ] || { echo "FAIL: $SCREEN is not a wide screen"; exit 1; }
BH=$((SH / 3 * 3))
BW=$((BH / 3 * 4))
BX=$(((SW - BW) / 2))

# The brightest value (0-1) in a rectangle WxH+X+Y of a picture.
brightest() {
  convert "$1" -crop "$2" +repage -format '%[fx:maxima]' info:
}

# WINDOW NAME: the window's size and corner as "WxH+X+Y".
geometry_of() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /^ *Width:/ {w=$2} /^ *Height:/ {h=$2} END {print w "x" h "+" x "+" y}'
}

VIEWPORTS=$OUT/viewports-$TAG.txt
COPIES=$WORK/copies
SWAPS=$WORK/swaps
: >"$VIEWPORTS"

copies() {
  [ -s "$COPIES" ] && tr -d ' \n' <"$COPIES" || echo 0
}

swaps() {
  [ -s "$SWAPS" ] && tr -d ' \n' <"$SWAPS" || echo 0
}

# The viewport sizes given from line FROM on.
viewports_from() {
  tail -n "+$1" "$VIEWPORTS"
}

# Waits until a window other than OLD has this name; prints its id. F1 shuts
# one window and opens the next under the same name.
wait_new_window() {
  local name=$1 old=$2 deadline=$((SECONDS + WAIT)) id
  while [ $SECONDS -lt $deadline ]; do
    id=$(windows | awk -v n="$name" -v o="$old" '{i=$1; sub(/^[^ ]* /, ""); if ($0 == n && i != o) {print i; exit}}')
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    kill -0 "$GAME_PID" 2>/dev/null || return 1
    sleep 0.2
  done
  return 1
}

# STEP FROM: the sizes given from viewport line FROM on start with the
# box (before it only the 640 x 480 the game asked for), and every later one
# is a 4:3 size no larger; sets DRAWN to the last.
check_viewports() {
  local step=$1 from=$2 deadline=$((SECONDS + 30)) sizes bad
  while [ $SECONDS -lt $deadline ]; do
    viewports_from "$from" | grep -qx "$BW $BH" && break
    sleep 0.2
  done
  sizes=$(viewports_from "$from" | tr '\n' ',' | sed 's/,$//')
  viewports_from "$from" | grep -qx "$BW $BH" ||
    fail "$step: the game was never given the ${BW}x$BH box (given: $sizes)"
  bad=$(viewports_from "$from" | awk -v bw="$BW" -v bh="$BH" '
    !seen && $0 == bw " " bh {seen = 1; next}
    !seen && $0 != "640 480" {print; exit}
    seen && ($1 * 3 != $2 * 4 || $2 > bh || $2 < 480) {print; exit}')
  [ -z "$bad" ] || fail "$step: the game was given $bad (given: $sizes)"
  DRAWN=$(viewports_from "$from" | tail -n 1 | tr ' ' x)
}

# The screen: bars black, the picture reaching its box's edges.
check_full_screen() {
  local id=$1 step=$2 from=$3 shot="$OUT/e2e-fullscreen-$TAG-$2.png"
  local left right inside copied given
  wait_mapped "$id" || fail "$step: the window was never shown"
  [ "$(geometry_of "$id")" = "${SCREEN}+0+0" ] ||
    fail "$step: the full-screen window is $(geometry_of "$id"), not ${SCREEN}+0+0"
  check_viewports "$step" "$from"
  sleep 2 # a few frames at the size given
  copied=$(copies) given=$(wc -l <"$VIEWPORTS")
  import -window root "$shot" 2>/dev/null || fail "$step: no screenshot"
  left=$(brightest "$shot" "$((BX - 2))x$SH+0+0")
  right=$(brightest "$shot" "$((BX - 2))x$SH+$((BX + BW + 2))+0")
  inside=$(brightest "$shot" "4x$SH+$((BX + 2))+0"),$(brightest "$shot" "4x$SH+$((BX + BW - 6))+0")
  check_viewports "$step" "$from"
  echo "  $step: drawn at $DRAWN into the ${BW}x$BH box at x $BX;" \
    "brightest left bar $left, right bar $right, picture edges $inside; $shot"
  [ "$left" = 0 ] && [ "$right" = 0 ] || fail "$step: the bars are not black"
  [[ "$inside" != 0,* && "$inside" != *,0 ]] ||
    fail "$step: the picture does not reach its 4:3 box's edges"
  # The full box is drawn in place: its first frame, drawn in the corner
  # before the viewport was moved, is the only one copied. A smaller size is
  # scaled through a framebuffer object where there are any, copied zoomed
  # where not. That nothing was copied is only judged when no new size came
  # between.
  if [ "$KIND" = no-fbo ] && [ "$DRAWN" != "${BW}x$BH" ]; then
    [ "$(copies)" -gt "$copied" ] ||
      fail "$step: drawn at $DRAWN, yet the picture was not copied"
    echo "  $step: copied into the box with glCopyPixels ($(copies) copies so far)"
    return 0
  fi
  [ "$(wc -l <"$VIEWPORTS")" = "$given" ] || return 0
  if [ "$DRAWN" = "${BW}x$BH" ]; then
    [ "$(copies)" -gt 0 ] ||
      fail "$step: the full box's first frame was never copied into place"
    [ "$(copies)" = "$copied" ] ||
      fail "$step: drawn at the full box, yet copied frame after frame"
    echo "  $step: drawn in place ($(copies) frames copied, none since)"
  else
    [ "$(copies)" = "$copied" ] ||
      fail "$step: scaled from $DRAWN, yet copied although framebuffer objects are there"
  fi
}

# STEP: a screenshot of the picture's box; prints its file.
shot_of_box() {
  local shot="$OUT/e2e-fullscreen-$TAG-$1.png"
  import -window root "$WORK/screen.png" 2>/dev/null || fail "$1: no screenshot"
  convert "$WORK/screen.png" -crop "${BW}x$BH+$BX+0" +repage "$shot"
  echo "$shot"
}

# How much two pictures differ: the mean absolute difference (0-1).
difference() {
  compare -metric MAE "$1" "$2" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p'
}

# Taps B twice with pillars in view: the picture changes, then is back.
check_bump_taps() {
  local id=$1 before after again first second given
  # Backwards, held as a player would, until two pillars are in view (20 to
  # 60 passes back all show them; fewer show neither roof nor pillar).
  # Counted in passes, not seconds: a loaded machine makes fewer.
  local start deadline=$((SECONDS + 20))
  start=$(swaps)
  xdotool keydown --window "$id" Down 2>/dev/null
  while [ $(($(swaps) - start)) -lt 35 ] && [ $SECONDS -lt $deadline ]; do
    sleep 0.02
  done
  xdotool keyup --window "$id" Down 2>/dev/null
  sleep 1 # the walk ends, the frames settle
  # A step of the drawing size between the shots would change them too:
  # then the taps are tried again.
  for _ in 1 2 3; do
    given=$(wc -l <"$VIEWPORTS")
    before=$(shot_of_box bump-before)
    xdotool key --window "$id" b 2>/dev/null
    sleep 1
    after=$(shot_of_box bump-after-one-tap)
    xdotool key --window "$id" b 2>/dev/null
    sleep 1
    again=$(shot_of_box bump-after-two-taps)
    [ "$(wc -l <"$VIEWPORTS")" = "$given" ] && break
    echo "  the drawing size stepped during the taps; again"
  done
  first=$(difference "$before" "$after")
  second=$(difference "$before" "$again")
  echo "  B tapped: the picture differs by $first after one tap, by $second after two"
  awk -v a="$first" -v b="$second" 'BEGIN {exit !(a > 0.001 && b < 0.0002)}' ||
    fail "B tapped did not toggle bump mapping once each time ($first, $second)"
}

start_display "$SCREEN" || exit 1
export TVL_VIEWPORT_FILE=$VIEWPORTS TVL_COPY_COUNT_FILE=$COPIES \
  TVL_SWAP_COUNT_FILE=$SWAPS
# A sanitized game wants its runtime first; the wrapper needs none.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0
if [ "$KIND" = no-fbo ]; then
  export MESA_EXTENSION_OVERRIDE="-GL_ARB_framebuffer_object -GL_EXT_framebuffer_object -GL_ARB_window_pos"
  export MESA_GL_VERSION_OVERRIDE=1.3
fi
printf '#!/bin/sh\nLD_PRELOAD=%q exec %q\n' "$(realpath "$COUNTER")" \
  "$(realpath "$GAME")" >"$WORK/counted-game"
chmod +x "$WORK/counted-game"
start_game "$WORK/counted-game" . y
id=$(wait_window "$TITLE") || fail "no window titled \"$TITLE\" after Y"
windows | grep -q ' OPENGL$' && fail "the not-supported question appeared"
check_full_screen "$id" answered-y 1
[ -n "$BUMP" ] && check_bump_taps "$id"

# F1 tapped: the 640 x 480 window; tapped again: full screen, no question.
xdotool key --window "$id" F1 2>/dev/null
old=$id
id=$(wait_new_window "$AGAIN" "$old") || fail "F1 opened no window"
wait_mapped "$id" || fail "F1's window was never shown"
sleep 1
[[ "$(geometry_of "$id")" == 640x480+* ]] ||
  fail "F1's window is $(geometry_of "$id"), not 640 x 480"
[ "$(tail -n 1 "$VIEWPORTS")" = "640 480" ] ||
  fail "F1's window was given $(tail -n 1 "$VIEWPORTS"), not 640 480"
echo "  F1 tapped: window $(geometry_of "$id"), given 640x480"
mark=$(($(wc -l <"$VIEWPORTS") + 1))
xdotool key --window "$id" F1 2>/dev/null
old=$id
id=$(wait_new_window "$AGAIN" "$old") || fail "F1 again opened no window"
check_full_screen "$id" f1-twice "$mark"

xdotool key --window "$id" Escape 2>/dev/null
wait_exit || fail "the game did not end after Escape"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE after Escape"
screen=$(xwininfo -root | awk '/^ *Width:/ {w=$2} /^ *Height:/ {h=$2} END {print w "x" h}')
[ "$screen" = "$SCREEN" ] || fail "the screen is $screen after the game"
echo "ended with exit code 0; the screen is still $screen"
