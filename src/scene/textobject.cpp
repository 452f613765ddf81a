// The label object apart from its drawing: making, copying and describing
// labels, the sort value of the view's pass, picking where the last draw put
// the label, dragging, and the window coordinates of its drawing space.
#include "scene/textobject.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "draw/geomutil.h"
#include "view/glwindow.h"
#include "state/state.h"
#include "typeset/typeset.h"
#include "ui/ui.h"

namespace {

// Properties of a label at a world position, and of one at a point (which
// has no interpretation of its own to show).
constexpr int sc_worldLabelProperties = OP_FG_COLOR | OP_BG_COLOR | OP_OL_COLOR | OP_FONT_SIZE | OP_NAME | OP_VALUE |
                                        OP_INTERPRETATION;
constexpr int sc_pointLabelProperties = OP_FG_COLOR | OP_BG_COLOR | OP_OL_COLOR | OP_FONT_SIZE | OP_NAME | OP_VALUE;

// Sort values of the view's pass: opaque, transparent, and what labels on
// top add to either.
constexpr double sc_sortOpaque = 1.0;
constexpr double sc_sortTransparent = 2.0;
constexpr double sc_sortOnTop = 2.0;

char *copyText(const char *text) { return strdup(text != nullptr ? text : ""); }

} // namespace

textObject::textObject(const char *text, const e3ga &pos, const std::string &name, int creationFlags,
                       int labelFlags, int width)
    : object(OT_TEXT, name, creationFlags, 0, 0)
{
	initToNothing();
	m_pos = pos;
	init(text, sc_worldLabelProperties, labelFlags & ~LF_DYNAMIC, width);
}

textObject::textObject(const char *text, const std::string &pointName, const std::string &name, int creationFlags,
                       int labelFlags, int width)
    : object(OT_TEXT, name, creationFlags, 0, 0)
{
	initToNothing();
	// a label that does not follow the point takes its place once
	if (labelFlags & LF_DYNAMIC) m_pointName = pointName;
	else m_pos = pointOf(pointName);
	init(text, sc_pointLabelProperties, labelFlags, width);
}

void textObject::init(const char *text, int properties, int labelFlags, int width)
{
	m_text = copyText(text);
	m_userWidth = width;
	m_properties = properties;
	m_flags = labelFlags;
	// the typesetting mode and font in force when the label is made
	if (g_state != nullptr) {
		m_tsMode = g_state->m_tsMode;
		m_tsFont = g_state->m_tsFont;
	}
	if (m_flags & LF_IMAGE) initImage();
}

textObject::~textObject()
{
	std::free(m_text);
	freeImage();
	initToNothing();
}

void textObject::initToNothing()
{
	m_text = nullptr;
	m_pointName.clear();
	m_pos = 0.0;
	m_flags = 0;
	for (int i = 0; i < 16; i++) m_mvMatrix[i] = m_pjMatrix[i] = 0.0;
	for (double &v : m_viewport) v = 0.0;
	m_width = m_height = 0.0;
	m_userWidth = 0;
	m_tsMode = m_tsFont = nullptr;
	m_imageWidth = m_imageHeight = -1;
	m_textureWidth = m_textureHeight = -1;
	m_textureName = NO_TEXTURE;
	m_imageFailed = false;
}

bool textObject::verbatim() const { return m_tsMode == nullptr || m_tsMode[0] == 'v' || m_tsMode[0] == 'V'; }

double textObject::drawScale() const
{
	if ((m_flags & LF_IMAGE) && (m_flags & LF_FULLSCREEN)) return 1.0;
	return gui_state != nullptr ? gui_state->m_textScale : UIstate::sc_defaultTextScale;
}

// --- window coordinates ------------------------------------------------------------

int textObject::windowCoordinates(const double p[3], double out[2]) const
{
	const double in[4] = {p[0], p[1], p[2], 1.0};
	double eye[4], clip[4];
	GLmatrixVectorMul(m_mvMatrix, in, eye);
	GLmatrixVectorMul(m_pjMatrix, eye, clip);
	out[0] = m_viewport[0] + m_viewport[2] * (clip[0] / clip[3] + 1.0) / 2.0;
	out[1] = m_viewport[1] + m_viewport[3] * (clip[1] / clip[3] + 1.0) / 2.0;
	return 0;
}

