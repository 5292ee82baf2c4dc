#!/usr/bin/env bash
# The Windows build: tvlounge.exe and the window-free test suites cross-built
# with MinGW-w64, then run under Wine.
#   scripts/windows.sh build   build everything into build-windows/ and check
#                              that tvlounge.exe imports system DLLs only
#   scripts/windows.sh test    build, run the suites under Wine, then the game
#                              itself under Wine on Xvfb (tests/windows/)
#   scripts/windows.sh package build, then tvlounge-windows-x64.zip in
#                              build-windows/: tvlounge.exe, data/, README.txt
#   scripts/windows.sh installer build and package, then
#                              tvlounge-setup-x64.exe in build-windows/: a
#                              per-user installer made with NSIS
#   scripts/windows.sh imports PROGRAM.exe   the DLL import check alone
# libjpeg (from Debian's own source package) and GoogleTest (from
# /usr/src/googletest) are cross-built once and kept in build-windows/deps/.
set -euo pipefail
tvl_root=$(cd "$(dirname "$0")/.." && pwd)
out=${TVL_WINDOWS_BUILD:-$tvl_root/build-windows}
deps=$out/deps
prefix=$deps/prefix
toolchain=$tvl_root/cmake/mingw-w64-x86_64.cmake
jobs=${JOBS:-2}

log() { echo "windows.sh: $*"; }

. "$tvl_root/scripts/debian-source.sh"

build_gtest() {
  local version
  version=$(dpkg-query -W -f='${Version}' googletest 2>/dev/null || true)
  local stamp=$prefix/stamps/gtest-${version:-unknown}
  [ -f "$stamp" ] && return 0
  log "building GoogleTest ${version} for Windows (once)"
  rm -rf "$deps/gtest-build"
  mkdir -p "$prefix/stamps"
  quietly gtest-configure cmake -S /usr/src/googletest -B "$deps/gtest-build" \
    -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix"
  quietly gtest-build cmake --build "$deps/gtest-build" -j"$jobs"
  quietly gtest-install cmake --install "$deps/gtest-build"
  rm -rf "$deps/gtest-build"
  touch "$stamp"
}

# tvlounge.exe may import the system's DLLs and the C runtime, nothing else.
check_imports() {
  local exe=$1 bad=0 dll
  while read -r dll; do
    case "${dll,,}" in
    user32.dll | gdi32.dll | kernel32.dll | winmm.dll | opengl32.dll | \
      glu32.dll | \
      msvcrt.dll | ucrtbase.dll | api-ms-win-crt-*.dll) ;;
    *)
      log "$(basename "$exe") imports $dll, which Windows does not ship"
      bad=1
      ;;
    esac
  done < <(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
  [ "$bad" -eq 0 ] || return 1
  log "$(basename "$exe") imports only system DLLs:" \
    "$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '\n' ' ')"
}

# The texture generator built for this machine: it draws tvlounge.exe's icon,
# as it draws the Linux and the page's icons.
host_tools() {
  local native=$out/native
  cmake -S "$tvl_root" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DTVL_TESTS=OFF -DTVL_BENCH=OFF >/dev/null
  cmake --build "$native" -j"$jobs" --target make-textures >/dev/null
}

build() {
  mkdir -p "$deps"
  host_tools
  build_jpeg_for Windows "$toolchain"
  build_gtest
  log "libjpeg and GoogleTest ready after ${SECONDS} s"
  # Configured on every run: cheap, and a tree whose first configure failed
  # (half-written sources) recovers on its own.
  cmake -S "$tvl_root" -B "$out" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DTVL_WINDOWS_DEPS="$prefix" \
    -DJPEG_INCLUDE_DIR="$prefix/include" -DJPEG_LIBRARY="$prefix/lib/libjpeg.a" \
    -DGTest_DIR="$prefix/lib/cmake/GTest" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$tvl_root/scripts/wine-run.sh" \
    -DTVL_HOST_MAKE_TEXTURES="$out/native/tools/make-textures" \
    -DTVL_TOOLS=OFF -DTVL_BENCH=OFF >/dev/null
  cmake --build "$out" -j"$jobs"
  check_imports "$out/app/tvlounge.exe"
  log "built after ${SECONDS} s"
}

