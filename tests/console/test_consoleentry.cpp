// Commands as the console runs them: the completion of a typed line, the
// display and hiding at the end of each statement, "ans", the constants
// kept to the last bit for scene files, and what automatic colouring keeps.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "console/consolecontrolstmt.h"
#include "console/consolefunctions.h"
#include "console/consoleglobalscope.h"
#include "scene/gaobject.h"
#include "support/typedcommands.h"

namespace {

class ConsoleEntry : public typedCommands {
protected:
	object *obj(const char *name) { return m_state.getObjectPtrByName(name); }
	bool hidden(const char *name) { return obj(name) != nullptr && (obj(name)->m_drawMode & DM_HIDE); }
};

} // namespace

TEST(CommandCompletion, TheLastCharacterThatIsNoControlCharacterDecides)
{
	struct row {
		const char *typed, *run;
	};
	const row rows[] = {
		{"x = 2", "x = 2\n,"},
		{"x = 2;", "x = 2;"},
		{"x = 2,", "x = 2,"},
		// blanks are characters; control characters after the last one are replaced
		{"x = 2   ", "x = 2   \n,"},
		{"x = 2\r\n", "x = 2\n,"},
		{"x = 2;\r\n", "x = 2;\r\n"},
		// a terminator in the comment the command ends with counts for nothing
		{"x = 2 // note;", "x = 2 // note;\n,"},
		{"x = 2 // note", "x = 2 // note\n,"},
		{"x = 2; // a,\r", "x = 2; // a,\n,"},
		{"x = 2 // a\ny = 3; // b", "x = 2 // a\ny = 3; // b\n,"},
		{"x = 2 // a\ny = 3;", "x = 2 // a\ny = 3;"},
		// except where the lexer starts no comment
		{"\"a//b\" = 2 // c;", "\"a//b\" = 2 // c;\n,"},
		{"\"a\\\"//b\" = 2;", "\"a\\\"//b\" = 2;"},
		{"\"a\n// b;", "\"a\n// b;\n,"},
		{"x = 2 /* a // b */;", "x = 2 /* a // b */;"},
		{"x = 2 /* a // b; */", "x = 2 /* a // b; */\n,"},
		// bytes of UTF-8 text are characters, not control characters
		{"x = 2 // \xc3\xa9", "x = 2 // \xc3\xa9\n,"},
		{"x = 2; // \xc3\xa9\x01", "x = 2; // \xc3\xa9\n,"},
		// an empty command becomes a lone displayed empty statement
		{"", "\n,"},
		{"\n", "\n\n,"},
	};
	for (const row &r : rows) {
		EXPECT_EQ(consoleCompleteCommand(r.typed), r.run) << r.typed;
		// the parser is told when the terminator is not the user's
		EXPECT_EQ(consoleEndingAdded(r.typed), std::string(r.typed) != r.run) << r.typed;
	}
	EXPECT_EQ(consoleCompleteCommand(nullptr), "\n,");
	EXPECT_TRUE(consoleEndingAdded(nullptr));
	// no length is too long
	std::string longCommand(1 << 20, ' ');
	longCommand = "x = 1" + longCommand;
	EXPECT_EQ(consoleCompleteCommand(longCommand.c_str()), longCommand + "\n,");
}

TEST_F(ConsoleEntry, CommandsWithoutAStateRunNowhere)
{
	testing::internal::CaptureStdout();
	g_consoleCommandCallback("x = 1", nullptr);
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
	EXPECT_EQ(obj("x"), nullptr);
}

TEST_F(ConsoleEntry, TheEndOfAStatementShowsOrHidesWhatItAssigned)
{
	// assigned twice in one displayed statement: printed twice, as it is at the end
	EXPECT_EQ(typed("a = 1 + (a = 1), b = hide(e1), c = show(e2);"), "a = 2.00\na = 2.00\nb = 1.00*e1\n");
	EXPECT_FALSE(hidden("a"));
	EXPECT_TRUE(hidden("b")) << "hidden explicitly: printed, not shown";
	EXPECT_FALSE(hidden("c")) << "shown explicitly: not hidden by \";\"";
	typed("a = 3;");
	EXPECT_TRUE(hidden("a"));
	// a displayed value that is no assignment is "ans", until the end of the next statement
	EXPECT_EQ(typed("a + 1"), "ans = 4.00\n");
	ASSERT_NE(obj("ans"), nullptr);
	EXPECT_FALSE(hidden("ans"));
	EXPECT_EQ(typed("x = ans * 2"), "x = 8.00\n");
	EXPECT_EQ(obj("ans"), nullptr);
	typed("a,");
	EXPECT_EQ(typed("a; x = ans"), "x = 0\n");
	// the program's own variables are neither printed nor shown
	EXPECT_EQ(typed("campos = 5 e3"), "");
	EXPECT_TRUE(hidden("campos"));
	// a refused text changes nothing
	EXPECT_EQ(typed("y = 1 $"), "line 1:7: unexpected char: '$'\n");
	EXPECT_EQ(obj("y"), nullptr);
}

TEST_F(ConsoleEntry, AutomaticColouringKeepsTheDrawMethodAndForcedAttributes)
{
	typed("a = dm3(blade(e1 ^ e2)); b = red(e1 ^ e2);");
	consoleVariable *v = nullptr;
	ASSERT_EQ(m_state.m_globalScope->lookupVariable(0, "a", 1, &v), 0);
	EXPECT_EQ(v->creationFlags(), 3 << OC_DRAW_METHOD_SHIFT);
	delete v;
	const float red[3] = {1, 0, 0}, blue[3] = {0, 0, 1};
	for (int k = 0; k < 3; k++) {
		EXPECT_EQ(obj("a")->fgColor()[k], blue[k]) << "grade 2 is blue";
		EXPECT_EQ(obj("b")->fgColor()[k], red[k]) << "the user's colour stays";
	}
}

