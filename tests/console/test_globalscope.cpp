// Global variables as the state's scene objects: assignments through the
// console create, keep or replace objects in the value's colour, reads see
// the objects, the program's own variables stay hidden and internal, the
// statement's assignment list, constants taking an object's place, and what
// a reset of the state keeps.
#include <gtest/gtest.h>

#include <cstring>

#include "support/consoletree.h"
#include "scene/gaobject.h"
#include "support/mvintcheck.h"

using namespace ct;

namespace {

// An object that is no variable (like a label or a polygon).
struct nonVariable : object {
	nonVariable(const std::string &name) : object(OT_POLYGON, name, 0, 0, 0) {}
	int pick(glwindow *) override { return 0; }
	int draw(glwindow *) override { return 0; }
	double drawSortValue() override { return 1.0; }
};

// A block global scope whose assignment list a test can see.
struct listedScope : consoleGlobalScope {
	using consoleGlobalScope::consoleGlobalScope;
	std::string list() const
	{
		std::string s;
		for (const caItem &i : m_consoleAssignmentList) s += i.name + ":" + std::to_string(i.forceFlags) + " ";
		return s;
	}
};

class GlobalScope : public consoleTest {
protected:
	// For tests of the value's own colour and force flags: no automatic colouring.
	void autocolorOff() { root->externalAssignVariable("autocolor", e3ga(0.0), DM_INTERNAL | DM_HIDE); }
	// The variable that name reads as in s; null when there is none.
	consoleVariable *read(consoleScope *s, const char *name, int global = 0)
	{
		consoleVariable *v = nullptr;
		int found = s->lookupVariable(s->id(), name, global, &v) == 0;
		EXPECT_EQ(found, v != nullptr) << name;
		return v;
	}
	// "name" = value of the object, or "none".
	std::string shown(const char *name)
	{
		object *o = m_state.getObjectPtrByName(name);
		return o ? o->toString("%g") : "none";
	}
	int drawMode(const char *name) { return m_state.getObjectPtrByName(name)->m_drawMode; }
	// Assigns value to name in s as a statement does, and drops the result.
	void assign(consoleScope *s, const char *name, const consoleVariable &value, int functionArgument = 0)
	{
		consoleVariable target(name, e3ga(0.0)), v(value);
		target.functionArgument(functionArgument);
		delete s->assignVariable(&target, &v);
	}
};

const float red[4] = {1, 0, 0, 1}, green[4] = {0, 1, 0, 1}, blue[4] = {0, 0, 1, 1}, white[4] = {1, 1, 1, 1};

bool sameColor(const float *a, const float *b) { return std::memcmp(a, b, 4 * sizeof(float)) == 0; }

} // namespace

TEST_F(GlobalScope, AssignmentsKeepTheObjectOfTheSameModelAndReplaceAnother)
{
	autocolorOff();
	struct row {
		const char *stmt;
		int type;
		bool kept; // the object before it stays
		const float *fg;
		const char *text;
	};
	// the state's foreground colour turns blue after the first row: the new
	// values are blue, the kept object stays red
	const row rows[] = {
		{"x = e1", OT_E3GA, false, red, "\"x\" = 1*e1"},
		{"x = e2", OT_E3GA, true, red, "\"x\" = 1*e2"},
		{"x = 5", OT_E3GA, true, red, "\"x\" = 5"},
		{"x = e0", OT_P3GA, false, blue, "\"x\" = 1*e0"},
		{"x = no", OT_C3GA, false, blue, "\"x\" = 1*no"},
		{"x = ni", OT_C3GA, true, blue, "\"x\" = 1*ni"},
		{"x = go", OT_I2GA, false, blue, "\"x\" = 1*go"},
	};
	object *before = nullptr;
	for (const row &r : rows) {
		EXPECT_EQ(run({E(r.stmt)}), "") << r.stmt;
		m_state.setColor("fgcolor", "b");
		object *o = m_state.getObjectPtrByName("x");
		ASSERT_NE(o, nullptr) << r.stmt;
		EXPECT_EQ(o->m_type, r.type) << r.stmt;
		EXPECT_EQ(o == before, r.kept) << r.stmt;
		EXPECT_TRUE(sameColor(o->fgColor(), r.fg)) << r.stmt;
		EXPECT_EQ(shown("x"), r.text) << r.stmt;
		before = o;
	}
	// the name is a variable to the lexer now
	root->setFunctionOrVariable("x", true);
	run({E("x = 1")});
	EXPECT_FALSE(root->isFunction("x"));
}

