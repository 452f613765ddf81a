#include "support/glcontext.h"

#include <GL/glx.h>

struct glTestContext::glx_s {
	Display *display = nullptr;
	GLXPbuffer pbuffer = 0;
	GLXContext context = nullptr;
};

glTestContext::glTestContext(int width, int height)
	: m_glx(new glx_s), m_width(width), m_height(height)
{
	m_glx->display = XOpenDisplay(nullptr);
	if (m_glx->display == nullptr) return;
	const int configAttributes[] = {GLX_DRAWABLE_TYPE, GLX_PBUFFER_BIT, GLX_RENDER_TYPE, GLX_RGBA_BIT,
			GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8, GLX_DEPTH_SIZE, 16, None};
	int count = 0;
	GLXFBConfig *configs = glXChooseFBConfig(m_glx->display, DefaultScreen(m_glx->display),
			configAttributes, &count);
	if (configs == nullptr || count == 0) return;
	const int bufferAttributes[] = {GLX_PBUFFER_WIDTH, width, GLX_PBUFFER_HEIGHT, height, None};
	m_glx->pbuffer = glXCreatePbuffer(m_glx->display, configs[0], bufferAttributes);
	m_glx->context = glXCreateNewContext(m_glx->display, configs[0], GLX_RGBA_TYPE, nullptr, True);
	XFree(configs);
	if (m_glx->pbuffer == 0 || m_glx->context == nullptr) return;
	m_ok = glXMakeContextCurrent(m_glx->display, m_glx->pbuffer, m_glx->pbuffer, m_glx->context);
	if (m_ok) glViewport(0, 0, width, height);
}

glTestContext::~glTestContext()
{
	if (m_glx->display != nullptr) {
		glXMakeContextCurrent(m_glx->display, None, None, nullptr);
		if (m_glx->context != nullptr) glXDestroyContext(m_glx->display, m_glx->context);
		if (m_glx->pbuffer != 0) glXDestroyPbuffer(m_glx->display, m_glx->pbuffer);
		XCloseDisplay(m_glx->display);
	}
	delete m_glx;
}

void glTestContext::pixelProjection() const
{
	glMatrixMode(GL_PROJECTION);
	glLoadIdentity();
	glOrtho(0, m_width, 0, m_height, -1, 1);
	glMatrixMode(GL_MODELVIEW);
	glLoadIdentity();
}

std::vector<unsigned char> glTestContext::readRGB() const
{
	std::vector<unsigned char> rgb((size_t)m_width * m_height * 3);
	glPixelStorei(GL_PACK_ALIGNMENT, 1);
	glReadPixels(0, 0, m_width, m_height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
	return rgb;
}
