// Interpretation of e3ga and i2ga values: a table of kinds, then the stored
// factors, the creation flags that later readings repeat, and copying; for
// the three 3D models, finite numbers whatever the value; and readings
// shared within an assignment equal fresh ones.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "c3ga/c3ga.h"
#include "i2ga/i2ga.h"
#include "support/mvintcheck.h"
#include "p3ga/p3ga.h"
#include "support/testvalues.h"

namespace {

using mvicheck::expect;
using mvicheck::matches;

const double r2 = std::sqrt(0.5);

class E3gaInterpretation : public ::testing::Test {
protected:
	// made when a test runs: the algebra's constants exist by then
	const e3ga e1 = e3gai::e1, e2 = e3gai::e2, e3 = e3gai::e3;
	// a new state for every test: no factors stored
	state m_state;
};

TEST_F(E3gaInterpretation, KindsOfValues)
{
	const e3ga e12 = e1 ^ e2;
	// exp(-B) for the unit bivector B in the plane of e1^e2 + e2^e3: angle 2
	e3ga B = gp(r2, e12 + (e2 ^ e3));
	e3ga rotor = gp(-1.0, B).exp(20);
	mvicheck::checkTable<e3ga>({
	    {"scalar", 2.5, 0, expect(0x2108).s(2.5)},
	    {"3 e1", 3.0 * e1, 0, expect(0x2109).s(3.0).v(0, 1, 0, 0).p(0, 3, 0, 0)},
	    {"vector", e1 - 2.0 * e3, 0, expect(0x2109).s(std::sqrt(5.0)).v(0, 1 / std::sqrt(5.0), 0, -2 / std::sqrt(5.0))},
	    {"2 e1^e2", 2.0 * e12, 0, expect(0x210A).s(2.0).v(0, 0, 0, 1).v(1, 1, 0, 0).v(2, 0, 1, 0).factors(1.0)},
	    {"e2^e3", e2 ^ e3, 0, expect(0x210A).s(1.0).v(0, 1, 0, 0).factors(1.0)},
	    {"e3^e2", e3 ^ e2, 0, expect(0x210A).s(1.0).v(0, -1, 0, 0).factors(1.0)},
	    {"-0.5 I", -0.5 * e3ga(e3gai::I), 0, expect(0x210B).s(-0.5).v(0, 1, 0, 0).v(1, 0, 1, 0).v(2, 0, 0, 1)},
	    {"rotor", std::cos(1.0) - std::sin(1.0) * e12, 0, expect(0x2200).s(1.0, 2.0).v(0, 0, 0, -1).factors(1.0)},
	    {"2 rotor", 2.0 * std::cos(0.25) + 2.0 * std::sin(0.25) * e12, 0, expect(0x2200).s(2.0, 0.5).v(0, 0, 0, 1)},
	    {"exp rotor", rotor, 0, expect(0x2200).s(1.0, 2.0).v(0, -r2, 0, -r2).factors(1.0)},
	    // a rotation by no angle still has a plane to show
	    {"1 as versor", 1.0, OC_VERSOR, expect(0x2200).s(1.0, 0.0).v(0, 0, 0, 1).v(1, 1, 0, 0).v(2, 0, 1, 0)},
	    {"odd versor", gp(gp(e1, e1 + e2), e3), 0, expect(0x2201)},
	    {"e1 as versor", e1, OC_VERSOR, expect(0x2201)},
	    {"e1 as both", e1, OC_VERSOR | OC_BLADE, expect(0x2109).s(1.0)},
	    {"zero", e3ga(), 0, expect(0x2000).invalid()},
	    {"zero as blade", e3ga(), OC_BLADE, expect(0x2000)},
	    {"multivector", e1 + e12, 0, expect(0x2000).invalid()},
	    {"grades 0 and 2", 1.0 + e1 + e12, OC_BLADE | 0x5, expect(0x2000)},
	    {"rotor plane", std::cos(1.0) - std::sin(1.0) * e12, OC_BLADE | 0x4, expect(0x210A).s(std::sin(1.0)).v(0, 0, 0, -1)},
	});
}

TEST_F(E3gaInterpretation, StoredFactorsOrientBivectorsAndTrivectors)
{
	// projected onto the plane (e1, 3 e2), then both scaled by sqrt(2/3) so
	// that their outer product is the blade
	const double k = std::sqrt(2.0 / 3.0), q = std::sqrt(2.0);
	m_state.setE3gaFactor(e1 + e3, 0);
	m_state.setE3gaFactor(3.0 * e2, 1);
	EXPECT_TRUE(matches(mvInt(2.0 * (e1 ^ e2), 0), expect(0x210A).v(1, k, 0, 0).v(2, 0, 3 * k, 0).factors(2.0)));
	// against the blade's orientation the first factor takes the sign
	m_state.setE3gaFactor(e2, 0);
	m_state.setE3gaFactor(e1, 1);
	EXPECT_TRUE(matches(mvInt(2.0 * (e1 ^ e2), 0), expect(0x210A).v(1, 0, -q, 0).v(2, q, 0, 0).factors(2.0)));
	// parallel, or orthogonal to the plane: the default unit factors
	for (const e3ga &f : {e1, e3}) {
		m_state.setE3gaFactor(f, 0);
		m_state.setE3gaFactor(2.0 * f, 1);
		EXPECT_TRUE(matches(mvInt(e1 ^ e2, 0), expect(0x210A).v(1, 1, 0, 0).v(2, 0, 1, 0)));
	}
	// three factors of volume 2 become three of volume 1
	m_state.setE3gaFactor(e1, 0);
	m_state.setE3gaFactor(2.0 * e2, 1);
	m_state.setE3gaFactor(e3, 2);
	double c = std::cbrt(0.5);
	EXPECT_TRUE(matches(mvInt(e3ga(e3gai::I), 0), expect(0x210B).v(0, c, 0, 0).v(1, 0, 2 * c, 0).v(2, 0, 0, c)));
}

TEST_F(E3gaInterpretation, FlagsAndFieldsCarryOverUntilReplaced)
{
	mvInt I(e1, OC_VERSOR);
	EXPECT_EQ(I.m_type, 0x2201);
	I.interpret(3.0 * e2, 0);
	EXPECT_EQ(I.m_type, 0x2201);
	EXPECT_EQ(I.m_creationFlags, OC_VERSOR);
	I.interpret(3.0 * e2, OC_BLADE);
	EXPECT_TRUE(matches(I, expect(0x2109).p(0, 0, 3, 0)));
	// a scalar sets no point: the vector's stays
	I.interpret(e3ga(4.0), 0);
	EXPECT_TRUE(matches(I, expect(0x2108).s(4.0).p(0, 0, 3, 0)));
	// a copy takes the geometry but not the validity or the flags
	mvInt J(&I);
	EXPECT_TRUE(matches(J, expect(0x2108).invalid().s(4.0).p(0, 0, 3, 0)));
	EXPECT_EQ(J.m_creationFlags, 0);
	EXPECT_EQ(J.copy(nullptr), -1);
}

TEST(I2gaInterpretation, EveryValueIsValidWithoutKind)
{
	for (const i2ga &x : {i2ga(), i2ga(i2gai::no), i2ga(gp(i2ga(i2gai::e1), i2ga(i2gai::gi)))})
		for (int flags : {0, OC_BLADE, OC_VERSOR | 0x4}) {
			mvInt I(x, flags);
			EXPECT_EQ(I.m_type, 0x8000);
			EXPECT_EQ(I.m_valid, 1);
			EXPECT_EQ(I.m_creationFlags, 0);
		}
}

// Every field finite for blades, versors, multivectors, null and tiny
// values, read with every kind of creation flags, with stored factors that
// are absent, degenerate or ordinary.
template <class V> void expectFiniteReadings()
{
	typedef typename V::implClass I;
	std::mt19937 rng(11);
	// stored grade parts whose coordinates are all 0
	const double zeros[V::nbCoor] = {};
	std::vector<V> values = {V(), V(6, zeros), V(1e-9), V(I::e1), gp(1e-3, V(I::e3)), op(V(I::e1), V(I::e2))};
	for (int g = 0; g <= I::dim; g++) values.push_back(ref::randomBlade<V>(rng, g));
	for (int n = 2; n <= 3; n++) values.push_back(ref::randomVersor<V>(rng, n));
	values.push_back(ref::randomValue<V>(rng, (1 << (I::dim + 1)) - 1));
	for (int i = 0; i < I::dim; i++) values.push_back(op(V(*I::bv[i]), V(*I::bv[(i + 1) % I::dim])));
	for (const V &x : values)
		for (int flags : {0, OC_BLADE, OC_VERSOR, OC_BLADE | 0x4, OC_BLADE | 0x6, OC_VERSOR | 0x1}) {
			mvInt M(x, flags);
			const double *fields[] = {M.m_point[0], M.m_point[1], M.m_vector[0], M.m_vector[1], M.m_vector[2], M.m_vector[3]};
			for (const double *f : fields)
				for (int k = 0; k < 3; k++) EXPECT_TRUE(std::isfinite(f[k])) << x.string() << " flags " << flags;
			EXPECT_TRUE(std::isfinite(M.m_scalar[0]) && std::isfinite(M.m_scalar[1])) << x.string() << " flags " << flags;
		}
}

TEST(MvInt, NumbersStayFiniteForAnyValue)
{
	testing::internal::CaptureStdout();
	state st;
	for (int setting = 0; setting < 3; setting++) {
		for (int i = 0; i < 3; i++) {
			// none; parallel pairs; independent ones
			double scale = setting == 0 ? 0.0 : 1.0;
			int axis = setting == 1 ? 0 : i;
			st.setE3gaFactor(gp(scale * (i + 1), *e3gai::bv[axis]), i);
			st.setP3gaFactor(gp(scale * (i + 1), *p3gai::bv[axis]), i);
			st.setC3gaFactor(gp(scale * (i + 1), *c3gai::bv[axis]), i);
		}
		expectFiniteReadings<e3ga>();
		expectFiniteReadings<p3ga>();
		expectFiniteReadings<c3ga>();
	}
	testing::internal::GetCapturedStdout(); // the messages of odd grades are not the point here
}

} // namespace

