#!/usr/bin/env bash
# "Cancel" pauses a "Restart" count-down and "Ok" resumes it from what was left.
TEST_NAME=pauseresume
PROGRAM=$1 FAKE_SERVICE=$2
source "$(dirname "$0")/../support/harness.sh"
start_x; start_buses; start_fake system org.freedesktop.login1; start_program; sleep 0.5

type_action "Restart"
type_count_down 000004
armed=$(now_ms)
press_ok
sleep 2.5      # two or three ticks, as the second boundaries fall
press_cancel
paused=$(now_ms)
sleep 3
[ -z "$(calls_of org.freedesktop.login1)" ] || fail "a request while paused"
resumed=$(now_ms)
press_ok
sleep 3.2
press_cancel
mapfile -t times < <(request_times org.freedesktop.login1)
[ ${#times[@]} -ge 1 ] || fail "no request after resuming"
calls_of org.freedesktop.login1 | head -1 | grep -q " Reboot b false$" || fail "not Reboot(false)"
after=$(( times[0] - resumed ))
armed_for=$(( paused - armed + after ))
# Resumed, not restarted (that would take 4 s), and the pause was not counted.
[ $after -le 2600 ] || fail "first request ${after} ms after resuming: the count-down started again"
[ $armed_for -ge 2400 ] && [ $armed_for -le 5100 ] || fail "armed for ${armed_for} ms in all before the request"
echo "PASS: paused for 3 s; the request came ${after} ms after resuming, ${armed_for} ms of armed time in all"
