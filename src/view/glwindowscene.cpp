// The view's drawing pass: clear, lights, stipples, the camera, then every
// visible scene object in ascending order of its draw-sort value.
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "view/glwindow.h"
#include "scene/object.h"
#include "state/state.h"
#include "scene/textobject.h"
#include "typeset/openglfont.h"
#include "ui/ui.h"

namespace {

// Two directional lights fixed to the eye: a main light from the front and a
// weaker one from the right.
const GLfloat c_light0Colour[4] = {0.8f, 0.8f, 0.8f, 1.0f};
const GLfloat c_light0Position[4] = {0.0f, 0.0f, 1.0f, 0.0f};
const GLfloat c_light1Colour[4] = {0.35f, 0.35f, 0.35f, 1.0f};
const GLfloat c_light1Position[4] = {0.7f, 0.0f, 0.7f, 0.0f};

// Line stipple: four pixels on, four off.
constexpr GLushort sc_lineStipple = 0x0F0F;

// Polygon stipple: a checkerboard of 2 x 2 pixel cells (32 x 32 bits, rows
// of four bytes: two rows of 0x33, two of 0xCC, and so on).
struct polygonStipple_s {
	GLubyte bytes[128];
	polygonStipple_s()
	{
		for (int i = 0; i < 128; i++) bytes[i] = (i / 8) % 2 == 0 ? 0x33 : 0xCC;
	}
};
const polygonStipple_s s_polygonStipplePattern;

void setupLights()
{
	glLightfv(GL_LIGHT0, GL_DIFFUSE, c_light0Colour);
	glLightfv(GL_LIGHT0, GL_SPECULAR, c_light0Colour);
	glLightfv(GL_LIGHT1, GL_DIFFUSE, c_light1Colour);
	glLightfv(GL_LIGHT1, GL_SPECULAR, c_light1Colour);
	// positions given in eye space, so the lights turn with the camera
	glMatrixMode(GL_MODELVIEW);
	glLoadIdentity();
	glLightfv(GL_LIGHT0, GL_POSITION, c_light0Position);
	glLightfv(GL_LIGHT1, GL_POSITION, c_light1Position);
}

// Polygon offset of one object: off when its factor is 0.
void setupPolygonOffset(const object *obj)
{
	const GLenum modes[3] = {GL_POLYGON_OFFSET_FILL, GL_POLYGON_OFFSET_LINE, GL_POLYGON_OFFSET_POINT};
	for (GLenum mode : modes) {
		if (obj->m_poFactor == 0.0f) glDisable(mode);
		else glEnable(mode);
	}
	if (obj->m_poFactor != 0.0f) glPolygonOffset(obj->m_poFactor, obj->m_poUnits);
}

// The wait indicator, in window pixels from the bottom right: points, how
// far left it starts, the step between points, its two heights and its
// depth within the overlay projection.
constexpr int sc_waitIndicatorPoints = 5;
constexpr double sc_waitIndicatorRight = 40.0;
constexpr double sc_waitIndicatorStep = 5.0;
constexpr double sc_waitIndicatorTop = 40.0;
constexpr double sc_waitIndicatorBottom = 23.0;
constexpr double sc_waitIndicatorDepth = -2.0;

// A red zigzag of four strokes at the bottom right.
void drawWaitIndicator(glwindow *view)
{
	glLineWidth(1.0f);
	glDisable(GL_LIGHTING);
	view->setup2DOrtho();
	glColor4d(1.0, 0.0, 0.0, 1.0);
	glBegin(GL_LINE_STRIP);
	for (int i = 0; i < sc_waitIndicatorPoints; i++)
		glVertex3d(view->w() - sc_waitIndicatorRight + sc_waitIndicatorStep * i,
		           i % 2 == 0 ? sc_waitIndicatorTop : sc_waitIndicatorBottom, sc_waitIndicatorDepth);
	glEnd();
}

} // namespace

