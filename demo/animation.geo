# An animation: dynamic statements that read the animation clock atime, a
# camera that moves back and turns while they play, and a fade. The menu
# Dynamic starts, pauses and stops the clock too; Utils > Search for next
# bookmark (Alt+b) jumps to the end at once.
#
#   tools/run.sh -f demo/animation.geo

# It starts clean, whatever was played before: without the console
# controls and the variables they left, in the program's first colours.
clearconsole
clear
fgcolor r
bgcolor 0.7 0.7 0.7 1
olcolor 0 0 0 1

title "animation"
eyepos [7*e3]

console C = c3ga_point(1.5, 0, 0) ^ c3ga_point(0, 1.5, 0) ^ c3ga_point(-1.5, 0, 0),
console start_animation();
console dynamic{orbit: p = c3ga_point(1.5 cos(atime), 1.5 sin(atime), 0), r = 0.3 + 0.1 sin(3 atime); ball = dual(p - 0.5 r r ni),}
# after the console lines: the values they show take the status line
status "a point runs round the circle C, a pulsing sphere with it"
sleep 3

status "the camera moves back for two seconds"
camtrl 2 [1.5*e3]
sleep 2

status "and turns for three"
camrot 3 [0.3*e2^e3 + 0.1*e1^e2]
sleep 3

status "the circle fades away"
fade_and_hide C 2 0
sleep 2
status "the end: Dynamic > Stop animation stops the clock; File > Replay (Alt+r) plays it all again"
bookmark
