#include "image/pngwrapper.h"

#include <climits>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "os/osdep.h"

// Largest pixel buffer the loaders produce: callers size textures and copy
// rows with int arithmetic, so width * height * 3 must stay within an int.
constexpr size_t sc_maxPixelBytes = INT_MAX;

// Bytes a pixel of the RGB buffers.
constexpr size_t sc_bytesPerPixel = 3;

namespace {

// The bytes that begin every PNG image.
constexpr int sc_signatureBytes = 8;

// Whether the file, at its start, begins with the signature of PNG images;
// it is left after the signature.
bool hasSignature(FILE *file)
{
	png_byte signature[sc_signatureBytes];
	return fread(signature, 1, sizeof signature, file) == sizeof signature &&
	       png_sig_cmp(signature, 0, sizeof signature) == 0;
}

// Everything one read needs, kept outside the frame that sets libpng's
// recovery point so that nothing in it is lost when libpng jumps back.
struct readJob_s {
	const char *caller;
	png_structp png;
	png_infop info;
	png_infop endInfo;
	unsigned char **pixels;
	int *width;
	int *height;
	int flags;
	unsigned char *allocated;
	png_bytep *rows;
};

// Reads the header and decodes; libpng's errors come back here as -1.
int readUnderRecoveryPoint(readJob_s *job)
{
	if (setjmp(png_jmpbuf(job->png))) return -1;
	png_read_info(job->png, job->info);
	return loadPNGDecode(job->caller, job->png, job->info, job->endInfo, job->pixels,
			job->width, job->height, job->flags, &job->allocated, &job->rows);
}

// Reads with a set-up job and releases everything the read made.
int readImage(readJob_s &job)
{
	int result = readUnderRecoveryPoint(&job);
	free(job.rows);
	if (result != 0) free(job.allocated);
	png_destroy_read_struct(&job.png, &job.info, &job.endInfo);
	return result;
}

readJob_s makeJob(const char *caller, unsigned char **pixels, int *width, int *height, int flags)
{
	return readJob_s{caller, nullptr, nullptr, nullptr, pixels, width, height, flags, nullptr, nullptr};
}

// Everything one write needs, kept outside the frame of the recovery point.
struct writeJob_s {
	png_structp png;
	png_infop info;
	FILE *file;
	const unsigned char *rgb;
	int width;
	int height;
};

// Writes the whole image; libpng's errors come back here as -1.
int writeUnderRecoveryPoint(writeJob_s *job)
{
	if (setjmp(png_jmpbuf(job->png))) return -1;
	png_init_io(job->png, job->file);
	png_set_IHDR(job->png, job->info, (png_uint_32)job->width, (png_uint_32)job->height, 8,
			PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
			PNG_FILTER_TYPE_DEFAULT);
	png_write_info(job->png, job->info);
	size_t stride = (size_t)job->width * sc_bytesPerPixel;
	for (int y = 0; y < job->height; y++)
		png_write_row(job->png, const_cast<png_bytep>(job->rgb + (size_t)y * stride));
	png_write_end(job->png, job->info);
	return 0;
}

} // namespace

int loadPNGSetup(const char *caller, png_structp *png, png_infop *info, png_infop *endInfo)
{
	*png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
	if (*png == nullptr) {
		printf("%s: Could not create png struct\n", caller);
		return -1;
	}
	*info = png_create_info_struct(*png);
	if (*info == nullptr) {
		printf("%s: Could not create png info struct\n", caller);
		png_destroy_read_struct(png, nullptr, nullptr);
		return -1;
	}
	*endInfo = png_create_info_struct(*png);
	if (*endInfo == nullptr) {
		printf("%s: Could not create png end info struct\n", caller);
		png_destroy_read_struct(png, info, nullptr);
		return -1;
	}
	return 0;
}

int loadPNGDecode(const char *caller, png_structp png, png_infop info, png_infop endInfo,
		unsigned char **pixels, int *width, int *height, int flags,
		unsigned char **allocated, png_bytep **rows)
{
	// libpng refuses dimensions of 0 or above 2^31 - 1, so both fit an int
	png_uint_32 w = png_get_image_width(png, info);
	png_uint_32 h = png_get_image_height(png, info);
	int bitDepth = png_get_bit_depth(png, info);
	int colorType = png_get_color_type(png, info);
	*width = (int)w;
	*height = (int)h;

	// every input becomes 8-bit RGB: palettes expanded, small greys widened,
	// 16-bit samples stripped, grey turned to RGB, alpha dropped
	if (colorType == PNG_COLOR_TYPE_PALETTE && bitDepth <= 8) png_set_palette_to_rgb(png);
	if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
	if (bitDepth == 16) png_set_strip_16(png);
	if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
		png_set_gray_to_rgb(png);
	// expanding a palette turns its transparency chunk into alpha as well
	if ((colorType & PNG_COLOR_MASK_ALPHA) || png_get_valid(png, info, PNG_INFO_tRNS))
		png_set_strip_alpha(png);
	if (pixels == nullptr) return 0;

	png_set_interlace_handling(png);
	png_read_update_info(png, info);
	size_t stride = (size_t)w * sc_bytesPerPixel;
	// the rows are read straight into the buffer, so they must be exactly RGB
	if (png_get_rowbytes(png, info) != stride || png_get_channels(png, info) != 3)
		png_error(png, "unexpected row layout after conversion to RGB");
	if (stride > sc_maxPixelBytes / h) {
		printf("%s: memory allocation error\n", caller);
		return -1;
	}

	unsigned char *buffer = *pixels;
	if ((flags & LOADPNG_CALLER_BUFFER) == 0) {
		buffer = *allocated = (unsigned char *)malloc(stride * h);
		if (buffer == nullptr) {
			printf("%s: memory allocation error\n", caller);
			return -1;
		}
	}
	*rows = (png_bytep *)malloc(sizeof(png_bytep) * h);
	if (*rows == nullptr) {
		printf("%s: memory allocation error\n", caller);
		return -1;
	}
	for (png_uint_32 y = 0; y < h; y++) (*rows)[y] = buffer + (size_t)y * stride;
	png_read_image(png, *rows);
	png_read_end(png, endInfo);

	*pixels = buffer;
	*allocated = nullptr;
	return 0;
}

