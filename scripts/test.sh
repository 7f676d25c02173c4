#!/usr/bin/env bash
# Sets up, builds and runs every test: the Linux program under AddressSanitizer and
# UndefinedBehaviorSanitizer (unit, widget, bus and real-window tests alike), and the
# Windows program and the core's tests built with mingw-w64 and run under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh test
scripts/package-windows.sh
cmake --preset asan -DTAMSVEROLIND_WINDOWS_BUILD="$PWD/build/windows" >/dev/null
cmake --build --preset asan
ctest --preset asan --no-tests=error "$@"
