// The main window: its layout, its keys, full-screen mode and its title.
#include "ui/mainwindow.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Output.H>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "console/consolewindow.h"
#include "console/fl_console.h"
#include "view/glwindow.h"
#include "os/osdep.h"
#include "state/state.h"
#include "ui/ui.h"
#include "ui/uimenu.h"
#include "ui/version.h"

namespace {

// The fixed parts of the layout, in pixels.
constexpr int sc_menuHeight = 29;
// the view and the object panel start below the menu bar
constexpr int sc_top = 30;
constexpr int sc_statusHeight = 25;
constexpr int sc_waitButtonWidth = 75;
// both panels
constexpr int sc_panelWidth = 300;
// the menu bar's and the status line's rows together
constexpr int sc_rowsHeight = 55;
// the console never grows so high that less than this remains above it
constexpr int sc_consoleMaxMargin = 75;
// nor shrinks below this
constexpr int sc_consoleMinHeight = 80;

// A size the window system accepts: a window too small for every part
// leaves the view and the panels one pixel, not a negative size.
int atLeastOne(int size) { return std::max(size, 1); }

void showIf(Fl_Widget *w, bool shown)
{
	if (shown) w->show();
	else w->hide();
}

// Bytes of the UTF-8 character that begins with lead.
int utf8Length(unsigned char lead)
{
	if (lead >= 0xF0) return 4;
	if (lead >= 0xE0) return 3;
	if (lead >= 0xC0) return 2;
	return 1;
}

} // namespace

void dropIncompleteCharacter(char *text)
{
	const int n = static_cast<int>(std::strlen(text));
	int lead = n - 1;
	while (lead > 0 && u_continuesCharacter(text[lead])) lead--;
	if (lead >= 0 && lead + utf8Length(static_cast<unsigned char>(text[lead])) > n) text[lead] = '\0';
}

bool mainWindow::s_layoutRunning = false;

mainWindow::mainWindow(UIstate *ui, int W, int H, const char *L) : Fl_Window(W, H, L)
{
	initToNothing();
	m_ui = ui;
}

mainWindow::~mainWindow()
{
	// the widgets go with the window: no one may reach them afterwards
	if (m_ui != nullptr && m_ui->m_mainWindow == this) m_ui->forgetWidgets();
	initToNothing();
}

void mainWindow::initToNothing()
{
	m_fsoX = m_fsoY = m_fsoW = m_fsoH = -1;
	m_fullscreenAsked = false;
	m_ui = nullptr;
}

void mainWindow::setSizeRange() { size_range(sc_minWidth, sc_minHeight, 0, 0); }

void mainWindow::fullscreen()
{
	// a window still on its way back from full screen keeps the geometry
	// it had before it
	if (m_fsoW <= 0 || m_fsoH <= 0) {
		m_fsoX = x();
		m_fsoY = y();
		m_fsoW = w();
		m_fsoH = h();
	}
	askFullscreen(true);
}

void mainWindow::fullscreen_off()
{
	askFullscreen(false);
	setSizeRange();
}

void mainWindow::askFullscreen(bool on)
{
	m_fullscreenAsked = true;
	if (on) Fl_Window::fullscreen();
	else if (m_fsoW > 0 && m_fsoH > 0) Fl_Window::fullscreen_off(m_fsoX, m_fsoY, m_fsoW, m_fsoH);
	else Fl_Window::fullscreen_off();
}

void mainWindow::fullscreenApplied()
{
	const bool wanted = m_ui != nullptr && m_ui->m_fullscreen != 0;
	const bool active = fullscreen_active() != 0;
	if (active == wanted) {
		m_fullscreenAsked = false;
		if (!active) m_fsoX = m_fsoY = m_fsoW = m_fsoH = -1;
		return;
	}
	// a change the window manager made of its own is its user's: only a
	// request of the program's that it has not yet applied is asked again
	if (m_fullscreenAsked) askFullscreen(wanted);
}

void mainWindow::setTitle(const char *text)
{
	static char s_title[sc_titleBufferSize];
	const bool none = text == nullptr || text[0] == '\0';
	std::snprintf(s_title, sizeof s_title, "%s%s%s", sc_productName, none ? "" : ": ", none ? "" : text);
	dropIncompleteCharacter(s_title);
	label(s_title);
}

