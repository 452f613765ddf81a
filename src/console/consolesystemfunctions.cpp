// The viewer's commands on the interpreter and the application: user and
// builtin constants, the removal of dynamic statements and the request of
// a reset. The constant and reset commands act only from the global scope.
#include "console/consoleglobalscope.h"
#include "console/consoleviewerfunctions.h"
#include "os/osdep.h"
#include "state/state.h"

namespace {

consoleVariable *nothing() { return new consoleVariable("", e3ga(0.0)); }

// The global scope a command runs in; null, with the message, anywhere else.
consoleGlobalScope *globalScope(consoleScope *s, const char *refusal)
{
	consoleGlobalScope *g = s->id() == 0 ? dynamic_cast<consoleGlobalScope *>(s) : nullptr;
	if (g == nullptr) cprintf("%s", refusal);
	return g;
}

} // namespace

consoleVariable *cf_add_const(consoleScope *s, consoleVariable **a, const consoleFunc_s *)
{
	consoleGlobalScope *g = globalScope(s, "add_const() can only be called in the global scope!");
	if (g == nullptr) return nothing();
	// a constant is known, and saved, by its name; it would hide a control's
	// variable or a function of that name, which a saved scene could then
	// not give back
	const std::string &name = a[0]->name();
	const int holders = state::sc_heldByControl | state::sc_heldByFunction;
	if (!a[0]->userNamed()) cprintf("add_const(): the value has no name; no constant is added\n");
	else if (!g->cameraRefusesConstant(name, "add_const", "no constant is added") && state::nameFits(name, "Constant") &&
	         (g_state == nullptr || g_state->nameFree(name, "Constant", holders)))
		g->addConstant(name, a[0]);
	return nothing();
}

consoleVariable *cf_remove_const(consoleScope *s, consoleVariable **a, const consoleFunc_s *)
{
	if (consoleGlobalScope *g = globalScope(s, "remove_const() can only be called in the global scope!"))
		g->removeConstant(a[0]->name());
	return nothing();
}

consoleVariable *cf_rename_builtin_const(consoleScope *s, consoleVariable **a, const consoleFunc_s *)
{
	consoleGlobalScope *g = globalScope(s, "rename_builtin_const() can only be called in the global scope!");
	if (g == nullptr) return nothing();
	// the new name is a constant's name, which a saved scene writes; the
	// constant would hide what holds it already, and a saved scene that
	// renames first would find that name taken when it makes the other
	const std::string &from = a[0]->name(), &to = a[1]->name();
	const int holders = state::sc_heldByConstant | state::sc_heldByControl | state::sc_heldByFunction;
	if (g->cameraRefusesConstant(to, "rename_builtin_const", "the constant keeps its name") || !state::nameFits(to, "Constant")) return nothing();
	if (to == from || g_state == nullptr || g_state->nameFree(to, "Constant", holders)) g->renameBuiltinConstant(from, to);
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
	if (globalScope(s, "Error: reset() can only be called in global scope\n") == nullptr) return nothing();
	// the request is read from the root when the command ends, also when it
	// was made in a loop's block scope, which is gone by then
	while (s->parentScope() != nullptr) s = s->parentScope();
	s->resetRequested(1);
	return nothing();
}
