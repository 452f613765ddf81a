// Products and sums through the value classes and free functions of the four
// algebras, against the reference: results, which grade parts are stored,
// the forms with a scalar, and targets that are also operands.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "reference/refcompare.h"

using ref::coords;

namespace {

// Random pairs of grade usages tried per algebra, besides the full pair.
constexpr int sc_randomPairs = 60;

template <class V> class Products : public ::testing::Test {
protected:
	typedef typename V::def Def;
	const ref::algebra &r = ref::of<Def>();
	std::mt19937 rng{std::mt19937::result_type(Def::dim)};

	int randomUsage() { return std::uniform_int_distribution<int>(0, Def::gradeMask)(rng); }
	V randomValue(int gu) { return ref::randomValue<V>(rng, gu); }
	template <class A, class B> coords expected(int P, const A &a, const B &b) const
	{
		return r.product(P, ref::fullOf(a), ref::fullOf(b));
	}
	// Usage word of a value with the grades of gu.
	static int word(int gu) { return gu | (Def::mvSize[gu] << Def::countShift); }
	// Basis vector i, a constant of the implementation class.
	static const typename V::implClass &e(int i) { return *V::bv[i]; }
	static coords scaled(coords x, double s)
	{
		for (double &v : x) v *= s;
		return x;
	}
};

TYPED_TEST_SUITE(Products, ref::Algebras);

} // namespace

TYPED_TEST(Products, RandomValuesAgainstReference)
{
	typedef TypeParam V;
	typedef typename V::def Def;
	const double tol = ref::sc_tolerance;
	for (int n = 0; n <= sc_randomPairs; n++) {
		int ga = n == 0 ? Def::gradeMask : this->randomUsage(), gb = n == 0 ? Def::gradeMask : this->randomUsage();
		V a = this->randomValue(ga), b = this->randomValue(gb);
		SCOPED_TRACE(testing::Message() << Def::name << " grade usages " << ga << " and " << gb);
		EXPECT_TRUE(ref::sameProduct(gp(a, b), this->expected(ga::P_GP, a, b), tol));
		EXPECT_TRUE(ref::sameProduct(a * b, this->expected(ga::P_GP, a, b), tol));
		EXPECT_TRUE(ref::sameProduct(op(a, b), this->expected(ga::P_OP, a, b), tol));
		EXPECT_TRUE(ref::sameProduct(a ^ b, this->expected(ga::P_OP, a, b), tol));
		EXPECT_TRUE(ref::sameProduct(lcont(a, b), this->expected(ga::P_LCONT, a, b), tol));
		EXPECT_TRUE(ref::sameProduct(a << b, this->expected(ga::P_LCONT, a, b), tol));
		EXPECT_TRUE(ref::sameProduct(rcont(a, b), this->expected(ga::P_RCONT, a, b), tol));
		EXPECT_TRUE(ref::sameProduct(a >> b, this->expected(ga::P_RCONT, a, b), tol));
		EXPECT_TRUE(ref::sameProduct(scp(a, b), this->expected(ga::P_SCP, a, b), tol));
		EXPECT_TRUE(ref::sameProduct(a % b, this->expected(ga::P_SCP, a, b), tol));
		EXPECT_TRUE(ref::sameProduct(hip(a, b), this->expected(ga::P_HIP, a, b), tol));
		EXPECT_TRUE(ref::sameProduct(mhip(a, b), this->expected(ga::P_MHIP, a, b), tol));
		EXPECT_TRUE(ref::sameProduct(gpem(a, b), this->expected(ga::P_GPEM, a, b), tol));
		EXPECT_TRUE(ref::sameProduct(lcem(a, b), this->expected(ga::P_LCEM, a, b), tol));
		V s;
		s.scpem(a, b);
		EXPECT_TRUE(ref::sameProduct(s, this->expected(ga::P_SCPEM, a, b), tol));
		// sums keep the union of the grade parts
		coords fa = ref::fullOf(a), fb = ref::fullOf(b), sum(Def::nbCoor), diff(Def::nbCoor);
		for (int k = 0; k < Def::nbCoor; k++) {
			sum[k] = fa[k] + fb[k];
			diff[k] = fa[k] - fb[k];
		}
		EXPECT_TRUE(ref::sameValue(add(a, b), sum, ga | gb, 0.0));
		EXPECT_TRUE(ref::sameValue(a + b, sum, ga | gb, 0.0));
		EXPECT_TRUE(ref::sameValue(sub(a, b), diff, ga | gb, 0.0));
		EXPECT_TRUE(ref::sameValue(a - b, diff, ga | gb, 0.0));
	}
}

