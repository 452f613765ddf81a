// The markup parser: the trees of the grammar's rules, the messages for
// malformed texts with their excerpts, the limits, and random texts.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "typeset/markuptree.h"

namespace {

using markup::compact;
using markup::parseCaptured;

TEST(MarkupParse, TreesOfTheRules)
{
	struct parseCase {
		const char *text, *mode, *tree;
	};
	const parseCase cases[] = {
	    // Sentences of words, white space, numbers and special characters.
	    {"a b", "t", "\"a\" ~1 \"b\""},
	    {"a\tb", "t", "\"a\" ~4 \"b\""},
	    {"x^2", "t", "\"x\" '^' \"2\""},
	    {"x^2", "e", "\"x\" ^#2"},
	    {"a\\_b", "e", "\"a\" '_' \"b\""},
	    {"3.5+x", "e", "#3.5 '+' \"x\""},
	    // Scripts of items and of options, nested.
	    {"x_{i+1}^2", "e", "\"x\" _{\"i\" '+' #1} ^#2"},
	    {"^^x", "e", "^^\"x\""},
	    {"x^\\bold{y}z", "e", "\"x\" ^\\bold{\"y\"} \"z\""},
	    {"e^\\alpha", "e", "\"e\" ^\\alpha"},
	    // Commands take every brace group that follows them.
	    {"\\bold{abc}", "t", "\\bold{\"abc\"}"},
	    {"\\frac{a}{b}c", "e", "\\frac{\"a\"}{\"b\"} \"c\""},
	    {"\\a{\\b{c}{d}}{e}", "t", "\\a{\\b{\"c\"}{\"d\"}}{\"e\"}"},
	    {"\\scale{2}{abc}", "t", "\\scale{#2}{\"abc\"}"},
	    {"\\eqn{x^2} y^2", "t", "\\eqn{\"x\" ^#2} ~1 \"y\" '^' \"2\""},
	    {"\\newline\\\\a", "t", "\\newline \\\\ \"a\""},
	    {"\\1 \\2", "t", "$1 ~1 $2"},
	    {"a\\eof b", "t", "\"a\" \\eof ~1 \"b\""},
	    // Options left open at the end, and empty ones.
	    {"\\frac{a", "e", "\\frac{\"a\"}"},
	    {"\\a{\\b{c", "t", "\\a{\\b{\"c\"}}"},
	    {"\\bold{}x", "t", "\\bold{} \"x\""},
	    {"_{}", "e", "_{}"},
	};
	for (const parseCase &c : cases) {
		auto p = parseCaptured(c.text, c.mode);
		ASSERT_TRUE(p.tree) << c.text << "\n" << p.out;
		EXPECT_EQ(compact(p.tree.get()), c.tree) << c.text;
		EXPECT_EQ(markup::shapeFault(p.tree.get()), "") << c.text;
		EXPECT_EQ(p.tree->parent, nullptr);
	}
}

TEST(MarkupParse, InputPositionsOfNodes)
{
	auto p = parseCaptured("ab \\bold{cd}{} x^2", "e");
	ASSERT_TRUE(p.tree);
	std::string positions;
	for (const fpNode_s *item : markup::chainItems(p.tree.get())) {
		positions += std::to_string(item->inputIdx) + " ";
		if (item->type == FP_COMMAND)
			for (const fpNode_s *option : markup::chainItems(item->child[0]))
				positions += "{" + std::to_string(option->inputIdx) + "} ";
		if (item->type == FP_SUPERSCRIPT)
			positions += "^" + std::to_string(item->child[0]->inputIdx) + " ";
	}
	// "ab" " " "\bold" {cd} {} " " "x" "^" 2
	EXPECT_EQ(positions, "0 2 3 {8} {12} 14 15 16 ^17 ");
}

TEST(MarkupParse, MessagesForMalformedTexts)
{
	struct messageCase {
		const char *text, *mode;
		bool parses;
		const char *out;
	};
	const messageCase cases[] = {
	    // A brace group that follows no command: the error shows where the
	    // scanner stood, just after the offending brace.
	    {"{abc}", "t", false,
	     "Generic error: syntax error, approximately here:\n"
	     "line 1, column 2\n"
	     "...{abc}...\n"
	     "    ^\n"
	     "fontParse(): error '1'\n"},
	    {"", "t", false,
	     "Generic error: syntax error, approximately here:\n"
	     "line 1, column 1\n"
	     "...\n"
	     "^\n"
	     "fontParse(): error '1'\n"},
	    // Lines and columns count from 1; the excerpt is one line.
	    {"ab\ncd}ef\ngh", "t", false,
	     "Generic error: syntax error, approximately here:\n"
	     "line 2, column 4\n"
	     "...cd}ef...\n"
	     "      ^\n"
	     "fontParse(): error '1'\n"},
	    // Bytes outside the printable range show as blanks.
	    {"a\x01\xc3\xa9", "t", false,
	     "Generic error: syntax error, approximately here:\n"
	     "line 1, column 3\n"
	     "...a   ...\n"
	     "     ^\n"
	     "fontParse(): error '1'\n"},
	    {"\\cmd {a}", "t", false,
	     "Generic error: syntax error, approximately here:\n"
	     "line 1, column 7\n"
	     "...\\cmd {a}...\n"
	     "         ^\n"
	     "fontParse(): error '1'\n"},
	    // Warnings point at the last character and at the brace.
	    {"\\frac{a", "e", true,
	     "Parser: warning: unterminated option, missing '}': \n"
	     "line 1, column 7\n"
	     "...\\frac{a...\n"
	     "         ^\n"},
	    {"\\bold{}", "t", true,
	     "Parser: warning: empty option: \n"
	     "line 1, column 6\n"
	     "...\\bold{}...\n"
	     "        ^\n"},
	    // An empty brace group alone is still not an option.
	    {"{}", "t", false,
	     "Generic error: syntax error, approximately here:\n"
	     "line 1, column 2\n"
	     "...{}...\n"
	     "    ^\n"
	     "fontParse(): error '1'\n"},
	    {"x", "verbatim", true, "fontParseReset(): warning: invalid parse mode 'verbatim', assuming mode 'text'.\n"},
	    // Input text is never taken as a format.
	    {"%s%n{", "t", false,
	     "Generic error: syntax error, approximately here:\n"
	     "line 1, column 6\n"
	     "...%s%n{...\n"
	     "        ^\n"
	     "fontParse(): error '1'\n"},
	    {"\\c{%s%n", "t", true,
	     "Parser: warning: unterminated option, missing '}': \n"
	     "line 1, column 7\n"
	     "...\\c{%s%n...\n"
	     "         ^\n"},
	};
	for (const messageCase &c : cases) {
		auto p = parseCaptured(c.text, c.mode);
		EXPECT_EQ(p.tree != nullptr, c.parses) << c.text;
		EXPECT_EQ(p.out, c.out) << c.text;
	}
	// Every other text that breaks the grammar fails the same way.
	for (const char *text : {"}", "a}", "\\frac{a}}", "a\x7f", "\\ ", "^", "x_", "\\a{b}{", "{"}) {
		const char *mode = text[0] == '^' || text[0] == 'x' ? "e" : "t";
		auto p = parseCaptured(text, mode);
		EXPECT_FALSE(p.tree) << text;
		EXPECT_EQ(p.out.rfind("fontParse(): error '1'\n"), p.out.size() - 23) << text << "\n" << p.out;
	}
}

TEST(MarkupParse, ExcerptLimits)
{
	std::string line(40, 'x');
	for (int k = 0; k < 40; k++)
		line[k] = (char)('a' + k % 26);
	ASSERT_EQ(fontParseSetInputBuf(line.c_str(), (int)line.size()), 0);
	struct excerptCase {
		int idx;
		const char *out;
	};
	const excerptCase cases[] = {
	    // 16 characters before and from the position.
	    {20, "line 1, column 21\n...efghijklmnopqrstuvwxyzabcdefghij...\n                   ^\n"},
	    {3, "line 1, column 4\n...abcdefghijklmnopqrs...\n      ^\n"},
	    {0, "line 1, column 1\nabcdefghijklmnop...\n^\n"},
	    // The end of the text, the end marker, and beyond.
	    {40, "line 1, column 41\n...yzabcdefghijklmn...\n                   ^\n"},
	    {44, "line 1, column 45\n...cdefghijklmn...\n                   ^\n"},
	    {45, "line 1, column 46\nfontParsePrintInput(): error: input idx '45' out of input range (max = 44)!\n"},
	    {-1, "line 1, column 1\nfontParsePrintInput(): error: input idx '-1' out of input range (max = 44)!\n"},
	};
	for (const excerptCase &c : cases) {
		testing::internal::CaptureStdout();
		fontParsePrintInput(c.idx);
		EXPECT_EQ(testing::internal::GetCapturedStdout(), c.out) << c.idx;
	}

	// Lines of a text with an empty line, asked for in any order, and
	// counted afresh for the next text.
	const std::string lines = "ab\n\ncd\nef";
	ASSERT_EQ(fontParseSetInputBuf(lines.c_str(), (int)lines.size()), 0);
	const excerptCase lineCases[] = {
	    {7, "line 4, column 1\n...ef...\n   ^\n"},
	    {3, "line 2, column 1\n......\n   ^\n"},
	    {5, "line 3, column 2\n...cd...\n    ^\n"},
	    {2, "line 1, column 3\n...ab...\n     ^\n"},
	    {9, "line 4, column 3\n...ef...\n     ^\n"},
	    {13, "line 4, column 7\n...ef...\n         ^\n"},
	    {4, "line 3, column 1\n...cd...\n   ^\n"},
	};
	for (const excerptCase &c : lineCases) {
		testing::internal::CaptureStdout();
		fontParsePrintInput(c.idx);
		EXPECT_EQ(testing::internal::GetCapturedStdout(), c.out) << c.idx;
	}
	ASSERT_EQ(fontParseSetInputBuf("xyz", 3), 0);
	testing::internal::CaptureStdout();
	fontParsePrintInput(3);
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "line 1, column 4\n...xyz...\n      ^\n");
}

