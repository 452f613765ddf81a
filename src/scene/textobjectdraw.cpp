// Drawing a label: its size, its place facing the viewer at one unit a
// pixel (in the world or in the window), and its box, outline and content
// cached in a display list.  A typeset text is laid out only when the list
// is built again.
#include <GL/gl.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "view/glwindow.h"
#include "state/state.h"
#include "scene/textobject.h"
#include "typeset/openglfont.h"
#include "typeset/typeset.h"
#include "ui/ui.h"

namespace {

// The pixel margin around a label's content in its box.
constexpr int sc_boxMargin = 2;
// The typesetter's colour that stands for the label's foreground.
constexpr const char *sc_currentColor = "current";

} // namespace

void textObject::boxVertices(int w, int h)
{
	// the content reaches from the origin to (w, -h)
	glVertex2i(-sc_boxMargin, sc_boxMargin);
	glVertex2i(w + sc_boxMargin, sc_boxMargin);
	glVertex2i(w + sc_boxMargin, -sc_boxMargin - h);
	glVertex2i(-sc_boxMargin, -sc_boxMargin - h);
}

e3ga textObject::pointOf(const std::string &name)
{
	object *o = g_state != nullptr ? g_state->getObjectPtrByName(name) : nullptr;
	const double *p = o != nullptr ? o->getPoint(0) : nullptr;
	return p != nullptr ? e3ga(2, p[0], p[1], p[2]) : e3ga(0.0);
}

bool textObject::contentSize(glwindow *w, double &width, double &height, double &s)
{
	if (m_flags & LF_IMAGE) {
		if (m_flags & LF_FULLSCREEN) {
			// the whole render target, at any text scale
			const double W = w != nullptr ? w->getRenderWidth() : m_viewport[2];
			const double H = w != nullptr ? w->getRenderHeight() : m_viewport[3];
			if (m_width != W || m_height != H) freeDisplayList();
			width = W;
			height = H;
			s = 1.0;
		} else if ((m_flags & LF_WIDTH) && m_imageWidth > 0) {
			// the height keeps the image's aspect, in whole pixels
			width = m_userWidth;
			height = (double)((int64_t)m_userWidth * m_imageHeight / m_imageWidth);
		} else {
			width = (float)m_imageWidth * m_fontSize;
			height = (float)m_imageHeight * m_fontSize;
		}
		return true;
	}
	if (verbatim()) {
		// the text is never a format: a "%" in it is shown
		const double aspects = oglfprintfWidth("%s", m_text);
		width = m_fontSize * (aspects > 0.0 ? aspects : 0.0);
		height = m_fontSize;
		return true;
	}
	// a typeset text keeps the size of its layout while its list lives
	if (m_displayList != NO_DISPLAY_LIST) {
		width = m_width;
		height = m_height;
		return true;
	}
	typesetState *ts = g_state != nullptr ? g_state->m_typesetState : nullptr;
	if (ts == nullptr) return false;
	// a text the typesetter refused is refused again, with its messages,
	// until the text, its mode or its font changes: it is not tried before
	const std::string key = std::string(m_text) + '\n' + (m_tsMode != nullptr ? m_tsMode : "") + '\n' +
	                        (m_tsFont != nullptr ? m_tsFont : "");
	if (failedOn(key)) return false;
	if (!typeset(ts)) {
		noteFailure(key);
		return false;
	}
	noteDrawn();
	width = std::ceil(ts->m_width);
	height = std::ceil(ts->m_height);
	return true;
}

bool textObject::typeset(typesetState *ts)
{
	if (ts->setInitialMode(m_tsMode) != 0 || ts->setInitialFont(m_tsFont) != 0 || ts->setInitialSize(m_fontSize) != 0)
		return false;
	if (ts->setColor(sc_currentColor, m_fgColor[0], m_fgColor[1], m_fgColor[2]) != 0 || ts->setAlpha(fgColor(3)) != 0 ||
	    ts->setInitialColor(ts->getColor(sc_currentColor)) != 0)
		return false;
	return ts->typeset(m_text, (m_flags & LF_WIDTH) ? m_userWidth : -1.0) == 0;
}

void textObject::followPoint() { m_pos = pointOf(m_pointName); }

void textObject::placeInWindow(glwindow *w, float width, float height)
{
	const float W = (float)(w != nullptr ? w->getRenderWidth() : m_viewport[2]);
	const float H = (float)(w != nullptr ? w->getRenderHeight() : m_viewport[3]);
	const double *p = m_pos.coordinates(2);
	// horizontally: centred on the window centre, or from an edge or the
	// centre by the offset
	if (m_flags & LF_ACX) {
		glTranslatef(-width / 2.0f, 0.0f, 0.0f);
	} else {
		if (m_flags & LF_CX) {
		} else if (m_flags & LF_NX) {
			glTranslatef(W / 2.0f - width, 0.0f, 0.0f);
		} else if (m_flags & LF_PX) {
			glTranslatef(-W / 2.0f, 0.0f, 0.0f);
		}
		glTranslatef((m_flags & LF_NX) ? -(float)p[0] : (float)p[0], 0.0f, 0.0f);
	}
	// vertically: from the centre, the top or the bottom by the offset
	if (m_flags & LF_CY) {
	} else if (m_flags & LF_PY) {
		glTranslatef(0.0f, H / 2.0f, 0.0f);
	} else if (m_flags & LF_NY) {
		glTranslatef(0.0f, -H / 2.0f + height, 0.0f);
	}
	glTranslatef(0.0f, (m_flags & LF_PY) ? -(float)p[1] : (float)p[1], 0.0f);
	// where pick finds the label
	glGetDoublev(GL_MODELVIEW_MATRIX, m_mvMatrix);
}

