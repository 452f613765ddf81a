// The state's dynamic statements: adding, naming, replacing and removing
// entries, the flagging of the entries that read a changed name, and the
// update that runs each flagged entry at most once; removals and resets
// asked for by a running entry; the update refusing to run inside itself.
#include <gtest/gtest.h>

#include <string>

#include "console/consolecontrolstmt.h"
#include "console/consolefunctions.h"
#include "console/consoleglobalscope.h"
#include "console/consoleparse.h"
#include "support/typedcommands.h"

namespace {

// Updates started from inside a running dynamic statement, and how many of
// them got through.
int s_nestedUpdates = 0;
consoleVariable *nestedUpdate(consoleScope *, consoleVariable **, const consoleFunc_s *)
{
	s_nestedUpdates++;
	g_state->updateDynStmts();
	return new consoleVariable("", e3ga(0.0));
}

class DynStmt : public typedCommands {
protected:
	// A parsed list, not yet run.
	static consoleStmtListStmt *list(const char *text)
	{
		testing::internal::CaptureStdout();
		consoleStmtListStmt *l = consoleParse(text, nullptr);
		testing::internal::GetCapturedStdout();
		return l;
	}
	std::string names()
	{
		std::string r;
		for (const state::dynStmtInfo &d : m_state.m_dynStmt) r += "[" + d.name() + "]";
		return r;
	}
};

} // namespace

TEST_F(DynStmt, NamedStatementsReplaceUnnamedOnesAccumulate)
{
	m_state.addDynStmt(nullptr, "", "a");
	m_state.addDynStmt(list("x = 1;"), "/w", "a");
	m_state.addDynStmt(list("x = 2;"), "", "");
	m_state.addDynStmt(list("x = 3;"), "", "");
	m_state.addDynStmt(list("x = 4;"), "", "b");
	m_state.addDynStmt(list("x = 5;"), "/v", "a");
	EXPECT_EQ(names(), "[][][b][a]");
	EXPECT_EQ(m_state.m_dynStmt.back().wd(), "/v");
	// a new statement runs at the next update, as a first run
	consoleStmtListStmt *last = m_state.m_dynStmt.back().ds();
	EXPECT_TRUE(last->evalRequired() && last->firstEval());

	// by name: every entry of the name; none is no error
	EXPECT_EQ(m_state.removeDynStmt(std::string("")), 0);
	EXPECT_EQ(names(), "[b][a]");
	EXPECT_EQ(m_state.removeDynStmt(std::string("none")), 0);
	// by index: out of range is refused with a message
	testing::internal::CaptureStdout();
	EXPECT_EQ(m_state.removeDynStmt(-1), -1);
	EXPECT_EQ(m_state.removeDynStmt(2), -1);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
	          "state::removeDynStmt(): invalid index -1\nstate::removeDynStmt(): invalid index 2\n");
	EXPECT_EQ(m_state.removeDynStmt(0), 0);
	EXPECT_EQ(names(), "[a]");

	// the entry keeps its list object, so a caller's pointer finds it
	consoleStmtListStmt *replacement = list("x = 6;");
	EXPECT_EQ(m_state.replaceDynStmt(last, replacement), 0);
	EXPECT_EQ(m_state.m_dynStmt.back().ds(), replacement);
	EXPECT_EQ(m_state.m_dynStmt.back().wd(), "/v");
	EXPECT_EQ(m_state.replaceDynStmt(last, list("x = 7;")), -1);
	EXPECT_EQ(m_state.removeDynStmt(replacement), 0);
	EXPECT_EQ(names(), "");

	// copies of entries are independent trees
	state::dynStmtInfo one(list("y = 1;"), "/d", "n");
	state::dynStmtInfo two(one);
	EXPECT_NE(two.ds(), one.ds());
	EXPECT_EQ(consoleStatement::text(two.ds(), 0, 0), consoleStatement::text(one.ds(), 0, 0));
	two = one;
	EXPECT_NE(two.ds(), one.ds());
	EXPECT_TRUE(two.hasName());
}

TEST_F(DynStmt, AChangeFlagsTheStatementsThatReadTheName)
{
	typed("x[1] = 1; y = 1; dynamic{a = x[1] + 1;} dynamic{b = y + 1;}");
	for (const state::dynStmtInfo &d : m_state.m_dynStmt) EXPECT_FALSE(d.ds()->evalRequired());
	m_state.modified("x[2]");
	EXPECT_TRUE(m_state.m_dynStmt[0].ds()->evalRequired());
	EXPECT_FALSE(m_state.m_dynStmt[1].ds()->evalRequired());
	m_state.modified("z");
	EXPECT_FALSE(m_state.m_dynStmt[1].ds()->evalRequired());
	EXPECT_EQ(m_state.m_netVarChanges.count("x[2]"), 1u);
	m_state.updateDynStmts();
	EXPECT_FALSE(m_state.m_dynStmt[0].ds()->evalRequired());
}

