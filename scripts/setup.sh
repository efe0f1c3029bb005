#!/usr/bin/env bash
# Installs what building, running and testing Orbix need on Debian 12, when it is missing.
set -euo pipefail
packages=(cmake ninja-build g++ qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
          fonts-liberation g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
          xvfb xauth xdotool imagemagick python3 dpkg-dev desktop-file-utils appstream
          clang clang-format libclang-rt-14-dev wine64 nsis xclip shared-mime-info locales qt6-translations-l10n
          qt6-base-private-dev dbus at-spi2-core python3-pyatspi poppler-utils icoutils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# The end-to-end checks run the program as a Brazilian user (LANG=pt_BR.UTF-8): the C library
# must know that locale, or the program would fall back to "C" behind the tests' back.
if ! locale -a 2>/dev/null | grep -qix 'pt_BR\.utf-\?8'; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Generating the pt_BR.UTF-8 locale"
  if grep -q '^# *pt_BR\.UTF-8 UTF-8' /etc/locale.gen; then
    $sudo sed -i 's/^# *\(pt_BR\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  elif ! grep -q '^pt_BR\.UTF-8 UTF-8' /etc/locale.gen; then
    echo 'pt_BR.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  fi
  $sudo locale-gen >/dev/null
fi
