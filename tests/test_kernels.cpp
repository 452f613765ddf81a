// The coordinate kernels of the four algebras against the reference: every
// product kernel on every pair of grade usages, coefficient by coefficient
// and by term count, the worked products, the small kernels, and the i2ga
// per-grade-part kernels.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "c3ga/c3ga.h"
#include "e3ga/e3ga.h"
#include "i2ga/i2ga.h"
#include "p3ga/p3ga.h"
#include "reference/refcompare.h"

using ref::coords;

namespace {

typedef void (*productKernel)(const double **, const double **, double *);

struct kernelCase {
	const char *name;
	int product;
	productKernel fn;
	int terms; // number of signed products a[i] b[j] the kernel adds
};

const std::vector<kernelCase> e3gaKernels = {
    {"e3gai_general_gp", ga::P_GP, e3gai_general_gp, 64},
    {"e3gai_general_op", ga::P_OP, e3gai_general_op, 27},
    {"e3gai_general_lcont", ga::P_LCONT, e3gai_general_lcont, 27},
    {"e3gai_general_rcont", ga::P_RCONT, e3gai_general_rcont, 27},
    {"e3gai_general_scp", ga::P_SCP, e3gai_general_scp, 8},
    {"e3gai_general_hip", ga::P_HIP, e3gai_general_hip, 31},
    {"e3gai_general_mhip", ga::P_MHIP, e3gai_general_mhip, 46},
};
const std::vector<kernelCase> p3gaKernels = {
    {"p3gai_general_gp", ga::P_GP, p3gai_general_gp, 256},
    {"p3gai_general_op", ga::P_OP, p3gai_general_op, 81},
    {"p3gai_general_lcont", ga::P_LCONT, p3gai_general_lcont, 81},
    {"p3gai_general_rcont", ga::P_RCONT, p3gai_general_rcont, 81},
    {"p3gai_general_scp", ga::P_SCP, p3gai_general_scp, 16},
    {"p3gai_general_hip", ga::P_HIP, p3gai_general_hip, 115},
    {"p3gai_general_mhip", ga::P_MHIP, p3gai_general_mhip, 146},
};
const std::vector<kernelCase> c3gaKernels = {
    {"c3gai_general_gp", ga::P_GP, c3gai_general_gp, 1024},
    {"c3gai_general_op", ga::P_OP, c3gai_general_op, 243},
    {"c3gai_general_lcont", ga::P_LCONT, c3gai_general_lcont, 243},
    {"c3gai_general_rcont", ga::P_RCONT, c3gai_general_rcont, 243},
    {"c3gai_general_scp", ga::P_SCP, c3gai_general_scp, 32},
    {"c3gai_general_hip", ga::P_HIP, c3gai_general_hip, 391},
    {"c3gai_general_mhip", ga::P_MHIP, c3gai_general_mhip, 454},
    {"c3gai_general_gpem", ga::P_GPEM, c3gai_general_gpem, 1024},
    {"c3gai_general_lcem", ga::P_LCEM, c3gai_general_lcem, 243},
    {"c3gai_general_scpem", ga::P_SCPEM, c3gai_general_scpem, 32},
};
const std::vector<kernelCase> i2gaKernels = {
    {"i2gai_general_gp", ga::P_GP, i2gai_general_gp, 4096},
    {"i2gai_general_op", ga::P_OP, i2gai_general_op, 729},
    {"i2gai_general_lcont", ga::P_LCONT, i2gai_general_lcont, 729},
    {"i2gai_general_rcont", ga::P_RCONT, i2gai_general_rcont, 729},
    {"i2gai_general_scp", ga::P_SCP, i2gai_general_scp, 64},
    {"i2gai_general_hip", ga::P_HIP, i2gai_general_hip, 1267},
    {"i2gai_general_mhip", ga::P_MHIP, i2gai_general_mhip, 1394},
    {"i2gai_general_gpem", ga::P_GPEM, i2gai_general_gpem, 4096},
    {"i2gai_general_lcem", ga::P_LCEM, i2gai_general_lcem, 729},
    {"i2gai_general_scpem", ga::P_SCPEM, i2gai_general_scpem, 64},
};

// Filled into result arrays before a kernel runs, so that a missing clear shows.
constexpr double sc_junk = 7.25;

// Runs a product kernel on two full arrays, each entered by the grades in which it is non-zero.
template <class Def> coords kernelProduct(productKernel fn, const coords &a, const coords &b)
{
	const double *pa[Def::dim + 1], *pb[Def::dim + 1];
	ref::tableOf<Def>(a, ref::nonZeroGrades<Def>(a), pa);
	ref::tableOf<Def>(b, ref::nonZeroGrades<Def>(b), pb);
	coords c(Def::nbCoor, sc_junk);
	fn(pa, pb, c.data());
	return c;
}

// Exact result of a kernel on two blade sums.
template <class Def> ::testing::AssertionResult gives(productKernel fn, const coords &a, const coords &b,
                                                      std::initializer_list<std::pair<const char *, double>> expected)
{
	coords c = kernelProduct<Def>(fn, a, b);
	return ref::sameCoordinates<Def>(c.data(), ref::bladeSum<Def>(expected), 0.0);
}

template <class Def> coords blade(const char *name, double s = 1.0) { return ref::bladeSum<Def>({{name, s}}); }

// Every pair of unit blades: the kernel's result equals the reference exactly,
// and the non-zero outputs over all pairs are the kernel's term count.
template <class Def> void checkCoefficientsAndTerms(const std::vector<kernelCase> &kernels)
{
	const ref::algebra &r = ref::of<Def>();
	for (const kernelCase &k : kernels) {
		int terms = 0, failures = 0;
		for (int i = 0; i < Def::nbCoor; i++) {
			for (int j = 0; j < Def::nbCoor; j++) {
				coords a(Def::nbCoor, 0.0), b(Def::nbCoor, 0.0);
				a[i] = b[j] = 1.0;
				coords c = kernelProduct<Def>(k.fn, a, b);
				::testing::AssertionResult same = ref::sameCoordinates<Def>(c.data(), r.bladeProduct(k.product, i, j), 0.0);
				if (!same && failures++ < 3)
					ADD_FAILURE() << k.name << " of " << Def::basisElementNames()[i] << " and "
					              << Def::basisElementNames()[j] << ": " << same.message();
				for (double x : c) terms += x != 0.0;
			}
		}
		EXPECT_EQ(failures, 0) << k.name;
		EXPECT_EQ(terms, k.terms) << k.name;
	}
}

// Random operands on every pair of grade usages, against the reference.
template <class Def> void checkRandomOperands(const std::vector<kernelCase> &kernels, unsigned seed)
{
	const ref::algebra &r = ref::of<Def>();
	std::mt19937 rng(seed);
	std::vector<int> failures(kernels.size(), 0);
	for (int ga = 0; ga <= Def::gradeMask; ga++) {
		for (int gb = 0; gb <= Def::gradeMask; gb++) {
			coords a = ref::randomFull<Def>(rng, ga), b = ref::randomFull<Def>(rng, gb);
			const double *pa[Def::dim + 1], *pb[Def::dim + 1];
			ref::tableOf<Def>(a, ga, pa);
			ref::tableOf<Def>(b, gb, pb);
			for (size_t n = 0; n < kernels.size(); n++) {
				coords c(Def::nbCoor, sc_junk);
				kernels[n].fn(pa, pb, c.data());
				::testing::AssertionResult same =
				    ref::sameCoordinates<Def>(c.data(), r.product(kernels[n].product, a, b), ref::sc_tolerance);
				if (!same && failures[n]++ < 3)
					ADD_FAILURE() << kernels[n].name << " on grade usages " << ga << " and " << gb << ": "
					              << same.message();
			}
		}
	}
}

// Scalars in the inner products and the left contraction.
template <class Def> void checkScalarOperands(productKernel hip, productKernel mhip, productKernel lcont, unsigned seed)
{
	std::mt19937 rng(seed);
	coords two = blade<Def>("1", 2.0), three = blade<Def>("1", 3.0);
	coords B = ref::randomFull<Def>(rng, Def::gradeMask), twoB = B;
	for (double &x : twoB) x *= 2.0;
	const coords zero(Def::nbCoor, 0.0);
	EXPECT_TRUE(ref::sameCoordinates<Def>(kernelProduct<Def>(hip, two, B).data(), zero, 0.0)) << Def::name;
	EXPECT_TRUE(ref::sameCoordinates<Def>(kernelProduct<Def>(hip, B, two).data(), zero, 0.0)) << Def::name;
	EXPECT_TRUE(ref::sameCoordinates<Def>(kernelProduct<Def>(hip, two, three).data(), zero, 0.0)) << Def::name;
	EXPECT_TRUE(ref::sameCoordinates<Def>(kernelProduct<Def>(mhip, two, three).data(), blade<Def>("1", 6.0), 0.0))
	    << Def::name;
	EXPECT_TRUE(ref::sameCoordinates<Def>(kernelProduct<Def>(mhip, two, B).data(), twoB, 0.0)) << Def::name;
	EXPECT_TRUE(ref::sameCoordinates<Def>(kernelProduct<Def>(mhip, B, two).data(), twoB, 0.0)) << Def::name;
	EXPECT_TRUE(ref::sameCoordinates<Def>(kernelProduct<Def>(lcont, two, B).data(), twoB, 0.0)) << Def::name;
}

// The three involutions negate exactly the grades of their bitmaps, also
// when only some grade parts are present.
template <class Def> void checkInvolutions(int reverseGrades, int conjugateGrades, int involutionGrades, unsigned seed)
{
	std::mt19937 rng(seed);
	void (*kernels[3])(double **) = {Def::reverse, Def::cliffordConjugate, Def::involution};
	const int negated[3] = {reverseGrades, conjugateGrades, involutionGrades};
	const char *names[3] = {"reverse", "cliffordConjugate", "involution"};
	for (int n = 0; n < 3; n++) {
		// the signs follow from the grade: (-1)^(g(g-1)/2), (-1)^(g(g+1)/2), (-1)^g
		for (int g = 0; g <= Def::dim; g++) {
			int e = n == 0 ? g * (g - 1) / 2 : (n == 1 ? g * (g + 1) / 2 : g);
			EXPECT_EQ((negated[n] >> g) & 1, e & 1) << Def::name << " " << names[n] << " grade " << g;
		}
		// all grades, the even grades alone, the odd grades alone
		for (int present : {Def::gradeMask, 0x55 & Def::gradeMask, 0x2a & Def::gradeMask}) {
			coords before = ref::randomFull<Def>(rng, Def::gradeMask), after = before;
			double *table[Def::dim + 1];
			for (int g = 0; g <= Def::dim; g++)
				table[g] = (present & (1 << g)) ? after.data() + Def::gradeOffset[g] : nullptr;
			kernels[n](table);
			for (int g = 0; g <= Def::dim; g++) {
				double sign = ((present & negated[n]) >> g) & 1 ? -1.0 : 1.0;
				for (int i = 0; i < Def::gradeSize[g]; i++) {
					int k = Def::gradeOffset[g] + i;
					EXPECT_EQ(after[k], sign * before[k]) << Def::name << " " << names[n] << " grade " << g;
				}
			}
		}
	}
}

// Sums over pointer tables: missing parts count as zero, a null result part is skipped.
template <class Def> void checkTableSums(unsigned seed)
{
	std::mt19937 rng(seed);
	// a has grades 0, 2, 3; b has 1, 2, 3; the result leaves grade 3 out
	coords a = ref::randomFull<Def>(rng, 13), b = ref::randomFull<Def>(rng, 14);
	const double *pa[Def::dim + 1], *pb[Def::dim + 1];
	ref::tableOf<Def>(a, 13, pa);
	ref::tableOf<Def>(b, 14, pb);
	for (int negate = 0; negate < 2; negate++) {
		coords c(Def::nbCoor, sc_junk), expected(Def::nbCoor, sc_junk);
		double *pc[Def::dim + 1];
		for (int g = 0; g <= Def::dim; g++) pc[g] = g <= 2 ? c.data() + Def::gradeOffset[g] : nullptr;
		(negate ? Def::sub : Def::add)(pa, pb, pc);
		double s = negate ? -1.0 : 1.0;
		for (int k = 0; k < Def::gradeOffset[3]; k++) expected[k] = a[k] + s * b[k];
		EXPECT_TRUE(ref::sameCoordinates<Def>(c.data(), expected, 0.0)) << Def::name << (negate ? " sub" : " add");
	}
	// the result part may be the storage of the first operand's part
	coords sum = a;
	const double *ps[Def::dim + 1];
	double *inPlace[Def::dim + 1];
	ref::tableOf<Def>(sum, 13, ps);
	for (int g = 0; g <= Def::dim; g++) inPlace[g] = const_cast<double *>(ps[g]);
	Def::sub(ps, pb, inPlace);
	for (int k = 0; k < Def::nbCoor; k++) {
		int g = ref::of<Def>().grade(k);
		EXPECT_EQ(sum[k], (13 & (1 << g)) ? a[k] - b[k] : 0.0) << Def::name << " coordinate " << k;
	}
}

// Kernels over runs of doubles: one pass, nothing done for lengths of 0 or less.
template <class Def> void checkRunKernels()
{
	const double a[4] = {3.0, 4.0, -1.5, 0.25}, b[4] = {1.0, -2.0, 0.5, 8.0};
	double c[5] = {9.0, 9.0, 9.0, 9.0, 9.0};
	Def::addSameGradeUsage(c, a, b, 4);
	EXPECT_EQ(std::vector<double>(c, c + 5), (std::vector<double>{4.0, 2.0, -1.0, 8.25, 9.0})) << Def::name;
	Def::subSameGradeUsage(c, a, b, 3);
	EXPECT_EQ(std::vector<double>(c, c + 5), (std::vector<double>{2.0, 6.0, -2.0, 8.25, 9.0})) << Def::name;
	Def::addSameGradeUsage(c, a, b, 0);
	Def::subSameGradeUsage(c, a, b, -1);
	Def::negate(c, a, -3);
	EXPECT_EQ(std::vector<double>(c, c + 5), (std::vector<double>{2.0, 6.0, -2.0, 8.25, 9.0})) << Def::name;
	Def::negate(c, c, 2); // in place
	EXPECT_EQ(std::vector<double>(c, c + 5), (std::vector<double>{-2.0, -6.0, -2.0, 8.25, 9.0})) << Def::name;
	Def::copy(c, b, 3);
	EXPECT_EQ(std::vector<double>(c, c + 5), (std::vector<double>{1.0, -2.0, 0.5, 8.25, 9.0})) << Def::name;
	Def::null(c + 1, 3);
	Def::null(c, 0);
	Def::copy(c, a, 0);
	EXPECT_EQ(std::vector<double>(c, c + 5), (std::vector<double>{1.0, 0.0, 0.0, 0.0, 9.0})) << Def::name;
	EXPECT_EQ(Def::norm_a(a, 2), 25.0) << Def::name;
	EXPECT_EQ(Def::norm_a(a, 4), 27.3125) << Def::name;
	EXPECT_EQ(Def::norm_a(a, 0), 0.0) << Def::name;
	EXPECT_EQ(Def::norm_a(a, -2), 0.0) << Def::name;
}

typedef void (*omKernel)(const double *, const double *, double *);

// An outer-morphism kernel is the matrix (by rows) times the input.
void checkOmKernel(const char *name, int N, omKernel fn, unsigned seed)
{
	std::mt19937 rng(seed);
	coords m(N * N), b(N);
	for (double &x : b) x = ref::randomCoordinate(rng);
	// identity copies
	std::fill(m.begin(), m.end(), 0.0);
	for (int i = 0; i < N; i++) m[i * N + i] = 1.0;
	coords c(N, sc_junk);
	fn(m.data(), b.data(), c.data());
	EXPECT_EQ(c, b) << name;
	// row 0, column N - 1 alone
	std::fill(m.begin(), m.end(), 0.0);
	m[N - 1] = 3.0;
	fn(m.data(), b.data(), c.data());
	coords expected(N, 0.0);
	expected[0] = 3.0 * b[N - 1];
	EXPECT_EQ(c, expected) << name;
	// a random matrix
	for (double &x : m) x = ref::randomCoordinate(rng);
	fn(m.data(), b.data(), c.data());
	for (int i = 0; i < N; i++) {
		double s = 0.0;
		for (int j = 0; j < N; j++) s += m[i * N + j] * b[j];
		EXPECT_NEAR(c[i], s, ref::sc_tolerance) << name << " row " << i;
	}
}

} // namespace

