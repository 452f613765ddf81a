#include "image/softpic.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "os/osdep.h"

namespace {

// --- file layout ------------------------------------------------------------------
// Bytes of the file header, and where its fields lie.
constexpr size_t sc_headerBytes = 104;
constexpr size_t sc_magicAt = 0;
constexpr size_t sc_versionAt = 4;
constexpr size_t sc_commentAt = 8;
constexpr size_t sc_pictAt = 88;
constexpr size_t sc_widthAt = 92;
constexpr size_t sc_heightAt = 94;
constexpr size_t sc_ratioAt = 96;
constexpr size_t sc_fieldsAt = 100;

constexpr uint32_t sc_magic = 0x5380F634;
const char sc_pict[] = "PICT";
constexpr size_t sc_pictBytes = 4;

// A channel packet: chained, bits per channel, compression, channel mask.
constexpr size_t sc_packetBytes = 4;
// One RGB and one alpha packet are all this reader takes.
constexpr int sc_maxPackets = 2;
constexpr unsigned char sc_lastPacket = 0;
constexpr unsigned char sc_morePackets = 1;
constexpr unsigned char sc_bitsPerChannel = 8;
constexpr unsigned char sc_mixedRunLength = 2;
constexpr unsigned char sc_maskRGB = 0xE0;
constexpr unsigned char sc_maskAlpha = 0x10;
constexpr int sc_rgbChannels = 3;
constexpr int sc_alphaChannels = 1;

// Count bytes of the mixed run-length coding: below sc_longRepeat a raw run
// of count + 1 pixels; sc_longRepeat itself a 16-bit repeat count; above it
// a repeat of count - sc_repeatBias pixels.
constexpr unsigned sc_longRepeat = 128;
constexpr unsigned sc_repeatBias = 127;
constexpr size_t sc_repeatCountBytes = 2;

// Largest output buffer: callers index pixel buffers with int arithmetic.
constexpr uint64_t sc_maxPixelBytes = INT_MAX;
// Widths and heights are 16-bit fields.
constexpr int sc_maxSide = 65535;

// --- what the writer puts in ------------------------------------------------------
constexpr float sc_writerVersion = 2.62f;
const char sc_writerComment[] = "Korimbel";
constexpr float sc_writerRatio = 1.0f;
// Longest raw run the writer makes.
constexpr int sc_maxRawRun = 126;
// Longest repeat run told by the count byte alone.
constexpr int sc_maxShortRepeat = 127;
constexpr unsigned char sc_opaque = 255;

// One channel packet as the decoder uses it.
struct packet_s {
	unsigned char mask;
	int channels;
	int offset; // of its channels within a decoded pixel
};

// The packets of a file and the bytes of one decoded pixel.
struct layout_s {
	packet_s packets[sc_maxPackets];
	int count;
	int pixelBytes;

	// Offset of the first packet with this mask, -1 when there is none.
	int offsetOf(unsigned char mask) const
	{
		for (int i = 0; i < count; i++)
			if (packets[i].mask == mask) return packets[i].offset;
		return -1;
	}
};

// A read position in the data that never moves past its end.
struct reader_s {
	const unsigned char *at;
	const unsigned char *end;

