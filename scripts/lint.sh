#!/usr/bin/env bash
# clang-format must leave every source file as it is; clang-tidy must find nothing in src/.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null && command -v clang-tidy >/dev/null || {
  sudo_cmd=(); [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends clang-format clang-tidy
}
mapfile -t sources < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h')
clang-format --dry-run --Werror "${sources[@]}"
echo "clang-format: clean (${#sources[@]} files)"

[ -f build/dev/compile_commands.json ] || cmake --preset dev >/dev/null
cmake --build --preset dev >/dev/null # generated headers (moc, Version.h)
mapfile -t units < <(git ls-files 'src/*.cpp' | grep -v '/windows/')
printf '%s\n' "${units[@]}" | xargs -P 2 -n 4 clang-tidy -p build/dev --quiet
echo "clang-tidy: clean (${#units[@]} files)"
