// e3ga: scalars, vectors, bivectors, trivectors, rotors and odd versors.
#include <algorithm>
#include <cmath>

#include "scene/mvint_generic.h"

// Relative epsilon with which e3ga values are told apart as blades and versors.
constexpr double sc_e3gaTypeEpsilon = 1e-14;
// A unit rotor whose bivector part, or the sine of whose half angle, is
// below this turns by no angle.
constexpr double sc_rotorMinimumSine = 1e-7;

mvInt::mvInt(const e3ga &mv, int creationFlags) { mvi::freshReading(*this, MVI_MODEL_E3GA, mv, creationFlags); }

int mvInt::interpret(const e3ga &value, int creationFlags)
{
	// flags 0 repeat the reading asked for last time
	if (creationFlags != 0) m_creationFlags = creationFlags;
	int flags = m_creationFlags;
	m_type = MVI_MODEL_E3GA;
	// what the flags ask for wins over what the value is; a blade over a
	// versor.  The value is classified where its type or its grade is read.
	const bool forced = flags & (OC_BLADE | OC_VERSOR);
	int t = (flags & OC_BLADE) ? ga::MVT_BLADE : ga::MVT_VERSOR;
	int bitmap = 0;
	if (!forced || (t == ga::MVT_BLADE && !(flags & OC_GRADE_MASK))) {
		int classified = mvIntSharing::classify(value, &bitmap, sc_e3gaTypeEpsilon);
		if (!forced) t = classified;
	}
	// a grade selection keeps only those grades, and they decide the kind
	e3ga selected;
	if (flags & OC_GRADE_MASK) {
		bitmap = flags & OC_GRADE_MASK;
		selected.takeGrade(value, bitmap);
	}
	const e3ga &X = (flags & OC_GRADE_MASK) ? selected : value;
	if (t == ga::MVT_BLADE) e3gaBlade(X, bitmap);
	else if (t == ga::MVT_VERSOR) e3gaVersor(X);
	m_valid = (t == ga::MVT_BLADE || t == ga::MVT_VERSOR) ? 1 : 0;
	return 0;
}

// The factors of a trivector: the stored factors (vector parts) scaled to a
// unit volume when they span one, else e1, e2, e3.
static void trivectorFactors(double (*vectors)[3])
{
	const e3ga *stored = storedE3gaFactors();
	e3ga f[3];
	if (stored)
		for (int i = 0; i < 3; i++) f[i] = stored[i].grade(2);
	double volume2 = op(op(f[0], f[1]), f[2]).norm_a();
	if (volume2 > 0.0) {
		double scale = 1.0 / std::cbrt(std::sqrt(volume2));
		for (int i = 0; i < 3; i++) mvi::euclideanOf(gp(scale, f[i]), vectors[i]);
		return;
	}
	for (int i = 0; i < 3; i++) mvi::euclideanOf(*e3gai::bv[i], vectors[i]);
}

void mvInt::e3gaBlade(const e3ga &X, int gradeBitmap)
{
	double s = std::sqrt(X.norm_a());
	switch (gradeBitmap) {
	case 1:
		setKind(MVI_SCALAR);
		m_scalar[0] = X.scalar();
		break;
	case 2:
		setKind(MVI_VECTOR);
		m_scalar[0] = s;
		mvi::euclideanOf(mvi::dividedBy(X, s), m_vector[0]);
		mvi::scaleVec3(m_point[0], m_vector[0], s);
		break;
	case 4:
		setKind(MVI_BIVECTOR);
		m_scalar[0] = s;
		mvi::euclideanOf(mvi::dividedBy(X.dual(), s), m_vector[0]);
		mvi::bivectorFactors(X, m_vector[0], false, m_vector[1], m_vector[2]);
		break;
	case 8:
		setKind(MVI_TRIVECTOR);
		m_scalar[0] = X.coordinates(8)[0];
		trivectorFactors(m_vector);
		break;
	default: break; // several grades: valid, of no kind
	}
}

void mvInt::e3gaVersor(const e3ga &X)
{
	double g0 = mvi::gradeNorm2(X, 0), g1 = mvi::gradeNorm2(X, 1);
	double g2 = mvi::gradeNorm2(X, 2), g3 = mvi::gradeNorm2(X, 3);
	if (g0 + g2 <= g1 + g3) {
		setKind(MVI_ODD_VERSOR);
		return;
	}
	setKind(MVI_ROTOR);
	double w = std::sqrt(g0 + g2);
	m_scalar[0] = w;
	// the plane of rotation: the rotor's bivector part at the rotor's
	// magnitude, read as a bivector
	if (g2 > 0.0) {
		mvInt plane;
		plane.e3gaBlade(gp(w, X.grade(4).normal(1)), 4);
		for (int i = 0; i < 3; i++) mvi::copyVec3(m_vector[i], plane.m_vector[i]);
	} else {
		// a rotation by no angle has no plane; the e1^e2 plane stands in
		mvi::setVec3(m_vector[0], 0.0, 0.0, 1.0);
		mvi::setVec3(m_vector[1], 1.0, 0.0, 0.0);
		mvi::setVec3(m_vector[2], 0.0, 1.0, 0.0);
	}
	// the angle from the unit rotor cos(a/2) + sin(a/2) B
	e3ga U = gp(1.0 / w, X);
	double c = U.scalar();
	double s = std::sqrt(mvi::gradeNorm2(U, 2));
	double halfAngle = std::acos(std::clamp(c, -1.0, 1.0));
	if (s < sc_rotorMinimumSine || std::sin(halfAngle) < sc_rotorMinimumSine) m_scalar[1] = 0.0;
	else m_scalar[1] = 2.0 * std::atan2(s, c);
}
