// The exponential by scaling and squaring, and random blades and versors.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "reference/refcompare.h"

namespace {

using ref::near;

// The coordinate a draw r gives, as the random member computes it.
double drawn(int r, double scale) { return 2.0 * scale * (r / (double)RAND_MAX - 0.5); }

// The next n results of rand() after srand(seed).
std::vector<int> draws(unsigned seed, int n)
{
	std::srand(seed);
	std::vector<int> r(n);
	for (int &x : r) x = std::rand();
	return r;
}

// Leading basis vectors that square to +1 in each algebra.
template <class V> struct euclidean;
template <> struct euclidean<e3ga> { static constexpr int n = 3; };
template <> struct euclidean<p3ga> { static constexpr int n = 4; };
template <> struct euclidean<c3ga> { static constexpr int n = 3; };
template <> struct euclidean<i2ga> { static constexpr int n = 2; };

// A vector in the Euclidean subspace with coordinates in [-s, s].
template <class V> V euclideanVector(double s)
{
	double c[V::dim] = {0.0};
	for (int i = 0; i < euclidean<V>::n; i++) c[i] = 2.0 * s * (std::rand() / (double)RAND_MAX - 0.5);
	V v;
	v.setVector(c);
	return v;
}

} // namespace

TEST(Exp, OrdersBelowTwoGiveOne)
{
	e3ga x = 3.0 * e3ga(e3gai::e1) + 2.0 * (e3gai::e1 ^ e3gai::e2);
	for (int order : {0, 1, -1, -100}) EXPECT_TRUE(ref::identical(x.exp(order), e3ga(1.0))) << order;
	// the zero value gives 1 for every order
	for (int order : {0, 2, 12}) EXPECT_TRUE(ref::identical(e3ga().exp(order), e3ga(1.0))) << order;
}

TEST(Exp, HyperbolicVector)
{
	e3ga r = (3.0 * e3ga(e3gai::e1)).exp(12);
	EXPECT_NEAR(r.scalar(), std::cosh(3.0), 1e-12 * std::cosh(3.0));
	EXPECT_NEAR(r.coordinates(2)[0], std::sinh(3.0), 1e-12 * std::sinh(3.0));
	EXPECT_EQ(r.gradeUsage(), 3);
}

// With two terms the result is (1 + x / 2^n)^(2^n), which shows the scaling:
// none below 1, 2 for a largest coordinate of 1.5, 8 for 2 and 3, 16 for 4.
TEST(Exp, ScalingShowsInSecondOrder)
{
	struct {
		double x;
		int scale;
	} cases[] = {{0.5, 1}, {1.5, 2}, {2.0, 8}, {3.0, 8}, {4.0, 16}, {-3.0, 8}};
	for (auto c : cases) {
		e3ga r = (c.x * e3ga(e3gai::e1)).exp(2);
		// (1 + a e1)^n = ((1 + a)^n + (1 - a)^n) / 2 + ((1 + a)^n - (1 - a)^n) / 2 e1
		double a = c.x / c.scale;
		double p = std::pow(1 + a, c.scale), m = std::pow(1 - a, c.scale);
		EXPECT_DOUBLE_EQ(r.scalar(), (p + m) / 2) << c.x;
		EXPECT_DOUBLE_EQ(r.coordinates(2)[0], (p - m) / 2) << c.x;
	}
}

// From 2^30 on, a 32-bit scale factor would wrap to 0 and give infinities;
// these rotations are finite and come out right.
TEST(Exp, LargeBivectorsStayFinite)
{
	for (double a : {std::ldexp(1.0, 30), std::ldexp(1.0, 31), 3e9, 5e9, 1e10}) {
		e3ga r = (a * (e3gai::e1 ^ e3gai::e2)).exp(16);
		ASSERT_TRUE(std::isfinite(r.scalar())) << a;
		ASSERT_TRUE(std::isfinite(r.coordinates(4)[2])) << a;
		EXPECT_NEAR(r.scalar(), std::cos(a), 1e-4) << a;
		EXPECT_NEAR(r.coordinates(4)[2], std::sin(a), 1e-4) << a;
	}
}

TEST(Exp, NonFiniteInputReturns)
{
	const double inf = std::numeric_limits<double>::infinity();
	const double nan = std::numeric_limits<double>::quiet_NaN();
	for (double a : {inf, -inf, nan}) {
		e3ga r = (a * e3ga(e3gai::e1)).exp(12);
		EXPECT_FALSE(std::isfinite(r.scalar()) && std::isfinite(r.coordinates(2)[0])) << a;
	}
}

