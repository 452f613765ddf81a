// Lines and planes of the homogeneous models, drawn out to the clip
// distance, with their orientation marks.
#include <GL/gl.h>

#include <cmath>

#include "draw/drawglyph.h"
#include "scene/gadraw.h"
#include "scene/object.h"

namespace {

using namespace glyph;

// The marks stand this fraction of the weight (or of 1) wide.
constexpr double sc_markSize = 0.5;
// Points of one "Curly tail" spiral.
constexpr int sc_curlPoints = 64;
// Hooks of one "Hooked crosses" mark; the fifth lies on the first.
constexpr int sc_crossHooks = 5;
// Degrees between neighbouring hooks.
constexpr double sc_hookTurn = 90.0;
// The "Curve" mark takes this many points a unit of its parameter.
constexpr double sc_curvePointsPerUnit = 32.0;

// "Curve": a helix of growing and shrinking radius around the whole line.
void drawCurve(TubeDraw &lines, double L)
{
	// 32 points a unit from -L on, fewer when that would be too many
	int n = (int)std::ceil(2.0 * L * sc_curvePointsPerUnit);
	double step = 1.0 / sc_curvePointsPerUnit;
	if (n > sc_maxCurvePoints) {
		n = sc_maxCurvePoints;
		step = 2.0 * L / n;
	}
	lines.begin(GL_LINE_STRIP);
	for (int i = 0; i < n; i++) {
		double t = -L + i * step;
		lines.vertex3d(std::sin(t) * std::sin(2.0 * sc_pi * t), std::sin(t) * std::cos(2.0 * sc_pi * t), t);
	}
	lines.end();
}

// One "Curly tail" mark: a spiral, opening as it goes back along the line.
void drawCurl(TubeDraw &lines, double L)
{
	lines.begin(GL_LINE_STRIP);
	for (int k = 0; k < sc_curlPoints; k++) {
		double s = (double)k / sc_curlPoints;
		lines.vertex3d(std::sqrt(s) * std::sin(2.0 * sc_pi * s), std::sqrt(s) * std::cos(2.0 * sc_pi * s),
		               0.1 * L * (1.0 - 2.0 * s));
	}
	lines.end();
}

// One "Hooks" mark: an arrow head pointing along the line.
void drawHook(TubeDraw &lines)
{
	lines.begin(GL_LINE_STRIP);
	lines.vertex3d(-0.25, 0.0, -1.0);
	lines.vertex3d(0.0, 0.0, 0.0);
	lines.vertex3d(0.25, 0.0, -1.0);
	lines.end();
}

// One "Hooked crosses" mark: four right-angled hooks around the line.
void drawHookedCross(TubeDraw &lines)
{
	for (int i = 0; i < sc_crossHooks; i++) {
		lines.begin(GL_LINE_STRIP);
		lines.vertex3d(0.0, 0.0, 0.0);
		lines.vertex3d(1.0, 0.0, 0.0);
		lines.vertex3d(1.0, 1.0, 0.0);
		lines.end();
		turnAboutE3(sc_hookTurn);
	}
}

// The marks of a line along the local z axis from -L to L, each scaled by h.
void drawLineMarks(TubeDraw &lines, int method, double L, double h)
{
	if (method == DRAW_LINE_CURVE) {
		glPushMatrix();
		glScaled(h, h, h);
		drawCurve(lines, L);
		glPopMatrix();
		return;
	}
	if (method != DRAW_LINE_CURLY_TAIL && method != DRAW_LINE_HOOKS && method != DRAW_LINE_HOOKED_CROSSES) return;
	// marks 0.2 L apart, each hook turned a quarter from the one before
	for (int k = 0; k < sc_lineMarks; k++) {
		glPushMatrix();
		glTranslated(0.0, 0.0, -L + k * 2.0 * L / (sc_lineMarks - 1));
		if (method == DRAW_LINE_HOOKS) turnAboutE3(k * sc_hookTurn);
		glScaled(h, h, h);
		if (method == DRAW_LINE_CURLY_TAIL) drawCurl(lines, L);
		else if (method == DRAW_LINE_HOOKS) drawHook(lines);
		else drawHookedCross(lines);
		glPopMatrix();
	}
}

// P + a U + b V
void gridPoint(double *r, const double *P, const double *U, const double *V, double a, double b)
{
	for (int i = 0; i < 3; i++) r[i] = P[i] + a * U[i] + b * V[i];
}

// One side of a plane's grid: rows of quad strips from -L to L; the back
// gives each pair of vertices in the other order, so it faces the other way.
void drawPlaneSide(const double *P, const double *n, const double *U, const double *V, double L, bool back)
{
	const double d = 2.0 * L / sc_flatSteps;
	if (back) glNormal3d(-n[0], -n[1], -n[2]);
	else glNormal3dv(n);
	double near[3], far[3];
	for (int row = 0; row < sc_flatSteps; row++) {
		const double v = -L + row * d;
		glBegin(GL_QUAD_STRIP);
		for (int col = 0; col <= sc_flatSteps; col++) {
			const double u = -L + col * d;
			gridPoint(near, P, U, V, u, v);
			gridPoint(far, P, U, V, u, v + d);
			glVertex3dv(back ? near : far);
			glVertex3dv(back ? far : near);
		}
		glEnd();
	}
}

} // namespace

void drawFlatLine(const double *point, const double *direction, double weight, int method, int drawMode)
{
	TubeDraw *lines = tube();
	if (lines == nullptr) return;
	const double L = flatExtent();
	glDisable(GL_LIGHTING);
	// the line is the local z axis
	glPushMatrix();
	glTranslated(point[0], point[1], point[2]);
	rotateE3Onto(direction);
	lines->begin(GL_LINE_STRIP);
	for (int i = 0; i <= sc_flatSteps; i++) lines->vertex3d(0.0, 0.0, -L + i * 2.0 * L / sc_flatSteps);
	lines->end();
	if (drawMode & DM_ORI)
		drawLineMarks(*lines, method, L, sc_markSize * ((drawMode & DM_MAGNITUDE) ? std::fabs(weight) : 1.0));
	glPopMatrix();
}

void drawFlatPlane(const double *point, const double *normal, const double *u, const double *v, double weight,
                   int drawMode)
{
	const double L = flatExtent();
	const bool wire = (drawMode & DM_WIREFRAME) != 0, ori = (drawMode & DM_ORI) != 0;
	// front, then the back: a wire grid when orientation is on
	glPolygonMode(GL_FRONT, wire ? GL_LINE : GL_FILL);
	drawPlaneSide(point, normal, u, v, L, false);
	glPolygonMode(GL_FRONT, (wire || ori) ? GL_LINE : GL_FILL);
	drawPlaneSide(point, normal, u, v, L, true);
	TubeDraw *lines = tube();
	if (!ori || lines == nullptr) return;

	// a field of normals at the grid's points
	glDisable(GL_LIGHTING);
	const double q = (drawMode & DM_MAGNITUDE) ? weight : 1.0, d = 2.0 * L / sc_flatSteps;
	double foot[3];
	lines->begin(GL_LINES);
	for (int row = 0; row <= sc_flatSteps; row++)
		for (int col = 0; col <= sc_flatSteps; col++) {
			gridPoint(foot, point, u, v, -L + col * d, -L + row * d);
			lines->vertex3dv(foot);
			lines->vertex3d(foot[0] + q * normal[0], foot[1] + q * normal[1], foot[2] + q * normal[2]);
		}
	lines->end();
}
