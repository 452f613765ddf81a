#!/bin/sh
# Starts Korimbel on the X display and drives its menu and dialogs as a user
# would: the console's top edge dragged up, "&Open" (Alt+O) opening a scene
# file by its extension in any case, a screenshot asked
# for in the "Screen shot:" dialog opened from the "&Utils" menu with the
# keyboard, and "&Exit" (Alt+X) ending the program.
#
#   menu_dialogs.sh KORIMBEL XGRAB
#
# Run it on a virtual X server (tests/support/onxvfb.sh).
set -u
korimbel=$1
xgrab=$2
here=$(cd "$(dirname "$0")" && pwd)
dir=$(mktemp -d)
# the program starts in the scratch directory, where its choosers start
cd "$dir"
. "$here/startprogram.sh"
trap 'kill $pid 2>/dev/null; rm -rf "$out" "$dir"' EXIT

pixel() { "$xgrab" "$window" "$1" "$2"; }
grey="128 128 128"
# waits until pixel (x, y) is (1) or is not (0) the canvas grey
expect_grey() {
	for i in $(seq 1 100); do
		p=$(pixel "$1" "$2")
		if [ "$p" = "$grey" ]; then is=1; else is=0; fi
		[ "$is" = "$3" ] && return 0
		sleep 0.05
	done
	fail "pixel ($1, $2) is $p; canvas grey expected: $3"
}

# 1. the console's top edge: 50 pixels up, the view is 50 pixels shorter
expect_grey 362 450 1
xdotool mousemove --window "$window" 362 476
xdotool mousedown 1
for i in 1 2 3 4 5; do
	xdotool mousemove --window "$window" 362 $((476 - 10 * i))
	sleep 0.1
done
xdotool mouseup 1
expect_grey 362 450 0
expect_grey 362 420 1
echo "the console's top edge was dragged 50 pixels up"

# 2. "&Open": the extension decides, in any case: b.GEO shows its bivector,
# and a.geo, a new scene without one, the canvas
printf 'fgcolor b\ne3ga B [e1^e2]\n' > "$dir/b.GEO"
printf 'title "a"\n' > "$dir/a.geo"
for file in b.GEO a.geo; do
	xdotool key alt+o
	chooser=$(window_named "open file: ") || fail "no chooser for $file"
	timeout 10 xdotool windowfocus --sync "$chooser"
	# the chooser's file name field has the focus, in the directory of the file
	xdotool type --delay 50 "$file"
	xdotool key Return
	sleep 0.5
	# the view's centre, now that the view is 50 pixels shorter
	if [ $file = b.GEO ]; then expect_grey $x $((y - 25)) 0; else expect_grey $x $((y - 25)) 1; fi
	timeout 10 xdotool windowfocus --sync "$window"
done
echo "b.GEO opened, then a.geo"

# 3. the screenshot dialog from "&Utils" (Alt+F, then three menus to the right)
xdotool key alt+f Right Right Right
sleep 0.3
xdotool key Down Down Down Down Down Return
dialog=$(window_named "Screen shot:") || fail "no screenshot dialog"
timeout 10 xdotool windowfocus --sync "$dialog"
# file name, width, height, the second file, OK
field() {
	xdotool mousemove --window "$dialog" "$1" "$2" click 1
	xdotool key ctrl+a BackSpace
	xdotool type --delay 10 "$3"
}
field 300 17 "$dir/shot.png"
field 115 52 2000
field 115 82 1500
xdotool mousemove --window "$dialog" 260 52 click 1
xdotool mousemove --window "$dialog" 55 117 click 1
for i in $(seq 1 200); do
	[ -s "$dir/shot_wol.png" ] && grep -q "Writing row 0 to png" "$out" && break
	sleep 0.05
done
sleep 0.5
[ "$(png_size "$dir/shot.png")" = "1992 1500" ] || fail "shot.png is $(png_size "$dir/shot.png")"
[ "$(png_size "$dir/shot_wol.png")" = "1992 1500" ] || fail "shot_wol.png is $(png_size "$dir/shot_wol.png")"
grep -q "Rendering tile 12 / 12" "$out" || fail "no 12 tiles"
echo "the dialog took a 1992 x 1500 screenshot and its second file"

# 4. "&Exit"
timeout 10 xdotool windowfocus --sync "$window"
xdotool key alt+x
for i in $(seq 1 100); do
	kill -0 $pid 2>/dev/null || break
	sleep 0.05
done
kill -0 $pid 2>/dev/null && fail "Alt+X did not end the program"
wait $pid
echo "Alt+X ended the program (status $?)"
exit 0