template <class V> class ExpAll : public ::testing::Test {};
TYPED_TEST_SUITE(ExpAll, ref::Algebras);

// For a blade B with B^2 = -t^2, exp(B) = cos t + sin t B / t, and any
// Euclidean bivector exponentiates to a rotor: R ~R = 1.
TYPED_TEST(ExpAll, EuclideanBivectorsGiveRotors)
{
	typedef TypeParam V;
	std::srand(11);
	for (int trial = 0; trial < 20; trial++) {
		V b = euclideanVector<V>(2.0) ^ euclideanVector<V>(2.0);
		double t = std::sqrt(-(b * b).scalar());
		V r = b.exp(20);
		V expected = std::cos(t) + (std::sin(t) / t) * b;
		EXPECT_TRUE(near(r, expected, 1e-10));
		// a sum of two planes (not a blade from four dimensions on)
		V b2 = b + (euclideanVector<V>(1.0) ^ euclideanVector<V>(1.0));
		V r2 = b2.exp(20);
		EXPECT_TRUE(near(V(r2 * ~r2), V(1.0), 1e-10));
		// only even grades
		EXPECT_EQ(r2.gradeUsage() & 0x2a, 0);
	}
}

TEST(Random, NoGradeOrTooManyVectors)
{
	// no grade: refused without a draw, the value unchanged
	std::vector<int> r = draws(9, 13);
	e3gai x(2, 1.0, 2.0, 3.0);
	std::srand(9);
	EXPECT_EQ(x.random(0, 1.0, 0), -1);
	EXPECT_EQ(x.random(-4, 1.0, 1), -1);
	EXPECT_EQ(std::rand(), r[0]);
	EXPECT_TRUE(ref::identical(x, e3gai(2, 1.0, 2.0, 3.0)));
	// four vectors in three dimensions: drawn, and their outer product is 0
	std::srand(9);
	EXPECT_EQ(x.random(16, 1.0, 0), 0);
	EXPECT_EQ(x.gradeUsage(), 0);
	EXPECT_EQ(std::rand(), r[12]);
}

TEST(Random, CoordinatesWithinScale)
{
	std::srand(3);
	const double s = 0.25;
	double largest = 0.0;
	e3gai x;
	for (int i = 0; i < 2000; i++) {
		x.random(2, s, 0);
		for (int k = 0; k < 3; k++) {
			EXPECT_LE(std::fabs(x.coordinates(2)[k]), s);
			largest = std::fmax(largest, std::fabs(x.coordinates(2)[k]));
		}
	}
	// the whole range is used, not a sliver of it
	EXPECT_GT(largest, 0.9 * s);
}

template <class V> class RandomAll : public ::testing::Test {};
TYPED_TEST_SUITE(RandomAll, ref::Algebras);

TYPED_TEST(RandomAll, BladesAndVersorsOfRandomVectors)
{
	typedef typename TypeParam::implClass I;
	const int dim = I::dim;
	std::vector<int> r = draws(21, 3 * dim + 1);
	// vectors from the draws, dim coordinates each in basis order
	TypeParam v[3];
	for (int i = 0; i < 3; i++) {
		double c[dim];
		for (int k = 0; k < dim; k++) c[k] = drawn(r[i * dim + k], 1.5);
		v[i].setVector(c);
	}
	I x;
	std::srand(21);
	EXPECT_EQ(x.random(8, 1.5, 0), 0);
	EXPECT_EQ(std::rand(), r[3 * dim]);
	EXPECT_TRUE(near(x, v[0] ^ v[1] ^ v[2], 1e-14));
	EXPECT_EQ(x.gradeUsage(), 8);
	std::srand(21);
	EXPECT_EQ(x.random(8, 1.5, 1), 0);
	EXPECT_TRUE(near(x, v[0] * v[1] * v[2], 1e-14));
	// only the highest bit of the bitmap counts
	std::srand(21);
	x.random(8 | 2 | 1, 1.5, 0);
	EXPECT_EQ(std::rand(), r[3 * dim]);
	EXPECT_TRUE(near(x, v[0] ^ v[1] ^ v[2], 1e-14));
	// grade 0 is one draw whatever the algebra
	std::srand(21);
	x.random(1, 1.5, 1);
	EXPECT_EQ(std::rand(), r[1]);
	EXPECT_TRUE(ref::identical(x, TypeParam(drawn(r[0], 1.5))));
}
