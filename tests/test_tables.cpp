// The generated tables of the four algebras: blade names, order and
// orientation, sizes, outer-product construction, left-multiplication
// expansion, type names, and the basis constants.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "c3ga/c3ga.h"
#include "e3ga/e3ga.h"
#include "i2ga/i2ga.h"
#include "p3ga/p3ga.h"
#include "reference/refcompare.h"

using ref::coords;

namespace {

template <class Def> std::vector<std::string> namesOf()
{
	return std::vector<std::string>(Def::basisElementNames(), Def::basisElementNames() + Def::nbCoor);
}

std::vector<int> tableRow(const int *table, int n)
{
	return std::vector<int>(table, table + n);
}

// Every grade size, grade offset and mvSize entry agrees with the binomial layout.
template <class Def> void checkSizes(const int *gradeSize, const int *gradeOffset, const int *mvSize)
{
	int offset = 0;
	for (int g = 0; g <= Def::dim; g++) {
		EXPECT_EQ(gradeSize[g], Def::gradeSize[g]) << Def::name << " grade " << g;
		EXPECT_EQ(gradeOffset[g], offset) << Def::name << " grade " << g;
		EXPECT_EQ(Def::gradeOffset[g], offset) << Def::name << " grade " << g;
		offset += gradeSize[g];
	}
	EXPECT_EQ(offset, Def::nbCoor);
	EXPECT_EQ(Def::nbCoor, 1 << Def::dim);
	for (int gu = 0; gu <= Def::gradeMask; gu++) {
		int n = 0;
		for (int g = 0; g <= Def::dim; g++)
			if (gu & (1 << g)) n += gradeSize[g];
		EXPECT_EQ(mvSize[gu], n) << Def::name << " bitmap " << gu;
		EXPECT_EQ(Def::mvSize[gu], n) << Def::name << " bitmap " << gu;
	}
}

// The names parse into distinct blades, newBevt holds their bitmaps, and
// grades ascend through the coordinate order.
template <class Def> void checkBladeBitmaps()
{
	const ref::algebra &r = ref::of<Def>();
	ASSERT_TRUE(r.namesParsed()) << Def::name;
	for (int k = 0; k < Def::nbCoor; k++) {
		EXPECT_EQ(Def::newBevt[k], r.bitmap(k)) << Def::name << " blade " << k;
		int g = r.grade(k);
		EXPECT_TRUE(k >= Def::gradeOffset[g] && k < Def::gradeOffset[g] + Def::gradeSize[g])
		    << Def::name << " blade " << k << " of grade " << g;
	}
}

// c3ga and i2ga: within a grade ascending bitmaps, and no blade reversed.
template <class Def> void checkAscendingOrder()
{
	const ref::algebra &r = ref::of<Def>();
	for (int k = 0; k < Def::nbCoor; k++) {
		EXPECT_EQ(r.orientation(k), 1) << Def::name << " blade " << k;
		if (k > 0 && r.grade(k) == r.grade(k - 1)) {
			EXPECT_LT(r.bitmap(k - 1), r.bitmap(k)) << Def::name;
		}
	}
}

// Each blade's outer-product construction follows the rule: first factor the
// first blade of one grade less inside it, second the remaining vector, and
// the sign that gives the stored orientation.
template <class Def> void checkOmctRule()
{
	const ref::algebra &r = ref::of<Def>();
	for (int k = 0; k < Def::nbCoor; k++) {
		const int *t = Def::omct + 3 * k;
		int g = r.grade(k);
		int first = g == 0 ? -1 : k, second = -1, sign = g == 0 ? 0 : 1;
		if (g >= 2) {
			first = 0;
			while (r.grade(first) != g - 1 || (r.bitmap(first) & ~r.bitmap(k)) != 0) first++;
			second = r.indexOfBitmap(r.bitmap(k) ^ r.bitmap(first));
			sign = (int)r.bladeProduct(ga::P_OP, first, second)[k];
		}
		EXPECT_EQ(t[0], first) << Def::name << " blade " << k;
		EXPECT_EQ(t[1], second) << Def::name << " blade " << k;
		EXPECT_EQ(t[2], sign) << Def::name << " blade " << k;
	}
}

struct expansionCounts {
	int inGroupZero = 0;
	int withAddBit = 0;
};

// The whole expansion table, rebuilt from the reference's coefficients: group
// 0 the unreached elements, group j + 1 the elements (r, c) with e_j e_c
// having blade r, ascending, negate bit for -1, add bit after a first write.
template <class Def> expansionCounts checkExpansionTable(const int *table, int length)
{
	const ref::algebra &r = ref::of<Def>();
	const int N = Def::nbCoor, N2 = N * N;
	std::vector<std::vector<std::pair<int, double>>> byCoordinate(N);
	std::vector<bool> reached(N2, false);
	for (const auto &t : r.terms(ref::METRIC_OWN)) {
		byCoordinate[t.i].push_back({t.k * N + t.j, t.s});
		reached[t.k * N + t.j] = true;
	}
	std::vector<int> expected;
	for (int e = 0; e < N2; e++)
		if (!reached[e]) expected.push_back(e);
	expected.push_back(-1);
	std::vector<bool> written(N2, false);
	for (int j = 0; j < N; j++) {
		std::sort(byCoordinate[j].begin(), byCoordinate[j].end());
		for (auto e : byCoordinate[j]) {
			expected.push_back(e.first + (e.second < 0 ? N2 : 0) + (written[e.first] ? 2 * N2 : 0));
			written[e.first] = true;
		}
		expected.push_back(-1);
	}
	EXPECT_EQ(std::vector<int>(table, table + length), expected) << Def::name;

	expansionCounts counts;
	int group = 0;
	for (int i = 0; i < length; i++) {
		if (table[i] < 0) group++;
		else if (group == 0) counts.inGroupZero++;
		else if (table[i] & (2 * N2)) counts.withAddBit++;
	}
	return counts;
}

template <class A> constexpr int lengthOf(const A &a) { return (int)(sizeof(a) / sizeof(a[0])); }

// A constant basis vector: grade 1 alone, unit coordinate at its own index.
template <class I> void checkBasisVectors()
{
	typedef typename I::def Def;
	for (int i = 0; i < I::dim; i++) {
		const I &v = *I::bv[i];
		EXPECT_EQ(v.usage, 2 | (Def::dim << Def::countShift)) << Def::name << " vector " << i;
		coords expected(Def::nbCoor, 0.0);
		expected[1 + i] = 1.0;
		EXPECT_TRUE(ref::sameValue(v, expected, 2, 0.0)) << Def::name << " vector " << i;
	}
}

// I on the top grade alone with 1.0; Ii its inverse, so I Ii = 1; I I as the metric says.
template <class I> void checkPseudoscalar(double squared)
{
	typedef typename I::def Def;
	const int top = 1 << Def::dim;
	EXPECT_EQ(I::I.usage, top | (1 << Def::countShift)) << Def::name;
	EXPECT_EQ(I::I.coordinates(top)[0], 1.0) << Def::name;
	EXPECT_EQ(I::Ii.usage, top | (1 << Def::countShift)) << Def::name;
	EXPECT_EQ(I::Ii.coordinates(top)[0], squared) << Def::name;
	auto &one = I::I * I::Ii;
	EXPECT_EQ(one.usage, 1 | (1 << Def::countShift)) << Def::name;
	EXPECT_EQ(one.scalar(), 1.0) << Def::name;
	auto &sq = I::I * I::I;
	EXPECT_EQ(sq.usage, 1 | (1 << Def::countShift)) << Def::name;
	EXPECT_EQ(sq.scalar(), squared) << Def::name;
}

} // namespace

