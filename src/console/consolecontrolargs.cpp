// The arguments of the calls that make console controls, judged before any
// of them runs.
#include <algorithm>
#include <climits>

#include "console/consolecontrolargs.h"
#include "console/consoleexprstmt.h"
#include "console/consolefunctions.h"
#include "console/consolescope.h"
#include "os/osdep.h"
#include "state/state.h"

namespace {

// A call that makes a control: its name, the argument counts of its rows,
// and whether every argument binds a variable (a menu's options do) or the
// first alone.
struct bindingCall {
	const char *name;
	int fewestArgs, mostArgs;
	bool allBind;
};
constexpr bindingCall sc_bindingCalls[] = {
	{"ctrl_bool", 1, 1, false},
	{"ctrl_range", 3, 4, false},
	{"ctrl_select", 2, CONSOLE_MAX_ARGS, true},
};

// The operands of an argument's expression, in order.
int operandCount(const consoleStatement *arg)
{
	int n = 0;
	for (int i = 0; arg != nullptr && i < arg->nbChildren(); i++) n += arg->child(i) != nullptr;
	return n;
}
const consoleStatement *operand(const consoleStatement *arg, int k)
{
	for (int i = 0; i < arg->nbChildren(); i++)
		if (arg->child(i) != nullptr && k-- == 0) return arg->child(i);
	return nullptr;
}

// The variable that an argument names plainly, "x" or "x = value"; null
// for any other argument.
const consoleVariableStmt *plainVariable(const consoleStatement *arg)
{
	const int n = operandCount(arg);
	if (n == 0) return nullptr;
	const auto *v = dynamic_cast<const consoleVariableStmt *>(operand(arg, 0));
	// a sign or another prefix makes a value of it
	if (v == nullptr || v->op() != COP_NONE) return nullptr;
	if (n > 1 && operand(arg, 1)->op() != COP_ASSIGN) return nullptr;
	return v;
}

} // namespace

bool consoleControlCallAllowed(consoleScope *s, const std::string &name, const consoleStatement *args)
{
	const int count = args != nullptr ? args->nbChildren() : 0;
	for (const bindingCall &call : sc_bindingCalls) {
		// a count that no row takes is the dispatcher's to report
		if (name != call.name || count < call.fewestArgs || count > call.mostArgs) continue;
		// a user's function of that name is the user's
		int anyModel[CONSOLE_MAX_ARGS];
		std::fill(anyModel, anyModel + CONSOLE_MAX_ARGS, CFA_ANY_MODEL);
		const consoleFunc_s *row = nullptr;
		int bestDistance = INT_MAX;
		if (s->lookupFunctionRec(s->id(), name, 0, count, nullptr, anyModel, &row, &bestDistance) == 0 &&
		    row != nullptr && row->funcStmt != nullptr)
			return true;
		for (int i = 0; i < (call.allBind ? count : 1); i++) {
			const consoleVariableStmt *v = plainVariable(args->child(i));
			if (v == nullptr) {
				cprintf("%s(): argument %d is no variable's name; no control is made\n", call.name, i + 1);
				return false;
			}
			const char *what = i == 0 ? state::sc_controlWord : state::sc_optionWord;
			if (!state::nameFits(v->name(), what)) return false;
			if (g_state != nullptr &&
			    !g_state->nameFree(v->name(), what, state::sc_heldByConstant | state::sc_heldByFunction))
				return false;
		}
	}
	return true;
}
