// Outer morphisms: construction from vector images or a versor, and
// application grade part by grade part.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

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

// Entry (k, j) of the grade-g block of a map.
template <class M> double entry(const M &m, int g, int k, int j)
{
	const int n = M::Def::gradeSize[g];
	return m.c[M::blockOffset(g) + k * n + j];
}

template <class M> void expectBlock(const M &m, int g, const double *expected)
{
	const int n = M::Def::gradeSize[g];
	for (int k = 0; k < n; k++)
		for (int j = 0; j < n; j++) EXPECT_EQ(entry(m, g, k, j), expected[k * n + j]) << g << " " << k << j;
}

// cos(t/2) - sin(t/2) e1^e2 turns e1 towards e2 by t.
e3ga rotor(double t)
{
	return std::cos(t / 2) - std::sin(t / 2) * (e3gai::e1 ^ e3gai::e2);
}

} // namespace

TEST(OuterMorphism, IdentityImages)
{
	const e3gai images[3] = {e3gai::e1, e3gai::e2, e3gai::e3};
	e3gai_om m(images);
	const double one[] = {1.0};
	const double identity[] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
	expectBlock(m, 0, one);
	expectBlock(m, 1, identity);
	expectBlock(m, 2, identity);
	expectBlock(m, 3, one);
	// every grade part comes out unchanged
	std::srand(2);
	e3gai x, y;
	x.random(8, 1.0, 1);
	const double c6[] = {1.0, 2.0, 3.0, 4.0, 5.0, 6.0};
	x.add(x, e3gai(6, c6));
	y.om(x, m);
	EXPECT_EQ(y.usage, x.usage);
	expectSame(y, x, 0.0);
}

// e1 and e2 swapped: determinant -1, e1^e2 -> -e1^e2, e2^e3 -> -e3^e1,
// e3^e1 -> -e2^e3 (grade-2 basis order e2^e3, e3^e1, e1^e2).
TEST(OuterMorphism, SwapOfTwoVectors)
{
	ASSERT_STREQ(e3gai_basisElementNames[4], "e2^e3");
	ASSERT_STREQ(e3gai_basisElementNames[5], "e3^e1");
	ASSERT_STREQ(e3gai_basisElementNames[6], "e1^e2");
	const e3gai *images[3] = {&e3gai::e2, &e3gai::e1, &e3gai::e3};
	e3gai_om m(images);
	const double swap[] = {0, 1, 0, 1, 0, 0, 0, 0, 1};
	const double bivectors[] = {0, -1, 0, -1, 0, 0, 0, 0, -1};
	const double minusOne[] = {-1.0};
	const double one[] = {1.0};
	expectBlock(m, 0, one);
	expectBlock(m, 1, swap);
	expectBlock(m, 2, bivectors);
	expectBlock(m, 3, minusOne);
	// applied: a value of every grade
	const double cx[] = {1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0};
	const double ce[] = {1.0, 3.0, 2.0, 4.0, -6.0, -5.0, -7.0, -8.0};
	e3ga x(15, cx), expected(15, ce);
	e3ga y = om(m, x);
	expectSame(y, expected, 0.0);
}

TEST(OuterMorphism, ScalingByS)
{
	const double s = 1.5;
	const e3gai images[3] = {e3gai(2, s, 0.0, 0.0), e3gai(2, 0.0, s, 0.0), e3gai(2, 0.0, 0.0, s)};
	e3gai_om m(images);
	for (int g = 0; g <= 3; g++) {
		const double sg = std::pow(s, g);
		const double diagonal[] = {sg, 0, 0, 0, sg, 0, 0, 0, sg};
		expectBlock(m, g, diagonal); // a 1x1 block reads the first entry only
	}
}

// The rotation matrix of a rotor: columns R e_i R^-1.
TEST(OuterMorphism, RotorGivesRotationMatrix)
{
	const double t = 0.7;
	e3ga r = rotor(t);
	e3ga_om m(r);
	e3gai_om m2;
	m2.initSpinor2(r);
	const double c = std::cos(t), s = std::sin(t);
	const double rotation[] = {c, -s, 0, s, c, 0, 0, 0, 1};
	for (int k = 0; k < 3; k++)
		for (int j = 0; j < 3; j++) {
			EXPECT_NEAR(entry(m, 1, k, j), rotation[k * 3 + j], 1e-15);
			EXPECT_NEAR(entry(m2, 1, k, j), rotation[k * 3 + j], 1e-15);
		}
	for (int j = 0; j < 3; j++) {
		e3ga image = r * e3ga(*e3gai::bv[j]) * r.inverse();
		for (int k = 0; k < 3; k++) EXPECT_EQ(entry(m, 1, k, j), image.coordinates(2)[k]);
	}
	EXPECT_NEAR(entry(m, 3, 0, 0), 1.0, 1e-15);
	EXPECT_EQ(entry(m, 0, 0, 0), 1.0);
}

