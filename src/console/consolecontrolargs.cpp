// The arguments of the calls that bind names, judged before any of them
// runs.
#include <algorithm>
#include <climits>

#include "console/consolecontrolargs.h"
#include "console/consoleexprstmt.h"
#include "console/consolefunctions.h"
#include "console/consolescope.h"
#include "console/consoleviewerfunctions.h"
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

// A call that gives a constant a name: its argument count, the argument
// that holds the name, and the one that names the renamed constant (-1:
// none).
struct constantCall {
	const char *name;
	int count, named, from;
};
constexpr constantCall sc_constantCalls[] = {
	{"add_const", 1, 0, -1},
	{"rename_builtin_const", 2, 1, 0},
};

// The operands of an argument's expression, in order.
int operandCount(const consoleStatement *arg)
{
	int n = 0;
	for (int i = 0; arg != nullptr && i < arg->nbChildren(); i++) n += arg->child(i) != nullptr;
	return n;
}
consoleStatement *operand(const consoleStatement *arg, int k)
{
	for (int i = 0; arg != nullptr && i < arg->nbChildren(); i++)
		if (arg->child(i) != nullptr && k-- == 0) return arg->child(i);
	return nullptr;
}

// Whether an argument is one operand, or an assignment of the operands
// after its first to the first. The value assigned may begin with a sign
// ("x = -1"), which the operand after "=" carries beside the assignment.
bool oneOrAssigned(const consoleStatement *arg)
{
	const int n = operandCount(arg);
	return n == 1 || (n > 1 && (operand(arg, 1)->op() & COP_INFIX_MASK) == COP_ASSIGN);
}

// The variable that an operand is when it is a name; a sign or another
// prefix makes a value of it.
consoleVariableStmt *variableOperand(consoleStatement *op)
{
	auto *v = dynamic_cast<consoleVariableStmt *>(op);
	return v != nullptr && v->op() == COP_NONE ? v : nullptr;
}

// The variable that an argument names plainly, "x" or "x = value"; null
// for any other argument.
consoleVariableStmt *plainVariable(const consoleStatement *arg)
{
	return oneOrAssigned(arg) ? variableOperand(operand(arg, 0)) : nullptr;
}

// The expression list within an operand that is parentheses without a
// prefix; null for any other operand.
const consoleStatement *parenthesised(const consoleStatement *op)
{
	const bool parentheses = op != nullptr && dynamic_cast<const consoleParExprStmt *>(op) != nullptr;
	return parentheses && op->op() == COP_NONE ? op->child(0) : nullptr;
}

// The variable that an operand is, a name, also within any parentheses;
// null for any other operand.
consoleVariableStmt *nameOperand(consoleStatement *op)
{
	for (const consoleStatement *inner; op != nullptr; op = operand(inner, 0)) {
		if (dynamic_cast<consoleVariableStmt *>(op) != nullptr) return variableOperand(op);
		inner = parenthesised(op);
		if (operandCount(inner) != 1) return nullptr;
	}
	return nullptr;
}

// The variable that an argument names, "x" or "x = value", within any
// parentheses, also those around x alone, whose value is the variable's;
// null for any other argument.
consoleVariableStmt *namedVariable(const consoleStatement *arg)
{
	for (; arg != nullptr && oneOrAssigned(arg); arg = parenthesised(operand(arg, 0))) {
		if (operandCount(arg) > 1) return nameOperand(operand(arg, 0));
		if (dynamic_cast<consoleVariableStmt *>(operand(arg, 0)) != nullptr) return variableOperand(operand(arg, 0));
	}
	return nullptr;
}

// Whether a user's function of that name and argument count takes the
// call, which is then the user's.
bool userFunction(consoleScope *s, const std::string &name, int count)
{
	int anyModel[CONSOLE_MAX_ARGS];
	std::fill(anyModel, anyModel + CONSOLE_MAX_ARGS, CFA_ANY_MODEL);
	const consoleFunc_s *row = nullptr;
	int bestDistance = INT_MAX;
	return s->lookupFunctionRec(s->id(), name, 0, count, nullptr, anyModel, &row, &bestDistance) == 0 &&
	       row != nullptr && row->funcStmt != nullptr;
}

// The word of the variable that argument index of a control binds.
const char *bindingWord(int index) { return index == 0 ? state::sc_controlWord : state::sc_optionWord; }

// Whether a control call may run: every variable it binds named plainly
// and free.
bool controlCallAllowed(consoleScope *s, const bindingCall &call, consoleStatement *args, int count)
{
	// a function's name where a variable is bound is refused whoever the
	// call is: as a variable it would hide the function, and the parser
	// read it as a name for this alone
	for (int i = 0; i < count; i++) {
		const consoleStatement *first = operand(args->child(i), 0);
		const auto *f = consoleControlArgBinds(call.name, i) ? dynamic_cast<const consoleFuncNameStmt *>(first) : nullptr;
		if (f == nullptr) continue;
		cprintf("%s '%s' is refused: it is the name of a function\n", bindingWord(i),
		        state::shownName(f->name()).c_str());
		return false;
	}
	// a count that no row takes is the dispatcher's to report
	if (count < call.fewestArgs || count > call.mostArgs || userFunction(s, call.name, count)) return true;
	for (int i = 0; i < (call.allBind ? count : 1); i++) {
		const consoleVariableStmt *v = plainVariable(args->child(i));
		if (v == nullptr) {
			cprintf("%s(): argument %d is no variable's name; no control is made\n", call.name, i + 1);
			return false;
		}
		// an array's element is no camera's variable
		const int holders = state::sc_heldByConstant | state::sc_heldByFunction |
		                    (v->indexed() ? 0 : state::sc_heldByCamera);
		if (!state::nameFits(v->name(), bindingWord(i))) return false;
		if (g_state != nullptr && !g_state->nameFree(v->name(), bindingWord(i), holders)) return false;
	}
	return true;
}

// Whether a constant call may run: in a global scope, with each argument
// that holds a name naming a variable, and with a name that a constant may
// take. An argument that names nothing would run for a constant never made.
bool constantCallAllowed(consoleScope *s, const constantCall &call, consoleStatement *args, int count)
{
	if (count != call.count || userFunction(s, call.name, count)) return true;
	consoleVariableStmt *v = namedVariable(args->child(call.named));
	consoleVariableStmt *from = call.from >= 0 ? namedVariable(args->child(call.from)) : nullptr;
	const int unnamed = call.from >= 0 && from == nullptr ? call.from : v == nullptr ? call.named : -1;
	// the names as the values will bring them, indices and all (which are
	// read once more when the arguments run)
	const std::string name = v == nullptr ? std::string() : v->getFullname(s);
	return consoleConstantCallAllowed(s, call.name, name, from == nullptr ? std::string() : from->getFullname(s),
	                                  unnamed);
}

} // namespace

bool consoleControlArgBinds(const std::string &call, int index)
{
	for (const bindingCall &c : sc_bindingCalls)
		if (call == c.name) return index == 0 || c.allBind;
	return false;
}

bool consoleBindingCallAllowed(consoleScope *s, const std::string &name, consoleStatement *args)
{
	const int count = args != nullptr ? args->nbChildren() : 0;
	for (const bindingCall &call : sc_bindingCalls)
		if (name == call.name) return controlCallAllowed(s, call, args, count);
	for (const constantCall &call : sc_constantCalls)
		if (name == call.name) return constantCallAllowed(s, call, args, count);
	return true;
}
