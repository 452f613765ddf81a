#pragma once
// Statement kinds of expressions: variable references, numbers, calls and
// their arguments, flat expression lists, parenthesised expressions and the
// indices of array elements.
#include "console/consolestatement.h"

class consoleArrayIdxListStmt;
class consoleExprListStmt;
class consoleFuncArgListStmt;

// A variable reference; child 0 the index list, possibly null.
class consoleVariableStmt : public consoleStatement {
public:
	consoleVariableStmt(int line, int column, const std::string &name, int global, consoleArrayIdxListStmt *arrayIdx);
	consoleStatement *copy() const override { return new consoleVariableStmt(*this); }
	char *string(int cr, int tl) override;
	consoleVariable *execute(consoleScope *s) override;
	// The name with the suffix of its indices, as the variable is stored.
	std::string getFullname(consoleScope *s);
	// The name as written, without its indices.
	const std::string &name() const { return m_name; }
	// Whether indices follow the name: the variable is an array's element.
	bool indexed() const { return m_child[0] != nullptr; }

protected:
	int m_global; // nonzero when written with the prefix "::"
	std::string m_name;
};

// A function's name where a console control binds a variable, as in
// ctrl_bool(f = 1): the control is refused for it before anything runs.
// As a value it is nothing of the function's, and takes no assignment.
class consoleFuncNameStmt : public consoleVariableStmt {
public:
	consoleFuncNameStmt(int line, int column, const std::string &name);
	consoleStatement *copy() const override { return new consoleFuncNameStmt(*this); }
	consoleVariable *execute(consoleScope *s) override;
};

// A number.
class consoleConstantScalarStmt : public consoleStatement {
public:
	consoleConstantScalarStmt(int line, int column, double d);
	consoleStatement *copy() const override { return new consoleConstantScalarStmt(*this); }
	char *string(int cr, int tl) override;
	consoleVariable *execute(consoleScope *s) override;

protected:
	double m_value;
	// the name of the values it yields, its "%f" text, made once
	std::string m_valueName;
};

// The arguments of a call: one expression list per argument.
class consoleFuncArgListStmt : public consoleStatement {
public:
	explicit consoleFuncArgListStmt(consoleExprListStmt *el);
	consoleStatement *copy() const override { return new consoleFuncArgListStmt(*this); }
	char *string(int cr, int tl) override;
	// The chain of argument values, one per argument in order.
	consoleVariable *execute(consoleScope *s) override;
};

// A function call; child 0 the argument list, present only when there are arguments.
class consoleFuncCallStmt : public consoleStatement {
public:
	consoleFuncCallStmt(int line, int column, const std::string &name, consoleFuncArgListStmt *arg, int global);
	consoleStatement *copy() const override { return new consoleFuncCallStmt(*this); }
	char *string(int cr, int tl) override;
	consoleVariable *execute(consoleScope *s) override;

protected:
	std::string m_name;
	int m_global; // written with "::"; neither the text nor the execution depends on it
};

// A flat expression: the operands in source order, each with the code of
// the operator written before it.
class consoleExprListStmt : public consoleStatement {
public:
	explicit consoleExprListStmt(consoleStatement *expr);
	consoleStatement *copy() const override { return new consoleExprListStmt(*this); }
	char *string(int cr, int tl) override;
	// The value of the expression; null when the list holds no operand.
	consoleVariable *execute(consoleScope *s) override;
	// The text; asStatement adds the indentation and terminator of a statement of a list.
	std::string exprText(int cr, int tl, int asStatement);
};

// A parenthesised expression; child 0 the inner expression list.
class consoleParExprStmt : public consoleStatement {
public:
	consoleParExprStmt(int line, int column, consoleExprListStmt *el);
	consoleStatement *copy() const override { return new consoleParExprStmt(*this); }
	char *string(int cr, int tl) override;
	consoleVariable *execute(consoleScope *s) override;
};

// The indices of an array element a[i][j]: one expression list per index.
class consoleArrayIdxListStmt : public consoleStatement {
public:
	consoleArrayIdxListStmt(int line, int column, consoleExprListStmt *el);
	consoleStatement *copy() const override { return new consoleArrayIdxListStmt(*this); }
	char *string(int cr, int tl) override;
	// Interpreted by its variable: does nothing and yields null.
	consoleVariable *execute(consoleScope *s) override;
	// The suffix "[i][j]..." of the indices, each rounded to the nearest integer.
	std::string indexSuffix(consoleScope *s);
};
