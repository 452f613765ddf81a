// The scope chain: construction, flags, variables and constants, and the
// index stacks of suspension. Functions and name classes are in
// consolescopefunctions.cpp.
#include "console/consolescope.h"

#include <climits>
#include <cstdlib>
#include <new>

#include "console/consolefunctions.h"
#include "console/consoleglobalscope.h"
#include "console/consolevariable.h"
#include "os/osdep.h"
#include "state/state.h"

namespace {

const e3ga s_pi(3.141592653589793);
const e3ga s_e(2.718281828459045);

// A new variable holding the value of a builtin constant, under its name.
consoleVariable *constantValue(const consoleScope::builtinConstant &k)
{
	if (k.e != nullptr) return new consoleVariable(k.name, e3ga(*k.e));
	if (k.p != nullptr) return new consoleVariable(k.name, p3ga(*k.p));
	if (k.c != nullptr) return new consoleVariable(k.name, c3ga(*k.c));
	return new consoleVariable(k.name, i2ga(*k.i2));
}

// The built-in that casts a value to a model other than e3ga; null for e3ga and unknown codes.
const char *castFromE3gaName(int model)
{
	switch (model) {
	case MODEL_P3GA: return "cast_p3ga";
	case MODEL_C3GA: return "cast_c3ga";
	case MODEL_I2GA: return "cast_i2ga";
	default: return nullptr;
	}
}

// A copy of a stored variable for a caller: same name, value and attributes.
consoleVariable *copyOf(const consoleVariable *v) { return new consoleVariable(std::string(), v); }

} // namespace

consoleScope::builtinConstant consoleScope::s_constant[] = {
	{"e1", &e3gai::e1, nullptr, nullptr, nullptr},
	{"e2", &e3gai::e2, nullptr, nullptr, nullptr},
	{"e3", &e3gai::e3, nullptr, nullptr, nullptr},
	{"e0", nullptr, &p3gai::e0, nullptr, nullptr},
	{"no", nullptr, nullptr, &c3gai::no, nullptr},
	{"ni", nullptr, nullptr, &c3gai::ni, nullptr},
	{"go", nullptr, nullptr, nullptr, &i2gai::go},
	{"gi", nullptr, nullptr, nullptr, &i2gai::gi},
	{"einf", nullptr, nullptr, &c3gai::ni, nullptr},
	{"pi", &s_pi, nullptr, nullptr, nullptr},
	{"e_", &s_e, nullptr, nullptr, nullptr},
	{nullptr, nullptr, nullptr, nullptr, nullptr},
};

int consoleScope::m_idCount = 0;

consoleScope::consoleScope(const std::string &fname, consoleScope *parentScope, int id)
	: m_parentScope(nullptr), m_defaultModel(-1), m_id(0), m_flags(0), m_suspendIdx(nullptr), m_resumeIdx(nullptr)
{
	if (id >= 0) m_id = id;
	else {
		// a fresh id is never 0, which names the global scopes, even
		// before a root has been built or after the count wrapped
		if (m_idCount <= 0) m_idCount = 1;
		m_id = m_idCount;
		m_idCount = m_idCount == INT_MAX ? 1 : m_idCount + 1;
	}
	m_parentScope = parentScope;
	if (parentScope != nullptr && parentScope->dynStmtVariableCollect()) dynStmtVariableCollect(1);
	m_functionName = fname;
	if (parentScope != nullptr) {
		m_defaultModel = parentScope->m_defaultModel;
		m_ip = parentScope->m_ip;
	}
}

consoleScope::~consoleScope()
{
	std::free(m_suspendIdx);
	std::free(m_resumeIdx);
	m_suspendIdx = m_resumeIdx = nullptr;
	removeAllVariables();
	removeAllFunctions();
	m_identifierTable.clear();
}

consoleScope *consoleScope::subScope()
{
	consoleScope *s = new consoleScope(m_functionName, this, m_id);
	s->flags(m_flags);
	return s;
}

// --- fields ------------------------------------------------------------------------

consoleScope *consoleScope::callScope()
{
	consoleScope *s = this;
	while (s->m_parentScope != nullptr && s->m_parentScope->m_id == s->m_id) s = s->m_parentScope;
	return s;
}

int consoleScope::setDefaultModel(int model)
{
	m_defaultModel = model;
	return 0;
}

int consoleScope::setInnerProduct(const std::string &name)
{
	m_ip = name;
	return 0;
}

int consoleScope::functionName(const std::string &name)
{
	m_functionName = name;
	return 0;
}

int consoleScope::flags(int flags)
{
	m_flags = flags;
	return 0;
}

int consoleScope::setFlag(int bit, int on)
{
	m_flags = on ? (m_flags | bit) : (m_flags & ~bit);
	return 0;
}

int consoleScope::startStatement()
{
	m_flags &= SF_KEPT_AT_STATEMENT_START;
	return 0;
}

int consoleScope::endStatement(consoleVariable *, int) { return 0; }

int consoleScope::dynStmtVariable(const std::string &name)
{
	if (m_parentScope != nullptr) return m_parentScope->dynStmtVariable(name);
	cprintf("consoleScope::dynStmtVariable(): variable '%s' lost?\n", name.c_str());
	return 0;
}

// --- variables and constants ---------------------------------------------------------

