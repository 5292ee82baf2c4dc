#!/usr/bin/env bash
# The real game full screen under Xvfb (no vsync, drawn by llvmpipe) at
# 1600 x 900 and 3840 x 2160: passes per second and processor seconds per
# 10 s of play at the size the face settles on (the screen's 4:3 box, or a
# smaller step of the ladder where the passes cannot keep pace there), and
# with the box itself held, against the same screen drawn at a fixed
# 640 x 480 stretched to the box (both held by TVL_BENCH_DRAW_SIZE),
# measured in the same run; the ratios are printed.
# The swaps are counted and the sizes logged by the preloaded swap counter.
# Usage: full_screen_bench.sh TVLOUNGE SWAP_COUNTER.so   (run from the
# repository root). Exit 77 means skipped.
set -u

GAME=${1:?usage: full_screen_bench.sh TVLOUNGE SWAP_COUNTER.so}
COUNTER=${2:?usage: full_screen_bench.sh TVLOUNGE SWAP_COUNTER.so}
WAIT=${E2E_WAIT:-90}
MEASURED=${SECONDS_MEASURED:-10}
SCREENS=${BENCH_SCREENS:-1600x900 3840x2160}
TITLE="Quorne Tv lounge by Velmar"

. tests/e2e/xlib.sh

if ! ls data/texture/*.bmp >/dev/null 2>&1; then
  echo "SKIP: no textures under $(pwd)/data/texture"
  exit 77
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0
printf '#!/bin/sh\nLD_PRELOAD=%q exec %q\n' "$(realpath "$COUNTER")" \
  "$(realpath "$GAME")" >"$WORK/counted-game"
chmod +x "$WORK/counted-game"

# The game's processor time so far, in clock ticks (user + system).
cpu_ticks() {
  awk '{print $14 + $15}' "/proc/$GAME_PID/stat"
}

swaps() {
  [ -s "$WORK/swaps" ] && tr -d ' \n' <"$WORK/swaps" || echo 0
}

# SCREEN [FIXED]: one run; sets RATE (passes per second), CPU (processor
# seconds per 10 s) and DRAWN (the size drawn at the end).
run() {
  local screen=$1 fixed=${2:-} lines since=0 t0 t1 s0 s1 c0 c1 steps id
  start_display "$screen" || exit 1
  : >"$WORK/viewports"
  export TVL_VIEWPORT_FILE=$WORK/viewports TVL_SWAP_COUNT_FILE=$WORK/swaps
  export TVL_BENCH_DRAW_SIZE=$fixed
  start_game "$WORK/counted-game" . y
  id=$(wait_window "$TITLE") || fail "no window titled \"$TITLE\""
  wait_mapped "$id" || fail "the game window was never shown"
  # Settled: no new size for 90 passes, three of the face's windows of 30
  # (at most 90 s: a slow machine makes few passes).
  lines=-1
  for _ in $(seq 450); do
    sleep 0.2
    if [ "$(wc -l <"$WORK/viewports")" != "$lines" ]; then
      lines=$(wc -l <"$WORK/viewports")
      since=$(swaps)
    elif [ $(($(swaps) - since)) -ge 90 ]; then
      break
    fi
  done
  t0=$(date +%s.%N) s0=$(swaps) c0=$(cpu_ticks)
  sleep "$MEASURED"
  t1=$(date +%s.%N) s1=$(swaps) c1=$(cpu_ticks)
  steps=$(($(wc -l <"$WORK/viewports") - lines))
  DRAWN=$(tail -n 1 "$WORK/viewports" | tr ' ' x)
  [ $steps -gt 0 ] && DRAWN="$DRAWN,stepped-$steps"
  xdotool key --window "$id" Escape 2>/dev/null
  wait_exit || fail "the game did not end after Escape"
  stop_display
  read -r RATE CPU < <(awk -v t0="$t0" -v t1="$t1" -v s0="$s0" -v s1="$s1" \
    -v c0="$c0" -v c1="$c1" -v hz="$(getconf CLK_TCK)" \
    'BEGIN {d = t1 - t0; printf "%.1f %.2f\n", (s1 - s0) / d, (c1 - c0) / hz / d * 10}')
}

printf '%-10s %-22s %9s %9s  %s\n' screen drawn passes/s cpu/10s \
  "against 640x480 stretched"
# SCREEN DRAWN: a row with its ratios against the baseline's.
row() {
  awk -v s="$1" -v d="$2" -v r="$RATE" -v c="$CPU" -v br="$base_rate" \
    -v bc="$base_cpu" 'BEGIN {
      printf "%-10s %-22s %9s %9s  passes x%.2f, processor x%.2f\n",
        s, d, r, c, (br > 0 ? r / br : 0), (bc > 0 ? c / bc : 0)}'
}
for screen in $SCREENS; do
  width=${screen%x*} height=${screen#*x}
  box="$((height / 3 * 4))x$((height / 3 * 3))"
  [ $((width * 3)) -lt $((height * 4)) ] &&
    box="$((width / 4 * 4))x$((width / 4 * 3))"
  run "$screen" 640x480
  base_rate=$RATE base_cpu=$CPU
  printf '%-10s %-22s %9s %9s\n' "$screen" "$DRAWN (fixed)" "$RATE" "$CPU"
  run "$screen" "$box"
  row "$screen" "$DRAWN (fixed)"
  run "$screen"
  row "$screen" "$DRAWN (stepped)"
done
