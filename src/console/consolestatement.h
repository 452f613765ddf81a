#pragma once
// The statement tree of the console language. Every node owns its children,
// copies itself deeply and prints itself back as console-language text.
// Expressions stay flat: each operand of an expression list carries in its
// operator code the operator written before it, and precedence is applied
// only when the list is evaluated.
#include <string>

class consoleScope;
class consoleVariable;

// Infix operator codes, in the low byte of an operand's operator code.
enum consoleOperatorCode {
	COP_NONE = 0, // juxtaposition: the geometric product
	COP_ASSIGN = 1,
	COP_DIV = 2,
	COP_OUTER = 3,
	COP_INNER = 4,
	COP_MUL = 5,
	COP_ADD = 6,
	COP_SUB = 7,
	COP_AND = 8,
	COP_OR = 9,
	COP_EQUAL = 10,
	COP_LESS = 11,
	COP_GREATER = 12,
	COP_LE = 13,
	COP_GE = 14,
	COP_LOGICAL_AND = 15,
	COP_LOGICAL_OR = 16,
	COP_NE = 17,
	COP_COUNT = 18
};

// Unary prefixes above the infix code; they combine by exclusive or.
constexpr int COP_INFIX_MASK = 0xff;
constexpr int COP_NEGATE = 0x100;   // "-"
constexpr int COP_INVERSE = 0x200;  // "!"
constexpr int COP_REVERSE = 0x400;  // "~"

class consoleStatement {
public:
	consoleStatement();
	consoleStatement(int line, int column);
	// A deep copy: position, operator code, flags and a copy of every child.
	consoleStatement(const consoleStatement &s);
	consoleStatement &operator=(const consoleStatement &) = delete;
	virtual ~consoleStatement();

	// A new node equal to this one, children copied deeply; owned by the caller.
	virtual consoleStatement *copy() const = 0;
	// The node as console-language text, allocated with malloc and released
	// by the caller with free. cr nonzero breaks lines after statements,
	// braces and case labels and indents nested bodies one tab deeper; tl
	// tabs start the node's first line.
	virtual char *string(int cr, int tl) = 0;
	// Runs the node in scope s; returns a new value owned by the caller, or
	// null. The kinds that only their parent interprets yield null.
	virtual consoleVariable *execute(consoleScope *s) = 0;

	// Registers the definition in slot, the body of the node just run in
	// s, when it is a function or batch definition, and clears the scope's
	// definition flag. The definition goes to the call scope of s, so one
	// in a loop's block is the same as one outside it. A global scope's
	// function table takes over the definition, and the slot is emptied.
	static int registerDefinition(consoleScope *s, consoleStatement *&slot);

	// Appends s, which may be null, as the last child.
	int addChild(consoleStatement *s);
	int nbChildren() const { return m_nbChildren; }
	consoleStatement *child(int i) const { return m_child[i]; }

	int line() const { return m_line; }
	int column() const { return m_column; }
	int line(int line);
	int column(int column);
	int lineAndColumn(int line, int column);

	// The text of s as string() gives it, empty for null.
	static std::string text(consoleStatement *s, int cr, int tl);
	// A name as it reads back: between double quotes, with its quotes
	// escaped, when it could not be read as one identifier.
	static std::string nameText(const std::string &name);

	int op() const { return m_op; }
	int setOp(int code);
	// Decodes the text of an operator token; 0, or -1 with a warning when
	// the text holds a character that cannot stand there.
	int setOp(const char *filename, int line, int column, const char *opStr);

	int verbose() const { return getFlag(sc_verbose); }
	int verbose(int val) { return setFlag(sc_verbose, val); }
	int lhs() const { return getFlag(sc_lhs); }
	int lhs(int val) { return setFlag(sc_lhs, val); }
	int dummy() const { return getFlag(sc_dummy); }
	int stmtListChild() const { return getFlag(sc_stmtListChild); }
	int stmtListChild(int val) { return setFlag(sc_stmtListChild, val); }
	int evalRequired() const { return getFlag(sc_evalRequired); }
	int evalRequired(int val) { return setFlag(sc_evalRequired, val); }
	int firstEval() const { return getFlag(sc_firstEval); }
	int firstEval(int val) { return setFlag(sc_firstEval, val); }

protected:
	// A list that starts with first (null allowed): its position and its first child.
	explicit consoleStatement(consoleStatement *first);

	// flag bits of m_flags
	static constexpr int sc_verbose = 1;        // the statement's result is shown
	static constexpr int sc_lhs = 2;            // the operand is assigned to
	static constexpr int sc_dummy = 4;          // the statement does nothing
	static constexpr int sc_stmtListChild = 8;  // the node stands directly in a statement list
	static constexpr int sc_evalRequired = 16;  // a dynamic statement must run at the next update
	static constexpr int sc_firstEval = 32;     // a dynamic statement has not run yet

	// 1 when the name holds a character other than an ASCII letter, digit or "_".
	static int quote(const char *str);
	int setFlag(int flag, int val);
	int getFlag(int flag) const { return m_flags & flag; }

	// --- pieces of the text forms
	// A malloc'ed copy of t, as string() returns it.
	static char *result(const std::string &t);
	static std::string tabs(int tl) { return std::string(tl > 0 ? tl : 0, '\t'); }
	static const char *nl(int cr) { return cr ? "\n" : ""; }
	// The tab level of a nested body.
	static int deeper(int cr, int tl) { return cr ? tl + 1 : tl; }
	// The printed form of an operator code: infix text, then prefixes.
	static std::string opText(int code);
	// "default_model" words and argument types: e3ga, p3ga, c3ga, i2ga; empty for any other value.
	static const char *modelName(int model);

	int m_line;
	int m_column;
	int m_op;
	int m_nbChildren;
	consoleStatement **m_child;
	int m_flags;

private:
	void initToNothing();
};
