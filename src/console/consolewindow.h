#pragma once
// consoleWindow: the window inside the main window that holds the console
// widget.  The main window's layout gives it its place and keeps its height.
#include <FL/Fl_Double_Window.H>

class consoleWindow : public Fl_Double_Window {
public:
	consoleWindow(int X, int Y, int W, int H, const char *L = nullptr);

	// the smallest console that still shows a few lines
	static constexpr int sc_minWidth = 100;
	static constexpr int sc_minHeight = 80;
};