TEST_F(GlobalScope, ObjectsTakeTheValuesColourAndTheForcedAttributes)
{
	autocolorOff();
	const float seeThrough[4] = {0, 1, 0, 0.5f};
	consoleVariable value("", e3ga(e3gai::e3));
	value.color4(seeThrough);
	value.modifiedHide();
	value.drawMode(DM_HIDE | DM_ORI);
	assign(root, "y", value);
	// the new object is in the value's colour; the state's colour is back
	EXPECT_TRUE(sameColor(m_state.getObjectPtrByName("y")->fgColor(), seeThrough));
	EXPECT_TRUE(sameColor(m_state.m_fgColor, red));
	EXPECT_EQ(drawMode("y") & (DM_HIDE | DM_ORI), DM_HIDE | DM_ORI);

	// a kept object takes what the force flags name, and only that
	struct row {
		int (consoleVariable::*force)();
		float fg[4];
	};
	const row rows[] = {
		{nullptr, {1, 0, 0, 1}},
		{&consoleVariable::modifiedAlpha, {1, 0, 0, 0.5f}},
		{&consoleVariable::modifiedColor, {0, 1, 0, 1}},
	};
	for (const row &r : rows) {
		assign(root, "z", consoleVariable("", e3ga(1.0)));
		consoleVariable v("", e3ga(2.0));
		v.color4(seeThrough);
		if (r.force) (v.*r.force)();
		assign(root, "z", v);
		EXPECT_TRUE(sameColor(m_state.getObjectPtrByName("z")->fgColor(), r.fg)) << v.forceFlags();
		m_state.removeObject("z");
	}
}

// With automatic colouring on, the value is read once for the colouring
// and the object: the object's reading equals a fresh one, creation flags
// and all, and the colouring read the same kind (the translucent sphere).
TEST_F(GlobalScope, TheObjectsReadingEqualsAFreshOne)
{
	const c3ga no = c3gai::no, ni = c3gai::ni;
	auto point = [&](double x, double y, double z) {
		return c3ga(c3ga(2, x, y, z, 0.0, 0.5 * (x * x + y * y + z * z)) + no);
	};
	const e3ga e1 = e3gai::e1, e2 = e3gai::e2;
	for (int flags : {0, OC_BLADE, OC_VERSOR | OC_BLADE | 0x4}) {
		consoleVariable values[] = {consoleVariable("", c3ga(op(op(point(1, 0, 0), point(0, 1, 0)), point(0, 0, 1)))),
		                            consoleVariable("", c3ga(sub(point(1, 2, 3), gp(2.0, ni)))),
		                            consoleVariable("", e3ga(std::cos(0.4) + std::sin(0.4) * (e1 ^ e2)))};
		for (consoleVariable &v : values) {
			// assigned as it is: a copy would not keep the creation flags
			v.creationFlags(flags);
			consoleVariable target("x", e3ga(0.0));
			delete root->assignVariable(&target, &v);
			const object *o = m_state.getObjectPtrByName("x");
			ASSERT_NE(o, nullptr);
			if (o->m_type == OT_C3GA) {
				const gaObject<c3ga> *c = static_cast<const gaObject<c3ga> *>(o);
				EXPECT_TRUE(mvicheck::sameReading(c->m_int, mvInt(c->m_mv, flags))) << c->m_mv.string();
			} else {
				const gaObject<e3ga> *e = static_cast<const gaObject<e3ga> *>(o);
				EXPECT_TRUE(mvicheck::sameReading(e->m_int, mvInt(e->m_mv, flags))) << e->m_mv.string();
			}
		}
	}
	assign(root, "s", consoleVariable("", c3ga(sub(point(1, 2, 3), gp(2.0, ni)))));
	EXPECT_EQ(m_state.getObjectPtrByName("s")->fgColor()[3], 0.5f);
}

