#!/usr/bin/env bash
# Builds the Windows zip into dist/: naprawa.exe, naprawa-cli.exe, the licence and a read-me,
# from the cross build in build-windows/ (made by scripts/test-windows.sh, or here when missing).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-windows"
dist="$root/dist"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build-windows.sh"
echo "==> package-windows: building the zip in $dist"
mkdir -p "$dist"
rm -f "$dist"/naprawa-*-win64.zip
if ! log=$(cd "$build" && cpack -G ZIP -B "$dist" 2>&1); then
  echo "$log" >&2
  exit 1
fi
rm -rf "$dist/_CPack_Packages"
ls "$dist"/naprawa-*-win64.zip
