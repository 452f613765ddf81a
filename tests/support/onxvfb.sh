#!/bin/sh
# Runs a command on a virtual X server of its own and ends the server after
# it.  The server chooses a free display number itself and reports it when
# it is ready, so tests that start many servers at once never race for one
# number.  The server never resets when its last client leaves: a program
# connecting while a probe (xdotool) disconnects would meet a server in the
# middle of its reset.
# Seconds a server may take to start on a loaded machine.
START_LIMIT=30
dir=$(mktemp -d "${TMPDIR:-/tmp}/onxvfb.XXXXXX") || exit 1
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$dir/display" >"$dir/log" 2>&1 &
server=$!
# a test stopped from outside takes its server and files with it
trap 'kill "$server" 2>/dev/null; rm -rf "$dir"; exit 143' TERM INT HUP
waited=0
while [ ! -s "$dir/display" ]; do
	if ! kill -0 "$server" 2>/dev/null || [ "$waited" -ge $((START_LIMIT * 10)) ]; then
		echo "onxvfb: the virtual X server did not start:" >&2
		cat "$dir/log" >&2
		kill "$server" 2>/dev/null
		rm -rf "$dir"
		exit 1
	fi
	sleep 0.1
	waited=$((waited + 1))
done
number=$(cat "$dir/display")
DISPLAY=:$number
export DISPLAY
"$@"
status=$?
# a test that failed because its server went away says so
if [ "$status" -ne 0 ] && ! kill -0 "$server" 2>/dev/null; then
	echo "onxvfb: the virtual X server on :$number ended during the test:" >&2
	cat "$dir/log" >&2
fi
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
rm -rf "$dir"
exit $status
