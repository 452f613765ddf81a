// The view's projections (perspective, also per screenshot tile, and window
// pixels), the largest view the GL serves, the eye transform and the world
// vector of a window motion.
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "draw/geomutil.h"
#include "view/glwindow.h"
#include "ui/ui.h"

int glwindow::s_glMaxViewportSide = 0;

int glwindow::maxSide()
{
	return s_glMaxViewportSide > 0 ? std::min(s_glMaxViewportSide, sc_maxSide) : sc_maxSide;
}

void glwindow::setupViewport()
{
	GLint dims[2] = {0, 0};
	glGetIntegerv(GL_MAX_VIEWPORT_DIMS, dims);
	if (dims[0] > 0 && dims[1] > 0) s_glMaxViewportSide = std::min(dims[0], dims[1]);
	glMatrixMode(GL_MODELVIEW);
	glLoadIdentity();
	setup3DProjection();
	glEnable(GL_DEPTH_TEST);
	glDepthFunc(GL_LEQUAL);
}

namespace {

// The pick region, when one is set, narrows the projection to it.
void applyPickMatrix(const int *pick)
{
	if (pick[0] < 0 || pick[1] < 0) return;
	GLint viewport[4];
	glGetIntegerv(GL_VIEWPORT, viewport);
	gluPickMatrix(pick[0], pick[1], 2 * pick[2] + 1, 2 * pick[3] + 1, viewport);
}

} // namespace

void glwindow::setup3DProjection()
{
	// the sizes: of the window, or of the current tile and the whole screenshot
	int viewportWidth = w(), viewportHeight = h();
	double W = w(), H = h(), s = sc_pixelsPerNearUnit;
	if (m_screenShotActive && gui_state != nullptr) {
		// a window of no area gives no scale for the screenshot to keep
		if (w() <= 0 || h() <= 0) return;
		viewportWidth = m_ssViewportWidth;
		viewportHeight = m_ssViewportHeight;
		W = gui_state->m_ssWidth;
		H = gui_state->m_ssHeight;
		// the whole screenshot sees the area of the scene the window sees
		s = sc_pixelsPerNearUnit * std::sqrt((W * H) / ((double)w() * h()));
	} else {
		m_ssStartX = m_ssStartY = 0.0;
		m_ssEndX = m_ssEndY = 1.0;
	}
	if (W <= 0.0 || H <= 0.0) return;

	glViewport(0, 0, viewportWidth, viewportHeight);
	glMatrixMode(GL_PROJECTION);
	glLoadIdentity();
	applyPickMatrix(m_pick);
	m_frustumFar = sc_far;
	m_frustumNear = sc_near;
	m_frustumWidth = W / s;
	m_frustumHeight = H / s;
	// the tile's part of the whole image's frustum
	glFrustum(m_frustumWidth * (m_ssStartX - 0.5), m_frustumWidth * (m_ssEndX - 0.5),
	          m_frustumHeight * (m_ssStartY - 0.5), m_frustumHeight * (m_ssEndY - 0.5), sc_near, sc_far);
	glMatrixMode(GL_MODELVIEW);
}

void glwindow::setup2DOrtho()
{
	glMatrixMode(GL_MODELVIEW);
	glLoadIdentity();
	glMatrixMode(GL_PROJECTION);
	glLoadIdentity();
	applyPickMatrix(m_pick);
	double W = w(), H = h();
	if (m_screenShotActive && gui_state != nullptr) {
		W = gui_state->m_ssWidth;
		H = gui_state->m_ssHeight;
	} else {
		m_ssStartX = m_ssStartY = 0.0;
		m_ssEndX = m_ssEndY = 1.0;
	}
	glOrtho(W * m_ssStartX, W * m_ssEndX, H * m_ssStartY, H * m_ssEndY, sc_orthoNear, sc_orthoFar);
	m_frustumWidth = m_frustumHeight = m_frustumNear = m_frustumFar = -1.0;
	glMatrixMode(GL_MODELVIEW);
}

void glwindow::setupEyeTransform()
{
	glMatrixMode(GL_MODELVIEW);
	glLoadIdentity();
	const double *p = getCamPos().coordinates(2);
	glTranslated(-p[0], -p[1], -p[2]);
	float rotation[16];
	e3gaRotorToOpenGLMatrix(getCamOri(), rotation);
	glMultMatrixf(rotation);
}

void glwindow::pushTransform()
{
	glMatrixMode(GL_MODELVIEW);
	glPushMatrix();
	glMatrixMode(GL_PROJECTION);
	glPushMatrix();
	glMatrixMode(GL_MODELVIEW);
}

void glwindow::popTransform()
{
	glMatrixMode(GL_PROJECTION);
	glPopMatrix();
	glMatrixMode(GL_MODELVIEW);
	glPopMatrix();
}

int glwindow::vectorAtDepth(double depth, double vx, double vy, e3ga &v) const
{
	if (m_frustumWidth <= 0.0 || m_frustumHeight <= 0.0 || m_frustumNear <= 0.0 || m_frustumFar <= 0.0 || w() <= 0 ||
	    h() <= 0) {
		v = 0.0;
		return -1;
	}
	// the motion in eye space: the frustum's size at that depth per pixel
	double x = vx * depth * m_frustumWidth / (m_frustumNear * w());
	double y = vy * depth * m_frustumHeight / (m_frustumNear * h());
	e3ga u(2, x, y, 0.0);
	// back to the world: undo the camera's turn
	const e3ga &R = getCamOri();
	v = gp(gp(R.inverse(), u), R).grade(2);
	return 0;
}
