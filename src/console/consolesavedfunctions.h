#pragma once
// The user functions and batches of a saved scene, and the console lines
// after them that call them. A new program reads each body knowing the
// built-in functions and the functions the file declares, and no other, so
// a definition typed before a function it calls existed (its call then read
// as a product) would read back as another function: such a definition is
// left out, and so is whatever calls a function left out, each with a
// message that says why.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

class consoleGlobalScope;
struct consoleFunc_s;

class consoleSavedFunctions {
public:
	// Decides which rows of the scope's root the file holds; nothing for a
	// null scope.
	explicit consoleSavedFunctions(consoleGlobalScope *scope);
	consoleSavedFunctions(const consoleSavedFunctions &) = delete;
	consoleSavedFunctions &operator=(const consoleSavedFunctions &) = delete;

	// One line of declarations of the rows held, then one line per
	// definition, its text as the console prints it; a message for each
	// row left out.
	void write(FILE *F) const;
	// Empty when the dynamic statement line ("dynamic{...}", whose body
	// printed is body) reads back as the same statement after the file's
	// functions; otherwise why it does not.
	std::string whyNotSaved(const std::string &line, const std::string &body) const;

private:
	struct row {
		const consoleFunc_s *func;
		std::string text; // the definition as the console prints it
		bool kept;
		std::string why; // why a row left out is
	};

	// The lexer knows as functions the built-in ones, the names of the rows
	// held and the names in also; every other name the file defines is a
	// variable.
	void declare(const std::vector<std::string> &also) const;
	// The lexer's table as it was before.
	void restore() const;
	// The names of the rows left out that no row held shares.
	std::vector<std::string> leftOutNames() const;
	// Why a text that does not read back with the file's names fails: a
	// function left out that it calls, when the text reads back with all of
	// them declared and not without that one; otherwise ownFault.
	template <class Reads> std::string why(Reads reads, const char *ownFault) const;

	consoleGlobalScope *m_root;
	std::vector<row> m_rows;
	std::vector<std::string> m_builtins;
	// each user function's name, and whether the lexer took it as a function
	std::vector<std::pair<std::string, bool>> m_named;
	// the names the lexer takes as functions that no row has
	std::vector<std::string> m_declaredOnly;
};
