#!/usr/bin/env bash
# Builds the Debian package into dist/; install it with: sudo apt-get install ./dist/naprawa_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
dist="$root/dist"
echo "==> package: building the Debian package in $dist"
mkdir -p "$dist"
rm -f "$dist"/naprawa_*.deb
if ! log=$(cpack --config "$root/build/CPackConfig.cmake" -B "$dist" 2>&1); then
  echo "$log" >&2
  exit 1
fi
rm -rf "$dist/_CPack_Packages"
ls "$dist"/naprawa_*.deb
