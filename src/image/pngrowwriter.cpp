#include "image/pngrowwriter.h"

#include <cerrno>
#include <csetjmp>
#include <cstring>
#include <string>
#include <vector>

#include "os/osdep.h"

namespace {

// Bytes a pixel: red, green, blue.
constexpr size_t sc_bytesPerPixel = 3;

// The steps that libpng may abandon, each under a recovery point of its
// own.  Nothing in these frames needs destroying, so a jump back over them
// loses nothing.
int writeHeader(png_structp png, png_infop info, FILE *file, int width, int height)
{
	if (setjmp(png_jmpbuf(png))) return -1;
	png_init_io(png, file);
	png_set_IHDR(png, info, (png_uint_32)width, (png_uint_32)height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
	             PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
	png_write_info(png, info);
	return 0;
}

int writeRowPointers(png_structp png, png_bytepp rows, int n)
{
	if (setjmp(png_jmpbuf(png))) return -1;
	png_write_rows(png, rows, (png_uint_32)n);
	return 0;
}

int writeEnd(png_structp png, png_infop info)
{
	if (setjmp(png_jmpbuf(png))) return -1;
	png_write_end(png, info);
	return 0;
}

} // namespace

pngRowWriter::~pngRowWriter() { close(); }

void pngRowWriter::onError(png_structp png, png_const_charp message)
{
	pngRowWriter *writer = static_cast<pngRowWriter *>(png_get_error_ptr(png));
	if (writer != nullptr) writer->m_error = message != nullptr ? message : "";
	png_longjmp(png, 1);
}

pngRowWriter::openResult pngRowWriter::open(const char *filename, int width, int height)
{
	close();
	m_error.clear();
	// nothing but a regular file: a pipe would hold the program, a device
	// would take the image as if it were saved
	std::string why;
	m_file = u_createRegularFile(filename, "wb+", why);
	if (m_file == nullptr) {
		m_error = why;
		return OPEN_NO_FILE;
	}
	m_png = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, onError, nullptr);
	if (m_png == nullptr) {
		close();
		return OPEN_NO_PNG_STRUCT;
	}
	m_info = png_create_info_struct(m_png);
	if (m_info == nullptr) {
		close();
		return OPEN_NO_INFO_STRUCT;
	}
	m_width = width;
	if (writeHeader(m_png, m_info, m_file, width, height) != 0) {
		close();
		return OPEN_WRITE_FAILED;
	}
	return OPEN_OK;
}

int pngRowWriter::writeRows(const unsigned char *rows, int n)
{
	if (m_png == nullptr) return -1;
	std::vector<png_bytep> pointers((size_t)n);
	const size_t stride = (size_t)m_width * sc_bytesPerPixel;
	for (int i = 0; i < n; i++) pointers[(size_t)i] = const_cast<png_bytep>(rows + (size_t)i * stride);
	if (writeRowPointers(m_png, pointers.data(), n) == 0) return 0;
	close();
	return -1;
}

int pngRowWriter::finish()
{
	if (m_png == nullptr) return -1;
	const bool ended = writeEnd(m_png, m_info) == 0;
	// what stdio still held must reach the disk too
	const bool closed = close();
	if (ended && !closed) m_error = std::strerror(errno);
	return ended && closed ? 0 : -1;
}

bool pngRowWriter::close()
{
	if (m_png != nullptr) png_destroy_write_struct(&m_png, m_info != nullptr ? &m_info : nullptr);
	m_png = nullptr;
	m_info = nullptr;
	bool ok = true;
	if (m_file != nullptr) ok = std::fclose(m_file) == 0;
	m_file = nullptr;
	return ok;
}
