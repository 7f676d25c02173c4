#!/usr/bin/env bash
# Prints what following the machine's time zone costs each tick (bench/zone_cost.cpp).
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p build/bench
g++ -std=c++20 -O2 -Isrc -Ibuild/release/src bench/zone_cost.cpp src/platform/SystemClock.cpp -o build/bench/zone_cost
for run in 1 2 3; do build/bench/zone_cost; done
