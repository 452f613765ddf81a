#!/bin/sh
# Starts Korimbel on the X display, types a line into its console with
# xdotool as a user would, and reads back the pixel at the centre of the view.
#
#   typed_line.sh KORIMBEL XGRAB LINE EXPECTED_COLOUR
#
# EXPECTED_COLOUR is red, green or blue: the component that must stand out.
# Run it under xvfb-run.
set -u
korimbel=$1
xgrab=$2
line=$3
colour=$4
out=$(mktemp)
"$korimbel" > "$out" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null; rm -f "$out"' EXIT

started=$(date +%s.%N)
# the main window (no window manager is needed); asked for every 20 ms,
# which times the start more finely than the --sync option's half seconds
window=""
for i in $(seq 1 1000); do
	window=$(xdotool search --name '^Korimbel$' 2>/dev/null | head -n 1)
	[ -n "$window" ] && break
	sleep 0.02
done
if [ -z "$window" ]; then
	echo "no Korimbel window"; cat "$out"; exit 1
fi
# the view's centre: the view starts 30 pixels down and is 724 x 445
x=362
y=$((30 + 222))
# the first frame: the canvas's grey, no longer the window's background
for i in $(seq 1 500); do
	pixel=$("$xgrab" "$window" $x $y 2>/dev/null)
	[ "$pixel" = "128 128 128" ] && break
	sleep 0.005
done
echo "first frame after $(awk "BEGIN { print $(date +%s.%N) - $started }") s: $pixel"

timeout 10 xdotool windowfocus --sync "$window"
xdotool type --delay 20 "$line"
xdotool key Return

# the line is entered and drawn
for i in $(seq 1 100); do
	pixel=$("$xgrab" "$window" $x $y)
	set -- $pixel
	case $colour in
	red) want=$1; other1=$2; other2=$3 ;;
	green) want=$2; other1=$1; other2=$3 ;;
	blue) want=$3; other1=$1; other2=$2 ;;
	esac
	if [ "$want" -gt 100 ] && [ "$want" -gt $((other1 + 60)) ] && [ "$want" -gt $((other2 + 60)) ]; then
		echo "centre of the view after '$line': $pixel ($colour)"
		exit 0
	fi
	sleep 0.05
done
echo "centre of the view after '$line': $pixel, not $colour"
cat "$out"
exit 1