int mainWindow::handle(int event)
{
	// a key comes as a shortcut when no widget has the focus (after the
	// window was shown again): then too Escape must not close the window
	if (event == FL_KEYBOARD || event == FL_SHORTCUT) {
		// typing goes to the command line whenever the console shows and no
		// dialog is open, whatever had the keyboard before (a dialog that
		// closed, a view clicked into)
		if (keyboardBelongsToConsole() && Fl::focus() != m_ui->m_console) {
			m_ui->m_console->take_focus();
			if (m_ui->m_console->handle(FL_KEYBOARD)) return 1;
		}
		const int key = Fl::event_key();
		// Enter ends the wait of a script for the user
		if (key == FL_Enter || key == FL_KP_Enter) {
			if (g_state != nullptr && g_state->m_inputWait) {
				g_state->setInputWaitState(0);
				if (m_ui != nullptr && m_ui->m_waitButton != nullptr) m_ui->m_waitButton->redraw();
			}
			return 1;
		}
		// Escape leaves full-screen mode and never closes the window
		if (key == FL_Escape) {
			if (m_ui != nullptr && m_ui->m_fullscreen) ui_menuCommand(MC_FULLSCREEN);
			return 1;
		}
		// Space in full screen plays the next entry of the playlist
		if (key == ' ' && m_ui != nullptr && m_ui->m_fullscreen) {
			if (g_state != nullptr) g_state->nextPlayListEntry();
			return 1;
		}
	}
	// the window manager reports the mode it applied
	if (event == FL_FULLSCREEN) {
		const int used = Fl_Window::handle(event);
		fullscreenApplied();
		return used;
	}
	// the window takes the keyboard and hands it to the command line, so
	// that typing goes to the console from the start
	if (event == FL_FOCUS) {
		if (consoleShows()) m_ui->m_console->take_focus();
		return 1;
	}
	return Fl_Window::handle(event);
}

bool mainWindow::consoleShows() const
{
	// in full-screen mode the console keeps its place in the layout but is
	// hidden with the other parts
	return m_ui != nullptr && m_ui->m_console != nullptr && m_ui->m_console->visible_r();
}

bool mainWindow::dialogOpen()
{
	// the toolkit may still name a modal window that has just gone
	Fl_Window *modal = Fl::modal();
	return modal != nullptr && modal->shown();
}

bool mainWindow::keyboardBelongsToConsole() const { return consoleShows() && !dialogOpen(); }

void mainWindow::takeKeyboard()
{
	// a dialog keeps the keyboard until it closes
	if (dialogOpen()) return;
	if (consoleShows()) m_ui->m_console->take_focus();
	else Fl::focus(this);
}

void mainWindow::resize(int X, int Y, int W, int H)
{
	s_layoutRunning = true;
	Fl_Window::resize(X, Y, W, H);
	s_layoutRunning = false;
	if (m_ui == nullptr || m_ui->m_glWindow == nullptr) return;
	if (!m_ui->m_fullscreen) {
		layout(W, H);
		return;
	}
	// full screen: the view alone
	for (Fl_Widget *w : {static_cast<Fl_Widget *>(m_ui->m_menubar), static_cast<Fl_Widget *>(m_ui->m_controlGroup),
	                     static_cast<Fl_Widget *>(m_ui->m_scalarGroup), static_cast<Fl_Widget *>(m_ui->m_consoleGroup),
	                     static_cast<Fl_Widget *>(m_ui->m_statusOutput), static_cast<Fl_Widget *>(m_ui->m_waitButton)})
		if (w != nullptr) w->hide();
	m_ui->m_glWindow->resize(0, 0, W, H);
}

void mainWindow::layout(int W, int H)
{
	UIstate &ui = *m_ui;
	// 1. the menu bar across the top
	ui.m_menubar->resize(0, 0, W, sc_menuHeight);
	ui.m_menubar->show();

	// 2. the console keeps its height within bounds
	int c = std::min(ui.m_consoleGroup->h(), H - sc_consoleMaxMargin);
	c = std::max(c, sc_consoleMinHeight);
	const bool controls = ui.m_controlGroupVisible != 0;
	const bool scalars = ui.m_scalarGroupVisible != 0;
	const bool console = ui.m_consoleVisible != 0;
	const int bottomTop = sc_top + H - c - sc_rowsHeight;

	// 3. the object panel on the right, above the scalar panel when that shows
	int right = W;
	if (controls) {
		ui.m_controlGroup->resize(W - sc_panelWidth, sc_top, sc_panelWidth,
		                          atLeastOne(H - sc_rowsHeight - (scalars ? c : 0)));
		right = W - sc_panelWidth;
	}
	showIf(ui.m_controlGroup, controls);

	// 4. the console below the view; it leaves room for a scalar panel of its own
	int viewHeight = H - sc_rowsHeight;
	if (console) {
		const int width = (!controls && scalars) ? right - sc_panelWidth : right;
		ui.m_consoleGroup->resize(0, bottomTop, atLeastOne(width), c);
		viewHeight = H - c - sc_rowsHeight;
	}
	showIf(ui.m_consoleGroup, console);

	// 5. the scalar panel beside the console
	if (scalars) ui.m_scalarGroup->resize(W - sc_panelWidth, bottomTop, sc_panelWidth, c);
	showIf(ui.m_scalarGroup, scalars);

	// 6. the view, the status line and the wait button
	ui.m_glWindow->resize(0, sc_top, atLeastOne(right), atLeastOne(viewHeight));
	ui.m_glWindow->show();
	ui.m_statusOutput->resize(ui.m_statusOutput->x(), H - sc_statusHeight, atLeastOne(W - sc_waitButtonWidth),
	                          ui.m_statusOutput->h());
	ui.m_waitButton->resize(W - sc_waitButtonWidth, H - sc_statusHeight, sc_waitButtonWidth, sc_statusHeight);
	ui.m_statusOutput->show();
	ui.m_waitButton->show();
}
