#!/usr/bin/env bash
# The target typed into the picker as a user would: one PowerOff(false) at its second.
TEST_NAME=settime
PROGRAM=$1 FAKE_SERVICE=$2
source "$(dirname "$0")/../support/harness.sh"
start_x; start_buses; start_fake system org.freedesktop.login1; start_program; sleep 0.5

target=$(( $(date +%s) + 5 ))
type_target "$target"
press_ok
sleep $(( target - $(date +%s) + 3 ))
mapfile -t times < <(request_times org.freedesktop.login1)
[ ${#times[@]} -eq 1 ] || fail "expected one request, got ${#times[@]}"
lag=$(( times[0] - target * 1000 ))
[ $lag -ge 0 ] && [ $lag -le 150 ] || fail "request ${lag} ms after the target second began"
calls_of org.freedesktop.login1 | grep -q " PowerOff b false$" || fail "not PowerOff(false)"
echo "PASS: one PowerOff(false), ${lag} ms after the target second began"
