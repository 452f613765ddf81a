#pragma once
// The scopes in which console statements run. A chain of scopes, linked to
// their parents, ends in a global scope: block scopes that loops make sit
// below the scope of their loop, and each call of a user function gets a
// scope of its own. A scope holds its variables, its functions, the names
// the lexer classes as functions, the flag word that carries control flow
// (return, break, continue, suspend) and message suppression, the default
// model and inner-product name, and the statement indices with which
// suspended statement lists resume.
//
// Every variable that a lookup or assignment returns is new and owned by the
// caller. Every operation returns 0 on success unless it says otherwise.
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "console/consolemodel.h"
#include "console/consolestoppedcalls.h"

class consoleFuncStmt;
class consoleVariable;
struct consoleFunc_s;

// Flag bits of a scope's flag word.
enum consoleScopeFlag {
	SF_RETURN = 1,                       // a return statement ran
	SF_FUNC = 2,                         // the statement just run was a definition
	SF_BREAK = 4,                        // a break statement ran
	SF_CONTINUE = 8,                     // a continue statement ran
	SF_SUSPEND = 16,                     // a suspend statement ran: the lists unwind
	SF_BREAK_ALLOWED = 32,               // inside a loop body or a case
	SF_CONTINUE_ALLOWED = 64,            // inside a loop body
	SF_SUSPEND_ALLOWED = 128,            // only in a root global scope
	SF_NO_ASSIGNMENT_DISPLAY = 256,      // assigned objects are neither shown nor hidden
	SF_DYN_STMT_VARIABLE_COLLECT = 512,  // reads report their names (dynamic statements)
	SF_RESET_REQUESTED = 1024,           // a reset of the application was requested
	SF_SUPRESS_WARNINGS = 2048,
	SF_SUPRESS_ERRORS = 4096,
};

// The flags that survive the start of a statement: the permissions and modes.
constexpr int SF_KEPT_AT_STATEMENT_START = SF_BREAK_ALLOWED | SF_CONTINUE_ALLOWED | SF_SUSPEND_ALLOWED |
                                           SF_NO_ASSIGNMENT_DISPLAY | SF_DYN_STMT_VARIABLE_COLLECT |
                                           SF_SUPRESS_WARNINGS | SF_SUPRESS_ERRORS;

class consoleScope {
public:
	// A builtin constant: its name and its value, exactly one of the four
	// pointers set, and the name it has when the program starts; a rename
	// makes name a heap copy.
	struct builtinConstant {
		constexpr builtinConstant(const char *n, const e3gai *ev, const p3gai *pv, const c3gai *cv, const i2gai *iv)
		    : name(n), e(ev), p(pv), c(cv), i2(iv), firstName(n)
		{
		}
		bool renamed() const { return name != firstName; }
		const char *name;
		const e3gai *e;
		const p3gai *p;
		const c3gai *c;
		const i2gai *i2;
		const char *firstName;
	};
	// What the builtin constant first called firstName is called now;
	// firstName itself when no builtin constant was called so.
	static std::string builtinName(const std::string &firstName);
	// Whether a builtin constant is called name now.
	static bool isBuiltinConstant(const std::string &name);
	// The builtin constants, ended by a row whose name is null. They hide
	// variables of the same name.
	static builtinConstant s_constant[];

	// A key of the variable map: points at the stored variable's own name.
	struct stringPtr {
		const std::string *ptr;
	};
	struct stringPtrHash {
		size_t operator()(const stringPtr &a) const { return std::hash<std::string>()(*a.ptr); }
	};
	struct stringPtrEqual {
		bool operator()(const stringPtr &a, const stringPtr &b) const { return *a.ptr == *b.ptr; }
	};

	// id: 0 for a global scope, -1 for a fresh id (a function call), the
	// parent's id for a block scope.
	consoleScope(const std::string &fname, consoleScope *parentScope, int id);
	consoleScope(const consoleScope &) = delete;
	consoleScope &operator=(const consoleScope &) = delete;
	virtual ~consoleScope();

	// --- operations that a global scope does its own way
	// 0 with a new variable through variable, or -1. sid: the id of the scope
	// of the reading statement; global: the name was written with "::".
	virtual int lookupVariable(int sid, const std::string &name, int global, consoleVariable **variable);
	// A new block scope below this one, owned by the caller.
	virtual consoleScope *subScope();
	// Called by a statement list before and after each of its statements.
	virtual int startStatement();
	virtual int endStatement(consoleVariable *result, int verbose);
	// Stores value under the name of target; returns a new variable holding
	// what was stored. target and value stay the caller's.
	virtual consoleVariable *assignVariable(consoleVariable *target, consoleVariable *value);
	// Records a name read while a dynamic statement runs.
	virtual int dynStmtVariable(const std::string &name);

