#!/bin/sh
# Starts Korimbel on the X display without a window manager and without
# giving it the keyboard (keys go to the window under the pointer), and
# drives it as a user would:
# 1. a click on "draw wireframe" of the object panel works, and the line
#    typed next runs on the console's command line, Spaces and all;
# 2. after a chooser cancelled with Escape and after the About box closed
#    with Return, typing goes to the command line again;
# 3. "&Open" of a file that does not exist changes nothing: the variables,
#    the scene and the title stay;
# 4. "&Save State" writes to a name typed with "/" or "~" in front, adds
#    ".geo" to a name without extension, and asks before it replaces a file
#    ("No" the default): the file stays as it was until "Yes", and after
#    "No" and Escape the console's last line, copied, says it was not saved;
# 5. a script hides the console, waits for Enter and shows the console
#    again: typing goes to the command line;
# 6. opens of a directory, an image, a playlist without an entry that can
#    be opened, by the menu, its keys, typed lines and a script, the open
#    scene file overwritten by a screenshot, pipes named as a ".g" file, a
#    label's picture, Save State's or a screenshot's file: nothing changes
#    and nothing waits, and the console says why;
# 7. keys and focus, a table: Space in the Dynamic statements and Select
#    object windows presses close, not "remove" nor an object, and after
#    "update" it closes too, adding nothing to the statement; Ctrl+C
#    copies what is selected in the object panel's name and description
#    and the status line; a 60,000-character name sent over the network is
#    refused; a command line of 40 pastes of the longest name a scene holds
#    is drawn around the cursor, runs whole, its echo of 10,000 letters
#    is drawn and the next prompt shows from the left edge; that paste and
#    a picked object's name end the program neither in the command line
#    nor in Select object;
# 8. the choosers, a table: in each, a directory typed with "/" in front,
#    then Ctrl+A and a bare name: the name is a file in that directory.
# The title shows what ran: each typed line sets it through cmd(); a text
# copied is pasted into such a line.
#
#   files_keyboard.sh KORIMBEL XGRAB
#
# Run it on a virtual X server (tests/support/onxvfb.sh).
set -u
korimbel=$1
xgrab=$2
here=$(cd "$(dirname "$0")" && pwd)
dir=$(mktemp -d)
# the program starts in the scratch directory, where its choosers start;
# "~" names a directory in it
cd "$dir"
HOME=$dir/home
export HOME
pointer_focus=1
. "$here/startprogram.sh"
client=""
trap 'kill $pid $client 2>/dev/null; rm -rf "$out" "$dir"' EXIT

# the main window's title names what ran last
titled() {
	window_named "Korimbel: $1" > /dev/null ||
		fail "$2: the title is not '$1' but '$(xdotool getwindowname "$window" 2>/dev/null)'"
}

