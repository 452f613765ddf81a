#!/bin/sh
# Starts Korimbel on the X display, types a line that labels the origin into
# its console with xdotool, and reads back a pixel of the label's box: its
# left margin, just below the view's centre, where the label's top left
# corner stands.
#
#   typed_label.sh KORIMBEL XGRAB
#
# Run it on a virtual X server (tests/support/onxvfb.sh).
set -u
korimbel=$1
xgrab=$2
. "$(dirname "$0")/startprogram.sh"

line="o = 0; label(o, WWW)"
xdotool type --delay 20 "$line"
xdotool key Return

# the box's grey (0.7 of 255) in its margin, left of the text
for i in $(seq 1 100); do
	pixel=$("$xgrab" "$window" $((x - 1)) $((y + 6)))
	set -- $pixel
	if [ "$1" -ge 170 ] && [ "$1" -le 186 ] && [ "$2" -ge 170 ] && [ "$2" -le 186 ] && [ "$3" -ge 170 ] && [ "$3" -le 186 ]; then
		echo "label box after '$line': $pixel"
		exit 0
	fi
	sleep 0.05
done
echo "label box after '$line': $pixel, not the box's grey"
cat "$out"
exit 1
