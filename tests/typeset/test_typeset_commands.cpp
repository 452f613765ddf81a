// Commands of the markup: user commands with arguments and their
// recursion budget, colours defined by texts, scoped modes and colours.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "typeset/typesetcheck.h"

namespace {

using tscheck::codes;
using tscheck::layout_s;
using tscheck::run;
using tscheck::typesetTest;

std::vector<int> chars(const std::string &s) { return std::vector<int>(s.begin(), s.end()); }

bool contains(const std::string &out, const std::string &part) { return out.find(part) != std::string::npos; }

TEST_F(typesetTest, UserCommands)
{
	struct case_s {
		const char *text, *mode;
		std::vector<int> glyphs;
		const char *message; // part of the output, or "" for none
	};
	const case_s cases[] = {
	    {"\\newcommand{\\pair}{(\\1,\\2)}\\pair{a}{b}", "e", chars("(a,b)"), ""},
	    // Arguments are spliced in whole, with their own commands.
	    {"\\newcommand{\\twice}{\\1\\1}\\twice{\\bold{x}y}", "e", {200 + 'x', 'y', 200 + 'x', 'y'}, ""},
	    {"\\newcommand{\\pair}{(\\1,\\2)}\\pair{a}", "e", chars("(a,)"),
	     "fpNodeSubstituteCustomCommandArguments(): argument '2' not supplied for custom command 'pair'\n"
	     "tsHBox::setup(): unsubstituted command argument '2' (ignoring): \n"},
	    {"\\newcommand{\\ninth}{\\9}\\ninth{1}{2}{3}{4}{5}{6}{7}{8}{9}{10}", "t", chars("9"),
	     "tsHBox::processCustomCommand(): warning: too many options in option list for ninth command:\n"},
	    {"\\newcommand{\\x}{a}\\newcommand{\\x}{b}\\x c", "t", chars("bc"), ""},
	    {"\\newcommand{\\y}{a\\y}\\y", "t", {},
	     "tsHBox::processNewCommand(): ignoring new command 'y': infinite recursion detected:\n"},
	    {"\\newcommand{x}{y}", "t", {}, "tsHBox::processNewCommand(): no command name found in newcommand:\n"},
	    // A user command goes before a built-in of the same name.
	    {"\\newcommand{\\frac}{f}\\frac{1}{2}", "e", chars("f"), ""},
	    {"\\newcommand{\\br}{\\\\}a\\br b", "t", chars("ab"), ""},
	};
	for (const case_s &c : cases) {
		layout_s l = run(ts, c.text, c.mode);
		EXPECT_EQ(codes(l), c.glyphs) << c.text << "\n" << l.out;
		if (*c.message)
			EXPECT_TRUE(contains(l.out, c.message)) << c.text << "\n" << l.out;
		else
			EXPECT_EQ(l.out, "") << c.text;
	}
	// The line break of a user command breaks the line.
	layout_s broken = run(ts, "\\newcommand{\\br}{\\\\}a\\br b");
	EXPECT_EQ(broken.chars[1].y - broken.chars[0].y, -12.0);
}

TEST_F(typesetTest, RecursiveCommandsEndWithinTheBudget)
{
	const std::string recursion = "infinite recursion detected:\n";
	std::string doubling;
	for (char c = 'b'; c <= 'z'; c++)
		doubling += std::string("\\newcommand{\\") + c + "}{\\" + (char)(c - 1) + "\\" + (char)(c - 1) + "}";
	std::string nestedArgs;
	for (int k = 0; k < 40; k++)
		nestedArgs += "\\d{";
	nestedArgs += "x" + std::string(40, '}');
	const char *texts[] = {
	    // Calling each other along a line, and through nested boxes.
	    "\\newcommand{\\p}{x\\q}\\newcommand{\\q}{y\\p}\\p",
	    "\\newcommand{\\f}{\\frac{1}{\\g}}\\newcommand{\\g}{\\sqrt{\\f}}\\f",
	};
	std::vector<std::string> all(texts, texts + 2);
	// Doubling at every level: 2^25 expansions asked for.
	all.push_back("\\newcommand{\\a}{xx}" + doubling + "\\z");
	// Arguments that double: each level copies its argument twice.
	all.push_back("\\newcommand{\\d}{\\1\\1}" + nestedArgs);
	// Each expansion nesting as deep as a text may: the deepest recursion.
	std::string deepBody;
	for (int k = 0; k < 190; k++)
		deepBody += "\\sqrt{";
	all.push_back("\\newcommand{\\f}{" + deepBody + "\\g" + std::string(190, '}') + "}\\newcommand{\\g}{\\f}\\f");
	for (const std::string &text : all) {
		auto start = std::chrono::steady_clock::now();
		layout_s l = run(ts, text, "e");
		double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
		EXPECT_EQ(l.result, 0) << text;
		EXPECT_TRUE(contains(l.out, "tsHBox::processCustomCommand(): argument substitution failed for custom command '"))
		    << text;
		EXPECT_TRUE(contains(l.out, recursion)) << text;
		EXPECT_LT(l.chars.size(), 300000u) << text;
		EXPECT_LT(seconds, 5.0) << text;
	}
	// Nesting as deep as the parser allows lays out, in every kind of box.
	for (const char *open : {"\\sqrt{", "\\frac{1}{", "\\tabular{c}{", "\\hat{", "\\par{()}{", "x^{"}) {
		std::string deep;
		for (int k = 0; k < 199; k++)
			deep += open;
		deep += "y" + std::string(199, '}');
		layout_s l = run(ts, deep, "e");
		EXPECT_EQ(l.result, 0) << open;
		EXPECT_EQ(l.out, "") << open;
		EXPECT_FALSE(l.chars.empty()) << open;
	}
	// A budget is per text: the next text expands afresh.
	layout_s fine = run(ts, "\\newcommand{\\hi}{ab}\\hi\\hi", "t");
	EXPECT_EQ(codes(fine), chars("abab"));
	EXPECT_EQ(fine.out, "");
}

TEST_F(typesetTest, ColoursDefinedByTexts)
{
	// In an equation the numbers are read as red, green and blue.
	layout_s l = run(ts, "\\newcolor{orange}{1 0.5 0}\\orange{a}b\\red{c}", "e");
	EXPECT_EQ(l.out, "");
	int orange = ts.getColor("orange");
	ASSERT_EQ(orange, 10);
	EXPECT_EQ(ts.m_colorList.m_item[orange].g, 0.5f);
	ASSERT_EQ(l.chars.size(), 3u);
	EXPECT_EQ(l.chars[0].color, orange);
	EXPECT_EQ(l.chars[1].color, 6);
	EXPECT_EQ(l.chars[2].color, 0);
	// Redefining a colour keeps its index.
	run(ts, "\\newcolor{orange}{0 0 1}x", "e");
	EXPECT_EQ(ts.getColor("orange"), orange);
	EXPECT_EQ(ts.m_colorList.m_item[orange].b, 1.0f);
	// A text-mode second group reads words, not numbers: the colour is
	// defined as black, with warnings.
	layout_s text = run(ts, "\\newcolor{dim}{1 1 1}x", "t");
	EXPECT_TRUE(contains(text.out, "tsHBox::processNewColor(): ignoring non number input for rgb values:\n"));
	EXPECT_TRUE(contains(text.out,
	                     "tsHBox::processNewColor(): to few rgb values, setting unspecified values to 0.0:\n"));
	int dim = ts.getColor("dim");
	ASSERT_GE(dim, 0);
	EXPECT_EQ(ts.m_colorList.m_item[dim].r, 0.0f);
	EXPECT_TRUE(contains(run(ts, "\\newcolor{1}{1 1 1}", "t").out,
	                     "tsHBox::processNewColor(): no color name found in newcolor:\n"));
}

TEST_F(typesetTest, ScopedModes)
{
	// Text inside an equation keeps its spaces and upright letters; an
	// equation inside text drops them and slants its letters.
	layout_s txt = run(ts, "x\\txt{a b}", "e");
	EXPECT_EQ(codes(txt), chars("xab"));
	EXPECT_NEAR(txt.chars[2].x - txt.chars[1].x, 12 * tscheck::aspect('a') + 3, 1e-9);
	layout_s eqn = run(ts, "\\eqn{a b}c", "t");
	EXPECT_EQ(codes(eqn), (std::vector<int>{400 + 'a', 400 + 'b', 'c'}));
	EXPECT_NEAR(eqn.chars[1].x, 12 * tscheck::aspect(400 + 'a'), 1e-9);
	// Equation commands need an equation.
	EXPECT_TRUE(contains(run(ts, "\\sqrt{x}", "t").out, "Unknown command 'sqrt' in mode 'text'"));
	EXPECT_EQ(run(ts, "\\eqn{\\sqrt{x}}", "t").lines.size(), 1u);
}

TEST_F(typesetTest, UnknownCommandsGoWithTheirArguments)
{
	// as the guide says: the braced groups after an unknown command go with
	// it, what follows shows, in text and in equations
	const struct {
		const char *text, *shown;
	} cases[] = {{"\\foo{kept} rest", "rest"}, {"a \\foo{x}{y} b", "ab"}, {"\\foo kept", "kept"}};
	for (const auto &c : cases)
		for (const char *mode : {"t", "e"})
			EXPECT_EQ(codes(run(ts, c.text, mode)), chars(c.shown)) << c.text << " in mode " << mode;
}

} // namespace
