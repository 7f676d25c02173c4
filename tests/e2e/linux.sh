#!/usr/bin/env bash
# A user's path through the real window: it opens in its place with a session bus and a
# system bus that hang, and closes at once too; then, started with a session bus that is
# slow and a system bus that comes late, in a mount namespace of its own whose time zone
# the test changes: the About menu's link; a set time typed from the new zone's clock, held
# awake by logind once it comes; and Log Off ending the program once a session manager that
# never answers has been asked.
TEST_NAME=linux PROGRAM=$1 FAKE_SERVICE=$2
source "$(dirname "$0")/harness.sh"
# On a Wayland desktop without XWayland: one line that says so, and a failure status.
said=$(env -u DISPLAY -u QT_QPA_PLATFORM WAYLAND_DISPLAY=wayland-0 "$PROGRAM" 2>&1) && fail "started without X11"
[ "$(wc -l <<<"$said")" -eq 1 ] && grep -q XWayland <<<"$said" || fail "without XWayland it said: $said"
start_x; start_buses
# Session and system buses that take connections and never answer: the window must not wait
# for them, and closing it must end the program at once.
hung=$(sed -n 2p "$WORK/bus.system")
kill -STOP "$hung"
start_program env DBUS_SESSION_BUS_ADDRESS="$DBUS_SYSTEM_BUS_ADDRESS" "$PROGRAM"; sleep 0.5
check_placed
choose_count_down; press_ok
first=$(window_picture_sum); sleep 1.2; second=$(window_picture_sum)
press_cancel; sleep 0.5
[ "$first" != "$second" ] && [ "$(window_picture_sum)" != "$second" ] || fail "the window stopped turning"
xdotool key alt+F4
wait_for 1 eval '! kill -0 $PROGRAM_PID 2>/dev/null' || fail "still running 1 s after its window was closed"
wait "$PROGRAM_PID" || fail "closed, the program exited with status $?"
kill -CONT "$hung"

# A loaded login: the session bus silent for 1.5 s as the program starts (longer than the
# window waits for it), no session manager yet, and no system bus until 5 s after start.
# The link's program gets the user's environment, not the program's own.
# The machine's zone is UTC in the program's namespace, whatever it is outside (TZ unset).
session_daemon=$(sed -n 2p "$WORK/bus.session") late_system="unix:path=$WORK/late-system"
[ -e /etc/localtime ] || fail "no /etc/localtime to stand a zone in for"
cp /usr/share/zoneinfo/Etc/UTC "$WORK/utc"; cp /usr/share/zoneinfo/Asia/Tokyo "$WORK/tokyo"
kill -STOP "$session_daemon"
(sleep 1.5; kill -CONT "$session_daemon") & PIDS+=($!)
started=$(now_ms)
start_program env -u QT_QPA_PLATFORM -u TZ DBUS_SYSTEM_BUS_ADDRESS="$late_system" \
  unshare -m --propagation private sh -c 'mount --bind "$0" /etc/localtime && exec "$@"' "$WORK/utc" "$PROGRAM"
# Another zone for the machine, as timedatectl or travel would set it: seen by the program only.
set_zone() { nsenter -t "$PROGRAM_PID" -m mount --bind "$WORK/$1" /etc/localtime; }
open_home_page 0.5 80
given=$(printf '%s\n' "$DBUS_SESSION_BUS_ADDRESS"; env | grep ^QT_ | grep -v ^QT_QPA_PLATFORM= || true)
[ "$(cat "$WORK/opened.env")" = "$given" ] || fail "xdg-open was started with: $(cat "$WORK/opened.env")"

# Its logind comes 5 s after start: a set time typed from Tokyo's clock, once the zone has
# moved there (which the program alone sees), held awake by logind's sleep lock and asked
# once, PowerOff(false) at its second, which is accepted.
sleep_until $(( started + 5000 ))
export DBUS_SYSTEM_BUS_ADDRESS=$late_system
start_bus late "$late_system"
start_fake system org.freedesktop.login1
set_zone tokyo; sleep 4 # the program's pause between tries at its bus is 4 s at most
target=$(( $(date +%s) + 4 ))
TZ=Asia/Tokyo type_target "$target"
press_ok
sleep $(( target - $(date +%s) + 2 ))
mapfile -t times < <(request_times org.freedesktop.login1)
lag=$(( ${times[0]:-0} - target * 1000 ))
[ ${#times[@]} -eq 1 ] && [ $lag -ge 0 ] && [ $lag -le 150 ] && requests_of org.freedesktop.login1 | grep -q "Manager.PowerOff(b) false$" ||
  fail "requests: $(requests_of org.freedesktop.login1)"
calls_of org.freedesktop.login1 | grep -q "Manager.Inhibit(ssss) sleep,Tamsverolind,Shut Down at .*,block$" ||
  fail "not held awake: $(calls_of org.freedesktop.login1)"
press_cancel

# Log Off with the count-down at zero, now that a session manager runs that never answers:
# one Logout, then the program is gone within a second or so.
start_fake session org.gnome.SessionManager never
type_action "Log Off"
choose_count_down
press_ok
wait_for 3 eval '! kill -0 $PROGRAM_PID 2>/dev/null' || fail "still running 3 s after Log Off"
wait "$PROGRAM_PID" || fail "the program exited with status $?"
[ "$(requests_of org.gnome.SessionManager | cut -d' ' -f2-)" = "/org/gnome/SessionManager org.gnome.SessionManager.Logout(u) 1" ] &&
  [ "$(request_times org.freedesktop.login1 | wc -l)" -eq 1 ] ||
  fail "Log Off asked: $(calls_of org.gnome.SessionManager) / $(calls_of org.freedesktop.login1)"
echo "PASS: shown and closed with hung session and system buses; placed, above, turning; with a slow session bus and a late system bus: link opened in the user's environment; a set time from the new zone's clock held awake by logind once it came, asked ${lag} ms late; Log Off asked once and ended the program"
