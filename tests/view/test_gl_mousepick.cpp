// The view in a shown window, driven through the toolkit's event entry with
// the event state set: the camera turned, rolled, panned and zoomed by the
// mouse, objects picked, cycled through, named at the console's cursor and
// dragged; and conformal objects drawn into it.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/consoleglobalscope.h"
#include "console/fl_console.h"
#include "scene/gaobject.h"
#include "view/glwindow.h"
#include "state/state.h"
#include "support/shownview.h"
#include "ui/ui.h"

namespace {

// A view 448 high: the trackball's circle has the whole radius 0.375 h = 168.
const int c_width = 724, c_height = 448, c_consoleHeight = 100;
const int c_cx = c_width / 2, c_cy = c_height / 2;

class mouse : public shownView<c_width, c_height, c_consoleHeight> {
protected:
	Fl_Console *m_console = nullptr;

	// the console under the view
	void addBelowView() override
	{
		m_console = new Fl_Console(0, c_height, c_width, c_consoleHeight);
		gui_state->m_console = m_console;
	}
	void SetUp() override
	{
		shownView::SetUp();
		drawFrame();
	}
	// The pointer arrives at (x, y): it enters the view, then moves.
	void moveTo(int x, int y)
	{
		send(FL_MOVE, x, y, 0);
		send(FL_MOVE, x, y, 0);
	}
	void press(int x, int y, int buttonAndKeys)
	{
		moveTo(x, y);
		send(FL_PUSH, x, y, buttonAndKeys);
	}
	// A press at (x0, y0), one drag event to (x1, y1), and the release there.
	void drag(int x0, int y0, int x1, int y1, int buttonAndKeys)
	{
		press(x0, y0, buttonAndKeys);
		send(FL_DRAG, x1, y1, buttonAndKeys);
		send(FL_RELEASE, x1, y1, buttonAndKeys & ~(FL_BUTTON1 | FL_BUTTON2 | FL_BUTTON3));
	}
	void click(int x, int y, int buttonAndKeys) { drag(x, y, x, y, buttonAndKeys); }

