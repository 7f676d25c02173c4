#!/usr/bin/env bash
# Prints, for the Windows program under Wine (a prefix of its own, Xvfb + openbox), beside
# the same window written the plain way in Win32 (bench/plain_win32.cpp):
#  - start-up to the shown window (median of 5 each, in turn, with Wine's own start in it),
#    and proportional memory (PSS) 2 s later;
#  - wake-ups per second and CPU over 20 s of ticking;
#  - how far after each wall-clock second the tick writes the clock, over SECONDS_TO_RUN.
# Wine's trace stamps each write of the clock with its tick count; a small program run in
# the same prefix gives the tick count's offset to the wall clock.
# Usage: bench/wine_lag.sh [seconds, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_TO_RUN=${1:-60}
[ -f build/windows/Tamsverolind.exe ] || scripts/build-windows.sh >/dev/null
PROGRAM=$PWD/build/windows/Tamsverolind.exe TEST_NAME=wine-bench TAMSVEROLIND_ARTIFACTS=build/bench-artifacts
source tests/e2e/harness.sh
cat >"$WORK/offset.cpp" <<'EOF'
#include <windows.h>
#include <cstdio>
int main()
{
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    const unsigned long long tick = GetTickCount64();
    const unsigned long long epochMs = ((static_cast<unsigned long long>(now.dwHighDateTime) << 32 | now.dwLowDateTime) / 10000) - 11644473600000ULL;
    std::printf("%lld\n", static_cast<long long>(epochMs - tick));
}
EOF
x86_64-w64-mingw32-g++-posix -static -O2 "$WORK/offset.cpp" -o "$WORK/offset.exe"
PLAIN=$WORK/plain.exe
x86_64-w64-mingw32-g++-posix -static -municode -mwindows -O2 bench/plain_win32.cpp -o "$PLAIN" -lcomctl32
start_x
start_wine
echo "exe: $(stat -c %s "$PROGRAM") bytes; imports: $(x86_64-w64-mingw32-objdump -p "$PROGRAM" | sed -n 's/^\tDLL Name: //p' | tr '\n' ' ')"

# measured EXE: start-up ms and PSS kB after 2 s; with "ticking", wake-ups and CPU over 20 s.
measured() {
  local begin ms pss switches cpu
  begin=$(now_ms)
  start_program wine "$1"
  ms=$(( $(now_ms) - begin ))
  sleep 2
  pss=$(awk '/^Pss:/ {print $2}' /proc/"$PROGRAM_PID"/smaps_rollup)
  if [ "${2:-}" = ticking ]; then
    switches() { cat /proc/"$PROGRAM_PID"/task/*/status | awk '/^voluntary_ctxt/ {v+=$2} END {print v}'; }
    cpu() { awk '{print $14 + $15}' /proc/"$PROGRAM_PID"/stat; }
    local s0 c0; s0=$(switches) c0=$(cpu); sleep 20
    echo "$ms $pss $(awk -v a="$s0" -v b="$(switches)" 'BEGIN {printf "%.2f", (b - a) / 20}') $(( ($(cpu) - c0) * 1000 / $(getconf CLK_TCK) * 3 ))"
  else
    echo "$ms $pss"
  fi
  kill "$PROGRAM_PID"; wait "$PROGRAM_PID" 2>/dev/null || true
}
for run in 1 2 3 4 5; do measured "$PROGRAM" >>"$WORK/ours"; measured "$PLAIN" >>"$WORK/plain"; done
median() { cut -d' ' -f"$1" "$2" | sort -n | sed -n 3p; }
for column in 1 2; do
  printf '%s: median %s against the plain program'"'"'s %s: %s\n' "$([ $column = 1 ] && echo "start-up, ms" || echo "PSS, kB")" \
    "$(median $column "$WORK/ours")" "$(median $column "$WORK/plain")" \
    "$(awk -v a="$(median $column "$WORK/ours")" -v b="$(median $column "$WORK/plain")" 'BEGIN {printf "%.2fx", a / b}')"
done
read -r _ _ ours_wakeups ours_cpu < <(measured "$PROGRAM" ticking)
read -r _ _ plain_wakeups plain_cpu < <(measured "$PLAIN" ticking)
echo "ticking: wake-ups ${ours_wakeups}/s against ${plain_wakeups}/s, CPU ${ours_cpu} against ${plain_cpu} ms per minute (all of Wine's threads in the process)"

offset=$(wine "$WORK/offset.exe" | tr -d '\r')
start_program env WINEDEBUG=+timestamp,+win wine "$PROGRAM"
sleep "$SECONDS_TO_RUN"
kill "$PROGRAM_PID"
grep -a 'set_window_text L"[0-9][0-9]/' "$WORK/program.log" | sed 's/^\([0-9.]*\):.*L"\(..\)\/\(..\)\/\(..\) \(.*\)"/\1 20\4-\3-\2 \5/' |
  while read -r stamp day time; do
    echo $(( ${stamp/./} + offset - $(date -d "$day $time" +%s) * 1000 ))
  done | sort -n | awk '{v[NR]=$1} END {printf "tick after each second: median %d ms, p99 %d ms, max %d ms (%d ticks; Wine stamps in its tick count)\n", v[int((NR+1)/2)], v[int(0.99*NR+0.999)], v[NR], NR}'
