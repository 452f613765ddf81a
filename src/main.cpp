// Korimbel: the application state, the user interface and the toolkit's
// event loop, in which the timer ticks 30 times a second.
#include <FL/Fl.H>

#include "ui/startup.h"
#include "state/state.h"
#include "ui/ui.h"

int main(int argc, char **argv)
{
	startupOptions options;
	scanCommandLine(argc, argv, options);
	state *st = new state();
	// without the network option nothing listens until a command opens a port
	if (!options.net && st->m_nbNetServers < 1) st->m_nbNetServers = 0;
	// the user interface is reachable only once it is complete
	UIstate *ui = new UIstate(argc, argv);
	gui_state = ui;
	// a playlist wins over a script; a playlist named as the script is played
	if (!options.playlist.empty()) g_state->openPlayList(options.playlist.c_str());
	else if (!options.file.empty()) g_state->openNamed(options.file.c_str(), 0, nullptr, -1);
	Fl::run();
	// the scripts close without their delete handling; the event loop then
	// ends at once, no window being left
	g_state->deleteGAfileStack(nullptr, 0);
	Fl::run();
	return 0;
}
