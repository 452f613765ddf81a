// Camera motion over time: a translation of campos at a velocity, a rotation
// of camori at a rate, each applied in steps by the timer until its end time,
// held while the program waits for the user, stretched by the playback speed.
#include "view/glwindow.h"
#include "os/osdep.h"
#include "state/state.h"
#include "ui/ui.h"

namespace {

// Grade-usage bitmaps of the vector and the bivector part.
constexpr int sc_vectorPart = 0x2;
constexpr int sc_bivectorPart = 0x4;
// Terms of the series of the exponential that turns a bivector into a rotor.
constexpr int sc_expTerms = 9;

// The camera moved by dt seconds of a translation at velocity v.
void translateCamera(double dt, const e3ga &v)
{
	glwindow::setCamPos(glwindow::getCamPos() + dt * v);
	uiRedrawView();
}

// The camera turned by dt seconds of a rotation at rate B.
void rotateCamera(double dt, const e3ga &B)
{
	glwindow::setCamOri(gp((dt * B).exp(sc_expTerms), glwindow::getCamOri()));
	uiRedrawView();
}

// One tick of a running motion: its time and end time, and the step that
// applies dt seconds of it.
template <class F> void stepMotion(double &time, double &endTime, int inputWait, F apply)
{
	if (time < 0.0 || gui_state == nullptr) return;
	const double now = u_timeGet();
	// a wait holds the motion: its end moves later by the time waited
	if (inputWait) {
		endTime += now - time;
		time = now;
		return;
	}
	const double t1 = endTime < now ? endTime : now;
	apply(t1 - time);
	time = t1 < endTime ? t1 : -1.0;
}

// Starts a motion of the given rate over duration (stretched by speed);
// with no time to take, apply does it all at once.
template <class F>
int startMotion(double &time, double &endTime, e3ga &stored, const e3ga &rate, double duration, double speed, F apply)
{
	const double d = duration * speed;
	if (d == 0.0) {
		apply(duration, rate);
		return 0;
	}
	const double now = u_timeGet();
	time = now;
	endTime = now + d;
	stored = (1.0 / speed) * rate;
	return 0;
}

} // namespace

int state::setTrl(e3ga &velocity, double duration)
{
	// a new translation replaces the running one, even when it is refused
	m_trlTime = -1.0;
	if (gui_state == nullptr || duration < 0.0) return -1;
	velocity = velocity.grade(sc_vectorPart);
	return startMotion(m_trlTime, m_trlEndTime, m_trl, velocity, duration, m_playbackSpeed, translateCamera);
}

int state::setRot(e3ga &rate, double duration)
{
	m_rotTime = -1.0;
	if (gui_state == nullptr || duration < 0.0) return -1;
	rate = -rate.grade(sc_bivectorPart);
	return startMotion(m_rotTime, m_rotEndTime, m_rot, rate, duration, m_playbackSpeed, rotateCamera);
}

int state::handleTrl()
{
	stepMotion(m_trlTime, m_trlEndTime, m_inputWait, [this](double dt) { translateCamera(dt, m_trl); });
	return 0;
}

int state::handleRot()
{
	stepMotion(m_rotTime, m_rotEndTime, m_inputWait, [this](double dt) { rotateCamera(dt, m_rot); });
	return 0;
}