TEST(MarkupParse, NestingAndStackLimits)
{
	auto nested = [](int depth, bool closed) {
		std::string s;
		for (int k = 0; k < depth; k++)
			s += "\\b{";
		s += "x";
		if (closed)
			s += std::string((size_t)depth, '}');
		return s;
	};
	// Braces nest up to the limit, closed or left open at the end.
	for (bool closed : {true, false}) {
		markup::quietStdout quiet;
		auto deep = parseCaptured(nested(200, closed).c_str(), "t");
		ASSERT_TRUE(deep.tree);
		EXPECT_EQ(markup::shapeFault(deep.tree.get()), "");
	}
	// One level more is a syntax error, at the brace beyond the limit.
	auto tooDeep = parseCaptured(nested(201, true).c_str(), "t");
	EXPECT_FALSE(tooDeep.tree);
	EXPECT_EQ(tooDeep.out.substr(0, 71),
	          "Generic error: syntax error, approximately here:\nline 1, column 604\n...");
	// Scripts of scripts fill the parser's stack until it overflows (9,000
	// deep still parse, see the tree tests).
	auto overflow = parseCaptured((std::string(18000, '^') + "x").c_str(), "e");
	EXPECT_FALSE(overflow.tree);
	EXPECT_EQ(overflow.out.substr(0, 56), "Generic error: yacc stack overflow, approximately here:\n");
	EXPECT_EQ(overflow.out.substr(overflow.out.size() - 23), "fontParse(): error '2'\n");
}

