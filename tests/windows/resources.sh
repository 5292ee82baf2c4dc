#!/usr/bin/env bash
# tvlounge.exe's resources as Windows reads them: the icon group at 16, 32,
# 48 and 256 pixels, each the picture the texture generator draws at that
# size; the version strings; the manifest with the version-6 common controls
# and no Windows 8 or later among its supported systems (from 8 on, a
# program that declares it may not set the 16-bit full-screen mode).
#   tests/windows/resources.sh TVLOUNGE.EXE MAKE_TEXTURES VERSION
set -euo pipefail
exe=${1:?usage: resources.sh TVLOUNGE.EXE MAKE_TEXTURES VERSION}
make_textures=${2:?}
version=${3:?}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "resources: FAIL: $*"
  failures=$((failures + 1))
}
pass() { echo "resources: ok: $*"; }

# Icons: group icon resources (type 14) come out as .ico files.
wrestool -x -t 14 -o "$work" "$exe" 2>/dev/null || true
ico=$(find "$work" -name '*.ico' | head -n 1)
if [ -z "$ico" ]; then
  fail "no icon group"
else
  sizes=$(icotool -l "$ico" | sed -n 's/.*--width=\([0-9]*\) --height=\1 --bit-depth=32.*/\1/p' |
    sort -n | tr '\n' ' ')
  [ "$sizes" = "16 32 48 256 " ] && pass "icon group of 32-bit icons at $sizes" ||
    fail "icon sizes '$sizes' ($(icotool -l "$ico" | tr '\n' ';'))"
  for size in 16 256; do
    icotool -x -w "$size" -o "$work/exe-$size.png" "$ico"
    "$make_textures" --icon "$work/drawn-$size.png" "$size"
    differ=$(compare -metric AE "$work/exe-$size.png" "$work/drawn-$size.png" \
      null: 2>&1 || true)
    [ "$differ" = 0 ] && pass "the $size-pixel icon is the generator's picture" ||
      fail "the $size-pixel icon differs from the generator's in $differ pixels"
  done
fi

# The version resource (type 16) holds its strings in UTF-16, each key
# followed by its value.
wrestool -x --raw -t 16 "$exe" >"$work/version.bin" 2>/dev/null || true
strings -el "$work/version.bin" >"$work/version.txt"
value() { awk -v key="$1" 'found { print; exit } $0 == key { found = 1 }' "$work/version.txt"; }
for pair in "ProductName=TV Lounge" "FileVersion=$version" \
  "ProductVersion=$version" "CompanyName=TV Lounge developers" \
  "OriginalFilename=tvlounge.exe"; do
  key=${pair%%=*} want=${pair#*=}
  got=$(value "$key")
  [ "$got" = "$want" ] && pass "version $key '$got'" ||
    fail "version $key is '$got', not '$want'"
done
for key in FileDescription LegalCopyright; do
  got=$(value "$key")
  [ -n "$got" ] && pass "version $key '$got'" || fail "no version $key"
done

# The manifest (type 24), on one line for the patterns below.
wrestool -x --raw -t 24 "$exe" 2>/dev/null | tr '\r\n' '  ' >"$work/manifest.xml" || true
dependency=$(grep -o '<dependentAssembly>.*</dependentAssembly>' "$work/manifest.xml" || true)
if grep -q 'name="Microsoft.Windows.Common-Controls"' <<<"$dependency" &&
  grep -q 'version="6.0.0.0"' <<<"$dependency"; then
  pass "manifest depends on the version-6 common controls"
else
  fail "no dependency on the version-6 common controls: '$(cat "$work/manifest.xml")'"
fi
declared=$(grep -o 'supportedOS Id="{[^}]*}"' "$work/manifest.xml" | tr '\n' ' ' || true)
later=0
# Windows 8, 8.1, and 10 and 11.
for id in 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 1f676c76-80e1-4239-95bb-83d0f6d0da78 \
  8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
  grep -qi "$id" <<<"$declared" && later=1
done
if [ -n "$declared" ] && [ "$later" = 0 ]; then
  pass "manifest declares no Windows 8 or later: $declared"
else
  fail "supported systems: '$declared'"
fi

[ "$failures" -eq 0 ]