TEST_F(DynStmt, StatementsThatFeedEachOtherRunOncePerUpdate)
{
	typed("n = 0; a = 0; b = 0;");
	typed("dynamic{a = b + 1; n = n + 1;} dynamic{b = a + 1; n = n + 1;}");
	// each ran silently when entered, then once in the update
	EXPECT_EQ(value("a"), 3.0);
	EXPECT_EQ(value("b"), 4.0);
	EXPECT_EQ(value("n"), 4.0);
	typed("a = 10;");
	// both read a (the first as its target): the first runs and sets a
	// again, the second follows in the same pass, and the changes they make
	// flag nothing that may still run
	EXPECT_EQ(value("a"), 5.0);
	EXPECT_EQ(value("b"), 6.0);
	EXPECT_EQ(value("n"), 6.0);
	typed("b = 10;");
	// both read b: each runs once, in list order
	EXPECT_EQ(value("a"), 11.0);
	EXPECT_EQ(value("b"), 12.0);
	EXPECT_EQ(value("n"), 8.0);
	for (const state::dynStmtInfo &d : m_state.m_dynStmt) EXPECT_FALSE(d.ds()->evalRequired());

	// an earlier entry that a later one flags runs in the next pass
	typed("cld(); e = 1; dynamic{c = d;} dynamic{d = e;}");
	typed("e = 7;");
	EXPECT_EQ(value("d"), 7.0);
	EXPECT_EQ(value("c"), 7.0);
}

TEST_F(DynStmt, AnUpdateInsideAnUpdateReturnsAtOnce)
{
	consoleFunc_s row = {"nested_update", nullptr, nestedUpdate, 0, {0}};
	m_state.m_globalScope->addFunction(&row);
	s_nestedUpdates = 0;
	typed("x = 1; dynamic{y = x + nested_update();}");
	typed("x = 2;");
	EXPECT_EQ(s_nestedUpdates, 3) << "the silent run and two updates";
	EXPECT_EQ(value("y"), 2.0);
}

TEST_F(DynStmt, RemovalsWhileStatementsRunWaitForTheEndOfTheUpdate)
{
	typed("x = 1; dynamic{a = x;} dynamic{self: b = x; cld(self);} dynamic{c = x;}");
	// the named one removed itself while it ran; the others ran
	EXPECT_EQ(names(), "[][]");
	typed("dynamic{d = x; cld();} dynamic{e = x;}");
	// the first run of the new pair removed every statement, the one running included
	EXPECT_EQ(names(), "");
	EXPECT_EQ(value("e"), 1.0) << "entries after the removal still ran in that update";
	typed("x = 5;");
	EXPECT_EQ(value("a"), 1.0);
}

TEST_F(DynStmt, AResetAskedForByAStatementEndsTheUpdate)
{
	typed("x = 1; dynamic{b = x;} dynamic{if (x > 1) reset();} dynamic{c = x;}");
	EXPECT_EQ(value("c"), 1.0);
	typed("x = 2;");
	EXPECT_TRUE(m_state.m_dynStmt.empty());
	EXPECT_EQ(m_state.getObjectPtrByName("x"), nullptr);
	EXPECT_EQ(m_state.getObjectPtrByName("c"), nullptr);
	EXPECT_NE(m_state.getObjectPtrByName("camori"), nullptr);
}

TEST_F(DynStmt, UpdatesRestoreTheScopesFlags)
{
	consoleGlobalScope *g = m_state.m_globalScope;
	g->supressWarnings(1);
	typed("x = 1; dynamic{y = x,} dynamic{z = x;}");
	typed("x = 2;");
	EXPECT_TRUE(g->supressWarnings());
	EXPECT_FALSE(g->supressErrors());
	EXPECT_FALSE(g->noAssignmentDisplay());
	EXPECT_FALSE(g->dynStmtVariableCollect());
	EXPECT_TRUE(g->suspendStmtAllowed());
	// a dynamic statement's silent run gives the scope back as it was
	EXPECT_EQ(typed("dynamic{suspend;}"), "Illegal suspend statement (not allowed in a dynamic statement)\n");
	EXPECT_TRUE(g->suspendStmtAllowed());
	EXPECT_FALSE(g->noAssignmentDisplay());
}
