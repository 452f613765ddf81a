#pragma once
// The keyboard comes back to the main window's command line when the last
// open window or dialog of the program closes while the user works in the
// program: a key or a click of theirs in it closed the dialog, or the window
// manager closed it for them (its close button, its close key) while the
// dialog had the keyboard.  A dialog that a task bar, window list or pager
// closes while the user works in another program leaves the keyboard
// there, and a minimised main window stays minimised.  A window manager
// may hand the keyboard to a window of its own when a dialog goes, so the
// main window asks it to be the active window again; without a window
// manager that asking reaches no one, and the keyboard is where the
// pointer is, as the window system has it.

// Watches the event loop for the moment no dialog shows any more.
void installKeyboardReturn();
// Whether the keyboard is in one of the program's windows now: the window
// system's focus is one of them, or, while the keyboard follows the
// pointer, the pointer is over one.  What the program does on its own (a
// script, the network) moves the keyboard to the command line only then.
bool programHasKeyboard();
// The program is about to ask the window manager for a change after which
// a manager may hand it the keyboard of its own accord (full screen): when
// the keyboard is in another program's window now, it goes back there if it
// comes to the program before the user acts in it.
void keepKeyboardWhereItIs();
