// The arrow glyph of vectors, and what all glyphs share.
#include "draw/draw.h"

#include <cmath>

#include "draw/drawglyph.h"
#include "e3ga/e3ga.h"
#include "draw/geomutil.h"
#include "ui/ui.h"

namespace glyph {

circleTable_s::circleTable_s()
{
	for (int k = 0; k < sc_circlePoints; k++) {
		c[k] = std::cos(k * sc_circleStep);
		s[k] = std::sin(k * sc_circleStep);
	}
	// the circle closes exactly
	c[sc_circleSteps] = 1.0;
	s[sc_circleSteps] = 0.0;
}

const circleTable_s &circle()
{
	static const circleTable_s s_circle;
	return s_circle;
}

TubeDraw *tube() { return gui_state != nullptr ? &gui_state->m_tubeDraw : nullptr; }

void rotateE3Onto(const double *dir)
{
	e3ga R;
	e3gaRve3(R, e3ga(2, dir[0], dir[1], dir[2]));
	float matrix[16];
	e3gaRotorToOpenGLMatrix(R, matrix);
	glMultMatrixf(matrix);
}

} // namespace glyph

namespace {

using namespace glyph;

// The shaft stops short of the tip, inside the head.
constexpr double sc_shaftEnd = 0.96;
// The head: a cone of this base radius and length, its facets every second
// step of the circle table (32 facets, pi/16 each).
constexpr double sc_headRadius = 0.1;
constexpr double sc_headLength = 0.25;
constexpr int sc_headFacetStride = 2;
// Above scale 1 a head that follows its vector grows as scale^0.75: long
// arrows keep heads of a readable, not overwhelming, size.
constexpr double sc_headGrowth = 0.75;

// The cone around e3 whose apex is the origin, opening towards -e3.
void drawHead()
{
	const circleTable_s &t = circle();
	// mantle: each facet carries the radial normals of its two edges; the
	// apex is given twice so that it can take both
	glBegin(GL_QUADS);
	for (int k = 0; k < sc_circleSteps; k += sc_headFacetStride) {
		int k2 = k + sc_headFacetStride;
		glNormal3d(t.c[k], t.s[k], 0.0);
		glVertex3d(sc_headRadius * t.c[k], sc_headRadius * t.s[k], -sc_headLength);
		glVertex3d(0.0, 0.0, 0.0);
		glNormal3d(t.c[k2], t.s[k2], 0.0);
		glVertex3d(0.0, 0.0, 0.0);
		glVertex3d(sc_headRadius * t.c[k2], sc_headRadius * t.s[k2], -sc_headLength);
	}
	glEnd();
	// base
	glBegin(GL_TRIANGLE_FAN);
	glNormal3d(0.0, 0.0, -1.0);
	glVertex3d(0.0, 0.0, -sc_headLength);
	for (int k = 0; k <= sc_circleSteps; k += sc_headFacetStride)
		glVertex3d(sc_headRadius * t.c[k], sc_headRadius * t.s[k], -sc_headLength);
	glEnd();
}

} // namespace

int drawVector(const double *tail, const double *dir, double scale)
{
	if (scale == 0.0) return 0;
	TubeDraw *lines = tube();
	if (lines == nullptr) return -1;
	glMatrixMode(GL_MODELVIEW);
	glPushMatrix();
	if (tail != nullptr) glTranslated(tail[0], tail[1], tail[2]);
	glScaled(scale, scale, scale);

	// shaft, unlit
	GLboolean lit = glIsEnabled(GL_LIGHTING);
	glDisable(GL_LIGHTING);
	lines->begin(GL_LINES);
	lines->vertex3d(0.0, 0.0, 0.0);
	lines->vertex3d(sc_shaftEnd * dir[0], sc_shaftEnd * dir[1], sc_shaftEnd * dir[2]);
	lines->end();
	if (lit) glEnable(GL_LIGHTING);

	// head at the tip: of a fixed size, or growing with the vector
	glPushMatrix();
	glTranslated(dir[0], dir[1], dir[2]);
	double h = gui_state->m_vectorHeadSize;
	if (h >= 0.0) {
		glScaled(1.0 / scale, 1.0 / scale, 1.0 / scale);
		glScaled(h, h, h);
	} else {
		glScaled(-h, -h, -h);
		if (scale > 1.0) {
			double g = std::pow(scale, sc_headGrowth) / scale;
			glScaled(g, g, g);
		}
	}
	rotateE3Onto(dir);
	glEnable(GL_CULL_FACE);
	glCullFace(GL_FRONT);
	drawHead();
	glDisable(GL_CULL_FACE);
	glPopMatrix();
	glPopMatrix();
	return 0;
}