TYPED_TEST(Products, ScalarOperands)
{
	typedef TypeParam V;
	typedef typename V::def Def;
	// x has every grade, but its vector part is all 0.0
	coords fx = ref::randomFull<Def>(this->rng, Def::gradeMask);
	for (int i = 0; i < Def::dim; i++) fx[1 + i] = 0.0;
	V x = ref::makeValue<V>(fx, Def::gradeMask);
	const coords twoX = this->scaled(fx, 2.0);
	const int withoutVectors = Def::gradeMask & ~2;

	// scalar multiples drop the all-zero part
	EXPECT_TRUE(ref::sameValue(gp(2.0, x), twoX, withoutVectors, 0.0));
	EXPECT_TRUE(ref::sameValue(2.0 * x, twoX, withoutVectors, 0.0));
	EXPECT_TRUE(ref::sameValue(x * 2.0, twoX, withoutVectors, 0.0));
	EXPECT_TRUE(ref::sameValue(op(2.0, x), twoX, withoutVectors, 0.0));
	EXPECT_TRUE(ref::sameValue(gpem(2.0, x), twoX, withoutVectors, 0.0));
	EXPECT_TRUE(ref::sameValue(mhip(2.0, x), twoX, withoutVectors, 0.0));
	EXPECT_TRUE(ref::sameValue(mhip(x, 2.0), twoX, withoutVectors, 0.0));
	EXPECT_EQ(gp(0.0, x).usage, 0);
	EXPECT_EQ(hip(2.0, x).usage, 0);
	EXPECT_EQ(hip(x, 2.0).usage, 0);

	// sums with a scalar are not compressed
	coords plus = fx, minus = this->scaled(fx, -1.0);
	plus[0] += 2.0;
	minus[0] += 2.0;
	EXPECT_TRUE(ref::sameValue(add(2.0, x), plus, Def::gradeMask, 0.0));
	EXPECT_TRUE(ref::sameValue(2.0 + x, plus, Def::gradeMask, 0.0));
	EXPECT_TRUE(ref::sameValue(x + 2.0, plus, Def::gradeMask, 0.0));
	EXPECT_TRUE(ref::sameValue(sub(2.0, x), minus, Def::gradeMask, 0.0));
	EXPECT_TRUE(ref::sameValue(2.0 - x, minus, Def::gradeMask, 0.0));
	coords less = fx;
	less[0] -= 2.0;
	EXPECT_TRUE(ref::sameValue(x - 2.0, less, Def::gradeMask, 0.0));

	// scp with a double: the scalar part times the double, kept even when 0.0
	const auto &e1 = this->e(0);
	EXPECT_EQ(scp(2.0, x).usage, this->word(1));
	EXPECT_EQ(scp(2.0, x).scalar(), 2.0 * fx[0]);
	EXPECT_EQ(scp(2.0, e1).usage, this->word(1));
	EXPECT_EQ(scp(2.0, e1).scalar(), 0.0);

	// a scalar operand alone: the same-usage path; a zero operand still gives a scalar part
	V three(3.0);
	EXPECT_EQ(add(2.0, three).usage, this->word(1));
	EXPECT_EQ(add(2.0, three).scalar(), 5.0);
	EXPECT_EQ(sub(2.0, three).scalar(), -1.0);
	V zero;
	EXPECT_EQ(add(0.0, zero).usage, 1 | (1 << Def::countShift));
	EXPECT_EQ(add(0.0, zero).scalar(), 0.0);
	coords onePlusE1(Def::nbCoor, 0.0), zeroPlusE1(Def::nbCoor, 0.0);
	onePlusE1[0] = 1.0;
	onePlusE1[1] = zeroPlusE1[1] = 1.0;
	EXPECT_TRUE(ref::sameValue(add(1.0, e1), onePlusE1, 3, 0.0));
	EXPECT_TRUE(ref::sameValue(add(0.0, e1), zeroPlusE1, 3, 0.0));
	onePlusE1[1] = -1.0;
	EXPECT_TRUE(ref::sameValue(sub(1.0, e1), onePlusE1, 3, 0.0));
	EXPECT_EQ(op(0.0, e1).usage, 0);
}

