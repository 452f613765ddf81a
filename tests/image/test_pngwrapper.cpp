// PNG reading and writing: round trips, every input format turned into RGB,
// size-only reads, file names, and damaged images.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "image/pngwrapper.h"
#include "support/scratchfiles.h"

namespace {

// The red, green and blue value of pixel (x, y) of the test pictures.
unsigned char channel(int x, int y, int k)
{
	static const int mx[3] = {37, 5, 13}, my[3] = {11, 71, 29};
	return (unsigned char)((x * mx[k] + y * my[k] + 17 * k) & 255);
}

bytes rgbPicture(int w, int h)
{
	bytes rgb;
	for (int y = 0; y < h; y++)
		for (int x = 0; x < w; x++)
			for (int k = 0; k < 3; k++) rgb.push_back(channel(x, y, k));
	return rgb;
}

// One input format: how libpng stores it and what the loader must give.
struct formatCase_s {
	const char *name;
	int colorType;
	int bitDepth;
	int interlace;
	bool transparency; // a tRNS chunk, whose alpha the loader drops
};

const formatCase_s c_formats[] = {
	{"palette 8-bit with tRNS", PNG_COLOR_TYPE_PALETTE, 8, PNG_INTERLACE_NONE, true},
	{"palette 2-bit", PNG_COLOR_TYPE_PALETTE, 2, PNG_INTERLACE_NONE, false},
	{"grey 1-bit", PNG_COLOR_TYPE_GRAY, 1, PNG_INTERLACE_NONE, false},
	{"grey 4-bit", PNG_COLOR_TYPE_GRAY, 4, PNG_INTERLACE_NONE, false},
	{"grey 2-bit with tRNS", PNG_COLOR_TYPE_GRAY, 2, PNG_INTERLACE_NONE, true},
	{"RGB 8-bit with tRNS", PNG_COLOR_TYPE_RGB, 8, PNG_INTERLACE_NONE, true},
	{"grey 16-bit", PNG_COLOR_TYPE_GRAY, 16, PNG_INTERLACE_NONE, false},
	{"grey and alpha 8-bit", PNG_COLOR_TYPE_GRAY_ALPHA, 8, PNG_INTERLACE_NONE, false},
	{"RGBA 8-bit", PNG_COLOR_TYPE_RGB_ALPHA, 8, PNG_INTERLACE_NONE, false},
	{"RGB 16-bit", PNG_COLOR_TYPE_RGB, 16, PNG_INTERLACE_NONE, false},
	{"RGB 8-bit interlaced", PNG_COLOR_TYPE_RGB, 8, PNG_INTERLACE_ADAM7, false},
};

// The palette of the palette cases: entry i.
png_color paletteEntry(int i)
{
	return png_color{(png_byte)(i * 3), (png_byte)(255 - i), (png_byte)(i * 7)};
}

// The samples of pixel (x, y) for a case, each of bitDepth bits, and the RGB
// the loader must turn them into.
std::vector<int> samples(const formatCase_s &fc, int x, int y, unsigned char expected[3])
{
	int maxValue = (1 << fc.bitDepth) - 1;
	// 16-bit samples carry the 8-bit value in their high byte and noise below
	int noise = (x * 7 + y) & 255;
	switch (fc.colorType) {
	case PNG_COLOR_TYPE_PALETTE: {
		int index = (x * 5 + y * 3) & maxValue;
		png_color c = paletteEntry(index);
		expected[0] = c.red, expected[1] = c.green, expected[2] = c.blue;
		return {index};
	}
	case PNG_COLOR_TYPE_GRAY: {
		int v = channel(x, y, 0) >> (8 - std::min(8, fc.bitDepth));
		int grey8 = fc.bitDepth >= 8 ? v : v * 255 / maxValue;
		expected[0] = expected[1] = expected[2] = (unsigned char)grey8;
		return {fc.bitDepth == 16 ? (v << 8) | noise : v};
	}
	case PNG_COLOR_TYPE_GRAY_ALPHA:
		expected[0] = expected[1] = expected[2] = channel(x, y, 0);
		return {channel(x, y, 0), channel(x, y, 1)};
	default: {
		std::vector<int> s;
		for (int k = 0; k < 3; k++) {
			expected[k] = channel(x, y, k);
			s.push_back(fc.bitDepth == 16 ? (expected[k] << 8) | noise : expected[k]);
		}
		if (fc.colorType == PNG_COLOR_TYPE_RGB_ALPHA) s.push_back((x * 31 + y) & 255);
		return s;
	}
	}
}

void appendToString(png_structp png, png_bytep data, png_size_t length)
{
	bytes *out = (bytes *)png_get_io_ptr(png);
	out->insert(out->end(), data, data + length);
}

// Encodes a w x h picture in the case's format with libpng itself; fills the
// RGB the loader must give.
bytes encode(const formatCase_s &fc, int w, int h, bytes &expectedRGB)
{
	std::vector<bytes> rows(h);
	expectedRGB.clear();
	for (int y = 0; y < h; y++) {
		int bit = 0;
		for (int x = 0; x < w; x++) {
			unsigned char rgb[3];
			for (int s : samples(fc, x, y, rgb)) {
				// samples are packed from the high bits, 16-bit ones big-endian
				if (fc.bitDepth == 16) {
					rows[y].push_back((unsigned char)(s >> 8));
					rows[y].push_back((unsigned char)s);
				} else if (fc.bitDepth == 8) {
					rows[y].push_back((unsigned char)s);
				} else {
					if (bit % 8 == 0) rows[y].push_back(0);
					rows[y].back() |= (unsigned char)(s << (8 - fc.bitDepth - bit % 8));
					bit += fc.bitDepth;
				}
			}
			expectedRGB.insert(expectedRGB.end(), rgb, rgb + 3);
		}
	}
	bytes out;
	png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
	png_infop info = png_create_info_struct(png);
	png_set_write_fn(png, &out, appendToString, nullptr);
	png_set_IHDR(png, info, w, h, fc.bitDepth, fc.colorType, fc.interlace, PNG_COMPRESSION_TYPE_DEFAULT,
			PNG_FILTER_TYPE_DEFAULT);
	std::vector<png_color> palette;
	for (int i = 0; i < (1 << std::min(8, fc.bitDepth)); i++) palette.push_back(paletteEntry(i));
	if (fc.colorType == PNG_COLOR_TYPE_PALETTE) png_set_PLTE(png, info, palette.data(), (int)palette.size());
	png_byte alphas[256];
	for (int i = 0; i < 256; i++) alphas[i] = (png_byte)(i * 13);
	png_color_16 transparent = {0, 1, 1, 1, 1};
	if (fc.transparency && fc.colorType == PNG_COLOR_TYPE_PALETTE)
		png_set_tRNS(png, info, alphas, (int)palette.size(), nullptr);
	else if (fc.transparency)
		png_set_tRNS(png, info, nullptr, 0, &transparent);
	png_write_info(png, info);
	std::vector<png_bytep> rowPointers;
	for (bytes &r : rows) rowPointers.push_back(r.data());
	png_write_image(png, rowPointers.data());
	png_write_end(png, info);
	png_destroy_write_struct(&png, &info);
	return out;
}

// A small RGB PNG for the damage tests.
bytes smallPNG(bytes &expectedRGB)
{
	return encode(c_formats[0], 13, 7, expectedRGB);
}

TEST(png, savedImagesLoadBackFromFileAndMemory)
{
	scratchDir dir;
	const int w = 37, h = 23;
	bytes rgb = rgbPicture(w, h);
	ASSERT_EQ(savePNG(dir.file("a.png").c_str(), rgb.data(), w, h), 0);

	unsigned char *pixels = nullptr;
	int pw = 0, ph = 0;
	ASSERT_EQ(loadPNG(dir.file("a.png").c_str(), &pixels, &pw, &ph, 0), 0);
	EXPECT_EQ(pw, w);
	EXPECT_EQ(ph, h);
	EXPECT_EQ(bytes(pixels, pixels + rgb.size()), rgb);
	free(pixels);

	// the caller's own buffer is filled in place
	bytes own(rgb.size(), 0);
	unsigned char *ownPointer = own.data();
	bytes file = readFile(dir.file("a.png"));
	ASSERT_EQ(loadPNGEx(file.data(), (int)file.size(), &ownPointer, &pw, &ph, LOADPNG_CALLER_BUFFER), 0);
	EXPECT_EQ(ownPointer, own.data());
	EXPECT_EQ(own, rgb);
}

TEST(png, everyInputFormatLoadsAsEightBitRGB)
{
	for (const formatCase_s &fc : c_formats) {
		SCOPED_TRACE(fc.name);
		bytes expected;
		bytes data = encode(fc, 13, 7, expected);
		unsigned char *pixels = nullptr;
		int w = 0, h = 0;
		ASSERT_EQ(loadPNGEx(data.data(), (int)data.size(), &pixels, &w, &h, 0), 0);
		EXPECT_EQ(w, 13);
		EXPECT_EQ(h, 7);
		EXPECT_EQ(bytes(pixels, pixels + expected.size()), expected);
		free(pixels);
	}
}

TEST(png, nullPixelPointerReadsTheSizeOnly)
{
	scratchDir dir;
	bytes rgb = rgbPicture(5, 9);
	ASSERT_EQ(savePNG(dir.file("s.png").c_str(), rgb.data(), 5, 9), 0);
	int w = 0, h = 0;
	EXPECT_EQ(loadPNG(dir.file("s.png").c_str(), nullptr, &w, &h, 0), 0);
	EXPECT_EQ(w, 5);
	EXPECT_EQ(h, 9);
	bytes file = readFile(dir.file("s.png"));
	w = h = 0;
	EXPECT_EQ(loadPNGEx(file.data(), (int)file.size(), nullptr, &w, &h, 0), 0);
	EXPECT_EQ(w, 5);
	EXPECT_EQ(h, 9);
}

TEST(png, backslashesInASavedNameBecomeSlashes)
{
	scratchDir dir;
	std::filesystem::create_directory(dir.file("sub"));
	bytes rgb = rgbPicture(4, 4);
	std::string name = dir.path + "\\sub\\b.png";
	ASSERT_EQ(savePNG(name.c_str(), rgb.data(), 4, 4), 0);
	EXPECT_TRUE(std::filesystem::exists(dir.file("sub/b.png")));
	EXPECT_FALSE(std::filesystem::exists(name));

	char converted[] = "a\\b\\\\c/d";
	pngConvertFilename(converted);
	EXPECT_STREQ(converted, "a/b//c/d");
}

TEST(png, refusedArgumentsAndMissingFilesFailAndLeaveThePixelPointer)
{
	scratchDir dir;
	bytes rgb = rgbPicture(2, 2);
	unsigned char sentinel = 0;
	unsigned char *pixels = &sentinel;
	int w = 0, h = 0;
	EXPECT_EQ(loadPNG(nullptr, &pixels, &w, &h, 0), -1);
	EXPECT_EQ(loadPNGEx(nullptr, 10, &pixels, &w, &h, 0), -1);
	EXPECT_EQ(loadPNGEx(rgb.data(), 0, &pixels, &w, &h, 0), -1);
	EXPECT_EQ(loadPNGEx(rgb.data(), -5, &pixels, &w, &h, 0), -1);
	EXPECT_EQ(savePNG(nullptr, rgb.data(), 2, 2), -1);
	EXPECT_EQ(savePNG(dir.file("n.png").c_str(), nullptr, 2, 2), -1);
	EXPECT_EQ(savePNG(dir.file("z.png").c_str(), rgb.data(), 0, 2), -1);

	std::string missing = dir.file("missing.png");
	testing::internal::CaptureStdout();
	EXPECT_EQ(loadPNG(missing.c_str(), &pixels, &w, &h, 0), -1);
	EXPECT_EQ(savePNG(dir.file("no/such/dir.png").c_str(), rgb.data(), 2, 2), -1);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
			"loadPNG(): Could not read " + missing + "\n" +
			"savePNG(): Could not create " + dir.file("no/such/dir.png") + "\n");
	EXPECT_EQ(pixels, &sentinel);
}

