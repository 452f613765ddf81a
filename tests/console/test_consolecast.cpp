// Conversions of console values between the four models: the blades each
// conversion carries, reorder signs, dropped parts, round trips, and the
// attributes of a converted value.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "console/consolevariable.h"
#include "reference/refcompare.h"
#include "state/state.h"

namespace {

state s_state;

typedef std::unique_ptr<consoleVariable> cvPtr;
typedef std::vector<std::pair<const char *, double>> terms;

// Calls f with a default value of the class that model names.
template <class F> void withModel(int model, F f)
{
	switch (model) {
	case MODEL_E3GA: f(e3ga()); break;
	case MODEL_P3GA: f(p3ga()); break;
	case MODEL_C3GA: f(c3ga()); break;
	case MODEL_I2GA: f(i2ga()); break;
	default: ADD_FAILURE() << "no model " << model;
	}
}

// The full coordinate array of the sum of the named blades.
template <class Def> ref::coords sumOf(const terms &t)
{
	ref::coords full(Def::nbCoor, 0.0);
	for (auto term : t) {
		ref::coords f = ref::bladeSum<Def>({term});
		for (int k = 0; k < Def::nbCoor; k++) full[k] += f[k];
	}
	return full;
}

// A value of the model, the sum of the named blades.
cvPtr valueOf(int model, const terms &t)
{
	cvPtr result;
	withModel(model, [&](auto v) {
		typedef decltype(v) V;
		ref::coords full = sumOf<typename V::def>(t);
		result.reset(new consoleVariable("source", ref::makeValue<V>(full, ref::nonZeroGrades<typename V::def>(full))));
	});
	return result;
}

cvPtr castTo(const consoleVariable &v, int model)
{
	switch (model) {
	case MODEL_E3GA: return cvPtr(v.castToE3ga());
	case MODEL_P3GA: return cvPtr(v.castToP3ga());
	case MODEL_C3GA: return cvPtr(v.castToC3ga());
	default: return cvPtr(v.castToI2ga());
	}
}

// The value held, as the class of its model.
template <class V> const V &held(const consoleVariable &v)
{
	if constexpr (std::is_same<V, e3ga>::value) return v.e();
	else if constexpr (std::is_same<V, p3ga>::value) return v.p();
	else if constexpr (std::is_same<V, c3ga>::value) return v.c();
	else return v.i2();
}

// v is exactly the sum of the named blades, storing only the grades they have.
::testing::AssertionResult holds(const consoleVariable &v, int model, const terms &t)
{
	if (v.model() != model) return ::testing::AssertionFailure() << "model " << v.model();
	::testing::AssertionResult r = ::testing::AssertionSuccess();
	withModel(model, [&](auto tag) {
		typedef decltype(tag) V;
		r = ref::sameProduct(held<V>(v), sumOf<typename V::def>(t), 0.0);
	});
	return r;
}

const int c_models[] = {MODEL_E3GA, MODEL_P3GA, MODEL_C3GA, MODEL_I2GA};

} // namespace

