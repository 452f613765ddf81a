// Execution of console statement trees: operators by precedence and
// associativity, coercion of call arguments, control flow, user functions
// and batches, limits, and suspension with resumption. Programs are
// transcripts: what they print through the test row show().
#include <gtest/gtest.h>

#include <chrono>

#include "console/consoleoperators.h"
#include "support/consoletree.h"

using namespace ct;

namespace {

struct program {
	const char *what;
	consoleStmtListStmt *list;
	const char *printed;
};

class ConsoleExec : public consoleTest {
protected:
	// Runs each program as a command in a root without variables.
	void runAll(const std::vector<program> &programs)
	{
		for (const program &p : programs) {
			root->removeAllVariables();
			testing::internal::CaptureStdout();
			exec(p.list);
			EXPECT_EQ(testing::internal::GetCapturedStdout(), p.printed) << p.what;
		}
	}
};

} // namespace

TEST_F(ConsoleExec, PrecedenceAndAssociativity)
{
	// calls traced into the result's name, in a scope whose rows take any model
	consoleScope s("trace", root, -1);
	addRows(&s, traceRows());
	struct row {
		const char *expr, *calls, *warning;
	};
	const row rows[] = {
		{"a", "a", ""},
		{"-a", "negate(a)", ""},
		{"+a", "a", ""},
		{"*a", "a", "Warning: invalid unary operator '5' used (todo: make this warning clearer...)\n"},
		{"--a", "negate(a)", "Warning: invalid unary operator '263' used (todo: make this warning clearer...)\n"},
		{"~~a", "a", ""},
		{"!~a", "reverse(inverse(a))", ""},
		{"~!-a", "reverse(inverse(negate(a)))", ""},
		{"a - -b", "sub(a,negate(b))", ""},
		{"a -!b", "sub(a,inverse(b))", ""},
		{"a b", "gp(a,b)", ""},
		{"a * b / c", "igp(gp(a,b),c)", ""},
		{"a - b - c", "sub(sub(a,b),c)", ""},
		{"a = b = c", "assign(a,assign(b,c))", ""},
		{"a + b * c", "add(a,gp(b,c))", ""},
		{"a * b + c", "add(gp(a,b),c)", ""},
		{"a ^ b . c", "hip(op(a,b),c)", ""},
		{"a . b ^ c", "hip(a,op(b,c))", ""},
		{"a & b ^ c", "meet(a,op(b,c))", ""},
		{"a | b & c", "meet(join(a,b),c)", ""},
		{"a + b == c", "equal(add(a,b),c)", ""},
		{"a || b && c", "or(a,and(b,c))", ""},
		{"a < b != c >= d", "ne(less(a,b),ge(c,d))", ""},
		{"a <= b > c", "greater(le(a,b),c)", ""},
		{"a = b + c * d ^ e", "assign(a,add(b,gp(c,op(d,e))))", ""},
		{"a + (b + c)", "add(a,add(b,c))", ""},
		{"a . b + c . d . e", "add(hip(a,b),hip(hip(c,d),e))", ""},
	};
	for (const row &r : rows) {
		consoleExprListStmt *el = E(r.expr);
		testing::internal::CaptureStdout();
		consoleVariable *v = el->execute(&s);
		EXPECT_EQ(testing::internal::GetCapturedStdout(), r.warning) << r.expr;
		EXPECT_EQ(v->name(), r.calls) << r.expr;
		delete v;
		delete el;
	}
	// "." calls the scope's inner product, which a call's scope inherits
	s.setInnerProduct("mhip");
	consoleScope inner("f", &s, -1);
	consoleExprListStmt *el = E("a . b");
	consoleVariable *v = el->execute(&inner);
	EXPECT_EQ(v->name(), "mhip(a,b)");
	delete v;
	delete el;
}

