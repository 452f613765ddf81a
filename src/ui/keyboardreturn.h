#pragma once
// The keyboard comes back to the main window's command line whenever the
// last open window or dialog of the program closes: a list window, the
// screenshot dialog, a chooser, a message or a question box, however it was
// closed.  A window manager may hand the keyboard to a window of its own
// when a dialog goes, so the main window asks it to be the active window
// again; without a window manager that asking reaches no one, and the
// keyboard is where the pointer is, as the window system has it.

// Watches the event loop for the moment no dialog shows any more.
void installKeyboardReturn();