TEST(png, memoryReadsPastTheEndArePaddedWithZeros)
{
	const unsigned char data[4] = {1, 2, 3, 4};
	pngMemoryReader_s reader{data, sizeof(data), 1, false};
	png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
	png_set_read_fn(png, &reader, loadPNGEx_user_read_data);
	unsigned char out[6];
	memset(out, 0xAA, sizeof(out));
	testing::internal::CaptureStdout();
	loadPNGEx_user_read_data(png, out, sizeof(out));
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
			"loadPNGEx_user_read_data(): too much data requested by libpng, padding with 0\n");
	EXPECT_EQ(bytes(out, out + 6), (bytes{2, 3, 4, 0, 0, 0}));
	EXPECT_EQ(reader.pos, sizeof(data));
	// a second request past the end gives up through libpng's error path
	testing::internal::CaptureStderr();
	bool gaveUp = false;
	if (setjmp(png_jmpbuf(png)))
		gaveUp = true;
	else
		loadPNGEx_user_read_data(png, out, 1);
	EXPECT_TRUE(gaveUp);
	testing::internal::GetCapturedStderr();
	png_destroy_read_struct(&png, nullptr, nullptr);
}

TEST(png, everyTruncationFails)
{
	scratchDir dir;
	bytes expected;
	bytes data = smallPNG(expected);
	testing::internal::CaptureStdout();
	testing::internal::CaptureStderr();
	for (size_t cut = 0; cut < data.size(); cut++) {
		unsigned char *pixels = nullptr;
		int w = 0, h = 0;
		EXPECT_EQ(loadPNGEx(data.data(), (int)cut, &pixels, &w, &h, 0), -1) << cut;
		EXPECT_EQ(pixels, nullptr);
		// a file ends where memory would be padded
		writeFile(dir.file("t.png"), bytes(data.begin(), data.begin() + cut));
		EXPECT_EQ(loadPNG(dir.file("t.png").c_str(), &pixels, &w, &h, 0), -1) << cut;
		EXPECT_EQ(pixels, nullptr);
	}
	testing::internal::GetCapturedStderr();
	testing::internal::GetCapturedStdout();
}

