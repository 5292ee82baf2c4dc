#!/usr/bin/env bash
# `make run`: plays the game from the repository root (textures are read
# relative to it). Without a display it says how to play and renders a
# headless picture of a short walk instead.
set -euo pipefail
build=${1:-build-release}
cd "$(dirname "$0")/.."

display_reachable() {
  if [ -n "${WAYLAND_DISPLAY:-}" ]; then return 0; fi
  [ -n "${DISPLAY:-}" ] || return 1
  if command -v xdpyinfo >/dev/null 2>&1; then
    timeout 5 xdpyinfo >/dev/null 2>&1
  else
    return 0
  fi
}

if display_reachable; then
  exec "$build/app/tvlounge"
fi

cat <<'MSG'
No display is reachable, so the game cannot open its window here.

To play: run `make run` in a desktop session (X11 or Wayland). Answer the
first question (No plays in a window), then walk with the arrow keys, collect
the ten balls, B toggles bump mapping, D / N raise and lower the lights,
R restarts, Escape quits.

To see it without a display: `make run` renders a short walk headless to
build/shot.png (below), and
  build-release/tools/shot/tvlounge-shot --keys "LEFT*63 UP*70 B" --out FILE.png
renders any other key script (see README.md).
MSG

shot="$build/tools/shot/tvlounge-shot"
if [ ! -x "$shot" ]; then
  echo "The snapshot tool was not built ($shot missing)." >&2
  exit 1
fi
mkdir -p build
SDL_VIDEODRIVER=offscreen "$shot" --keys "LEFT*63 UP*70 RIGHT*8" --out build/shot.png
echo "Wrote build/shot.png"
