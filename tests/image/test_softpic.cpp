// PIC reading and writing: round trips, the exact runs of written rows,
// hand-made files of every packet and run kind, malformed, truncated and
// mutated data, oversize headers and files that cannot be opened or written.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "support/scratchfiles.h"
#include "image/softpic.h"

namespace {

// Bytes of the header and of the two packets the writer puts after it.
const size_t c_headerBytes = 104;
const size_t c_writerPrefix = c_headerBytes + 8;

bytes cat(std::initializer_list<bytes> parts)
{
	bytes out;
	for (const bytes &p : parts) out.insert(out.end(), p.begin(), p.end());
	return out;
}

// The colour of a pixel letter, and the RGB of a string of them.
bytes px(const std::string &letters)
{
	bytes out;
	for (char c : letters) out.insert(out.end(), {(unsigned char)c, (unsigned char)(c ^ 0x20), 7});
	return out;
}

std::string repeated(const std::string &unit, size_t n)
{
	std::string s;
	while (s.size() < n) s += unit;
	return s.substr(0, n);
}

// A PIC header of w x h with the given magic and tag.
bytes header(int w, int h, uint32_t magic = 0x5380F634, const char *tag = "PICT")
{
	bytes out(c_headerBytes, 0);
	intToUchar(magic, &out[0]);
	floatToUchar(-0.5f, &out[4]);
	memcpy(&out[8], "hand made", 9);
	memcpy(&out[88], tag, 4);
	shortToUchar((uint16_t)w, &out[92]);
	shortToUchar((uint16_t)h, &out[94]);
	floatToUchar(1.5f, &out[96]);
	shortToUchar(3, &out[100]);
	return out;
}

// The packets of a file: chained words set from the list order.
bytes packets(std::initializer_list<unsigned char> masks)
{
	bytes out;
	size_t i = 0;
	for (unsigned char m : masks) out.insert(out.end(), {(unsigned char)(++i < masks.size()), 8, 2, m});
	return out;
}

const unsigned char RGB = 0xE0, ALPHA = 0x10;

// The result of one decode: its code, size and the outBytes-a-pixel output.
struct decoded_s {
	int result;
	int w, h;
	bytes pixels;
	bool pointerKept; // on failure the pixel pointer is left alone
};

// Decodes from a heap copy of exactly the data's size, so that the sanitizer
// sees any read past its end, and copies exactly the output the result
// promises, so that it sees a buffer too small.
decoded_s decode(const bytes &data, int flags, int outBytes, int size = -1)
{
	size_t n = size < 0 ? data.size() : (size_t)size;
	unsigned char *copy = (unsigned char *)malloc(n + (n == 0));
	memcpy(copy, data.data(), n);
	decoded_s d{0, -1, -1, {}, true};
	unsigned char sentinel = 0;
	unsigned char *pixels = &sentinel;
	d.result = loadSoftPICEx(copy, (int)n, &pixels, &d.w, &d.h, flags, nullptr);
	free(copy);
	if (d.result != 0) {
		d.pointerKept = pixels == &sentinel;
		return d;
	}
	d.pixels.assign(pixels, pixels + (size_t)d.w * d.h * outBytes);
	free(pixels);
	return d;
}

// The bytes a pixel of a decoded file should have: the asked channel groups
// its packets hold (0 when the packets cannot be read).
int outBytes(const bytes &data, int flags)
{
	bool rgb = false, alpha = false;
	for (size_t at = c_headerBytes; at + 4 <= data.size(); at += 4) {
		rgb = rgb || data[at + 3] == RGB;
		alpha = alpha || data[at + 3] == ALPHA;
		if (data[at] == 0) break;
	}
	return ((flags & LOADPIC_RGB) && rgb ? 3 : 0) + ((flags & LOADPIC_ALPHA) && alpha ? 1 : 0);
}

// A random picture over a palette of the given size, so that runs of every
// kind and length occur.
bytes randomPicture(int w, int h, int colours, std::mt19937 &rng)
{
	std::uniform_int_distribution<int> pick(0, colours - 1), stay(0, 3);
	bytes rgb;
	int c = 0;
	for (int i = 0; i < w * h; i++) {
		// keep the colour three times in four, so runs grow long
		if (stay(rng) == 0) c = pick(rng);
		rgb.insert(rgb.end(), {(unsigned char)(c * 37), (unsigned char)(c * 11), (unsigned char)c});
	}
	return rgb;
}

TEST(softpic, savedFilesReadBackWithTheirRGBAndOpaqueAlpha)
{
	scratchDir dir;
	std::mt19937 rng(424242);
	const struct {
		int w, h;
	} sizes[] = {{1, 1}, {2, 1}, {1, 5}, {126, 2}, {127, 2}, {128, 3}, {129, 2}, {300, 7}, {65535, 1}};
	for (auto s : sizes)
		for (int colours : {1, 2, 3, 256}) {
			SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h) + " of " + std::to_string(colours));
			bytes rgb = randomPicture(s.w, s.h, colours, rng);
			std::string name = dir.file("p.pic");
			ASSERT_EQ(saveSoftPIC(name.c_str(), rgb.data(), s.w, s.h), 0);
			bytes file = readFile(name);

