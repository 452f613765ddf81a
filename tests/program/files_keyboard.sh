#!/bin/sh
# Starts Korimbel on the X display without a window manager and without
# giving it the keyboard (keys go to the window under the pointer), or,
# with $window_manager set, under that window manager (openbox), which
# gives the keyboard to the window it activates; whenever a window or
# dialog closes, the keyboard is back in the program (and, with no dialog
# left, typing goes to the command line).  It drives the program as a user
# would:
# 1. a click on "draw wireframe" of the object panel works, and the line
#    typed next runs on the console's command line, Spaces and all;
# 2. after a chooser cancelled with Escape and after the About box closed
#    with Return, typing goes to the command line again;
# 3. "&Open" of a file that does not exist changes nothing: the variables,
#    the scene and the title stay;
# 4. "&Save State" names a picture beside the scene by its name there
#    ("./" in front of one that begins with "~") and one in a folder beside
#    the scene's by its absolute name, so that the folder moved opens with
#    every picture and saves as the same scene, also when it is saved and
#    opened through a link to the folder; a scene saved after clf() opens
#    as it was, its dynamic statement kept; it writes to
#    a name typed with "/" or "~" in front, adds ".geo" to a name without
#    extension, not to one in capitals; a table of questions, "No" the
#    default that Return and Space press: Save State and the screenshot
#    dialog ask before they replace a file, a scene file with "delete ask"
#    before it is deleted as it is left or replayed; the file stays as it
#    was until "Yes", and after "No" and Escape the console's last line,
#    copied, says it was not replaced;
# 5. a script hides the console, waits for Enter and shows the console
#    again: typing goes to the command line; the canvas colour it sets
#    next shows at once;
# 5b. a scene opened by a script or by another program while a line is
#    typed keeps that line, its cursor and its selection;
# 6. opens of a directory, an image, a playlist without an entry that can
#    be opened, a missing file, one in a missing folder or one not
#    permitted, by the menu, its keys, typed lines and a script, a
#    screenshot over the open scene file, pipes named as a ".g" file, a
#    label's picture, Save State's or a screenshot's file, Save State to a
#    playlist's or a console source file's name: nothing changes and
#    nothing waits, and the console says why;
# 7. keys and focus, a table: Space in the Dynamic statements and Select
#    object windows presses close, not "remove" nor an object, and after
#    "update" it closes too, adding nothing to the statement; after a
#    statement that does not parse, by "update" or by the question on
#    closing, the keys go on into it once the message is closed; a
#    statement typed into it and a click on close, the question answered
#    Yes or No, close the window, and the command line has the keys; Ctrl+C
#    copies what is selected in the object panel's name and description
#    and the status line; a 60,000-character name sent over the network is
#    refused; a command line of 40 pastes of the longest name a scene holds
#    is drawn around the cursor, runs whole, its echo of 10,000 letters
#    is drawn, Home shows it from the prompt, and the next prompt shows
#    from the left edge; that paste and a picked object's name end the
#    program neither in the command line nor in Select object; a picked
#    name that is no plain identifier is typed quoted; pastes of
#    megabytes from another program, by Ctrl+V from the clipboard and by
#    the middle button from the primary selection, into the command line,
#    a chooser's field and a dynamic statement, run whole or are refused
#    with a message, and the program runs on; two pastes at once from xsel
#    come one after the other, each whole; a refused paste leaves the
#    field and its selection as they were, one that comes replaces the
#    selection; a chooser refuses a paste longer than its field holds;
# 8. the choosers, a table: in each, a directory typed with "/" in front,
#    then Ctrl+A and a bare name: the name is a file in that directory,
#    also one with "$" in its name and one whose name is over 2 KB long.
# The title shows what ran: each typed line sets it through cmd(); a text
# copied is pasted into such a line.
#
#   files_keyboard.sh KORIMBEL XGRAB XCLIP [PART]
#
# XCLIP holds a text as another program's clipboard or primary selection,
# and so does xsel (found on the PATH).
# PART runs one part, each on a program of its own, so that the parts run
# at once and each stays well within a test's time: "session" (1 to 5),
# "opens" (6), "playlists" (6b and the command line's -f and -l), "keys"
# (7 but its pastes from other programs), "pastes" (those), "choosers" (8
# but its folder of a long name), "longnames" (that); without it, every
# part runs on one program.
# Run it on a virtual X server (tests/support/onxvfb.sh).
set -u
korimbel=$1
xgrab=$2
xclip=$3
part=${4:-}
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
holder=""
other=""
trap 'kill $pid $wm $client $holder $other 2>/dev/null; chmod -R u+rwx "$dir" 2>/dev/null; rm -rf "$out" "$dir" $wm_dir' EXIT

# the main window's title names what ran last
titled() {
	window_named "Korimbel: $1" > /dev/null ||
		fail "$2: the title is not '$1' but '$(xdotool getwindowname "$window" 2>/dev/null)'"
}

