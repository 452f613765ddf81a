#!/bin/sh
# Starts Korimbel on a scene that waits, then turns and moves the camera
# while it sleeps, and has a bookmark after the sleep; Search for next
# bookmark, by Alt+b or the menu's keys, is asked for at the wait, or after
# Return at the wait, in the sleep and the motions that run: either way the
# bookmark is reached at once, with the camera at the end of both motions,
# as the scene's line after the bookmark checks (it titles the window
# "three", else "unturned").  A row: the keys before the search, the
# seconds after them, the search's keys.
# Before that, searches that end with their scene: asked for with no scene
# (none begins), at a wait of a scene that opens another, at a wait before
# an import, and the next scene's sleeps take their time, or a bookmark
# after the import is reached at once; Dynamic > Playback speed marks the
# speed in force after each.
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
# a sleep of 2 s between two titles, a scene that opens another at its
# end, and one that imports a step
printf 'title "t1"\nsleep 2\ntitle "t2"\n' > "$dir/timed.geo"
printf 'title "A1"\nwait\ntitle "A2"\nsleep 2\nopen timed.geo\n' > "$dir/chain.geo"
printf 'title "step"\nsleep 1\n' > "$dir/step.geo"
printf 'title "one"\nwait\nimport step.geo\nwait\nsleep 3\nbookmark\ntitle "three"\nwait\n' > "$dir/import.geo"
# a sleep of 2 s that took its time, not no time
SLEPT_AT_LEAST=1.5
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
# waits until the title is "Korimbel: $1" (else fails with $2); the time then in $at
reached() {
	window_named "Korimbel: $1" > /dev/null || fail "$2: the title is not '$1' but '$(xdotool getwindowname "$window")'"
	at=$(date +%s.%N)
}
# the rows, 1 to 7, of Dynamic > Playback speed (the third menu's fifth
# item) whose radio button has its dark dot at its centre, 21 pixels a row
marked_speed() {
	xdotool key alt+f Right Right
	sleep 0.3
	before=$(xdotool search --maxdepth 1 --onlyvisible --pid $pid)
	xdotool key Down Down Down Down Down Right
	sleep 0.5
	for w in $(xdotool search --maxdepth 1 --onlyvisible --pid $pid | grep -vxF "$before"); do
		for row in 1 2 3 4 5 6 7; do
			set -- $("$xgrab" "$w" 10 $((21 * row - 10)))
			[ "$1" -lt 80 ] && echo "$row"
		done
	done
	xdotool key Escape Escape Escape
	sleep 0.3
}
# A row: the line typed first, the title then awaited, the search's keys,
# the open after them (a typed line, or "alt+o" and the name typed into its
# chooser), the title from which (none: from the search) the time runs to
# the next title, and whether that time is the sleep's (slept) or none.
while IFS='|' read -r first ready search open from to timing; do
	row="$first $search $open"
	type_line "$first"
	reached "$ready" "$row"
	search_by "$search"
	start=$(date +%s.%N)
	case $open in
	alt+o*)
		xdotool key alt+o
		chooser=$(window_named "open file: ") || fail "$row: no Open chooser"
		focus "$chooser"
		type_line "${open#alt+o }"
		focus "$window" ;;
	?*) type_line "$open" ;;
	esac
	[ -n "$from" ] && reached "$from" "$row" && start=$at
	reached "$to" "$row"
	took=$(awk "BEGIN { print $at - $start }")
	if [ "$timing" = slept ]; then least=$SLEPT_AT_LEAST most=1000; else least=0 most=$REACHED_WITHIN; fi
	awk "BEGIN { exit !($took >= $least && $took < $most) }" || fail "$row: from '$from' to '$to' took $took s"
	speed=$(marked_speed)
	[ "$speed" = 3 ] || fail "$row: Playback speed marks '$speed', not realtime (its third item)"
	echo "$row: from '$from' to '$to' took $took s; realtime marked"
done <<ROWS
cmd("title none")|none|alt+b|cmd("open $dir/timed.geo")|t1|t2|slept
reset()|untitled|menu|alt+o $dir/timed.geo|t1|t2|slept
cmd("open $dir/chain.geo")|A1|alt+b||t1|t2|slept
cmd("open $dir/import.geo")|one|alt+b|||three|at_once
ROWS

type_line "cmd(\"open $dir/search.geo\")"
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
