// The OpenGL view in a shown window: its projections (also of a screenshot
// tile), the camera from the console variables, the drawing pass's order,
// depth clear and polygon offsets, the world vector of a window motion, and
// e3ga objects drawn, made transparent and dragged through it.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/consoleglobalscope.h"
#include "scene/gaobject.h"
#include "view/glwindow.h"
#include "state/state.h"
#include "support/shownview.h"
#include "ui/ui.h"

namespace {

const int c_width = 724, c_height = 445;

// An object that notes when it is drawn and what the view set up for it.
struct drawnObject {
	std::string name;
	bool polygonOffset;
	float factor, units;
	float depthAtCentre;
};
std::vector<drawnObject> g_drawn;

class probe : public object {
public:
	probe(const std::string &name, int type, double sortValue) : object(type, name, 0, 0, 0), m_sortValue(sortValue) {}
	int pick(glwindow *w) override { return draw(w); }
	double drawSortValue() override { return m_sortValue; }
	int draw(glwindow *w) override
	{
		drawnObject d{m_name, glIsEnabled(GL_POLYGON_OFFSET_FILL) == GL_TRUE, 0, 0, 0};
		glGetFloatv(GL_POLYGON_OFFSET_FACTOR, &d.factor);
		glGetFloatv(GL_POLYGON_OFFSET_UNITS, &d.units);
		glReadBuffer(GL_BACK);
		glReadPixels(w->w() / 2, w->h() / 2, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &d.depthAtCentre);
		g_drawn.push_back(d);
		// a wall across the view, in front of the origin
		glBegin(GL_QUADS);
		glVertex3d(-10, -10, 1);
		glVertex3d(10, -10, 1);
		glVertex3d(10, 10, 1);
		glVertex3d(-10, 10, 1);
		glEnd();
		return 0;
	}

private:
	double m_sortValue;
};

class view : public shownView<c_width, c_height> {
protected:
	void SetUp() override
	{
		shownView::SetUp();
		g_drawn.clear();
	}
	static std::vector<double> matrix(GLenum which)
	{
		std::vector<double> m(16);
		glGetDoublev(which, m.data());
		return m;
	}
	// Red pixels in the rows around the centre, left and right of it.
	void countRed(int &left, int &right) const
	{
		std::vector<unsigned char> rgb = pixels();
		left = right = 0;
		for (int y = c_height / 2 - 15; y < c_height / 2 + 15; y++)
			for (int x = 0; x < c_width; x++) {
				const unsigned char *p = &rgb[3 * ((size_t)y * c_width + x)];
				if (p[0] > 100 && p[1] < 40 && p[2] < 40) (x < c_width / 2 ? left : right)++;
			}
	}
	static e3ga e(int i) { return e3ga(*e3gai::bv[i - 1]); }
};

TEST_F(view, ProjectionOfTheWindowAndOfAScreenshotTile)
{
	drawFrame();
	// 1200 pixels span one unit at the near plane
	std::vector<double> P = matrix(GL_PROJECTION_MATRIX);
	EXPECT_NEAR(P[0], 2 * 0.95 / (c_width / 1200.0), 1e-5);
	EXPECT_NEAR(P[5], 2 * 0.95 / (c_height / 1200.0), 1e-5);
	EXPECT_NEAR(P[8], 0.0, 1e-9);
	EXPECT_NEAR(m_view->m_frustumWidth, c_width / 1200.0, 1e-12);
	EXPECT_EQ(m_view->m_frustumNear, 0.95);
	EXPECT_EQ(m_view->m_frustumFar, 100.0);

	// a 2400 x 1400 screenshot of a 1200 x 700 window sees what the window
	// sees: s = 2400, a frustum of 1 x 0.583; its top right quarter tile
	m_window->size(1200, 700);
	m_view->size(1200, 700);
	gui_state->m_ssWidth = 2400;
	gui_state->m_ssHeight = 1400;
	m_view->m_screenShotActive = true;
	m_view->m_ssViewportWidth = 1200;
	m_view->m_ssViewportHeight = 700;
	m_view->m_ssStartX = 0.5, m_view->m_ssEndX = 1.0;
	m_view->m_ssStartY = 0.5, m_view->m_ssEndY = 1.0;
	m_view->setup3DProjection();
	EXPECT_NEAR(m_view->m_frustumWidth, 1.0, 1e-12);
	EXPECT_NEAR(m_view->m_frustumHeight, 1400.0 / 2400.0, 1e-12);
	EXPECT_EQ(m_view->getRenderWidth(), 2400.0);
	P = matrix(GL_PROJECTION_MATRIX);
	// glFrustum(0, 0.5, 0, 0.2917, 0.95, 100)
	const double r = 0.5, t = 0.5 * 1400.0 / 2400.0;
	EXPECT_NEAR(P[0], 2 * 0.95 / r, 1e-5);
	EXPECT_NEAR(P[8], 1.0, 1e-5);
	EXPECT_NEAR(P[5], 2 * 0.95 / t, 1e-5);
	EXPECT_NEAR(P[9], 1.0, 1e-5);
	GLint viewport[4];
	glGetIntegerv(GL_VIEWPORT, viewport);
	EXPECT_EQ(viewport[2], 1200);
	EXPECT_EQ(viewport[3], 700);
	// every redraw is of the window again
	drawFrame();
	EXPECT_FALSE(m_view->m_screenShotActive);
	EXPECT_EQ(m_view->getRenderWidth(), 1200.0);
	EXPECT_EQ(m_view->m_ssStartX, 0.0);
}

TEST_F(view, WindowMotionAtADepth)
{
	drawFrame();
	e3ga v;
	// the window's width at the near plane is the frustum's width
	ASSERT_EQ(m_view->vectorAtDepth(0.95, c_width, 0, v), 0);
	EXPECT_NEAR(v.coordinates(2)[0], c_width / 1200.0, 1e-12);
	// at twice the depth twice as far; with the camera turned a quarter
	// turn from e1 to e2 (world e1 shows up), up on screen is e1
	glwindow::setCamOri(gp(-0.25 * M_PI, e(1) ^ e(2)).exp(20));
	ASSERT_EQ(m_view->vectorAtDepth(1.9, 0, c_height, v), 0);
	const double y = 2 * c_height / 1200.0;
	EXPECT_NEAR(v.coordinates(2)[0], y, 1e-5);
	EXPECT_NEAR(v.coordinates(2)[1], 0.0, 1e-5);
	// dragging a vector moves it by the motion's vector: 120 pixels at depth
	// 9.5 are one unit (1200 a unit at the near plane, ten times as far)
	glwindow::setCamOri(e3ga(1.0));
	m_state->addE3gaObject(gp(2.0, e(1)), "v", 0, 0, 0);
	object *dragged = m_state->getObjectPtrByName("v");
	m_state->m_netVarChanges.clear();
	dragged->translate(m_view, 9.5, 120.0, 0.0);
	dragged->translate(m_view, 9.5, 0.0, 120.0);
	EXPECT_NEAR(static_cast<e3gaObject *>(dragged)->m_int.m_point[0][0], 1.0, 1e-9);
	EXPECT_NEAR(static_cast<e3gaObject *>(dragged)->m_int.m_point[0][1], 1.0, 1e-9);
	EXPECT_EQ(m_state->m_netVarChanges.count("v"), 1u);
	// the overlay projection has no depth to go by
	m_view->setup2DOrtho();
	EXPECT_EQ(m_view->vectorAtDepth(1.9, 10, 10, v), -1);
	EXPECT_EQ(v.norm_a(), 0.0);
	EXPECT_EQ(m_view->m_frustumWidth, -1.0);
}

TEST_F(view, CameraFromTheConsoleVariables)
{
	// the view starts at 11 e3, unturned, and writes through to the variables
	EXPECT_EQ(sub(glwindow::getCamPos(), gp(11.0, e(3))).norm_a(), 0.0);
	glwindow::setCamPos(gp(5.0, e(3)) + e(1));
	EXPECT_EQ(sub(glwindow::getCamPos(), gp(5.0, e(3)) + e(1)).norm_a(), 0.0);
	object *campos = m_state->getObjectPtrByName("campos");
	ASSERT_NE(campos, nullptr);
	EXPECT_EQ(campos->m_drawMode & (DM_INTERNAL | DM_HIDE | DM_MAGNITUDE), DM_INTERNAL | DM_HIDE | DM_MAGNITUDE);
	drawFrame();
	std::vector<double> M = matrix(GL_MODELVIEW_MATRIX);
	EXPECT_NEAR(M[12], -1.0, 1e-5);
	EXPECT_NEAR(M[14], -5.0, 1e-5);
	// without the variables, in front of the scene, unturned
	m_state->removeObject("campos");
	m_state->removeObject("camori");
	EXPECT_EQ(sub(glwindow::getCamPos(), gp(11.0, e(3))).norm_a(), 0.0);
	EXPECT_EQ(sub(glwindow::getCamOri(), e3ga(1.0)).norm_a(), 0.0);
}

TEST_F(view, OpaqueThenTransparentThenLabelsOverEverything)
{
	// names in another order than the draw-sort values
	m_state->addObject(new probe("a", OT_E3GA, 2.0), 0);
	m_state->addObject(new probe("b", OT_E3GA, 1.0), 0);
	m_state->addObject(new probe("c", OT_TEXT, 3.0), 0);
	m_state->addObject(new probe("d", OT_E3GA, 1.0), 0);
	m_state->addObject(new probe("e", OT_E3GA, 1.0), 0);
	m_state->hideObject("e");
	m_state->getObjectPtrByName("a")->m_poFactor = 2.0f;
	m_state->getObjectPtrByName("a")->m_poUnits = 3.0f;
	m_state->getObjectPtrByName("d")->m_poUnits = 5.0f;
	for (int onTop : {1, 0}) {
		m_state->m_labelsAlwaysOnTop = onTop;
		g_drawn.clear();
		drawFrame();
		ASSERT_EQ(g_drawn.size(), 4u);
		const char *order[4] = {"b", "d", "a", "c"};
		for (int i = 0; i < 4; i++) EXPECT_EQ(g_drawn[i].name, order[i]);
		// the first object sees a cleared depth buffer, the next the wall
		EXPECT_EQ(g_drawn[0].depthAtCentre, 1.0f);
		EXPECT_LT(g_drawn[1].depthAtCentre, 1.0f);
		// a label on top sees the depth buffer cleared once more
		EXPECT_EQ(g_drawn[3].depthAtCentre == 1.0f, onTop == 1);
	}
	// polygon offset only for a factor other than 0
	EXPECT_FALSE(g_drawn[1].polygonOffset);
	EXPECT_TRUE(g_drawn[2].polygonOffset);
	EXPECT_EQ(g_drawn[2].factor, 2.0f);
	EXPECT_EQ(g_drawn[2].units, 3.0f);
}

TEST_F(view, AVectorShowsRightOfTheCentre)
{
	int left = 0, right = 0;
	drawFrame();
	countRed(left, right);
	EXPECT_EQ(left + right, 0);
	// red(e1): a red vector along e1, seen from 11 e3
	m_state->setColor("fgcolor", "red");
	m_state->addE3gaObject(e(1), "a", 0, 0, 0);
	drawFrame();
	countRed(left, right);
	EXPECT_EQ(left, 0);
	EXPECT_GT(right, 100);
	// the camera turned half round about e2 sees it on the left
	glwindow::setCamOri(gp(0.5 * M_PI, e(3) ^ e(1)).exp(20));
	drawFrame();
	countRed(left, right);
	EXPECT_GT(left, 100);
	EXPECT_EQ(right, 0);
}

TEST_F(view, ARedVectorTypedAtTheConsoleShowsRightOfTheCentre)
{
	// the line as the console widget hands it over, without its terminator
	testing::internal::CaptureStdout();
	g_consoleCommandCallback("a = red(e1)", g_state);
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "a = 1.00*e1\n");
	int left = 0, right = 0;
	drawFrame();
	countRed(left, right);
	EXPECT_EQ(left, 0);
	EXPECT_GT(right, 100);
}