TEST_F(ConsoleExec, ArithmeticOnNumbers)
{
	struct row {
		const char *expr;
		double value;
	};
	const row rows[] = {
		{"1 + 2 * 3", 7}, {"(1 + 2) * 3", 9}, {"8 - 2 - 1", 5},  {"8 / 2 / 2", 2},    {"-2 * 3", -6},
		{"2 3", 6},       {"1 < 2 == 1", 1},  {"0 || 1 && 0", 0}, {"x = y = 4", 4},   {"x + y", 8},
		{"q", 0},         {"v[1] = 5", 5},    {"v[1.4] + v[0.6]", 10}, {"v[2 - 0.5]", 0}, {"v[-0.5]", 0},
	};
	for (const row &r : rows) EXPECT_EQ(value(r.expr), r.value) << r.expr;
	// an indexed name is a name of its own, rounded halves away from zero
	consoleVariable *v = nullptr;
	EXPECT_EQ(root->lookupVariable(0, "v[1]", 0, &v), 0);
	delete v;
	value("w[2.5][-2.5] = 1");
	EXPECT_EQ(root->lookupVariable(0, "w[3][-3]", 0, &v), 0);
	delete v;
	// reading an unknown name creates nothing
	EXPECT_EQ(root->lookupVariable(0, "q", 0, &v), -1);
	// a constant is no variable to write
	testing::internal::CaptureStdout();
	EXPECT_EQ(value("pi = 3"), 0);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
	          "Error: Attempt to use 'pi' as lhs value in function assign\n"
	          "Error: no function 'assign' found that matches the arguments\n");
	// a literal takes the scope's default model, named by its "%f" text
	root->setDefaultModel(MODEL_C3GA);
	consoleConstantScalarStmt lit(1, 1, 2.5);
	consoleVariable *c = lit.execute(root);
	EXPECT_EQ(c->model(), MODEL_C3GA);
	EXPECT_EQ(c->name(), "2.500000");
	EXPECT_EQ(c->rhs() && !c->lhs(), true);
	delete c;
	consoleConstantScalarStmt huge(1, 1, 1e300);
	c = huge.execute(root);
	EXPECT_EQ(c->name().size(), 308u);
	delete c;
}

TEST_F(ConsoleExec, CoercionOfArguments)
{
	auto keep = [](consoleScope *, consoleVariable **a, const consoleFunc_s *) { return a[0]; };
	addRows(root, {{"fp", nullptr, keep, 1, {P3}},
	               {"fe", nullptr, keep, 1, {E3}},
	               {"bad", nullptr, keep, 1, {CFA_RHS}}});
	struct row {
		const char *expr, *printed;
		int model;
	};
	const row rows[] = {
		{"fp(2)", "", MODEL_P3GA},
		{"fp(e1)", "Coerced 'e1' to p3ga\n", MODEL_P3GA},
		{"fe(no)", "Coerced 'no' to e3ga\n", MODEL_E3GA},
		{"fe(go)", "Coerced 'go' to e3ga\n", MODEL_E3GA},
		{"fe(e0)", "Coerced 'e0' to e3ga\n", MODEL_E3GA},
		{"fp(fe(e0))", "Coerced 'e0' to e3ga\n", MODEL_P3GA},
		{"bad(e1)", "Coerce 'e1' failure!\n", MODEL_E3GA},
		{"fp(e1, e2)", "Error: no function 'fp' found that matches the arguments\n", MODEL_E3GA},
		{"nosuch()", "Error: no function 'nosuch' found that matches the arguments\n", MODEL_E3GA},
	};
	for (const row &r : rows) {
		consoleExprListStmt *el = E(r.expr);
		testing::internal::CaptureStdout();
		consoleVariable *v = el->execute(root);
		EXPECT_EQ(testing::internal::GetCapturedStdout(), r.printed) << r.expr;
		EXPECT_EQ(v->model(), r.model) << r.expr;
		delete v;
		delete el;
	}
	// in a function the message names it; suppressed warnings print nothing
	run({FUNC("g", {"x"}, {RET("fp(x)")})});
	EXPECT_EQ(run({E("g(e1)")}), "Coerced 'x' to p3ga (in function g)\n");
	root->supressWarnings(1);
	EXPECT_EQ(run({E("fp(e1)"), E("bad(e1)")}), "Coerce 'e1' failure!\n");
	root->supressErrors(1);
	EXPECT_EQ(run({E("bad(e1)"), E("nosuch()")}), "Error: no function 'nosuch' found that matches the arguments\n");

	// a coerced or failed call keeps the operator code of its first argument
	consoleVariable *a = new consoleVariable("a", p3ga(2.0));
	a->rhs(1);
	a->op(COP_ADD);
	consoleVariable *r = consoleExecFunc(root, "fe", a);
	EXPECT_EQ(r->op(), COP_ADD);
	EXPECT_EQ(r->model(), MODEL_E3GA);
	delete r;
	a = consoleVariableScalar("a", 1.0);
	a->op(COP_SUB);
	a->next(consoleVariableScalar("b", 1.0));
	r = consoleExecFunc(root, "nosuch", a);
	EXPECT_EQ(r->op(), COP_SUB);
	EXPECT_EQ(r->name(), "");
	delete r;
}