# whether the console's line at y $1 has ink from x $2 on, $3 pixels wide
# (a tenth of its pixels dark); or that line of window $4
has_ink() {
	"$xgrab" "${4:-$window}" $2 $(($1 - 6)) $3 12 | python3 -c 'import sys
pixels = sys.stdin.buffer.read().split(b"\n", 3)[3]
sys.exit(10 * sum(1 for i in range(0, len(pixels), 3) if pixels[i] < 128) < len(pixels) // 3)'
}
# waits until the console's line at y $1 has ink from x $2 on, $3 pixels
# wide (or that line of window $6), else fails with $4; tenths of a second
# to wait in $5 (else 50)
inked() {
	for i in $(seq 1 "${5:-50}"); do
		has_ink "$1" "$2" "$3" "${6:-}" && return 0
		sleep 0.1
	done
	fail "$4 is blank"
}
# waits until that part of the line has no ink, else fails with $4
blank() {
	for i in $(seq 1 50); do
		has_ink "$1" "$2" "$3" || return 0
		sleep 0.1
	done
	fail "$4 is not blank"
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
# waits until the console's last line above the command line (or its line
# at y $3), picked with three clicks and copied, is $1 (read from the
# clipboard with xclip), else fails with $2
says() {
	for i in $(seq 1 20); do
		xdotool mousemove --window "$window" 10 "${3:-625}" click --repeat 3 --delay 50 1
		xdotool key ctrl+c
		line=$(timeout 5 "$xclip" -o -selection clipboard 2> /dev/null)
		[ "$line" = "$1" ] && return 0
		sleep 0.25
	done
	fail "$2: the console's line at y ${3:-625} is '$line', not '$1'"
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

# whether part $1 runs
runs() { [ -z "$part" ] || [ "$part" = "$1" ]; }
# the screenshot dialog (the fifth item of "&Utils") with the file name $1
# typed into its field, over what was there, and OK
shot_dialog() {
	xdotool key alt+f Right Right Right
	sleep 0.3
	xdotool key Down Down Down Down Down Return
	w=$(window_named "Screen shot:") || fail "no screenshot dialog for $1"
	xdotool mousemove --window "$w" 200 17 click 1 key ctrl+a
	xdotool type --delay 20 "$1"
	xdotool mousemove --window "$w" 55 117 click 1
	gone "$w" "the screenshot dialog for $1"
}
# file $2 is byte for byte file $1, else fail
same_as() { cmp -s "$1" "$2" || fail "$2 is no longer what $1 is"; }
# waits until file $1 is gone
file_gone() {
	for i in $(seq 1 100); do
		[ -e "$1" ] || return 0
		sleep 0.05
	done
	fail "$1 is still there"
}
# waits until file $1 is a PNG image of size $2 ("width height")
png_sized() {
	for i in $(seq 1 100); do
		[ "$(png_size "$1" 2>/dev/null)" = "$2" ] && return 0
		sleep 0.05
	done
	fail "$1 is no PNG image of $2 pixels"
}
# writes a PNG image of 2 x 2 grey pixels to each file named
grey_png() {
	python3 -c 'import struct, sys, zlib
def chunk(kind, data): return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
rows = 2 * (b"\0" + 6 * b"\x80")
image = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 2, 2, 8, 2, 0, 0, 0)) +
         chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
for name in sys.argv[1:]: open(name, "wb").write(image)' "$@"
}
# the files that the opens, the playlists and the command line's rows read
printf '\211PNG\r\n\032\n\000\000\000\rIHDR' > "$dir/stub.png"
mkdir "$dir/folder.geo" "$dir/nox" "$dir/rodir"
printf 'title "denied"\n' > "$dir/noread.geo"
cp "$dir/noread.geo" "$dir/nox/s.geo"
cp "$dir/noread.geo" "$dir/ro.geo"
printf 'cmd("title denied");\n' > "$dir/noread.g"
printf 'cmd("title kept");\n' > "$dir/kept.g"
printf '\211PNG\r\n\032\n\000\000\000\rIHDR' > "$dir/picture.png"
cp "$dir/picture.png" "$dir/picture.geo"
printf 'title "scene"\nfgcolor 0 0 1\ne3ga b [e1^e2]\n' > "$dir/scene.geo"
printf 'e3ga c [e1]\n' > "$dir/words.gpl"
printf 'open folder.geo\n' > "$dir/opener.geo"
printf 'play scene.geo\nplay folder.geo\nplay picture.geo\n' > "$dir/list.gpl"
printf 'play missing.geo\nplay folder.geo\n' > "$dir/nothing.gpl"
mkfifo "$dir/pipe.g" "$dir/pipe.png" "$dir/pipe.geo"

if runs session; then
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

# 4. "&Save State": a scene with pictures beside it (one whose name begins
# with "~") and in a folder beside its own, saved in its folder and, once
# the folder is moved, opened from the program's directory with every
# picture and saved again; an absolute name, a name without extension (in
# the directory of the last answer), one with it in capitals, a name from
# home, an existing name
mkdir -p "$dir/sub" "$dir/home" "$dir/talk" "$dir/pics"
grey_png "$dir/talk/pic.png" "$dir/talk/~pic.png" "$dir/pics/p.png"
printf '%s\n' 'label "pic" [e1] "pic.png" flag_image width=100' 'label "tilde" [e2] "./~pic.png" flag_image' \
	'label "beside" [e3] "../pics/p.png" flag_image' 'title "pictures"' > "$dir/talk/s.geo"
# waits until the saved file $1 names the pictures beside it relative to
# it, the other by its absolute name (it may still be being written)
names_pictures() {
	file_begins "$1" clear
	for i in $(seq 1 100); do
		for picture in '"pic" .* "pic.png"' '"tilde" .* "./~pic.png"' "\"beside\" .* \"$dir/pics/p.png\"" ""; do
			[ -z "$picture" ] && return 0
			grep -q "^label $picture flag_image" "$1" || break
		done
		sleep 0.05
	done
	fail "Save State named the pictures in $1 so: $(grep '^label' "$1")"
}
# the scene file $1 opens with every picture
opens_pictures() {
	type_line 'cmd("title moving")'
	titled moving "the title before $1 opens"
	type_line "cmd(\"open $1\")"
	titled pictures "$1"
	# no picture failed: the console's line below its first, where the
	# first failure would be said, is the prompt
	says ">> " "the pictures of $1" 500
}
type_line "cmd(\"open $dir/talk/s.geo\")"
save_state "$dir/talk/saved.geo"
names_pictures "$dir/talk/saved.geo"
mv "$dir/talk" "$dir/moved"
opens_pictures "$dir/moved/saved.geo"
save_state "$dir/moved/again.geo"
file_begins "$dir/moved/again.geo" clear
same_as "$dir/moved/saved.geo" "$dir/moved/again.geo"
# the folder reached through a link, whose pictures the program knows by
# the folder's real name (as when it was started in the link with -f):
# saved by a name typed through the link, and by a bare name in the
# chooser that shows the link's folder; once the folder is moved again and
# the link points at it, each opens with every picture
ln -s moved "$dir/current"
save_state "$dir/current/typed.geo"
xdotool key alt+f Down Down Down Down Return
chooser=$(window_named "Save file") || fail "no Save State chooser for the link's folder"
xdotool type --delay 20 "$dir/current/"
xdotool key ctrl+a
type_line browsed.geo
gone "$chooser" "the Save State chooser in the link's folder"
for saved in typed browsed; do names_pictures "$dir/moved/$saved.geo"; done
mv "$dir/moved" "$dir/real"
ln -sfn real "$dir/current"
for saved in typed browsed; do opens_pictures "$dir/current/$saved.geo"; done
save_state "$dir/current/resaved.geo"
file_begins "$dir/real/resaved.geo" clear
same_as "$dir/real/browsed.geo" "$dir/real/resaved.geo"
# a scene saved after clf() took the point that a dynamic statement made
# opens without it, though the statement's first run there reads x as 0;
# the statement stays, and makes the point once x is set
for line in "x = e1," "dynamic{P: p = c3ga_point(x),}" "clf()" "y = e2," 'cmd("title cleared");'; do type_line "$line"; done
save_state "$dir/sub/cleared.geo"
file_begins "$dir/sub/cleared.geo" clear
type_line 'cmd("title moving")'
titled moving "the title before the scene saved after clf() opens"
type_line "cmd(\"open $dir/sub/cleared.geo\")"
titled cleared "the scene saved after clf()"
type_line 'if (p == 0 && y == e2) cmd("title withoutp");'
titled withoutp "the scene saved after clf(), opened"
type_line "x = e3;"
type_line 'if (p != 0) cmd("title withp");'
titled withp "x set in the scene saved after clf()"
# lines enough to fill the console that the scenes cleared, whose last line
# the questions' rows read
type_line "for(i=0;i<12;i=i+1){f=i,}"
save_state "$dir/sub/abs.geo"
file_begins "$dir/sub/abs.geo" clear
save_state plain
file_begins "$dir/sub/plain.geo" clear
[ -e "$dir/sub/plain" ] && fail "Save State wrote plain without extension"
save_state CAPS.GEO
file_begins "$dir/sub/CAPS.GEO" clear
[ -e "$dir/sub/CAPS.GEO.geo" ] && fail "Save State added .geo to CAPS.GEO"

save_state "~/tilde.geo"
file_begins "$dir/home/tilde.geo" clear
echo "Save State named pictures so that the scene's folder moved opened with them, and wrote $dir/sub/abs.geo, $dir/sub/plain.geo, $dir/sub/CAPS.GEO and ~/tilde.geo"
# Questions before a file is replaced or deleted, a table: Save State onto
# a file, the screenshot dialog onto a PNG image, a scene file with "delete
# ask" left for another or replayed (which clears the console: the rows
# that read its last line come first).  "No" is the default answer, which
# Return and Space press, and so is Escape: only Tab to "Yes" and Space
# replace or delete.  A row: what asks, the keys that answer, what holds
# while the question shows, what holds after it, what the console's last
# line says (when checked).
printf 'title "mine"\n' > "$dir/home/keep.geo"
printf 'title "other"\n' > "$dir/other.geo"
# a scene that asks before it is deleted, played (after a scene that does
# not ask), then left for another; the scene replayed is left in the next row
play_asking() {
	printf 'title "ask"\ndelete ask "Remove %%s now?"\n' > "$dir/ask.geo"
	type_line "cmd(\"open $dir/ask.geo\")"
	titled ask "the scene that asks"
}
leave_asking() {
	play_asking
	type_line "cmd(\"open $dir/other.geo\")"
}
# the same scene replayed (Alt+R) after its title changed
replay_asking() {
	play_asking
	type_line 'cmd("title replaying")'
	titled replaying "the title changed"
	xdotool key alt+r
}
while IFS='|' read -r asks answer meanwhile after says; do
	eval "$asks"
	box=$(untitled_box) || fail "no question after '$asks'"
	eval "$meanwhile"
	xdotool key $answer
	gone "$box" "the question after '$asks', answered with $answer,"
	eval "$after"
	[ -n "$says" ] && said "$says" "the console's last line after '$asks' and $answer"
done <<ROWS
save_state keep.geo|Return|file_begins "$dir/home/keep.geo" 'title "mine"'|file_begins "$dir/home/keep.geo" 'title "mine"'|>> Scene not saved: '$dir/home/keep.geo' exists
save_state keep.geo|Escape|file_begins "$dir/home/keep.geo" 'title "mine"'|file_begins "$dir/home/keep.geo" 'title "mine"'|>> Scene not saved: '$dir/home/keep.geo' exists
save_state keep.geo|Tab space|file_begins "$dir/home/keep.geo" 'title "mine"'|file_begins "$dir/home/keep.geo" clear|
cp "$dir/stub.png" "$dir/home/shot.png"; shot_dialog "$dir/home/shot.png"|Return|same_as "$dir/stub.png" "$dir/home/shot.png"|same_as "$dir/stub.png" "$dir/home/shot.png"|>> Screenshot not taken: '$dir/home/shot.png' exists
cp "$dir/stub.png" "$dir/home/shot.png"; shot_dialog "$dir/home/shot.png"|Tab space|same_as "$dir/stub.png" "$dir/home/shot.png"|png_sized "$dir/home/shot.png" "724 445"|
leave_asking|Return|file_begins "$dir/ask.geo" 'title "ask"'|titled other "the scene left after Return"; file_begins "$dir/ask.geo" 'title "ask"'|
leave_asking|space|file_begins "$dir/ask.geo" 'title "ask"'|titled other "the scene left after Space"; file_begins "$dir/ask.geo" 'title "ask"'|
replay_asking|Return|file_begins "$dir/ask.geo" 'title "ask"'|titled ask "the scene replayed after Return"; file_begins "$dir/ask.geo" 'title "ask"'|
type_line "cmd(\"open $dir/other.geo\")"|Tab space|file_begins "$dir/ask.geo" 'title "ask"'|titled other "the scene left after Yes"; file_gone "$dir/ask.geo"|
ROWS
echo "Save State, a scene with 'delete ask' and the screenshot dialog asked: No (Return, Space) and Escape kept the file and said so, Yes replaced or deleted it"

# 5. a script hides the console, waits, shows it again
# (the line typed ends a second wait, after which the canvas turns blue:
# the view shows it without anything else drawn)
printf 'title "hidden"\nhide console\nwait\nshow console\ntitle "shown"\nwait\ncvcolor 0 0 1\n' > "$dir/hide.geo"
type_line "cmd(\"open $dir/hide.geo\")"
titled hidden "the script"
xdotool key Return
titled shown "Enter during the script's wait"
type_line 'cmd("title typed")'
titled typed "a line typed after the script showed the console"
expect_blue 1
echo "after the script showed the console again the keyboard was the command line's, and the canvas it set showed"

# 5b. a scene that opens while a line is typed clears the console's output
# but not that line, nor moves its cursor, nor drops a selection in it,
# also one that reaches before it (Shift+Home takes the prompt, Shift+Up the
# line above), after which a letter typed goes to the line's end and
# BackSpace drops the selection, as without the open.
# Routes: a script's "open" line after a sleep, and a command from another
# program; output only printed, by a script and by another program, keeps
# them too.  A row: what is done first, the line typed, the keys that
# select (if any), how the scene opens or the output comes, the
# title after it, the keys that move the cursor, what is typed there, what
# then holds.  The scripts sleep long enough for the line to be typed and
# selected first.
printf 'title "db"\n' > "$dir/db.geo"
printf 'title "sleeping"\nsleep 2\nopen db.geo\n' > "$dir/sleeper.geo"
printf 'title "sleeping"\nsleep 2\nconsole printed = 7,\ntitle "printed"\n' > "$dir/printer.geo"
netport=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
type_line "add_net_port($netport)"
# another program sends the command $1
from_client() {
	timeout 10 python3 -c 'import socket, sys
socket.create_connection(("127.0.0.1", int(sys.argv[1]))).sendall(sys.argv[2].encode() + b"$")' "$netport" "$1"
}
# a script opened by a typed line, once it sleeps
scripted() {
	type_line "cmd(\"open $dir/$1\")"
	titled sleeping "the sleeping script $1"
}
select3="shift+Left shift+Left shift+Left"
while IFS='|' read -r before line select opens title keys typed check; do
	eval "$before"
	xdotool type --delay 20 "$line"
	[ -n "$select" ] && xdotool key $select
	eval "$opens"
	titled "$title" "the scene opened by '$before$opens'"
	[ -n "$keys" ] && xdotool key $keys
	type_line "$typed"
	type_line "if ($check) cmd(\"title typedwhole\");"
	titled typedwhole "the line typed while '$before$opens' ran ($line, $select, $keys, $typed)"
done <<ROWS
scripted sleeper.geo|typed = 1 + 2 + 3 + 4||:|db|Left Left Left Left Left|5 + |typed == 15
:|typed = 1 + 2 + 3 + 4||from_client 'cmd("open db.geo");'|db|Left Left Left Left Left|5 + |typed == 15
scripted sleeper.geo|sel = 100 + 200|$select3|:|db||5|sel == 105
:|sel = 100 + 200|$select3|from_client 'cmd("open db.geo");'|db||5|sel == 105
scripted printer.geo|sel = 100 + 200|$select3|:|printed||5|sel == 105
:|sel = 100 + 200|$select3|from_client 'printed = 7, cmd("title printed");'|printed||5|sel == 105
scripted sleeper.geo|sel = 100 + 200|shift+Home|:|db||5|sel == 2105
:|sel = 100 + 200|shift+Home|from_client 'cmd("open db.geo");'|db|BackSpace|5|sel == 305
scripted sleeper.geo|sel = 100 + 200|shift+Up|:|db||5|sel == 2105
scripted printer.geo|sel = 100 + 200|shift+Home|:|printed||5|sel == 2105
ROWS
echo "scenes opened and output printed by a script and by another program kept the line being typed, its cursor and its selection"

fi

if runs opens; then
# 6. opens of what holds no scene change nothing, on every route: a
# directory, an image (a NUL byte in its first block), a playlist without
# a "play" line of a file that can be opened (by the menu or a typed
# "open"), a replay of a file that became a directory, a screenshot (by
# the command or the dialog) over the open scene file; pipes are neither
# read (a ".g" file, a label's picture) nor written (Save State, a
# screenshot): nothing waits for them.  Save State (by the menu's keys, and
# by its letter) writes no scene under a playlist's name or a console
# source file's, in any case, which an open would read as that.  A file that is missing, in a
# missing folder or not permitted is refused on every route with its
# reason (the rows of what is not permitted are skipped as root, who may
# read and write anything).  A screenshot command replaces a PNG image
# without asking.  The session is a playlist's first entry and a variable;
# after each row the title is what it was, the bivector b still blue and
# q1 still 7.  A row: the keys that ask for the open, the chooser they
# show, the name typed into it (or the line typed, without a chooser), what
# happens first ("as_user" in front: not as root), what is waited for
# after, what the console's last line says.
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
	case $before in
	"as_user "*)
		if [ "$(id -u)" = 0 ]; then
			echo "row $row skipped: root may read and write any file"
			continue
		fi
		before=${before#as_user } ;;
	esac
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
||cmd("open $dir/missing.geo")|||GAfile::GAfile(): can not open '$dir/missing.geo': no such file or directory
||cmd("switchto $dir/nofolder/s.geo")|||GAfile::GAfile(): can not open '$dir/nofolder/s.geo': no such file or directory
||cmd("import $dir/missing.geo")|||GAfile::GAfile(): can not open '$dir/missing.geo': no such file or directory
alt+f Down Down Right Return|Open geo file: |$dir/missing.geo|||>> GAfile::GAfile(): can not open '$dir/missing.geo': no such file or directory
alt+o|open file: |$dir/missing.g|||>> state::consoleSourceFileRead(): can not read '$dir/missing.g': no such file or directory
||cmd("label nopic [e1] \"$dir/missing.png\" image");|||textObject::initImage(): could not load image '$dir/missing.png': no such file or directory
||cmd("label textpic [e1] \"$dir/words.gpl\" image");|||textObject::initImage(): could not load image '$dir/words.gpl': it is not a PNG image
alt+f Down Down Down Down Return|Save file|$dir/nofolder/s.geo|||>> Scene not saved: '$dir/nofolder/s.geo': no such file or directory
||screenshot("$dir/nofolder/x.png", 100, 100, 0);|||Screenshot not taken: '$dir/nofolder/x.png': no such file or directory
||cmd("open $dir/noread.geo")|as_user chmod 000 "$dir/noread.geo"||GAfile::GAfile(): can not open '$dir/noread.geo': permission denied
||cmd("import $dir/nox/s.geo")|as_user chmod 600 "$dir/nox"||GAfile::GAfile(): can not open '$dir/nox/s.geo': permission denied
alt+o|open file: |$dir/noread.g|as_user chmod 000 "$dir/noread.g"||>> state::consoleSourceFileRead(): can not read '$dir/noread.g': permission denied
||cmd("label picnr [e1] \"$dir/picnr.png\" image");|as_user cp "$dir/picture.png" "$dir/picnr.png"; chmod 000 "$dir/picnr.png"||textObject::initImage(): could not load image '$dir/picnr.png': permission denied
alt+f Down Down Down Down Return|Save file|$dir/ro.geo|as_user chmod 444 "$dir/ro.geo"||>> Scene not saved: '$dir/ro.geo': permission denied
alt+f Down Down Down Down Return|Save file|$dir/rodir/s.geo|as_user chmod 555 "$dir/rodir"||>> Scene not saved: '$dir/rodir/s.geo': permission denied
||screenshot("$dir/rodir/x.png", 100, 100, 0);|as_user chmod 555 "$dir/rodir"||Screenshot not taken: '$dir/rodir/x.png': permission denied
alt+o|open file: |$dir/nothing.gpl|||>> state::openPlayList(): '$dir/nothing.gpl' holds no 'play' line of a file that can be opened; the playlist stays as it was
alt+comma|||||>> state::setPlayListPos(): playlist position '0' is out of range
||cmd("open $dir/nothing.gpl")|||state::openPlayList(): '$dir/nothing.gpl' holds no 'play' line of a file that can be opened; the playlist stays as it was
alt+o|open file: |$dir/pipe.g|||>> state::consoleSourceFileRead(): can not read '$dir/pipe.g': it is not a regular file
alt+f Down Down Right Down Down Return|Open g file: |$dir/pipe.g|
||cmd("label pic [e1] \"$dir/pipe.png\" image");|||textObject::initImage(): could not load image '$dir/pipe.png': it is not a regular file
alt+f Down Down Down Down Return|Save file|$dir/pipe.geo|||>> Scene not saved: '$dir/pipe.geo' is not a regular file
||screenshot("$dir/pipe.png", 100, 100, 0);|||Screenshot not taken: '$dir/pipe.png' is not a regular file
||screenshot("$dir/scene.geo", 100, 100, 0);||file_begins "$dir/scene.geo" 'title "scene"'|Screenshot not taken: '$dir/scene.geo' is not a PNG image
|||shot_dialog "$dir/scene.geo"|file_begins "$dir/scene.geo" 'title "scene"'|>> Screenshot not taken: '$dir/scene.geo' is not a PNG image
||screenshot("$dir/again.png", 64, 48, 0);|cp "$dir/stub.png" "$dir/again.png"|png_sized "$dir/again.png" "64 48"|
alt+f Down Down Down Down Return|Save file|$dir/saved.gpl||file_gone "$dir/saved.gpl"|>> Scene not saved: '$dir/saved.gpl' is a playlist's name: every open plays a '.gpl' file as a playlist, never as a scene; save the scene as a '.geo' file
alt+f s|Save file|$dir/SAVED.GPL||file_gone "$dir/SAVED.GPL"|>> Scene not saved: '$dir/SAVED.GPL' is a playlist's name: every open plays a '.GPL' file as a playlist, never as a scene; save the scene as a '.geo' file
alt+f s|Save file|$dir/list.gpl||file_begins "$dir/list.gpl" "play scene.geo"|>> Scene not saved: '$dir/list.gpl' is a playlist's name: every open plays a '.gpl' file as a playlist, never as a scene; save the scene as a '.geo' file
alt+f Down Down Down Down Return|Save file|$dir/saved.g||file_gone "$dir/saved.g"|>> Scene not saved: '$dir/saved.g' is a console source file's name: Open reads a '.g' file as console source, never as a scene; save the scene as a '.geo' file
alt+f s|Save file|$dir/SAVED.G||file_gone "$dir/SAVED.G"|>> Scene not saved: '$dir/SAVED.G' is a console source file's name: Open reads a '.G' file as console source, never as a scene; save the scene as a '.geo' file
alt+f s|Save file|$dir/kept.g|cp "$dir/kept.g" "$dir/kept.before"|same_as "$dir/kept.before" "$dir/kept.g"|>> Scene not saved: '$dir/kept.g' is a console source file's name: Open reads a '.g' file as console source, never as a scene; save the scene as a '.geo' file
alt+r|||mv "$dir/scene.geo" "$dir/scene.old" && mkdir "$dir/scene.geo"
ROWS
echo "$row opens of what holds no scene kept the variable, the scene and the title"
fi

if runs playlists; then
# 6b. playlists on every route: a scene file's "open", "switchto" and
# console line of a playlist and "Open geo file" of one play it, and refuse
# one that plays only itself; a playlist plays the entries of another in
# its place; Next and Previous, by their keys and the menu, go on to the
# nearest entry that opens (an entry gone, a directory, the one deleted
# meanwhile) and stay on the scene shown when none does.  Extensions in
# capitals (".GPL", ".GEO", ".G") are read as in small letters on every
# route.  A file name that begins with a digit is read quoted; unquoted,
# its line says to quote it, and a playlist of such lines that its lines
# could not be read; what a playlist that plays says of its own lines (one
# not read, one empty, one that plays a playlist being read), and what a
# step says of the entries it passes over, shows in the console of the
# scene it opens, on every route, though that scene's first line clears
# the console.  The variable
# keep is 41 before each row; after it keep is still 41 (kept) or a new
# scene began (new).  A row: the keys, the chooser they show, the name
# typed into it (or the line typed, without a chooser), what is done first,
# the title after (empty: the one before), kept or new, what the console's
# last line says (its first line after a new scene, which cleared it).
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
printf 'title "caps"\n' > "$dir/pl/CAPS.GEO"
printf 'play CAPS.GEO\n' > "$dir/pl/UPPER.GPL"
printf 'play UPPER.GPL\n' > "$dir/pl/up.gpl"
printf 'cmd("title upg");\n' > "$dir/pl/UP.G"
printf 'title "outer"\n' > "$dir/pl/01-outer.geo"
printf 'title "conformal"\n' > "$dir/pl/02-conformal.geo"
printf 'title "motion"\n' > "$dir/04-motion.geo"
printf 'play 01-outer.geo\nplay 02-conformal.geo\n' > "$dir/pl/talk.gpl"
printf 'play "01-outer.geo"\nplay "02-conformal.geo"\n' > "$dir/pl/quoted.gpl"
printf 'title "third"\n' > "$dir/pl/03-third.geo"
printf 'play "01-outer.geo"\nplay 02-conformal.geo\nplay "03-third.geo"\n' > "$dir/pl/numbered.gpl"
printf 'open numbered.gpl\n' > "$dir/pl/opens.geo"
# scenes whose first line clears what the playlist said, one as a user
# writes it, one as Save State does, and a playlist of them with an empty
# line and an entry gone between them
printf 'clearconsole\ntitle "wipes"\n' > "$dir/pl/wipes.geo"
printf 'clear\ntitle "saved"\n' > "$dir/pl/saved.geo"
printf 'play wipes.geo\nplay\nplay gone2.geo\nplay saved.geo\n' > "$dir/pl/wiped.gpl"
printf 'open wiped.gpl\n' > "$dir/pl/opens-wiped.geo"
unread="state::openPlayList(): '$dir/pl/talk.gpl': its 'play' lines could not be read; the playlist stays as it was"
held="state::openPlayList(): '$dir/pl/self.gpl' holds no 'play' line of a file that can be opened; the playlist stays as it was"
folder="GAfile::GAfile(): can not open '$dir/pl/folder.geo': it is a directory"
# what a playlist that plays says of its own lines, in the console of the
# scene it opens
numbered="warning: GAfile::parseLine(): file '$dir/pl/numbered.gpl': invalid 'play' entry at line '2': '02-conformal.geo' begins with a digit; quote the file's name: \"02-conformal.geo\""
empty="warning: GAfile::parseLine(): file '$dir/pl/wiped.gpl': invalid 'play' entry at line '2': the line is empty after 'play': it names no file"
gone2="GAfile::GAfile(): can not open '$dir/pl/gone2.geo': no such file or directory"
looped="state::openPlayList(): '$dir/pl/inner.gpl' plays '$dir/pl/outer.gpl', which is being read: that line is skipped, else the playlist would never end"
# the y of the first line of a console that a new scene cleared, below
# its blank line
first_line=505
step=0
while IFS='|' read -r keys chooser name before title keep says; do
	step=$((step + 1))
	type_line "keep = 41"
	# lines enough to fill the console that a new scene cleared
	[ -n "$says" ] && type_line "for(i=0;i<12;i=i+1){f=i,}"
	[ -n "$before" ] && eval "$before"
	keys_then_name "$keys" "$chooser" "$name" "playlist row $step"
	titled "${title:-$last}" "playlist row $step ($keys $name)"
	[ -n "$says" ] && says "$says" "playlist row $step ($keys $name)" $([ "$keep" = new ] && echo "$first_line")
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
||cmd("open $dir/pl/outer.gpl")||five|new|>> $looped
alt+comma|||||kept|>> $folder
alt+f Down Down Down Down Down Down Down Return|||||kept|>> $folder
alt+period||||six|new|
alt+comma||||five|new|
alt+f Down Down Down Down Down Down Return|||rm -r "$dir/pl/six.geo" && mkdir "$dir/pl/six.geo"||kept|GAfile::GAfile(): can not open '$dir/pl/six.geo': it is a directory
alt+comma|||||kept|>> $folder
alt+o|open file: |$dir/pl/UPPER.GPL||caps|new|
alt+o|open file: |$dir/pl/CAPS.GEO||caps|new|
alt+o|open file: |$dir/pl/UP.G||upg|kept|
alt+f Down Down Right Return|Open geo file: |$dir/pl/UPPER.GPL||caps|new|
alt+f Down Down Right Down Return|Open gpl file: |$dir/pl/up.gpl||caps|new|
||cmd("open $dir/pl/up.gpl")||caps|new|
||cmd("import $dir/pl/UPPER.GPL")|||kept|Not imported: '$dir/pl/UPPER.GPL': it is a playlist; 'open' plays it
||cmd("open $dir/pl/talk.gpl")|||kept|$unread
alt+o|open file: |$dir/pl/talk.gpl|||kept|>> $unread
||cmd("open 04-motion.geo");|||kept|warning: GAfile::parseLine(): file 'virtual console file.geo': invalid 'open' entry at line '0': '04-motion.geo' begins with a digit; quote the file's name: "04-motion.geo"
||cmd("open \\"04-motion.geo\\"")||motion|new|
alt+f Down Down Right Down Return|Open gpl file: |$dir/pl/quoted.gpl||outer|new|
alt+period||||conformal|new|
alt+f Down Down Right Return|Open geo file: |$dir/pl/numbered.gpl||outer|new|>> $numbered
alt+f Down Down Right Down Return|Open gpl file: |$dir/pl/numbered.gpl||outer|new|>> $numbered
alt+o|open file: |$dir/pl/numbered.gpl||outer|new|>> $numbered
||cmd("open $dir/pl/numbered.gpl")||outer|new|>> $numbered
||cmd("open $dir/pl/opens.geo")||outer|new|>> $numbered
alt+f Down Down Right Return|Open geo file: |$dir/pl/wiped.gpl||wipes|new|>> $empty
alt+f Down Down Right Down Return|Open gpl file: |$dir/pl/wiped.gpl||wipes|new|>> $empty
alt+o|open file: |$dir/pl/wiped.gpl||wipes|new|>> $empty
||cmd("open $dir/pl/opens-wiped.geo")||wipes|new|>> $empty
||cmd("open $dir/pl/wiped.gpl")||wipes|new|>> $empty
alt+period||||saved|new|>> $gone2
alt+comma||||wipes|new|>> $gone2
space Escape|||xdotool key alt+u; top_window full > /dev/null|saved|new|>> $gone2
ROWS
echo "$step playlist rows played good playlists on every route and stepped to the nearest entry that opens"
# the command line's -f and -l: the program starts untitled, not as after
# a file's start ("Korimbel: untitled"), when what is named holds no scene,
# and with the title of its first scene when it plays a playlist
# and its console's first line says what the playlist said of its lines
# (when a third column is given; the pointer on its window gives it the
# keys)
while IFS='|' read -r option expected said; do
	"$korimbel" $option > /dev/null 2>&1 &
	other=$!
	title=""
	for i in $(seq 1 200); do
		w=$(xdotool search --maxdepth 1 --pid $other 2>/dev/null | head -n 1)
		[ -n "$w" ] && title=$(xdotool getwindowname "$w" 2>/dev/null) && [ "$title" = "$expected" ] && break
		sleep 0.05
	done
	sleep 0.3
	[ -n "$w" ] && title=$(xdotool getwindowname "$w" 2>/dev/null)
	if [ -n "$said" ] && [ -n "$w" ]; then
		main=$window
		window=$w
		says "$said" "korimbel $option" "$first_line"
		window=$main
	fi
	kill $other 2>/dev/null
	wait $other 2>/dev/null
	[ "$title" = "$expected" ] || fail "korimbel $option: the title is '$title', not '$expected'"
done <<ROWS
-f $dir/folder.geo|Korimbel
-f $dir/picture.png|Korimbel
-l $dir/words.gpl|Korimbel
-l $dir/picture.geo|Korimbel
-f $dir/pl/self.gpl|Korimbel
-f $dir/pl/list5.gpl|Korimbel: five
-l $dir/pl/outer.gpl|Korimbel: five
-f $dir/pl/UPPER.GPL|Korimbel: caps
-l $dir/pl/up.gpl|Korimbel: caps
-l $dir/pl/talk.gpl|Korimbel
-l $dir/pl/quoted.gpl|Korimbel: outer
-f $dir/pl/numbered.gpl|Korimbel: outer|>> $numbered
-l $dir/pl/numbered.gpl|Korimbel: outer|>> $numbered
-f $dir/pl/wiped.gpl|Korimbel: wipes|>> $empty
-l $dir/pl/wiped.gpl|Korimbel: wipes|>> $empty
ROWS
echo "-f and -l of what holds no scene started the program untitled, of a playlist with its first scene"
fi

if runs keys; then
# ---- 7. keys and focus ------------------------------------------------------
# Each row does what a user does with the keys and the mouse; the title
# shows what came of it.
type_line 'dynamic{d1: v1 = w1 + 1;}'
type_line 'dynamic{d2: v2 = w2 + 1;}'
type_line 'w1 = 1; w2 = 1; copiedname = e1,'
# the Dynamic statements window (Alt+D, the first item): Space presses
# close, and so it does after a click on the first row's "remove", and
# after a statement added to the first row's text (then d2's) and a click
# on its "update".  Then a statement cut short, updated by a click (parse)
# or by "Yes" (Return) to the question on closing with Escape (closing):
# once the "Parse error" box is closed with Return, the rest
# typed goes on into the statement, and it updates.  Then a statement
# typed at its end and a click on close: the question answered "Yes" with
# Return (yes) puts it in force, "No" with Tab and Space (no) drops it, and
# the window closes.
# "update" of the first row, or Escape or a click on close (the window's
# last 25 pixels), then the answer to the question
update_row() {
	case $click in
	closing) xdotool key Escape ;;
	yes | no)
		height=$(xdotool getwindowgeometry "$dyn" | sed -n 's/.*Geometry: [0-9]*x//p')
		xdotool mousemove --window "$dyn" 300 $((height - 12)) click 1 ;;
	*)
		xdotool mousemove --window "$dyn" 55 70 click 1
		return ;;
	esac
	answer=Return
	[ $click = no ] && answer="Tab space"
	box=$(untitled_box) || fail "no question on closing the Dynamic statements window ($click)"
	xdotool key $answer
	gone "$box" "the question on closing the Dynamic statements window ($click)"
}
for click in none remove update parse closing yes no; do
	xdotool key alt+d Down Return
	dyn=$(window_named "Dynamic statements:") || fail "no Dynamic statements window"
	[ $click = remove ] && xdotool mousemove --window "$dyn" 55 45 click 1
	case $click in
	update) added=' v3 = w2 + 2;' ;;
	parse) added=' v4 = w2 +' rest=' 3;' ;;
	closing) added=' v5 = w2 +' rest=' 4;' ;;
	yes) added=' v6 = w2 + 5;' ;;
	no) added=' v6 = w2 + 7;' ;;
	*) added='' ;;
	esac
	if [ -n "$added" ]; then
		xdotool mousemove --window "$dyn" 300 45 click 1 key ctrl+End
		xdotool type --delay 20 "$added"
		update_row
	fi
	if [ $click = parse ] || [ $click = closing ]; then
		box=$(untitled_box) || fail "no Parse error box ($click)"
		xdotool key Return
		gone "$box" "the Parse error box ($click)"
		xdotool type --delay 20 "$rest"
		update_row
	fi
	case $click in
	closing | yes | no) ;;
	*) xdotool key space ;;
	esac
	gone "$dyn" "the Dynamic statements window (click: $click)"
