// The mouse in the view: camera motion without Ctrl, picking and dragging
// objects with it.  Every camera change goes through the console variables
// camori and campos.
#include <FL/Fl.H>

#include <cmath>

#include "console/consolestatement.h"
#include "console/fl_console.h"
#include "view/glwindow.h"
#include "scene/object.h"
#include "state/state.h"
#include "ui/ui.h"

namespace {

// A press closer to the centre than this fraction of the view's height
// turns the camera as a trackball; farther out it rolls it.
constexpr double sc_trackballRadius = 0.375;
// Shift makes camera motions this much finer, and object drags this much.
constexpr float sc_fineCamera = 0.1f;
constexpr double sc_fineDrag = 0.05;
// The trackball turns by one radian per this many pixels.
constexpr float sc_trackballPixelsPerRadian = 100.0f;
// A roll's bivector is the motion wedged with the cursor's offset from the
// centre over this fraction of the view's area.
constexpr double sc_rollArea = 0.3;
// Terms of the series of the roll's exponential.
constexpr int sc_rollExpOrder = 9;
// Panning moves the camera by its distance over this many per pixel.
constexpr float sc_panPixels = 1000.0f;
// Zooming moves the camera one unit per this many pixels.
constexpr float sc_zoomPixels = 10.0f;
// The camera stays this near to and this far from the scene's centre plane.
constexpr double sc_minimumDistance = 1.0;
constexpr double sc_maximumDistance = 100.0;

constexpr int sc_buttons = FL_BUTTON1 | FL_BUTTON2 | FL_BUTTON3;
// In full screen, where the wait button is hidden, a press in this many
// pixels square at the bottom right (where the wait indicator blinks) ends
// a wait for input.
constexpr int sc_waitCorner = 40;

e3ga basis(int i) { return e3ga(*e3gai::bv[i - 1]); }

object *currentObject() { return gui_state != nullptr ? gui_state->m_currentObject : nullptr; }

void selectObject(object *obj)
{
	if (gui_state != nullptr) gui_state->setCurrentObject(obj);
}

int press(glwindow &view, int x, int y)
{
	// in full screen, a press in the corner ends a wait
	if (g_state != nullptr && g_state->m_inputWait && gui_state != nullptr && gui_state->m_fullscreen &&
	    x > view.w() - sc_waitCorner && y > view.h() - sc_waitCorner) {
		g_state->setInputWaitState(0);
		// and starts no gesture: a drag from here moves nothing
		view.m_mousePickMode = 0;
		view.m_mouseButtons = 0;
		return 1;
	}
	const int state = Fl::event_state();
	view.m_mousePickMode = state & FL_CTRL;
	view.m_mouseButtons = state & sc_buttons;
	// the motions of the gesture count from here, also when the pointer
	// came without a move event (it entered the view at this spot)
	view.m_lastX = x;
	view.m_lastY = y;
	if (!view.m_mousePickMode) {
		// where the gesture began, and whether it turns or rolls the camera
		view.m_firstX = x;
		view.m_firstY = y;
		const double cx = view.w() / 2 - x, cy = view.h() / 2 - y;
		view.m_inside = std::sqrt(cx * cx + cy * cy) < sc_trackballRadius * view.h() ? 1 : 0;
		view.m_firstRot = glwindow::getCamOri();
	} else if (view.m_mouseButtons & FL_BUTTON3) {
		// grab what is under the cursor, at the depth it shows there
		selectObject(view.pick(x, view.h() - y, 1, 1));
	}
	return 1;
}

int release(glwindow &view, int x, int y)
{
	if (view.m_mousePickMode) {
		if (view.m_mouseButtons & (FL_BUTTON1 | FL_BUTTON2)) {
			// a click picks; with button 2 the name goes to the console
			selectObject(view.pick(x, view.h() - y, view.m_mouseButtons & FL_BUTTON2, 0));
			object *picked = currentObject();
			if ((view.m_mouseButtons & FL_BUTTON2) && picked != nullptr && gui_state->m_console != nullptr)
				// as the console reads it back: a name that is no plain
				// identifier is typed quoted, so it stays one name
				gui_state->m_console->cprint(consoleStatement::nameText(picked->m_name).c_str(), 1);
			view.m_mousePickMode = 0;
		} else if (view.m_translationDepth > 0.0 && (view.m_mouseButtons & FL_BUTTON3) && currentObject() != nullptr) {
			// the panel shows the object where it was dropped
			selectObject(currentObject());
		}
	}
	view.m_translationDepth = -1.0;
	return 1;
}

int dragCamera(glwindow &view, int x, int y)
{
	view.clearRecentPicks();
	const float s = (Fl::event_state() & FL_SHIFT) ? sc_fineCamera : 1.0f;
	// since the press, and since the previous event
	const float dx = (float)(x - view.m_firstX) * s, dy = (float)(y - view.m_firstY) * s;
	const float ddx = (float)(x - view.m_lastX) * s, ddy = (float)(y - view.m_lastY) * s;
	if (view.m_mouseButtons & FL_BUTTON1) {
		if (view.m_inside) view.trackball(dx, dy);
		else view.roll(ddx, ddy, x, y);
	}
	if (view.m_mouseButtons & FL_BUTTON2) view.pan(ddx, ddy);
	if (view.m_mouseButtons & FL_BUTTON3) view.zoom(ddy);
	view.redraw();
	view.m_lastX = x;
	view.m_lastY = y;
	return 1;
}

int dragObject(glwindow &view, int x, int y)
{
	// one drag step per redraw: the motion not taken now is carried into
	// the next step
	if (view.damage() || !(view.m_mouseButtons & FL_BUTTON3)) return 0;
	object *dragged = currentObject();
	if (dragged != nullptr && view.m_translationDepth > 0.0) {
		const double s = (Fl::event_state() & FL_SHIFT) ? sc_fineDrag : 1.0;
		dragged->translate(&view, view.m_translationDepth, s * (view.m_lastX - x), s * (view.m_lastY - y));
		if (g_state != nullptr) g_state->updateDynStmts();
	}
	view.m_lastX = x;
	view.m_lastY = y;
	return 1;
}

} // namespace

