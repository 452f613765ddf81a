// Setting values from numbers and arrays: a literal 0 is a number, the count
// of numbers must be what the bitmap selects, bitmaps beyond the algebra are
// refused, and a refused set changes nothing.
#include <gtest/gtest.h>

#include <utility>

#include "reference/refcompare.h"

namespace {

using ref::identical;

template <class V> class Setting : public ::testing::Test {};
TYPED_TEST_SUITE(Setting, ref::Algebras);

template <class T> int usageOf(int bitmap)
{
	return bitmap | (T::def::mvSize[bitmap] << T::def::countShift);
}

// x.set(gu, 1.0, 2.0, ..., n): n numbers.
template <class T, size_t... k> int setRampOf(T &x, int gu, std::index_sequence<k...>)
{
	return x.set(gu, (k + 1.0)...);
}
template <int n, class T> int setRamp(T &x, int gu)
{
	return setRampOf(x, gu, std::make_index_sequence<n>());
}

// Whether x.set<GU>(...) and x.setVector(...) compile with n doubles.
template <size_t> using number = double;
template <int GU, class T, class... C> constexpr auto setCompiles(int) -> decltype(std::declval<T &>().template set<GU>(std::declval<C>()...), true)
{
	return true;
}
template <int GU, class T, class... C> constexpr bool setCompiles(...) { return false; }
template <class T, class... C> constexpr auto setVectorCompiles(int) -> decltype(std::declval<T &>().setVector(std::declval<C>()...), true)
{
	return true;
}
template <class T, class... C> constexpr bool setVectorCompiles(...) { return false; }
template <int GU, class T, size_t... k> constexpr bool setCompilesWith(std::index_sequence<k...>)
{
	return setCompiles<GU, T, number<k>...>(0);
}
template <int GU, class T, int n> constexpr bool setCompilesWith()
{
	return setCompilesWith<GU, T>(std::make_index_sequence<n>());
}
template <class T, size_t... k> constexpr bool setVectorCompilesWith(std::index_sequence<k...>)
{
	return setVectorCompiles<T, number<k>...>(0);
}
template <class T, int n> constexpr bool setVectorCompilesWith()
{
	return setVectorCompilesWith<T>(std::make_index_sequence<n>());
}

TYPED_TEST(Setting, LiteralZeroIsANumber)
{
	typedef TypeParam V;
	typedef typename V::implClass I;
	constexpr int top = 1 << V::dim;
	const V zero(0.0), topZero(top, 0.0);
	// constructors of both classes
	EXPECT_TRUE(identical(V(1, 0), zero));
	EXPECT_TRUE(identical(I(1, 0), zero));
	EXPECT_TRUE(identical(V(top, 0), topZero));
	EXPECT_TRUE(identical(I(top, 0), topZero));
	EXPECT_TRUE(identical(V(1 | top, 2, 0), V(1 | top, 2.0, 0.0)));
	EXPECT_TRUE(identical(I(1 | top, 0, 0), V(1 | top, 0.0, 0.0)));
	// set and setScalar of both classes
	V x(2.0);
	EXPECT_EQ(x.set(top, 0), 0);
	EXPECT_TRUE(identical(x, topZero));
	EXPECT_EQ(x.setScalar(0), 0);
	EXPECT_TRUE(identical(x, zero));
	I xi(1, 3.0);
	EXPECT_EQ(xi.set(1, 0), 0);
	EXPECT_TRUE(identical(xi, zero));
	xi.set(top, 4.0);
	EXPECT_EQ(xi.setScalar(0), 0);
	EXPECT_TRUE(identical(xi, zero));
	// a null array given explicitly reads as zeros
	const double *none = nullptr;
	const V zeros[] = {V(2, nullptr), V(I(2, none)), V(V::def::gradeMask, none)};
	for (const V &z : zeros) {
		EXPECT_EQ(z.usage, usageOf<V>(z.gradeUsage()));
		EXPECT_EQ(z.largestCoordinate(), 0.0);
	}
	EXPECT_EQ(zeros[0].gradeUsage(), 2);
	EXPECT_EQ(x.set(2 | top, none), 0);
	EXPECT_EQ(x.usage, usageOf<V>(2 | top));
	EXPECT_EQ(x.largestCoordinate(), 0.0);
}

TYPED_TEST(Setting, CountMustMatchTheBitmap)
{
	typedef TypeParam V;
	typedef typename V::implClass I;
	constexpr int n = V::def::gradeSize[1], top = 1 << V::dim;
	// with a constant bitmap a wrong count does not compile
	EXPECT_TRUE((setCompilesWith<2, V, n>()));
	EXPECT_FALSE((setCompilesWith<2, V, n - 1>()));
	EXPECT_FALSE((setCompilesWith<2, I, n + 1>()));
	EXPECT_TRUE((setCompilesWith<1 | top, I, 2>()));
	EXPECT_FALSE((setCompilesWith<top, V, 2>()));
	EXPECT_TRUE((setVectorCompilesWith<V, n>()));
	EXPECT_FALSE((setVectorCompilesWith<I, n - 1>()));
	EXPECT_FALSE((setVectorCompilesWith<V, n + 1>()));

	// too many numbers would run into the neighbouring block
	V t1, t2;
	t1.set(1, 5.0);
	t2.set(1, 6.0);
	EXPECT_EQ(t2.set(1, 1.0, 2.0, 3.0), -1);
	EXPECT_TRUE(identical(t1, V(5.0)));
	EXPECT_TRUE(identical(t2, V(6.0)));
	// too few would leave a released value's coordinates in place
	{
		V old;
		ASSERT_EQ(setRamp<n>(old, 2), 0);
	}
	V fresh;
	EXPECT_EQ(fresh.set(2, 1.0, 2.0), -1);
	EXPECT_EQ(fresh.usage, 0);
	EXPECT_EQ(V(2, 1.0, 2.0).usage, 0);
	EXPECT_EQ(I(2, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0).usage, 0);

	// a run-time bitmap against counts just right, one short and one over
	struct Case {
		int gu;
		int (*set)(V &, int);
		int result;
	};
	const Case cases[] = {
	    {2, setRamp<n, V>, 0},
	    {2, setRamp<n - 1, V>, -1},
	    {2, setRamp<n + 1, V>, -1},
	    {1 | top, setRamp<2, V>, 0},
	    {1 | top, setRamp<1, V>, -1},
	    {1 | top, setRamp<3, V>, -1},
	    {V::def::gradeMask, setRamp<V::nbCoor, V>, 0},
	    {V::def::gradeMask, setRamp<V::nbCoor - 1, V>, -1},
	};
	for (const Case &c : cases) {
		V x(9.0);
		ASSERT_EQ(c.set(x, c.gu), c.result) << "bitmap " << c.gu;
		if (c.result < 0) {
			EXPECT_TRUE(identical(x, V(9.0))) << "bitmap " << c.gu;
			continue;
		}
		EXPECT_EQ(x.usage, usageOf<V>(c.gu));
		for (int i = 0; i < x.memUsage(); i++) EXPECT_EQ(x.c[i], i + 1.0);
	}
}

TYPED_TEST(Setting, BitmapBeyondTheAlgebraIsRefused)
{
	typedef TypeParam V;
	typedef typename V::implClass I;
	constexpr int beyond = V::def::gradeMask + 1;
	EXPECT_FALSE((setCompilesWith<beyond, V, 1>()));
	EXPECT_FALSE((setCompilesWith<beyond | 1, I, 1>()));
	double full[V::nbCoor];
	for (int i = 0; i < V::nbCoor; i++) full[i] = i + 1.0;
	for (int gu : {beyond, beyond | 1, beyond | 2, -1, 1 << 30}) {
		V x(3.0);
		EXPECT_EQ(x.set(gu, full), -1) << "bitmap " << gu;
		EXPECT_EQ(x.set(gu, 1.0), -1) << "bitmap " << gu;
		EXPECT_EQ(x.set(gu, 0), -1) << "bitmap " << gu;
		EXPECT_TRUE(identical(x, V(3.0))) << "bitmap " << gu;
		EXPECT_EQ(V(gu, full).usage, 0);
		EXPECT_EQ(I(gu, 1.0).usage, 0);
	}
	// the named grades above the algebra's top grade name no grade of it
	V x(3.0);
	if (V::dim < 6) x.set6Vector(full);
	if (V::dim < 5) x.set5Vector(full);
	EXPECT_TRUE(identical(x, V(3.0)));
}

} // namespace
