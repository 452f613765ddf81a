// The user functions and batches of a saved scene, and the dynamic
// statements that call them, each read back as a new program reads the file.
#include "console/consolesavedfunctions.h"

#include <algorithm>

#include "console/consolecontrolstmt.h"
#include "console/consoledefstmt.h"
#include "console/consolefunctions.h"
#include "console/consoleglobalscope.h"
#include "console/consoleparse.h"
#include "console/consolestatement.h"
#include "os/osdep.h"
#include "state/state.h"

namespace {

// Whether line, parsed as a console line of the saved scene, holds one
// statement of kind T whose text (or, with body, the text of its first
// child) is text. A line end in it would end the line.
template <class T> bool readsBackAs(const std::string &line, const std::string &text, bool body)
{
	if (line.find_first_of("\r\n") != std::string::npos) return false;
	// parsing sets the working directory; the state's stays as it is
	const std::string directory = g_state != nullptr ? g_state->m_workingDirectory : std::string();
	int refused = 0, errors = 0;
	consoleStmtListStmt *list = consoleParse(line.c_str(), directory.empty() ? nullptr : directory.c_str(), &refused,
	                                         &errors);
	if (g_state != nullptr) g_state->m_workingDirectory = directory;
	consoleStatement *first = list != nullptr && list->nbChildren() == 1 ? list->child(0) : nullptr;
	const bool same = !refused && errors == 0 && dynamic_cast<T *>(first) != nullptr &&
	                  consoleStatement::text(body ? first->child(0) : first, 0, 0) == text;
	delete list;
	return same;
}

} // namespace

consoleSavedFunctions::consoleSavedFunctions(consoleGlobalScope *scope) : m_root(scope != nullptr ? scope->root() : nullptr)
{
	if (m_root == nullptr) return;
	// the user's rows, the names of the built-in ones, and how the lexer
	// takes each user function's name now
	for (const auto &kv : m_root->m_functions) {
		if (kv.second->funcStmt == nullptr) {
			m_builtins.emplace_back(kv.second->name);
			continue;
		}
		m_rows.push_back(row{kv.second, consoleStatement::text(kv.second->funcStmt, 0, 0), true, std::string()});
		m_named.emplace_back(kv.second->name, m_root->isFunction(kv.second->name) != 0);
	}
	// names that the lexer takes as functions with no row of that name (a
	// declaration without its definition): the file declares none of them
	for (const auto &kv : m_root->m_identifierTable)
		if (kv.second && !m_root->existFunction(0, kv.first, 1)) m_declaredOnly.push_back(kv.first);
	// each body is read with the names of the functions written declared,
	// so it is read here so too, until no more definitions are left out
	const auto reads = [](const row &r) { return readsBackAs<consoleFuncStmt>(r.text, r.text, false); };
	for (bool leftOut = true; leftOut;) {
		leftOut = false;
		declare({});
		for (row &r : m_rows)
			if (r.kept && !reads(r)) {
				r.kept = false;
				leftOut = true;
			}
	}
	for (row &r : m_rows) {
		if (r.kept) continue;
		const char *ownFault = r.func->funcStmt->function() ? "its text does not read back as the same function"
		                                                    : "its text does not read back as the same batch";
		r.why = why([&] { return reads(r); }, ownFault);
	}
	restore();
}

void consoleSavedFunctions::declare(const std::vector<std::string> &also) const
{
	for (const auto &n : m_named) m_root->setFunctionOrVariable(n.first, false);
	for (const std::string &n : m_declaredOnly) m_root->setFunctionOrVariable(n, false);
	for (const std::string &n : m_builtins) m_root->setFunctionOrVariable(n, true);
	for (const row &r : m_rows)
		if (r.kept) m_root->setFunctionOrVariable(r.func->name, true);
	for (const std::string &n : also) m_root->setFunctionOrVariable(n, true);
}

void consoleSavedFunctions::restore() const
{
	for (const auto &n : m_named) m_root->setFunctionOrVariable(n.first, n.second);
	for (const std::string &n : m_declaredOnly) m_root->setFunctionOrVariable(n, true);
}

std::vector<std::string> consoleSavedFunctions::leftOutNames() const
{
	std::vector<std::string> names;
	for (const row &r : m_rows) {
		const auto held = [&](const row &o) { return o.kept && r.func->name == std::string(o.func->name); };
		if (!r.kept && std::none_of(m_rows.begin(), m_rows.end(), held) &&
		    std::find(names.begin(), names.end(), r.func->name) == names.end())
			names.emplace_back(r.func->name);
	}
	return names;
}

template <class Reads> std::string consoleSavedFunctions::why(Reads reads, const char *ownFault) const
{
	const std::vector<std::string> all = leftOutNames();
	declare(all);
	if (reads()) {
		for (size_t i = 0; i < all.size(); i++) {
			std::vector<std::string> others = all;
			others.erase(others.begin() + (long)i);
			declare(others);
			if (!reads()) return "it calls '" + all[i] + "', which is not saved";
		}
	}
	return ownFault;
}

void consoleSavedFunctions::write(FILE *F) const
{
	std::string declarations, definitions;
	for (const row &r : m_rows) {
		if (!r.kept) {
			cprintf("%s '%s' is not saved: %s\n", r.func->funcStmt->function() ? "Function" : "Batch",
			        getFuncStringNameWithArguments(r.func, 1).c_str(), r.why.c_str());
			continue;
		}
		consoleFuncStmt *f = r.func->funcStmt;
		consoleFuncDeclStmt declaration(0, 0, f->name(),
		                                static_cast<consoleFuncArgSpecListStmt *>(f->child(0)->copy()), f->function());
		declarations += " " + consoleStatement::text(&declaration, 0, 0);
		definitions += "console " + r.text + "\n";
	}
	// the names first, so that a call reads as a call whatever comes first
	if (!declarations.empty()) std::fprintf(F, "console%s\n%s", declarations.c_str(), definitions.c_str());
}

std::string consoleSavedFunctions::whyNotSaved(const std::string &line, const std::string &body) const
{
	if (m_root == nullptr) return std::string();
	const auto reads = [&] { return readsBackAs<consoleDynStmt>(line, body, true); };
	declare({});
	std::string why;
	if (!reads()) why = this->why(reads, "its text does not read back as the same statement");
	restore();
	return why;
}