TEST(Tables, BasisBladeNames)
{
	EXPECT_EQ(namesOf<ga::e3gaDef>(),
	          (std::vector<std::string>{"1", "e1", "e2", "e3", "e2^e3", "e3^e1", "e1^e2", "e1^e2^e3"}));
	EXPECT_EQ(namesOf<ga::p3gaDef>(),
	          (std::vector<std::string>{"1", "e1", "e2", "e3", "e0", "e2^e3", "e3^e1", "e1^e2", "e1^e0", "e2^e0",
	                                    "e3^e0", "e2^e3^e0", "e3^e1^e0", "e1^e2^e0", "e1^e2^e3", "e1^e2^e3^e0"}));
	EXPECT_EQ(namesOf<ga::c3gaDef>(),
	          (std::vector<std::string>{
	              "1",           "e1",          "e2",          "e3",          "no",          "ni",
	              "e1^e2",       "e1^e3",       "e2^e3",       "e1^no",       "e2^no",       "e3^no",
	              "e1^ni",       "e2^ni",       "e3^ni",       "no^ni",       "e1^e2^e3",    "e1^e2^no",
	              "e1^e3^no",    "e2^e3^no",    "e1^e2^ni",    "e1^e3^ni",    "e2^e3^ni",    "e1^no^ni",
	              "e2^no^ni",    "e3^no^ni",    "e1^e2^e3^no", "e1^e2^e3^ni", "e1^e2^no^ni", "e1^e3^no^ni",
	              "e2^e3^no^ni", "e1^e2^e3^no^ni"}));
	EXPECT_EQ(namesOf<ga::i2gaDef>(),
	          (std::vector<std::string>{
	              "1",           "e1",          "e2",          "no",          "ni",          "go",
	              "gi",          "e1^e2",       "e1^no",       "e2^no",       "e1^ni",       "e2^ni",
	              "no^ni",       "e1^go",       "e2^go",       "no^go",       "ni^go",       "e1^gi",
	              "e2^gi",       "no^gi",       "ni^gi",       "go^gi",       "e1^e2^no",    "e1^e2^ni",
	              "e1^no^ni",    "e2^no^ni",    "e1^e2^go",    "e1^no^go",    "e2^no^go",    "e1^ni^go",
	              "e2^ni^go",    "no^ni^go",    "e1^e2^gi",    "e1^no^gi",    "e2^no^gi",    "e1^ni^gi",
	              "e2^ni^gi",    "no^ni^gi",    "e1^go^gi",    "e2^go^gi",    "no^go^gi",    "ni^go^gi",
	              "e1^e2^no^ni", "e1^e2^no^go", "e1^e2^ni^go", "e1^no^ni^go", "e2^no^ni^go", "e1^e2^no^gi",
	              "e1^e2^ni^gi", "e1^no^ni^gi", "e2^no^ni^gi", "e1^e2^go^gi", "e1^no^go^gi", "e2^no^go^gi",
	              "e1^ni^go^gi", "e2^ni^go^gi", "no^ni^go^gi", "e1^e2^no^ni^go", "e1^e2^no^ni^gi",
	              "e1^e2^no^go^gi", "e1^e2^ni^go^gi", "e1^no^ni^go^gi", "e2^no^ni^go^gi",
	              "e1^e2^no^ni^go^gi"}));
	// no name has been replaced yet
	EXPECT_EQ(tableRow(e3gai_basisElementNamesAllocated, 8), std::vector<int>(8, 0));
	EXPECT_EQ(tableRow(p3gai_basisElementNamesAllocated, 16), std::vector<int>(16, 0));
	EXPECT_EQ(tableRow(c3gai_basisElementNamesAllocated, 32), std::vector<int>(32, 0));
	EXPECT_EQ(tableRow(i2gai_basisElementNamesAllocated, 64), std::vector<int>(64, 0));
}

