#!/usr/bin/env bash
# Builds the benchmarks and prints every figure of the README's "Performance" table: the writer
# against the bare loop of its system calls, dd and cp; "Czytaj" in the real window against the
# bare loop of its scan's system calls, with its memory; start-up against a minimal Qt window.
# Each figure is a median of runs alternating with its baseline, measured in the same run; run it
# on an otherwise idle machine, as anything else running shifts the figures.
# Extra arguments go to the writer and preview benchmarks (e.g. --records 100000).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
bash "$root/scripts/setup.sh" >/dev/null
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target bench_writer bench_preview bench_startup >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Qt wants a private runtime folder; root's session may have none.
mkdir -m 700 "$work/run"

hypervisor=$(lscpu 2>/dev/null | awk -F: '/Hypervisor vendor/ {gsub(/^ +/, "", $2); print " (" $2 " virtual machine)"}')
echo "==> machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')$hypervisor, \
$(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo), \
Linux $(uname -r), Debian $(cat /etc/debian_version 2>/dev/null || echo '?')"
echo
echo "==> the writer"
"$build/bench/bench_writer" "$@"
echo
echo "==> \"Czytaj\" in the window"
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/run" "$build/bench/bench_preview" "$@"
echo
echo "==> start-up"
XDG_RUNTIME_DIR="$work/run" xvfb-run -a -s '-screen 0 1280x1024x24' "$build/bench/bench_startup"
