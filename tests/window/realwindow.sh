#!/usr/bin/env bash
# The program in a real window: placed where designed, at its size, kept on top.
TEST_NAME=realwindow
PROGRAM=$1
source "$(dirname "$0")/../support/harness.sh"

start_x
start_buses
start_program
sleep 1.5 # the window manager settles, and the clock has ticked

[ "$(window_field 'Absolute upper-left X')" = 626 ] || fail "left is $(window_field 'Absolute upper-left X'), not 626"
[ "$(window_field 'Absolute upper-left Y')" = 295 ] || fail "top is $(window_field 'Absolute upper-left Y'), not 295"
[ "$(window_field Width)" = 169 ] || fail "width is $(window_field Width), not 169"
[ "$(window_field Height)" = 271 ] || fail "height is $(window_field Height), not 271"
xprop -id "$WINDOW" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "not kept above: $(xprop -id "$WINDOW" _NET_WM_STATE)"

# Another application's window opened later stays below ours.
xmessage -geometry 400x300+600+280 "another window" &
PIDS+=($!)
sleep 1
stack=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/, / /g')
top=$(printf '%d\n' $stack | tail -1)
[ "$top" = "$WINDOW" ] || fail "another window is above ours"

screenshot realwindow
echo "PASS: window at 626,295 size 169x271, above; screenshot $ARTIFACTS/realwindow.png"
