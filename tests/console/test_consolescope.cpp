// Scopes: builtin and user constants, where variables are found and
// stored along the chain, function rows with their signatures, the choice
// among overloads by cost and its tie-break, the names the lexer asks
// about, and the index stacks of suspension.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/consoletree.h"

using namespace ct;

namespace {

class ConsoleScope : public consoleTest {
protected:
	// The variable that name reads as in s; null when there is none.
	consoleVariable *read(consoleScope *s, const char *name, int global = 0)
	{
		consoleVariable *v = nullptr;
		s->lookupVariable(s->id(), name, global, &v);
		return v;
	}
	double scalarOf(consoleScope *s, const char *name, int global = 0)
	{
		consoleVariable *v = read(s, name, global);
		double x = v ? v->scalar() : -1.0;
		delete v;
		return x;
	}
	void store(consoleScope *s, const char *name, double x, int global = 0)
	{
		consoleVariable target(name, e3ga(0.0)), value("", e3ga(x));
		target.global(global);
		delete s->assignVariable(&target, &value);
	}
};

} // namespace

TEST_F(ConsoleScope, BuiltinConstants)
{
	struct row {
		const char *name;
		int model;
		const char *text;
	};
	// the text forms of the values as their algebras print them
	consoleVariable pi("", e3ga(3.141592653589793)), e("", e3ga(2.718281828459045));
	consoleVariable ni("", c3ga(c3gai::ni));
	const row rows[] = {
		{"e1", MODEL_E3GA, "1.000000e+00*e1"}, {"e3", MODEL_E3GA, "1.000000e+00*e3"},
		{"e0", MODEL_P3GA, "1.000000e+00*e0"}, {"no", MODEL_C3GA, "1.000000e+00*no"},
		{"ni", MODEL_C3GA, ni.string()},       {"einf", MODEL_C3GA, ni.string()},
		{"go", MODEL_I2GA, "1.000000e+00*go"}, {"gi", MODEL_I2GA, "1.000000e+00*gi"},
		{"pi", MODEL_E3GA, pi.string()},       {"e_", MODEL_E3GA, e.string()},
	};
	// constants hide variables of their names, and are read as values only
	store(root, "pi", 3.0);
	for (const row &r : rows) {
		consoleVariable *v = read(root, r.name);
		ASSERT_NE(v, nullptr) << r.name;
		EXPECT_EQ(v->model(), r.model) << r.name;
		EXPECT_STREQ(v->string(), r.text) << r.name;
		EXPECT_EQ(v->name(), r.name);
		EXPECT_TRUE(v->rhs() && !v->lhs()) << r.name;
		delete v;
	}
	EXPECT_DOUBLE_EQ(scalarOf(root, "pi"), 3.141592653589793);

	// a default model casts the e3ga constants only
	consoleScope f("f", root, -1);
	root->setDefaultModel(MODEL_C3GA);
	consoleScope g("g", root, -1);
	for (consoleScope *s : {(consoleScope *)root, &g}) {
		consoleVariable *e1 = read(s, "e1"), *e0 = read(s, "e0");
		EXPECT_EQ(e1->model(), MODEL_C3GA);
		EXPECT_STREQ(e1->string(), "1.000000e+00*e1");
		EXPECT_TRUE(e1->rhs() && !e1->lhs());
		EXPECT_EQ(e0->model(), MODEL_P3GA);
		delete e1;
		delete e0;
	}
	// a scope keeps the default model it was made with
	consoleVariable *e1 = read(&f, "e1");
	EXPECT_EQ(e1->model(), MODEL_E3GA);
	delete e1;
}

TEST_F(ConsoleScope, UserConstants)
{
	consoleScope *block = root->subScope();
	consoleVariable seven("seven", e3ga(7.0));
	static_cast<consoleGlobalScope *>(block)->addConstant("k", &seven);
	// kept in the root and seen from every scope; no variable takes its name
	consoleScope f("f", block, -1);
	testing::internal::CaptureStdout();
	store(root, "k", 1.0);
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "Object 'k' is refused: it is the name of a constant\n");
	EXPECT_EQ(scalarOf(&f, "k"), 7.0);
	consoleVariable *k = read(&f, "k");
	EXPECT_EQ(k->name(), "k");
	EXPECT_TRUE(k->rhs() && !k->lhs());
	delete k;
	root->setDefaultModel(MODEL_I2GA);
	k = read(&f, "k");
	EXPECT_EQ(k->model(), MODEL_I2GA);
	delete k;
	testing::internal::CaptureStdout();
	root->removeConstant("k");
	root->removeConstant("k");
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "Constant 'k' not found\n");
	EXPECT_EQ(scalarOf(&f, "k", 1), -1.0);
	delete block;
}

