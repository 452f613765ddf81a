// The functions of a scope: rows keyed by signature, the choice among the
// rows of one name by argument cost, and the classing of names as
// functions or variables for the lexer.
#include <cstdlib>
#include <cstring>

#include "console/consoledefstmt.h"
#include "console/consolefunctions.h"
#include "console/consolescope.h"
#include "console/consolevariable.h"
#include "os/osdep.h"

namespace {

// Cost of passing an argument of one model (row) where another is asked
// for (column), in the order e3ga, p3ga, c3ga, i2ga. Conversions towards a
// later model are cheap; towards an earlier one they lose parts, and any
// row that needs none of them wins.
const int dmatrix[4][4] = {
	{0, 1, 2, 5},
	{101, 0, 1, 6},
	{102, 101, 0, 5},
	{102, 103, 101, 0},
};

// Cost of a word without a model of the table: dearer than any conversion,
// so that a row that names a model always wins over it.
constexpr int sc_unknownModelCost = 1000;

// The starting best cost of a lookup: above any sum of costs of 8 arguments.
constexpr int sc_noRowCost = 0x40000000;

// The index of a word's model in dmatrix; -1 for none.
int modelIndex(int word)
{
	int i = ((word & CFA_MODEL_MASK) >> 13) - 1;
	return i >= 0 && i < 4 ? i : -1;
}

// The first key of the rows named name: every such key starts with name and "(".
std::string keyPrefix(const std::string &name) { return name + "("; }

// The numbers of the names that rows have been added under, one per name for
// the life of the program: a call's name is looked up once here, and each
// scope finds its rows by the number.
std::unordered_map<std::string, int> &nameNumbers()
{
	static std::unordered_map<std::string, int> numbers;
	return numbers;
}

// The number of a function name, given one when it has none yet.
int numberOfName(const std::string &name)
{
	auto inserted = nameNumbers().emplace(name, (int)nameNumbers().size());
	return inserted.first->second;
}

// The number of a function name; -1 for a name no row was ever added under.
int foundNameNumber(const std::string &name)
{
	auto it = nameNumbers().find(name);
	return it == nameNumbers().end() ? -1 : it->second;
}

} // namespace

int distance(int nbArg, const int *formalArg, const int *actualArg)
{
	int d = 0;
	for (int i = 0; i < nbArg; i++) {
		int f = formalArg[i], a = actualArg[i];
		if (((f | a) & CFA_ANY_MODEL) || f == a) continue;
		int row = modelIndex(a), column = modelIndex(f);
		d += (row < 0 || column < 0) ? sc_unknownModelCost : dmatrix[row][column];
	}
	return d;
}

int consoleScope::addFunction(const consoleFunc_s *func)
{
	if (func == nullptr || func->name == nullptr || func->nbArg < 0 || func->nbArg > CONSOLE_MAX_ARGS) return -1;
	consoleFunc_s *f = new consoleFunc_s(*func);
	f->name = strdup(func->name);
	if (f->name == nullptr) {
		delete f;
		throw std::bad_alloc();
	}
	std::string key = getFuncStringNameWithArguments(f, 0);
	// the same definition registered again stays alive in its new row
	auto old = m_functions.find(key);
	if (old != m_functions.end() && old->second->funcStmt == f->funcStmt) old->second->funcStmt = nullptr;
	// a row with the same signature is replaced; other signatures overload
	removeFunction(key);
	m_functions[key] = f;
	indexRowsNamed(f->name);
	if (f->funcStmt != nullptr && m_id == 0 && !supressWarnings())
		cprintf("Added %s %s\n", f->funcStmt->function() ? "function" : "batch",
		        getFuncStringNameWithArguments(f, 1).c_str());
	setFunctionOrVariable(f->name, true);
	return 0;
}

int consoleScope::addUserFunction(consoleFuncStmt *funcStmt)
{
	consoleFunc_s row = {};
	row.name = funcStmt->name().c_str();
	row.funcStmt = funcStmt;
	const consoleStatement *specs = funcStmt->child(0);
	for (int i = 0; specs != nullptr && i < specs->nbChildren() && specs->child(i) != nullptr; i++) {
		// no call could pass more arguments than this
		if (row.nbArg == CONSOLE_MAX_ARGS) return -1;
		const consoleFuncArgSpecStmt *spec = static_cast<const consoleFuncArgSpecStmt *>(specs->child(i));
		row.arg[row.nbArg++] = spec->model() | CFA_RHS;
	}
	return addFunction(&row);
}

int consoleScope::removeFunction(const std::string &signature)
{
	auto it = m_functions.find(signature);
	if (it == m_functions.end()) return 0;
	const std::string name = it->second->name;
	freeFunction(it->second);
	m_functions.erase(it);
	indexRowsNamed(name);
	return 0;
}

