// The view's construction, its camera (the console variables camori and
// campos) and the size of what it renders.
#include "view/glwindow.h"

#include "console/consoleglobalscope.h"
#include "state/state.h"
#include "ui/ui.h"

namespace {

// The camera variables are the program's own: hidden and internal; the
// position is drawn by its length.
constexpr int sc_camOriDrawMode = DM_INTERNAL | DM_HIDE;
constexpr int sc_camPosDrawMode = DM_INTERNAL | DM_HIDE | DM_MAGNITUDE;

// The global scope of the application state, or null when there is none.
consoleGlobalScope *globalScope() { return g_state != nullptr ? g_state->m_globalScope : nullptr; }

// value = the global variable name; false when it cannot be looked up.
bool lookupCamera(const char *name, e3ga &value)
{
	consoleGlobalScope *scope = globalScope();
	return scope != nullptr && scope->externalLookupVariable(name, 1, value) == 0;
}

void assignCamera(const char *name, const e3ga &value, int drawMode)
{
	consoleGlobalScope *scope = globalScope();
	if (scope == nullptr) return;
	scope->externalAssignVariable(name, value, drawMode);
	// dynamic statements that read the camera follow it
	g_state->updateDynStmts();
}

} // namespace

glwindow::glwindow(int X, int Y, int W, int H, const char *L) : Fl_Gl_Window(X, Y, W, H, L)
{
	// the view relies on a back buffer and a depth buffer
	mode(FL_RGB | FL_DOUBLE | FL_DEPTH);
	box(FL_NO_BOX);
	initToNothing();
	setCamPos(gp(state::sc_defaultCameraDistance, e3ga(e3gai::e3)));
	setCamOri(e3ga(1.0));
	m_depthMaskAllowedOff = 1;
}

glwindow::~glwindow()
{
	if (gui_state != nullptr && gui_state->m_glWindow == this) gui_state->m_glWindow = nullptr;
	initToNothing();
}

void glwindow::initToNothing()
{
	for (int &p : m_pick) p = -1;
	m_depthMaskAllowedOff = 0;
	m_frustumWidth = m_frustumHeight = m_frustumNear = m_frustumFar = -1.0;
	m_screenShotActive = false;
	m_ssViewportWidth = m_ssViewportHeight = 0;
	m_ssStartX = m_ssStartY = 0.0;
	m_ssEndX = m_ssEndY = 1.0;
	m_mousePickMode = 0;
	m_recentPicks.clear();
	m_recentPicks.shrink_to_fit();
	m_mouseButtons = 0;
	m_translationDepth = -1.0;
	m_firstX = m_firstY = m_lastX = m_lastY = 0;
	m_inside = 0;
	m_firstRot = 1.0;
}

e3ga &glwindow::getCamOri()
{
	static e3ga s_camOri;
	// unturned when the variable is missing
	if (!lookupCamera(sc_camOriName, s_camOri)) s_camOri = 1.0;
	return s_camOri;
}

e3ga &glwindow::getCamPos()
{
	static e3ga s_camPos;
	// where the view starts: in front of the scene, looking at the origin
	if (!lookupCamera(sc_camPosName, s_camPos)) s_camPos = gp(state::sc_defaultCameraDistance, e3ga(e3gai::e3));
	return s_camPos;
}

void glwindow::setCamOri(const e3ga &R) { assignCamera(sc_camOriName, R, sc_camOriDrawMode); }

void glwindow::setCamPos(const e3ga &p) { assignCamera(sc_camPosName, p, sc_camPosDrawMode); }

double glwindow::getRenderWidth() const
{
	return (m_screenShotActive && gui_state != nullptr) ? gui_state->m_ssWidth : w();
}

double glwindow::getRenderHeight() const
{
	return (m_screenShotActive && gui_state != nullptr) ? gui_state->m_ssHeight : h();
}