TEST(ProductKernels, CoefficientsAndTermCounts)
{
	checkCoefficientsAndTerms<ga::e3gaDef>(e3gaKernels);
	checkCoefficientsAndTerms<ga::p3gaDef>(p3gaKernels);
	checkCoefficientsAndTerms<ga::c3gaDef>(c3gaKernels);
	checkCoefficientsAndTerms<ga::i2gaDef>(i2gaKernels);
}

TEST(ProductKernels, RandomOperandsOnEveryPairOfGradeUsages)
{
	checkRandomOperands<ga::e3gaDef>(e3gaKernels, 11);
	checkRandomOperands<ga::p3gaDef>(p3gaKernels, 12);
	checkRandomOperands<ga::c3gaDef>(c3gaKernels, 13);
	checkRandomOperands<ga::i2gaDef>(i2gaKernels, 14);
}

// The reference itself: blade products are single blades under an
// orthonormal metric; the null pairs give zeros and two-term products.
TEST(ProductKernels, ReferenceBladeProductShapes)
{
	auto shapes = [](const ref::algebra &r, int metric) {
		std::vector<int> byTerms(5, 0);
		int n = r.nbCoor();
		std::vector<int> count(n * n, 0);
		for (const auto &t : r.terms(metric)) {
			EXPECT_TRUE(t.s == 1.0 || t.s == -1.0);
			count[t.i * n + t.j]++;
		}
		for (int c : count) byTerms[std::min(c, 4)]++;
		return byTerms;
	};
	EXPECT_EQ(shapes(ref::of<ga::e3gaDef>(), ref::METRIC_OWN), (std::vector<int>{0, 64, 0, 0, 0}));
	EXPECT_EQ(shapes(ref::of<ga::p3gaDef>(), ref::METRIC_OWN), (std::vector<int>{0, 256, 0, 0, 0}));
	EXPECT_EQ(shapes(ref::of<ga::c3gaDef>(), ref::METRIC_OWN), (std::vector<int>{128, 768, 128, 0, 0}));
	EXPECT_EQ(shapes(ref::of<ga::c3gaDef>(), ref::METRIC_EUCLIDEAN), (std::vector<int>{0, 1024, 0, 0, 0}));
	EXPECT_EQ(shapes(ref::of<ga::i2gaDef>(), ref::METRIC_OWN), (std::vector<int>{960, 2304, 768, 0, 64}));
	EXPECT_EQ(shapes(ref::of<ga::i2gaDef>(), ref::METRIC_EUCLIDEAN), (std::vector<int>{0, 4096, 0, 0, 0}));
}

