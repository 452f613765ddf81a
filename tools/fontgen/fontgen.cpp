// Generates Korimbel's built-in texture font at build time.
//
//   fontgen font REGULAR.ttf BOLD.ttf OBLIQUE.ttf DESC_OUT PNG_OUT
//     renders the glyphs with FreeType into a 1024 x 1024 8-bit RGB atlas,
//     dark on white, and writes its description text;
//   fontgen embed DESC PNG CPP_OUT
//     writes both files as the C arrays fontDesc and fontImage with their
//     lengths.
//
// The output depends only on the font files and the FreeType and zlib
// builds: no time, no path and no random number goes into it.
#include <ft2build.h>
#include FT_FREETYPE_H
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Number of glyph codes: the typesetter's codes reach 806.
constexpr int sc_glyphCount = 1000;
// The atlas is square.
constexpr int sc_imageSize = 1024;
// Glyph cell height; the baseline lies at three quarters of it, matching
// the typesetter's descent of a quarter glyph height.
constexpr int sc_cellHeight = 60;
constexpr int sc_baseline = sc_cellHeight * 3 / 4;
// Space between cells, so that linear filtering of one glyph never reaches
// into its neighbour.
constexpr int sc_cellGap = 4;
// Distance of the first cell from the left edge.
constexpr int sc_leftMargin = 2;
// The image name the description gives (used only in messages).
constexpr const char *sc_imageName = "dejavu60.png";
// Hexadecimal bytes a line of the embedded arrays.
constexpr int sc_bytesPerLine = 16;

// Code offsets of the four fonts of the typesetter.
constexpr int sc_fontStride = 200;
enum fontFace { FACE_REGULAR, FACE_BOLD, FACE_OBLIQUE, FACE_COUNT };
constexpr int sc_greekFont = 3;
constexpr int sc_firstPrintable = 32;
constexpr int sc_lastPrintable = 126;

// The classic symbol-font mapping of Latin letters to Greek ones.
struct greekLetter_s {
	char latin;
	unsigned long unicode;
};
const greekLetter_s c_greek[] = {
	{'a', 0x3B1}, {'b', 0x3B2}, {'g', 0x3B3}, {'d', 0x3B4}, {'e', 0x3B5}, {'z', 0x3B6},
	{'h', 0x3B7}, {'q', 0x3B8}, {'i', 0x3B9}, {'k', 0x3BA}, {'l', 0x3BB}, {'m', 0x3BC},
	{'n', 0x3BD}, {'x', 0x3BE}, {'o', 0x3BF}, {'p', 0x3C0}, {'r', 0x3C1}, {'s', 0x3C3},
	{'t', 0x3C4}, {'u', 0x3C5}, {'f', 0x3C6}, {'c', 0x3C7}, {'y', 0x3C8}, {'w', 0x3C9},
	{'A', 0x391}, {'B', 0x392}, {'G', 0x393}, {'D', 0x394}, {'E', 0x395}, {'Z', 0x396},
	{'H', 0x397}, {'Q', 0x398}, {'I', 0x399}, {'K', 0x39A}, {'L', 0x39B}, {'M', 0x39C},
	{'N', 0x39D}, {'X', 0x39E}, {'O', 0x39F}, {'P', 0x3A0}, {'R', 0x3A1}, {'S', 0x3A3},
	{'T', 0x3A4}, {'U', 0x3A5}, {'F', 0x3A6}, {'C', 0x3A7}, {'Y', 0x3A8}, {'W', 0x3A9},
};

// The typesetter's special symbols from code 800 on.
constexpr int sc_firstSpecial = 800;
const unsigned long c_special[] = {
	0x2009, // thin space
	0x00B7, // middle dot
	0x2227, // wedge
	0x230B, // right floor
	0x230A, // left floor
	0x221E, // infinity
	0x00D7, // times
};

// What one code shows: a character of a face, the cell of another code, or
// nothing.
struct glyphSource_s {
	int face = -1;
	unsigned long unicode = 0;
	int sameAs = -1;
};

// A placed cell in pixels.
struct cell_s {
	int x = 0, y = 0, w = 0;
};

[[noreturn]] void fail(const std::string &message)
{
	fprintf(stderr, "fontgen: %s\n", message.c_str());
	exit(1);
}