	// Points *out at the next n bytes and moves past them; false, moving
	// nothing, when fewer are left.
	bool take(size_t n, const unsigned char **out)
	{
		if ((size_t)(end - at) < n) return false;
		*out = at;
		at += n;
		return true;
	}
	size_t left() const { return (size_t)(end - at); }
};

// Reads the channel packets after the header.
int readPackets(reader_s &in, layout_s &layout)
{
	layout.count = 0;
	layout.pixelBytes = 0;
	for (;;) {
		const unsigned char *p;
		if (!in.take(sc_packetBytes, &p)) return PIC_TRUNCATED;
		unsigned char chained = p[0], bits = p[1], type = p[2], mask = p[3];
		if (chained > sc_morePackets || layout.count == sc_maxPackets) return PIC_BAD_FORMAT;
		if (bits != sc_bitsPerChannel || type != sc_mixedRunLength) return PIC_BAD_FORMAT;
		if (mask != sc_maskRGB && mask != sc_maskAlpha) return PIC_BAD_FORMAT;
		int channels = mask == sc_maskRGB ? sc_rgbChannels : sc_alphaChannels;
		layout.packets[layout.count++] = packet_s{mask, channels, layout.pixelBytes};
		layout.pixelBytes += channels;
		if (chained == sc_lastPacket) return PIC_OK;
	}
}

// Decodes one packet's runs of a row of width pixels into row, whose pixels
// are pixelBytes apart.  Every run must fit in what is left of the row and
// of the data.
int decodePacketRow(reader_s &in, const packet_s &packet, unsigned char *row, int width, int pixelBytes)
{
	const size_t n = (size_t)packet.channels;
	for (int x = 0; x < width;) {
		const unsigned char *p;
		if (!in.take(1, &p)) return PIC_TRUNCATED;
		unsigned count = *p;
		// the count byte tells the run's kind and length
		bool repeat = count >= sc_longRepeat;
		int length;
		if (count < sc_longRepeat) {
			length = (int)count + 1;
		} else if (count == sc_longRepeat) {
			if (!in.take(sc_repeatCountBytes, &p)) return PIC_TRUNCATED;
			length = ucharToShort(p);
		} else {
			length = (int)(count - sc_repeatBias);
		}
		if (length > width - x) return PIC_BAD_FORMAT;
		if (!in.take(repeat ? n : n * (size_t)length, &p)) return PIC_TRUNCATED;
		// a repeat copies its one pixel, a raw run its pixels in turn
		for (int i = 0; i < length; i++, x++)
			memcpy(row + (size_t)x * pixelBytes + packet.offset, repeat ? p : p + (size_t)i * n, n);
	}
	return PIC_OK;
}

// Decodes every row and copies the wanted channels of each pixel into out,
// which holds outBytes a pixel: RGB from rgbAt, then alpha from alphaAt
// (-1 for a group not wanted).
int decodeRows(reader_s &in, const layout_s &layout, int width, int height, int rgbAt, int alphaAt,
		int outBytes, unsigned char *out)
{
	std::vector<unsigned char> row((size_t)width * layout.pixelBytes);
	for (int y = 0; y < height; y++) {
		for (int k = 0; k < layout.count; k++) {
			int result = decodePacketRow(in, layout.packets[k], row.data(), width, layout.pixelBytes);
			if (result != PIC_OK) return result;
		}
		// runs cover their whole row, so every byte of row is this row's
		for (int x = 0; x < width; x++, out += outBytes) {
			const unsigned char *pixel = row.data() + (size_t)x * layout.pixelBytes;
			if (rgbAt >= 0) memcpy(out, pixel + rgbAt, sc_rgbChannels);
			if (alphaAt >= 0) out[outBytes - 1] = pixel[alphaAt];
		}
	}
	return PIC_OK;
}

// Decodes the pixel data after the packets into a buffer of the wanted
// channels, allocated unless the caller supplies it.
int decodeImage(reader_s &in, const layout_s &layout, int width, int height, int flags,
		unsigned char **pixels)
{
	int rgbAt = (flags & LOADPIC_RGB) ? layout.offsetOf(sc_maskRGB) : -1;
	int alphaAt = (flags & LOADPIC_ALPHA) ? layout.offsetOf(sc_maskAlpha) : -1;
	int outBytes = (rgbAt >= 0 ? sc_rgbChannels : 0) + (alphaAt >= 0 ? sc_alphaChannels : 0);
	if (outBytes == 0) return PIC_BAD_FORMAT;
	uint64_t total = (uint64_t)width * (uint64_t)height * (uint64_t)outBytes;
	if (total > sc_maxPixelBytes) {
		printf("loadSoftPICEx(): memory allocation error\n");
		return PIC_FAILED;
	}
	// every row of every packet holds at least one run: a count byte and a
	// pixel; a header that promises more rows than the data can hold is cut
	// short before any buffer is made for it
	uint64_t leastData = (uint64_t)height * (uint64_t)(layout.count + layout.pixelBytes);
	if (leastData > in.left()) return PIC_TRUNCATED;

	bool callerBuffer = (flags & LOADPIC_CALLER_BUFFER) != 0;
	unsigned char *out = callerBuffer ? *pixels : (unsigned char *)malloc((size_t)total);
	if (out == nullptr) {
		if (!callerBuffer) printf("loadSoftPICEx(): memory allocation error\n");
		return PIC_FAILED;
	}
	int result = decodeRows(in, layout, width, height, rgbAt, alphaAt, outBytes, out);
	if (result != PIC_OK) {
		if (!callerBuffer) free(out);
		return result;
	}
	*pixels = out;
	return PIC_OK;
}

void fillInfo(const unsigned char *header, picInfo *info)
{
	memcpy(info->comment, header + sc_commentAt, PIC_COMMENT_BYTES);
	info->comment[PIC_COMMENT_BYTES] = '\0';
	info->version = ucharToFloat(header + sc_versionAt);
	info->ratio = ucharToFloat(header + sc_ratioAt);
	info->fields = ucharToShort(header + sc_fieldsAt);
}

// Appends a repeat run of length copies of an n-byte pixel with a 16-bit
// count.
void appendLongRepeat(std::vector<unsigned char> &out, int length, const unsigned char *pixel, size_t n)
{
	unsigned char count[sc_repeatCountBytes];
	shortToUchar((uint16_t)length, count);
	out.push_back((unsigned char)sc_longRepeat);
	out.insert(out.end(), count, count + sc_repeatCountBytes);
	out.insert(out.end(), pixel, pixel + n);
}

// Appends a repeat run, told by the count byte alone when it is short enough.
void appendRepeat(std::vector<unsigned char> &out, int length, const unsigned char *pixel, size_t n)
{
	if (length > sc_maxShortRepeat) return appendLongRepeat(out, length, pixel, n);
	out.push_back((unsigned char)(length + sc_repeatBias));
	out.insert(out.end(), pixel, pixel + n);
}

// Appends the runs of one row of width RGB pixels; reads nothing beyond the
// row.
void encodeRow(const unsigned char *row, int width, std::vector<unsigned char> &out)
{
	const int n = sc_rgbChannels;
	auto same = [row](int a, int b) { return memcmp(row + n * a, row + n * b, n) == 0; };
	for (int x = 0; x < width;) {
		// two equal pixels start a repeat run, extended while the pixel stays
		if (x + 1 < width && same(x, x + 1)) {
			int length = 2;
			while (x + length < width && same(x, x + length)) length++;
			appendRepeat(out, length, row + n * x, n);
			x += length;
			continue;
		}
		// else a raw run, until the next pixel equals the last one taken; the
		// row's last pixel on its own becomes a raw run of one
		int length = 1;
		while (length < sc_maxRawRun && x + length < width && !same(x + length, x + length - 1)) length++;
		out.push_back((unsigned char)(length - 1));
		out.insert(out.end(), row + n * x, row + n * (x + length));
		x += length;
	}
}

// The header and the two packets of a file the writer makes.
std::vector<unsigned char> writerHeader(int width, int height)
{
	std::vector<unsigned char> h(sc_headerBytes, 0);
	intToUchar(sc_magic, &h[sc_magicAt]);
	floatToUchar(sc_writerVersion, &h[sc_versionAt]);
	memcpy(&h[sc_commentAt], sc_writerComment, sizeof(sc_writerComment));
	memcpy(&h[sc_pictAt], sc_pict, sc_pictBytes);
	shortToUchar((uint16_t)width, &h[sc_widthAt]);
	shortToUchar((uint16_t)height, &h[sc_heightAt]);
	floatToUchar(sc_writerRatio, &h[sc_ratioAt]);
	// fields and padding stay 0
	const unsigned char packets[] = {
		sc_morePackets, sc_bitsPerChannel, sc_mixedRunLength, sc_maskRGB,
		sc_lastPacket, sc_bitsPerChannel, sc_mixedRunLength, sc_maskAlpha};
	h.insert(h.end(), packets, packets + sizeof(packets));
	return h;
}

bool writeAll(FILE *file, const std::vector<unsigned char> &bytes)
{
	return fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

// Writes the header and every row: its colour runs, then its alpha as one
// long opaque repeat run.
bool writeImage(FILE *file, const unsigned char *rgb, int width, int height)
{
	if (!writeAll(file, writerHeader(width, height))) return false;
	const size_t stride = (size_t)width * sc_rgbChannels;
	std::vector<unsigned char> out;
	for (int y = 0; y < height; y++) {
		out.clear();
		encodeRow(rgb + (size_t)y * stride, width, out);
		appendLongRepeat(out, width, &sc_opaque, sc_alphaChannels);
		if (!writeAll(file, out)) return false;
	}
	return true;
}

} // namespace

int loadSoftPICEx(const unsigned char *data, int size, unsigned char **pixels, int *width, int *height,
		int flags, picInfo *info)
{
	if (data == nullptr || width == nullptr || height == nullptr) return PIC_FAILED;
	if (size < (int)sc_headerBytes) return PIC_TRUNCATED;
	if (ucharToInt(data + sc_magicAt) != sc_magic) return PIC_BAD_FORMAT;
	if (memcmp(data + sc_pictAt, sc_pict, sc_pictBytes) != 0) return PIC_BAD_FORMAT;
	int w = ucharToShort(data + sc_widthAt), h = ucharToShort(data + sc_heightAt);
	// an image of no pixels is nothing a caller can use
	if (w == 0 || h == 0) return PIC_BAD_FORMAT;
	*width = w;
	*height = h;
	if (info != nullptr) fillInfo(data, info);

	reader_s in{data + sc_headerBytes, data + size};
	layout_s layout;
	int result = readPackets(in, layout);
	if (result != PIC_OK || pixels == nullptr) return result;
	return decodeImage(in, layout, w, h, flags, pixels);
}

int loadSoftPIC(const char *filename, unsigned char **pixels, int *width, int *height, int flags,
		picInfo *info)
{
	if (filename == nullptr) return PIC_FAILED;
	std::string why;
	FILE *file = u_openRegularFile(filename, why);
	if (file == nullptr) {
		printf("loadSoftPIC(): Could not read %s\n", filename);
		return PIC_CANNOT_OPEN;
	}
	int length = fileLength(file);
	// one byte more, so that an empty file still gets a buffer
	unsigned char *data = length < 0 ? nullptr : (unsigned char *)malloc((size_t)length + 1);
	bool whole = data != nullptr && fread(data, 1, (size_t)length, file) == (size_t)length;
	fclose(file);
	if (length >= 0 && data == nullptr) printf("loadSoftPIC(): memory allocation error\n");
	int result = whole ? loadSoftPICEx(data, length, pixels, width, height, flags, info) : PIC_FAILED;
	free(data);
	return result;
}

int saveSoftPIC(const char *filename, const unsigned char *rgb, int width, int height)
{
	if (filename == nullptr || rgb == nullptr) return PIC_FAILED;
	if (width <= 0 || height <= 0 || width > sc_maxSide || height > sc_maxSide) return PIC_FAILED;
	std::string why;
	FILE *file = u_createRegularFile(filename, "wb", why);
	if (file == nullptr) {
		printf("saveSoftPIC(): Could not create %s\n", filename);
		return PIC_CANNOT_OPEN;
	}
	bool written = writeImage(file, rgb, width, height);
	// a file that cannot be completed on disk is a failed write
	if (fclose(file) != 0) written = false;
	return written ? PIC_OK : PIC_WRITE_ERROR;
}

uint32_t ucharToInt(const unsigned char *bytes)
{
	return (uint32_t)bytes[0] << 24 | (uint32_t)bytes[1] << 16 | (uint32_t)bytes[2] << 8 | bytes[3];
}

uint16_t ucharToShort(const unsigned char *bytes)
{
	return (uint16_t)(bytes[0] << 8 | bytes[1]);
}

float ucharToFloat(const unsigned char *bytes)
{
	uint32_t bits = ucharToInt(bytes);
	float value;
	memcpy(&value, &bits, sizeof(value));
	return value;
}

void intToUchar(uint32_t value, unsigned char *bytes)
{
	for (int i = 0; i < 4; i++) bytes[i] = (unsigned char)(value >> (24 - 8 * i));
}

void shortToUchar(uint16_t value, unsigned char *bytes)
{
	bytes[0] = (unsigned char)(value >> 8);
	bytes[1] = (unsigned char)value;
}

void floatToUchar(float value, unsigned char *bytes)
{
	uint32_t bits;
	memcpy(&bits, &value, sizeof(bits));
	intToUchar(bits, bytes);
}
