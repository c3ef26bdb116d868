#!/usr/bin/env bash
# Photographs the real window under a virtual screen after a preview of the damaged sample
# stock file, for the README: docs/window.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Qt wants a private runtime folder; root's session may have none.
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR="$work/run"
# The sample of the start command: 40 records, blank names at 12, 25 and 33, a torn tail.
"$root/build/tools/stockgen" --records 40 --blank 12,25,33 --tail 200 --seed 7 \
  "$work/uszkodzony.rek" >/dev/null

echo "==> screenshot: previewing the sample in the real window"
cd "$work"
export APP="$root/build/app/naprawa" SHOT="$work/window.png"
QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
  set -eu
  timeout 120 "$APP" &
  pid=$!
  window=$(timeout 60 xdotool search --sync --onlyvisible --name "^Naprawianie magazynu$" | head -n 1)
  xdotool windowfocus --sync "$window"
  # "Czytaj" has the focus; the file-name field is two steps on in the tab order.
  xdotool key --delay 50 Tab Tab
  xdotool type --delay 20 uszkodzony.rek
  xdotool key --delay 50 shift+Tab shift+Tab space
  sleep 1
  import -window "$window" "$SHOT"
  xdotool key alt+k
  wait "$pid"
'
mkdir -p "$root/docs"
# No time stamps, so an unchanged window gives an unchanged file.
convert "$SHOT" -strip "$root/docs/window.png"
echo "==> screenshot: $root/docs/window.png"
