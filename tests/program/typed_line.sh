#!/bin/sh
# Starts Korimbel on the X display, types a line into its console with
# xdotool as a user would, and reads back the pixel at the centre of the view.
#
#   typed_line.sh KORIMBEL XGRAB LINE EXPECTED_COLOUR
#
# EXPECTED_COLOUR is red, green or blue: the component that must stand out.
# Run it on a virtual X server (tests/support/onxvfb.sh).
set -u
korimbel=$1
xgrab=$2
line=$3
colour=$4
. "$(dirname "$0")/startprogram.sh"

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