TEST(Tables, BladeBitmapsAndOrientation)
{
	checkBladeBitmaps<ga::e3gaDef>();
	checkBladeBitmaps<ga::p3gaDef>();
	checkBladeBitmaps<ga::c3gaDef>();
	checkBladeBitmaps<ga::i2gaDef>();
	EXPECT_EQ(tableRow(e3gai_newBevt, 8), (std::vector<int>{0, 1, 2, 4, 6, 5, 3, 7}));
	EXPECT_EQ(tableRow(p3gai_newBevt, 16),
	          (std::vector<int>{0, 1, 2, 4, 8, 6, 5, 3, 9, 10, 12, 14, 13, 11, 7, 15}));
	// e3^e1 and e3^e1^e0 are the only blades stored against ascending order
	const ref::algebra &e3 = ref::of<ga::e3gaDef>();
	for (int k = 0; k < 8; k++) EXPECT_EQ(e3.orientation(k), k == 5 ? -1 : 1) << "e3ga blade " << k;
	const ref::algebra &p3 = ref::of<ga::p3gaDef>();
	for (int k = 0; k < 16; k++) EXPECT_EQ(p3.orientation(k), (k == 6 || k == 12) ? -1 : 1) << "p3ga blade " << k;
	checkAscendingOrder<ga::c3gaDef>();
	checkAscendingOrder<ga::i2gaDef>();
}

