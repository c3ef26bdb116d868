#!/usr/bin/env bash
# The Windows side: runtime/, stock/, the companion and their tests cross-built with MinGW-w64
# into build-windows/, then run under Wine in a scratch prefix that is removed afterwards.
# Called by scripts/test.sh; scripts/setup.sh installs the compiler, GoogleTest's sources and Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-windows"

echo "==> windows: cross-building the core, the companion and their tests in $build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DNAPRAWA_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "$build" -j "$(nproc)"

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
prefix=$(mktemp -d "${TMPDIR:-/tmp}/naprawa-wine-XXXXXX")
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  rm -rf "$prefix"
}
trap cleanup EXIT

echo "==> windows: a fresh Wine prefix in $prefix"
# One server for the whole run, so no test program waits for a new one to start; the prefix
# is made once, before the tests run side by side.
"$wineserver" -p
timeout 300 "$wine" wineboot.exe --init >/dev/null 2>&1

echo "==> windows: running the tests under Wine"
(cd "$build" && ctest --output-on-failure -j "$(nproc)")
