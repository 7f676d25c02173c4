#!/usr/bin/env bash
# A user's path through the real window: where it opens, the About menu's link, a
# count-down armed by keyboard, a typed set time, and Log Off ending the program.
TEST_NAME=linux
PROGRAM=$1 FAKE_SERVICE=$2
source "$(dirname "$0")/harness.sh"
mkdir -p "$WORK/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s/opened"\n' "$WORK" >"$WORK/bin/xdg-open"
chmod +x "$WORK/bin/xdg-open"
export PATH="$WORK/bin:$PATH"
unset BROWSER DEFAULT_BROWSER
start_x; start_buses; start_fake system org.freedesktop.login1; start_program; sleep 1

# Placed by its client area, at its size, kept above.
place="$(window_field 'Absolute upper-left X'),$(window_field 'Absolute upper-left Y') $(window_field Width)x$(window_field Height)"
[ "$place" = "626,295 169x271" ] || fail "window at $place"
xprop -id "$WINDOW" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "not kept above"
screenshot linux-window

# A right-click on the clock opens the About menu; its last item opens the home page.
click_at 60 40 3
sleep 0.5
xdotool key --delay 80 Up Return
for _ in $(seq 40); do [ -s "$WORK/opened" ] && break; sleep 0.1; done
[ "$(cat "$WORK/opened" 2>/dev/null)" = https://www.example.org/tamsverolind ] || fail "xdg-open got '$(cat "$WORK/opened" 2>/dev/null)'"

# "Restart" typed, a count-down of 2 s and Ok, by keyboard: one Reboot(false), accepted, so
# not asked again while the count-down stays at zero.
type_action Restart
xdotool key --delay 80 Tab Tab Tab space Tab
xdotool type --delay 60 000002
xdotool key --delay 80 Tab Return
armed=$(now_ms)
sleep 4.5
mapfile -t times < <(request_times org.freedesktop.login1)
[ ${#times[@]} -eq 1 ] || fail "expected one request, got: $(calls_of org.freedesktop.login1)"
calls_of org.freedesktop.login1 | grep -q " Reboot b false$" || fail "not Reboot(false)"
after=$(( times[0] - armed ))
[ $after -ge 1000 ] && [ $after -le 2300 ] || fail "the request came ${after} ms after Ok"
xdotool key Return # Cancel has the focus
sleep 0.3

# A set time typed into the picker: one PowerOff(false) at its second.
type_action "Shut Down"
target=$(( $(date +%s) + 4 ))
type_target "$target"
press_ok
sleep $(( target - $(date +%s) + 2 ))
mapfile -t times < <(request_times org.freedesktop.login1)
[ ${#times[@]} -eq 2 ] || fail "expected one more request: $(calls_of org.freedesktop.login1)"
lag=$(( times[1] - target * 1000 ))
[ $lag -ge 0 ] && [ $lag -le 150 ] || fail "request ${lag} ms after the target second began"
press_cancel

# Log Off with the count-down at zero: one Terminate(), then the program is gone.
type_action "Log Off"
choose_count_down
xdotool key --delay 50 Tab ctrl+a
xdotool type --delay 60 000000
press_ok
for _ in $(seq 40); do kill -0 "$PROGRAM_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$PROGRAM_PID" 2>/dev/null && fail "still running 4 s after Log Off"
wait "$PROGRAM_PID" || fail "the program exited with status $?"
calls_of org.freedesktop.login1 | tail -1 | grep -q " Terminate - -$" || fail "no Terminate(): $(calls_of org.freedesktop.login1)"
echo "PASS: placed and above; link opened; Reboot ${after} ms after Ok, once; set time ${lag} ms late; Log Off ended the program"
