#!/usr/bin/env bash
# The typing window's own chrome on a real display without a window manager:
# no frame, the design size, the size floor, the grip, dragging by the title
# band, and a click on a key of the on-screen keyboard.
source "$(dirname "$0")/lib.sh"
start_pad

geometry() { xwininfo -id "$window" | sed -n "s/.*$1: *//p"; }
size_is() { [ "$(geometry Width)x$(geometry Height)" = "$1" ]; }
place() { echo "$(geometry 'Absolute upper-left X'),$(geometry 'Absolute upper-left Y')"; }

# Frameless: the window asks for no decorations at all (flags has the
# decorations bit, decorations are 0), and with no window manager nothing
# wraps it, so its parent is the root window.
hints=$(xprop -id "$window" _MOTIF_WM_HINTS | sed -n 's/.*= //p')
IFS=', ' read -r flags _ decorations _ <<<"$hints"
[ $((flags & 2)) -eq 2 ] && [ $((decorations)) -eq 0 ] || fail "decorations requested: $hints"
xwininfo -tree -id "$window" | grep -q 'Parent window id: .*(the root window)' ||
  fail "the typing window is wrapped in a frame"

# The design size: 8265 x 4620 twips.
size_is 551x308 || fail "design size is $(geometry Width)x$(geometry Height), not 551x308"

# Shrunk below its minimum it snaps back to 8055 x 3300 twips.
xdotool windowsize "$window" 300 100
wait_for 3 'size_is 537x220' || fail "shrunk window is $(geometry Width)x$(geometry Height)"

# The grip in the bottom-right corner: 20 x 10 pixels of travel on release.
xdotool windowsize "$window" 551 308
wait_for 3 'size_is 551x308' || fail "the window did not take the design size again"
# imgSize sits 15 twips left of imgClose and 35 above the bottom edge.
grip_x=$(((8265 - 195 - 60 - 15) / 15 + 6))
grip_y=$(((4620 - 180 - 35) / 15 + 6))
# The server has the new size before the pad has laid its images out at it:
# on a slow run a press that comes first misses the grip and changes nothing,
# and is made again once the pad has caught up.
for _ in 1 2 3; do
  xdotool mousemove --window "$window" "$grip_x" "$grip_y" mousedown 1
  xdo mousemove_relative --sync 10 5 mousemove_relative --sync 10 5 mouseup 1
  wait_for 3 '! size_is 551x308' && break
done
wait_for 3 'size_is 571x318' || fail "after the grip the window is $(geometry Width)x$(geometry Height)"

# Dragging the title band moves the window by the cursor's travel.
before=$(place)
IFS=, read -r x0 y0 <<<"$before"
xdotool mousemove --window "$window" 200 8 mousedown 1
for _ in 1 2 3 4; do xdo mousemove_relative --sync 15 10; done
xdotool mouseup 1
wait_for 3 'test "$(place)" = "$((x0 + 60)),$((y0 + 40))"' ||
  fail "dragging moved the window from $before to $(place)"
# Moving over the band with no button held moves nothing.
after=$(place)
xdotool mousemove --window "$window" 250 8
for _ in 1 2 3; do xdo mousemove_relative --sync 20 10; done
sleep 0.3
[ "$(place)" = "$after" ] || fail "a move without a button moved the window"

# The key k of the on-screen keyboard types its caption, KA, at the caret.
xdotool windowsize "$window" 551 308
wait_for 3 'size_is 551x308' || fail "the window did not take the design size again"
focus_box
panel_x=$(((8265 - 7455 - 140) / 2 / 15))
panel_y=$(((4620 - 2295 - 30) / 15))
xdotool mousemove --window "$window" $((panel_x + 312 + 24)) $((panel_y + 76 + 24)) click 1
sleep 0.3
expected=$(utf8_hex 0915)
got=$(box_hex)
[ "$got" = "$expected" ] || fail "the key click typed $got, expected $expected"
echo "chrome ok"