TEST_F(ConsoleExec, LoopsAndSwitches)
{
	runAll({
		{"while with continue and break",
		 L({E("i = 0"),
		    WHILE("i < 10", L({E("i = i + 1"), IF("i == 3", CONTINUE()), IF("i > 5", BREAK()), E("show(i)")})),
		    E("show(i)")}),
		 "i=1\ni=2\ni=4\ni=5\ni=6\n"},
		{"for: continue still steps",
		 L({FOR("i = 0", "i < 5", "i = i + 1", L({IF("i == 2", CONTINUE()), E("show(i)")})), E("show(i)")}),
		 "i=0\ni=1\ni=3\ni=4\ni=5\n"},
		{"break ends the inner loop only",
		 L({FOR("i = 0", "i < 2", "i = i + 1",
		        FOR("j = 0", "j < 9", "j = j + 1", L({IF("j == 2", BREAK()), E("show(j)")})))}),
		 "j=0\nj=1\nj=0\nj=1\n"},
		{"false at once; no condition", L({WHILE("0", E("show(1)")), FOR(nullptr, nullptr, nullptr, BREAK()),
		                                   E("show(7)")}),
		 "7.000000=7\n"},
		{"break, continue, suspend out of place",
		 L({BREAK(), CONTINUE(), WHILE("show(1) == 1", L({SUSPEND(), BREAK()})), E("show(2)")}),
		 "Illegal break statement\nIllegal continue statement\n1.000000=1\n"
		 "Illegal suspend statement (only allowed in global scope)\n2.000000=2\n"},
		{"fall-through until break",
		 L({E("x = 2"), SWITCH("x", {CASE("1", {E("show(1)")}), CASE("2", {E("show(2)")}),
		                            CASE("1 + 2", {E("show(3)"), BREAK()}), CASE("4", {E("show(4)")})})}),
		 "2.000000=2\n3.000000=3\n"},
		{"default first, then on", L({SWITCH("9", {CASE(nullptr, {E("show(0)")}), CASE("1", {E("show(1)"), BREAK()}),
		                                          CASE("2", {E("show(2)")})})}),
		 "0.000000=0\n1.000000=1\n"},
		{"no case matches", L({SWITCH("9", {CASE("1", {E("show(1)")})}), E("show(5)")}), "5.000000=5\n"},
		{"a switch gives back the loop's break",
		 L({E("i = 0"), WHILE("i < 5", L({SWITCH("i", {CASE("0", {E("show(i)"), BREAK()})}), E("i = i + 1"),
		                               IF("i > 2", BREAK())})),
		    E("show(i)")}),
		 "i=0\ni=3\n"},
		{"continue in a case ends the switch",
		 L({FOR("i = 0", "i < 3", "i = i + 1",
		        L({SWITCH("i", {CASE("1", {CONTINUE()}), CASE(nullptr, {E("show(i)")})}), E("show(i)")}))}),
		 "i=0\ni=0\ni=2\ni=2\n"},
		{"return at top level is reported, once per list",
		 L({RET("1"), WHILE("1", L({RET("5")})), E("show(2)")}),
		 "Function global scope, line 7, column 3: error: return statement in global scope!\n"
		 "Function global scope, line 7, column 3: error: return statement in global scope!\n"
		 "Function global scope, line 7, column 3: error: return statement in global scope!\n"
		 "2.000000=2\n"},
	});
}

