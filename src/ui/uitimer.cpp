// The timer tick, 30 times a second: everything that happens over time runs
// here, in a fixed order.  Each step is a flag test when there is nothing to
// do.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>

#include "ui/dynstmtwindow.h"
#include "view/glwindow.h"
#include "ui/mainwindow.h"
#include "os/osdep.h"
#include "state/state.h"
#include "ui/ui.h"

namespace {

// The wait button blinks between these while the state waits for input.
constexpr Fl_Color sc_waitBlinkColor = 88;
constexpr Fl_Color sc_waitRestColor = FL_BACKGROUND_COLOR;
// Seconds without a mouse action after which full-screen mode hides the pointer.
constexpr double sc_cursorHideDelay = 2.0;

// 1 while a tick runs: a modal dialog opened within a tick runs the event
// loop, in which the timer fires again.
bool s_ticking = false;

} // namespace

void ui_timerCallback(void *)
{
	Fl::repeat_timeout(UIstate::sc_tickPeriod, ui_timerCallback, nullptr);
	if (gui_state == nullptr || s_ticking) return;
	s_ticking = true;
	gui_state->timerCallback();
	s_ticking = false;
}

int UIstate::timerCallback()
{
	const double t = u_timeGet();
	if (g_state == nullptr) return 0;

	// the script on top reads until it pauses; the open a line asked for
	g_state->readScripts();

	// nothing more without a main window
	if (m_mainWindow == nullptr) return 0;

	// camera motion, then fades
	g_state->handleTrl();
	g_state->handleRot();
	g_state->objectUpdate();

	// the wait button blinks once a second while the state waits
	if (g_state->m_inputWait && m_waitButton != nullptr) {
		const Fl_Color c = (static_cast<long long>(2.0 * t) % 2 != 0) ? sc_waitBlinkColor : sc_waitRestColor;
		if (m_waitButton->color() != c) {
			m_waitButton->color(c);
			m_waitButton->redraw();
		}
	}

	// full screen: the pointer hides while the mouse rests, and shows on a move
	if (m_fullscreen) {
		const bool resting = t - m_fsLastMouseActionTime > sc_cursorHideDelay;
		const int wanted = resting ? FL_CURSOR_NONE : FL_CURSOR_DEFAULT;
		if (m_cursor != wanted) {
			m_mainWindow->cursor(static_cast<Fl_Cursor>(wanted), FL_BLACK, FL_WHITE);
			m_cursor = wanted;
		}
	}

	// a pending screenshot counts the view's redraws
	if (m_screenShotOnNextRedraw && m_glWindow != nullptr) m_glWindow->redraw();

	// the animation clock
	g_state->updateAnimation();

	// the network: changes out, commands in
	g_state->pollNetServers();

	// the Dynamic statements window follows the list, which the steps
	// above, and the commands typed since the last tick, may have changed
	if (m_dynStmtWindow != nullptr) m_dynStmtWindow->followList();
	return 0;
}

void ui_statusCallback(Fl_Widget *, void *)
{
	if (g_state == nullptr) return;
	g_state->setInputWaitState(!g_state->m_inputWait);
}
