#!/usr/bin/env bash
# Installs what Debian 12 needs to build and run Tamsverolind (setup.sh run), or also to
# test, lint and package it (setup.sh test, the default); quick when all is there.
set -euo pipefail

run=(
  # build
  cmake ninja-build g++ ccache pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
  # run: the X11 platform plugin, and the font the clock is measured with
  qt6-qpa-plugins fonts-liberation2
)
test=(
  # the core's tests, and the Windows program and its tests under Wine
  doctest-dev g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64
  # real-window and bus tests
  xvfb xauth openbox xdotool x11-utils imagemagick dbus-daemon dbus-bin
  # lint and packaging
  git clang-format clang-tidy file dpkg-dev desktop-file-utils appstream debootstrap
)
packages=("${run[@]}")
[ "${1:-test}" = run ] || packages+=("${test[@]}")

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