// While readings are shared, a new reading equals, bit for bit, one made
// where nothing is shared: for kinds of each 3D model, with and without
// creation flags, for values that have no reading (kept by nobody), for
// values a last bit apart, and once a stored factor has changed.
TEST(MvIntSharing, ASharedReadingEqualsAFreshOne)
{
	state st;
	const e3ga e1 = e3gai::e1, e2 = e3gai::e2, e12 = e1 ^ e2;
	const c3ga no = c3gai::no, ni = c3gai::ni;
	auto point = [&](double x, double y, double z) {
		return c3ga(c3ga(2, x, y, z, 0.0, 0.5 * (x * x + y * y + z * z)) + no);
	};
	auto check = [](const auto &x, int flags, const char *name) {
		mvInt fresh(x, flags);
		mvIntSharing sharing;
		mvInt first(x, flags), second(x, flags);
		EXPECT_TRUE(mvicheck::sameReading(first, fresh)) << name << " flags " << flags;
		EXPECT_TRUE(mvicheck::sameReading(second, fresh)) << name << " flags " << flags;
	};
	for (int flags : {0, OC_BLADE, OC_VERSOR, OC_BLADE | 0x4}) {
		check(e3ga(3.0 * e1), flags, "e3ga vector");
		check(e3ga(std::cos(0.4) + std::sin(0.4) * e12), flags, "e3ga rotor");
		check(e3ga(e1 + e12), flags, "e3ga multivector");
		check(p3ga(op(p3ga(2, 1.0, 0.0, 0.0, 1.0), p3ga(2, 0.0, 1.0, 2.0, 1.0))), flags, "p3ga line");
		check(point(1, 2, 3), flags, "c3ga point");
		check(c3ga(op(op(point(1, 0, 0), point(0, 1, 0)), point(0, 0, 1))), flags, "c3ga circle");
		check(c3ga(op(op(point(1, 0, 0), point(0, 1, 2)), ni)), flags, "c3ga line");
		check(c3ga(sub(point(1, 2, 3), gp(2.0, ni))), flags, "c3ga dual sphere");
	}
	// values a last bit apart read otherwise, shared or not
	const e3ga plus(2.5), minus(std::nextafter(2.5, 3.0));
	const mvInt freshPlus(plus, 0), freshMinus(minus, 0);
	ASSERT_FALSE(mvicheck::sameReading(freshPlus, freshMinus));
	{
		mvIntSharing sharing;
		mvInt first(plus, 0), second(minus, 0);
		EXPECT_TRUE(mvicheck::sameReading(second, freshMinus));
	}
	// a bivector's factors follow the stored ones, also while shared
	const e3ga B = 2.0 * e12;
	const mvInt byDefault(B, 0);
	st.setE3gaFactor(e2, 0);
	st.setE3gaFactor(e1, 1);
	const mvInt byStored(B, 0);
	ASSERT_FALSE(mvicheck::sameReading(byStored, byDefault));
	st.setE3gaFactor(e3ga(), 0);
	st.setE3gaFactor(e3ga(), 1);
	mvIntSharing sharing;
	mvInt before(B, 0);
	st.setE3gaFactor(e2, 0);
	st.setE3gaFactor(e1, 1);
	mvInt after(B, 0);
	EXPECT_TRUE(mvicheck::sameReading(before, byDefault));
	EXPECT_TRUE(mvicheck::sameReading(after, byStored));
}

