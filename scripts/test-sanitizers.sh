#!/usr/bin/env bash
# The whole suite again in a clang tree built with AddressSanitizer (leak checking on) and
# UndefinedBehaviorSanitizer, every finding fatal, and in the same tree a short run of every
# fuzz target from its seed corpus (Fuzz.* tests). Suppressions, each with its reason, are in
# tests/sanitizers/; they name only code from outside the project.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-sanitize"
symbolizer=$(command -v llvm-symbolizer-14 || command -v llvm-symbolizer || true)

# Found in the build too: the icons are drawn at build time by a program of the tree.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:external_symbolizer_path=$symbolizer"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:external_symbolizer_path=$symbolizer"
export LSAN_OPTIONS="suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0"

echo "==> sanitizers: configuring and building in $build (clang, ASan + UBSan, fuzz targets)"
CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Sanitize -DCMAKE_CXX_FLAGS_SANITIZE="-O1 -gline-tables-only" \
  -DNAPRAWA_SANITIZE=ON -DNAPRAWA_FUZZ=ON -DNAPRAWA_BUILD_BENCH=OFF \
  -DNAPRAWA_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "$build" -j "$(nproc)"

echo "==> sanitizers: running every test and a smoke run of every fuzz target"
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)")
echo "==> sanitizers: done in ${SECONDS} s"
