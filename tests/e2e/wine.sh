#!/usr/bin/env bash
# The Windows program under Wine, in a prefix of the test's own, after the tests built for
# Windows (the core's, the Win32 window's): where the window opens, the About menu's home
# page reaching the desktop's handler, and a count-down armed by keyboard from the first
# focus that asks to end the session at zero. Under
# Wine that request only ends the prefix's own programs (ExitWindowsEx runs "wineboot
# --end-session"): the test sees it in Wine's process trace, and the program ending.
TEST_NAME=wine PROGRAM=$1
source "$(dirname "$0")/harness.sh"
# The executable's version record (its fixed part, after the signature FEEF04BD) and its
# manifest carry the project's version.
version=$(sed -n 's/^project(Tamsverolind VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
at=$(LC_ALL=C grep -obUaP '\xbd\x04\xef\xfe' "$PROGRAM" | head -1 | cut -d: -f1)
read -r minor major tweak patch < <(od -An -tu2 -j $((at + 8)) -N8 "$PROGRAM")
[ "$major.$minor.$patch.$tweak" = "$version" ] && grep -aq "name=\"Tamsverolind\" version=\"$version\"" "$PROGRAM" ||
  fail "version record $major.$minor.$patch.$tweak, manifest $(grep -ao 'name="Tamsverolind" version="[0-9.]*"' "$PROGRAM")"
# It starts on Windows before 10 1607: it imports none of the per-monitor DPI functions.
x86_64-w64-mingw32-objdump -p "$PROGRAM" | grep -E 'GetDpiForWindow|AdjustWindowRectExForDpi' && fail "imports those"
start_x
start_wine
for tests in "${@:2}"; do wine "$tests" | tail -2 || fail "${tests##*/} failed under Wine"; done
# That browser is missing here, as on most machines: the link goes to the default handler.
rm -f "$WINEPREFIX/drive_c/Program Files/Internet Explorer/iexplore.exe"

start_program env WINEDEBUG=+process wine "$PROGRAM"
sleep 1.5
check_placed
open_home_page 0.7 150

# From the action box, which has the focus at start: Tab to "by Count Down", choose it, Tab
# into its picker, step the seconds up twice (00:00:02), Tab to "Ok" and press Return.
xdotool key --delay 150 Tab Tab Tab space Tab Right Right Right Up Up Tab
xdotool key Return
armed=$(now_ms)
wait_for 8 eval '! kill -0 $PROGRAM_PID 2>/dev/null' || fail "the session was not ended 8 s after Ok"
ended=$(( $(now_ms) - armed ))
grep -q 'cmdline L"C:\\\\windows\\\\system32\\\\wineboot.exe --end-session --shutdown"' "$WORK/program.log" ||
  fail "no shut-down request: $(grep -i wineboot "$WORK/program.log" | head -3)"
[ $ended -ge 900 ] || fail "the session ended ${ended} ms after Ok, before the count-down ran out"
echo "PASS: version $version in the record and manifest; placed, above; link opened; shut down asked, program ended ${ended} ms after Ok"
