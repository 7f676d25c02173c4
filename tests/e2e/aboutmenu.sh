#!/usr/bin/env bash
# A right-click on the clock opens the About menu at the pointer; its last item opens the
# home page through the desktop's handler (a stand-in xdg-open first on PATH).
TEST_NAME=aboutmenu
PROGRAM=$1
source "$(dirname "$0")/../support/harness.sh"
mkdir -p "$WORK/bin"
cat >"$WORK/bin/xdg-open" <<EOS
#!/bin/sh
printf '%s\n' "\$@" >>"$WORK/opened"
EOS
chmod +x "$WORK/bin/xdg-open"
export PATH="$WORK/bin:$PATH"
unset BROWSER DEFAULT_BROWSER
start_x; start_buses; start_program; sleep 0.5

before=$(xdotool search --onlyvisible --pid "$PROGRAM_PID" | sort)
click_at 60 40 1 # a left press on the clock opens nothing
sleep 0.3
[ "$(xdotool search --onlyvisible --pid "$PROGRAM_PID" | sort)" = "$before" ] || fail "a left press opened something"
click_at 60 40 3
sleep 0.5
eval "$(xdotool getmouselocation --shell)"
pointer_x=$X pointer_y=$Y
menu=$(comm -13 <(echo "$before") <(xdotool search --onlyvisible --pid "$PROGRAM_PID" | sort) | head -1)
[ -n "$menu" ] || fail "no menu opened"
menu_x=$(xwininfo -id "$menu" | sed -n 's/^ *Absolute upper-left X: *//p')
menu_y=$(xwininfo -id "$menu" | sed -n 's/^ *Absolute upper-left Y: *//p')
[ $(( menu_x - pointer_x )) -ge 0 ] && [ $(( menu_x - pointer_x )) -le 2 ] && [ $(( menu_y - pointer_y )) -ge 0 ] &&
  [ $(( menu_y - pointer_y )) -le 2 ] || fail "menu at $menu_x,$menu_y, pointer at $pointer_x,$pointer_y"
screenshot aboutmenu-open
xdotool key --delay 80 Up Return # the last item: the home page
for _ in $(seq 40); do [ -s "$WORK/opened" ] && break; sleep 0.1; done
[ "$(cat "$WORK/opened" 2>/dev/null)" = "https://www.example.org/tamsverolind" ] ||
  fail "xdg-open got '$(cat "$WORK/opened" 2>/dev/null)'"
echo "PASS: menu at the pointer ($menu_x,$menu_y); xdg-open https://www.example.org/tamsverolind"
