// The coordinate kernels of the four algebras against the reference: every
// product kernel on every pair of grade usages, coefficient by coefficient
// and by term count, also as the products reach them through the dispatch
// tables, under each build of the full kernels; the worked products, the
// kernels over runs of coordinates, and the i2ga per-grade-part kernels.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "ga/kernelvariant.h"
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

// A product kernel of algebra A with its name and term count.
#define K(A, p, P, terms) kernelCase{#A "i_general_" #p, ga::P_##P, A##i_general_##p, terms}

const std::vector<kernelCase> e3gaKernels = {K(e3ga, gp, GP, 64),      K(e3ga, op, OP, 27),   K(e3ga, lcont, LCONT, 27),
                                             K(e3ga, rcont, RCONT, 27), K(e3ga, scp, SCP, 8),  K(e3ga, hip, HIP, 31),
                                             K(e3ga, mhip, MHIP, 46)};
const std::vector<kernelCase> p3gaKernels = {K(p3ga, gp, GP, 256),     K(p3ga, op, OP, 81),   K(p3ga, lcont, LCONT, 81),
                                             K(p3ga, rcont, RCONT, 81), K(p3ga, scp, SCP, 16), K(p3ga, hip, HIP, 115),
                                             K(p3ga, mhip, MHIP, 146)};
const std::vector<kernelCase> c3gaKernels = {
    K(c3ga, gp, GP, 1024),     K(c3ga, op, OP, 243),       K(c3ga, lcont, LCONT, 243), K(c3ga, rcont, RCONT, 243),
    K(c3ga, scp, SCP, 32),     K(c3ga, hip, HIP, 391),     K(c3ga, mhip, MHIP, 454),   K(c3ga, gpem, GPEM, 1024),
    K(c3ga, lcem, LCEM, 243),  K(c3ga, scpem, SCPEM, 32)};
const std::vector<kernelCase> i2gaKernels = {
    K(i2ga, gp, GP, 4096),     K(i2ga, op, OP, 729),       K(i2ga, lcont, LCONT, 729), K(i2ga, rcont, RCONT, 729),
    K(i2ga, scp, SCP, 64),     K(i2ga, hip, HIP, 1267),    K(i2ga, mhip, MHIP, 1394),  K(i2ga, gpem, GPEM, 4096),
    K(i2ga, lcem, LCEM, 729),  K(i2ga, scpem, SCPEM, 64)};
#undef K

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

// The dispatch index of product P for operands of grade usages ua and ub when
// it names a packed kernel, else -1.
template <class Def> int packedIndex(int P, int ua, int ub)
{
	switch (P) {
#define PACKED_INDEX(ID)                                                                                      \
	case ga::ID: {                                                                                            \
		int i = Def::template mapA<ga::ID>()[ua] | Def::template mapB<ga::ID>()[ub];                          \
		return Def::template resultUsage<ga::ID>()[i] >= 0 ? i : -1;                                          \
	}
		PACKED_INDEX(P_GP)
		PACKED_INDEX(P_OP)
		PACKED_INDEX(P_LCONT)
		PACKED_INDEX(P_RCONT)
		PACKED_INDEX(P_SCP)
		PACKED_INDEX(P_HIP)
		PACKED_INDEX(P_MHIP)
		PACKED_INDEX(P_GPEM)
		PACKED_INDEX(P_LCEM)
		PACKED_INDEX(P_SCPEM)
#undef PACKED_INDEX
	default: return -1;
	}
}

