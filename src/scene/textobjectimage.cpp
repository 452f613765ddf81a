// Image labels: the PNG named by the label's text becomes an RGB texture of
// the next power-of-two size, its padding repeating the image's last column
// and row so that filtering at the edges sees no foreign colour.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "draw/gltexture.h"
#include "view/glwindow.h"
#include "os/osdep.h"
#include "image/pngwrapper.h"
#include "scene/textobject.h"
#include "ui/ui.h"

namespace {

// Bytes of an RGB pixel.
constexpr int sc_rgb = 3;

// The smallest power of two that is at least n (n >= 1).
int nextPowerOfTwo(int n)
{
	int p = 1;
	while (p < n) p *= 2;
	return p;
}

void reportGLError(const char *where)
{
	GLenum err = glGetError();
	if (err != GL_NO_ERROR)
		cprintf("textObject::initImage(): Warning: OpenGL error '%s' (%d) detected (at function %s)\n",
		        (const char *)gluErrorString(err), (int)err, where);
}

// The view whose OpenGL context holds the textures, made current; null when
// there is no view shown yet.
glwindow *currentView()
{
	glwindow *view = gui_state != nullptr ? gui_state->m_glWindow : nullptr;
	if (view == nullptr || !view->shown()) return nullptr;
	view->makeContextCurrent();
	return view;
}

// Spreads w x h pixels at the start of buf (rows packed) over a tw x th
// texture: rows go to the texture's pitch from the last to the first, the
// pixels right of each row repeat its last pixel, the rows below repeat the
// last row.
void padToTexture(unsigned char *buf, int w, int h, int tw, int th)
{
	const size_t rowBytes = (size_t)w * sc_rgb, pitch = (size_t)tw * sc_rgb;
	for (int y = h - 1; y >= 0; y--) {
		unsigned char *row = buf + (size_t)y * pitch;
		std::memmove(row, buf + (size_t)y * rowBytes, rowBytes);
		for (int x = w; x < tw; x++) std::memcpy(row + (size_t)x * sc_rgb, row + (size_t)(w - 1) * sc_rgb, sc_rgb);
	}
	const unsigned char *last = buf + (size_t)(h - 1) * pitch;
	for (int y = h; y < th; y++) std::memcpy(buf + (size_t)y * pitch, last, pitch);
}

} // namespace

int textObject::initImage()
{
	// without a view there is no context for the texture yet: the first
	// draw loads it
	if (currentView() == nullptr) return 0;
	return loadImage();
}

int textObject::loadImage()
{
	reportGLError("entry");
	unsigned char *pixels = nullptr;
	int w = -1, h = -1;
	// a missing file, a pipe (which would hold the program at its opening)
	// or what is no PNG image: the reason it is refused is told
	std::string why;
	if (loadPNG(m_text, &pixels, &w, &h, 0, &why) != 0) {
		cprintf("textObject::initImage(): could not load image %s\n", u_quotedWithWhy(m_text, why).c_str());
		imageFailed();
		return 0;
	}
	m_imageWidth = w;
	m_imageHeight = h;
	GLint maxSize = 0;
	glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
	if (w > maxSize || h > maxSize) {
		cprintf("textObject::initImage(): image too large (%d x %d) to fit into OpenGL texture (max %d x %d)\n", w, h,
		        (int)maxSize, (int)maxSize);
		std::free(pixels);
		imageFailed();
		return 0;
	}

	// the texture: powers of two, the padding repeating the edges
	const int tw = nextPowerOfTwo(w), th = nextPowerOfTwo(h);
	const uint64_t bytes = (uint64_t)tw * (uint64_t)th * sc_rgb;
	unsigned char *texture = bytes <= SIZE_MAX ? (unsigned char *)std::realloc(pixels, (size_t)bytes) : nullptr;
	if (texture == nullptr) {
		cprintf("textObject::initImage(): could not load image '%s'\n", m_text);
		std::free(pixels);
		imageFailed();
		return 0;
	}
	padToTexture(texture, w, h, tw, th);
	m_textureWidth = tw;
	m_textureHeight = th;

	m_textureName = glNewClampedTexture();
	// rows of 1 or 2 pixels are no multiple of 4 bytes
	glUploadPackedRows([&]() {
		glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, tw, th, 0, GL_RGB, GL_UNSIGNED_BYTE, texture);
		return 0;
	});
	std::free(texture);
	reportGLError("exit");
	return 0;
}

void textObject::imageFailed()
{
	freeImage();
	// the label shows the file name as its text
	m_flags &= ~LF_IMAGE;
	m_imageFailed = true;
	m_tsMode = "verbatim";
}

int textObject::freeImage()
{
	// a view whose context is new has forgotten the texture while it was
	// made current: the name is then no longer the label's
	if (m_textureName != NO_TEXTURE && currentView() != nullptr && m_textureName != NO_TEXTURE)
		glDeleteTextures(1, &m_textureName);
	m_imageWidth = m_imageHeight = -1;
	m_textureWidth = m_textureHeight = -1;
	m_textureName = NO_TEXTURE;
	return 0;
}

void textObject::forgetGLObjects()
{
	object::forgetGLObjects();
	// an image label loads its file again when it is drawn next
	m_textureName = NO_TEXTURE;
}
