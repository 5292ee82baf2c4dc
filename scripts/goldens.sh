#!/usr/bin/env bash
# `make goldens`: renders the golden scenes of tests/render/golden_scenes.txt
# into tests/render/goldens/ with the snapshot tool of the given build, after
# asking the autopilot for a route that collects all ten balls of the
# game-over scene's seed. Look at the pictures before committing them.
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
shot=$build/tools/shot/tvlounge-shot
pilot=$build/tools/shot/tvlounge-autopilot
scenes=tests/render/golden_scenes.txt
out=tests/render/goldens
for tool in "$shot" "$pilot"; do
  [ -x "$tool" ] || { echo "goldens: $tool is not built" >&2; exit 1; }
done
export SDL_VIDEODRIVER=offscreen
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"

# The game-over route: the autopilot's script for that scene's seed.
seed=$(awk '$1 == "gameover" { print $2 }' "$scenes")
route=$("$pilot" "$seed" 1)
route_seed=$(sed -n 1p <<<"$route")
route_keys=$(sed -n 2p <<<"$route")
awk -v seed="$route_seed" -v keys="$route_keys" '
  $1 == "gameover" { print $1, seed, $3, keys; next } { print }
' "$scenes" >"$scenes.new"
mv "$scenes.new" "$scenes"

mkdir -p "$out"
grep -v '^#' "$scenes" | while read -r name seed size keys; do
  [ -n "$name" ] || continue
  title=$("$shot" --seed "$seed" --size "$size" --keys "$keys" \
    --out "$out/$name.png" | tail -n 1)
  echo "goldens: $out/$name.png  ($title)"
done