// The pairs of grade usages that the products of drawing and interpretation
// are made of take kernels of their own: in gp, op, lcont and scp vectors,
// bivectors, rotors (scalar and bivector) and full values; in the products
// of blades any two single grades; in the products that classify a value
// (Euclidean or standing in for them), and in gp, a rotor, a vector with a
// scalar part and a blade of each grade, with itself and with a vector, and
// its neighbouring grades with it and with a vector; in op the scalar with
// each of those.
template <class Def> void checkCommonPairs()
{
	const int v = 2, B = 4, R = 5, full = Def::gradeMask;
	auto expectKernel = [](int P, int ua, int ub) {
		EXPECT_GE(packedIndex<Def>(P, ua, ub), 0) << Def::name << " product " << P << " usages " << ua << " and " << ub;
	};
	const int pairs[][2] = {{v, v}, {v, B}, {B, v}, {B, B}, {R, v}, {v, R}, {R, R}, {full, full}};
	for (int P : {ga::P_GP, ga::P_OP, ga::P_LCONT, ga::P_SCP})
		for (const auto &p : pairs) expectKernel(P, p[0], p[1]);
	for (int P : {ga::P_GP, ga::P_OP, ga::P_LCONT, ga::P_RCONT, ga::P_SCP, ga::P_GPEM, ga::P_LCEM, ga::P_SCPEM})
		for (int g = 0; g <= Def::dim; g++)
			for (int h = 0; h <= Def::dim; h++) expectKernel(P, 1 << g, 1 << h);
	for (int P : {ga::P_GPEM, ga::P_SCPEM, ga::P_GP}) {
		// a rotor, and a vector with a scalar part (of 0.0, say)
		for (const auto &p : {std::pair<int, int>{R, R}, {R, v}, {v, R}, {8, R}, {10, R}, {3, 3}, {3, v}, {v, 3}, {1, 3},
		                      {B, 3}, {R, 3}})
			expectKernel(P, p.first, p.second);
		for (int g = 0; g <= Def::dim; g++) {
			const int x = 1 << g, below = x >> 1, above = g < Def::dim ? x << 1 : 0;
			expectKernel(P, x, x);
			expectKernel(P, x, v);
			for (int t : {below, above, below | above})
				if (t != 0) expectKernel(P, t, x);
			if (below != 0 && above != 0) expectKernel(P, below | above, v);
		}
	}
	for (int g = 0; g <= Def::dim; g++) {
		expectKernel(ga::P_OP, 1, 1 << g);
		if (g > 0 && g < Def::dim) expectKernel(ga::P_OP, 1, (1 << (g - 1)) | (1 << (g + 1)));
	}
	expectKernel(ga::P_OP, 1, 3);
	expectKernel(ga::P_OP, 1, full);
	// a pair off the lists takes the general path
	EXPECT_LT(packedIndex<Def>(ga::P_GP, 3, 6), 0) << Def::name;
	EXPECT_LT(packedIndex<Def>(ga::P_HIP, 2, 2), 0) << Def::name;
}

// The product P of a and b through the member that dispatches it.
template <class V> void productById(V &r, int P, const V &a, const V &b)
{
	switch (P) {
	case ga::P_GP: r.gp(a, b); break;
	case ga::P_OP: r.op(a, b); break;
	case ga::P_LCONT: r.lcont(a, b); break;
	case ga::P_RCONT: r.rcont(a, b); break;
	case ga::P_SCP: r.scp(a, b); break;
	case ga::P_HIP: r.hip(a, b); break;
	case ga::P_MHIP: r.mhip(a, b); break;
	case ga::P_GPEM: r.gpem(a, b); break;
	case ga::P_LCEM: r.lcem(a, b); break;
	default: r.scpem(a, b); break;
	}
}

// Runs f under each build of the full kernels that this processor can run,
// then goes back to the one the program chose.
template <class F> void underEachVariant(F f)
{
	for (ga::kernelVariant v : {ga::KV_PORTABLE, ga::KV_AVX2}) {
		if (!ga::useKernelVariant(v)) continue;
		SCOPED_TRACE(v == ga::KV_AVX2 ? "AVX2 build" : "portable build");
		f();
	}
	ga::useKernelVariant(ga::bestKernelVariant());
}

// Same usage word and the same bits in every stored coordinate (so -0.0 and
// 0.0 differ, and a NaN equals a NaN).
template <class V> ::testing::AssertionResult sameBits(const V &x, const V &y)
{
	if (x.usage != y.usage) return ::testing::AssertionFailure() << "usage " << x.usage << " vs " << y.usage;
	if (x.memUsage() > 0 && std::memcmp(x.c, y.c, sizeof(double) * (size_t)x.memUsage()) != 0)
		return ::testing::AssertionFailure() << "coordinates differ in their bits";
	return ::testing::AssertionSuccess();
}

// The general kernel's full array, compressed: the product as the general path gives it.
template <class V> V compressed(const coords &full)
{
	V g;
	g.compress(full.data());
	return g;
}

// Operands drawn for a pair of grade usages with a packed kernel: a sum in
// another order than the general kernel's differs in its last bit only for
// some operands, so one draw would let such a kernel pass.
constexpr int sc_packedPairSamples = 24;

