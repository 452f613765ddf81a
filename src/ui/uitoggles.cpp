// Showing and hiding the console and the two panels, and full-screen mode.
// The scalar panel is never the only panel shown.
#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include "console/consolewindow.h"
#include "ui/keyboardreturn.h"
#include "ui/mainwindow.h"
#include "ui/ui.h"
#include "ui/uimenu.h"

namespace {

void showIf(Fl_Widget *w, bool shown)
{
	if (w == nullptr) return;
	if (shown) w->show();
	else w->hide();
}

// The main window places its parts again.
void relayout(mainWindow *w)
{
	if (w != nullptr) w->resize(w->x(), w->y(), w->w(), w->h());
}

} // namespace

int UIstate::toggleHideConsole(int menuIndex)
{
	m_consoleVisible = !m_consoleVisible;
	showIf(m_consoleGroup, m_consoleVisible);
	setMenuCheck(menuIndex, m_consoleVisible);
	if (!m_controlGroupVisible && !m_consoleVisible && m_scalarGroupVisible) ui_menuCommand(MC_TOGGLE_SCALAR_CONTROLS);
	relayout(m_mainWindow);
	// shown again, the command line takes the keyboard back; hidden, the
	// window keeps it; a script's or another program's toggle while the
	// user works elsewhere leaves the keyboard there
	if (m_mainWindow != nullptr && programHasKeyboard()) m_mainWindow->takeKeyboard();
	return 0;
}

int UIstate::toggleHideControls(int menuIndex)
{
	m_controlGroupVisible = !m_controlGroupVisible;
	showIf(m_controlGroup, m_controlGroupVisible);
	setMenuCheck(menuIndex, m_controlGroupVisible);
	if (!m_controlGroupVisible && !m_consoleVisible && m_scalarGroupVisible) ui_menuCommand(MC_TOGGLE_SCALAR_CONTROLS);
	relayout(m_mainWindow);
	return 0;
}

int UIstate::toggleHideScalarControls(int menuIndex)
{
	m_scalarGroupVisible = !m_scalarGroupVisible;
	if (m_scalarGroupVisible && !m_controlGroupVisible && !m_consoleVisible) ui_menuCommand(MC_TOGGLE_CONSOLE);
	showIf(m_scalarGroup, m_scalarGroupVisible);
	setMenuCheck(menuIndex, m_scalarGroupVisible);
	relayout(m_mainWindow);
	return 0;
}

int UIstate::toggleFullscreen(int menuIndex)
{
	m_fullscreen = !m_fullscreen;
	if (m_mainWindow == nullptr) return 0;
	// a window manager may hand a window that goes full screen the keyboard
	if (m_fullscreen) keepKeyboardWhereItIs();
	if (m_fullscreen) {
		m_mainWindow->fullscreen();
		setMenuCheck(menuIndex, true);
	} else {
		m_mainWindow->cursor(FL_CURSOR_DEFAULT, FL_BLACK, FL_WHITE);
		m_cursor = FL_CURSOR_DEFAULT;
		m_mainWindow->fullscreen_off();
		setMenuCheck(menuIndex, false);
	}
	// the layout follows the mode even when the window's size stays
	relayout(m_mainWindow);
	// in full screen the hidden console must not take what is typed, and
	// Space, Enter and Escape are the window's; unless the user works in
	// another program, whose keyboard stays
	if (programHasKeyboard()) m_mainWindow->takeKeyboard();
	return 0;
}
