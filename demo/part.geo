# Imported by demo.geo: a vector whose coordinates are the first argument,
# and a sum worked out by the console.
title "demo: imported"
fgcolor m
e3ga d [$1*e1 + $1*e2]
console s = d + e3;
sleep 1