TEST(Tables, GradeSizesOffsetsAndMvSize)
{
	checkSizes<ga::e3gaDef>(e3gai_gradeSize, e3gai_gradeOffset, e3gai_mvSize);
	checkSizes<ga::p3gaDef>(p3gai_gradeSize, p3gai_gradeOffset, p3gai_mvSize);
	checkSizes<ga::c3gaDef>(c3gai_gradeSize, c3gai_gradeOffset, c3gai_mvSize);
	checkSizes<ga::i2gaDef>(i2gai_gradeSize, i2gai_gradeOffset, i2gai_mvSize);
	EXPECT_EQ(tableRow(e3gai_gradeSize, 4), (std::vector<int>{1, 3, 3, 1}));
	EXPECT_EQ(tableRow(p3gai_gradeSize, 5), (std::vector<int>{1, 4, 6, 4, 1}));
	EXPECT_EQ(tableRow(c3gai_gradeSize, 6), (std::vector<int>{1, 5, 10, 10, 5, 1}));
	EXPECT_EQ(tableRow(i2gai_gradeSize, 7), (std::vector<int>{1, 6, 15, 20, 15, 6, 1}));
	EXPECT_EQ(tableRow(c3gai_gradeOffset, 6), (std::vector<int>{0, 1, 6, 16, 26, 31}));
	EXPECT_EQ(tableRow(i2gai_gradeOffset, 7), (std::vector<int>{0, 1, 7, 22, 42, 57, 63}));
	EXPECT_EQ(e3gai_mvSize[0], 0);
	EXPECT_EQ(e3gai_mvSize[5], 4);
	EXPECT_EQ(e3gai_mvSize[15], 8);
	EXPECT_EQ(p3gai_mvSize[31], 16);
	EXPECT_EQ(c3gai_mvSize[42], 16);
	EXPECT_EQ(c3gai_mvSize[63], 32);
	EXPECT_EQ(i2gai_mvSize[8], 20);
	EXPECT_EQ(i2gai_mvSize[127], 64);
	EXPECT_EQ(lengthOf(e3gai_mvSize), 16);
	EXPECT_EQ(lengthOf(p3gai_mvSize), 32);
	EXPECT_EQ(lengthOf(c3gai_mvSize), 64);
	EXPECT_EQ(lengthOf(i2gai_mvSize), 128);
	EXPECT_EQ(e3gai::dim * 10 + e3gai::nbCoor, 38);
	EXPECT_EQ(p3gai::dim * 100 + p3gai::nbCoor, 416);
	EXPECT_EQ(c3gai::dim * 100 + c3gai::nbCoor, 532);
	EXPECT_EQ(i2gai::dim * 100 + i2gai::nbCoor, 664);
}

TEST(Tables, OuterProductConstruction)
{
	EXPECT_EQ(tableRow(e3gai_omct, 24),
	          (std::vector<int>{-1, -1, 0, 1, -1, 1, 2, -1, 1, 3, -1, 1, 2, 3, 1, 1, 3, -1, 1, 2, 1, 4, 1, 1}));
	for (int k = 1; k < 16; k++)
		EXPECT_EQ(p3gai_omct[3 * k + 2], (k == 6 || k == 15) ? -1 : 1) << "p3ga blade " << k;
	EXPECT_EQ(tableRow(p3gai_omct + 18, 3), (std::vector<int>{1, 3, -1}));
	EXPECT_EQ(tableRow(p3gai_omct + 45, 3), (std::vector<int>{11, 1, -1}));
	for (int k = 1; k < 32; k++) EXPECT_EQ(c3gai_omct[3 * k + 2], 1) << "c3ga blade " << k;
	for (int k = 1; k < 64; k++) EXPECT_EQ(i2gai_omct[3 * k + 2], 1) << "i2ga blade " << k;
	checkOmctRule<ga::e3gaDef>();
	checkOmctRule<ga::p3gaDef>();
	checkOmctRule<ga::c3gaDef>();
	checkOmctRule<ga::i2gaDef>();
}

