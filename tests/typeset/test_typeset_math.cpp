// Mathematical boxes: the glyph, line and polygon records of fractions,
// roots, parentheses, accents and tables.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "typeset/typesetcheck.h"

namespace {

using tscheck::aspect;
using tscheck::layout_s;
using tscheck::run;
using tscheck::typesetTest;

const double S = 12.0;

// The advance of a glyph code at size s.
double w(int code, double s = S) { return s * aspect(code); }

void expectGlyph(const tsCharData_s &g, int c, double x, double y, double size, const char *what)
{
	EXPECT_EQ(g.c, c) << what;
	EXPECT_NEAR(g.x, x, 1e-9) << what << " " << (char)c;
	EXPECT_NEAR(g.y, y, 1e-9) << what << " " << (char)c;
	EXPECT_NEAR(g.size, size, 1e-9) << what << " " << (char)c;
}

void expectPoints(const tscheck::shape_s &shape, const std::vector<double> &xy, const char *what)
{
	ASSERT_EQ(shape.xy.size(), xy.size()) << what;
	for (size_t i = 0; i < xy.size(); i++)
		EXPECT_NEAR(shape.xy[i], xy[i], 1e-9) << what << " coordinate " << i;
}

TEST_F(typesetTest, Fractions)
{
	// Lines at 0.9 size, 0.05 size off the bar at a quarter size; numbers
	// have no descent.  The top of the text is at y = 0.
	const double s9 = 0.9 * S;
	layout_s digits = run(ts, "\\frac{1}{2}", "e");
	double W = std::max(w('1', s9), w('2', s9));
	double numY = 3 + 0.6, denY = 3 - 0.6 - 0.75 * s9, top = numY + 0.75 * s9;
	ASSERT_EQ(digits.chars.size(), 2u);
	expectGlyph(digits.chars[0], '1', (W - w('1', s9)) / 2, numY - top, s9, "1/2");
	expectGlyph(digits.chars[1], '2', (W - w('2', s9)) / 2, denY - top, s9, "1/2");
	ASSERT_EQ(digits.lines.size(), 1u);
	EXPECT_EQ(digits.lines[0].type, GL_LINES);
	EXPECT_EQ(digits.lines[0].width, (float)(S / 25));
	expectPoints(digits.lines[0], {0, 3 - top, W, 3 - top}, "bar of 1/2");
	EXPECT_NEAR(digits.width, W, 1e-9);
	EXPECT_NEAR(digits.height, top - denY, 1e-9);

	// Words reach below their baseline; the narrower line is centred.
	layout_s words = run(ts, "\\frac{a}{bb}", "e");
	W = 2 * w('b', s9);
	numY = 3 + 0.6 + 0.25 * s9;
	denY = 3 - 0.6 - 0.75 * s9;
	top = numY + 0.75 * s9;
	ASSERT_EQ(words.chars.size(), 3u);
	expectGlyph(words.chars[0], 'a', (W - w('a', s9)) / 2, numY - top, s9, "a/bb");
	expectGlyph(words.chars[1], 'b', 0, denY - top, s9, "a/bb");
	expectPoints(words.lines[0], {0, 3 - top, W, 3 - top}, "bar of a/bb");
	EXPECT_NEAR(words.height, top - (denY - 0.25 * s9), 1e-9);
}

TEST_F(typesetTest, SquareRoots)
{
	// A low radicand stays on the baseline, centred in the room right of
	// the sign's foot.
	layout_s low = run(ts, "\\sqrt{x}", "e");
	double h = 1.2 + S, width = 1.2 + h / 2 + w('x'), asc = 9 + 0.6, desc = -3 - 0.6, H = asc - desc;
	ASSERT_EQ(low.chars.size(), 1u);
	expectGlyph(low.chars[0], 'x', h / 2 + 0.6, -asc, S, "sqrt x");
	ASSERT_EQ(low.lines.size(), 1u);
	EXPECT_EQ(low.lines[0].type, GL_LINE_STRIP);
	expectPoints(low.lines[0],
	             {0, 0.7 * asc + 0.3 * desc - asc, 0.2 * H, desc + 0.24 - asc, 0.5 * H, -0.24, width, -0.24},
	             "sign of sqrt x");
	EXPECT_NEAR(low.width, width, 1e-9);
	EXPECT_NEAR(low.height, H, 1e-9);

	// A tall radicand touches the top of the sign.
	layout_s tall = run(ts, "\\sqrt{\\frac{a}{b}}", "e");
	const double s9 = 0.9 * S, fracTop = 3 + 0.6 + 0.25 * s9 + 0.75 * s9;
	h = 1.2 + fracTop + (0.6 - 3 + 0.75 * s9 + 0.25 * s9);
	ASSERT_GE(h, 1.5 * S);
	ASSERT_EQ(tall.chars.size(), 2u);
	EXPECT_NEAR(tall.chars[0].y, -0.75 * s9, 1e-9);
	EXPECT_NEAR(tall.height, 0.1 * S + h, 1e-9);

	// An index half as high as the sign, at its top, centred over the foot.
	layout_s index = run(ts, "\\sqrt{x}{3}", "e");
	h = 1.2 + S;
	ASSERT_EQ(index.chars.size(), 2u);
	expectGlyph(index.chars[1], '3', (h / 2 - w('3', h / 2)) / 2, -0.75 * (h / 2), h / 2, "index");
}

TEST_F(typesetTest, Parentheses)
{
	// A round left and a square right parenthesis, a glyph high.
	layout_s l = run(ts, "\\par{(]}{x}", "e");
	double left = 0.3081 * S + 0.6, right = 0.2644 * S + 0.6, width = left + w('x') + right;
	ASSERT_EQ(l.chars.size(), 1u);
	expectGlyph(l.chars[0], 'x', left, -9, S, "par");
	ASSERT_EQ(l.polygons.size(), 4u);
	for (const tscheck::shape_s &p : l.polygons)
		EXPECT_EQ(p.type, GL_QUAD_STRIP);
	EXPECT_EQ(l.polygons[0].xy.size(), 20u);
	EXPECT_EQ(l.polygons[2].xy.size(), 12u);
	// Tips at the top and the bottom, middles half-way.
	expectPoints(l.polygons[0],
	             {0.1903 * S, 0, 0.3081 * S, 0, 0.1234 * S, -0.0823 * S, 0.2151 * S, -0.1064 * S, 0.0632 * S,
	              -0.1926 * S, 0.1508 * S, -0.2184 * S, 0.0146 * S, -0.3461 * S, 0.1061 * S, -0.3563 * S, 0, -6,
	              0.0905 * S, -6},
	             "upper round");
	EXPECT_NEAR(l.polygons[1].xy[0], 0.1903 * S, 1e-9);
	EXPECT_NEAR(l.polygons[1].xy[1], -12, 1e-9);
	expectPoints(l.polygons[2],
	             {width - 0.2644 * S, 0, width - 0.2644 * S, -0.0606 * S, width, 0, width - 0.0918 * S,
	              -0.0606 * S, width, -6, width - 0.0918 * S, -6},
	             "upper square");
	EXPECT_NEAR(l.width, width, 1e-9);

	// Around a taller content only the stretchable segments grow.
	layout_s tall = run(ts, "\\par{\\{)}{\\frac{a}{b}}", "e");
	double H = tall.height, e = (H - S) / 2;
	const std::vector<double> &curly = tall.polygons[0].xy;
	// Entry k's first point is at xy[4k], xy[4k + 1].
	EXPECT_NEAR(curly[1], 0, 1e-9);                        // the tip at the top
	EXPECT_NEAR(curly[13], -(0.5 - 0.4534) * S, 1e-9);     // rigid above the stretch
	EXPECT_NEAR(curly[21], -(0.5 - 0.3089) * S, 1e-9);     // the stretchable segment
	EXPECT_NEAR(curly[25], -(0.5 - 0.2299) * S - e, 1e-9); // after it, moved down by e
	EXPECT_NEAR(curly[curly.size() - 1], -H / 2, 1e-9);    // the middle
	EXPECT_NEAR(tall.polygons[1].xy[tall.polygons[1].xy.size() - 1], -H / 2, 1e-9);
	EXPECT_NEAR(tall.polygons[3].xy[1], -H, 1e-9);         // the right tip at the bottom
}

TEST_F(typesetTest, Accents)
{
	struct case_s {
		const char *text;
		size_t vertices;
		double left, right; // extent of the accent
	};
	const double xyz = w('x') + w('y') + w('z');
	const case_s cases[] = {
	    {"\\hat{x}", 8, (w('x') - 3) / 2, (w('x') + 3) / 2},
	    {"\\widehat{xyz}", 8, 0, xyz},
	    {"\\tilde{x}", 20, (w('x') - 3) / 2, (w('x') + 3) / 2},
	    {"\\widetilde{xyz}", 20, 0, xyz},
	    {"\\bar{x}", 4, (w('x') - 3) / 2, (w('x') + 3) / 2},
	    {"\\widebar{xyz}", 4, 0, xyz},
	};
	for (const case_s &c : cases) {
		layout_s l = run(ts, c.text, "e");
		ASSERT_EQ(l.polygons.size(), 1u) << c.text;
		const std::vector<double> &xy = l.polygons[0].xy;
		ASSERT_EQ(xy.size(), 2 * c.vertices) << c.text;
		double lo = xy[0], hi = xy[0];
		for (size_t k = 0; k < xy.size(); k += 2) {
			lo = std::min(lo, xy[k]);
			hi = std::max(hi, xy[k]);
		}
		EXPECT_NEAR(lo, c.left, 1e-9) << c.text;
		EXPECT_NEAR(hi, c.right, 1e-9) << c.text;
		// A tenth of a glyph more ascent; the accent rests at 0.15 below it.
		EXPECT_NEAR(l.chars[0].y, -(9 + 1.2), 1e-9) << c.text;
	}
	layout_s hat = run(ts, "\\hat{x}", "e");
	EXPECT_NEAR(hat.polygons[0].xy[1], -1.8 + 0.1007 * 3 / 1.0413, 1e-9);
}

TEST_F(typesetTest, Tables)
{
	// Columns as wide as their widest entries, a rule row, padding.
	layout_s l = run(ts, "\\tabular{c|l}{a & bb}{\\hline}{ccc}");
	const double c0 = 3 * w('c'), c1 = 2 * w('b'), vl = 0.15 * S, hl = 0.1 * S, T = 12 + hl + 12;
	ASSERT_EQ(l.chars.size(), 6u);
	expectGlyph(l.chars[0], 'a', (c0 - w('a')) / 2, -9, S, "table");
	expectGlyph(l.chars[1], 'b', c0 + vl, -9, S, "table");
	expectGlyph(l.chars[3], 'c', 0, -9 - 12 - hl, S, "table");
	ASSERT_EQ(l.lines.size(), 2u);
	expectPoints(l.lines[0], {vl / 2, -12 - hl / 2, c0 + vl + c1 - vl / 2, -12 - hl / 2}, "rule");
	expectPoints(l.lines[1], {c0 + vl / 2, -hl / 2, c0 + vl / 2, -T + hl / 2}, "vertical line");
	EXPECT_NEAR(l.width, c0 + vl + c1, 1e-9);
	EXPECT_NEAR(l.height, T, 1e-9);
	EXPECT_EQ(l.out.substr(0, 79),
	          "tsTabularBox::tsTabularBox(): Padding tabular row 2, column 1 with empty VBox:\n");

	// Space separators, one a counted character; entries align by column.
	layout_s spaced = run(ts, "\\tabular{l  r}{a&b}{cc&dd}");
	ASSERT_EQ(spaced.chars.size(), 6u);
	expectGlyph(spaced.chars[0], 'a', 0, -9, S, "spaced");
	expectGlyph(spaced.chars[1], 'b', 2 * w('c') + 2 * vl + 2 * w('d') - w('b'), -9, S, "spaced");
	EXPECT_TRUE(spaced.lines.empty());

	// Entries beyond the last column are reported and dropped.
	layout_s extra = run(ts, "\\tabular{c}{a&b&c}");
	EXPECT_EQ(tscheck::codes(extra), (std::vector<int>{'a'}));
	EXPECT_NE(extra.out.find("tsTabularBox::setupRow(): ignoring entry '2' beyond the last column in tabular row\n"),
	          std::string::npos);

	// A table needs a format and a row.
	layout_s alone = run(ts, "\\tabular{c}");
	EXPECT_TRUE(alone.chars.empty());
	EXPECT_EQ(alone.out,
	          "tsTabularBox::tsTabularBox(): to few arguments to tabular command\nline 1, column 1\n\\tabular{c}...\n^\n");
	// A row that fails is dropped; the table stands without it.
	layout_s failing = run(ts, "\\tabular{c}{^2}{b}", "e");
	EXPECT_EQ(tscheck::codes(failing), (std::vector<int>{'b'}));
	EXPECT_NE(failing.out.find("tsTabularBox::tsTabularBox(): error adding row '0' to tabular\n"), std::string::npos);
}

} // namespace
