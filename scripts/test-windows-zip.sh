#!/usr/bin/env bash
# The zipped Windows program end to end, as an operator uses it: unzipped into a folder of a
# fresh Wine prefix (a Polish system), started on a virtual screen; the sample's name typed into
# the file-name field, the browse dialog opened and cancelled, "Czytaj", "Zapisz", a name typed
# and confirmed in the save dialog, the window closed with Alt+K. The output must be the first
# records the intelligent scan takes, byte for byte, and the registry must hold what it held
# with the window open before all that: the tool keeps no state. Every wait is bounded.
# NAPRAWA_WINE_SHOTS=<folder> keeps a screenshot of each step.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
zips=("$root"/dist/naprawa-*-win64.zip)
zip=${zips[0]}
[ -f "$zip" ] || { echo "test-windows-zip: no zip in dist/ (scripts/package-windows.sh)" >&2; exit 1; }
fail() {
  echo "test-windows-zip: $*" >&2
  exit 1
}

. "$root/scripts/wine-prefix.sh"
wine_prefix_start
export LC_ALL=pl_PL.UTF-8
drive_c="$WINEPREFIX/drive_c"
echo "==> windows-zip: $(basename "$zip") in a fresh Wine prefix"
mkdir -p "$drive_c/naprawa" "$drive_c/dane"
(cd "$drive_c/naprawa" && cmake -E tar xf "$zip")
program=$(find "$drive_c/naprawa" -name naprawa.exe)
[ -n "$program" ] || fail "no naprawa.exe in the zip"
for file in naprawa-cli.exe LICENSE.txt README.txt; do
  [ -f "$(dirname "$program")/$file" ] || fail "no $file in the zip"
done
# The sample of scripts/start.sh: 40 records, blank names at 12, 25 and 33, a torn tail.
timeout 120 "$wine" "$root/build-windows/tools/stockgen.exe" --records 40 --blank 12,25,33 \
  --tail 200 --seed 7 'C:\dane\uszkodzony.rek' >/dev/null
# The server started without a screen must be gone before the window's session starts one.
wine_prefix_settle

export PROGRAM="$program" WINE="$wine" SHOTS="${NAPRAWA_WINE_SHOTS:-}"
xvfb-run -a -s '-screen 0 1280x1024x24' bash -c '
  set -u
  shot() { [ -n "$SHOTS" ] && import -window root "$SHOTS/$1.png"; true; }
  # Waits up to 60 s for a window whose name matches; prints its id.
  window() {
    for _ in $(seq 120); do
      id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
      [ -n "$id" ] && { echo "$id"; return 0; }
      sleep 0.5
    done
    echo "no window \"$1\"" >&2
    return 1
  }
  keys() { xdotool key --delay 80 "$@"; sleep 0.5; }
  # The registry as the system holds it now, HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE.
  registry() {
    for hive in HKEY_CURRENT_USER HKEY_LOCAL_MACHINE; do
      timeout 120 "$WINE" regedit.exe /E "C:\\$1-$hive.reg" "$hive" || return 1
    done
  }
  timeout 300 "$WINE" "$PROGRAM" &
  pid=$!
  main=$(window "Naprawianie magazynu") || exit 1
  xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus --sync "$main"
  sleep 1
  registry before || exit 1
  shot 1-start
  # The focus starts on "Czytaj"; the tab order is "Czytaj", "Zapisz", the file-name field.
  keys Tab Tab
  xdotool type --delay 40 "C:\\dane\\uszkodzony.rek"
  keys alt+Down
  window "Browse" >/dev/null || exit 1
  sleep 1
  shot 2-browse
  keys Escape
  keys shift+Tab shift+Tab Return
  sleep 2
  shot 3-preview
  keys Tab space
  # The title the system gives: "Zapisz jako" on Windows, "Zachowaj jako" under Wine.
  window "jako|Save As" >/dev/null || exit 1
  sleep 1
  shot 4-save-dialog
  xdotool type --delay 40 "C:\\dane\\naprawiony.rek"
  keys Return
  sleep 2
  shot 5-saved
  keys alt+k
  for _ in $(seq 60); do kill -0 $pid 2>/dev/null || break; sleep 0.5; done
  if kill -0 $pid 2>/dev/null; then echo "the window did not close on Alt+K" >&2; kill $pid; exit 1; fi
  wait $pid || exit 1
  registry after
'

output="$drive_c/dane/naprawiony.rek"
[ -f "$output" ] || fail "no output file C:\\dane\\naprawiony.rek"
head -c $((33 * 463)) "$drive_c/dane/uszkodzony.rek" | cmp - "$output" ||
  fail "the output is not the 33 records the scan takes"
echo "==> windows-zip: 33 records saved byte for byte"

for hive in HKEY_CURRENT_USER HKEY_LOCAL_MACHINE; do
  # regedit writes UTF-16.
  diff <(iconv -f UTF-16 -t UTF-8 "$drive_c/before-$hive.reg") \
    <(iconv -f UTF-16 -t UTF-8 "$drive_c/after-$hive.reg") >&2 ||
    fail "the run changed the registry ($hive)"
done
echo "==> windows-zip: the registry is as it was"