TEST_F(ConsoleEntry, UserConstantsAreWrittenToTheLastBit)
{
	typed("add_const(third = 1 / 3); add_const(v = 0.1 e1 + 1e-20 e2 - 1e300 e1^e2); add_const(z = 0);");
	FILE *f = std::tmpfile();
	ASSERT_NE(f, nullptr);
	m_state.m_globalScope->writeConstantsToGeoFile(f);
	std::rewind(f);
	char line[256];
	std::string text;
	while (std::fgets(line, sizeof line, f)) text += line;
	std::fclose(f);
	EXPECT_EQ(text, "console add_const(third = 0.3333333333333333);\n"
	                "console add_const(v = 0.1*e1 + 1e-20*e2 + -1e+300*e1^e2);\n"
	                "console add_const(z = 0);\n");

	// read back in a new scope, they are the same numbers
	consoleVariable *before = nullptr, *after = nullptr;
	m_state.m_globalScope->lookupUserConstant("v", &before);
	ASSERT_NE(before, nullptr);
	m_state.reset();
	typed("add_const(third = 0.3333333333333333); add_const(v = 0.1*e1 + 1e-20*e2 + -1e+300*e1^e2);");
	m_state.m_globalScope->lookupUserConstant("v", &after);
	ASSERT_NE(after, nullptr);
	EXPECT_TRUE(after->e().coordinates(2)[0] == 0.1 && after->e().coordinates(2)[1] == 1e-20);
	EXPECT_EQ(after->e().coordinates(4)[0], before->e().coordinates(4)[0]);
	delete before;
	delete after;
	consoleVariable *third = nullptr;
	m_state.m_globalScope->lookupUserConstant("third", &third);
	EXPECT_EQ(third->scalar(), 1.0 / 3.0);
	delete third;
}

TEST_F(ConsoleEntry, SuspendedCommandsWaitInTheRootAndGoWithAReset)
{
	consoleGlobalScope *g = m_state.m_globalScope;
	EXPECT_EQ(g->execStmtList(nullptr), 0);
	EXPECT_EQ(g->resumeStmtList(), 0);
	typed("a = 1; suspend; a = 2;");
	typed("b = 1; suspend; b = 2;");
	EXPECT_EQ(g->nbSuspendedStmtLists(), 2);
	typed("");
	EXPECT_EQ(g->nbSuspendedStmtLists(), 1);
	EXPECT_EQ(typed("b"), "ans = 2.00\n");
	typed("reset()");
	EXPECT_EQ(m_state.m_globalScope->nbSuspendedStmtLists(), 0);
	EXPECT_EQ(typed(""), "");
	EXPECT_EQ(obj("a"), nullptr);
}

TEST_F(ConsoleEntry, NamesReadForADynamicStatementLandInTheRoot)
{
	consoleGlobalScope *g = m_state.m_globalScope;
	consoleScope *block = g->subScope();
	block->dynStmtVariable("a[2][3]");
	g->dynStmtVariable("b");
	g->dynStmtVariable("a");
	delete block;
	std::set<std::string> *names = g->getDynStmtVariables();
	ASSERT_NE(names, nullptr);
	EXPECT_EQ(*names, (std::set<std::string>{"a", "b"}));
	delete names;
	EXPECT_EQ(g->getDynStmtVariables(), nullptr);
}

TEST_F(ConsoleEntry, AttributeSettersChangeTheirArgumentInPlace)
{
	consoleGlobalScope *root = m_state.m_globalScope;
	auto call = [&](const char *name, consoleVariable *x) {
		x->rhs(1);
		return consoleExecFunc(root, name, x);
	};
	// the draw method replaces the field only; no_stipple records itself even without stipple
	consoleVariable *x = new consoleVariable("x", e3ga(e3gai::e1));
	x->creationFlags(OC_BLADE | (5 << OC_DRAW_METHOD_SHIFT));
	x = call("no_stipple", call("dm3", x));
	EXPECT_EQ(x->name(), "x");
	EXPECT_EQ(x->creationFlags(), OC_BLADE | (3 << OC_DRAW_METHOD_SHIFT));
	EXPECT_EQ(x->forceFlags(), FF_COPY_DRAW_METHOD | DM_STIPPLE);
	delete x;
	// a colour keeps the model and the value
	x = call("red", new consoleVariable("", c3ga(c3gai::no)));
	EXPECT_EQ(x->model(), MODEL_C3GA);
	EXPECT_STREQ(x->c().string("%g"), "1*no");
	EXPECT_EQ(x->color()[0], 1.0f);
	delete x;
	// automatic colouring of a mixed value: no colour, alpha 1, nothing else
	x = new consoleVariable("", e3ga(1.0) + e3ga(e3gai::e1));
	x->color4(0.2f, 0.3f, 0.4f, 0.5f);
	x->drawMode(DM_MAGNITUDE | DM_STIPPLE);
	x = call("autocolorfunc", x);
	EXPECT_EQ(x->color()[0], 0.2f);
	EXPECT_EQ(x->alpha(), 1.0f);
	EXPECT_EQ(x->forceFlags(), FF_COPY_ALPHAS);
	EXPECT_EQ(x->drawMode(), DM_MAGNITUDE | DM_STIPPLE);
	delete x;
}
