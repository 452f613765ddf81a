#!/bin/sh
# Starts Korimbel on a scene that waits, then turns and moves the camera
# while it sleeps, and has a bookmark after the sleep; Search for next
# bookmark, by Alt+b or the menu's keys, is asked for at the wait, or after
# Return at the wait, in the sleep and the motions that run: either way the
# bookmark is reached at once, with the camera at the end of both motions,
# as the scene's line after the bookmark checks (it titles the window
# "three", else "unturned").  A row: the keys before the search, the
# seconds after them, the search's keys.
#
#   playback.sh KORIMBEL XGRAB
#
# Run it on a virtual X server (tests/support/onxvfb.sh).
set -u
korimbel=$1
xgrab=$2
dir=$(mktemp -d)
# far less than the 4.5 s left of the sleep, far more than a few ticks
REACHED_WITHIN=1
# the bookmark search is given this long before the row fails
SEARCH_LIMIT=10
cat > "$dir/search.geo" <<'GEO'
title "one"
eyeori [0]
eyepos [10*e3]
wait
camrot 8 [0.125*e1^e3]
camtrl 8 [0.25*e3]
sleep 5
title "two"
bookmark
console turned = norm(camori - (cos(1) - sin(1) e1^e3)) < 1e-6 && norm(campos - 12 e3) < 1e-6;
console if (turned) cmd("title three"); else cmd("title unturned");
wait
title "four"
GEO
options="-f $dir/search.geo"
. "$(dirname "$0")/startprogram.sh"
trap 'kill $pid 2>/dev/null; rm -rf "$out" "$dir"' EXIT

# the search asked for by Alt+b, or by the keys of the menu: Utils (the
# fourth), its first item
search_by() {
	if [ "$1" = menu ]; then
		xdotool key alt+f Right Right Right
		sleep 0.3
		xdotool key Down Return
	else
		xdotool key "$1"
	fi
}
while IFS='|' read -r keys pause search; do
	# the scene from its start
	xdotool key alt+r
	window_named "Korimbel: one" > /dev/null || fail "the scene did not start again before '$keys'"
	[ -n "$keys" ] && xdotool key $keys
	sleep "$pause"
	search_by "$search"
	from=$(date +%s.%N)
	title=""
	for i in $(seq 1 $((SEARCH_LIMIT * 20))); do
		title=$(xdotool getwindowname "$window" 2>/dev/null)
		case "$title" in *three | *unturned) break ;; esac
		sleep 0.05
	done
	took=$(awk "BEGIN { print $(date +%s.%N) - $from }")
	[ "$title" = "Korimbel: three" ] || fail "$search after '$keys' and $pause s: the title is '$title' after $took s"
	awk "BEGIN { exit !($took < $REACHED_WITHIN) }" ||
		fail "$search after '$keys' and $pause s reached the bookmark after $took s"
	echo "$search after '$keys' and $pause s reached the bookmark after $took s, the camera at the end of its motions"
done <<ROWS
|0|alt+b
Return|0.5|alt+b
Return|0.5|menu
ROWS