TEST(ConsoleCast, Cases)
{
	struct row {
		int from;
		terms source;
		int to;
		terms expected;
	};
	const row rows[] = {
		{MODEL_E3GA, {{"e1", 1}, {"e2", 2}, {"e3", 3}}, MODEL_P3GA, {{"e1", 1}, {"e2", 2}, {"e3", 3}}},
		{MODEL_C3GA, {{"no", 1}, {"e1", 1}, {"ni", 0.5}}, MODEL_E3GA, {{"e1", 1}}},
		{MODEL_P3GA, {{"e0", 2}}, MODEL_C3GA, {{"no", 2}}},
		{MODEL_C3GA, {{"no", 2}}, MODEL_P3GA, {{"e0", 2}}},
		{MODEL_P3GA, {{"e3^e1", 1}}, MODEL_C3GA, {{"e1^e3", -1}}},
		{MODEL_C3GA, {{"e1^e3", 1}}, MODEL_P3GA, {{"e3^e1", -1}}},
		{MODEL_P3GA, {{"e1^e2^e3^e0", 1}}, MODEL_E3GA, {}},
		{MODEL_P3GA, {{"e1^e2^e3^e0", 1}}, MODEL_C3GA, {{"e1^e2^e3^no", 1}}},
		{MODEL_C3GA, {{"e1^no^ni", 1}}, MODEL_I2GA, {{"e1^no^ni", 1}}},
		{MODEL_C3GA, {{"e3^no^ni", 1}}, MODEL_I2GA, {}},
		{MODEL_E3GA, {{"e3", 1}}, MODEL_I2GA, {}},
		// parts within 1e-14 disappear
		{MODEL_E3GA, {{"1", 1}, {"e1", 1e-15}}, MODEL_P3GA, {{"1", 1}}},
		{MODEL_I2GA, {{"e1", 1e-14}, {"gi", 1.0}, {"no^ni", 2e-14}, {"e1^ni", -1e-14}}, MODEL_C3GA,
		 {{"no^ni", 2e-14}, {"e1^ni", -1e-14}}},
		// orientations that differ between the models
		{MODEL_C3GA, {{"e1^e3^no", 1}}, MODEL_P3GA, {{"e3^e1^e0", -1}}},
		{MODEL_E3GA, {{"e3^e1", 3}, {"e1^e2^e3", -2}}, MODEL_C3GA, {{"e1^e3", -3}, {"e1^e2^e3", -2}}},
		{MODEL_I2GA, {{"e2^no^gi", 1}, {"e2^no", 4}, {"e1^e2^ni", -1}}, MODEL_P3GA, {{"e2^e0", 4}}},
		{MODEL_I2GA, {{"no^ni", 1}, {"e1^e2^no^ni", 5}, {"go^gi", 7}}, MODEL_C3GA, {{"no^ni", 1}, {"e1^e2^no^ni", 5}}},
		// a copy within a model is not compressed
		{MODEL_E3GA, {{"1", 1}, {"e1", 1e-15}}, MODEL_E3GA, {{"1", 1}, {"e1", 1e-15}}},
	};
	for (const row &r : rows) {
		cvPtr source = valueOf(r.from, r.source);
		cvPtr result = castTo(*source, r.to);
		ASSERT_NE(result, nullptr);
		EXPECT_TRUE(holds(*result, r.to, r.expected)) << r.from << " to " << r.to << ": " << source->string();
	}
}

// Every blade of every model goes over with its own name, or is dropped;
// infinite and NaN coordinates go over as they are.
TEST(ConsoleCast, BladesCarriedOver)
{
	struct row {
		int from, to;
		std::set<std::string> carried; // names in the target
	};
	const std::set<std::string> e3gaAll = {"1", "e1", "e2", "e3", "e2^e3", "e3^e1", "e1^e2", "e1^e2^e3"};
	const std::set<std::string> c3gaEuclidean = {"1", "e1", "e2", "e3", "e1^e2", "e1^e3", "e2^e3", "e1^e2^e3"};
	const std::set<std::string> c3gaNoE3 = {"1",     "e1",    "e2",    "no",       "ni",       "e1^e2",
	                                        "e1^no", "e2^no", "e1^ni", "e2^ni",    "no^ni",    "e1^e2^no",
	                                        "e1^e2^ni", "e1^no^ni", "e2^no^ni", "e1^e2^no^ni"};
	const row rows[] = {
		{MODEL_E3GA, MODEL_P3GA, e3gaAll},
		{MODEL_E3GA, MODEL_C3GA, c3gaEuclidean},
		{MODEL_E3GA, MODEL_I2GA, {"1", "e1", "e2", "e1^e2"}},
		{MODEL_P3GA, MODEL_E3GA, e3gaAll},
		{MODEL_P3GA, MODEL_C3GA,
		 {"1", "e1", "e2", "e3", "no", "e1^e2", "e1^e3", "e2^e3", "e1^no", "e2^no", "e3^no", "e1^e2^e3", "e1^e2^no",
		  "e1^e3^no", "e2^e3^no", "e1^e2^e3^no"}},
		{MODEL_P3GA, MODEL_I2GA, {"1", "e1", "e2", "no", "e1^e2", "e1^no", "e2^no", "e1^e2^no"}},
		{MODEL_C3GA, MODEL_E3GA, e3gaAll},
		{MODEL_C3GA, MODEL_P3GA,
		 {"1", "e1", "e2", "e3", "e0", "e2^e3", "e3^e1", "e1^e2", "e1^e0", "e2^e0", "e3^e0", "e2^e3^e0", "e3^e1^e0",
		  "e1^e2^e0", "e1^e2^e3", "e1^e2^e3^e0"}},
		{MODEL_C3GA, MODEL_I2GA, c3gaNoE3},
		{MODEL_I2GA, MODEL_E3GA, {"1", "e1", "e2", "e1^e2"}},
		{MODEL_I2GA, MODEL_P3GA, {"1", "e1", "e2", "e0", "e1^e2", "e1^e0", "e2^e0", "e1^e2^e0"}},
		{MODEL_I2GA, MODEL_C3GA, c3gaNoE3},
	};
	// every coordinate of the source set to one number, finite or not: a
	// carried coordinate is that number (with its reorder sign), a NaN too
	const double fills[] = {1.0, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()};
	for (const row &r : rows)
		for (double x : fills)
			withModel(r.from, [&](auto v) {
				typedef typename decltype(v)::def Def;
				std::vector<double> full(Def::nbCoor, x);
				cvPtr result = castTo(consoleVariable("full", decltype(v)(Def::gradeMask, full.data())), r.to);
				withModel(r.to, [&](auto t) {
					typedef decltype(t) T;
					ref::coords got = ref::fullOf(held<T>(*result));
					std::set<std::string> carried;
					for (int k = 0; k < T::def::nbCoor; k++) {
						if (got[k] == 0.0) continue;
						carried.insert(T::def::basisElementNames()[k]);
						EXPECT_TRUE(std::isnan(x) ? std::isnan(got[k]) : std::fabs(got[k]) == x) << got[k];
					}
					EXPECT_EQ(carried, r.carried) << r.from << " to " << r.to << " of " << x;
				});
			});
}

