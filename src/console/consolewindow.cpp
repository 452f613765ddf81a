#include "console/consolewindow.h"

consoleWindow::consoleWindow(int X, int Y, int W, int H, const char *L) : Fl_Double_Window(X, Y, W, H, L)
{
	box(FL_ENGRAVED_BOX);
	size_range(sc_minWidth, sc_minHeight);
}