TEST(ProductKernels, WorkedProductsE3gaP3ga)
{
	typedef ga::e3gaDef E;
	auto e = [](const char *n) { return blade<E>(n); };
	EXPECT_TRUE(gives<E>(e3gai_general_gp, e("e1"), e("e2"), {{"e1^e2", 1}}));
	EXPECT_TRUE(gives<E>(e3gai_general_gp, e("e2"), e("e1"), {{"e1^e2", -1}}));
	EXPECT_TRUE(gives<E>(e3gai_general_gp, e("e1"), e("e3"), {{"e3^e1", -1}}));
	EXPECT_TRUE(gives<E>(e3gai_general_gp, e("e3"), e("e1"), {{"e3^e1", 1}}));
	EXPECT_TRUE(gives<E>(e3gai_general_gp, e("e1^e2^e3"), e("e1^e2^e3"), {{"1", -1}}));
	EXPECT_TRUE(gives<E>(e3gai_general_gp, e("e2^e3"), e("e3^e1"), {{"e1^e2", -1}}));
	EXPECT_TRUE(gives<E>(e3gai_general_gp, e("e1"), e("e1^e2^e3"), {{"e2^e3", 1}}));
	EXPECT_TRUE(gives<E>(e3gai_general_lcont, e("e1"), e("e1^e2"), {{"e2", 1}}));
	EXPECT_TRUE(gives<E>(e3gai_general_lcont, e("e2"), e("e1^e2"), {{"e1", -1}}));
	EXPECT_TRUE(gives<E>(e3gai_general_lcont, e("e1^e2"), e("e1"), {}));
	EXPECT_TRUE(gives<E>(e3gai_general_rcont, e("e1^e2"), e("e2"), {{"e1", 1}}));
	EXPECT_TRUE(gives<E>(e3gai_general_op, e("e1"), e("e3"), {{"e3^e1", -1}}));
	EXPECT_TRUE(gives<E>(e3gai_general_op, e("e1"), e("e1^e2"), {}));

	typedef ga::p3gaDef P;
	auto p = [](const char *n) { return blade<P>(n); };
	EXPECT_TRUE(gives<P>(p3gai_general_gp, p("e0"), p("e0"), {{"1", 1}}));
	EXPECT_TRUE(gives<P>(p3gai_general_gp, p("e1^e2^e3"), p("e0"), {{"e1^e2^e3^e0", 1}}));
	EXPECT_TRUE(gives<P>(p3gai_general_gp, p("e0"), p("e1^e2^e3"), {{"e1^e2^e3^e0", -1}}));
	EXPECT_TRUE(gives<P>(p3gai_general_op, p("e0"), p("e2^e3"), {{"e2^e3^e0", 1}}));
	EXPECT_TRUE(gives<P>(p3gai_general_op, p("e3"), p("e1^e0"), {{"e3^e1^e0", 1}}));
	EXPECT_TRUE(gives<P>(p3gai_general_op, p("e1"), p("e3"), {{"e3^e1", -1}}));
	EXPECT_TRUE(gives<P>(p3gai_general_op, p("e2^e3^e0"), p("e1"), {{"e1^e2^e3^e0", -1}}));
	EXPECT_TRUE(gives<P>(p3gai_general_gp, p("e1^e2^e3^e0"), p("e1^e2^e3^e0"), {{"1", 1}}));
}

