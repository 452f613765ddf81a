#!/bin/sh
# Starts Korimbel under a window manager ($window_manager, openbox) beside
# another program, xev, in the screen's corner, and checks that the
# keyboard stays where the user works:
# 1. a dialog (Open, About, Select object, Dynamic statements) closed as a
#    task bar closes it, while the user types in the other program, leaves
#    the keyboard there; closed so while the dialog has the keyboard, the
#    keyboard comes back to the command line;
# 2. a dialog closed so while the main window is minimised leaves the
#    window minimised; restored by the task bar, it takes the typing;
# 3. the console hidden and shown, full screen on and off, by a network
#    client and by a scene's lines, leave the keyboard in the other
#    program; sent while the program has it, typing goes on to the
#    command line;
# 4. full screen on and off in one network read, and by the keys faster
#    than the window manager applies them, tables of sequences: the
#    window ends in the mode of the last, and back from full screen at
#    its size and place from before.
#
#   other_program_keyboard.sh KORIMBEL XGRAB XCLOSE XEV
#
# XCLOSE closes a window as a task bar does.  Run it on a virtual X server
# (tests/support/onxvfb.sh).
set -u
korimbel=$1
xgrab=$2
xclose=$3
xev=$4
here=$(cd "$(dirname "$0")" && pwd)
dir=$(mktemp -d)
cd "$dir"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
options="-f $dir/start.geo"
printf 'console add_net_port(%s);\n' "$port" > start.geo
printf 'hide console\nshow console\nfullscreen on\nfullscreen off\ntitle "scene"\n' > hideshow.geo
. "$here/startprogram.sh"
# the other program, in the corner the main window leaves free
"$xev" -geometry 110x110+1165+905 > "$dir/xev" 2>&1 &
other_pid=$!
trap 'kill $pid $wm $other_pid 2>/dev/null; rm -rf "$out" "$dir" $wm_dir' EXIT

# waits until the command $1 succeeds (10 s at most), else fails with $2,
# or, without $2, returns 1
waits() {
	for i in $(seq 1 200); do
		eval "$1" && return 0
		sleep 0.05
	done
	[ -z "${2:-}" ] && return 1
	fail "$2"
}
focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
waits 'other=$(xdotool search --name "^Event Tester\$" 2>/dev/null | head -n 1); [ -n "$other" ]' "no xev window"
# the main window's title is $1
titled() { [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "Korimbel: $1" ]; }

# a click into the other program, which then has the keyboard
to_other() {
	xdotool mousemove --window "$other" 55 55 click 1
	waits 'focused "$other"' || fail "$1: a click into xev did not give it the keyboard, but $(xdotool getwindowfocus)"
}
# a click on the command line, which then has the keyboard
to_program() {
	xdotool mousemove --window "$window" 362 640 click 1
	waits 'focused "$window"' || fail "$1: a click on the command line did not give the program the keyboard, but $(xdotool getwindowfocus) ($(xdotool getwindowgeometry "$window"))"
}
# a line typed after what happened ($1) went to the other program: xev
# had every Return, and the title stayed
typed_to_other() {
	returns=$(grep -c "Return" "$dir/xev")
	xdotool type --delay 20 'cmd("title stolen");'
	xdotool key Return
	waits '[ "$(grep -c "Return" "$dir/xev")" -gt "$returns" ]' "$1: the keys did not reach xev"
	sleep 0.3
	titled stolen && fail "$1: the keys went to the program"
	focused "$other" || fail "$1: the keyboard left xev for $(xdotool getwindowfocus)"
}
# a line typed after what happened ($1) ran on the command line
typed_to_program() {
	type_line "cmd(\"title $2\");"
	waits "titled $2" || fail "$1: the typed line did not run; the title is '$(xdotool getwindowname "$window")'"
}
# the dialog opened by the keys $1 (titled $2, or untitled), once it has
# the keyboard: its window in $d
dialog() {
	xdotool key $1
	if [ -n "$2" ]; then
		title=$2
		waits 'd=$(xdotool search --name "^$title\$" 2>/dev/null | head -n 1); [ -n "$d" ] && focused "$d"' "no dialog '$2'"
	else
		d=$(untitled_box) || fail "no dialog after $1"
	fi
}
# waits until window $1 is gone (its program destroyed it)
destroyed() { waits "! xdotool getwindowname $1 > /dev/null 2>&1" "$2 did not close"; }
# the window manager shows the main window minimised
iconic() { xprop -id "$window" WM_STATE 2>/dev/null | grep -q "window state: Iconic"; }
# the text $1 sent by a network client, once the program ran it all: its
# last command sets the title to $2
send() {
	timeout 10 python3 -c 'import socket, sys
socket.create_connection(("127.0.0.1", int(sys.argv[1]))).sendall(sys.argv[2].encode())' "$port" "$1cmd(\"title $2\");\$"
	waits "titled $2" "the network's '$1' did not run"
}

