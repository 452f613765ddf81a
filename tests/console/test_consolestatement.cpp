// The statement tree's base: decoding operator tokens, printing operator
// codes so that they decode back, quoting names, flags, children and deep
// copies.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <typeinfo>

#include "console/consolestatements.h"
#include "state/state.h"

namespace {

state s_state;

// Reaches the protected helpers of the base.
struct probe : consoleStatement {
	using consoleStatement::nameText;
	using consoleStatement::opText;
	using consoleStatement::quote;
	consoleStatement *copy() const override { return new probe(*this); }
	char *string(int, int) override { return result("probe"); }
	consoleVariable *execute(consoleScope *) override { return nullptr; }
};

} // namespace

TEST(ConsoleStatement, SetOpDecoding)
{
	struct row {
		const char *text;
		int code, result;
		const char *warning;
	};
	const row rows[] = {
		{"", 0x0, 0, ""},
		{" \t ", 0x0, 0, ""},
		{"=", 0x1, 0, ""},
		{"= -", 0x101, 0, ""},
		{"-", 0x7, 0, ""},
		{"- -", 0x107, 0, ""},
		{"~", 0x400, 0, ""},
		{"!", 0x200, 0, ""},
		{"!=", 17, 0, ""},
		{"\n+ ", 0x6, 0, ""},
		{"=!-~", 0x701, 0, ""},
		{"= - -", 0x1, 0, ""},
		{"=\n -", 0x101, 0, ""},
		{"==", 10, 0, ""},
		{"<=  ~", 0x40d, 0, ""},
		{"&& !", 0x20f, 0, ""},
		{"||", 16, 0, ""},
		// a carriage return is a blank, so CR LF line ends decode as LF ones
		{"=\r-", 0x101, 0, ""},
		{"= \r\n-", 0x101, 0, ""},
		{"\r\n*\r\n", 0x5, 0, ""},
		// a stray character: what was decoded before it stays
		{"**", 0x5, -1, "Warning: line 3, column 7: ignoring non-unary operator '42'\n"},
		{"<>", 11, -1, "Warning: line 3, column 7: ignoring non-unary operator '62'\n"},
		{"! =", 0x200, -1, "Warning: line 3, column 7: ignoring non-unary operator '61'\n"},
		{"+-^", 0x106, -1, "Warning: line 3, column 7: ignoring non-unary operator '94'\n"},
		{"=\xe9", 0x1, -1, "Warning: line 3, column 7: ignoring non-unary operator '233'\n"},
	};
	for (const row &r : rows) {
		probe p;
		p.setOp(0x7);
		testing::internal::CaptureStdout();
		EXPECT_EQ(p.setOp(nullptr, 3, 7, r.text), r.result) << r.text;
		EXPECT_EQ(testing::internal::GetCapturedStdout(), r.warning) << r.text;
		EXPECT_EQ(p.op(), r.code) << r.text;
	}
	probe p;
	testing::internal::CaptureStdout();
	p.setOp("a.g", 2, 5, "*/");
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "Warning: a.g: line 2, column 5: ignoring non-unary operator '47'\n");
}

// Every operator code prints as a text that decodes back to it, also after
// the blank that separates it from the operand before.
TEST(ConsoleStatement, OperatorTextsDecodeBack)
{
	const char *const infix[COP_COUNT] = {"",    "= ", "/ ", "^ ",  ". ",  "* ",  "+ ",  "- ",  "& ",
	                                      "| ",  "== ", "< ", "> ", "<= ", ">= ", "&& ", "|| ", "!= "};
	for (int code = 0; code < COP_COUNT; code++) {
		EXPECT_EQ(probe::opText(code), infix[code]);
		for (int prefixes = 0; prefixes < 8; prefixes++) {
			int full = code | prefixes << 8;
			std::string t = " " + probe::opText(full);
			probe p;
			EXPECT_EQ(p.setOp(nullptr, 1, 1, t.c_str()), 0) << t;
			EXPECT_EQ(p.op(), full) << "'" << t << "'";
		}
	}
	EXPECT_EQ(probe::opText(0x106), "+ -");
	EXPECT_EQ(probe::opText(0x711), "!= -!~");
	EXPECT_EQ(probe::opText(0x200), "!");
	// without an infix operator, a leading minus would be read as one
	EXPECT_EQ(probe::opText(0x100), "!!-");
	EXPECT_EQ(probe::opText(0x300), "!-");
	EXPECT_EQ(probe::opText(0x500), "~-");
}

TEST(ConsoleStatement, QuotingNames)
{
	struct row {
		const char *name;
		int quote;
		const char *printed;
	};
	const row rows[] = {
		{"abc_1", 0, "abc_1"},
		{"_X9", 0, "_X9"},
		{"1x", 0, "\"1x\""},  // would read back as the number 1 and x
		{"", 0, "\"\""},
		{"my var", 1, "\"my var\""},
		{"a.b", 1, "\"a.b\""},
		{"a-b", 1, "\"a-b\""},
		{"a[1]", 1, "\"a[1]\""},
		{"say \"hi\"", 1, "\"say \\\"hi\\\"\""},
		{"caf\xc3\xa9", 1, "\"caf\xc3\xa9\""},
	};
	for (const row &r : rows) {
		EXPECT_EQ(probe::quote(r.name), r.quote) << r.name;
		EXPECT_EQ(probe::nameText(r.name), r.printed);
	}
}

