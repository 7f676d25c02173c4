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

# Every include runs down, as the layout promises: the front-ends (platform/), then the core
# (window/ over schedule/ and about/), then ports/ with the values they share. Each core folder,
# with what it must not include; no core file includes Qt or Windows.
upward=""
for rule in 'ports:"[^"]*/' 'schedule:"(platform|window|about)/' 'about:"(platform|window|schedule)/' 'window:"platform/'; do
  folder=${rule%%:*} banned=${rule#*:}
  upward+=$(grep -nE "^#include ($banned|<(Q|win[a-z]*\.h))" "src/$folder"/* || true)
done
[ -z "$upward" ] || { echo "lint: includes that run up:" >&2; echo "$upward" >&2; exit 1; }
echo "includes: every one runs down"

[ -f build/dev/compile_commands.json ] || cmake --preset dev >/dev/null
cmake --build --preset dev >/dev/null # generated headers (moc, Version.h)
mapfile -t units < <(git ls-files 'src/*.cpp' | grep -v '/win32/')
[ ${#units[@]} -gt 0 ] || { echo "lint: no units for clang-tidy" >&2; exit 1; }
printf '%s\n' "${units[@]}" | xargs -P 2 -n 4 clang-tidy -p build/dev --quiet
echo "clang-tidy: clean (${#units[@]} files)"

out=$(desktop-file-validate data/org.example.Tamsverolind.desktop 2>&1)
[ -z "$out" ] || { echo "desktop-file-validate: $out" >&2; exit 1; }
appstreamcli validate --no-net data/org.example.Tamsverolind.metainfo.xml