TEST_F(ConsoleScope, VariablesAlongTheChain)
{
	store(root, "x", 1.0);
	// a call's scope sees neither its caller's variables nor, without "::", the global ones
	consoleScope f("f", root, -1);
	store(&f, "y", 2.0);
	consoleScope g("g", &f, -1);
	EXPECT_EQ(read(&f, "x"), nullptr);
	EXPECT_EQ(read(&g, "y"), nullptr);
	EXPECT_EQ(scalarOf(&g, "x", 1), 1.0);
	// a block's assignment lands in the outermost scope of its call
	consoleScope *block = f.subScope();
	EXPECT_EQ(block->id(), f.id());
	store(block, "z", 3.0);
	delete block;
	EXPECT_EQ(scalarOf(&f, "z"), 3.0);
	// "::" assigns in the global scope; global blocks store in the root
	store(&g, "w", 4.0, 1);
	consoleScope *gblock = root->subScope();
	store(gblock, "v", 5.0);
	EXPECT_EQ(scalarOf(gblock, "w"), 4.0);
	EXPECT_EQ(gblock->id(), 0);
	EXPECT_EQ(gblock->suspendStmtAllowed(), 0);
	EXPECT_NE(root->suspendStmtAllowed(), 0);
	delete gblock;
	EXPECT_EQ(scalarOf(root, "v"), 5.0);
	// fresh ids are distinct and never 0
	EXPECT_NE(f.id(), g.id());
	EXPECT_GT(f.id(), 0);
	// access from outside the interpreter
	e3ga val;
	root->externalAssignVariable("cam", e3ga(2.5), 0);
	EXPECT_EQ(root->externalLookupVariable("cam", 0, val), 0);
	EXPECT_EQ(val.scalar(), 2.5);
	EXPECT_EQ(root->externalLookupVariable("none", 0, val), -1);
	EXPECT_EQ(val.scalar(), 0.0);
	// the names as the lexer sees them: the nearest scope decides
	root->setFunctionOrVariable("sin", true);
	g.setFunctionOrVariable("sin", false);
	EXPECT_NE(f.isFunction("sin"), 0);
	EXPECT_EQ(g.isFunction("sin"), 0);
	EXPECT_EQ(g.isFunction("x"), 0);
	EXPECT_EQ(g.isFunction("unknown"), 0);
	EXPECT_NE(root->isFunction("gp"), 0);
}

TEST_F(ConsoleScope, SignaturesAndRows)
{
	struct row {
		consoleFunc_s f;
		const char *key;
	};
	const row rows[] = {
		{{"gp", nullptr, trace, 2, {E3, E3}}, "gp(e3ga , e3ga )"},
		{{"net_status", nullptr, trace, 0, {}}, "net_status()"},
		{{"cprint", nullptr, trace, 1, {ANY}}, "cprint( )"},
		{{"set", nullptr, trace, 2, {WRITTEN, I2}}, "set( , i2ga )"},
	};
	for (const row &r : rows) EXPECT_EQ(getFuncStringNameWithArguments(&r.f, 1), r.key);
	consoleFuncStmt *def = FUNC("f", {"a", "e3ga b"}, {});
	consoleFunc_s user = {"f", def, nullptr, 2, {ANY, E3}};
	EXPECT_EQ(getFuncStringNameWithArguments(&user, 1), "f( a, e3ga b)");
	EXPECT_EQ(getFuncStringNameWithArguments(&user, 0), "f( , e3ga )");
	delete def;

	// a call's scope refers to its definitions; a global scope owns them
	consoleScope call("call", root, -1);
	consoleFuncStmt *local = FUNC("h", {}, {});
	testing::internal::CaptureStdout();
	call.addUserFunction(local);
	root->addUserFunction(FUNC("h", {"p3ga q"}, {}));
	root->supressWarnings(1);
	root->addUserFunction(FUNC("h", {"p3ga r"}, {}));
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "Added function h(p3ga q)\n");
	EXPECT_EQ(call.existFunction(call.id(), "h", 0), 1);
	EXPECT_EQ(call.existFunction(call.id(), "h", 1), 1);
	EXPECT_EQ(call.existFunction(call.id(), "hh", 1), 0);
	EXPECT_EQ(root->removeFunction("h(p3ga )"), 0);
	EXPECT_EQ(root->existFunction(0, "h", 0), 0);
	EXPECT_EQ(root->freeFunction(nullptr), -1);
	call.removeAllFunctions();
	delete local;
}

