#include "typeset/openglfont.h"

#include <GL/glu.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "draw/gltexture.h"
#include "image/pngwrapper.h"
#include "typeset/fontdata.h"

oglfThreadInfo g_oglfThreadInfo = {-1, 0, nullptr};

// Largest glyph count a description may ask for: far above any real font,
// it keeps a damaged count from asking for an absurd glyph table.
constexpr int sc_oglfMaxGlyphs = 1 << 16;

// Longest description line looked at: the longest legal line is the image
// name line, its prefix and sc_oglfMaxName characters.
constexpr size_t sc_oglfMaxLine = sc_oglfMaxName + 64;

// Smallest formatting buffer: an empty or very short format still gets a
// buffer that grows when multiplied.
constexpr size_t sc_oglfMinPreprint = 64;

// The formatted length is returned as an int.
constexpr size_t sc_oglfMaxPreprint = INT_MAX;

// How much the formatting buffer grows per attempt.
constexpr size_t sc_oglfPreprintGrowth = 4;

// The font of the raw batch between oglfPrintCharRawBegin and
// oglfPrintCharRawEnd, null otherwise.
static oglfFontInfo *oglfCharRawFontInfo = nullptr;

namespace {

oglfFontInfo *currentFont()
{
	const oglfThreadInfo &t = g_oglfThreadInfo;
	return t.currentFont < 0 ? nullptr : t.fonts[t.currentFont];
}

bool inFont(const oglfFontInfo *f, int c) { return c >= 0 && c < f->nChars; }

// Texturing, blending and the font's texture, then a quadrilateral batch.
void beginGlyphs(const oglfFontInfo *f)
{
	glEnable(GL_TEXTURE_2D);
	glEnable(GL_BLEND);
	glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
	glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
	glBindTexture(GL_TEXTURE_2D, f->textureName);
	glBegin(GL_QUADS);
}

void endGlyphs()
{
	glEnd();
	glDisable(GL_TEXTURE_2D);
	glDisable(GL_BLEND);
}

// One glyph of height s with its bottom left corner at (x, y).
void glyphQuad(const oglfFontInfo *f, int c, float x, float y, float s)
{
	const oglfCharInfo &g = f->c[c];
	float h = f->height;
	float right = x + s * g.w2;
	glTexCoord2f(g.x, g.y + h);
	glVertex2f(x, y);
	glTexCoord2f(g.x + g.w, g.y + h);
	glVertex2f(right, y);
	glTexCoord2f(g.x + g.w, g.y);
	glVertex2f(right, y + s);
	glTexCoord2f(g.x, g.y);
	glVertex2f(x, y + s);
}

// Copies the line at p (without its "\n") into line and returns the start of
// the next line; a line longer than the buffer is cut.
const char *takeLine(const char *p, char (&line)[sc_oglfMaxLine + 1])
{
	size_t n = 0;
	for (; *p != '\0' && *p != '\n'; p++)
		if (n < sc_oglfMaxLine) line[n++] = *p;
	line[n] = '\0';
	return *p == '\n' ? p + 1 : p;
}

// Decodes the built-in atlas into the alpha texture of f: dark pixels become
// opaque.  The image size comes back for the glyph coordinates.
int buildTexture(oglfFontInfo *f, int &imageWidth, int &imageHeight)
{
	unsigned char *rgb = nullptr;
	if (loadPNGEx(fontImage, fontImageLength, &rgb, &imageWidth, &imageHeight, 0) != 0) return -1;
	// the loader keeps width * height * 3 within an int
	size_t count = (size_t)imageWidth * (size_t)imageHeight;
	unsigned char *alpha = (unsigned char *)malloc(count);
	if (alpha == nullptr) {
		free(rgb);
		return -1;
	}
	for (size_t i = 0; i < count; i++) {
		const unsigned char *p = rgb + 3 * i;
		alpha[i] = (unsigned char)(255 - (p[0] + p[1] + p[2]) / 3);
	}
	free(rgb);

	f->textureName = glNewClampedTexture();
	// alpha rows are packed one byte a pixel, whatever the width
	GLint error = glUploadPackedRows([&]() {
		return gluBuild2DMipmaps(GL_TEXTURE_2D, GL_ALPHA, imageWidth, imageHeight, GL_ALPHA, GL_UNSIGNED_BYTE, alpha);
	});
	free(alpha);
	if (error != 0) {
		glDeleteTextures(1, &f->textureName);
		f->textureName = 0;
		return -1;
	}
	return 0;
}

// From pixels to texture coordinates and glyph aspects.
void toTextureUnits(oglfFontInfo *f, int imageWidth, int imageHeight)
{
	for (int i = 0; i < f->nChars; i++) {
		oglfCharInfo &g = f->c[i];
		g.w2 = g.w / f->height;
		g.w /= (float)imageWidth;
		g.x /= (float)imageWidth;
		g.y /= (float)imageHeight;
	}
	f->height /= (float)imageHeight;
}

// Copies at most sc_oglfMaxName characters of a name; null copies as "".
void copyName(char (&to)[sc_oglfMaxName + 1], const char *name)
{
	size_t n = name == nullptr ? 0 : strnlen(name, sc_oglfMaxName);
	if (n > 0) memcpy(to, name, n);
	to[n] = '\0';
}

// Appends f to the cache and makes it current.
bool cacheFont(oglfFontInfo *f)
{
	oglfThreadInfo &t = g_oglfThreadInfo;
	oglfFontInfo **fonts =
			(oglfFontInfo **)realloc(t.fonts, sizeof(oglfFontInfo *) * (size_t)(t.nFonts + 1));
	if (fonts == nullptr) return false;
	t.fonts = fonts;
	t.fonts[t.nFonts] = f;
	t.currentFont = t.nFonts++;
	return true;
}

} // namespace

