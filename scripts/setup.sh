#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need — only those missing.
# Safe to run again: with everything present it changes nothing.
set -euo pipefail

packages=(
  g++ cmake ninja-build            # compiler and build
  qt6-base-dev qt6-base-dev-tools  # Qt 6 Widgets, uic and moc
  libqt6sql6-sqlite                # the SQLite driver of Qt's SQL module
  qt6-translations-l10n            # the system's dialogs in the desktop's language
  libgtest-dev                     # GoogleTest
  clang-format                     # the formatting check
  fonts-wine fonts-dejavu-core     # Tahoma-compatible and plain sans fonts
  dpkg-dev                         # dpkg-shlibdeps: the Debian package's library dependencies
  desktop-file-utils               # desktop-file-validate: the package's menu entry
  xvfb xauth xdotool               # a virtual screen and keys for the packaged window and the screenshot
  imagemagick                      # import: the README's screenshot
  libxcb1-dev                      # the start-up benchmark watches the window appear
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  echo "==> setup: every package is installed"
  exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "setup: run as root or install sudo" >&2; exit 1; }
  sudo=(sudo)
fi
echo "==> setup: installing ${missing[*]}"
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y "${missing[@]}"