TEST_F(view, EveryE3gaKindDrawsAndLeavesTheStack)
{
	const e3ga e12 = e(1) ^ e(2);
	const struct row {
		const char *name;
		e3ga value;
		int creationFlags;
		bool drawn;
	} rows[] = {
	    {"scalar", e3ga(2.0), 0, false},
	    {"vector", e(1), 0, true},
	    {"bivector", e12, 0, true},
	    {"bivector, swirl", e12, 6 << OC_DRAW_METHOD_SHIFT, true},
	    // no seventh method: nothing, and nothing read past the menu
	    {"bivector, method 6", e12, 7 << OC_DRAW_METHOD_SHIFT, false},
	    {"trivector", op(e12, e(3)), 0, true},
	    {"trivector, parallelepiped", op(e12, e(3)), 4 << OC_DRAW_METHOD_SHIFT, true},
	    {"rotor", gp(-0.5, e12).exp(20), 0, true},
	    {"rotor by no angle", e3ga(1.0) + gp(1e-5, e12), OC_VERSOR, false},
	};
	for (const row &r : rows) {
		m_state->removeAllObjects();
		m_state->addE3gaObject(r.value, "x", DM_ORI, r.creationFlags, 0);
		drawFrame();
		int left = 0, right = 0;
		countRed(left, right);
		EXPECT_EQ(left + right > 0, r.drawn) << r.name;
		GLint depth = 0;
		glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
		EXPECT_EQ(depth, 1) << r.name;
		// picking draws the same in selection mode, under the camera the
		// pass left: a hit exactly when something was drawn
		GLuint hits[64];
		glSelectBuffer(64, hits);
		glRenderMode(GL_SELECT);
		glInitNames();
		glPushName(1);
		m_state->getObjectPtrByName("x")->pick(m_view);
		EXPECT_EQ(glRenderMode(GL_RENDER) > 0, r.drawn) << r.name;
		EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR) << r.name;
	}
	// a value that cannot be drawn is reported at its first draw, not at
	// every redraw or pick; again once the value changed, also when it is
	// back after another; the same value assigned again is no news
	m_state->removeAllObjects();
	const e3ga odd = gp(gp(e(1), e(1) + e(2)), e(3)), other = e(1) + (e(2) ^ e(3));
	const char *message = "e3gaObject::draw(): can not draw object #513\n";
	const struct step {
		e3ga value;
		int reports;
	} steps[] = {{odd, 1}, {odd, 0}, {other, 1}, {e(1), 0}, {other, 1}};
	for (const step &st : steps) {
		m_state->addE3gaObject(st.value, "x", 0, 0, 0);
		testing::internal::CaptureStdout();
		for (int frame = 0; frame < 3; frame++) drawFrame();
		m_view->pick(c_width / 2, c_height / 2, 0, 1);
		std::string out = testing::internal::GetCapturedStdout(), expected;
		for (int i = 0; i < st.reports; i++) expected += message;
		EXPECT_EQ(out, expected) << st.value.string();
	}
}

