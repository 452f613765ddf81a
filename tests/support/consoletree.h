#pragma once
// Statement trees for tests of the console interpreter, built in code: a
// small reader turns the text of one flat expression into an expression
// list, and builders make the control statements around them. Test rows
// give the operators and casts the console calls by name: scalar arithmetic
// on e3ga, or rows that trace the calls made into the result's name.
// Include in one source file per binary.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "console/consoleglobalscope.h"
#include "console/consolefunctions.h"
#include "console/consolestatements.h"
#include "console/consolevariable.h"
#include "os/osdep.h"
#include "state/state.h"

namespace ct {

// Argument type words of the test rows.
constexpr int E3 = CFA_RHS | MODEL_E3GA;
constexpr int P3 = CFA_RHS | MODEL_P3GA;
constexpr int C3 = CFA_RHS | MODEL_C3GA;
constexpr int I2 = CFA_RHS | MODEL_I2GA;
constexpr int ANY = CFA_RHS | CFA_ANY_MODEL;
constexpr int WRITTEN = CFA_LHS | CFA_ANY_MODEL;

// --- expressions: operands (numbers, names, "::"names, name[i], calls,
// parentheses) with the operator text before each, as the parser decodes it
class exprReader {
public:
	explicit exprReader(const char *text) : p(text) {}

	consoleExprListStmt *list()
	{
		consoleExprListStmt *el = new consoleExprListStmt(operand());
		for (;;) {
			skipBlanks();
			if (*p == 0 || std::strchr("),]", *p)) return el;
			el->addChild(operand());
		}
	}

private:
	const char *p;

	void skipBlanks()
	{
		while (*p == ' ') p++;
	}
	void expect(char c)
	{
		skipBlanks();
		EXPECT_EQ(*p, c) << "test expression";
		if (*p) p++;
	}

	// the operand with the operator text written before it
	consoleStatement *operand()
	{
		std::string op;
		while (*p && std::strchr("=/^.*+-&|<>!~ ", *p)) op += *p++;
		consoleStatement *s = bare();
		s->setOp(nullptr, 1, 1, op.c_str());
		return s;
	}

