#pragma once
// consoleWindow: the window inside the main window that holds the console
// widget.  The main window's layout gives it its place and keeps its height;
// the user drags its top edge (its top three pixel rows) to make the console
// taller or shorter.
#include <FL/Fl_Double_Window.H>

class consoleWindow : public Fl_Double_Window {
public:
	consoleWindow(int X, int Y, int W, int H, const char *L = nullptr);

	void initToNothing();
	// The cursor follows the mouse over the top edge, where a press starts a
	// drag of the edge; everything else goes to the console.
	int handle(int event) override;

	// --- fields: the cursor shape last set (-1 none), and whether the top
	// edge is being dragged
	int m_currentCursor;
	int m_dragging;

	// the smallest console that still shows a few lines
	static constexpr int sc_minWidth = 100;
	static constexpr int sc_minHeight = 80;
	// pixel rows at the top of the window that grab the edge
	static constexpr int sc_edgeRows = 3;
};
