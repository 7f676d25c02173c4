#!/usr/bin/env bash
# make-msi.sh VERSION PROGRAM OUT: the per-user installer of PROGRAM (Tamsverolind.exe) as
# VERSION (four parts), with the license and the icon, made with wixl from
# data/windows/Tamsverolind.wxs.
set -euo pipefail
version=$1 program=$(realpath "$2") out=$(realpath -m "$3")
source_dir=$(realpath "$(dirname "$0")/..")
# Windows Installer orders versions by their first three parts only: a.b.c.d is packaged
# as a.b.(c*1000+d), so that every build is ordered (c at most 64, d at most 999).
IFS=. read -r major minor patch build <<<"$version"
[ "$patch" -le 64 ] && [ "${build:-0}" -le 999 ] || { echo "make-msi.sh: $version has no package version" >&2; exit 2; }
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$program" "$stage/Tamsverolind.exe"
cp "$source_dir/LICENSE" "$stage/LICENSE.txt"
cp "$source_dir/data/icons/tamsverolind.ico" "$stage/"
# wixl takes the files' paths relative to where it runs.
(cd "$stage" && wixl -a x64 -D Version="$version" -D MsiVersion="$major.$minor.$((patch * 1000 + ${build:-0}))" \
  -D NextMsiVersion="$major.$minor.$((patch * 1000 + ${build:-0} + 1))" \
  -D Program=Tamsverolind.exe -D License=LICENSE.txt -D Icon=tamsverolind.ico -o "$out" \
  "$source_dir/data/windows/Tamsverolind.wxs")
