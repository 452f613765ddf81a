// Versor, Euclidean-metric, general and closed-form inverses; division.
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

// A versor: the geometric product of n random vectors.
template <class V> V randomVersor(std::mt19937 &rng, int n)
{
	V r = 1.0;
	for (int i = 0; i < n; i++) r = r * randomValue<V>(rng, 2);
	return r;
}

// x is the scalar 1 up to tol in every coordinate.
template <class V> void expectOne(const V &x, double tol)
{
	EXPECT_NEAR(x.scalar(), 1.0, tol);
	for (int g = 1; g <= V::dim; g++) {
		const double *p = x.coordinates(1 << g);
		for (int i = 0; i < V::def::gradeSize[g]; i++) EXPECT_NEAR(p[i], 0.0, tol) << "grade " << g;
	}
}

template <class V> void expectEqualValues(const V &a, const V &b, double tol)
{
	for (int g = 0; g <= V::dim; g++)
		for (int i = 0; i < V::def::gradeSize[g]; i++)
			EXPECT_NEAR(a.coordinates(1 << g)[i], b.coordinates(1 << g)[i], tol) << "grade " << g;
}

template <class V> void checkVersorInverses()
{
	std::mt19937 rng(5);
	for (int n = 1; n <= V::dim; n++) {
		V v = randomVersor<V>(rng, n);
		V vi = v.inverse();
		expectOne(V(v * vi), 1e-9);
		expectOne(V(vi * v), 1e-9);
		// where both exist, the general inverse is the versor inverse
		V gi = v.generalInverse();
		expectEqualValues(gi, vi, 1e-8);
		// the target may be the operand
		V w = v;
		EXPECT_EQ(w.versorInverse(w), 0);
		expectEqualValues(w, vi, 0.0);
	}
	// a general multivector: a times its general inverse is 1
	V a = randomValue<V>(rng, V::def::gradeMask);
	V ai = a.generalInverse();
	EXPECT_EQ(ai.gradeUsage(), V::def::gradeMask);
	expectOne(V(a * ai), 1e-8);
	V b = a;
	EXPECT_EQ(b.generalInverse(b), 0);
	expectEqualValues(b, ai, 0.0);
}

TEST(Inverse, VersorAndGeneralInverseInEveryAlgebra)
{
	checkVersorInverses<e3ga>();
	checkVersorInverses<p3ga>();
	checkVersorInverses<c3ga>();
	checkVersorInverses<i2ga>();
}

TEST(Inverse, VersorInverseExamples)
{
	e3ga v = 2.0 * e3ga(e3gai::e1);
	e3ga vi = v.inverse();
	EXPECT_EQ(vi.usage, v.usage);
	EXPECT_EQ(vi.c[0], 0.5);
	e3ga b = e3gai::e1 ^ e3gai::e2;
	EXPECT_EQ(b.inverse().c[2], -1.0);
	double t = 0.3;
	e3ga r = std::cos(t) + std::sin(t) * b;
	e3ga ri = r.inverse();
	EXPECT_NEAR(ri.c[0], std::cos(t), 1e-15);
	EXPECT_NEAR(ri.c[3], -std::sin(t), 1e-15);
	// 1 + e1 is no versor: the formula still answers, without an error
	e3ga m = 1.0 + e3ga(e3gai::e1);
	e3ga mv;
	EXPECT_EQ(mv.versorInverse(m), 0);
	EXPECT_EQ(mv.c[0], 0.5);
	EXPECT_EQ(mv.c[1], 0.5);
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
	EXPECT_EQ(x.usage, no.usage);
	EXPECT_EQ(x.c[3], 1.0);
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
	e3ga a = 2.0 + e3ga(e3gai::e1);
	e3ga g = a.generalInverse();
	EXPECT_EQ(g.gradeUsage(), 15);
	EXPECT_NEAR(g.c[0], 2.0 / 3.0, 1e-15);
	EXPECT_NEAR(g.c[1], -1.0 / 3.0, 1e-15);
	for (int i = 2; i < 8; i++) EXPECT_EQ(g.c[i], 0.0);
	e3ga l = a.lounestoInverse();
	EXPECT_EQ(l.gradeUsage(), 3);
	EXPECT_NEAR(l.c[0], 2.0 / 3.0, 1e-15);
	EXPECT_NEAR(l.c[1], -1.0 / 3.0, 1e-15);

	std::mt19937 rng(9);
	for (int k = 0; k < 20; k++) {
		e3ga x = randomValue<e3ga>(rng, 15);
		e3ga gx = x.generalInverse(), lx = x.lounestoInverse();
		expectEqualValues(gx, lx, 1e-9);
		expectOne(e3ga(x * lx), 1e-9);
		e3ga y = x;
		EXPECT_EQ(y.lounestoInverse(y), 0);
		expectEqualValues(y, lx, 0.0);
	}
}

TEST(Division, ByValuesAndDoubles)
{
	e3ga e1 = e3gai::e1, e2 = e3gai::e2;
	e3ga q = e1 / e2;
	EXPECT_EQ(q.gradeUsage(), 4);
	EXPECT_EQ(q.c[2], 1.0); // e1 e2 / |e2|^2 = e1^e2
	e3ga x = e1;
	x /= x;
	EXPECT_EQ(x.usage, 17);
	EXPECT_EQ(x.c[0], 1.0);
	// dividing by a value without versor inverse gives zero
	c3ga d = c3ga(c3gai::e1) / c3gai::no;
	EXPECT_EQ(d.usage, 0);
	e3ga h = e1 / 4.0;
	EXPECT_EQ(h.c[0], 0.25);
	e3ga inf = e1 / 0.0;
	EXPECT_TRUE(std::isinf(inf.c[0]));
}

} // namespace
