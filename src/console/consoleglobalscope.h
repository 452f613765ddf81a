#pragma once
// The global scope: the root of every scope chain, in which console
// commands run. The root registers every built-in function and holds the
// user constants in which the lookup of constants ends; loops that run in a
// global scope get block scopes that are global scopes too.
#include <map>
#include <string>

#include "console/consolescope.h"
#include "console/consolevariable.h"

class consoleGlobalScope : public consoleScope {
public:
	// The root with a null parent; a block scope below its enclosing global scope.
	explicit consoleGlobalScope(consoleGlobalScope *m_parent);
	~consoleGlobalScope() override;

	// A new global scope below this one, with this scope's flags but no
	// permission to suspend; owned by the caller.
	consoleScope *subScope() override;

	// User constants live in the root; a block scope hands these on to it.
	int addConstant(const std::string &name, consoleVariable *C);
	int removeConstant(const std::string &name);
	// 0 with a new variable holding the constant, cast to the root's default
	// model and flagged rhs only; -1 with null when there is none.
	int lookupUserConstant(const std::string &name, consoleVariable **variable);

protected:
	// the root of the chain, where the constants are kept
	consoleGlobalScope *root();

	std::map<std::string, consoleVariable> m_userConstants;
};
