# Typeset labels: fractions, roots, scripts, accents, parentheses, a table,
# colours, fonts, sizes, Greek letters, commands of your own, and labels
# placed in the window or following a point. See docs/labels.md.
#
#   tools/run.sh -f demo/labels.geo

# It starts clean, whatever was played before: without the console
# controls and the variables they left.
clearconsole
clear

title "typeset labels"
status "labels in the markup of docs/labels.md"
bgcolor 1 1 1 1
olcolor 0 0 0 1
fgcolor k

# window labels, 20 pixels from the left and from the top, one under another
tsmode text
label heading [20*e1 + 20*e2] "\scale{1.5}{\bold{Typeset labels}}" 2d px py
label fonts [20*e1 + 70*e2] "regular, \bold{bold}, \italic{italic}, \greek{abg} and \red{colour} \blue{words}" 2d px py
tsmode equation
label fraction [20*e1 + 110*e2] "x = \frac{-b + \sqrt{b^2 - 4 a c}}{2 a}" 2d px py
label scripts [20*e1 + 180*e2] "e_{12} = e_1 e_2, \ws{1} R = e^{-\theta e_{12} / 2}" 2d px py
label greek [20*e1 + 230*e2] "\alpha, \beta, \Gamma, \infty, a \op b, a \lc b" 2d px py
label accents [20*e1 + 270*e2] "\hat{x}, \bar{y}, \widetilde{abc}, \par{()}{\frac{1}{2}}, \par{[]}{x}" 2d px py
label table [20*e1 + 320*e2] "\tabular{c|cc}{ & e_1 & e_2}{\hline}{e_1 & 1 & e_{12}}{e_2 & -e_{12} & 1}" 2d px py

# a colour and a command of one's own, defined once for every later label
tsinterpret "\eqn{\newcolor{orange}{1 0.5 0}} \newcommand{\vect}{\bold{\1}}"
label own [20*e1 + 420*e2] "\orange{\vect{x} \ip \vect{y}} = |x| |y| cos \theta" 2d px py

# in the world: a label that follows the point p, in lines of 160 pixels
c3ga p [no + 1.5*e1 - 0.5*e2 + 1.25*ni]
tsmode text
label note p "this label follows the point p: drag p with Ctrl and the right mouse button" width=160 dynamic
