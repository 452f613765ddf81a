// What scripts ask of the user interface, each through the part of the user
// interface that does it, and nothing without that part.
#include "ui/scriptui.h"

#include <FL/Fl.H>
#include <FL/fl_ask.H>

#include <algorithm>

#include "console/consolewindow.h"
#include "console/fl_console.h"
#include "view/glwindow.h"
#include "ui/mainwindow.h"
#include "ui/ui.h"
#include "ui/uimenu.h"

namespace {

mainWindow *window() { return gui_state != nullptr ? gui_state->m_mainWindow : nullptr; }

// The main window places its parts again at its own size.
void relayout(mainWindow *m) { m->resize(m->x(), m->y(), m->w(), m->h()); }

// The toolkit's question box gives the number of the button pressed; the
// middle one is the default, which Return and Space press.
constexpr int sc_middleButton = 1;
constexpr int sc_rightButton = 2;

// v held within -most .. most.
int heldWithin(int v, int most) { return std::clamp(v, -most, most); }

} // namespace

bool uiHasMainWindow() { return window() != nullptr; }

bool uiAskYesNo(const char *question, bool yesByDefault)
{
	if (window() == nullptr) return false;
	// the question box runs the event loop: no tick reads scripts while the
	// stack of files is being changed
	Fl::remove_timeout(ui_timerCallback);
	const char *text = question != nullptr ? question : "";
	// "No" is the default unless asked otherwise: a file is deleted or
	// replaced only by a deliberate "Yes", never by the keys that step
	// through a presentation
	const bool yes = yesByDefault ? fl_choice("%s", "No", "Yes", nullptr, text) == sc_middleButton
	                              : fl_choice("%s", nullptr, "No", "Yes", text) == sc_rightButton;
	Fl::add_timeout(UIstate::sc_tickPeriod, ui_timerCallback);
	return yes;
}

void uiClearConsole()
{
	if (gui_state != nullptr && gui_state->m_console != nullptr) gui_state->m_console->clear();
}

void uiSetStatus(const char *text)
{
	if (gui_state != nullptr) gui_state->setStatus(text);
}

// the menu's table is there with or without a window; the mark shows once it is
void uiShowPlaybackSpeed(double speed) { markPlaybackSpeed(speed); }

void uiSetTitle(const char *text)
{
	if (window() != nullptr) window()->setTitle(text);
}

int uiSetConsoleFontSize(int size) { return gui_state != nullptr ? gui_state->setConsoleFontSize(size) : -1; }

void uiShowPanel(uiPanel panel, bool visible)
{
	if (window() == nullptr) return;
	int shown = 0, command = 0;
	switch (panel) {
	case UI_PANEL_CONTROLS:
		shown = gui_state->m_controlGroupVisible;
		command = MC_TOGGLE_CONTROLS;
		break;
	case UI_PANEL_SCALAR_CONTROLS:
		shown = gui_state->m_scalarGroupVisible;
		command = MC_TOGGLE_SCALAR_CONTROLS;
		break;
	case UI_PANEL_CONSOLE:
		shown = gui_state->m_consoleVisible;
		command = MC_TOGGLE_CONSOLE;
		break;
	}
	if ((shown != 0) != visible) ui_menuCommand(command);
}

void uiFullscreen(bool on)
{
	if (window() != nullptr && (gui_state->m_fullscreen != 0) != on) ui_menuCommand(MC_FULLSCREEN);
}

int uiMaxWindowSide() { return glwindow::maxSide(); }

void uiResizeMainWindow(int x, int y, int w, int h, bool place)
{
	mainWindow *m = window();
	if (m == nullptr) return;
	const int most = uiMaxWindowSide();
	w = heldWithin(w, most);
	h = heldWithin(h, most);
	if (place) m->resize(heldWithin(x, most), heldWithin(y, most), w, h);
	else m->resize(m->x(), m->y(), w, h);
}

bool uiHasConsolePanel() { return window() != nullptr && gui_state->m_consoleGroup != nullptr; }

void uiSetConsoleHeight(int n, bool lines)
{
	if (!uiHasConsolePanel()) return;
	consoleWindow *panel = gui_state->m_consoleGroup;
	Fl_Console *console = gui_state->m_console;
	// the panel's margin around the console stays
	const int margin = panel->h() - (console != nullptr ? console->h() : 0);
	const int height = (lines && console != nullptr ? n * console->textsize() : n) + margin;
	// the panel keeps its bottom edge
	panel->resize(panel->x(), panel->y() + panel->h() - height, panel->w(), height);
	relayout(window());
}

bool uiHasView() { return window() != nullptr && gui_state->m_glWindow != nullptr; }

void uiSetViewSize(int &w, int &h)
{
	if (!uiHasView()) return;
	glwindow *view = gui_state->m_glWindow;
	mainWindow *m = window();
	// within what the GL serves, every sum below stays far inside an int
	const int most = uiMaxWindowSide();
	w = heldWithin(w, most);
	h = heldWithin(h, most);
	// the window grows by what the view lacks; once more when the layout
	// gave the view another size than asked for
	for (int pass = 0; pass < 2 && (view->w() != w || view->h() != h); pass++)
		m->resize(m->x(), m->y(), m->w() + w - view->w(), m->h() + h - view->h());
	w = view->w();
	h = view->h();
}

void uiExit()
{
	mainWindow *m = window();
	if (m == nullptr) return;
	// the window goes once the event loop has it back: the command or tick
	// that asked for it may still run inside one of its widgets
	m->hide();
	Fl::delete_widget(m);
	gui_state->forgetWidgets();
}
