#!/usr/bin/env bash
# Configures (once) and builds everything into build/, or with --target NAME only that target.
# Other arguments go to the configure step (-DNAPRAWA_WARNINGS_AS_ERRORS=ON, ...).
# Every build here takes Debian's build flags (dpkg-buildflags: stack protector, fortified
# functions, full RELRO with immediate binding), so the programs the suite tests are the ones
# the package ships.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
configure=()
targets=()
while (($#)); do
  case $1 in
    --target) targets+=(--target "$2"); shift 2 ;;
    *) configure+=("$1"); shift ;;
  esac
done
# Absolute source paths in the debug information (no prefix maps): debuggers find the sources.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all reproducible=-fixfilepath,-fixdebugpath"
flag() { dpkg-buildflags --get "$1"; }
echo "==> build: configuring and building in $build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$(flag CXXFLAGS) $(flag CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(flag LDFLAGS)" -DCMAKE_SHARED_LINKER_FLAGS="$(flag LDFLAGS)" \
  "${configure[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)" "${targets[@]}"
