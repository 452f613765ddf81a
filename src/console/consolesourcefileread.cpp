// Console-language source files: a ".g" file parsed as a whole and run in
// the global scope, and every ".g" file of a directory and its
// sub-directories.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <strings.h>

#include <antlr/ANTLRException.hpp>

#include "console/ConsoleLexer.hpp"
#include "console/consolecontrolstmt.h"
#include "console/consoleglobalscope.h"
#include "console/consoleparserwrapper.h"
#include "os/osdep.h"
#include "state/state.h"

namespace {

// The longest entry name a directory walk takes.
constexpr int sc_maxEntryName = 1023;

// The bytes of f from where it stands to its end; why is set when reading failed.
std::string wholeFile(FILE *f, std::string &why)
{
	std::string text;
	char block[u_textProbeLength];
	for (size_t n; (n = std::fread(block, 1, sizeof block, f)) > 0;) text.append(block, n);
	if (std::ferror(f)) why = "could not be read to its end";
	return text;
}

bool isSourceFile(const char *name)
{
	// source files end so, in any case
	const char *ending = state::sc_sourceExtension;
	const size_t n = std::strlen(name), e = std::strlen(ending);
	return n >= e && strcasecmp(name + n - e, ending) == 0;
}

} // namespace

int state::consoleSourceFileRead(const char *filename)
{
	// what is no readable text file is refused before anything is parsed
	std::string why, text;
	FILE *f = u_openTextFile(filename, why);
	if (f != nullptr) {
		text = wholeFile(f, why);
		std::fclose(f);
	}
	if (f == nullptr || !why.empty()) {
		cprintf("state::consoleSourceFileRead(): can not read %s\n", u_quotedWithWhy(filename, why).c_str());
		return -1;
	}
	cprintf("Parsing '%s'", filename);
	setWorkingDirectory(filename, true);
	consoleStmtListStmt *list = nullptr;
	try {
		std::istringstream in(text);
		ConsoleLexer lexer(in);
		lexer.setFilename(filename);
		ConsoleParserWrapper parser(lexer);
		parser.setFilename(filename);
		list = parser.input();
	} catch (...) {
		delete list;
		list = nullptr;
		cprintf("state::consoleSourceFileRead(): exception while reading or parsing '%s'\n", filename);
		return -1;
	}
	if (list == nullptr) {
		cprintf("state::consoleSourceFileRead(): exception while reading or parsing '%s'\n", filename);
		return -1;
	}
	{
		// its statements run in the global scope, which must stay while they do
		nestingGuard running(m_commandNesting);
		m_globalScope->execStmtList(list);
	}
	// a clear that a statement asked for comes once the statements ran; a
	// reset stays asked for, to the end of the next command
	if (m_commandNesting == 0 && m_clearRequested) {
		m_clearRequested = 0;
		clearScene();
	}
	return 0;
}

int state::consoleSourceDirRead(const char *dirname)
{
	u_dirEnt_s *d = u_dirOpen(dirname, nullptr);
	if (d == nullptr) {
		cprintf("state::consoleSourceDirRead(): Could not open directory %s\n",
		        u_quotedWithWhy(dirname, u_systemWhy(errno)).c_str());
		return -1;
	}
	cprintf("Reading all .g files in '%s'\n", dirname);
	char name[sc_maxEntryName + 1];
	std::string path;
	for (int type; (type = u_dirNext(d, name, sizeof name)) != U_DIR_END;) {
		// hidden entries, "." and ".." among them
		if (name[0] == '.') continue;
		path = u_joinPath(dirname, name);
		if (type == U_DIR_DIRECTORY) consoleSourceDirRead(path.c_str());
		else if (type == U_DIR_FILE && isSourceFile(name)) consoleSourceFileRead(path.c_str());
	}
	u_dirClose(d);
	return 0;
}
