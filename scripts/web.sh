#!/usr/bin/env bash
# The web build: the game compiled to WebAssembly with emscripten, drawing
# through the shader subset over WebGL, in a page of our own.
#   scripts/web.sh build          build-web/: the page (index.html and its
#                                 scripts), the game's tvlounge.js, .wasm and
#                                 .data (the textures) each gzipped, the
#                                 service worker, web app manifest and icons
#   scripts/web.sh page           build-web/'s page again from web/ alone,
#                                 after a change of the page's files only
#   scripts/web.sh serve          build, then serve build-web/ on 127.0.0.1
#                                 (PORT, default 8080) until interrupted
#   scripts/web.sh test SHOT      build, then play the page in headless
#                                 Chromium and compare four walks with the
#                                 pictures of the snapshot tool SHOT; then
#                                 the engine checks in Chromium, Firefox and
#                                 WebKit (tests/web/engines.mjs), and the
#                                 package unpacked and played, also framed
#                                 (tests/web/package_check.mjs)
#   scripts/web.sh package        build, then build-web/tvlounge-web-VERSION.zip:
#                                 the page's files with index.html at its
#                                 root, for any static host or a game
#                                 portal's HTML5 upload
#   scripts/web.sh package-check  build and package, then that zip unpacked
#                                 afresh and played, also inside an iframe
#   scripts/web.sh bench          build, then the page's frame rate, a first
#                                 visit's bytes on the wire, and in Chromium,
#                                 Firefox and WebKit the time to the question
#                                 over a server that sends at 1.5 Mbit/s
#   scripts/web.sh picture        build, then docs/pictures/browser.png: the
#                                 page in Chromium after a walk inside
# libjpeg (from Debian's own source package) is built for the web once and
# kept in build-web/deps/, as is the browser driver (npm, tests/web/).
set -euo pipefail
tvl_root=$(cd "$(dirname "$0")/.." && pwd)
out=${TVL_WEB_BUILD:-$tvl_root/build-web}
deps=$out/deps
prefix=$deps/prefix
jobs=${JOBS:-2}
# The game as emscripten builds it, each file gzipped beside the page.
game=(tvlounge.js tvlounge.wasm tvlounge.data)
# Debian's node does not search Debian's module folder on its own; emcc's
# JavaScript passes need acorn from there.
export NODE_PATH=/usr/share/nodejs

log() { echo "web.sh: $*"; }

# The textures in name order: tvlounge.data holds them one after another,
# and build.js says each one's name and size, so the page can write them
# into the game's file system once they are in.
texture_files() {
  (cd "$tvl_root/data/texture" && find . -maxdepth 1 -type f -printf '%P\n' | LC_ALL=C sort)
}

. "$tvl_root/scripts/debian-source.sh"

build() {
  mkdir -p "$deps"
  local toolchain
  toolchain=$(dirname "$(command -v emcc)")/../share/emscripten/cmake/Modules/Platform/Emscripten.cmake
  [ -f "$toolchain" ] || toolchain=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
  # CMake's size probes answer nonsense under emscripten: say wasm32's sizes.
  build_jpeg_for "the web" "$toolchain" -DSIZE_T=4 -DHAVE_SIZE_T=TRUE \
    -DUNSIGNED_LONG=4 -DHAVE_UNSIGNED_LONG=TRUE
  emcmake cmake -S "$tvl_root" -B "$out/cmake" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DJPEG_INCLUDE_DIR="$prefix/include" -DJPEG_LIBRARY="$prefix/lib/libjpeg.a" \
    -DTVL_TESTS=OFF -DTVL_TOOLS=OFF -DTVL_BENCH=OFF >/dev/null
  cmake --build "$out/cmake" -j"$jobs"
  # Every GL call of what the page's wasm is linked from lands in the
  # subset, none in the raw WebGL binding.
  local objects
  mapfile -t objects < <(find "$out/cmake" \( -name '*.a' -o \
    -path '*/tvlounge.dir/*.o' \) ! -name libgl11.a)
  bash "$tvl_root/tests/gl11/gl_symbols_check.sh" emnm \
    "$out/cmake/gl11/libgl11.a" "${objects[@]}"
  icons
  # The page unpacks these itself (DecompressionStream), so a server that
  # compresses nothing still sends them small.
  local file textures=()
  mapfile -t textures < <(texture_files)
  (cd "$tvl_root/data/texture" && cat "${textures[@]}") >"$out/cmake/app/tvlounge.data"
  rm -f "${game[@]/#/$out/}"
  for file in "${game[@]}"; do
    gzip -9nc "$out/cmake/app/$file" >"$out/$file.gz"
  done
  page
}