int textObject::wcUnitXY(double &ux, double &uy) const
{
	const double origin[3] = {0.0, 0.0, 0.0};
	const double x[3] = {m_mvMatrix[0], m_mvMatrix[4], m_mvMatrix[8]};
	const double y[3] = {m_mvMatrix[1], m_mvMatrix[5], m_mvMatrix[9]};
	double o[2], a[2], b[2];
	windowCoordinates(origin, o);
	windowCoordinates(x, a);
	windowCoordinates(y, b);
	ux = 1.0 / (a[0] - o[0]);
	uy = 1.0 / (b[1] - o[1]);
	return 0;
}

// --- the view's pass --------------------------------------------------------------

int textObject::pick(glwindow *)
{
	// a label never drawn stands nowhere
	if (m_viewport[2] <= 0.0 || m_viewport[3] <= 0.0) return 0;
	glMatrixMode(GL_MODELVIEW);
	glPushMatrix();
	glLoadMatrixd(m_mvMatrix);
	if (!(m_flags & LF_2D)) {
		double ux, uy;
		wcUnitXY(ux, uy);
		glScaled(ux, uy, 1.0);
	}
	// the rectangle as drawn: the box scaled by the text scale
	const double s = drawScale();
	glScaled(s, s, s);
	glDisable(GL_CULL_FACE);
	setOlColor();
	glBegin(GL_QUADS);
	boxVertices((int)m_width, (int)m_height);
	glEnd();
	glEnable(GL_CULL_FACE);
	glPopMatrix();
	return 0;
}

double textObject::drawSortValue()
{
	const float alphaSum = fgColor(3) + bgColor(3) + olColor(3);
	double value = alphaSum > sc_opaqueAlphaSum ? sc_sortOpaque : sc_sortTransparent;
	if (g_state != nullptr && g_state->m_labelsAlwaysOnTop) value += sc_sortOnTop;
	return value;
}

// --- properties ---------------------------------------------------------------------

int textObject::description(char *buf, int bufLen, int full)
{
	if (buf == nullptr || bufLen <= 0) return 0;
	const char *kind = (m_flags & LF_IMAGE) ? "image" : "text";
	const char *text = m_text != nullptr ? m_text : "";
	if (full) std::snprintf(buf, bufLen, "%s: %s: \n'%s'", m_name.c_str(), kind, text);
	else std::snprintf(buf, bufLen, "%s: \n'%s'", kind, text);
	return 0;
}

int textObject::copy(const object *src, int &changed, int forceFlags)
{
	freeDisplayList();
	freeImage();
	int result = object::copy(src, changed, forceFlags);
	if (result != 0) return result;
	// object::copy refuses objects of another type
	const textObject *o = static_cast<const textObject *>(src);
	if (std::strcmp(m_text, o->m_text) != 0) {
		std::free(m_text);
		m_text = copyText(o->m_text);
		changed |= OP_VALUE;
	}
	m_pos = o->m_pos;
	// the label made again under this name follows what it names now, at
	// its width
	m_pointName = o->m_pointName;
	m_userWidth = o->m_userWidth;
	m_flags = o->m_flags;
	m_imageFailed = o->m_imageFailed;
	m_tsMode = o->m_tsMode;
	m_tsFont = o->m_tsFont;
	if (m_flags & LF_IMAGE) initImage();
	return result;
}

int textObject::setFontSize(float size)
{
	freeDisplayList();
	return object::setFontSize(size);
}

int textObject::translate(glwindow *w, double depth, double dx, double dy)
{
	// a label that follows a point drags the point
	if (m_flags & LF_DYNAMIC) {
		object *point = g_state != nullptr ? g_state->getObjectPtrByName(m_pointName) : nullptr;
		if (point != nullptr) point->translate(w, depth, dx, dy);
		return 0;
	}
	if (m_flags & LF_2D) {
		// the offsets count from the anchoring edge; the placement turns
		// the vertical offset downwards with LF_PY only, so the label
		// follows the mouse whatever its vertical anchoring
		const double sx = (m_flags & LF_NX) ? -1.0 : 1.0;
		const double sy = (m_flags & LF_PY) ? 1.0 : -1.0;
		m_pos -= e3ga(2, sx * dx, sy * dy, 0.0);
		return 0;
	}
	e3ga v;
	if (w != nullptr) w->vectorAtDepth(depth, dx, -dy, v);
	m_pos -= v;
	return 0;
}