	// --- fields
	consoleScope *parentScope() const { return m_parentScope; }
	// The outermost scope of the call this one belongs to (this scope, when
	// it is no block): where a block's assignments and definitions land,
	// so that they outlive the block.
	consoleScope *callScope();
	int getDefaultModel() const { return m_defaultModel; }
	int setDefaultModel(int model);
	const std::string &innerProduct() const { return m_ip; }
	int setInnerProduct(const std::string &name);
	const std::string &functionName() const { return m_functionName; }
	int functionName(const std::string &name);
	int id() const { return m_id; }
	int flags() const { return m_flags; }
	int flags(int flags);
	int getFlag(int bit) const { return m_flags & bit; }
	int setFlag(int bit, int on);

	int returnStmt() const { return getFlag(SF_RETURN); }
	int returnStmt(int on) { return setFlag(SF_RETURN, on); }
	int funcStmt() const { return getFlag(SF_FUNC); }
	int funcStmt(int on) { return setFlag(SF_FUNC, on); }
	int breakStmt() const { return getFlag(SF_BREAK); }
	int breakStmt(int on) { return setFlag(SF_BREAK, on); }
	int continueStmt() const { return getFlag(SF_CONTINUE); }
	int continueStmt(int on) { return setFlag(SF_CONTINUE, on); }
	int suspendStmt() const { return getFlag(SF_SUSPEND); }
	int suspendStmt(int on) { return setFlag(SF_SUSPEND, on); }
	int breakStmtAllowed() const { return getFlag(SF_BREAK_ALLOWED); }
	int breakStmtAllowed(int on) { return setFlag(SF_BREAK_ALLOWED, on); }
	int continueStmtAllowed() const { return getFlag(SF_CONTINUE_ALLOWED); }
	int continueStmtAllowed(int on) { return setFlag(SF_CONTINUE_ALLOWED, on); }
	int suspendStmtAllowed() const { return getFlag(SF_SUSPEND_ALLOWED); }
	int suspendStmtAllowed(int on) { return setFlag(SF_SUSPEND_ALLOWED, on); }
	int noAssignmentDisplay() const { return getFlag(SF_NO_ASSIGNMENT_DISPLAY); }
	int noAssignmentDisplay(int on) { return setFlag(SF_NO_ASSIGNMENT_DISPLAY, on); }
	int dynStmtVariableCollect() const { return getFlag(SF_DYN_STMT_VARIABLE_COLLECT); }
	int dynStmtVariableCollect(int on) { return setFlag(SF_DYN_STMT_VARIABLE_COLLECT, on); }
	int resetRequested() const { return getFlag(SF_RESET_REQUESTED); }
	int resetRequested(int on) { return setFlag(SF_RESET_REQUESTED, on); }
	int supressWarnings() const { return getFlag(SF_SUPRESS_WARNINGS); }
	int supressWarnings(int on) { return setFlag(SF_SUPRESS_WARNINGS, on); }
	int supressErrors() const { return getFlag(SF_SUPRESS_ERRORS); }
	int supressErrors(int on) { return setFlag(SF_SUPRESS_ERRORS, on); }

	// --- variables and constants
	// This scope only; -1 when its id is neither 0 nor sid.
	int lookupLocalVariable(int sid, const std::string &name, int global, consoleVariable **variable);
	// Builtin constants, then the user constants of the root global scope.
	int lookupConstant(int sid, const std::string &name, int global, consoleVariable **variable);
	// Casts a constant of model e3ga to the default model; flags it rhs only.
	int processConstant(consoleVariable **variable);
	int removeVariable(const std::string &name);
	int removeAllVariables();
	// For program code outside the interpreter (camera, animation, controls).
	int externalLookupVariable(const std::string &name, int global, e3ga &val);
	int externalAssignVariable(const std::string &name, const e3ga &val, int drawMode);

