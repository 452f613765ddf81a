// What an e3ga scene object says about itself, and how it changes when the
// user drags it.
#include "scene/gaobject.h"
#include "view/glwindow.h"

namespace {

const descriptionRow c_e3gaDescriptions[] = {
    {MVI_SCALAR, "scalar", "magnitude", {{"Magnitude", DF_SCALAR0}}},
    {MVI_VECTOR, "vector", nullptr, {{"Magnitude", DF_SCALAR0}, {"Direction", DF_VECTOR0}}},
    {MVI_BIVECTOR, "bivector", nullptr, {{"Magnitude", DF_SCALAR0}, {"Normal", DF_VECTOR0}}},
    {MVI_TRIVECTOR, "trivector", nullptr, {{"Magnitude", DF_SCALAR0}}},
    {MVI_ROTOR, "rotor", nullptr, {{"Angle", DF_SCALAR1}, {"Magnitude", DF_SCALAR0}, {"Normal", DF_VECTOR0}}},
    {0, nullptr, nullptr, {}},
};

} // namespace

const descriptionModel gaObjectKind<e3ga>::descriptions = {"e3ga", c_e3gaDescriptions, "."};

int e3gaObject::translate(glwindow *window, double depth, double motionX, double motionY)
{
	switch (kind()) {
	case MVI_VECTOR:
		// the tip follows the mouse at the depth where the drag began
		m_mv -= dragMotion(window, depth, motionX, motionY);
		break;
	case MVI_SCALAR:
	case MVI_BIVECTOR:
	case MVI_TRIVECTOR: dragMagnitude(motionX, motionY); break;
	default: return 0;
	}
	valueDragged();
	return 0;
}