// Random operands on every pair of grade usages, against the reference.  The
// same product through the dispatch tables, which takes a packed kernel for
// the common pairs and the general path for the others, gives bit for bit
// the general kernel's compressed result, so the same parts are dropped.
template <class V> void checkRandomOperands(const std::vector<kernelCase> &kernels, unsigned seed)
{
	typedef typename V::def Def;
	const ref::algebra &r = ref::of<Def>();
	std::mt19937 rng(seed);
	std::vector<int> failures(kernels.size(), 0);
	for (int ga = 0; ga <= Def::gradeMask; ga++) {
		for (int gb = 0; gb <= Def::gradeMask; gb++) for (int sample = 0; sample < sc_packedPairSamples; sample++) {
			coords a = ref::randomFull<Def>(rng, ga), b = ref::randomFull<Def>(rng, gb);
			const double *pa[Def::dim + 1], *pb[Def::dim + 1];
			ref::tableOf<Def>(a, ga, pa);
			ref::tableOf<Def>(b, gb, pb);
			const V va = ref::makeValue<V>(a, ga), vb = ref::makeValue<V>(b, gb);
			for (size_t n = 0; n < kernels.size(); n++) {
				if (sample > 0 && packedIndex<Def>(kernels[n].product, ga, gb) < 0) continue;
				coords c(Def::nbCoor, sc_junk);
				kernels[n].fn(pa, pb, c.data());
				const coords expected = r.product(kernels[n].product, a, b);
				const V general = compressed<V>(c);
				auto report = [&](const ::testing::AssertionResult &same, const char *path) {
					if (!same && failures[n]++ < 3)
						ADD_FAILURE() << kernels[n].name << " " << path << " on grade usages " << ga << " and " << gb
						              << ": " << same.message();
				};
				report(ref::sameCoordinates<Def>(c.data(), expected, ref::sc_tolerance), "");
				underEachVariant([&] {
					V dispatched;
					productById(dispatched, kernels[n].product, va, vb);
					::testing::AssertionResult same = sameBits(dispatched, general);
					if (same) same = ref::sameProduct(dispatched, expected, ref::sc_tolerance);
					report(same, "through the dispatch");
				});
			}
		}
	}
}

// Every pair of grade usages with a packed kernel, on unit blades of those
// usages: the other coordinates, whole grade parts too, are 0.0, so the
// kernel must drop exactly the parts the reference has no coordinate in.
// The same operands with NaN for the 1.0 keep the parts the general path keeps.
template <class V> void checkPackedKernelsOnUnitBlades(const std::vector<kernelCase> &kernels)
{
	typedef typename V::def Def;
	const ref::algebra &r = ref::of<Def>();
	const double nan = std::numeric_limits<double>::quiet_NaN();
	for (const kernelCase &k : kernels) {
		int pairs = 0, failures = 0;
		for (int ua = 0; ua <= Def::gradeMask; ua++) {
			for (int ub = 0; ub <= Def::gradeMask; ub++) {
				int index = packedIndex<Def>(k.product, ua, ub);
				if (index < 0) continue;
				pairs++;
				for (int i = 0; i < Def::nbCoor; i++) {
					if (!(ua & (1 << ref::gradeOf<Def>(i)))) continue;
					for (int j = 0; j < Def::nbCoor; j++) {
						if (!(ub & (1 << ref::gradeOf<Def>(j)))) continue;
						coords a(Def::nbCoor, 0.0), b(Def::nbCoor, 0.0);
						a[i] = b[j] = 1.0;
						const V va = ref::makeValue<V>(a, ua), vb = ref::makeValue<V>(b, ub);
						a[i] = nan;
						const V na = ref::makeValue<V>(a, ua);
						const double *pa[Def::dim + 1], *pb[Def::dim + 1];
						ref::tableOf<Def>(a, ua, pa);
						ref::tableOf<Def>(b, ub, pb);
						coords c(Def::nbCoor, sc_junk);
						k.fn(pa, pb, c.data());
						const V general = compressed<V>(c);
						underEachVariant([&] {
							V unit, withNan;
							productById(unit, k.product, va, vb);
							productById(withNan, k.product, na, vb);
							::testing::AssertionResult same = ref::sameProduct(unit, r.bladeProduct(k.product, i, j), 0.0);
							if (same) same = sameBits(withNan, general);
							if (!same && failures++ < 3)
								ADD_FAILURE() << k.name << " through the dispatch on grade usages " << ua << " and " << ub << ", blades "
								              << Def::basisElementNames()[i] << " and " << Def::basisElementNames()[j]
								              << ": " << same.message();
						});
					}
				}
			}
		}
		EXPECT_EQ(failures, 0) << k.name;
		// every product has at least the full x full kernel
		EXPECT_GE(pairs, 1) << k.name;
	}
}

