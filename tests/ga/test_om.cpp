// Outer morphisms: construction from vector images or a versor, and
// application grade part by grade part.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

#include "reference/refcompare.h"

namespace {

using ref::near;

// Entry (k, j) of the grade-g block of a map.
template <class M> double entry(const M &m, int g, int k, int j)
{
	const int n = M::Def::gradeSize[g];
	return m.c[M::blockOffset(g) + k * n + j];
}

// cos(t/2) - sin(t/2) e1^e2 turns e1 towards e2 by t.
e3ga rotor(double t)
{
	return std::cos(t / 2) - std::sin(t / 2) * (e3gai::e1 ^ e3gai::e2);
}

} // namespace

TEST(OuterMorphism, SwapOfTwoVectors)
{
	const e3gai *images[3] = {&e3gai::e2, &e3gai::e1, &e3gai::e3};
	e3gai_om m(images);
	// a value of every grade
	const double cx[] = {1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0};
	const double ce[] = {1.0, 3.0, 2.0, 4.0, -6.0, -5.0, -7.0, -8.0};
	e3ga x(15, cx), expected(15, ce);
	e3ga y = om(m, x);
	EXPECT_TRUE(ref::identical(y, expected));
}

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
	EXPECT_NEAR(entry(m, 3, 0, 0), 1.0, 1e-15);
}

// A grade part is kept even where the map sends it to zero.
TEST(OuterMorphism, GradePartsKept)
{
	const e3gai zero[3];
	e3gai_om m(zero);
	e3ga v(2, 1.0, 2.0, 3.0);
	e3ga y = om(m, v);
	EXPECT_TRUE(ref::identical(y, e3ga(2, 0.0, 0.0, 0.0)));
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
	alignas(e3gai_om) unsigned char raw[sizeof(e3gai_om)];
	for (int byPointers = 0; byPointers < 2; byPointers++) {
		std::memset(raw, 0xff, sizeof raw); // all NaN
		e3gai_om *m = byPointers ? new (raw) e3gai_om(pointers) : new (raw) e3gai_om(images);
		for (double x : m->c) EXPECT_TRUE(std::isfinite(x));
		EXPECT_EQ(m->c[0], 1.0);
	}
	e3gai_om cleared;
	EXPECT_EQ(cleared.c[0], 1.0);
	for (int i = 1; i < e3gai_om::size; i++) EXPECT_EQ(cleared.c[i], 0.0);
	cleared.c[0] = 0.0;
	cleared.initOuterMorphism(images);
	EXPECT_EQ(cleared.c[0], 1.0);
	cleared.c[0] = 0.0;
	cleared.initSpinor2(rotor(0.3));
	EXPECT_EQ(cleared.c[0], 1.0);
	e3ga_om fromVersor(rotor(0.3));
	EXPECT_EQ(fromVersor.c[0], 1.0);
	fromVersor.c[0] = 0.0;
	fromVersor.initSpinor(rotor(0.3));
	EXPECT_EQ(fromVersor.c[0], 1.0);
	// and so the scalar part of a value passes through
	e3gai_om fromImages(images);
	EXPECT_TRUE(ref::identical(om(fromImages, e3ga(1.0) + e3gai::e1), e3ga(1.0) + e3gai::e2));
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
	EXPECT_TRUE(ref::identical(x, expected));
}

template <class V> class OmAll : public ::testing::Test {};
TYPED_TEST_SUITE(OmAll, ref::Algebras);

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
				EXPECT_TRUE(near(image, expected, tol));
			}
			V x = randomMultivector<V>();
			EXPECT_TRUE(near(om(m, x), r * x * inverse, tol));
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
		EXPECT_TRUE(near(image, imageOfFactors, 1e-12));
	}
}