// p3ga to c3ga and back, blade by blade, with the reorder signs.
TEST(ConsoleCast, ProjectiveConformalRoundTrip)
{
	struct row {
		const char *p3gaBlade, *c3gaBlade;
		double sign;
	};
	const row rows[] = {
		{"1", "1", 1},                 {"e1", "e1", 1},             {"e2", "e2", 1},
		{"e3", "e3", 1},               {"e0", "no", 1},             {"e2^e3", "e2^e3", 1},
		{"e3^e1", "e1^e3", -1},        {"e1^e2", "e1^e2", 1},       {"e1^e0", "e1^no", 1},
		{"e2^e0", "e2^no", 1},         {"e3^e0", "e3^no", 1},       {"e2^e3^e0", "e2^e3^no", 1},
		{"e3^e1^e0", "e1^e3^no", -1},  {"e1^e2^e0", "e1^e2^no", 1}, {"e1^e2^e3", "e1^e2^e3", 1},
		{"e1^e2^e3^e0", "e1^e2^e3^no", 1},
	};
	double coordinate = 1.5;
	for (const row &r : rows) {
		cvPtr p = valueOf(MODEL_P3GA, {{r.p3gaBlade, coordinate}});
		cvPtr c(p->castToC3ga());
		EXPECT_TRUE(holds(*c, MODEL_C3GA, {{r.c3gaBlade, r.sign * coordinate}})) << r.p3gaBlade;
		cvPtr back(c->castToP3ga());
		EXPECT_TRUE(holds(*back, MODEL_P3GA, {{r.p3gaBlade, coordinate}})) << r.p3gaBlade;
		coordinate += 1.0;
	}
}

TEST(ConsoleCast, ResultAttributes)
{
	for (int from : c_models) {
		cvPtr source = valueOf(from, {{"e1", 2}});
		source->name("named");
		source->drawMode(0x1c5);
		source->color4(0.0f, 1.0f, 0.0f, 0.5f);
		source->modifiedColor();
		source->creationFlags(0x402);
		source->op(0x106);
		source->lhs(1);
		source->rhs(1);
		for (int to : c_models) {
			cvPtr result = castTo(*source, to);
			EXPECT_TRUE(holds(*result, to, {{"e1", 2}}));
			EXPECT_EQ(result->name(), "");
			EXPECT_EQ(result->drawMode(), 0x20);
			EXPECT_EQ(result->color()[0], s_state.m_fgColor[0]);
			EXPECT_EQ(result->color()[1], s_state.m_fgColor[1]);
			EXPECT_EQ(result->alpha(), s_state.m_fgColor[3]);
			EXPECT_EQ(result->forceFlags() | result->creationFlags() | result->op(), 0);
			EXPECT_EQ(result->lhs() | result->rhs() | result->global(), 0);
			EXPECT_EQ(result->next(), nullptr);
		}
		// the source is unchanged
		EXPECT_TRUE(holds(*source, from, {{"e1", 2}}));
		EXPECT_EQ(source->name(), "named");
	}
}