TEST(ProductKernels, WorkedProductsC3ga)
{
	typedef ga::c3gaDef C;
	auto c = [](const char *n) { return blade<C>(n); };
	EXPECT_TRUE(gives<C>(c3gai_general_gp, c("no"), c("ni"), {{"1", -1}, {"no^ni", 1}}));
	EXPECT_TRUE(gives<C>(c3gai_general_gp, c("ni"), c("no"), {{"1", -1}, {"no^ni", -1}}));
	EXPECT_TRUE(gives<C>(c3gai_general_gp, c("no"), c("no"), {}));
	EXPECT_TRUE(gives<C>(c3gai_general_gp, c("ni"), c("ni"), {}));
	EXPECT_TRUE(gives<C>(c3gai_general_gp, c("no^ni"), c("no^ni"), {{"1", 1}}));
	EXPECT_TRUE(gives<C>(c3gai_general_scp, c("no^ni"), c("no^ni"), {{"1", 1}}));
	EXPECT_TRUE(gives<C>(c3gai_general_scp, c("no"), c("ni"), {{"1", -1}}));
	EXPECT_TRUE(gives<C>(c3gai_general_lcont, c("no"), c("ni"), {{"1", -1}}));
	EXPECT_TRUE(gives<C>(c3gai_general_lcont, c("no"), c("no^ni"), {{"no", 1}}));
	EXPECT_TRUE(gives<C>(c3gai_general_lcont, c("ni"), c("no^ni"), {{"ni", -1}}));
	EXPECT_TRUE(gives<C>(c3gai_general_gp, c("e1^e2^e3^no^ni"), c("e1^e2^e3^no^ni"), {{"1", -1}}));
	// all five vectors orthonormal
	EXPECT_TRUE(gives<C>(c3gai_general_gpem, c("no"), c("ni"), {{"no^ni", 1}}));
	EXPECT_TRUE(gives<C>(c3gai_general_gpem, c("no"), c("no"), {{"1", 1}}));
	EXPECT_TRUE(gives<C>(c3gai_general_gpem, c("e1^e2^e3^no^ni"), c("e1^e2^e3^no^ni"), {{"1", 1}}));
	EXPECT_TRUE(gives<C>(c3gai_general_scpem, c("no^ni"), c("no^ni"), {{"1", -1}}));
	EXPECT_TRUE(gives<C>(c3gai_general_scpem, c("no"), c("ni"), {}));
	EXPECT_TRUE(gives<C>(c3gai_general_lcem, c("no"), c("no^ni"), {{"ni", 1}}));
}

