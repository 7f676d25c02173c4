# Shared by the real-window tests: a private X server with a real window manager, private
# buses, a screenshot when a test fails, and every process it started ended on exit, by
# its process id. Nothing here reaches the machine's own buses or display.
set -euo pipefail
ARTIFACTS=${TAMSVEROLIND_ARTIFACTS:-$PWD/test-artifacts}
mkdir -p "$ARTIFACTS"
WORK=$(mktemp -d)
PIDS=()
cleanup() {
  local status=$?
  [ $status -eq 0 ] || [ -z "${DISPLAY:-}" ] || import -window root "$ARTIFACTS/failed-${TEST_NAME:-test}.png" 2>/dev/null || true
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
# Polls a condition every 0.05 s for up to $1 seconds.
wait_for() { local end=$(( $(now_ms) + $1 * 1000 )); shift; until "$@"; do [ "$(now_ms)" -lt $end ] || return 1; sleep 0.05; done; }

# Xvfb at 96 DPI, answering, with openbox managing the windows, and a stand-in xdg-open.
start_x() {
  stand_in_xdg_open
  # -noreset: the server must not reset when its last client (a poll like xprop) leaves.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset 3>"$WORK/display" 2>"$WORK/xvfb.log" &
  PIDS+=($!)
  wait_for 10 test -s "$WORK/display" || fail "Xvfb did not start"
  export DISPLAY=":$(head -1 "$WORK/display")"
  wait_for 10 xprop -root _NET_ACTIVE_WINDOW >/dev/null 2>&1 || fail "the X server does not answer"
  openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
  PIDS+=($!)
  wait_for 15 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
    { cat "$WORK/openbox.log" >&2; fail "openbox did not start"; }
}
# Private session and system buses.
start_buses() {
  local bus
  for bus in session system; do
    dbus-daemon --session --address="unix:dir=$WORK" --fork --print-address=1 --print-pid=1 >"$WORK/bus.$bus"
    PIDS+=("$(sed -n 2p "$WORK/bus.$bus")")
  done
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
request_times() { calls_of "$1" | cut -d' ' -f1; }
# Starts "$@" (the program by default); its window id goes to WINDOW.
start_program() {
  [ $# -gt 0 ] || set -- "$PROGRAM"
  "$@" >"$WORK/program.log" 2>&1 &
  PROGRAM_PID=$!
  PIDS+=("$PROGRAM_PID")
  WINDOW=$(timeout 30 xdotool search --sync --onlyvisible --name '^Tamsverolind$' | head -1) || true
  [ -n "$WINDOW" ] || { diagnose_program; fail "the window did not appear"; }
}
# What a program that shows no window is doing: its log and its state.
diagnose_program() { cat "$WORK/program.log" >&2; ps -o pid,stat,wchan:24,etime,args -p "$PROGRAM_PID" >&2 || true; }
window_field() { xwininfo -id "$WINDOW" | sed -n "s/^ *$1: *//p"; }
# The window at its designed place and size, kept above the others.
check_placed() {
  local place
  place="$(window_field 'Absolute upper-left X'),$(window_field 'Absolute upper-left Y') $(window_field Width)x$(window_field Height)"
  [ "$place" = "626,295 169x271" ] || fail "window at $place"
  xprop -id "$WINDOW" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "not kept above"
}
# A stand-in xdg-open first on PATH: the addresses it is given go to $WORK/opened.
stand_in_xdg_open() {
  mkdir -p "$WORK/bin"
  printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s/opened"\n' "$WORK" >"$WORK/bin/xdg-open"
  chmod +x "$WORK/bin/xdg-open"
  export PATH="$WORK/bin:$PATH"
  unset BROWSER DEFAULT_BROWSER
}
# A right-click on the clock, then the menu's last item (the home page), with the menu given
# $1 s to open and $2 ms between keys: the address reaches the desktop's handler.
open_home_page() {
  click_at 60 40 3; sleep "$1"; xdotool key --delay "$2" Up Return
  wait_for 10 test -s "$WORK/opened" && [ "$(cat "$WORK/opened")" = https://www.example.org/tamsverolind ] ||
    fail "xdg-open got '$(cat "$WORK/opened" 2>/dev/null)'"
}
# A Wine prefix of the run's own, made in $WORK; on exit its server ends every program of
# the prefix, and itself.
start_wine() {
  export WINEPREFIX=$WORK/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
  before_cleanup() { wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; }
  wineboot -i >/dev/null 2>&1 || fail "the Wine prefix could not be made"
}
# Clicks at a point of the window's client area (pixels at 96 DPI); what a user does there.
click_at() {
  xdotool mousemove --sync $(( $(window_field 'Absolute upper-left X') + $1 )) \
    $(( $(window_field 'Absolute upper-left Y') + $2 )) click "${3:-1}"
}
choose_count_down() { click_at 72 184; }
press_ok() { click_at 44 252; }
press_cancel() { click_at 124 252; }
type_action() { click_at 80 107; xdotool key --delay 30 ctrl+a; xdotool type --delay 40 "$1"; }
# Tab from the set-time option into its picker (first field selected) and type the target.
type_target() { click_at 72 128; xdotool key --delay 50 Tab; xdotool type --delay 40 "$(date -d "@$1" +%d%m%y%H%M%S)"; }
window_picture_sum() { import -window "$WINDOW" png:- 2>/dev/null | md5sum | cut -d' ' -f1; }