TEST(ConsoleStatement, FlagsAndPosition)
{
	probe p;
	EXPECT_EQ(p.line(), -1);
	p.lineAndColumn(4, 9);
	EXPECT_EQ(p.column(), 9);
	// each getter gives its bit, each setter clears the bit again on 0
	p.verbose(7);
	p.lhs(1);
	p.stmtListChild(1);
	p.evalRequired(1);
	p.firstEval(1);
	EXPECT_EQ(p.verbose() + p.lhs() + p.stmtListChild() + p.evalRequired() + p.firstEval(), 1 + 2 + 8 + 16 + 32);
	p.lhs(0);
	p.firstEval(0);
	EXPECT_EQ(p.verbose() + p.lhs() + p.stmtListChild() + p.evalRequired() + p.firstEval(), 1 + 8 + 16);
	EXPECT_EQ(p.dummy(), 0);
	EXPECT_EQ(consoleDummyStmt(1, 2).dummy(), 4);

	// lists built from a first element take its position
	consoleExprListStmt el(new consoleVariableStmt(5, 6, "a", 0, nullptr));
	EXPECT_EQ(el.line() * 10 + el.column(), 56);
}

TEST(ConsoleStatement, DeepCopy)
{
	consoleIfElseStmt original(2, 3, new consoleExprListStmt(new consoleVariableStmt(2, 7, "a", 0, nullptr)), nullptr,
	                           new consoleBreakStmt(4, 1, 1));
	original.verbose(1);
	original.stmtListChild(1);
	original.setOp(0x106);
	std::unique_ptr<consoleStatement> copy(original.copy());
	EXPECT_EQ(typeid(*copy), typeid(consoleIfElseStmt));
	EXPECT_EQ(copy->line(), 2);
	EXPECT_EQ(copy->column(), 3);
	EXPECT_EQ(copy->op(), 0x106);
	EXPECT_TRUE(copy->verbose() && copy->stmtListChild());
	ASSERT_EQ(copy->nbChildren(), 3);
	// the null child stays null at its position; the others are new nodes
	EXPECT_EQ(copy->child(1), nullptr);
	EXPECT_NE(copy->child(0), original.child(0));
	EXPECT_NE(copy->child(2), original.child(2));
	EXPECT_EQ(copy->child(0)->child(0)->column(), 7);
	EXPECT_NE(copy->child(0)->child(0), original.child(0)->child(0));
}

TEST(ConsoleStatement, StatementListQueries)
{
	consoleStmtListStmt one(new consoleDummyStmt(1, 1));
	EXPECT_TRUE(one.dummy());
	one.addChild(new consoleDummyStmt(1, 2));
	EXPECT_FALSE(one.dummy());
	consoleStmtListStmt expr(new consoleExprListStmt(new consoleConstantScalarStmt(1, 1, 1.0)));
	EXPECT_FALSE(expr.dummy());
	consoleStmtListStmt none;
	EXPECT_FALSE(none.dummy());
	consoleStmtListStmt nullOnly(static_cast<consoleStatement *>(nullptr));
	EXPECT_FALSE(nullOnly.dummy());

	auto *list = new consoleStmtListStmt(1, 1);
	EXPECT_FALSE(list->dependsOn("a"));
	list->setDynStmtVariables(new std::set<std::string>{"a", "b"});
	EXPECT_TRUE(list->dependsOn("a"));
	EXPECT_FALSE(list->dependsOn("c"));
	// a copy has a set of its own
	std::unique_ptr<consoleStmtListStmt> copy(static_cast<consoleStmtListStmt *>(list->copy()));
	list->setDynStmtVariables(new std::set<std::string>{"c"});
	EXPECT_TRUE(list->dependsOn("c"));
	EXPECT_FALSE(list->dependsOn("a"));
	delete list;
	EXPECT_TRUE(copy->dependsOn("b"));
	EXPECT_FALSE(copy->dependsOn("c"));
	copy->freeDynStmtVariables();
	EXPECT_FALSE(copy->dependsOn("b"));
	copy->setDynStmtVariables(nullptr);
	EXPECT_FALSE(copy->dependsOn("b"));
}

TEST(ConsoleStatement, DefinitionsKeepTheWorkingDirectory)
{
	s_state.m_workingDirectory = "/scripts/demo";
	consoleFuncStmt f(1, 1, "f", nullptr, nullptr, 1);
	consoleDynStmt d(1, 1, new consoleStmtListStmt(1, 10), "");
	s_state.m_workingDirectory = "/elsewhere";
	std::unique_ptr<consoleStatement> fc(f.copy()), dc(d.copy());
	EXPECT_EQ(f.workingDirectory(), "/scripts/demo");
	EXPECT_EQ(static_cast<consoleFuncStmt *>(fc.get())->workingDirectory(), "/scripts/demo");
	EXPECT_EQ(static_cast<consoleDynStmt *>(dc.get())->workingDirectory(), "/scripts/demo");
	// a missing argument list becomes an empty one
	ASSERT_EQ(f.nbChildren(), 2);
	EXPECT_NE(f.child(0), nullptr);
	EXPECT_EQ(f.child(0)->nbChildren(), 0);
	s_state.m_workingDirectory.clear();
}
