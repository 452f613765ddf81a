// Versor, Euclidean-metric, general and closed-form inverses; division.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "reference/refcompare.h"

namespace {

using ref::identical;
using ref::near;

template <class V> class Inverse : public ::testing::Test {};
TYPED_TEST_SUITE(Inverse, ref::Algebras);

TYPED_TEST(Inverse, VersorAndGeneralInverse)
{
	typedef TypeParam V;
	std::mt19937 rng(5);
	for (int n = 1; n <= V::dim; n++) {
		V v = ref::randomVersor<V>(rng, n);
		V vi = v.inverse();
		EXPECT_TRUE(near(V(v * vi), V(1.0), 1e-9)) << n << " vectors";
		EXPECT_TRUE(near(V(vi * v), V(1.0), 1e-9)) << n << " vectors";
		// where both exist, the general inverse is the versor inverse
		EXPECT_TRUE(near(V(v.generalInverse()), vi, 1e-8)) << n << " vectors";
		// the target may be the operand
		V w = v;
		EXPECT_EQ(w.versorInverse(w), 0);
		EXPECT_TRUE(identical(w, vi));
	}
	// a general multivector: a times its general inverse is 1
	V a = ref::randomValue<V>(rng, V::def::gradeMask);
	V ai = a.generalInverse();
	EXPECT_EQ(ai.gradeUsage(), V::def::gradeMask);
	EXPECT_TRUE(near(V(a * ai), V(1.0), 1e-8));
	V b = a;
	EXPECT_EQ(b.generalInverse(b), 0);
	EXPECT_TRUE(identical(b, ai));
}

TEST(Inverse, VersorInverseExamples)
{
	EXPECT_TRUE(identical(e3ga(2.0 * e3gai::e1).inverse(), e3ga(0.5 * e3gai::e1)));
	EXPECT_TRUE(identical(e3ga(e3gai::e1 ^ e3gai::e2).inverse(), e3ga(4, 0.0, 0.0, -1.0)));
	// 1 + e1 is no versor: the formula still answers, without an error
	e3ga mv;
	EXPECT_EQ(mv.versorInverse(1.0 + e3gai::e1), 0);
	EXPECT_TRUE(identical(mv, 0.5 + 0.5 * e3gai::e1));
}

// A failed inverse leaves a defined zero in its target, whatever it held.
TEST(Inverse, FailuresGiveZero)
{
	c3ga no = c3gai::no;
	c3ga x = c3gai::e1;
	EXPECT_EQ(x.versorInverse(no), -1);
	EXPECT_EQ(x.usage, 0);
	x = c3gai::e1;
	EXPECT_EQ(x.versorInverseEM(no), 0);
	EXPECT_TRUE(identical(x, no));
	x = c3gai::e1;
	EXPECT_EQ(x.versorInverseEM(c3ga()), -1);
	EXPECT_EQ(x.usage, 0);

	e3ga m = 1.0 + e3ga(e3gai::e1); // (1 + e1)(1 - e1) = 0: not invertible
	e3ga y = e3gai::e2;
	EXPECT_EQ(y.generalInverse(m), -1);
	EXPECT_EQ(y.usage, 0);
	y = e3gai::e2;
	EXPECT_EQ(y.lounestoInverse(m), -1);
	EXPECT_EQ(y.usage, 0);
	y = e3gai::e2;
	EXPECT_EQ(y.generalInverse(e3ga()), -1);
	EXPECT_EQ(y.usage, 0);
	i2ga z = i2gai::e1;
	EXPECT_EQ(z.generalInverse(i2ga(i2gai::no)), -1);
	EXPECT_EQ(z.usage, 0);
}

TEST(Inverse, GeneralAndClosedFormAgree)
{
	// (2 + e1)^-1 = (2 - e1) / 3: the general inverse keeps every grade part
	e3ga a = 2.0 + e3ga(e3gai::e1);
	const double expected[8] = {2.0 / 3.0, -1.0 / 3.0, 0, 0, 0, 0, 0, 0};
	EXPECT_TRUE(near(a.generalInverse(), e3ga(15, expected), 1e-15));
	EXPECT_EQ(a.generalInverse().gradeUsage(), 15);
	EXPECT_TRUE(near(a.lounestoInverse(), e3ga(3, expected), 1e-15));
	EXPECT_EQ(a.lounestoInverse().gradeUsage(), 3);

	std::mt19937 rng(9);
	for (int k = 0; k < 20; k++) {
		e3ga x = ref::randomValue<e3ga>(rng, 15);
		e3ga lx = x.lounestoInverse();
		EXPECT_TRUE(near(x.generalInverse(), lx, 1e-9));
		EXPECT_TRUE(near(e3ga(x * lx), e3ga(1.0), 1e-9));
		e3ga y = x;
		EXPECT_EQ(y.lounestoInverse(y), 0);
		EXPECT_TRUE(identical(y, lx));
	}
}

TEST(Division, ByValuesAndDoubles)
{
	e3ga e1 = e3gai::e1, e2 = e3gai::e2;
	// e1 e2 / |e2|^2 = e1^e2
	EXPECT_TRUE(identical(e1 / e2, e3ga(4, 0.0, 0.0, 1.0)));
	e3ga x = e1;
	x /= x;
	EXPECT_TRUE(identical(x, e3ga(1.0)));
	// dividing by a value without versor inverse gives zero
	c3ga d = c3ga(c3gai::e1) / c3gai::no;
	EXPECT_EQ(d.usage, 0);
	EXPECT_TRUE(identical(e1 / 4.0, e3ga(0.25 * e1)));
	e3ga inf = e1 / 0.0;
	EXPECT_TRUE(std::isinf(inf.c[0]));
}

} // namespace
