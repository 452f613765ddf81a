// Constants of the global scope: the user constants, kept in the root, and
// the renaming of builtin constants.
#include <cstdlib>
#include <cstring>

#include "console/consoleglobalscope.h"
#include "os/osdep.h"
#include "state/state.h"

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
	if (r->m_userConstants.erase(name) == 0) cprintf("Constant '%s' not found\n", name.c_str());
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

bool consoleGlobalScope::isUserConstant(const std::string &name) { return root()->m_userConstants.count(name) != 0; }

int consoleGlobalScope::renameBuiltinConstant(const std::string &oldName, const std::string &newName)
{
	builtinConstant *k = s_constant;
	while (k->name != nullptr && oldName != k->name) k++;
	if (k->name == nullptr) return 0;
	// values of the constant's algebra print with the new name
	if (k->e != nullptr) e3gai::renameBasisVector(oldName.c_str(), newName.c_str());
	else if (k->p != nullptr) p3gai::renameBasisVector(oldName.c_str(), newName.c_str());
	else if (k->c != nullptr) c3gai::renameBasisVector(oldName.c_str(), newName.c_str());
	else if (k->i2 != nullptr) i2gai::renameBasisVector(oldName.c_str(), newName.c_str());
	char *name = strdup(newName.c_str());
	if (name == nullptr) return -1;
	if (k->renamed()) std::free(const_cast<char *>(k->name));
	k->name = name;
	return 0;
}

void consoleGlobalScope::restoreBuiltinNames()
{
	// each row and each basis element straight back to its first name: a
	// rename by name could meet a name that another renamed one now has
	for (builtinConstant *k = s_constant; k->name != nullptr; k++) {
		if (!k->renamed()) continue;
		std::free(const_cast<char *>(k->name));
		k->name = k->firstName;
	}
	e3gai::restoreBasisNames();
	p3gai::restoreBasisNames();
	c3gai::restoreBasisNames();
	i2gai::restoreBasisNames();
}
