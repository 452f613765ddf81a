#pragma once
// The global scope: the root of every scope chain, in which console
// commands run. Its variables are the application state's scene objects:
// reading a global variable reads the object of that name, assigning one
// creates or updates that object. The root registers every built-in
// function and holds the user constants in which the lookup of constants
// ends; loops that run in a global scope get block scopes that are global
// scopes too.
#include <map>
#include <string>
#include <vector>

#include "console/consolescope.h"
#include "console/consolevariable.h"

class consoleGlobalScope : public consoleScope {
public:
	// One global variable assigned by the current statement, with the
	// drawing attributes the user set explicitly on its value.
	struct caItem {
		std::string name;
		int forceFlags;
	};

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
	// Empties the assignment list, then keeps the permissions and modes.
	int startStatement() override;
	// Creates or updates the state's object named as target from value, in
	// value's colour; returns a new copy of value.
	consoleVariable *assignVariable(consoleVariable *target, consoleVariable *value) override;

	// The global variables that the current statement assigned, repeats kept.
	int addConsoleAssignmentList(std::string name, int forceFlags);
	int clearConsoleAssignmentList();

	// User constants live in the root; a block scope hands these on to it.
	// A constant takes the place of the state's object of its name.
	int addConstant(const std::string &name, consoleVariable *C);
	int removeConstant(const std::string &name);
	// 0 with a new variable holding the constant, cast to the root's default
	// model and flagged rhs only; -1 with null when there is none.
	int lookupUserConstant(const std::string &name, consoleVariable **variable);

protected:
	// the root of the chain, where the constants are kept
	consoleGlobalScope *root();

	std::vector<caItem> m_consoleAssignmentList;
	std::map<std::string, consoleVariable> m_userConstants;
};
