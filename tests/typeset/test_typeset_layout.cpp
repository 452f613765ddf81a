// Box layout of text: the glyph records of words, spaces, numbers, scripts,
// operators, fonts, sizes and alignments; line breaking and justification;
// the builder's messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "typeset/typesetcheck.h"

namespace {

using tscheck::aspect;
using tscheck::layout_s;
using tscheck::run;
using tscheck::typesetTest;

// Glyph size, ascent and descent of text at the default size.
const double S = 12.0, A = 9.0, D = -3.0;

// The advance of a glyph code at the default size.
double w(int code) { return S * aspect(code); }

struct glyph_s {
	int c;
	double x, y, size;
};

void expectGlyphs(const layout_s &l, const std::vector<glyph_s> &expected, const std::string &what)
{
	ASSERT_EQ(l.chars.size(), expected.size()) << what << "\n" << tscheck::dump(l);
	for (size_t i = 0; i < expected.size(); i++) {
		const tsCharData_s &g = l.chars[i];
		EXPECT_EQ(g.c, expected[i].c) << what << " glyph " << i;
		EXPECT_NEAR(g.x, expected[i].x, 1e-9) << what << " glyph " << i;
		EXPECT_NEAR(g.y, expected[i].y, 1e-9) << what << " glyph " << i;
		EXPECT_NEAR(g.size, expected[i].size, 1e-9) << what << " glyph " << i;
	}
}

TEST_F(typesetTest, GlyphRecordsOfText)
{
	// Scripts at 0.6 size: "2" (a number, no descent) and "i".
	const double s6 = 0.6 * S, supY = A - 0.8 * (0.75 * s6), top = supY + 0.75 * s6;
	const double italicA = 400 + 'a';
	struct case_s {
		const char *text, *mode;
		std::vector<glyph_s> glyphs;
		double width;
	};
	const case_s cases[] = {
	    // Text keeps one quarter-size space however wide the white space;
	    // equations keep none.
	    {"a  b", "t", {{'a', 0, -A, S}, {'b', w('a') + 3, -A, S}}, w('a') + 3 + w('b')},
	    {"a \tb", "e", {{'a', 0, -A, S}, {'b', w('a'), -A, S}}, w('a') + w('b')},
	    // Equation operators get a tenth of the size on each side, text none.
	    {"a+b",
	     "e",
	     {{'a', 0, -A, S}, {'+', w('a') + 1.2, -A, S}, {'b', w('a') + w('+') + 2.4, -A, S}},
	     w('a') + w('+') + w('b') + 2.4},
	    {"a + b",
	     "t",
	     {{'a', 0, -A, S}, {'+', w('a') + 3, -A, S}, {'b', w('a') + w('+') + 6, -A, S}},
	     w('a') + w('+') + w('b') + 6},
	    // Between operators no space; none at the ends.
	    {"=-b", "e", {{'=', 0, -A, S}, {'-', w('='), -A, S}, {'b', w('=') + w('-') + 1.2, -A, S}}, -1},
	    // One script box with both scripts, the base lowered to the top.
	    {"x^2_i",
	     "e",
	     {{'x', 0, -top, S}, {'2', w('x'), -top + supY, s6}, {'i', w('x'), -top + D, s6}},
	     w('x') + s6 * aspect('2')},
	    {"\\bold{a} b", "t", {{200 + 'a', 0, -A, S}, {'b', w(200 + 'a') + 3, -A, S}}, -1},
	    {"\\Gamma", "t", {{671, 0, -A, S}}, w(671)},
	    {"\\alpha\\Omega\\gp\\infty",
	     "e",
	     {{697, 0, -A, S}, {687, w(697), -A, S}, {800, w(697) + w(687) + 1.2, -A, S},
	      {805, w(697) + w(687) + w(800) + 2.4, -A, S}},
	     -1},
	    // Equation letters are italic, their other characters regular.
	    {"\\eqn{a1}", "t", {{(int)italicA, 0, -A, S}, {'1', w((int)italicA), -A, S}}, -1},
	    {"\\greek{ab}\\italic{c}", "t", {{600 + 'a', 0, -A, S}, {600 + 'b', w(600 + 'a'), -A, S}, {400 + 'c', -1, -A, S}},
	     -1},
	    // Sizes scale glyphs and their baseline.
	    {"\\scale{2}{a}b", "t", {{'a', 0, -2 * A, 2 * S}, {'b', 2 * w('a'), -2 * A, S}}, 2 * w('a') + w('b')},
	    {"\\scale{0}{x}", "t", {}, 0},
	    // A number's exponent: 0.8 size, raised by 0.4 of the mantissa's ascent.
	    {"1e5", "e", {{'1', 0, -(0.4 * A + 0.6 * S), S}, {'e', w('1'), -(0.4 * A + 0.6 * S), S},
	                  {'5', w('1') + w('e'), -(0.6 * S), 0.8 * S}},
	     w('1') + w('e') + 0.8 * w('5')},
	    // Forced space stays at the end of a line, other space goes.
	    {"a\\ws{2}", "t", {{'a', 0, -A, S}}, w('a') + 24},
	    {"a\\ws \\ws", "t", {{'a', 0, -A, S}}, w('a')},
	    {"\\backslash\\bs", "t", {{'\\', 0, -A, S}, {'\\', w('\\'), -A, S}}, 2 * w('\\')},
	};
	for (const case_s &c : cases) {
		layout_s l = run(ts, c.text, c.mode);
		std::vector<glyph_s> expected = c.glyphs;
		// Glyphs given at x -1 follow the one before.
		for (size_t i = 1; i < expected.size(); i++)
			if (expected[i].x < 0)
				expected[i].x = expected[i - 1].x + expected[i - 1].size * aspect(expected[i - 1].c);
		EXPECT_EQ(l.result, 0) << c.text;
		expectGlyphs(l, expected, c.text);
		if (c.width >= 0) {
			EXPECT_NEAR(l.width, c.width, 1e-9) << c.text;
		}
	}
}

TEST_F(typesetTest, AlignmentsAndLineBreaking)
{
	const double bbb = 3 * w('b'), xSub = w(400 + 'x') + 0.6 * w('1');
	struct case_s {
		const char *text;
		double maxWidth;
		std::vector<glyph_s> glyphs;
		double width, height;
	};
	const case_s cases[] = {
	    // Lines align within the widest line.
	    {"\\ar{a}\\\\bbb", -1, {{'a', bbb - w('a'), -A, S}, {'b', 0, -A - S, S}, {'b', -1, -A - S, S}, {'b', -1, -A - S, S}},
	     bbb, 2 * S},
	    {"\\ac{a}\\\\bbb",
	     -1,
	     {{'a', (bbb - w('a')) / 2, -A, S}, {'b', 0, -A - S, S}, {'b', -1, -A - S, S}, {'b', -1, -A - S, S}},
	     bbb, 2 * S},
	    // Breaking before the first word that does not fit; the space at the
	    // break goes.  The box is as wide as the limit.
	    {"bbb bbb", bbb + 3 + 1, {{'b', 0, -A, S}, {'b', -1, -A, S}, {'b', -1, -A, S},
	                               {'b', 0, -A - S, S}, {'b', -1, -A - S, S}, {'b', -1, -A - S, S}},
	     bbb + 4, 2 * S},
	    // A word wider than the limit stands alone on its line, and the space
	    // after it does not begin the next.
	    {"bbb a", 10, {{'b', 0, -A, S}, {'b', -1, -A, S}, {'b', -1, -A, S}, {'a', 0, -A - S, S}}, 10, 2 * S},
	    {"\\ar{a}", 30, {{'a', 30 - w('a'), -A, S}}, 30, S},
	    // Scripts break with their base.
	    {"\\eqn{x_1 x_1}", xSub + 1, {{400 + 'x', 0, -A, S}, {'1', w(400 + 'x'), -A + D, 0.6 * S},
	                                  {400 + 'x', 0, -A - S, S}, {'1', w(400 + 'x'), -A - S + D, 0.6 * S}},
	     xSub + 1, 2 * S},
	};
	for (const case_s &c : cases) {
		layout_s l = run(ts, c.text, "t", c.maxWidth);
		std::vector<glyph_s> expected = c.glyphs;
		for (size_t i = 1; i < expected.size(); i++)
			if (expected[i].x < 0)
				expected[i].x = expected[i - 1].x + expected[i - 1].size * aspect(expected[i - 1].c);
		expectGlyphs(l, expected, c.text);
		EXPECT_NEAR(l.width, c.width, 1e-9) << c.text;
		EXPECT_NEAR(l.height, c.height, 1e-9) << c.text;
	}
}

TEST_F(typesetTest, JustifiedLinesFillTheWidth)
{
	const double limit = 40.0;
	layout_s l = run(ts, "\\aj{aa bb cc dd ee ff gg hh}", "t", limit);
	ASSERT_EQ(l.chars.size(), 16u);
	// Every line, the last included, runs from 0 to the limit.
	int lines = 0;
	for (size_t i = 0; i < l.chars.size(); i++) {
		const tsCharData_s &g = l.chars[i];
		bool first = i == 0 || l.chars[i - 1].y != g.y, last = i + 1 == l.chars.size() || l.chars[i + 1].y != g.y;
		if (first) {
			lines++;
			EXPECT_NEAR(g.x, 0.0, 1e-9) << i;
		}
		if (last) {
			EXPECT_NEAR(g.x + g.size * aspect(g.c), limit, 1e-9) << i;
		}
	}
	EXPECT_EQ(lines, 4);
	// The spare width of "aa bb" is shared by stretch: a fifth of a word's
	// width, four fifths of a space's; a word spreads its share between its
	// glyphs.
	double wa = 2 * w('a'), wb = 2 * w('b');
	double spare = limit - (wa + wb + 3), total = 0.2 * (wa + wb) + 0.8 * 3;
	double grownA = wa + spare * 0.2 * wa / (1e-10 + total), space = 3 + spare * 2.4 / (1e-10 + total);
	EXPECT_NEAR(l.chars[1].x, grownA - w('a'), 1e-9);
	EXPECT_NEAR(l.chars[2].x, grownA + space, 1e-9);
}

TEST_F(typesetTest, AFailingLineEndsTheText)
{
	// A script with nothing before it on its line: the lines before it
	// stand, the rest is dropped, and the layout succeeds.
	layout_s l = run(ts, "a\\\\^2 b\\\\c", "e");
	EXPECT_EQ(l.result, 0);
	EXPECT_EQ(tscheck::codes(l), (std::vector<int>{'a'}));
	EXPECT_DOUBLE_EQ(l.height, S);
	EXPECT_EQ(l.out, "");
	layout_s none = run(ts, "^2", "e");
	EXPECT_EQ(none.result, 0);
	EXPECT_EQ(none.width, 0.0);
	EXPECT_TRUE(none.chars.empty());
}

TEST_F(typesetTest, BuilderMessages)
{
	struct case_s {
		const char *text, *mode, *out;
	};
	const case_s cases[] = {
	    {"x^2^3", "e",
	     "tsScriptBox::addScript(): warning: multiple superscripts (ignoring):\nline 1, column 4\n...x^2^3...\n      ^\n"},
	    {"\\scale{0}{x}", "t", "tsHBox::scale(): invalid scaling '0'\nline 1, column 1\n\\scale{0}{x}...\n^\n"},
	    {"\\foo{a}", "t",
	     "tsHBox::setupCommand(): Unknown command 'foo' in mode 'text':\nline 1, column 1\n\\foo{a}...\n^\n"},
	    {"ab\\foo", "e",
	     "tsHBox::setupCommandNoOption(): Unknown optionless command 'foo' in mode 'equation'\nline 1, column 3\n"
	     "...ab\\foo...\n     ^\n"},
	    {"\\ws{+}", "t", "tsHBox::setupCommand(): invalid whitespace width:\nline 1, column 1\n\\ws{+}...\n^\n"},
	    {"\\ws{0}", "t", "tsHBox::setupCommand(): invalid whitespace width '0':\nline 1, column 1\n\\ws{0}...\n^\n"},
	    {"\\ws{1 2}", "t",
	     "tsHBox::setupCommand(): warning: to many arguments to whitespace command:\nline 1, column 1\n\\ws{1 2}...\n^\n"},
	    {"\\1", "t", "tsHBox::setup(): unsubstituted command argument '1' (ignoring): \nline 1, column 1\n\\1...\n^\n"},
	    {"\\frac{a}", "e",
	     "tsFracBox::setup(): warning: too little options in option list for frac command:\nline 1, column 1\n"
	     "\\frac{a}...\n^\n"},
	    {"\\bold{a}{b}", "t",
	     "tsHBox::handleFAMCommand(): warning: too many options in option list for bold command:\nline 1, column 1\n"
	     "\\bold{a}{b}...\n^\n"},
	    {"\\frac{a\\\\b}{c}", "e",
	     "tsFracBox::setup(): warning: carriage return in frac command? (ignoring text after carriage return):\n"
	     "line 1, column 1\n\\frac{a\\\\b}{c}...\n^\n"},
	    {"\\red{\\ws}", "t", ""},
	};
	for (const case_s &c : cases)
		EXPECT_EQ(run(ts, c.text, c.mode).out, c.out) << c.text;
	// Messages after the parser's own.
	const case_s more[] = {
	    {"x_{}", "e", "tsScriptBox::addScript(): warning: no text for subscript\n"},
	    {"\\scale{2}{}", "t", "tsHBox::scale(): warning: scale command with no effect:\n"},
	    {"\\bold{}", "t", "tsHBox::handleFAMCommand(): warning: font command with no effect:\n"},
	};
	for (const case_s &c : more) {
		std::string out = run(ts, c.text, c.mode).out;
		EXPECT_NE(out.find("Parser: warning: empty option: \n"), std::string::npos) << c.text;
		EXPECT_NE(out.find(c.out), std::string::npos) << c.text << "\n" << out;
	}
}

} // namespace