// Scaling by a double takes the packed kernels of the scalar with the common
// usages and the general kernel with the others: either way the bits of the
// general kernel, compressed, whatever the usage of the value, with zero and
// negative-zero coordinates and factors (0.0 + -0.0 is 0.0), also into the
// value scaled.
template <class V> void checkScaling(productKernel generalOp, unsigned seed)
{
	typedef typename V::def Def;
	std::mt19937 rng(seed);
	int failures = 0;
	for (int gb = 0; gb <= Def::gradeMask; gb++) {
		coords b = ref::randomFull<Def>(rng, gb);
		for (int k = 0; k < Def::nbCoor; k++)
			if (b[k] != 0.0 && k % 3 == 1) b[k] = (k % 2) ? -0.0 : 0.0;
		const V vb = ref::makeValue<V>(b, gb);
		for (double s : {2.5, -1.0, 0.0, -0.0}) {
			const double *pa[Def::dim + 1] = {&s}, *pb[Def::dim + 1];
			ref::tableOf<Def>(b, gb, pb);
			coords c(Def::nbCoor, sc_junk);
			generalOp(pa, pb, c.data());
			const V general = compressed<V>(c);
			V scaled, inPlace = vb;
			scaled.op(s, vb);
			inPlace.op(s, inPlace);
			::testing::AssertionResult same = sameBits(scaled, general);
			if (same) same = sameBits(inPlace, general);
			if (!same && failures++ < 3) ADD_FAILURE() << Def::name << " usage " << gb << " times " << s << ": " << same.message();
		}
	}
}

// The scalar of a geometric product is its scalar product's, bit for bit,
// in either metric and whichever path takes the pair: both add the same
// terms in the same order.  The interpretation takes the scalar product
// where it reads only the scalar of a geometric one.  Random operands of
// every pair of usages, squares, squares of unit blades, and a product
// whose scalar cancels to zero.
template <class V> void checkScalarOfGeometricProduct(unsigned seed)
{
	typedef typename V::def Def;
	std::mt19937 rng(seed);
	int failures = 0;
	auto same = [&](const V &a, const V &b) {
		for (int P : {ga::P_GP, ga::P_GPEM}) {
			V g, s;
			productById(g, P, a, b);
			productById(s, P == ga::P_GP ? ga::P_SCP : ga::P_SCPEM, a, b);
			double x = g.scalar(), y = s.scalar();
			if (std::memcmp(&x, &y, sizeof x) != 0 && failures++ < 3)
				ADD_FAILURE() << Def::name << " product " << P << " usages " << a.gradeUsage() << " and " << b.gradeUsage()
				              << ": " << x << " vs " << y;
		}
	};
	for (int ga = 0; ga <= Def::gradeMask; ga++)
		for (int gb = 0; gb <= Def::gradeMask; gb++) {
			const V a = ref::makeValue<V>(ref::randomFull<Def>(rng, ga), ga), b = ref::makeValue<V>(ref::randomFull<Def>(rng, gb), gb);
			same(a, b);
			same(a, a);
		}
	for (int i = 0; i < Def::nbCoor; i++) {
		coords unit(Def::nbCoor, 0.0);
		unit[i] = 1.0;
		const int g = 1 << ref::gradeOf<Def>(i);
		const V blade = ref::makeValue<V>(unit, g);
		same(blade, blade);
	}
	// (e1 + e2) (e1 - e2): a scalar that cancels to zero
	coords plus(Def::nbCoor, 0.0), minus(Def::nbCoor, 0.0);
	plus[1] = plus[2] = minus[1] = 1.0;
	minus[2] = -1.0;
	same(ref::makeValue<V>(plus, 2), ref::makeValue<V>(minus, 2));
}