// While readings are shared, the classification kept answers for the same
// value and epsilon only: every answer is the value's own, whatever came
// before it, for each model and epsilon.
TEST(MvIntSharing, AKeptClassificationIsTheValuesOwn)
{
	const e3ga e1 = e3gai::e1, e2 = e3gai::e2;
	const c3ga no = c3gai::no, ni = c3gai::ni, c1 = c3gai::e1, c2 = c3gai::e2;
	const e3ga es[] = {e3ga(3.0 * e1), e3ga(std::cos(0.4) + std::sin(0.4) * (e1 ^ e2)), e3ga(e1 + (e1 ^ e2)), e3ga(),
	                   e3ga(1.0 + 1e-10 * e1)};
	const c3ga cs[] = {c3ga(no + c1), c3ga(op(no, ni)), c3ga(no + 1e-10 * (c1 ^ c2))};
	auto check = [](const auto &x) {
		for (double epsilon : {1e-14, 1e-6, 1e-6}) {
			int g = -1, h = -1;
			EXPECT_EQ(mvIntSharing::classify(x, &g, epsilon), x.mvType(&h, epsilon)) << x.string() << " " << epsilon;
			EXPECT_EQ(g, h) << x.string() << " " << epsilon;
		}
	};
	mvIntSharing sharing;
	for (int pass = 0; pass < 2; pass++) {
		for (const e3ga &x : es) check(x);
		for (const c3ga &x : cs) check(x);
	}
	// the small vector part tells the epsilons apart
	int g = 0;
	EXPECT_NE(es[4].mvType(&g, 1e-14), es[4].mvType(&g, 1e-6));
}

