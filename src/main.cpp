// Korimbel: the application state, the user interface and the toolkit's
// event loop, in which the timer ticks 30 times a second.
#include <FL/Fl.H>

#include "startup.h"
#include "state/state.h"
#include "ui.h"

int main(int argc, char **argv)
{
	startupOptions options;
	scanCommandLine(argc, argv, options);
	new state();
	// the user interface is reachable only once it is complete
	UIstate *ui = new UIstate(argc, argv);
	gui_state = ui;
	Fl::run();
	return 0;
}
