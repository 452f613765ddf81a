#pragma once
// Statement kinds of control structures: the empty statement, loops, if,
// switch with its cases, return, break/continue/suspend, and statement lists.
#include <set>
#include <string>

#include "console/consolestatement.h"

class consoleCaseListStmt;
class consoleExprListStmt;
class consoleStmtListStmt;

// The empty statement: a lone ";" or ",", or a statement that leaves nothing to run.
class consoleDummyStmt : public consoleStatement {
public:
	consoleDummyStmt(int line, int column);
	consoleStatement *copy() const override { return new consoleDummyStmt(*this); }
	char *string(int cr, int tl) override;
	consoleVariable *execute(consoleScope *s) override;
};

// while loop; child 0 the condition, child 1 the body.
class consoleWhileStmt : public consoleStatement {
public:
	consoleWhileStmt(int line, int column, consoleExprListStmt *el, consoleStatement *sl);
	consoleStatement *copy() const override { return new consoleWhileStmt(*this); }
	char *string(int cr, int tl) override;
	consoleVariable *execute(consoleScope *s) override;
};

// for loop; child 0 the body.
class consoleForStmt : public consoleStatement {
public:
	consoleForStmt(int line, int column, consoleExprListStmt *p_initEl, consoleExprListStmt *p_condEl,
	               consoleExprListStmt *p_execEl, consoleStatement *sl);
	consoleForStmt(const consoleForStmt &s);
	~consoleForStmt() override;
	consoleStatement *copy() const override { return new consoleForStmt(*this); }
	char *string(int cr, int tl) override;
	consoleVariable *execute(consoleScope *s) override;

protected:
	// owned, each possibly null
	consoleExprListStmt *m_initEl;
	consoleExprListStmt *m_condEl;
	consoleExprListStmt *m_execEl;
};

// if with optional else; child 0 the condition, child 1 the then-statement,
// child 2 the else-statement, present only when given.
class consoleIfElseStmt : public consoleStatement {
public:
	consoleIfElseStmt(int line, int column, consoleExprListStmt *el, consoleStatement *ifS, consoleStatement *elseS);
	consoleStatement *copy() const override { return new consoleIfElseStmt(*this); }
	char *string(int cr, int tl) override;
	consoleVariable *execute(consoleScope *s) override;
};

// switch; child 0 the value, child 1 the case list.
class consoleSwitchStmt : public consoleStatement {
public:
	consoleSwitchStmt(int line, int column, consoleExprListStmt *cond, consoleCaseListStmt *caseList);
	consoleStatement *copy() const override { return new consoleSwitchStmt(*this); }
	char *string(int cr, int tl) override;
	consoleVariable *execute(consoleScope *s) override;
};

// One case of a switch; child 0 the value list (null for the default case),
// child 1 its statement list (null when empty).
class consoleCaseStmt : public consoleStatement {
public:
	consoleCaseStmt(int line, int column, consoleExprListStmt *caseStmt, consoleStmtListStmt *stmtList);
	consoleStatement *copy() const override { return new consoleCaseStmt(*this); }
	char *string(int cr, int tl) override;
	// Interpreted by its switch: does nothing and yields null.
	consoleVariable *execute(consoleScope *s) override;
};

// The cases of a switch.
class consoleCaseListStmt : public consoleStatement {
public:
	consoleCaseListStmt(int line, int column, consoleCaseStmt *caseStmt);
	consoleStatement *copy() const override { return new consoleCaseListStmt(*this); }
	char *string(int cr, int tl) override;
	// Interpreted by its switch: does nothing and yields null.
	consoleVariable *execute(consoleScope *s) override;
};

// return; child 0 the value list, possibly null.
class consoleReturnStmt : public consoleStatement {
public:
	consoleReturnStmt(int line, int column, consoleExprListStmt *expr);
	consoleStatement *copy() const override { return new consoleReturnStmt(*this); }
	char *string(int cr, int tl) override;
	consoleVariable *execute(consoleScope *s) override;
};

// break, continue or suspend.
class consoleBreakStmt : public consoleStatement {
public:
	static constexpr int sc_break = 0;
	static constexpr int sc_continue = 1;
	static constexpr int sc_suspend = 2;

	consoleBreakStmt(int line, int column, int type);
	consoleStatement *copy() const override { return new consoleBreakStmt(*this); }
	char *string(int cr, int tl) override;
	consoleVariable *execute(consoleScope *s) override;

protected:
	int m_type;
};

// A statement list: a block, a function body, the root of a command or of a
// dynamic statement. Its children are the statements.
class consoleStmtListStmt : public consoleStatement {
public:
	consoleStmtListStmt();
	consoleStmtListStmt(int line, int column);
	explicit consoleStmtListStmt(consoleStatement *stmt);
	consoleStmtListStmt(const consoleStmtListStmt &s);
	~consoleStmtListStmt() override;
	consoleStatement *copy() const override { return new consoleStmtListStmt(*this); }
	char *string(int cr, int tl) override;
	consoleVariable *execute(consoleScope *s) override;

	// Nonzero when the list holds exactly one statement and that one does nothing.
	int dummy() const;
	// Nonzero when name is among the global variables that a dynamic statement read.
	int dependsOn(const std::string &name) const;
	// Those names; null when none were collected.
	const std::set<std::string> *dynStmtVariables() const { return m_dynStmtVariables; }
	// Takes ownership of variables (null allowed), releasing the set held so far.
	int setDynStmtVariables(std::set<std::string> *variables);
	int freeDynStmtVariables();

protected:
	// the global variables a dynamic statement read, owned; null when none were collected
	std::set<std::string> *m_dynStmtVariables;
};
