// The exponential by scaling and squaring, and random blades and versors.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "c3ga/c3ga.h"
#include "e3ga/e3ga.h"
#include "i2ga/i2ga.h"
#include "p3ga/p3ga.h"

namespace {

// Coordinate of the full-array blade index k, 0 when its grade is absent.
template <class V> double coord(const V &v, int k)
{
	int g = 0;
	while (g < V::dim && V::def::gradeOffset[g + 1] <= k) g++;
	return v.coordinates(1 << g)[k - V::def::gradeOffset[g]];
}

template <class V> void expectSame(const V &a, const V &b, double tol)
{
	for (int k = 0; k < V::nbCoor; k++) EXPECT_NEAR(coord(a, k), coord(b, k), tol) << "blade " << k;
}

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

// The usage word of the scalar 1 in any algebra: grade 0, one coordinate.
template <class V> int scalarUsage() { return 1 | (1 << V::def::countShift); }

} // namespace

TEST(Exp, OrdersBelowTwoGiveOne)
{
	e3ga x = 3.0 * e3ga(e3gai::e1) + 2.0 * (e3gai::e1 ^ e3gai::e2);
	for (int order : {0, 1, -1, -100}) {
		e3ga r = x.exp(order);
		EXPECT_EQ(r.usage, scalarUsage<e3ga>()) << order;
		EXPECT_EQ(r.scalar(), 1.0) << order;
	}
	// the zero value gives 1 for every order
	e3ga zero;
	for (int order = 0; order < 16; order++) {
		e3ga r = zero.exp(order);
		EXPECT_EQ(r.usage, scalarUsage<e3ga>()) << order;
		EXPECT_EQ(r.scalar(), 1.0) << order;
	}
}

TEST(Exp, QuarterTurnBivector)
{
	const double a = M_PI / 4;
	e3ga b = a * (e3gai::e1 ^ e3gai::e2);
	e3ga r = b.exp(12);
	// (e1^e2)^2 = -1, so the series gives cos + sin e1^e2
	EXPECT_EQ(r.gradeUsage(), 5);
	EXPECT_NEAR(r.scalar(), std::cos(a), 1e-9);
	EXPECT_NEAR(r.coordinates(4)[2], std::sin(a), 1e-9);
	EXPECT_EQ(r.coordinates(4)[0], 0.0);
	EXPECT_EQ(r.coordinates(4)[1], 0.0);
}

TEST(Exp, HyperbolicVector)
{
	e3ga r = (3.0 * e3ga(e3gai::e1)).exp(12);
	EXPECT_NEAR(r.scalar(), std::cosh(3.0), 1e-12 * std::cosh(3.0));
	EXPECT_NEAR(r.coordinates(2)[0], std::sinh(3.0), 1e-12 * std::sinh(3.0));
	EXPECT_EQ(r.gradeUsage(), 3);
	r = (1.5 * e3ga(e3gai::e1)).exp(16);
	EXPECT_NEAR(r.scalar(), std::cosh(1.5), 1e-13);
	EXPECT_NEAR(r.coordinates(2)[0], std::sinh(1.5), 1e-13);
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
typedef ::testing::Types<e3ga, p3ga, c3ga, i2ga> Algebras;
TYPED_TEST_SUITE(ExpAll, Algebras);

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
		expectSame(r, expected, 1e-10);
		// a sum of two planes (not a blade from four dimensions on)
		V b2 = b + (euclideanVector<V>(1.0) ^ euclideanVector<V>(1.0));
		V r2 = b2.exp(20);
		V one = r2 * ~r2;
		expectSame(one, V(1.0), 1e-10);
		// only even grades
		EXPECT_EQ(r2.gradeUsage() & 0x2a, 0);
	}
}

TEST(Random, DrawsPerCoordinate)
{
	const unsigned seed = 1234;
	const double s = 2.5;
	std::vector<int> r = draws(seed, 16);
	e3gai x;
	// one draw gives a scalar
	std::srand(seed);
	EXPECT_EQ(x.random(1, s, 0), 0);
	EXPECT_EQ(std::rand(), r[1]);
	EXPECT_EQ(x.usage, scalarUsage<e3ga>());
	EXPECT_EQ(x.scalar(), drawn(r[0], s));
	// two vectors, six draws, their outer product in drawing order
	e3ga v1(2, drawn(r[0], s), drawn(r[1], s), drawn(r[2], s));
	e3ga v2(2, drawn(r[3], s), drawn(r[4], s), drawn(r[5], s));
	std::srand(seed);
	EXPECT_EQ(x.random(4, s, 0), 0);
	EXPECT_EQ(std::rand(), r[6]);
	expectSame<e3ga>(x, v1 ^ v2, 0.0);
	EXPECT_EQ(x.gradeUsage(), 4);
	// the versor of the same two vectors: scalar plus bivector
	std::srand(seed);
	EXPECT_EQ(x.random(4, s, 1), 0);
	expectSame<e3ga>(x, v1 * v2, 0.0);
	EXPECT_EQ(x.gradeUsage(), 5);
	// only the highest bit of the bitmap counts
	std::srand(seed);
	x.random(7, s, 0);
	EXPECT_EQ(std::rand(), r[6]);
	expectSame<e3ga>(x, v1 ^ v2, 0.0);
}

TEST(Random, MoreVectorsThanDimensions)
{
	std::vector<int> r = draws(5, 13);
	e3gai x(2, 1.0, 2.0, 3.0);
	std::srand(5);
	EXPECT_EQ(x.random(16, 1.0, 0), 0);
	EXPECT_EQ(x.gradeUsage(), 0);
	EXPECT_EQ(std::rand(), r[12]);
}

TEST(Random, NoGradeLeavesValue)
{
	std::vector<int> r = draws(9, 1);
	e3gai x(2, 1.0, 2.0, 3.0);
	std::srand(9);
	EXPECT_EQ(x.random(0, 1.0, 0), -1);
	EXPECT_EQ(x.random(-4, 1.0, 1), -1);
	EXPECT_EQ(std::rand(), r[0]);
	expectSame<e3gai>(x, e3gai(2, 1.0, 2.0, 3.0), 0.0);
	EXPECT_EQ(x.usage, e3gai(2, 1.0, 2.0, 3.0).usage);
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
TYPED_TEST_SUITE(RandomAll, Algebras);

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
	expectSame<TypeParam>(x, v[0] ^ v[1] ^ v[2], 1e-14);
	EXPECT_EQ(x.gradeUsage(), 8);
	std::srand(21);
	EXPECT_EQ(x.random(8, 1.5, 1), 0);
	expectSame<TypeParam>(x, v[0] * v[1] * v[2], 1e-14);
	// grade 0 is one draw whatever the algebra
	std::srand(21);
	x.random(1, 1.5, 1);
	EXPECT_EQ(x.usage, scalarUsage<TypeParam>());
	EXPECT_EQ(x.scalar(), drawn(r[0], 1.5));
}
