// Keywords on the camera: its position and orientation at once, or a
// translation or rotation over time. A value that is not finite is refused
// and the camera stays as it was; so is a finite orientation or rate whose
// rotor is not finite, and a translation that would end at infinity.
#include <cmath>

#include "files/cameraorientation.h"
#include "e3ga/e3ga.h"
#include "files/gafile.h"
#include "files/gafilekeywords.h"
#include "view/glwindow.h"
#include "os/osdep.h"
#include "state/state.h"
#include "ui/ui.h"

namespace {

// Grade-usage bitmaps of the vector and the bivector part.
constexpr int GRADE1 = 0x2;
constexpr int GRADE2 = 0x4;

// The duration of a motion: a finite number of at least 0, else the
// keyword's message; the position after it, or -1.
int readDuration(const gaLine &l, double &t)
{
	int pos = gaReadDouble(l.line, l.pos, t);
	if (pos < 0 || !(t >= 0.0) || !std::isfinite(t)) {
		l.invalidEntry(l.kw.c_str());
		return -1;
	}
	return pos;
}

} // namespace

int gaKwEyePos(const gaLine &l)
{
	e3ga v;
	if (gaReadE3ga(l.line, l.pos, v) < 0) return 0;
	const e3ga position = v.grade(GRADE1);
	if (!l.finite(position)) return 0;
	glwindow::setCamPos(position);
	uiRedrawView();
	return 0;
}

int gaKwEyeTrl(const gaLine &l)
{
	double t;
	int pos = readDuration(l, t);
	e3ga v;
	if (pos < 0 || gaReadE3ga(l.line, pos, v) < 0) return 0;
	e3ga velocity = v.grade(GRADE1);
	// a refused velocity leaves a running translation running
	if (l.finite(velocity) && l.finiteEnd(glwindow::getCamPos() + t * velocity)) l.s->setTrl(velocity, t);
	return 0;
}

int gaKwEyeOri(const gaLine &l)
{
	e3ga v;
	if (gaReadE3ga(l.line, l.pos, v) < 0) return 0;
	const e3ga B = v.grade(GRADE2);
	// a finite bivector too large to square gives no rotor either
	if (!l.finite(B)) return 0;
	const e3ga R = cameraRotorOfBivector(B);
	if (!l.finiteRotor(R)) return 0;
	glwindow::setCamOri(R);
	l.s->eyeOriLine(glwindow::getCamOri(), B);
	uiRedrawView();
	return 0;
}

int gaKwEyeRot(const gaLine &l)
{
	double t;
	int pos = readDuration(l, t);
	if (pos < 0) return 0;
	e3ga v;
	if (gaReadE3ga(l.line, pos, v) < 0) {
		cprintf("warning: GAfile::parseLine(): file '%s': could not parse rotation\n", l.file->m_filename);
		return 0;
	}
	e3ga rate = v.grade(GRADE2);
	// the rotor of a second's turn tells whether every step has one
	if (l.finite(rate) && l.finiteRotor(cameraRotorOfBivector(rate))) l.s->setRot(rate, t);
	return 0;
}