TEST_F(GlobalScope, ReadingAGlobalVariableReadsItsObject)
{
	m_state.addC3gaObject(c3ga(c3gai::no), "c", DM_ORI, 0, 0);
	object *c = m_state.getObjectPtrByName("c");
	c->m_dmMenuIdx = 2;
	c->setFgColor(blue);
	m_state.addObject(new nonVariable("label"), 0);
	m_state.addE3gaObject(e3ga(e3gai::e1), "pi", 0, 0, 0);

	consoleVariable *v = read(root, "c");
	ASSERT_NE(v, nullptr);
	EXPECT_EQ(v->name(), "c");
	EXPECT_EQ(v->model(), MODEL_C3GA);
	EXPECT_STREQ(v->c().string("%g"), "1*no");
	EXPECT_TRUE(sameColor(v->color(), blue));
	EXPECT_EQ(v->creationFlags(), 3 << OC_DRAW_METHOD_SHIFT);
	EXPECT_EQ(v->drawMode(), c->m_drawMode);
	EXPECT_TRUE(v->lhs() && v->rhs());
	delete v;
	c->m_dmMenuIdx = -1;
	v = read(root, "c");
	EXPECT_EQ(v->creationFlags(), 0);
	delete v;

	// where a name is seen from: a block sees it, a function only with "::"
	consoleScope *block = root->subScope();
	consoleScope f("f", root, -1);
	struct row {
		consoleScope *s;
		const char *name;
		int global;
		int model; // 0: not found
	};
	const row rows[] = {
		{block, "c", 0, MODEL_C3GA}, {&f, "c", 0, 0},          {&f, "c", 1, MODEL_C3GA},
		{root, "label", 0, 0},       {root, "nothing", 1, 0}, {root, "pi", 0, MODEL_E3GA},
		{root, "campos", 0, MODEL_E3GA},
	};
	for (const row &r : rows) {
		consoleVariable *x = read(r.s, r.name, r.global);
		EXPECT_EQ(x ? x->model() : 0, r.model) << r.name << r.global;
		delete x;
	}
	// a constant hides the object of its name; a user constant removes it
	EXPECT_DOUBLE_EQ(value("pi"), 3.141592653589793);
	m_state.m_netVarChanges.clear();
	consoleVariable seven("", e3ga(7.0));
	static_cast<consoleGlobalScope *>(block)->addConstant("c", &seven);
	delete block;
	EXPECT_EQ(shown("c"), "none");
	EXPECT_EQ(m_state.m_netVarChanges, std::set<std::string>{"c"});
	EXPECT_EQ(value("c"), 7.0);

	// program code reads global variables as e3ga values
	e3ga val(7.0);
	EXPECT_EQ(root->externalLookupVariable("campos", 0, val), 0);
	EXPECT_STREQ(val.string("%g"), "11*e3");
	m_state.addP3gaObject(p3ga(p3gai::e2), "p", 0, 0, 0);
	EXPECT_EQ(root->externalLookupVariable("p", 1, val), 0);
	EXPECT_STREQ(val.string("%g"), "1*e2");
	EXPECT_EQ(root->externalLookupVariable("label", 0, val), -1);
	EXPECT_STREQ(val.string("%g"), "0");
}

TEST_F(GlobalScope, TheStatementListsWhatItAssigned)
{
	autocolorOff();
	listedScope s(root);
	consoleVariable hidden("", e3ga(1.0)), internal("", e3ga(1.0)), plain("", e3ga(1.0));
	hidden.modifiedHide();
	internal.drawMode(DM_INTERNAL | DM_HIDE);
	assign(&s, "a", plain);
	assign(&s, "b", hidden);
	assign(&s, "a", plain);
	assign(&s, "t", internal);
	assign(&s, "arg", plain, 1);
	EXPECT_EQ(s.list(), "a:0 b:64 a:0 ");
	// a batch's argument is made hidden only when it names no object yet
	EXPECT_TRUE(drawMode("arg") & DM_HIDE);
	EXPECT_FALSE(drawMode("a") & DM_HIDE);
	assign(&s, "a", consoleVariable("", p3ga(1.0)), 1);
	EXPECT_FALSE(drawMode("a") & DM_HIDE);
	s.startStatement();
	EXPECT_EQ(s.list(), "");

	// the result is a copy of the value: no longer internal
	consoleVariable target("t", e3ga(0.0));
	consoleVariable *r = s.assignVariable(&target, &internal);
	EXPECT_EQ(r->drawMode(), 0);
	EXPECT_EQ(r->next(), nullptr);
	delete r;

	// a batch called at the top binds its argument in the global scope
	run({BATCH("b", {"p"}, {E("q = p")}), E("b(3)")});
	EXPECT_EQ(shown("p"), "\"p\" = 3");
	EXPECT_TRUE(drawMode("p") & DM_HIDE);
	EXPECT_EQ(shown("q"), "\"q\" = 3");
}

