# Sourced by the build scripts: Debian's own sources of what we cross-build,
# fetched with apt through this machine's own archive, and libjpeg built
# from them for another target.
#   private_apt ARGS...          apt-get with a private deb-src list and state
#                                under $deps/apt (the system's stays untouched)
#   host_uri SUITE               the archive this machine's apt sources use
#   build_jpeg_for NAME TOOLCHAIN [CMAKE ARGS...]
#                                libjpeg-turbo, the Linux build's release,
#                                into $prefix (include/, lib/libjpeg.a), once
#   quietly NAME COMMAND...      runs a long step, its output kept in
#                                $deps/NAME.log and shown only on failure
# Callers set deps (work folder) and prefix (install folder) and define
# log MESSAGE.

quietly() {
  local name=$1
  shift
  if ! "$@" >"$deps/$name.log" 2>&1; then
    tail -n 40 "$deps/$name.log"
    log "$name failed (log: $deps/$name.log)"
    return 1
  fi
}

# The archive this machine's apt sources (one-line or deb822) use for a suite.
host_uri() {
  local files=() f
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
    /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && files+=("$f")
  done
  [ ${#files[@]} -gt 0 ] || return 0
  awk -v suite="$1" '
    /^[[:space:]]*#/ { next }
    $1 == "deb" {
      for (i = 2; i < NF; i++)
        if ($i ~ /^[a-z+]+:\/\//) { if ($(i + 1) == suite) { print $i; exit } break }
    }
    /^URIs:/ { uri = $2 }
    /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == suite && uri != "") { print uri; exit } }
  ' "${files[@]}"
}

private_apt() {
  local a=$deps/apt
  mkdir -p "$a/lists/partial" "$a/cache/archives/partial" "$a/parts"
  local codename
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  local key=/usr/share/keyrings/debian-archive-keyring.gpg
  : >"$a/sources.list"
  local suite uri
  for suite in "$codename" "$codename-updates" "$codename-security"; do
    uri=$(host_uri "$suite")
    [ -n "$uri" ] && echo "deb-src [signed-by=$key] $uri $suite main" >>"$a/sources.list"
  done
  if [ ! -s "$a/sources.list" ]; then
    echo "no apt source for $codename on this machine to fetch sources from" >&2
    return 1
  fi
  apt-get -q -o Dir::Etc::SourceList="$a/sources.list" \
    -o Dir::Etc::SourceParts="$a/parts" -o Dir::State::Lists="$a/lists" \
    -o Dir::Cache="$a/cache" -o APT::Sandbox::User=root "$@"
}

build_jpeg_for() {
  local name=$1 toolchain=$2
  shift 2
  local version
  version=$(dpkg-query -W -f='${source:Version}' libjpeg62-turbo-dev 2>/dev/null || true)
  local stamp=$prefix/stamps/jpeg-${version:-latest}
  [ -f "$stamp" ] && return 0
  log "building libjpeg-turbo ${version:-(latest)} for $name (once)"
  rm -rf "$deps/src" "$deps/jpeg-build"
  mkdir -p "$deps/src" "$prefix/include" "$prefix/lib" "$prefix/stamps"
  quietly apt-update private_apt update
  (cd "$deps/src" && quietly apt-source private_apt source --download-only \
    "libjpeg-turbo${version:+=$version}")
  local dsc
  dsc=$(ls "$deps"/src/libjpeg-turbo_*.dsc)
  quietly dpkg-source dpkg-source -x "$dsc" "$deps/src/libjpeg-turbo"
  # SIMD needs nasm; the plain C paths decode the same pictures.
  quietly jpeg-configure cmake -S "$deps/src/libjpeg-turbo" -B "$deps/jpeg-build" \
    -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DWITH_SIMD=OFF -DENABLE_SHARED=OFF \
    -DWITH_TURBOJPEG=OFF -Wno-dev "$@"
  quietly jpeg-build cmake --build "$deps/jpeg-build" --target jpeg-static -j"${jobs:-2}"
  cp "$deps/src/libjpeg-turbo/"{jpeglib.h,jmorecfg.h,jerror.h} \
    "$deps/jpeg-build/jconfig.h" "$prefix/include/"
  cp "$deps/jpeg-build/libjpeg.a" "$prefix/lib/"
  rm -rf "$deps/src" "$deps/jpeg-build"
  touch "$stamp"
}
