// Printing, assignment, stored factors and casts, called through their
// rows, and the choice of a model block for arguments of two models.
#include <cmath>

#include "console/builtincalls.h"

using namespace bt;

namespace {

// What a call printed on the console.
struct printed {
	printed() { testing::internal::CaptureStdout(); }
	std::string text() { return testing::internal::GetCapturedStdout(); }
};

// A bare name as the interpreter passes it: the e3ga scalar 0 under that name.
consoleVariable *bareName(const char *name)
{
	consoleVariable *v = value<e3ga>("0", name);
	v->lhs(1);
	return v;
}

} // namespace

template <class M> class System : public modelBuiltins<M> {};
TYPED_TEST_SUITE(System, models);

// print writes "name = value" with cprintf and hands its argument back.
TYPED_TEST(System, Print)
{
	const struct {
		const char *name, *format, *line;
	} rows[] = {
		{"a", nullptr, "a = 2.00*e1 + -0.50*e1^e2\n"},
		{"temporary console variable 7", nullptr, "ans = 2.00*e1 + -0.50*e1^e2\n"},
		{"x temporary console variable ", nullptr, "x temporary console variable  = 2.00*e1 + -0.50*e1^e2\n"},
		{"a%s%n", nullptr, "a%s%n = 2.00*e1 + -0.50*e1^e2\n"},
		{"a", "e", "a = 2.000000e+00*e1 + -5.000000e-01*e1^e2\n"},
		{"a", "+.1f%%", "a = +2.0%*e1 + -0.5%*e1^e2\n"},
		{"temporary console variable ", "g", "ans = 2*e1 + -0.5*e1^e2\n"},
		// a format that would not print one number is refused
		{"a", "d", "Warning: invalid number format '%d', using the default\na = 2.00*e1 + -0.50*e1^e2\n"},
		{"a", "s%s", "Warning: invalid number format '%s%s', using the default\na = 2.00*e1 + -0.50*e1^e2\n"},
		{"a", "n", "Warning: invalid number format '%n', using the default\na = 2.00*e1 + -0.50*e1^e2\n"},
		{"a", "", "Warning: invalid number format '%', using the default\na = 2.00*e1 + -0.50*e1^e2\n"},
		{"a", "f%f", "Warning: invalid number format '%f%f', using the default\na = 2.00*e1 + -0.50*e1^e2\n"},
	};
	for (const auto &r : rows) {
		consoleVariable *x = value<TypeParam>("2*e1 - 0.5*e1^e2", r.name);
		std::vector<consoleVariable *> args = {x};
		if (r.format) args.push_back(bareName(r.format));
		printed out;
		result back = this->call("print", args);
		EXPECT_EQ(out.text(), r.line) << r.name << " " << (r.format ? r.format : "");
		EXPECT_EQ(back.get(), x);
	}
}

TEST_F(builtins, PrintOfAnExponential)
{
	result r = call("exp", {value<e3ga>("-0.7853981633974483*e1^e2")});
	r->name("temporary console variable 1");
	printed out;
	result same = call("print", {r.release(), bareName("2.2f")});
	EXPECT_EQ(out.text(), "ans = 0.71 + -0.71*e1^e2\n");
}

// assign stores through the calling scope and answers under the target's name.
TYPED_TEST(System, Assign)
{
	result r = this->call("assign", {bareName("x"), value<TypeParam>("2*e1")});
	EXPECT_EQ(r->name(), "x");
	EXPECT_EQ(r->model(), consoleModel<TypeParam>::code);
	EXPECT_EQ(text(r.get()), "2*e1");
	consoleVariable *stored = nullptr;
	ASSERT_EQ(this->root->lookupVariable(0, "x", 0, &stored), 0);
	EXPECT_EQ(text(stored), "2*e1");
	delete stored;
}