# a top-level window of the program other than the main window, with no
# title (the toolkit's message and question boxes), once it shows
untitled_box() {
	for i in $(seq 1 200); do
		for w in $(xdotool search --maxdepth 1 --onlyvisible --pid $pid 2>/dev/null); do
			[ "$w" != "$window" ] && [ -z "$(xdotool getwindowname "$w" 2>/dev/null)" ] && { echo "$w"; return 0; }
		done
		sleep 0.05
	done
	return 1
}
# waits until the console's line at y $1 has ink from x $2 on, $3 pixels
# wide (a tenth of its pixels dark), else fails with $4
inked() {
	for i in $(seq 1 50); do
		"$xgrab" "$window" $2 $(($1 - 6)) $3 12 | python3 -c 'import sys
pixels = sys.stdin.buffer.read().split(b"\n", 3)[3]
sys.exit(10 * sum(1 for i in range(0, len(pixels), 3) if pixels[i] < 128) < len(pixels) // 3)' && return 0
		sleep 0.1
	done
	fail "$4 is blank"
}
# waits until window $1 no longer shows
gone() {
	for i in $(seq 1 200); do
		xdotool getwindowname "$1" > /dev/null 2>&1 || return 0
		[ -z "$(xdotool search --maxdepth 1 --onlyvisible --pid $pid 2>/dev/null | grep -x "$1")" ] && return 0
		sleep 0.05
	done
	fail "$2 did not close"
}
# waits until file $1 exists and begins with line $2
file_begins() {
	for i in $(seq 1 100); do
		[ -f "$1" ] && [ "$(head -n 1 "$1")" = "$2" ] && return 0
		sleep 0.05
	done
	fail "$1 does not begin with '$2'; the directory holds: $(find "$dir" -name '*.geo' | sort)"
}
# the clipboard pasted into the title, then the keys $3 (if any): the
# title is $1, else fail with $2
pasted_title() {
	xdotool type --delay 20 'cmd("title \"'
	xdotool key ctrl+v ${3:-}
	type_line '\"");'
	titled "$1" "$2"
}
# the console's last line above the command line, picked with three clicks
# and copied with its line end (which BackSpace drops from the paste), is
# $1 (a text, not a pattern): else fail with $2
said() {
	xdotool mousemove --window "$window" 10 625 click --repeat 3 --delay 50 1
	xdotool key ctrl+c
	pasted_title "$(printf '%s' "$1" | sed 's/[][\\.*^$()+?{}|]/\\&/g')" "$2" BackSpace
}
# waits until file $1 is a PNG image
becomes_png() {
	for i in $(seq 1 100); do
		[ "$(head -c 4 "$1" 2>/dev/null | tail -c 3)" = PNG ] && return 0
		sleep 0.05
	done
	fail "$1 did not become a PNG image"
}
# "&Save State" (Alt+F, the fourth item) with a name typed into its chooser
save_state() {
	xdotool key alt+f Down Down Down Down Return
	chooser=$(window_named "Save file") || fail "no Save State chooser for $1"
	type_line "$1"
	gone "$chooser" "the Save State chooser for $1"
}

# the keys $1, then the name $3 typed into the chooser titled $2 that they
# show, or, without a chooser, the line $3 typed; $4 names the row in a
# failure
keys_then_name() {
	[ -n "$1" ] && xdotool key $1
	if [ -n "$2" ]; then
		w=$(window_named "$2") || fail "$4: no chooser '$2'"
		type_line "$3"
		gone "$w" "$4: the chooser"
	elif [ -n "$3" ]; then
		type_line "$3"
	fi
}

# 1. the object panel stands right of the view; "draw wireframe" is its
# eighth row for a vector (y 205 in the panel, which starts at y 30)
type_line "a = e1"
sleep 0.5
xdotool mousemove --window "$window" 790 245 click 1
type_line 'if (get_wireframe(a)) cmd("title wire"); else cmd("title solid");'
titled wire "a click on draw wireframe, then a typed line"
echo "the click set the wireframe, and the line typed next ran"

# 2. "&Open" cancelled with Escape, "About" (the first item of "&Help")
# closed with Return: the next line runs
xdotool key alt+o
chooser=$(window_named "open file: ") || fail "no Open chooser"
xdotool key Escape
gone "$chooser" "the Open chooser"
type_line 'cmd("title chooser")'
titled chooser "a line typed after the chooser was cancelled"
xdotool key alt+h Down Return
box=$(untitled_box) || fail "no About box"
xdotool key Return
gone "$box" "the About box"
type_line 'cmd("title about")'
titled about "a line typed after the About box closed"
echo "after a chooser and a message box the keyboard went back to the command line"

# 3. "&Open" of a missing file: the message, and nothing else happens
type_line "remove(a); q1 = 7; b = e1 ^ e2"
expect_blue 1
xdotool key alt+o
chooser=$(window_named "open file: ") || fail "no Open chooser"
type_line "missing.geo"
gone "$chooser" "the Open chooser"
titled about "the Open of a missing file"
type_line 'if (q1 == 7) cmd("title kept");'
titled kept "q1 after the Open of a missing file"
expect_blue 1
echo "the Open of a missing file kept the variable, the scene and the title"

# 4. "&Save State": an absolute name, a name without extension (in the
# directory of the last answer), a name from home, an existing name
mkdir -p "$dir/sub" "$dir/home"
save_state "$dir/sub/abs.geo"
file_begins "$dir/sub/abs.geo" clear
save_state plain
file_begins "$dir/sub/plain.geo" clear
[ -e "$dir/sub/plain" ] && fail "Save State wrote plain without extension"

save_state "~/tilde.geo"
file_begins "$dir/home/tilde.geo" clear
echo "Save State wrote $dir/sub/abs.geo, $dir/sub/plain.geo and ~/tilde.geo"
printf 'title "mine"\n' > "$dir/home/keep.geo"
for answer in Return Escape "Tab space"; do
	save_state keep.geo
	box=$(untitled_box) || fail "Save State did not ask before replacing keep.geo"
	file_begins "$dir/home/keep.geo" 'title "mine"'
	xdotool key $answer
	gone "$box" "the question"
	[ "$answer" = "Tab space" ] && break
	said ">> Scene not saved: '$dir/home/keep.geo' exists" "the console's line after $answer"
done
file_begins "$dir/home/keep.geo" clear
echo "Save State asked before replacing keep.geo: No (Return) and Escape kept it and said so, Yes replaced it"

# 5. a script hides the console, waits, shows it again
printf 'title "hidden"\nhide console\nwait\nshow console\ntitle "shown"\n' > "$dir/hide.geo"
type_line "cmd(\"open $dir/hide.geo\")"
titled hidden "the script"
xdotool key Return
titled shown "Enter during the script's wait"
type_line 'cmd("title typed")'
titled typed "a line typed after the script showed the console"
echo "after the script showed the console again the keyboard was the command line's"

# 6. opens of what holds no scene change nothing, on every route: a
# directory, an image (a NUL byte in its first block), a playlist without
# a "play" line of a file that can be opened (by the menu or a typed
# "open"), a replay of a file that became a directory, the open scene file
# overwritten by a screenshot; pipes are neither read (a ".g" file, a
# label's picture) nor written (Save State, a screenshot): nothing waits
# for them.  The session is a playlist's first entry and a variable; after
# each row the title is what it was, the bivector b still blue and q1 still
# 7.  A row: the keys that ask for the open, the chooser they show, the
# name typed into it (or the line typed, without a chooser), what happens
# first, what is waited for after, what the console's last line says.
mkdir "$dir/folder.geo"
printf '\211PNG\r\n\032\n\000\000\000\rIHDR' > "$dir/picture.png"
cp "$dir/picture.png" "$dir/picture.geo"
printf 'title "scene"\nfgcolor 0 0 1\ne3ga b [e1^e2]\n' > "$dir/scene.geo"
printf 'e3ga c [e1]\n' > "$dir/words.gpl"
printf 'open folder.geo\n' > "$dir/opener.geo"
printf 'play scene.geo\nplay folder.geo\nplay picture.geo\n' > "$dir/list.gpl"
printf 'play missing.geo\nplay folder.geo\n' > "$dir/nothing.gpl"
mkfifo "$dir/pipe.g" "$dir/pipe.png" "$dir/pipe.geo"
xdotool key alt+f Down Down Right Down Return
chooser=$(window_named "Open gpl file: ") || fail "no Open geo playlist chooser"
type_line "$dir/list.gpl"
gone "$chooser" "the Open geo playlist chooser"
titled scene "the playlist's first entry"
expect_blue 1
type_line "q1 = 7"
last=scene
row=0
while IFS='|' read -r keys chooser name before after says; do
	row=$((row + 1))
	[ -n "$before" ] && eval "$before"
	keys_then_name "$keys" "$chooser" "$name" "row $row"
	[ -n "$after" ] && eval "$after"
	titled "$last" "row $row ($keys $name)"
	expect_blue 1
	[ -n "$says" ] && said "$says" "row $row ($keys $name)"
	type_line "if (q1 == 7) cmd(\"title row$row\");"
	titled "row$row" "q1 after row $row ($keys $name)"
	last=row$row
done <<ROWS
alt+period|||
alt+period|||
alt+o|open file: |$dir/picture.geo|
alt+o|open file: |$dir/words.gpl|
alt+f Down Down Right Return|Open geo file: |$dir/picture.png|
alt+f Down Down Right Down Return|Open gpl file: |$dir/scene.geo|
||cmd("open $dir/folder.geo")|
||cmd("switchto $dir/picture.png")|
||cmd("import $dir/opener.geo")|
alt+o|open file: |$dir/nothing.gpl|||>> state::openPlayList(): '$dir/nothing.gpl' holds no 'play' line of a file that can be opened; the playlist stays as it was
alt+comma|||||>> state::setPlayListPos(): playlist position '0' is out of range
||cmd("open $dir/nothing.gpl")|||state::openPlayList(): '$dir/nothing.gpl' holds no 'play' line of a file that can be opened; the playlist stays as it was
alt+o|open file: |$dir/pipe.g|||>> state::consoleSourceFileRead(): can not read '$dir/pipe.g': it is not a regular file
alt+f Down Down Right Down Down Return|Open g file: |$dir/pipe.g|
||cmd("label pic [e1] \"$dir/pipe.png\" image");|||textObject::initImage(): could not load image '$dir/pipe.png': it is not a regular file
alt+f Down Down Down Down Return|Save file|$dir/pipe.geo|||>> Scene not saved: '$dir/pipe.geo' is not a regular file
||screenshot("$dir/pipe.png", 100, 100, 0);|||Screenshot not taken: '$dir/pipe.png' is not a regular file
||screenshot("$dir/scene.geo", 100, 100, 0);||becomes_png "$dir/scene.geo"|>> Could not fopen() '$dir/scene.geo': it is not a text file
alt+r|||mv "$dir/scene.geo" "$dir/scene.old" && mkdir "$dir/scene.geo"
ROWS
echo "$row opens of what holds no scene kept the variable, the scene and the title"
# 6b. playlists on every route: a scene file's "open", "switchto" and
# console line of a playlist and "Open geo file" of one play it, and refuse
# one that plays only itself; a playlist plays the entries of another in
# its place; Next and Previous, by their keys and the menu, go on to the
# nearest entry that opens (an entry gone, a directory, the one deleted
# meanwhile) and stay on the scene shown when none does.  The variable
# keep is 41 before each row; after it keep is still 41 (kept) or a new
# scene began (new).  A row: the keys, the chooser they show, the name
# typed into it (or the line typed, without a chooser), what is done first,
# the title after (empty: the one before), kept or new, what the console's
# last line says.
mkdir -p "$dir/pl/folder.geo"
printf 'title "five"\n' > "$dir/pl/five.geo"
printf 'title "six"\n' > "$dir/pl/six.geo"
printf 'play five.geo\n' > "$dir/pl/list5.gpl"
printf 'play self.gpl\n' > "$dir/pl/self.gpl"
printf 'open list5.gpl\n' > "$dir/pl/open.geo"
printf 'switchto list5.gpl\n' > "$dir/pl/switch.geo"
printf 'console cmd("open list5.gpl");\n' > "$dir/pl/console.geo"
printf 'open self.gpl\nswitchto self.gpl\nconsole cmd("open self.gpl");\n' > "$dir/pl/refused.geo"
printf 'play folder.geo\nplay inner.gpl\nplay gone.geo\nplay six.geo\n' > "$dir/pl/outer.gpl"
printf 'play five.geo\nplay outer.gpl\n' > "$dir/pl/inner.gpl"
held="state::openPlayList(): '$dir/pl/self.gpl' holds no 'play' line of a file that can be opened; the playlist stays as it was"
folder="GAfile::GAfile(): can not open '$dir/pl/folder.geo': it is a directory"
step=0
while IFS='|' read -r keys chooser name before title keep says; do
	step=$((step + 1))
	type_line "keep = 41"
	# lines enough to fill the console that a new scene cleared
	[ -n "$says" ] && type_line "for(i=0;i<12;i=i+1){f=i,}"
	[ -n "$before" ] && eval "$before"
	keys_then_name "$keys" "$chooser" "$name" "playlist row $step"
	titled "${title:-$last}" "playlist row $step ($keys $name)"
	[ -n "$says" ] && said "$says" "playlist row $step ($keys $name)"
	[ "$keep" = kept ] && type_line "if (keep == 41) cmd(\"title p$step\");"
	[ "$keep" = new ] && type_line "if (keep == 0) cmd(\"title p$step\");"
	titled "p$step" "keep after playlist row $step ($keys $name): not $keep"
	last=p$step
done <<ROWS
alt+f Down Down Right Return|Open geo file: |$dir/pl/list5.gpl||five|new|
alt+f Down Down Right Return|Open geo file: |$dir/pl/self.gpl|||kept|>> $held
||cmd("open $dir/pl/open.geo")||five|new|
||cmd("open $dir/pl/switch.geo")||five|new|
||cmd("open $dir/pl/console.geo")||five|new|
||cmd("import $dir/pl/refused.geo")|||kept|>> $held
||cmd("open $dir/pl/outer.gpl")||five|new|
alt+comma|||||kept|>> $folder
alt+f Down Down Down Down Down Down Down Return|||||kept|>> $folder
alt+period||||six|new|
alt+comma||||five|new|
alt+f Down Down Down Down Down Down Return|||rm -r "$dir/pl/six.geo" && mkdir "$dir/pl/six.geo"||kept|GAfile::GAfile(): can not open '$dir/pl/six.geo': it is a directory
alt+comma|||||kept|>> $folder
ROWS
echo "$step playlist rows played good playlists on every route and stepped to the nearest entry that opens"
# the command line's -f and -l: the program starts untitled, not as after
# a file's start ("Korimbel: untitled"), when what is named holds no scene,
# and with the title of its first scene when it plays a playlist
while IFS='|' read -r option expected; do
	"$korimbel" $option > /dev/null 2>&1 &
	started=$!
	title=""
	for i in $(seq 1 200); do
		w=$(xdotool search --maxdepth 1 --pid $started 2>/dev/null | head -n 1)
		[ -n "$w" ] && title=$(xdotool getwindowname "$w" 2>/dev/null) && [ "$title" = "$expected" ] && break
		sleep 0.05
	done
	sleep 0.3
	[ -n "$w" ] && title=$(xdotool getwindowname "$w" 2>/dev/null)
	kill $started 2>/dev/null
	wait $started 2>/dev/null
	[ "$title" = "$expected" ] || fail "korimbel $option: the title is '$title', not '$expected'"
done <<ROWS
-f $dir/folder.geo|Korimbel
-f $dir/picture.png|Korimbel
-l $dir/words.gpl|Korimbel
-l $dir/picture.geo|Korimbel
-f $dir/pl/self.gpl|Korimbel
-f $dir/pl/list5.gpl|Korimbel: five
-l $dir/pl/outer.gpl|Korimbel: five
ROWS
echo "-f and -l of what holds no scene started the program untitled, of a playlist with its first scene"
# ---- 7. keys and focus ------------------------------------------------------
# Each row does what a user does with the keys and the mouse; the title
# shows what came of it.
type_line 'dynamic{d1: v1 = w1 + 1;}'
type_line 'dynamic{d2: v2 = w2 + 1;}'
type_line 'w1 = 1; w2 = 1; copiedname = e1,'
# the Dynamic statements window (Alt+D, the first item): Space presses
# close, and so it does after a click on the first row's "remove", and
# after a statement added to the first row's text (then d2's) and a click
# on its "update"
for click in none remove update; do
	xdotool key alt+d Down Return
	dyn=$(window_named "Dynamic statements:") || fail "no Dynamic statements window"
	[ $click = remove ] && xdotool mousemove --window "$dyn" 55 45 click 1
	if [ $click = update ]; then
		xdotool mousemove --window "$dyn" 300 45 click 1 key ctrl+End
		xdotool type --delay 20 ' v3 = w2 + 2;'
		xdotool mousemove --window "$dyn" 55 70 click 1
	fi
	xdotool key space
	gone "$dyn" "the Dynamic statements window (click: $click) after Space"
done
type_line 'w1 = 5; w2 = 5;'
type_line 'if (v1 == 2 && v2 == 6 && v3 == 7) cmd("title dynamic");'
titled dynamic "the dynamic statements after Space, a click on remove and one on update"
echo "Space in the Dynamic statements window pressed close, a click removed one statement, one updated another"
# "Select object" (Alt+V, the first item): Space presses close, and the
# current object stays: the name field, double-clicked and copied, shows
xdotool key alt+v Down Return
list=$(window_named "Select object:") || fail "no Select object window"
xdotool key space
gone "$list" "the Select object window after Space"
# a word double-clicked, then copied: the panel's name (x 724 + 65 on),
# a word of its description, a word of the status line
for row in "904 47 copiedname" "760 372 Magnitude:" "165 686 vector"; do
	set -- $row
	xdotool mousemove --window "$window" $1 $2 click --repeat 2 --delay 100 1
	xdotool key ctrl+c
	pasted_title "$3" "Ctrl+C of $3 at ($1, $2)"
	# the next clicks are no triple click
	sleep 0.5
done
echo "Space left the current object; Ctrl+C copied from the panel's name and description and the status line"
# long texts: a 60,000-character name sent over the network makes nothing,
# a name longer than a scene file holds; the longest one it holds (1023
# bytes), printed with its value in the console's last line above the
# command line: that name double-clicked, copied and pasted 40 times into
# a typed line, past the command line's 10,000 bytes, which shows around
# the cursor and runs to its end, its echo cut to 10,000 letters and
# drawn, then the whole name picked with Ctrl and the middle button, go to
# the command line; Select object lists it.  The name is of "m", a wide
# letter: the window system's limit is met sooner than with narrow ones.
# The client stays connected until then: its leaving prints a line.
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
type_line "add_net_port($port)"
timeout 60 python3 -c '
import socket, sys, time
name = "m" * 1023
server = socket.create_connection(("127.0.0.1", int(sys.argv[1])))
server.sendall(("m" * 60000 + " = e1 + e2,$" + name + " = e1 + e2,$").encode())
got = b""
while ("\"%s\" = " % name).encode() not in got:
    got += server.recv(65536)
print("in", flush=True)
time.sleep(50)
' "$port" > "$dir/client" &
client=$!
for i in $(seq 1 200); do
	grep -q in "$dir/client" && break
	sleep 0.05
done
grep -q in "$dir/client" || fail "the long name did not arrive over the network"
xdotool mousemove --window "$window" 60 625 click --repeat 2 --delay 100 1
xdotool key ctrl+c
xdotool type --delay 20 'z = 7; w = "'
for i in $(seq 1 40); do xdotool key ctrl+v; done
inked 642 360 350 "the command line of 40,000 letters, around the cursor,"
type_line '"; remove(z); if (z == 0) cmd("title whole");'
titled whole "the 40,000-letter line entered"
inked 625 360 350 "the echo of that line, cut to 10,000 letters,"
inked 642 8 20 "the prompt after it"
# the vector e1 + e2 from the view's centre up to the right
xdotool mousemove --window "$window" $((x + 40)) $((y - 40)) keydown ctrl click 2 keyup ctrl
xdotool key Return
xdotool key alt+v Down Return
list=$(window_named "Select object:") || fail "no Select object window with the long name"
xdotool key space
gone "$list" "the Select object window with the long name"
kill $client
type_line 'cmd("title long");'
titled long "the long texts"
echo "a 60,000-character name was refused; a 40,000-letter line and its echo were drawn and ran whole; the longest name left the program running"

# ---- 8. the choosers ----------------------------------------------------------
# Each row: the keys that open a chooser, its title, the bare name typed
# after Ctrl+A and the keys after it (a directory chooser enters the
# directory named with the first Return, takes it with the second), and
# what shows that the name was taken: a file that begins with "clear", or
# the title.
mkdir -p "$dir/choose/gdir"
printf 'title "chosen"\n' > "$dir/choose/chosen.geo"
printf 'title "picked"\n' > "$dir/choose/picked.geo"
printf 'title "listed"\n' > "$dir/choose/listed.geo"
printf 'play listed.geo\n' > "$dir/choose/list.gpl"
printf 'cmd("title gfile");\n' > "$dir/choose/funcs.g"
printf 'cmd("title gdir");\n' > "$dir/choose/gdir/all.g"
while IFS='|' read -r keys title name then check what; do
	xdotool key $keys
	chooser=$(window_named "$title") || fail "no chooser '$title'"
	xdotool type --delay 20 "$dir/choose/"
	xdotool key ctrl+a
	xdotool type --delay 20 "$name"
	xdotool key $then
	gone "$chooser" "the chooser '$title'"
	case $check in
	file) file_begins "$dir/choose/$what" clear ;;
	title) titled "$what" "the chooser '$title' with $name" ;;
	esac
