// The console parser: source texts and the trees they read as, printed
// back; every printed statement form read back; syntax errors with their
// messages and the statements that recovery keeps; definitions that change
// how the rest of a text is read; the parsing scopes; the nesting limit;
// lexical errors; and parsed commands run in the global scope.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

#include "console/ConsoleLexer.hpp"
#include "console/consoleparse.h"
#include "console/consoleparserguards.h"
#include "console/consoleparserwrapper.h"
#include "console/consoleparsingscope.h"
#include "console/consolesourcetrees.h"
#include "support/consoletree.h"

using namespace ct;

namespace {

std::string printed(consoleStatement *s, int cr, int tl)
{
	char *t = s->string(cr, tl);
	std::string r(t);
	std::free(t);
	return r;
}

// Positions of a tree: "line:column", the children in braces, "-" for null.
std::string positions(const consoleStatement *s)
{
	if (s == nullptr) return "-";
	std::string r = std::to_string(s->line()) + ":" + std::to_string(s->column());
	if (s->nbChildren() == 0) return r;
	r += "{";
	for (int i = 0; i < s->nbChildren(); i++) r += (i ? " " : "") + positions(s->child(i));
	return r + "}";
}

// The root global scope of the state, with the test rows, whose names the
// lexer reads as function names.
class ConsoleParsing : public consoleTest {
protected:
	// Records each name of the blank-separated list as a function for the lexer.
	void functions(const std::string &names)
	{
		std::istringstream in(names);
		for (std::string name; in >> name;) root->setFunctionOrVariable(name, true);
	}
	// What parsing prints, then "=> " and the list in its single-line form, or "=> null".
	std::string parse(const std::string &text)
	{
		testing::internal::CaptureStdout();
		std::unique_ptr<consoleStmtListStmt> l(consoleParse(text.c_str(), nullptr));
		std::string r = testing::internal::GetCapturedStdout();
		EXPECT_EQ(g_currentParsingScope, root) << text;
		return r + "=> " + (l ? printed(l.get(), 0, 0) : "null");
	}
};

struct transcriptRow {
	const char *text, *result;
};

} // namespace

TEST_F(ConsoleParsing, TokenNames)
{
	std::istringstream in;
	ConsoleLexer lexer(in);
	ConsoleParser parser(lexer);
	EXPECT_EQ(parser.getNumTokens(), 45);
	EXPECT_STREQ(parser.getTokenName(44), "a constant scalar");
	EXPECT_EQ(parser.getTokenName(45), nullptr);
	EXPECT_STREQ(parser.getTokenName(4), "an identifier");
	EXPECT_STREQ(parser.getTokenName(42), "an identifier");
	EXPECT_STREQ(parser.getTokenName(5), "a function");
	EXPECT_STREQ(parser.getTokenName(10), "\"return\"");
	EXPECT_STREQ(parser.getTokenName(26), "\"variable\"");
	EXPECT_STREQ(parser.getTokenName(28), "operator");
	EXPECT_STREQ(parser.getTokenName(40), "global");
	EXPECT_STREQ(parser.getTokenName(34), "(");
}