# The zip a player unpacks anywhere: the program with its data beside it.
package() {
  local stage=$out/package/tvlounge-windows-x64
  rm -rf "$out/package" "$out/tvlounge-windows-x64.zip"
  mkdir -p "$stage/data"
  cp "$out/app/tvlounge.exe" "$stage/"
  cp -r "$tvl_root/data/texture" "$stage/data/"
  # Windows editors expect CRLF line ends.
  sed 's/$/\r/' "$tvl_root/packaging/README-windows.txt" >"$stage/README.txt"
  (cd "$out/package" && cmake -E tar cf "$out/tvlounge-windows-x64.zip" \
    --format=zip tvlounge-windows-x64)
  log "packaged $out/tvlounge-windows-x64.zip"
}

# windows_path PATH: PATH below the installation folder, as NSIS names it.
windows_path() {
  local path='$INSTDIR'
  [ "$1" = . ] || path+="\\${1//\//\\}"
  echo "$path"
}

# The installer of the zip's files (packaging/windows/tvlounge.nsi). Its
# uninstaller deletes what the installer put down by name, so the list of
# files is written out for it here.
installer() {
  local stage=$out/package/tvlounge-windows-x64 work=$out/installer
  local version
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/CMakeCache.txt")
  rm -rf "$work" "$out/tvlounge-setup-x64.exe"
  mkdir -p "$work"
  local file folder previous=""
  {
    echo '!macro TvlInstallFiles'
    while read -r file; do
      folder=$(dirname "${file#./}")
      if [ "$folder" != "$previous" ]; then
        echo "  SetOutPath \"$(windows_path "$folder")\""
        previous=$folder
      fi
      echo "  File \"$stage/${file#./}\""
    done < <(cd "$stage" && find . -type f | LC_ALL=C sort)
    echo '  SetOutPath "$INSTDIR"'
    echo '!macroend'
    echo '!macro TvlRemoveFiles'
    while read -r file; do
      echo "  Delete \"$(windows_path "${file#./}")\""
    done < <(cd "$stage" && find . -type f | LC_ALL=C sort)
    # Deepest folders first; RMDir leaves a folder that is not empty.
    while read -r folder; do
      echo "  RMDir \"$(windows_path "${folder#./}")\""
    done < <(cd "$stage" && find . -mindepth 1 -type d | LC_ALL=C sort -r)
    echo '!macroend'
  } >"$work/files.nsh"
  makensis -V2 -DFILES="$work/files.nsh" -DVERSION="$version" \
    -DSIZE_KB="$(du -sk "$stage" | cut -f1)" \
    -DICON="$out/app/tvlounge.ico" -DOUTFILE="$out/tvlounge-setup-x64.exe" \
    "$tvl_root/packaging/windows/tvlounge.nsi"
  log "made $out/tvlounge-setup-x64.exe"
}

run_tests() {
  . "$tvl_root/scripts/wine-env.sh"
  trap wine_down EXIT
  wine_up
  log "Wine ready after ${SECONDS} s"
  ctest --test-dir "$out" --output-on-failure -j"$jobs"
  log "suites done after ${SECONDS} s"
  "$tvl_root/tests/windows/e2e.sh" "$out" "$out/tvlounge-windows-x64.zip" \
    "$out/tvlounge-setup-x64.exe"
  log "end-to-end run done after ${SECONDS} s"
}

case "${1:-}" in
build) build ;;
test)
  build
  package
  installer
  run_tests
  ;;
package)
  build
  package
  ;;
installer)
  build
  package
  installer
  ;;
imports) check_imports "${2:?usage: $0 imports PROGRAM.exe}" ;;
*)
  echo "usage: $0 build|test|package|installer|imports PROGRAM.exe" >&2
  exit 2
  ;;
esac
