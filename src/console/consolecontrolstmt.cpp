#include "console/consolecontrolstmt.h"

#include "console/consoleexprstmt.h"

namespace {

// A loop or if body as it reads back: an expression that is not in a block
// prints as a statement of one, with its terminator.
std::string bodyText(consoleStatement *body, int cr, int tl)
{
	if (consoleExprListStmt *el = dynamic_cast<consoleExprListStmt *>(body)) return el->exprText(cr, tl, 1);
	return consoleStatement::text(body, cr, tl);
}

template <class T> T *copyOf(const T *s) { return s ? static_cast<T *>(s->copy()) : nullptr; }

} // namespace

consoleDummyStmt::consoleDummyStmt(int line, int column) : consoleStatement(line, column) { setFlag(sc_dummy, 1); }

char *consoleDummyStmt::string(int cr, int tl) { return result(tabs(tl) + ";" + nl(cr)); }

consoleWhileStmt::consoleWhileStmt(int line, int column, consoleExprListStmt *el, consoleStatement *sl)
	: consoleStatement(line, column)
{
	addChild(el);
	addChild(sl);
}

char *consoleWhileStmt::string(int cr, int tl)
{
	// no condition is always true
	std::string cond = m_child[0] ? text(m_child[0], cr, tl) : "1";
	return result(tabs(tl) + "while(" + cond + ") {" + bodyText(m_child[1], cr, deeper(cr, tl)) + "}" + nl(cr));
}

consoleForStmt::consoleForStmt(int line, int column, consoleExprListStmt *p_initEl, consoleExprListStmt *p_condEl,
                               consoleExprListStmt *p_execEl, consoleStatement *sl)
	: consoleStatement(line, column), m_initEl(p_initEl), m_condEl(p_condEl), m_execEl(p_execEl)
{
	addChild(sl);
}

consoleForStmt::consoleForStmt(const consoleForStmt &s)
	: consoleStatement(s), m_initEl(copyOf(s.m_initEl)), m_condEl(copyOf(s.m_condEl)), m_execEl(copyOf(s.m_execEl))
{
}

consoleForStmt::~consoleForStmt()
{
	delete m_initEl;
	delete m_condEl;
	delete m_execEl;
}

char *consoleForStmt::string(int cr, int tl)
{
	std::string head = "for (" + text(m_initEl, cr, tl) + "; " + text(m_condEl, cr, tl) + "; " +
	                   text(m_execEl, cr, tl) + ") {";
	return result(tabs(tl) + head + nl(cr) + bodyText(m_child[0], cr, deeper(cr, tl)) + tabs(tl) + "}" + nl(cr));
}

consoleIfElseStmt::consoleIfElseStmt(int line, int column, consoleExprListStmt *el, consoleStatement *ifS,
                                     consoleStatement *elseS)
	: consoleStatement(line, column)
{
	addChild(el);
	addChild(ifS);
	if (elseS != nullptr) addChild(elseS);
}

char *consoleIfElseStmt::string(int cr, int tl)
{
	std::string t = tabs(tl) + "if (" + text(m_child[0], cr, tl) + ") {" + nl(cr) +
	                bodyText(m_child[1], cr, deeper(cr, tl)) + tabs(tl) + "}" + nl(cr);
	if (m_nbChildren == 3)
		t += tabs(tl) + "else {" + nl(cr) + bodyText(m_child[2], cr, deeper(cr, tl)) + tabs(tl) + "}" + nl(cr);
	return result(t);
}

consoleSwitchStmt::consoleSwitchStmt(int line, int column, consoleExprListStmt *cond, consoleCaseListStmt *caseList)
	: consoleStatement(line, column)
{
	addChild(cond);
	addChild(caseList);
}

char *consoleSwitchStmt::string(int cr, int tl)
{
	// the case labels stand at the switch's own level
	return result(tabs(tl) + "switch (" + text(m_child[0], cr, tl) + ") {" + nl(cr) + text(m_child[1], cr, tl) +
	              tabs(tl) + "}" + nl(cr));
}

consoleCaseStmt::consoleCaseStmt(int line, int column, consoleExprListStmt *caseStmt, consoleStmtListStmt *stmtList)
	: consoleStatement(line, column)
{
	addChild(caseStmt);
	addChild(stmtList);
}

char *consoleCaseStmt::string(int cr, int tl)
{
	std::string label = m_child[0] ? "case " + text(m_child[0], cr, tl) : "default";
	return result(tabs(tl) + label + ": " + nl(cr) + text(m_child[1], cr, deeper(cr, tl)));
}

consoleCaseListStmt::consoleCaseListStmt(int line, int column, consoleCaseStmt *caseStmt)
	: consoleStatement(line, column)
{
	addChild(caseStmt);
}

char *consoleCaseListStmt::string(int cr, int tl)
{
	std::string t;
	for (int i = 0; i < m_nbChildren; i++) t += text(m_child[i], cr, tl);
	return result(t);
}

consoleReturnStmt::consoleReturnStmt(int line, int column, consoleExprListStmt *expr) : consoleStatement(line, column)
{
	addChild(expr);
}

char *consoleReturnStmt::string(int cr, int tl)
{
	return result(tabs(tl) + "return " + text(m_child[0], cr, tl) + (verbose() ? "," : ";") + nl(cr));
}

consoleBreakStmt::consoleBreakStmt(int line, int column, int type) : consoleStatement(line, column), m_type(type) {}

char *consoleBreakStmt::string(int cr, int tl)
{
	const char *word = m_type == sc_break ? "break"
	                   : m_type == sc_continue ? "continue"
	                   : m_type == sc_suspend ? "suspend"
	                                          : "unkn br";
	return result(tabs(tl) + word + ";" + nl(cr));
}

consoleStmtListStmt::consoleStmtListStmt() : m_dynStmtVariables(nullptr) {}

consoleStmtListStmt::consoleStmtListStmt(int line, int column)
	: consoleStatement(line, column), m_dynStmtVariables(nullptr)
{
}

consoleStmtListStmt::consoleStmtListStmt(consoleStatement *stmt) : consoleStatement(stmt), m_dynStmtVariables(nullptr)
{
}

consoleStmtListStmt::consoleStmtListStmt(const consoleStmtListStmt &s)
	: consoleStatement(s),
	  m_dynStmtVariables(s.m_dynStmtVariables ? new std::set<std::string>(*s.m_dynStmtVariables) : nullptr)
{
}

consoleStmtListStmt::~consoleStmtListStmt() { freeDynStmtVariables(); }

char *consoleStmtListStmt::string(int cr, int tl)
{
	// a block inside a list prints its braces and indents its statements
	int block = stmtListChild();
	std::string t = block ? tabs(tl) + "{" + nl(cr) : std::string();
	for (int i = 0; i < m_nbChildren; i++) t += text(m_child[i], cr, block ? tl + 1 : tl);
	if (block) t += tabs(tl) + "}" + nl(cr);
	return result(t);
}

int consoleStmtListStmt::dummy() const
{
	return m_nbChildren == 1 && m_child[0] != nullptr && m_child[0]->dummy();
}

int consoleStmtListStmt::dependsOn(const std::string &name) const
{
	return m_dynStmtVariables != nullptr && m_dynStmtVariables->count(name) != 0;
}

int consoleStmtListStmt::setDynStmtVariables(std::set<std::string> *variables)
{
	if (variables != m_dynStmtVariables) freeDynStmtVariables();
	m_dynStmtVariables = variables;
	return 0;
}

int consoleStmtListStmt::freeDynStmtVariables()
{
	delete m_dynStmtVariables;
	m_dynStmtVariables = nullptr;
	return 0;
}
