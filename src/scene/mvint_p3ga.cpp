// p3ga: blades with an e0 part are points, lines, planes and all of space;
// blades without one are Euclidean scalars, vectors, bivectors, trivectors.
#include <cmath>

#include "scene/mvint_generic.h"

// Relative epsilon with which p3ga values are told apart as blades.
constexpr double sc_p3gaTypeEpsilon = 1e-14;
// A squared e0 _| X at least this large makes X a homogeneous blade.
constexpr double sc_homogeneousNorm2 = 1e-6;
// Coordinates of a vector: e1, e2, e3, e0.
constexpr int sc_vectorE0 = 3;

mvInt::mvInt(const p3ga &mv, int creationFlags) { mvi::freshReading(*this, MVI_MODEL_P3GA, mv, creationFlags); }

int mvInt::interpret(const p3ga &X, int creationFlags)
{
	initToNothing();
	m_type = MVI_MODEL_P3GA;
	int grade = 0;
	if (!mvi::readAsBlade(*this, X, creationFlags, sc_p3gaTypeEpsilon, grade)) return 0;
	p3ga D = lcont(p3gai::e0, X);
	if (D.norm_a() >= sc_homogeneousNorm2) {
		// attitude e0 _| X, position (e0 _| X) _| X^-1
		p3ga M = lcont(D, X.inverse());
		p3gaHomogeneousSubspace(X, grade, D, M, lcont(D, D).scalar());
	} else {
		p3gaEuclideanSubspace(X, grade, X, lcont(X, X).scalar());
	}
	return 0;
}

int mvInt::p3gaHomogeneousSubspace(const p3ga &X, int grade, const p3ga &ori, const p3ga &pos, double size2)
{
	m_valid = 1;
	// the location: the position vector divided by its e0 coordinate
	const double *m = pos.coordinates(2);
	if (m[sc_vectorE0] != 0.0) mvi::scaleVec3(m_point[0], m, 1.0 / m[sc_vectorE0]);
	switch (grade) {
	case 1:
		setKind(MVI_POINT);
		m_scalar[0] = X.coordinates(2)[sc_vectorE0];
		break;
	case 2:
		setKind(MVI_LINE);
		mvi::fillAttitude(*this, ori, 1, size2, 1.0);
		break;
	case 3:
		setKind(MVI_PLANE);
		mvi::fillAttitude(*this, ori, 2, size2, 1.0);
		break;
	case 4:
		// the weight of space: its pseudoscalar coordinate
		setKind(MVI_SPACE);
		m_scalar[0] = X.coordinates(16)[0];
		break;
	default: m_valid = 0; break;
	}
	return 0;
}

int mvInt::p3gaEuclideanSubspace(const p3ga &, int grade, const p3ga &ori, double size2)
{
	if (grade < 0 || grade > 3) {
		m_valid = 0;
		return 0;
	}
	m_valid = 1;
	// scalar, vector, bivector and trivector follow each other as kinds
	setKind(MVI_SCALAR + grade);
	// a trivector's volume is minus its e1^e2^e3 coordinate
	mvi::fillAttitude(*this, ori, grade, size2, grade == 3 ? -1.0 : 1.0);
	if (grade == 1) mvi::euclideanOf(ori, m_point[0]);
	return 0;
}

int mvInt::p3gaFactorBivector(const p3ga &B, double *normal, double *factor1, double *factor2)
{
	return mvi::factorBivector(B, normal, factor1, factor2);
}
