# Sourced by the Windows test scripts: a scratch Wine prefix as a Windows machine has it, removed
# again when the sourcing script exits.
#   wine_prefix_start [persistent]   makes the prefix (WINEPREFIX) and starts its server
#   wine_prefix_settle               waits until the server has gone, its registry saved
# "$wine" runs a Windows program. Every wait is bounded.
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

wine_prefix_start() {
  WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/naprawa-wine-XXXXXX")
  export WINEPREFIX
  trap 'timeout 30 "$wineserver" -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
  # One server for the whole run when asked, so no program waits for a new one to start.
  if [ "${1:-}" = persistent ]; then
    "$wineserver" -p
  fi
  timeout 300 "$wine" wineboot.exe --init >/dev/null 2>&1
  # Windows keeps Tahoma and MS Sans Serif in its Fonts folder; Debian's fonts-wine has
  # metric-compatible faces of both.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/{tahoma.ttf,tahomabd.ttf,ms_sans_serif.ttf,sserife.fon} "$fonts/"
}

wine_prefix_settle() {
  timeout 60 "$wineserver" -w
}