			bytes rgba;
			for (size_t i = 0; i < rgb.size(); i += 3) rgba.insert(rgba.end(), {rgb[i], rgb[i + 1], rgb[i + 2], 255});
			decoded_s d = decode(file, LOADPIC_RGB | LOADPIC_ALPHA, 4);
			ASSERT_EQ(d.result, 0);
			EXPECT_EQ(d.w, s.w);
			EXPECT_EQ(d.h, s.h);
			EXPECT_EQ(d.pixels, rgba);
			EXPECT_EQ(decode(file, LOADPIC_RGB, 3).pixels, rgb);
			EXPECT_EQ(decode(file, LOADPIC_ALPHA, 1).pixels, bytes((size_t)s.w * s.h, 255));
		}
}

TEST(softpic, fileReadsFillTheCallersBufferAndTheInfo)
{
	scratchDir dir;
	std::mt19937 rng(7);
	bytes rgb = randomPicture(40, 9, 5, rng);
	std::string name = dir.file("i.pic");
	ASSERT_EQ(saveSoftPIC(name.c_str(), rgb.data(), 40, 9), 0);
	bytes own(rgb.size(), 0);
	unsigned char *pixels = own.data();
	int w = 0, h = 0;
	picInfo info;
	memset(&info, 'x', sizeof(info));
	ASSERT_EQ(loadSoftPIC(name.c_str(), &pixels, &w, &h, LOADPIC_RGB | LOADPIC_CALLER_BUFFER, &info), 0);
	EXPECT_EQ(pixels, own.data());
	EXPECT_EQ(own, rgb);
	EXPECT_EQ(w, 40);
	EXPECT_EQ(h, 9);
	EXPECT_STREQ(info.comment, "Korimbel");
	EXPECT_EQ(info.version, 2.62f);
	EXPECT_EQ(info.ratio, 1.0f);
	EXPECT_EQ(info.fields, 0);
}

TEST(softpic, theWriterStoresItsHeaderPacketsAndRuns)
{
	const bytes A = px("A");
	const std::string alt = repeated("AB", 300);
	const struct {
		std::string row;
		bytes runs;
	} cases[] = {
		{"A", cat({{0}, A})},
		{"AB", cat({{1}, px("AB")})},
		{"AA", cat({{129}, A})},
		{"AAB", cat({{129}, A, {0}, px("B")})},
		// a raw run ends when the next pixel equals the last one it took
		{"ABBC", cat({{1}, px("AB"), {1}, px("BC")})},
		{"ABCC", cat({{2}, px("ABC"), {0}, px("C")})},
		{"ABBBBA", cat({{1}, px("AB"), {130}, px("B"), {0}, A})},
		{repeated("A", 127), cat({{254}, A})},
		{repeated("A", 128), cat({{128, 0, 128}, A})},
		{repeated("A", 300), cat({{128, 1, 44}, A})},
		{alt, cat({{125}, px(alt.substr(0, 126)), {125}, px(alt.substr(126, 126)), {47}, px(alt.substr(252))})},
	};
	scratchDir dir;
	std::string name = dir.file("r.pic");
	for (const auto &c : cases) {
		SCOPED_TRACE(c.row.substr(0, 12));
		bytes rgb = px(c.row);
		int w = (int)c.row.size();
		// two equal rows: each is followed by its opaque alpha run
		bytes image = cat({rgb, rgb});
		ASSERT_EQ(saveSoftPIC(name.c_str(), image.data(), w, 2), 0);
		bytes file = readFile(name);
		bytes alpha = {128, (unsigned char)(w >> 8), (unsigned char)w, 255};
		EXPECT_EQ(bytes(file.begin() + c_writerPrefix, file.end()), cat({c.runs, alpha, c.runs, alpha}));
	}
	bytes file = readFile(name);
	bytes expectedHeader = cat({{0x53, 0x80, 0xF6, 0x34, 0x40, 0x27, 0xAE, 0x14}, {'K', 'o', 'r', 'i', 'm', 'b', 'e', 'l'},
		bytes(72, 0), {'P', 'I', 'C', 'T', 1, 44, 0, 2, 0x3F, 0x80, 0, 0, 0, 0, 0, 0},
		{1, 8, 2, 0xE0, 0, 8, 2, 0x10}});
	EXPECT_EQ(bytes(file.begin(), file.begin() + c_writerPrefix), expectedHeader);
}

