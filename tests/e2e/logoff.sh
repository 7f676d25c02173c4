#!/usr/bin/env bash
# "Log Off" typed into the action box, count-down at zero: logind receives exactly one
# Terminate() on the caller's session, and then the program is gone.
TEST_NAME=logoff
PROGRAM=$1 FAKE_SERVICE=$2
source "$(dirname "$0")/../support/harness.sh"
start_x; start_buses; start_fake system org.freedesktop.login1; start_program; sleep 0.5

type_action "Log Off"
choose_count_down # left at 00:00:00
press_ok
for _ in $(seq 40); do kill -0 "$PROGRAM_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$PROGRAM_PID" 2>/dev/null && fail "the program is still running 4 s after Ok"
wait "$PROGRAM_PID" || fail "the program exited with status $?"

mapfile -t calls < <(calls_of org.freedesktop.login1)
printf '  %s\n' "${calls[@]}"
[ ${#calls[@]} -eq 1 ] || fail "expected exactly one request, got ${#calls[@]}"
[[ "${calls[0]}" == *" Terminate - -" ]] || fail "not Terminate(): ${calls[0]}"
echo "PASS: one Terminate() received, then the program ended"
