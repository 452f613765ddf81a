# A short presentation: objects in colours, a wait for the user (press
# Enter), sleeps, the camera moving and turning, and an imported part.

# It starts clean, whatever was played before: without the console
# controls and the variables they left, in the program's first colours.
clearconsole
clear
bgcolor 0.7 0.7 0.7 1
olcolor 0 0 0 1

title "demo: objects"
status "three vectors; press Enter to go on"
fgcolor r
e3ga e1 [e1] orientation
fgcolor g
e3ga e2 [e2] orientation
fgcolor b
e3ga e3 [e3] orientation
wait

title "demo: motion"
status "their outer product, while the camera moves and turns"
fgcolor 1 0.5 0 0.7
e3ga plane [e1^e2]
sleep 1
camtrl 2 [0.5*e1 + 0.5*e2]
sleep 2
camrot 2 [0.2*e1^e3]
sleep 2

# the imported part draws a vector of the length it is given
import part.geo "1.5"

title "demo: end"
status "the plane fades away"
fade_and_hide plane 1 0
sleep 1
bookmark
