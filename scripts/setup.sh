#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12; quick when all is there.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ ccache pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
  # run: the X11 platform plugin, and the font the clock is measured with
  qt6-qpa-plugins fonts-liberation2
  # real-window and bus tests
  xvfb xauth openbox xdotool x11-utils imagemagick dbus-daemon dbus-bin faketime
)

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
