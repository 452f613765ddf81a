#pragma once
// Pastes into the fields of the program, one after another and whole.  The
// toolkit's fields ask for a paste the moment Ctrl+V, Shift+Insert or the
// middle button is pressed, and its text editor deletes the selection
// right then, before the text has come.  Korimbel takes those keys and
// that button for every field instead: the paste is asked for without
// touching the field, and only the text that arrives replaces the
// selection.  A paste refused or given up leaves the field as it was.
// Only one paste is asked for at a time (pastereader.h); one asked for
// while another comes waits for its end, so that two pastes give the text
// twice.
class Fl_Widget;

// Takes the paste keys and the middle button for every field.  Call once,
// after installPasteReader.
void installPasteRequests();

// Asks for a paste into field (a one-line or multi-line input, or a text
// editor): from the clipboard (clipboard 1) or the primary selection (0).
// The text replaces the field's selection once it has come whole, unless
// the field has gone or cannot hold it; a paste into a field that cannot
// hold it is refused with a message in the console.
void requestPaste(Fl_Widget *field, int clipboard);