int glwindow::handle(int event)
{
	const int x = Fl::event_x(), y = Fl::event_y();
	const bool mouse = event == FL_PUSH || event == FL_RELEASE || event == FL_DRAG || event == FL_MOVE;
	if (mouse && gui_state != nullptr) gui_state->mouseMove();
	switch (event) {
	case FL_PUSH: return press(*this, x, y);
	case FL_RELEASE: return release(*this, x, y);
	case FL_DRAG: return m_mousePickMode ? dragObject(*this, x, y) : dragCamera(*this, x, y);
	case FL_MOVE:
		m_lastX = x;
		m_lastY = y;
		return 1;
	// the view takes the keyboard focus
	case FL_FOCUS: return 1;
	default: return Fl_Gl_Window::handle(event);
	}
}

void glwindow::trackball(float dx, float dy)
{
	// about the eye's vertical and horizontal axes, from the orientation at
	// the press: back at the press point, the camera is as it was
	const e3ga I = op(op(basis(1), basis(2)), basis(3));
	const double a1 = -dx / sc_trackballPixelsPerRadian * 0.5, a2 = -dy / sc_trackballPixelsPerRadian * 0.5;
	const e3ga R1 = std::cos(a1) + std::sin(a1) * lcont(basis(2), I);
	const e3ga R2 = std::cos(a2) + std::sin(a2) * lcont(basis(1), I);
	setCamOri(gp(gp(R1, R2), m_firstRot));
}

void glwindow::roll(float ddx, float ddy, int x, int y)
{
	// the motion wedged with the cursor's offset from the centre (y up):
	// circling the centre turns the view about the viewing axis
	const e3ga a = (double)ddx * basis(1) - (double)ddy * basis(2);
	const e3ga b = (x - w() / 2.0) * basis(1) + (h() / 2.0 - y) * basis(2);
	const e3ga B = op(a, gp(1.0 / (sc_rollArea * w() * h()), b));
	setCamOri(gp(B.exp(sc_rollExpOrder), getCamOri()));
}

void glwindow::pan(float ddx, float ddy)
{
	// the scene follows the cursor, faster the farther away the camera is
	const e3ga p = getCamPos();
	const double z = p.coordinates(2)[2];
	setCamPos(p - (ddx * z / sc_panPixels) * basis(1) + (ddy * z / sc_panPixels) * basis(2));
}

void glwindow::zoom(float ddy)
{
	// dragging down moves the camera away, within its bounds
	e3ga p = getCamPos() + (double)(ddy / sc_zoomPixels) * basis(3);
	const double z = p.coordinates(2)[2];
	if (z < sc_minimumDistance) p += (sc_minimumDistance - z) * basis(3);
	else if (z > sc_maximumDistance) p += (sc_maximumDistance - z) * basis(3);
	setCamPos(p);
}
