// The bivector glyphs: a disc with its outline, a parallelogram (with or
// without its edge vectors), a cross of hooks, a spiral and a swirl.
#include <cmath>

#include "draw/draw.h"
#include "draw/drawglyph.h"
#include "scene/object.h"

namespace {

using namespace glyph;

// Orientation ticks on the circle: six, 60 degrees apart, each from (1, 0)
// to (1, -0.5).
constexpr int sc_circleTicks = 6;
constexpr double sc_circleTickAngle = 60.0;
constexpr double sc_circleTickLength = 0.5;
// The cross and the swirl: four arms a quarter turn apart.
constexpr int sc_arms = 4;
constexpr double sc_armAngle = 90.0;
// A swirl arm is a quarter circle: 16 steps of the circle table.
constexpr int sc_swirlArmSteps = 16;

// Disc and outline of radius 1 in the xy plane; the back of the disc shows
// as wire when orientation is on.  The disc is left out for an invisible
// foreground.
void drawCircle(TubeDraw &lines, bool ori, object *o)
{
	const circleTable_s &t = circle();
	if (o == nullptr || o->fgColor(3) > 0.0f) {
		glNormal3d(0.0, 0.0, 1.0);
		glBegin(GL_TRIANGLE_FAN);
		glVertex3d(0.0, 0.0, 0.0);
		for (int k = 0; k < sc_circlePoints; k++) glVertex3d(t.c[k], t.s[k], 0.0);
		glEnd();
		glNormal3d(0.0, 0.0, -1.0);
		if (ori) glPolygonMode(GL_FRONT, GL_LINE);
		// wound the other way: the front of the back side
		glBegin(GL_TRIANGLE_FAN);
		glVertex3d(0.0, 0.0, 0.0);
		for (int k = 0; k < sc_circlePoints; k++) glVertex3d(-t.c[k], t.s[k], 0.0);
		glEnd();
		if (ori) glPolygonMode(GL_FRONT, GL_FILL);
	}
	glDisable(GL_LIGHTING);
	if (o != nullptr) o->setOlColor();
	lines.begin(GL_LINE_LOOP);
	for (int k = 0; k < sc_circlePoints; k++) lines.vertex2d(t.c[k], t.s[k]);
	lines.end();
	if (!ori) return;
	for (int i = 0; i < sc_circleTicks; i++) {
		lines.begin(GL_LINES);
		lines.vertex2d(1.0, 0.0);
		lines.vertex2d(1.0, -sc_circleTickLength);
		lines.end();
		turnAboutE3(sc_circleTickAngle);
	}
}

// The parallelogram spanned by ortho1 and ortho2, both faces; with its edge
// arrows in the background colour when withVectors.
void drawParallelogram(TubeDraw &lines, const double *normal, const double *o1, const double *o2, bool ori,
                       bool withVectors, object *o)
{
	const double o12[3] = {o1[0] + o2[0], o1[1] + o2[1], o1[2] + o2[2]};
	glNormal3dv(normal);
	glBegin(GL_QUADS);
	glVertex3d(0.0, 0.0, 0.0);
	glVertex3dv(o1);
	glVertex3dv(o12);
	glVertex3dv(o2);
	glEnd();
	if (ori) glPolygonMode(GL_FRONT, GL_LINE);
	glNormal3d(-normal[0], -normal[1], -normal[2]);
	glBegin(GL_QUADS);
	glVertex3dv(o2);
	glVertex3dv(o12);
	glVertex3dv(o1);
	glVertex3d(0.0, 0.0, 0.0);
	glEnd();
	if (ori) glPolygonMode(GL_FRONT, GL_FILL);
	if (!withVectors) return;
	bool wireframe = o != nullptr && (o->m_drawMode & DM_WIREFRAME);
	glPolygonMode(GL_FRONT_AND_BACK, wireframe ? GL_LINE : GL_FILL);
	if (o != nullptr) o->setBgColor();
	drawVector(nullptr, o1, 1.0);
	drawVector(o1, o2, 1.0);
	if (!ori) return;
	lines.begin(GL_LINES);
	lines.vertex3d(0.0, 0.0, 0.0);
	lines.vertex3dv(normal);
	lines.end();
}

// Four hooks turning the same way.
void drawCross(TubeDraw &lines)
{
	glDisable(GL_LIGHTING);
	for (int i = 0; i < sc_arms; i++) {
		lines.begin(GL_LINE_STRIP);
		lines.vertex2d(0.0, 0.0);
		lines.vertex2d(1.0, 0.0);
		lines.vertex2d(1.0, 1.0);
		lines.end();
		turnAboutE3(sc_armAngle);
	}
}

// A spiral from the centre out to radius 1 in one turn.
void drawCurlyTail(TubeDraw &lines)
{
	const circleTable_s &t = circle();
	glDisable(GL_LIGHTING);
	lines.begin(GL_LINE_STRIP);
	for (int k = 0; k < sc_circlePoints; k++) {
		double r = std::sqrt(k * sc_circleStep / (2.0 * sc_pi));
		lines.vertex2d(-r * t.s[k], r * t.c[k]);
	}
	lines.end();
}

// Four quarter circles, each from (1, 1) to the centre.
void drawSwirl(TubeDraw &lines)
{
	const circleTable_s &t = circle();
	glDisable(GL_LIGHTING);
	for (int i = 0; i < sc_arms; i++) {
		lines.begin(GL_LINE_STRIP);
		for (int k = 0; k <= sc_swirlArmSteps; k++) lines.vertex2d(1.0 - t.s[k], t.c[k]);
		lines.end();
		turnAboutE3(sc_armAngle);
	}
}

} // namespace

int drawBivector(const double *base, const double *normal, const double *ortho1, const double *ortho2, double scale,
                 int method, int flags, object *o)
{
	if (method < 0 || method >= DRAW_BV_NB_METHODS) return -1;
	TubeDraw *lines = tube();
	if (lines == nullptr) return -1;
	const bool ori = (flags & DRAW_FLAG_ORI) != 0;
	const bool parallelogram = method == DRAW_BV_PARALLELOGRAM || method == DRAW_BV_PARALLELOGRAM_NO_VECTORS;
	glMatrixMode(GL_MODELVIEW);
	glPushMatrix();
	if (base != nullptr) glTranslated(base[0], base[1], base[2]);

	if (parallelogram) {
		// the area of the disc of radius scale; parallel or zero factors span
		// no area to scale, and draw nothing
		double c[3] = {ortho1[1] * ortho2[2] - ortho1[2] * ortho2[1], ortho1[2] * ortho2[0] - ortho1[0] * ortho2[2],
		               ortho1[0] * ortho2[1] - ortho1[1] * ortho2[0]};
		double area = std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]);
		double s = area > 0.0 ? std::sqrt(scale * scale * sc_pi / area) : 0.0;
		if (s > 0.0 && std::isfinite(s)) {
			glScaled(s, s, s);
			drawParallelogram(*lines, normal, ortho1, ortho2, ori, method == DRAW_BV_PARALLELOGRAM, o);
		}
		glPopMatrix();
		return 0;
	}

	// the other glyphs are drawn in the xy plane, turned onto the normal
	glScaled(scale, scale, scale);
	rotateE3Onto(normal);
	switch (method) {
	case DRAW_BV_CIRCLE: drawCircle(*lines, ori, o); break;
	case DRAW_BV_CROSS: drawCross(*lines); break;
	case DRAW_BV_CURLY_TAIL: drawCurlyTail(*lines); break;
	default: drawSwirl(*lines); break;
	}
	glPopMatrix();
	return 0;
}
