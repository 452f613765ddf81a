#pragma once
// The scopes in which the parser records names while it reads a text. The
// lexer types a name as a function name or an identifier by asking the
// current one, so a definition read earlier in a text changes how the rest
// of the text is read. Every parse starts from the state's global scope,
// whose records outlive the parse; a definition opens a scope of its own
// for its argument names and body. What never takes effect leaves the
// names as they were: a definition that does not parse, a loop dropped
// after a syntax error in its text, a text refused as a whole.
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

class consoleScope;
class consoleFuncArgSpecListStmt;

// The scope whose records the lexer consults; null when there is no state.
extern consoleScope *g_currentParsingScope;

// Records name in the current parsing scope as a function or a variable;
// a record of the state's global scope goes into the parse's journal.
int consoleParsingScopeRecord(const std::string &name, bool function);

// One parse: makes the state's global scope the parsing scope, and when the
// parse ends, however it ends, closes every parsing scope still open above
// it, so that nothing of the parse is left behind. A parse that an
// exception abandons (the text is refused) puts back every record of the
// global scope that it changed; so does one that recovered from a syntax
// error, when given the parser's count of recoveries (its caller runs
// nothing of such a text).
class consoleParsingScopeReset {
public:
	explicit consoleParsingScopeReset(const int *recoveries = nullptr);
	~consoleParsingScopeReset();
	consoleParsingScopeReset(const consoleParsingScopeReset &) = delete;
	consoleParsingScopeReset &operator=(const consoleParsingScopeReset &) = delete;

private:
	friend int consoleParsingScopeRecord(const std::string &name, bool function);
	friend class consoleParsingMark;
	friend class consoleParsingScopeFrame;
	// Puts back the records changed since the journal held size entries.
	void rollback(size_t size);

	consoleScope *m_globalScope;
	// each global record changed, with what the scope recorded before, in order
	std::vector<std::pair<std::string, int>> m_journal;
	// the parse that this one runs within, if any
	consoleParsingScopeReset *m_outer;
	int m_exceptions;
	const int *m_recoveries; // null: a parse whose syntax errors the caller runs around
	int m_recoveriesBefore;
};

// A point of the parse: rollback() puts back every record of the global
// scope made since, for a part of the text that is dropped.
class consoleParsingMark {
public:
	consoleParsingMark();
	void rollback();

private:
	size_t m_size;
};

// The parsing scope of one function or batch definition. open() records
// the defined name as a function where the definition stands and opens a
// scope below it in which the argument names are variables; close() ends a
// definition read whole. When the frame ends open (the definition failed),
// the scope is closed and the name reads as it did before.
class consoleParsingScopeFrame {
public:
	consoleParsingScopeFrame() = default;
	~consoleParsingScopeFrame();
	consoleParsingScopeFrame(const consoleParsingScopeFrame &) = delete;
	consoleParsingScopeFrame &operator=(const consoleParsingScopeFrame &) = delete;

	// args may be null: a definition without arguments.
	int open(const std::string &name, const consoleFuncArgSpecListStmt *args);
	int close();
	// What open() replaced in the state's global scope: the name's record
	// there before, or notGlobal when the name was recorded elsewhere.
	int replacedGlobalRecord(int notGlobal) const;

private:
	consoleScope *m_scope = nullptr; // the scope opened, owned while open
	std::string m_name;
	// where the name was recorded, and what that scope recorded before
	consoleScope *m_enclosing = nullptr;
	int m_previous = 0;
};
