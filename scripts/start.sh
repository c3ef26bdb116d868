#!/usr/bin/env bash
# Installs what is missing, builds, puts a damaged sample stock file in samples/ and starts
# the tool.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"

sample="$root/samples/uszkodzony.rek"
if [ ! -f "$sample" ] && [ -x "$root/build/tools/stockgen" ]; then
  mkdir -p "$root/samples"
  # 40 good records, blank names at 12, 25 and 33, then a torn 200-byte tail.
  "$root/build/tools/stockgen" --records 40 --blank 12,25,33 --tail 200 --seed 7 "$sample"
  echo "==> start: sample stock file: $sample"
fi

app="$root/build/app/naprawa"
if [ ! -x "$app" ]; then
  echo "start: the tool's window is not built yet (no $app)" >&2
  exit 1
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "start: no desktop to show the window on (DISPLAY is not set);" \
       "under a virtual one: xvfb-run bash scripts/start.sh" >&2
  exit 1
fi
echo "==> start: $app"
exec "$app"
