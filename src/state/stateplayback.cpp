// How fast a script plays: the playback speed, and the search for the next
// bookmark, which plays everything at once until it is found.
#include "state/state.h"

int state::bookmarkSearch()
{
	if (m_bookmarkSearch) return 0;
	setInputWaitState(0);
	m_preBookmarkSearchPlaybackSpeed = m_playbackSpeed;
	m_bookmarkSearch = 1;
	// sleeps, motions and fades complete at once: those to come take no
	// time, and those that run end now
	m_playbackSpeed = 0.0;
	m_inputSleepTime = -1.0;
	finishMotions();
	objectUpdate();
	return 0;
}

int state::bookmarkFound()
{
	if (!m_bookmarkSearch) return 0;
	m_inputWait = 0;
	m_bookmarkSearch = 0;
	m_inputSleepTime = -1.0;
	m_playbackSpeed = m_preBookmarkSearchPlaybackSpeed;
	return 0;
}

int state::setPlaybackSpeed(double speed)
{
	// chosen during a search, the speed takes effect once the bookmark is found
	if (m_bookmarkSearch) m_preBookmarkSearchPlaybackSpeed = speed;
	else m_playbackSpeed = speed;
	return 0;
}