TEST_F(view, TransparentObjectsWriteNoDepthWhenTheViewAllowsIt)
{
	m_state->addE3gaObject(e(1), "x", 0, 0, 0);
	object *x = m_state->getObjectPtrByName("x");
	// alpha, fade, whether the view allows it: depth writes and blending
	const struct row {
		float alpha, fade;
		int allowed;
		bool transparent;
	} rows[] = {
	    {1.0f, 1.0f, 1, false}, {0.5f, 1.0f, 1, true}, {1.0f, 0.5f, 1, true}, {0.5f, 1.0f, 0, false}, {0.995f, 1.0f, 1, false},
	};
	for (const row &r : rows) {
		x->setFgAlpha(r.alpha);
		x->m_fadeCurrentFactor = r.fade;
		m_view->m_depthMaskAllowedOff = r.allowed;
		EXPECT_EQ(x->drawSortValue(), r.alpha * r.fade == 1.0f ? 1.0 : 2.0);
		// the state while the object draws: the view puts it back afterwards
		drawFrame();
		x->draw(m_view);
		GLboolean mask = GL_TRUE;
		glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
		EXPECT_EQ(mask == GL_FALSE, r.transparent) << r.alpha << " " << r.fade << " " << r.allowed;
		EXPECT_EQ(glIsEnabled(GL_BLEND) == GL_TRUE, r.transparent);
	}
}

TEST_F(view, ChangesOfTheSceneAskForARedraw)
{
	auto redrawnAfter = [&](const std::function<void()> &change) {
		m_view->clear_damage();
		change();
		return m_view->damage() != 0;
	};
	EXPECT_TRUE(redrawnAfter([&] { m_state->addE3gaObject(e(1), "a", 0, 0, 0); }));
	EXPECT_TRUE(redrawnAfter([&] { m_state->addE3gaObject(e(2), "a", 0, 0, 0); }));
	EXPECT_TRUE(redrawnAfter([&] { m_state->fadeObject("a", 10.0, 0.0f, 0, 1.0f); }));
	EXPECT_TRUE(redrawnAfter([&] { m_state->objectUpdate(); }));
	EXPECT_TRUE(redrawnAfter([&] { m_state->removeObject("a"); }));
	EXPECT_TRUE(redrawnAfter([&] { m_state->removeAllObjects(); }));
	// nothing changes, nothing is redrawn
	EXPECT_FALSE(redrawnAfter([&] { m_state->objectUpdate(); }));
}

} // namespace
