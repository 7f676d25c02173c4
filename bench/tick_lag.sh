#!/usr/bin/env bash
# Prints, for the real program under Xvfb with a fake logind on private buses:
#  - how far after each wall-clock second boundary the tick lands (measured where its
#    request arrives: a count-down armed at 00:00:00 asks again on every tick while logind
#    refuses), over SECONDS_TO_RUN;
#  - seconds skipped or ticked twice in that time;
#  - how late a "by set Date/Time" request reaches logind after its target second begins.
# Usage: bench/tick_lag.sh [build dir, default build/dev] [seconds, default 120]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build/dev}
SECONDS_TO_RUN=${2:-120}
PROGRAM=$BUILD/src/tamsverolind
FAKE_SERVICE=$BUILD/tests/fake_service
TAMSVEROLIND_ARTIFACTS=$BUILD/bench-artifacts
TEST_NAME=bench
source tests/e2e/harness.sh

summarise() { # reads one number a line: median, 99th percentile, maximum
  sort -n | awk '{v[NR]=$1} END {if (NR==0) {print "no samples"; exit}
    p=int(0.99*NR+0.999); if (p>NR) p=NR;
    printf "median %d ms, p99 %d ms, max %d ms (%d samples)\n", v[int((NR+1)/2)], v[p], v[NR], NR}'
}

start_x
start_buses

echo "== Tick lag after each second boundary, ${SECONDS_TO_RUN} s =="
start_fake system org.freedesktop.login1 refuse
start_program
sleep 0.5
choose_count_down # left at 00:00:00
press_ok
sleep "$SECONDS_TO_RUN"
kill "$PROGRAM_PID" "$FAKE_PID"
requests_of org.freedesktop.login1 | awk '{print $1 % 1000}' | summarise
requests_of org.freedesktop.login1 | awk '{print int($1/1000)}' | uniq -c | awk '
  NR>1 && $2>prev+1 {skipped+=$2-prev-1} $1>1 {doubled++} {prev=$2}
  END {printf "skipped seconds %d, doubled seconds %d\n", skipped, doubled}'

echo "== Set-time request lag after its second begins =="
mv "$WORK/org.freedesktop.login1.log" "$WORK/ticks.log"
start_fake system org.freedesktop.login1
for trial in 1 2 3; do
  seen=$(requests_of org.freedesktop.login1 | wc -l)
  start_program
  sleep 0.5
  target=$(( $(date +%s) + 6 ))
  type_target "$target"
  press_ok
  sleep $(( target - $(date +%s) + 2 ))
  first=$(requests_of org.freedesktop.login1 | sed -n "$((seen + 1))p" | cut -d' ' -f1)
  kill "$PROGRAM_PID"
  [ -n "$first" ] && echo "trial $trial: $(( first - target * 1000 )) ms" || echo "trial $trial: no request"
done
