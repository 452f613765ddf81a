#pragma once
// Reading SoftImage PIC images into RGB, alpha or RGBA byte buffers, and
// writing RGB buffers as PIC files.
//
// A file is a 104-byte big-endian header, up to two channel packets (8-bit
// mixed run-length RGB or alpha) and, for every row from the top, one
// run-length encoded run per packet.  Output buffers hold the channels of a
// pixel one after the other (red, green, blue, alpha), rows from the top,
// nothing between rows.
#include <cstdint>

// Bits of the loaders' flags.
// The red, green and blue channels are wanted.
constexpr int LOADPIC_RGB = 1;
// The alpha channel is wanted.
constexpr int LOADPIC_ALPHA = 2;
// The caller supplies the output buffer through *pixels, at least width *
// height * (the bytes of a pixel) bytes; clear, the loader allocates it with
// malloc and the caller frees it.
constexpr int LOADPIC_CALLER_BUFFER = 4;

// Results of the loaders and the writer.
constexpr int PIC_OK = 0;
// A null argument, a size the output cannot hold, or memory or a read failed.
constexpr int PIC_FAILED = -1;
// The file cannot be opened or created.
constexpr int PIC_CANNOT_OPEN = -2;
// The data ends early: within the header, before the last packet, or within
// the pixel runs.
constexpr int PIC_TRUNCATED = -3;
// Not a PIC image this reader handles, or pixel runs that break their rows.
constexpr int PIC_BAD_FORMAT = -4;
// Writing or closing the file failed.
constexpr int PIC_WRITE_ERROR = -7;

// Bytes of the comment field of the header.
constexpr int PIC_COMMENT_BYTES = 80;

// What the header says besides the size.
struct picInfo {
	char comment[PIC_COMMENT_BYTES + 1]; // always zero-terminated
	float version;
	float ratio; // pixel aspect ratio
	int fields;
};

// Reads a whole PIC file into memory and decodes it with loadSoftPICEx.
// PIC_CANNOT_OPEN when the file cannot be opened, PIC_FAILED when it cannot
// be read whole or memory fails, else the result of loadSoftPICEx.
int loadSoftPIC(const char *filename, unsigned char **pixels, int *width, int *height, int flags,
		picInfo *info);

// Decodes size bytes of a PIC file.  Width, height and info (when not null)
// are filled once the header has passed its checks, before the packets are
// read; with pixels null nothing more than the header and the packets is
// read.  The output has 3 (RGB), 1 (alpha) or 4 (RGBA) bytes a pixel: the
// channel groups that are both asked for by the flags and present in the
// file.  Asking for no group the file has is PIC_BAD_FORMAT.  On any failure
// *pixels is left unchanged.
int loadSoftPICEx(const unsigned char *data, int size, unsigned char **pixels, int *width, int *height,
		int flags, picInfo *info);

// Writes width * height RGB pixels (stride width * 3, first row at the top)
// as a PIC file with an RGB and an opaque alpha packet.  PIC_FAILED for a
// null argument or a size outside 1 to 65535, PIC_CANNOT_OPEN when the file
// cannot be created, PIC_WRITE_ERROR when writing or closing it fails.
int saveSoftPIC(const char *filename, const unsigned char *rgb, int width, int height);

// Big-endian numbers in bytes: 32-bit, 16-bit and IEEE single float.
uint32_t ucharToInt(const unsigned char *bytes);
uint16_t ucharToShort(const unsigned char *bytes);
float ucharToFloat(const unsigned char *bytes);
void intToUchar(uint32_t value, unsigned char *bytes);
void shortToUchar(uint16_t value, unsigned char *bytes);
void floatToUchar(float value, unsigned char *bytes);
