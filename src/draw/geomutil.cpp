#include "draw/geomutil.h"

void GLmatrixVectorMul(const double *m, const double *v, double *r)
{
	for (int i = 0; i < 4; i++) r[i] = m[i] * v[0] + m[i + 4] * v[1] + m[i + 8] * v[2] + m[i + 12] * v[3];
}

int e3gaRve3(e3ga &R, const e3ga &v) { return rotorTurningE3Onto(R, v); }
int p3gaRve3(p3ga &R, const p3ga &v) { return rotorTurningE3Onto(R, v); }
int c3gaRve3(c3ga &R, const c3ga &v) { return rotorTurningE3Onto(R, v); }

// A rotor part this small (squared) or an angle's sine this small leaves the
// plane of rotation undefined: the logarithm is taken as 0.
constexpr double sc_logMinimumBivector2 = 1e-9;
constexpr double sc_logMinimumSine = 1e-9;

int rotor2Bivector(e3ga &B, const e3ga &R)
{
	e3ga U = R.normal(1);
	e3ga bivector = U.grade(4);
	// a scalar part just beyond +-1 by rounding is still cos of 0 or pi
	double c = std::fmax(-1.0, std::fmin(1.0, U.scalar()));
	double angle = std::acos(c);
	double sine = std::sin(angle);
	if (bivector.norm_a() < sc_logMinimumBivector2 || sine < sc_logMinimumSine) {
		B.null();
		return 0;
	}
	B = gp(angle / sine, bivector);
	return 0;
}

int e3gaRotorToOpenGLMatrix(const e3ga &rot, float *rotM)
{
	e3ga inverse = rot.inverse();
	for (int col = 0; col < 3; col++) {
		// column col: the image of basis vector col
		const double *image = gp(gp(rot, *e3gai::bv[col]), inverse).coordinates(2);
		for (int row = 0; row < 3; row++) rotM[col * 4 + row] = (float)image[row];
		rotM[col * 4 + 3] = 0.0f;
	}
	rotM[12] = rotM[13] = rotM[14] = 0.0f;
	rotM[15] = 1.0f;
	return 0;
}