	consoleStatement *bare()
	{
		if (*p == '(') {
			p++;
			consoleExprListStmt *el = list();
			expect(')');
			return new consoleParExprStmt(1, 1, el);
		}
		if (std::isdigit((unsigned char)*p)) {
			char *end;
			double d = std::strtod(p, &end);
			p = end;
			return new consoleConstantScalarStmt(1, 1, d);
		}
		int global = p[0] == ':' && p[1] == ':';
		if (global) p += 2;
		std::string name;
		while (std::isalnum((unsigned char)*p) || *p == '_') name += *p++;
		if (*p == '(') {
			p++;
			skipBlanks();
			consoleFuncArgListStmt *args = nullptr;
			if (*p != ')') {
				args = new consoleFuncArgListStmt(list());
				while (*p == ',') {
					p++;
					args->addChild(list());
				}
			}
			expect(')');
			return new consoleFuncCallStmt(1, 1, name, args, global);
		}
		consoleArrayIdxListStmt *idx = nullptr;
		while (*p == '[') {
			p++;
			consoleExprListStmt *el = list();
			expect(']');
			if (idx == nullptr) idx = new consoleArrayIdxListStmt(1, 1, el);
			else idx->addChild(el);
		}
		return new consoleVariableStmt(1, 1, name, global, idx);
	}
};

inline consoleExprListStmt *E(const char *text) { return text ? exprReader(text).list() : nullptr; }

// --- statements
using stmts = std::initializer_list<consoleStatement *>;

inline consoleStmtListStmt *L(stmts s)
{
	consoleStmtListStmt *l = new consoleStmtListStmt(7, 3);
	for (consoleStatement *c : s) l->addChild(c);
	return l;
}
inline consoleIfElseStmt *IF(const char *cond, consoleStatement *then, consoleStatement *otherwise = nullptr)
{
	return new consoleIfElseStmt(1, 1, E(cond), then, otherwise);
}
inline consoleWhileStmt *WHILE(const char *cond, consoleStatement *body)
{
	return new consoleWhileStmt(1, 1, E(cond), body);
}
inline consoleForStmt *FOR(const char *init, const char *cond, const char *step, consoleStatement *body)
{
	return new consoleForStmt(1, 1, E(init), E(cond), E(step), body);
}
// a case with a value, or the default case for null
inline consoleCaseStmt *CASE(const char *value, stmts s) { return new consoleCaseStmt(1, 1, E(value), L(s)); }
inline consoleSwitchStmt *SWITCH(const char *value, std::initializer_list<consoleCaseStmt *> cases)
{
	consoleCaseListStmt *cl = new consoleCaseListStmt(1, 1, *cases.begin());
	for (auto it = cases.begin() + 1; it != cases.end(); ++it) cl->addChild(*it);
	return new consoleSwitchStmt(1, 1, E(value), cl);
}
inline consoleReturnStmt *RET(const char *value = nullptr) { return new consoleReturnStmt(1, 1, E(value)); }
inline consoleBreakStmt *BREAK() { return new consoleBreakStmt(1, 1, consoleBreakStmt::sc_break); }
inline consoleBreakStmt *CONTINUE() { return new consoleBreakStmt(1, 1, consoleBreakStmt::sc_continue); }
inline consoleBreakStmt *SUSPEND() { return new consoleBreakStmt(1, 1, consoleBreakStmt::sc_suspend); }

// A definition; each argument "name" or "model name".
inline consoleFuncStmt *DEF(int function, const char *name, std::initializer_list<const char *> args, stmts body)
{
	consoleFuncArgSpecListStmt *specs = new consoleFuncArgSpecListStmt(1, 1);
	for (const char *a : args) {
		const char *blank = std::strchr(a, ' ');
		int model = CFA_ANY_MODEL;
		for (int m : {MODEL_E3GA, MODEL_P3GA, MODEL_C3GA, MODEL_I2GA})
			if (blank && std::string(a, blank) == consoleModelName(m)) model = m;
		specs->addChild(new consoleFuncArgSpecStmt(1, 1, blank ? blank + 1 : a, model));
	}
	return new consoleFuncStmt(1, 1, name, specs, L(body), function);
}
inline consoleFuncStmt *FUNC(const char *name, std::initializer_list<const char *> args, stmts body)
{
	return DEF(1, name, args, body);
}
inline consoleFuncStmt *BATCH(const char *name, std::initializer_list<const char *> args, stmts body)
{
	return DEF(0, name, args, body);
}

// --- test rows
inline consoleVariable *number(double x) { return new consoleVariable("", e3ga(x)); }

// scalar arithmetic, comparisons and logic on e3ga
template <int K> consoleVariable *arith(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	double x = a[0]->scalar(), y = a[1]->scalar();
	switch (K) {
	case 0: return number(x * y);
	case 1: return number(x / y);
	case 2: return number(x + y);
	case 3: return number(x - y);
	case 4: return number(x == y);
	case 5: return number(x != y);
	case 6: return number(x < y);
	case 7: return number(x > y);
	case 8: return number(x <= y);
	case 9: return number(x >= y);
	case 10: return number(x != 0 && y != 0);
	default: return number(x != 0 || y != 0);
	}
}
inline consoleVariable *negate(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	return number(-a[0]->scalar());
}
inline consoleVariable *assign(consoleScope *s, consoleVariable **a, const consoleFunc_s *)
{
	consoleVariable *r = s->assignVariable(a[0], a[1]);
	r->name(a[0]->name());
	return r;
}
// prints "name=value" of a scalar and returns its argument
inline consoleVariable *show(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	cprintf("%s=%g\n", a[0]->name().c_str(), a[0]->scalar());
	return a[0];
}
// the cast that the row's name asks for
inline consoleVariable *cast(consoleScope *, consoleVariable **a, const consoleFunc_s *f)
{
	char target = f->name[5];
	return target == 'e' ? a[0]->castToE3ga() : target == 'p' ? a[0]->castToP3ga()
	     : target == 'c' ? a[0]->castToC3ga()  : a[0]->castToI2ga();
}
// a value named by the call: row name and argument names, "add(a,b)"
inline consoleVariable *trace(consoleScope *, consoleVariable **a, const consoleFunc_s *f)
{
	std::string name = std::string(f->name) + "(";
	for (int i = 0; i < f->nbArg; i++) name += (i ? "," : "") + a[i]->name();
	return new consoleVariable(name + ")", e3ga(1.0));
}

inline std::vector<consoleFunc_s> castRows()
{
	std::vector<consoleFunc_s> rows;
	for (const char *name : {"cast_e3ga", "cast_p3ga", "cast_c3ga", "cast_i2ga"})
		for (int source : {E3, P3, C3, I2}) rows.push_back({name, nullptr, cast, 1, {source}});
	return rows;
}

inline std::vector<consoleFunc_s> numberRows()
{
	std::vector<consoleFunc_s> rows = {
		{"gp", nullptr, arith<0>, 2, {E3, E3}},       {"igp", nullptr, arith<1>, 2, {E3, E3}},
		{"add", nullptr, arith<2>, 2, {E3, E3}},      {"sub", nullptr, arith<3>, 2, {E3, E3}},
		{"equal", nullptr, arith<4>, 2, {E3, E3}},    {"ne", nullptr, arith<5>, 2, {E3, E3}},
		{"less", nullptr, arith<6>, 2, {E3, E3}},     {"greater", nullptr, arith<7>, 2, {E3, E3}},
		{"le", nullptr, arith<8>, 2, {E3, E3}},       {"ge", nullptr, arith<9>, 2, {E3, E3}},
		{"and", nullptr, arith<10>, 2, {E3, E3}},     {"or", nullptr, arith<11>, 2, {E3, E3}},
		{"negate", nullptr, negate, 1, {E3}},         {"assign", nullptr, assign, 2, {WRITTEN, ANY}},
		{"show", nullptr, show, 1, {ANY}},
	};
	for (const consoleFunc_s &r : castRows()) rows.push_back(r);
	return rows;
}

inline std::vector<consoleFunc_s> traceRows()
{
	std::vector<consoleFunc_s> rows;
	for (const char *name : {"gp", "igp", "op", "hip", "mhip", "add", "sub", "meet", "join", "equal", "less",
	                         "greater", "le", "ge", "and", "or", "ne"})
		rows.push_back({name, nullptr, trace, 2, {ANY, ANY}});
	for (const char *name : {"negate", "inverse", "reverse"}) rows.push_back({name, nullptr, trace, 1, {ANY}});
	rows.push_back({"assign", nullptr, trace, 2, {WRITTEN, ANY}});
	return rows;
}

inline void addRows(consoleScope *s, const std::vector<consoleFunc_s> &rows)
{
	for (const consoleFunc_s &r : rows) s->addFunction(&r);
}

// --- the application state's root global scope, with the number rows;
// commands run in it as the console runs them
class consoleTest : public testing::Test {
protected:
	state m_state;
	consoleGlobalScope *root = nullptr;
	// the suspended commands, newest last, with their index stacks
	std::vector<std::pair<consoleStmtListStmt *, int *>> parked;

