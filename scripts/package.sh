#!/usr/bin/env bash
# `make package`: the Debian package, built by CPack from a release tree
# configured for /usr (the prefix the game compiles in as its installed data
# folder), then checked with lintian (installed here if missing: only this
# target needs it).
#   scripts/package.sh [BUILD_DIR]    default build-package
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-package}
generator=()
command -v ninja >/dev/null 2>&1 && generator=(-G Ninja)

# Debian's own compiler and linker hardening flags.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
cflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CFLAGS)"
cmake -S . -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX=/usr -DTVL_TESTS=OFF -DTVL_BENCH=OFF \
  -DCMAKE_C_FLAGS="$cflags" -DCMAKE_CXX_FLAGS="$cxxflags" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" -j"${JOBS:-2}"
rm -f "$build"/tvlounge_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/tvlounge_*_amd64.deb)
echo "package.sh: built $deb"
dpkg-deb --info "$deb" | sed -n 's/^ \(Depends\|Version\|Installed-Size\):/  \1:/p'

scripts/install-deps lintian
# Errors fail the target; what lintian still says is listed in README.md.
echo "package.sh: lintian $deb"
lintian --fail-on error "$deb"
