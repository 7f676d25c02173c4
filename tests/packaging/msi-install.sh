#!/usr/bin/env bash
# The Windows installer under Wine's msiexec, in a prefix of the test's own: installed for the
# user without administrator rights, started once from where it went, its shortcut and its
# icon in Installed apps, listed with its version and publisher, replaced by a later version,
# refused over that later one with a message naming it, and removed without a trace.
TEST_NAME=msi MSI=$(realpath "$1")
source "$(dirname "$0")/../e2e/harness.sh"
# Windows Installer's validation (ICE03): a folder, file or shortcut name that is no 8.3 name
# is given as short|long.
names() { (cd "$WORK" && msiinfo export "$MSI" "$1") | tr -d '\r' | tail -n +4 | cut -f"$2"; }
[ "$(names File 3 | wc -l)" -eq 2 ] || fail "msiinfo found no files in $MSI"
for name in $(names Directory 3) $(names File 3) $(names Shortcut 3); do
  [[ "$name" =~ ^[A-Z0-9_~-]{1,8}(\.[A-Z0-9_]{1,3})?\|. || "$name" =~ ^[A-Za-z0-9_-]{1,8}(\.[A-Za-z0-9_]{1,3})?$ ||
     "$name" = SourceDir || "$name" = . ]] || fail "not a short|long name: $name"
done
start_x
start_wine
user_dir="$WINEPREFIX/drive_c/users/$(id -un)"
installed="$user_dir/AppData/Local/Programs/Tamsverolind"
shortcut="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tamsverolind.lnk"
listed() { wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | tr -d '\r' |
  sed -n 's/^ *\(DisplayName\|DisplayVersion\|Publisher\) *REG_SZ *\(.*Tamsverolind.*\|[0-9.]*\)$/\1=\2/p' | sort | tr '\n' ' '; }

# Once in about twenty runs, Wine's first msiexec in a new prefix has exited with 1: it is
# said, with the end of its log, and tried once more.
programs_before=$(test -d "$user_dir/AppData/Local/Programs" && echo there || echo missing)
install() { wine msiexec /i "$MSI" /qn /l*v "$WORK/install.log"; }
install || { echo "msiexec /i exited with $?, once: $(tail -3 "$WORK/install.log" 2>/dev/null)" >&2; install; } ||
  fail "msiexec /i exited with $?"
[ -f "$installed/Tamsverolind.exe" ] && [ -f "$installed/LICENSE.txt" ] && [ -f "$shortcut" ] || fail "installed: $(find "$user_dir" -iname '*tamsverolind*')"
# Windows Installer orders three parts: 1.0.0.8 is packaged as 1.0.8.
[ "$(listed)" = "DisplayName=Tamsverolind DisplayVersion=1.0.8 Publisher=The Tamsverolind authors " ] || fail "listed as: $(listed)"
strings "$shortcut" | grep -q 'Programs\\Tamsverolind\\Tamsverolind.exe$' || fail "the shortcut points at: $(strings "$shortcut")"
# The icon Installed apps shows, kept by Windows Installer with the product.
icon=$(wine reg query 'HKCU\Software\Microsoft\Installer\Products' /s 2>/dev/null | tr -d '\r' | sed -n 's/^ *ProductIcon *REG_SZ *//p')
[ -n "$icon" ] && cmp -s "$(wine winepath -u "$icon" 2>/dev/null)" "$(dirname "$0")/../../data/icons/tamsverolind.ico" ||
  fail "Installed apps' icon: '$icon'"
start_program wine "$installed/Tamsverolind.exe" && kill "$PROGRAM_PID"

# A later version, made the same way, takes the earlier one's place.
"$(dirname "$0")/../../scripts/make-msi.sh" 1.0.0.9 "$installed/Tamsverolind.exe" "$WORK/later.msi"
wine msiexec /i "$WORK/later.msi" /qn || fail "the upgrade exited with $?"
[ "$(listed)" = "DisplayName=Tamsverolind DisplayVersion=1.0.9 Publisher=The Tamsverolind authors " ] || fail "after the upgrade: $(listed)"

# The earlier package over the later one: refused, saying which is installed; nothing changes.
wine msiexec /i "$MSI" /qn /l*v "$WORK/downgrade.log" && fail "the earlier package installed over the later one"
# (Wine's quiet install logs no launch condition's message: its text, and what fills it in.)
msiinfo export "$MSI" LaunchCondition | grep -q "Tamsverolind \[INSTALLEDVERSION\] is installed, which is later" &&
  grep -q "INSTALLEDVERSION = 1.0.0.9" "$WORK/downgrade.log" || fail "refused without naming 1.0.0.9"
[ "$(listed)" = "DisplayName=Tamsverolind DisplayVersion=1.0.9 Publisher=The Tamsverolind authors " ] &&
  [ -f "$installed/Tamsverolind.exe" ] || fail "after the refused downgrade: $(listed)"

wine msiexec /x "$WORK/later.msi" /qn || fail "msiexec /x exited with $?"
left=$(find "$user_dir" -iname '*tamsverolind*'; wine reg query 'HKCU\Software\Tamsverolind' >/dev/null 2>&1 && echo HKCU key; listed
  [ "$(test -d "$user_dir/AppData/Local/Programs" && echo there || echo missing)" = "$programs_before" ] || echo "the Programs folder")
[ -z "$left" ] || fail "left behind: $left"
echo "PASS: installed for the user, started, its shortcut and icon in place, listed as 1.0.8 by its publisher, upgraded to 1.0.0.9, refused going back to 1.0.0.8, removed without a trace (the Programs folder $programs_before before, as after)"
