#pragma once
// Geometric helpers shared by the interpretation, the drawing code and the
// view: an OpenGL-layout matrix-vector product, the rotor that turns e3 onto
// a direction in each 3D model, the logarithm of an e3ga rotor and the
// rotation matrix of an e3ga rotor.
#include <cmath>

#include "c3ga/c3ga.h"
#include "e3ga/e3ga.h"
#include "p3ga/p3ga.h"

// r = M v for a 4x4 matrix m stored column by column (OpenGL's layout).
void GLmatrixVectorMul(const double *m, const double *v, double *r);

// R = 1 + v' e3 (v' the normalised v): the unnormalised rotor turning e3
// onto the direction of v; e3^e1 when v points along -e3.  Return 0.
int e3gaRve3(e3ga &R, const e3ga &v);
int p3gaRve3(p3ga &R, const p3ga &v);
int c3gaRve3(c3ga &R, const c3ga &v);

// B = log(R) for a rotor R, so that exp(B) = R / |R|; 0 for a rotation by
// no angle (or by pi, whose plane the rotor does not tell).  Returns 0.
int rotor2Bivector(e3ga &B, const e3ga &R);

// A column-major 4x4 matrix whose upper 3x3 block holds, as columns, the
// images of e1, e2 and e3 under the rotor; fourth row and column (0, 0, 0, 1).
int e3gaRotorToOpenGLMatrix(const e3ga &rot, float *rotM);

// Below this norm 1 + v' e3 is no rotor: v points (almost) along -e3.
constexpr double sc_rve3MinimumNorm = 1e-8;

// The rotor turning e3 onto v in any of the three 3D models, which share the
// names e1 and e3 of the Euclidean basis vectors.
template <class V> int rotorTurningE3Onto(V &R, const V &v)
{
	typedef typename V::implClass I;
	V unit = v.normal(1);
	R = add(1.0, gp(unit, I::e3));
	if (std::sqrt(R.norm_a()) < sc_rve3MinimumNorm) R = op(I::e3, I::e1);
	return 0;
}
