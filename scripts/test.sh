#!/usr/bin/env bash
# Sets up, builds and runs every test: under AddressSanitizer and UndefinedBehaviorSanitizer
# (unit, widget, bus and real-window tests alike).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan --no-tests=error "$@"
