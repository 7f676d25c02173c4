#!/usr/bin/env bash
# An action text that names no action: the count-down still runs down and nothing is
# asked; once the text is mended, the request follows at the next tick.
TEST_NAME=noaction
PROGRAM=$1 FAKE_SERVICE=$2
source "$(dirname "$0")/../support/harness.sh"
start_x; start_buses; start_fake system org.freedesktop.login1; start_program; sleep 0.5

type_action "Reboot"
type_count_down 000002
press_ok
sleep 4
[ -z "$(calls_of org.freedesktop.login1)" ] || fail "a request for a text that is no action"
type_action "Restart"
sleep 1.5
calls_of org.freedesktop.login1 | head -1 | grep -q " Reboot b false$" || fail "no Reboot(false) once mended: $(calls_of org.freedesktop.login1)"
echo "PASS: nothing asked for \"Reboot\"; the count-down had reached zero and Reboot(false) followed the mended text"