TEST(png, seededMutationsFailCleanlyOrDecode)
{
	scratchDir dir;
	bytes expected;
	const bytes data = smallPNG(expected);
	std::mt19937 rng(20240611);
	std::uniform_int_distribution<size_t> position(0, data.size() - 1);
	std::uniform_int_distribution<int> value(0, 255), count(1, 4);
	int failures = 0;
	const int mutants = 3000;
	testing::internal::CaptureStdout();
	testing::internal::CaptureStderr();
	for (int m = 0; m < mutants; m++) {
		bytes mutant = data;
		for (int k = count(rng); k > 0; k--) mutant[position(rng)] = (unsigned char)value(rng);
		unsigned char *pixels = nullptr;
		int w = 0, h = 0;
		// every tenth mutant also as a file, which ends instead of padding
		if (m % 10 == 0) {
			writeFile(dir.file("m.png"), mutant);
			if (loadPNG(dir.file("m.png").c_str(), &pixels, &w, &h, 0) != 0) {
				EXPECT_EQ(pixels, nullptr);
			}
			free(pixels);
			pixels = nullptr;
		}
		if (loadPNGEx(mutant.data(), (int)mutant.size(), &pixels, &w, &h, 0) != 0) {
			EXPECT_EQ(pixels, nullptr);
			failures++;
			continue;
		}
		// an intact mutant (a changed ancillary byte, or none) decodes fully
		ASSERT_NE(pixels, nullptr);
		EXPECT_GT(w, 0);
		EXPECT_GT(h, 0);
		free(pixels);
	}
	testing::internal::GetCapturedStderr();
	// a mutant runs past the end of its data at most once
	std::string padding = testing::internal::GetCapturedStdout();
	EXPECT_LE(std::count(padding.begin(), padding.end(), '\n'), mutants);
	// the checksums catch nearly every change
	EXPECT_GT(failures, mutants * 9 / 10);
}

