#pragma once
// Pastes from other programs: a text that another program holds as the
// clipboard or the selection comes through the window system, in one piece
// or, when it is long, in many.  The toolkit's own reading of the many
// pieces writes past its buffer on long texts, so Korimbel reads them
// itself, joins them and hands the toolkit the whole text as one piece,
// which it reads safely.  Every paste from another program is held to a
// bound: a longer one is refused with a message in the console.
#include <cstddef>

// The most bytes a paste from another program may hold: several times the
// longest command anyone types or copies, while the command line, its
// history and the evaluation of a line that long (some hundred bytes of
// memory for each byte of an expression) stay small.  A longer paste is
// most likely a whole file copied by mistake.
constexpr std::size_t ui_maxPasteBytes = std::size_t(4) << 20;

// Seconds the program that holds a paste may take to answer, and then to
// send each next piece; after that the paste is given up, so that a program
// that stopped half-way holds nothing of Korimbel's.
constexpr double ui_pastePieceWait = 10.0;

// Starts watching the window system's answers to Korimbel's pastes.  Call
// once, after the main window is shown (the display is then open).
void installPasteReader();

// One paste is asked for at a time (see pasterequests.h): the answers of
// the program that holds the clipboard (clipboard 1) or the primary
// selection (0) are awaited from now until pasteNoLongerAwaited; any other
// answer for either is dropped, so that no piece of another reaches the
// toolkit.  ended runs, from the event loop, when the paste ends without
// its text: refused, given up, or answered with none.
void pasteAwaited(int clipboard, void (*ended)());
// The text awaited has arrived, or is no longer wanted.
void pasteNoLongerAwaited();
