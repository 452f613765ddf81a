// The default automatic colouring that the global scope applies to every
// assigned value while "autocolor" is true: colour by grade, alpha by
// kind, stipple for imaginary rounds and free kinds of the conformal
// model, no weight for kinds whose size is not a weight. Each attribute is
// touched only when the user did not set it, through the ordinary setters,
// so that what it sets is recorded like an explicit setting.
#include "console/consolevariable.h"
#include "console/consoleviewerfunctions.h"
#include "scene/mvint.h"
#include "scene/object.h"

namespace {

// The colour setter of each grade, 0 to 5; other grades keep their colour.
cf_entry *const c_gradeColor[] = {cf_black, cf_red, cf_blue, cf_green, cf_yellow, cf_white};
constexpr int sc_nbGradeColors = sizeof(c_gradeColor) / sizeof(c_gradeColor[0]);

// The kinds drawn see-through, type words in full: the e3ga trivector and
// the c3ga spheres and planes, dual or not.
constexpr int c_translucentTypes[] = {MVI_MODEL_E3GA | MVI_TRIVECTOR, MVI_MODEL_C3GA | MVI_SPHERE,
                                      MVI_MODEL_C3GA | MVI_DUAL | MVI_SPHERE, MVI_MODEL_C3GA | MVI_PLANE,
                                      MVI_MODEL_C3GA | MVI_DUAL | MVI_PLANE};
constexpr float sc_translucentAlpha = 0.5f;

// The kind family of a type word: the kind without its last three bits
// and without the dual and versor bits (free kinds, rounds, flats).
constexpr int sc_familyMask = 0x5F8;
constexpr int sc_kindMask = 0x5FF;
constexpr int sc_freeFamily = MVI_FREE_SCALAR;
constexpr int sc_roundFamily = MVI_POINT_PAIR & sc_familyMask;
constexpr int sc_flatFamily = MVI_FLAT_POINT & sc_familyMask;

bool ofModel(int T, int model) { return (T & MVI_MODEL_MASK) == model; }

} // namespace

consoleVariable *cf_autocolorfunc(consoleScope *s, consoleVariable **a, const consoleFunc_s *row)
{
	consoleVariable *x = a[0];
	// what it sets is no setting of the user's, which would keep the look
	// of the object the value was read from
	x->objectLook(0);
	const int F = x->forceFlags();
	mvInt *I = x->interpretation();
	const int T = I != nullptr && I->m_valid ? I->m_type : 0;
	const int g = x->grade();
	// colour by grade
	if (!(F & FF_COPY_COLORS) && g >= 0 && g < sc_nbGradeColors) c_gradeColor[g](s, a, row);
	// alpha by kind
	if (!(F & FF_COPY_ALPHAS)) {
		float alpha = 1.0f;
		for (int t : c_translucentTypes)
			if (T == t) alpha = sc_translucentAlpha;
		cf_alpha_internal(x, alpha);
	}
	// stipple: conformal free kinds, and rounds of negative signed radius
	if (!(F & DM_STIPPLE) && ofModel(T, MVI_MODEL_C3GA)) {
		cf_no_stipple(s, a, row);
		const int family = T & sc_familyMask;
		if (family == sc_freeFamily || (family == sc_roundFamily && I->m_scalar[0] < 0.0)) cf_stipple(s, a, row);
	}
	// weight: off for the conformal rounds, flats, points and free scalars, and projective lines and planes
	if (!(F & DM_MAGNITUDE)) {
		const int family = T & sc_familyMask, kind = T & sc_kindMask;
		bool conformal = ofModel(T, MVI_MODEL_C3GA) && (family == sc_roundFamily || family == sc_flatFamily ||
		                                               kind == MVI_POINT || kind == MVI_FREE_SCALAR);
		bool projective = ofModel(T, MVI_MODEL_P3GA) && family == sc_flatFamily;
		if (conformal || projective) cf_no_weight(s, a, row);
	}
	delete I;
	return x;
}