done
type_line 'w1 = 5; w2 = 5;'
type_line 'if (v1 == 2 && v2 == 6 && v3 == 7 && v4 == 8 && v5 == 9 && v6 == 10) cmd("title dynamic");'
titled dynamic "the dynamic statements after Space, a click on remove, updates, parse errors and the question on closing"
echo "Space in the Dynamic statements window pressed close, a click removed one statement, one updated another; after a parse error the keys went on into the statement; after the question on closing the command line had the keys"
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
xdotool type --delay 20 '                z = 7; w = "'
for i in $(seq 1 40); do xdotool key ctrl+v; done
inked 642 360 350 "the command line of 40,000 letters, around the cursor,"
# Home: the blanks typed first show (the cursor stands before them), and
# the prompt in front of them
xdotool key Home
blank 642 44 22 "the blanks at the start of the command line after Home"
inked 642 8 20 "the prompt after Home"
xdotool key End
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
# picked names, a table: a vector made under a name (as typed), from the
# view's centre down to the left, picked with Ctrl and the middle button
# on its shaft between two texts typed on the command line (which make a
# scalar, drawn nowhere); the line's check sets the title.  A name that is no plain identifier is typed
# quoted, a plain one as it is.
row=0
while IFS='|' read -r name before after check; do
	row=$((row + 1))
	type_line "$name = -3*e1 - 2*e2"
	xdotool type --delay 20 "$before"
	xdotool mousemove --window "$window" $((x - 151)) $((y + 99)) keydown ctrl click 2 keyup ctrl
	type_line "$after"
	type_line "if ($check) cmd(\"title picked$row\"); remove($name);"
	titled "picked$row" "the picked name $name between '$before' and '$after'"