TEST(softpic, handMadeFilesOfEveryPacketAndRunKindDecode)
{
	const struct {
		const char *name;
		int w, h;
		bytes file; // after the header
		int flags;
		int outBytes;
		bytes expected;
	} cases[] = {
		{"RGB raw run", 3, 1, cat({packets({RGB}), {2}, px("ABC")}), LOADPIC_RGB, 3, px("ABC")},
		{"RGB short repeat", 3, 1, cat({packets({RGB}), {130}, px("D")}), LOADPIC_RGB, 3, px("DDD")},
		{"RGB long repeat", 3, 1, cat({packets({RGB}), {128, 0, 3}, px("E")}), LOADPIC_RGB, 3, px("EEE")},
		{"an empty long repeat is no pixel", 2, 1, cat({packets({RGB}), {128, 0, 0}, px("Z"), {1}, px("AB")}),
			LOADPIC_RGB, 3, px("AB")},
		{"RGB runs of two rows", 3, 2, cat({packets({RGB}), {0}, px("A"), {129}, px("B"), {128, 0, 3}, px("C")}),
			LOADPIC_RGB, 3, px("ABBCCC")},
		{"alpha runs of every kind", 6, 1, cat({packets({ALPHA}), {1, 10, 20}, {129, 30}, {128, 0, 2, 40}}),
			LOADPIC_ALPHA, 1, {10, 20, 30, 30, 40, 40}},
		{"RGB and alpha as RGBA", 2, 1, cat({packets({RGB, ALPHA}), {1}, px("AB"), {129, 99}}),
			LOADPIC_RGB | LOADPIC_ALPHA, 4, cat({px("A"), {99}, px("B"), {99}})},
		{"RGB and alpha, RGB asked", 2, 1, cat({packets({RGB, ALPHA}), {1}, px("AB"), {129, 99}}), LOADPIC_RGB, 3,
			px("AB")},
		{"RGB and alpha, alpha asked", 2, 1, cat({packets({RGB, ALPHA}), {1}, px("AB"), {0, 5, 0, 6}}),
			LOADPIC_ALPHA, 1, {5, 6}},
		{"alpha first is still RGBA", 2, 2, cat({packets({ALPHA, RGB}), {129, 1}, {1}, px("AB"), {1, 2, 3}, {129}, px("C")}),
			LOADPIC_RGB | LOADPIC_ALPHA, 4, cat({px("A"), {1}, px("B"), {1}, px("C"), {2}, px("C"), {3}})},
		{"RGBA asked of RGB gives RGB", 1, 1, cat({packets({RGB}), {0}, px("Q")}), LOADPIC_RGB | LOADPIC_ALPHA, 3,
			px("Q")},
		{"trailing bytes are ignored", 1, 1, cat({packets({RGB}), {0}, px("Q"), {1, 2, 3}}), LOADPIC_RGB, 3, px("Q")},
	};
	for (const auto &c : cases) {
		SCOPED_TRACE(c.name);
		decoded_s d = decode(cat({header(c.w, c.h), c.file}), c.flags, c.outBytes);
		ASSERT_EQ(d.result, 0);
		EXPECT_EQ(d.w, c.w);
		EXPECT_EQ(d.h, c.h);
		EXPECT_EQ(d.pixels, c.expected);
	}
}