TYPED_TEST(Products, OnlyNonZeroGradePartsAreStored)
{
	typedef TypeParam V;
	typedef typename V::def Def;
	const auto &e1 = this->e(0), &e2 = this->e(1), &e3 = this->e(2);
	const int scalarWord = this->word(1);
	EXPECT_EQ(gp(e1, e1).usage, scalarWord);
	EXPECT_EQ(gp(e1, e1).scalar(), 1.0);
	EXPECT_EQ(op(e1, e1).usage, 0);
	EXPECT_EQ((e1 % e2).usage, 0);
	EXPECT_EQ(lcont(op(e1, e2), e1).usage, 0);
	EXPECT_EQ(op(e1, op(e1, e2)).usage, 0);
	EXPECT_EQ(hip(e1, e1).usage, scalarWord);
	EXPECT_EQ(hip(e1, e1).scalar(), 1.0);
	EXPECT_EQ(mhip(e1, e1).scalar(), 1.0);
	EXPECT_EQ(op(e1, op(e2, e3)).usage, this->word(8));
	EXPECT_EQ(gp(V::I, V::I).usage, scalarWord);

	// sums keep the union of the grades
	EXPECT_EQ(add(e1, e2).usage, this->word(2));
	EXPECT_EQ(add(e1, op(e1, e2)).usage, this->word(6));
	EXPECT_EQ(add(e1, op(e1, e2)).memUsage(), Def::gradeSize[1] + Def::gradeSize[2]);
	V x = this->randomValue(Def::gradeMask & 0x5b); // grades 0, 1, 3, 4 and 6 where they exist
	EXPECT_TRUE(ref::sameValue(sub(x, x), coords(Def::nbCoor, 0.0), x.gradeUsage(), 0.0));
	EXPECT_TRUE(ref::sameValue(sub(e1, e1), coords(Def::nbCoor, 0.0), 2, 0.0));

	// a NaN keeps its grade part
	V nanE1 = gp(std::numeric_limits<double>::quiet_NaN(), e1);
	EXPECT_EQ(nanE1.gradeUsage(), 2);
	EXPECT_TRUE(std::isnan(nanE1.coordinates(2)[0]));
}

TYPED_TEST(Products, TargetIsAnOperand)
{
	typedef TypeParam V;
	typedef typename V::def Def;
	const double tol = ref::sc_tolerance;
	// y: grades 0, 1, 4 and 5 where they exist
	V x = this->randomValue(Def::gradeMask), y = this->randomValue(Def::gradeMask & 0x33);
	const coords fx = ref::fullOf(x), fy = ref::fullOf(y);
	const coords xy = this->r.product(ga::P_GP, fx, fy), xx = this->r.product(ga::P_GP, fx, fx);
	const coords xOpY = this->r.product(ga::P_OP, fx, fy);
	coords xPlusY = fx;
	for (int k = 0; k < Def::nbCoor; k++) xPlusY[k] += fy[k];

	V t = x;
	t.gp(t, y);
	EXPECT_TRUE(ref::sameProduct(t, xy, tol));
	V u = y;
	u.gp(x, u);
	EXPECT_TRUE(ref::sameProduct(u, xy, tol));
	t = x;
	t.gp(t, t);
	EXPECT_TRUE(ref::sameProduct(t, xx, tol));
	t = x;
	t.add(t, t);
	EXPECT_TRUE(ref::sameValue(t, this->scaled(fx, 2.0), Def::gradeMask, 0.0));
	t = x;
	t.sub(t, t);
	EXPECT_TRUE(ref::sameValue(t, coords(Def::nbCoor, 0.0), Def::gradeMask, 0.0));
	t = x;
	t.add(2.0, t);
	EXPECT_EQ(t.scalar(), fx[0] + 2.0);
	t = x;
	t = t + y;
	EXPECT_TRUE(ref::sameValue(t, xPlusY, Def::gradeMask, 0.0));
	t = x;
	t *= t;
	EXPECT_TRUE(ref::sameProduct(t, xx, tol));
	t = x;
	t *= y;
	EXPECT_TRUE(ref::sameProduct(t, xy, tol));
	t = x;
	t ^= y;
	EXPECT_TRUE(ref::sameProduct(t, xOpY, tol));
	t = x;
	t += t;
	EXPECT_TRUE(ref::sameValue(t, this->scaled(fx, 2.0), Def::gradeMask, 0.0));
	t = x;
	t -= t;
	EXPECT_TRUE(ref::sameValue(t, coords(Def::nbCoor, 0.0), Def::gradeMask, 0.0));
	t = x;
	t *= 2.0;
	EXPECT_TRUE(ref::sameValue(t, this->scaled(fx, 2.0), Def::gradeMask, 0.0));
}
