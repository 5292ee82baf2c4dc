# Sourced by the Windows scripts: one Wine prefix under the Windows build tree,
# quiet, without the .NET and HTML installers a fresh prefix would offer.
# wine_up starts a persistent wineserver so that each program starts fast;
# wine_down ends it (and any Wine program still running in that prefix).
tvl_root=${tvl_root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$tvl_root/build-windows/wine}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64

wine_up() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    # No display while the prefix is made: nothing to show, nothing to wait for.
    DISPLAY= "$WINE" wineboot -i >/dev/null 2>&1
    # Its server lingers a few seconds; a second one would refuse to start.
    "$WINESERVER" -w
  fi
  # The server and the services the first program starts (winedevice,
  # plugplay, ...) outlive it; started here with no terminal or pipe open, they
  # cannot keep a caller's output pipe (CTest's, CI's log) from closing.
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

wine_down() {
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w 2>/dev/null || true
}
