#pragma once
// Join (smallest blade containing two blades), meet (their largest common
// blade) and factorization of a blade into vectors.  Every product here is
// taken under the Euclidean metric (the ordinary one in e3ga and p3ga), so
// blades holding null vectors join, meet and factor like any others.
#include <algorithm>
#include <cmath>

namespace ga {

// A coordinate of the geometric product of two blades at most this large is
// taken as rounding noise when finding the grade of their delta product.
constexpr double sc_deltaProductEpsilon = 1e-14;

// The grade of the join of blades of grades ga and gb whose delta product has
// grade gd.  (ga + gb + gd) / 2 is exact for blades; when the product is too
// small to show any grade (gd reported 0 for blades of unequal grades) it
// would fall below the larger grade, so the result is kept within
// [max(ga, gb), min(ga + gb, dim)], the grades a join can have at all.
template <int dim> int joinGradeOf(int ga, int gb, int gd)
{
	ga = std::clamp(ga, 0, dim);
	gb = std::clamp(gb, 0, dim);
	if (ga == 0 || gb == 0) return ga + gb;
	int gj = (gd + ga + gb) >> 1;
	return std::clamp(gj, std::max(ga, gb), std::min(ga + gb, dim));
}

// The part of a to join or meet with: a itself when it has one grade, else
// its grade part of largest sum of squares, gathered into local.
template <class D> const D &homogeneousPart(const D &a, D &local, int &g)
{
	g = a.grade();
	if (g >= 0) return a;
	g = a.largestGrade();
	local.takeGrade(a, 1 << g);
	return local;
}

template <class D, class Def, class S> int mvImpl<D, Def, S>::highestGrade(const D &a, double epsilon)
{
	int bm = a.gradeUsage();
	int end = a.memUsage();
	// from the top grade down, the first part with a coordinate above epsilon
	for (int g = Def::dim; g >= 0; g--) {
		if (!(bm & (1 << g))) continue;
		int start = end - Def::gradeSize[g];
		for (int i = start; i < end; i++) {
			if (std::fabs(a.c[i]) <= epsilon) continue; // a NaN counts as above
			// a may be this value: take the coordinates out before resizing
			double part[Def::maxGradeSize];
			Def::copy(part, a.c + start, Def::gradeSize[g]);
			set(1 << g, part);
			return g;
		}
		end = start;
	}
	null();
	return 0;
}

// Keeps every grade, and so every table and array index, within the
// algebra: tiny blades can report a join grade below the larger blade.
// True when the join is the whole space.
template <class Def> bool clampJoinGrades(int &ga, int &gb, int &gj)
{
	ga = std::clamp(ga, 0, Def::dim);
	gb = std::clamp(gb, 0, Def::dim);
	gj = std::clamp(gj, std::max(ga, gb), std::min(ga + gb, Def::dim));
	return gj == Def::dim;
}

template <class D, class Def, class S> int mvImpl<D, Def, S>::deltaProduct(const D &a, const D &b)
{
	D product;
	product.gpem(a, b);
	return highestGrade(product, sc_deltaProductEpsilon);
}

template <class D, class Def, class S>
int mvImpl<D, Def, S>::joinAlg1(const D &a, const D &b, int ga, int gb, int gj)
{
	if (clampJoinGrades<Def>(ga, gb, gj)) {
		copy(D::I);
		return gj;
	}
	// b1 the larger blade, rg the grade that b2 must add to it
	const D &b1 = ga > gb ? a : b;
	const D &b2 = ga > gb ? b : a;
	int rg = gj - std::max(ga, gb);
	// the projection onto b2 is (x _| b2) _| b2^-1; its inverse serves every candidate
	D b2inverse;
	b2inverse.versorInverseEM(b2);
	double coordinates[Def::maxGradeSize] = {0.0};
	D be, contracted, projected, candidate[2];
	int best = -1, next = 0;
	double largestNorm = -1.0;
	for (int i = 0; i < Def::gradeSize[rg]; i++) {
		// the i-th basis blade of grade rg
		coordinates[i] = 1.0;
		if (i > 0) coordinates[i - 1] = 0.0;
		be.set(1 << rg, coordinates);
		// b1 ^ (its projection onto b2); the largest wins, the first on ties
		contracted.lcem(be, b2);
		projected.lcem(contracted, b2inverse);
		candidate[next].op(b1, projected);
		double nm = candidate[next].norm_a();
		if (!(largestNorm >= nm)) {
			largestNorm = nm;
			best = next;
			next = 1 - next;
		}
	}
	// a or b may be this value: it is written only now
	copy(candidate[best]);
	return gj;
}

template <class D, class Def, class S>
int mvImpl<D, Def, S>::joinAlg2(const D &a, const D &b, int ga, int gb, int gj)
{
	if (clampJoinGrades<Def>(ga, gb, gj)) {
		copy(D::I);
		return gj;
	}
	// the larger blade enters whole, the smaller one as its factors
	D factors[Def::dim];
	D res[Def::dim + 1];
	int factorsTried[Def::dim + 1];
	int lg, nf;
	if (ga > gb) {
		nf = b.factor(factors, 0);
		if (nf != gb) return -1;
		res[ga].copy(a);
		lg = ga;
	} else {
		nf = a.factor(factors, 0);
		if (nf != ga) return -1;
		res[gb].copy(b);
		lg = gb;
	}
	if (lg == gj) {
		copy(res[gj]);
		return gj;
	}
	// every choice of gj - lg factors in increasing index order, depth first;
	// the partial join of level cg + 1 is res[cg] ^ factors[t]
	D best;
	double largestNorm = -1.0;
	bool found = false;
	factorsTried[lg] = 0;
	int cg = lg;
	while (cg >= lg) {
		int t = factorsTried[cg];
		if (t >= nf) {
			cg--;
			continue;
		}
		res[cg + 1].op(res[cg], factors[t]);
		factorsTried[cg] = factorsTried[cg + 1] = t + 1;
		if (cg + 1 < gj) {
			cg++;
			continue;
		}
		// a complete candidate: the largest wins, the first on ties
		double nm = res[gj].norm_a();
		if (!(largestNorm >= nm)) {
			best.copy(res[gj]);
			largestNorm = nm;
		}
		found = true;
	}
	if (!found) return -1;
	copy(best);
	return gj;
}

// Steps of the join shared with the meet: ca and cb are homogeneous, of
// grades ga and gb, and gd is the grade of their delta product.
template <class D> int joinOfParts(D &x, const D &ca, const D &cb, int ga, int gb, int gd, int algorithm)
{
	// a scalar joined with anything is their outer product
	if (ga == 0) {
		x.op(ca, cb);
		return gb;
	}
	if (gb == 0) {
		x.op(cb, ca);
		return ga;
	}
	int gj = joinGradeOf<D::dim>(ga, gb, gd);
	if (algorithm == 1) return x.joinAlg1(ca, cb, ga, gb, gj);
	return x.joinAlg2(ca, cb, ga, gb, gj);
}

template <class D, class Def, class S> int mvImpl<D, Def, S>::join(const D &a, const D &b, int algorithm)
{
	D la, lb;
	int ga, gb;
	const D &ca = homogeneousPart(a, la, ga);
	const D &cb = homogeneousPart(b, lb, gb);
	int gd = 0;
	if (ga != 0 && gb != 0) {
		D delta;
		gd = delta.deltaProduct(ca, cb);
	}
	return joinOfParts(self(), ca, cb, ga, gb, gd, algorithm);
}

template <class D, class Def, class S> int mvImpl<D, Def, S>::meet(const D &a, const D &b, int algorithm)
{
	D la, lb;
	int ga, gb;
	const D &ca = homogeneousPart(a, la, ga);
	const D &cb = homogeneousPart(b, lb, gb);
	// the delta product serves both the join and the meet itself
	D d, j, jinverse;
	int gd = d.deltaProduct(ca, cb);
	joinOfParts(j, ca, cb, ga, gb, gd, algorithm);
	if (jinverse.versorInverseEM(j) != 0) {
		null();
		return 0;
	}
	lcem(d, jinverse);
	// the meet's grade is what the two grades have beyond the join's
	return ga + gb - joinGradeOf<Def::dim>(ga, gb, gd);
}

template <class D, class Def, class S> int mvImpl<D, Def, S>::factor(D *factors, int versor) const
{
	const D &x = self();
	int g = versor ? x.maxGrade() : x.grade();
	if (g <= 0) return 0;
	// every factor but the last gets the g-th root of the blade's size
	double s = std::pow(std::sqrt(x.norm_a()), 1.0 / g);
	// the basis blade of the largest grade-g coordinate, the first on ties
	const double *cg = x.coordinates(1 << g);
	int idx = 0;
	double maxC = std::fabs(cg[0]);
	for (int i = 1; i < Def::gradeSize[g]; i++) {
		double tmpC = std::fabs(cg[i]);
		if (tmpC > maxC) {
			maxC = tmpC;
			idx = i;
		}
	}
	int bev = Def::newBevt[Def::mvSize[(1 << g) - 1] + idx];
	// factors may hold this value: everything of it is read before the first write
	D ca[2];
	ca[0].copy(x);
	int cca = 0;
	if (g == 1) {
		factors[0].takeGrade(ca[0], 2);
		return 1;
	}
	// the moving basis vector starts on the first one, which is never used itself
	static constexpr double bvc[Def::dim] = {1.0};
	double moving[Def::dim];
	Def::copy(moving, bvc, Def::dim);
	int j = 0;
	D tmpbv, tmp, fi;
	for (int i = 1; i < g; i++) {
		// on to the next basis vector of the chosen basis blade
		do {
			moving[j] = 0.0;
			moving[++j] = 1.0;
		} while (!(bev & (1 << j)) && j < Def::dim - 1);
		tmpbv.set(2, moving);
		// its projection onto what remains, scaled, is the next factor
		tmp.projectEM(ca[cca], tmpbv);
		factors[i - 1].op(s, tmp);
		// divide that factor out of what remains
		fi.versorInverseEM(factors[i - 1]);
		if (versor) ca[1 - cca].gpem(fi, ca[cca]);
		else ca[1 - cca].lcem(fi, ca[cca]);
		cca = 1 - cca;
	}
	factors[g - 1].takeGrade(ca[cca], 2);
	return g;
}

} // namespace ga
