// Console controls and the viewer's settings without a window: the automatic
// step of sliders, the state's list of controls (order, replacement,
// removal), both directions of the binding through a recording control, the
// lines a control saves, the subdivision depths, and the render settings on
// a user-interface state without windows.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "console/consolecontrol.h"
#include "console/consoleglobalscope.h"
#include "console/consoleviewerfunctions.h"
#include "draw/geosphere.h"
#include "support/typedcommands.h"
#include "ui/ui.h"
#include "ui/uimenu.h"

namespace {

// A control without widgets that records what the state asks of it and
// assigns its variable as a moved widget would.
class recordingControl : public consoleControl {
public:
	explicit recordingControl(const std::string &nm) : consoleControl(nm) {}
	void writeToGeoFile(FILE *) override {}
	void widgetModified(Fl_Widget *) override { assignVariable(m_widgetValue); }
	void consoleVariableModified() override { m_seen.push_back(lookupValue()); }
	void move(double v)
	{
		m_widgetValue = v;
		widgetModified(nullptr);
	}
	double m_widgetValue = 0.0;
	std::vector<double> m_seen;
};

class Controls : public typedCommands {
protected:
	std::string names() const
	{
		std::string r;
		for (const consoleControl *cc : m_state.m_consoleControls) r += std::string("[") + cc->m_name + "]";
		return r;
	}
	std::string saved(consoleControl *cc)
	{
		char buf[512] = {0};
		FILE *f = fmemopen(buf, sizeof buf - 1, "w");
		cc->writeToGeoFile(f);
		std::fclose(f);
		return buf;
	}
};

} // namespace

TEST(ControlStep, IsThePowerOfTenBelowATwoHundredthOfTheRange)
{
	const struct {
		double lo, hi, step;
	} cases[] = {
		{0, 10, 0.01}, {0, 1, 0.001}, {0, 300, 1}, {0, 0, 1e-39}, {10, 0, 0.01}, {-5, 5, 0.01}, {0, 3000, 10},
	};
	for (const auto &c : cases) {
		const double s = ctrlRangeStep(c.lo, c.hi);
		EXPECT_NEAR(s, c.step, c.step * 1e-9) << c.lo << ".." << c.hi;
		// s < |d| <= 10 s, by a margin of rounding only
		const double d = std::fabs(c.hi - c.lo) / 200.0;
		if (d > 0.0) {
			EXPECT_TRUE(s < d && d <= 10.0 * s * (1.0 + 1e-12)) << c.lo << ".." << c.hi;
		}
	}
	EXPECT_EQ(ctrlRangeStep(0.0, std::numeric_limits<double>::quiet_NaN()), 1e-39);
}

TEST(SubDivision, DepthsAreRoundedAndKeptWithinOneToFive)
{
	const struct {
		double x;
		int depth;
	} cases[] = {
		{0, 1}, {9, 5}, {2.4, 2}, {2.5, 3}, {-7, 1}, {1e300, 5}, {-1e300, 1}, {std::nan(""), 1},
	};
	for (const auto &c : cases) EXPECT_EQ(subDivDepth(c.x), c.depth) << c.x;
}

TEST_F(Controls, SubDivisionCommandsRebuildTheSharedSpheres)
{
	typed("set_point_sub_div(2.5);");
	ASSERT_NE(g_pointSphere, nullptr);
	EXPECT_EQ(g_pointSphere->depth, 3);
	typed("set_sphere_sub_div(0);");
	ASSERT_NE(g_sphereSphere, nullptr);
	EXPECT_EQ(g_sphereSphere->depth, 1);
}

TEST_F(Controls, ControlsStackInCreationOrderAndReplaceByName)
{
	typed("ctrl_bool(a = 1); ctrl_range(b = 1, 0, 2); ctrl_select(c = 1, p = 1, q = 2);");
	EXPECT_EQ(names(), "[a][b][c]");
	// a second control of a name replaces the first, at the end
	typed("ctrl_range(a = 3, 0, 5);");
	EXPECT_EQ(names(), "[b][c][a]");
	EXPECT_EQ(value("a"), 3.0);
	EXPECT_NE(dynamic_cast<consoleControlRange *>(m_state.m_consoleControls[2]), nullptr);
	typed("ctrl_remove(b); ctrl_remove(nothing);");
	EXPECT_EQ(names(), "[c][a]");
	// the variable outlives its control
	EXPECT_EQ(value("b"), 1.0);
	typed("clc();");
	EXPECT_EQ(names(), "");
}

