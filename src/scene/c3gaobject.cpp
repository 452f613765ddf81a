// What a c3ga scene object says about itself, and how it moves when the
// user drags it.
#include "scene/gaobject.h"
#include "view/glwindow.h"

namespace {

const descriptionRow c_c3gaDescriptions[] = {
    {MVI_FREE_SCALAR, "free scalar", "weight", {{"Weight", DF_SCALAR0}}},
    {MVI_FREE_VECTOR, "free vector", nullptr, {{"Weight", DF_SCALAR0}, {"Direction", DF_VECTOR0}}},
    {MVI_FREE_BIVECTOR, "free bivector", nullptr, {{"Weight", DF_SCALAR0}, {"Normal", DF_VECTOR0}}},
    {MVI_FREE_TRIVECTOR, "free trivector", nullptr, {{"Weight", DF_SCALAR0}}},
    {MVI_POINT, "point", nullptr, {{"Weight", DF_SCALAR0}, {"Point", DF_POINT0}}},
    {MVI_TANGENT_VECTOR, "tangent vector", nullptr,
     {{"Weight", DF_SCALAR0}, {"Point", DF_POINT0}, {"Direction", DF_VECTOR0}}},
    {MVI_TANGENT_BIVECTOR, "tangent bivector", nullptr,
     {{"Weight", DF_SCALAR0}, {"Point", DF_POINT0}, {"Normal", DF_VECTOR0}}},
    {MVI_TANGENT_TRIVECTOR, "tangent trivector", nullptr, {{"Weight", DF_SCALAR0}, {"Point", DF_POINT0}}},
    {MVI_FLAT_POINT, "flat point", nullptr, {{"Weight", DF_SCALAR0}, {"Point", DF_POINT0}}},
    {MVI_LINE, "line", nullptr,
     {{"Weight", DF_SCALAR0}, {"Direction", DF_VECTOR0}, {"Point closest to origin", DF_POINT0}}},
    {MVI_PLANE, "plane", nullptr,
     {{"Weight", DF_SCALAR0}, {"Normal", DF_VECTOR0}, {"Point closest to origin", DF_POINT0}}},
    {MVI_POINT_PAIR, "point pair", nullptr,
     {{"Radius", DF_SCALAR0_SHORT}, {"Weight", DF_SCALAR1_SHORT}, {"Point 1", DF_POINT1}, {"Point 2", DF_VECTOR0}}},
    {MVI_CIRCLE, "circle", nullptr,
     {{"Signed radius", DF_SCALAR0_SHORT},
      {"Weight", DF_SCALAR1_SHORT},
      {"Center point", DF_POINT0},
      {"Normal", DF_VECTOR0}}},
    {MVI_SPHERE, "sphere", nullptr,
     {{"Signed radius", DF_SCALAR0_SHORT}, {"Weight", DF_SCALAR1}, {"Center point", DF_POINT0}}},
    {0, nullptr, nullptr, {}},
};

} // namespace

// the short forms of what is unknown end without a full stop
const descriptionModel gaObjectKind<c3ga>::descriptions = {"c3ga", c_c3gaDescriptions, ""};

int c3gaObject::translate(glwindow *window, double depth, double motionX, double motionY)
{
	if (!m_int.m_valid || !(m_int.m_type & MVI_BLADE)) return 0;
	// the motion at the depth of the drag, and the translator by it
	const e3ga t = dragMotion(window, depth, motionX, motionY);
	const double *c = t.coordinates(2);
	const c3ga D(2, c[0], c[1], c[2], 0.0, 0.0);
	switch (kind()) {
	case MVI_FREE_VECTOR:
		// a direction loses t
		m_mv = op(sub(lcont(c3gai::no, m_mv), D), c3gai::ni);
		break;
	case MVI_ZERO:
	case MVI_SCALAR:
	case MVI_FREE_SCALAR:
	case MVI_FREE_BIVECTOR:
	case MVI_FREE_TRIVECTOR:
	case MVI_POINT:
	case MVI_TANGENT_VECTOR:
	case MVI_TANGENT_BIVECTOR:
	case MVI_TANGENT_TRIVECTOR:
	case MVI_FLAT_POINT:
	case MVI_LINE:
	case MVI_PLANE:
	case MVI_POINT_PAIR:
	case MVI_CIRCLE:
	case MVI_SPHERE: {
		// T^-1 X T with T = 1 - D ^ ni / 2 moves X by -t; free blades stay
		c3ga T = sub(1.0, gp(0.5, op(D, c3gai::ni)));
		m_mv = gp(gp(T.inverse(), m_mv), T);
		break;
	}
	default: return 0;
	}
	valueDragged();
	return 0;
}
