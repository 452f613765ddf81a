// Highest grade, delta product, join, meet and factorization.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "reference/refcompare.h"

namespace {

using ref::near;
using ref::randomBlade;
using ref::randomVector;

template <class V> class JoinAll : public ::testing::Test {};
TYPED_TEST_SUITE(JoinAll, ref::Algebras);

template <class V> double dot(const V &a, const V &b)
{
	ref::coords fa = ref::fullOf(a), fb = ref::fullOf(b);
	double s = 0.0;
	for (int k = 0; k < V::nbCoor; k++) s += fa[k] * fb[k];
	return s;
}

// a is a non-zero multiple of b.
template <class V> ::testing::AssertionResult parallel(const V &a, const V &b, double tol)
{
	double bb = dot(b, b), s = bb > 0.0 ? dot(a, b) / bb : 0.0;
	V r = a - s * b;
	if (s != 0.0 && r.norm_a() <= tol * tol * a.norm_a()) return ::testing::AssertionSuccess();
	return ::testing::AssertionFailure() << a.string("%g") << " is no multiple of " << b.string("%g");
}

// The outer product of x and a vanishes, relative to their sizes: a lies in x.
template <class V> ::testing::AssertionResult contains(const V &x, const V &a, double tol)
{
	V w = x ^ a;
	if (w.norm_a() <= tol * tol * x.norm_a() * a.norm_a()) return ::testing::AssertionSuccess();
	return ::testing::AssertionFailure() << a.string("%g") << " is not in " << x.string("%g");
}

// --- highest grade and delta product -----------------------------------------------

TEST(HighestGrade, Examples)
{
	const e3ga e1 = e3gai::e1, e2 = e3gai::e2;
	e3ga x;
	EXPECT_EQ(x.highestGrade(1.0 + 0.05 * (e1 ^ e2), 0.1), 0);
	EXPECT_EQ(x.gradeUsage(), 1);
	EXPECT_EQ(x.scalar(), 1.0);
	EXPECT_EQ(x.highestGrade(0.05 * e1, 0.1), 0);
	EXPECT_EQ(x.gradeUsage(), 0);
	EXPECT_EQ(x.highestGrade(e1 + (e1 ^ e2), 0.1), 2);
	EXPECT_EQ(x.gradeUsage(), 4);
	EXPECT_TRUE(near(x, e3ga(e1 ^ e2)));
	// a NaN counts as above any epsilon
	e3ga n(2, 0.0, std::nan(""), 0.0);
	EXPECT_EQ(x.highestGrade(n, 0.1), 1);
	EXPECT_TRUE(std::isnan(x.coordinates(2)[1]));
	// the target may be the operand
	x = e1 + 3.0 * (e1 ^ e2);
	EXPECT_EQ(x.highestGrade(x, 0.1), 2);
	EXPECT_TRUE(near(x, e3ga(3.0 * (e1 ^ e2))));
}

TEST(DeltaProduct, Examples)
{
	const e3ga e1 = e3gai::e1, e2 = e3gai::e2;
	e3ga x;
	EXPECT_EQ(x.deltaProduct(e1, e1), 0);
	EXPECT_TRUE(near(x, e3ga(1.0)));
	EXPECT_EQ(x.deltaProduct(e1, e2), 2);
	EXPECT_TRUE(near(x, e3ga(e1 ^ e2)));
	EXPECT_EQ(x.deltaProduct(e1 ^ e2, e1), 1);
	EXPECT_TRUE(near(x, e3ga(-1.0 * e2)));
	// products below the fixed tolerance show no grade
	EXPECT_EQ(x.deltaProduct(1e-8 * e1, 1e-8 * e2), 0);
	EXPECT_EQ(x.gradeUsage(), 0);
	// under the Euclidean metric in c3ga: no no = 1
	c3ga y;
	EXPECT_EQ(y.deltaProduct(c3gai::no, c3gai::no), 0);
	EXPECT_TRUE(near(y, c3ga(1.0)));
	// the target may be an operand
	x = e1 ^ e2;
	EXPECT_EQ(x.deltaProduct(x, e1), 1);
	EXPECT_TRUE(near(x, e3ga(-1.0 * e2)));
}

// --- join --------------------------------------------------------------------------

TEST(Join, ExamplesInE3ga)
{
	const e3ga e1 = e3gai::e1, e2 = e3gai::e2, e3 = e3gai::e3;
	e3ga x;
	for (int alg = 1; alg <= 2; alg++) {
		// on equal grades the second argument is the larger blade
		EXPECT_EQ(x.join(e1, e2, alg), 2);
		EXPECT_TRUE(near(x, e3ga(-1.0 * (e1 ^ e2)))) << "algorithm " << alg;
		EXPECT_EQ(x.join(e1, e1, alg), 1);
		EXPECT_TRUE(near(x, e1));
		EXPECT_EQ(x.join(e1 ^ e2, e2 ^ e3, alg), 3);
		EXPECT_TRUE(near(x, e3ga(e3gai::I)));
		// a scalar joins by the outer product
		EXPECT_EQ(x.join(e3ga(3.0), e1, alg), 1);
		EXPECT_TRUE(near(x, e3ga(3.0 * e1)));
		EXPECT_EQ(x.join(e1, e3ga(3.0), alg), 1);
		EXPECT_TRUE(near(x, e3ga(3.0 * e1)));
		// mixed grades: the part of largest sum of squares stands for the argument
		EXPECT_EQ(x.join(e1 + 0.5 * (e1 ^ e2), e3, alg), 2);
		EXPECT_TRUE(near(x, e3ga(e3 ^ e1)));
	}
	// the free function uses the first algorithm
	EXPECT_TRUE(near(e3ga(join(e1, e2)), e3ga(-1.0 * (e1 ^ e2))));
	// zero takes the scalar branch and gives 0
	EXPECT_EQ(x.join(e3ga(), e1 ^ e2, 1), 2);
	EXPECT_EQ(x.gradeUsage(), 0);
	EXPECT_EQ(x.join(e1, e3ga(), 1), 1);
	EXPECT_EQ(x.gradeUsage(), 0);
}

TEST(Join, TargetMayBeAnOperand)
{
	const e3ga e1 = e3gai::e1, e2 = e3gai::e2, e3 = e3gai::e3;
	for (int alg = 1; alg <= 2; alg++) {
		e3ga x = e1;
		EXPECT_EQ(x.join(x, e2, alg), 2);
		EXPECT_TRUE(near(x, e3ga(-1.0 * (e1 ^ e2)))) << "algorithm " << alg;
		x = e3;
		EXPECT_EQ(x.join(e1 ^ e2, x, alg), 3);
		EXPECT_TRUE(near(x, e3ga(e3gai::I)));
		x = e2 ^ e3;
		EXPECT_EQ(x.join(x, e2, alg), 2);
		EXPECT_TRUE(near(x, e3ga(e2 ^ e3)));
	}
	e3ga x = e1, y = e2;
	EXPECT_EQ(x.joinAlg1(x, y, 1, 1, 2), 2);
	EXPECT_TRUE(near(x, e3ga(e2 ^ e1)));
	x = e1;
	EXPECT_EQ(x.joinAlg2(y, x, 1, 1, 2), 2);
	EXPECT_TRUE(near(x, e3ga(e1 ^ e2)));
}

TEST(Join, TinyBladesStayWithinBounds)
{
	// the product of the two is below the delta tolerance, so it shows grade 0
	// though the grades differ: the join is taken as the larger blade
	const e3ga e1 = e3gai::e1, e2 = e3gai::e2, e3 = e3gai::e3;
	e3ga a = 1e-9 * e1, b = 1e-9 * (e2 ^ e3), x;
	for (int alg = 1; alg <= 2; alg++) {
		EXPECT_EQ(x.join(a, b, alg), 2);
		EXPECT_TRUE(near(e3ga(1e9 * x), e3ga(1e9 * b))) << "algorithm " << alg;
		EXPECT_EQ(x.join(b, a, alg), 2);
		EXPECT_TRUE(near(e3ga(1e9 * x), e3ga(1e9 * b))) << "algorithm " << alg;
		// the meet is then of the smaller grade, and 0 as a value
		EXPECT_EQ(x.meet(a, b, alg), 1);
		EXPECT_EQ(x.gradeUsage(), 0);
	}
	// in c3ga with grades 1 and 4 the join grade would fall to 2
	c3ga ca = 1e-9 * c3gai::e1;
	c3ga cb = 1e-9 * (c3gai::e2 ^ c3gai::e3 ^ c3gai::no ^ c3gai::ni);
	c3ga y;
	for (int alg = 1; alg <= 2; alg++) {
		EXPECT_EQ(y.join(ca, cb, alg), 4);
		EXPECT_TRUE(near(c3ga(1e9 * y), c3ga(1e9 * cb))) << "algorithm " << alg;
		EXPECT_EQ(y.meet(cb, ca, alg), 1);
		EXPECT_EQ(y.gradeUsage(), 0);
	}
	// grades passed directly are kept within the algebra as well
	e3ga z;
	EXPECT_EQ(z.joinAlg1(e1, e2 ^ e3, 1, 2, 0), 2);
	EXPECT_TRUE(near(z, e3ga(e2 ^ e3)));
	EXPECT_EQ(z.joinAlg1(e1, e2 ^ e3, 1, 2, 9), 3);
	EXPECT_EQ(z.joinAlg2(e1, e2 ^ e3, -4, 17, 1), 3);
	// factoring a blade of the wrong grade fails and leaves the target alone
	z = e3;
	EXPECT_EQ(z.joinAlg2(e1 + (e1 ^ e2), e2 ^ e3, 1, 2, 3), 3);
	z = e3;
	EXPECT_EQ(z.joinAlg2(e1 + (e1 ^ e2), e2 ^ e3, 1, 2, 2), -1);
	EXPECT_TRUE(near(z, e3));
}

// --- meet --------------------------------------------------------------------------

TEST(Meet, ExamplesInE3gaAndC3ga)
{
	const e3ga e1 = e3gai::e1, e2 = e3gai::e2, e3 = e3gai::e3;
	e3ga x;
	for (int alg = 1; alg <= 2; alg++) {
		EXPECT_EQ(x.meet(e1 ^ e2, e2 ^ e3, alg), 1);
		EXPECT_TRUE(near(x, e3ga(-1.0 * e2))) << "algorithm " << alg;
		EXPECT_EQ(x.meet(e1 ^ e2, e1, alg), 1);
		EXPECT_TRUE(near(x, e3ga(-1.0 * e1)));
		EXPECT_EQ(x.meet(e1 ^ e2, e1 ^ e2, alg), 2);
		EXPECT_TRUE(near(x, e3ga(e1 ^ e2)));
		EXPECT_EQ(x.meet(e1, e2, alg), 0);
		EXPECT_TRUE(near(x, e3ga(-1.0)));
		EXPECT_EQ(x.meet(e3ga(3.0), e1, alg), 0);
		EXPECT_TRUE(near(x, e3ga(1.0)));
	}
	EXPECT_TRUE(near(e3ga(meet(e1 ^ e2, e2 ^ e3)), e3ga(-1.0 * e2)));
	// zero has no join to invert
	x = e1;
	EXPECT_EQ(x.meet(e3ga(), e1 ^ e2, 1), 0);
	EXPECT_EQ(x.gradeUsage(), 0);
	// the target may be an operand
	x = e2 ^ e3;
	EXPECT_EQ(x.meet(e1 ^ e2, x, 1), 1);
	EXPECT_TRUE(near(x, e3ga(-1.0 * e2)));

	const c3ga c1 = c3gai::e1, c2 = c3gai::e2, c3 = c3gai::e3, no = c3gai::no, ni = c3gai::ni;
	c3ga y;
	EXPECT_EQ(y.meet(c1 ^ no, c2 ^ no, 1), 1);
	EXPECT_TRUE(near(y, c3ga(-1.0 * no)));
	EXPECT_EQ(y.join(c1 ^ no, c2 ^ no, 1), 3);
	EXPECT_TRUE(near(y, c3ga(c1 ^ c2 ^ no)));
	// factoring e1^no gives no and -e1: the second algorithm's join has the other sign
	EXPECT_EQ(y.join(c1 ^ no, c2 ^ no, 2), 3);
	EXPECT_TRUE(near(y, c3ga(-1.0 * (c1 ^ c2 ^ no))));
	EXPECT_EQ(y.meet(c1 ^ no, c2 ^ no, 2), 1);
	EXPECT_TRUE(near(y, c3ga(no)));
	for (int alg = 1; alg <= 2; alg++) {
		EXPECT_EQ(y.meet(c1 ^ c2 ^ c3 ^ no, c1 ^ c2 ^ c3 ^ ni, alg), 3);
		EXPECT_TRUE(near(y, c3ga(-1.0 * (c1 ^ c2 ^ c3)))) << "algorithm " << alg;
	}
}

TYPED_TEST(JoinAll, RandomBladesJoinAndMeet)
{
	typedef TypeParam V;
	std::mt19937 rng(7);
	const double tol = 1e-8;
	for (int ga = 1; ga <= V::dim; ga++) {
		for (int gb = 1; gb <= V::dim; gb++) {
			V a = randomBlade<V>(rng, ga), b = randomBlade<V>(rng, gb);
			int gj = std::min(ga + gb, int(V::dim)), gm = ga + gb - gj;
			V j, j2, js, m;
			// blades in general position: the join holds both and has the summed grade
			ASSERT_EQ(j.join(a, b, 1), gj) << ga << ", " << gb;
			EXPECT_EQ(j.grade(), gj);
			EXPECT_TRUE(contains(j, a, tol));
			EXPECT_TRUE(contains(j, b, tol));
			// both algorithms and both orders give the same blade up to scale
			ASSERT_EQ(j2.join(a, b, 2), gj);
			EXPECT_TRUE(parallel(j2, j, tol));
			ASSERT_EQ(js.join(b, a, 1), gj);
			EXPECT_TRUE(parallel(js, j, tol));
			// the meet has the remaining grade and lies in both blades
			ASSERT_EQ(m.meet(a, b, 1), gm) << ga << ", " << gb;
			if (gm == 0) {
				EXPECT_EQ(m.gradeUsage() & ~1, 0);
				EXPECT_NE(m.scalar(), 0.0);
				continue;
			}
			EXPECT_EQ(m.grade(), gm);
			V f[V::dim];
			ASSERT_EQ(m.factor(f, 0), gm);
			for (int i = 0; i < gm; i++) {
				EXPECT_TRUE(contains(a, f[i], tol)) << ga << ", " << gb;
				EXPECT_TRUE(contains(b, f[i], tol)) << ga << ", " << gb;
			}
		}
	}
	// a blade and a sub-blade: the join is the blade, the meet the sub-blade
	for (int gb = 2; gb <= V::dim; gb++) {
		V v[V::dim];
		V b = randomBlade<V>(rng, gb, v);
		V a = v[0] ^ (v[1] + 0.5 * v[gb - 1]);
		V j, m;
		EXPECT_EQ(j.join(a, b, 1), gb);
		EXPECT_TRUE(parallel(j, b, 1e-8));
		EXPECT_EQ(j.join(b, a, 2), gb);
		EXPECT_TRUE(parallel(j, b, 1e-8));
		EXPECT_EQ(m.meet(a, b, 1), 2);
		EXPECT_TRUE(parallel(m, a, 1e-8));
		EXPECT_EQ(m.meet(b, a, 2), 2);
		EXPECT_TRUE(parallel(m, a, 1e-8));
	}
	// two planes sharing a vector meet in it
	if (V::dim >= 3) {
		V c = randomVector<V>(rng);
		V a = c ^ randomVector<V>(rng), b = c ^ randomVector<V>(rng), m;
		EXPECT_EQ(m.meet(a, b, 1), 1);
		EXPECT_TRUE(parallel(m, c, 1e-8));
		EXPECT_EQ(m.meet(b, a, 2), 1);
		EXPECT_TRUE(parallel(m, c, 1e-8));
	}
}

// --- factorization -------------------------------------------------------------------

TEST(Factor, ExamplesInE3ga)
{
	const e3ga e1 = e3gai::e1, e2 = e3gai::e2, e3 = e3gai::e3;
	e3ga f[3];
	ASSERT_EQ(e3ga(e1 ^ e2).factor(f, 0), 2);
	EXPECT_TRUE(near(f[0], e2));
	EXPECT_TRUE(near(f[1], e3ga(-1.0 * e1)));
	ASSERT_EQ(e3ga(e2 ^ e3).factor(f, 0), 2);
	EXPECT_TRUE(near(f[0], e2));
	EXPECT_TRUE(near(f[1], e3));
	const double c = std::cbrt(2.0);
	ASSERT_EQ(e3ga(2.0 * (e1 ^ e2 ^ e3)).factor(f, 0), 3);
	EXPECT_TRUE(near(f[0], e3ga(c * e2)));
	EXPECT_TRUE(near(f[1], e3ga(c * e3)));
	EXPECT_TRUE(near(f[2], e3ga(c * e1)));
	// e2^e3 and e3^e1 tie in magnitude: the first wins, e2 is projected
	ASSERT_EQ(e3ga((e1 + e2) ^ e3).factor(f, 0), 2);
	EXPECT_TRUE(near(f[0], e3ga(std::pow(2.0, -0.75) * (e1 + e2))));
	EXPECT_TRUE(near(f[1], e3ga(std::pow(2.0, 0.75) * e3)));
	ASSERT_EQ(e3ga(e1).factor(f, 0), 1);
	EXPECT_TRUE(near(f[0], e1));
	// nothing to factor: nothing written
	for (e3ga &x : f) x = 7.0;
	EXPECT_EQ(e3ga().factor(f, 0), 0);
	EXPECT_EQ(e3ga(2.0).factor(f, 0), 0);
	EXPECT_EQ(e3ga(e1 + (e1 ^ e2)).factor(f, 0), 0);
	for (const e3ga &x : f) EXPECT_TRUE(near(x, e3ga(7.0)));
	// in versor mode the highest grade counts
	EXPECT_EQ(e3ga(e1 + (e1 ^ e2)).factor(f, 1), 2);
	// the factors may be written over the value itself
	e3gai g[2];
	g[0] = e1 ^ e2;
	ASSERT_EQ(g[0].factor(g, 0), 2);
	EXPECT_TRUE(near(e3ga(g[0]), e2));
	EXPECT_TRUE(near(e3ga(g[1]), e3ga(-1.0 * e1)));
	// blades with null vectors factor under the Euclidean metric
	c3ga cf[5];
	ASSERT_EQ(c3ga(c3gai::no ^ c3gai::ni).factor(cf, 0), 2);
	EXPECT_TRUE(near(c3ga(cf[0] ^ cf[1]), c3ga(c3gai::no ^ c3gai::ni)));
}

TYPED_TEST(JoinAll, RandomBladesFactor)
{
	typedef TypeParam V;
	std::mt19937 rng(3);
	for (int g = 1; g <= V::dim; g++) {
		V b = randomBlade<V>(rng, g);
		V f[V::dim], fv[V::dim];
		ASSERT_EQ(b.factor(f, 0), g);
		// the factors are vectors whose outer product is the blade
		V p = 1.0;
		for (int i = 0; i < g; i++) {
			EXPECT_EQ(f[i].gradeUsage(), 2);
			p ^= f[i];
		}
		EXPECT_TRUE(near(p, b, 1e-9)) << "grade " << g;
		// a blade is a versor: versor mode finds the same factors
		ASSERT_EQ(b.factor(fv, 1), g);
		for (int i = 0; i < g; i++) EXPECT_TRUE(near(fv[i], f[i], 1e-9));
	}
}

// A value-class blade factors into an array of either class, with the same factors.
TYPED_TEST(JoinAll, FactorIntoEitherClass)
{
	typedef TypeParam V;
	typedef typename V::implClass I;
	std::mt19937 rng(5);
	for (int g = 1; g <= V::dim; g++) {
		const V b = randomBlade<V>(rng, g);
		I fi[V::dim];
		V fv[V::dim];
		for (int mode = 0; mode <= 1; mode++) {
			ASSERT_EQ(b.factor(fi, mode), g);
			ASSERT_EQ(b.factor(fv, mode), g);
			for (int i = 0; i < g; i++) EXPECT_TRUE(ref::identical(fi[i], fv[i])) << "grade " << g;
		}
	}
}

} // namespace
