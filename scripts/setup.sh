#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need — only those missing.
# Safe to run again: with everything present it changes nothing.
set -euo pipefail

packages=(
  g++ cmake ninja-build            # compiler and build
  ccache                           # what was compiled before, kept for the next build
  qt6-base-dev qt6-base-dev-tools  # Qt 6 Widgets, uic and moc
  libqt6sql6-sqlite                # the SQLite driver of Qt's SQL module
  qt6-translations-l10n            # the system's dialogs in the desktop's language
  libgtest-dev                     # GoogleTest
  libcli11-dev nlohmann-json3-dev  # the companion's argument parser and JSON writer (header-only)
  clang-format                     # the formatting check
  clang-14 libclang-rt-14-dev      # the sanitizer tree and libFuzzer (scripts/test-sanitizers.sh)
  llvm-14                          # llvm-symbolizer: sanitizer reports with file and line
  fonts-wine fonts-dejavu-core     # Tahoma-compatible and plain sans fonts
  dpkg-dev                         # dpkg-shlibdeps: the Debian package's library dependencies
  desktop-file-utils               # desktop-file-validate: the package's menu entry
  lintian                          # the package against Debian's policy
  appstream                        # appstreamcli: the package's AppStream metadata
  xvfb xauth xdotool               # a virtual screen and keys for the packaged window and the screenshot
  python3-pyatspi at-spi2-core     # the window read through AT-SPI, as a screen reader reads it
  imagemagick                      # import: the README's screenshot
  libxcb1-dev                      # the start-up benchmark watches the window appear
)
# The Windows build, tested under Wine (scripts/test-windows.sh), and the Qt it links, built from
# Debian's source by scripts/qt-windows.sh. Installed without their recommendations: Wine's
# would bring a desktop's worth of libraries.
lean_packages=(
  g++-mingw-w64-x86-64-posix       # MinGW-w64 cross compiler
  googletest                       # GoogleTest's sources, built with that compiler
  wine64                           # runs the Windows programs
  tcl                              # tclsh: SQLite's amalgamation for the Windows Qt
  file                             # the Debian package's dependency scan
  locales                          # a Polish system under Wine (pl_PL.UTF-8)
)

missing_of() {
  for p in "$@"; do
    if ! grep -q 'install ok installed' <<<"$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)"; then
      echo "$p"
    fi
  done
}
mapfile -t missing < <(missing_of "${packages[@]}")
mapfile -t missing_lean < <(missing_of "${lean_packages[@]}")

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "setup: run as root or install sudo" >&2; exit 1; }
  sudo=(sudo)
fi

# The Polish locale: under it Wine gives Windows programs the Polish ANSI code page, 1250.
polish_locale() {
  grep -qix 'pl_PL.utf-\?8' <<<"$(locale -a 2>/dev/null)" && return
  echo "==> setup: generating the pl_PL.UTF-8 locale"
  "${sudo[@]}" sed -i 's/^# *\(pl_PL.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -qx 'pl_PL.UTF-8 UTF-8' /etc/locale.gen ||
    echo 'pl_PL.UTF-8 UTF-8' | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo[@]}" locale-gen >/dev/null
}

if ((${#missing[@]} + ${#missing_lean[@]} == 0)); then
  polish_locale
  echo "==> setup: every package is installed"
  exit 0
fi
echo "==> setup: installing ${missing[*]} ${missing_lean[*]}"
"${sudo[@]}" apt-get update
if ((${#missing[@]})); then
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y "${missing[@]}"
fi
if ((${#missing_lean[@]})); then
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends \
    "${missing_lean[@]}"
fi
polish_locale
