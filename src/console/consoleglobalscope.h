#pragma once
// The global scope: the root of every scope chain, in which console
// commands run. Its variables are the application state's scene objects:
// reading a global variable reads the object of that name, assigning one
// creates or updates that object. The root registers every built-in
// function and holds the user constants in which the lookup of constants
// ends; loops that run in a global scope get block scopes that are global
// scopes too.
//
// At the end of each statement the global scope prints and shows, or hides,
// what the statement assigned; a displayed statement that assigned nothing
// leaves its value in "ans". It keeps the command lists that stopped at a
// suspend statement until a later command resumes them, and collects the
// names of the global variables that a dynamic statement reads.
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "console/consolescope.h"
#include "console/consolevariable.h"

class consoleStmtListStmt;

class consoleGlobalScope : public consoleScope {
public:
	// One global variable assigned by the current statement, with the
	// drawing attributes the user set explicitly on its value.
	struct caItem {
		std::string name;
		int forceFlags;
	};
	// A command list that stopped at a suspend statement, with the index
	// stack that leads back to the statement after it (malloc'ed, owned)
	// and the batch calls stopped on the way there.
	struct suspendList {
		consoleStmtListStmt *stmtList;
		int *suspendIdcs;
		consoleStoppedCalls calls;
	};

	// The inner product of a new root, until inner_product() names another.
	static constexpr const char *sc_defaultInnerProduct = "hip";

	// The root with a null parent; a block scope below its enclosing global scope.
	explicit consoleGlobalScope(consoleGlobalScope *m_parent);
	~consoleGlobalScope() override;

	// Constants and the variables of the chain first, then the state's
	// algebra object of that name: a new variable holding its value, colour,
	// draw mode and draw method, flagged lhs and rhs.
	int lookupVariable(int sid, const std::string &name, int global, consoleVariable **variable) override;
	// A new global scope below this one, with this scope's flags but no
	// permission to suspend; owned by the caller.
	consoleScope *subScope() override;
	// Empties the assignment list, then keeps the permissions and modes,
	// and a requested reset, which waits for the end of the command.
	int startStatement() override;
	// Unless assignments are not to be displayed: removes "ans", then a
	// verbose statement prints and shows what it assigned (its result as
	// "ans" when it assigned nothing), any other hides it.
	int endStatement(consoleVariable *result, int verbose) override;
	// Creates or updates the state's object named as target from value, in
	// value's colour, coloured by "autocolorfunc" first while "autocolor" is
	// true; returns a new copy of what was stored.
	consoleVariable *assignVariable(consoleVariable *target, consoleVariable *value) override;
	// The root records name, cut before its first "[", for the dynamic
	// statement being run; a block scope hands it on.
	int dynStmtVariable(const std::string &pname) override;

	// True, saying so unless errors are suppressed, when name is the
	// camera's (campos, camori) and its new value is not finite: the view
	// would show nothing until a reset, and a saved scene would keep it.
	// Every write of the camera asks this first.
	bool cameraRefuses(const std::string &name, bool finite);
	// Whether a constant that command makes may take name: not the
	// camera's (a constant would take its place, and the camera could not
	// move again), a name a saved scene holds, and one that none of holders
	// (state::sc_heldBy...) holds; otherwise false, after a message.
	// Asked before anything of the command runs, and again of the value.
	bool constantNameAllowed(const std::string &name, const char *command, const char *kept, int holders);
	// The scope in which a command on the constants runs: s when it is a
	// global scope; null, after the message refusal, anywhere else.
	static consoleGlobalScope *commandScope(consoleScope *s, const char *refusal);

	// The global variables that the current statement assigned, repeats kept.
	int addConsoleAssignmentList(std::string name, int forceFlags);
	int clearConsoleAssignmentList();
	// The list handed over and emptied, and a list put back: what runs in
	// the middle of a statement (the dynamic statements) keeps apart from it.
	std::vector<caItem> takeConsoleAssignmentList();
	void restoreConsoleAssignmentList(std::vector<caItem> list);
	// Each prints, shows or hides the listed objects, empties the list and returns ans.
	consoleVariable *displayConsoleAssignmentList(consoleVariable *ans);
	consoleVariable *hideConsoleAssignmentList(consoleVariable *ans);

	// Runs a command list here and takes it over: kept when it suspended,
	// deleted otherwise. A null list does nothing.
	int execStmtList(consoleStmtListStmt *stmtList);
	// Continues the newest suspended list, if any.
	int resumeStmtList();
	int addSuspendStmtList(consoleStmtListStmt *stmtList, int *suspendIdcs, consoleStoppedCalls calls);
	int nbSuspendedStmtLists() const { return (int)m_suspendedStmtList.size(); }

	// The names collected for a dynamic statement, handed over (null when
	// none were read); the scope holds none afterwards.
	std::set<std::string> *getDynStmtVariables();
	int freeDynStmtVariables();

	// User constants live in the root; a block scope hands these on to it.
	// A constant takes the place of the state's object of its name.
	int addConstant(const std::string &name, consoleVariable *C);
	int removeConstant(const std::string &name);
	// 0 with a new variable holding the constant, cast to the root's default
	// model and flagged rhs only; -1 with null when there is none.
	int lookupUserConstant(const std::string &name, consoleVariable **variable);
	bool isUserConstant(const std::string &name);
	// Renames the first builtin constant called oldName, and its basis
	// vector in the text forms of its algebra; nothing for an unknown name.
	int renameBuiltinConstant(const std::string &oldName, const std::string &newName);
	// Every builtin constant, and the text forms of the algebras, take their
	// first names again.
	static void restoreBuiltinNames();
	// --- the console lines of a saved scene (consoleglobalwriter.cpp), which
	// a new program reads back as they were
	// One line "console rename_builtin_const(first name, name);" per builtin
	// constant called otherwise now; when a new name is another renamed
	// constant's first name, each goes through a name no constant has.
	int writeRenamesToGeoFile(FILE *F);
	// One line "console add_const(name = value);" per user constant, in name
	// order, the value written to the last bit, in the console's names of
	// the moment (the renames come first), so that it reads back exactly; a
	// value of a model other than the default one is added in its own model,
	// between two default_model() calls on its line.
	int writeConstantsToGeoFile(FILE *F);

	// No suspended lists, no collected names.
	void initToNothing();

	// the user functions of a saved scene are read from the root's table
	friend class consoleSavedFunctions;

protected:
	// the root of the chain, where the constants are kept
	consoleGlobalScope *root();
	// The draw mode and truth of what name reads as here, as lookupVariable
	// gives them with the global prefix, without copying an object's value;
	// false when the name reads as nothing.
	bool readsAs(const std::string &name, int *drawMode, bool *isTrue);

	std::vector<caItem> m_consoleAssignmentList;
	// oldest first, each list with its index stack, owned
	std::vector<suspendList> m_suspendedStmtList;
	// the names a dynamic statement read; owned; null until the first name
	std::set<std::string> *m_dynStmtVariables;
	std::map<std::string, consoleVariable> m_userConstants;
};
