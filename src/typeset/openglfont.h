#pragma once
// The texture font: every glyph of the scene's text is drawn from one atlas
// image, placed by a text description of each glyph's cell.  Fonts are built
// from the built-in data (fontdata.h), cached by name with one current font,
// and drawn with OpenGL immediate mode in the current colour.
//
// Glyph codes index the glyph table.  Verbatim text uses its bytes (0 to 255)
// as codes; the typesetter uses 200 * font + character (font 0 regular,
// 1 bold, 2 italic, 3 Greek) and 800 to 806 for its special symbols.
//
// Description format, one "\n"-ended line each:
//   "number of chars: N", "height: H" (glyph height in pixels),
//   "image filename: NAME" (used only in messages), then N lines
//   "char I: X Y W" (I counting from 0; top left corner and width in pixels).
#include <GL/gl.h>

#include <cstdarg>

// Longest font or image name kept, without its NUL.
constexpr int sc_oglfMaxName = 255;

// One glyph.  x, y: top left corner in texture coordinates (y from the top
// row of the image); w: width in texture coordinates; w2: width in glyph
// heights, the advance when the glyph is one unit high.  While a
// description is read x, y and w hold pixels.
struct oglfCharInfo {
	float x;
	float y;
	float w;
	float w2;
};

struct oglfFontInfo {
	char fontName[sc_oglfMaxName + 1];  // the name it is cached under
	char imageName[sc_oglfMaxName + 1]; // the image name of the description
	int nChars;                        // number of glyphs
	float height;                      // glyph height: pixels while reading, then a fraction of the image height
	oglfCharInfo *c;                   // nChars glyphs, owned
	GLuint textureName;                // the atlas texture, 0 while it has none
	bool textureLost;                  // the texture went with its OpenGL context: make it again
};

// The cache of loaded fonts; fonts are never unloaded.
struct oglfThreadInfo {
	int currentFont;       // index of the current font, -1 when none
	int nFonts;
	oglfFontInfo **fonts;  // nFonts fonts, owned
};

extern oglfThreadInfo g_oglfThreadInfo;

// Makes the font of that name current, building it from the built-in data
// (which needs a current OpenGL context) when no cached font has the name,
// and its atlas texture again when that was lost.  1 on success, 0 on
// failure, which leaves the cache and current font as they were.
int oglffont(const char *name);
// The OpenGL context the fonts' textures lived in is gone: every cached
// font that had a texture forgets it (deleting nothing) and makes it again
// when it is next made current.
void oglfForgetTextures();

// A font record of the given height and glyph count with both names copied
// (at most sc_oglfMaxName characters each) and all glyphs zero; null when it
// cannot be allocated.
oglfFontInfo *oglfNewFont(int height, int nChars, const char *fontName, const char *imageName);
// Frees the glyph table and the record (not the texture).
void oglfDeleteFont(oglfFontInfo *f);

// Reads a font description into a new record named fontName, glyphs and
// height in pixels.  Null, with a message on standard error, when the text
// does not follow the format.
oglfFontInfo *oglfReadDescription(const char *desc, const char *fontName);

// Formats like printf and draws the text with the current font from the
// current origin, glyph height 1: each code advances x by its w2, "\n"
// starts a new line at x = 0, one unit lower.  Returns the number of
// formatted characters, or -1 without a current font or when formatting
// fails.
int oglfprintf(const char *fmt, ...) __attribute__((format(printf, 1, 2)));
// The sum of w2 over all formatted characters (newlines included); 0 for an
// empty text; -1 without a current font or when formatting fails.
double oglfprintfWidth(const char *fmt, ...) __attribute__((format(printf, 1, 2)));
// Formats into one buffer kept between calls and points *out at it; returns
// the formatted length, or -1 when formatting fails or the buffer cannot be
// allocated.  *ap is left for the caller to end.
int oglfpreprint(va_list *ap, const char *fmt, char **out);

// Draws one glyph at (x, y), height 1; 1 when drawn, 0 without a current
// font or for a code outside the font.
int oglfPrintChar(int c, float x, float y);
// Draws a 0-terminated code string from (x, y), skipping codes outside the
// font; returns the number of glyphs drawn.
int oglfPrintString(const int *codes, float x, float y);
// Sum of w2 over a 0-terminated code string, skipping codes outside the
// font; 0 without a current font.
double oglfStringWidth(const int *codes);
// w2 of one glyph; 0 without a current font or for a code outside it.
double oglfCharWidth(int c);

// Raw mode: many glyphs of different sizes in one primitive batch, the
// colour changing between them.  Begin does nothing without a current font.
void oglfPrintCharRawBegin();
// One glyph of height size at (x, y); nothing outside Begin/End or for a
// code outside the font.
void oglfPrintCharRaw(int c, float x, float y, float size);
void oglfPrintCharRawEnd();
