#!/usr/bin/env bash
# Builds the Windows program with Debian's mingw-w64: build/windows/Tamsverolind.exe, one
# static executable, and the core's tests as build/windows/tests/tst_core.exe.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh windows
cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DTAMSVEROLIND_WERROR=ON \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" >/dev/null
cmake --build build/windows
exe=build/windows/Tamsverolind.exe
echo "$exe: $(stat -c %s "$exe") bytes; imports: $(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\tDLL Name: //p' | sort | tr '\n' ' ')"
