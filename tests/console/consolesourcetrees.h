#pragma once
// Statement trees of every kind, built as the parser builds them, with the
// source texts they print in the multi-line and the single-line form, and
// how those texts read back. Include in one source file per binary.
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "console/consolestatements.h"

namespace srctree {

// --- building trees as the parser does

inline consoleVariableStmt *var(const char *name) { return new consoleVariableStmt(1, 1, name, 0, nullptr); }
inline consoleConstantScalarStmt *num(double d) { return new consoleConstantScalarStmt(1, 1, d); }

// s with the operator code written before it
template <class S> S *op(int code, S *s)
{
	s->setOp(code);
	return s;
}

// A list node built from its first element (after the arguments in
// before), the other elements appended.
template <class L, class E, class... A> L *listOf(std::initializer_list<E *> elements, A... before)
{
	auto it = elements.begin();
	L *l = new L(before..., *it);
	for (++it; it != elements.end(); ++it) l->addChild(*it);
	return l;
}

inline consoleExprListStmt *ex(std::initializer_list<consoleStatement *> operands)
{
	return listOf<consoleExprListStmt>(operands);
}

// an expression statement of a list, ended by "," when verbose and ";" otherwise
inline consoleExprListStmt *st(consoleExprListStmt *el, int verbose = 0)
{
	el->verbose(verbose);
	return el;
}

// a statement list; its statements are marked as standing in it
inline consoleStmtListStmt *list(std::initializer_list<consoleStatement *> statements)
{
	consoleStmtListStmt *l = new consoleStmtListStmt(1, 1);
	for (consoleStatement *s : statements) {
		s->stmtListChild(1);
		l->addChild(s);
	}
	return l;
}

inline consoleFuncArgListStmt *args(std::initializer_list<consoleExprListStmt *> arguments)
{
	return listOf<consoleFuncArgListStmt>(arguments);
}

inline consoleFuncArgSpecListStmt *specs(std::initializer_list<consoleFuncArgSpecStmt *> arguments)
{
	return listOf<consoleFuncArgSpecListStmt>(arguments, 1, 1);
}

inline consoleCaseListStmt *cases(std::initializer_list<consoleCaseStmt *> caseStmts)
{
	return listOf<consoleCaseListStmt>(caseStmts, 1, 1);
}

inline consoleArrayIdxListStmt *indices(std::initializer_list<consoleExprListStmt *> idx)
{
	return listOf<consoleArrayIdxListStmt>(idx, 1, 1);
}

// How a printed text reads back.
enum readsBack {
	READ_STATEMENTS, // as the statements it prints
	READ_EXPRESSION, // as an expression statement once ";" is added
	READ_NONE,       // not at all: no text of the language prints this way
};

struct row {
	std::function<consoleStatement *()> build;
	int tl; // tabs before the multi-line form
	const char *multi, *single;
	readsBack reads = READ_STATEMENTS;
	// the names that the text calls, separated by blanks
	const char *functions = "";
};

inline std::vector<row> rows()
{
	return {
		{[] { return new consoleDummyStmt(1, 1); }, 1, "\t;\n", ";"},
		// names: global, indexed, quoted when needed
		{[] { return new consoleVariableStmt(1, 1, "my var", 1, indices({ex({num(2)}), nullptr, ex({var("i"), op(6, num(1))})})); },
		 0, "::\"my var\"[2][0][i + 1]", "::\"my var\"[2][0][i + 1]", READ_EXPRESSION},
		{[] { return ex({var("1x"), op(COP_MUL, var("say \"hi\""))}); }, 0, "\"1x\" * \"say \\\"hi\\\"\"",
		 "\"1x\" * \"say \\\"hi\\\"\"", READ_EXPRESSION},
		// calls never print "::", casts included
		{[] { return ex({new consoleFuncCallStmt(1, 1, "f", args({ex({var("a")}), ex({var("b"), op(6, num(1))})}), 0),
		                 op(COP_ADD, new consoleFuncCallStmt(1, 1, "g", nullptr, 1)),
		                 op(COP_SUB, new consoleFuncCallStmt(1, 1, "cast_i2ga", args({ex({var("x")})}), 1))}); },
		 0, "f(a, b + 1) + g() - cast_i2ga(x)", "f(a, b + 1) + g() - cast_i2ga(x)", READ_EXPRESSION, "f g cast_i2ga"},
		// the example of a command with an if
		{[] {
			 return list({st(ex({var("a"), op(COP_ASSIGN, var("b")), op(COP_ADD | COP_NEGATE, var("c"))}), 1),
			              new consoleIfElseStmt(1, 1, ex({var("a")}), list({st(ex({var("x"), op(COP_ASSIGN, num(1))}))}),
			                                    nullptr)});
		 },
		 0, "a = b + -c,\nif (a) {\n\tx = 1;\n}\n", "a = b + -c,if (a) {x = 1;}"},
		// every infix operator
		{[] {
			 const char *names = "abcdefghijklmnopqr";
			 consoleExprListStmt *el = ex({var("a")});
			 for (int code = 1; code < COP_COUNT; code++) el->addChild(op(code, var(std::string(1, names[code]).c_str())));
			 return list({el});
		 },
		 0, "a = b / c ^ d . e * f + g - h & i | j == k < l > m <= n >= o && p || q != r;\n",
		 "a = b / c ^ d . e * f + g - h & i | j == k < l > m <= n >= o && p || q != r;"},
		// prefixes, with and without an infix operator
		{[] {
			 return list({st(ex({var("a"), op(0x200, var("b")), op(0x400, var("c")), op(0x101, var("d")),
			                     op(0x706, var("e")), op(0x100, var("f")), op(0x300, var("g")), op(0x107, var("h"))}),
			                 1)});
		 },
		 0, "a !b ~c = -d + -!~e !!-f !-g - -h,\n", "a !b ~c = -d + -!~e !!-f !-g - -h,"},
		// parenthesised expressions as operand and as statement
		{[] {
			 return list({st(ex({var("x"), op(0x101, new consoleParExprStmt(1, 1, ex({var("a"), op(6, var("b"))})))})),
			              st(ex({new consoleParExprStmt(1, 1, ex({var("c")}))})),
			              op(0, new consoleParExprStmt(1, 1, ex({var("d")})))});
		 },
		 1, "\tx = -(a + b);\n\t(c);\n\t(d);\n", "x = -(a + b);(c);(d);"},
		{[] {
			 consoleParExprStmt *p = new consoleParExprStmt(1, 1, ex({var("e")}));
			 p->verbose(1);
			 return list({p});
		 },
		 2, "\t\t(e),\n", "(e),"},
		// loops: a body that is no block keeps its terminator
		{[] { return new consoleWhileStmt(1, 1, ex({var("a")}), list({st(ex({var("x"), op(1, num(1))}))})); }, 0,
		 "while(a) {\tx = 1;\n}\n", "while(a) {x = 1;}"},
		{[] { return new consoleWhileStmt(1, 1, nullptr, st(ex({var("x"), op(1, var("x")), op(6, num(1))}))); }, 1,
		 "\twhile(1) {\t\tx = x + 1;\n}\n", "while(1) {x = x + 1;}"},
		{[] { return new consoleWhileStmt(1, 1, ex({var("a")}), nullptr); }, 0, "while(a) {}\n", "while(a) {}"},
		{[] { return new consoleForStmt(1, 1, nullptr, nullptr, nullptr, nullptr); }, 0, "for (; ; ) {\n}\n",
		 "for (; ; ) {}"},
		{[] {
			 return new consoleForStmt(1, 1, ex({var("i"), op(1, num(0))}), ex({var("i"), op(COP_LESS, num(3))}),
			                           ex({var("i"), op(1, var("i")), op(6, num(1))}),
			                           st(ex({var("x"), op(1, var("x")), op(6, var("i"))}), 1));
		 },
		 1, "\tfor (i = 0; i < 3; i = i + 1) {\n\t\tx = x + i,\n\t}\n", "for (i = 0; i < 3; i = i + 1) {x = x + i,}"},
		// if with a block, else with an if whose body is no block; if without then-statement
		{[] {
			 return new consoleIfElseStmt(1, 1, ex({var("a")}), list({st(ex({var("b")}))}),
			                              new consoleIfElseStmt(1, 1, ex({var("c")}), st(ex({var("d")})), nullptr));
		 },
		 0, "if (a) {\n\tb;\n}\nelse {\n\tif (c) {\n\t\td;\n\t}\n}\n", "if (a) {b;}else {if (c) {d;}}"},
		{[] { return new consoleIfElseStmt(1, 1, ex({var("a")}), nullptr, nullptr); }, 1, "\tif (a) {\n\t}\n",
		 "if (a) {}"},
		// switch with a case that has statements, one without, and a default
		{[] {
			 return new consoleSwitchStmt(
			     1, 1, ex({var("x")}),
			     cases({new consoleCaseStmt(1, 1, ex({num(1)}),
			                                list({st(ex({var("y"), op(1, num(1))})), new consoleBreakStmt(1, 1, 0)})),
			            new consoleCaseStmt(1, 1, ex({num(2)}), nullptr), new consoleCaseStmt(1, 1, nullptr, nullptr)}));
		 },
		 0, "switch (x) {\ncase 1: \n\ty = 1;\n\tbreak;\ncase 2: \ndefault: \n}\n",
		 "switch (x) {case 1: y = 1;break;case 2: default: }"},
		{[] {
			 return list({new consoleReturnStmt(1, 1, ex({var("a"), op(6, num(1))})), new consoleReturnStmt(1, 1, nullptr),
			              new consoleBreakStmt(1, 1, 0), new consoleBreakStmt(1, 1, 1), new consoleBreakStmt(1, 1, 2)});
		 },
		 1, "\treturn a + 1;\n\treturn ;\n\tbreak;\n\tcontinue;\n\tsuspend;\n",
		 "return a + 1;return ;break;continue;suspend;"},
		{[] { return new consoleBreakStmt(1, 1, 7); }, 1, "\tunkn br;\n", "unkn br;", READ_NONE},
		// a block in a block
		{[] { return list({list({list({st(ex({var("x"), op(1, num(1))}))})})}); }, 0, "{\n\t{\n\t\tx = 1;\n\t}\n}\n",
		 "{\t{\t\tx = 1;\t}}"},
		// declarations and definitions
		{[] {
			 return list({new consoleFuncDeclStmt(1, 1, "g",
			                                      specs({new consoleFuncArgSpecStmt(1, 1, "a", 0x2000),
			                                             new consoleFuncArgSpecStmt(1, 1, "b", 0x6000)}),
			                                      1),
			              new consoleFuncDeclStmt(1, 1, "b", nullptr, 0)});
		 },
		 0, "function g(e3ga a, c3ga b);\nbatch b();\n", "function g(e3ga a, c3ga b);batch b();"},
		{[] {
			 return new consoleFuncStmt(1, 1, "f",
			                            specs({new consoleFuncArgSpecStmt(0, 0, "a", 0x10000000),
			                                   new consoleFuncArgSpecStmt(1, 1, "c", 0x8000),
			                                   new consoleFuncArgSpecStmt(1, 1, "p", 0x4000)}),
			                            list({new consoleReturnStmt(1, 1, ex({var("a")}))}), 1);
		 },
		 1, "\tfunction f(a, i2ga c, p3ga p) {\n\t\treturn a;\n}\n", "function f(a, i2ga c, p3ga p) {return a;}"},
		{[] { return new consoleFuncStmt(1, 1, "my batch", nullptr, nullptr, 0); }, 0, "batch \"my batch\"() {\n}\n",
		 "batch \"my batch\"() {}"},
		{[] { return new consoleFuncArgSpecListStmt(1, 1, new consoleFuncArgSpecStmt(1, 1, "x", 0x10000000)); }, 0, "x",
		 "x", READ_NONE},
		// dynamic statements keep their names; settings
		{[] { return new consoleDynStmt(1, 1, list({st(ex({var("x"), op(1, var("a"))}))}), ""); }, 0,
		 "dynamic{\tx = a;\n}\n", "dynamic{x = a;}"},
		{[] { return new consoleDynStmt(1, 1, list({st(ex({var("x"), op(1, var("a"))}))}), "d1"); }, 0,
		 "dynamic{d1: \tx = a;\n}\n", "dynamic{d1: x = a;}"},
		{[] {
			 return list({new consoleSetStmt(1, 1, "inner_product", "hip"), new consoleSetStmt(1, 1, "default_model", 0x8000),
			              new consoleSetStmt(1, 1, "default_model", -1)});
		 },
		 1, "\tinner_product(hip)\n\tdefault_model(i2ga)\n\tdefault_model()\n",
		 "inner_product(hip)default_model(i2ga)default_model()", READ_STATEMENTS, "hip"},
	};
}

} // namespace srctree
