#!/usr/bin/env bash
# Builds the Windows program and its packages beside it in build/windows:
#   Tamsverolind-<version>-x64.msi  a per-user installer (scripts/make-msi.sh)
#   Tamsverolind-<version>-x64.zip  the program, its license and a short read-me
#   SHA256SUMS                      the checksums of both
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-windows.sh
scripts/setup.sh package
version=$(sed -n 's/^project(Tamsverolind VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
out=build/windows
name=Tamsverolind-$version-x64
scripts/make-msi.sh "$version" "$out/Tamsverolind.exe" "$out/$name.msi"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$out/Tamsverolind.exe" "$stage/"
cp LICENSE "$stage/LICENSE.txt"
cp data/windows/README.txt "$stage/README.txt"
rm -f "$out/$name.zip"
(cd "$stage" && zip -q -X "$OLDPWD/$out/$name.zip" Tamsverolind.exe LICENSE.txt README.txt)
(cd "$out" && sha256sum "$name.msi" "$name.zip" >SHA256SUMS)
echo "$out/$name.msi, $out/$name.zip and $out/SHA256SUMS"