int consoleScope::removeAllFunctions()
{
	for (auto &kv : m_functions) freeFunction(kv.second);
	m_functions.clear();
	m_rowsByName.clear();
	return 0;
}

void consoleScope::indexRowsNamed(const std::string &name)
{
	std::vector<const consoleFunc_s *> rows;
	const std::string prefix = keyPrefix(name);
	for (auto it = m_functions.lower_bound(prefix);
	     it != m_functions.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it)
		if (name == it->second->name) rows.push_back(it->second);
	if (rows.empty()) m_rowsByName.erase(foundNameNumber(name));
	else m_rowsByName[numberOfName(name)] = std::move(rows);
}

int consoleScope::freeFunction(consoleFunc_s *func)
{
	if (func == nullptr) return -1;
	std::free(const_cast<char *>(func->name));
	// a global scope owns the definitions taken out of its statement
	// lists; other scopes refer to definitions that their bodies still hold
	if (m_id == 0) consoleFuncStmt::release(func->funcStmt);
	delete func;
	return 0;
}

int consoleScope::existFunction(int, const std::string &name, int global)
{
	const consoleScope *s = this;
	if (global)
		while (s != nullptr && s->m_id != 0) s = s->m_parentScope;
	if (s == nullptr) return 0;
	return s->m_rowsByName.count(foundNameNumber(name)) ? 1 : 0;
}

int consoleScope::lookupFunction(int sid, const std::string &name, int global, int nbArg, consoleVariable **arg,
                                 int *argType, const consoleFunc_s **func)
{
	*func = nullptr;
	int best = sc_noRowCost;
	lookupFunctionRec(sid, foundNameNumber(name), global, nbArg, argType, func, &best);
	const consoleFunc_s *f = *func;
	if (f == nullptr) return -1;
	// the chosen row must accept each argument as it is passed
	for (int i = 0; i < nbArg; i++) {
		int use = f->arg[i] & (CFA_RHS | CFA_LHS);
		if (use & argType[i]) continue;
		cprintf("Error: Attempt to use '%s' as %s value in function %s\n", arg[i]->name().c_str(),
		        use == CFA_LHS ? "lhs" : "rhs", f->name);
		*func = nullptr;
		return -1;
	}
	return 0;
}

int consoleScope::lookupFunctionRec(int sid, const std::string &name, int global, int nbArg, consoleVariable **,
                                    int *argType, const consoleFunc_s **func, int *bestDistance)
{
	return lookupFunctionRec(sid, foundNameNumber(name), global, nbArg, argType, func, bestDistance);
}

int consoleScope::lookupFunctionRec(int sid, int name, int global, int nbArg, int *argType, const consoleFunc_s **func,
                                    int *bestDistance)
{
	// "::name" calls skip the scopes of function calls
	if (!(global && m_id != 0)) {
		// rows in ascending key order; a tie keeps the row found first: the
		// nearer scope, then the lower key
		auto rows = m_rowsByName.find(name);
		if (rows != m_rowsByName.end())
			for (const consoleFunc_s *f : rows->second) {
				if (f->nbArg != nbArg) continue;
				int d = distance(nbArg, f->arg, argType);
				if (d < *bestDistance) {
					*bestDistance = d;
					*func = f;
					if (d == 0) break;
				}
			}
	}
	// no row costs less than nothing, and a tie keeps the row found first:
	// the scopes further out cannot change the choice
	if (*bestDistance == 0 && *func != nullptr) return 0;
	if (m_parentScope != nullptr)
		return m_parentScope->lookupFunctionRec(sid, name, global, nbArg, argType, func, bestDistance);
	return *func != nullptr ? 0 : -1;
}

int consoleScope::setFunctionOrVariable(const std::string &ident, bool value)
{
	m_identifierTable[ident] = value;
	return 0;
}

int consoleScope::identifierRecord(const std::string &ident) const
{
	auto it = m_identifierTable.find(ident);
	return it == m_identifierTable.end() ? sc_noRecord : it->second ? 1 : 0;
}

int consoleScope::setIdentifierRecord(const std::string &ident, int record)
{
	if (record == sc_noRecord) m_identifierTable.erase(ident);
	else m_identifierTable[ident] = record != 0;
	return 0;
}

int consoleScope::isFunction(const std::string &name) const
{
	// the nearest scope that records the name decides
	for (const consoleScope *s = this; s != nullptr; s = s->m_parentScope) {
		auto it = s->m_identifierTable.find(name);
		if (it != s->m_identifierTable.end()) return it->second ? 1 : 0;
	}
	return 0;
}