TEST(ProductKernels, WorkedProductsI2ga)
{
	typedef ga::i2gaDef G;
	auto g = [](const char *n) { return blade<G>(n); };
	const char *I = "e1^e2^no^ni^go^gi";
	EXPECT_TRUE(gives<G>(i2gai_general_gp, g("e1^no"), g("e1^ni"), {{"1", 1}, {"no^ni", -1}}));
	EXPECT_TRUE(gives<G>(i2gai_general_gp, g("no^go"), g("ni^gi"),
	                     {{"1", -1}, {"no^ni", 1}, {"go^gi", 1}, {"no^ni^go^gi", -1}}));
	EXPECT_TRUE(gives<G>(i2gai_general_gp, g(I), g(I), {{"1", -1}}));
	EXPECT_TRUE(gives<G>(i2gai_general_gpem, g(I), g(I), {{"1", -1}}));
	EXPECT_TRUE(gives<G>(i2gai_general_gp, g("no"), g(I), {{"e1^e2^no^go^gi", 1}}));
	EXPECT_TRUE(gives<G>(i2gai_general_gp, g(I), g("no"), {{"e1^e2^no^go^gi", -1}}));
	EXPECT_TRUE(gives<G>(i2gai_general_gp, g("no"), g("no^ni"), {{"no", 1}}));
	EXPECT_TRUE(gives<G>(i2gai_general_gp, g("ni"), g("no^ni"), {{"ni", -1}}));
	EXPECT_TRUE(gives<G>(i2gai_general_gp, g("no^ni"), g("no"), {{"no", -1}}));
	EXPECT_TRUE(gives<G>(i2gai_general_gp, g("no^ni"), g("no^ni"), {{"1", 1}}));
	EXPECT_TRUE(gives<G>(i2gai_general_gp, g("go^gi"), g("go^gi"), {{"1", 1}}));
	EXPECT_TRUE(gives<G>(i2gai_general_gpem, g("no^ni"), g("no^ni"), {{"1", -1}}));
	EXPECT_TRUE(gives<G>(i2gai_general_gp, g("go"), g("gi"), {{"1", -1}, {"go^gi", 1}}));
	EXPECT_TRUE(gives<G>(i2gai_general_scpem, g("go"), g("gi"), {}));
}