TEST_F(ConsoleExec, FunctionsAndBatches)
{
	m_state.m_workingDirectory = "/defs";
	EXPECT_EQ(run({FUNC("fact", {"n"}, {IF("n < 2", RET("1")), RET("n * fact(n - 1)")}),
	               FUNC("twice", {"e3ga x"}, {WHILE("1", L({IF("x > 0", L({L({RET("x * 2")})})), E("x = x + 1")}))}),
	               FUNC("nothing", {}, {}), FUNC("peek", {}, {E("show(y)"), E("show(::y)"), RET("inner = 1")}),
	               FUNC("bump", {"y"}, {E("y = y + 1"), RET("y")}), FUNC("callsBatch", {}, {RET("b(1)")}),
	               FUNC("loopy", {}, {FOR("k = 0", "k < 3", "k = k + 1", E("last = k")), RET("last")}),
	               BATCH("b", {"p"}, {E("show(y)"), E("z = y + p"), RET("9")})}),
	          "Added function fact( n)\nAdded function twice(e3ga x)\nAdded function nothing()\n"
	          "Added function peek()\nAdded function bump( y)\nAdded function callsBatch()\n"
	          "Added function loopy()\nAdded batch b( p)\n");
	m_state.m_workingDirectory = "/elsewhere";
	EXPECT_EQ(value("fact(10)"), 3628800);
	EXPECT_EQ(m_state.m_workingDirectory, "/defs");
	EXPECT_EQ(value("twice(0)"), 2);
	EXPECT_EQ(value("nothing()"), 0);
	EXPECT_EQ(value("loopy()"), 2);
	// a function sees its own variables, and the global ones only through "::"
	EXPECT_EQ(run({E("y = 5"), E("show(peek())"), E("show(bump(y))"), E("show(y)"), E("show(inner)")}),
	          "y=0\ny=5\ninner=1\ny=6\ny=5\ninner=0\n");
	// a batch runs in the caller's scope under its own name: it reads y and
	// leaves p and z; its return is reported by its list and by the caller's
	EXPECT_EQ(run({E("b(2)"), E("show(p)"), E("show(z)")}),
	          "y=5\nFunction b, line 7, column 3: error: return statement in global scope!\n"
	          "Function global scope, line 7, column 3: error: return statement in global scope!\np=2\nz=7\n");
	EXPECT_EQ(root->functionName(), "global scope");
	EXPECT_EQ(run({E("show(callsBatch())")}),
	          "Error, in function 'callsBatch': batch 'b' can only be called in global scope\n"
	          "temporary console variable =0\n");
}

TEST_F(ConsoleExec, OverloadsAndDefinitions)
{
	// the same signature replaces; other types overload; the nearest cheapest row is called
	EXPECT_EQ(run({FUNC("f", {"a"}, {RET("1")}), FUNC("f", {"a"}, {RET("2")}), FUNC("f", {"c3ga a"}, {RET("3")})}),
	          "Added function f( a)\nAdded function f( a)\nAdded function f(c3ga a)\n");
	EXPECT_EQ(value("f(e1)"), 2);
	EXPECT_EQ(value("f(no)"), 2);
	EXPECT_EQ(run({FUNC("h", {"p3ga a"}, {RET("4")})}), "Added function h(p3ga a)\n");
	EXPECT_EQ(run({FUNC("h", {"c3ga a"}, {RET("5")})}), "Added function h(c3ga a)\n");
	// an e3ga argument goes to p3ga for 1, a c3ga one to c3ga for 0, an i2ga one to c3ga for 101
	EXPECT_EQ(value("h(e1)"), 4);
	EXPECT_EQ(value("h(no)"), 5);
	EXPECT_EQ(value("h(go)"), 5);
	// a definition standing directly as a body registers itself, not the if
	EXPECT_EQ(run({IF("1", FUNC("d", {}, {RET("6")})), IF("1", L({FUNC("k", {}, {RET("8")})})),
	               WHILE("(n = n + 1) < 3", FUNC("w", {}, {}))}),
	          "Added function d()\nAdded function k()\nAdded function w()\n");
	EXPECT_EQ(value("d() + k()"), 14);
	// declarations run as nothing
	consoleFuncDeclStmt decl(1, 1, "dd", nullptr, 1);
	consoleVariable *v = decl.execute(root);
	EXPECT_EQ(v->name(), "");
	delete v;
}