TEST_F(ConsoleScope, OverloadCostsAndTieBreak)
{
	struct row {
		int formal, actual, cost;
	};
	const row costs[] = {
		{E3, E3, 0},     {P3, E3, 1},   {C3, E3, 2},   {I2, E3, 5},   {E3, P3, 101}, {C3, P3, 1},
		{I2, P3, 6},     {E3, C3, 102}, {P3, C3, 101}, {I2, C3, 5},   {E3, I2, 102}, {P3, I2, 103},
		{C3, I2, 101},   {ANY, I2, 0},  {WRITTEN, E3, 0}, {E3, MODEL_E3GA | CFA_LHS, 0},
	};
	for (const row &r : costs) EXPECT_EQ(distance(1, &r.formal, &r.actual), r.cost) << r.formal << " " << r.actual;
	int formal[] = {E3, C3}, actual[] = {C3, P3};
	EXPECT_EQ(distance(2, formal, actual), 103);
	EXPECT_EQ(distance(1, formal, actual), 102);

	// rows of the inner scope have an entry of their own
	auto rowOf = [](const char *name, int arg, consoleFuncPtr entry) {
		return consoleFunc_s{name, nullptr, entry, 1, {arg}};
	};
	consoleScope inner("inner", root, -1);
	addRows(root, {rowOf("any", ANY, trace), rowOf("any", E3, trace), rowOf("pick", E3, trace),
	               rowOf("pick", C3, trace), rowOf("near", E3, trace), rowOf("far", E3, trace)});
	addRows(&inner, {rowOf("near", E3, show), rowOf("far", C3, show)});
	struct call {
		consoleScope *s;
		const char *name, *arg, *key;
		consoleFuncPtr entry;
	};
	const call calls[] = {
		{root, "any", "e1", "any( )", trace},          // cost 0 both: the lower key " " before "e3ga"
		{root, "pick", "e1", "pick(e3ga )", trace},    // cost 0 against 2
		{root, "pick", "e0", "pick(c3ga )", trace},    // p3ga: to c3ga costs 1, to e3ga 101
		{root, "pick", "go", "pick(c3ga )", trace},    // i2ga: c3ga 101 against e3ga 102
		{&inner, "near", "e1", "near(e3ga )", show},   // equal cost: the nearer scope
		{&inner, "far", "e1", "far(e3ga )", trace},    // a cheaper row further out wins
	};
	const consoleFunc_s *f = nullptr;
	for (const call &c : calls) {
		consoleVariable *arg = read(c.s, c.arg);
		int type = arg->model() | CFA_RHS;
		ASSERT_EQ(c.s->lookupFunction(c.s->id(), c.name, 0, 1, &arg, &type, &f), 0) << c.name;
		EXPECT_EQ(getFuncStringNameWithArguments(f, 0), c.key) << c.name << " " << c.arg;
		EXPECT_EQ(f->funcPtr, c.entry) << c.name << " " << c.arg;
		delete arg;
	}
	// "::" calls skip the scopes of function calls
	consoleVariable *e1 = read(root, "e1");
	int type = MODEL_E3GA | CFA_RHS;
	// a row taken out leaves the other rows of its name; one added again,
	// or replaced, is found as it is now
	addRows(root, {rowOf("redo", E3, trace), rowOf("redo", C3, trace)});
	root->removeFunction("redo(e3ga )");
	ASSERT_EQ(root->lookupFunction(0, "redo", 0, 1, &e1, &type, &f), 0);
	EXPECT_EQ(getFuncStringNameWithArguments(f, 0), "redo(c3ga )");
	addRows(root, {rowOf("redo", E3, show)});
	ASSERT_EQ(root->lookupFunction(0, "redo", 0, 1, &e1, &type, &f), 0);
	EXPECT_EQ(f->funcPtr, show);
	addRows(root, {rowOf("redo", E3, trace)});
	ASSERT_EQ(root->lookupFunction(0, "redo", 0, 1, &e1, &type, &f), 0);
	EXPECT_EQ(f->funcPtr, trace);
	root->removeFunction("redo(e3ga )");
	root->removeFunction("redo(c3ga )");
	EXPECT_EQ(root->lookupFunction(0, "redo", 0, 1, &e1, &type, &f), -1);
	EXPECT_EQ(root->existFunction(0, "redo", 0), 0);
	EXPECT_EQ(inner.lookupFunction(inner.id(), "near", 1, 1, &e1, &type, &f), 0);
	EXPECT_EQ(f->funcPtr, trace);
	consoleScope lone("lone", nullptr, -1);
	EXPECT_EQ(lone.addFunction(nullptr), -1);
	EXPECT_EQ(lone.lookupFunction(lone.id(), "near", 0, 1, &e1, &type, &f), -1);
	EXPECT_EQ(f, nullptr);

	// a row that writes its argument refuses a value, one that reads it a bare variable
	addRows(root, {{"setx", nullptr, trace, 1, {WRITTEN}}});
	testing::internal::CaptureStdout();
	delete consoleExecFunc(root, "setx", e1);
	consoleVariable *bare = new consoleVariable("bare", e3ga(1.0));
	delete consoleExecFunc(root, "pick", bare);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
	          "Error: Attempt to use 'e1' as lhs value in function setx\n"
	          "Error: no function 'setx' found that matches the arguments\n"
	          "Error: Attempt to use 'bare' as rhs value in function pick\n"
	          "Error: no function 'pick' found that matches the arguments\n");
}

