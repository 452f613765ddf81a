#pragma once
// Statement kinds of definitions and settings: function and batch
// declarations and definitions with their formal arguments, dynamic
// statements, and the inner_product and default_model settings.
#include <string>

#include "console/consolestatement.h"

class consoleFuncArgSpecListStmt;
class consoleFuncArgSpecStmt;
class consoleStmtListStmt;

// Declaration of a function or batch without a body; child 0 the argument
// specifications, never null.
class consoleFuncDeclStmt : public consoleStatement {
public:
	consoleFuncDeclStmt(int line, int column, const std::string &name, consoleFuncArgSpecListStmt *arg, int function);
	consoleStatement *copy() const override { return new consoleFuncDeclStmt(*this); }
	char *string(int cr, int tl) override;
	consoleVariable *execute(consoleScope *s) override;

protected:
	std::string m_name;
	int m_function; // nonzero function, 0 batch
};

// Definition of a function or batch; child 0 the argument specifications,
// never null, child 1 the body, null when empty.
class consoleFuncStmt : public consoleStatement {
public:
	consoleFuncStmt(int line, int column, const std::string &name, consoleFuncArgSpecListStmt *arg,
	                consoleStmtListStmt *sl, int function);
	consoleStatement *copy() const override { return new consoleFuncStmt(*this); }
	char *string(int cr, int tl) override;
	// The definition met as a statement: sets the scope's definition flag, yields null.
	consoleVariable *execute(consoleScope *s) override;
	// A call: binds arg (one value per argument, the caller's) to the
	// argument names in s and runs the body there. Returns the returned
	// value, or the empty scalar.
	consoleVariable *execute(consoleScope *s, consoleVariable **arg);
	const std::string &workingDirectory() const { return m_workingDirectory; }
	const std::string &name() const { return m_name; }
	int function() const { return m_function; }
	int nbArguments() const { return m_child[0] != nullptr ? m_child[0]->nbChildren() : 0; }

	// The record of the name in the state's global scope that reading the
	// definition replaced (see consoleScope::identifierRecord), or
	// sc_readInBody: read in another definition's body, whose own parsing
	// scope took the name.
	static constexpr int sc_readInBody = -2;
	int replacedRecord() const { return m_replacedRecord; }
	void replacedRecord(int record) { m_replacedRecord = record; }

	// One call of def running: the definition outlives it, even when a
	// definition that the call runs replaces it meanwhile.
	class running {
	public:
		explicit running(consoleFuncStmt *def) : m_def(def) { callBegins(def); }
		~running() { callEnds(m_def); }
		running(const running &) = delete;
		running &operator=(const running &) = delete;

	private:
		consoleFuncStmt *m_def;
	};
	// One more call of def running, and one fewer: the last call to end
	// deletes a definition that its owner let go.
	static void callBegins(consoleFuncStmt *def) { def->m_calls.count++; }
	static void callEnds(consoleFuncStmt *def);
	// What the owner of a definition taken out of its table does: deletes
	// def now, or when the last call of it running ends. Null does nothing.
	static void release(consoleFuncStmt *def);

protected:
	int m_function; // nonzero function, 0 batch
	std::string m_name;
	// the state's working directory when the definition was built
	std::string m_workingDirectory;
	int m_replacedRecord = sc_readInBody;

private:
	// the calls running and whether the owner let go; a copy is another
	// definition, neither running nor let go
	struct callCount {
		callCount() = default;
		callCount(const callCount &) {}
		callCount &operator=(const callCount &) = delete;
		int count = 0;
		bool released = false;
	};
	callCount m_calls;
};

// One formal argument.
class consoleFuncArgSpecStmt : public consoleStatement {
public:
	// the type word of an argument of any model
	static constexpr int sc_anyModel = 0x10000000;

	consoleFuncArgSpecStmt(int line, int column, const std::string &name, int model);
	consoleStatement *copy() const override { return new consoleFuncArgSpecStmt(*this); }
	char *string(int cr, int tl) override;
	// Interpreted by its definition: does nothing and yields null.
	consoleVariable *execute(consoleScope *s) override;
	int model() const { return m_model; }
	const std::string &name() const { return m_name; }

protected:
	int m_model; // model code, or sc_anyModel
	std::string m_name;
};

// The formal arguments of a definition or declaration.
class consoleFuncArgSpecListStmt : public consoleStatement {
public:
	consoleFuncArgSpecListStmt(int line, int column);
	consoleFuncArgSpecListStmt(int line, int column, consoleFuncArgSpecStmt *arg);
	consoleStatement *copy() const override { return new consoleFuncArgSpecListStmt(*this); }
	char *string(int cr, int tl) override;
	// Interpreted by its definition: does nothing and yields null.
	consoleVariable *execute(consoleScope *s) override;
};

// dynamic{...}: a statement list that the state keeps and runs again; child 0 the list.
class consoleDynStmt : public consoleStatement {
public:
	consoleDynStmt(int line, int column, consoleStatement *stmt, const std::string &name);
	consoleStatement *copy() const override { return new consoleDynStmt(*this); }
	char *string(int cr, int tl) override;
	// In the global scope: runs a copy of the body once without display and
	// hands it to the state, which runs it again when what it read changes.
	consoleVariable *execute(consoleScope *s) override;
	const std::string &workingDirectory() const { return m_workingDirectory; }

protected:
	// the state's working directory when the statement was built
	std::string m_workingDirectory;
	std::string m_name; // empty when none was given
};

// A setting: "inner_product" with a function name, or "default_model" with a model code.
class consoleSetStmt : public consoleStatement {
public:
	consoleSetStmt(int line, int column, const std::string &what, const std::string &value);
	consoleSetStmt(int line, int column, const std::string &what, int value);
	consoleStatement *copy() const override { return new consoleSetStmt(*this); }
	char *string(int cr, int tl) override;
	// Sets the inner-product function or the default model of s.
	consoleVariable *execute(consoleScope *s) override;

protected:
	std::string m_what;
	std::string m_strValue;
	int m_intValue; // a model code, or -1: no default model, or a setting that takes a string
};
