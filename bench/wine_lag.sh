#!/usr/bin/env bash
# Prints, for the Windows program under Wine (a prefix of its own, Xvfb + openbox):
#  - start-up to the shown window (median of 5, with Wine's own start in it);
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
start_x
start_wine
echo "exe: $(stat -c %s "$PROGRAM") bytes; imports: $(x86_64-w64-mingw32-objdump -p "$PROGRAM" | sed -n 's/^\tDLL Name: //p' | tr '\n' ' ')"

samples=()
for run in 1 2 3 4 5; do
  begin=$(now_ms)
  start_program wine "$PROGRAM"
  samples+=($(( $(now_ms) - begin )))
  kill "$PROGRAM_PID"; wait "$PROGRAM_PID" 2>/dev/null || true
done
echo "start-up to the shown window: $(printf '%s\n' "${samples[@]}" | sort -n | sed -n 3p) ms median (${samples[*]})"

offset=$(wine "$WORK/offset.exe" | tr -d '\r')
start_program env WINEDEBUG=+timestamp,+win wine "$PROGRAM"
sleep "$SECONDS_TO_RUN"
kill "$PROGRAM_PID"
grep -a 'set_window_text L"[0-9][0-9]/' "$WORK/program.log" | sed 's/^\([0-9.]*\):.*L"\(..\)\/\(..\)\/\(..\) \(.*\)"/\1 20\4-\3-\2 \5/' |
  while read -r stamp day time; do
    echo $(( ${stamp/./} + offset - $(date -d "$day $time" +%s) * 1000 ))
  done | sort -n | awk '{v[NR]=$1} END {printf "tick after each second: median %d ms, p99 %d ms, max %d ms (%d ticks; Wine stamps in its tick count)\n", v[int((NR+1)/2)], v[int(0.99*NR+0.999)], v[NR], NR}'
