#!/bin/sh
# Starts Korimbel on the X display with a playlist of two scripts and a
# missing one between them, and drives it as a user would: in full-screen
# mode (Alt+U) the keys are the window's whatever had the focus, so Space
# plays the next entry that opens and nothing typed lands on the hidden
# console's command line; the first script asks before it is deleted, and
# the Space that steps on answers "No", the default, so the file stays;
# then "&Save State" writes the
# file whose bare name is typed into its chooser, and "&Open" brings the
# saved scene back.
#
#   fullscreen_save.sh KORIMBEL XGRAB
#
# Run it on a virtual X server (tests/support/onxvfb.sh).
set -u
korimbel=$1
xgrab=$2
here=$(cd "$(dirname "$0")" && pwd)
top=$(mktemp -d)
# the program starts in the scratch directory, where its choosers start: a
# folder with "$" in its name, which the toolkit would take for a variable,
# and a name longer than the toolkit's buffers of 2048 bytes hold (nested
# folders, within the 4096 bytes of a path)
dir=$top/e\$HOME
for i in $(seq 1 9); do dir=$dir/$(printf "l%.0s" $(seq 1 250)); done
mkdir -p "$dir"
cd "$dir"
printf 'title "first"\ndelete ask "Remove %%s now?"\n' > first.geo
printf 'title "second"\n' > second.geo
# an entry gone between them: Space goes on to the next that opens
printf 'play "first.geo"\nplay "gone.geo"\nplay "second.geo"\n' > list.gpl
options="-l list.gpl"
. "$here/startprogram.sh"
trap 'kill $pid 2>/dev/null; rm -rf "$out" "$top"' EXIT

# 1. full screen: "//" would make a comment of the next command if it
# reached the console's command line, and Enter there would run it
window=$(window_named "Korimbel: first") || fail "the playlist did not start"
xdotool key alt+u
screen=$(top_window full) || fail "Alt+U: no full-screen window"
focus "$screen"
xdotool type --delay 20 "//"
xdotool key Return space
# the question as the first entry is left; Space again answers it
box=$(untitled_box "$screen") || fail "Space in full screen: no question before first.geo goes"
xdotool key space
gone "$box" "the question after Space"
xdotool key Escape
window=$(window_named "Korimbel: second") || fail "Space in full screen did not play the next entry"
[ "$(head -n 1 first.geo 2>/dev/null)" = 'title "first"' ] || fail "Space answered Yes: first.geo was deleted"
focus "$window"
# the command line is empty: the line typed now runs as it is
type_line "a = e1 ^ e2"
expect_blue 1
echo "in full screen Space played the next entry and answered No to deleting the first; the console's command line stayed empty"

# 2. "&Save State" (Alt+F, the fourth item) with a bare name typed into
# its chooser; the file is written in the directory the chooser shows.  No
# file there begins with the name's first letter, which the chooser would
# complete.
xdotool key alt+f Down Down Down Down Return
chooser=$(window_named "Save file") || fail "no Save State chooser"
focus "$chooser"
type_line "myscene.geo"
for i in $(seq 1 100); do
	[ -s "$dir/myscene.geo" ] && break
	sleep 0.05
done
[ -s "$dir/myscene.geo" ] || fail "no $dir/myscene.geo; the directory holds: $(ls "$dir")"
# the scene goes, and comes back from the saved file through "&Open"
focus "$window"
type_line "remove(a)"
expect_blue 0
xdotool key alt+o
chooser=$(window_named "open file: ") || fail "no Open chooser"
focus "$chooser"
type_line "myscene.geo"
expect_blue 1
echo "Save State wrote myscene.geo, which opened again"
exit 0
