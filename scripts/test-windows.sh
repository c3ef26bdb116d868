#!/usr/bin/env bash
# The Windows side: the whole tool and its tests cross-built for 64-bit Windows
# (scripts/build-windows.sh, against the Qt that scripts/qt-windows.sh builds once), the suites
# run under Wine on the offscreen platform in a scratch prefix, then the zip
# (scripts/package-windows.sh) unpacked and its window driven end to end on a virtual screen
# (scripts/test-windows-zip.sh). Called by scripts/test.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-windows"
# Warnings in our own code are errors here, as in the other builds of this command.
bash "$root/scripts/build-windows.sh" -DNAPRAWA_WARNINGS_AS_ERRORS=ON

. "$root/scripts/wine-prefix.sh"
echo "==> windows: a fresh Wine prefix"
wine_prefix_start persistent

echo "==> windows: running the tests under Wine"
(cd "$build" && ctest --output-on-failure -j "$(nproc)")

bash "$root/scripts/package-windows.sh" >/dev/null
bash "$root/scripts/test-windows-zip.sh"