	static e3ga e(int i) { return e3ga(*e3gai::bv[i - 1]); }
	static e3ga camOri() { return glwindow::getCamOri(); }
	static double camPos(int i) { return glwindow::getCamPos().coordinates(2)[i - 1]; }
	// Where the camera's turn takes the world vector v.
	static e3ga turned(const e3ga &v) { return gp(gp(camOri(), v), camOri().inverse()).grade(2); }
	static c3ga cpoint(double x, double y, double z) { return c3ga(2, x, y, z, 1.0, 0.5 * (x * x + y * y + z * z)); }
	void addSphere(const char *name, double z, double r)
	{
		m_state->addC3gaObject(cpoint(0, 0, z) - gp(0.5 * r * r, c3gai::ni), name, 0, 0, 0);
	}
	std::string current() const
	{
		return gui_state->m_currentObject != nullptr ? gui_state->m_currentObject->m_name : "<none>";
	}
	std::string consoleCommand() const
	{
		char *c = m_console->command();
		std::string s(c ? c : "<null>");
		std::free(c);
		return s;
	}
	std::vector<unsigned char> centrePixel()
	{
		drawFrame();
		std::vector<unsigned char> rgb(3);
		glReadBuffer(GL_BACK);
		glReadPixels(c_cx, c_cy, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
		return rgb;
	}
};

TEST_F(mouse, TrackballTurnsOneRadianPerHundredPixelsFromThePress)
{
	// dragging right turns the scene's front (world e3) towards the right,
	// by one radian, or a tenth of it with Shift
	for (int shift : {0, FL_SHIFT}) {
		glwindow::setCamOri(1.0);
		drag(c_cx, c_cy, c_cx + 100, c_cy, FL_BUTTON1 | shift);
		const double angle = shift ? 0.1 : 1.0;
		const e3ga t = turned(e(3));
		const double *front = t.coordinates(2);
		EXPECT_NEAR(front[0], std::sin(angle), 1e-6) << shift;
		EXPECT_NEAR(front[2], std::cos(angle), 1e-6) << shift;
	}
	// dragging down turns it downwards; back at the press point the
	// camera is as it was at the press
	glwindow::setCamOri(1.0);
	press(c_cx, c_cy, FL_BUTTON1);
	send(FL_DRAG, c_cx, c_cy + 100, FL_BUTTON1);
	EXPECT_NEAR(turned(e(3)).coordinates(2)[1], -std::sin(1.0), 1e-6);
	send(FL_DRAG, c_cx, c_cy, FL_BUTTON1);
	send(FL_RELEASE, c_cx, c_cy, 0);
	EXPECT_LT(sub(camOri(), e3ga(1.0)).norm_a(), 1e-24);
}

TEST_F(mouse, OutsideTheTrackballCircleTheCameraRolls)
{
	// exactly 0.375 h right of the centre is outside: moving up there
	// rolls the view about the viewing axis, by twice the bivector
	// (0, 10) ^ (168, 0) / (0.3 w h)
	const int r = 168;
	ASSERT_EQ(r, 0.375 * c_height);
	drag(c_cx + r, c_cy, c_cx + r, c_cy - 10, FL_BUTTON1);
	const double half = 10.0 * r / (0.3 * c_width * c_height);
	const e3ga R = camOri();
	EXPECT_NEAR(R.scalar(), std::cos(half), 1e-9);
	// e1^e2 is the last of the bivector coordinates
	EXPECT_NEAR(R.coordinates(4)[2], -std::sin(half), 1e-9);
	EXPECT_NEAR(R.norm_a(), 1.0, 1e-9);
	// one pixel further in: a trackball turn about the eye's vertical axis
	glwindow::setCamOri(1.0);
	drag(c_cx + r - 1, c_cy, c_cx + r - 1, c_cy - 10, FL_BUTTON1);
	EXPECT_NEAR(turned(e(3)).coordinates(2)[1], std::sin(0.1), 1e-6);
}

TEST_F(mouse, PanFollowsTheDistanceAndZoomStaysWithinBounds)
{
	// a dynamic statement reading campos runs after each change
	testing::internal::CaptureStdout();
	g_consoleCommandCallback("dynamic{k = campos;}", m_state);
	testing::internal::GetCapturedStdout();
	// pan at distance 11: 0.011 a pixel, the scene following the cursor
	drag(10, 10, 20, 5, FL_BUTTON2);
	EXPECT_NEAR(camPos(1), -0.11, 1e-6);
	EXPECT_NEAR(camPos(2), -0.055, 1e-6);
	e3ga k;
	m_state->m_globalScope->externalLookupVariable("k", 1, k);
	EXPECT_NEAR(k.coordinates(2)[0], -0.11, 1e-6);
	// a press the pointer reached without a move event: the motion counts
	// from the press, not from where the pointer was seen last
	glwindow::setCamPos(gp(11.0, e(3)));
	moveTo(10, 10);
	send(FL_PUSH, 300, 300, FL_BUTTON2);
	send(FL_DRAG, 310, 300, FL_BUTTON2);
	send(FL_RELEASE, 310, 300, 0);
	EXPECT_NEAR(camPos(1), -0.11, 1e-6);
	EXPECT_NEAR(camPos(2), 0.0, 1e-6);
	// at distance 0 panning does nothing
	glwindow::setCamPos(e3ga(0.0));
	drag(10, 10, 50, 50, FL_BUTTON2);
	EXPECT_EQ(glwindow::getCamPos().norm_a(), 0.0);
	// zoom: a tenth of a unit a pixel, down moving away; it stops at 1 and
	// 100, and a camera beyond them comes back at the first step
	glwindow::setCamPos(gp(11.0, e(3)));
	drag(10, 10, 10, 30, FL_BUTTON3);
	EXPECT_NEAR(camPos(3), 13.0, 1e-6);
	drag(10, 400, 10, 10, FL_BUTTON3);
	EXPECT_EQ(camPos(3), 1.0);
	drag(10, 10, 10, 440, FL_BUTTON3 | FL_SHIFT);
	EXPECT_NEAR(camPos(3), 5.3, 1e-5);
	drag(10, 10, 10, 1000, FL_BUTTON3);
	EXPECT_EQ(camPos(3), 100.0);
	glwindow::setCamPos(gp(200.0, e(3)));
	drag(10, 10, 10, 11, FL_BUTTON3);
	EXPECT_EQ(camPos(3), 100.0);
}

TEST_F(mouse, CtrlClicksStepThroughTheObjectsUnderTheCursor)
{
	// three spheres one behind the other on the viewing axis
	addSphere("near", 2.0, 0.5);
	addSphere("middle", 0.0, 0.5);
	addSphere("far", -2.0, 0.5);
	drawFrame();
	const char *expected[] = {"near", "middle", "far", "near"};
	for (const char *name : expected) {
		click(c_cx, c_cy, FL_BUTTON1 | FL_CTRL);
		EXPECT_EQ(current(), name);
	}
	// Ctrl+button 2 right after takes the object that click selected and
	// types its name at the console's cursor
	click(c_cx, c_cy, FL_BUTTON2 | FL_CTRL);
	EXPECT_EQ(current(), "near");
	EXPECT_EQ(consoleCommand(), "near");
	// on empty space: no object, nothing typed
	click(10, 10, FL_BUTTON2 | FL_CTRL);
	EXPECT_EQ(current(), "<none>");
	EXPECT_EQ(consoleCommand(), "near");
	// a click elsewhere started afresh; a camera drag does too
	click(c_cx, c_cy, FL_BUTTON1 | FL_CTRL);
	EXPECT_EQ(current(), "near");
	drag(10, 10, 10, 10, FL_BUTTON2);
	click(c_cx, c_cy, FL_BUTTON1 | FL_CTRL);
	EXPECT_EQ(current(), "near");
	// a removed object is neither current nor among the recent picks
	object *removed = m_state->getObjectPtrByName("near");
	m_state->removeObject("near");
	EXPECT_EQ(current(), "<none>");
	for (const glwindow::recentPick &p : m_view->m_recentPicks) EXPECT_NE(p.obj, removed);
	click(c_cx, c_cy, FL_BUTTON1 | FL_CTRL);
	EXPECT_EQ(current(), "middle");
}

TEST_F(mouse, CtrlButton3DragsAPointAtItsDepth)
{
	m_state->addC3gaObject(cpoint(0, 0, 0), "p", 0, 0, 0);
	drawFrame();
	press(c_cx, c_cy, FL_BUTTON3 | FL_CTRL);
	EXPECT_EQ(current(), "p");
	// grabbed at the front of its sphere, 0.1 before the origin
	const double depth = m_view->m_translationDepth;
	EXPECT_NEAR(depth, 10.9, 0.01);
	// at that depth a pixel is depth / (1200 * 0.95) units
	const double unit = depth / (1200.0 * 0.95);
	c3gaObject *p = static_cast<c3gaObject *>(m_state->getObjectPtrByName("p"));
	send(FL_DRAG, c_cx + 50, c_cy, FL_BUTTON3 | FL_CTRL);
	EXPECT_NEAR(p->m_int.m_point[0][0], 50 * unit, 1e-6);
	// while a redraw is pending the motion waits, then comes whole; with
	// Shift the object moves 0.05 of the mouse's motion
	EXPECT_NE(m_view->damage(), 0);
	EXPECT_EQ(send(FL_DRAG, c_cx + 60, c_cy, FL_BUTTON3 | FL_CTRL), 0);
	m_view->clear_damage();
	send(FL_DRAG, c_cx + 70, c_cy - 100, FL_BUTTON3 | FL_CTRL | FL_SHIFT);
	EXPECT_NEAR(p->m_int.m_point[0][0], 50 * unit + 20 * 0.05 * unit, 1e-6);
	EXPECT_NEAR(p->m_int.m_point[0][1], 100 * 0.05 * unit, 1e-6);
	send(FL_RELEASE, c_cx + 70, c_cy - 100, FL_CTRL);
	EXPECT_EQ(m_view->m_translationDepth, -1.0);
	EXPECT_EQ(current(), "p");
	// a press on nothing drags nothing
	m_view->clear_damage();
	press(10, 10, FL_BUTTON3 | FL_CTRL);
	EXPECT_EQ(current(), "<none>");
	send(FL_DRAG, 60, 10, FL_BUTTON3 | FL_CTRL);
	EXPECT_NEAR(p->m_int.m_point[0][1], 100 * 0.05 * unit, 1e-6);
}

TEST_F(mouse, CtrlButton3DragsAStippledOrWireframeSphereFromAHole)
{
	const int canvas = 128;
	for (int mode : {DM_STIPPLE, DM_WIREFRAME}) {
		m_state->removeAllObjects();
		m_state->addC3gaObject(cpoint(0, 0, 0) - gp(0.5, c3gai::ni), "s", mode, 0, 0);
		drawFrame();
		// a pixel of the canvas near the centre with the sphere drawn at
		// the pixel beside it (pixels() counts rows from the bottom)
		const std::vector<unsigned char> rgb = pixels();
		auto isCanvas = [&](int x, int y) {
			const unsigned char *p = &rgb[3 * ((size_t)y * c_width + x)];
			return p[0] == canvas && p[1] == canvas && p[2] == canvas;
		};
		int hx = -1, hy = -1;
		for (int y = c_cy - 20; y < c_cy + 20 && hx < 0; y++)
			for (int x = c_cx - 20; x < c_cx + 20 && hx < 0; x++)
				if (isCanvas(x, y) && !isCanvas(x + 1, y)) hx = x, hy = y;
		ASSERT_GE(hx, 0) << mode;
		// pressed there, the sphere is selected and grabbed at its front
		const c3ga before = static_cast<c3gaObject *>(m_state->getObjectPtrByName("s"))->m_mv;
		press(hx, c_height - 1 - hy, FL_BUTTON3 | FL_CTRL);
		EXPECT_EQ(current(), "s") << mode;
		EXPECT_NEAR(m_view->m_translationDepth, 10.0, 0.05) << mode;
		send(FL_DRAG, hx + 50, c_height - 1 - hy, FL_BUTTON3 | FL_CTRL);
		send(FL_RELEASE, hx + 50, c_height - 1 - hy, FL_CTRL);
		c3gaObject *s = static_cast<c3gaObject *>(m_state->getObjectPtrByName("s"));
		EXPECT_GT(sub(s->m_mv, before).norm_a(), 0.0) << mode;
		EXPECT_NEAR(s->m_int.m_point[0][0], 50 * 10.0 / (1200.0 * 0.95), 0.01) << mode;
		m_view->clear_damage();
	}
}

TEST_F(mouse, InFullScreenAPressInTheCornerEndsAWait)
{
	// full screen or not, the press's position: whether the wait ends
	const struct row {
		int fullscreen, x, y;
		bool ends;
	} rows[] = {
	    {0, c_width - 1, c_height - 1, false},
	    {1, c_width - 39, c_height - 39, true},
	    {1, c_width - 40, c_height - 1, false},
	    {1, c_width - 1, c_height - 40, false},
	};
	for (const row &r : rows) {
		gui_state->m_fullscreen = r.fullscreen;
		m_state->setInputWaitState(1);
		glwindow::setCamOri(1.0);
		press(r.x, r.y, FL_BUTTON1);
		EXPECT_EQ(m_state->m_inputWait == 0, r.ends) << r.x << " " << r.y;
		// an ordinary press starts a gesture; the one that ends the wait
		// starts none, nor continues the gesture before it
		send(FL_DRAG, r.x - 10, r.y, FL_BUTTON1);
		send(FL_RELEASE, r.x - 10, r.y, 0);
		EXPECT_EQ(sub(camOri(), e3ga(1.0)).norm_a() == 0.0, r.ends) << r.x << " " << r.y;
	}
	gui_state->m_fullscreen = 0;
}

TEST_F(mouse, AUnitDualSphereColoursTheCentreUntilHidden)
{
	const std::vector<unsigned char> canvas = centrePixel();
	for (unsigned char c : canvas) EXPECT_NEAR(c, 0.5 * 255, 1);
	m_state->setColor("fgcolor", "blue");
	addSphere("s", 0.0, 1.0);
	std::vector<unsigned char> shown = centrePixel();
	EXPECT_LT(shown[0], 40);
	EXPECT_GT(shown[2], 100);
	m_state->hideObject("s");
	EXPECT_EQ(centrePixel(), canvas);
}

} // namespace