std::vector<glyphSource_s> glyphSources()
{
	std::vector<glyphSource_s> src(sc_glyphCount);
	for (int c = sc_firstPrintable; c <= sc_lastPrintable; c++) {
		for (int face = 0; face < FACE_COUNT; face++) {
			src[face * sc_fontStride + c].face = face;
			src[face * sc_fontStride + c].unicode = (unsigned long)c;
		}
		// Greek: characters without a Greek letter show the regular one
		src[sc_greekFont * sc_fontStride + c].sameAs = c;
	}
	for (const greekLetter_s &g : c_greek) {
		glyphSource_s &s = src[sc_greekFont * sc_fontStride + g.latin];
		s.sameAs = -1;
		s.face = FACE_REGULAR;
		s.unicode = g.unicode;
	}
	for (size_t i = 0; i < sizeof(c_special) / sizeof(c_special[0]); i++) {
		src[sc_firstSpecial + i].face = FACE_REGULAR;
		src[sc_firstSpecial + i].unicode = c_special[i];
	}
	return src;
}

void renderGlyph(FT_Face face, unsigned long unicode)
{
	FT_UInt index = FT_Get_Char_Index(face, unicode);
	if (index == 0) fail("the font has no glyph for U+" + std::to_string(unicode));
	if (FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0)
		fail("could not render U+" + std::to_string(unicode));
}

// Largest pixel size at which the ink of every glyph fits between the top
// of the cell and its bottom.
int chooseEmSize(FT_Face faces[], const std::vector<glyphSource_s> &src)
{
	for (int em = sc_cellHeight; em > 0; em--) {
		bool fits = true;
		for (int f = 0; f < FACE_COUNT; f++)
			if (FT_Set_Pixel_Sizes(faces[f], 0, em) != 0) fail("could not set the pixel size");
		for (const glyphSource_s &s : src) {
			if (s.face < 0) continue;
			renderGlyph(faces[s.face], s.unicode);
			FT_GlyphSlot g = faces[s.face]->glyph;
			int below = (int)g->bitmap.rows - g->bitmap_top;
			if (g->bitmap_top > sc_baseline || below > sc_cellHeight - sc_baseline) {
				fits = false;
				break;
			}
		}
		if (fits) return em;
	}
	fail("no pixel size fits the cells");
}

// Renders every glyph into the atlas image (one grey byte a pixel) and
// places its cell, in code order, row by row.
std::vector<cell_s> renderAtlas(FT_Face faces[], const std::vector<glyphSource_s> &src,
		std::vector<unsigned char> &grey)
{
	std::vector<cell_s> cells(sc_glyphCount);
	int x = sc_leftMargin, y = 0;
	for (int code = 0; code < sc_glyphCount; code++) {
		const glyphSource_s &s = src[code];
		if (s.sameAs >= 0) cells[code] = cells[s.sameAs];
		if (s.face < 0) continue;
		renderGlyph(faces[s.face], s.unicode);
		FT_GlyphSlot g = faces[s.face]->glyph;
		int advance = (int)((g->advance.x + 32) >> 6);
		// the cell holds both the advance and all ink, so nothing is cut off
		int left = std::min(0, g->bitmap_left);
		int right = std::max(advance, g->bitmap_left + (int)g->bitmap.width);
		int w = right - left;
		if (x + w > sc_imageSize - sc_leftMargin) {
			x = sc_leftMargin;
			y += sc_cellHeight + sc_cellGap;
		}
		if (y + sc_cellHeight > sc_imageSize) fail("the glyphs do not fit into the atlas");
		cells[code] = cell_s{x, y, w};

		const FT_Bitmap &b = g->bitmap;
		int originX = x - left + g->bitmap_left;
		int originY = y + sc_baseline - g->bitmap_top;
		for (unsigned row = 0; row < b.rows; row++) {
			for (unsigned col = 0; col < b.width; col++) {
				unsigned char coverage = b.buffer[(int)row * b.pitch + (int)col];
				int px = originX + (int)col, py = originY + (int)row;
				unsigned char &pixel = grey[(size_t)py * sc_imageSize + (size_t)px];
				pixel = std::min<unsigned char>(pixel, (unsigned char)(255 - coverage));
			}
		}
		x += w + sc_cellGap;
	}
	return cells;
}

std::string description(const std::vector<cell_s> &cells)
{
	char line[128];
	std::string text;
	snprintf(line, sizeof(line), "number of chars: %d\nheight: %d\nimage filename: %s\n",
			sc_glyphCount, sc_cellHeight, sc_imageName);
	text += line;
	for (int code = 0; code < sc_glyphCount; code++) {
		const cell_s &c = cells[code];
		snprintf(line, sizeof(line), "char %d: %d %d %d\n", code, c.x, c.y, c.w);
		text += line;
	}
	return text;
}