// set_factor stores the vector part in a slot of the state and hands its
// second argument back; the index saturates, NaN is slot 0.
TEST_F(builtins, SetFactor)
{
	const struct {
		double index;
		const char *stored[3], *message;
	} rows[] = {
		{1, {"0", "1*e1", "0"}, ""},
		{2.9, {"0", "0", "1*e1"}, ""},
		{NAN, {"1*e1", "0", "0"}, ""},
		{7, {"0", "0", "0"}, "state::setE3gaFactor(): invalid index 7\n"},
		{-1, {"0", "0", "0"}, "state::setE3gaFactor(): invalid index -1\n"},
		{1e300, {"0", "0", "0"}, "state::setE3gaFactor(): invalid index 2147483647\n"},
		{-1e300, {"0", "0", "0"}, "state::setE3gaFactor(): invalid index -2147483648\n"},
	};
	for (const auto &r : rows) {
		for (e3ga &f : m_state.m_e3gaFactor) f = 0.0;
		consoleVariable *x = value<e3ga>("e1 + 3 + e1^e2");
		consoleVariable *index = new consoleVariable("", e3ga(r.index));
		index->rhs(1);
		printed out;
		result back = call("set_factor", {index, x});
		EXPECT_EQ(out.text(), r.message) << r.index;
		EXPECT_EQ(back.get(), x);
		for (int i = 0; i < 3; i++) EXPECT_EQ(m_state.m_e3gaFactor[i].string("%g"), std::string(r.stored[i])) << r.index;
	}
	// the other models' slots; i2ga has none
	delete call("set_factor", {value<e3ga>("3"), value<p3ga>("e0")}).release();
	EXPECT_STREQ(m_state.m_p3gaFactor[3].string("%g"), "1*e0");
	delete call("set_factor", {value<e3ga>("4"), value<c3ga>("ni + no^ni")}).release();
	EXPECT_STREQ(m_state.m_c3gaFactor[4].string("%g"), "1*ni");
	consoleVariable *x = value<i2ga>("e1");
	result back = call("set_factor", {value<e3ga>("0"), x});
	EXPECT_EQ(back.get(), x);
}

// Every cast row by source and target: a new variable of the target model.
TEST_F(builtins, Casts)
{
	const int models[] = {MODEL_E3GA, MODEL_P3GA, MODEL_C3GA, MODEL_I2GA};
	const char *casts[] = {"cast_e3ga", "cast_p3ga", "cast_c3ga", "cast_i2ga"};
	for (int s = 0; s < 4; s++) {
		for (int t = 0; t < 4; t++) {
			consoleVariable *x = s == 0 ? value<e3ga>("2*e1 + e1^e2", "x")
			                   : s == 1 ? value<p3ga>("2*e1 + e1^e2", "x")
			                   : s == 2 ? value<c3ga>("2*e1 + e1^e2", "x")
			                            : value<i2ga>("2*e1 + e1^e2", "x");
			printed out;
			result r = call(casts[t], {x});
			EXPECT_EQ(out.text(), "") << casts[t] << " from " << s;
			EXPECT_NE(r.get(), x);
			EXPECT_EQ(r->model(), models[t]) << casts[t] << " from " << s;
			EXPECT_EQ(text(r.get()), "2*e1 + 1*e1^e2") << casts[t] << " from " << s;
		}
	}
}

// Arguments of two models reach the one row the lookup chooses, the other
// argument cast to its model.
TEST_F(builtins, RowOfMixedModels)
{
	printed out;
	result r = call("gp", {value<e3ga>("e1", "a"), value<p3ga>("e2", "b")});
	EXPECT_EQ(out.text(), "Coerced 'a' to p3ga\n");
	EXPECT_EQ(r->model(), MODEL_P3GA);
	EXPECT_EQ(text(r.get()), "1*e1^e2");
	// a scalar is cast without a word; a number is of the row's model
	printed quiet;
	r = call("sin", {value<i2ga>("0")});
	EXPECT_EQ(r->model(), MODEL_I2GA);
	r = call("add", {value<e3ga>("1"), value<c3ga>("no")});
	EXPECT_EQ(quiet.text(), "");
	EXPECT_EQ(r->model(), MODEL_C3GA);
	EXPECT_EQ(text(r.get()), "1 + 1*no");
}
