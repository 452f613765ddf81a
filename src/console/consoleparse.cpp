#include "console/consoleparse.h"

#include <sstream>
#include <string>

#include <antlr/ANTLRException.hpp>

#include "console/ConsoleLexer.hpp"
#include "console/consoleparserwrapper.h"
#include "osdep.h"
#include "state/state.h"

consoleStmtListStmt *consoleParse(const char *cmd, const char *wd) { return consoleParse(cmd, wd, nullptr); }

consoleStmtListStmt *consoleParse(const char *cmd, const char *wd, int *refused)
{
	return consoleParse(cmd, wd, refused, nullptr);
}

consoleStmtListStmt *consoleParse(const char *cmd, const char *wd, int *refused, int *nbErrors)
{
	if (refused != nullptr) *refused = 0;
	if (nbErrors != nullptr) *nbErrors = 0;
	if (g_state != nullptr) g_state->setWorkingDirectory(wd ? std::string(wd) : g_state->m_initialWorkingDirectory, false);
	std::istringstream in(cmd ? cmd : "");
	ConsoleLexer lexer(in);
	ConsoleParserWrapper parser(lexer);
	try {
		consoleStmtListStmt *list = parser.input();
		if (nbErrors != nullptr) *nbErrors = parser.nbErrors();
		return list;
	} catch (const antlr::ANTLRException &e) {
		// a lexical error or a text nested too deeply: the whole text is refused
		cprintf("%s\n", e.toString().c_str());
	} catch (...) {
		cprintf("Non-ANTLRException during parsing\n");
	}
	if (refused != nullptr) *refused = 1;
	return nullptr;
}
