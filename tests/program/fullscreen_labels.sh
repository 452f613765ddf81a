#!/bin/sh
# Starts Korimbel on the X display without a window manager, types two
# labels, and captures the view; then goes full screen and back twice (Alt+U
# and Escape, the View menu's "Fullscreen" and Alt+U), which makes the
# windows and the view's OpenGL context anew: each time the view shows the
# very picture it showed before.
#
#   fullscreen_labels.sh KORIMBEL XGRAB
#
# Run it on a virtual X server (tests/support/onxvfb.sh).
set -u
korimbel=$1
xgrab=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/startprogram.sh"
shots=$(mktemp -d)
trap 'kill $pid 2>/dev/null; rm -rf "$out" "$shots"' EXIT

# the view: 724 x 445 pixels, 30 below the window's top
capture() { "$xgrab" "$window" 0 30 724 445 > "$shots/$1" 2>/dev/null; }

capture empty.ppm
xdotool type --delay 20 'a = c3ga_point(1, 1, 0); label(a, "some text");'
xdotool key Return
xdotool type --delay 20 'label(e1, "more");'
xdotool key Return
# the labels drawn: the view changed, and two captures in a row agree
for i in $(seq 1 100); do
	capture labels.ppm
	capture again.ppm
	cmp -s "$shots/labels.ppm" "$shots/again.ppm" && ! cmp -s "$shots/empty.ppm" "$shots/labels.ppm" && break
	sleep 0.05
done
cmp -s "$shots/empty.ppm" "$shots/labels.ppm" && fail "the labels did not show"

# full screen by $1 and back by $2; then the view as before the round
round() {
	xdotool key $1
	screen=$(top_window full) || fail "$1: no full-screen window"
	focus "$screen"
	xdotool key $2
	for i in $(seq 1 100); do
		window=$(top_window back) || fail "$2: no main window"
		capture back.ppm
		cmp -s "$shots/labels.ppm" "$shots/back.ppm" && return 0
		sleep 0.05
	done
	fail "after '$1' and '$2' the view differs from the one before"
}
round alt+u Escape
round "alt+v u" alt+u
echo "after full screen and back, twice, the view shows the labels as before"
exit 0
