// The trivector glyphs: a sphere of the volume, a cross, a spiral over the
// sphere, and the parallelepiped of the edge vectors (with or without them).
#include <cmath>

#include "draw/draw.h"
#include "draw/drawglyph.h"
#include "draw/geosphere.h"
#include "scene/object.h"

namespace {

using namespace glyph;

// The volume of the unit sphere: the sphere glyph's radius is that of a
// sphere of the trivector's volume.
constexpr double sc_sphereVolume = 4.0 * sc_pi / 3.0;
// Orientation hairs on the sphere.
constexpr double sc_hairLength = 0.1;
// The spherical spiral: 252 points, parameter step 0.1 from -4 pi, so it
// climbs from the south pole over two turns of its parameter range.
constexpr int sc_spiralPoints = 252;
constexpr double sc_spiralStep = 0.1;
constexpr double sc_spiralStart = -4.0 * sc_pi;
// The cross: three arms, one along each axis.
constexpr int sc_crossArms = 3;

// The six faces of the parallelepiped as corner indices, each wound
// counter-clockwise seen from outside for a positive volume.
const int c_faces[6][4] = {{0, 1, 5, 4}, {0, 4, 7, 3}, {4, 5, 6, 7}, {1, 2, 6, 5}, {6, 2, 3, 7}, {0, 3, 2, 1}};

void drawCross(TubeDraw &lines)
{
	glDisable(GL_LIGHTING);
	for (int i = 0; i < sc_crossArms; i++) {
		lines.begin(GL_LINE_STRIP);
		lines.vertex3d(0.5, -1.0, 0.0);
		lines.vertex3d(0.0, -1.0, 0.0);
		lines.vertex3d(0.0, 1.0, 0.0);
		lines.vertex3d(-0.5, 1.0, 0.0);
		lines.end();
		glRotated(90.0, 0.0, 0.0, 1.0);
		glRotated(-90.0, 1.0, 0.0, 0.0);
	}
}

void drawSphericalSpiral(TubeDraw &lines)
{
	glDisable(GL_LIGHTING);
	lines.begin(GL_LINE_STRIP);
	for (int k = 0; k < sc_spiralPoints; k++) {
		double t = sc_spiralStart + sc_spiralStep * k;
		double z = t / (4.0 * sc_pi);
		double r = std::sqrt(std::fmax(0.0, 1.0 - z * z));
		lines.vertex3d(r * std::cos(t), r * std::sin(t), z);
	}
	lines.end();
}

void drawParallelepiped(double (*v)[3], double sign, bool reversed, bool withVectors, object *o)
{
	double c[8][3];
	for (int i = 0; i < 3; i++) {
		c[0][i] = 0.0;
		c[1][i] = v[0][i];
		c[2][i] = v[0][i] + v[1][i];
		c[3][i] = v[1][i];
		c[4][i] = v[2][i];
		c[5][i] = v[0][i] + v[2][i];
		c[6][i] = v[0][i] + v[1][i] + v[2][i];
		c[7][i] = v[1][i] + v[2][i];
	}
	glBegin(GL_QUADS);
	for (const int *f : c_faces) {
		double a[3], b[3];
		for (int i = 0; i < 3; i++) {
			a[i] = c[f[1]][i] - c[f[0]][i];
			b[i] = c[f[3]][i] - c[f[0]][i];
		}
		// the cross product of two edges, outward for a positive volume
		glNormal3d(sign * (a[1] * b[2] - a[2] * b[1]), sign * (a[2] * b[0] - a[0] * b[2]),
		           sign * (a[0] * b[1] - a[1] * b[0]));
		for (int j = 0; j < 4; j++) glVertex3dv(c[f[reversed ? 3 - j : j]]);
	}
	glEnd();
	if (!withVectors) return;
	if (o != nullptr) o->setBgColor();
	drawVector(c[0], v[0], 1.0);
	drawVector(c[1], v[1], 1.0);
	drawVector(c[2], v[2], 1.0);
}

} // namespace

int drawTriVector(const double *base, double scale, double (*vector)[3], int method, int flags, object *o)
{
	if (method < 0 || method >= DRAW_TV_NB_METHODS) return -1;
	TubeDraw *lines = tube();
	if (lines == nullptr) return -1;
	const bool ori = (flags & DRAW_FLAG_ORI) != 0;
	const double sign = scale < 0.0 ? -1.0 : 1.0;
	const bool parallelepiped = method == DRAW_TV_PARALLELEPIPED || method == DRAW_TV_PARALLELEPIPED_NO_VECTORS;
	// without edge vectors there is no parallelepiped: the sphere stands in
	if (parallelepiped && vector == nullptr) return drawTriVector(base, scale, nullptr, DRAW_TV_SPHERE, flags, o);
	// the edge length of a cube, or the radius of a sphere, of the volume
	const double s = sign * std::cbrt(parallelepiped ? sign * scale : sign * scale / sc_sphereVolume);

	glMatrixMode(GL_MODELVIEW);
	glPushMatrix();
	if (base != nullptr) glTranslated(base[0], base[1], base[2]);
	glScaled(std::fabs(s), std::fabs(s), std::fabs(s));
	// a negative volume is mirrored when orientation is shown
	if (ori && method != DRAW_TV_SPHERE) glScaled(sign, 1.0, 1.0);
	switch (method) {
	case DRAW_TV_SPHERE: gsDraw(g_sphereSphere, ori ? sc_hairLength * sign : 0.0); break;
	case DRAW_TV_CROSS: drawCross(*lines); break;
	case DRAW_TV_CURLY_TAIL: drawSphericalSpiral(*lines); break;
	default: drawParallelepiped(vector, sign, s < 0.0, method == DRAW_TV_PARALLELEPIPED, o); break;
	}
	glPopMatrix();
	return 0;
}
