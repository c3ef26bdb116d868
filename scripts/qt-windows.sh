#!/usr/bin/env bash
# Builds the static Qt for 64-bit Windows that the window's cross build links, from Debian's own
# source of the Qt this machine runs (qt6-base, Debian's patches and ours in
# packaging/windows/qt applied), with Debian's MinGW-w64. Only what the window and its tests
# need: Core, Gui, Widgets, Sql with its SQLite driver, Test, and the platforms windows and
# offscreen (the widget suites run headless).
#
# The result lands in a cache folder outside the tree, named by a key made of the Qt version,
# the options, the patches, the toolchain file and the recipe's revision, and is built only when
# that key has no finished build yet:
#   ${NAPRAWA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/naprawa}/qt-<version>-win64-<key>
# The last line printed is that folder. Safe to run again: a build that stopped goes on where it
# stopped.
# First run: about 25 minutes on an idle 2-core machine (source 46 MB, installed about 100 MB).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
toolchain="$root/cmake/mingw-w64.cmake"
patches=("$root"/packaging/windows/qt/*.patch)
cache=${NAPRAWA_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/naprawa}

# What is built: Core, Gui, Widgets, Sql with SQLite, Test; static, with the C++ run-time inside.
options=(
  -xplatform win32-g++ -qt-host-path /usr
  -release -static -static-runtime
  -nomake tests -nomake examples
  -no-opengl -no-dbus -no-icu -no-zstd -no-feature-vulkan
  -no-feature-network -no-feature-printsupport -no-feature-concurrent -no-feature-xml
  -qt-zlib -qt-pcre -qt-libpng -qt-harfbuzz -qt-freetype -no-libjpeg -no-gif
  -sql-sqlite -qt-sqlite -no-sql-odbc -no-sql-psql -no-sql-mysql -no-sql-ibase
)

say() { echo "==> qt-windows: $*" >&2; }
# Runs a command silently; shows what it said only when it fails.
quiet() {
  local log
  log=$("$@" 2>&1) || { echo "$log" >&2; return 1; }
}

version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
upstream=${version%%+*}
# The key: what decides the result, not this script's comments or messages. Raise the recipe's
# revision when a step below (or wintab-prologue.h) changes what is built.
revision=2
key=$( (echo "$revision $version ${options[*]}"; cat "$toolchain" "${patches[@]}") |
  sha256sum | cut -c1-12)
prefix="$cache/qt-$upstream-win64-$key"
if [ -f "$prefix/.complete" ]; then
  say "Qt $version for Windows is in $prefix"
  echo "$prefix"
  exit 0
fi

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)

# Debian's sources: the entries apt already uses for this release, again as deb-src.
if ! grep -qx deb-src <<<"$(apt-get indextargets --format '$(TARGET_OF)' 2>/dev/null)"; then
  say "adding Debian's source packages to apt's sources"
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  mkdir -p "$cache"
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk -v RS= -v release="$codename" '{
      types = suites = 0
      n = split($0, line, "\n")
      for (i = 1; i <= n; i++) {
        if (line[i] ~ /^Types:/ && (line[i] " ") ~ / deb /) types = 1
        if (line[i] ~ /^Suites:/ && (line[i] " ") ~ (" " release " ")) suites = 1
      }
      if (types && suites) {
        for (i = 1; i <= n; i++) print (line[i] ~ /^Types:/ ? "Types: deb-src" : line[i])
        print ""
      }
    }' "$f"
  done >"$cache/deb-src.sources"
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
    grep -E "^deb .* $codename( |$)" | sed 's/^deb /deb-src /' >"$cache/deb-src.list" || true
  for kind in sources list; do
    if [ -s "$cache/deb-src.$kind" ]; then
      "${sudo[@]}" cp "$cache/deb-src.$kind" "/etc/apt/sources.list.d/naprawa-deb-src.$kind"
    fi
    rm -f "$cache/deb-src.$kind"
  done
  quiet "${sudo[@]}" apt-get update
fi

# A build that stopped part-way goes on where it stopped; its folder is kept until it succeeds.
work="$cache/work-$key"
src="$work/qtbase"
if [ ! -f "$work/build/.configured" ]; then
  rm -rf "$work" "$prefix"
  mkdir -p "$work"
  cd "$work"

  say "fetching Debian's source of qt6-base $version"
  quiet apt-get source --download-only "qt6-base=$version"
  quiet dpkg-source -x qt6-base_*.dsc qtbase
  for patch in "${patches[@]}"; do
    say "applying $(basename "$patch")"
    quiet patch -d "$src" -p1 -i "$patch"
  done

  # Debian leaves two third-party folders out of its source. SQLite: the amalgamation made
  # from Debian's own sqlite3 source. Tablet support: the two Wintab headers of Debian's Wine,
  # with the few macros of Wine's own headers that they use (wintab-prologue.h).
  say "making the SQLite amalgamation from Debian's sqlite3 source"
  quiet apt-get source --download-only sqlite3
  quiet dpkg-source -x sqlite3_*.dsc sqlite
  (cd sqlite && quiet ./configure && quiet make sqlite3.c)
  mkdir -p "$src/src/3rdparty/sqlite"
  cp sqlite/sqlite3.c sqlite/sqlite3.h "$src/src/3rdparty/sqlite/"

  say "taking the Wintab headers from Debian's Wine headers"
  quiet apt-get download libwine-dev
  mkdir -p "$src/src/3rdparty/wintab" wine
  headers=./usr/include/wine/wine/windows
  dpkg-deb --fsys-tarfile libwine-dev_*.deb | tar -x -C wine "$headers/wintab.h" "$headers/pktdef.h"
  cp "wine/$headers/pktdef.h" "$src/src/3rdparty/wintab/"
  cat "$root/packaging/windows/qt/wintab-prologue.h" "wine/$headers/wintab.h" \
    >"$src/src/3rdparty/wintab/wintab.h"

  say "configuring (MinGW-w64, static, release)"
  mkdir build
  cd build
  "$src/configure" -prefix "$prefix" "${options[@]}" \
    -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >configure.log 2>&1 ||
    { tail -40 configure.log >&2; exit 1; }
  touch .configured
else
  say "going on with the build that stopped in $work"
fi

cd "$work/build"
say "building with $(nproc) jobs (about 1,100 steps)"
cmake --build . --parallel "$(nproc)" 2>&1 | tee build.log | {
  n=0
  while IFS= read -r line; do
    if [[ $line == \[*/*\]* ]] && ((++n % 100 == 0)); then say "step ${line%% *}"; fi
  done
} || {
  tail -40 build.log >&2
  say "the build stopped; the next run goes on from $work"
  exit 1
}
say "installing into $prefix"
cmake --install . >/dev/null
touch "$prefix/.complete"
cd /
rm -rf "$work"
echo "$prefix"
