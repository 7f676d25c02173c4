#!/usr/bin/env bash
# make-msi.sh VERSION PROGRAM OUT: the per-user installer of PROGRAM (Tamsverolind.exe) as
# VERSION (four parts), with the license and the icon, made with wixl from
# data/windows/Tamsverolind.wxs.
set -euo pipefail
version=$1 program=$(realpath "$2") out=$(realpath -m "$3")
source_dir=$(realpath "$(dirname "$0")/..")
# Windows Installer compares only a version's first three parts: every version below the
# next third part is one this one replaces.
IFS=. read -r major minor patch _ <<<"$version"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$program" "$stage/Tamsverolind.exe"
cp "$source_dir/LICENSE" "$stage/LICENSE.txt"
cp "$source_dir/data/icons/tamsverolind.ico" "$stage/"
# wixl takes the files' paths relative to where it runs.
(cd "$stage" && wixl -a x64 -D Version="$version" -D UpgradeBelow="$major.$minor.$((patch + 1))" \
  -D Program=Tamsverolind.exe -D License=LICENSE.txt -D Icon=tamsverolind.ico -o "$out" \
  "$source_dir/data/windows/Tamsverolind.wxs")
