// The markup scanner: tokens, their values and positions in both lexical
// modes, and the switching between the modes.
#include <gtest/gtest.h>

#include <string>

#include "typeset/markuptree.h"
#include "typeset/fontscan.h"

namespace {

// The token numbers the parser and the scanner agree on.
struct tokenName {
	int number;
	const char *name;
};
const tokenName sc_tokens[] = {{257, "WHITESPACE"}, {258, "CHAR"},   {259, "OTHER"},  {260, "COMMAND"},
                               {261, "ARGUMENT"},   {262, "WORD"},   {263, "NUMBER"}, {264, "LCURLY"},
                               {265, "RCURLY"},     {266, "SUPERSCRIPT"}, {267, "SUBSCRIPT"}, {268, "END"}};

// The tokens of text up to the end, as NAME(value) or NAME(value)@position.
std::string scan(const char *text, const char *mode, bool positions = false, int len = -1)
{
	EXPECT_EQ(fontParseReset(mode), 0);
	EXPECT_EQ(fontParseSetInputBuf(text, len < 0 ? (int)strlen(text) : len), 0);
	std::string out;
	for (int k = 0; k < 1000; k++) {
		int t = fontParselex();
		const fpValue_s &v = fontParselval;
		std::string name = "?" + std::to_string(t);
		for (const tokenName &tn : sc_tokens)
			if (tn.number == t)
				name = tn.name;
		std::string value;
		if (t == 258)
			value = std::string(1, (char)v.i);
		else if (v.str)
			value = v.str;
		else if (t != 268 && t != 266 && t != 267)
			value = std::to_string(v.i);
		out += (out.empty() ? "" : " ") + name + (value.empty() ? "" : "(" + value + ")");
		if (positions)
			out += "@" + std::to_string(v.idx);
		if (t == 268 || t <= 0)
			break;
	}
	return out;
}

TEST(MarkupScan, TokensInBothModes)
{
	struct scanCase {
		const char *text, *mode, *tokens;
	};
	const scanCase cases[] = {
	    // "^" is a character in text mode and a superscript in equations.
	    {"x^2", "t", "WORD(x) CHAR(^) WORD(2) END"},
	    {"x^2", "e", "WORD(x) SUPERSCRIPT NUMBER(2) END"},
	    {"x_i", "t", "WORD(x_i) END"},
	    {"x_i", "E", "WORD(x) SUBSCRIPT WORD(i) END"},
	    {"a\\_b", "e", "WORD(a) CHAR(_) WORD(b) END"},
	    // Tabs count 4, spaces and newlines 1.
	    {"a\tb", "t", "WORD(a) WHITESPACE(4) WORD(b) END"},
	    {" \t\n ", "e", "WHITESPACE(7) END"},
	    // Words: text mode takes digits, "_", "+" and "-" in; equations do not.
	    {"3.14 a_b+c-d", "t", "WORD(3) CHAR(.) WORD(14) WHITESPACE(1) WORD(a_b+c-d) END"},
	    {"a1+b-c", "e", "WORD(a) NUMBER(1) CHAR(+) WORD(b) CHAR(-) WORD(c) END"},
	    // Numbers: fraction and exponent; a point before no digit is a character.
	    {"1.5e-3 .5 2E7", "e", "NUMBER(1.5e-3) WHITESPACE(1) NUMBER(.5) WHITESPACE(1) NUMBER(2E7) END"},
	    {"1. 2ex 3.x", "e",
	     "NUMBER(1) CHAR(.) WHITESPACE(1) NUMBER(2) WORD(ex) WHITESPACE(1) NUMBER(3) CHAR(.) WORD(x) END"},
	    // Punctuation, escapes and the line break command.
	    {"(a,b)!", "t", "CHAR(() WORD(a) CHAR(,) WORD(b) CHAR()) CHAR(!) END"},
	    {"\\{\\}\\^\\%\\.\\\\", "t", "CHAR({) CHAR(}) CHAR(^) CHAR(%) CHAR(.) COMMAND(\\\\) END"},
	    // Commands and arguments; "\eof" in a text is an ordinary command.
	    {"\\alpha\\beta2 \\eof", "e", "COMMAND(\\alpha) COMMAND(\\beta) NUMBER(2) WHITESPACE(1) COMMAND(\\eof) END"},
	    {"\\12\\99999999999", "t", "ARGUMENT(12) ARGUMENT(2147483647) END"},
	    // A backslash before nothing it can start, and bytes outside the classes.
	    {"\\ a\\", "t", "OTHER(\\) WHITESPACE(1) WORD(a) OTHER(\\) END"},
	    {"\x01\xc3\xa9\r", "t", "OTHER(\x01) OTHER(\xc3) OTHER(\xa9) OTHER(\r) END"},
	    // Braces carry the depth after opening and before closing.
	    {"{{}}}", "t", "LCURLY(1) LCURLY(2) RCURLY(2) RCURLY(1) RCURLY(0) END"},
	    {"", "t", "END"},
	};
	for (const scanCase &c : cases)
		EXPECT_EQ(scan(c.text, c.mode), c.tokens) << c.text << " in mode " << c.mode;
}

TEST(MarkupScan, ModeSwitching)
{
	struct scanCase {
		const char *text, *mode, *tokens;
	};
	const scanCase cases[] = {
	    // The first brace group after the command is read in the other mode.
	    {"\\scale{2}{abc}", "t",
	     "COMMAND(\\scale) LCURLY(1) NUMBER(2) RCURLY(1) LCURLY(1) WORD(abc) RCURLY(1) END"},
	    {"\\ws{1.5}x_1", "t", "COMMAND(\\ws) LCURLY(1) NUMBER(1.5) RCURLY(1) WORD(x_1) END"},
	    {"\\newcolor{c}{1 0}", "t",
	     "COMMAND(\\newcolor) LCURLY(1) WORD(c) RCURLY(1) LCURLY(1) WORD(1) WHITESPACE(1) WORD(0) RCURLY(1) END"},
	    {"\\txt{a_b}a_b", "e",
	     "COMMAND(\\txt) LCURLY(1) WORD(a_b) RCURLY(1) WORD(a) SUBSCRIPT WORD(b) END"},
	    // Only text mode knows "\eqn" as a switch, only equations "\txt".
	    {"\\txt{a_b}", "t", "COMMAND(\\txt) LCURLY(1) WORD(a_b) RCURLY(1) END"},
	    {"\\eqn{a_b}", "e", "COMMAND(\\eqn) LCURLY(1) WORD(a) SUBSCRIPT WORD(b) RCURLY(1) END"},
	    {"\\eqnx a_b", "t", "COMMAND(\\eqnx) WHITESPACE(1) WORD(a_b) END"},
	    // Nested switches each end with their own group.
	    {"\\eqn{a\\txt{b_c}d_e}f_g", "t",
	     "COMMAND(\\eqn) LCURLY(1) WORD(a) COMMAND(\\txt) LCURLY(2) WORD(b_c) RCURLY(2) WORD(d) SUBSCRIPT "
	     "WORD(e) RCURLY(1) WORD(f_g) END"},
	    // Without a brace group the other mode holds until a closing brace
	    // brings the depth back to where the command stood.
	    {"\\eqn x^2", "t", "COMMAND(\\eqn) WHITESPACE(1) WORD(x) SUPERSCRIPT NUMBER(2) END"},
	    {"\\bold{\\eqn x_1} y_2", "t",
	     "COMMAND(\\bold) LCURLY(1) COMMAND(\\eqn) WHITESPACE(1) WORD(x) SUBSCRIPT NUMBER(1) RCURLY(1) "
	     "WHITESPACE(1) WORD(y) SUBSCRIPT NUMBER(2) END"},
	    {"\\bold{\\eqn x_1{y}z_2}", "t",
	     "COMMAND(\\bold) LCURLY(1) COMMAND(\\eqn) WHITESPACE(1) WORD(x) SUBSCRIPT NUMBER(1) LCURLY(2) "
	     "WORD(y) RCURLY(2) WORD(z_2) RCURLY(1) END"},
	};
	for (const scanCase &c : cases)
		EXPECT_EQ(scan(c.text, c.mode), c.tokens) << c.text << " in mode " << c.mode;
}

TEST(MarkupScan, ResetForgetsModeSwitchesAndBraces)
{
	// A text that ends inside a switched group leaves no trace on the next.
	scan("\\eqn{{x", "t");
	EXPECT_EQ(scan("x^2}", "t"), "WORD(x) CHAR(^) WORD(2) RCURLY(0) END");
	testing::internal::CaptureStdout();
	EXPECT_EQ(fontParseReset("verbatim"), -1);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
	          "fontParseReset(): warning: invalid parse mode 'verbatim', assuming mode 'text'.\n");
	EXPECT_EQ(fontParseSetInputBuf("x^2", 3), 0);
	EXPECT_EQ(fontParselex(), 262);
	EXPECT_EQ(fontParselex(), 258); // text mode
	EXPECT_EQ(fontParseSetInputBuf(nullptr, 1), -1);
	EXPECT_EQ(fontParseSetInputBuf("x", -1), -1);
}

