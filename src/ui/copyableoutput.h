#pragma once
// copyableOutput: a read-only text of the main window (the object panel's
// name and description, the status line) whose selection can be copied
// while typing still goes to the console's command line.  A click gives it
// the keyboard, so that its selection shows and the copy keys reach it;
// every other key it passes on to the window, which hands it to the
// command line.
#include <FL/Fl.H>

template <class Output> class copyableOutput : public Output {
public:
	copyableOutput(int x, int y, int w, int h) : Output(x, y, w, h) {}

	int handle(int event) override
	{
		if (event != FL_KEYBOARD) return Output::handle(event);
		const int key = Fl::event_key();
		// Ctrl or Shift pressed alone is the start of a copy key, or of a
		// letter the command line takes next: nothing moves yet
		if (key >= FL_Shift_L && key <= FL_Alt_R) return 1;
		const bool copyKey = Fl::event_ctrl() != 0 && (key == 'c' || key == FL_Insert);
		if (copyKey) return Output::handle(event);
		// arrows and Tab the panel around would take to move the keyboard
		// to its next widget: the window hands them to the command line,
		// as every other key
		const bool navigation = key == FL_Tab || key == FL_Left || key == FL_Right || key == FL_Up || key == FL_Down;
		if (navigation && this->top_window() != nullptr) {
			this->top_window()->handle(event);
			return 1;
		}
		return 0;
	}
};