	void SetUp() override
	{
		root = m_state.m_globalScope;
		addRows(root, numberRows());
	}
	void TearDown() override
	{
		for (auto &p : parked) {
			delete p.first;
			std::free(p.second);
		}
	}

	// Runs a list as one command; a suspended list is parked.
	void exec(consoleStmtListStmt *l)
	{
		delete l->execute(root);
		if (root->suspendStmt()) parked.push_back({l, root->getSuspendIdcs()});
		else delete l;
	}
	// Runs statements as one command; returns what they printed.
	std::string run(stmts s)
	{
		testing::internal::CaptureStdout();
		exec(L(s));
		return testing::internal::GetCapturedStdout();
	}
	// Resumes the newest suspended command; returns what it printed.
	std::string resume()
	{
		if (parked.empty()) return "nothing parked";
		auto p = parked.back();
		parked.pop_back();
		root->setResumeIdcs(p.second);
		testing::internal::CaptureStdout();
		exec(p.first);
		return testing::internal::GetCapturedStdout();
	}
	// The value of an expression in the root.
	double value(const char *expr)
	{
		consoleExprListStmt *el = E(expr);
		consoleVariable *v = el->execute(root);
		delete el;
		double x = v ? v->scalar() : -999.0;
		delete v;
		return x;
	}
};

} // namespace ct