done <<ROWS
alt+f Down Down Down Down Return|Save file|freshname|Return|file|freshname.geo
alt+o|open file: |chosen.geo|Return|title|chosen
alt+f Down Down Right Return|Open geo file: |picked.geo|Return|title|picked
alt+f Down Down Right Down Return|Open gpl file: |list.gpl|Return|title|listed
alt+f Down Down Right Down Down Return|Open g file: |funcs.g|Return|title|gfile
alt+f Down Down Down Return|Open dir|gdir|Return Return|title|gdir
ROWS
# the screenshot dialog (the fifth item of "&Utils"), its "..." button
xdotool key alt+f Right Right Right
sleep 0.3
xdotool key Down Down Down Down Down Return
dialog=$(window_named "Screen shot:") || fail "no screenshot dialog"
xdotool mousemove --window "$dialog" 580 17 click 1
# (the title is a pattern)
chooser=$(window_named 'Save screenshot \(\.png\):') || fail "no screenshot chooser"
xdotool type --delay 20 "$dir/choose/"
xdotool key ctrl+a
type_line shot.png
gone "$chooser" "the screenshot chooser"
xdotool mousemove --window "$dialog" 55 117 click 1
for i in $(seq 1 200); do
	[ -s "$dir/choose/shot.png" ] && break
	sleep 0.05
done
[ -s "$dir/choose/shot.png" ] || fail "no screenshot in $dir/choose/shot.png"
echo "every chooser took a bare name typed after Ctrl+A in the directory it showed"
exit 0
