// Storage of the four algebras: setting, copying, grade queries, the packed
// and full coordinate forms, and the per-size coordinate pool.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <vector>

#include "reference/refcompare.h"

namespace {

// Opens the protected pool and setUsage of an algebra for inspection.
template <class T> struct peek : T {
	using T::setUsage;
};
template <class T> struct poolPeek : peek<T> {
	using T::blocks;
	using T::maxBlocksAvailable;
	using T::nbBlocksAvailable;
};

template <class T> int usageOf(int bitmap)
{
	return bitmap | (T::def::mvSize[bitmap] << T::def::countShift);
}

// 1, 2, 3, ...: coordinates that are all different and non-zero.
template <class T> std::vector<double> ramp()
{
	std::vector<double> v(T::nbCoor);
	for (int i = 0; i < T::nbCoor; i++) v[i] = i + 1.0;
	return v;
}

template <class T> bool isZeroArray(const double *p)
{
	for (int i = 0; i < T::nbCoor; i++)
		if (p[i] != 0.0) return false;
	return true;
}

template <class T> class Storage : public ::testing::Test {};
TYPED_TEST_SUITE(Storage, ref::ImplAlgebras);

template <class T> class Pool : public ::testing::Test {};
typedef ::testing::Types<e3gai, p3gai, c3gai> PoolAlgebras;
TYPED_TEST_SUITE(Pool, PoolAlgebras);

// Counts reserved for the pool tests below, so that their numbers do not
// depend on which tests ran before in the same process: the full count of
// each pooled algebra (first run) and count 2 of e3ga (second run).  No other
// test here asks for them; the static constants hold counts 1 and dim.
constexpr int sc_e3gaSecondRunBitmap = 9; // scalar and pseudoscalar: 2 coordinates

TYPED_TEST(Storage, DefaultValueReadsAsZero)
{
	TypeParam x;
	EXPECT_EQ(x.usage, 0);
	EXPECT_EQ(x.gradeUsage(), 0);
	EXPECT_EQ(x.memUsage(), 0);
	EXPECT_EQ(x.grade(), 0);
	EXPECT_EQ(x.maxGrade(), -1);
	EXPECT_EQ(x.largestGrade(), 0);
	EXPECT_EQ(x.largestCoordinate(), 0.0);
	EXPECT_EQ(x.scalar(), 0.0);
	EXPECT_TRUE(isZeroArray<TypeParam>(x.coordinates(4)));
}

TYPED_TEST(Storage, SetFromArrayPacksTheSelectedGrades)
{
	typedef typename TypeParam::def Def;
	const int top = 1 << TypeParam::dim;
	const int bm = 1 | 2 | top;
	std::vector<double> src = ramp<TypeParam>();
	TypeParam x;
	x.set(bm, src.data());
	EXPECT_EQ(x.usage, usageOf<TypeParam>(bm));
	EXPECT_EQ(x.gradeUsage(), bm);
	EXPECT_EQ(x.memUsage(), TypeParam::dim + 2);
	EXPECT_EQ(x.scalar(), 1.0);
	for (int i = 0; i < Def::gradeSize[1]; i++) EXPECT_EQ(x.coordinates(2)[i], 2.0 + i);
	EXPECT_EQ(x.coordinates(top)[0], TypeParam::dim + 2.0);
	EXPECT_EQ(x.coordinates(top), x.c + TypeParam::dim + 1);

	// a source inside the value's own storage: keep only its vector part
	x.set(2, x.c + 1);
	EXPECT_EQ(x.usage, usageOf<TypeParam>(2));
	for (int i = 0; i < Def::gradeSize[1]; i++) EXPECT_EQ(x.c[i], 2.0 + i);

	// the constructor from a bitmap and an array does the same
	TypeParam y(bm, src.data());
	EXPECT_EQ(y.usage, usageOf<TypeParam>(bm));
	EXPECT_EQ(y.coordinates(top)[0], TypeParam::dim + 2.0);
}

TYPED_TEST(Storage, CopyTakesUsageAndCoordinatesAndIgnoresItself)
{
	std::vector<double> src = ramp<TypeParam>();
	TypeParam a(1 | 4, src.data());
	TypeParam b(2, src.data());
	b.copy(a);
	EXPECT_TRUE(ref::identical(b, a));
	EXPECT_NE(b.c, a.c);

	const double *block = a.c;
	a.copy(a);
	EXPECT_EQ(a.usage, usageOf<TypeParam>(1 | 4));
	EXPECT_EQ(a.c, block);
	for (int i = 0; i < a.memUsage(); i++) EXPECT_EQ(a.c[i], src[i]);

	TypeParam c(a);
	EXPECT_TRUE(ref::identical(c, a));
	EXPECT_NE(c.c, a.c);

	c.null();
	EXPECT_EQ(c.usage, 0);
	EXPECT_EQ(c.gradeUsage(), 0);
}

TYPED_TEST(Storage, CoordinatesOfAbsentOrInvalidGradeAreZeros)
{
	std::vector<double> src = ramp<TypeParam>();
	TypeParam x(1 | 2, src.data());
	EXPECT_EQ(x.coordinates(1), x.c);
	EXPECT_EQ(x.coordinates(2), x.c + 1);
	EXPECT_TRUE(isZeroArray<TypeParam>(x.coordinates(4)));                        // absent
	EXPECT_TRUE(isZeroArray<TypeParam>(x.coordinates(3)));                        // two grades
	EXPECT_TRUE(isZeroArray<TypeParam>(x.coordinates(0)));                        // no grade
	EXPECT_TRUE(isZeroArray<TypeParam>(x.coordinates(2 << TypeParam::dim)));      // beyond
	EXPECT_TRUE(isZeroArray<TypeParam>(x.coordinates(-1)));
}

TYPED_TEST(Storage, GradeAndMaxGrade)
{
	std::vector<double> v(TypeParam::nbCoor, 0.0);
	// 1 + e1
	v[0] = 1.0;
	v[1] = 1.0;
	TypeParam x(1 | 2, v.data());
	EXPECT_EQ(x.grade(), -1);
	EXPECT_EQ(x.maxGrade(), 1);

	// 2 e1 with an all-zero bivector part beside it
	std::vector<double> w(TypeParam::nbCoor, 0.0);
	w[0] = 2.0;
	x.set(2 | 4, w.data());
	EXPECT_EQ(x.grade(), -1);
	EXPECT_EQ(x.maxGrade(), 1);

	// 2 e1 alone
	x.set(2, w.data());
	EXPECT_EQ(x.grade(), 1);

	// a scalar, whatever its value, and a vector of zeros
	x.set(1, 5.0);
	EXPECT_EQ(x.grade(), 0);
	EXPECT_EQ(x.maxGrade(), -1);
	std::vector<double> z(TypeParam::nbCoor, 0.0);
	x.set(2, z.data());
	EXPECT_EQ(x.grade(), 0);
	EXPECT_EQ(x.maxGrade(), -1);

	// the pseudoscalar, and a blade beside a zero pseudoscalar
	x.set(1 << TypeParam::dim, 2.0);
	EXPECT_EQ(x.grade(), TypeParam::dim);
	EXPECT_EQ(x.maxGrade(), TypeParam::dim);
	w[TypeParam::dim] = 0.0; // the pseudoscalar coordinate after the vector part
	x.set(2 | (1 << TypeParam::dim), w.data());
	EXPECT_EQ(x.grade(), -1);
	EXPECT_EQ(x.maxGrade(), 1);
}

TYPED_TEST(Storage, LargestGradeAndCoordinate)
{
	const int top = 1 << TypeParam::dim;
	std::vector<double> v(TypeParam::nbCoor, 0.0);
	// vector (0, 3, ...) and pseudoscalar -3: equal sums of squares, the lower grade wins
	v[1] = 3.0;
	v[TypeParam::dim] = -3.0;
	TypeParam x(2 | top, v.data());
	EXPECT_EQ(x.largestGrade(), 1);
	EXPECT_EQ(x.largestCoordinate(), 3.0);

	v[TypeParam::dim] = -4.0;
	x.set(2 | top, v.data());
	EXPECT_EQ(x.largestGrade(), TypeParam::dim);
	EXPECT_EQ(x.largestCoordinate(), 4.0);

	// a NaN never becomes the largest coordinate
	v[0] = std::numeric_limits<double>::quiet_NaN();
	x.set(2 | top, v.data());
	EXPECT_EQ(x.largestCoordinate(), 4.0);

	x.set(1, -0.5);
	EXPECT_EQ(x.largestGrade(), 0);
	EXPECT_EQ(x.largestCoordinate(), 0.5);
}

TYPED_TEST(Storage, CompressFromFullArray)
{
	typedef typename TypeParam::def Def;
	const int top = 1 << TypeParam::dim;
	std::vector<double> cc(TypeParam::nbCoor, 0.0);
	TypeParam x;
	x.set(1, 9.0);
	x.compress(cc.data());
	EXPECT_EQ(x.usage, 0);

	// a tiny scalar stays, an all-zero bivector goes, a NaN keeps its vector
	cc[0] = 1e-300;
	cc[Def::gradeOffset[1] + 1] = std::numeric_limits<double>::quiet_NaN();
	cc[TypeParam::nbCoor - 1] = 4.0;
	x.compress(cc.data());
	EXPECT_EQ(x.usage, usageOf<TypeParam>(1 | 2 | top));
	EXPECT_EQ(x.scalar(), 1e-300);
	EXPECT_EQ(x.coordinates(2)[0], 0.0);
	EXPECT_TRUE(std::isnan(x.coordinates(2)[1]));
	EXPECT_EQ(x.coordinates(top)[0], 4.0);

	// within epsilon: the scalar, and the vector (a NaN counts as within)
	x.compress(1e-6);
	EXPECT_EQ(x.usage, usageOf<TypeParam>(top));
	EXPECT_EQ(x.c[0], 4.0);

	// a NaN alone keeps its grade
	std::vector<double> nan(TypeParam::nbCoor, 0.0);
	nan[Def::gradeOffset[2] + 2] = std::numeric_limits<double>::quiet_NaN();
	x.compress(nan.data());
	EXPECT_EQ(x.usage, usageOf<TypeParam>(4));
	EXPECT_TRUE(std::isnan(x.c[2]));
}

TYPED_TEST(Storage, CompressWithEpsilon)
{
	typedef typename TypeParam::def Def;
	const int n1 = Def::gradeSize[1];
	std::vector<double> v(TypeParam::nbCoor, 0.05);
	// every part has a coordinate beyond 0.1: nothing moves
	v[1] = -0.5;
	v[n1 + 1] = 0.5;
	TypeParam x(2 | 4, v.data());
	const double *block = x.c;
	x.compress(0.1);
	EXPECT_EQ(x.usage, usageOf<TypeParam>(2 | 4));
	EXPECT_EQ(x.c, block);
	for (int i = 0; i < x.memUsage(); i++) EXPECT_EQ(x.c[i], v[i]);

	// exactly +-eps lies within: the scalar and vector go, the bivector is packed down
	std::vector<double> w(TypeParam::nbCoor, 0.0);
	w[0] = 0.1;
	w[1] = -0.1;
	w[2] = 0.05;
	w[1 + n1] = 0.25;
	w[2 + n1] = -7.0;
	x.set(1 | 2 | 4, w.data());
	x.compress(0.1);
	EXPECT_EQ(x.usage, usageOf<TypeParam>(4));
	EXPECT_EQ(x.c[0], 0.25);
	EXPECT_EQ(x.c[1], -7.0);

	x.compress(10.0);
	EXPECT_EQ(x.usage, 0);
}

TYPED_TEST(Storage, TakeGrade)
{
	typedef typename TypeParam::def Def;
	const int top = 1 << TypeParam::dim;
	std::vector<double> src = ramp<TypeParam>();
	TypeParam a(1 | 2 | top, src.data());
	TypeParam x;
	x.takeGrade(a, 2 | 4 | top);
	EXPECT_EQ(x.usage, usageOf<TypeParam>(2 | top));
	for (int i = 0; i < Def::gradeSize[1]; i++) EXPECT_EQ(x.c[i], src[1 + i]);
	EXPECT_EQ(x.c[Def::gradeSize[1]], src[1 + Def::gradeSize[1]]);

	// no grade in common
	x.takeGrade(a, 4);
	EXPECT_EQ(x.usage, 0);
	x.takeGrade(a, 0);
	EXPECT_EQ(x.usage, 0);

	// into itself
	a.takeGrade(a, 2);
	EXPECT_EQ(a.usage, usageOf<TypeParam>(2));
	for (int i = 0; i < Def::gradeSize[1]; i++) EXPECT_EQ(a.c[i], src[1 + i]);
}

// The usage word: the grade bitmap, and above countShift the number of
// stored coordinates.
TEST(Storage, UsageWords)
{
	double d[20];
	for (int i = 0; i < 20; i++) d[i] = i + 1.0;
	e3gai x;
	x.setScalar(d);
	EXPECT_EQ(x.usage, 17);
	x.setVector(d);
	EXPECT_EQ(x.usage, 50);
	x.set2Vector(d);
	EXPECT_EQ(x.usage, 52);
	EXPECT_EQ(x.coordinates(4)[2], 3.0);
	x.set3Vector(d);
	EXPECT_EQ(x.usage, 24);
	// the coordinates given one by one
	EXPECT_EQ(x.set2Vector(-1.0, -2.0, -3.0), 0);
	EXPECT_EQ(x.usage, 52);
	EXPECT_EQ(x.c[2], -3.0);
	EXPECT_EQ(x.setScalar(-2.5), 0);
	EXPECT_EQ(x.usage, 17);
	EXPECT_EQ(x.scalar(), -2.5);

	p3gai p;
	p.set4Vector(d);
	EXPECT_EQ(p.usage, 48);
	c3gai c;
	c.set3Vector(d);
	EXPECT_EQ(c.usage, 648);
	EXPECT_EQ(c.c[9], 10.0);
	EXPECT_EQ(c.set(16, 1.0, 2.0, 3.0, 4.0, -5.0), 0);
	EXPECT_EQ(c.usage, 336);
	EXPECT_EQ(c.c[4], -5.0);
	i2gai g;
	g.set3Vector(d);
	EXPECT_EQ(g.usage, 2568);
	EXPECT_EQ(g.c[19], 20.0);
	g.set6Vector(d);
	EXPECT_EQ(g.usage, 192);
}

TEST(Storage, I2gaKeepsItsCoordinatesInPlace)
{
	i2gai x;
	for (int i = 0; i < 64; i++) EXPECT_EQ(x.c[i], 0.0);

	// null relabels only: the old coordinates stay in the array, unread
	double d[15];
	for (int i = 0; i < 15; i++) d[i] = i + 1.0;
	x.set2Vector(d);
	x.null();
	EXPECT_EQ(x.usage, 0);
	EXPECT_EQ(x.c[0], 1.0);
	EXPECT_EQ(x.c[14], 15.0);
	EXPECT_TRUE(isZeroArray<i2gai>(x.coordinates(4)));

	// a bivector and a trivector, each with one coordinate beyond eps
	double e[35] = {0.0};
	e[3] = 1e-3;
	e[34] = -1e-3;
	x.set(4 | 8, e);
	x.compress(1e-6);
	EXPECT_EQ(x.usage, (4 | 8) | (35 << 7));
	EXPECT_EQ(x.c[34], -1e-3);
}

TYPED_TEST(Pool, FirstRequestOfACountTakesARunOf128)
{
	typedef poolPeek<TypeParam> P;
	const int n = TypeParam::nbCoor;
	const int full = usageOf<TypeParam>(TypeParam::def::gradeMask);
	ASSERT_EQ(P::nbBlocksAvailable[n], 0);
	ASSERT_EQ(P::maxBlocksAvailable[n], 0);
	{
		P a;
		a.setUsage(full);
		EXPECT_EQ(P::nbBlocksAvailable[n], 127);
		EXPECT_EQ(P::maxBlocksAvailable[n], 128);
		// a block never used before is zero-filled
		for (int i = 0; i < n; i++) EXPECT_EQ(a.c[i], 0.0);
		// the run is pushed in ascending order: pops walk down through it
		P b;
		b.setUsage(full);
		EXPECT_EQ(b.c, a.c - ga::poolStride(n));
		EXPECT_EQ(P::nbBlocksAvailable[n], 126);
	}
	EXPECT_EQ(P::nbBlocksAvailable[n], 128);
	EXPECT_EQ(P::maxBlocksAvailable[n], 128);
}

TEST(Pool, The129thLiveValueTakesASecondRun)
{
	typedef poolPeek<e3gai> P;
	const int n = e3gai_mvSize[sc_e3gaSecondRunBitmap];
	ASSERT_EQ(P::nbBlocksAvailable[n], 0);
	const double d[2] = {1.0, -1.0};
	std::unique_ptr<e3gai[]> values(new e3gai[129]);
	for (int k = 0; k < 128; k++) values[k].set(sc_e3gaSecondRunBitmap, d);
	EXPECT_EQ(P::nbBlocksAvailable[n], 0);
	EXPECT_EQ(P::maxBlocksAvailable[n], 128);
	for (int k = 1; k < 128; k++) EXPECT_EQ(values[k].c, values[0].c - k * ga::poolStride(n));

	values[128].set(sc_e3gaSecondRunBitmap, d);
	EXPECT_EQ(P::nbBlocksAvailable[n], 127);
	EXPECT_EQ(P::maxBlocksAvailable[n], 128);
	EXPECT_EQ(values[128].c[1], -1.0);

	// every block goes back; the stack doubles to hold them
	values.reset();
	EXPECT_EQ(P::nbBlocksAvailable[n], 256);
	EXPECT_EQ(P::maxBlocksAvailable[n], 256);
}

TEST(Pool, SameCountKeepsTheBlockAnotherCountSwapsIt)
{
	typedef poolPeek<e3gai> P;
	P x;
	x.setVector(1.0, 2.0, 3.0);
	const double *block = x.c;
	int free3 = P::nbBlocksAvailable[3];
	x.setUsage(52);
	EXPECT_EQ(x.usage, 52);
	EXPECT_EQ(x.c, block);
	EXPECT_EQ(x.coordinates(4)[0], 1.0);
	EXPECT_EQ(x.coordinates(4)[2], 3.0);
	EXPECT_EQ(P::nbBlocksAvailable[3], free3);

	// a new count: the old block returns to its stack at once
	const double d[4] = {0.5, 1.0, 2.0, 3.0};
	x.set(1 | 2, d);
	EXPECT_NE(x.c, block);
	EXPECT_EQ(P::nbBlocksAvailable[3], free3 + 1);
	EXPECT_EQ(x.c[3], 3.0);
	x.null();
	EXPECT_EQ(x.usage, 0);
	EXPECT_EQ(P::blocks[3][P::nbBlocksAvailable[3] - 1], block);
}

// Gives values of the widest count coordinates until the address space,
// capped just above what is in use now, runs out.  Runs in the death-test child.
void exhaustPool()
{
	// Values to give blocks to: far more than the headroom below can hold.
	constexpr size_t kValues = size_t(1) << 20;
	// Address space left to the pool before allocation must fail.
	constexpr size_t kHeadroom = size_t(16) << 20;
	// the pool reports on standard output and standard error: gather both here
	std::fflush(stdout);
	dup2(STDERR_FILENO, STDOUT_FILENO);
	std::vector<c3gai> *values = new std::vector<c3gai>(kValues);
	long pages = 0;
	FILE *f = std::fopen("/proc/self/statm", "r");
	if (f == nullptr || std::fscanf(f, "%ld", &pages) != 1) return;
	std::fclose(f);
	rlimit lim;
	getrlimit(RLIMIT_AS, &lim);
	lim.rlim_cur = (rlim_t)pages * (rlim_t)sysconf(_SC_PAGESIZE) + kHeadroom;
	if (setrlimit(RLIMIT_AS, &lim) != 0) return;
	double full[32];
	for (int i = 0; i < 32; i++) full[i] = i;
	for (c3gai &v : *values) v.set(63, full);
}

TEST(PoolDeathTest, FailedAllocationEndsWithAMessage)
{
#if defined(__SANITIZE_ADDRESS__)
	// the address sanitizer reserves more address space than the limit allows
	GTEST_SKIP() << "not under the address sanitizer";
#endif
	::testing::FLAGS_gtest_death_test_style = "threadsafe";
	// once from standard output, once from standard error
	EXPECT_DEATH(exhaustPool(), "memory allocation failure.*memory allocation failure");
}

} // namespace