# The page is the web/ folder as it stands, beside the game's gzipped files;
# build.js and sw.js say which build it is. The service worker's cache is
# named after what it holds, so a new build replaces it; the loader learns
# each file's size for its progress bar.
page() {
  local pages=()
  mapfile -t pages < <(cd "$tvl_root/web" && find . -maxdepth 1 -type f \
    ! -name sw.js ! -name 'package*.json' -printf '%P\n' | sort)
  cp "${pages[@]/#/$tvl_root/web/}" "$out/"
  # Each module asked for with the page itself (as the game's script and
  # wasm are, by index.html): else each level of imports waits its own
  # round trip before the next is asked for, and the question with them.
  local file preload=""
  for file in "${pages[@]}" build.js; do
    [[ "$file" == *.js ]] && preload+="<link rel=\"modulepreload\" href=\"$file\">\n"
  done
  sed -i "s|^<link rel=\"stylesheet\".*|${preload}&|" "$out/index.html"
  # Browsers without DecompressionStream unpack the game with this inflate
  # (npm's fflate, web/package.json), fetched only by them.
  local node=$deps/page-node
  if ! cmp -s "$tvl_root/web/package-lock.json" "$node/package-lock.json"; then
    mkdir -p "$node"
    cp "$tvl_root"/web/package{,-lock}.json "$node/"
    quietly npm-ci-page npm ci --prefix "$node" --ignore-scripts --no-audit --no-fund
  fi
  { echo '/* fflate, as npm ships it (esm/browser.js), under its licence:'
    sed 's/\*\//* \//g' "$node/node_modules/fflate/LICENSE"
    echo '*/'
    cat "$node/node_modules/fflate/esm/browser.js"; } >"$out/inflate.js"
  pages+=(inflate.js)
  local files=("${pages[@]}" icon-192.png icon-512.png "${game[@]/%/.gz}")
  local version sizes="" quoted=""
  version=$(cd "$out" && cat "${files[@]}" | sha256sum | cut -c1-16)
  for file in "${game[@]/%/.gz}"; do
    sizes+="'$file': $(stat -c %s "$out/$file"), "
  done
  local textures=""
  while read -r file; do
    textures+="['$file', $(stat -c %s "$tvl_root/data/texture/$file")], "
  done < <(texture_files)
  cat >"$out/build.js" <<EOF
// This build of the page, as scripts/web.sh wrote it: its version, the
// sizes of the game's gzipped files, and the textures tvlounge.data holds
// one after another (name and size).
export const version = '$version';
export const sizes = { ${sizes%, } };
export const textures = [${textures%, }];
EOF
  for file in "${files[@]}" build.js; do
    quoted+="'$file', "
  done
  sed -e "s/@VERSION@/$version/" -e "s/@FILES@/${quoted%, }/" \
    "$tvl_root/web/sw.js" >"$out/sw.js"
  page_files=("${files[@]}" build.js sw.js)
  log "built $out/index.html (version $version) after ${SECONDS} s"
}

# The page as published: the files the service worker keeps, and itself,
# at the zip's root. The gzipped ones are stored as they are, since the page
# unpacks them, whatever the host does with .gz files.
package() {
  local version
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/cmake/CMakeCache.txt")
  package_zip=$out/tvlounge-web-${version:?no project version in $out/cmake}.zip
  rm -f "$package_zip"
  (cd "$out" && zip -q -X -9 -n .gz:.png "$package_zip" "${page_files[@]}")
  log "packaged $package_zip: ${#page_files[@]} files, $(stat -c %s "$package_zip") bytes"
}

# The installed page's icons, drawn by the texture generator of a native
# build of the tools alone.
icons() {
  local native=$out/native
  cmake -S "$tvl_root" -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DTVL_TESTS=OFF -DTVL_BENCH=OFF >/dev/null
  cmake --build "$native" -j"$jobs" --target make-textures >/dev/null
  local size
  for size in 192 512; do
    "$native/tools/make-textures" --icon "$out/icon-$size.png" "$size"
  done
}

