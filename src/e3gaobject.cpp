// What an e3ga scene object says about itself, and how it changes when the
// user drags it.
#include <cmath>
#include <cstdio>

#include "gaobject.h"
#include "glwindow.h"
#include "state/state.h"

namespace {

// A drag changes a magnitude by one unit per this many pixels of
// (motionY - motionX).
constexpr double sc_pixelsPerMagnitude = 30.0;
// A drag that would leave less magnitude than this leaves the value as it
// was: the value keeps a direction to grow back along.
constexpr double sc_minimumDraggedMagnitude = 0.0001;

} // namespace

int e3gaObject::description(char *buf, int bufLen, int sl)
{
	if (buf == nullptr || bufLen <= 0) return 0;
	buf[0] = '\0';
	const char *name = m_name.c_str();
	const char *D = (m_int.m_type & MVI_DUAL) ? " dual" : "";
	const char *C = m_mv.string(nullptr);
	const double *n = m_int.m_vector[0];
	const double magnitude = m_int.m_scalar[0];
	switch (kind()) {
	case MVI_SCALAR:
		if (sl) std::snprintf(buf, bufLen, "%s: e3ga scalar%s, magnitude: %f", name, D, magnitude);
		else std::snprintf(buf, bufLen, "e3ga scalar%s\nMagnitude: %f\nCoordinates: %s", D, magnitude, C);
		break;
	case MVI_VECTOR:
		if (sl) std::snprintf(buf, bufLen, "%s: e3ga vector%s", name, D);
		else
			std::snprintf(buf, bufLen, "e3ga vector%s\nMagnitude: %f\nDirection: %2.2f %2.2f %2.2f\nCoordinates: %s", D,
			              magnitude, n[0], n[1], n[2], C);
		break;
	case MVI_BIVECTOR:
		if (sl) std::snprintf(buf, bufLen, "%s: e3ga bivector%s", name, D);
		else
			std::snprintf(buf, bufLen, "e3ga bivector%s\nMagnitude: %f\nNormal: %2.2f %2.2f %2.2f\nCoordinates: %s", D,
			              magnitude, n[0], n[1], n[2], C);
		break;
	case MVI_TRIVECTOR:
		if (sl) std::snprintf(buf, bufLen, "%s: e3ga trivector%s", name, D);
		else std::snprintf(buf, bufLen, "e3ga trivector%s\nMagnitude: %f\nCoordinates: %s", D, magnitude, C);
		break;
	case MVI_ROTOR:
		if (sl) std::snprintf(buf, bufLen, "%s: e3ga rotor%s", name, D);
		else
			std::snprintf(buf, bufLen, "e3ga rotor%s\nAngle: %f\nMagnitude: %f\nNormal: %2.2f %2.2f %2.2f\nCoordinates: %s",
			              D, m_int.m_scalar[1], magnitude, n[0], n[1], n[2], C);
		break;
	default:
		if (sl) std::snprintf(buf, bufLen, "%s: unknown e3ga object.", name);
		else std::snprintf(buf, bufLen, "Unknown e3ga object.\nCoordinates: %s", C);
		break;
	}
	return 0;
}

int e3gaObject::translate(glwindow *window, double depth, double motionX, double motionY)
{
	switch (kind()) {
	case MVI_VECTOR: {
		// the tip follows the mouse at the depth where the drag began
		e3ga d;
		if (window != nullptr) window->vectorAtDepth(depth, motionX, -motionY, d);
		m_mv -= d;
		break;
	}
	case MVI_SCALAR:
	case MVI_BIVECTOR:
	case MVI_TRIVECTOR: {
		double m = std::sqrt(m_mv.norm_a());
		double grown = m + (motionY - motionX) / sc_pixelsPerMagnitude;
		// a value of no magnitude has no direction to scale along
		if (m > 0.0 && grown >= sc_minimumDraggedMagnitude) m_mv = gp(grown / m, m_mv);
		break;
	}
	default: return 0;
	}
	m_int.interpret(m_mv, 0);
	if (g_state != nullptr) g_state->modified(m_name);
	return 0;
}