TEST(softpic, malformedFilesAreRefusedAndLeaveThePixelPointer)
{
	const bytes good = cat({packets({RGB}), {1}, px("AB")});
	const struct {
		const char *name;
		bytes data;
		int flags;
		int result;
	} cases[] = {
		{"shorter than the header", bytes(c_headerBytes - 1, 0), LOADPIC_RGB, -3},
		{"no packet", header(2, 1), LOADPIC_RGB, -3},
		{"no last packet", cat({header(2, 1), {1, 8, 2, 0xE0}}), LOADPIC_RGB, -3},
		{"wrong magic", cat({header(2, 1, 0x5380F635), good}), LOADPIC_RGB, -4},
		{"no PICT", cat({header(2, 1, 0x5380F634, "PICS"), good}), LOADPIC_RGB, -4},
		{"no width", cat({header(0, 1), good}), LOADPIC_RGB, -4},
		{"no height", cat({header(2, 0), good}), LOADPIC_RGB, -4},
		{"16-bit channels", cat({header(2, 1), {0, 16, 2, 0xE0}, {1}, px("AB")}), LOADPIC_RGB, -4},
		{"uncompressed", cat({header(2, 1), {0, 8, 0, 0xE0}, {1}, px("AB")}), LOADPIC_RGB, -4},
		{"pure run-length", cat({header(2, 1), {0, 8, 1, 0xE0}, {1}, px("AB")}), LOADPIC_RGB, -4},
		{"RGBA in one packet", cat({header(2, 1), {0, 8, 2, 0xF0}}), LOADPIC_RGB, -4},
		{"red alone", cat({header(2, 1), {0, 8, 2, 0x80}}), LOADPIC_RGB, -4},
		{"chained 2", cat({header(2, 1), {2, 8, 2, 0xE0}}), LOADPIC_RGB, -4},
		{"three packets", cat({header(2, 1), packets({RGB, ALPHA, ALPHA})}), LOADPIC_RGB, -4},
		{"raw run past the row", cat({header(2, 1), packets({RGB}), {2}, px("ABC")}), LOADPIC_RGB, -4},
		{"repeat past the row", cat({header(2, 1), packets({RGB}), {0}, px("A"), {129}, px("B")}), LOADPIC_RGB, -4},
		{"long repeat past the row", cat({header(2, 1), packets({RGB}), {128, 0, 3}, px("A")}), LOADPIC_RGB, -4},
		{"alpha run past the row", cat({header(2, 1), packets({RGB, ALPHA}), {1}, px("AB"), {130, 9}}), LOADPIC_RGB, -4},
		{"data ends in a raw run", cat({header(2, 1), packets({RGB}), {1}, px("A"), {'B'}}), LOADPIC_RGB, -3},
		{"data ends in a 16-bit count", cat({header(2, 1), packets({RGB}), {128, 0}}), LOADPIC_RGB, -3},
		{"data ends within a row", cat({header(2, 2), good, {0}, px("A")}), LOADPIC_RGB, -3},
		{"data ends after a row", cat({header(2, 2), good}), LOADPIC_RGB, -3},
		{"alpha asked of RGB", cat({header(2, 1), good}), LOADPIC_ALPHA, -4},
		{"nothing asked", cat({header(2, 1), good}), 0, -4},
		{"a caller buffer that is null", cat({header(2, 1), good}), LOADPIC_RGB | LOADPIC_CALLER_BUFFER, -1},
	};
	for (const auto &c : cases) {
		SCOPED_TRACE(c.name);
		unsigned char *pixels = nullptr;
		int w = 0, h = 0;
		bytes data = c.data;
		// the null caller buffer is the one case with a null pointer in
		if (c.result == -1) {
			EXPECT_EQ(loadSoftPICEx(data.data(), (int)data.size(), &pixels, &w, &h, c.flags, nullptr), -1);
			continue;
		}
		decoded_s d = decode(data, c.flags, 3);
		EXPECT_EQ(d.result, c.result);
		EXPECT_TRUE(d.pointerKept);
	}
	int w = 0, h = 0;
	unsigned char *pixels = nullptr;
	EXPECT_EQ(loadSoftPICEx(nullptr, 200, &pixels, &w, &h, LOADPIC_RGB, nullptr), -1);
	bytes data = cat({header(2, 1), good});
	EXPECT_EQ(loadSoftPICEx(data.data(), -1, &pixels, &w, &h, LOADPIC_RGB, nullptr), -3);
}

