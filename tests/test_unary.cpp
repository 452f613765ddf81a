// Involutions, negation, the fast dual, norms and normalisation.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "c3ga/c3ga.h"
#include "e3ga/e3ga.h"
#include "i2ga/i2ga.h"
#include "p3ga/p3ga.h"

namespace {

template <class V> V randomValue(std::mt19937 &rng, int gu)
{
	std::uniform_real_distribution<double> d(-1.0, 1.0);
	double c[V::nbCoor];
	for (double &x : c) x = d(rng);
	return V(gu, c);
}

// Coordinate of the full-array blade index k, 0 when its grade is absent.
template <class V> double coord(const V &v, int k)
{
	int g = 0;
	while (g < V::dim && V::def::gradeOffset[g + 1] <= k) g++;
	return v.coordinates(1 << g)[k - V::def::gradeOffset[g]];
}

template <class V> void expectSame(const V &a, const V &b, double tol = 1e-12)
{
	for (int k = 0; k < V::nbCoor; k++) EXPECT_NEAR(coord(a, k), coord(b, k), tol) << "blade " << k;
}

// The sign that each involution gives grade g.
int reverseSign(int g) { return (g * (g - 1) / 2) % 2 ? -1 : 1; }
int cliffordSign(int g) { return (g * (g + 1) / 2) % 2 ? -1 : 1; }
int involutionSign(int g) { return g % 2 ? -1 : 1; }

template <class V> void checkInvolutions()
{
	std::mt19937 rng(7);
	const int full = V::def::gradeMask;
	V x = randomValue<V>(rng, full);
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
	// The reverse is an anti-automorphism: ~(a b) = ~b ~a.
	V a = randomValue<V>(rng, full), b = randomValue<V>(rng, full);
	V lhs = ~(a * b), rhs = (~b) * (~a);
	expectSame(lhs, rhs, 1e-11);
	// The grade involution is an automorphism.
	V glhs = ++(a * b), grhs = (++a) * (++b);
	expectSame(glhs, grhs, 1e-11);
	// Involutions keep the grade parts of their operand, even all-zero ones.
	double zeros[V::nbCoor] = {0.0};
	V z(4, zeros);
	EXPECT_EQ((~z).usage, z.usage);
	EXPECT_EQ((--z).usage, z.usage);
	// In place: the target is the operand.
	V y = x;
	y.reverse(y);
	expectSame(y, r);
	y = x;
	y.negate(y);
	expectSame(y, n);
}

TEST(Involutions, SignsAndIdentitiesInEveryAlgebra)
{
	checkInvolutions<e3ga>();
	checkInvolutions<p3ga>();
	checkInvolutions<c3ga>();
	checkInvolutions<i2ga>();
}

TEST(Involutions, Examples)
{
	e3ga e12 = e3gai::e1 ^ e3gai::e2;
	e3ga r = ~e12;
	EXPECT_EQ(r.coordinates(4)[2], -1.0);
	e3ga e1 = e3gai::e1;
	EXPECT_EQ((~e1).usage, e1.usage);
	EXPECT_EQ((~e1).c[0], 1.0);
	EXPECT_EQ((--e1).c[0], -1.0);
	e3ga m = 1.0 + e12;
	e3ga g = ++m;
	EXPECT_EQ(g.c[0], 1.0);
	EXPECT_EQ(g.c[3], 1.0);
	// c3ga: the Clifford conjugate negates the pseudoscalar, the reverse does not.
	c3ga I = c3gai::I;
	EXPECT_EQ((--I).c[0], -1.0);
	EXPECT_EQ((~I).c[0], 1.0);
	// i2ga: reverse and Clifford conjugate negate grade 6, the grade involution does not.
	i2ga J = i2gai::I;
	EXPECT_EQ((~J).c[0], -1.0);
	EXPECT_EQ((--J).c[0], -1.0);
	EXPECT_EQ((++J).c[0], 1.0);
}

// The fast dual equals the geometric product with Ii in every algebra.
template <class V> void checkDualIsProductWithIi()
{
	std::mt19937 rng(11);
	for (int gu = 0; gu <= V::def::gradeMask; gu++) {
		V x = randomValue<V>(rng, gu);
		V d = x.dual();
		V p;
		p.gp(x, V::Ii);
		expectSame(d, p, 1e-14);
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
	expectSame(y, x.dual());
}

TEST(FastDual, EqualsProductWithInversePseudoscalar)
{
	checkDualIsProductWithIi<e3ga>();
	checkDualIsProductWithIi<p3ga>();
	checkDualIsProductWithIi<c3ga>();
	checkDualIsProductWithIi<i2ga>();
}

TEST(FastDual, Examples)
{
	e3ga d = e3ga(e3gai::e1).dual();
	EXPECT_EQ(d.gradeUsage(), 4);
	EXPECT_EQ(d.c[0], -1.0); // -e2^e3
	EXPECT_EQ(e3ga(1.0).dual().c[0], -1.0);
	EXPECT_EQ(e3ga(e3gai::I).dual().usage, 17);
	e3ga v(2, 1.0, 2.0, 3.0);
	e3ga vv = v.dual().dual();
	EXPECT_EQ(vv.c[0], -1.0);
	EXPECT_EQ(vv.c[2], -3.0);
	c3ga dn = c3ga(c3gai::no).dual();
	EXPECT_EQ(dn.gradeUsage(), 16);
	EXPECT_EQ(dn.c[0], 1.0); // +e1^e2^e3^no
	c3ga dnn = (c3ga(c3gai::no) ^ c3gai::ni).dual();
	EXPECT_EQ(dnn.gradeUsage(), 8);
	EXPECT_EQ(dnn.c[0], -1.0); // -e1^e2^e3
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
	c3ga nnn = nn.normal(2);
	EXPECT_EQ(nnn.usage, nn.usage);
	for (int i = 0; i < nn.memUsage(); i++) EXPECT_EQ(nnn.c[i], nn.c[i]);
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
	double zeros[3] = {0.0, 0.0, 0.0};
	e3ga z(2, zeros);
	e3ga n = z.normal(1);
	EXPECT_EQ(n.usage, z.usage);
	for (int i = 0; i < 3; i++) EXPECT_EQ(n.c[i], 0.0);
	c3ga no = c3gai::no; // norm_b is 0: a null vector stays itself
	c3ga nb = no.normal(2);
	EXPECT_EQ(nb.usage, no.usage);
	EXPECT_EQ(nb.c[3], 1.0);
	EXPECT_EQ(e3ga().normal(1).usage, 0);
}

} // namespace
