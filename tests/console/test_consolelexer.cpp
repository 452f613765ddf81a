// The console lexer: token streams of console text, with operator runs that
// keep their blanks, numbers, names typed as model names, keywords,
// function names or identifiers, quoted names, comments, positions, and
// the lexical errors that refuse a text.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include <antlr/ANTLRException.hpp>

#include "console/ConsoleLexer.hpp"
#include "console/consoleglobalscope.h"
#include "console/consoleparsingscope.h"

namespace {

// A token as "kind[text]"; punctuation as itself. Line feeds and tabs in
// texts show as \n and \t.
std::string tokenText(const antlr::RefToken &t)
{
	std::string text;
	for (char c : t->getText()) text += c == '\n' ? "\\n" : c == '\t' ? "\\t" : std::string(1, c);
	int type = t->getType();
	if (type == ConsoleLexerTokenTypes::IDENTIFIER) return "id[" + text + "]";
	if (type == ConsoleLexerTokenTypes::FUNCNAME) return "fn[" + text + "]";
	if (type >= ConsoleLexerTokenTypes::E3GA_TYPENAME && type <= ConsoleLexerTokenTypes::I2GA_TYPENAME)
		return "type[" + text + "]";
	if (type >= ConsoleLexerTokenTypes::LITERAL_return && type <= ConsoleLexerTokenTypes::LITERAL_variable)
		return "kw" + std::to_string(type) + "[" + text + "]";
	if (type == ConsoleLexerTokenTypes::OPERATOR) return "op[" + text + "]";
	if (type == ConsoleLexerTokenTypes::CONSTANT) return "num[" + text + "]";
	if (type == ConsoleLexerTokenTypes::GLOBAL) return "::";
	return text;
}

// The tokens of a text up to the end of the input, with each position
// after an "@" when positions is set; the runtime's message when the
// text has a lexical error.
std::string lex(const std::string &text, bool positions = false)
{
	std::istringstream in(text);
	ConsoleLexer lexer(in);
	std::string r;
	try {
		for (;;) {
			antlr::RefToken t = lexer.nextToken();
			if (t->getType() == antlr::Token::EOF_TYPE) return r;
			if (!r.empty()) r += ' ';
			r += tokenText(t);
			if (positions) r += "@" + std::to_string(t->getLine()) + ":" + std::to_string(t->getColumn());
		}
	} catch (const antlr::ANTLRException &e) {
		return r + " ! " + e.toString();
	}
}

// A parsing scope that records f as a function and v as a variable.
class ConsoleLexing : public testing::Test {
protected:
	consoleGlobalScope scope{nullptr};
	void SetUp() override
	{
		scope.setFunctionOrVariable("f", true);
		scope.setFunctionOrVariable("v", false);
		g_currentParsingScope = &scope;
	}
	void TearDown() override { g_currentParsingScope = nullptr; }
};

} // namespace

