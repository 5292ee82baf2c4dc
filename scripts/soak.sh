#!/usr/bin/env bash
# The soak: the game's real loop on the scripted platform, built with the
# sanitizers, for many passes of random keys. Fails on any sanitizer report,
# any leak at exit, or memory that climbs after the first second.
# Usage: scripts/soak.sh BUILD_DIR [short|long]
#   short: 3000 passes (part of the tests); long: 100000 passes (make soak).
#   SOAK_SEED picks the key sequence (default 1), SOAK_PASSES overrides the
#   count, SOAK_SIZE the window (default 160x120: drawing is the slow part,
#   and the size does not change what the game does).
set -eu

BUILD=${1:?usage: scripts/soak.sh BUILD_DIR [short|long]}
MODE=${2:-short}
case "$MODE" in
short) PASSES=3000 ;;
long) PASSES=100000 ;;
*)
  echo "usage: scripts/soak.sh BUILD_DIR [short|long]" >&2
  exit 2
  ;;
esac
PASSES=${SOAK_PASSES:-$PASSES}
SEED=${SOAK_SEED:-1}
SIZE=${SOAK_SIZE:-160x120}

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "$BUILD" && pwd)
DRIVER="$BUILD/tests/e2e/game_soak"
if [ ! -x "$DRIVER" ]; then
  echo "FAIL: $DRIVER is not built (cmake --build $BUILD --target game_soak)"
  exit 1
fi

# The game reads its textures relative to the repository root.
cd "$ROOT"
export SDL_VIDEODRIVER=offscreen
export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1
# A small quarantine of freed blocks, so that the resident size settles
# early instead of filling the default 256 MB first; any report is fatal.
export ASAN_OPTIONS="quarantine_size_mb=16:halt_on_error=1:detect_leaks=1"
# The software rasteriser draws in the calling thread: with its worker
# threads, how much it holds at a sample depends on how busy the machine is,
# which would swamp the growth being looked for.
export LP_NUM_THREADS=0

echo "soak: $PASSES passes, seed $SEED, window $SIZE"
exec "$DRIVER" "$PASSES" "$SEED" "$SIZE"
