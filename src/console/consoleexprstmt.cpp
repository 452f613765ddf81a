#include "console/consoleexprstmt.h"

#include "console/consolevariable.h"

consoleVariableStmt::consoleVariableStmt(int line, int column, const std::string &name, int global,
                                         consoleArrayIdxListStmt *arrayIdx)
	: consoleStatement(line, column), m_global(global), m_name(name)
{
	addChild(arrayIdx);
}

char *consoleVariableStmt::string(int cr, int tl)
{
	return result((m_global ? "::" : "") + nameText(m_name) + text(m_child[0], cr, tl));
}

consoleFuncNameStmt::consoleFuncNameStmt(int line, int column, const std::string &name)
	: consoleVariableStmt(line, column, name, 0, nullptr)
{
}

consoleConstantScalarStmt::consoleConstantScalarStmt(int line, int column, double d)
	: consoleStatement(line, column), m_value(d), m_valueName(std::to_string(d))
{
}

char *consoleConstantScalarStmt::string(int, int) { return result(consoleNumberText(m_value)); }

consoleFuncArgListStmt::consoleFuncArgListStmt(consoleExprListStmt *el) : consoleStatement(el) {}

char *consoleFuncArgListStmt::string(int cr, int tl)
{
	std::string t;
	for (int i = 0; i < m_nbChildren; i++) t += (i ? ", " : "") + text(m_child[i], cr, tl);
	return result(t);
}

consoleFuncCallStmt::consoleFuncCallStmt(int line, int column, const std::string &name, consoleFuncArgListStmt *arg,
                                         int global)
	: consoleStatement(line, column), m_name(name), m_global(global)
{
	if (arg != nullptr) addChild(arg);
}

char *consoleFuncCallStmt::string(int cr, int tl)
{
	// never "::": a cast reads back as the call of its built-in
	std::string arg = m_nbChildren == 1 ? text(m_child[0], cr, tl) : std::string();
	return result(nameText(m_name) + "(" + arg + ")");
}

consoleExprListStmt::consoleExprListStmt(consoleStatement *expr) : consoleStatement(expr) {}

char *consoleExprListStmt::string(int cr, int tl) { return result(exprText(cr, tl, stmtListChild())); }

std::string consoleExprListStmt::exprText(int cr, int tl, int asStatement)
{
	std::string t = asStatement ? tabs(tl) : std::string();
	for (int i = 0; i < m_nbChildren; i++) {
		if (m_child[i] != nullptr) t += opText(m_child[i]->op()) + text(m_child[i], cr, tl);
		if (i + 1 < m_nbChildren) t += ' ';
	}
	if (asStatement) t += std::string(verbose() ? "," : ";") + nl(cr);
	return t;
}

consoleParExprStmt::consoleParExprStmt(int line, int column, consoleExprListStmt *el) : consoleStatement(line, column)
{
	addChild(el);
}

char *consoleParExprStmt::string(int cr, int tl)
{
	std::string t = "(" + text(m_child[0], cr, tl) + ")";
	if (stmtListChild()) t = tabs(tl) + t + (verbose() ? "," : ";") + nl(cr);
	return result(t);
}

consoleArrayIdxListStmt::consoleArrayIdxListStmt(int line, int column, consoleExprListStmt *el)
	: consoleStatement(line, column)
{
	addChild(el);
}

char *consoleArrayIdxListStmt::string(int cr, int tl)
{
	std::string t;
	// an absent index is the index 0
	for (int i = 0; i < m_nbChildren; i++) t += "[" + (m_child[i] ? text(m_child[i], cr, tl) : "0") + "]";
	return result(t);
}
