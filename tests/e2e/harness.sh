# Shared by the real-window tests: a private X server with a real window manager, private
# session and system buses, screenshots kept as artifacts, and clean-up on exit.
# Nothing here reaches the machine's own buses or display.

set -euo pipefail

ARTIFACTS=${TAMSVEROLIND_ARTIFACTS:-$PWD/test-artifacts}
mkdir -p "$ARTIFACTS"
WORK=$(mktemp -d)
PIDS=()

cleanup() {
  local status=$?
  if [ $status -ne 0 ] && [ -n "${DISPLAY:-}" ]; then
    screenshot "failed-${TEST_NAME:-test}" || true
  fi
  if declare -F before_cleanup >/dev/null; then before_cleanup || true; fi
  # A stopped process takes the signal once continued.
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null && kill -CONT "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$WORK"
  exit $status
}
trap cleanup EXIT
# A step that fails on its own says which it was.
trap 'echo "FAIL: ${BASH_SOURCE[0]##*/}:$LINENO: $BASH_COMMAND" >&2' ERR

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

screenshot() {
  import -window root "$ARTIFACTS/$1.png" 2>/dev/null
}

# Xvfb at 96 DPI with openbox managing the windows.
start_x() {
  local fd_file="$WORK/display"
  Xvfb -displayfd 3 -screen 0 "${SCREEN_SIZE:-1280x1024}x24" -dpi 96 -nolisten tcp 3>"$fd_file" 2>"$WORK/xvfb.log" &
  PIDS+=($!)
  for _ in $(seq 100); do [ -s "$fd_file" ] && break; sleep 0.05; done
  [ -s "$fd_file" ] || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$fd_file")"
  openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
  local wm=$!
  PIDS+=("$wm")
  for _ in $(seq 300); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return
    kill -0 "$wm" 2>/dev/null || break
    sleep 0.05
  done
  cat "$WORK/openbox.log" >&2
  fail "openbox did not start"
}

# Two private buses for the session and the system; their daemons are ended on exit.
start_buses() {
  local bus
  for bus in session system; do
    dbus-daemon --session --fork --print-address=1 --print-pid=1 >"$WORK/bus.$bus"
    PIDS+=("$(sed -n 2p "$WORK/bus.$bus")")
  done
  DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p "$WORK/bus.session")
  DBUS_SYSTEM_BUS_ADDRESS=$(sed -n 1p "$WORK/bus.system")
  export DBUS_SESSION_BUS_ADDRESS DBUS_SYSTEM_BUS_ADDRESS
}

# Starts the program; its window id is in WINDOW.
start_program() {
  "$PROGRAM" >"$WORK/program.log" 2>&1 &
  PROGRAM_PID=$!
  PIDS+=("$PROGRAM_PID")
  WINDOW=$(timeout 20 xdotool search --sync --all --onlyvisible --pid "$PROGRAM_PID" --name '^Tamsverolind$' |
    head -1) || true
  [ -n "$WINDOW" ] || {
    cat "$WORK/program.log" >&2
    ps -o pid,stat,wchan:20,etime,args -p "$PROGRAM_PID" >&2 || true
    xwininfo -root -tree | grep -c '"' >&2 || true
    [ -z "${DEBUG_HANG:-}" ] || gdb -p "$PROGRAM_PID" -batch -ex "thread apply all bt 25" 2>/dev/null | grep -E '^#|^Thread' | grep -v ' in ?? ' >&2
    fail "the window did not appear"
  }
}

window_field() {
  xwininfo -id "$WINDOW" | sed -n "s/^ *$1: *//p"
}

# A fake service on one of the private buses; its calls are logged to $WORK/NAME.log.
start_fake() {
  local log="$WORK/$2.log"
  "$FAKE_SERVICE" "$@" >"$log" 2>"$WORK/$2.err" &
  FAKE_PID=$!
  PIDS+=("$FAKE_PID")
  for _ in $(seq 100); do grep -q ready "$log" 2>/dev/null && return; sleep 0.05; done
  fail "fake $2 did not start"
}

calls_of() {
  grep -v ready "$WORK/$1.log" || true
}

now_ms() {
  date +%s%3N
}

# Clicks at a point given in the window's client coordinates.
click_at() {
  local x y
  x=$(( $(window_field 'Absolute upper-left X') + $1 ))
  y=$(( $(window_field 'Absolute upper-left Y') + $2 ))
  xdotool mousemove --sync "$x" "$y" click "${3:-1}"
}

# What a user does in the window, by the controls' designed places (client pixels at 96 DPI).
choose_count_down() { click_at 72 184; }
choose_set_time() { click_at 72 128; }
press_ok() { click_at 44 252; }
press_cancel() { click_at 124 252; }

# Tab from the option above into its picker (its first field selected) and type the digits.
type_count_down() { # HHMMSS
  choose_count_down
  xdotool key --delay 50 Tab
  xdotool type --delay 60 "$1"
}
type_target() { # epoch seconds
  choose_set_time
  xdotool key --delay 50 Tab
  xdotool type --delay 40 "$(date -d "@$1" +%d%m%y%H%M%S)"
}
type_action() {
  click_at 80 107
  xdotool key --delay 30 ctrl+a
  xdotool type --delay 40 "$1"
}

# Milliseconds of each request received by a fake, one a line.
request_times() {
  calls_of "$1" | cut -d' ' -f1
}

# A picture of the window alone, to tell whether its clock still turns.
window_picture_sum() {
  import -window "$WINDOW" png:- 2>/dev/null | md5sum | cut -d' ' -f1
}
