// Classification of blades, versors and multivectors; projection and
// rejection; projection onto a versor; reciprocal frames.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "reference/refcompare.h"

namespace {

using ref::near;
using ref::randomBlade;
using ref::randomVector;

constexpr double kEps = 1e-14;

template <class V> class Classify : public ::testing::Test {};
TYPED_TEST_SUITE(Classify, ref::Algebras);

// --- mvType --------------------------------------------------------------------

TEST(MvType, ExamplesInE3ga)
{
	const e3ga e1 = e3gai::e1, e2 = e3gai::e2;
	int g = -7;
	EXPECT_EQ(e3ga().mvType(&g, kEps), 3);
	EXPECT_EQ(g, 0);
	EXPECT_EQ(e3ga(2.5).mvType(&g, kEps), 1);
	EXPECT_EQ(g, 1);
	EXPECT_EQ(e3ga(3.0 * e1 - e2).mvType(&g, kEps), 1);
	EXPECT_EQ(g, 2);
	EXPECT_EQ(e3ga(e1 ^ e2).mvType(&g, kEps), 1);
	EXPECT_EQ(g, 4);
	// a rotor: scalar and bivector, both well above epsilon
	e3ga rotor = std::cos(0.3) + std::sin(0.3) * (e1 ^ e2);
	EXPECT_EQ(rotor.mvType(&g, kEps), 2);
	EXPECT_EQ(g, 4);
	// a vector plus a bivector containing it maps e3 out of the vectors
	g = -7;
	EXPECT_EQ(e3ga(e1 + (e1 ^ e2)).mvType(&g, kEps), 3);
	EXPECT_EQ(g, 0);
	// a part tiny against the rest does not count
	EXPECT_EQ(e3ga(e1 + 1e-20 * (e1 ^ e2)).mvType(&g, kEps), 1);
	EXPECT_EQ(g, 2);
	// without a grade pointer the answer is the same
	EXPECT_EQ(rotor.mvType(nullptr, kEps), 2);
	EXPECT_EQ(e3ga().mvType(nullptr, kEps), 3);
}

TEST(MvType, NullVectorsClassifyUnderTheEuclideanMetric)
{
	int g = 0;
	EXPECT_EQ(c3ga(c3gai::no).mvType(&g, kEps), 1);
	EXPECT_EQ(g, 2);
	EXPECT_EQ(c3ga(c3gai::no ^ c3gai::ni).mvType(&g, kEps), 1);
	EXPECT_EQ(g, 4);
	EXPECT_EQ(i2ga(i2gai::gi).mvType(&g, kEps), 1);
	EXPECT_EQ(g, 2);
	// large values classify like small ones: epsilon is relative
	EXPECT_EQ(c3ga(1e6 * (c3gai::e1 ^ c3gai::no)).mvType(&g, kEps), 1);
	EXPECT_EQ(g, 4);
	// a NaN coordinate is no blade and no versor
	double nan = std::nan("");
	EXPECT_EQ(c3ga(2, nan, 0.0, 0.0, 0.0, 0.0).mvType(&g, kEps), 3);
}

TYPED_TEST(Classify, RandomBladesAndVersorsClassify)
{
	typedef TypeParam V;
	std::mt19937 rng(11);
	for (int grade = 1; grade <= V::dim; grade++) {
		int g = 0;
		V b = randomBlade<V>(rng, grade);
		EXPECT_EQ(b.mvType(&g, 1e-10), 1) << "grade " << grade;
		EXPECT_EQ(g, 1 << grade);
		V v = ref::randomVersor<V>(rng, grade, true);
		int t = v.mvType(&g, 1e-10);
		EXPECT_TRUE(t == 1 || t == 2) << "versor of " << grade << " vectors: " << t;
		// the highest grade of a product of n vectors in general position is n
		EXPECT_EQ(g, 1 << grade);
	}
	// a random multivector of every grade is neither
	EXPECT_EQ(ref::randomValue<V>(rng, V::def::gradeMask).mvType(nullptr, 1e-10), 3);
}

// --- projection and rejection --------------------------------------------------------

TEST(Project, ExamplesInE3gaAndC3ga)
{
	const e3ga e1 = e3gai::e1, e2 = e3gai::e2, e3 = e3gai::e3;
	e3ga plane = e1 ^ e2, a = 2.0 * e1 - e2, x;
	// a inside the blade projects to itself and rejects to nothing
	EXPECT_EQ(x.project(plane, a), 0);
	EXPECT_TRUE(near(x, a));
	EXPECT_EQ(x.reject(plane, a), 0);
	EXPECT_EQ(x.gradeUsage(), 0);
	// a vector partly outside
	e3ga b = e1 + 3.0 * e3;
	x.project(plane, b);
	EXPECT_TRUE(near(x, e1));
	x.reject(plane, b);
	EXPECT_TRUE(near(x, e3ga(3.0 * e3)));
	// onto a versor: (e1 _| (1 + e1^e2)) (1 + e1^e2)^-1 = e2 (1 - e1^e2) / 2
	e3ga v = 1.0 + plane;
	EXPECT_EQ(x.projectOntoVersor(v, e1), 0);
	EXPECT_TRUE(near(x, e3ga(0.5 * e1 + 0.5 * e2)));
	// a blade without inverse projects everything to 0
	x.project(e3ga(), b);
	EXPECT_EQ(x.gradeUsage(), 0);

	// no has no inverse under the conformal metric, but one under the Euclidean
	c3ga no = c3gai::no, y;
	y.project(no, no);
	EXPECT_EQ(y.gradeUsage(), 0);
	EXPECT_EQ(y.projectEM(no, no), 0);
	EXPECT_TRUE(near(y, no));
}

TEST(Project, TargetMayBeAnOperand)
{
	const e3ga e1 = e3gai::e1, e2 = e3gai::e2, e3 = e3gai::e3;
	e3ga x = e1 ^ e2;
	x.project(x, e1 + e3);
	EXPECT_TRUE(near(x, e1));
	x = e1 + e3;
	x.reject(e1 ^ e2, x);
	EXPECT_TRUE(near(x, e3));
	x = e1 + e3;
	x.project(e1 ^ e2, x);
	EXPECT_TRUE(near(x, e1));
	x = 1.0 + (e1 ^ e2);
	x.projectOntoVersor(x, e1);
	EXPECT_TRUE(near(x, e3ga(0.5 * e1 + 0.5 * e2)));
	c3ga y = c3gai::no ^ c3gai::e1;
	y.projectEM(y, c3ga(c3gai::no + c3gai::ni));
	EXPECT_TRUE(near(y, c3ga(c3gai::no)));
}

TYPED_TEST(Classify, ProjectionPlusRejection)
{
	typedef TypeParam V;
	std::mt19937 rng(23);
	for (int grade = 1; grade < V::dim; grade++) {
		V blade = randomBlade<V>(rng, grade);
		V a = randomVector<V>(rng);
		V p, r;
		p.project(blade, a);
		r.reject(blade, a);
		// the two parts give a back, the projection lies in the blade
		EXPECT_TRUE(near(V(p + r), a, 1e-9)) << "grade " << grade;
		EXPECT_TRUE(near(V(p ^ blade), V(), 1e-9)) << "grade " << grade;
		// for a blade, projecting onto it as a versor is the same
		V pv;
		pv.projectOntoVersor(blade, a);
		EXPECT_TRUE(near(pv, p, 1e-9)) << "grade " << grade;
		// under the Euclidean metric too
		V pe, re;
		pe.projectEM(blade, a);
		re = a - pe;
		EXPECT_TRUE(near(V(pe ^ blade), V(), 1e-9)) << "grade " << grade;
		EXPECT_TRUE(near(V(lcem(re, blade)), V(), 1e-9)) << "grade " << grade;
	}
}

// --- reciprocal frames ---------------------------------------------------------------

TEST(ReciprocalFrame, ExamplesAndRefusals)
{
	const e3ga e1 = e3gai::e1, e2 = e3gai::e2, e3 = e3gai::e3;
	e3ga e[4] = {e1, e2, e3, e1};
	e3ga f[4];
	EXPECT_EQ(e3gai::reciprocalFrame(f, e, 2), 0);
	EXPECT_TRUE(near(f[0], e1));
	EXPECT_TRUE(near(f[1], e2));
	// one vector: its inverse
	e3ga one[1] = {e3ga(2.0 * e2)};
	EXPECT_EQ(e3gai::reciprocalFrame(f, one, 1), 0);
	EXPECT_TRUE(near(f[0], e3ga(0.5 * e2)));
	// refusals leave f as it was
	for (e3ga &x : f) x = 7.0;
	EXPECT_EQ(e3gai::reciprocalFrame(f, e, 0), 0);
	EXPECT_EQ(e3gai::reciprocalFrame(f, e, 4), 0);
	e3ga parallel[2] = {e1, e3ga(-3.0 * e1)};
	EXPECT_EQ(e3gai::reciprocalFrame(f, parallel, 2), -1);
	for (const e3ga &x : f) EXPECT_TRUE(near(x, e3ga(7.0)));
	// a null vector alone has no inverse in the conformal metric
	c3ga cn[1] = {c3gai::ni}, cf[1] = {c3ga(7.0)};
	EXPECT_EQ(c3gai::reciprocalFrame(cf, cn, 1), -1);
	EXPECT_TRUE(near(cf[0], c3ga(7.0)));
}

TYPED_TEST(Classify, RandomReciprocalFrames)
{
	typedef TypeParam V;
	std::mt19937 rng(31);
	for (int n = 1; n <= V::dim; n++) {
		V e[V::dim], f[V::dim];
		for (int i = 0; i < n; i++) e[i] = randomVector<V>(rng);
		ASSERT_EQ(V::reciprocalFrame(f, e, n), 0);
		// f[i] _| e[j] is 1 on the diagonal, 0 elsewhere, in the algebra's metric
		for (int i = 0; i < n; i++)
			for (int j = 0; j < n; j++) {
				V c = f[i] << e[j];
				EXPECT_EQ(c.gradeUsage() & ~1, 0);
				EXPECT_NEAR(c.scalar(), i == j ? 1.0 : 0.0, 1e-9) << n << " vectors, " << i << ", " << j;
			}
		// written over its own input, the frame is the same
		V g[V::dim];
		for (int i = 0; i < n; i++) g[i] = e[i];
		ASSERT_EQ(V::reciprocalFrame(g, g, n), 0);
		for (int i = 0; i < n; i++) EXPECT_TRUE(near(g[i], f[i], 1e-12));
	}
}

} // namespace
