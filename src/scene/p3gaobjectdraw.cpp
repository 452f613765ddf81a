// How a p3ga scene object draws its value: Euclidean vectors, bivectors
// and trivectors at the origin, points, lines and planes where they lie.
#include <cmath>

#include "draw/draw.h"
#include "scene/gadraw.h"
#include "scene/gaobject.h"
#include "os/osdep.h"

namespace {

constexpr double sc_pi = 3.14159265358979323846;
// Radius of a point's sphere (times |weight| when sized by weight).
constexpr double sc_p3gaPointRadius = 0.1;
// A point's orientation hairs are this fraction of its weight long.
constexpr double sc_pointHairPerWeight = 0.01;

} // namespace

int p3gaObject::draw(glwindow *window)
{
	beginAlgebraDraw(*this, window);
	// a value that is no blade has nothing to show, and nothing failed
	if (!m_int.m_valid || !(m_int.m_type & MVI_BLADE)) {
		noteDrawn();
		return 0;
	}

	const bool magnitude = (m_drawMode & DM_MAGNITUDE) != 0;
	const int flags = (m_drawMode & DM_ORI) ? DRAW_FLAG_ORI : 0;
	const double W = m_int.m_scalar[0];
	double (*v)[3] = m_int.m_vector;
	switch (kind()) {
	case MVI_ZERO:
	case MVI_SCALAR: break;
	case MVI_VECTOR:
		polygonModeByWireframe(m_drawMode);
		drawVector(nullptr, v[0], magnitude ? W : 1.0);
		break;
	case MVI_BIVECTOR:
		polygonModeByWireframe(m_drawMode);
		drawBivector(nullptr, v[0], v[1], v[2], magnitude ? std::sqrt(std::fabs(W) / sc_pi) : 1.0, m_dmMenuIdx, flags,
		             this);
		break;
	case MVI_TRIVECTOR:
		// no edge vectors: the parallelepipeds show the sphere
		polygonModeByWireframe(m_drawMode);
		drawTriVector(nullptr, magnitude ? W : (W < 0.0 ? -1.0 : 1.0), nullptr, m_dmMenuIdx, flags, this);
		break;
	case MVI_POINT:
		polygonModeByWireframe(m_drawMode);
		drawPointSphere(m_int.m_point[0], sc_p3gaPointRadius * (magnitude ? std::fabs(W) : 1.0),
		                (flags & DRAW_FLAG_ORI) ? sc_pointHairPerWeight * W : 0.0);
		break;
	case MVI_LINE: drawFlatLine(m_int.m_point[0], v[0], W, m_dmMenuIdx, m_drawMode); break;
	case MVI_PLANE: drawFlatPlane(m_int.m_point[0], v[0], v[1], v[2], W, m_drawMode); break;
	default:
		// once for the value and method, not at every redraw
		if (drawFailureIsNew()) cprintf("Can not (yet) draw the blade object #%d\n", kind());
		return 0;
	}
	noteDrawn();
	return 0;
}
