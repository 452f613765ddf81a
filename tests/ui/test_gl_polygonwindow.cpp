// Polygons, simplices and meshes made at the console and by scene-file
// lines, in a shown view: what they colour on screen, a dynamic simplex
// that follows its points, and Ctrl-clicks that pick them through the
// view's selection pass, which never calls a mesh's display list.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <string>
#include <vector>

#include "console/console.h"
#include "console/consolegafile.h"
#include "view/glwindow.h"
#include "scene/meshobject.h"
#include "scene/polygonobject.h"
#include "state/state.h"
#include "support/shownview.h"
#include "ui/ui.h"

namespace {

const int c_width = 724, c_height = 448;
const int c_cx = c_width / 2, c_cy = c_height / 2;

class polygonWindow : public shownView<c_width, c_height> {
protected:
	// The pixel at (x, y) of the view (origin bottom left) after a frame.
	std::vector<int> pixel(int x, int y)
	{
		drawFrame();
		unsigned char rgb[3];
		glReadBuffer(GL_BACK);
		glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
		return {rgb[0], rgb[1], rgb[2]};
	}
	// A Ctrl-click of the left button at (x, y) of the window (origin top
	// left) as the window system delivers it; the current object's name.
	std::string ctrlClick(int x, int y)
	{
		const int events[4] = {FL_MOVE, FL_MOVE, FL_PUSH, FL_RELEASE};
		const int states[4] = {0, 0, FL_BUTTON1 | FL_CTRL, FL_CTRL};
		for (int i = 0; i < 4; i++) send(events[i], x, y, states[i]);
		return gui_state->m_currentObject != nullptr ? gui_state->m_currentObject->m_name : "<none>";
	}
	static bool isRed(const std::vector<int> &p) { return p[0] > 100 && p[1] < 40 && p[2] < 40; }
};

TEST_F(polygonWindow, AFilledTriangleColoursItsInteriorAndACtrlClickSelectsIt)
{
	// three hidden points round the centre of the view, and the triangle
	// through them made at the console
	m_state->setColor("fgcolor", "red");
	testing::internal::CaptureStdout();
	g_consoleCommandCallback("a = hide(-2 e1 - 1.5 e2); b = hide(2 e1 - 1.5 e2); c = hide(2 e2);", m_state);
	g_consoleCommandCallback("create_polygon(p, fill, a, b, c);", m_state);
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
	ASSERT_NE(dynamic_cast<polygonObject *>(m_state->getObjectPtrByName("p")), nullptr);
	EXPECT_TRUE(isRed(pixel(c_cx, c_cy)));
	EXPECT_FALSE(isRed(pixel(20, 20)));
	EXPECT_EQ(ctrlClick(c_cx, c_cy), "p");
	EXPECT_EQ(ctrlClick(20, 20), "<none>");
	// seen from behind, the triangle still fills (its back is drawn too)
	glwindow::setCamOri(gp(0.5 * M_PI, e3ga(e3gai::e3) ^ e3ga(e3gai::e1)).exp(20));
	EXPECT_TRUE(isRed(pixel(c_cx, c_cy)));
	EXPECT_EQ(ctrlClick(c_cx, c_cy), "p");
}

TEST_F(polygonWindow, AStaticMeshFromAScriptIsPickedWithoutItsDisplayList)
{
	// a square of two triangles and a quad beside it, made by scene-file
	// lines: mixed faces, drawn through a display list once shown
	const char *lines[] = {
	    "fgcolor red",        "mesh m",
	    "meshvertex m 0 [-e1 - e2]", "meshvertex m 1 [e1 - e2]", "meshvertex m 2 [e1 + e2]",
	    "meshvertex m 3 [-e1 + e2]", "meshvertex m 4 [3*e1 - e2]", "meshvertex m 5 [3*e1 + e2]",
	    "meshface m 0 1 2",   "meshface m 0 2 3",
	    "meshface m 1 4 5 2",
	};
	testing::internal::CaptureStdout();
	for (const char *line : lines) m_state->m_consoleGAfile->read(m_state, line);
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
	meshObject *m = dynamic_cast<meshObject *>(m_state->getObjectPtrByName("m"));
	ASSERT_NE(m, nullptr);
	EXPECT_TRUE(isRed(pixel(c_cx, c_cy)));
	ASSERT_NE(m->m_displayList, object::NO_DISPLAY_LIST);
	EXPECT_EQ(ctrlClick(c_cx, c_cy), "m");
	EXPECT_EQ(ctrlClick(20, 20), "<none>");
	// the list drawn before the pick is still the one that draws
	const unsigned int list = m->m_displayList;
	EXPECT_TRUE(isRed(pixel(c_cx, c_cy)));
	EXPECT_EQ(m->m_displayList, list);
}

TEST_F(polygonWindow, ASimplexFromAScriptFollowsItsPoints)
{
	m_state->setColor("fgcolor", "red");
	testing::internal::CaptureStdout();
	g_consoleCommandCallback("a = hide(-2 e1 - 1.5 e2); b = hide(2 e1 - 1.5 e2); c = hide(-2 e1 + 2 e2);", m_state);
	m_state->m_consoleGAfile->read(m_state, "simplex t 3 a b c dynamic");
	// above the centre the triangle covers the left, where c is; when c
	// moves to the right, so does the triangle
	EXPECT_TRUE(isRed(pixel(c_cx - 40, c_cy + 40)));
	EXPECT_FALSE(isRed(pixel(c_cx + 40, c_cy + 40)));
	g_consoleCommandCallback("c = hide(2 e1 + 2 e2);", m_state);
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
	EXPECT_FALSE(isRed(pixel(c_cx - 40, c_cy + 40)));
	EXPECT_TRUE(isRed(pixel(c_cx + 40, c_cy + 40)));
	EXPECT_EQ(ctrlClick(c_cx + 40, c_cy - 40), "t");
}

} // namespace