void textObject::drawContent(double s)
{
	glPushMatrix();
	glScaled(s, s, s);
	glDisable(GL_CULL_FACE);
	glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
	const int w = (int)m_width, h = (int)m_height;
	if (bgColor(3) > 0.0f) {
		setBgColor();
		glBegin(GL_QUADS);
		boxVertices(w, h);
		glEnd();
	}
	if (olColor(3) > 0.0f) {
		setOlColor();
		glBegin(GL_LINE_LOOP);
		boxVertices(w, h);
		glEnd();
	}
	setFgColor();
	if (m_flags & LF_IMAGE) {
		// the image fills the content; the texture's padding stays outside
		const double tx = (double)m_imageWidth / m_textureWidth, ty = (double)m_imageHeight / m_textureHeight;
		glTranslated(0.0, -m_height, 0.0);
		glEnable(GL_TEXTURE_2D);
		glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
		glBindTexture(GL_TEXTURE_2D, m_textureName);
		glBegin(GL_QUADS);
		glTexCoord2d(0.0, ty);
		glVertex2d(0.0, 0.0);
		glTexCoord2d(tx, ty);
		glVertex2d(m_width, 0.0);
		glTexCoord2d(tx, 0.0);
		glVertex2d(m_width, m_height);
		glTexCoord2d(0.0, 0.0);
		glVertex2d(0.0, m_height);
		glEnd();
		glDisable(GL_TEXTURE_2D);
	} else {
		glEnable(GL_TEXTURE_2D);
		if (verbatim()) {
			// one glyph height is the font size; the first line hangs below the top
			glScaled(m_fontSize, m_fontSize, m_fontSize);
			glTranslated(0.0, -1.0, 0.0);
			oglfprintf("%s", m_text);
		} else {
			typesetState *ts = g_state->m_typesetState;
			ts->GLdraw();
			ts->clearDraw();
		}
		glDisable(GL_TEXTURE_2D);
	}
	glEnable(GL_CULL_FACE);
	glPopMatrix();
}

int textObject::draw(glwindow *w)
{
	// a text scale of 0 is the pass without labels
	const double textScale = gui_state != nullptr ? gui_state->m_textScale : UIstate::sc_defaultTextScale;
	if (textScale == 0.0) return 0;
	// an image made while no view could hold its texture is loaded now
	if ((m_flags & LF_IMAGE) && m_textureName == NO_TEXTURE) loadImage();
	// text is measured and laid out with the label font
	if (!(m_flags & LF_IMAGE)) oglffont(c_labelFontName);

	// 1.-3. the size in pixels at the scale drawn
	double s = drawScale(), width = 0.0, height = 0.0;
	if (!contentSize(w, width, height, s)) return 0;
	width *= s;
	height *= s;

	// 4.-6. no lighting or stipple; line width by the scale
	glDisable(GL_LIGHTING);
	glDisable(GL_POLYGON_STIPPLE);
	glDisable(GL_LINE_STIPPLE);
	if (m_flags & LF_DYNAMIC) followPoint();
	GLfloat savedLineWidth = 1.0f;
	glGetFloatv(GL_LINE_WIDTH, &savedLineWidth);
	glLineWidth((GLfloat)s);
	glMatrixMode(GL_MODELVIEW);
	glPushMatrix();

	// 7.-8. at the world position, or one unit in front of the eye at the
	// window centre; turned to face the viewer
	const bool window = (m_flags & LF_2D) != 0;
	if (!window) {
		const double *p = m_pos.coordinates(2);
		glTranslated(p[0], p[1], p[2]);
	}
	glGetDoublev(GL_MODELVIEW_MATRIX, m_mvMatrix);
	for (int col = 0; col < 3; col++)
		for (int row = 0; row < 3; row++) m_mvMatrix[4 * col + row] = col == row ? 1.0 : 0.0;
	if (window) {
		m_mvMatrix[12] = m_mvMatrix[13] = 0.0;
		m_mvMatrix[14] = -1.0;
	}
	glLoadMatrixd(m_mvMatrix);
	glGetDoublev(GL_PROJECTION_MATRIX, m_pjMatrix);
	GLint viewport[4];
	glGetIntegerv(GL_VIEWPORT, viewport);
	for (int i = 0; i < 4; i++) m_viewport[i] = viewport[i];

	// 9.-10. one unit a pixel; a window label goes to its anchor
	double ux, uy;
	wcUnitXY(ux, uy);
	glScaled(ux, uy, 1.0);
	if (window) placeInWindow(w, (float)width, (float)height);

	// 11. transparency
	const float alphaSum = fgColor(3) + bgColor(3) + olColor(3);
	const bool blend = w != nullptr && w->depthMaskAllowedOff() && alphaSum < sc_opaqueAlphaSum;
	glDepthMask(blend ? GL_FALSE : GL_TRUE);
	if (blend) {
		glEnable(GL_BLEND);
		glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
	} else {
		glDisable(GL_BLEND);
	}

	// 12.-13. the size at scale 1; the content from the list, or into a new one
	m_width = width / s;
	m_height = height / s;
	if (m_displayList == NO_DISPLAY_LIST) {
		allocDisplayList();
		if (m_displayList != NO_DISPLAY_LIST) glNewList(m_displayList, GL_COMPILE_AND_EXECUTE);
		drawContent(s);
		if (m_displayList != NO_DISPLAY_LIST) glEndList();
	} else {
		glCallList(m_displayList);
	}

	// 14.
	if (blend) {
		glDisable(GL_BLEND);
		glDepthMask(GL_TRUE);
	}
	glPopMatrix();
	glLineWidth(savedLineWidth);
	return 0;
}