// Random texts of markup characters and fragments, and every prefix of
// sound texts: each either parses into a sound tree or fails with a message.
TEST(MarkupParse, RandomAndTruncatedTextsNeverCrash)
{
	const char *pieces[] = {"a", "xy", "1", "2.5", " ", "\t", "\n", "\\", "{", "}", "{", "}", "^", "_",
	                        ".", "+", "-", "%", "&", "\\\\", "\\_", "\\{", "\\eqn", "\\txt", "\\ws",
	                        "\\scale", "\\frac", "\\bold", "\\1", "\\2", "\\eof", "\x80", "\x01", "e5"};
	const int nbPieces = sizeof pieces / sizeof *pieces;
	std::mt19937 rng(20240611);
	std::uniform_int_distribution<int> pick(0, nbPieces - 1), length(0, 24), coin(0, 1);
	std::vector<std::string> texts;
	for (int k = 0; k < 100000; k++) {
		std::string text;
		for (int n = length(rng); n > 0; n--)
			text += pieces[pick(rng)];
		texts.push_back(text);
	}
	for (const char *sound : {"\\frac{a^{2}}{\\sqrt{b_1}} + \\eqn{x_i^2}", "\\a{b}{c d}\\e{\\f{g}}h",
	                          "\\tabular{c|c}{a&b}{\\hline}{c&\\1}"})
		for (size_t n = 0; n <= strlen(sound); n++)
			texts.push_back(std::string(sound, n));
	int parsedCount = 0;
	markup::quietStdout quiet;
	for (size_t k = 0; k < texts.size(); k++) {
		markup::tree_ptr tree(fontParse(texts[k].c_str(), coin(rng) ? "t" : "e"));
		if (!tree)
			continue;
		parsedCount++;
		ASSERT_EQ(markup::shapeFault(tree.get()), "") << texts[k];
		markup::tree_ptr copy(fpNodeDuplicate(tree.get()));
		ASSERT_EQ(compact(copy.get()), compact(tree.get())) << texts[k];
		// The text's own options stand in for its arguments.
		std::vector<fpNode_s *> args;
		for (const fpNode_s *item : markup::chainItems(tree.get()))
			if (item->type == FP_COMMAND)
				for (const fpNode_s *option : markup::chainItems(item->child[0]))
					args.push_back(const_cast<fpNode_s *>(option));
		ASSERT_EQ(fpNodeSubstituteCustomCommandArguments(copy.get(), (int)args.size(), args.data(), "r"), 0);
	}
	EXPECT_GT(parsedCount, 10000);
	EXPECT_LT(parsedCount, 90000);
}

} // namespace