done <<ROWS
"arrow 1.5"|x1 = 2*| . e1,|x1 == -6
"q\"t"|x1 = 3*| . e1;|x1 == -9
"2b"|x1 = 4*| . e1;|x1 == -12
plain_1|q|z = 5;|qplain_1z == 5
ROWS
echo "$row picked names were typed as the console reads them"
# the Dynamic statements window follows the list, a table.  Each row
# starts from s = 0 and the statements a (x = s + 1) and b (y = s + 2),
# typed, or given by a script, which then sleeps, changes them and sets the
# title "changed" (w:changed waits for it).  Steps in the window: "eN:" a
# text typed at the end of row N, "rN:" over its text, "uN" a click on its
# "update", "n:" commands a client sends, each row's change in force once
# the title it sends after shows; esc and close (a click) close the
# window, yes and no answer its question.  Then the window has closed, the console's last line says
# what came last (but after the script, which cleared it), and with s = 1
# the check holds.
netport=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
type_line "add_net_port($netport)"
printf '%s\n' 'title "sleeping"' 'console cld(); s = 0; dynamic{a: x = s + 1,} dynamic{b: y = s + 2,}' 'sleep 2' \
	'console cld(a); dynamic{q = s + 7,}' 'title "changed"' > "$dir/changes.geo"
