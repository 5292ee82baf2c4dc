#!/usr/bin/env bash
# The subset compiles for the browser: every gl11/ source, built by
# emscripten with warnings as errors. Emscripten's tools run
# on node, which needs Debian's module folder named.
#   tests/gl11/emcc_check.sh   (from the repository root)
set -euo pipefail

command -v emcc >/dev/null || { echo "emcc is not installed" >&2; exit 1; }
export NODE_PATH=/usr/share/nodejs
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for source in gl11/*.cpp; do
  emcc -std=c++17 -Wall -Wextra -Werror -I. -c "$source" \
       -o "$out/$(basename "$source" .cpp).o"
  echo "compiled $source"
done