oglfFontInfo *oglfNewFont(int height, int nChars, const char *fontName, const char *imageName)
{
	if (nChars < 0) return nullptr;
	oglfFontInfo *f = (oglfFontInfo *)calloc(1, sizeof(oglfFontInfo));
	if (f == nullptr) return nullptr;
	f->c = (oglfCharInfo *)calloc(nChars > 0 ? (size_t)nChars : 1, sizeof(oglfCharInfo));
	if (f->c == nullptr) {
		free(f);
		return nullptr;
	}
	copyName(f->fontName, fontName);
	copyName(f->imageName, imageName);
	f->nChars = nChars;
	f->height = (float)height;
	return f;
}

void oglfDeleteFont(oglfFontInfo *f)
{
	if (f == nullptr) return;
	free(f->c);
	free(f);
}

oglfFontInfo *oglfReadDescription(const char *desc, const char *fontName)
{
	char line[sc_oglfMaxLine + 1];
	// header: glyph count, glyph height, image name
	int nChars = 0;
	desc = takeLine(desc, line);
	if (sscanf(line, "number of chars: %d", &nChars) != 1 || nChars <= 0 || nChars > sc_oglfMaxGlyphs) {
		fprintf(stderr, "oglffont(): could not sscanf() number of chars\n");
		return nullptr;
	}
	int height = 0;
	desc = takeLine(desc, line);
	if (sscanf(line, "height: %d", &height) != 1 || height <= 0) {
		fprintf(stderr, "oglffont(): could not sscanf() height\n");
		return nullptr;
	}
	char imageName[sc_oglfMaxName + 1];
	desc = takeLine(desc, line);
	if (sscanf(line, "image filename: %255s", imageName) != 1) {
		fprintf(stderr, "oglffont(): could not sscanf() image filename\n");
		return nullptr;
	}
	oglfFontInfo *f = oglfNewFont(height, nChars, fontName, imageName);
	if (f == nullptr) return nullptr;

	// one line a glyph, in code order
	for (int i = 0; i < nChars; i++) {
		int index, x, y, w;
		desc = takeLine(desc, line);
		if (sscanf(line, "char %d: %d %d %d", &index, &x, &y, &w) != 4) {
			fprintf(stderr, "oglffont(): could not sscanf() char %d\n", i);
			oglfDeleteFont(f);
			return nullptr;
		}
		if (index != i) {
			fprintf(stderr, "oglffont(): invalid character index %d (should be %d)\n", index, i);
			oglfDeleteFont(f);
			return nullptr;
		}
		f->c[i].x = (float)x;
		f->c[i].y = (float)y;
		f->c[i].w = (float)w;
	}
	return f;
}

int oglffont(const char *name)
{
	if (name == nullptr) return 0;
	oglfThreadInfo &t = g_oglfThreadInfo;
	// every frame asks for the current font: one comparison
	int found = -1;
	if (t.currentFont >= 0 && strncmp(t.fonts[t.currentFont]->fontName, name, sc_oglfMaxName) == 0)
		found = t.currentFont;
	for (int i = 0; found < 0 && i < t.nFonts; i++)
		if (strncmp(t.fonts[i]->fontName, name, sc_oglfMaxName) == 0) found = i;
	if (found >= 0) {
		// a font whose context went makes its atlas in the current one
		oglfFontInfo *f = t.fonts[found];
		int imageWidth = 0, imageHeight = 0;
		if (f->textureLost && buildTexture(f, imageWidth, imageHeight) != 0) {
			fprintf(stderr, "oglffont(): Could not load %s\n", f->imageName);
			return 0;
		}
		f->textureLost = false;
		t.currentFont = found;
		return 1;
	}

	oglfFontInfo *f = oglfReadDescription(fontDesc, name);
	if (f == nullptr) return 0;
	int imageWidth = 0, imageHeight = 0;
	if (buildTexture(f, imageWidth, imageHeight) != 0) {
		fprintf(stderr, "oglffont(): Could not load %s\n", f->imageName);
		oglfDeleteFont(f);
		return 0;
	}
	toTextureUnits(f, imageWidth, imageHeight);
	if (!cacheFont(f)) {
		glDeleteTextures(1, &f->textureName);
		oglfDeleteFont(f);
		return 0;
	}
	return 1;
}

