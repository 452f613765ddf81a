// The built-in font data: the description parses into 1000 glyphs, exactly
// the glyphs that show have cells, the cells hold all the atlas's ink, and
// damaged descriptions are refused with their messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "image/pngwrapper.h"
#include "typeset/fontdata.h"
#include "typeset/openglfont.h"

namespace {

const int c_spaces[] = {32, 232, 432, 632, 800};

bool shows(int code)
{
	for (int font = 0; font < 4; font++)
		if (code >= 200 * font + 32 && code <= 200 * font + 126) return true;
	return code >= 800 && code <= 806;
}

class fontData : public testing::Test {
protected:
	static void SetUpTestSuite()
	{
		s_font = oglfReadDescription(fontDesc, "built-in");
		ASSERT_NE(s_font, nullptr);
		unsigned char *pixels = nullptr;
		ASSERT_EQ(loadPNGEx(fontImage, fontImageLength, &pixels, &s_width, &s_height, 0), 0);
		s_rgb.assign(pixels, pixels + (size_t)s_width * s_height * 3);
		free(pixels);
	}
	static void TearDownTestSuite() { oglfDeleteFont(s_font); }

	static const oglfCharInfo &cell(int code) { return s_font->c[code]; }
	static int grey(int x, int y) { return s_rgb[3 * ((size_t)y * s_width + x)]; }

