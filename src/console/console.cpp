// Command entry: the console widget's callback, which completes a typed
// line, and the state's entry, which parses a command and runs it, or
// resumes the newest suspended command, and then resets the state or
// updates the dynamic statements.
#include "console/console.h"

#include <string>

#include "console/consolecontrolstmt.h"
#include "console/consoleglobalscope.h"
#include "console/consoleparse.h"
#include "state/state.h"

namespace {

// Characters below this are control characters; bytes from 0x80 up, read
// unsigned, are parts of text such as UTF-8 and count as characters.
constexpr unsigned char sc_firstPrintable = 32;

// The ending that makes a typed command displayed: a line end closes a
// line comment the command may end with, and "," ends the statement.
constexpr const char *sc_displayEnding = "\n,";

// The position of the last character of text that is not a control
// character (0 for an empty text or one of control characters only).
size_t lastCharacter(const std::string &text)
{
	size_t p = text.empty() ? 0 : text.size() - 1;
	while (p > 0 && (unsigned char)text[p] < sc_firstPrintable) p--;
	return p;
}

// The length of text without the line comment it ends with, read as the
// console's lexer reads it: a "//" inside a quoted name (up to its closing
// quote or the line's end; a backslash before a quote keeps the quote in
// the name) or inside a block comment starts no comment, and a line feed
// ends one.
size_t withoutTrailingComment(const std::string &text)
{
	enum { code, quoted, block, line } in = code;
	size_t commentStart = text.size();
	for (size_t i = 0; i < text.size(); i++) {
		const char c = text[i], next = i + 1 < text.size() ? text[i + 1] : '\0';
		switch (in) {
		case code:
			if (c == '"') in = quoted;
			else if (c == '/' && next == '*') in = block, i++;
			else if (c == '/' && next == '/') in = line, commentStart = i++;
			break;
		case quoted:
			if (c == '\\' && next == '"') i++;
			else if (c == '"' || c == '\n') in = code;
			break;
		case block:
			if (c == '*' && next == '/') in = code, i++;
			break;
		case line:
			if (c == '\n') in = code;
			break;
		}
	}
	return in == line ? commentStart : text.size();
}

} // namespace

bool consoleEndingAdded(const char *cmd)
{
	// a terminator inside a comment the command ends with terminates nothing
	std::string text(cmd != nullptr ? cmd : "");
	text.erase(withoutTrailingComment(text));
	const size_t p = lastCharacter(text);
	return text.empty() || (text[p] != ';' && text[p] != ',');
}

std::string consoleCompleteCommand(const char *cmd)
{
	// a copy that grows as needed, so that no command is too short or too long for it
	std::string text(cmd != nullptr ? cmd : "");
	if (!consoleEndingAdded(cmd)) return text;
	// the ending replaces the control characters after the last character
	text.erase(text.empty() ? 0 : lastCharacter(text) + 1);
	return text + sc_displayEnding;
}

void g_consoleCommandCallback(const char *cmd, void *cbArg)
{
	if (cbArg == nullptr) return;
	static_cast<state *>(cbArg)->consoleCommandCallback(consoleCompleteCommand(cmd).c_str(), nullptr,
	                                                    consoleEndingAdded(cmd));
}

int state::consoleCommandCallback(const char *cmd, const char *wd, bool endingAdded)
{
	{
		// the global scope runs the statements: nothing may replace it meanwhile
		nestingGuard running(m_commandNesting);
		int refused = 0;
		consoleStmtListStmt *list = consoleParse(cmd, wd, &refused, nullptr, endingAdded);
		if (list != nullptr && !list->dummy()) {
			m_globalScope->execStmtList(list);
		} else {
			delete list;
			// a text without a statement of its own continues a suspended
			// command; a refused text, whose error was printed, does not
			if (!refused) m_globalScope->resumeStmtList();
		}
	}
	// a reset waits for the end of the command, and of the script that runs it
	if (!m_globalScope->resetRequested()) updateDynStmts();
	// what the statements asked for that would have deleted what ran them:
	// a reset, a clear, a file opened from the console (read at once)
	return runDeferred(true);
}
