// How a c3ga scene object draws its value: free blades at the origin,
// points and tangents where they lie, flats as in the homogeneous model,
// and the rounds: point pairs, circles and spheres.
#include <GL/gl.h>

#include <cmath>
#include <cstdio>

#include "draw/draw.h"
#include "draw/drawglyph.h"
#include "scene/gadraw.h"
#include "scene/gaobject.h"
#include "draw/geosphere.h"
#include "ui/ui.h"

namespace {

constexpr double sc_pi = 3.14159265358979323846;
// A point's orientation hairs are this fraction of its weight long; those
// of a point pair's points this fraction of its radius.
constexpr double sc_pointHairPerWeight = 0.01;
// A sphere's hairs are this fraction of its radius long (times the weight
// when sized by weight).
constexpr double sc_sphereHairLength = 0.1;
// A point pair's arrow reaches this fraction of the way to the second point.
constexpr double sc_pairArrowReach = 0.55;
// A circle's orientation ticks: this many, this fraction of its radius long.
constexpr int sc_circleTicks = 6;
constexpr double sc_circleTickLength = 0.3;

double pointSize() { return gui_state != nullptr ? gui_state->m_pointSize : UIstate::sc_defaultPointSize; }

// +1 or -1 by the sign of x, +1 for 0.
double signOf(double x) { return x < 0.0 ? -1.0 : 1.0; }

void drawSegment(const double *a, const double *b)
{
	TubeDraw *lines = glyph::tube();
	if (lines == nullptr) return;
	lines->begin(GL_LINES);
	lines->vertex3dv(a);
	lines->vertex3dv(b);
	lines->end();
}

} // namespace

int c3gaObject::draw(glwindow *window)
{
	beginAlgebraDraw(*this, window);
	// a value that is no blade has nothing to show, and nothing failed
	if (!m_int.m_valid || !(m_int.m_type & MVI_BLADE)) {
		noteDrawn();
		return 0;
	}

	const bool magnitude = (m_drawMode & DM_MAGNITUDE) != 0, ori = (m_drawMode & DM_ORI) != 0;
	const int flags = ori ? DRAW_FLAG_ORI : 0;
	const double W = m_int.m_scalar[0];
	double (*v)[3] = m_int.m_vector;
	const double *at = m_int.m_point[0];
	switch (kind()) {
	case MVI_ZERO:
	case MVI_SCALAR: break;
	case MVI_FREE_SCALAR: at = nullptr; [[fallthrough]];
	case MVI_POINT:
	case MVI_FLAT_POINT:
		polygonModeByWireframe(m_drawMode);
		drawPointSphere(at, pointSize() * (magnitude ? std::fabs(W) : 1.0), ori ? sc_pointHairPerWeight * W : 0.0);
		break;
	case MVI_FREE_VECTOR: at = nullptr; [[fallthrough]];
	case MVI_TANGENT_VECTOR:
		polygonModeByWireframe(m_drawMode);
		drawVector(at, v[0], magnitude ? W : 1.0);
		break;
	case MVI_FREE_BIVECTOR: at = nullptr; [[fallthrough]];
	case MVI_TANGENT_BIVECTOR:
		polygonModeByWireframe(m_drawMode);
		drawBivector(at, v[0], v[1], v[2], magnitude ? std::sqrt(std::fabs(W) / sc_pi) : 1.0, m_dmMenuIdx, flags, this);
		break;
	case MVI_FREE_TRIVECTOR: at = nullptr; [[fallthrough]];
	case MVI_TANGENT_TRIVECTOR:
		polygonModeByWireframe(m_drawMode);
		drawTriVector(at, magnitude ? W : signOf(W), nullptr, m_dmMenuIdx, flags, this);
		break;
	case MVI_LINE: drawFlatLine(at, v[0], W, m_dmMenuIdx, m_drawMode); break;
	case MVI_PLANE: drawFlatPlane(at, v[0], v[1], v[2], W, m_drawMode); break;
	case MVI_POINT_PAIR: drawPointPair(); break;
	case MVI_CIRCLE: drawCircle(); break;
	case MVI_SPHERE: drawSphere(); break;
	default:
		// once for the value and method, not at every redraw
		if (drawFailureIsNew()) std::printf("Can not (yet) drawn the blade object #%d\n", kind());
		return 0;
	}
	noteDrawn();
	return 0;
}

void c3gaObject::drawPointPair()
{
	const double *P1 = m_int.m_point[1], *P2 = m_int.m_vector[0], *v = m_int.m_vector[1];
	const double r = m_int.m_scalar[0], k = m_int.m_scalar[1];
	const bool ori = (m_drawMode & DM_ORI) != 0;
	glDisable(GL_LIGHTING);
	if (m_dmMenuIdx == DRAW_PP_SEGMENT) {
		drawSegment(P1, P2);
		return;
	}
	// the two points
	polygonModeByWireframe(m_drawMode);
	const double radius = pointSize() * ((m_drawMode & DM_MAGNITUDE) ? std::fabs(k) : 1.0);
	drawPointSphere(P1, radius, ori ? sc_pointHairPerWeight * r : 0.0);
	drawPointSphere(P2, radius, ori ? sc_pointHairPerWeight * r : 0.0);
	if (!(m_dmMenuIdx == DRAW_PP_CONNECTED || (m_dmMenuIdx == DRAW_PP_CONNECTED_WHEN_ORI && ori))) return;
	// connected, and with orientation an arrow from the first point on
	drawSegment(P1, P2);
	const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
	// coinciding points have no direction between them
	if (!ori || length == 0.0) return;
	const double unit[3] = {v[0] / length, v[1] / length, v[2] / length};
	drawVector(P1, unit, sc_pairArrowReach * length);
}

void c3gaObject::drawCircle()
{
	TubeDraw *lines = glyph::tube();
	if (lines == nullptr) return;
	const glyph::circleTable_s &t = glyph::circle();
	const double r = m_int.m_scalar[0];
	glDisable(GL_LIGHTING);
	glPushMatrix();
	glTranslated(m_int.m_point[0][0], m_int.m_point[0][1], m_int.m_point[0][2]);
	glyph::rotateE3Onto(m_int.m_vector[0]);
	lines->begin(GL_LINE_LOOP);
	for (int i = 0; i < glyph::sc_circlePoints; i++) lines->vertex2d(r * t.s[i], r * t.c[i]);
	lines->end();
	if (m_drawMode & DM_ORI) {
		// ticks pointing inwards, of a length by the weight when sized by it
		const double c = (m_drawMode & DM_MAGNITUDE) ? -std::fabs(m_int.m_scalar[1]) : -1.0;
		for (int i = 0; i < sc_circleTicks; i++) {
			lines->begin(GL_LINES);
			lines->vertex2d(r, 0.0);
			lines->vertex2d(r, c * sc_circleTickLength * r);
			lines->end();
			glyph::turnAboutE3(360.0 / sc_circleTicks);
		}
	}
	glPopMatrix();
}

void c3gaObject::drawSphere()
{
	const double r = std::fabs(m_int.m_scalar[0]), k = m_int.m_scalar[1];
	// hairs outward for a positive weight
	const double s = signOf(k) * ((m_drawMode & DM_MAGNITUDE) ? std::fabs(k) : 1.0);
	polygonModeByWireframe(m_drawMode);
	glPushMatrix();
	glTranslated(m_int.m_point[0][0], m_int.m_point[0][1], m_int.m_point[0][2]);
	glScaled(r, r, r);
	gsDraw(g_sphereSphere, (m_drawMode & DM_ORI) ? sc_sphereHairLength * s : 0.0);
	glPopMatrix();
}
