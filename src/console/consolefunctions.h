#pragma once
// Console functions: the row that describes one callable function (a
// built-in entry, or a user function or batch defined in the language), the
// table of built-in rows, and the one dispatcher through which every call,
// operator, coercion and cast of the interpreter goes.
#include <string>

class consoleFuncStmt;
class consoleScope;
class consoleVariable;

struct consoleFunc_s;

// A built-in's entry: the calling scope, the call's arguments (already of the
// models the row asks for) and the row itself. Returns a new value, or one of
// its arguments; never null.
typedef consoleVariable *(*consoleFuncPtr)(consoleScope *scope, consoleVariable **arg, const consoleFunc_s *func);
// The type of a built-in's entry itself, for declaring entries.
typedef consoleVariable *cf_entry(consoleScope *s, consoleVariable **arg, const consoleFunc_s *row);

// Room for the arguments of one call: the row's type words and the
// dispatcher's argument arrays have this many slots.
constexpr int CONSOLE_MAX_ARGS = 8;

// Argument type words: the model code in bits 13 to 15 (0x2000 e3ga, 0x4000
// p3ga, 0x6000 c3ga, 0x8000 i2ga), and these bits.
constexpr int CFA_MODEL_MASK = 0xE000;
constexpr int CFA_ANY_MODEL = 0x10000000; // no coercion, no cost
constexpr int CFA_RHS = 0x20000000;       // may be passed a value
constexpr int CFA_LHS = 0x40000000;       // may be passed a variable that the function writes
// what two words must share for the same model
constexpr int CFA_MODEL_COMPARE_MASK = CFA_ANY_MODEL | CFA_MODEL_MASK;

struct consoleFunc_s {
	const char *name;
	// the definition of a user function or batch; null for a built-in
	consoleFuncStmt *funcStmt;
	// the entry of a built-in; null for a user function or batch
	consoleFuncPtr funcPtr;
	int nbArg;
	// one type word per argument; the words beyond nbArg are not read
	int arg[CONSOLE_MAX_ARGS];
};

// The built-in rows, ended by a row whose name is null.
extern const consoleFunc_s c_consoleFunc[];

// Calls the function name with the argument chain cv (null for none) in
// scope: the best-matching row of the scope chain, arguments of another
// model coerced through the casts. Consumes the chain. Returns a new value
// owned by the caller, flagged rhs and carrying the operator code of the
// first argument; a failed call prints why and yields the e3ga scalar 0.0.
consoleVariable *consoleExecFunc(consoleScope *scope, const std::string &name, consoleVariable *cv);
// Calls a one-argument function on cv, which may sit inside a longer chain:
// the result is linked to cv's successor, so that it can take cv's place.
consoleVariable *consoleExecUnaryFunc(consoleScope *scope, const std::string &name, consoleVariable *cv);
// Frees the chain cv from its last element back to its first; every link
// is cleared and every element but exempt is destroyed. Returns 0.
int consoleFreeCvList(consoleVariable *cv, consoleVariable *exempt);
// The signature of a row: name, "(", one type text per argument, ")"; the
// argument names of a user function follow their types when argNames is nonzero.
std::string getFuncStringNameWithArguments(const consoleFunc_s *f, int argNames);