TEST_F(Controls, AnAssignmentAnywhereReachesTheControlAtTheNextUpdate)
{
	recordingControl *cc = new recordingControl("x");
	m_state.addConsoleControl(cc);
	typed("y = 2;");
	EXPECT_EQ(cc->m_updateRequired, 0);
	// an element counts for its array
	typed("x[1] = 7;");
	EXPECT_EQ(cc->m_updateRequired, 1);
	typed("x = 4;");
	ASSERT_EQ(cc->m_seen.size(), size_t(2));
	EXPECT_EQ(cc->m_seen[1], 4.0);
	// the state's own update refreshes it too
	m_state.m_globalScope->externalAssignVariable("x", e3ga(5.0), 0);
	m_state.updateDynStmts();
	EXPECT_EQ(cc->m_seen.back(), 5.0);
	// a variable that is gone reads as 0
	typed("remove(x);");
	EXPECT_EQ(cc->m_seen.back(), 0.0);
}

TEST_F(Controls, AMovedWidgetAssignsItsVariableAndRunsTheDynamicStatements)
{
	recordingControl *cc = new recordingControl("speed");
	m_state.addConsoleControl(cc);
	typed("dynamic{twice = 2 speed;}");
	cc->move(1.5);
	EXPECT_EQ(value("speed"), 1.5);
	EXPECT_EQ(value("twice"), 3.0);
	// the variable's object keeps the draw mode the user gave it
	typed("speed = stipple(speed);");
	cc->move(2.0);
	EXPECT_EQ(value("twice"), 4.0);
	const object *o = m_state.getObjectPtrByName("speed");
	ASSERT_NE(o, nullptr);
	EXPECT_NE(o->m_drawMode & DM_STIPPLE, 0);
}

TEST_F(Controls, AControlRemovedByTheDynamicStatementItRunsIsNotTouchedAgain)
{
	recordingControl *cc = new recordingControl("k");
	m_state.addConsoleControl(cc);
	typed("dynamic{if (k) { ctrl_remove(k); }}");
	ASSERT_EQ(names(), "[k]");
	cc->move(1.0);
	EXPECT_EQ(names(), "");
	EXPECT_EQ(value("k"), 1.0);
}

TEST_F(Controls, ControlsSaveTheConsoleLinesThatMakeThemAgain)
{
	typed("ctrl_bool(flag = 0.5); ctrl_select(m = 2, a = 1, b = 2.5); ctrl_range(r = 1, 0, 2);");
	ASSERT_EQ(names(), "[flag][m][r]");
	EXPECT_EQ(saved(m_state.m_consoleControls[0]), "console ctrl_bool(flag = 1);\n");
	typed("m = 2.5;");
	EXPECT_EQ(saved(m_state.m_consoleControls[1]),
	          "console ctrl_select(m = 2.5, a = 1, b = 2.5);\n");
	// a slider that was never shown has nothing to save
	EXPECT_EQ(saved(m_state.m_consoleControls[2]), "");
	// a value below zero, the control's or an option's, makes the control again
	const std::string line = "ctrl_select(m = -1, a = -1, b = 2.5);";
	typed("ctrl_select(m = 2, a = -1, b = 2.5); m = -1;");
	ASSERT_EQ(names(), "[flag][r][m]");
	EXPECT_EQ(saved(m_state.m_consoleControls[2]), "console " + line + "\n");
	EXPECT_EQ(typed(("ctrl_remove(m); m = 0; " + line + " m,").c_str()), "ans = -1.00\n");
	ASSERT_EQ(names(), "[flag][r][m]");
	EXPECT_EQ(saved(m_state.m_consoleControls[2]), "console " + line + "\n");
}

TEST_F(Controls, RenderSettingsReachTheUserInterface)
{
	std::vector<int> flags;
	for (int i = 0; i < menuTableLength(gui_menuTable); i++) flags.push_back(gui_menuTable[i].flags);
	UIstate ui;
	gui_state = &ui;
	typed("set_text_scale(-2); set_line_width(-3); set_point_size(0.25); set_vector_head_size(-0.5);");
	EXPECT_EQ(ui.m_textScale, 2.0);
	EXPECT_EQ(ui.m_tubeDraw.getLineWidth(), 3.0);
	EXPECT_EQ(ui.m_pointSize, 0.25);
	EXPECT_EQ(ui.m_vectorHeadSize, -0.5);
	// the setting is the argument's, whatever it was, and the menu item shows it
	const int item = menuTablePosition(gui_menuTable, menuCode(MC_GL_LINES));
	for (const char *cmd : {"set_gl_lines(1);", "set_gl_lines(1);", "set_gl_lines(0);", "set_gl_lines(0);",
	                        "set_gl_lines(2);"}) {
		typed(cmd);
		const bool lines = std::string(cmd) != "set_gl_lines(0);";
		EXPECT_EQ(ui.m_tubeDraw.getUseOpenGL(), lines) << cmd;
		EXPECT_EQ(gui_menuTable[item].value() != 0, lines) << cmd;
	}
	// without windows the window and console commands change nothing
	EXPECT_EQ(typed("set_window_title(t); prompt(p); prompt(); clc(); clf();"), "");
	gui_state = nullptr;
	for (size_t i = 0; i < flags.size(); i++) gui_menuTable[i].flags = flags[i];
}