int loadPNG(const char *filename, unsigned char **pixels, int *width, int *height, int flags, std::string *why)
{
	std::string reason;
	if (why == nullptr) why = &reason;
	why->clear();
	if (filename == nullptr) return -1;
	// nothing but a regular file: a pipe would hold the program at its opening
	FILE *file = u_openRegularFile(filename, *why);
	if (file == nullptr) {
		printf("loadPNG(): Could not read %s\n", filename);
		return -1;
	}
	// a text or another kind of image is told as such, not as damage
	if (!hasSignature(file)) {
		fclose(file);
		*why = c_notPNGImage;
		return -1;
	}
	readJob_s job = makeJob("loadPNG()", pixels, width, height, flags);
	int result = -1;
	if (loadPNGSetup(job.caller, &job.png, &job.info, &job.endInfo) == 0) {
		png_init_io(job.png, file);
		png_set_sig_bytes(job.png, sc_signatureBytes);
		result = readImage(job);
	}
	fclose(file);
	if (result != 0) *why = c_damagedPNGImage;
	return result;
}

bool isPNGFile(const char *name, std::string &why)
{
	FILE *file = u_openRegularFile(name, why);
	if (file == nullptr) return false;
	const bool png = hasSignature(file);
	fclose(file);
	if (!png) why = c_notPNGImage;
	return png;
}

void loadPNGEx_user_read_data(png_structp png, png_bytep out, png_size_t length)
{
	pngMemoryReader_s *reader = (pngMemoryReader_s *)png_get_io_ptr(png);
	size_t available = reader->size - reader->pos;
	// once padded, the data is known to be cut short: a damaged length could
	// otherwise have libpng skip gigabytes of zeros, one message a request
	if (length > available && reader->padded) png_error(png, "read past the end of the data");
	if (length > available) {
		reader->padded = true;
		printf("loadPNGEx_user_read_data(): too much data requested by libpng, padding with 0\n");
		memcpy(out, reader->data + reader->pos, available);
		memset(out + available, 0, length - available);
		reader->pos = reader->size;
		return;
	}
	memcpy(out, reader->data + reader->pos, length);
	reader->pos += length;
}

int loadPNGEx(const void *data, int size, unsigned char **pixels, int *width, int *height, int flags)
{
	if (data == nullptr || size <= 0) return -1;
	pngMemoryReader_s reader{(const unsigned char *)data, (size_t)size, 0, false};
	readJob_s job = makeJob("loadPNGEx()", pixels, width, height, flags);
	if (loadPNGSetup(job.caller, &job.png, &job.info, &job.endInfo) != 0) return -1;
	png_set_read_fn(job.png, &reader, loadPNGEx_user_read_data);
	return readImage(job);
}

int savePNG(const char *filename, const unsigned char *rgb, int width, int height)
{
	if (filename == nullptr || rgb == nullptr || width <= 0 || height <= 0) return -1;
	char *name = strdup(filename);
	if (name == nullptr) return -1;
	pngConvertFilename(name);

	std::string why;
	writeJob_s job{nullptr, nullptr, u_createRegularFile(name, "wb", why), rgb, width, height};
	if (job.file == nullptr) {
		printf("savePNG(): Could not create %s\n", name);
		free(name);
		return -1;
	}
	free(name);
	int result = -1;
	job.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
	if (job.png == nullptr) {
		printf("savePNG(): Could not create png struct\n");
	} else {
		job.info = png_create_info_struct(job.png);
		if (job.info == nullptr)
			printf("Could not create png info struct\n");
		else
			result = writeUnderRecoveryPoint(&job);
		png_destroy_write_struct(&job.png, &job.info);
	}
	// a file that cannot be completed on disk is a failed write
	if (fclose(job.file) != 0) result = -1;
	return result;
}

void pngConvertFilename(char *name)
{
	for (; *name != '\0'; name++)
		if (*name == '\\') *name = '/';
}

int pngCheckPow2(int n)
{
	return n > 0 && (n & (n - 1)) == 0;
}
