#!/usr/bin/env bash
# Installs the Debian 12 packages that one job needs, and nothing when all is there:
#   setup.sh run      build and run the Linux program
#   setup.sh try      build the Linux program and the stand-in logind of scripts/try.sh
#   setup.sh windows  build the Windows program and the core's Windows tests
#   setup.sh package  the Windows program's installer and zip
#   setup.sh lint     formatting, clang-tidy and the desktop files' validators
#   setup.sh test     all of these, and the tests and packaging (the default)
set -euo pipefail

build=(cmake ninja-build g++ ccache pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev)
# the X11 platform plugin, and the font the clock is measured with
run=(qt6-qpa-plugins fonts-liberation2)
windows=(cmake ninja-build doctest-dev g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)
package=(wixl msitools zip)
lint=(git clang-format clang-tidy desktop-file-utils appstream)
# Wine, real windows and buses, time zones to move between; the .deb and the clean root it is installed into
test=(librapidcheck-dev wine wine64 xvfb xauth openbox xdotool x11-utils x11-xserver-utils imagemagick dbus-daemon dbus-bin file dpkg-dev debootstrap lintian tzdata util-linux)
case "${1:-test}" in
run) packages=("${build[@]}" "${run[@]}") ;;
try) packages=("${build[@]}" "${run[@]}" doctest-dev librapidcheck-dev dbus-daemon) ;;
windows) packages=("${windows[@]}") ;;
package) packages=("${package[@]}") ;;
lint) packages=("${build[@]}" "${lint[@]}" doctest-dev librapidcheck-dev) ;;
test) packages=("${build[@]}" "${run[@]}" "${windows[@]}" "${package[@]}" "${lint[@]}" "${test[@]}") ;;
*) echo "usage: setup.sh [run|try|windows|package|lint|test]" >&2; exit 2 ;;
esac

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