// A grade part is kept even where the map sends it to zero.
TEST(OuterMorphism, GradePartsKept)
{
	const e3gai zero[3];
	e3gai_om m(zero);
	e3ga v(2, 1.0, 2.0, 3.0);
	e3ga y = om(m, v);
	EXPECT_EQ(y.usage, v.usage);
	expectSame(y, e3ga(2, 0.0, 0.0, 0.0), 0.0);
	e3ga_om rot(rotor(1.0));
	y = om(rot, v);
	EXPECT_EQ(y.usage, v.usage);
	// the images' other grades are ignored
	const double c1[] = {5.0, 1.0, 0.0, 0.0}, c2[] = {0.0, 1.0, 0.0, 9.0, 9.0, 9.0};
	const e3gai mixed[3] = {e3gai(3, c1), e3gai(6, c2), e3gai::e3 + e3gai::I};
	const e3gai plain[3] = {e3gai::e1, e3gai::e2, e3gai::e3};
	e3gai_om a(mixed), b(plain);
	EXPECT_EQ(std::memcmp(a.c, b.c, sizeof a.c), 0);
}

// A scalar maps to itself after every constructor and initialiser, also
// where the memory held garbage before.
TEST(OuterMorphism, ScalarBlockIsOne)
{
	const e3gai images[3] = {e3gai::e2, e3gai::e3, e3gai::e1};
	const e3gai *pointers[3] = {&images[0], &images[1], &images[2]};
	const e3ga values[3] = {e3gai::e2, e3gai::e3, e3gai::e1};
	const e3ga *valuePointers[3] = {&values[0], &values[1], &values[2]};
	alignas(e3gai_om) unsigned char raw[sizeof(e3gai_om)];
	std::memset(raw, 0xff, sizeof raw); // all NaN
	e3gai_om *fromGarbage = new (raw) e3gai_om(images);
	for (double x : fromGarbage->c) EXPECT_TRUE(std::isfinite(x));
	EXPECT_EQ(fromGarbage->c[0], 1.0);
	std::memset(raw, 0xff, sizeof raw);
	fromGarbage = new (raw) e3gai_om(pointers);
	for (double x : fromGarbage->c) EXPECT_TRUE(std::isfinite(x));
	EXPECT_EQ(fromGarbage->c[0], 1.0);
	e3gai_om cleared;
	EXPECT_EQ(cleared.c[0], 1.0);
	for (int i = 1; i < e3gai_om::size; i++) EXPECT_EQ(cleared.c[i], 0.0);
	cleared.c[0] = 0.0;
	cleared.initOuterMorphism(images);
	EXPECT_EQ(cleared.c[0], 1.0);
	cleared.c[0] = 0.0;
	cleared.initSpinor2(rotor(0.3));
	EXPECT_EQ(cleared.c[0], 1.0);
	e3ga_om fromValues(valuePointers), fromVersor(rotor(0.3));
	EXPECT_EQ(fromValues.c[0], 1.0);
	EXPECT_EQ(fromVersor.c[0], 1.0);
	fromVersor.c[0] = 0.0;
	fromVersor.initSpinor(rotor(0.3));
	EXPECT_EQ(fromVersor.c[0], 1.0);
	// and so the scalar part of a value passes through
	e3ga y = om(fromValues, e3ga(1.0) + e3gai::e1);
	EXPECT_EQ(y.scalar(), 1.0);
	EXPECT_EQ(y.coordinates(2)[1], 1.0);
}

// Images given consecutively, through pointers, or as values: the same map.
TEST(OuterMorphism, ConstructorsAgree)
{
	std::srand(8);
	e3gai images[3];
	for (e3gai &x : images) x.random(2, 2.0, 0);
	const e3gai *pointers[3] = {&images[0], &images[1], &images[2]};
	const e3ga values[3] = {images[0], images[1], images[2]};
	const e3ga *valuePointers[3] = {&values[0], &values[1], &values[2]};
	e3gai_om a(images), b(pointers);
	e3ga_om c(valuePointers);
	EXPECT_EQ(std::memcmp(a.c, b.c, sizeof a.c), 0);
	EXPECT_EQ(std::memcmp(a.c, c.c, sizeof a.c), 0);
}