// Sets the header's size to w x h with a valid checksum.
bytes withHeaderSize(bytes data, png_uint_32 w, png_uint_32 h)
{
	// signature (8), length (4), "IHDR" (4), then width and height
	const size_t at = 16;
	for (int i = 0; i < 4; i++) {
		data[at + i] = (unsigned char)(w >> (24 - 8 * i));
		data[at + 4 + i] = (unsigned char)(h >> (24 - 8 * i));
	}
	uLong crc = crc32(0, data.data() + 12, 17);
	for (int i = 0; i < 4; i++) data[29 + i] = (unsigned char)(crc >> (24 - 8 * i));
	return data;
}

TEST(png, aHeaderTooLargeForThePixelBufferIsRefused)
{
	bytes expected;
	bytes data = withHeaderSize(smallPNG(expected), 60000, 60000);
	int w = 0, h = 0;
	ASSERT_EQ(loadPNGEx(data.data(), (int)data.size(), nullptr, &w, &h, 0), 0);
	EXPECT_EQ(w, 60000);
	EXPECT_EQ(h, 60000);
	unsigned char *pixels = nullptr;
	testing::internal::CaptureStdout();
	EXPECT_EQ(loadPNGEx(data.data(), (int)data.size(), &pixels, &w, &h, 0), -1);
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "loadPNGEx(): memory allocation error\n");
	EXPECT_EQ(pixels, nullptr);
}

TEST(png, powersOfTwo)
{
	const int yes[] = {1, 2, 4, 64, 1024, 1 << 30};
	const int no[] = {0, -4, 3, 6, 1000, 1023, (1 << 30) + 1};
	for (int n : yes) EXPECT_EQ(pngCheckPow2(n), 1) << n;
	for (int n : no) EXPECT_EQ(pngCheckPow2(n), 0) << n;
}

} // namespace
