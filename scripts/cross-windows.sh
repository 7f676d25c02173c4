#!/usr/bin/env bash
# Compiles the Windows-only code that needs no Qt (session ending with the shutdown
# privilege, the topmost request, starting the browser) and the version record with
# Debian's mingw-w64 cross compiler. Qt for Windows is not available here, so the Qt
# side of the Windows backend is built on Windows only.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v x86_64-w64-mingw32-g++-posix >/dev/null || {
  sudo_cmd=(); [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
}
out=build/windows-cross
mkdir -p "$out"
x86_64-w64-mingw32-g++-posix -std=c++20 -Wall -Wextra -Wpedantic -Wconversion -Wold-style-cast -Werror \
  -Isrc -c src/platform/windows/Win32Session.cpp -o "$out/Win32Session.o"
x86_64-w64-mingw32-windres src/platform/windows/tamsverolind.rc -o "$out/tamsverolind-rc.o"
echo "Windows code compiled: $out/Win32Session.o $out/tamsverolind-rc.o"
