#!/usr/bin/env bash
# Cross-builds the whole tool for 64-bit Windows into build-windows/: the window and the
# companion (static .exe files), their tests, against the Qt for Windows that
# scripts/qt-windows.sh builds once into a cache folder. Arguments go to the configure step.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-windows"
qt=$(bash "$root/scripts/qt-windows.sh" | tail -n 1)
toolchain="$qt/lib/cmake/Qt6/qt.toolchain.cmake"
# A tree configured with another toolchain (another Qt, or none) cannot be switched over.
if [ -f "$build/CMakeCache.txt" ] &&
  ! grep -qx "CMAKE_TOOLCHAIN_FILE:[A-Z]*=$toolchain" "$build/CMakeCache.txt"; then
  echo "==> build-windows: configured with another toolchain before: starting afresh"
  rm -rf "$build"
fi
echo "==> build-windows: configuring and building in $build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DNAPRAWA_BUILD_WINDOW=ON "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
