#pragma once
// Calls of the console's built-ins as the interpreter makes them: values
// of a model written as text, passed through the dispatcher to a root
// global scope that holds the built-in table, results read back as text.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "console/consolefunctions.h"
#include "console/consoleglobalscope.h"
#include "console/consolevariable.h"
#include "state/state.h"

namespace bt {

typedef std::unique_ptr<consoleVariable> result;
typedef testing::Types<e3ga, p3ga, c3ga, i2ga> models;

// A value of model M from its text form ("2*e1 + 3"), named, usable as a value.
template <class M> consoleVariable *value(const std::string &text, const std::string &name = "")
{
	M x;
	EXPECT_GE(x.parseString(text.c_str()), 0) << "test value " << text;
	consoleVariable *v = new consoleVariable(name, x);
	v->rhs(1);
	return v;
}

// The text form of a value in its own model, coordinates as "%g".
inline std::string text(const consoleVariable *v)
{
	switch (v->model()) {
	case MODEL_E3GA: return v->e().string("%g");
	case MODEL_P3GA: return v->p().string("%g");
	case MODEL_C3GA: return v->c().string("%g");
	case MODEL_I2GA: return v->i2().string("%g");
	default: return "no model";
	}
}

// One call of a table: the built-in, its arguments as texts, the result's text.
struct row {
	const char *name;
	std::vector<std::string> args;
	const char *expected;
};

class builtins : public testing::Test {
protected:
	state m_state;
	consoleGlobalScope *root = nullptr;

	void SetUp() override { root = new consoleGlobalScope(nullptr); }
	void TearDown() override { delete root; }

	// name called on args (consumed) through the dispatcher.
	result call(const char *name, const std::vector<consoleVariable *> &args)
	{
		for (size_t i = 0; i + 1 < args.size(); i++) args[i]->next(args[i + 1]);
		return result(consoleExecFunc(root, name, args.empty() ? nullptr : args[0]));
	}

	// name called on values of model M given as texts: the text of the
	// result, which must be a new unnamed value of M.
	template <class M> std::string calc(const char *name, const std::vector<std::string> &args)
	{
		std::vector<consoleVariable *> values;
		for (const std::string &a : args) values.push_back(value<M>(a));
		result r = call(name, values);
		EXPECT_EQ(r->model(), consoleModel<M>::code) << name;
		EXPECT_EQ(r->name(), "") << name;
		return text(r.get());
	}

	// Every row called in model M.
	template <class M> void checkRows(const std::vector<row> &rows)
	{
		for (const row &r : rows) {
			std::string args;
			for (const std::string &a : r.args) args += (args.empty() ? "" : ", ") + a;
			EXPECT_EQ(calc<M>(r.name, r.args), r.expected) << r.name << "(" << args << ")";
		}
	}
};

// A fixture per model for the rows that are alike in the four.
template <class M> class modelBuiltins : public builtins {};

} // namespace bt
