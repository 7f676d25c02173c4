#!/usr/bin/env bash
# The Tab key alone walks the controls in their order: from the action box, Tab Tab Tab
# reaches "by Count Down", Tab its picker, Tab "Ok"; arming that way gives the request.
TEST_NAME=taborder
PROGRAM=$1 FAKE_SERVICE=$2
source "$(dirname "$0")/../support/harness.sh"
start_x; start_buses; start_fake system org.freedesktop.login1; start_program; sleep 0.5

click_at 80 107                    # into the action box
xdotool key --delay 80 Tab Tab Tab space   # set-time option, target picker, count-down option: choose it
xdotool key --delay 80 Tab         # the count-down picker, hours selected
xdotool type --delay 60 000002
xdotool key --delay 80 Tab space   # "Ok"
armed=$(now_ms)
sleep 2.6
xdotool key --delay 80 Tab shift+Tab space # focus was on "Cancel": round to the action box and back
sleep 1.5
mapfile -t times < <(request_times org.freedesktop.login1)
[ ${#times[@]} -ge 1 ] || fail "no request: the Tab walk did not reach the controls in order"
after=$(( times[0] - armed ))
[ $after -ge 1000 ] && [ $after -le 2300 ] || fail "first request ${after} ms after arming"
last=${times[-1]}
sleep 1.5
[ "$(request_times org.freedesktop.login1 | tail -1)" = "$last" ] || fail "requests go on: Cancel was not reached by Tab"
echo "PASS: armed with the keyboard alone; first request ${after} ms later; Cancel reached by Tab"
