#pragma once
// Reading PNG images, from a file or from memory, into plain 8-bit RGB pixel
// buffers, and writing such a buffer as a PNG file.
//
// A pixel buffer holds three bytes a pixel (red, green, blue), rows from the
// top of the image, each row width * 3 bytes with nothing between rows.
//
// Every function returns 0 on success and -1 on failure, a damaged image
// included: libpng's errors end in a -1, never in the end of the program.
#include <png.h>

#include <string>

// Bit of the loaders' flags: the caller supplies the pixel buffer (at least
// width * height * 3 bytes) through *pixels; clear, the loader allocates it
// with malloc and the caller frees it.
constexpr int LOADPNG_CALLER_BUFFER = 1;

// Reads a PNG file.  With pixels null only width and height are filled.  On
// failure *pixels is left unchanged, and *why (when given) says why, as
// u_openRegularFile does, or c_notPNGImage, or c_damagedPNGImage.
int loadPNG(const char *filename, unsigned char **pixels, int *width, int *height, int flags,
		std::string *why = nullptr);

// What a file holds instead of a PNG image, said after its name.
constexpr const char *c_notPNGImage = "is not a PNG image";
// A file that begins as a PNG image and cannot be decoded to its end.
constexpr const char *c_damagedPNGImage = "is a damaged PNG image";

// Whether the file of name begins with the signature of PNG images; else
// false with why: c_notPNGImage, or why it cannot be read.
bool isPNGFile(const char *name, std::string &why);

// The same from size bytes of memory.
int loadPNGEx(const void *data, int size, unsigned char **pixels, int *width, int *height, int flags);

// Writes width * height RGB pixels as an 8-bit RGB, non-interlaced PNG with
// default compression and filtering.  Backslashes in the name are turned into
// slashes first.
int savePNG(const char *filename, const unsigned char *rgb, int width, int height);

// Creates libpng's read structure and its two info structures; on failure
// prints a message naming the caller and frees what it made.
int loadPNGSetup(const char *caller, png_structp *png, png_infop *info, png_infop *endInfo);

// Decodes an image whose header has been read into RGB pixels, as the
// loaders describe.  Runs under the caller's libpng recovery point, so it
// frees nothing itself: *allocated holds the pixel buffer it allocated until
// it hands it over through *pixels, *rows the row pointers; the caller frees
// both when the result is not 0 (libpng giving up midway included), and the
// rows always.
int loadPNGDecode(const char *caller, png_structp png, png_infop info, png_infop endInfo,
		unsigned char **pixels, int *width, int *height, int flags,
		unsigned char **allocated, png_bytep **rows);

// Memory input of loadPNGEx: the data, its size and the read position.
struct pngMemoryReader_s {
	const unsigned char *data;
	size_t size;
	size_t pos;
	bool padded; // a request has run past the end
};

// libpng's read callback over a pngMemoryReader_s: the first request that
// runs past the end gets the remaining bytes and zeros, with a message; any
// later one is a libpng error.
void loadPNGEx_user_read_data(png_structp png, png_bytep out, png_size_t length);

// Replaces every backslash of name by a slash, in place.
void pngConvertFilename(char *name);

// 1 when n is a power of two, else 0 (also for n <= 0).
int pngCheckPow2(int n);
