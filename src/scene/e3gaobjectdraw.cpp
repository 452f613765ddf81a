// How an e3ga scene object draws its value: by the kind of its
// interpretation, with the glyphs of the drawing primitives.
#include <GL/gl.h>

#include <cmath>

#include "draw/draw.h"
#include "scene/gadraw.h"
#include "scene/gaobject.h"
#include "view/glwindow.h"
#include "os/osdep.h"
#include "ui/ui.h"

namespace {

constexpr double sc_pi = 3.14159265358979323846;
// A rotor by at most this angle (radians) turns by nothing worth drawing.
constexpr double sc_minimumRotorAngle = 0.0001;
// The arc of a rotor: at this fraction of the glyph's radius, one step per
// pi/20 of its angle (and one more).
constexpr double sc_arcRadius = 0.8;
constexpr double sc_arcStepAngle = sc_pi / 20.0;
// Terms of the series of the step rotors' exponentials.
constexpr int sc_expOrder = 9;
// The arrow head of the arc sits this much (radians) past its end; its two
// barbs go back along the arc and out to either side.
constexpr double sc_arcHeadAdvance = 0.01;
constexpr double sc_arcBarbInner[2] = {0.93, 0.13};
constexpr double sc_arcBarbOuter[2] = {1.05, 0.15};

// The e1, e2, e3 coordinates as a vector.
e3ga vectorOf(const double *xyz) { return e3ga(2, xyz[0], xyz[1], xyz[2]); }

} // namespace

int e3gaObject::draw(glwindow *window)
{
	// 1. and 2. transparency, colour, culling, lighting and stipple
	beginAlgebraDraw(*this, window);

	// 3. the glyphs stand at the origin
	const bool magnitude = (m_drawMode & DM_MAGNITUDE) != 0;
	const int flags = (m_drawMode & DM_ORI) ? DRAW_FLAG_ORI : 0;
	const double s = m_int.m_scalar[0];
	double (*v)[3] = m_int.m_vector;
	const int k = kind();
	if (k == MVI_VECTOR || k == MVI_BIVECTOR || k == MVI_TRIVECTOR || k == MVI_ROTOR)
		polygonModeByWireframe(m_drawMode);

	// 4. by kind
	switch (k) {
	case 0:
	case MVI_SCALAR: break;
	case MVI_VECTOR: drawVector(nullptr, v[0], magnitude ? s : 1.0); break;
	case MVI_BIVECTOR:
		drawBivector(nullptr, v[0], v[1], v[2], magnitude ? std::sqrt(std::fabs(s) / sc_pi) : 1.0, m_dmMenuIdx, flags,
		             this);
		break;
	case MVI_TRIVECTOR:
		drawTriVector(nullptr, magnitude ? s : (s < 0.0 ? -1.0 : 1.0), v, m_dmMenuIdx, flags, this);
		break;
	case MVI_ROTOR: drawRotor(flags); break;
	default:
		// once for the value and method, not at every redraw
		if (drawFailureIsNew()) cprintf("e3gaObject::draw(): can not draw object #%d\n", k);
		return 0;
	}
	noteDrawn();
	return 0;
}

int e3gaObject::rotorPlaneMethod() const
{
	return (m_dmMenuIdx >= 0 && m_dmMenuIdx < DRAW_BV_NB_METHODS) ? m_dmMenuIdx : DRAW_BV_CIRCLE;
}

void e3gaObject::drawRotor(int flags)
{
	const double angle = m_int.m_scalar[1];
	if (angle <= sc_minimumRotorAngle) return;
	double (*v)[3] = m_int.m_vector;
	const double k = (m_drawMode & DM_MAGNITUDE) ? std::sqrt(std::fabs(m_int.m_scalar[0]) / sc_pi) : 1.0;

	// 1. the rotation plane
	drawBivector(nullptr, v[0], v[1], v[2], k, rotorPlaneMethod(), flags, this);
	if (gui_state == nullptr) return;
	TubeDraw &lines = gui_state->m_tubeDraw;

	// 2. the plane's unit bivector, and where the arc starts
	setOlColor();
	e3ga B = vectorOf(v[0]).dual().negate();
	e3ga P = gp(sc_arcRadius * k, vectorOf(v[1]).normal(1));

	// 3. the arc of the angle, in n equal steps
	const int n = (int)(angle / sc_arcStepAngle) + 1;
	e3ga R = gp(angle / (2.0 * n), B).exp(sc_expOrder);
	e3ga Ri = R.inverse();
	lines.begin(GL_LINE_STRIP);
	lines.vertex3dv(P.coordinates(2));
	for (int i = 0; i < n; i++) {
		P = gp(gp(R, P), Ri).grade(2);
		lines.vertex3dv(P.coordinates(2));
	}
	lines.end();

	// 4. its arrow head, a little past the end
	R = gp(sc_arcHeadAdvance, B).exp(sc_expOrder);
	Ri = R.inverse();
	P = gp(gp(R, P), Ri).grade(2);
	e3ga side = lcont(P, B);
	e3ga inner = add(gp(sc_arcBarbInner[0], P), gp(sc_arcBarbInner[1], side));
	e3ga outer = add(gp(sc_arcBarbOuter[0], P), gp(sc_arcBarbOuter[1], side));
	lines.begin(GL_LINE_STRIP);
	lines.vertex3dv(inner.coordinates(2));
	lines.vertex3dv(P.coordinates(2));
	lines.vertex3dv(outer.coordinates(2));
	lines.end();
}
