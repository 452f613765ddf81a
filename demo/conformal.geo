# Intersections in c3ga, the conformal model: a sphere, a plane and a line,
# and what the meet (&) makes of each pair: a circle, a point pair, a flat
# point. The line follows its two points: drag p or q with Ctrl and the right
# mouse button. Press Enter (or the "pause" button) at every wait.
#
#   tools/run.sh -f demo/conformal.geo

# It starts clean, whatever was played before: without the console
# controls and the variables they left, in the program's first colours.
clearconsole
clear
fgcolor r
bgcolor 0.7 0.7 0.7 1
olcolor 0 0 0 1

title "conformal intersections"
eyepos [8*e3]
eyeori [-0.5*e2^e3 + 0.3*e3^e1]
# numbers and e1, e2, e3 are conformal values from here on
console default_model(c3ga)
# Each step's status line comes after its console lines: a value the console
# shows becomes the current object, whose description would replace the text.

console S = dual(no - 0.5 ni),
status "a sphere of radius 1 about the origin: the dual of no - 0.5 ni; press Enter"
wait

console Pl = alpha(cyan(dual(e3 + 0.5 ni)), 0.3),
console K = S & Pl,
fgcolor k
label "K label" K "K" dynamic
status "the plane z = 0.5, the dual of e3 + 0.5 ni, meets the sphere in the circle K = S & Pl; press Enter"
wait

console p = c3ga_point(-1.5, 0.7, -0.6), q = c3ga_point(1.5, 0.7, 1.2),
console dynamic{line: L = p ^ q ^ ni, PP = L & S, F = L & Pl,}
label "p label" p "p" dynamic
label "q label" q "q" dynamic
label "F label" F "F" dynamic
status "the line L through p and q meets the sphere in the point pair PP = L & S, the plane in the flat point F = L & Pl; press Enter"
wait

console S2 = dual(c3ga_point(0.6, -0.6, -0.4) - 0.32 ni),
console K2 = S & S2,
label "K2 label" K2 "K2" dynamic
status "a second sphere S2; two spheres meet in a circle too: K2 = S & S2"
bookmark