TEST_F(ConsoleParsing, SourceTexts)
{
	functions("f g");
	const transcriptRow rows[] = {
		{"", "=> null"},
		{"// only a comment", "=> null"},
		{";", "=> ;"},
		// operands side by side are multiplied; a name that is no function before "(" too
		{"a b, a(b); 2a; a 2;", "=> a b,a (b);2 a;a 2;"},
		{"x=-2;x = y+-~z;", "=> x = -2;x = y + -~z;"},
		{"x = 2e1 + 1.5E-3 + 0.1 + 1e999;", "=> x = 2e+01 + 0.0015 + 0.1 + 1e999;"},
		// a cast takes the one operand after it and calls its built-in
		{"(i2ga)x + (e3ga)(a + b) + (p3ga)-y;", "=> cast_i2ga(x) + cast_e3ga((a + b)) + cast_p3ga(- y);"},
		{"::x = ::f(x) + ::\"my var\"[1];", "=> ::x = f(x) + ::\"my var\"[1];"},
		{"f(a,,b); f(,a,b,); f(); g(f(1), (2));", "=> f(a, b);f(a, b);f();g(f(1), (2));"},
		{"x = ();", "=> x;"},
		{"a[] + a[1][] + a[1][2 + i];", "=> a + a[1] + a[1][2 + i];"},
		// a leading "-" is the infix minus, which negates a first operand
		{"-(a + b),", "=> - (a + b),"},
		// a quoted name is a variable even when its content names a function
		{"\"f\"(2); \"if\" (a) b;", "=> f (2);if (a) {b;}"},
		// comments and CR LF line ends
		{"x = 1; // one\r\n/* two\n */ y = 2,\r\n", "=> x = 1;y = 2,"},
		{"if (a) b; else if (c) d;", "=> if (a) {b;}else {if (c) {d;}}"},
		{"if (a) if (b) c; else d;", "=> if (a) {if (b) {c;}else {d;}}"},
		{"for (;;) ;", "=> for (; ; ) {;}"},
		{"switch (x) { case 1: case 2: y; default: }", "=> switch (x) {case 1: case 2: y;default: }"},
		// an empty case value is the default case
		{"switch (x) { case : y; case 1: ; }", "=> switch (x) {default: y;case 1: ;}"},
		{"switch (x) { default: ; } switch (x) { default: {} }", "=> switch (x) {default: ;}switch (x) {default: }"},
		// a dynamic statement without statements is none
		{"dynamic{d1: x = a;} dynamic{x = a;} dynamic{} dynamic{n: }", "=> dynamic{d1: x = a;}dynamic{x = a;}"},
		{"variable v; ; , ;;", "=> ;;;;;"},
		// an empty block is no statement; a block of one is a block
		{"{ } { x; } {{ y, }}", "=> {\tx;}{\t{\t\ty,\t}}"},
	};
	for (const transcriptRow &r : rows) EXPECT_EQ(parse(r.text), r.result) << r.text;
}

TEST_F(ConsoleParsing, Positions)
{
	functions("f");
	// statement list, then each statement's tree of positions
	const transcriptRow rows[] = {
		// an argument of any model has no position, a typed one that of its
		// type name, the list that of its first argument
		{"function g(a, e3ga b,\n  c3ga c);", "1:1{1:1{0:0{0:0 1:15 2:3}}}"},
		// "::" gives the position of a global name or call; indices that of the first "["
		{"x = ::y +\n::f(z) + a [2];", "1:1{1:1{1:1{-} 1:5{-} 2:1{2:5{2:5{2:5{-}}}} 2:10{2:12{2:13{2:13}}}}}"},
		{"  a[1]\t[2],", "1:3{1:3{1:3{1:4{1:5{1:5} 1:10{1:10}}}}}"},
		{"if (a) { b; } else c;", "1:1{1:1{1:5{1:5{-}} 1:10{1:10{1:10{-}}} 1:20{1:20{-}}}}"},
		// a cast at its "(", its argument lists at the operand's position
		{"(e3ga) x;", "1:1{1:1{1:1{1:8{1:8{1:8{-}}}}}}"},
	};
	for (const transcriptRow &r : rows) {
		std::unique_ptr<consoleStmtListStmt> l(consoleParse(r.text, nullptr));
		EXPECT_EQ(positions(l.get()), r.result) << r.text;
	}
}

// Every statement form the kinds print reads back as a tree that prints
// the same, in the single-line and the multi-line form.
TEST(ConsoleReadBack, PrintedFormsParseBack)
{
	for (const srctree::row &r : srctree::rows()) {
		if (r.reads == srctree::READ_NONE) continue;
		std::string end = r.reads == srctree::READ_EXPRESSION ? ";" : "";
		for (int cr : {0, 1}) {
			// a new global scope each time: definitions register their names
			state st;
			delete st.m_globalScope;
			st.m_globalScope = new consoleGlobalScope(nullptr);
			std::istringstream names(r.functions);
			for (std::string name; names >> name;) st.m_globalScope->setFunctionOrVariable(name, true);
			std::string text = (cr ? r.multi : r.single) + end;
			testing::internal::CaptureStdout();
			std::unique_ptr<consoleStmtListStmt> l(consoleParse(text.c_str(), nullptr));
			EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << text;
			ASSERT_NE(l, nullptr) << text;
			std::string expected = text + (cr && !end.empty() ? "\n" : "");
			EXPECT_EQ(printed(l.get(), cr, cr ? r.tl : 0), expected);
			l.reset();
			delete st.m_globalScope;
			st.m_globalScope = nullptr;
		}
	}
}