	static oglfFontInfo *s_font;
	static std::vector<unsigned char> s_rgb;
	static int s_width, s_height;
};

oglfFontInfo *fontData::s_font = nullptr;
std::vector<unsigned char> fontData::s_rgb;
int fontData::s_width = 0, fontData::s_height = 0;

TEST_F(fontData, describesAThousandGlyphsOfAnAtlasOf1024Square)
{
	EXPECT_EQ(s_font->nChars, 1000);
	EXPECT_EQ(s_font->height, 60.0f);
	EXPECT_STREQ(s_font->imageName, "dejavu60.png");
	EXPECT_STREQ(s_font->fontName, "built-in");
	EXPECT_EQ(fontDescLength, (int)strlen(fontDesc));
	EXPECT_EQ(s_width, 1024);
	EXPECT_EQ(s_height, 1024);
}

TEST_F(fontData, exactlyTheFourFontsAndTheSymbolsHaveCells)
{
	for (int code = 0; code < 1000; code++) EXPECT_EQ(cell(code).w > 0, shows(code)) << code;
}

TEST_F(fontData, greekHasItsLettersAndCopiesEverythingElse)
{
	auto same = [](int a, int b) {
		return cell(a).x == cell(b).x && cell(a).y == cell(b).y && cell(a).w == cell(b).w;
	};
	for (char c : std::string("jvJV1+(;"))
		EXPECT_TRUE(same(600 + c, c)) << c;
	for (char c : std::string("abgdezhqiklmnxoprstufcywABGDEZHQIKLMNXOPRSTUFCYW"))
		for (int font = 0; font < 3; font++) EXPECT_FALSE(same(600 + c, 200 * font + c)) << c;
}

TEST_F(fontData, cellsLieInsideTheAtlasAtLeastFourPixelsApart)
{
	std::set<std::pair<float, float>> seen;
	std::vector<oglfCharInfo> cells;
	for (int code = 0; code < 1000; code++) {
		const oglfCharInfo &c = cell(code);
		if (c.w > 0 && seen.insert({c.x, c.y}).second) cells.push_back(c);
	}
	for (size_t i = 0; i < cells.size(); i++) {
		const oglfCharInfo &a = cells[i];
		EXPECT_GE(a.x, 0);
		EXPECT_GE(a.y, 0);
		EXPECT_LE(a.x + a.w, s_width);
		EXPECT_LE(a.y + s_font->height, s_height);
		for (size_t j = i + 1; j < cells.size(); j++) {
			const oglfCharInfo &b = cells[j];
			bool apartX = a.x + a.w + 4 <= b.x || b.x + b.w + 4 <= a.x;
			bool apartY = a.y + s_font->height + 4 <= b.y || b.y + s_font->height + 4 <= a.y;
			EXPECT_TRUE(apartX || apartY) << a.x << "," << a.y << " and " << b.x << "," << b.y;
		}
	}
}

TEST_F(fontData, allInkIsInsideCellsAndEveryVisibleGlyphHasSome)
{
	std::vector<char> inCell((size_t)s_width * s_height, 0);
	for (int code = 0; code < 1000; code++) {
		const oglfCharInfo &c = cell(code);
		for (int y = (int)c.y; y < (int)(c.y + s_font->height); y++)
			for (int x = (int)c.x; x < (int)(c.x + c.w); x++) inCell[(size_t)y * s_width + x] = 1;
	}
	int stray = 0, coloured = 0;
	for (int y = 0; y < s_height; y++) {
		for (int x = 0; x < s_width; x++) {
			const unsigned char *p = &s_rgb[3 * ((size_t)y * s_width + x)];
			if (p[0] != p[1] || p[1] != p[2]) coloured++;
			if (!inCell[(size_t)y * s_width + x] && p[0] != 255) stray++;
		}
	}
	EXPECT_EQ(coloured, 0);
	EXPECT_EQ(stray, 0);

	for (int code = 0; code < 1000; code++) {
		if (!shows(code)) continue;
		const oglfCharInfo &c = cell(code);
		int darkest = 255;
		for (int y = (int)c.y; y < (int)(c.y + s_font->height); y++)
			for (int x = (int)c.x; x < (int)(c.x + c.w); x++) darkest = std::min(darkest, grey(x, y));
		bool space = std::find(std::begin(c_spaces), std::end(c_spaces), code) != std::end(c_spaces);
		if (space)
			EXPECT_EQ(darkest, 255) << code;
		else
			EXPECT_LT(darkest, 64) << code;
	}
}

TEST(fontDescription, damagedTextsAreRefusedWithTheirMessage)
{
	const std::string head = "number of chars: 2\nheight: 60\nimage filename: f.png\n";
	const struct {
		std::string text;
		const char *message;
	} cases[] = {
		{"", "could not sscanf() number of chars"},
		{"number of chars: -3\nheight: 60\n", "could not sscanf() number of chars"},
		{"number of chars: 2\nheight 60\n", "could not sscanf() height"},
		{"number of chars: 2\nheight: 0\n", "could not sscanf() height"},
		{"number of chars: 2\nheight: 60\nimage: f.png\n", "could not sscanf() image filename"},
		{head + "char 0: 1 2 3\nchar 1: 4 5\n", "could not sscanf() char 1"},
		{head + "char 0: 1 2 3\n", "could not sscanf() char 1"},
		{head + "char 0: 1 2 3\nchar 2: 4 5 6\n", "invalid character index 2 (should be 1)"},
	};
	for (const auto &c : cases) {
		testing::internal::CaptureStderr();
		EXPECT_EQ(oglfReadDescription(c.text.c_str(), "f"), nullptr) << c.text;
		EXPECT_EQ(testing::internal::GetCapturedStderr(), std::string("oglffont(): ") + c.message + "\n");
	}
}

TEST(fontDescription, aValidTextGivesPixelsAndLongNamesAreCut)
{
	std::string longName(300, 'n');
	std::string text = "number of chars: 2\nheight: 30\nimage filename: " + longName + "\n" +
			"char 0: 0 0 0\nchar 1: 12 34 56\n";
	oglfFontInfo *f = oglfReadDescription(text.c_str(), longName.c_str());
	ASSERT_NE(f, nullptr);
	EXPECT_EQ(f->nChars, 2);
	EXPECT_EQ(f->height, 30.0f);
	EXPECT_EQ(f->c[1].x, 12.0f);
	EXPECT_EQ(f->c[1].y, 34.0f);
	EXPECT_EQ(f->c[1].w, 56.0f);
	EXPECT_EQ(std::string(f->imageName), longName.substr(0, sc_oglfMaxName));
	EXPECT_EQ(std::string(f->fontName), longName.substr(0, sc_oglfMaxName));
	oglfDeleteFont(f);
}

} // namespace
