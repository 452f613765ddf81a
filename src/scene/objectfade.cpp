// Fades of scene objects: every alpha the object shows is multiplied by a
// factor that runs linearly in time from a start to an end value, after which
// the object is left alone, hidden or removed.
#include <cmath>

#include "scene/object.h"
#include "os/osdep.h"
#include "state/state.h"
#include "ui/ui.h"

int object::setFade(double duration, float target, int action, float startFadeFactor)
{
	double t = u_timeGet();
	m_fadeStartTime = t;
	// a duration that is no number ends the fade at once
	m_fadeEndTime = std::isnan(duration) ? t : t + duration;
	m_fadeStartFactor = (startFadeFactor < 0.0f || std::isnan(startFadeFactor)) ? m_fadeCurrentFactor : startFadeFactor;
	m_fadeEndFactor = target;
	m_fadeAction = (action >= FADE_NONE && action <= FADE_REMOVE) ? action : FADE_NOTHING;
	update(t);
	return 0;
}

int object::update(double currentTime)
{
	if (m_fadeAction == FADE_NONE) return 0;
	// a running fade changes the picture on every tick
	uiRedrawView();

	// a script skipping ahead to a bookmark sees every fade at its end
	bool skipping = g_state != nullptr && g_state->m_bookmarkSearch;
	// a fade of no length (or one whose clock went back) has ended too
	bool ended = m_fadeEndTime <= currentTime || m_fadeEndTime <= m_fadeStartTime;
	if (skipping || ended) {
		m_fadeCurrentFactor = m_fadeEndFactor;
		// the action stays set: whoever catches this removes the object
		if (m_fadeAction == FADE_REMOVE) throw removeObjectException();
		if (m_fadeAction == FADE_HIDE) hide();
		m_fadeAction = FADE_NONE;
		return 0;
	}

	// linear in time between the start and the end factor
	double along = (currentTime - m_fadeStartTime) / (m_fadeEndTime - m_fadeStartTime);
	m_fadeCurrentFactor = (float)(m_fadeStartFactor + (m_fadeEndFactor - m_fadeStartFactor) * along);
	colorFgChanged();
	colorBgChanged();
	colorOlChanged();
	return 0;
}
