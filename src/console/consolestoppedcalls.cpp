// The batch calls that a suspend statement stopped, each holding the
// definition it began until it resumes or is dropped.
#include "console/consolestoppedcalls.h"

#include <cstring>
#include <utility>

#include "console/consoledefstmt.h"

consoleStoppedCalls::consoleStoppedCalls(consoleStoppedCalls &&other) noexcept : m_defs(std::move(other.m_defs))
{
	other.m_defs.clear();
}

consoleStoppedCalls &consoleStoppedCalls::operator=(consoleStoppedCalls &&other) noexcept
{
	if (this == &other) return *this;
	clear();
	m_defs = std::move(other.m_defs);
	other.m_defs.clear();
	return *this;
}

void consoleStoppedCalls::add(consoleFuncStmt *def)
{
	m_defs.push_back(def);
	consoleFuncStmt::callBegins(def);
}

consoleFuncStmt *consoleStoppedCalls::resume(const char *name, int nbArg)
{
	if (m_defs.empty()) return nullptr;
	consoleFuncStmt *def = m_defs.back();
	// another call on the resumed statement, run before the stopped one, is
	// not the one stopped: it runs what its row holds
	if (def->nbArguments() != nbArg || std::strcmp(def->name().c_str(), name) != 0) return nullptr;
	m_defs.pop_back();
	return def;
}

void consoleStoppedCalls::clear()
{
	for (consoleFuncStmt *def : m_defs) consoleFuncStmt::callEnds(def);
	m_defs.clear();
}
