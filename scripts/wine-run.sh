#!/usr/bin/env bash
# Runs one Windows program under Wine in the build's prefix; CTest uses it as
# the cross-compiling emulator of the Windows build.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
exec "$WINE" "$@"
