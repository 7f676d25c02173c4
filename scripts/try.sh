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
source scripts/sandbox.sh
trap 'exit 130' INT TERM
start_buses
# The stand-in itself, not the filter that labels its lines, is the process to end.
build/dev/tests/fake_service system org.freedesktop.login1 > >(sed -u 's/^/stand-in logind was asked: /') &
PIDS+=($!)
build/dev/src/tamsverolind
