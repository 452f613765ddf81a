// A script waiting for the user: a sleep that was pending when the wait
// began is moved later by the time spent waiting.
#include "osdep.h"
#include "state/state.h"

int state::setInputWaitState(int wait)
{
	const double now = u_timeGet();
	if (wait) {
		// a search for a bookmark runs through every wait
		if (m_bookmarkSearch) return 0;
		m_inputWait = 1;
		// a sleep that has ended is dropped; one still running is extended later
		if (now > m_inputSleepTime) m_inputSleepTime = -1.0;
		else m_inputWaitTime = now;
	} else {
		m_inputWait = 0;
		if (m_inputWaitTime >= 0.0 && m_inputSleepTime >= 0.0) {
			m_inputSleepTime += now - m_inputWaitTime;
			m_inputWaitTime = -1.0;
		}
	}
	return 0;
}
