#!/usr/bin/env bash
# A user's path through the real window: where it opens, the About menu's link, a
# count-down armed by keyboard, a typed set time, and Log Off ending the program.
TEST_NAME=linux PROGRAM=$1 FAKE_SERVICE=$2
source "$(dirname "$0")/harness.sh"
stand_in_xdg_open
start_x; start_buses; start_fake system org.freedesktop.login1; start_program; sleep 1
check_placed
click_at 60 40 3 # a right-click on the clock: its last item opens the home page
sleep 0.5
xdotool key --delay 80 Up Return
opened https://www.example.org/tamsverolind

# "Restart", a count-down of 2 s and Ok, by keyboard: one Reboot(false), which is
# accepted, so not asked again while the count-down stays at zero.
type_action Restart
xdotool key --delay 80 Tab Tab Tab space Tab
xdotool type --delay 60 000002
xdotool key --delay 80 Tab
xdotool key Return
armed=$(now_ms)
sleep 4.5
mapfile -t times < <(request_times org.freedesktop.login1)
[ ${#times[@]} -eq 1 ] && calls_of org.freedesktop.login1 | grep -q " Reboot b false$" || fail "requests: $(calls_of org.freedesktop.login1)"
after=$(( times[0] - armed ))
[ $after -ge 900 ] && [ $after -le 2100 ] || fail "the request came ${after} ms after Ok"
xdotool key Return # "Cancel" has the focus

# A set time typed into the picker: one PowerOff(false) at its second.
type_action "Shut Down"
target=$(( $(date +%s) + 4 ))
type_target "$target"
press_ok
sleep $(( target - $(date +%s) + 2 ))
mapfile -t times < <(request_times org.freedesktop.login1)
lag=$(( ${times[1]:-0} - target * 1000 ))
[ ${#times[@]} -eq 2 ] && [ $lag -ge 0 ] && [ $lag -le 150 ] || fail "requests: $(calls_of org.freedesktop.login1)"
press_cancel

# Log Off with the count-down at zero: one Terminate(), then the program is gone.
type_action "Log Off"
choose_count_down
xdotool key --delay 50 Tab ctrl+a
xdotool type --delay 60 000000
press_ok
wait_for 4 eval '! kill -0 $PROGRAM_PID 2>/dev/null' || fail "still running 4 s after Log Off"
wait "$PROGRAM_PID" || fail "the program exited with status $?"
calls_of org.freedesktop.login1 | tail -1 | grep -q " Terminate - -$" || fail "no Terminate(): $(calls_of org.freedesktop.login1)"
echo "PASS: placed, above; link opened; Reboot ${after} ms after Ok, once; set time ${lag} ms late; Log Off ended the program"