// Each syntax error is printed and the rule in which it occurs recovers:
// the statements around it still parse.
TEST_F(ConsoleParsing, SyntaxErrorsAndRecovery)
{
	functions("f sin hip");
	const transcriptRow rows[] = {
		// a function name without "(": the call is dropped and the recovery
		// takes the ";" with it
		{"x = sin;", "line 1:8: expecting (, found ';'\nline 1:9: unexpected end of file\n=> x;"},
		{"x = f; y = 1;", "line 1:6: expecting (, found ';'\n=> x y = 1;"},
		// an operand that fails drops out with its operator
		{"a + ::2 + b;", "line 1:5: unexpected token: ::\n=> a 2 + b;"},
		{"x = (e3ga); y;", "line 1:11: unexpected token: ;\n=> x y;"},
		{"a {", "line 1:3: unexpected token: {\nline 1:4: unexpected end of file\n=> null"},
		{"f() {", "line 1:3: unexpected token: )\nline 1:6: unexpected end of file\n=> null"},
		// a statement without terminator keeps its list, unshown
		{"x = a", "line 1:6: unexpected end of file\n=> x = a;"},
		// statements that fail yield nothing; the next one parses
		{"a : b;", "line 1:1: unexpected token: a\n=> b;"},
		{"return a, b;", "line 1:9: expecting ;, found ','\n=> b;"},
		{"inner_product(x) inner_product(f)", "line 1:15: expecting a function, found 'x'\n=> inner_product(f)"},
		{"default_model(x); y;", "line 1:1: unexpected token: default_model\n=> (x);y;"},
		{"variable 2; y;", "line 1:10: unexpected token: 2\n=> ;y;"},
		{"dynamic{f: x;} y;", "line 1:9: unexpected token: f\nline 1:14: expecting EOF, found '}'\n=> x;"},
		// definitions: a failed argument is left out or keeps an empty name
		{"function f(a, 2) { }", "line 1:15: unexpected token: 2\n=> function f(a) {}"},
		{"function f(e3ga, a) { }", "line 1:16: unexpected token: ,\n=> function f(e3ga \"\") {}"},
		{"function f(e3ga) { } x;", "line 1:16: unexpected token: )\nline 1:23: expecting ), found ';'\n=> null"},
		{"function f(a) { x = a;", "line 1:23: expecting }, found ''\n=> null"},
		{"function (a) { } x;", "line 1:10: unexpected token: (\nline 1:12: expecting (, found ')'\n=> x;"},
		// control structures: a failed if inside a block is dropped, the
		// block goes on; a body that fails leaves the statement without one
		{"{ if (a b; c; } d;", "line 1:10: expecting ), found ';'\n=> {\tc;}d;"},
		{"if (a)", "line 1:7: unexpected end of file\n=> if (a) {}"},
		// a stray "}" or "else" ends the text
		{"a; } b;", "line 1:4: expecting EOF, found '}'\n=> a;"},
		{"else x;", "line 1:1: expecting EOF, found 'else'\n=> null"},
		// a case that fails is left out of its switch
		{"switch (x) { case 1: y; default x; }", "line 1:33: expecting :, found 'x'\n=> switch (x) {case 1: y;}"},
		{"switch (x) { case 1 y; } z;", "line 1:22: expecting :, found ';'\n=> switch (x) {}z;"},
		{"while (a { b; }", "line 1:10: unexpected token: {\nline 1:13: expecting ), found ';'\nline 1:15: expecting EOF, found '}'\n=> null"},
		{"for (i = 0; i < 3) x;", "line 1:18: expecting ;, found ')'\n=> x;"},
		// a loop whose header or body held an error is dropped whole,
		// with what the recovery read into it; an if keeps its body
		{"while (-(0]) x = 1, y;", "line 1:11: expecting ), found ']'\n=> y;"},
		{"for (i = 0; (i]; i = i + 1) x; y;", "line 1:15: expecting ), found ']'\n=> y;"},
		{"a; for (;;) {g = 1} y = 2,", "line 1:19: unexpected token: }\nline 1:27: expecting }, found ''\n=> a;"},
		{"while (1) { for (;;) { b } c; } d;", "line 1:26: unexpected token: }\nline 1:35: expecting }, found ''\n=> null"},
		{"if ((1]) x; y;", "line 1:7: expecting ), found ']'\n=> if () {x;}y;"},
		{"f(a {);", "line 1:3: unexpected token: a\nline 1:6: unexpected token: )\n=> ;"},
	};
	for (const transcriptRow &r : rows) EXPECT_EQ(parse(r.text), r.result) << r.text;
}