void glwindow::draw()
{
	// the toolkit made the context current, maybe a new one
	adoptNewContext();
	m_screenShotActive = false;
	for (int &p : m_pick) p = -1;
	// the labels' font; a failure is reported and the scene still drawn
	if (oglffont(c_labelFontName) == 0) std::printf("textObject::draw(): could not set font\n");
	beginglDraw();
	// a screenshot is taken on the last redraw of its countdown
	if (gui_state != nullptr && gui_state->m_screenShotOnNextRedraw > 0) {
		if (gui_state->m_screenShotOnNextRedraw == 1) performScreenShot();
		else gui_state->m_screenShotOnNextRedraw--;
	}
	drawScene();
	endglDraw();
}

void glwindow::makeContextCurrent()
{
	make_current();
	adoptNewContext();
}

void glwindow::adoptNewContext()
{
	if (context_valid()) return;
	oglfForgetTextures();
	if (g_state != nullptr)
		for (const state::objectMap::value_type &entry : g_state->m_objects) entry.second->forgetGLObjects();
	context_valid(1);
}

void glwindow::beginglDraw()
{
	if (!valid()) setupViewport();
	glDrawBuffer(GL_BACK);
}

void glwindow::endglDraw() { glDrawBuffer(GL_BACK); }

void glwindow::drawScene()
{
	// 1. clear to the canvas colour
	glDepthMask(GL_TRUE);
	const float *canvas = g_state != nullptr ? g_state->m_cvColor : nullptr;
	if (canvas != nullptr) glClearColor(canvas[0], canvas[1], canvas[2], canvas[3]);
	glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

	// 2. and 3. lights (each object switches lighting itself), and the
	// state every object starts from, whatever the last frame left
	glEnable(GL_NORMALIZE);
	setupObjectState();
	glEnable(GL_LIGHT0);
	glEnable(GL_LIGHT1);
	setupLights();

	// 4. the stipples that objects may switch on
	glLineStipple(1, sc_lineStipple);
	glPolygonStipple(s_polygonStipplePattern.bytes);

	// 5. camera
	setup3DProjection();
	setupEyeTransform();
	if (g_state == nullptr) return;

	// 6. and 7. the visible objects by draw-sort value
	bool depthCleared = false;
	for (object *obj : visibleObjectsInDrawOrder()) {
		clearDepthBeforeFirstLabel(obj, depthCleared);
		setupPolygonOffset(obj);
		drawObject(obj);
	}
	setupObjectState();

	// 8. in full screen, where the wait button is hidden, the wait shows here
	if (g_state->m_inputWait && gui_state != nullptr && gui_state->m_fullscreen) drawWaitIndicator(this);
}

std::vector<object *> glwindow::visibleObjectsInDrawOrder()
{
	std::vector<std::pair<double, object *>> visible;
	if (g_state == nullptr) return {};
	visible.reserve(g_state->m_objects.size());
	for (const state::objectMap::value_type &entry : g_state->m_objects)
		if (!entry.second->hidden()) visible.emplace_back(entry.second->drawSortValue(), entry.second);
	// equal values keep name order
	std::stable_sort(visible.begin(), visible.end(),
	                 [](const std::pair<double, object *> &a, const std::pair<double, object *> &b) {
		                 return a.first < b.first;
	                 });
	std::vector<object *> objects;
	objects.reserve(visible.size());
	for (const std::pair<double, object *> &entry : visible) objects.push_back(entry.second);
	return objects;
}

void glwindow::clearDepthBeforeFirstLabel(const object *obj, bool &depthCleared)
{
	// labels on top clear the depth buffer once, before the first of them
	if (depthCleared || g_state == nullptr || !g_state->m_labelsAlwaysOnTop || obj->m_type != OT_TEXT) return;
	glDepthMask(GL_TRUE);
	glClear(GL_DEPTH_BUFFER_BIT);
	depthCleared = true;
}
