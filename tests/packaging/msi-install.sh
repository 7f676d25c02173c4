#!/usr/bin/env bash
# The Windows installer under Wine's msiexec, in a prefix of the test's own: installed for the
# user without administrator rights, started once from where it went, listed with its
# version and publisher, replaced by a later version, and removed without a trace.
TEST_NAME=msi MSI=$1
source "$(dirname "$0")/../e2e/harness.sh"
start_x
start_wine
user_dir="$WINEPREFIX/drive_c/users/$(id -un)"
installed="$user_dir/AppData/Local/Programs/Tamsverolind"
shortcut="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tamsverolind.lnk"
listed() { wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | tr -d '\r' |
  sed -n 's/^ *\(DisplayName\|DisplayVersion\|Publisher\) *REG_SZ *\(.*Tamsverolind.*\|[0-9.]*\)$/\1=\2/p' | sort | tr '\n' ' '; }

# Once in about twenty runs, Wine's first msiexec in a new prefix has exited with 1: it is
# said, with the end of its log, and tried once more.
install() { wine msiexec /i "$MSI" /qn /l*v "$WORK/install.log"; }
install || { echo "msiexec /i exited with $?, once: $(tail -3 "$WORK/install.log" 2>/dev/null)" >&2; install; } ||
  fail "msiexec /i exited with $?"
[ -f "$installed/Tamsverolind.exe" ] && [ -f "$installed/LICENSE.txt" ] && [ -f "$shortcut" ] || fail "installed: $(find "$user_dir" -iname '*tamsverolind*')"
[ "$(listed)" = "DisplayName=Tamsverolind DisplayVersion=1.0.0.8 Publisher=The Tamsverolind authors " ] || fail "listed as: $(listed)"
start_program wine "$installed/Tamsverolind.exe" && kill "$PROGRAM_PID"

# A later version, made the same way, takes the earlier one's place.
"$(dirname "$0")/../../scripts/make-msi.sh" 1.0.0.9 "$installed/Tamsverolind.exe" "$WORK/later.msi"
wine msiexec /i "$WORK/later.msi" /qn || fail "the upgrade exited with $?"
[ "$(listed)" = "DisplayName=Tamsverolind DisplayVersion=1.0.0.9 Publisher=The Tamsverolind authors " ] || fail "after the upgrade: $(listed)"

wine msiexec /x "$WORK/later.msi" /qn || fail "msiexec /x exited with $?"
left=$(find "$user_dir" -iname '*tamsverolind*'; wine reg query 'HKCU\Software\Tamsverolind' >/dev/null 2>&1 && echo HKCU key; listed)
[ -z "$left" ] || fail "left behind: $left"
echo "PASS: installed for the user, started, listed as 1.0.0.8 by its publisher, upgraded to 1.0.0.9, removed without a trace"
