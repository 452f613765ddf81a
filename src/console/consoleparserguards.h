#pragma once
// What the rules of the console parser hold while they read: the nodes they
// have received and not yet handed on, their own results, and the depth to
// which they recurse. A syntax error is caught by the rule in which it
// occurs, which keeps its result and drops what it held; a lexical error or
// a text nested too deeply abandons the whole parse, and then every node
// built so far is deleted on the way out.
#include <exception>
#include <string>

#include <antlr/ANTLRException.hpp>

// A node a rule holds until it builds its own node from it; deleted when
// the rule ends without handing it on.
template <class T> class consoleOwned {
public:
	consoleOwned() = default;
	~consoleOwned() { delete m_p; }
	consoleOwned(const consoleOwned &) = delete;
	consoleOwned &operator=(const consoleOwned &) = delete;

	// Holds p (null allowed), deleting what was held before.
	consoleOwned &operator=(T *p)
	{
		if (p != m_p) delete m_p;
		m_p = p;
		return *this;
	}
	T *get() const { return m_p; }
	T *operator->() const { return m_p; }
	// Hands the node on; nothing is held afterwards.
	T *release()
	{
		T *p = m_p;
		m_p = nullptr;
		return p;
	}

private:
	T *m_p = nullptr;
};

// Guards a rule's result variable: the result goes to the caller when the
// rule returns, also after a syntax error it recovered from, and is deleted
// when an exception that abandons the parse passes through the rule.
template <class T> class consoleResultGuard {
public:
	explicit consoleResultGuard(T *&result) : m_result(result), m_exceptions(std::uncaught_exceptions()) {}
	~consoleResultGuard()
	{
		if (std::uncaught_exceptions() <= m_exceptions) return;
		delete m_result;
		m_result = nullptr;
	}
	consoleResultGuard(const consoleResultGuard &) = delete;
	consoleResultGuard &operator=(const consoleResultGuard &) = delete;

private:
	T *&m_result;
	int m_exceptions;
};

// --- appending to the lists that rules build: an element that failed
// (null) is left out, and the first one present makes the list

// A list that takes its position from its first element's constructor argument.
template <class L, class E> void consoleAppend(L *&list, E *e)
{
	if (e == nullptr) return;
	if (list == nullptr) list = new L(e);
	else list->addChild(e);
}

// A list at the given position.
template <class L, class E> void consoleAppendAt(L *&list, E *e, int line, int column)
{
	if (e == nullptr) return;
	if (list == nullptr) list = new L(line, column, e);
	else list->addChild(e);
}

// A list at the position of its first element.
template <class L, class E> void consoleAppendAtFirst(L *&list, E *e)
{
	if (e != nullptr) consoleAppendAt(list, e, e->line(), e->column());
}

// A text nested deeper than the parser follows; it abandons the parse.
class consoleNestingException : public antlr::ANTLRException {
public:
	consoleNestingException(int line, int column, int limit);
};

// One level of nesting of statements and operands, counted in the
// parser's depth while a statement or operand rule runs.
class consoleNestingGuard {
public:
	// Deep enough for any text a person writes, shallow enough that the
	// parser and everything else that recurses along the tree it builds
	// (execution, printing, copying, deletion) stay far from the end of the
	// stack, whatever a network client sends.
	static constexpr int sc_maxDepth = 256;

	// Throws consoleNestingException, with the position of the token at
	// which the limit was passed, when depth is at the limit already.
	consoleNestingGuard(int &depth, int line, int column);
	~consoleNestingGuard() { m_depth--; }
	consoleNestingGuard(const consoleNestingGuard &) = delete;
	consoleNestingGuard &operator=(const consoleNestingGuard &) = delete;

private:
	int &m_depth;
};
