#pragma once
// Telling blades, versors and general multivectors apart; projection and
// rejection with respect to a blade; projection onto a versor; reciprocal
// frames of a set of vectors.
#include <cmath>

namespace ga {

// Results of mvType, indexing the algebra's type-name table.
enum mvTypeCode { MVT_UNDEFINED = 0, MVT_BLADE = 1, MVT_VERSOR = 2, MVT_MULTIVECTOR = 3 };

// True when x, compressed already, is the scalar 1 within epsilon and nothing else.
template <class D> bool isUnitScalar(const D &x, double epsilon)
{
	if (x.gradeUsage() != 1) return false;
	double m = x.c[0];
	return m >= 1.0 - epsilon && m <= 1.0 + epsilon;
}

// The classification is taken under the Euclidean metric (the ordinary one in
// e3ga and p3ga), so that values holding null vectors still classify.
template <class D, class Def, class S> int mvImpl<D, Def, S>::mvType(int *grade, double epsilon) const
{
	const D &x = self();
	if (grade) *grade = 0;
	// X times its reverse must be a non-zero scalar s
	D r, s;
	r.reverse(x);
	s.scpem(x, r);
	double sc = s.scalar();
	if (sc == 0.0) return MVT_MULTIVECTOR;
	// the candidate inverse ~X / s
	D y, m;
	y.op(1.0 / sc, r);
	// it must be an inverse on both sides
	m.gpem(y, x);
	m.compress(epsilon);
	if (!isUnitScalar(m, epsilon)) return MVT_MULTIVECTOR;
	m.gpem(x, y);
	m.compress(epsilon);
	if (!isUnitScalar(m, epsilon)) return MVT_MULTIVECTOR;
	// X^-1 e X must be a vector (or vanish) for every basis vector e
	D t;
	for (int i = 0; i < Def::dim; i++) {
		t.gpem(y, *D::bv[i]);
		m.gpem(t, x);
		m.compress(epsilon);
		if (m.gradeUsage() & ~2) return MVT_MULTIVECTOR;
	}
	// normalise before the final compression, so that epsilon is relative to X
	D n;
	n.op(1.0 / std::sqrt(std::fabs(sc)), x);
	n.compress(epsilon);
	int u = n.gradeUsage();
	if (u == 0) return MVT_BLADE;
	// the bit of the highest grade left, and how many grades are left
	int count = 0;
	for (int g = 0; g <= Def::dim; g++) {
		if (!(u & (1 << g))) continue;
		count++;
		if (grade) *grade = 1 << g;
	}
	return count >= 2 ? MVT_VERSOR : MVT_BLADE;
}

template <class D, class Def, class S>
int mvImpl<D, Def, S>::reciprocalFrame(D *f, const D *e, int nbVectors)
{
	if (nbVectors < 1 || nbVectors > Def::dim) return 0;
	// A = e[0] ^ e[1] ^ ..., alternating between two values
	D a[2];
	int ca = 0;
	a[0].copy(e[0]);
	for (int j = 1; j < nbVectors; j++) {
		a[1 - ca].op(a[ca], e[j]);
		ca = 1 - ca;
	}
	D ai;
	int rc = ai.versorInverse(a[ca]);
	if (rc != 0) return rc;
	// f[i] = (-1)^i (e[0] ^ ... e[i] left out ... ^ e[n-1]) _| A^-1, kept
	// aside until all are done: f may be the same array as e
	D result[Def::dim];
	D b[2];
	for (int i = 0; i < nbVectors; i++) {
		int cb = 0;
		b[0].setScalar((i & 1) ? -1.0 : 1.0);
		for (int j = 0; j < nbVectors; j++) {
			if (j == i) continue;
			b[1 - cb].op(b[cb], e[j]);
			cb = 1 - cb;
		}
		result[i].lcont(b[cb], ai);
	}
	for (int i = 0; i < nbVectors; i++) f[i].copy(result[i]);
	return 0;
}

// In these four the inverse and the first product are complete before this
// value is written, so blade, versor or a may be this value.

template <class D, class Def, class S> int mvImpl<D, Def, S>::project(const D &blade, const D &a)
{
	D inverse, tmp;
	inverse.versorInverse(blade);
	tmp.lcont(a, blade);
	lcont(tmp, inverse);
	return 0;
}

template <class D, class Def, class S> int mvImpl<D, Def, S>::reject(const D &blade, const D &a)
{
	D inverse, tmp;
	inverse.versorInverse(blade);
	tmp.op(blade, a);
	lcont(inverse, tmp);
	return 0;
}

template <class D, class Def, class S>
int mvImpl<D, Def, S>::projectOntoVersor(const D &versor, const D &a)
{
	D inverse, tmp;
	inverse.versorInverse(versor);
	tmp.lcont(a, versor);
	gp(tmp, inverse);
	return 0;
}

template <class D, class Def, class S> int mvImpl<D, Def, S>::projectEM(const D &blade, const D &a)
{
	D inverse, tmp;
	inverse.versorInverseEM(blade);
	tmp.lcem(a, blade);
	lcem(tmp, inverse);
	return 0;
}

} // namespace ga