TEST(MarkupScan, PositionsAndTheEnd)
{
	// Each token carries where it starts, repeated texts included.
	EXPECT_EQ(scan("a \\bold{a}a", "t", true),
	          "WORD(a)@0 WHITESPACE(1)@1 COMMAND(\\bold)@2 LCURLY(1)@7 WORD(a)@8 RCURLY(1)@9 WORD(a)@10 END@11");
	// The end of the input is its length: an in-band end marker is text,
	// and so is whatever follows a NUL byte.
	EXPECT_EQ(scan("a\\eof b", "t", true), "WORD(a)@0 COMMAND(\\eof)@1 WHITESPACE(1)@5 WORD(b)@6 END@7");
	EXPECT_EQ(scan("a\0b", "t", false, 3), "WORD(a) OTHER WORD(b) END");
	// The end is given again for every option left open.
	EXPECT_EQ(scan("", "e", true), "END@0");
	EXPECT_EQ(fontParselex(), 268);
	EXPECT_EQ(fontParselex(), 268);
}

TEST(MarkupScan, TextsLongerThanOneReadBlock)
{
	// Blocks of input meet in the middle of a word and of a number.
	std::string text;
	for (int k = 0; k < 3000; k++)
		text += "ab1.25 ";
	EXPECT_GT(text.size(), 2u * 8192u);
	fontParseReset("e");
	fontParseSetInputBuf(text.c_str(), (int)text.size());
	int words = 0, numbers = 0, spaces = 0, t;
	while ((t = fontParselex()) != 268) {
		words += t == 262 && std::string(fontParselval.str) == "ab";
		numbers += t == 263 && std::string(fontParselval.str) == "1.25";
		spaces += t == 257;
	}
	EXPECT_EQ(words, 3000);
	EXPECT_EQ(numbers, 3000);
	EXPECT_EQ(spaces, 3000);
	EXPECT_EQ(fontParselval.idx, (int)text.size());
}

} // namespace
