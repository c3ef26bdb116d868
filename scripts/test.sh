#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (headless).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
echo "==> test: running every test"
(cd "$root/build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)")

# Checks beyond the suite, each a script of its own.
bash "$root/scripts/test-windows.sh"
bash "$root/scripts/check-format.sh"
bash "$root/scripts/test-sanitizers.sh"
bash "$root/scripts/check-package.sh"
