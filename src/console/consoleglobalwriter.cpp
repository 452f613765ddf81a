// The console lines of a saved scene that the global scope writes: the
// renamed builtin constants and the user constants, each
// in a form that the console reads back as it is, in a new program.
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "console/consolecontrolstmt.h"
#include "console/consoledefstmt.h"
#include "console/consolefunctions.h"
#include "console/consoleglobalscope.h"
#include "console/consolemodel.h"
#include "console/consoleparse.h"
#include "console/consolestatement.h"
#include "os/osdep.h"
#include "state/state.h"

namespace {

// What a builtin constant is called on its way to a new name that another
// renamed constant still has: its first name and this, made unique.
constexpr const char *sc_passingSuffix = " renamed";

// The console line that renames a builtin constant.
void writeRename(FILE *F, const std::string &from, const std::string &to)
{
	std::fprintf(F, "console rename_builtin_const(%s, %s);\n", consoleStatement::nameText(from).c_str(),
	             consoleStatement::nameText(to).c_str());
}

} // namespace

int consoleGlobalScope::writeRenamesToGeoFile(FILE *F)
{
	std::vector<const builtinConstant *> renamed;
	for (const builtinConstant *k = s_constant; k->name != nullptr; k++)
		if (std::strcmp(k->name, k->firstName) != 0) renamed.push_back(k);
	// a rename finds the first constant of a name: a constant whose new name
	// is the first name of another renamed one, or whose first name is the
	// new name of another, goes through a name that no constant has, first
	const auto passes = [&](const builtinConstant *k) {
		for (const builtinConstant *o : renamed)
			if (o != k && (std::strcmp(k->name, o->firstName) == 0 || std::strcmp(k->firstName, o->name) == 0))
				return true;
		return false;
	};
	std::vector<std::string> via;
	const auto known = [&](const std::string &name) {
		for (const builtinConstant *c = s_constant; c->name != nullptr; c++)
			if (name == c->name || name == c->firstName) return true;
		for (const std::string &v : via)
			if (name == v) return true;
		return false;
	};
	for (const builtinConstant *k : renamed) {
		std::string name = k->firstName;
		if (passes(k)) {
			for (name += sc_passingSuffix; known(name); name += '\'') {
			}
			writeRename(F, k->firstName, name);
		}
		via.push_back(name);
	}
	// the others, then those on their way
	for (size_t i = 0; i < renamed.size(); i++)
		if (!passes(renamed[i])) writeRename(F, via[i], renamed[i]->name);
	for (size_t i = 0; i < renamed.size(); i++)
		if (passes(renamed[i])) writeRename(F, via[i], renamed[i]->name);
	return 0;
}

int consoleGlobalScope::writeConstantsToGeoFile(FILE *F)
{
	consoleGlobalScope *r = root();
	// the model that the file's console lines read values in here; with no
	// default model that of e3ga
	const int inForce = r->getDefaultModel() == -1 ? MODEL_E3GA : r->getDefaultModel();
	for (const auto &kv : r->m_userConstants) {
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