TEST(ProductKernels, ScalarsInInnerProductsAndEmptyOperands)
{
	checkScalarOperands<ga::e3gaDef>(e3gai_general_hip, e3gai_general_mhip, e3gai_general_lcont, 21);
	checkScalarOperands<ga::p3gaDef>(p3gai_general_hip, p3gai_general_mhip, p3gai_general_lcont, 22);
	checkScalarOperands<ga::c3gaDef>(c3gai_general_hip, c3gai_general_mhip, c3gai_general_lcont, 23);
	checkScalarOperands<ga::i2gaDef>(i2gai_general_hip, i2gai_general_mhip, i2gai_general_lcont, 24);
	// hip of a scalar against vectors adds nothing, mhip gives their product
	typedef ga::e3gaDef E;
	EXPECT_TRUE(gives<E>(e3gai_general_hip, blade<E>("1", 2.0), blade<E>("e1^e2"), {}));
	EXPECT_TRUE(gives<E>(e3gai_general_mhip, blade<E>("1", 2.0), blade<E>("e1^e2"), {{"e1^e2", 2.0}}));
	typedef ga::i2gaDef G;
	EXPECT_TRUE(gives<G>(i2gai_general_hip, blade<G>("1", 2.0), ref::bladeSum<G>({{"no", 1}, {"gi", -3}}), {}));
	EXPECT_TRUE(gives<G>(i2gai_general_mhip, blade<G>("1", 2.0), ref::bladeSum<G>({{"no", 1}, {"gi", -3}}),
	                     {{"no", 2}, {"gi", -6}}));
	// tables with every element null give zeros, whatever was in the result
	const coords zeros(64, 0.0);
	for (const auto &k : i2gaKernels)
		EXPECT_TRUE(ref::sameCoordinates<G>(kernelProduct<G>(k.fn, zeros, zeros).data(), zeros, 0.0)) << k.name;
}

TEST(SmallKernels, Involutions)
{
	checkInvolutions<ga::e3gaDef>(0xc, 0x6, 0xa, 31);
	checkInvolutions<ga::p3gaDef>(0xc, 0x6, 0xa, 32);
	checkInvolutions<ga::c3gaDef>(0xc, 0x26, 0x2a, 33);
	checkInvolutions<ga::i2gaDef>(0x4c, 0x66, 0x2a, 34);
}

TEST(SmallKernels, SumsOverGradePartTables)
{
	checkTableSums<ga::e3gaDef>(41);
	checkTableSums<ga::p3gaDef>(42);
	checkTableSums<ga::c3gaDef>(43);
	checkTableSums<ga::i2gaDef>(44);
}

TEST(SmallKernels, RunsOfCoordinatesAndNorm)
{
	checkRunKernels<ga::e3gaDef>();
	checkRunKernels<ga::p3gaDef>();
	checkRunKernels<ga::c3gaDef>();
	checkRunKernels<ga::i2gaDef>();
	// the plain sum of squares: the null vectors count like any other
	const double no[5] = {0, 0, 0, 1, 0};
	EXPECT_EQ(c3gai_norm_a(no, 5), 1.0);
	const double ni[6] = {0, 0, 0, 1, 0, 0};
	EXPECT_EQ(i2gai_norm_a(ni, 6), 1.0);
}

TEST(SmallKernels, OuterMorphismMatrices)
{
	checkOmKernel("e3gai_opt_om_01x01", 1, e3gai_opt_om_01x01, 51);
	checkOmKernel("e3gai_opt_om_03x03", 3, e3gai_opt_om_03x03, 52);
	checkOmKernel("p3gai_opt_om_01x01", 1, p3gai_opt_om_01x01, 53);
	checkOmKernel("p3gai_opt_om_04x04", 4, p3gai_opt_om_04x04, 54);
	checkOmKernel("p3gai_opt_om_06x06", 6, p3gai_opt_om_06x06, 55);
	checkOmKernel("c3gai_opt_om_01x01", 1, c3gai_opt_om_01x01, 56);
	checkOmKernel("c3gai_opt_om_05x05", 5, c3gai_opt_om_05x05, 57);
	checkOmKernel("c3gai_opt_om_0Ax0A", 10, c3gai_opt_om_0Ax0A, 58);
	checkOmKernel("i2gai_opt_om_01x01", 1, i2gai_opt_om_01x01, 59);
	checkOmKernel("i2gai_opt_om_06x06", 6, i2gai_opt_om_06x06, 60);
	checkOmKernel("i2gai_opt_om_0Fx0F", 15, i2gai_opt_om_0Fx0F, 61);
	checkOmKernel("i2gai_opt_om_14x14", 20, i2gai_opt_om_14x14, 62);
}

