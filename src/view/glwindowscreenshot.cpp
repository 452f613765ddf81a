// Screenshots of any size: the view renders the image in tiles of at most its
// own size, assembled band by band (a row of tiles) and streamed to a PNG
// file, so that memory holds one band and one tile whatever the image's size.
#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <system_error>

#include <strings.h>

#include "view/glwindow.h"
#include "os/osdep.h"
#include "image/pngrowwriter.h"
#include "image/pngwrapper.h"
#include "ui/ui.h"

namespace {

// Bytes a pixel: red, green, blue.
constexpr int sc_bytesPerPixel = 3;
// Tiles are a multiple of this many pixels wide, so that every row read back
// is a whole number of 4-byte words.
constexpr int sc_tileWidthMultiple = 4;
// The part of a file's name before which the second file's mark goes.
const char *const c_pngEnding = ".png";
// The mark of the file without labels.
const char *const c_withoutLabelsMark = "_wol";

// A whole multiple of sc_tileWidthMultiple, rounded down.
int cutToTileMultiple(int n) { return n - n % sc_tileWidthMultiple; }

// The tiles of a W x H image drawn in a view of vw x vh pixels.
struct tiling_s {
	int nx, ny;          // tiles across and down
	int tileW, tileH;    // a tile's size
	int imageW, imageH;  // the image: whole tiles, so perhaps a little smaller than asked
};

// False when the view or the image is too small to make a tile of.
bool tile(int W, int H, int viewW, int viewH, tiling_s &t)
{
	const int vw = cutToTileMultiple(viewW);
	if (vw < sc_tileWidthMultiple || viewH < 1 || W < 1 || H < 1) return false;
	t.nx = (W + vw - 1) / vw;
	t.ny = (H + viewH - 1) / viewH;
	t.tileH = H / t.ny;
	t.tileW = cutToTileMultiple(W / t.nx);
	t.imageW = t.nx * t.tileW;
	t.imageH = t.ny * t.tileH;
	return t.tileW > 0 && t.tileH > 0;
}

} // namespace

std::string screenShotNameWithoutLabels(const std::string &filename)
{
	// the ending of the file's own name, not a ".png" in a directory's; in
	// any case, as every extension the program goes by, and kept as written
	const size_t base = filename.find_last_of('/') == std::string::npos ? 0 : filename.find_last_of('/') + 1;
	const size_t ending = std::strlen(c_pngEnding);
	if (filename.size() - base >= ending && strcasecmp(filename.c_str() + filename.size() - ending, c_pngEnding) == 0)
		return filename.substr(0, filename.size() - ending) + c_withoutLabelsMark + filename.substr(filename.size() - ending);
	return filename + c_withoutLabelsMark;
}

std::string whyNoScreenShotIn(const std::string &name)
{
	const std::string why = u_whyNotWritable(name.c_str());
	if (!why.empty()) return why;
	// a scene or a text under that name is the user's work, which the image
	// would destroy; a former image, or an empty file, holds nothing lost
	std::error_code error;
	if (!std::filesystem::exists(name, error) || std::filesystem::file_size(name, error) == 0) return "";
	std::string notPNG;
	return isPNGFile(name.c_str(), notPNG) ? "" : notPNG;
}

int glwindow::performScreenShot()
{
	UIstate *ui = gui_state;
	if (ui == nullptr) return -1;
	// 1. the request is taken; what the second pass changes is restored below
	ui->m_screenShotOnNextRedraw = 0;
	m_screenShotActive = true;
	const double textScale = ui->m_textScale;
	const std::string filename = ui->m_ssFilename;
	int result = writeScreenShot(filename);
	// 7. the same view without labels: text of no size
	if (result == 0 && ui->m_ssAlsoNoLabels) {
		ui->setTextScale(0.0);
		result = writeScreenShot(screenShotNameWithoutLabels(filename));
	}
	// 8. back to the window
	ui->setTextScale(textScale);
	m_screenShotActive = false;
	return result;
}