TEST_F(ConsoleScope, DispatchAndChains)
{
	// a call without arguments; one that hands back its argument, which
	// leaves its chain; the other arguments are freed
	addRows(root, {{"second", nullptr, [](consoleScope *, consoleVariable **a, const consoleFunc_s *) { return a[1]; },
	                2, {ANY, ANY}},
	               {"dummy", nullptr, nullptr, 0, {}}});
	consoleVariable *a = consoleVariableScalar("a", 1.0), *b = consoleVariableScalar("b", 2.0);
	a->op(COP_MUL);
	b->op(COP_ADD);
	a->next(b);
	consoleVariable *r = consoleExecFunc(root, "second", a);
	EXPECT_EQ(r, b);
	EXPECT_EQ(r->next(), nullptr);
	EXPECT_EQ(r->op(), COP_MUL);
	delete r;
	testing::internal::CaptureStdout();
	r = consoleExecFunc(root, "dummy", nullptr);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
	          "Warning: function call 'dummy' failed (dummy function in scope?), returning 0.0\n");
	EXPECT_TRUE(r->rhs() && r->model() == MODEL_E3GA && r->op() == 0);
	delete r;
	// a unary call takes the place of its operand inside a chain
	a = consoleVariableScalar("a", 3.0);
	a->next(consoleVariableScalar("tail", 0.0));
	r = consoleExecUnaryFunc(root, "negate", a);
	EXPECT_EQ(r->scalar(), -3.0);
	EXPECT_EQ(r->next()->name(), "tail");
	consoleFreeCvList(r, nullptr);
	EXPECT_EQ(consoleFreeCvList(nullptr, nullptr), 0);
}

TEST_F(ConsoleScope, SuspendIndices)
{
	// an inner list suspending at its statement 3, itself statement 1 of the outer list
	EXPECT_EQ(root->getResumeIdx(), 0);
	root->addSuspendIdx(3);
	root->addSuspendIdx(1);
	EXPECT_EQ(root->suspendIdxCount(), 2);
	int *idcs = root->getSuspendIdcs();
	EXPECT_EQ(root->getSuspendIdcs(), nullptr);
	EXPECT_EQ(std::vector<int>(idcs, idcs + 3), (std::vector<int>{2, 4, 1}));
	root->setResumeIdcs(idcs);
	EXPECT_NE(root->resumePending(), 0);
	EXPECT_EQ(root->getResumeIdx(), 1);
	EXPECT_EQ(root->getResumeIdx(), 4);
	EXPECT_EQ(root->resumePending(), 0);
	EXPECT_EQ(root->getResumeIdx(), 0);
	// statement start keeps the permissions and modes only; a global scope
	// also keeps a requested reset, which the end of the command performs
	root->flags(0x1FFF);
	root->startStatement();
	EXPECT_EQ(root->flags(), 0x1BE0 | SF_RESET_REQUESTED);
	consoleScope plain("f", root, -1);
	plain.flags(0x1FFF);
	plain.startStatement();
	EXPECT_EQ(plain.flags(), 0x1BE0);
}
