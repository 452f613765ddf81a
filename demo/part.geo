# Imported by demo.geo: a vector whose coordinates are the first argument,
# drawn at its length ("magnitude": without it a vector of a scene file is
# drawn one unit long), and a sum worked out by the console.
title "demo: imported"
fgcolor m
e3ga d [$1*e1 + $1*e2] magnitude
console s = d + e3;
sleep 1
