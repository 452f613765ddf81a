// The typesetting state: defaults, initial attributes, colours, stored
// commands, attribute stacks, the output records and whole texts.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstring>
#include <string>

#include "typeset/fontparse.h"
#include "typeset/typesetcheck.h"

namespace {

using tscheck::typesetTest;

TEST_F(typesetTest, DefaultsAndColourList)
{
	EXPECT_EQ(ts.m_initialMode, TS_MODE_TEXT);
	EXPECT_EQ(ts.m_initialFont, TS_FONT_REGULAR);
	EXPECT_EQ(ts.m_initialAlign, TS_ALIGN_LEFT);
	EXPECT_EQ(ts.m_initialSize, 12.0);
	EXPECT_EQ(ts.m_fontDescent, 0.25);
	EXPECT_EQ(ts.m_alpha, 1.0f);
	EXPECT_EQ(ts.m_initialColor, 6);
	struct rgb_s {
		const char *name;
		float r, g, b;
	};
	const rgb_s colors[] = {{"red", 1, 0, 0},     {"green", 0, 1, 0},  {"blue", 0, 0, 1},  {"magenta", 1, 0, 1},
	                        {"yellow", 1, 1, 0},  {"cyan", 0, 1, 1},   {"black", 0, 0, 0}, {"white", 1, 1, 1},
	                        {"grey", .5, .5, .5}, {"gray", .5, .5, .5}};
	ASSERT_EQ(ts.m_colorList.m_nb, 10);
	for (int i = 0; i < 10; i++) {
		const tsColorData_s &c = ts.m_colorList.m_item[i];
		EXPECT_STREQ(c.name, colors[i].name);
		EXPECT_EQ(c.r, colors[i].r) << c.name;
		EXPECT_EQ(c.g, colors[i].g) << c.name;
		EXPECT_EQ(c.b, colors[i].b) << c.name;
	}
	// A new typesetter stands ready: every stack holds its initial value.
	EXPECT_EQ(ts.font(), 0);
	EXPECT_EQ(ts.mode(), 0);
	EXPECT_EQ(ts.align(), 0);
	EXPECT_EQ(ts.size(), 12.0);
	EXPECT_EQ(ts.color(), 6);
	EXPECT_EQ(ts.posX(), 0.0);
	EXPECT_EQ(ts.posY(), 0.0);
}

TEST_F(typesetTest, InitialAttributesByNameAndCode)
{
	struct case_s {
		const char *what, *name;
		int result, value;
	};
	const case_s cases[] = {
	    {"mode", "text", 0, 0},   {"mode", "Equation", 0, 1}, {"mode", "verbatim", -1, 1}, {"mode", nullptr, -1, 1},
	    {"mode", "T", 0, 0},      {"font", "bold", 0, 1},     {"font", "Italic", 0, 2},    {"font", "g", 0, 3},
	    {"font", "Regular", 0, 0}, {"font", nullptr, -1, 0},
	};
	for (const case_s &c : cases) {
		bool mode = strcmp(c.what, "mode") == 0;
		EXPECT_EQ(mode ? ts.setInitialMode(c.name) : ts.setInitialFont(c.name), c.result) << c.name;
		EXPECT_EQ(mode ? ts.m_initialMode : ts.m_initialFont, c.value) << c.name;
	}
	testing::internal::CaptureStdout();
	EXPECT_EQ(ts.setInitialFont("wingdings"), -1);
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "typesetState::setInitialFont(): unknown font 'wingdings'\n");
	EXPECT_EQ(ts.m_initialFont, 0);
	// Codes outside their ranges change nothing.
	EXPECT_EQ(ts.setInitialMode(2), -1);
	EXPECT_EQ(ts.setInitialFont(5), -1);
	EXPECT_EQ(ts.setInitialAlign(4), -1);
	EXPECT_EQ(ts.setInitialAlign(3), 0);
	EXPECT_EQ(ts.setInitialSize(-1.0), -1);
	EXPECT_EQ(ts.setInitialSize(20.0), 0);
	EXPECT_EQ(ts.m_initialAlign, 3);
	EXPECT_EQ(ts.m_initialSize, 20.0);
	EXPECT_EQ(ts.setAlpha(0.5f), 0);
	EXPECT_EQ(ts.m_alpha, 0.5f);
}

TEST_F(typesetTest, ColoursAreDefinedInPlaceOrAppended)
{
	EXPECT_EQ(ts.setInitialColor(10), -1);
	EXPECT_EQ(ts.setColor("red", 0, 0, 0.5f), 0);
	EXPECT_EQ(ts.m_colorList.m_nb, 10);
	EXPECT_EQ(ts.m_colorList.m_item[0].b, 0.5f);
	EXPECT_EQ(ts.m_colorList.m_item[0].r, 0.0f);
	EXPECT_EQ(ts.setColor("current", 0.25f, 0.5f, 0.75f), 0);
	EXPECT_EQ(ts.getColor("current"), 10);
	EXPECT_EQ(ts.setInitialColor(10), 0);
	EXPECT_EQ(ts.m_initialColor, 10);
	// Names compare exactly.
	EXPECT_EQ(ts.getColor("Red"), -1);
	EXPECT_EQ(ts.getColor(nullptr), -1);
	ts.clearColors();
	EXPECT_EQ(ts.getColor("black"), -1);
	EXPECT_EQ(ts.setInitialColor(0), -1);
}

