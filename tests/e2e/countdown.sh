#!/usr/bin/env bash
# A user arms a three-second count-down with "Shut Down": logind is asked to power off
# from the third tick on, once a tick, until "Cancel".
TEST_NAME=countdown
PROGRAM=$1 FAKE_SERVICE=$2
source "$(dirname "$0")/../support/harness.sh"
start_x; start_buses; start_fake system org.freedesktop.login1; start_program; sleep 0.5

type_count_down 000003
sleep 0.3
screenshot countdown-set
armed_at=$(now_ms)
press_ok
sleep 5.4
press_cancel
cancelled_at=$(now_ms)
sleep 2.2
screenshot countdown-cancelled

mapfile -t calls < <(calls_of org.freedesktop.login1)
echo "armed at $armed_at, cancelled at $cancelled_at"
printf '  %s\n' "${calls[@]}"
[ ${#calls[@]} -ge 3 ] && [ ${#calls[@]} -le 4 ] || fail "expected 3 or 4 requests in 5.4 s, got ${#calls[@]}"
first=${calls[0]%% *}
delay=$(( first - armed_at ))
[ $delay -ge 2000 ] && [ $delay -le 3100 ] || fail "first request ${delay} ms after Ok, not at the third tick"
previous=$first
for call in "${calls[@]}"; do
  read -r at _ member signature arguments <<<"$call"
  [ "$member $signature $arguments" = "PowerOff b false" ] || fail "unexpected request: $call"
  [ $(( at - previous )) -le 1100 ] || fail "requests more than a tick apart"
  [ "$at" -le "$cancelled_at" ] || fail "a request after Cancel"
  previous=$at
done
echo "PASS: first PowerOff(false) ${delay} ms after Ok, ${#calls[@]} requests, none after Cancel"
