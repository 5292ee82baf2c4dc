#!/usr/bin/env bash
# The pace under Xvfb, which grants no vsync: the game, windowed and idle,
# may swap at most 60 times a second (62 allowed for the clocks' rounding),
# and what it costs the processor is reported. The swaps are counted by a
# preloaded wrapper of SDL's swap (swap_counter.c), the processor time read
# from /proc over SECONDS_MEASURED seconds of play. With GALLIUM_NOOP=1 Mesa
# discards the drawing, so that even a busy machine could swap faster than
# 60 a second and the cap itself is what is measured.
# Usage: pace_e2e.sh TVLOUNGE SWAP_COUNTER.so [OUTPUT_DIR]   (run from the
# repository root). Exit 77 means skipped.
set -u

GAME=${1:?usage: pace_e2e.sh TVLOUNGE SWAP_COUNTER.so [OUTPUT_DIR]}
COUNTER=${2:?usage: pace_e2e.sh TVLOUNGE SWAP_COUNTER.so [OUTPUT_DIR]}
WAIT=${E2E_WAIT:-90}
MEASURED=${SECONDS_MEASURED:-10}
TITLE="Quorne Tv lounge by Velmar"

. "$(dirname "${BASH_SOURCE[0]}")/xlib.sh"

if ! ls data/texture/*.bmp >/dev/null 2>&1; then
  echo "SKIP: no textures under $(pwd)/data/texture"
  exit 77
fi

# The game's processor time so far, in clock ticks (user + system).
cpu_ticks() {
  awk '{print $14 + $15}' "/proc/$GAME_PID/stat"
}

swaps() {
  tr -d ' \n' <"$WORK/swaps"
}

start_display 1024x768 || exit 1
export TVL_SWAP_COUNT_FILE=$WORK/swaps
# A sanitized game wants its runtime first; the wrapper needs none.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0
printf '#!/bin/sh\nLD_PRELOAD=%q exec %q\n' "$(realpath "$COUNTER")" \
  "$(realpath "$GAME")" >"$WORK/counted-game"
chmod +x "$WORK/counted-game"
start_windowed "$WORK/counted-game" . n
id=$(wait_window "$TITLE") || fail "no window titled \"$TITLE\""
wait_mapped "$id" || fail "the game window was never shown"
sleep 2 # past the start-up
[ -s "$WORK/swaps" ] || fail "no swap was counted"

ticks_per_second=$(getconf CLK_TCK)
start_time=$(date +%s.%N)
start_swaps=$(swaps)
start_cpu=$(cpu_ticks)
sleep "$MEASURED"
end_time=$(date +%s.%N)
end_swaps=$(swaps)
end_cpu=$(cpu_ticks)

read -r rate cpu_per_10 < <(awk -v t0="$start_time" -v t1="$end_time" \
  -v s0="$start_swaps" -v s1="$end_swaps" -v c0="$start_cpu" -v c1="$end_cpu" \
  -v hz="$ticks_per_second" \
  'BEGIN {d = t1 - t0; printf "%.1f %.2f\n", (s1 - s0) / d, (c1 - c0) / hz / d * 10}')
echo "passes per second: $rate; processor: $cpu_per_10 s per 10 s of play"

xdotool key --window "$id" Escape 2>/dev/null
wait_exit || fail "the game did not end after Escape"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE after Escape"
awk -v r="$rate" 'BEGIN {exit !(r <= 62)}' ||
  fail "$rate passes per second: the pace allows at most 60"
echo "paced: at most 60 passes per second"
