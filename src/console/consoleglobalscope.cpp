#include "console/consoleglobalscope.h"

#include "console/consolefunctions.h"
#include "osdep.h"
#include "state/state.h"

consoleGlobalScope::consoleGlobalScope(consoleGlobalScope *m_parent) : consoleScope("global scope", m_parent, 0)
{
	if (m_parent != nullptr) return;
	// the root: fresh ids of function calls start over, and only here may a command suspend
	m_idCount = 1;
	suspendStmtAllowed(1);
	for (const consoleFunc_s *f = c_consoleFunc; f->name != nullptr; f++) addFunction(f);
	setDefaultModel(-1);
	setInnerProduct("hip");
}

consoleGlobalScope::~consoleGlobalScope()
{
	m_consoleAssignmentList.clear();
	m_userConstants.clear();
}

consoleScope *consoleGlobalScope::subScope()
{
	consoleGlobalScope *s = new consoleGlobalScope(this);
	s->flags(m_flags & ~SF_SUSPEND_ALLOWED);
	return s;
}

consoleGlobalScope *consoleGlobalScope::root()
{
	// every parent of a global scope is a global scope
	consoleGlobalScope *s = this;
	while (s->m_parentScope != nullptr) s = static_cast<consoleGlobalScope *>(s->m_parentScope);
	return s;
}

int consoleGlobalScope::addConstant(const std::string &name, consoleVariable *C)
{
	consoleGlobalScope *r = root();
	// the name now reads as the constant, which hides any variable
	if (g_state != nullptr) g_state->removeObject(name);
	consoleVariable value(*C);
	value.name(name);
	value.next(nullptr);
	auto it = r->m_userConstants.find(name);
	if (it == r->m_userConstants.end()) r->m_userConstants.emplace(name, value);
	else it->second.set(value);
	return 0;
}

int consoleGlobalScope::removeConstant(const std::string &name)
{
	consoleGlobalScope *r = root();
	if (r->m_userConstants.erase(name) == 0) cprintf("Constant '%s' not found", name.c_str());
	return 0;
}

int consoleGlobalScope::lookupUserConstant(const std::string &name, consoleVariable **variable)
{
	*variable = nullptr;
	consoleGlobalScope *r = root();
	auto it = r->m_userConstants.find(name);
	if (it == r->m_userConstants.end()) return -1;
	*variable = new consoleVariable(it->second);
	(*variable)->name(name);
	return r->processConstant(variable);
}
