#pragma once
// What the glyph drawing functions share: the tube renderer they draw lines
// with, the unit-circle table their round shapes are made of, and the
// rotation that stands a glyph drawn around e3 along a direction.
#include <GL/gl.h>

#include "draw/tubedraw.h"

namespace glyph {

// Points of a full circle: 64 steps of pi/32, the last point equal to the first.
constexpr int sc_circlePoints = 65;
constexpr int sc_circleSteps = sc_circlePoints - 1;
constexpr double sc_pi = 3.14159265358979323846;
constexpr double sc_circleStep = sc_pi / 32.0;

// cos and sin of k pi/32 for k = 0..64.
struct circleTable_s {
	double c[sc_circlePoints];
	double s[sc_circlePoints];
	circleTable_s();
};
const circleTable_s &circle();

// The user interface's tube renderer, or null when there is no user interface.
TubeDraw *tube();

// Multiplies the model-view matrix by the rotation that turns e3 onto dir.
void rotateE3Onto(const double *dir);

// glRotated about e3, by a number of degrees.
inline void turnAboutE3(double degrees) { glRotated(degrees, 0.0, 0.0, 1.0); }

} // namespace glyph
