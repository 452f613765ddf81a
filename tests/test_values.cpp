// The value classes: the ring of temporaries, assignment and compound
// operators with doubles and values, scalar forms of the free functions,
// and no allocation once the pool is warm.
#include <gtest/gtest.h>

#include <cstddef>
#include <new>

#include "c3ga/c3ga.h"
#include "e3ga/e3ga.h"
#include "i2ga/i2ga.h"
#include "p3ga/p3ga.h"

// --- counting every call of the allocator -------------------------------------

namespace {
long allocatorCalls = 0;
}

extern "C" {
void *__libc_malloc(size_t);
void *__libc_calloc(size_t, size_t);
void *__libc_realloc(void *, size_t);
void __libc_free(void *);

void *malloc(size_t n) noexcept
{
	allocatorCalls++;
	return __libc_malloc(n);
}
void *calloc(size_t n, size_t size) noexcept
{
	allocatorCalls++;
	return __libc_calloc(n, size);
}
void *realloc(void *p, size_t n) noexcept
{
	allocatorCalls++;
	return __libc_realloc(p, n);
}
void free(void *p) noexcept
{
	allocatorCalls++;
	__libc_free(p);
}
}

void *operator new(std::size_t n)
{
	allocatorCalls++;
	void *p = __libc_malloc(n ? n : 1);
	if (p == nullptr) throw std::bad_alloc();
	return p;
}
void operator delete(void *p) noexcept
{
	allocatorCalls++;
	__libc_free(p);
}
void operator delete(void *p, std::size_t) noexcept
{
	allocatorCalls++;
	__libc_free(p);
}