TEST(Tables, LeftMultiplicationExpansion)
{
	// group 0 empty, the diagonal for the scalar, then the group of e1
	EXPECT_EQ(tableRow(e3gai_expansionTable_gp, 19),
	          (std::vector<int>{-1, 0, 9, 18, 27, 36, 45, 54, 63, -1, 1, 8, 22, 93, 39, 107, 50, 60, -1}));
	EXPECT_EQ(lengthOf(e3gai_expansionTable_gp), 73);
	EXPECT_EQ(lengthOf(p3gai_expansionTable_gp), 273);
	EXPECT_EQ(lengthOf(c3gai_expansionTable_gp), 1185);
	EXPECT_EQ(lengthOf(i2gai_expansionTable_gp), 5121);

	expansionCounts e = checkExpansionTable<ga::e3gaDef>(e3gai_expansionTable_gp, 73);
	EXPECT_EQ(e.inGroupZero + e.withAddBit, 0);
	expansionCounts p = checkExpansionTable<ga::p3gaDef>(p3gai_expansionTable_gp, 273);
	EXPECT_EQ(p.inGroupZero + p.withAddBit, 0);
	expansionCounts c = checkExpansionTable<ga::c3gaDef>(c3gai_expansionTable_gp, 1185);
	EXPECT_EQ(c.inGroupZero, 128);
	EXPECT_EQ(c.withAddBit, 128);
	expansionCounts i = checkExpansionTable<ga::i2gaDef>(i2gai_expansionTable_gp, 5121);
	EXPECT_EQ(i.inGroupZero, 960);
	EXPECT_EQ(i.withAddBit, 960);
}

TEST(Tables, TypeNames)
{
	const std::vector<std::string> names = {"undefined", "blade", "versor", "multivector"};
	EXPECT_EQ(std::vector<std::string>(e3gai_typeNames, e3gai_typeNames + 4), names);
	EXPECT_EQ(std::vector<std::string>(p3gai_typeNames, p3gai_typeNames + 4), names);
	EXPECT_EQ(std::vector<std::string>(c3gai_typeNames, c3gai_typeNames + 4), names);
	EXPECT_EQ(std::vector<std::string>(i2gai_typeNames, i2gai_typeNames + 4), names);
}

TEST(Constants, BasisVectorsAndPseudoscalars)
{
	checkBasisVectors<e3gai>();
	checkBasisVectors<p3gai>();
	checkBasisVectors<c3gai>();
	checkBasisVectors<i2gai>();
	EXPECT_EQ(e3gai::bv[2], &e3gai::e3);
	EXPECT_EQ(p3gai::bv[3], &p3gai::e0);
	EXPECT_EQ(c3gai::bv[3], &c3gai::no);
	EXPECT_EQ(c3gai::bv[4], &c3gai::ni);
	EXPECT_EQ(i2gai::bv[4], &i2gai::go);
	EXPECT_EQ(i2gai::bv[5], &i2gai::gi);
	checkPseudoscalar<e3gai>(-1.0);
	checkPseudoscalar<p3gai>(1.0);
	checkPseudoscalar<c3gai>(-1.0);
	checkPseudoscalar<i2gai>(-1.0);
	// p3ga: I and Ii are one value
	EXPECT_TRUE(ref::sameValue(p3gai::Ii, ref::fullOf(p3gai::I), 16, 0.0));
}

TEST(Constants, NullVectors)
{
	// c3ga: no.ni = -1, each squares to 0 and the zero has no grade part
	EXPECT_EQ((c3gai::no % c3gai::ni).scalar(), -1.0);
	EXPECT_EQ((c3gai::ni % c3gai::no).scalar(), -1.0);
	EXPECT_EQ((c3gai::no * c3gai::no).usage, 0);
	EXPECT_EQ((c3gai::ni * c3gai::ni).usage, 0);
	// i2ga: both pairs
	EXPECT_EQ((i2gai::go % i2gai::gi).scalar(), -1.0);
	EXPECT_EQ((i2gai::no % i2gai::ni).scalar(), -1.0);
	EXPECT_EQ((i2gai::go * i2gai::go).usage, 0);
	EXPECT_EQ((i2gai::gi * i2gai::gi).usage, 0);
	EXPECT_EQ((i2gai::no % i2gai::gi).usage, 0);
	// the reference's own metric agrees with the algebra's
	const ref::algebra &c3 = ref::of<ga::c3gaDef>();
	for (int i = 0; i < 5; i++)
		for (int j = 0; j < 5; j++)
			EXPECT_EQ(c3.vectorDot(i, j), (i == j && i < 3) ? 1.0 : ((i + j == 7 && i != j) ? -1.0 : 0.0));
	const ref::algebra &i2 = ref::of<ga::i2gaDef>();
	for (int i = 0; i < 6; i++)
		for (int j = 0; j < 6; j++) {
			bool pair = i != j && i / 2 == j / 2 && i >= 2;
			EXPECT_EQ(i2.vectorDot(i, j), (i == j && i < 2) ? 1.0 : (pair ? -1.0 : 0.0)) << i << " " << j;
		}
}