// A definition makes its name a function name for the text after it, and
// its argument names variables in its body; "variable" declares a name a
// variable. Names the global scope records stay for later commands.
TEST_F(ConsoleParsing, DefinitionsChangeHowTheRestIsRead)
{
	functions("sin");
	const transcriptRow rows[] = {
		{"function f(x) { return x; } y = f(2);", "=> function f(x) {return x;}y = f(2);"},
		// read before the definition: a variable times a parenthesised list
		{"y = g(2); function g(x) { return x; } z = g(2);", "=> y = g (2);function g(x) {return x;}z = g(2);"},
		// the next command still knows g as a function
		{"g(1); g;", "line 1:8: expecting (, found ';'\nline 1:9: unexpected end of file\n=> g(1);"},
		{"function fact(n) { if (n < 2) return 1; return n * fact(n - 1); }",
		 "=> function fact(n) {if (n < 2) {return 1;}return n * fact(n - 1);}"},
		// a declaration lets two functions call each other
		{"function odd(n); function even(n) { return odd(n); }",
		 "=> function odd(n);function even(n) {return odd(n);}"},
		{"function h(sin) { return sin; } z = sin(1);", "=> function h(sin) {return sin;}z = sin(1);"},
		// a nested definition is a function only inside its enclosing body
		{"function k() { function m() { } m(); } m();", "=> function k() {function m() {}m();}m;"},
		{"variable sin; sin = 2; function q(e3ga sin) { sin(1); }",
		 "=> ;sin = 2;function q(e3ga sin) {sin (1);}"},
		{"sin(1);", "=> sin (1);"},
	};
	for (const transcriptRow &r : rows) EXPECT_EQ(parse(r.text), r.result) << r.text;
}

// A definition closes its parsing scope when it ends, also when it fails:
// the text after it is read in the scope around it, and no scope is left
// open after any parse.
TEST_F(ConsoleParsing, ParsingScopesAlwaysClose)
{
	functions("sin");
	const transcriptRow rows[] = {
		// the failed body's argument sin is no variable after it
		{"function f(sin) { x = sin; ] z = sin(1);",
		 "line 1:28: expecting }, found ']'\n=> z = sin(1);"},
		// an inner definition that fails returns to the outer one's scope
		{"function f(sin) { function g(sin) { ) } y = sin(1); } w = sin(2);",
		 "line 1:37: expecting }, found ')'\nline 1:53: expecting EOF, found '}'\n=> function f(sin) {}y = sin(1);"},
		{"function f(a) { x = a; # }", "line 1:24: unexpected char: '#'\n=> null"},
		{"function f(a) { x = (a", "line 1:23: expecting ), found ''\nline 1:23: unexpected end of file\n"
		                            "line 1:23: expecting }, found ''\n=> null"},
	};
	for (const transcriptRow &r : rows) EXPECT_EQ(parse(r.text), r.result) << r.text;
}

