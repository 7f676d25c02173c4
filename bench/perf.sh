#!/usr/bin/env bash
# Prints the program's cost on this machine, started for real under Xvfb with private buses
# and a fake logind, beside the same window written the plain way in Qt Widgets
# (bench/plain_qt.cpp: the same controls, a one-second timer that writes the clock and steps
# the count-down) started the same way, and each figure as a ratio to the plain one's:
#   start-up time to the mapped window (median of 9, the two programs in turn), and ours
#   again with a session bus that never answers (median of 5);
#   armed and ticking for ARMED_SECONDS (the plain one ticking as long): wake-ups per second
#   of the whole process (context switches of all its threads, with each thread's share),
#   CPU milliseconds per minute, and proportional memory (PSS) with the mappings that hold
#   most of it;
#   then the tick and request lags of bench/tick_lag.sh.
# Usage: bench/perf.sh [armed seconds, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
ARMED_SECONDS=${1:-60}
[ -x build/release/src/tamsverolind ] || { cmake --preset release >/dev/null; cmake --build --preset release >/dev/null; }
[ -x build/dev/tests/fake_service ] || { cmake --preset dev >/dev/null; cmake --build --preset dev >/dev/null; }
PLAIN=build/bench/plain_qt
mkdir -p build/bench
[ "$PLAIN" -nt bench/plain_qt.cpp ] ||
  g++ -std=c++20 -O2 -fPIC bench/plain_qt.cpp -o "$PLAIN" $(pkg-config --cflags --libs Qt6Widgets)
PROGRAM=build/release/src/tamsverolind
FAKE_SERVICE=build/dev/tests/fake_service
TAMSVEROLIND_ARTIFACTS=build/bench-artifacts
TEST_NAME=perf
source tests/e2e/harness.sh

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(date -u +%F)"
start_x
start_buses
start_fake system org.freedesktop.login1

echo "== Start-up to the mapped window, and memory (PSS) 2 s later =="
# start_up PROGRAM TITLE: milliseconds to its mapped window, then its PSS in kB.
start_up() {
  local begin pid ms
  begin=$(now_ms)
  "$1" >/dev/null 2>&1 &
  pid=$!
  until xdotool search --all --onlyvisible --pid "$pid" --name "^$2\$" >/dev/null 2>&1; do :; done
  ms=$(( $(now_ms) - begin ))
  sleep 2
  echo "$ms $(awk '/^Pss:/ {print $2}' /proc/"$pid"/smaps_rollup)"
  kill "$pid"; wait "$pid" 2>/dev/null || true
}
for run in 1 2 3 4 5 6 7 8 9; do
  start_up "$PROGRAM" Tamsverolind >>"$WORK/ours"
  start_up "$PLAIN" Plain >>"$WORK/plain"
done
median() { cut -d' ' -f"$1" "$2" | sort -n | sed -n 5p; }
for column in 1 2; do
  ours=$(median $column "$WORK/ours") plain=$(median $column "$WORK/plain")
  printf '%s: median %s against the plain program'"'"'s %s: %s (runs: %s / %s)\n' \
    "$([ $column = 1 ] && echo "start-up, ms" || echo "PSS, kB")" "$ours" "$plain" \
    "$(awk -v a="$ours" -v b="$plain" 'BEGIN {printf "%.2fx", a / b}')" "$(cut -d' ' -f$column "$WORK/ours" | tr '\n' ' ')" \
    "$(cut -d' ' -f$column "$WORK/plain" | tr '\n' ' ')"
done

echo "== Start-up with a session bus that takes the connection and says nothing =="
session_daemon=$(sed -n 2p "$WORK/bus.session")
kill -STOP "$session_daemon"
for run in 1 2 3 4 5; do start_up "$PROGRAM" Tamsverolind >>"$WORK/silent"; done
kill -CONT "$session_daemon"
silent=$(cut -d' ' -f1 "$WORK/silent" | sort -n | sed -n 3p)
echo "start-up, ms: median $silent against $(median 1 "$WORK/ours") with the bus answering (runs: $(cut -d' ' -f1 "$WORK/silent" | tr '\n' ' '))"

echo "== Armed and ticking for ${ARMED_SECONDS} s (count-down of 23:59:59) =="
start_program
sleep 0.5
choose_count_down; xdotool key --delay 50 Tab; xdotool type --delay 60 235959
press_ok
sleep 2
# ticking PID NAME: its wake-ups, CPU and memory over ARMED_SECONDS.
ticking() {
  local pid=$1 before after cpu_before cpu_after hz
  switches() { # tid name voluntary involuntary, per thread
    for task in /proc/"$pid"/task/*; do
      echo "$(basename "$task") $(tr ' ' '_' <"$task/comm") $(awk '/^voluntary_ctxt/ {v=$2} /^nonvoluntary_ctxt/ {n=$2} END {print v, n}' "$task/status")"
    done
  }
  cpu_ticks() { awk '{print $14 + $15}' /proc/"$pid"/stat; }
  switches >"$WORK/switches.before"
  cpu_before=$(cpu_ticks)
  sleep "$ARMED_SECONDS"
  switches >"$WORK/switches.after"
  cpu_after=$(cpu_ticks)
  hz=$(getconf CLK_TCK)
  echo "-- $2"
  # Voluntary switches are the program's own wake-ups; involuntary ones are preemptions by
  # whatever else this machine runs.
  join "$WORK/switches.before" "$WORK/switches.after" | awk -v s="$ARMED_SECONDS" '
    {v=$6-$3; n=$7-$4; tv+=v; tn+=n; line[NR]=sprintf("  thread %-16s %6.2f /s (+%.2f preempted)", $2, v/s, n/s)}
    END {printf "wake-ups: %.2f per second (+%.2f preempted)\n", tv/s, tn/s; for (i=1;i<=NR;i++) print line[i]}'
  echo "CPU: $(( (cpu_after - cpu_before) * 1000 / hz * 60 / ARMED_SECONDS )) ms per minute"
  echo "PSS: $(awk '/^Pss:/ {print $2}' /proc/"$pid"/smaps_rollup) kB; largest mappings:"
  awk '/^[0-9a-f]+-[0-9a-f]+ / {name=($6=="" ? "[anonymous]" : $6)} /^Pss:/ {pss[name]+=$2}
    END {for (n in pss) printf "  %6d kB  %s\n", pss[n], n}' /proc/"$pid"/smaps | sort -rn | head -8 || true # head leaves early
}
ticking "$PROGRAM_PID" Tamsverolind
kill "$PROGRAM_PID"
"$PLAIN" >/dev/null 2>&1 &
plain_pid=$!
PIDS+=("$plain_pid")
sleep 2.5
ticking "$plain_pid" "the plain program"
kill "$plain_pid"
