#!/usr/bin/env bash
# Faults the program must ride out, one case a run: faults.sh PROGRAM FAKE_SERVICE CASE
#   stopped   stopped (SIGSTOP) for 3 s across a set target: it fires once on waking
#   stepped   the wall clock stepped forward over the target and back over it: fires once
#   dst       Berlin's spring night; a target in the skipped hour fires once, at 03:00:00
#   nobus     no system bus: the clock turns and Cancel works
#   hungbus   a system bus that never answers: the window shows at once and stays live
#   refusing  logind refuses: asked again once a second, no tick held up
#   silent    logind never answers: asked once, never again, the window stays live
TEST_NAME=faults-$3
PROGRAM=$1 FAKE_SERVICE=$2 CASE=$3
source "$(dirname "$0")/harness.sh"
start_x; start_buses
login1=org.freedesktop.login1
faked() { LD_PRELOAD=$LIBFAKETIME FAKETIME_DONT_FAKE_MONOTONIC=1 "$@"; }

case $CASE in
stopped)
  start_fake system $login1; start_program; sleep 0.5
  target=$(( $(date +%s) + 5 ))
  type_target "$target"; press_ok
  sleep $(( target - $(date +%s) - 1 ))
  kill -STOP "$PROGRAM_PID"; sleep 3; resumed=$(now_ms); kill -CONT "$PROGRAM_PID"
  sleep 3
  mapfile -t times < <(request_times $login1)
  [ ${#times[@]} -eq 1 ] && [ $(( times[0] - resumed )) -le 1100 ] || fail "requests: $(calls_of $login1), resumed at $resumed"
  ;;
stepped)
  start_fake system $login1
  echo "+0" >"$WORK/faketime"
  FAKETIME_TIMESTAMP_FILE=$WORK/faketime FAKETIME_NO_CACHE=1 faked start_program; sleep 0.5
  type_target $(( $(date +%s) + 60 )); press_ok
  sleep 1; echo "+120" >"$WORK/faketime"; sleep 2.5; echo "+0" >"$WORK/faketime"; sleep 2.5
  kill -0 "$PROGRAM_PID" || fail "the program is gone"
  [ "$(calls_of $login1 | wc -l)" -eq 1 ] || fail "expected one request: $(calls_of $login1)"
  ;;
dst)
  start_fake system $login1
  started=$(now_ms)
  TZ=Europe/Berlin FAKETIME="@2027-03-28 01:59:50" faked start_program; sleep 0.3
  choose_set_time; xdotool key --delay 50 Tab; xdotool type --delay 40 280327023000; press_ok
  sleep 12
  mapfile -t times < <(request_times $login1)
  after=$(( ${times[0]:-0} - started ))
  [ ${#times[@]} -eq 1 ] && [ $after -ge 8500 ] && [ $after -le 11500 ] || fail "requests: $(calls_of $login1), ${after} ms"
  ;;
nobus|hungbus)
  if [ "$CASE" = nobus ]; then DBUS_SYSTEM_BUS_ADDRESS=unix:path=$WORK/no-such-bus; fi
  hung=$(sed -n 2p "$WORK/bus.system")
  [ "$CASE" = nobus ] || kill -STOP "$hung"
  start_program; sleep 0.5
  choose_count_down; press_ok
  first=$(window_picture_sum); sleep 1.2; second=$(window_picture_sum)
  [ "$first" != "$second" ] || fail "the clock stopped turning"
  press_cancel; sleep 0.5
  [ "$(window_picture_sum)" != "$second" ] && kill -0 "$PROGRAM_PID" || fail "the program is gone"
  kill -CONT "$hung"
  ;;
refusing|silent)
  mode=refuse; [ "$CASE" = silent ] && mode=silent
  start_fake system $login1 $mode; start_program; sleep 0.5
  choose_count_down; press_ok
  sleep 4.5
  first=$(window_picture_sum); sleep 1.1; second=$(window_picture_sum)
  press_cancel; cancelled=$(now_ms); sleep 1.5
  [ "$first" != "$second" ] || fail "the window stopped repainting"
  mapfile -t times < <(request_times $login1)
  [ "${times[-1]}" -le "$cancelled" ] || fail "a request after Cancel"
  if [ "$CASE" = silent ]; then
    [ ${#times[@]} -eq 1 ] || fail "an unanswered request was repeated: ${#times[@]}"
  else
    [ ${#times[@]} -ge 5 ] || fail "only ${#times[@]} requests in 5.6 s"
    for (( i = 1; i < ${#times[@]}; i++ )); do
      gap=$(( times[i] - times[i-1] ))
      [ $gap -ge 950 ] && [ $gap -le 1050 ] || fail "requests ${gap} ms apart: a tick was held up"
    done
  fi
  ;;
*) fail "no such case: $CASE" ;;
esac
echo "PASS: $CASE"
