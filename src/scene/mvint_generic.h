#pragma once
// Pieces of the classifiers that the three 3D models share: reading
// Euclidean coordinates, the grade of a blade, the factorisation of a
// Euclidean 2-blade into a normal and two factors, and the fields that an
// attitude of one to three dimensions fills.  e3ga, p3ga and c3ga all name
// their Euclidean basis vectors e1, e2, e3 and store them first.
#include <cmath>

#include "c3ga/c3ga.h"
#include "e3ga/e3ga.h"
#include "draw/geomutil.h"
#include "scene/mvint.h"
#include "scene/mvint_services.h"
#include "p3ga/p3ga.h"

namespace mvi {

// The reading kept while an mvIntSharing is alive (see mvint.h): I becomes
// it when it was made of the value of that model, usage word and stored
// coordinates (count of them) with the same creation flags.
bool takeSharedReading(mvInt &I, int model, int usage, const double *c, int count, int creationFlags);
// Keeps I as the reading of that value while an mvIntSharing is alive and I is valid.
void keepSharedReading(const mvInt &I, int model, int usage, const double *c, int count, int creationFlags);

// A new reading of X as the constructors make it: the kept one when it fits.
template <class V> void freshReading(mvInt &I, int model, const V &X, int creationFlags)
{
	if (takeSharedReading(I, model, X.usage, X.c, X.memUsage(), creationFlags)) return;
	I.initToNothing();
	I.interpret(X, creationFlags);
	keepSharedReading(I, model, X.usage, X.c, X.memUsage(), creationFlags);
}

// Two projected factors must span at least this fraction of the squared area
// of the blade they factor; less, and they are (nearly) parallel or (nearly)
// orthogonal to its plane, and the default factors serve instead.
constexpr double sc_minimumFactorSpan2 = 1e-12;

inline void setVec3(double *d, double x, double y, double z)
{
	d[0] = x;
	d[1] = y;
	d[2] = z;
}

// d = f s
inline void scaleVec3(double *d, const double *s, double f) { setVec3(d, f * s[0], f * s[1], f * s[2]); }

inline void copyVec3(double *d, const double *s) { setVec3(d, s[0], s[1], s[2]); }

// The e1, e2, e3 coordinates of the vector part of v.
template <class V> void euclideanOf(const V &v, double *xyz) { copyVec3(xyz, v.coordinates(2)); }

// The vector xyz[0] e1 + xyz[1] e2 + xyz[2] e3.
template <class V> V euclideanVector(const double *xyz)
{
	double c[V::dim] = {};
	for (int i = 0; i < 3; i++) c[i] = xyz[i];
	return V(2, c);
}

// Added to log2 of a grade bitmap before truncation: exact powers of two
// survive the rounding of the logarithm.
constexpr double sc_gradeRounding = 0.45;

// The grade of a blade from the grade bitmap of its classification; -1 for
// an empty bitmap, whose logarithm does not exist.
inline int gradeOfBitmap(int bitmap)
{
	if (bitmap <= 0) return -1;
	return (int)(std::log((double)bitmap) / std::log(2.0) + sc_gradeRounding);
}

// D / s; zero for s = 0, since a weightless blade has no unit attitude.
template <class V> V &dividedBy(const V &D, double s) { return gp(s == 0.0 ? 0.0 : 1.0 / s, D); }

// e1 ^ e2 ^ e3 of the model.
template <class V> const V &euclideanPseudoscalar()
{
	typedef typename V::implClass I;
	static const V I3 = op(op(I::e1, I::e2), I::e3);
	return I3;
}

// The reverse of e1 ^ e2 ^ e3 of the model, computed once.
template <class V> const V &euclideanPseudoscalarReverse()
{
	static const V reverse = euclideanPseudoscalar<V>().reverse();
	return reverse;
}

// The e1^e2^e3 coordinate of D: the Euclidean basis is orthonormal, so the
// scalar product with the reverse of e1^e2^e3 picks it out.
template <class V> double euclideanVolume(const V &D) { return scp(D, euclideanPseudoscalarReverse<V>()).scalar(); }

// The sum of the squares of the grade-g coordinates of X, in their order:
// X.grade(1 << g).norm_a() without the copy of the grade part.
template <class V> double gradeNorm2(const V &X, int g)
{
	if (!(X.gradeUsage() & (1 << g))) return 0.0;
	return ga::sumOfSquares(X.coordinates(1 << g), V::def::gradeSize[g]);
}

inline const e3ga *storedFactorsOf(const e3ga &) { return storedE3gaFactors(); }
inline const p3ga *storedFactorsOf(const p3ga &) { return storedP3gaFactors(); }
inline const c3ga *storedFactorsOf(const c3ga &) { return storedC3gaFactors(); }

// (e1 ^ e2 ^ e3)^-1 of the model, computed once.
template <class V> const V &euclideanPseudoscalarInverse()
{
	static const V inverse = euclideanPseudoscalar<V>().inverse();
	return inverse;
}

// The unit normal of the Euclidean 2-blade B: B _| (e1^e2^e3)^-1, normalised.
template <class V> void bivectorNormal(const V &B, double *normal)
{
	euclideanOf(lcont(B, euclideanPseudoscalarInverse<V>()).normal(1), normal);
}

// The vector parts of the first two stored factors projected onto the plane
// of B; false when either is missing or the two span (almost) nothing there.
template <class V> bool projectedFactors(const V &B, V &f0, V &f1)
{
	const V *stored = storedFactorsOf(B);
	if (stored == nullptr || !(stored[0].norm_a() > 0.0) || !(stored[1].norm_a() > 0.0)) return false;
	V inverse = B.inverse();
	f0 = lcont(lcont(stored[0], B), inverse).grade(2);
	f1 = lcont(lcont(stored[1], B), inverse).grade(2);
	return op(f0, f1).norm_a() > sc_minimumFactorSpan2 * B.norm_a();
}

// Unit factors turned from e1 and e2 by the rotor taking e3 onto the normal.
template <class V> void rotorFactors(const double *normal, V &f0, V &f1)
{
	typedef typename V::implClass I;
	V R;
	rotorTurningE3Onto(R, euclideanVector<V>(normal));
	V inverse = R.inverse();
	f0 = gpVectorPart(gp(R, I::e1), inverse);
	f1 = gpVectorPart(gp(R, I::e2), inverse);
}

// Scales f0 and f1 by the square root of k = B (f0 ^ f1)^-1, the first one
// carrying its sign, so that f0 ^ f1 = B.
template <class V> void scaleFactorsToBlade(const V &B, V &f0, V &f1)
{
	// the scalar of a geometric product is its scalar product's, bit for bit
	double k = scp(B, op(f0, f1).inverse()).scalar();
	double r = std::sqrt(std::fabs(k));
	f0 = gp(k < 0.0 ? -r : r, f0);
	f1 = gp(r, f1);
}

// The factors of the 2-blade B of the given normal: the stored factors
// projected onto it when they serve, else the rotor's unit factors, scaled
// to B as well when scaleDefault is set.  A null factor is skipped.
template <class V>
void bivectorFactors(const V &B, const double *normal, bool scaleDefault, double *factor1, double *factor2)
{
	V f0, f1;
	if (projectedFactors(B, f0, f1)) {
		scaleFactorsToBlade(B, f0, f1);
	} else {
		rotorFactors(normal, f0, f1);
		if (scaleDefault) scaleFactorsToBlade(B, f0, f1);
	}
	if (factor1) euclideanOf(f0, factor1);
	if (factor2) euclideanOf(f1, factor2);
}

template <class V> int factorBivector(const V &B, double *normal, double *factor1, double *factor2)
{
	bivectorNormal(B, normal);
	bivectorFactors(B, normal, true, factor1, factor2);
	return 0;
}

// The fields of an attitude D of k dimensions and squared weight w: k = 0
// its scalar; k = 1 the weight and unit direction; k = 2 the weight, unit
// normal and factors; k = 3 the signed volume.  sign flips the direction or
// the volume.
template <class V> void fillAttitude(mvInt &I, const V &D, int k, double w, double sign)
{
	double s = std::sqrt(std::fabs(w));
	switch (k) {
	case 0: I.m_scalar[0] = D.scalar(); break;
	case 1:
		I.m_scalar[0] = s;
		euclideanOf(dividedBy(D, s), I.m_vector[0]);
		scaleVec3(I.m_vector[0], I.m_vector[0], sign);
		break;
	case 2:
		I.m_scalar[0] = s;
		factorBivector(V(dividedBy(D, s)), I.m_vector[0], I.m_vector[1], I.m_vector[2]);
		break;
	case 3: I.m_scalar[0] = sign * euclideanVolume(D); break;
	default: break;
	}
}

// Values of a squared norm below this are the zero kind (p3ga, c3ga).
constexpr double sc_zeroNorm2 = 1e-6;

// The start that p3ga and c3ga share: the zero kind, then whether X is read
// as a blade, and of which grade.  False when the reading ends here: zero,
// no blade, or a value forced to be a blade that has no grade to read.
template <class V> bool readAsBlade(mvInt &I, const V &X, int flags, double typeEpsilon, int &grade)
{
	if (X.norm_a() < sc_zeroNorm2) {
		I.m_type |= MVI_ZERO;
		I.m_valid = 1;
		return false;
	}
	int bitmap = 0;
	int t = mvIntSharing::classify(X, &bitmap, typeEpsilon);
	bool blade = (flags & OC_BLADE) || (!(flags & OC_VERSOR) && t == ga::MVT_BLADE);
	grade = gradeOfBitmap(bitmap);
	I.m_valid = blade && grade >= 0 ? 1 : 0;
	return I.m_valid == 1;
}

} // namespace mvi
