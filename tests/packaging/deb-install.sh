#!/usr/bin/env bash
# Builds the .deb, which lintian must pass without an error or a warning, and installs it
# with apt-get into a throwaway Debian 12 root made by debootstrap, which has none of the
# build's -dev packages; then the installed program must open its window under Xvfb there. Needs root (debootstrap, chroot).
# Usage: tests/packaging/deb-install.sh [work dir, default build/deb-install]
set -euo pipefail
cd "$(dirname "$0")/../.."
WORK=$(realpath -m "${1:-build/deb-install}")
ROOT=$WORK/root
mkdir -p "$WORK"

scripts/setup.sh test

cmake --preset release >/dev/null
cmake --build --preset release
rm -f build/release/tamsverolind_*.deb
(cd build/release && cpack -G DEB >/dev/null)
deb=$(ls build/release/tamsverolind_*_amd64.deb)
# Debian's QA tool finds no error and no warning.
lintian --allow-root --fail-on error,warning "$deb" || { echo "FAIL: lintian"; exit 1; }

source scripts/debian-root.sh
debian_root "$ROOT" # kept between runs: only the package is installed anew
cp "$deb" "$ROOT/tmp/"

in_root apt-get update -qq
DEBIAN_FRONTEND=noninteractive in_root apt-get install -y -qq "/tmp/$(basename "$deb")" xvfb xdotool dbus-daemon dbus-bin >"$WORK/apt.log"

# The installed program, started as a user would, opens its window.
in_root sh -c '
  Xvfb :42 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
  # A private session bus, which also stands in for the system bus: nothing reaches the host.
  # It ends its bus when the program ends, so the program (not it) is ended by its pid.
  DISPLAY=:42 dbus-run-session -- sh -c "echo \$\$ >/tmp/program.pid
    DBUS_SYSTEM_BUS_ADDRESS=\$DBUS_SESSION_BUS_ADDRESS exec tamsverolind" >/tmp/program.log 2>&1 &
  window=$(DISPLAY=:42 timeout 20 xdotool search --sync --onlyvisible --name "^Tamsverolind$" | head -1)
  kill $(cat /tmp/program.pid); wait $!; kill $xvfb; wait
  [ -n "$window" ] || { cat /tmp/program.log; exit 1; }
' || { echo "FAIL: the installed program did not open its window"; exit 1; }
echo "PASS: lintian-clean; installed with apt-get into a clean Debian 12 root; the window opened under Xvfb"