# waits until the main window's title is "Korimbel: $1", also while
# another window has the keyboard, else fails with $2
retitled() {
	for i in $(seq 1 200); do
		[ "$(xdotool getwindowname "$window" 2>/dev/null)" = "Korimbel: $1" ] && return 0
		sleep 0.05
	done
	fail "$2: the title is not '$1'"
}
row=0
set -f
while IFS='|' read -r script steps said check; do
	row=$((row + 1))
	if [ -n "$script" ]; then
		type_line "cmd(\"open $dir/$script\")"
		titled sleeping "follow row $row: the script $script"
	else
		type_line 'cld(); s = 0; dynamic{a: x = s + 1,} dynamic{b: y = s + 2,}'
	fi
	xdotool key alt+d Down Return
	dyn=$(window_named "Dynamic statements:") || fail "follow row $row: no Dynamic statements window"
	for step in $steps; do
		# the height of row N's text, for the steps that name one
		n=$(printf '%s' "${step%%:*}" | tr -cd 0-9)
		at=$((45 + 91 * (${n:-1} - 1)))
		case $step in
		e*:* | r*:*)
			xdotool mousemove --window "$dyn" 300 $at click 1
			case $step in e*) xdotool key ctrl+End ;; *) xdotool key ctrl+a ;; esac
			xdotool type --delay 20 "${step#*:}" ;;
		u*) xdotool mousemove --window "$dyn" 55 $((at + 25)) click 1 ;;
		n:*)
			# connected until the row ends: its leaving prints a line
			timeout 60 python3 -c 'import socket, sys, time