// A versor without inverse gives zero images: every block above grade 0 is zero.
TEST(OuterMorphism, NullVersor)
{
	c3ga_om m{c3ga(c3gai::no)};
	EXPECT_EQ(m.c[0], 1.0);
	for (int i = 1; i < c3ga_om::size; i++) EXPECT_EQ(m.c[i], 0.0);
}

TEST(OuterMorphism, TargetIsOperand)
{
	e3ga_om m(rotor(0.9));
	const double cx[] = {1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0};
	e3ga x(15, cx);
	e3ga expected = om(m, x);
	x.om(x, m);
	expectSame(x, expected, 0.0);
	EXPECT_EQ(x.usage, expected.usage);
}

template <class V> class OmAll : public ::testing::Test {};
typedef ::testing::Types<e3ga, p3ga, c3ga, i2ga> Algebras;
TYPED_TEST_SUITE(OmAll, Algebras);

template <class V> struct omSize;
template <> struct omSize<e3ga> { static constexpr int n = 20; };
template <> struct omSize<p3ga> { static constexpr int n = 70; };
template <> struct omSize<c3ga> { static constexpr int n = 252; };
template <> struct omSize<i2ga> { static constexpr int n = 924; };

// A random value: a scalar plus a random blade of every grade.
template <class V> V randomMultivector()
{
	V x(1.0 - std::rand() / (double)RAND_MAX);
	for (int g = 1; g <= V::dim; g++) {
		V b;
		b.random(1 << g, 1.0, 0);
		x += b;
	}
	return x;
}

// The map of a versor is the sandwich R x R^-1 on every grade.
TYPED_TEST(OmAll, VersorMapIsSandwich)
{
	typedef TypeParam V;
	typedef typename V::implClass I;
	typename I::omType cleared;
	EXPECT_EQ((int)(sizeof cleared.c / sizeof(double)), omSize<V>::n);
	std::srand(17);
	for (int trial = 0; trial < 10; trial++) {
		// an even and an odd versor
		for (int bitmap : {4, 8}) {
			V r;
			r.random(bitmap, 1.0, 1);
			V inverse = r.inverse();
			// skip versors too close to singular to compare against
			if (std::fabs((r * ~r).scalar()) < 0.05) continue;
			ga::mvValueOm<V> m(r);
			typename I::omType m2;
			m2.initSpinor2(r);
			EXPECT_EQ(std::memcmp(m.c, m2.c, sizeof m.c), 0);
			const double tol = 1e-10 * (1.0 + r.largestCoordinate() * inverse.largestCoordinate());
			for (int g = 0; g <= V::dim; g++) {
				V blade;
				blade.random(1 << g, 1.0, 0);
				V expected = (r * blade * inverse).grade(1 << g);
				V image = om(m, blade);
				EXPECT_EQ(image.usage, blade.usage);
				expectSame(image, expected, tol);
			}
			V x = randomMultivector<V>();
			expectSame<V>(om(m, x), r * x * inverse, tol);
		}
	}
}

// Any linear map: the image of a^b^... is f(a)^f(b)^..., and the grade-1
// block's columns are the images given.
TYPED_TEST(OmAll, OuterProductsOfImages)
{
	typedef TypeParam V;
	std::srand(23);
	V images[V::dim];
	const V *pointers[V::dim];
	for (int i = 0; i < V::dim; i++) {
		images[i].random(2, 1.0, 0);
		pointers[i] = &images[i];
	}
	ga::mvValueOm<V> m(pointers);
	for (int j = 0; j < V::dim; j++)
		for (int k = 0; k < V::dim; k++) EXPECT_EQ(entry(m, 1, k, j), images[j].coordinates(2)[k]);
	for (int g = 1; g <= V::dim; g++) {
		V blade(1.0), imageOfFactors(1.0);
		for (int i = 0; i < g; i++) {
			V v;
			v.random(2, 1.0, 0);
			blade = blade ^ v;
			imageOfFactors = imageOfFactors ^ om(m, v);
		}
		V image = om(m, blade);
		expectSame(image, imageOfFactors, 1e-12);
	}
}
