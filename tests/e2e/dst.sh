#!/usr/bin/env bash
# The night Berlin's clocks skip from 02:00 to 03:00 (28 March 2027), the program's clock
# started at 01:59:50 by libfaketime:
#   after   a target just after the gap, 03:00:05, fires at its second (15 s later);
#   inside  a target inside the gap, 02:30:00, which the picker accepts, fires once at the
#           first second that exists after it, 03:00:00 (10 s later).
TEST_NAME=dst-$3
PROGRAM=$1 FAKE_SERVICE=$2 CASE=$3
source "$(dirname "$0")/../support/harness.sh"
start_x; start_buses; start_fake system org.freedesktop.login1

case $CASE in
after) digits=280327030005 expected=15000 ;;
inside) digits=280327023000 expected=10000 ;;
*) fail "no such case: $CASE" ;;
esac
started=$(now_ms)
TZ=Europe/Berlin LD_PRELOAD=$LIBFAKETIME FAKETIME="@2027-03-28 01:59:50" FAKETIME_DONT_FAKE_MONOTONIC=1 start_program
sleep 0.3
choose_set_time
xdotool key --delay 50 Tab
xdotool type --delay 40 "$digits"
press_ok
sleep $(( expected / 1000 + 3 ))
screenshot "dst-$CASE"
mapfile -t times < <(request_times org.freedesktop.login1)
[ ${#times[@]} -eq 1 ] || fail "expected one request, got ${#times[@]}"
after=$(( times[0] - started ))
[ $after -ge $(( expected - 1500 )) ] && [ $after -le $(( expected + 1500 )) ] ||
  fail "request ${after} ms after start, expected about ${expected}"
echo "PASS: target ${digits}: one request ${after} ms after the clock started at 01:59:50 (expected ${expected})"