TEST_F(GlobalScope, TheProgramsOwnVariablesStayHiddenAndInternal)
{
	const int system = DM_INTERNAL | DM_HIDE;
	struct row {
		const char *name, *text;
		int drawMode;
	};
	const row defaults[] = {
		{"camori", "\"camori\" = 1", system},
		{"campos", "\"campos\" = 11*e3", system | DM_MAGNITUDE},
		{"autocolor", "\"autocolor\" = 1", system},
	};
	for (const row &r : defaults) {
		EXPECT_EQ(shown(r.name), r.text);
		EXPECT_EQ(drawMode(r.name) & (system | DM_MAGNITUDE), r.drawMode) << r.name;
	}
	// replaced by the user, by the same model or another, they stay so
	object *camori = m_state.getObjectPtrByName("camori");
	run({E("camori = e1"), E("campos = e0"), E("autocolor = 0")});
	EXPECT_EQ(m_state.getObjectPtrByName("camori"), camori);
	EXPECT_EQ(m_state.getObjectPtrByName("campos")->m_type, OT_P3GA);
	for (const row &r : defaults) EXPECT_EQ(drawMode(r.name) & system, system) << r.name;
	EXPECT_EQ(shown("autocolor"), "\"autocolor\" = 0");

	// program code sets them with its own draw mode
	root->externalAssignVariable("atime", e3ga(2.5), system);
	EXPECT_EQ(shown("atime"), "\"atime\" = 2.5");
	EXPECT_EQ(drawMode("atime") & system, system);
}

TEST_F(GlobalScope, ResetReplacesTheScopeAndKeepsTheSettings)
{
	run({FUNC("f", {}, {RET("1")}), E("u = e1"), E("camori = 3")});
	consoleVariable c("", e3ga(1.0));
	root->addConstant("c", &c);
	root->setDefaultModel(MODEL_C3GA);
	root->setInnerProduct("lcont");
	m_state.setColor("fgcolor", "g");
	m_state.setColor("cvcolor", "w");
	m_state.m_fontSize = 12.0f;
	m_state.m_clipDistance = 9.0f;
	m_state.setC3gaFactor(c3ga(c3gai::e1), 1);
	ASSERT_EQ(root->existFunction(0, "f", 1), 1);

	m_state.reset();
	root = m_state.m_globalScope;
	// a new root: no user functions, constants or models; the program's own
	// variables at their defaults and no other object
	EXPECT_EQ(root->existFunction(0, "f", 1), 0);
	consoleVariable *v = nullptr;
	EXPECT_EQ(root->lookupUserConstant("c", &v), -1);
	EXPECT_EQ(root->getDefaultModel(), -1);
	EXPECT_EQ(root->innerProduct(), "hip");
	EXPECT_TRUE(root->suspendStmtAllowed());
	EXPECT_EQ(shown("u"), "none");
	EXPECT_EQ(shown("camori"), "\"camori\" = 1");
	EXPECT_EQ(m_state.m_objects.size(), 3u);
	// the settings stay
	EXPECT_TRUE(sameColor(m_state.m_fgColor, green));
	EXPECT_TRUE(sameColor(m_state.m_cvColor, white));
	EXPECT_EQ(m_state.m_fontSize, 20.0f); // but a new script starts with the default font size
	EXPECT_EQ(m_state.m_clipDistance, 9.0f);
	EXPECT_STREQ(m_state.m_c3gaFactor[1].string("%g"), "1*e1");
}
