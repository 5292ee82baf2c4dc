#!/usr/bin/env bash
# Code drawn through the subset reaches GL and GLU only through gl11: a
# gl*/glu* symbol its objects need that neither gl11 nor they define (a call
# missing from gl11/rename.h) would bind to the system's GL natively, or to
# the raw WebGL binding in the page, and draw around the subset unseen.
#   tests/gl11/gl_symbols_check.sh NM GL11_ARCHIVE ARCHIVE_OR_OBJECT...
set -euo pipefail

nm=${1:?usage: $0 NM GL11_ARCHIVE ARCHIVE_OR_OBJECT...}
gl11=${2:?usage: $0 NM GL11_ARCHIVE ARCHIVE_OR_OBJECT...}
shift 2
[ $# -gt 0 ] || { echo "gl_symbols_check: nothing to check" >&2; exit 1; }

defined=$("$nm" --defined-only "$gl11" "$@" | awk 'NF == 3 { print $3 }' |
  sort -u)
needed=$("$nm" -u "$@" | awk '{ print $NF }' |
  grep -E '^(glu?[A-Z]|gl11_)' | sort -u || true)
missing=$(comm -23 <(printf '%s\n' "$needed") <(printf '%s\n' "$defined") |
  sed '/^$/d')
if [ -n "$missing" ]; then
  echo "gl_symbols_check: GL calls gl11 does not define:" >&2
  printf '  %s\n' $missing >&2
  exit 1
fi
echo "gl_symbols_check: every GL call of $# files lands in gl11"
