// The value classes: the ring of temporaries, assignment and compound
// operators with doubles and values, scalar forms of the free functions,
// and no allocation once the pool is warm.
#include <gtest/gtest.h>

#include <cstddef>
#include <new>

#include "reference/refcompare.h"

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

using ref::identical;

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
	EXPECT_TRUE(identical(r, expected));
	e3ga &s = e3gai::e2 ^ e3gai::e3;
	EXPECT_EQ(&s, &r);
	EXPECT_TRUE(identical(r, e3ga(4, 1.0, 0.0, 0.0)));
}

TEST(Values, AssignDoubleKeepsAZeroScalar)
{
	e3ga a(e3gai::e1);
	a = 0.0;
	EXPECT_EQ(a.usage, 17);
	EXPECT_EQ(a.c[0], 0.0);
	EXPECT_EQ(e3ga(0.0).usage, 17);
	c3ga c;
	c = -2.0;
	EXPECT_EQ(c.usage, 65);
	EXPECT_EQ(c.c[0], -2.0);
	i2ga d;
	d = 0.0;
	EXPECT_EQ(d.usage, 129);
}

TEST(Values, CompoundOperatorsWithDoubles)
{
	const e3ga e1 = e3gai::e1, e23 = e3gai::e2 ^ e3gai::e3;
	const e3ga x = 3.0 + (2.0 * e1) + e23;
	// ^= and *= scale alike, /= divides
	e3ga y = x, z = x;
	y ^= 3.0;
	z *= 3.0;
	EXPECT_TRUE(identical(y, z));
	EXPECT_TRUE(identical(z, 9.0 + (6.0 * e1) + 3.0 * e23));
	y = x;
	y /= 4.0;
	EXPECT_TRUE(identical(y, 0.75 + (0.5 * e1) + 0.25 * e23));
	// a multiple drops the grade parts that are all zero
	y = x;
	y *= 0.0;
	EXPECT_EQ(y.usage, 0);
	y = 1.0 + (e1 - e1);
	EXPECT_EQ(y.gradeUsage(), 3);
	y *= 2.0;
	EXPECT_TRUE(identical(y, e3ga(2.0)));
	// %= keeps the scalar part times the double, even when it is 0
	y = e1;
	y %= 2.0;
	EXPECT_TRUE(identical(y, e3ga(0.0)));
	y = 3.0 + e1;
	y %= 2.0;
	EXPECT_TRUE(identical(y, e3ga(6.0)));
	// += and -= keep the scalar part, even when it cancels
	y = e1;
	y += 2.0;
	EXPECT_TRUE(identical(y, 2.0 + e1));
	y -= 4.0;
	EXPECT_TRUE(identical(y, -2.0 + e1));
	c3ga c = 1.0 + c3gai::ni;
	c -= 1.0;
	EXPECT_EQ(c.gradeUsage(), 3);
	EXPECT_EQ(c.c[0], 0.0);
}

TEST(Values, CompoundOperatorsWithValues)
{
	e3ga x(e3gai::e1);
	x ^= e3gai::e2;
	EXPECT_TRUE(identical(x, e3ga(4, 0.0, 0.0, 1.0)));
	e3ga y(e3gai::e1);
	y <<= x;
	EXPECT_TRUE(identical(y, e3ga(e3gai::e2)));
	x >>= e3gai::e2;
	EXPECT_TRUE(identical(x, e3ga(e3gai::e1)));
	x *= e3gai::e2;
	EXPECT_TRUE(identical(x, e3gai::e1 ^ e3gai::e2));
	x %= e3gai::e2;
	EXPECT_EQ(x.usage, 0);
}

TEST(Values, ExpressionsWithImplementationConstants)
{
	EXPECT_TRUE(identical(e3gai::e1 ^ e3gai::e2, e3ga(4, 0.0, 0.0, 1.0)));
	EXPECT_TRUE(identical(e3gai::e2 * e3gai::e1, e3ga(4, 0.0, 0.0, -1.0)));
	EXPECT_TRUE(identical(e3gai::e1 << (e3gai::e1 ^ e3gai::e2), e3ga(e3gai::e2)));
	EXPECT_TRUE(identical(e3gai::I * e3gai::I, e3ga(-1.0)));

	EXPECT_TRUE(identical(2.0 * c3gai::no, c3ga(2, 0.0, 0.0, 0.0, 2.0, 0.0)));
	EXPECT_TRUE(identical(c3gai::no % c3gai::ni, c3ga(-1.0)));

	const p3ga q = p3gai::e0 ^ p3gai::e1;
	EXPECT_EQ(q.gradeUsage(), 4);
	EXPECT_TRUE(identical(q * q, p3ga(-1.0)));

	const i2ga g = i2gai::go + 3.0 * i2gai::gi;
	EXPECT_TRUE(identical(g % g, i2ga(-6.0)));
	EXPECT_TRUE(identical(i2gai::I * i2gai::Ii, i2ga(1.0)));
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
