// Drawing typeset text with OpenGL: glyphs, rules and shapes land where the
// records put them, in their colours.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/glcontext.h"
#include "typeset/openglfont.h"
#include "typeset/typeset.h"

namespace {

const int c_width = 256, c_height = 128;
// Where the top left corner of the text is drawn, in pixels.
const double c_left = 20, c_top = 110;

glTestContext &context()
{
	static glTestContext *s_context = new glTestContext(c_width, c_height);
	return *s_context;
}

class glTypeset : public testing::Test {
protected:
	void SetUp() override
	{
		ASSERT_TRUE(context().ok());
		ASSERT_EQ(oglffont("typeset"), 1);
		ts.setInitialSize(40);
		ts.setInitialMode("e");
	}
	// Lays text out and draws it on white.
	void draw(const char *text)
	{
		testing::internal::CaptureStdout();
		ASSERT_EQ(ts.typeset(text, -1), 0);
		testing::internal::GetCapturedStdout();
		glClearColor(1, 1, 1, 1);
		glClear(GL_COLOR_BUFFER_BIT);
		context().pixelProjection();
		glMatrixMode(GL_MODELVIEW);
		glLoadIdentity();
		glTranslated(c_left, c_top, 0);
		ts.GLdraw();
		glFinish();
		m_rgb = context().readRGB();
	}
	// Pixels in a box given in text coordinates (y up from the top of the
	// text) that pass a test.
	template <class Test> int count(double x0, double y0, double x1, double y1, Test test) const
	{
		int n = 0;
		for (int y = std::max(0, (int)(c_top + y0)); y < std::min(c_height, (int)(c_top + y1)); y++)
			for (int x = std::max(0, (int)(c_left + x0)); x < std::min(c_width, (int)(c_left + x1)); x++)
				if (test(&m_rgb[3 * ((size_t)y * c_width + x)]))
					n++;
		return n;
	}
	template <class Test> int countAll(Test test) const { return count(-c_left, -c_top, c_width, c_height, test); }
	// The pixels of a glyph record's cell.
	template <class Test> int inGlyph(const tsCharData_s &g, Test test) const
	{
		return count(g.x, g.y - 0.25 * g.size, g.x + g.size * oglfCharWidth(g.c), g.y + 0.75 * g.size, test);
	}

	typesetState ts;
	std::vector<unsigned char> m_rgb;
};

bool dark(const unsigned char *p) { return p[0] < 128 && p[1] < 128 && p[2] < 128; }
bool red(const unsigned char *p) { return p[0] > 160 && p[1] < 96 && p[2] < 96; }

TEST_F(glTypeset, FractionGlyphsAndBarLandWhereTheRecordsSay)
{
	draw("\\frac{a}{b}");
	ASSERT_EQ(ts.m_tsChar.m_nb, 2);
	ASSERT_EQ(ts.m_tsLine.m_nb, 1);
	const tsCharData_s a = ts.m_tsChar.m_item[0], b = ts.m_tsChar.m_item[1];
	const tsLineData_s &bar = ts.m_tsLine.m_item[0];
	double barY = bar.xy[1], barLeft = bar.xy[0], barRight = bar.xy[2];
	// The bar: a dark row across its length, nothing just outside its ends.
	EXPECT_GE(count(barLeft + 1, barY - 1, barRight - 1, barY + 1, dark), (int)(barRight - barLeft) - 4);
	EXPECT_EQ(count(barRight + 2, barY - 1, barRight + 6, barY + 1, dark), 0);
	// Numerator above the bar, denominator below it.
	EXPECT_GT(a.y, barY);
	EXPECT_LT(b.y, barY);
	int inA = inGlyph(a, dark), inB = inGlyph(b, dark);
	EXPECT_GT(inA, 40);
	EXPECT_GT(inB, 40);
	// Nothing dark outside the glyphs and the bar.
	int all = countAll(dark), onBar = count(barLeft - 1, barY - 2, barRight + 1, barY + 2, dark);
	EXPECT_LE(all, inA + inB + onBar);
	EXPECT_EQ(count(0, -ts.m_height - 8, ts.m_width, -ts.m_height, dark), 0);
}

TEST_F(glTypeset, ColoursAndShapes)
{
	draw("\\red{x}y");
	const tsCharData_s x = ts.m_tsChar.m_item[0], y = ts.m_tsChar.m_item[1];
	EXPECT_GT(inGlyph(x, red), 30);
	EXPECT_EQ(inGlyph(y, red), 0);
	EXPECT_GT(inGlyph(y, dark), 30);

	// Parentheses are filled polygons left and right of their content.
	draw("\\par{()}{x}");
	const tsCharData_s inner = ts.m_tsChar.m_item[0];
	EXPECT_GT(count(0, -ts.m_height, inner.x, 0, dark), 20);
	EXPECT_GT(count(inner.x + 40 * oglfCharWidth(inner.c), -ts.m_height, ts.m_width, 0, dark), 20);
}

} // namespace
