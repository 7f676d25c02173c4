#!/usr/bin/env bash
# Closing the window while armed ends the program at once; nothing is asked of the system.
TEST_NAME=closearmed
PROGRAM=$1 FAKE_SERVICE=$2
source "$(dirname "$0")/../support/harness.sh"
start_x; start_buses; start_fake system org.freedesktop.login1; start_program; sleep 0.5

type_count_down 000002
press_ok
sleep 0.5
xdotool windowactivate --sync "$WINDOW" key alt+F4 # openbox closes the active window
for _ in $(seq 20); do kill -0 "$PROGRAM_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$PROGRAM_PID" 2>/dev/null && fail "still running 2 s after the window was closed"
sleep 2.5
[ -z "$(calls_of org.freedesktop.login1)" ] || fail "a request after the window was closed"
echo "PASS: closed while armed: the program ended and nothing was asked"