TEST_F(ConsoleExec, Limits)
{
	// eight arguments fit; a ninth is refused, for calls and for definitions
	auto sum = [](consoleScope *, consoleVariable **a, const consoleFunc_s *) {
		double s = 0;
		for (int i = 0; i < 8; i++) s += a[i]->scalar();
		return number(s);
	};
	addRows(root, {{"sum", nullptr, sum, 8, {E3, E3, E3, E3, E3, E3, E3, E3}}});
	EXPECT_EQ(value("sum(1, 2, 3, 4, 5, 6, 7, 8)"), 36);
	EXPECT_EQ(run({E("sum(1, 2, 3, 4, 5, 6, 7, 8, 9)")}),
	          "Error: no function 'sum' found that matches the arguments\n");
	EXPECT_EQ(run({FUNC("nine", {"a", "b", "c", "d", "e", "f", "g", "h", "i"}, {RET("1")}),
	               E("nine(1, 2, 3, 4, 5, 6, 7, 8, 9)")}),
	          "Function 'nine' is refused: it has 9 arguments, more than the 8 that a call passes\n"
	          "Error: no function 'nine' found that matches the arguments\n");
	EXPECT_EQ(root->existFunction(0, "nine", 0), 0);
	EXPECT_EQ(root->isFunction("nine"), 0);

	// runaway recursion stops once, with 0.0, and unwinds in linear time
	auto t0 = std::chrono::steady_clock::now();
	EXPECT_EQ(run({FUNC("down", {"n"}, {RET("down(n + 1) + 1")}), FUNC("fan", {}, {E("fan()"), E("fan()")}),
	               E("show(down(0))"), E("fan()")}),
	          "Added function down( n)\nAdded function fan()\n"
	          "Error: calls of 'down' nested more than 1000 deep, returning 0.0\ntemporary console variable =1000\n"
	          "Error: calls of 'fan' nested more than 1000 deep, returning 0.0\n");
	EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count(), 5.0);
	run({FUNC("fact", {"n"}, {IF("n < 2", RET("1")), RET("n * fact(n - 1)")})});
	EXPECT_EQ(value("fact(5)"), 120);
}

TEST_F(ConsoleExec, SuspendAndResume)
{
	// a command suspends after its second statement; an empty command resumes it
	EXPECT_EQ(run({E("show(1)"), SUSPEND(), E("show(3)")}), "1.000000=1\n");
	EXPECT_EQ(resume(), "3.000000=3\n");
	EXPECT_TRUE(parked.empty());

	// an inner list records the statement after the suspend, the outer one its block
	run({E("show(0)"), L({E("show(10)"), E("show(11)"), E("show(12)"), SUSPEND(), E("show(14)")}), E("show(2)")});
	ASSERT_EQ(parked.size(), 1u);
	EXPECT_EQ(std::vector<int>(parked[0].second, parked[0].second + 3), (std::vector<int>{2, 4, 1}));
	EXPECT_EQ(resume(), "14.000000=14\n2.000000=2\n");

	// the if asks again: the same branch goes on, another one starts afresh
	auto branches = [] {
		return IF("show(flag)", L({E("show(1)"), SUSPEND(), E("show(2)")}), L({E("show(3)"), E("show(4)")}));
	};
	EXPECT_EQ(run({E("flag = 1"), branches(), E("show(5)")}), "flag=1\n1.000000=1\n");
	EXPECT_EQ(resume(), "flag=1\n2.000000=2\n5.000000=5\n");
	run({E("flag = 1"), branches(), E("show(5)")});
	value("flag = 0");
	EXPECT_EQ(resume(), "flag=0\n3.000000=3\n4.000000=4\n5.000000=5\n");

	// a suspend as the last statement leaves nothing to run, and parks nothing again
	run({E("show(1)"), SUSPEND()});
	EXPECT_EQ(resume(), "");
	EXPECT_TRUE(parked.empty());
	EXPECT_EQ(root->suspendStmt(), 0);

	// a case reached by falling through resumes where it stopped
	run({E("x = 1"), SWITCH("x", {CASE("1", {E("show(1)")}), CASE("2", {E("show(2)"), SUSPEND(), E("show(3)")}),
	                              CASE("4", {E("show(4)")})})});
	EXPECT_EQ(resume(), "3.000000=3\n4.000000=4\n");

	// a batch's body resumes inside the statement that called it; two parked: the newer first
	run({BATCH("pause", {}, {E("show(1)"), SUSPEND(), E("show(2)")})});
	EXPECT_EQ(run({E("pause()"), E("show(3)")}), "1.000000=1\n");
	EXPECT_EQ(run({E("show(4)"), SUSPEND(), E("show(5)")}), "4.000000=4\n");
	EXPECT_EQ(resume(), "5.000000=5\n");
	EXPECT_EQ(resume(), "2.000000=2\n3.000000=3\n");

	// suspending is for the global scope only
	run({FUNC("f", {}, {SUSPEND(), RET("1")})});
	EXPECT_EQ(run({E("show(f())")}), "Illegal suspend statement (only allowed in global scope)\n1.000000=1\n");
}
