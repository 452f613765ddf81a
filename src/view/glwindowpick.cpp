// Picking: which object is drawn under a pixel, found by OpenGL selection;
// repeated picks at one spot step through the objects there, nearest first.
// A pick that grabs an object also measures the depth of its surface under
// the cursor, at which a drag then moves it.
#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "view/glwindow.h"
#include "scene/object.h"
#include "state/state.h"

namespace {

// Values of one hit record: its count of names (always 1 here), the
// minimum and maximum depth, and the name, the object's index in draw order.
constexpr int sc_hitRecordSize = 4;
// Half the width and height of the pick region: 3 x 3 pixels.
constexpr int sc_pickHalfSize = 1;

bool isLabel(const object *o) { return o != nullptr && o->m_type == OT_TEXT; }

// The nearest window depth drawn within half pixels of (x, y) in a view of
// width x height pixels; 1 where nothing was drawn.
GLfloat nearestDepthAround(int x, int y, int half, int width, int height)
{
	const int x0 = std::max(x - half, 0), y0 = std::max(y - half, 0);
	const int x1 = std::min(x + half, width - 1), y1 = std::min(y + half, height - 1);
	if (x0 > x1 || y0 > y1) return 1.0f;
	std::vector<GLfloat> depths((size_t)(x1 - x0 + 1) * (size_t)(y1 - y0 + 1), 1.0f);
	glReadPixels(x0, y0, x1 - x0 + 1, y1 - y0 + 1, GL_DEPTH_COMPONENT, GL_FLOAT, depths.data());
	return *std::min_element(depths.begin(), depths.end());
}

} // namespace

object *glwindow::pick(int x, int y, int repeastLastPick, int storeTranslationDepth)
{
	m_screenShotActive = false;
	if (g_state == nullptr || g_state->m_objects.empty()) return nullptr;

	// 1. selection pass over the visible objects, each named by its index;
	// every object draws itself immediately (no display list is called in
	// selection mode)
	m_pick[0] = x;
	m_pick[1] = y;
	m_pick[2] = m_pick[3] = sc_pickHalfSize;
	makeContextCurrent();
	std::vector<object *> objects = visibleObjectsInDrawOrder();
	std::vector<GLuint> buffer(sc_hitRecordSize * (objects.size() + 1));
	glSelectBuffer((GLsizei)buffer.size(), buffer.data());
	glRenderMode(GL_SELECT);
	glInitNames();
	glPushName(0);
	beginglDraw();
	glDepthMask(GL_TRUE);
	glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
	setupObjectState();
	setup3DProjection();
	setupEyeTransform();
	bool depthCleared = false;
	for (size_t i = 0; i < objects.size(); i++) {
		glLoadName((GLuint)i);
		clearDepthBeforeFirstLabel(objects[i], depthCleared);
		pickObject(objects[i]);
	}
	setupObjectState();
	endglDraw();
	// an overflowing buffer gives a negative count: no hit
	const int hits = glRenderMode(GL_RENDER);

	// 2. the nearest hit not picked recently here (labels first when they
	// are on top); when none is left, the recent picks are forgotten and the
	// nearest is taken again
	const bool onTop = g_state->m_labelsAlwaysOnTop != 0;
	object *result = nullptr;
	for (int pass = 0; pass < 2 && result == nullptr; pass++) {
		object *best = nullptr;
		GLuint bestDepth = UINT32_MAX;
		bool complete = hits > 0 && buffer[0] == 1;
		for (int h = 0; complete && h < hits; h++) {
			const GLuint *record = &buffer[(size_t)sc_hitRecordSize * h];
			if (record[0] != 1 || record[3] >= objects.size()) {
				complete = false;
				break;
			}
			object *o = objects[record[3]];
			const GLuint z = record[1];
			const bool nearer = z < bestDepth && !(onTop && isLabel(best) && !isLabel(o));
			const bool labelOverObject = z >= bestDepth && onTop && best != nullptr && !isLabel(best) && isLabel(o);
			if (!nearer && !labelOverObject) continue;
			if (pass == 0 && pickedRecently(o, x, y, repeastLastPick)) continue;
			best = o;
			bestDepth = z;
		}
		if (complete && best != nullptr) result = best;
		else clearRecentPicks();
	}
	m_pick[0] = m_pick[1] = m_pick[2] = m_pick[3] = -1;
	if (result == nullptr) {
		m_translationDepth = -1.0;
		return nullptr;
	}

	// 3. remember it, and measure the depth it is grabbed at
	addRecentPick(result, x, y, repeastLastPick);
	if (!storeTranslationDepth) {
		m_translationDepth = -1.0;
		return result;
	}
	glDrawBuffer(GL_BACK);
	glReadBuffer(GL_BACK);
	glDepthMask(GL_TRUE);
	glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
	setup3DProjection();
	setupEyeTransform();
	// drawn opaque, so that its depth is written
	m_depthMaskAllowedOff = 0;
	drawObject(result);
	setupObjectState();
	m_depthMaskAllowedOff = 1;
	// the nearest depth it wrote in the region the selection looked at: a
	// press in a hole of its stipple or wireframe, or beside a thin line,
	// selects it and grabs it too
	const GLfloat z = nearestDepthAround(x, y, sc_pickHalfSize, w(), h());
	// the eye-space distance of the window depth z; nothing drawn there
	// (z = 1) leaves the depth as it was
	if (z < 1.0f) {
		const double f = m_frustumFar, n = m_frustumNear;
		m_translationDepth = (float)(f * n / (f - z * (f - n)));
	}
	return result;
}

int glwindow::clearRecentPicks()
{
	m_recentPicks.clear();
	m_recentPicks.shrink_to_fit();
	return 0;
}

int glwindow::addRecentPick(object *obj, int x, int y, int repeastLastPick)
{
	m_recentPicks.push_back({x, y, repeastLastPick, obj});
	return 0;
}

int glwindow::inRecentPickRange(int x, int y)
{
	if (m_recentPicks.empty()) return 0;
	const recentPick &last = m_recentPicks.back();
	return std::abs(last.x - x) <= m_pick[2] && std::abs(last.y - y) <= m_pick[3];
}

int glwindow::pickedRecently(object *obj, int x, int y, int repeastLastPick)
{
	if (!inRecentPickRange(x, y)) {
		clearRecentPicks();
		return 0;
	}
	// a gesture that may repeat the latest pick of another one leaves that
	// pick out
	size_t k = m_recentPicks.size();
	if (repeastLastPick && m_recentPicks.back().repeastLastPick == 0) k--;
	for (size_t i = 0; i < k; i++)
		if (m_recentPicks[i].obj == obj) return 1;
	return 0;
}

int glwindow::forgetRecentPick(const object *obj)
{
	for (size_t i = m_recentPicks.size(); i-- > 0;)
		if (m_recentPicks[i].obj == obj) m_recentPicks.erase(m_recentPicks.begin() + (long)i);
	return 0;
}