// A part of a product (the vector part of gp, every grade but the vectors of
// gpem) gives the bits of the whole product's part on every pair of grade
// usages, whether the pair has a kernel for the part or not; and a value
// times a basis vector as the classification moves its coordinates gives
// gpem's bits, zeros of either sign in the value included.
template <class V> void checkPartsAndVectorImages(unsigned seed)
{
	typedef typename V::def Def;
	std::mt19937 rng(seed);
	int failures = 0;
	auto report = [&](const ::testing::AssertionResult &same, const char *what, int ua, int ub) {
		if (!same && failures++ < 3) ADD_FAILURE() << Def::name << " " << what << " on usages " << ua << " and " << ub << ": " << same.message();
	};
	for (int ga = 0; ga <= Def::gradeMask; ga++) {
		coords a = ref::randomFull<Def>(rng, ga);
		for (int k = 0; k < Def::nbCoor; k++)
			if (a[k] != 0.0 && k % 5 == 2) a[k] = (k % 2) ? -0.0 : 0.0;
		const V va = ref::makeValue<V>(a, ga);
		for (int gb = 0; gb <= Def::gradeMask; gb++) {
			const V vb = ref::makeValue<V>(ref::randomFull<Def>(rng, gb), gb);
			V whole, part;
			whole.gp(va, vb);
			whole.takeGrade(whole, 2);
			part.template productPart<ga::P_GP, ga::PART_VECTOR>(va, vb);
			report(sameBits(part, whole), "vector part of gp", ga, gb);
			whole.gpem(va, vb);
			whole.takeGrade(whole, Def::gradeMask & ~2);
			part.template productPart<ga::P_GPEM, ga::PART_NONVECTOR>(va, vb);
			report(sameBits(part, whole), "gpem without its vector part", ga, gb);
		}
		const ga::mvScratch<Def> y(va);
		for (int i = 0; i < Def::dim; i++) {
			ga::mvScratch<Def> moved, product;
			ga::timesBasisVector(moved, y, i);
			product.gpem(y, ga::mvScratch<Def>(*V::bv[i]));
			report(sameBits(moved, product), "times a basis vector", ga, 1 << i);
		}
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
	checkRandomOperands<e3ga>(e3gaKernels, 11);
	checkRandomOperands<p3ga>(p3gaKernels, 12);
	checkRandomOperands<c3ga>(c3gaKernels, 13);
	checkRandomOperands<i2ga>(i2gaKernels, 14);
}

TEST(ProductKernels, PackedKernelsOnUnitBlades)
{
	checkPackedKernelsOnUnitBlades<e3ga>(e3gaKernels);
	checkPackedKernelsOnUnitBlades<p3ga>(p3gaKernels);
	checkPackedKernelsOnUnitBlades<c3ga>(c3gaKernels);
	checkPackedKernelsOnUnitBlades<i2ga>(i2gaKernels);
}

TEST(ProductKernels, ScalingByADoubleGivesTheGeneralKernelsBits)
{
	checkScaling<e3ga>(e3gai_general_op, 21);
	checkScaling<p3ga>(p3gai_general_op, 22);
	checkScaling<c3ga>(c3gai_general_op, 23);
	checkScaling<i2ga>(i2gai_general_op, 24);
}

TEST(ProductKernels, PartsAndVectorImagesGiveTheProductsBits)
{
	checkPartsAndVectorImages<e3ga>(41);
	checkPartsAndVectorImages<p3ga>(42);
	checkPartsAndVectorImages<c3ga>(43);
	checkPartsAndVectorImages<i2ga>(44);
}

TEST(ProductKernels, TheScalarOfAGeometricProductIsTheScalarProducts)
{
	checkScalarOfGeometricProduct<e3ga>(31);
	checkScalarOfGeometricProduct<p3ga>(32);
	checkScalarOfGeometricProduct<c3ga>(33);
	checkScalarOfGeometricProduct<i2ga>(34);
}

TEST(ProductKernels, CommonPairsHaveKernelsOfTheirOwn)
{
	checkCommonPairs<ga::e3gaDef>();
	checkCommonPairs<ga::p3gaDef>();
	checkCommonPairs<ga::c3gaDef>();
	checkCommonPairs<ga::i2gaDef>();
}

TEST(ProductKernels, EveryBuildOfTheFullKernelsThatRunsHere)
{
	EXPECT_TRUE(ga::kernelVariantSupported(ga::KV_PORTABLE));
	EXPECT_TRUE(ga::kernelVariantSupported(ga::bestKernelVariant()));
	EXPECT_EQ(ga::fullKernelVariant, ga::bestKernelVariant());
#if defined(__x86_64__) && defined(__GNUC__)
	// the build holds the AVX2 kernels on x86-64; whether they run depends on the processor
	__builtin_cpu_init();
	EXPECT_EQ(ga::kernelVariantSupported(ga::KV_AVX2), __builtin_cpu_supports("avx2") != 0);
#endif
	if (!ga::kernelVariantSupported(ga::KV_AVX2)) {
		EXPECT_FALSE(ga::useKernelVariant(ga::KV_AVX2));
	}
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

TEST(SmallKernels, RunsOfCoordinatesAndNorm)
{
	checkRunKernels<ga::e3gaDef>();
	checkRunKernels<ga::p3gaDef>();
	checkRunKernels<ga::c3gaDef>();
	checkRunKernels<ga::i2gaDef>();
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

TEST(I2gaPartKernels, AgainstReferenceAndTermCounts)
{
	ASSERT_EQ(i2gaPartKernels.size(), 84u);
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