c = socket.create_connection(("127.0.0.1", int(sys.argv[1])))
c.sendall(sys.argv[2].encode())
time.sleep(50)' "$netport" "${step#n:}\$cmd(\"title sent$row\");\$" &
			client=$!
			retitled "sent$row" "follow row $row: the client's commands" ;;
		w:*) retitled "${step#w:}" "follow row $row: the script's change" ;;
		esc) xdotool key Escape ;;
		close)
			height=$(xdotool getwindowgeometry "$dyn" | sed -n 's/.*Geometry: [0-9]*x//p')
			xdotool mousemove --window "$dyn" 300 $((height - 12)) click 1 ;;
		yes | no)
			box=$(untitled_box) || fail "follow row $row: no question on closing"
			case $step in yes) xdotool key Return ;; *) xdotool key Tab space ;; esac
			gone "$box" "follow row $row: the question on closing" ;;
		*) xdotool key "$step" ;;
		esac
	done
	gone "$dyn" "follow row $row: the Dynamic statements window"
	[ -z "$said" ] || says ">> $said" "follow row $row"
	type_line "s = 1;"
	type_line "if ($check) cmd(\"title followed$row\");"
	titled "followed$row" "follow row $row: $check"
	kill $client 2> /dev/null
	client=""
done <<ROWS
|n:cld(a);\$dynamic{c:q=s+7,} r2:q=s+8, u2 space|Update successful|x == 1 && y == 3 && q == 9
|e1:x2=5, n:cld(a); u1 esc yes|Not updated: dynamic statement 'a' was removed meanwhile.|x == 1 && y == 3
|e1:x2=s+5, n:dynamic{a:x=s+10,} u2 space|Update successful|x == 2 && x2 == 6 && y == 3
|e2:y2=s+3, n:dynamic{c:q=s+7,} close yes|Update successful|y == 3 && y2 == 4 && q == 8
changes.geo|w:changed r2:q=s+8, u2 space||x == 1 && y == 3 && q == 9
ROWS
set +f
echo "$row rows: the Dynamic statements window followed the statements a client or a script changed, kept the edits, and said when one was gone"
fi

