// Camera motion over time: a translation of campos at a velocity, a rotation
// of camori at a rate, each applied in steps by the timer until its end time,
// held while the program waits for the user, stretched by the playback speed,
// and done at once by a search for a bookmark.
// A step that would make the camera non-finite ends its motion instead.
#include "files/cameraorientation.h"
#include "view/glwindow.h"
#include "os/osdep.h"
#include "state/state.h"
#include "ui/ui.h"

namespace {

// Grade-usage bitmaps of the vector and the bivector part.
constexpr int sc_vectorPart = 0x2;
constexpr int sc_bivectorPart = 0x4;

// The camera moved by dt seconds of a translation at velocity v; false,
// with a message and the camera where it was, when that leads to infinity.
bool translateCamera(double dt, const e3ga &v)
{
	const e3ga p = glwindow::getCamPos() + dt * v;
	if (!p.isFinite()) {
		cprintf("The camera's translation stops: its next step would take the camera to infinity; the camera stays "
		        "as it was\n");
		return false;
	}
	glwindow::setCamPos(p);
	uiRedrawView();
	return true;
}

// The camera turned by dt seconds of a rotation at rate B, by exp(dt B) in
// closed form: a unit rotor however far the step turns, where the series
// of the exponential drifts to 0 or infinity for large angles. False, with
// a message and the camera as it was, when the step has no finite rotor.
bool rotateCamera(double dt, const e3ga &B)
{
	const e3ga R = gp(cameraRotorOfTurn(B, -dt), glwindow::getCamOri());
	if (!R.isFinite()) {
		cprintf("The camera's rotation stops: its next step's rotor is not finite; the camera stays as it was\n");
		return false;
	}
	glwindow::setCamOri(R);
	uiRedrawView();
	return true;
}

// One tick of a running motion: its time and end time, and the step that
// applies dt seconds of it; a refused step ends the motion.
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
	const bool applied = apply(t1 - time);
	time = applied && t1 < endTime ? t1 : -1.0;
}

// A running motion applied to its end in one step.
template <class F> void finishMotion(double &time, double endTime, F apply)
{
	if (time < 0.0 || gui_state == nullptr) return;
	const double rest = endTime - time;
	time = -1.0;
	if (rest > 0.0) apply(rest);
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
	stepMotion(m_trlTime, m_trlEndTime, m_inputWait, [this](double dt) { return translateCamera(dt, m_trl); });
	return 0;
}

int state::handleRot()
{
	stepMotion(m_rotTime, m_rotEndTime, m_inputWait, [this](double dt) { return rotateCamera(dt, m_rot); });
	return 0;
}

int state::finishMotions()
{
	finishMotion(m_trlTime, m_trlEndTime, [this](double dt) { return translateCamera(dt, m_trl); });
	finishMotion(m_rotTime, m_rotEndTime, [this](double dt) { return rotateCamera(dt, m_rot); });
	return 0;
}
