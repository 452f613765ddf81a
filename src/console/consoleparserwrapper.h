#pragma once
// The console parser as the program uses it: syntax errors and warnings are
// printed on the console.
#include <string>

#include "console/ConsoleParser.hpp"

class ConsoleParserWrapper : public ConsoleParser {
public:
	explicit ConsoleParserWrapper(antlr::TokenStream &lexer);
	~ConsoleParserWrapper() override;

	// "line L:C: " and the runtime's message, or "file:L:C: " with a file name.
	void reportError(const antlr::RecognitionException &ex) override;
	void reportError(const std::string &s) override;
	void reportWarning(const std::string &s) override;

	// syntax errors reported so far
	int nbErrors() const { return m_nbErrors; }

private:
	int m_nbErrors = 0;
};