// --- i2ga per-grade-part kernels ---------------------------------------------

// Every (result grade, grade of a, grade of b) with a kernel under each metric.
#define I2GA_PP_TRIPLES(X)                                                                                      \
	X(00, 00, 00) X(00, 01, 01) X(00, 02, 02) X(00, 03, 03) X(00, 04, 04) X(00, 05, 05) X(00, 06, 06)          \
	X(01, 00, 01) X(01, 01, 00) X(01, 01, 02) X(01, 02, 01) X(01, 02, 03) X(01, 03, 02) X(01, 03, 04)          \
	X(01, 04, 03) X(01, 04, 05) X(01, 05, 04) X(01, 05, 06) X(01, 06, 05)                                      \
	X(02, 00, 02) X(02, 01, 01) X(02, 01, 03) X(02, 02, 00) X(02, 02, 02) X(02, 02, 04) X(02, 03, 01)          \
	X(02, 03, 03) X(02, 03, 05) X(02, 04, 02) X(02, 04, 04) X(02, 04, 06) X(02, 05, 03) X(02, 05, 05)          \
	X(02, 06, 04)                                                                                               \
	X(03, 00, 03) X(03, 01, 02) X(03, 01, 04) X(03, 02, 01) X(03, 02, 03) X(03, 02, 05) X(03, 03, 00)          \
	X(03, 03, 02) X(03, 03, 04) X(03, 03, 06) X(03, 04, 01) X(03, 04, 03) X(03, 04, 05) X(03, 05, 02)          \
	X(03, 05, 04) X(03, 06, 03)                                                                                 \
	X(04, 00, 04) X(04, 01, 03) X(04, 01, 05) X(04, 02, 02) X(04, 02, 04) X(04, 02, 06) X(04, 03, 01)          \
	X(04, 03, 03) X(04, 03, 05) X(04, 04, 00) X(04, 04, 02) X(04, 04, 04) X(04, 05, 01) X(04, 05, 03)          \
	X(04, 06, 02)                                                                                               \
	X(05, 00, 05) X(05, 01, 04) X(05, 01, 06) X(05, 02, 03) X(05, 02, 05) X(05, 03, 02) X(05, 03, 04)          \
	X(05, 04, 01) X(05, 04, 03) X(05, 05, 00) X(05, 05, 02) X(05, 06, 01)                                      \
	X(06, 00, 06) X(06, 01, 05) X(06, 02, 04) X(06, 03, 03) X(06, 04, 02) X(06, 05, 01) X(06, 06, 00)

extern "C" {
#define I2GA_PP_DECLARE(R, A, B)                                                                                \
	void i2gai_pp_##R##_##A##_##B##_m0(const double *a, const double *b, double *c);                           \
	void i2gai_pp_##R##_##A##_##B##_m1(const double *a, const double *b, double *c);
I2GA_PP_TRIPLES(I2GA_PP_DECLARE)
#undef I2GA_PP_DECLARE
}

namespace {

typedef void (*partKernel)(const double *, const double *, double *);

struct partKernelCase {
	int rr, aa, bb;
	partKernel fn[2]; // under the algebra's metric, under the Euclidean one
};

const std::vector<partKernelCase> i2gaPartKernels = {
#define I2GA_PP_ENTRY(R, A, B) {R, A, B, {i2gai_pp_##R##_##A##_##B##_m0, i2gai_pp_##R##_##A##_##B##_m1}},
    I2GA_PP_TRIPLES(I2GA_PP_ENTRY)
#undef I2GA_PP_ENTRY
};

const int *const gs = ga::i2gaDef::gradeSize;
const int *const go = ga::i2gaDef::gradeOffset;

// The grade-rr block of the reference geometric product of a grade-aa part and a grade-bb part.
coords referencePart(int metric, int rr, int aa, const coords &a, int bb, const coords &b)
{
	coords fa(64, 0.0), fb(64, 0.0);
	std::copy(a.begin(), a.end(), fa.begin() + go[aa]);
	std::copy(b.begin(), b.end(), fb.begin() + go[bb]);
	coords full = ref::of<ga::i2gaDef>().product(metric == 0 ? ga::P_GP : ga::P_GPEM, fa, fb);
	return coords(full.begin() + go[rr], full.begin() + go[rr] + gs[rr]);
}

coords randomPart(std::mt19937 &rng, int g)
{
	coords p(gs[g]);
	for (double &x : p) x = ref::randomCoordinate(rng);
	return p;
}

} // namespace

TEST(I2gaPartKernels, TheSetOfTriples)
{
	ASSERT_EQ(i2gaPartKernels.size(), 84u);
	// exactly the triples in which a product of two grade parts can be non-zero
	std::set<std::vector<int>> listed, rule;
	for (const auto &k : i2gaPartKernels) listed.insert({k.rr, k.aa, k.bb});
	for (int aa = 0; aa <= 6; aa++)
		for (int bb = 0; bb <= 6; bb++)
			for (int rr = std::abs(aa - bb); rr <= std::min(aa + bb, 12 - aa - bb); rr += 2) rule.insert({rr, aa, bb});
	EXPECT_EQ(listed, rule);
	const ref::algebra &r = ref::of<ga::i2gaDef>();
	for (int m = 0; m < 2; m++)
		for (const auto &t : r.terms(m))
			EXPECT_TRUE(listed.count({r.grade(t.k), r.grade(t.i), r.grade(t.j)}))
			    << "blade product " << t.i << " " << t.j << " reaches grade " << r.grade(t.k);
}

