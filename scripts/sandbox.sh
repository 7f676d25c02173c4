# A sandbox on this machine for the programs the project starts: a private X server with a
# real window manager, private session and system buses, stand-in services on them, a Wine
# prefix, and every process it started ended on exit, by its process id. Nothing here reaches
# the machine's own buses or display. Sourced by the real-window tests, the benchmarks and
# scripts/try.sh.
set -euo pipefail
WORK=$(mktemp -d)
PIDS=()
cleanup() {
  local status=$?
  if [ $status -ne 0 ] && declare -F on_failure >/dev/null; then on_failure || true; fi
  if declare -F before_cleanup >/dev/null; then before_cleanup || true; fi
  # A stopped process takes the signal once continued.
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null && kill -CONT "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$WORK"
  exit $status
}
trap cleanup EXIT
trap 'echo "FAIL: ${BASH_SOURCE[0]##*/}:$LINENO: $BASH_COMMAND" >&2' ERR
fail() {
  echo "FAIL: $*" >&2
  tail -n 5 "$WORK/xvfb.log" "$WORK/openbox.log" >&2 2>/dev/null || true
  exit 1
}
now_ms() { date +%s%3N; }
# Sleeps until the epoch millisecond $1; returns at once when it is past.
sleep_until() { local ms=$(( $1 - $(now_ms) )); [ $ms -le 0 ] || sleep "$(( ms / 1000 )).$(printf %03d $(( ms % 1000 )))"; }
# Polls a condition every 0.05 s for up to $1 seconds.
wait_for() { local end=$(( $(now_ms) + $1 * 1000 )); shift; until "$@"; do [ "$(now_ms)" -lt $end ] || return 1; sleep 0.05; done; }

# Xvfb (1280x1024 at 96 DPI unless SANDBOX_SCREEN and SANDBOX_DPI say otherwise), answering, with openbox managing the windows, and a stand-in xdg-open.
start_x() {
  stand_in_xdg_open
  # -noreset: the server must not reset when its last client (a poll like xprop) leaves.
  Xvfb -displayfd 3 -screen 0 "${SANDBOX_SCREEN:-1280x1024x24}" -dpi "${SANDBOX_DPI:-96}" -nolisten tcp -noreset 3>"$WORK/display" 2>"$WORK/xvfb.log" &
  PIDS+=($!)
  wait_for 10 test -s "$WORK/display" || fail "Xvfb did not start"
  export DISPLAY=":$(head -1 "$WORK/display")"
  wait_for 10 xprop -root _NET_ACTIVE_WINDOW >/dev/null 2>&1 || fail "the X server does not answer"
  openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
  PIDS+=($!)
  wait_for 15 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
    { cat "$WORK/openbox.log" >&2; fail "openbox did not start"; }
}
# A private bus daemon listening at D-Bus address $2; its address and pid are the lines of $WORK/bus.$1.
start_bus() {
  dbus-daemon --session --address="$2" --fork --print-address=1 --print-pid=1 >"$WORK/bus.$1"
  PIDS+=("$(sed -n 2p "$WORK/bus.$1")")
}
# Private session and system buses.
start_buses() {
  start_bus session "unix:dir=$WORK"
  start_bus system "unix:dir=$WORK"
  export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p "$WORK/bus.session") DBUS_SYSTEM_BUS_ADDRESS=$(sed -n 1p "$WORK/bus.system")
}
# A fake service on a private bus (fake_service system|session NAME [refuse]);
# the calls it receives are in $WORK/NAME.log, one a line: epoch-ms path interface.member(signature) arguments.
start_fake() {
  "$FAKE_SERVICE" "$@" >"$WORK/$2.log" 2>"$WORK/$2.err" &
  FAKE_PID=$!
  PIDS+=($!)
  wait_for 5 grep -q ready "$WORK/$2.log" || fail "fake $2 did not start"
}
calls_of() { grep -v ready "$WORK/$1.log" || true; }
# The session-ending requests among them (a sleep hold's calls left out), and their times.
requests_of() { calls_of "$1" | grep -v -E '\.(Inhibit|Uninhibit|UnInhibit)\(' || true; }
request_times() { requests_of "$1" | cut -d' ' -f1; }
# A stand-in xdg-open first on PATH: the addresses it is given go to $WORK/opened, the
# session bus address and Qt settings it was started with to $WORK/opened.env.
stand_in_xdg_open() {
  mkdir -p "$WORK/bin"
  cat >"$WORK/bin/xdg-open" <<EOS
#!/bin/sh
{ printf "%s\\n" "\$DBUS_SESSION_BUS_ADDRESS"; env | grep ^QT_ || true; } >"$WORK/opened.env"
printf "%s\\n" "\$@" >>"$WORK/opened"
EOS
  chmod +x "$WORK/bin/xdg-open"
  export PATH="$WORK/bin:$PATH"
  unset BROWSER DEFAULT_BROWSER
}
# A Wine prefix of the run's own, made in $WORK; on exit its server ends every program of
# the prefix, and itself.
start_wine() {
  export WINEPREFIX=$WORK/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
  before_cleanup() { wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; }
  wineboot -i >/dev/null 2>&1 || fail "the Wine prefix could not be made"
}
