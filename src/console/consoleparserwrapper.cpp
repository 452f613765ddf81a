#include "console/consoleparserwrapper.h"

#include <antlr/RecognitionException.hpp>

#include "os/osdep.h"

ConsoleParserWrapper::ConsoleParserWrapper(antlr::TokenStream &lexer) : ConsoleParser(lexer) {}

ConsoleParserWrapper::~ConsoleParserWrapper() = default;

void ConsoleParserWrapper::reportError(const antlr::RecognitionException &ex)
{
	m_nbErrors++;
	cprintf("%s\n", ex.toString().c_str());
}

void ConsoleParserWrapper::reportError(const std::string &s)
{
	m_nbErrors++;
	if (getFilename().empty()) cprintf("Error: %s\n", s.c_str());
	else cprintf("%s: error: %s\n", getFilename().c_str(), s.c_str());
}

void ConsoleParserWrapper::reportWarning(const std::string &s)
{
	if (getFilename().empty()) cprintf("Warning: %s\n", s.c_str());
	else cprintf("%s: warning: %s\n", getFilename().c_str(), s.c_str());
}
