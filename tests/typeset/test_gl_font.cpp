// The texture font with OpenGL: fonts built once per name and cached,
// measuring, and the pixels of drawn text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/glcontext.h"
#include "typeset/fontdata.h"
#include "typeset/openglfont.h"

namespace {

const int c_width = 256, c_height = 128;

// One context for the whole run: fonts, and so their textures, outlive tests.
glTestContext &context()
{
	static glTestContext *s_context = new glTestContext(c_width, c_height);
	return *s_context;
}

class glFont : public testing::Test {
protected:
	void SetUp() override
	{
		ASSERT_TRUE(context().ok());
		ASSERT_EQ(oglffont("verdana256x256"), 1);
	}
	// The advance of a glyph as the description gives it.
	static double aspect(int code)
	{
		static oglfFontInfo *s_pixels = oglfReadDescription(fontDesc, "pixels");
		return s_pixels->c[code].w / s_pixels->height;
	}
	// Clears to white and sets one unit a pixel.
	static void clearWhite()
	{
		glClearColor(1, 1, 1, 1);
		glClear(GL_COLOR_BUFFER_BIT);
		context().pixelProjection();
	}
};

// Pixels of a box (x0 <= x < x1, y0 <= y < y1, from the bottom) that pass a
// test, and those of the rest of the buffer.
struct pixelCount_s {
	int inside = 0, outside = 0;
};
template <class Test> pixelCount_s countPixels(int x0, int y0, int x1, int y1, Test test)
{
	std::vector<unsigned char> rgb = context().readRGB();
	pixelCount_s n;
	for (int y = 0; y < c_height; y++)
		for (int x = 0; x < c_width; x++)
			if (test(&rgb[3 * ((size_t)y * c_width + x)]))
				(x >= x0 && x < x1 && y >= y0 && y < y1 ? n.inside : n.outside)++;
	return n;
}

bool dark(const unsigned char *p) { return p[0] < 128 && p[1] < 128 && p[2] < 128; }

TEST_F(glFont, withoutACurrentFontNothingDrawsAndNothingMeasures)
{
	int saved = g_oglfThreadInfo.currentFont;
	g_oglfThreadInfo.currentFont = -1;
	const int codes[] = {'a', 0};
	EXPECT_EQ(oglfprintf("a"), -1);
	EXPECT_EQ(oglfprintfWidth("a"), -1.0);
	EXPECT_EQ(oglfStringWidth(codes), 0.0);
	EXPECT_EQ(oglfCharWidth('a'), 0.0);
	EXPECT_EQ(oglfPrintChar('a', 0, 0), 0);
	EXPECT_EQ(oglfPrintString(codes, 0, 0), 0);
	oglfPrintCharRawBegin();
	oglfPrintCharRaw('a', 0, 0, 10);
	oglfPrintCharRawEnd();
	EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
	g_oglfThreadInfo.currentFont = saved;
}

TEST_F(glFont, aFontIsBuiltOncePerNameAndFoundAgainInTheCache)
{
	const int before = g_oglfThreadInfo.nFonts;
	ASSERT_EQ(oglffont("cache-a"), 1);
	oglfFontInfo *a = g_oglfThreadInfo.fonts[g_oglfThreadInfo.currentFont];
	EXPECT_STREQ(a->fontName, "cache-a");
	EXPECT_EQ(oglffont("cache-a"), 1);
	EXPECT_EQ(g_oglfThreadInfo.nFonts, before + 1);
	ASSERT_EQ(oglffont("cache-b"), 1);
	oglfFontInfo *b = g_oglfThreadInfo.fonts[g_oglfThreadInfo.currentFont];
	EXPECT_EQ(g_oglfThreadInfo.nFonts, before + 2);
	EXPECT_NE(a->textureName, b->textureName);
	EXPECT_EQ(oglffont("cache-a"), 1);
	EXPECT_EQ(g_oglfThreadInfo.fonts[g_oglfThreadInfo.currentFont], a);
	EXPECT_EQ(g_oglfThreadInfo.nFonts, before + 2);
	EXPECT_EQ(oglffont(nullptr), 0);
	EXPECT_EQ(g_oglfThreadInfo.fonts[g_oglfThreadInfo.currentFont], a);

	// an alpha texture with its mipmaps down to one texel, in texture units
	EXPECT_TRUE(glIsTexture(a->textureName));
	glBindTexture(GL_TEXTURE_2D, a->textureName);
	GLint size = 0, format = 0;
	glGetTexLevelParameteriv(GL_TEXTURE_2D, 10, GL_TEXTURE_WIDTH, &size);
	glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
	EXPECT_EQ(size, 1);
	EXPECT_EQ(format, GL_ALPHA);
	EXPECT_FLOAT_EQ(a->height, 60.0f / 1024.0f);
	EXPECT_FLOAT_EQ(a->c['A'].w2, (float)aspect('A'));
}

TEST_F(glFont, widthsAreSumsOfAspectsSkippingCodesOutsideTheFont)
{
	EXPECT_DOUBLE_EQ(oglfCharWidth('a'), aspect('a'));
	EXPECT_EQ(oglfCharWidth('\n'), 0.0);
	EXPECT_EQ(oglfCharWidth(1000), 0.0);
	EXPECT_EQ(oglfCharWidth(-1), 0.0);
	const int codes[] = {'a', 'b', 1000, -7, 'c', 0};
	EXPECT_NEAR(oglfStringWidth(codes), aspect('a') + aspect('b') + aspect('c'), 1e-6);
	EXPECT_NEAR(oglfprintfWidth("ab\ncd"), aspect('a') + aspect('b') + aspect('c') + aspect('d'), 1e-6);
	EXPECT_NEAR(oglfprintfWidth("%d%%", 42), aspect('4') + aspect('2') + aspect('%'), 1e-6);
	EXPECT_EQ(oglfprintfWidth("%s", ""), 0.0);
	// a text many times longer than its format, formatted repeatedly
	std::string longText(5000, 'x');
	for (int i = 0; i < 3; i++) EXPECT_NEAR(oglfprintfWidth("%s", longText.c_str()), 5000 * aspect('x'), 1e-3);
	EXPECT_NEAR(oglfprintfWidth("%s%s", "x", longText.c_str()), 5001 * aspect('x'), 1e-3);
}

TEST_F(glFont, printingReportsWhatItDrew)
{
	clearWhite();
	EXPECT_EQ(oglfprintf("%s", ""), 0);
	EXPECT_EQ(oglfprintf("a%cb", 200), 3);
	const int codes[] = {'a', 1000, -5, 'b', 0};
	EXPECT_EQ(oglfPrintString(codes, 0, 0), 2);
	EXPECT_EQ(oglfPrintChar('A', 0, 0), 1);
	EXPECT_EQ(oglfPrintChar(1000, 0, 0), 0);
	EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

TEST_F(glFont, textIsDrawnInTheCurrentColourOnItsLines)
{
	clearWhite();
	glColor3f(0, 0, 0);
	glTranslatef(10, 70, 0);
	glScalef(30, 30, 1);
	ASSERT_EQ(oglfprintf("H\nH"), 3);
	EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
	EXPECT_FALSE(glIsEnabled(GL_BLEND));
	int right = 10 + (int)(30 * aspect('H')) + 1;
	// the first line from y = 70 up, the second one glyph height lower
	pixelCount_s first = countPixels(10, 70, right, 100, dark);
	pixelCount_s second = countPixels(10, 40, right, 70, dark);
	EXPECT_GT(first.inside, 40);
	EXPECT_GT(second.inside, 40);
	EXPECT_EQ(countPixels(10, 40, right, 100, dark).outside, 0);
	EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

TEST_F(glFont, rawModeDrawsGlyphsOfManySizesAndColoursInOneBatch)
{
	clearWhite();
	oglfPrintCharRawBegin();
	glColor3f(1, 0, 0);
	oglfPrintCharRaw('M', 10, 10, 40);
	glColor3f(0, 0, 1);
	oglfPrintCharRaw(200 + 'M', 100, 10, 80);
	oglfPrintCharRaw(5000, 0, 0, 100);
	oglfPrintCharRawEnd();
	EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
	EXPECT_FALSE(glIsEnabled(GL_BLEND));
	auto red = [](const unsigned char *p) { return p[0] > 200 && p[1] < 100 && p[2] < 100; };
	auto blue = [](const unsigned char *p) { return p[2] > 200 && p[0] < 100 && p[1] < 100; };
	pixelCount_s r = countPixels(10, 10, 10 + (int)(40 * aspect('M')) + 1, 50, red);
	pixelCount_s b = countPixels(100, 10, 100 + (int)(80 * aspect(200 + 'M')) + 1, 90, blue);
	EXPECT_GT(r.inside, 50);
	EXPECT_EQ(r.outside, 0);
	EXPECT_GT(b.inside, 4 * r.inside);
	EXPECT_EQ(b.outside, 0);
	EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

} // namespace
