# A tour of e3ga, the algebra of Euclidean 3D space: two vectors, their outer
# product (a bivector, drawn as a disc of its area with its orientation), a
# trivector, the geometric product, and a rotor that turns a vector, on a
# slider. Press Enter (or the "pause" button) at every wait.
#
#   tools/run.sh -f demo/e3ga-tour.geo

# It starts clean, whatever was played before: without the console
# controls and the variables they left, in the program's first colours.
clearconsole
clear
bgcolor 0.7 0.7 0.7 1
olcolor 0 0 0 1

title "e3ga tour"
eyepos [6*e3]
eyeori [-0.35*e2^e3 + 0.25*e3^e1]

status "two vectors a and b; press Enter"
fgcolor r
e3ga a [1.0*e1 + 0.3*e2] orientation magnitude
fgcolor b
e3ga b [0.4*e1 + 1.0*e2 + 0.3*e3] orientation magnitude
# labels take the colour current when they are made
fgcolor k
label "a label" a "a" dynamic
label "b label" b "b" dynamic
wait

console B = a ^ b,
label "B label" B "B = a ^ b" dynamic
# a value the console shows becomes the current object, whose description
# takes the status line: each step's text comes after its console lines
status "B = a ^ b: the oriented area they span; press Enter"
wait

console remove("B label"); B = B;
console T = B ^ e3,
status "B ^ e3: a trivector, an oriented volume; press Enter"
wait

console T = T;
console ab = a b; print(ab); dot = a . b; print(dot);
status "the geometric product a b = a . b + a ^ b: see its value in the console; press Enter"
wait

console ctrl_range(angle = 0.8, 0, 6.28);
console dynamic{turn: R = exp(-angle / 2 * e1 ^ e2); Ra = R a ~R,}
label "Ra label" Ra "R a ~R" dynamic
status "R = exp(-angle/2 e1^e2) turns a in the e1^e2 plane; move the slider 'angle'"
bookmark