# 1. dialogs closed from the task bar: a row is the keys that open one, its
# title (none: a message box)
row=0
while IFS='|' read -r keys title; do
	row=$((row + 1))
	to_program "dialog row $row"
	dialog "$keys" "$title"
	to_other "dialog row $row"
	xdotool type --delay 20 "words"
	"$xclose" "$d"
	destroyed "$d" "the dialog of row $row ($keys), closed from the task bar"
	typed_to_other "dialog row $row ($keys) closed while xev had the keyboard"
	# closed so while it has the keyboard: the command line takes it
	to_program "dialog row $row"
	dialog "$keys" "$title"
	"$xclose" "$d"
	destroyed "$d" "the dialog of row $row ($keys), closed from the task bar"
	typed_to_program "dialog row $row ($keys) closed while it had the keyboard" "closed$row"
done <<ROWS
alt+o|open file: 
alt+h Down Return|
alt+v Down Return|Select object:
alt+d Down Return|Dynamic statements:
ROWS
echo "$row dialogs closed from the task bar left the keyboard where the user worked"

# 2. a minimised main window with the dialog hidden with it
for keys in "alt+v Down Return|Select object:" "alt+d Down Return|Dynamic statements:"; do
	to_program "minimised"
	dialog "${keys%|*}" "${keys#*|}"
	xdotool windowminimize "$window"
	waits iconic "the main window was not minimised"
	to_other "minimised"
	"$xclose" "$d"
	destroyed "$d" "the hidden dialog '${keys#*|}'"
	sleep 0.5
	iconic || fail "the main window came back when its hidden '${keys#*|}' closed"
	typed_to_other "the hidden '${keys#*|}' closed"
	# the user restores it from the task bar
	xdotool windowactivate "$window"
	waits '! iconic && focused "$window"' "the main window was not restored"
	typed_to_program "the main window restored" "restored"
done
echo "a minimised main window stayed minimised when its hidden dialogs closed"

# 3. the console and full screen from the network and a scene: a row is
# what a client sends
row=0
while IFS='|' read -r sent; do
	row=$((row + 1))
	to_other "network row $row"
	send "$sent" "sent$row"
	sleep 0.5
	typed_to_other "network row $row: $sent"
	to_program "network row $row"
	send "$sent" "here$row"
	typed_to_program "network row $row: $sent, from the program" "typed$row"
done <<ROWS
cmd("hide console");\$cmd("show console");\$
cmd("fullscreen on");\$cmd("fullscreen off");\$
cmd("open $dir/hideshow.geo");\$
ROWS
to_other "full screen"
send 'cmd("fullscreen on");$' "full"
sleep 0.5
typed_to_other "full screen on from the network"
send 'cmd("fullscreen off");$' "back"
sleep 0.5
typed_to_other "full screen off from the network"
echo "the console and full screen from the network and a scene left the keyboard in xev"

# 4. full screen toggled more than once before the window manager applied
# the first
to_program "sequences"
normal=$(xdotool getwindowgeometry "$window")
# full: the window covers the screen and the window manager shows it full
# screen; normal: neither; else both
mode() {
	case "$(xdotool getwindowgeometry "$window")" in *"Geometry: 1280x1024"*) big=1 ;; *) big=0 ;; esac
	if xprop -id "$window" _NET_WM_STATE | grep -q FULLSCREEN; then state=1; else state=0; fi
	case $big$state in 11) echo full ;; 00) echo normal ;; *) echo "screen-sized $big, state $state" ;; esac
}
# a row is the route ("net": the modes sent in one read; "keys": keys
# pressed faster than the window manager applies them), what it sends, and
# the mode the window ends in
row=0
while read -r route line; do
	row=$((row + 1))
	sent=${line% *}
	ends=${line##* }
	if [ "$route" = net ]; then
		text=""
		for m in $sent; do text="${text}cmd(\"fullscreen $m\");\$"; done
		send "$text" "seq$row"
	else
		xdotool key --delay 0 $sent
	fi
	waits '[ "$(mode)" = "$ends" ]' || fail "row $row ($route $sent): the window is $(mode), not $ends"
	# and stays so once the window manager applied every request
	sleep 0.5
	[ "$(mode)" = "$ends" ] || fail "row $row ($route $sent): the window went on to $(mode)"
	[ "$ends" = full ] || [ "$(xdotool getwindowgeometry "$window")" = "$normal" ] ||
		fail "row $row ($route $sent): the window is back at $(xdotool getwindowgeometry "$window"), not at $normal"
done <<ROWS
net on off normal
net on off on full
net off on full
net off normal
net on off on off normal
net on on off normal
keys alt+u alt+u normal
keys alt+u alt+u alt+u full
keys Escape normal
ROWS
echo "$row sequences of full screen ended in the last mode"
exit 0
