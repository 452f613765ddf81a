// The console lines of a saved scene that the global scope writes: the
// renamed builtin constants, the user functions and the user constants, each
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

// Whether text, parsed as a console line of the saved scene, is the one
// definition it was printed from: the same text when printed again. A line
// end in it would end the line.
bool readsBackAsDefinition(const std::string &text)
{
	if (text.find_first_of("\r\n") != std::string::npos) return false;
	// parsing sets the working directory; the state's stays as it is
	const std::string directory = g_state != nullptr ? g_state->m_workingDirectory : std::string();
	int refused = 0, errors = 0;
	consoleStmtListStmt *list = consoleParse(text.c_str(), directory.empty() ? nullptr : directory.c_str(), &refused,
	                                         &errors);
	if (g_state != nullptr) g_state->m_workingDirectory = directory;
	consoleStatement *first = list != nullptr && list->nbChildren() == 1 ? list->child(0) : nullptr;
	const bool same = !refused && errors == 0 && dynamic_cast<consoleFuncStmt *>(first) != nullptr &&
	                  consoleStatement::text(first, 0, 0) == text;
	delete list;
	return same;
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

int consoleGlobalScope::writeFunctionsToGeoFile(FILE *F)
{
	consoleGlobalScope *r = root();
	// the user's rows, the names of the built-in ones, and how the lexer
	// takes each user function's name now
	std::vector<const consoleFunc_s *> rows;
	std::set<std::string> builtins;
	std::vector<std::pair<std::string, bool>> named;
	for (const auto &kv : r->m_functions) {
		if (kv.second->funcStmt == nullptr) {
			builtins.insert(kv.second->name);
			continue;
		}
		rows.push_back(kv.second);
		named.emplace_back(kv.second->name, r->isFunction(kv.second->name) != 0);
	}
	// each body is read, when the scene is opened, with the names of the
	// built-in functions and of the functions written declared, and no
	// other: so it is read here too, until no more definitions are left out
	std::vector<bool> kept(rows.size(), true);
	for (bool leftOut = true; leftOut;) {
		leftOut = false;
		for (const auto &n : named) r->setFunctionOrVariable(n.first, builtins.count(n.first) != 0);
		for (size_t i = 0; i < rows.size(); i++)
			if (kept[i]) r->setFunctionOrVariable(rows[i]->name, true);
		for (size_t i = 0; i < rows.size(); i++) {
			if (!kept[i] || readsBackAsDefinition(consoleStatement::text(rows[i]->funcStmt, 0, 0))) continue;
			kept[i] = false;
			leftOut = true;
		}
	}
	for (const auto &n : named) r->setFunctionOrVariable(n.first, n.second);
	std::string declarations, definitions;
	for (size_t i = 0; i < rows.size(); i++) {
		consoleFuncStmt *f = rows[i]->funcStmt;
		if (!kept[i]) {
			cprintf("Function '%s' is not saved: its text does not read back as the same function\n",
			        getFuncStringNameWithArguments(rows[i], 1).c_str());
			continue;
		}
		consoleFuncDeclStmt declaration(0, 0, f->name(),
		                                static_cast<consoleFuncArgSpecListStmt *>(f->child(0)->copy()), f->function());
		declarations += " " + consoleStatement::text(&declaration, 0, 0);
		definitions += "console " + consoleStatement::text(f, 0, 0) + "\n";
	}
	// the names first, so that a call reads as a call whatever comes first
	if (!declarations.empty()) std::fprintf(F, "console%s\n%s", declarations.c_str(), definitions.c_str());
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
