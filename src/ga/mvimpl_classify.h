#pragma once
// Telling blades, versors and general multivectors apart; projection and
// rejection with respect to a blade; projection onto a versor; reciprocal
// frames of a set of vectors.
#include <cmath>

namespace ga {

// Results of mvType, indexing the algebra's type-name table.
enum mvTypeCode { MVT_UNDEFINED = 0, MVT_BLADE = 1, MVT_VERSOR = 2, MVT_MULTIVECTOR = 3 };

// A value of algebra Def held on the stack, for the intermediate values of
// the classification: no pool block is taken or given back, and a product
// writes in place.
template <class Def> class mvScratch : public mvImpl<mvScratch<Def>, Def, scratchStorage<Def>> {
public:
	mvScratch() {}
	// The coordinates of x, a value of the algebra kept in any storage.
	template <class V> explicit mvScratch(const V &x)
	{
		this->usage = x.usage;
		Def::copy(this->c, x.c, x.memUsage());
	}
};

// The grades that x.compress(epsilon) would keep: those with a coordinate
// beyond epsilon, that is of a magnitude above it (a NaN has none).
template <class X> int gradesBeyond(const X &x, double epsilon)
{
	typedef typename X::def Def;
	int kept = 0;
	const double *p = x.c;
	forEachGrade<Def>([&](auto g) {
		constexpr int G = decltype(g)::value;
		if (!(x.usage & (1 << G))) return;
		bool beyond = false;
		for (int i = 0; i < Def::gradeSize[G]; i++) beyond |= std::fabs(p[i]) > epsilon;
		kept |= beyond << G;
		p += Def::gradeSize[G];
	});
	return kept;
}

// True when x compressed with epsilon is the scalar 1 within epsilon and nothing else.
template <class X> bool isUnitScalar(const X &x, double epsilon)
{
	if (gradesBeyond(x, epsilon) != 1) return false;
	double m = x.c[0];
	return m >= 1.0 - epsilon && m <= 1.0 + epsilon;
}

// t = y e_i under the Euclidean metric, for a finite y: every basis blade
// times an orthonormal vector is one basis blade, so the product moves the
// coordinates of y and flips some signs.  Each one is added to 0.0 as the
// product's sums are, so that the bits are the product's.
template <class X> void timesBasisVector(X &t, const X &y, int i)
{
	typedef typename X::def Def;
	const int *image = Def::vectorImages + i * Def::nbCoor;
	const int gy = y.gradeUsage();
	const int producible = ((gy << 1) | (gy >> 1)) & Def::gradeMask;
	double full[Def::nbCoor];
	forEachGrade<Def>([&](auto g) {
		constexpr int G = decltype(g)::value;
		if (producible & (1 << G))
			clearEach(full + Def::gradeOffset[G], std::make_integer_sequence<int, Def::gradeSize[G]>());
	});
	const double *p = y.c;
	forEachGrade<Def>([&](auto g) {
		constexpr int G = decltype(g)::value;
		if (!(gy & (1 << G))) return;
		for (int j = 0; j < Def::gradeSize[G]; j++) {
			int e = image[Def::gradeOffset[G] + j];
			full[e >> 1] = (e & 1) ? 0.0 - p[j] : 0.0 + p[j];
		}
		p += Def::gradeSize[G];
	});
	t.compress(full, producible);
}

// The classification is taken under the Euclidean metric (the ordinary one in
// e3ga and p3ga), so that values holding null vectors still classify.  Its
// intermediate values are scratch values; each test that a product compressed
// with epsilon keeps certain grades reads the product as it is.
template <class X> int classifyScratch(const X &x, int *grade, double epsilon)
{
	typedef typename X::def Def;
	if (grade) *grade = 0;
	// X times its reverse must be a non-zero scalar s
	X r, s;
	r.reverse(x);
	s.scpem(x, r);
	double sc = s.scalar();
	if (sc == 0.0) return MVT_MULTIVECTOR;
	// the candidate inverse ~X / s
	X y, m;
	y.op(1.0 / sc, r);
	// it must be an inverse on both sides
	m.gpem(y, x);
	if (!isUnitScalar(m, epsilon)) return MVT_MULTIVECTOR;
	m.gpem(x, y);
	if (!isUnitScalar(m, epsilon)) return MVT_MULTIVECTOR;
	// X^-1 e X must be a vector (or vanish) for every basis vector e: no
	// other part beyond epsilon.  Y X is 1 within epsilon, so Y and X are
	// finite: Y e is the product's.
	X t;
	for (int i = 0; i < Def::dim; i++) {
		timesBasisVector(t, y, i);
		m.template productPart<P_GPEM, PART_NONVECTOR>(t, x);
		if (gradesBeyond(m, epsilon)) return MVT_MULTIVECTOR;
	}
	// normalise before the final compression, so that epsilon is relative to X
	X n;
	n.op(1.0 / std::sqrt(std::fabs(sc)), x);
	int u = gradesBeyond(n, epsilon);
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

template <class D, class Def, class S> int mvImpl<D, Def, S>::mvType(int *grade, double epsilon) const
{
	return classifyScratch(mvScratch<Def>(self()), grade, epsilon);
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