int consoleScope::lookupVariable(int sid, const std::string &name, int global, consoleVariable **variable)
{
	// constants hide variables everywhere
	if (lookupConstant(sid, name, global, variable) == 0) return 0;
	// a plain name: this scope, then the outer blocks of the same call
	if (!global) {
		if (lookupLocalVariable(sid, name, global, variable) == 0) return 0;
		if (m_parentScope != nullptr && m_parentScope->m_id == m_id)
			return m_parentScope->lookupVariable(sid, name, 0, variable);
		return -1;
	}
	// "::name": only global scopes answer
	if (m_id == 0 && lookupLocalVariable(sid, name, global, variable) == 0) return 0;
	if (m_parentScope != nullptr) return m_parentScope->lookupVariable(sid, name, global, variable);
	return -1;
}

int consoleScope::lookupLocalVariable(int sid, const std::string &name, int, consoleVariable **variable)
{
	*variable = nullptr;
	// a function's variables are seen only by the statements of that call
	if (m_id != 0 && m_id != sid) return -1;
	auto it = m_variables.find(stringPtr{&name});
	if (it == m_variables.end()) return -1;
	*variable = copyOf(it->second);
	return 0;
}

int consoleScope::lookupConstant(int, const std::string &name, int, consoleVariable **variable)
{
	*variable = nullptr;
	for (const builtinConstant *k = s_constant; k->name != nullptr; k++) {
		// the first character rules out most rows without a whole comparison
		if (name.empty() || name[0] != k->name[0] || name != k->name) continue;
		*variable = constantValue(*k);
		return processConstant(variable);
	}
	if (g_state == nullptr || g_state->m_globalScope == nullptr) return -1;
	return g_state->m_globalScope->lookupUserConstant(name, variable);
}

std::string consoleScope::builtinName(const std::string &firstName)
{
	for (const builtinConstant *k = s_constant; k->name != nullptr; k++)
		if (firstName == k->firstName) return k->name;
	return firstName;
}

bool consoleScope::isBuiltinConstant(const std::string &name)
{
	for (const builtinConstant *k = s_constant; k->name != nullptr; k++)
		if (name == k->name) return true;
	return false;
}

int consoleScope::processConstant(consoleVariable **variable)
{
	consoleVariable *v = *variable;
	if (m_defaultModel != -1 && v->model() == MODEL_E3GA) {
		v->rhs(1);
		v->lhs(0);
		if (const char *cast = castFromE3gaName(m_defaultModel)) {
			// the constant keeps its name in the default model: it is no temporary
			std::string name = v->name();
			v->next(nullptr);
			*variable = v = consoleExecFunc(this, cast, v);
			v->name(std::move(name));
		}
	}
	v->rhs(1);
	v->lhs(0);
	return 0;
}

consoleVariable *consoleScope::assignVariable(consoleVariable *target, consoleVariable *value)
{
	// "::name" climbs to the global scopes; a block's assignment lands in
	// the outermost scope of the same call, so it outlives the block
	if (target->global() && m_id != 0) {
		if (m_parentScope != nullptr) return m_parentScope->assignVariable(target, value);
	} else if (m_parentScope != nullptr && m_parentScope->m_id == m_id) {
		return m_parentScope->assignVariable(target, value);
	}
	setFunctionOrVariable(target->name().empty() ? value->name() : target->name(), false);
	consoleVariable *stored = new consoleVariable(target->name(), value);
	removeVariable(stored->name());
	stored->lhs(1);
	stored->rhs(1);
	m_variables[stringPtr{&stored->name()}] = stored;
	return copyOf(stored);
}

int consoleScope::removeVariable(const std::string &name)
{
	auto it = m_variables.find(stringPtr{&name});
	if (it == m_variables.end()) return 0;
	// the key points into the variable: erase first
	consoleVariable *v = it->second;
	m_variables.erase(it);
	delete v;
	return 0;
}

int consoleScope::removeAllVariables()
{
	for (auto &kv : m_variables) delete kv.second;
	m_variables.clear();
	return 0;
}

int consoleScope::externalLookupVariable(const std::string &name, int global, e3ga &val)
{
	consoleVariable *v = nullptr;
	if (lookupVariable(m_id, name, global, &v) != 0 || v == nullptr) {
		val = 0.0;
		return -1;
	}
	consoleVariable *e = v->castToE3ga();
	val = e ? e->e() : e3ga(0.0);
	delete e;
	delete v;
	return 0;
}

int consoleScope::externalAssignVariable(const std::string &name, const e3ga &val, int drawMode)
{
	consoleVariable value("", val);
	if (drawMode != 0) value.drawMode(drawMode);
	consoleVariable target(name, e3ga(0.0));
	delete assignVariable(&target, &value);
	return 0;
}

// --- suspension and resumption ---------------------------------------------------------

int consoleScope::addSuspendIdx(int index)
{
	int n = suspendIdxCount();
	int *p = static_cast<int *>(std::realloc(m_suspendIdx, sizeof(int) * (size_t)(n + 2)));
	if (p == nullptr) throw std::bad_alloc();
	m_suspendIdx = p;
	// the innermost list resumes after the suspend statement; every
	// enclosing level re-enters the statement that holds the inner one
	p[n + 1] = n == 0 ? index + 1 : index;
	p[0] = n + 1;
	return 0;
}

int *consoleScope::getSuspendIdcs()
{
	int *idcs = m_suspendIdx;
	m_suspendIdx = nullptr;
	return idcs;
}

int consoleScope::setResumeIdcs(int *idcs, consoleStoppedCalls calls)
{
	if (idcs != m_resumeIdx) std::free(m_resumeIdx);
	m_resumeIdx = idcs;
	m_resumedCalls = std::move(calls);
	return 0;
}

int consoleScope::getResumeIdx()
{
	if (!resumePending()) return 0;
	// the outermost level was pushed last and comes out first
	return m_resumeIdx[m_resumeIdx[0]--];
}

int consoleScope::dropResumeIdcs() { return setResumeIdcs(nullptr); }
