// Constants of the global scope: the user constants, kept in the root, and
// the renaming of builtin constants.
#include <cstdlib>
#include <cstring>

#include "console/consoleglobalscope.h"
#include "console/consolemodel.h"
#include "console/consolestatement.h"
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

int consoleGlobalScope::writeConstantsToGeoFile(FILE *F)
{
	consoleGlobalScope *r = root();
	// the model that the file's console lines read values in here; with no
	// default model that of e3ga
	const int inForce = r->getDefaultModel() == -1 ? MODEL_E3GA : r->getDefaultModel();
	for (const auto &kv : r->m_userConstants) {
		// a renamed builtin constant frees its name, which a program that
		// opens the file reads as that constant again
		if (builtinFirstName(kv.first)) {
			cprintf("Constant '%s' is not saved: a program that opens the file knows '%s' as a builtin constant\n",
			        kv.first.c_str(), kv.first.c_str());
			continue;
		}
		const std::string add =
		    "add_const(" + consoleStatement::nameText(kv.first) + " = " + kv.second.exactString() + ");";
		// a value of another model is read in its own and the default model put back
		const int model = kv.second.model();
		if (model == inForce) std::fprintf(F, "console %s\n", add.c_str());
		else
			std::fprintf(F, "console default_model(%s); %s default_model(%s);\n", consoleModelName(model), add.c_str(),
			             consoleModelName(r->getDefaultModel()));
	}
	return 0;
}
