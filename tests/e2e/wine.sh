#!/usr/bin/env bash
# The Windows program under Wine, in a prefix of the test's own, after the tests built for
# Windows (the core's, the Win32 window's): where the window opens, the About menu's home
# page reaching the desktop's handler, and a count-down armed by keyboard from the first
# focus that asks to end the session at zero. Under
# Wine that request only ends the prefix's own programs (ExitWindowsEx runs "wineboot
# --end-session"): the test sees it in Wine's process trace, and the program ending.
TEST_NAME=wine PROGRAM=$1
source "$(dirname "$0")/harness.sh"
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
echo "PASS: placed, above; link opened; shut down asked, program ended ${ended} ms after Ok"
