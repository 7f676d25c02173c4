#!/usr/bin/env bash
# Ten copies side by side, each armed with a count-down of its own (3, 5, 7 ... 21 s):
# each asks from its own connection, at its own time, and none disturbs another.
TEST_NAME=tencopies
PROGRAM=$1 FAKE_SERVICE=$2
source "$(dirname "$0")/../support/harness.sh"
SCREEN_SIZE=2000x800
start_x; start_buses; start_fake system org.freedesktop.login1

expected=()
for i in $(seq 0 9); do
  start_program
  sleep 0.3
  # Side by side in one row, as a user would drag them.
  xdotool windowmove --sync "$WINDOW" $(( 10 + 195 * i )) 40
  sleep 0.2
  seconds=$(( 3 + 2 * i ))
  type_count_down "$(printf '0000%02d' "$seconds")"
  ok_at=$(now_ms)
  press_ok
  expected+=($(( ok_at + seconds * 1000 )))
done
sleep $(( (expected[9] - $(now_ms)) / 1000 + 3 ))
screenshot tencopies

# The first request of each connection, in order of time, against the expected times.
mapfile -t firsts < <(calls_of org.freedesktop.login1 | sort -n | awk '!seen[$2]++ {print $1}')
[ ${#firsts[@]} -eq 10 ] || fail "requests from ${#firsts[@]} copies, not 10"
for i in $(seq 0 9); do
  off=$(( firsts[i] - expected[i] ))
  [ $off -ge -1100 ] && [ $off -le 200 ] || fail "copy $i asked ${off} ms from its expected time"
done
echo "PASS: ten copies, ten connections, each first request within a tick of its own count-down"
