#!/usr/bin/env bash
# `make shots`: the README's pictures, rendered headless by the snapshot tool
# of the given build into docs/pictures/: the start view, inside the room
# with bump mapping on, the night floor, and the game-over picture (after a
# route from the autopilot that collects all ten balls).
set -euo pipefail
build=${1:-build-release}
cd "$(dirname "$0")/.."
shot=$build/tools/shot/tvlounge-shot
pilot=$build/tools/shot/tvlounge-autopilot
out=docs/pictures
for tool in "$shot" "$pilot"; do
  [ -x "$tool" ] || { echo "shots: $tool is not built" >&2; exit 1; }
done
export SDL_VIDEODRIVER=offscreen
mkdir -p "$out"

picture() {
  local name=$1 seed=$2 keys=$3 title
  title=$("$shot" --seed "$seed" --keys "$keys" --out "$out/$name.png" |
    tail -n 1)
  echo "shots: $out/$name.png  ($title)"
}

picture start 1 "-"
picture bump-mapping 2 "DOWN*28 RIGHT*18 B"
picture night-floor 1 "N*90 LEFT*63 UP*90 RIGHT*12"
route=$("$pilot" 1 50)
picture game-over "$(sed -n 1p <<<"$route")" "$(sed -n 2p <<<"$route")"
