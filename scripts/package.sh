#!/usr/bin/env bash
# Builds the Debian package into dist/; install it with: sudo apt-get install ./dist/naprawa_*.deb
# Only what the package holds is built (the two programs, the icons, the documents; no tests),
# with Debian's build flags (scripts/build.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" --target naprawa_package_contents
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