# puppeteer-core drives the system's Chromium; it downloads no browser.
browser_driver() {
  local node=$deps/node
  if ! cmp -s "$tvl_root/tests/web/package-lock.json" "$node/package-lock.json"; then
    mkdir -p "$node"
    cp "$tvl_root"/tests/web/package{,-lock}.json "$node/"
    quietly npm-ci npm ci --prefix "$node" --ignore-scripts --no-audit --no-fund
  fi
  # ES modules find packages beside the script, not through NODE_PATH.
  cp "$tvl_root"/tests/web/*.mjs "$node/"
}

# The walks of the golden scenes, at the page's 640 x 480.
walk_args() {
  grep -v '^#' "$tvl_root/tests/render/golden_scenes.txt" |
    while read -r name seed _size keys; do
      [ -n "$name" ] && printf '%s\n%s\n%s\n' "$name" "$seed" "$keys"
    done
}

# The zip unpacked afresh and played, on its own and inside an iframe.
package_check() {
  package
  node "$deps/node/package_check.mjs" "$package_zip"
}

run_tests() {
  local shot=${1:?usage: $0 test SNAPSHOT_TOOL}
  browser_driver
  local pictures=$out/test
  rm -rf "$pictures"
  mkdir -p "$pictures"
  local args=()
  mapfile -t args < <(walk_args)
  local status=0 i name seed keys engine_walk=()
  # The snapshot tool's picture of each walk, for the browsers' to match.
  for ((i = 0; i < ${#args[@]}; i += 3)); do
    name=${args[i]} seed=${args[i + 1]} keys=${args[i + 2]}
    SDL_VIDEODRIVER=offscreen \
      LSAN_OPTIONS="suppressions=$tvl_root/tests/lsan.supp:print_suppressions=0" \
      "$shot" --seed "$seed" --keys "$keys" \
      --out "$pictures/$name-tool.png" >/dev/null
    if [ "$name" = outside_bump ]; then engine_walk=("$name" "$seed" "$keys"); fi
  done
  node "$deps/node/browser_test.mjs" "$out" "$pictures" "${args[@]}" || status=1
  # Each walk's last frame against the snapshot tool's picture of the same
  # walk: at most 2% of the pixels may differ by more than 3%.
  local differ limit passed=0 failed=0
  for ((i = 0; i < ${#args[@]}; i += 3)); do
    name=${args[i]}
    [ -f "$pictures/$name.png" ] || { failed=$((failed + 1)); continue; }
    differ=$(compare -metric AE -fuzz 3% "$pictures/$name.png" \
      "$pictures/$name-tool.png" "$pictures/$name-diff.png" 2>&1 >/dev/null || true)
    limit=$((640 * 480 * 2 / 100))
    if [[ "$differ" =~ ^[0-9]+$ ]] && [ "$differ" -le "$limit" ]; then
      log "ok   $name: $differ of 307200 pixels differ from the snapshot tool's"
      passed=$((passed + 1))
    else
      log "FAIL $name: $differ of 307200 pixels differ (at most $limit)"
      failed=$((failed + 1))
      status=1
    fi
  done
  log "pictures: $passed passed, $failed failed (in $pictures)"
  # The same page in Chromium, Firefox and WebKit, one walk each.
  node "$deps/node/engines.mjs" "$out" "$pictures/engines" "${engine_walk[@]}" \
    "$pictures/${engine_walk[0]}-tool.png" || status=1
  package_check || status=1
  return $status
}

case "${1:-}" in
build) build ;;
page) page ;;
serve)
  build
  port=${PORT:-8080}
  log "serving http://127.0.0.1:$port/ (Ctrl+C stops)"
  # Node, which the build needs anyway: a fresh machine has no Python.
  exec node -e '
    const http = require("http"), fs = require("fs"), path = require("path");
    const [root, port] = process.argv.slice(1);
    const types = { ".html": "text/html", ".js": "text/javascript",
      ".css": "text/css", ".png": "image/png", ".webmanifest": "application/manifest+json" };
    http.createServer((request, response) => {
      let name = decodeURIComponent(new URL(request.url, "http://x").pathname);
      if (name.endsWith("/")) name += "index.html";
      const file = path.join(root, name);
      fs.readFile(file, (error, bytes) => {
        if (error || !file.startsWith(root)) return response.writeHead(404).end();
        response.writeHead(200, { "Content-Type":
          types[path.extname(file)] || "application/octet-stream" }).end(bytes);
      });
    }).listen(Number(port), "127.0.0.1");' "$out" "$port"
  ;;
test)
  build
  run_tests "${2:-}"
  ;;
package)
  build
  package
  ;;
package-check)
  build
  browser_driver
  package_check
  ;;
bench)
  build
  browser_driver
  node "$deps/node/browser_test.mjs" --bench "$out"
  node "$deps/node/engines.mjs" --bench "$out"
  ;;
picture)
  build
  browser_driver
  node "$deps/node/browser_test.mjs" --picture "$out" \
    "$tvl_root/docs/pictures/browser.png" 2 "DOWN*28 RIGHT*18 B"
  ;;
*)
  echo "usage: $0 build|page|serve|test SNAPSHOT_TOOL|package|package-check|bench|picture" >&2
  exit 2
  ;;
esac
