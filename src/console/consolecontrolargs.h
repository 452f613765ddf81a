#pragma once
// The arguments of the calls that make console controls, judged before any
// of them runs: a control binds global variables, which its arguments
// assign, so a control that could not be made must not leave them behind.
#include <string>

class consoleScope;
class consoleStatement;

// Whether a call of that name with the argument list args (null for none)
// may run. A call that makes a console control names each variable its
// control binds plainly, "x" or "x = value", by a name that a saved scene
// holds and that no constant or function holds; otherwise this says why,
// and nothing of the call runs. Any other call may run.
bool consoleControlCallAllowed(consoleScope *s, const std::string &name, const consoleStatement *args);
