// How fast a script plays: the playback speed, and the search for the next
// bookmark, which plays everything at once until it is found.
#include "state/state.h"
#include "ui/scriptui.h"

int state::bookmarkSearch()
{
	// with no scene file playing there is no bookmark ahead, nor the end of
	// a file that would give the speed back
	if (m_bookmarkSearch || m_GAfileStackDepth < 0) return 0;
	setInputWaitState(0);
	m_preBookmarkSearchPlaybackSpeed = m_playbackSpeed;
	m_bookmarkSearch = 1;
	// sleeps, motions and fades complete at once: those to come take no
	// time, and those that run end now
	m_playbackSpeed = 0.0;
	m_inputSleepTime = -1.0;
	finishMotions();
	objectUpdate();
	uiShowPlaybackSpeed(m_playbackSpeed);
	return 0;
}

int state::bookmarkFound()
{
	if (!m_bookmarkSearch) return 0;
	m_inputWait = 0;
	m_bookmarkSearch = 0;
	m_inputSleepTime = -1.0;
	m_playbackSpeed = m_preBookmarkSearchPlaybackSpeed;
	uiShowPlaybackSpeed(m_playbackSpeed);
	return 0;
}

int state::setPlaybackSpeed(double speed)
{
	// chosen during a search, the speed takes effect once the bookmark is found
	if (m_bookmarkSearch) m_preBookmarkSearchPlaybackSpeed = speed;
	else m_playbackSpeed = speed;
	uiShowPlaybackSpeed(m_playbackSpeed);
	return 0;
}
