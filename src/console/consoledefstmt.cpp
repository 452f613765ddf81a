#include "console/consoledefstmt.h"

#include "console/consolecontrolstmt.h"
#include "state/state.h"

namespace {

// The state's working directory, against which a definition's body resolves file names.
std::string currentWorkingDirectory() { return g_state ? g_state->m_workingDirectory : std::string(); }

const char *definitionKeyword(int function) { return function ? "function" : "batch"; }

} // namespace

consoleFuncDeclStmt::consoleFuncDeclStmt(int line, int column, const std::string &name,
                                         consoleFuncArgSpecListStmt *arg, int function)
	: consoleStatement(line, column), m_name(name), m_function(function)
{
	addChild(arg ? arg : new consoleFuncArgSpecListStmt(line, column));
}

char *consoleFuncDeclStmt::string(int cr, int tl)
{
	return result(tabs(tl) + definitionKeyword(m_function) + " " + nameText(m_name) + "(" +
	              text(m_child[0], cr, tl) + ");" + nl(cr));
}

consoleFuncStmt::consoleFuncStmt(int line, int column, const std::string &name, consoleFuncArgSpecListStmt *arg,
                                 consoleStmtListStmt *sl, int function)
	: consoleStatement(line, column), m_function(function), m_name(name),
	  m_workingDirectory(currentWorkingDirectory())
{
	addChild(arg ? arg : new consoleFuncArgSpecListStmt(line, column));
	addChild(sl);
}

char *consoleFuncStmt::string(int cr, int tl)
{
	return result(tabs(tl) + definitionKeyword(m_function) + " " + nameText(m_name) + "(" +
	              text(m_child[0], cr, tl) + ") {" + nl(cr) + text(m_child[1], cr, deeper(cr, tl)) + "}" + nl(cr));
}

consoleFuncArgSpecStmt::consoleFuncArgSpecStmt(int line, int column, const std::string &name, int model)
	: consoleStatement(line, column), m_model(model), m_name(name)
{
}

char *consoleFuncArgSpecStmt::string(int, int)
{
	// an argument of any model has no type name
	std::string type = modelName(m_model);
	return result((type.empty() ? type : type + " ") + nameText(m_name));
}

consoleFuncArgSpecListStmt::consoleFuncArgSpecListStmt(int line, int column) : consoleStatement(line, column) {}

consoleFuncArgSpecListStmt::consoleFuncArgSpecListStmt(int line, int column, consoleFuncArgSpecStmt *arg)
	: consoleStatement(line, column)
{
	addChild(arg);
}

char *consoleFuncArgSpecListStmt::string(int cr, int tl)
{
	std::string t;
	for (int i = 0; i < m_nbChildren; i++) t += (i ? ", " : "") + text(m_child[i], cr, tl);
	return result(t);
}

consoleDynStmt::consoleDynStmt(int line, int column, consoleStatement *stmt, const std::string &name)
	: consoleStatement(line, column), m_workingDirectory(currentWorkingDirectory()), m_name(name)
{
	addChild(stmt);
}

char *consoleDynStmt::string(int cr, int tl)
{
	// the name decides which statement a later one replaces, so it is kept
	std::string name = m_name.empty() ? m_name : nameText(m_name) + ": ";
	return result(tabs(tl) + "dynamic{" + name + text(m_child[0], cr, deeper(cr, tl)) + "}" + nl(cr));
}

consoleSetStmt::consoleSetStmt(int line, int column, const std::string &what, const std::string &value)
	: consoleStatement(line, column), m_what(what), m_strValue(value), m_intValue(-1)
{
}

consoleSetStmt::consoleSetStmt(int line, int column, const std::string &what, int value)
	: consoleStatement(line, column), m_what(what), m_intValue(value)
{
}

char *consoleSetStmt::string(int cr, int tl)
{
	std::string t = tabs(tl);
	if (m_what == "inner_product") t += m_what + "(" + m_strValue + ")" + nl(cr);
	// no default model prints as empty parentheses, the form that reads back
	else if (m_what == "default_model") t += m_what + "(" + modelName(m_intValue) + ")" + nl(cr);
	return result(t);
}
