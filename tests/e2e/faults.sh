#!/usr/bin/env bash
# Faults, each its own case: tests/e2e/faults.sh PROGRAM FAKE_SERVICE CASE
#   stopped   the program is stopped (SIGSTOP) for 3 s across a set target
#   stepped   the wall clock is stepped forward over the target and back over it
#   nobus     there is no system bus at all
#   refusing  logind refuses every request (AccessDenied)
#   silent    logind never answers
TEST_NAME=faults-$3
PROGRAM=$1 FAKE_SERVICE=$2 CASE=$3
source "$(dirname "$0")/../support/harness.sh"
start_x; start_buses

case $CASE in
stopped)
  start_fake system org.freedesktop.login1; start_program; sleep 0.5
  target=$(( $(date +%s) + 5 ))
  type_target "$target"
  press_ok
  sleep $(( target - $(date +%s) - 1 ))
  kill -STOP "$PROGRAM_PID"
  sleep 3
  resumed=$(now_ms)
  kill -CONT "$PROGRAM_PID"
  sleep 3
  mapfile -t times < <(request_times org.freedesktop.login1)
  [ ${#times[@]} -eq 1 ] || fail "expected exactly one request, got ${#times[@]}"
  after=$(( times[0] - resumed ))
  [ $after -le 1100 ] || fail "request ${after} ms after resuming"
  echo "PASS: stopped over the target; one request ${after} ms after resuming"
  ;;
stepped)
  start_fake system org.freedesktop.login1
  echo "+0" >"$WORK/faketime"
  LD_PRELOAD=$LIBFAKETIME FAKETIME_TIMESTAMP_FILE=$WORK/faketime FAKETIME_NO_CACHE=1 \
    FAKETIME_DONT_FAKE_MONOTONIC=1 start_program
  sleep 0.5
  target=$(( $(date +%s) + 60 ))
  type_target "$target"
  press_ok
  sleep 1
  echo "+120" >"$WORK/faketime" # forward, over the target
  sleep 2.5
  echo "+0" >"$WORK/faketime"   # and back over it
  sleep 2.5
  kill -0 "$PROGRAM_PID" || fail "the program is gone"
  [ "$(calls_of org.freedesktop.login1 | wc -l)" -eq 1 ] || fail "expected one request: $(calls_of org.freedesktop.login1)"
  echo "PASS: clock stepped 2 min ahead over the target and back: one request, still running"
  ;;
nobus)
  DBUS_SYSTEM_BUS_ADDRESS=unix:path=$WORK/no-such-bus
  start_program; sleep 0.5
  type_count_down 000000
  press_ok
  first=$(window_picture_sum); sleep 1.2; second=$(window_picture_sum)
  [ "$first" != "$second" ] || fail "the clock stopped turning"
  press_cancel
  sleep 0.5
  kill -0 "$PROGRAM_PID" || fail "the program is gone"
  echo "PASS: no system bus: requests fail quietly, the clock turns, Cancel works"
  ;;
refusing|silent)
  mode=refuse; [ "$CASE" = silent ] && mode=silent
  start_fake system org.freedesktop.login1 "$mode"; start_program; sleep 0.5
  type_count_down 000000
  press_ok
  sleep 4.5
  first=$(window_picture_sum); sleep 1.1; second=$(window_picture_sum)
  press_cancel
  cancelled=$(now_ms)
  sleep 1.5
  mapfile -t times < <(request_times org.freedesktop.login1)
  [ ${#times[@]} -ge 5 ] || fail "only ${#times[@]} requests in 5.6 s"
  for (( i = 1; i < ${#times[@]}; i++ )); do
    gap=$(( times[i] - times[i-1] ))
    [ $gap -ge 950 ] && [ $gap -le 1050 ] || fail "requests ${gap} ms apart: a tick was held up"
  done
  [ "${times[-1]}" -le "$cancelled" ] || fail "a request after Cancel"
  [ "$first" != "$second" ] || fail "the window stopped repainting"
  echo "PASS: logind $CASE: ${#times[@]} requests, once a second (1000 +- 50 ms), window live, Cancel stops them"
  ;;
*) fail "no such case: $CASE" ;;
esac