TEST(softpic, aHeaderOnlyReadNeedsNoPixelData)
{
	bytes data = cat({header(300, 200), packets({RGB, ALPHA})});
	int w = 0, h = 0;
	picInfo info;
	EXPECT_EQ(loadSoftPICEx(data.data(), (int)data.size(), nullptr, &w, &h, LOADPIC_RGB, &info), 0);
	EXPECT_EQ(w, 300);
	EXPECT_EQ(h, 200);
	EXPECT_STREQ(info.comment, "hand made");
	EXPECT_EQ(info.version, -0.5f);
	EXPECT_EQ(info.ratio, 1.5f);
	EXPECT_EQ(info.fields, 3);
	// the same header with pixels asked is cut short
	EXPECT_EQ(decode(data, LOADPIC_RGB, 3).result, -3);

	// a full 80-byte comment still comes back terminated
	memset(&data[8], 'c', 80);
	EXPECT_EQ(loadSoftPICEx(data.data(), (int)data.size(), nullptr, &w, &h, 0, &info), 0);
	EXPECT_EQ(std::string(info.comment), std::string(80, 'c'));

	scratchDir dir;
	writeFile(dir.file("h.pic"), data);
	w = h = 0;
	EXPECT_EQ(loadSoftPIC(dir.file("h.pic").c_str(), nullptr, &w, &h, 0, nullptr), 0);
	EXPECT_EQ(w, 300);
	EXPECT_EQ(h, 200);
}

TEST(softpic, everyTruncationIsCutShort)
{
	scratchDir dir;
	std::mt19937 rng(99);
	bytes rgb = randomPicture(150, 3, 4, rng);
	ASSERT_EQ(saveSoftPIC(dir.file("t.pic").c_str(), rgb.data(), 150, 3), 0);
	bytes file = readFile(dir.file("t.pic"));
	for (size_t cut = 0; cut < file.size(); cut++) {
		decoded_s d = decode(file, LOADPIC_RGB | LOADPIC_ALPHA, 4, (int)cut);
		EXPECT_EQ(d.result, -3) << cut;
		EXPECT_TRUE(d.pointerKept) << cut;
	}
	// a short file reads the same way
	writeFile(dir.file("cut.pic"), bytes(file.begin(), file.end() - 1));
	unsigned char *pixels = nullptr;
	int w, h;
	EXPECT_EQ(loadSoftPIC(dir.file("cut.pic").c_str(), &pixels, &w, &h, LOADPIC_RGB, nullptr), -3);
	EXPECT_EQ(pixels, nullptr);
	writeFile(dir.file("empty.pic"), {});
	EXPECT_EQ(loadSoftPIC(dir.file("empty.pic").c_str(), &pixels, &w, &h, LOADPIC_RGB, nullptr), -3);
}

TEST(softpic, seededMutationsFailCleanlyOrDecode)
{
	scratchDir dir;
	std::mt19937 rng(20240611);
	bytes rgb = randomPicture(60, 4, 3, rng);
	ASSERT_EQ(saveSoftPIC(dir.file("m.pic").c_str(), rgb.data(), 60, 4), 0);
	const bytes sources[] = {
		readFile(dir.file("m.pic")),
		cat({header(6, 2), packets({ALPHA, RGB}), {1, 10, 20}, {129, 30}, {128, 0, 2, 40}, {5}, px("ABCDEF"),
			{132, 1}, {0, 9}, {128, 0, 2}, px("G"), {130}, px("H"), {0}, px("I")}),
	};
	for (const bytes &source : sources) ASSERT_EQ(decode(source, LOADPIC_RGB | LOADPIC_ALPHA, 4).result, 0);
	int outcomes[5] = {0, 0, 0, 0, 0}; // by -result
	testing::internal::CaptureStdout();
	for (const bytes &source : sources) {
		std::uniform_int_distribution<size_t> position(0, source.size() - 1);
		std::uniform_int_distribution<int> value(0, 255), count(1, 4), cut(0, 7);
		for (int m = 0; m < 3000; m++) {
			bytes mutant = source;
			for (int k = count(rng); k > 0; k--) mutant[position(rng)] = (unsigned char)value(rng);
			// one mutant in eight is also cut somewhere
			if (cut(rng) == 0) mutant.resize(position(rng));
			int flags = m % 3 == 0 ? LOADPIC_RGB : LOADPIC_RGB | LOADPIC_ALPHA;
			decoded_s d = decode(mutant, flags, outBytes(mutant, flags));
			ASSERT_GE(d.result, -4);
			ASSERT_LE(d.result, 0);
			ASSERT_NE(d.result, -2);
			outcomes[-d.result]++;
			if (d.result != 0) {
				EXPECT_TRUE(d.pointerKept);
			} else {
				EXPECT_GT(d.w, 0);
				EXPECT_GT(d.h, 0);
			}
		}
	}
	testing::internal::GetCapturedStdout();
	// both ways out happen: mutated pixel values decode, broken runs do not
	EXPECT_GT(outcomes[0], 100);
	EXPECT_GT(outcomes[3], 100);
	EXPECT_GT(outcomes[4], 100);
}

