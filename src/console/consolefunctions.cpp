// The dispatcher of every console call: lookup by name and argument types,
// coercion of arguments between models, and the call of a built-in, of a
// user function in a scope of its own, or of a batch in the caller's scope.
#include "console/consolefunctions.h"

#include "console/consoledefstmt.h"
#include "console/consolescope.h"
#include "console/consolevariable.h"
#include "os/osdep.h"

namespace {

// Calls of user functions and batches nested deeper than this stop with an
// error instead of overflowing the stack; each level takes a few kilobytes
// of it, and no sensible recursion of the console language goes this deep.
constexpr int sc_maxCallDepth = 1000;

// A non-scalar part at least this large makes a coercion worth a warning:
// below it the value is a scalar up to rounding.
constexpr double sc_coercionEpsilon = 1e-5;

// Nesting of user-function and batch calls now running.
int s_callDepth = 0;
// Set when the depth limit was hit: every user call fails at once until the
// outermost call has returned, so that the recursion unwinds in linear time.
bool s_unwinding = false;

// The argument word of a value: its model, and how it may be used.
int argumentWord(const consoleVariable *cv)
{
	return cv->model() | (cv->lhs() ? CFA_LHS : 0) | (cv->rhs() ? CFA_RHS : 0);
}

// The result of a failed call: an unnamed e3ga scalar 0.0.
consoleVariable *failure() { return consoleVariableScalar("", 0.0); }

// The sum of the squares of a value's coordinates in its own model.
double sumOfSquares(const consoleVariable *cv)
{
	switch (cv->model()) {
	case MODEL_E3GA: return cv->e().norm_a();
	case MODEL_P3GA: return cv->p().norm_a();
	case MODEL_C3GA: return cv->c().norm_a();
	case MODEL_I2GA: return cv->i2().norm_a();
	default: return 0.0;
	}
}

// Nonzero when a value has a part besides its scalar worth mentioning.
bool hasNonScalarPart(const consoleVariable *cv)
{
	double s = cv->scalar();
	return sumOfSquares(cv) - s * s >= sc_coercionEpsilon;
}

// The argument cv converted to the model of target (a row word masked
// with CFA_MODEL_COMPARE_MASK), with the messages of a coercion. Consumes cv.
consoleVariable *coerce(consoleScope *scope, consoleVariable *cv, int target)
{
	const char *model = consoleModelName(target);
	if (*model == 0) {
		if (!scope->supressErrors()) cprintf("Coerce '%s' failure!\n", cv->name().c_str());
		consoleVariable *r = failure();
		r->op(cv->op());
		delete cv;
		return r;
	}
	if (hasNonScalarPart(cv) && !scope->supressWarnings()) {
		if (scope->id() == 0) cprintf("Coerced '%s' to %s\n", cv->name().c_str(), model);
		else
			cprintf("Coerced '%s' to %s (in function %s)\n", cv->name().c_str(), model,
			        scope->functionName().c_str());
	}
	return consoleExecFunc(scope, std::string("cast_") + model, cv);
}

// Runs the user function or batch of row f; null when it may not run.
consoleVariable *callDefinition(consoleScope *scope, const std::string &name, const consoleFunc_s *f,
                                consoleVariable **arg)
{
	consoleFuncStmt *def = f->funcStmt;
	if (!def->function() && scope->id() != 0) {
		cprintf("Error, in function '%s': batch '%s' can only be called in global scope\n",
		        scope->functionName().c_str(), f->name);
		return nullptr;
	}
	if (s_unwinding) return nullptr;
	if (s_callDepth >= sc_maxCallDepth) {
		cprintf("Error: calls of '%s' nested more than %d deep, returning 0.0\n", f->name, sc_maxCallDepth);
		s_unwinding = true;
		return nullptr;
	}
	s_callDepth++;
	// a call that a suspension stopped continues the definition it began,
	// which a later one may have replaced; its count passes to this call
	consoleFuncStmt *stopped = scope->resumePending() ? scope->resumedCall(f->name, f->nbArg) : nullptr;
	if (stopped != nullptr) def = stopped;
	// the row may go while the call runs; the definition stays until it ends
	consoleFuncStmt::running call(def);
	if (stopped != nullptr) consoleFuncStmt::callEnds(stopped);
	consoleVariable *result;
	if (def->function()) {
		// a function runs in a scope of its own below the caller's
		consoleScope callScope(name, scope, -1);
		result = def->execute(&callScope, arg);
	} else {
		// a batch runs in the caller's scope, under its own name meanwhile
		std::string callerName = scope->functionName();
		scope->functionName(name);
		result = def->execute(scope, arg);
		scope->functionName(callerName);
		// a body that suspended holds its definition until it resumes
		if (scope->suspendStmt()) scope->addStoppedCall(def);
	}
	if (--s_callDepth == 0) s_unwinding = false;
	return result;
}

} // namespace

