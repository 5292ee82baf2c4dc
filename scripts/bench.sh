#!/usr/bin/env bash
# Runs every benchmark executable under BUILD_DIR/bench from the repository
# root (they read data/ relative to it) and prints what each reports, then
# the paced game's passes per second and processor time, windowed and full
# screen.
# Each prints ratios against baselines measured in the same run.
#   scripts/bench.sh BUILD_DIR
set -uo pipefail

build=${1:?usage: $0 BUILD_DIR}
cd "$(dirname "$0")/.."
if [ ! -d "$build/bench" ]; then
  echo "bench: no $build/bench; build with -DTVL_BENCH=ON first" >&2
  exit 1
fi

mapfile -t benches < <(find "$build/bench" -type f -executable \
  ! -path '*/CMakeFiles/*' ! -name '*.so' | sort)
if [ ${#benches[@]} -eq 0 ]; then
  echo "bench: no benchmark executables under $build/bench" >&2
  exit 1
fi

status=0
for bench in "${benches[@]}"; do
  echo "== ${bench#"$build"/}"
  # Benchmarks that open a window get SDL's offscreen driver when there is
  # no display.
  if [ -z "${DISPLAY:-}" ] && [ -z "${SDL_VIDEODRIVER:-}" ]; then
    SDL_VIDEODRIVER=offscreen "$bench" || { echo "bench: $bench failed"; status=1; }
  else
    "$bench" || { echo "bench: $bench failed"; status=1; }
  fi
done
# The paced game's processor time, under Xvfb (which grants no vsync).
counter=$build/bench/pace/libbench_swap_counter.so
if [ -f "$counter" ] && command -v Xvfb >/dev/null; then
  echo "== pace (the real game, windowed and idle, 10 s, drawn by llvmpipe)"
  bash tests/e2e/pace_e2e.sh "$build/app/tvlounge" "$counter" ||
    { echo "bench: the pace run failed"; status=1; }
  echo "== pace (the same, Mesa's drawing discarded: the cap alone limits)"
  GALLIUM_NOOP=1 bash tests/e2e/pace_e2e.sh "$build/app/tvlounge" "$counter" ||
    { echo "bench: the pace run failed"; status=1; }
  echo "== full screen (the real game, idle, 10 s a run, drawn by llvmpipe)"
  bash bench/pace/full_screen_bench.sh "$build/app/tvlounge" "$counter" ||
    { echo "bench: the full-screen run failed"; status=1; }
fi
exit $status