void oglfForgetTextures()
{
	oglfThreadInfo &t = g_oglfThreadInfo;
	for (int i = 0; i < t.nFonts; i++) {
		oglfFontInfo *f = t.fonts[i];
		if (f->textureName == 0) continue;
		f->textureName = 0;
		f->textureLost = true;
	}
}

int oglfpreprint(va_list *ap, const char *fmt, char **out)
{
	static char *s_buffer = nullptr;
	static size_t s_bufferSize = 0;
	if (fmt == nullptr) return -1;
	size_t size = sc_oglfPreprintGrowth * strlen(fmt);
	if (size < sc_oglfMinPreprint) size = sc_oglfMinPreprint;
	// grow until the whole text fits
	for (;;) {
		if (size > s_bufferSize) {
			char *buffer = (char *)realloc(s_buffer, size);
			if (buffer == nullptr) return -1;
			s_buffer = buffer;
			s_bufferSize = size;
		}
		va_list attempt;
		va_copy(attempt, *ap);
		int n = vsnprintf(s_buffer, size, fmt, attempt);
		va_end(attempt);
		if (n < 0) return -1;
		if ((size_t)n < size) {
			*out = s_buffer;
			return n;
		}
		if (size > sc_oglfMaxPreprint / sc_oglfPreprintGrowth) return -1;
		size *= sc_oglfPreprintGrowth;
	}
}

int oglfprintf(const char *fmt, ...)
{
	const oglfFontInfo *f = currentFont();
	if (f == nullptr) return -1;
	va_list ap;
	va_start(ap, fmt);
	char *text = nullptr;
	int n = oglfpreprint(&ap, fmt, &text);
	va_end(ap);
	if (n < 0) return -1;

	beginGlyphs(f);
	float x = 0.0f, y = 0.0f;
	for (int i = 0; i < n; i++) {
		int c = (unsigned char)text[i];
		// a newline starts the next line, one glyph height lower
		if (c == '\n') {
			x = 0.0f;
			y -= 1.0f;
			continue;
		}
		if (!inFont(f, c)) continue;
		glyphQuad(f, c, x, y, 1.0f);
		x += f->c[c].w2;
	}
	endGlyphs();
	return n;
}

double oglfprintfWidth(const char *fmt, ...)
{
	const oglfFontInfo *f = currentFont();
	if (f == nullptr) return -1.0;
	va_list ap;
	va_start(ap, fmt);
	char *text = nullptr;
	int n = oglfpreprint(&ap, fmt, &text);
	va_end(ap);
	if (n < 0) return -1.0;
	double width = 0.0;
	for (int i = 0; i < n; i++) {
		int c = (unsigned char)text[i];
		if (inFont(f, c)) width += f->c[c].w2;
	}
	return width;
}

int oglfPrintChar(int c, float x, float y)
{
	const oglfFontInfo *f = currentFont();
	if (f == nullptr || !inFont(f, c)) return 0;
	beginGlyphs(f);
	glyphQuad(f, c, x, y, 1.0f);
	endGlyphs();
	return 1;
}

int oglfPrintString(const int *codes, float x, float y)
{
	const oglfFontInfo *f = currentFont();
	if (f == nullptr) return 0;
	int drawn = 0;
	beginGlyphs(f);
	for (; *codes != 0; codes++) {
		if (!inFont(f, *codes)) continue;
		glyphQuad(f, *codes, x, y, 1.0f);
		x += f->c[*codes].w2;
		drawn++;
	}
	endGlyphs();
	return drawn;
}

double oglfStringWidth(const int *codes)
{
	const oglfFontInfo *f = currentFont();
	if (f == nullptr) return 0.0;
	double width = 0.0;
	for (; *codes != 0; codes++)
		if (inFont(f, *codes)) width += f->c[*codes].w2;
	return width;
}

double oglfCharWidth(int c)
{
	const oglfFontInfo *f = currentFont();
	if (f == nullptr || !inFont(f, c)) return 0.0;
	return f->c[c].w2;
}

void oglfPrintCharRawBegin()
{
	oglfFontInfo *f = currentFont();
	if (f == nullptr) return;
	oglfCharRawFontInfo = f;
	beginGlyphs(f);
}

void oglfPrintCharRaw(int c, float x, float y, float size)
{
	const oglfFontInfo *f = oglfCharRawFontInfo;
	if (f == nullptr || !inFont(f, c)) return;
	glyphQuad(f, c, x, y, size);
}

void oglfPrintCharRawEnd()
{
	// without a batch there is nothing to end, only the state to reset
	if (oglfCharRawFontInfo != nullptr)
		endGlyphs();
	else {
		glDisable(GL_TEXTURE_2D);
		glDisable(GL_BLEND);
	}
	oglfCharRawFontInfo = nullptr;
}