consoleVariable *consoleExecFunc(consoleScope *scope, const std::string &name, consoleVariable *cv)
{
	consoleVariable *arg[CONSOLE_MAX_ARGS];
	int argType[CONSOLE_MAX_ARGS];
	// step 1: the arguments and their words; a longer chain fits no row
	int nbArg = 0;
	bool tooMany = false;
	for (consoleVariable *a = cv; a != nullptr; a = a->next()) {
		if (nbArg == CONSOLE_MAX_ARGS) {
			tooMany = true;
			break;
		}
		arg[nbArg] = a;
		argType[nbArg++] = argumentWord(a);
	}
	// step 2: the row
	const consoleFunc_s *f = nullptr;
	if (tooMany || scope->lookupFunction(scope->id(), name, 0, nbArg, arg, argType, &f) != 0) {
		cprintf("Error: no function '%s' found that matches the arguments\n", name.c_str());
		consoleVariable *r = failure();
		if (cv != nullptr) r->op(cv->op());
		consoleFreeCvList(cv, nullptr);
		return r;
	}
	// step 3: arguments of another model are coerced in their place
	for (int i = 0; i < nbArg; i++) {
		int s = f->arg[i];
		if ((s & CFA_ANY_MODEL) || (argType[i] & CFA_MODEL_COMPARE_MASK) == (s & CFA_MODEL_COMPARE_MASK)) continue;
		consoleVariable *successor = arg[i]->next();
		arg[i]->next(nullptr);
		// the replacement carries the argument's operator code
		consoleVariable *replacement = coerce(scope, arg[i], s & CFA_MODEL_COMPARE_MASK);
		replacement->next(successor);
		if (i == 0) cv = replacement;
		else arg[i - 1]->next(replacement);
		arg[i] = replacement;
	}
	// step 4: the call
	consoleVariable *result = nullptr;
	if (f->funcPtr != nullptr) result = f->funcPtr(scope, arg, f);
	else if (f->funcStmt != nullptr) result = callDefinition(scope, name, f, arg);
	else cprintf("Warning: function call '%s' failed (dummy function in scope?), returning 0.0\n", f->name);
	if (result == nullptr) result = failure();
	// step 5: the result takes the first argument's place, as a computed
	// value, which no longer carries the look of an object it was read from
	result->rhs(1);
	result->objectLook(0);
	if (cv != nullptr) result->op(cv->op());
	consoleFreeCvList(cv, result);
	return result;
}

consoleVariable *consoleExecUnaryFunc(consoleScope *scope, const std::string &name, consoleVariable *cv)
{
	consoleVariable *successor = cv->next();
	cv->next(nullptr);
	consoleVariable *result = consoleExecFunc(scope, name, cv);
	result->next(successor);
	return result;
}

int consoleFreeCvList(consoleVariable *cv, consoleVariable *exempt)
{
	// reversed in place, so that the last element goes first
	consoleVariable *reversed = nullptr;
	while (cv != nullptr) {
		consoleVariable *next = cv->next();
		cv->next(reversed);
		reversed = cv;
		cv = next;
	}
	while (reversed != nullptr) {
		consoleVariable *next = reversed->next();
		reversed->next(nullptr);
		if (reversed != exempt) delete reversed;
		reversed = next;
	}
	return 0;
}

std::string getFuncStringNameWithArguments(const consoleFunc_s *f, int argNames)
{
	std::string s = std::string(f->name) + "(";
	// the type text of a model code; a blank for any model
	auto typeText = [](int code) {
		const char *m = consoleModelName(code);
		return *m ? std::string(m) + " " : std::string(" ");
	};
	if (f->funcStmt == nullptr) {
		for (int i = 0; i < f->nbArg; i++) s += (i ? ", " : "") + typeText(f->arg[i] & CFA_MODEL_COMPARE_MASK);
		return s + ")";
	}
	const consoleStatement *specs = f->funcStmt->child(0);
	for (int i = 0; specs != nullptr && i < specs->nbChildren() && specs->child(i) != nullptr; i++) {
		const consoleFuncArgSpecStmt *spec = static_cast<const consoleFuncArgSpecStmt *>(specs->child(i));
		s += (i ? ", " : "") + typeText(spec->model());
		if (argNames) s += spec->name();
	}
	return s + ")";
}