if runs pastes; then
# a dynamic statement for the Dynamic statements window to show, and lines
# enough to fill the console, so that the command line is its last line,
# where the rows look for ink
type_line 'dynamic{d1: v1 = w1 + 1;}'
type_line "w1 = 1; for(i=0;i<12;i=i+1){f=i,}"
# pastes from another program, a table: a command "pz = 0 + 1 + 1 ..." of
# a number of terms (4 bytes each) and 100 m's, held by xclip as the
# clipboard or the primary selection, pasted with Ctrl+V or the middle
# button (at a point of the window) into the command line, or into a
# window opened with keys (its title): a chooser's field or a dynamic
# statement, the window closed with Escape after; and
# what comes of it: the command whole, its m's drawn around the cursor and
# run; or refused over 4 MiB, which the console says.  The program runs on
# after each.
row=0
while IFS='|' read -r selection terms keys title paste result; do
	row=$((row + 1))
	python3 -c 'import sys; sys.stdout.write("pz = 0" + " + 1" * int(sys.argv[1]) + "; " + "m" * 100)' "$terms" > "$dir/paste"
	bytes=$(wc -c < "$dir/paste")
	"$xclip" -quiet -selection "$selection" -i "$dir/paste" 2> /dev/null &
	holder=$!
	# xclip holds the text once the selection reads as it: before, a paste
	# would find the last copy, or nothing
	for i in $(seq 1 100); do
		[ "$(timeout 5 "$xclip" -o -selection "$selection" 2> /dev/null | head -c 6)" = "pz = 0" ] && break
		sleep 0.1
	done
	target=$window
	if [ -n "$keys" ]; then
		# over the view's top, so that the window opens above the console
		xdotool mousemove --window "$window" 362 100
		xdotool key $keys
		target=$(window_named "$title") || fail "row $row: no window '$title'"
	fi
	case $paste in
	ctrl+v) xdotool key ctrl+v ;;
	*) xdotool mousemove --window "$target" $paste click 2 ;;
	esac
	if [ $result = whole ]; then
		inked 642 360 350 "row $row: the pasted command around the cursor" 300
		xdotool key Return
		type_line "if (pz == $terms) cmd(\"title pasted$row\");"
		titled "pasted$row" "row $row: the pasted command of $terms terms"
	else
		# the text is read whole before it is refused: the message shows
		# (before that, a copy would take the clipboard from xclip)
		inked 625 300 250 "row $row: the console's line above the command line" 300
		if [ "$target" != "$window" ]; then
			xdotool key Escape
			gone "$target" "row $row: the window pasted into"
		fi
		says ">> Paste refused: $bytes bytes, more than the 4194304 bytes a paste may hold" "row $row"
	fi
	kill $holder 2> /dev/null
	wait $holder 2> /dev/null
	type_line "cmd(\"title runs$row\");"
	titled "runs$row" "row $row: the program after the paste"