TEST_F(typesetTest, StoredCommandsAreOwnedAndReplaced)
{
	fpNode_s *first = fontParse("a", "t");
	fpNode_s *second = fontParse("b", "t");
	ASSERT_TRUE(first && second);
	EXPECT_EQ(ts.setCommand("cmd", first), 0);
	EXPECT_STREQ(first->str, "cmd");
	EXPECT_EQ(ts.getCommand("cmd"), first);
	// A tree that already has a name is refused and stays the caller's.
	EXPECT_EQ(ts.setCommand("other", first), -1);
	EXPECT_EQ(ts.setCommand("cmd", second), 0);
	EXPECT_EQ(ts.m_command.m_nb, 1);
	EXPECT_EQ(ts.getCommand("cmd"), second);
	EXPECT_EQ(ts.getCommand("none"), nullptr);
	ts.clearCommands();
	EXPECT_EQ(ts.getCommand("cmd"), nullptr);
}

TEST_F(typesetTest, StacksAndOutputRecords)
{
	// Empty stacks read as -1 and stay empty when popped.
	ts.m_fontStack.clear();
	ts.m_sizeStack.clear();
	EXPECT_EQ(ts.popFont(), -1);
	EXPECT_EQ(ts.font(), -1);
	EXPECT_EQ(ts.popSize(), -1.0);
	EXPECT_EQ(ts.m_fontStack.m_top, -1);
	ts.reset();
	EXPECT_EQ(ts.font(), 0);

	// Glyphs, lines and polygons are placed at the current origin.
	ts.pushTrans(10, 20);
	ts.pushTrans(1, 2);
	ts.pushSize(30);
	double advance = ts.addChar('W', 0.5, 0.25, 3);
	EXPECT_DOUBLE_EQ(advance, 30 * tscheck::aspect('W'));
	ASSERT_EQ(ts.m_tsChar.m_nb, 1);
	const tsCharData_s &g = ts.m_tsChar.m_item[0];
	EXPECT_EQ(g.c, 'W');
	EXPECT_EQ(g.x, 11.5);
	EXPECT_EQ(g.y, 22.25);
	EXPECT_EQ(g.size, 30.0);
	EXPECT_EQ(g.color, 3);

	const double x[3] = {0, 1, 2}, y[3] = {5, 6, 7};
	EXPECT_EQ(ts.addLine(1, GL_LINES, x, y, 2.0f, 1), 0);
	EXPECT_EQ(ts.addPolygon(2, GL_TRIANGLES, x, y, 1), 0);
	EXPECT_EQ(ts.m_tsLine.m_nb, 0);
	EXPECT_EQ(ts.m_tsPolygon.m_nb, 0);
	EXPECT_EQ(ts.addLine(2, GL_LINES, x, y, 2.0f, 1), 0);
	EXPECT_EQ(ts.addPolygon(3, GL_TRIANGLES, x, y, 2), 0);
	ASSERT_EQ(ts.m_tsLine.m_nb, 1);
	ASSERT_EQ(ts.m_tsPolygon.m_nb, 1);
	const tsLineData_s &l = ts.m_tsLine.m_item[0];
	EXPECT_EQ(l.nbVertices, 2);
	EXPECT_EQ(l.width, 2.0f);
	EXPECT_EQ(l.type, GL_LINES);
	EXPECT_EQ(std::vector<double>(l.xy, l.xy + 4), (std::vector<double>{11, 27, 12, 28}));
	const tsPolygonData_s &p = ts.m_tsPolygon.m_item[0];
	EXPECT_EQ(std::vector<double>(p.xy, p.xy + 6), (std::vector<double>{11, 27, 12, 28, 13, 29}));
	EXPECT_EQ(p.color, 2);

	ts.popPos();
	EXPECT_EQ(ts.posX(), 10.0);
	EXPECT_EQ(ts.posY(), 20.0);
	ts.clearDraw();
	EXPECT_EQ(ts.m_tsChar.m_nb + ts.m_tsLine.m_nb + ts.m_tsPolygon.m_nb, 0);
}

TEST_F(typesetTest, WholeTexts)
{
	// An empty text lays out to nothing, silently.
	auto empty = tscheck::run(ts, "");
	EXPECT_EQ(empty.result, 0);
	EXPECT_EQ(empty.width, 0.0);
	EXPECT_EQ(empty.height, 0.0);
	EXPECT_EQ(empty.out, "");
	// A text that does not parse is reported after the parser's messages.
	auto bad = tscheck::run(ts, "{abc}");
	EXPECT_EQ(bad.result, -1);
	const std::string tail = "typesetState::typeset(): could not parse string.\n";
	ASSERT_GE(bad.out.size(), tail.size());
	EXPECT_EQ(bad.out.substr(bad.out.size() - tail.size()), tail);
	EXPECT_EQ(bad.out.substr(0, 15), "Generic error: ");
	// Two lines: as wide as the wider, as high as both.
	auto two = tscheck::run(ts, "ab\\\\c");
	EXPECT_EQ(two.result, 0);
	EXPECT_DOUBLE_EQ(two.width, 12 * tscheck::textWidth("ab"));
	EXPECT_DOUBLE_EQ(two.height, 24.0);
	// parse keeps definitions and leaves no records.
	testing::internal::CaptureStdout();
	EXPECT_EQ(ts.parse("\\newcommand{\\hi}{hello}\\newcolor{pale}{0.5 0.5 0.5}x"), 0);
	EXPECT_EQ(ts.parse(""), 0);
	EXPECT_EQ(ts.parse("{"), -1);
	std::string out = testing::internal::GetCapturedStdout();
	EXPECT_NE(out.find("typesetState::typeset(): could not parse string.\n"), std::string::npos);
	EXPECT_EQ(ts.m_tsChar.m_nb, 0);
	EXPECT_NE(ts.getCommand("hi"), nullptr);
	EXPECT_EQ(ts.getColor("pale"), 10);
	auto later = tscheck::run(ts, "\\hi");
	EXPECT_EQ(tscheck::codes(later), (std::vector<int>{'h', 'e', 'l', 'l', 'o'}));
}

} // namespace
