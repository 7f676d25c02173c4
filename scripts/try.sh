#!/usr/bin/env bash
# Opens the program on this desktop without any power to end the session: it runs on
# private session and system buses where a stand-in logind only prints what it is asked.
# Needs a graphical session (DISPLAY). Closing the window, or Ctrl+C, ends all it started.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -n "${DISPLAY:-}" ] || { echo "try.sh needs a graphical session (DISPLAY is not set)" >&2; exit 1; }
scripts/setup.sh try
echo "Building (about a minute the first time)..."
cmake --preset dev >/dev/null
cmake --build --preset dev --target tamsverolind fake_service
work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"' EXIT
trap 'exit 130' INT TERM
for bus in session system; do
  dbus-daemon --session --address="unix:dir=$work" --fork --print-address=1 --print-pid=1 >"$work/$bus"
  pids+=("$(sed -n 2p "$work/$bus")")
done
export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p "$work/session") DBUS_SYSTEM_BUS_ADDRESS=$(sed -n 1p "$work/system")
# The stand-in itself, not the filter that labels its lines, is the process to end.
build/dev/tests/fake_service system org.freedesktop.login1 > >(sed -u 's/^/stand-in logind was asked: /') &
pids+=($!)
build/dev/src/tamsverolind
