#include "console/consoleparse.h"

#include <cstring>
#include <memory>
#include <sstream>
#include <string>

#include <antlr/ANTLRException.hpp>
#include <antlr/CharInputBuffer.hpp>
#include <antlr/LexerSharedInputState.hpp>

#include "console/ConsoleLexer.hpp"
#include "console/consoleparserwrapper.h"
#include "osdep.h"
#include "state/state.h"

namespace {

// The lexer of the console's texts, made once: making one fills its table of
// keywords anew.  Every token starts from a state of its own, so a text
// parsed after another gives the tokens a new lexer would.  A text parsed
// while another is (from within its parse) takes a lexer of its own.
class textLexer {
public:
	explicit textLexer(const char *text)
	{
		if (!s_sharedBusy) {
			s_sharedBusy = true;
			m_lexer = &shared();
		} else {
			m_own.reset(new ConsoleLexer(noText()));
			m_lexer = m_own.get();
		}
		// the text is read where it is, line and column from the start
		unsigned char *begin = reinterpret_cast<unsigned char *>(const_cast<char *>(text));
		m_lexer->setInputState(antlr::LexerSharedInputState(
		    new antlr::LexerInputState(new antlr::CharInputBuffer(begin, std::strlen(text)))));
	}
	~textLexer()
	{
		if (m_own) return;
		// the shared lexer keeps nothing of the text, which ends with the parse
		m_lexer->setInputState(idle());
		s_sharedBusy = false;
	}
	textLexer(const textLexer &) = delete;
	textLexer &operator=(const textLexer &) = delete;
	ConsoleLexer &lexer() { return *m_lexer; }

private:
	static std::istream &noText()
	{
		static std::istringstream empty;
		return empty;
	}
	static ConsoleLexer &shared()
	{
		static ConsoleLexer lexer(noText());
		return lexer;
	}
	static const antlr::LexerSharedInputState &idle()
	{
		static const antlr::LexerSharedInputState state(new antlr::LexerInputState(new antlr::CharInputBuffer(nullptr, 0)));
		return state;
	}
	static bool s_sharedBusy;

	ConsoleLexer *m_lexer = nullptr;
	std::unique_ptr<ConsoleLexer> m_own;
};

bool textLexer::s_sharedBusy = false;

} // namespace

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
	textLexer text(cmd ? cmd : "");
	ConsoleParserWrapper parser(text.lexer());
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
