#!/usr/bin/env bash
# The window stays whole on the screens there are: opened at 144 DPI on a 1280x800 screen,
# its frame lies wholly on the screen, moved up just enough, whatever the window manager did
# with the place it asked for; then, moved by the user onto the right of two monitors, it
# stays there, and when that monitor is removed and the screen shrunk, it comes back just
# enough to lie wholly on the one left.
TEST_NAME=screens PROGRAM=$1 FAKE_SERVICE=$2
source "$(dirname "$0")/harness.sh"
# The client area's place and size, and the whole frame's.
client() { echo "$(window_field 'Absolute upper-left X') $(window_field 'Absolute upper-left Y') $(window_field Width) $(window_field Height)"; }
frame_inside() { # $1 x $2: the screen's size
  local x y w h left right top bottom
  read -r x y w h < <(client)
  read -r left right top bottom < <(xprop -id "$WINDOW" _NET_FRAME_EXTENTS | cut -d= -f2 | tr -d ',')
  [ $((x - left)) -ge 0 ] && [ $((y - top)) -ge 0 ] && [ $((x + w + right)) -le "$1" ] && [ $((y + h + bottom)) -le "$2" ]
}

SANDBOX_SCREEN=1280x800x24 start_x
start_buses
echo "Xft.dpi: 144" | xrdb -merge
start_program "$PROGRAM"; sleep 1.5
read -r x y w h < <(client)
# 9390 twips across at 144 DPI is 939: it fits across, and is moved up just enough (the
# scaled frame may round a pixel or two either way).
frame_inside 1280 800 && [ "$x" -eq 939 ] && [ $((800 - 1 - h - y)) -le 3 ] ||
  fail "at 144 DPI on 1280x800: client $(client), frame $(xprop -id "$WINDOW" _NET_FRAME_EXTENTS)"
kill "$PROGRAM_PID"; wait "$PROGRAM_PID" 2>/dev/null || true
rm -f "$WORK/display" # a second X server, whose display number comes there

# Two monitors on a 3840x1080 screen; the window moved by the user onto the right one.
SANDBOX_SCREEN=3840x1080x24 start_x
echo "Xft.dpi: 96" | xrdb -merge
xrandr --setmonitor left 1920/508x1080/286+0+0 screen >/dev/null
xrandr --setmonitor right 1920/508x1080/286+1920+0 none >/dev/null
start_program "$PROGRAM"; sleep 2
xdotool windowmove "$WINDOW" 2500 300; sleep 1
read -r x y w h < <(client)
[ "$x" -eq 2500 ] && [ "$y" -eq 300 ] || fail "not where the user put it: $(client)"
# The right monitor removed, the screen shrunk to the left one's size.
xrandr --newmode left-only 0 1920 0 0 0 1080 0 0 0; xrandr --addmode screen left-only
xrandr --delmonitor right; xrandr --output screen --mode left-only; xrandr --fb 1920x1080
sleep 1.5
read -r x y w h < <(client)
frame_inside 1920 1080 && [ "$y" -eq 300 ] && [ $((1920 - 1 - w - x)) -eq 0 ] ||
  fail "after the right monitor went: client $(client)"
echo "PASS: at 144 DPI its frame wholly on a 1280x800 screen; moved by the user, it stayed; its monitor removed, back on the screen just enough"
