#!/usr/bin/env bash
# How large the tests are beside the code, counted alike on both sides: every line that is
# neither blank nor a comment (// and /* */ lines in C++ and resource files, # lines in shell
# and CMake files), preprocessor lines and each side's build files included.
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
  git ls-files "$1" | grep -E '\.(cpp|h|rc|sh|txt|cmake)$' | while read -r file; do
    case "$file" in
    *.sh | *.txt | *.cmake) grep -c -v -E '^\s*(#.*)?$' "$file" || true ;;
    *) grep -c -v -E '^\s*(//.*|/?\*.*)?$' "$file" || true ;;
    esac
  done | awk '{ s += $1 } END { print s }'
}
tests=$(count 'tests/*') code=$(count 'src/*')
echo "tests $tests / code $code: $(( tests * 100 / code ))%"
