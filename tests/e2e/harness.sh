# Shared by the real-window tests: the sandbox, a screenshot when a test fails, and what a
# user does in the window.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/sandbox.sh"
ARTIFACTS=${TAMSVEROLIND_ARTIFACTS:-$PWD/test-artifacts}
mkdir -p "$ARTIFACTS"
on_failure() { [ -z "${DISPLAY:-}" ] || import -window root "$ARTIFACTS/failed-${TEST_NAME:-test}.png" 2>/dev/null; }
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
# A right-click on the clock, then the menu's last item (the home page), with the menu given
# $1 s to open and $2 ms between keys: the address reaches the desktop's handler.
open_home_page() {
  click_at 60 40 3; sleep "$1"; xdotool key --delay "$2" Up Return
  wait_for 10 test -s "$WORK/opened" && [ "$(cat "$WORK/opened")" = https://www.example.org/tamsverolind ] ||
    fail "xdg-open got '$(cat "$WORK/opened" 2>/dev/null)'"
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
