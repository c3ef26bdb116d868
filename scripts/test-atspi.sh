#!/usr/bin/env bash
# The built window read through AT-SPI, as a screen reader reads it: a private D-Bus session with
# its own accessibility bus, a virtual screen, and a bound on the whole so a hang fails instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
echo "==> atspi: the window's names, the record grid's cells and the focus after a preview"
QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 timeout 60 dbus-run-session -- \
  xvfb-run -a -s '-screen 0 1280x1024x24' \
  /usr/bin/python3 "$root/tests/e2e/atspi_window.py" "$root/build/app/naprawa"
