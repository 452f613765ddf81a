#pragma once
// pngRowWriter: writes an 8-bit RGB, non-interlaced PNG file a band of rows
// at a time, so that an image need never be whole in memory.  libpng's
// errors (a full disk among them) end the write with -1 and a message in
// error(); they never end the program.
#include <png.h>

#include <cstdio>
#include <string>

class pngRowWriter {
public:
	pngRowWriter() = default;
	// An unfinished file is closed as it stands.
	~pngRowWriter();
	pngRowWriter(const pngRowWriter &) = delete;
	pngRowWriter &operator=(const pngRowWriter &) = delete;

	// What open reports.
	enum openResult { OPEN_OK = 0, OPEN_NO_FILE, OPEN_NO_PNG_STRUCT, OPEN_NO_INFO_STRUCT, OPEN_WRITE_FAILED };
	// Creates the file (or truncates it) and writes the header of a
	// width x height image.  Anything but OPEN_OK leaves nothing open.
	openResult open(const char *filename, int width, int height);
	// The next n rows, top to bottom, each width * 3 bytes with nothing in
	// between.  0, or -1 when the write failed (the file is then closed).
	int writeRows(const unsigned char *rows, int n);
	// Ends the image and closes the file: 0, or -1 when that failed.
	int finish();
	// Why the last write failed.
	const std::string &error() const { return m_error; }

private:
	// libpng's error handler: keeps the message and returns to the
	// recovery point of the call that is running.
	static void onError(png_structp png, png_const_charp message);
	// Frees the libpng structures and closes the file; false when the file
	// could not be completed on disk.
	bool close();

	png_structp m_png = nullptr;
	png_infop m_info = nullptr;
	FILE *m_file = nullptr;
	int m_width = 0;
	std::string m_error;
};
