// What a p3ga scene object says about itself, and how it moves when the
// user drags it.
#include "scene/gaobject.h"
#include "view/glwindow.h"

namespace {

const descriptionRow c_p3gaDescriptions[] = {
    {MVI_SCALAR, "scalar", "magnitude", {{"Magnitude", DF_SCALAR0}}},
    {MVI_VECTOR, "vector", nullptr, {{"Magnitude", DF_SCALAR0}, {"Direction", DF_VECTOR0}}},
    {MVI_BIVECTOR, "bivector", nullptr, {{"Magnitude", DF_SCALAR0}, {"Normal", DF_VECTOR0}}},
    {MVI_TRIVECTOR, "trivector", nullptr, {{"Magnitude", DF_SCALAR0}}},
    {MVI_POINT, "point", nullptr, {{"Magnitude", DF_SCALAR0}, {"Point", DF_POINT0}}},
    {MVI_LINE, "line", nullptr,
     {{"Magnitude", DF_SCALAR0}, {"Direction", DF_VECTOR0}, {"Point closest to origin", DF_POINT0}}},
    {MVI_PLANE, "plane", nullptr,
     {{"Magnitude", DF_SCALAR0}, {"Normal", DF_VECTOR0}, {"Point closest to origin", DF_POINT0}}},
    {0, nullptr, nullptr, {}},
};

} // namespace

const descriptionModel gaObjectKind<p3ga>::descriptions = {"p3ga", c_p3gaDescriptions, "."};

int p3gaObject::translate(glwindow *window, double depth, double motionX, double motionY)
{
	// the motion at the depth of the drag, as a direction (no e0)
	const e3ga t = dragMotion(window, depth, motionX, motionY);
	const double *c = t.coordinates(2);
	p3ga T(2, c[0], c[1], c[2], 0.0);
	switch (kind()) {
	case MVI_SCALAR:
	case MVI_BIVECTOR:
	case MVI_TRIVECTOR: dragMagnitude(motionX, motionY); break;
	case MVI_VECTOR: m_mv -= T; break;
	case MVI_POINT:
	case MVI_LINE:
	case MVI_PLANE:
		// X - T ^ (e0 _| X): the point, line or plane moved by -t
		m_mv = sub(m_mv, op(T, lcont(p3gai::e0, m_mv)));
		break;
	default: return 0;
	}
	valueDragged();
	return 0;
}
