// The viewer's commands on the interpreter and the application: user and
// builtin constants, the removal of dynamic statements and the request of
// a reset. The constant and reset commands act only from the global scope.
#include "console/consoleglobalscope.h"
#include "console/consoleviewerfunctions.h"
#include "os/osdep.h"
#include "state/state.h"

namespace {

consoleVariable *nothing() { return new consoleVariable("", e3ga(0.0)); }

// A command that gives a constant a name: what it says when refused, and
// what may not hold the name. A constant is known, and saved, by its name;
// it would hide a control's variable or a function of that name, which a
// saved scene could then not give back, and a saved scene that renames
// first would find a name that another constant holds taken when it makes
// that one. A user's constant would itself be hidden by the builtin
// constant of its name, and its saved line could not assign it.
struct constantCommand {
	const char *name;
	const char *scopeRefusal;
	const char *kept;
	int holders;
	// how a refusal calls each argument, which must name a variable
	const char *argumentWords[2];
};
constexpr constantCommand sc_addConst = {"add_const", "add_const() can only be called in the global scope!\n",
                                         "no constant is added",
                                         state::sc_heldByBuiltinConstant | state::sc_heldByControl |
                                             state::sc_heldByFunction,
                                         {"the value", nullptr}};
constexpr constantCommand sc_renameConst = {
	"rename_builtin_const", "rename_builtin_const() can only be called in the global scope!\n",
	"the constant keeps its name", state::sc_heldByConstant | state::sc_heldByControl | state::sc_heldByFunction,
	{"argument 1", "argument 2"}};

// Refuses the command for its argument index, which names nothing.
void refuseUnnamed(const constantCommand &c, int index)
{
	cprintf("%s(): %s has no name; %s\n", c.name, c.argumentWords[index], c.kept);
}

// Whether the command may give a constant the name; from, the name that a
// renamed constant has (empty for a new one), is its own.
bool nameAllowed(consoleGlobalScope *g, const constantCommand &c, const std::string &name, const std::string &from)
{
	return g->constantNameAllowed(name, c.name, c.kept, name == from ? 0 : c.holders);
}

} // namespace

bool consoleConstantCallAllowed(consoleScope *s, const std::string &command, const std::string &name,
                                const std::string &from, int unnamed)
{
	const constantCommand &c = command == sc_addConst.name ? sc_addConst : sc_renameConst;
	consoleGlobalScope *g = consoleGlobalScope::commandScope(s, c.scopeRefusal);
	if (g == nullptr) return false;
	if (unnamed < 0) return nameAllowed(g, c, name, from);
	refuseUnnamed(c, unnamed);
	return false;
}

consoleVariable *cf_add_const(consoleScope *s, consoleVariable **a, const consoleFunc_s *)
{
	consoleGlobalScope *g = consoleGlobalScope::commandScope(s, sc_addConst.scopeRefusal);
	if (g == nullptr) return nothing();
	// a name written plainly was judged before the argument ran; this
	// judges the name that the value brought
	const std::string &name = a[0]->name();
	if (!a[0]->userNamed()) refuseUnnamed(sc_addConst, 0);
	else if (nameAllowed(g, sc_addConst, name, std::string())) g->addConstant(name, a[0]);
	return nothing();
}

consoleVariable *cf_remove_const(consoleScope *s, consoleVariable **a, const consoleFunc_s *)
{
	const char *refusal = "remove_const() can only be called in the global scope!\n";
	if (consoleGlobalScope *g = consoleGlobalScope::commandScope(s, refusal)) g->removeConstant(a[0]->name());
	return nothing();
}

consoleVariable *cf_rename_builtin_const(consoleScope *s, consoleVariable **a, const consoleFunc_s *)
{
	consoleGlobalScope *g = consoleGlobalScope::commandScope(s, sc_renameConst.scopeRefusal);
	if (g == nullptr) return nothing();
	const std::string &from = a[0]->name(), &to = a[1]->name();
	if (nameAllowed(g, sc_renameConst, to, from)) g->renameBuiltinConstant(from, to);
	return nothing();
}

consoleVariable *cf_cld(consoleScope *, consoleVariable **, const consoleFunc_s *)
{
	if (g_state != nullptr) g_state->removeAllDynStmt();
	return nothing();
}

consoleVariable *cf_cld_1(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	if (g_state != nullptr) g_state->removeDynStmt(a[0]->name());
	return nothing();
}

consoleVariable *cf_reset(consoleScope *s, consoleVariable **, const consoleFunc_s *)
{
	if (consoleGlobalScope::commandScope(s, "Error: reset() can only be called in global scope\n") == nullptr)
		return nothing();
	// the request is read from the root when the command ends, also when it
	// was made in a loop's block scope, which is gone by then
	while (s->parentScope() != nullptr) s = s->parentScope();
	s->resetRequested(1);
	return nothing();
}