namespace {

// FNV-1a over the bytes of what is added: one number per kind of value
// below, for the bits of every reading and classification of that kind.
struct bitDigest {
	uint64_t h = 14695981039346656037ull;
	void add(const void *p, size_t n)
	{
		for (size_t i = 0; i < n; i++) h = (h ^ static_cast<const unsigned char *>(p)[i]) * 1099511628211ull;
	}
	void add(const mvInt &I)
	{
		add(&I.m_type, sizeof I.m_type);
		add(&I.m_valid, sizeof I.m_valid);
		add(I.m_point, sizeof I.m_point);
		add(I.m_vector, sizeof I.m_vector);
		add(I.m_scalar, sizeof I.m_scalar);
	}
};

// Numbers in [lo, hi) from the generator's bits alone, the same on every library.
struct bitSource {
	std::mt19937_64 rng{33};
	double operator()(double lo = -1.0, double hi = 1.0) { return lo + (hi - lo) * (double)(rng() >> 11) * 0x1p-53; }
};

// Readings of random values of each kind with every kind of creation flags,
// without and with stored factors, and classifications of blades of every
// grade with noise around the epsilons, against digests of their bits taken
// before their computation was made faster: the digests pin every bit.
TEST(MvIntBits, ReadingsAndClassificationsKeepTheirBits)
{
	bitSource u;
	const c3ga ni = c3gai::ni;
	// each number is drawn in a statement of its own: the order in which a
	// call's arguments are evaluated is the compiler's
	auto point = [&] {
		double p[3];
		for (double &x : p) x = u(-3, 3);
		double w = u(0.5, 1.5);
		return c3ga(gp(w, c3ga(2, p[0], p[1], p[2], 1.0, 0.5 * (p[0] * p[0] + p[1] * p[1] + p[2] * p[2]))));
	};
	auto euclidean = [&] {
		double p[3];
		for (double &x : p) x = u();
		return c3ga(2, p[0], p[1], p[2], 0.0, 0.0);
	};
	auto e3vector = [&] {
		double p[3];
		for (double &x : p) x = u();
		return e3ga(2, p[0], p[1], p[2]);
	};
	// the outer product of n values made one after the other
	auto wedge = [](int n, auto make) {
		auto b = make();
		for (int i = 1; i < n; i++) {
			auto v = make();
			b = op(b, v);
		}
		return b;
	};
	auto rotor = [&](double maxAngle) {
		double a = u(-maxAngle, maxAngle);
		e3ga B = wedge(2, e3vector);
		return e3ga(add(std::cos(a), gp(std::sin(a), B.normal(1))));
	};
	auto round = [&](double sign) {
		c3ga P = point();
		double r = u(0.01, 2);
		return c3ga(add(P, gp(sign * r, ni)));
	};
	typedef std::function<c3ga()> c3gaKind;
	typedef std::function<e3ga()> e3gaKind;
	const std::vector<std::pair<const char *, c3gaKind>> c3gaKinds = {
	    {"point", point},
	    {"line", [&] { return c3ga(op(wedge(2, point), ni)); }},
	    {"circle", [&] { return wedge(3, point); }},
	    {"dual sphere", [&] { return round(-1.0); }},
	    {"imaginary dual sphere", [&] { return round(1.0); }},
	    {"sphere", [&] { return wedge(4, point); }},
	    {"plane", [&] { return c3ga(op(wedge(3, point), ni)); }},
	    {"point pair", [&] { return wedge(2, point); }},
	    {"flat point", [&] { return c3ga(op(point(), ni)); }},
	    {"free flats", [&] { return c3ga(op(wedge(2, euclidean), ni)); }},
	    {"tangent", [&] {
		     c3ga P = point(), E = euclidean();
		     return c3ga(op(P, lcont(P, op(E, ni))));
	     }},
	    {"dual line", [&] { return c3ga(op(wedge(2, point), ni).dual()); }},
	    {"point or round", [&] {
		     c3ga P = point();
		     double k = u(3e-7, 7e-7);
		     return c3ga(add(P, gp(k, ni)));
	     }},
	    {"versor", [&] {
		     c3ga P = point(), Q = point();
		     return c3ga(gp(P, Q));
	     }},
	};
	const std::vector<std::pair<const char *, e3gaKind>> e3gaKinds = {
	    {"rotor", [&] { return rotor(M_PI); }},
	    {"scaled rotor", [&] {
		     double s = u(0.1, 3);
		     e3ga R = rotor(M_PI);
		     return e3ga(gp(s, R));
	     }},
	    {"small rotor", [&] { return rotor(1e-7); }},
	    {"vector", e3vector},
	    {"bivector", [&] { return wedge(2, e3vector); }},
	    {"trivector", [&] { return wedge(3, e3vector); }},
	    {"odd versor", [&] {
		     e3ga a = e3vector(), b = e3vector(), c = e3vector();
		     return e3ga(gp(gp(a, b), c));
	     }},
	};
	const int flagSets[] = {0, OC_BLADE, OC_VERSOR, OC_BLADE | 0x4, OC_VERSOR | 0x5};
	constexpr int values = 40;
	std::map<std::string, uint64_t> got;
	auto readAll = [&](const char *name, auto make) {
		bitDigest d;
		for (int n = 0; n < values; n++) {
			auto x = make();
			for (int flags : flagSets) d.add(mvInt(x, flags));
		}
		got[name] = d.h;
	};
	testing::internal::CaptureStdout();
	for (int stored = 0; stored < 2; stored++) {
		state st;
		if (stored) {
			for (int i = 0; i < 3; i++) st.setE3gaFactor(e3vector(), i);
			for (int i = 0; i < 2; i++) st.setC3gaFactor(point(), i);
		}
		for (const auto &k : c3gaKinds) readAll((std::string(k.first) + (stored ? " stored" : "")).c_str(), k.second);
		for (const auto &k : e3gaKinds) readAll((std::string(k.first) + (stored ? " stored" : "")).c_str(), k.second);
	}
	testing::internal::GetCapturedStdout();
	auto classifyAll = [&](const char *name, auto blade) {
		typedef decltype(blade(0)) V;
		bitDigest d;
		for (int n = 0; n < values; n++)
			for (int g = 0; g <= V::dim; g++) {
				const V b = blade(g);
				for (double noise : {0.0, 1e-12, 3e-11, 1e-10, 3e-7, 1e-6, 3e-6}) {
					double c[V::nbCoor];
					for (double &x : c) x = noise * u();
					const V x = add(b, V(V::def::gradeMask, c));
					for (double epsilon : {1e-10, 1e-6}) {
						int grade = 0, type = x.mvType(&grade, epsilon);
						d.add(&type, sizeof type);
						d.add(&grade, sizeof grade);
					}
				}
			}
		got[name] = d.h;
	};
	auto bladeOf = [&](auto one) {
		return [&, one](int g) {
			typedef decltype(one) V;
			V b = one;
			for (int i = 0; i < g; i++) {
				double c[V::dim];
				for (double &x : c) x = u();
				b = op(b, V(2, c));
			}
			return b;
		};
	};
	classifyAll("e3ga classification", bladeOf(e3ga(1.0)));
	classifyAll("p3ga classification", bladeOf(p3ga(1.0)));
	classifyAll("c3ga classification", bladeOf(c3ga(1.0)));
	classifyAll("i2ga classification", bladeOf(i2ga(1.0)));
	const std::map<std::string, uint64_t> expected = {
	    {"bivector", 0x8c9f11869d9b6986ull},
	    {"bivector stored", 0xb3eb0b1031f3e91cull},
	    {"c3ga classification", 0x95570f2c28ff76b5ull},
	    {"circle", 0x8209c6a0756040c6ull},
	    {"circle stored", 0x563033446c33b5b5ull},
	    {"dual line", 0x3fc6f170779a9c09ull},
	    {"dual line stored", 0xe17a1d0f83b97301ull},
	    {"dual sphere", 0xe85abfae3b5fbb8full},
	    {"dual sphere stored", 0x347a14bd679789c7ull},
	    {"e3ga classification", 0xa0c2d8a38a39c189ull},
	    {"flat point", 0x2bda5eac1a40b5eaull},
	    {"flat point stored", 0xd7e1c4499b93ad4cull},
	    {"free flats", 0x68005d407afb658ull},
	    {"free flats stored", 0xe79cec8ee4f2ca6full},
	    {"i2ga classification", 0xd3cd3997111e743bull},
	    {"imaginary dual sphere", 0x1bbc71d75f51a469ull},
	    {"imaginary dual sphere stored", 0x4186948771e4e21eull},
	    {"line", 0x7795d2fed4a70c1dull},
	    {"line stored", 0xc376898970bc414ull},
	    {"odd versor", 0x8ec5e219b407ef39ull},
	    {"odd versor stored", 0xcc94454eef9e85f0ull},
	    {"p3ga classification", 0xe0b1a3e4f43a5663ull},
	    {"plane", 0x7d5538adfeb39d35ull},
	    {"plane stored", 0xb0418d09a428c1beull},
	    {"point", 0xd5765222684e5f04ull},
	    {"point or round", 0xfabbb22195d18373ull},
	    {"point or round stored", 0x22458b1a629a553aull},
	    {"point pair", 0x14bddf95230d9c28ull},
	    {"point pair stored", 0xc67fde1f373b4730ull},
	    {"point stored", 0x178a484c983ffdf8ull},
	    {"rotor", 0x26807bb02b322732ull},
	    {"rotor stored", 0x871d27b1f686694aull},
	    {"scaled rotor", 0xd5ef297e3c92314full},
	    {"scaled rotor stored", 0xff6703c9d30107e2ull},
	    {"small rotor", 0xa28b67185b3e5087ull},
	    {"small rotor stored", 0xafc7b9141538bb8full},
	    {"sphere", 0x946405314efe5022ull},
	    {"sphere stored", 0x7edb4d41e3bd61a6ull},
	    {"tangent", 0xbdbc26af4057b8b5ull},
	    {"tangent stored", 0xdc3006cfd8fd3fd4ull},
	    {"trivector", 0x47831fde6820e715ull},
	    {"trivector stored", 0x7000e996c7ec8c91ull},
	    {"vector", 0x58fbd23a460c39d1ull},
	    {"vector stored", 0x79c5cd2b4f8412b1ull},
	    {"versor", 0xab52e3e07bb5afa5ull},
	    {"versor stored", 0x9a3037997612898dull},
	};
	for (const auto &g : got) {
		auto e = expected.find(g.first);
		EXPECT_TRUE(e != expected.end() && e->second == g.second)
		    << g.first << ": 0x" << std::hex << g.second << std::dec;
	}
}

} // namespace