void writeFile(const char *name, const std::string &bytes)
{
	FILE *f = fopen(name, "wb");
	if (f == nullptr) fail(std::string("could not create ") + name);
	bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
	if (fclose(f) != 0 || !ok) fail(std::string("could not write ") + name);
}

std::string readFile(const char *name)
{
	FILE *f = fopen(name, "rb");
	if (f == nullptr) fail(std::string("could not read ") + name);
	std::string bytes;
	char buffer[4096];
	size_t n;
	while ((n = fread(buffer, 1, sizeof(buffer), f)) > 0) bytes.append(buffer, n);
	fclose(f);
	return bytes;
}

// Writes grey pixels as an 8-bit RGB PNG with nothing but the image chunks.
void writeAtlasPNG(const char *name, const std::vector<unsigned char> &grey)
{
	FILE *f = fopen(name, "wb");
	if (f == nullptr) fail(std::string("could not create ") + name);
	png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
	png_infop info = png == nullptr ? nullptr : png_create_info_struct(png);
	if (info == nullptr) fail("could not create the PNG writer");
	if (setjmp(png_jmpbuf(png))) fail(std::string("could not write ") + name);
	png_init_io(png, f);
	png_set_IHDR(png, info, sc_imageSize, sc_imageSize, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
			PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
	png_write_info(png, info);
	std::vector<unsigned char> row(sc_imageSize * 3);
	for (int y = 0; y < sc_imageSize; y++) {
		for (int x = 0; x < sc_imageSize; x++)
			row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = grey[(size_t)y * sc_imageSize + x];
		png_write_row(png, row.data());
	}
	png_write_end(png, info);
	png_destroy_write_struct(&png, &info);
	if (fclose(f) != 0) fail(std::string("could not write ") + name);
}

int generateFont(char *fontFiles[], const char *descOut, const char *pngOut)
{
	FT_Library library;
	if (FT_Init_FreeType(&library) != 0) fail("could not start FreeType");
	FT_Face faces[FACE_COUNT];
	for (int f = 0; f < FACE_COUNT; f++)
		if (FT_New_Face(library, fontFiles[f], 0, &faces[f]) != 0)
			fail(std::string("could not open ") + fontFiles[f]);

	std::vector<glyphSource_s> src = glyphSources();
	int em = chooseEmSize(faces, src);
	for (int f = 0; f < FACE_COUNT; f++) FT_Set_Pixel_Sizes(faces[f], 0, em);
	std::vector<unsigned char> grey((size_t)sc_imageSize * sc_imageSize, 255);
	std::vector<cell_s> cells = renderAtlas(faces, src, grey);
	writeFile(descOut, description(cells));
	writeAtlasPNG(pngOut, grey);

	for (int f = 0; f < FACE_COUNT; f++) FT_Done_Face(faces[f]);
	FT_Done_FreeType(library);
	return 0;
}

// One array definition with its length; text gets a terminating NUL that
// its length does not count.
std::string cArray(const char *type, const char *name, const std::string &bytes, bool text)
{
	std::string out = std::string("const ") + type + " " + name + "[] = {";
	char hex[8];
	size_t n = bytes.size() + (text ? 1 : 0);
	for (size_t i = 0; i < n; i++) {
		out += i % sc_bytesPerLine == 0 ? "\n\t" : " ";
		unsigned char b = i < bytes.size() ? (unsigned char)bytes[i] : 0;
		snprintf(hex, sizeof(hex), "0x%02x,", b);
		out += hex;
	}
	out += "\n};\nconst int " + std::string(name) + "Length = " + std::to_string(bytes.size()) + ";\n";
	return out;
}

int embed(const char *descIn, const char *pngIn, const char *cppOut)
{
	std::string out = "// Generated by tools/fontgen at build time; do not edit.\n"
	                  "#include \"typeset/fontdata.h\"\n\n";
	out += cArray("char", "fontDesc", readFile(descIn), true);
	out += "\n";
	out += cArray("unsigned char", "fontImage", readFile(pngIn), false);
	writeFile(cppOut, out);
	return 0;
}

} // namespace

int main(int argc, char *argv[])
{
	std::string mode = argc > 1 ? argv[1] : "";
	if (mode == "font" && argc == 7) return generateFont(argv + 2, argv[5], argv[6]);
	if (mode == "embed" && argc == 5) return embed(argv[2], argv[3], argv[4]);
	fprintf(stderr, "usage: fontgen font REGULAR.ttf BOLD.ttf OBLIQUE.ttf DESC_OUT PNG_OUT\n"
	                "       fontgen embed DESC PNG CPP_OUT\n");
	return 2;
}
