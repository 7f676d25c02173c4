#!/usr/bin/env bash
# Sets up, builds and opens Tamsverolind.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh run
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/src/tamsverolind
