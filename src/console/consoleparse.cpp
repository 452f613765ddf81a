#include "console/consoleparse.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include <antlr/ANTLRException.hpp>
#include <antlr/InputBuffer.hpp>
#include <antlr/LexerSharedInputState.hpp>

#include "console/ConsoleLexer.hpp"
#include "console/consoleparserwrapper.h"
#include "os/osdep.h"
#include "state/state.h"

namespace {

// A text read where it is; the queue of characters looked ahead keeps its
// room from one text to the next.
class textInput : public antlr::InputBuffer {
public:
	void setText(const char *text)
	{
		reset();
		m_next = text;
		m_end = text + std::strlen(text);
	}
	int getChar() override { return m_next < m_end ? (unsigned char)*m_next++ : EOF; }

private:
	const char *m_next = nullptr;
	const char *m_end = nullptr;
};

// The lexer of the console's texts, made once with its input: making one
// fills its table of keywords anew.  Every token starts from a state of its
// own, and every text from line 1, column 1, so a text parsed after another
// gives the tokens a new lexer would.  A text parsed while another is (from
// within its parse) takes a lexer of its own.
class textLexer {
public:
	explicit textLexer(const char *text)
	{
		if (!s_sharedBusy) {
			s_sharedBusy = true;
			shared().input.setText(text);
			shared().state->reset();
			m_lexer = &shared().lexer;
			return;
		}
		m_ownInput.reset(new textInput);
		m_ownInput->setText(text);
		m_own.reset(new ConsoleLexer(antlr::LexerSharedInputState(new antlr::LexerInputState(*m_ownInput))));
		m_lexer = m_own.get();
	}
	~textLexer()
	{
		if (m_own) return;
		// nothing of the text, which ends with the parse, is read again
		shared().input.setText("");
		s_sharedBusy = false;
	}
	textLexer(const textLexer &) = delete;
	textLexer &operator=(const textLexer &) = delete;
	ConsoleLexer &lexer() { return *m_lexer; }

private:
	struct sharedLexer {
		textInput input;
		antlr::LexerSharedInputState state{new antlr::LexerInputState(input)};
		ConsoleLexer lexer{state};
	};
	static sharedLexer &shared()
	{
		static sharedLexer s;
		return s;
	}
	static bool s_sharedBusy;

	ConsoleLexer *m_lexer = nullptr;
	std::unique_ptr<textInput> m_ownInput;
	std::unique_ptr<ConsoleLexer> m_own;
};

bool textLexer::s_sharedBusy = false;

} // namespace

consoleStmtListStmt *consoleParse(const char *cmd, const char *wd, int *refused, int *nbErrors, bool endingAdded)
{
	if (refused != nullptr) *refused = 0;
	if (nbErrors != nullptr) *nbErrors = 0;
	if (g_state != nullptr) g_state->setWorkingDirectory(wd ? std::string(wd) : g_state->m_initialWorkingDirectory, false);
	textLexer text(cmd ? cmd : "");
	ConsoleParserWrapper parser(text.lexer());
	parser.endingAdded(endingAdded);
	parser.wholeOnly(nbErrors != nullptr);
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