namespace {

// Opens the protected pool of an algebra for inspection.
template <class T> struct poolPeek : T {
	using T::maxBlocksAvailable;
	using T::nbBlocksAvailable;
};

// Same usage word and the same stored coordinates.
template <class A, class B> ::testing::AssertionResult same(const A &a, const B &b)
{
	if (a.usage != b.usage)
		return ::testing::AssertionFailure() << "usage " << a.usage << " vs " << b.usage;
	for (int i = 0; i < a.memUsage(); i++)
		if (!(a.c[i] == b.c[i]))
			return ::testing::AssertionFailure() << "coordinate " << i << ": " << a.c[i] << " vs " << b.c[i];
	return ::testing::AssertionSuccess();
}

// The first getTemp of an algebra: slots handed out from slot 0 in
// rotation, all zero.
template <class V> void checkFirstRing()
{
	V *first = &V::getTemp();
	EXPECT_EQ(first->usage, 0);
	for (int i = 1; i < 64; i++) {
		V *slot = &V::getTemp();
		EXPECT_EQ(slot, first + i);
		EXPECT_EQ(slot->usage, 0);
	}
	EXPECT_EQ(&V::getTemp(), first);
}

// Must stay the first test of the file: it sees each ring come into being.
TEST(Ring, FirstCallPrimesThePoolAndRotates)
{
	// e3ga primes with 7-coordinate blocks, which nothing asked for before
	typedef poolPeek<e3gai> E;
	ASSERT_EQ(E::nbBlocksAvailable[7], 0);
	checkFirstRing<e3ga>();
	EXPECT_EQ(E::nbBlocksAvailable[7], 128);
	EXPECT_EQ(E::maxBlocksAvailable[7], 128);

	typedef poolPeek<p3gai> P;
	ASSERT_EQ(P::nbBlocksAvailable[3], 0);
	checkFirstRing<p3ga>();
	EXPECT_EQ(P::nbBlocksAvailable[3], 128);
	EXPECT_EQ(P::maxBlocksAvailable[3], 128);

	// c3ga primes with 1-coordinate blocks: the run exists already, holding I and Ii
	typedef poolPeek<c3gai> C;
	ASSERT_EQ(C::nbBlocksAvailable[1], 126);
	checkFirstRing<c3ga>();
	EXPECT_EQ(C::nbBlocksAvailable[1], 126);
	EXPECT_EQ(C::maxBlocksAvailable[1], 128);

	checkFirstRing<i2ga>();
}

TEST(Ring, AResultLastsFor64FurtherTemporaries)
{
	e3ga &r = e3gai::e1 ^ e3gai::e2;
	const e3ga expected(4, 0.0, 0.0, 1.0);
	for (int i = 0; i < 63; i++) (void)gp(e3gai::e1, e3gai::e3);
	EXPECT_TRUE(same(r, expected));
	e3ga &s = e3gai::e2 ^ e3gai::e3;
	EXPECT_EQ(&s, &r);
	EXPECT_TRUE(same(r, e3ga(4, 1.0, 0.0, 0.0)));
}

TEST(Values, AssignDoubleKeepsAZeroScalar)
{
	e3ga a(e3gai::e1);
	a = 0.0;
	EXPECT_EQ(a.usage, 17);
	EXPECT_EQ(a.c[0], 0.0);
	p3ga b;
	b = 0.0;
	EXPECT_EQ(b.usage, 33);
	c3ga c;
	c = -2.0;
	EXPECT_EQ(c.usage, 65);
	EXPECT_EQ(c.c[0], -2.0);
	i2ga d;
	d = 0.0;
	EXPECT_EQ(d.usage, 129);
	EXPECT_EQ(d.c[0], 0.0);
	e3ga e(0.0);
	EXPECT_EQ(e.usage, 17);
}

TEST(Values, ScalarProductWithDouble)
{
	e3ga x(e3gai::e1);
	x %= 2.0;
	EXPECT_EQ(x.usage, 17);
	EXPECT_EQ(x.c[0], 0.0);
	x = 3.0 + e3gai::e1;
	x %= 2.0;
	EXPECT_TRUE(same(x, e3ga(6.0)));
	EXPECT_TRUE(same(scp(2.0, e3gai::e1), e3ga(0.0)));
	EXPECT_EQ(scp(e3gai::e1, e3gai::e2).usage, 0);
	EXPECT_TRUE(same(scp(2.0, c3ga(3.0) + c3gai::no), c3ga(6.0)));
}

TEST(Values, ScalingByDoubles)
{
	e3ga x = 3.0 + (2.0 * e3gai::e1) + (e3gai::e2 ^ e3gai::e3);
	e3ga y(x), z(x), w(x);
	x *= 0.0;
	EXPECT_EQ(x.usage, 0);
	EXPECT_EQ(op(0.0, y).usage, 0);

	y ^= 3.0;
	z *= 3.0;
	EXPECT_TRUE(same(y, z));
	EXPECT_EQ(z.c[0], 9.0);
	EXPECT_EQ(z.c[1], 6.0);

	y = w;
	y /= 4.0;
	w *= 0.25;
	EXPECT_TRUE(same(y, w));
	EXPECT_EQ(w.c[0], 0.75);

	// a grade part that is all zero is dropped by a scalar multiple
	e3ga v = 1.0 + (e3gai::e1 - e3gai::e1);
	EXPECT_EQ(v.gradeUsage(), 3);
	v *= 2.0;
	EXPECT_TRUE(same(v, e3ga(2.0)));

	c3ga n(c3gai::no);
	n /= 2.0;
	EXPECT_TRUE(same(n, 0.5 * c3gai::no));
}

TEST(Values, SumsWithDoubles)
{
	const double twoPlus[4] = {2.0, 1.0, 0.0, 0.0}, minusTwoPlus[4] = {-2.0, 1.0, 0.0, 0.0},
	             twoMinus[4] = {2.0, -1.0, 0.0, 0.0};
	const e3ga twoPlusE1(3, twoPlus);
	e3ga x(e3gai::e1);
	x += 2.0;
	EXPECT_EQ(x.usage, 3 | (4 << 4));
	EXPECT_TRUE(same(x, twoPlusE1));
	EXPECT_TRUE(same(2.0 + e3gai::e1, twoPlusE1));

	x = e3gai::e1;
	x -= 2.0;
	EXPECT_TRUE(same(x, e3ga(3, minusTwoPlus)));
	EXPECT_TRUE(same(sub(2.0, e3gai::e1), e3ga(3, twoMinus)));
	EXPECT_TRUE(same(2.0 - e3gai::e1, sub(2.0, e3gai::e1)));

	EXPECT_TRUE(same(add(2.0, e3ga(3.0)), e3ga(5.0)));
	EXPECT_TRUE(same(add(0.0, e3ga()), e3ga(0.0)));

	// the scalar part is kept even when it cancels
	c3ga c = 1.0 + c3gai::ni;
	c -= 1.0;
	EXPECT_EQ(c.gradeUsage(), 3);
	EXPECT_EQ(c.c[0], 0.0);
}

TEST(Values, InnerProductsWithDoubles)
{
	const e3ga xs[] = {e3ga(e3gai::e1), 3.0 + (e3gai::e1 ^ e3gai::e2), e3ga(e3gai::I), e3ga(4.0)};
	for (const e3ga &x : xs) {
		EXPECT_EQ(hip(2.0, x).usage, 0);
		EXPECT_EQ(hip(x, 2.0).usage, 0);
		EXPECT_TRUE(same(mhip(2.0, x), op(2.0, x)));
		EXPECT_TRUE(same(mhip(x, 2.0), op(2.0, x)));
	}
	const c3ga n = c3gai::no + (c3gai::e1 ^ c3gai::ni);
	EXPECT_EQ(hip(2.0, n).usage, 0);
	EXPECT_TRUE(same(mhip(2.0, n), op(2.0, n)));
	const i2ga g(i2gai::go);
	EXPECT_EQ(hip(g, 2.0).usage, 0);
	EXPECT_TRUE(same(mhip(2.0, g), op(2.0, g)));
}

TEST(Values, CompoundOperatorOnItself)
{
	// (1 + e1^e2)^2 = 2 e1^e2: the scalar part cancels and is dropped
	e3ga x = 1.0 + (e3gai::e1 ^ e3gai::e2);
	x *= x;
	EXPECT_TRUE(same(x, e3ga(4, 0.0, 0.0, 2.0)));

	// (no + ni)^2 = 2 no.ni = -2
	c3ga n = c3gai::no + c3gai::ni;
	n *= n;
	EXPECT_TRUE(same(n, c3ga(-2.0)));

	e3ga y(e3gai::e1);
	y += y;
	EXPECT_TRUE(same(y, e3ga(2, 2.0, 0.0, 0.0)));
	y -= y;
	EXPECT_EQ(y.usage, 50);
	EXPECT_EQ(y.largestCoordinate(), 0.0);
	y = e3gai::e1;
	y ^= y;
	EXPECT_EQ(y.usage, 0);
}

TEST(Values, CompoundOperatorsWithValues)
{
	e3ga x(e3gai::e1);
	x ^= e3gai::e2;
	EXPECT_TRUE(same(x, e3ga(4, 0.0, 0.0, 1.0)));
	e3ga y(e3gai::e1);
	y <<= x;
	EXPECT_TRUE(same(y, e3ga(e3gai::e2)));
	x >>= e3gai::e2;
	EXPECT_TRUE(same(x, e3ga(e3gai::e1)));
	x *= e3gai::e2;
	EXPECT_TRUE(same(x, e3gai::e1 ^ e3gai::e2));
	x %= e3gai::e2;
	EXPECT_EQ(x.usage, 0);
}

TEST(Values, ExpressionsWithImplementationConstants)
{
	EXPECT_TRUE(same(e3gai::e1 ^ e3gai::e2, e3ga(4, 0.0, 0.0, 1.0)));
	EXPECT_TRUE(same(e3gai::e2 * e3gai::e1, e3ga(4, 0.0, 0.0, -1.0)));
	EXPECT_TRUE(same(e3gai::e1 << (e3gai::e1 ^ e3gai::e2), e3ga(e3gai::e2)));
	EXPECT_TRUE(same(e3gai::I * e3gai::I, e3ga(-1.0)));

	const c3ga twoNo = 2.0 * c3gai::no;
	EXPECT_TRUE(same(twoNo, c3ga(2, 0.0, 0.0, 0.0, 2.0, 0.0)));
	// no ni = -1 + no^ni
	const c3ga p = c3gai::no * c3gai::ni;
	EXPECT_EQ(p.gradeUsage(), 5);
	EXPECT_EQ(p.scalar(), -1.0);
	EXPECT_EQ(scp(c3gai::no, c3gai::ni).scalar(), -1.0);
	EXPECT_EQ(gpem(c3gai::no, c3gai::ni).gradeUsage(), 4);

	const p3ga q = p3gai::e0 ^ p3gai::e1;
	EXPECT_EQ(q.gradeUsage(), 4);
	EXPECT_TRUE(same(q * q, p3ga(-1.0)));

	const i2ga g = i2gai::go + 3.0 * i2gai::gi;
	EXPECT_TRUE(same(g % g, i2ga(-6.0)));
	EXPECT_TRUE(same(i2gai::I * i2gai::Ii, i2ga(1.0)));
}

// Products, sums and compound operators of every algebra, once warm.
template <class V> long callsOnceWarm(const V &a, const V &b, int rounds)
{
	V x, keep;
	long before = allocatorCalls;
	for (int i = 0; i < rounds; i++) {
		x = b;
		x *= a;
		x += b;
		keep = (a * b) + (a ^ x);
		keep -= 1.5;
		keep = 2.0 * keep;
	}
	return allocatorCalls - before;
}

TEST(Values, WarmOperationsDoNotAllocate)
{
	// the counter does see the pool: a count never asked for takes a run
	typedef poolPeek<e3gai> E;
	ASSERT_EQ(E::nbBlocksAvailable[2], 0);
	long before = allocatorCalls;
	{
		e3ga two(9, 1.0, -1.0);
		EXPECT_EQ(two.memUsage(), 2);
	}
	EXPECT_GT(allocatorCalls, before);

	const e3ga ea = 1.0 + e3gai::e1 + (e3gai::e2 ^ e3gai::e3);
	const e3ga eb = e3gai::e2 + 0.5 * e3gai::I;
	callsOnceWarm(ea, eb, 200);
	EXPECT_EQ(callsOnceWarm(ea, eb, 200), 0);

	const p3ga pa = p3gai::e0 + (p3gai::e1 ^ p3gai::e2);
	const p3ga pb = 2.0 + p3gai::e3;
	callsOnceWarm(pa, pb, 200);
	EXPECT_EQ(callsOnceWarm(pa, pb, 200), 0);

	const c3ga ca = c3gai::no + 0.5 * c3gai::ni + c3gai::e1;
	const c3ga cb = (c3gai::e2 ^ c3gai::ni) + 3.0;
	callsOnceWarm(ca, cb, 200);
	EXPECT_EQ(callsOnceWarm(ca, cb, 200), 0);

	const i2ga ia = i2gai::go + (i2gai::no ^ i2gai::gi);
	const i2ga ib = i2gai::e1 + 2.0;
	callsOnceWarm(ia, ib, 200);
	EXPECT_EQ(callsOnceWarm(ia, ib, 200), 0);
}

} // namespace
