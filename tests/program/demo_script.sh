#!/bin/sh
# Plays the committed demo in Korimbel on the X display, as a user would: the
# window's title follows the demo's parts, the demo waits until Enter is
# pressed, its sleeps take their time, the moving camera changes the view,
# the imported part runs, and the "exit" after the demo ends the program.
#
#   demo_script.sh KORIMBEL XGRAB DEMO_DIR
#
# Run it on a virtual X server (tests/support/onxvfb.sh).
set -u
korimbel=$1
xgrab=$2
demo=$3
dir=$(mktemp -d)
printf 'import "%s/demo.geo"\nexit\n' "$demo" > "$dir/play.geo"
"$korimbel" -f "$dir/play.geo" > "$dir/out" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null; rm -rf "$dir"' EXIT

now() { date +%s.%N; }
since() { awk "BEGIN { print $(now) - $1 }"; }
fail() { echo "$1"; cat "$dir/out"; exit 1; }

# The window titled "Korimbel: $1" within $2 seconds; its id.
titled() {
	for i in $(seq 1 $(($2 * 20))); do
		w=$(xdotool search --name "^Korimbel: $1\$" 2>/dev/null | head -n 1)
		[ -n "$w" ] && { echo "$w"; return 0; }
		sleep 0.05
	done
	return 1
}

window=$(titled "demo: objects" 30) || fail "the demo did not start"
# the demo waits for the user
sleep 1.5
titled "demo: objects" 1 > /dev/null || fail "the demo went on without Enter"
timeout 10 xdotool windowfocus --sync "$window"
xdotool key Return
started=$(now)
titled "demo: motion" 5 > /dev/null || fail "Enter did not end the wait"

# the camera moves from 1 s to 3 s after the wait: the view changes
sleep 1.5
"$xgrab" "$window" > "$dir/first.ppm"
sleep 1
"$xgrab" "$window" > "$dir/second.ppm"
cmp -s "$dir/first.ppm" "$dir/second.ppm" && fail "the view did not change while the camera moved"

titled "demo: imported" 15 > /dev/null || fail "the imported part did not run"
imported=$(since "$started")
titled "demo: end" 5 > /dev/null || fail "the demo did not return from its import"
# the sleeps before the import: 1 + 2 + 2 seconds
awk "BEGIN { exit !($imported >= 5) }" || fail "the import came after $imported s, before the sleeps ended"

for i in $(seq 1 200); do
	kill -0 $pid 2>/dev/null || break
	sleep 0.05
done
kill -0 $pid 2>/dev/null && fail "exit did not end the program"
wait $pid
status=$?
[ $status -eq 0 ] || fail "the program ended with status $status"
echo "demo played: import after $imported s, ended after $(since "$started") s"
exit 0
