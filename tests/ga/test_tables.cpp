// The generated tables of the four algebras: blade names and bitmaps,
// sizes, outer-product construction, left-multiplication expansion, type
// names, and the basis constants.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "reference/refcompare.h"

using ref::coords;

namespace {

template <class I> class TablesAll : public ::testing::Test {};
TYPED_TEST_SUITE(TablesAll, ref::ImplAlgebras);

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

// The names parse into distinct blades, newBevt holds their bitmaps, and
// grades ascend through the coordinate order.
TYPED_TEST(TablesAll, BladeBitmaps)
{
	typedef typename TypeParam::def Def;
	const ref::algebra &r = ref::of<Def>();
	ASSERT_TRUE(r.namesParsed());
	for (int k = 0; k < Def::nbCoor; k++) {
		EXPECT_EQ(Def::newBevt[k], r.bitmap(k)) << "blade " << k;
		int g = r.grade(k);
		EXPECT_TRUE(k >= Def::gradeOffset[g] && k < Def::gradeOffset[g] + Def::gradeSize[g])
		    << "blade " << k << " of grade " << g;
	}
}

TEST(Tables, GradeSizesOffsetsAndMvSize)
{
	checkSizes<ga::e3gaDef>(e3gai_gradeSize, e3gai_gradeOffset, e3gai_mvSize);
	checkSizes<ga::p3gaDef>(p3gai_gradeSize, p3gai_gradeOffset, p3gai_mvSize);
	checkSizes<ga::c3gaDef>(c3gai_gradeSize, c3gai_gradeOffset, c3gai_mvSize);
	checkSizes<ga::i2gaDef>(i2gai_gradeSize, i2gai_gradeOffset, i2gai_mvSize);
	// one entry for every grade usage
	EXPECT_EQ(lengthOf(e3gai_mvSize), 16);
	EXPECT_EQ(lengthOf(p3gai_mvSize), 32);
	EXPECT_EQ(lengthOf(c3gai_mvSize), 64);
	EXPECT_EQ(lengthOf(i2gai_mvSize), 128);
}

TEST(Tables, OuterProductConstructionExamples)
{
	EXPECT_EQ(tableRow(e3gai_omct, 24),
	          (std::vector<int>{-1, -1, 0, 1, -1, 1, 2, -1, 1, 3, -1, 1, 2, 3, 1, 1, 3, -1, 1, 2, 1, 4, 1, 1}));
	// e3^e1 = -(e1^e3)
	EXPECT_EQ(tableRow(p3gai_omct + 18, 3), (std::vector<int>{1, 3, -1}));
}

// Each blade's outer-product construction follows the rule: first factor the
// first blade of one grade less inside it, second the remaining vector, and
// the sign that gives the stored orientation.
TYPED_TEST(TablesAll, OuterProductConstruction)
{
	typedef typename TypeParam::def Def;
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
		EXPECT_EQ(t[0], first) << "blade " << k;
		EXPECT_EQ(t[1], second) << "blade " << k;
		EXPECT_EQ(t[2], sign) << "blade " << k;
	}
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
	for (const char **t : {e3gai_typeNames, p3gai_typeNames, c3gai_typeNames, i2gai_typeNames})
		EXPECT_EQ(std::vector<std::string>(t, t + 4), names);
}

// A constant basis vector: grade 1 alone, unit coordinate at its own
// index.  I on the top grade alone with 1.0, I I as the metric says, and Ii
// its inverse.
TYPED_TEST(TablesAll, BasisVectorsAndPseudoscalar)
{
	typedef TypeParam I;
	typedef typename I::def Def;
	for (int i = 0; i < I::dim; i++) {
		coords expected(Def::nbCoor, 0.0);
		expected[1 + i] = 1.0;
		EXPECT_TRUE(ref::sameValue(*I::bv[i], expected, 2, 0.0)) << "vector " << i;
	}
	const int top = Def::nbCoor - 1;
	const double squared = ref::of<Def>().bladeProduct(ga::P_GP, top, top)[0];
	coords expected(Def::nbCoor, 0.0);
	expected[top] = 1.0;
	EXPECT_TRUE(ref::sameValue(I::I, expected, 1 << Def::dim, 0.0));
	expected[top] = squared;
	EXPECT_TRUE(ref::sameValue(I::Ii, expected, 1 << Def::dim, 0.0));
	coords one(Def::nbCoor, 0.0);
	one[0] = 1.0;
	EXPECT_TRUE(ref::sameValue(I::I * I::Ii, one, 1, 0.0));
}

TEST(Constants, BasisVectorOrderAndPseudoscalarSquares)
{
	EXPECT_EQ(e3gai::bv[2], &e3gai::e3);
	EXPECT_EQ(p3gai::bv[3], &p3gai::e0);
	EXPECT_EQ(c3gai::bv[3], &c3gai::no);
	EXPECT_EQ(c3gai::bv[4], &c3gai::ni);
	EXPECT_EQ(i2gai::bv[4], &i2gai::go);
	EXPECT_EQ(i2gai::bv[5], &i2gai::gi);
	// the squares of the pseudoscalars
	EXPECT_EQ((e3gai::I * e3gai::I).scalar(), -1.0);
	EXPECT_EQ((p3gai::I * p3gai::I).scalar(), 1.0);
	EXPECT_EQ((c3gai::I * c3gai::I).scalar(), -1.0);
	EXPECT_EQ((i2gai::I * i2gai::I).scalar(), -1.0);
}