TEST(softpic, headersTooLargeForThePixelBufferAreRefused)
{
	// 65535 x 65535 is 4 GB even for the alpha alone
	bytes data = cat({header(65535, 65535), packets({RGB, ALPHA}), bytes(64, 0)});
	int w = 0, h = 0;
	EXPECT_EQ(loadSoftPICEx(data.data(), (int)data.size(), nullptr, &w, &h, LOADPIC_RGB, nullptr), 0);
	EXPECT_EQ(w, 65535);
	EXPECT_EQ(h, 65535);
	for (int flags : {LOADPIC_RGB | LOADPIC_ALPHA, LOADPIC_ALPHA, LOADPIC_RGB | LOADPIC_CALLER_BUFFER}) {
		SCOPED_TRACE(flags);
		unsigned char sentinel = 0;
		unsigned char *pixels = &sentinel;
		testing::internal::CaptureStdout();
		EXPECT_EQ(loadSoftPICEx(data.data(), (int)data.size(), &pixels, &w, &h, flags, nullptr), -1);
		EXPECT_EQ(testing::internal::GetCapturedStdout(), "loadSoftPICEx(): memory allocation error\n");
		EXPECT_EQ(pixels, &sentinel);
	}
	// 65535 x 32767 alpha just fits an int, but the data cannot hold its rows
	shortToUchar(32767, &data[94]);
	EXPECT_EQ(decode(data, LOADPIC_ALPHA, 1).result, -3);
	unsigned char *pixels = nullptr;
	testing::internal::CaptureStdout();
	EXPECT_EQ(loadSoftPICEx(data.data(), (int)data.size(), &pixels, &w, &h, LOADPIC_RGB, nullptr), -1);
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "loadSoftPICEx(): memory allocation error\n");
}

TEST(softpic, filesThatCannotBeOpenedOrWrittenAndRefusedArguments)
{
	scratchDir dir;
	const unsigned char rgb[6] = {1, 2, 3, 4, 5, 6};
	unsigned char *pixels = nullptr;
	int w = 0, h = 0;
	std::string missing = dir.file("missing.pic"), noDir = dir.file("no/such.pic");
	testing::internal::CaptureStdout();
	EXPECT_EQ(loadSoftPIC(missing.c_str(), &pixels, &w, &h, LOADPIC_RGB, nullptr), -2);
	EXPECT_EQ(saveSoftPIC(noDir.c_str(), rgb, 2, 1), -2);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
			"loadSoftPIC(): Could not read " + missing + "\n" + "saveSoftPIC(): Could not create " + noDir + "\n");
	EXPECT_EQ(pixels, nullptr);

	{
		// an image larger than the disk's room, of pixels that no run shortens
		std::vector<unsigned char> large(64 * 64 * 3);
		for (size_t i = 0; i < large.size(); i++) large[i] = (unsigned char)(i * 37 % 251);
		fullDisk disk;
		EXPECT_EQ(saveSoftPIC(dir.file("full.pic").c_str(), large.data(), 64, 64), -7);
	}
	EXPECT_EQ(loadSoftPIC(nullptr, &pixels, &w, &h, LOADPIC_RGB, nullptr), -1);
	std::string name = dir.file("a.pic");
	const struct {
		const char *name;
		const unsigned char *rgb;
		int w, h;
	} refused[] = {
		{nullptr, rgb, 2, 1}, {name.c_str(), nullptr, 2, 1}, {name.c_str(), rgb, 0, 1}, {name.c_str(), rgb, 2, -1},
		{name.c_str(), rgb, 65536, 1}, {name.c_str(), rgb, 1, 65536},
	};
	for (const auto &c : refused) EXPECT_EQ(saveSoftPIC(c.name, c.rgb, c.w, c.h), -1) << c.w << "x" << c.h;
	EXPECT_FALSE(std::filesystem::exists(name));
}

} // namespace
