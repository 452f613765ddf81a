#include "console/consoleparsingscope.h"

#include <exception>

#include "console/consoledefstmt.h"
#include "console/consoleglobalscope.h"
#include "state/state.h"

consoleScope *g_currentParsingScope = nullptr;

namespace {

// the parse running now, innermost first
consoleParsingScopeReset *s_innermost = nullptr;

} // namespace

int consoleParsingScopeRecord(const std::string &name, bool function)
{
	if (g_currentParsingScope == nullptr) return 0;
	if (s_innermost != nullptr && g_currentParsingScope == s_innermost->m_globalScope)
		s_innermost->m_journal.emplace_back(name, g_currentParsingScope->identifierRecord(name));
	return g_currentParsingScope->setFunctionOrVariable(name, function);
}

consoleParsingScopeReset::consoleParsingScopeReset(const int *recoveries)
	: m_globalScope(g_state != nullptr ? g_state->m_globalScope : nullptr), m_outer(s_innermost),
	  m_exceptions(std::uncaught_exceptions()), m_recoveries(recoveries),
	  m_recoveriesBefore(recoveries != nullptr ? *recoveries : 0)
{
	g_currentParsingScope = m_globalScope;
	s_innermost = this;
}

consoleParsingScopeReset::~consoleParsingScopeReset()
{
	// the definitions close their own scopes; this catches any left open
	while (g_currentParsingScope != nullptr && g_currentParsingScope != m_globalScope) {
		consoleScope *parent = g_currentParsingScope->parentScope();
		delete g_currentParsingScope;
		g_currentParsingScope = parent;
	}
	g_currentParsingScope = m_globalScope;
	// a refused text runs nothing, so nothing of it may be left either
	const bool recovered = m_recoveries != nullptr && *m_recoveries != m_recoveriesBefore;
	if (std::uncaught_exceptions() > m_exceptions || recovered) rollback(0);
	s_innermost = m_outer;
}

void consoleParsingScopeReset::rollback(size_t size)
{
	// the latest change first, so that each name ends as it was at the mark
	while (m_journal.size() > size) {
		if (m_globalScope != nullptr) m_globalScope->setIdentifierRecord(m_journal.back().first, m_journal.back().second);
		m_journal.pop_back();
	}
}

consoleParsingMark::consoleParsingMark() : m_size(s_innermost != nullptr ? s_innermost->m_journal.size() : 0) {}

void consoleParsingMark::rollback()
{
	if (s_innermost != nullptr) s_innermost->rollback(m_size);
}

consoleParsingScopeFrame::~consoleParsingScopeFrame()
{
	if (m_scope == nullptr) return;
	// the definition failed: it defines nothing, so its name is what it was
	close();
	if (m_enclosing != nullptr) m_enclosing->setIdentifierRecord(m_name, m_previous);
}

int consoleParsingScopeFrame::open(const std::string &name, const consoleFuncArgSpecListStmt *args)
{
	close();
	// the name is a function where the definition stands, so the body can recurse
	m_name = name;
	m_enclosing = g_currentParsingScope;
	if (m_enclosing != nullptr) m_previous = m_enclosing->identifierRecord(name);
	consoleParsingScopeRecord(name, true);
	m_scope = new consoleScope(name, g_currentParsingScope, -1);
	g_currentParsingScope = m_scope;
	// argument names are variables in the body, whatever they are outside
	for (int i = 0; args != nullptr && i < args->nbChildren(); i++) {
		const consoleFuncArgSpecStmt *spec = static_cast<const consoleFuncArgSpecStmt *>(args->child(i));
		if (spec != nullptr) m_scope->setFunctionOrVariable(spec->name(), false);
	}
	return 0;
}

int consoleParsingScopeFrame::replacedGlobalRecord(int notGlobal) const
{
	const bool global = m_enclosing != nullptr && s_innermost != nullptr && m_enclosing == s_innermost->m_globalScope;
	return global ? m_previous : notGlobal;
}

int consoleParsingScopeFrame::close()
{
	if (m_scope == nullptr) return 0;
	// frames nest with the rules that hold them, so any frame opened inside
	// this one has closed already
	g_currentParsingScope = m_scope->parentScope();
	delete m_scope;
	m_scope = nullptr;
	return 0;
}
