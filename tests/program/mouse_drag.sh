#!/bin/sh
# Starts Korimbel on the X display, types a conformal point at the origin
# into its console, drags it 60 pixels to the right with Ctrl and the right
# button, then zooms out by dragging down with the right button alone, and
# reads back where the red point is after each gesture.
#
#   mouse_drag.sh KORIMBEL XGRAB
#
# Run it on a virtual X server (tests/support/onxvfb.sh).
set -u
korimbel=$1
xgrab=$2
. "$(dirname "$0")/startprogram.sh"

# waits until the pixel (px, py) of the window is red (1) or not (0)
expect_red() {
	for i in $(seq 1 100); do
		set -- $("$xgrab" "$window" "$1" "$2") "$1" "$2" "$3"
		red=0
		[ "$1" -gt 100 ] && [ "$1" -gt $(($2 + 60)) ] && [ "$1" -gt $(($3 + 60)) ] && red=1
		[ "$red" = "$6" ] && return 0
		shift 3
		sleep 0.05
	done
	echo "pixel ($1, $2) is $("$xgrab" "$window" "$1" "$2"), red expected: $3"
	cat "$out"
	exit 1
}
# a drag of the right button, in steps of 10 pixels a tenth of a second apart
drag() {
	dx=$1; dy=$2; x0=$3; y0=$4
	xdotool mousemove --window "$window" "$x0" "$y0"
	xdotool mousedown 3
	for i in 1 2 3 4 5 6 7 8 9 10; do
		xdotool mousemove --window "$window" $((x0 + dx * i / 10)) $((y0 + dy * i / 10))
		sleep 0.1
	done
	xdotool mouseup 3
}

xdotool type --delay 20 "p = c3ga_point(0, 0, 0)"
xdotool key Return
expect_red $x $y 1

# Ctrl: the point follows the cursor
xdotool keydown ctrl
drag 60 0 $x $y
xdotool keyup ctrl
expect_red $((x + 60)) $y 1
expect_red $x $y 0
echo "the point was dragged 60 pixels to the right"

# no Ctrl: the camera moves from distance 11 to 21, the point comes closer
# to the centre, to 60 * 11 / 21 = 31 pixels
drag 0 100 100 100
expect_red $((x + 31)) $y 1
expect_red $((x + 60)) $y 0
echo "the camera zoomed out"
exit 0
