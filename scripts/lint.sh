#!/usr/bin/env bash
# clang-format must leave every source file as it is; clang-tidy must find nothing in the
# Linux program's sources (the Win32 ones are checked by mingw-w64's warnings); the desktop
# entry and the metainfo must pass their validators as software centres read them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh lint
git rev-parse --show-toplevel >/dev/null 2>&1 || { echo "lint: not a git work tree, nothing to check" >&2; exit 1; }
mapfile -t sources < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h')
[ ${#sources[@]} -gt 0 ] || { echo "lint: git lists no source files, nothing to check" >&2; exit 1; }
clang-format --dry-run --Werror "${sources[@]}"
echo "clang-format: clean (${#sources[@]} files)"

[ -f build/dev/compile_commands.json ] || cmake --preset dev >/dev/null
cmake --build --preset dev >/dev/null # generated headers (moc, Version.h)
mapfile -t units < <(git ls-files 'src/*.cpp' | grep -v '/win32/')
[ ${#units[@]} -gt 0 ] || { echo "lint: no units for clang-tidy" >&2; exit 1; }
printf '%s\n' "${units[@]}" | xargs -P 2 -n 4 clang-tidy -p build/dev --quiet
echo "clang-tidy: clean (${#units[@]} files)"

out=$(desktop-file-validate data/org.example.Tamsverolind.desktop 2>&1)
[ -z "$out" ] || { echo "desktop-file-validate: $out" >&2; exit 1; }
appstreamcli validate --no-net data/org.example.Tamsverolind.metainfo.xml
