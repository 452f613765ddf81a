// Involutions, negation, the fast dual, norms and normalisation.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "reference/refcompare.h"

namespace {

using ref::near;
using ref::randomValue;

template <class V> class Unary : public ::testing::Test {};
TYPED_TEST_SUITE(Unary, ref::Algebras);

// The sign that each involution gives grade g.
int reverseSign(int g) { return (g * (g - 1) / 2) % 2 ? -1 : 1; }
int cliffordSign(int g) { return (g * (g + 1) / 2) % 2 ? -1 : 1; }
int involutionSign(int g) { return g % 2 ? -1 : 1; }

TYPED_TEST(Unary, InvolutionSignsAndIdentities)
{
	typedef TypeParam V;
	std::mt19937 rng(7);
	const int full = V::def::gradeMask;
	// all grades, the even grades alone, the odd grades alone
	for (int gu : {full, full & 0x55, full & 0x2a}) {
		V x = randomValue<V>(rng, gu);
		V r = ~x, cc = --x, gi = ++x, n = -x;
		for (int g = 0; g <= V::dim; g++) {
			const double *px = x.coordinates(1 << g);
			for (int i = 0; i < V::def::gradeSize[g]; i++) {
				EXPECT_EQ(r.coordinates(1 << g)[i], reverseSign(g) * px[i]);
				EXPECT_EQ(cc.coordinates(1 << g)[i], cliffordSign(g) * px[i]);
				EXPECT_EQ(gi.coordinates(1 << g)[i], involutionSign(g) * px[i]);
				EXPECT_EQ(n.coordinates(1 << g)[i], -px[i]);
			}
		}
		EXPECT_EQ(r.usage, x.usage);
		EXPECT_EQ(gi.usage, x.usage);
	}
	// The reverse is an anti-automorphism: ~(a b) = ~b ~a.
	V a = randomValue<V>(rng, full), b = randomValue<V>(rng, full);
	EXPECT_TRUE(near(V(~(a * b)), V((~b) * (~a)), 1e-11));
	// The grade involution is an automorphism.
	EXPECT_TRUE(near(V(++(a * b)), V((++a) * (++b)), 1e-11));
	// Involutions keep the grade parts of their operand, even all-zero ones.
	double zeros[V::nbCoor] = {0.0};
	V z(4, zeros);
	EXPECT_EQ((~z).usage, z.usage);
	EXPECT_EQ((--z).usage, z.usage);
	// In place: the target is the operand.
	V y = a;
	y.reverse(y);
	EXPECT_TRUE(ref::identical(y, ~a));
	y = a;
	y.negate(y);
	EXPECT_TRUE(ref::identical(y, -a));
}

// The fast dual equals the geometric product with Ii in every algebra.
TYPED_TEST(Unary, DualIsProductWithInversePseudoscalar)
{
	typedef TypeParam V;
	std::mt19937 rng(11);
	for (int gu = 0; gu <= V::def::gradeMask; gu++) {
		V x = randomValue<V>(rng, gu);
		V d = x.dual();
		V p;
		p.gp(x, V::Ii);
		EXPECT_TRUE(near(d, p, 1e-14));
		// grade parts come out in ascending order, all-zero ones included
		int expected = 0;
		for (int g = 0; g <= V::dim; g++)
			if (gu & (1 << g)) expected |= 1 << (V::dim - g);
		EXPECT_EQ(d.gradeUsage(), expected);
		EXPECT_EQ(d.memUsage(), x.memUsage());
	}
	// In place.
	V x = randomValue<V>(rng, V::def::gradeMask);
	V y = x;
	y.fastDual(y);
	EXPECT_TRUE(ref::identical(y, x.dual()));
}

TEST(FastDual, Examples)
{
	EXPECT_TRUE(ref::identical(e3ga(e3gai::e1).dual(), e3ga(4, -1.0, 0.0, 0.0))); // -e2^e3
	EXPECT_TRUE(ref::identical(c3ga(c3gai::no).dual(), c3ga(16, 1.0, 0.0, 0.0, 0.0, 0.0))); // e1^e2^e3^no
	EXPECT_TRUE(ref::identical(c3ga(c3gai::no ^ c3gai::ni).dual(), -c3ga(c3gai::e1 ^ c3gai::e2 ^ c3gai::e3)));
	EXPECT_EQ(e3ga().dual().usage, 0);
}

TEST(Norms, SumOfSquaresAndMetricNorm)
{
	e3ga v = 3.0 * e3ga(e3gai::e1) + 4.0 * e3ga(e3gai::e2);
	EXPECT_EQ(v.norm_a(), 25.0);
	EXPECT_NEAR(v.norm_b(), 25.0, 1e-12);
	e3ga u = v.normal(1);
	EXPECT_NEAR(u.c[0], 0.6, 1e-15);
	EXPECT_NEAR(u.c[1], 0.8, 1e-15);
	c3ga no = c3gai::no;
	EXPECT_EQ(no.norm_a(), 1.0);
	EXPECT_EQ(no.norm_b(), 0.0);
	c3ga nn = no ^ c3gai::ni;
	EXPECT_EQ(nn.norm_b(), -1.0);
	EXPECT_TRUE(ref::identical(nn.normal(2), nn));
	// In e3ga and p3ga both norms agree.
	std::mt19937 rng(3);
	p3ga x = randomValue<p3ga>(rng, 31);
	EXPECT_NEAR(x.norm_a(), x.norm_b(), 1e-12);
	EXPECT_EQ(e3ga().norm_a(), 0.0);
	EXPECT_EQ(e3ga().norm_b(), 0.0);
}

// Normalising a value of zero norm leaves it as it is instead of filling it
// with infinities and NaNs.
TEST(Norms, ZeroNormLeavesValueUnchanged)
{
	const e3ga z(2, 0.0, 0.0, 0.0);
	EXPECT_TRUE(ref::identical(z.normal(1), z));
	const c3ga no = c3gai::no; // norm_b is 0: a null vector stays itself
	EXPECT_TRUE(ref::identical(no.normal(2), no));
	EXPECT_EQ(e3ga().normal(1).usage, 0);
}

} // namespace