	// --- functions
	// Adds a copy of func, replacing a row with the same signature.
	int addFunction(const consoleFunc_s *func);
	// Adds a user function or batch; -1, adding nothing, for a definition
	// with more arguments than a call can pass.
	int addUserFunction(consoleFuncStmt *funcStmt);
	int removeFunction(const std::string &signature);
	int removeAllFunctions();
	int freeFunction(consoleFunc_s *func);
	// 1 when this scope (with global: the nearest global scope) has a row of that name.
	int existFunction(int sid, const std::string &name, int global);
	// The cheapest row of that name and argument count on the chain, checked
	// for the lhs and rhs use of each argument: 0, or -1 with a null row.
	int lookupFunction(int sid, const std::string &name, int global, int nbArg, consoleVariable **arg,
	                   int *argType, const consoleFunc_s **func);
	int lookupFunctionRec(int sid, const std::string &name, int global, int nbArg, consoleVariable **arg,
	                      int *argType, const consoleFunc_s **func, int *bestDistance);
	// The same for a name by the number its rows are indexed under; -1 finds nothing.
	int lookupFunctionRec(int sid, int name, int global, int nbArg, int *argType, const consoleFunc_s **func,
	                      int *bestDistance);

	// --- names as the lexer classes them
	int setFunctionOrVariable(const std::string &ident, bool value);
	// What this scope alone records of ident: sc_noRecord, 0 a variable, 1
	// a function; and that record put back, sc_noRecord forgetting the name.
	static constexpr int sc_noRecord = -1;
	int identifierRecord(const std::string &ident) const;
	int setIdentifierRecord(const std::string &ident, int record);
	// Nonzero when the nearest scope that records the name records a function.
	int isFunction(const std::string &name) const;

	// --- suspension and resumption
	// Index stacks are malloc'ed int arrays: element 0 the count n, elements
	// 1 to n the statement indices, the innermost list's first.
	int addSuspendIdx(int index);
	// Hands the suspend stack over (to be freed with free); null when none.
	int *getSuspendIdcs();
	// A batch call whose body suspended, recorded as the lists record their
	// indices; and the calls recorded, handed over with the suspend stack.
	void addStoppedCall(consoleFuncStmt *def) { m_stoppedCalls.add(def); }
	consoleStoppedCalls takeStoppedCalls() { return std::move(m_stoppedCalls); }
	// Takes ownership of idcs as the resume stack, and of the calls stopped
	// on its path, letting go of those held.
	int setResumeIdcs(int *idcs, consoleStoppedCalls calls = consoleStoppedCalls());
	// The definition that a call of name with nbArg arguments on the resumed
	// path continues, as consoleStoppedCalls::resume gives it.
	consoleFuncStmt *resumedCall(const char *name, int nbArg) { return m_resumedCalls.resume(name, nbArg); }
	// The last resume index, removed from the stack; 0 when there is none.
	int getResumeIdx();
	// Nonzero while resume indices wait to be taken.
	int resumePending() const { return m_resumeIdx != nullptr && m_resumeIdx[0] > 0; }
	// Drops the resume indices left when a resumed path no longer reaches
	// the statement lists they were meant for.
	int dropResumeIdcs();
	int suspendIdxCount() const { return m_suspendIdx ? m_suspendIdx[0] : 0; }

	// The next fresh id.
	static int m_idCount;

protected:
	// how names are classed here: true for a function, false for a variable
	std::unordered_map<std::string, bool> m_identifierTable;
	// rows keyed by their signature without argument names; owned copies
	std::map<std::string, consoleFunc_s *> m_functions;
	// the rows of m_functions by the number of their name, in key order,
	// so that a call finds its candidates without comparing names
	std::unordered_map<int, std::vector<const consoleFunc_s *>> m_rowsByName;
	// owned variables, keyed by their own names
	std::unordered_map<stringPtr, consoleVariable *, stringPtrHash, stringPtrEqual> m_variables;
	consoleScope *m_parentScope; // not owned
	std::string m_functionName;
	int m_defaultModel; // model code of constants read here, -1 for none
	std::string m_ip;   // the function of the inner-product operator
	int m_id;
	int m_flags;
	int *m_suspendIdx;
	int *m_resumeIdx;
	// the calls stopped with m_suspendIdx, and those m_resumeIdx resumes
	consoleStoppedCalls m_stoppedCalls;
	consoleStoppedCalls m_resumedCalls;

private:
	// Rebuilds the entry of m_rowsByName of a function name.
	void indexRowsNamed(const std::string &name);
};

// The cost of passing arguments of the types actualArg where a row asks for formalArg.
int distance(int nbArg, const int *formalArg, const int *actualArg);
