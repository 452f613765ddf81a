# Sourced by the scripts that drive the running program: starts KORIMBEL
# ($korimbel, with the words of $options when set) in the background, finds
# its main window ($window) and waits for the first frame at the view's
# centre ($x, $y), then gives the window the keyboard, unless $pointer_focus
# is set: the window system's own rule then holds, keys going to the window
# under the pointer, as on a machine without a window manager.
# With $window_manager set (the path of openbox, whose options it is given)
# that window manager runs on the display first, with the installed
# settings and its log in a folder of its own ($wm_dir), and the script
# gives no window the keyboard: it waits until the window manager gave it
# to each new window (managed), and the program's top-level windows lie
# within its frames, $depth below the root.
# $xgrab reads a pixel.  fail ends the script with a message and what the
# program printed; window_named finds a top-level window by its title,
# top_window the full-screen or the main window; untitled_box finds a
# message or question box and gone waits until a window closed and, under
# a window manager, the keyboard is back in the program; png_size reads a
# PNG file's width and height; expect_blue waits for the view's centre;
# focus gives a window the keyboard and type_line enters a line.
out=$(mktemp)
wm=""
wm_dir=""
depth=1
# Seconds the window manager may take to start on a loaded machine.
WM_START_LIMIT=20
if [ -n "${window_manager:-}" ]; then
	wm_dir=$(mktemp -d)
	# it runs the command given with --startup once it manages windows; the
	# session manager it would look for is not there
	XDG_CONFIG_HOME=$wm_dir XDG_CACHE_HOME=$wm_dir "$window_manager" --sm-disable \
		--startup "touch $wm_dir/managing" > "$wm_dir/log" 2>&1 &
	wm=$!
	for i in $(seq 1 $((WM_START_LIMIT * 20))); do
		[ -e "$wm_dir/managing" ] && break
		sleep 0.05
	done
	[ -e "$wm_dir/managing" ] || { echo "$window_manager did not start"; cat "$wm_dir/log"; kill $wm; exit 1; }
	depth=2
fi
"$korimbel" ${options:-} > "$out" 2>&1 &
pid=$!
trap 'kill $pid $wm 2>/dev/null; rm -rf "$out" $wm_dir' EXIT

fail() { echo "$1"; cat "$out"; exit 1; }
# waits until the view's centre is blue (1) or the canvas grey (0)
expect_blue() {
	for i in $(seq 1 100); do
		set -- "$1" $("$xgrab" "$window" $x $y)
		if [ "$4" -gt 100 ] && [ "$4" -gt $(($2 + 60)) ]; then is=1; else is=0; fi
		[ "$is" = "$1" ] && return 0
		sleep 0.05
	done
	fail "the view's centre is $2 $3 $4; blue expected: $1"
}
# the program's top-level window that covers the whole screen (full), or
# the main window that does not (back), once it is there
top_window() {
	for i in $(seq 1 200); do
		for w in $(xdotool search --maxdepth $depth --pid $pid 2>/dev/null); do
			case "$1 $(xdotool getwindowgeometry "$w" 2>/dev/null)" in
			"full "*"Geometry: 1280x1024"*) echo "$w"; return 0 ;;
			"full "*) ;;
			*"Geometry: 1280x1024"*) ;;
			*) [ "$(xdotool getwindowname "$w" 2>/dev/null)" = Korimbel ] && { echo "$w"; return 0; } ;;
			esac
		done
		sleep 0.05
	done
	return 1
}
focus() { timeout 10 xdotool windowfocus --sync "$1"; }
# types a line into whatever has the keyboard and enters it
type_line() {
	xdotool type --delay 20 "$1"
	xdotool key Return
}
# whether window $1 has the keyboard, or no window manager gives it: a
# window manager places a new window before it gives it the keyboard, and
# a click or key before that may miss the window
managed() { [ -z "$wm" ] || [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
# a top-level window of the program other than the main window (and
# window $1, the full-screen one), with no title (the toolkit's message and
# question boxes), once it shows
untitled_box() {
	for i in $(seq 1 200); do
		for w in $(xdotool search --maxdepth $depth --onlyvisible --pid $pid 2>/dev/null); do
			[ "$w" != "$window" ] && [ "$w" != "${1:-}" ] && [ -z "$(xdotool getwindowname "$w" 2>/dev/null)" ] &&
				managed "$w" && { echo "$w"; return 0; }
		done
		sleep 0.05
	done
	return 1
}
# whether window $1 no longer shows, and, under a window manager, the
# keyboard is in a window of the program again, not one of the manager's
closed() {
	xdotool getwindowname "$1" > /dev/null 2>&1 &&
		[ -n "$(xdotool search --maxdepth $depth --onlyvisible --pid $pid 2>/dev/null | grep -x "$1")" ] && return 1
	[ -z "$wm" ] || [ "$(xdotool getwindowfocus getwindowpid 2>/dev/null)" = "$pid" ]
}
# waits until window $1 closed, else fails with $2
gone() {
	for i in $(seq 1 200); do
		closed "$1" && return 0
		sleep 0.05
	done
	fail "$2 did not close, or the keyboard did not come back to the program"
}
# the width and height of a PNG file, from its header
png_size() {
	python3 -c 'import struct, sys; d = open(sys.argv[1], "rb").read(24); print(*struct.unpack(">II", d[16:24]))' "$1"
}
# the top-level window of that title, once it is there
window_named() {
	for i in $(seq 1 200); do
		w=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)
		[ -n "$w" ] && managed "$w" && { echo "$w"; return 0; }
		sleep 0.05
	done
	return 1
}

started=$(date +%s.%N)
# the main window (no window manager is needed), titled by a script or
# not; asked for every 20 ms, which times the start more finely than the
# --sync option's half seconds
window=""
for i in $(seq 1 1000); do
	window=$(xdotool search --name '^Korimbel(: .*)?$' 2>/dev/null | head -n 1)
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
if [ -n "$wm" ]; then
	for i in $(seq 1 200); do
		managed "$window" && break
		sleep 0.05
	done
	managed "$window" || fail "$window_manager did not give the main window the keyboard"
elif [ -z "${pointer_focus:-}" ]; then
	timeout 10 xdotool windowfocus --sync "$window"
fi
