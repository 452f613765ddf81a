#include "console/consolewindow.h"

#include <FL/Fl.H>

#include "ui/mainwindow.h"
#include "ui/ui.h"

consoleWindow::consoleWindow(int X, int Y, int W, int H, const char *L) : Fl_Double_Window(X, Y, W, H, L)
{
	initToNothing();
	box(FL_ENGRAVED_BOX);
	size_range(sc_minWidth, sc_minHeight);
}

void consoleWindow::initToNothing()
{
	m_currentCursor = -1;
	m_dragging = 0;
}

int consoleWindow::handle(int event)
{
	// 1. the cursor the mouse asks for; only the top edge takes the mouse here
	const int previousCursor = m_currentCursor;
	const int wasDragging = m_dragging;
	bool taken = false;
	if (m_dragging) {
		m_currentCursor = FL_CURSOR_NS;
	} else if (event == FL_MOVE || event == FL_PUSH || event == FL_DRAG || event == FL_RELEASE) {
		const bool onEdge = Fl::event_y() < sc_edgeRows;
		m_currentCursor = onEdge ? FL_CURSOR_NS : FL_CURSOR_DEFAULT;
		taken = onEdge;
	}

	// 2. the drag of the edge
	switch (event) {
	case FL_LEAVE: m_currentCursor = FL_CURSOR_DEFAULT; break;
	case FL_PUSH:
		if (m_currentCursor == FL_CURSOR_NS) m_dragging = 1;
		break;
	case FL_RELEASE: m_dragging = 0; break;
	case FL_ENTER:
		m_currentCursor = FL_CURSOR_DEFAULT;
		m_dragging = 0;
		break;
	case FL_DRAG:
		if (wasDragging) {
			// the edge follows the mouse: up (y < 0) makes the console taller
			resize(x(), y(), w(), h() - Fl::event_y());
			if (gui_state != nullptr && gui_state->m_mainWindow != nullptr) {
				mainWindow *m = gui_state->m_mainWindow;
				m->resize(m->x(), m->y(), m->w(), m->h());
			}
		}
		break;
	default: break;
	}

	// 3. the cursor, when it changed or while it shows the edge
	if (m_currentCursor != previousCursor || m_currentCursor == FL_CURSOR_NS)
		cursor(static_cast<Fl_Cursor>(m_currentCursor), FL_BLACK, FL_WHITE);

	// 4.
	if (taken) return 1;
	return Fl_Double_Window::handle(event);
}
