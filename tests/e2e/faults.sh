#!/usr/bin/env bash
# Faults the program must ride out, one case a run: faults.sh PROGRAM FAKE_SERVICE CASE
#   stopped   stopped (SIGSTOP) for 3 s across a set target: it fires once on waking
#   dst       Berlin's spring night: a target in the skipped hour fires once, at 03:00:00
#   hungbus   a system bus that never answers: the window shows at once, its clock turns
#             and Cancel works
TEST_NAME=faults-$3 PROGRAM=$1 FAKE_SERVICE=$2 CASE=$3
source "$(dirname "$0")/harness.sh"
start_x; start_buses
login1=org.freedesktop.login1
case $CASE in
stopped)
  start_fake system $login1; start_program; sleep 0.5
  target=$(( $(date +%s) + 5 ))
  type_target "$target"; press_ok
  sleep $(( target - $(date +%s) - 1 ))
  kill -STOP "$PROGRAM_PID"; sleep 3; resumed=$(now_ms); kill -CONT "$PROGRAM_PID"; sleep 3
  mapfile -t times < <(request_times $login1)
  [ ${#times[@]} -eq 1 ] && [ $(( times[0] - resumed )) -le 1100 ] || fail "requests: $(calls_of $login1), resumed at $resumed"
  ;;
dst)
  start_fake system $login1
  started=$(now_ms)
  # In 2027 fontconfig takes every font cache for stale: it rebuilds them in a folder of the
  # test's own, not in the system's.
  printf '<fontconfig><cachedir>%s</cachedir><include>/etc/fonts/fonts.conf</include></fontconfig>' \
    "$WORK/fontconfig" >"$WORK/fonts.conf"
  start_program env TZ=Europe/Berlin FAKETIME="@2027-03-28 01:59:50" FAKETIME_DONT_FAKE_MONOTONIC=1 \
    FONTCONFIG_FILE="$WORK/fonts.conf" LD_PRELOAD="$LIBFAKETIME" "$PROGRAM"
  choose_set_time; xdotool key --delay 50 Tab; xdotool type --delay 40 280327023000; press_ok
  sleep 12
  mapfile -t times < <(request_times $login1)
  after=$(( ${times[0]:-0} - started ))
  [ ${#times[@]} -eq 1 ] && [ $after -ge 8500 ] && [ $after -le 11500 ] || fail "requests: $(calls_of $login1), ${after} ms"
  ;;
hungbus)
  hung=$(sed -n 2p "$WORK/bus.system")
  kill -STOP "$hung"
  start_program; sleep 0.5
  choose_count_down; press_ok
  first=$(window_picture_sum); sleep 1.2; second=$(window_picture_sum)
  press_cancel; sleep 0.5
  [ "$first" != "$second" ] && [ "$(window_picture_sum)" != "$second" ] || fail "the window stopped turning"
  kill -CONT "$hung"
  ;;
*) fail "no such case: $CASE" ;;
esac
echo "PASS: $CASE"