TEST_F(ConsoleParsing, NestingLimit)
{
	const int limit = consoleNestingGuard::sc_maxDepth;
	auto nested = [](int n, const std::string &open, const std::string &inner, const std::string &close) {
		std::string t;
		for (int i = 0; i < n; i++) t += open;
		t += inner;
		for (int i = 0; i < n; i++) t += close;
		return t;
	};
	// the one message of a refused text, at the token where the limit was passed
	auto refused = [limit](int column) {
		return "line 1:" + std::to_string(column) + ": statements and operands nested deeper than " +
		       std::to_string(limit) + " levels\n=> null";
	};
	// the statement, each parenthesis and the innermost operand are levels
	std::string deepest = nested(limit - 2, "(", "a", ")");
	EXPECT_EQ(parse(deepest + ";"), "=> " + deepest + ";");
	EXPECT_EQ(parse(nested(limit - 1, "(", "a", ")") + ";"), refused(limit));
	// each block is a level, and so are the statement in it and its operand
	std::string blocks = nested(limit - 2, "{", "x;", "}");
	EXPECT_EQ(parse(blocks).substr(0, 5), "=> {\t");
	EXPECT_EQ(parse("{" + blocks + "}"), refused(limit));
	// the deepest texts run and copy; an operator's operand is a level of its own
	std::string sum = nested(limit / 2 - 2, "(1 + ", "1", ")");
	consoleStmtListStmt *l = consoleParse(("x = " + sum + ";" + nested(limit - 3, "{", "y = x;", "}")).c_str(), nullptr);
	ASSERT_NE(l, nullptr);
	delete l->copy();
	exec(l);
	EXPECT_EQ(value("y"), limit / 2 - 1);
	// whatever a client sends: one message, nothing built, nothing left open
	// ("= -", "(", "-", "(", ... take a level each from column 3 on)
	EXPECT_EQ(parse("x = " + nested(100000, "-(", "a", ")") + ";"), refused(limit + 4));
	// each if is a level; the last if's condition passes the limit
	EXPECT_EQ(parse(nested(100000, "if (a) ", "x;", "")), refused(7 * (limit - 1) + 5));
	// each definition is a level; the one after the last passes it
	EXPECT_EQ(parse(nested(100000, "function f() {", "", "}")), refused(14 * limit + 1));
}

// A text with a lexical error is refused whole, with the runtime's message:
// nothing of it runs.
TEST_F(ConsoleParsing, LexicalErrorRunsNothing)
{
	EXPECT_EQ(parse("x = 2; y = 3 #"), "line 1:14: unexpected char: '#'\n=> null");
	EXPECT_EQ(parse("x = 2;\n/* open"), "line 2:8: expecting ''*'', found 'EOF'\n=> null");
	// nor does a name that the text made a function's stay one
	EXPECT_EQ(parse("function f(a) { x = a; } y = 1.;"), "line 1:32: unexpected char: ';'\n=> null");
	EXPECT_EQ(parse("f(1);"), "=> f (1);");
	// nor of a text with a syntax error for a caller that runs nothing of
	// it (the dynamic statements' editor), while the text is read as ever
	int errors = 0;
	testing::internal::CaptureStdout();
	delete consoleParse("function g(a) { } g(1); y = );", nullptr, nullptr, &errors);
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "line 1:29: unexpected token: )\n");
	EXPECT_EQ(errors, 1);
	EXPECT_EQ(parse("g(1);"), "=> g (1);");
}

TEST_F(ConsoleParsing, WorkingDirectory)
{
	m_state.m_initialWorkingDirectory = "/start";
	std::unique_ptr<consoleStmtListStmt> l(consoleParse("function f() { }", "/scripts"));
	EXPECT_EQ(m_state.m_workingDirectory, "/scripts");
	EXPECT_EQ(static_cast<consoleFuncStmt *>(l->child(0))->workingDirectory(), "/scripts");
	l.reset(consoleParse("x;", nullptr));
	EXPECT_EQ(m_state.m_workingDirectory, "/start");
}

// Parsed commands run in the global scope as the console runs them.
TEST_F(ConsoleParsing, ParsedCommandsRun)
{
	const transcriptRow rows[] = {
		{"function sq(a) { return a * a; } x = sq(3); show(x);", "Added function sq( a)\nx=9\n"},
		{"s = 0; for (i = 1; i <= 4; i = i + 1) { if (i == 3) continue; s = s + i; } show(s);", "s=7\n"},
		{"n = 5; r = 1; while (n > 1) { r = r * n; n = n - 1; } show(r);", "r=120\n"},
		{"switch (sq(2)) { case 1: show(1); case 4: show(4); break; default: show(0); }", "4.000000=4\n"},
		{"batch setx() { x = -x; } setx(); show(x); show((e3ga)x);", "Added batch setx()\nx=-9\ntemporary console variable =-9\n"},
		{"x = 1; suspend; show(x);", ""},
	};
	for (const transcriptRow &r : rows) {
		testing::internal::CaptureStdout();
		consoleStmtListStmt *l = consoleParse(r.text, nullptr);
		if (l != nullptr) exec(l);
		EXPECT_EQ(testing::internal::GetCapturedStdout(), r.result) << r.text;
	}
	EXPECT_EQ(resume(), "x=1\n");
}
