// The animation clock: the global variable atime advances while an animation
// plays, slowed by the playback speed, so that dynamic statements reading it
// move the scene.
#include "console/consoleglobalscope.h"
#include "scene/object.h"
#include "os/osdep.h"
#include "state/state.h"

namespace {

// The speed the clock takes for "as fast as possible": 10000 times real time.
constexpr double sc_fastestPlaybackSpeed = 0.0001;

} // namespace

int state::setAnimationTime(double t)
{
	if (m_globalScope != nullptr) m_globalScope->externalAssignVariable("atime", e3ga(t), DM_INTERNAL | DM_HIDE);
	return 0;
}

int state::forwardAnimationTime(double dt)
{
	e3ga atime;
	if (m_globalScope == nullptr || m_globalScope->externalLookupVariable("atime", 1, atime) != 0) {
		cprintf("Can not lookup global variable 'atime', setting it to %f \n", dt);
		return setAnimationTime(dt);
	}
	return setAnimationTime(atime.scalar() + dt);
}

int state::startAnimation()
{
	m_lastAnimationUpdate = u_timeGet();
	if (m_animationMode == ANIMATION_STOPPED) {
		m_animationMode = ANIMATION_PLAYING;
		setAnimationTime(0.0);
	} else if (m_animationMode == ANIMATION_PAUSED) {
		m_animationMode = ANIMATION_PLAYING;
	} else {
		cprintf("Animation is already playing\n");
	}
	updateDynStmts();
	return 0;
}

int state::pauseAnimation()
{
	if (m_animationMode != ANIMATION_PLAYING) {
		cprintf("Animation is not playing\n");
		return 0;
	}
	m_animationMode = ANIMATION_PAUSED;
	updateDynStmts();
	return 0;
}

int state::stopAnimation()
{
	if (m_animationMode == ANIMATION_STOPPED) {
		cprintf("Animation is already stopped\n");
		return 0;
	}
	m_animationMode = ANIMATION_STOPPED;
	updateDynStmts();
	return 0;
}

int state::updateAnimation()
{
	if (m_animationMode != ANIMATION_PLAYING) return 0;
	const double now = u_timeGet();
	const double speed = m_playbackSpeed > 0.0 ? m_playbackSpeed : sc_fastestPlaybackSpeed;
	const double dt = (now - m_lastAnimationUpdate) / speed;
	m_lastAnimationUpdate = now;
	forwardAnimationTime(dt);
	updateDynStmts();
	return 0;
}