done <<ROWS
clipboard|750000|||ctrl+v|whole
primary|750000|||300 642|whole
clipboard|1100000|||ctrl+v|refused
primary|1100000|alt+d Down Return|Dynamic statements:|300 45|refused
clipboard|1100000|alt+o|open file: |ctrl+v|refused
ROWS
echo "$row pastes from another program ran whole or were refused, and the program ran on"
# pastes one after another and whole, or refused and changing nothing, a
# table.  Each row starts from pz = 0, pk = 0 and the one dynamic statement
# "qv=qw+1;" (qw = 1).  xsel holds the texts of two Python expressions as
# the clipboard and the primary selection (none when empty); keys open the
# window pasted into (its title; none: the command line).  Steps are keys,
# "t:" a text typed, "c:x,y" and "m:x,y" a click of the left and the middle
# button in that window, "=F" what was copied is what file F holds.  The
# steps that paste; once the line "y x w" of that window has ink (the last
# paste has come), or for a row with a message the console's line above
# the command line, the steps that end the paste and close the window; the
# console's line then says the message; the steps typed in the command
# line in front of what sets the title.  Ctrl+V twice, or Ctrl+V and the
# middle button, paste two whole texts, one after the other; a refused
# paste leaves the field and its selection as they were; one that comes
# replaces the selection; a chooser refuses a paste longer than its field
# holds, and takes one it holds, a "$" in it the name's own.
xsel=$(command -v xsel) || fail "no xsel"
# xsel holds the text of the Python expression $2 as the selection -$1 (b:
# the clipboard, p: the primary selection), once xsel answers for it.  No
# reader takes the text from xsel first: xsel dies of an error when a
# reader's window goes before xsel is done with it, which a reader that
# ends once it has the text may do, and the text goes with it.  xsel, and
# no other program, offers the form "DELETE".
hold() {
	[ -n "$2" ] || return 0
	python3 -c "import sys; sys.stdout.write($2)" > "$dir/held$1"
	"$xsel" --nodetach -$1 -i < "$dir/held$1" 2> /dev/null &
	holder="$holder $!"
	case $1 in b) held_as=clipboard ;; *) held_as=primary ;; esac
	for i in $(seq 1 100); do
		timeout 5 "$xclip" -o -selection $held_as -t TARGETS 2> /dev/null | grep -qx DELETE && return 0
		sleep 0.1
	done
	fail "xsel row $row: xsel does not hold $2"
}
# waits until what was copied (read with xclip) is what file $1 holds
copied() {
	for i in $(seq 1 20); do
		timeout 5 "$xclip" -o -selection clipboard 2> /dev/null | cmp -s - "$1" && return 0
		sleep 0.25
	done
	fail "xsel row $row: what was copied is not what $1 holds"
}
# the steps $2... in window $1
steps() {
	w=$1
	shift
	for step in "$@"; do
		case $step in
		t:*) xdotool type --delay 20 "${step#t:}" ;;
		c:*) at=${step#c:} && xdotool mousemove --window "$w" ${at%,*} ${at#*,} click 1 ;;
		m:*) at=${step#m:} && xdotool mousemove --window "$w" ${at%,*} ${at#*,} click 2 ;;
		=*) copied "$dir/${step#=}" ;;
		*) xdotool key "$step" ;;
		esac
	done
}
printf 'pk = 1;\n' > "$dir/kept.g"
mkdir -p "$dir/e\$HOME"
printf 'pk = 2;\n' > "$dir/e\$HOME/p.g"
printf '%s' "$dir/kept.g" > "$dir/kept"
printf 'qv = qw + 1;' > "$dir/statement"
printf 5 > "$dir/five"
# a text of 1 MB, drawn dark from the left edge: "mmm... = 1; pz = pz + 1 ..."
sum='"m" * 100 + " = 1; pz = pz" + " + 1" * 250000 + ";\n"'
row=0
set -f
while IFS='|' read -r clipboard primary keys title paste ink then message check; do
	row=$((row + 1))
	xdotool mousemove --window "$window" 362 100
	# (lines too short to reach where a message is waited for)
	type_line 'cld(); pz=0; pk=0; qw=1;'
	type_line 'dynamic{dp: qv=qw+1;}'
	holder=""
	hold b "$clipboard"
	hold p "$primary"
	target=$window
	if [ -n "$keys" ]; then
		xdotool key $keys
		target=$(window_named "$title") || fail "xsel row $row: no window '$title'"
	fi
	steps "$target" $paste
	if [ -n "$ink" ]; then
		inked $ink "xsel row $row: the line of the last paste" 300 "$target"
	elif [ -n "$message" ]; then
		inked 625 300 250 "xsel row $row: the console's line above the command line" 300
	fi
	steps "$target" $then
	[ "$target" = "$window" ] || gone "$target" "xsel row $row: the window pasted into"
	[ -z "$message" ] || says ">> $message" "xsel row $row"
	steps "$window" $check
	type_line "cmd(\"title xsel$row\");"
	titled "xsel$row" "xsel row $row: what was pasted"
	# gone before the next row's holders take the selections ("wait"
	# without a holder would wait for the program)
	if [ -n "$holder" ]; then
		kill $holder 2> /dev/null
		wait $holder 2> /dev/null
	fi
done <<ROWS
$sum||||ctrl+v ctrl+v|608 360 350|Return||t:if(pz==500000)
$sum|$sum|||ctrl+v m:300,642|608 360 350|Return||t:if(pz==500000)
$sum||alt+d Down Return|Dynamic statements:|c:300,45 ctrl+v ctrl+v|36 300 250|c:55,70 space||t:if(pz==500000)
$sum|$sum|alt+d Down Return|Dynamic statements:|c:300,45 ctrl+v m:300,55|36 300 250|c:55,70 space||t:if(pz==500000)
"x" * 4194305||alt+d Down Return|Dynamic statements:|c:300,45 ctrl+a ctrl+v||ctrl+c =statement Escape|Paste refused: 4194305 bytes, more than the 4194304 bytes a paste may hold|t:qw=5; Return t:if(qv==6)
"m" * 100 + " = 1; qv = qw" + " + 1" * 25000 + ";"||alt+d Down Return|Dynamic statements:|c:300,45 ctrl+a ctrl+v|19 300 250|ctrl+a ctrl+c =heldb c:55,70 space||t:qw=7; Return t:if(qv==25007)
"x" * 4194305||||t:pz=5 shift+Left ctrl+v||ctrl+c =five|Paste refused: 4194305 bytes, more than the 4194304 bytes a paste may hold|End t:;if(pz==5)
"1" + " + 1" * 99999 + "; " + "m" * 100||||t:pz=5 shift+Left ctrl+v|642 360 350|End t:; Return||t:if(pz==100000)
"x" * 1000007||alt+f Down Down Right Down Down Return|Open g file: |t:$dir/kept.g ctrl+a ctrl+v||ctrl+c =kept Escape|Paste refused: 1000007 bytes would make the field longer than the 32767 bytes it may hold|t:if(pk==0)
||alt+f Down Down Right Down Down Return|Open g file: |t:$dir/kept.g ctrl+a ctrl+c t:$dir/none.g ctrl+a ctrl+v||Return||t:if(pk==1)
"$dir/e\$HOME/p.g"||alt+f Down Down Right Down Down Return|Open g file: |ctrl+a ctrl+v||Return||t:if(pk==2)
ROWS
set +f
echo "$row pastes from xsel came one after another and whole, or were refused and changed nothing"

fi

if runs choosers || runs longnames; then
# ---- 8. the choosers ----------------------------------------------------------
# In each folder: a plain one, one with "$" in its name, which the toolkit
# would take for a variable, and one whose absolute name is longer than the
# toolkit's buffers of 2048 bytes hold (nested folders, within the 4096
# bytes of a path), typed faster.  Each row: the keys that open a chooser,
# its title, the bare name typed after Ctrl+A and the keys after it (a
# directory chooser enters the directory named with the first Return,
# takes it with the second), and what shows that the name was taken: a
# file that begins with "clear", or the title (with the folder's number).
long=$dir/long
for i in $(seq 1 9); do long=$long/$(printf "l%.0s" $(seq 1 250)); done
case $part in
choosers) set -- "$dir/choose" "$dir/d\$1" ;;
longnames) set -- "$long" ;;
*) set -- "$dir/choose" "$dir/d\$1" "$long" ;;
esac
n=0
for folder in "$@"; do
n=$((n + 1))
delay=20
[ ${#folder} -gt 2048 ] && delay=1
mkdir -p "$folder/gdir"
printf 'title "chosen%s"\n' $n > "$folder/chosen.geo"
printf 'title "picked%s"\n' $n > "$folder/picked.geo"
printf 'title "listed%s"\n' $n > "$folder/listed.geo"
printf 'play listed.geo\n' > "$folder/list.gpl"
printf 'cmd("title gfile%s");\n' $n > "$folder/funcs.g"
printf 'cmd("title gdir%s");\n' $n > "$folder/gdir/all.g"
while IFS='|' read -r keys title name then check what; do
	xdotool key $keys
	chooser=$(window_named "$title") || fail "no chooser '$title'"
	xdotool type --delay $delay "$folder/"
	xdotool key ctrl+a
	xdotool type --delay 20 "$name"
	xdotool key $then
	gone "$chooser" "the chooser '$title' in folder $n"
	case $check in
	file) file_begins "$folder/$what" clear ;;
	title) titled "$what$n" "the chooser '$title' with $name in folder $n" ;;
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
xdotool type --delay $delay "$folder/"
xdotool key ctrl+a
type_line shot.png
gone "$chooser" "the screenshot chooser in folder $n"
xdotool mousemove --window "$dialog" 55 117 click 1
for i in $(seq 1 200); do
	[ -s "$folder/shot.png" ] && break
	sleep 0.05
done
[ -s "$folder/shot.png" ] || fail "no screenshot in $folder/shot.png"
done
echo "every chooser took a bare name typed after Ctrl+A in the directory it showed"
fi
exit 0