int glwindow::writeScreenShot(const std::string &filename)
{
	// 2. tiles of the view's size at most
	tiling_s t;
	if (!tile(gui_state->m_ssWidth, gui_state->m_ssHeight, w(), h(), t)) {
		cprintf("glwindow::performScreenShot(): Can not take a %d x %d screenshot from a %d x %d view\n",
		        gui_state->m_ssWidth, gui_state->m_ssHeight, w(), h());
		return -1;
	}

	// 3. one band and one tile
	const size_t bandBytes = (size_t)t.imageW * t.tileH * sc_bytesPerPixel;
	const size_t tileBytes = (size_t)t.tileW * t.tileH * sc_bytesPerPixel;
	std::unique_ptr<unsigned char[]> band(new (std::nothrow) unsigned char[bandBytes]);
	std::unique_ptr<unsigned char[]> tilePixels(new (std::nothrow) unsigned char[tileBytes]);
	if (band == nullptr || tilePixels == nullptr) {
		cprintf("glwindow::performScreenShot(): Could not allocate %d bytes for screenshot\n",
		        (int)(bandBytes + tileBytes));
		return -1;
	}

	// 4. the file and its header; what came in the name's place since the
	// request is left alone
	const std::string why = whyNoScreenShotIn(filename);
	if (!why.empty()) {
		cprintf("Screenshot not taken: %s\n", u_quotedIs(filename.c_str(), why).c_str());
		return -1;
	}
	pngRowWriter png;
	switch (png.open(filename.c_str(), t.imageW, t.imageH)) {
	case pngRowWriter::OPEN_OK: break;
	case pngRowWriter::OPEN_NO_FILE:
		if (u_whyTellsWhatItIs(png.error()))
			cprintf("Screenshot not taken: %s\n", u_quotedIs(filename.c_str(), png.error()).c_str());
		else
			cprintf("glwindow::performScreenShot(): Could not create %s\n",
			        u_quotedWithWhy(filename.c_str(), png.error()).c_str());
		return -1;
	case pngRowWriter::OPEN_NO_PNG_STRUCT:
		cprintf("glwindow::performScreenShot(): Could not create png struct\n");
		return -1;
	case pngRowWriter::OPEN_NO_INFO_STRUCT:
		cprintf("glwindow::performScreenShot(): Could not create png info struct\n");
		return -1;
	case pngRowWriter::OPEN_WRITE_FAILED:
		cprintf("glwindow::performScreenShot(): Could not write %s: %s\n", filename.c_str(), png.error().c_str());
		return -1;
	}

	// said once the file is there: a screenshot that cannot be written says
	// so instead
	cprintf("Screenshot: size: %d x %d\nFile: %s\n", t.imageW, t.imageH, filename.c_str());

	// 5. tile by tile from the top left; each finished band goes to the file
	const int nbTiles = t.nx * t.ny;
	const size_t tileRowBytes = (size_t)t.tileW * sc_bytesPerPixel;
	const size_t bandRowBytes = (size_t)t.imageW * sc_bytesPerPixel;
	m_ssViewportWidth = t.tileW;
	m_ssViewportHeight = t.tileH;
	for (int k = 0; k < nbTiles; k++) {
		const int r = k / t.nx, c = k % t.nx;
		// progress, seen as it happens
		std::printf("Rendering tile %d / %d\n", k + 1, nbTiles);
		std::fflush(stdout);
		m_ssStartX = (double)c / t.nx;
		m_ssEndX = (double)(c + 1) / t.nx;
		m_ssStartY = (double)(t.ny - r - 1) / t.ny;
		m_ssEndY = (double)(t.ny - r) / t.ny;
		drawScene();
		glPixelStorei(GL_PACK_ALIGNMENT, 1);
		glReadBuffer(GL_BACK);
		glReadPixels(0, 0, t.tileW, t.tileH, GL_RGB, GL_UNSIGNED_BYTE, tilePixels.get());
		// OpenGL's rows run bottom to top, the file's top to bottom
		for (int y = 0; y < t.tileH; y++)
			std::memcpy(band.get() + (size_t)(t.tileH - 1 - y) * bandRowBytes + (size_t)c * tileRowBytes,
			            tilePixels.get() + (size_t)y * tileRowBytes, tileRowBytes);
		if (c != t.nx - 1) continue;
		std::printf("Writing row %d to png\n", t.ny - r - 1);
		std::fflush(stdout);
		if (png.writeRows(band.get(), t.tileH) != 0) {
			cprintf("glwindow::performScreenShot(): Could not write %s: %s\n", filename.c_str(), png.error().c_str());
			return -1;
		}
	}

	// 6. the end of the image
	if (png.finish() != 0) {
		cprintf("glwindow::performScreenShot(): Could not write %s: %s\n", filename.c_str(), png.error().c_str());
		return -1;
	}
	return 0;
}
