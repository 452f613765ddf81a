// The global scope as a scope: the root's built-in table, block scopes,
// the command lists that wait to resume after a suspend statement, and the
// names that a dynamic statement reads.
#include "console/consoleglobalscope.h"

#include <cstdlib>
#include <new>
#include <utility>

#include "console/consolecontrolstmt.h"
#include "console/consolefunctions.h"

consoleGlobalScope::consoleGlobalScope(consoleGlobalScope *m_parent) : consoleScope("global scope", m_parent, 0)
{
	initToNothing();
	if (m_parent != nullptr) return;
	// the root: fresh ids of function calls start over, and only here may a command suspend
	m_idCount = 1;
	suspendStmtAllowed(1);
	for (const consoleFunc_s *f = c_consoleFunc; f->name != nullptr; f++) addFunction(f);
	setDefaultModel(-1);
	setInnerProduct(sc_defaultInnerProduct);
}

consoleGlobalScope::~consoleGlobalScope()
{
	m_consoleAssignmentList.clear();
	for (suspendList &l : m_suspendedStmtList) {
		delete l.stmtList;
		std::free(l.suspendIdcs);
	}
	m_suspendedStmtList.clear();
	freeDynStmtVariables();
	m_userConstants.clear();
}

void consoleGlobalScope::initToNothing()
{
	m_suspendedStmtList.clear();
	m_dynStmtVariables = nullptr;
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

int consoleGlobalScope::startStatement()
{
	clearConsoleAssignmentList();
	// a reset asked for by an earlier statement of the command is done when
	// the command ends, so the statements after it must not cancel it
	int reset = resetRequested();
	consoleScope::startStatement();
	resetRequested(reset);
	return 0;
}

// --- suspended command lists ---------------------------------------------------------

int consoleGlobalScope::execStmtList(consoleStmtListStmt *stmtList)
{
	if (stmtList == nullptr) return 0;
	delete stmtList->execute(this);
	if (suspendStmt()) addSuspendStmtList(stmtList, getSuspendIdcs(), takeStoppedCalls());
	else delete stmtList;
	return 0;
}

int consoleGlobalScope::addSuspendStmtList(consoleStmtListStmt *stmtList, int *suspendIdcs, consoleStoppedCalls calls)
{
	m_suspendedStmtList.push_back(suspendList{stmtList, suspendIdcs, std::move(calls)});
	return 0;
}

int consoleGlobalScope::resumeStmtList()
{
	if (m_suspendedStmtList.empty()) return 0;
	// the newest waits last
	suspendList l = std::move(m_suspendedStmtList.back());
	m_suspendedStmtList.pop_back();
	setResumeIdcs(l.suspendIdcs, std::move(l.calls));
	return execStmtList(l.stmtList);
}

// --- names read by a dynamic statement -------------------------------------------------

int consoleGlobalScope::dynStmtVariable(const std::string &pname)
{
	if (m_parentScope != nullptr) return m_parentScope->dynStmtVariable(pname);
	// an element of an array counts for the whole array
	if (m_dynStmtVariables == nullptr) m_dynStmtVariables = new std::set<std::string>;
	m_dynStmtVariables->insert(pname.substr(0, pname.find('[')));
	return 0;
}

std::set<std::string> *consoleGlobalScope::getDynStmtVariables()
{
	std::set<std::string> *v = m_dynStmtVariables;
	m_dynStmtVariables = nullptr;
	return v;
}

int consoleGlobalScope::freeDynStmtVariables()
{
	delete m_dynStmtVariables;
	m_dynStmtVariables = nullptr;
	return 0;
}
