#pragma once
// The arguments of the calls that bind names, judged before any of them
// runs: a console control binds global variables and a constant takes a
// name, which their arguments assign, so a call refused for a name must
// not leave anything behind.
#include <string>

class consoleScope;
class consoleStatement;

// Whether a call of that name with the argument list args (null for none)
// may run. A call that makes a console control names each variable its
// control binds plainly, "x" or "x = value", by a name that a saved scene
// holds and that no constant, function or camera holds; a call that makes
// or renames a constant runs in a global scope, and a name it gives that
// is written plainly (in parentheses or not) is free for a constant.
// Otherwise this says why, and nothing of the call runs. Any other call
// may run.
bool consoleBindingCallAllowed(consoleScope *s, const std::string &name, consoleStatement *args);
// Whether argument index (from 0) of a call of that name is a variable
// that a console control binds.
bool consoleControlArgBinds(const std::string &call, int index);
