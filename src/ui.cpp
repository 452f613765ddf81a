#include "ui.h"

#include "glwindow.h"
#include "osdep.h"
#include "state/state.h"

UIstate *gui_state = nullptr;

namespace {

// Menu command codes of the point sizes and line widths that are not the
// defaults (the menu's "Point size" and "Line width" items).
constexpr int sc_menuPointSizeSmallest = 53;
constexpr int sc_menuPointSizeSmall = 54;
constexpr int sc_menuPointSizeLarge = 56;
constexpr int sc_menuLineWidth2 = 62;
constexpr int sc_menuLineWidth4 = 63;
constexpr int sc_menuLineWidth8 = 64;

} // namespace

UIstate::UIstate()
{
	m_tubeDraw.setLineWidth(sc_defaultLineWidth);
	m_tubeDraw.setUseOpenGL(false);
	m_tubeDraw.setNbSegments(sc_tubeSides);
	initToNothing();
}

UIstate::~UIstate()
{
	initToNothing();
	// no one may reach a user interface that is gone
	if (gui_state == this) gui_state = nullptr;
}

void UIstate::initToNothing()
{
	m_glWindow = nullptr;
	m_pointSize = sc_defaultPointSize;
	m_textScale = sc_defaultTextScale;
	m_vectorHeadSize = sc_defaultVectorHeadSize;
	m_ssWidth = 0;
	m_ssHeight = 0;
	m_console = nullptr;
	m_fsLastMouseActionTime = -1.0;
	m_fullscreen = 0;
	m_currentObject = nullptr;
}

int UIstate::setPointSize(double size)
{
	m_pointSize = size;
	return 0;
}

int UIstate::setPointSizeFromMenu(int code)
{
	switch (code) {
	case sc_menuPointSizeSmallest: return setPointSize(0.01);
	case sc_menuPointSizeSmall: return setPointSize(0.05);
	case sc_menuPointSizeLarge: return setPointSize(0.5);
	default: return setPointSize(sc_defaultPointSize);
	}
}

int UIstate::setTextScale(double scale)
{
	if (scale == m_textScale) return 0;
	m_textScale = scale;
	if (g_state != nullptr) g_state->textScaleChanged();
	return 0;
}

int UIstate::setLineWidth(double width)
{
	m_tubeDraw.setLineWidth(width);
	return 0;
}

int UIstate::setLineWidthFromMenu(int code)
{
	switch (code) {
	case sc_menuLineWidth2: return setLineWidth(2.0);
	case sc_menuLineWidth4: return setLineWidth(4.0);
	case sc_menuLineWidth8: return setLineWidth(8.0);
	default: return setLineWidth(1.0);
	}
}

int UIstate::setVectorHeadSize(double size)
{
	m_vectorHeadSize = size;
	return 0;
}

int UIstate::mouseMove()
{
	m_fsLastMouseActionTime = u_timeGet();
	return 0;
}

int UIstate::setCurrentObject(object *obj)
{
	m_currentObject = obj;
	return 0;
}

void uiRedrawView()
{
	if (gui_state != nullptr && gui_state->m_glWindow != nullptr) gui_state->m_glWindow->redraw();
}

void uiObjectRemoved(const object *obj)
{
	if (gui_state == nullptr) return;
	if (gui_state->m_currentObject == obj) gui_state->setCurrentObject(nullptr);
	if (gui_state->m_glWindow != nullptr) gui_state->m_glWindow->forgetRecentPick(obj);
}
