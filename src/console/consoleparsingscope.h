#pragma once
// The scopes in which the parser records names while it reads a text. The
// lexer types a name as a function name or an identifier by asking the
// current one, so a definition read earlier in a text changes how the rest
// of the text is read. Every parse starts from the state's global scope,
// whose records outlive the parse; a definition opens a scope of its own
// for its argument names and body.
#include <string>

class consoleScope;
class consoleFuncArgSpecListStmt;

// The scope whose records the lexer consults; null when there is no state.
extern consoleScope *g_currentParsingScope;

// One parse: makes the state's global scope the parsing scope, and when the
// parse ends, however it ends, closes every parsing scope still open above
// it, so that nothing of the parse is left behind.
class consoleParsingScopeReset {
public:
	consoleParsingScopeReset();
	~consoleParsingScopeReset();
	consoleParsingScopeReset(const consoleParsingScopeReset &) = delete;
	consoleParsingScopeReset &operator=(const consoleParsingScopeReset &) = delete;

private:
	consoleScope *m_globalScope;
};

// The parsing scope of one function or batch definition. open() records
// the defined name as a function where the definition stands and opens a
// scope below it in which the argument names are variables; the scope is
// closed by close() or, when the definition fails, when the frame ends.
class consoleParsingScopeFrame {
public:
	consoleParsingScopeFrame() = default;
	~consoleParsingScopeFrame();
	consoleParsingScopeFrame(const consoleParsingScopeFrame &) = delete;
	consoleParsingScopeFrame &operator=(const consoleParsingScopeFrame &) = delete;

	// args may be null: a definition without arguments.
	int open(const std::string &name, const consoleFuncArgSpecListStmt *args);
	int close();

private:
	consoleScope *m_scope = nullptr; // the scope opened, owned while open
};
