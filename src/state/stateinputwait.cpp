// A script waiting for the user: the wait button says so, and a sleep that
// was pending when the wait began is moved later by the time spent waiting.
#include <FL/Fl_Button.H>

#include "os/osdep.h"
#include "state/state.h"
#include "ui/ui.h"

namespace {

void setWaitButton(const char *label, bool rest)
{
	if (gui_state == nullptr || gui_state->m_waitButton == nullptr) return;
	gui_state->m_waitButton->label(label);
	if (rest) gui_state->m_waitButton->color(FL_BACKGROUND_COLOR);
	gui_state->m_waitButton->redraw();
}

} // namespace

int state::setInputWaitState(int wait)
{
	const double now = u_timeGet();
	if (wait) {
		// a search for a bookmark runs through every wait
		if (m_bookmarkSearch) return 0;
		setWaitButton("waiting", false);
		m_inputWait = 1;
		// a sleep that has ended is dropped; one still running is extended later
		if (now > m_inputSleepTime) m_inputSleepTime = -1.0;
		else m_inputWaitTime = now;
	} else {
		setWaitButton("pause", true);
		m_inputWait = 0;
		if (m_inputWaitTime >= 0.0 && m_inputSleepTime >= 0.0) {
			m_inputSleepTime += now - m_inputWaitTime;
			m_inputWaitTime = -1.0;
		}
	}
	// in full screen the view draws the wait indicator itself
	if (gui_state != nullptr && gui_state->m_fullscreen) uiRedrawView();
	return 0;
}