TEST_F(ConsoleLexing, TokenStreams)
{
	struct row {
		const char *text, *tokens;
	};
	const row rows[] = {
		{"", ""},
		// blanks after an operator character belong to the operator
		{"a+b", "id[a] op[+] id[b]"},
		{"a + b", "id[a] op[+ ] id[b]"},
		{"x = -y", "id[x] op[= -] id[y]"},
		{"x =\n  -y", "id[x] op[=\\n  -] id[y]"},
		{"a/b", "id[a] op[/] id[b]"},
		{"a =// note\nb", "id[a] op[=] id[b]"},
		{"a = /* c */ b", "id[a] op[= ] id[b]"},
		{"a = b&&!c || ~d", "id[a] op[= ] id[b] op[&&!] id[c] op[|| ~] id[d]"},
		// numbers have no sign and never begin with "."
		{"x=-2", "id[x] op[=-] num[2]"},
		{"a.b", "id[a] op[.] id[b]"},
		{".5", "op[.] num[5]"},
		{"2e1 2 e1 1.5E-3 7.25e+2 10", "num[2e1] num[2] id[e1] num[1.5E-3] num[7.25e+2] num[10]"},
		{"2a", "num[2] id[a]"},
		// "::" and ":"
		{"::x", ":: id[x]"},
		{":::", ":: :"},
		{":x", ": id[x]"},
		{"( ) [ ] { } ; ,", "( ) [ ] { } ; ,"},
		// keywords are whole names, exactly
		{"if If iffy format E3GA", "kw17[if] id[If] id[iffy] id[format] id[E3GA]"},
		{"return switch default case break continue suspend if else while for",
		 "kw10[return] kw11[switch] kw12[default] kw13[case] kw14[break] kw15[continue] kw16[suspend] kw17[if] "
		 "kw18[else] kw19[while] kw20[for]"},
		{"function batch dynamic inner_product default_model variable",
		 "kw21[function] kw22[batch] kw23[dynamic] kw24[inner_product] kw25[default_model] kw26[variable]"},
		{"e3ga p3ga c3ga i2ga", "type[e3ga] type[p3ga] type[c3ga] type[i2ga]"},
		// the parsing scope decides between function names and identifiers
		{"f(v) fv _f9", "fn[f] ( id[v] ) id[fv] id[_f9]"},
		// quoted names: their content, a keyword or model name as such,
		// never a function name
		{"\"if\" \"e3ga\" \"my var\" \"f\"", "kw17[if] type[e3ga] id[my var] id[f]"},
		{"\"say \\\"hi\\\"\" \"a\\b\"", "id[say \"hi\"] id[a\\b]"},
		{"\"\" x", "id[] id[x]"},
		{"\"\xc3\xa9t\xc3\xa9\" /* \x7f\xff */", "id[\xc3\xa9t\xc3\xa9]"},
		// carriage returns are blanks
		{"a;\r\nb", "id[a] ; id[b]"},
	};
	for (const row &r : rows) EXPECT_EQ(lex(r.text), r.tokens) << r.text;
}

TEST_F(ConsoleLexing, PositionsAndCutQuotedNames)
{
	struct row {
		const char *text, *tokens, *printed;
	};
	const row rows[] = {
		{"a b", "id[a]@1:1 id[b]@1:3", ""},
		// tabs move to the columns 9, 17, ...; a line feed in an operator counts
		{"\tx\t= \n y", "id[x]@1:9 op[= \\n ]@1:17 id[y]@2:2", ""},
		{"/* a\n b */ c", "id[c]@2:7", ""},
		{"// only a comment\n  z", "id[z]@2:3", ""},
		// a quoted name cut off by a line feed or the end of the text is kept
		{"\"abc\nx", "id[abc]@1:1 id[x]@2:1", "Warning line(1, 5): newline or end of file in quoted string\n"},
		{"y \"ab\\\"", "id[y]@1:1 id[ab\"]@1:3", "Warning line(1, 8): newline or end of file in quoted string\n"},
	};
	for (const row &r : rows) {
		testing::internal::CaptureStdout();
		EXPECT_EQ(lex(r.text, true), r.tokens) << r.text;
		EXPECT_EQ(testing::internal::GetCapturedStdout(), r.printed) << r.text;
	}
}

TEST_F(ConsoleLexing, LexicalErrors)
{
	struct row {
		const char *text, *result;
	};
	const row rows[] = {
		{"a = b #", "id[a] op[= ] id[b] ! line 1:7: unexpected char: '#'"},
		{"1. ", " ! line 1:3: unexpected char: ' '"},
		{"x = 1.;", "id[x] op[= ] ! line 1:7: unexpected char: ';'"},
		{"3ex", " ! line 1:3: unexpected char: 'x'"},
		{"2e+", " ! line 1:4: unexpected char: EOF"},
		{"/* a", " ! line 1:5: expecting ''*'', found 'EOF'"},
		{"a\n$", "id[a] ! line 2:1: unexpected char: '$'"},
		{"?", " ! line 1:1: unexpected char: '?'"},
		{"x\x01", "id[x] ! line 1:2: unexpected char: 0x01"},
		{"\xc3\xa9", " ! line 1:1: unexpected char: 0xC3"},
	};
	for (const row &r : rows) EXPECT_EQ(lex(r.text), r.result) << r.text;
}
