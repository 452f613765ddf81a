#pragma once
// Texts of any width on the display.  The X window system measures a text's
// advance in 16 bits and places it at 16-bit coordinates: a line wider than
// 32767 pixels (some 2,500 wide letters) measured as a wrong, even negative
// width, so that the widget showed it blank, without a scroll bar, or
// drew parts of it over its start; a far longer one was one request too
// long for the server, which ended the program.  The display's drawing
// driver below measures and draws such a text in pieces, and draws only
// the pieces that can lie in a window.

// Makes the display draw through that driver.  Called once, before the
// first window shows; later calls change nothing.
void useWideTextDriver();
