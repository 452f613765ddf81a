// Random markup through the whole typesetter: every text lays out or is
// rejected, every record is finite, and no command's scope leaks into the
// text after it.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "typeset/markuptree.h"
#include "typeset/typesetcheck.h"

namespace {

// Random markup with balanced braces, so that a marker word appended after
// it stands outside every command.
class markupGenerator {
public:
	explicit markupGenerator(unsigned seed) : m_rng(seed) {}

	std::string text() { return sentence(0); }

private:
	int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
	template <size_t N> const char *any(const char *const (&list)[N]) { return list[pick((int)N)]; }

	std::string option(int depth) { return pick(8) == 0 ? "{}" : "{" + sentence(depth + 1) + "}"; }

	std::string sentence(int depth)
	{
		std::string s;
		for (int n = pick(depth == 0 ? 7 : 4); n > 0; n--)
			s += item(depth);
		// \v calls \u, which never calls \v: recursion has its own tests.
		if (depth == 0 && pick(4) == 0)
			s += "\\v";
		return s;
	}

	std::string item(int depth)
	{
		static const char *const leaves[] = {"a", "xy", "Q1", "2.5", "1e3", " ", "  ", "+", "=", "&", "(", "]",
		                                     "|", "!", "\\alpha", "\\Gamma", "\\gp", "\\infty", "\\\\", "\\ws",
		                                     "\\bs", "\\1", "\\2", "\\u", "\\hline", "\\nothing"};
		static const char *const scoped[] = {"\\bold", "\\red", "\\ar", "\\aj", "\\ac", "\\txt", "\\eqn",
		                                     "\\fg", "\\hat", "\\widetilde", "\\bar", "\\sqrt", "\\unknown"};
		if (depth >= 4 || pick(3) > 0)
			return any(leaves);
		switch (pick(12)) {
		case 0: return "\\frac" + option(depth) + option(depth);
		case 1: return "\\sqrt" + option(depth) + option(depth);
		case 2: return std::string("\\par{") + any({"(", "[", "\\{"}) + any({")", "]", "."}) + "}" + option(depth);
		case 3: {
			std::string t = std::string("\\tabular{") + any({"c|l", "r r", "j", "|c|"}) + "}";
			for (int r = pick(3); r >= 0; r--)
				t += pick(4) == 0 ? "{\\hline}" : option(depth);
			return t;
		}
		case 4: return std::string("\\scale{") + any({"1.5", "0.5", "0", "x"}) + "}" + option(depth);
		case 5: return std::string("\\ws{") + any({"2", "0", "1 2"}) + "}";
		case 6: return "\\newcommand{\\u}{" + sentence(depth + 1) + "\\1}";
		case 7: return "\\newcommand{\\v}{\\u" + option(depth) + "}";
		case 8: return std::string("\\newcolor{") + any({"red", "pale"}) + "}{0.5 1 0}";
		// Scripts, with and without a base before them.
		case 9: return std::string(any({"^", "_"})) + (pick(2) ? option(depth) : item(depth + 1));
		case 10:
			return std::string(any({"x^", "y_", "\\Gamma^"})) + option(depth) + any({"_", "^"}) + item(depth + 1);
		default: return std::string(any(scoped)) + option(depth);
		}
	}

	std::mt19937 m_rng;
};

bool finite(const tsCharData_s &g) { return std::isfinite(g.x) && std::isfinite(g.y) && std::isfinite(g.size); }

bool finite(const std::vector<tscheck::shape_s> &shapes)
{
	for (const tscheck::shape_s &s : shapes)
		for (double v : s.xy)
			if (!std::isfinite(v))
				return false;
	return true;
}

TEST(TypesetRandom, TextsLayOutWithFiniteRecordsAndClosedScopes)
{
	measurefont::use();
	typesetState ts;
	markupGenerator generate(20240612);
	std::mt19937 rng(7);
	std::uniform_int_distribution<int> coin(0, 1), width(0, 200);
	// The marker: "Z" in the regular font at the initial size and colour.
	const int marker = 'Z';
	int laidOut = 0, markers = 0;
	markup::quietStdout quiet;
	for (int k = 0; k < 100000; k++) {
		std::string text = generate.text() + " Z";
		ts.setInitialMode(coin(rng) ? "t" : "e");
		double maxWidth = coin(rng) ? -1.0 : width(rng);
		int result = ts.typeset(text.c_str(), maxWidth);
		ASSERT_TRUE(result == 0 || result == -1) << text;
		if (result < 0)
			continue;
		laidOut++;
		ASSERT_TRUE(std::isfinite(ts.m_width) && std::isfinite(ts.m_height)) << text;
		tscheck::layout_s l = tscheck::copyOutput(ts, result, "");
		for (const tsCharData_s &g : l.chars)
			ASSERT_TRUE(finite(g)) << text;
		ASSERT_TRUE(finite(l.lines) && finite(l.polygons)) << text;
		// When the marker is drawn, it is the last glyph and nothing before
		// it changed its font, size or colour.
		if (!l.chars.empty() && l.chars.back().c % 200 == marker) {
			markers++;
			const tsCharData_s &z = l.chars.back();
			ASSERT_EQ(z.c, marker) << text;
			ASSERT_EQ(z.size, 12.0) << text;
			ASSERT_EQ(z.color, 6) << text;
		}
	}
	EXPECT_GT(laidOut, 80000);
	EXPECT_GT(markers, 70000);
}

} // namespace