TEST(I2gaPartKernels, AgainstReferenceAndTermCounts)
{
	std::mt19937 rng(71);
	int termsPerMetric[2] = {0, 0};
	for (const auto &k : i2gaPartKernels) {
		for (int m = 0; m < 2; m++) {
			std::string name = "i2gai_pp_" + std::to_string(k.rr) + "_" + std::to_string(k.aa) + "_" +
			                   std::to_string(k.bb) + (m ? "_m1" : "_m0");
			// random parts, added onto what the block held
			coords a = randomPart(rng, k.aa), b = randomPart(rng, k.bb), c = randomPart(rng, k.rr), before = c;
			k.fn[m](a.data(), b.data(), c.data());
			coords expected = referencePart(m, k.rr, k.aa, a, k.bb, b);
			for (int i = 0; i < gs[k.rr]; i++) EXPECT_NEAR(c[i], before[i] + expected[i], ref::sc_tolerance) << name;
			// unit parts: exact coefficients; every output coordinate gets a term
			std::vector<int> reached(gs[k.rr], 0);
			for (int i = 0; i < gs[k.aa]; i++) {
				for (int j = 0; j < gs[k.bb]; j++) {
					coords ua(gs[k.aa], 0.0), ub(gs[k.bb], 0.0), uc(gs[k.rr], 0.0);
					ua[i] = ub[j] = 1.0;
					k.fn[m](ua.data(), ub.data(), uc.data());
					EXPECT_EQ(uc, referencePart(m, k.rr, k.aa, ua, k.bb, ub)) << name << " blades " << i << " " << j;
					for (int o = 0; o < gs[k.rr]; o++)
						if (uc[o] != 0.0) {
							reached[o]++;
							termsPerMetric[m]++;
						}
				}
			}
			for (int o = 0; o < gs[k.rr]; o++) EXPECT_GT(reached[o], 0) << name << " output " << o;
		}
	}
	EXPECT_EQ(termsPerMetric[0], 4096);
	EXPECT_EQ(termsPerMetric[1], 4096);
}

TEST(I2gaPartKernels, MetricIndependentTriples)
{
	// the outer-product triples and the pseudoscalar square agree bit for bit; the others differ
	std::mt19937 rng(72);
	int same = 0;
	for (const auto &k : i2gaPartKernels) {
		coords a = randomPart(rng, k.aa), b = randomPart(rng, k.bb), c0 = randomPart(rng, k.rr), c1 = c0;
		k.fn[0](a.data(), b.data(), c0.data());
		k.fn[1](a.data(), b.data(), c1.data());
		bool independent = k.rr == k.aa + k.bb || (k.rr == 0 && k.aa == 6 && k.bb == 6);
		EXPECT_EQ(c0 == c1, independent) << k.rr << "_" << k.aa << "_" << k.bb;
		same += c0 == c1;
	}
	EXPECT_EQ(same, 29);
}

TEST(I2gaPartKernels, VectorFormulas)
{
	std::mt19937 rng(73);
	coords a = randomPart(rng, 1), b = randomPart(rng, 1);
	double c[1] = {0.5};
	i2gai_pp_00_01_01_m0(a.data(), b.data(), c);
	EXPECT_NEAR(c[0], 0.5 + a[0] * b[0] + a[1] * b[1] - a[2] * b[3] - a[3] * b[2] - a[4] * b[5] - a[5] * b[4], ref::sc_tolerance);
	c[0] = 0.5;
	i2gai_pp_00_01_01_m1(a.data(), b.data(), c);
	EXPECT_NEAR(c[0], 0.5 + a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3] + a[4] * b[4] + a[5] * b[5], ref::sc_tolerance);
	// both metrics: a[p] b[q] - a[q] b[p] on the blade of vectors p and q
	for (partKernel fn : {i2gai_pp_02_01_01_m0, i2gai_pp_02_01_01_m1}) {
		coords c2(15, 0.0);
		fn(a.data(), b.data(), c2.data());
		int k = 0;
		for (int bm = 0; bm < 64; bm++) {
			if (ref::bitCount(bm) != 2) continue;
			int p = 0, q = 5;
			while (!(bm & (1 << p))) p++;
			while (!(bm & (1 << q))) q--;
			EXPECT_EQ(i2gai_newBevt[go[2] + k], bm);
			EXPECT_NEAR(c2[k], a[p] * b[q] - a[q] * b[p], ref::sc_tolerance) << "blade " << bm;
			k++;
		}
	}
	// the pseudoscalar squares to -1 under both metrics
	double one[1] = {2.0}, three[1] = {3.0};
	for (partKernel fn : {i2gai_pp_00_06_06_m0, i2gai_pp_00_06_06_m1}) {
		double r[1] = {1.0};
		fn(one, three, r);
		EXPECT_EQ(r[0], -5.0);
	}
}
