#include "console/consoleparsingscope.h"

#include "console/consoledefstmt.h"
#include "console/consoleglobalscope.h"
#include "state/state.h"

consoleScope *g_currentParsingScope = nullptr;

consoleParsingScopeReset::consoleParsingScopeReset()
	: m_globalScope(g_state != nullptr ? g_state->m_globalScope : nullptr)
{
	g_currentParsingScope = m_globalScope;
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
}

consoleParsingScopeFrame::~consoleParsingScopeFrame() { close(); }

int consoleParsingScopeFrame::open(const std::string &name, const consoleFuncArgSpecListStmt *args)
{
	close();
	// the name is a function where the definition stands, so the body can recurse
	if (g_currentParsingScope != nullptr) g_currentParsingScope->setFunctionOrVariable(name, true);
	m_scope = new consoleScope(name, g_currentParsingScope, -1);
	g_currentParsingScope = m_scope;
	// argument names are variables in the body, whatever they are outside
	for (int i = 0; args != nullptr && i < args->nbChildren(); i++) {
		const consoleFuncArgSpecStmt *spec = static_cast<const consoleFuncArgSpecStmt *>(args->child(i));
		if (spec != nullptr) m_scope->setFunctionOrVariable(spec->name(), false);
	}
	return 0;
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
