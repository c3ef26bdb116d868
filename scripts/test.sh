#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (headless).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
# Warnings in our own code are errors here, as in the other builds of this command.
bash "$root/scripts/build.sh" -DNAPRAWA_WARNINGS_AS_ERRORS=ON
echo "==> test: running every test"
(cd "$root/build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)")

# Checks beyond the suite, each a script of its own.
bash "$root/scripts/test-atspi.sh"
bash "$root/scripts/test-windows.sh"
bash "$root/scripts/check-format.sh"
bash "$root/scripts/test-sanitizers.sh"
bash "$root/scripts/check-package.sh"
