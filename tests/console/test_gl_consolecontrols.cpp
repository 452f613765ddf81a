// Console controls and the viewer's commands in a shown main window on a
// virtual X server: the rows of the scalar panel, the widgets of each kind,
// both directions of the binding with dynamic statements following, clicks
// of the window system's own pointer (xdotool) on remove buttons, check
// buttons and sliders, and the console, prompt, title and line commands.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Menu_Button.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Scroll.H>
#include <FL/Fl_Value_Slider.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/consolecontrol.h"
#include "console/consoleglobalscope.h"
#include "console/fl_console.h"
#include "ui/mainwindow.h"
#include "os/osdep.h"
#include "support/scratchfiles.h"
#include "support/shownui.h"
#include "state/state.h"
#include "ui/ui.h"
#include "ui/uimenu.h"

namespace {

// How long the window system may take to deliver a click.
constexpr double sc_clickTimeout = 5.0;

class controls : public shownUI {
protected:
	// A command entered as the console enters it.
	void run(const char *line)
	{
		g_consoleCommandCallback(line, g_state);
		Fl::check();
	}
	double value(const char *name)
	{
		e3ga v;
		g_state->m_globalScope->externalLookupVariable(name, 1, v);
		return v.scalar();
	}
	template <class C> C *control(size_t i)
	{
		return i < g_state->m_consoleControls.size() ? dynamic_cast<C *>(g_state->m_consoleControls[i]) : nullptr;
	}
	// A click of the window system's pointer at (dx, dy) inside widget w;
	// then the event loop runs until done() holds. False when it never does.
	bool click(Fl_Widget *w, int dx, int dy, const std::function<bool()> &done)
	{
		int X = w->x() + dx, Y = w->y() + dy;
		for (Fl_Window *p = w->window(); p != m_ui->m_mainWindow; p = p->window()) {
			X += p->x();
			Y += p->y();
		}
		char cmd[128];
		std::snprintf(cmd, sizeof cmd, "xdotool mousemove --window %lu %d %d click 1",
		              (unsigned long)fl_xid(m_ui->m_mainWindow), X, Y);
		if (std::system(cmd) != 0) return false;
		for (const double end = u_timeGet() + sc_clickTimeout; u_timeGet() < end;) {
			Fl::wait(0.02);
			if (done()) return true;
		}
		return false;
	}
};

} // namespace

TEST_F(controls, RowsStackDownThePanelAndRemoveClosesTheGap)
{
	run("ctrl_bool(b = 1); ctrl_range(r = 0.5, 0, 1); ctrl_select(s = 2, p = 1, q = 2);");
	consoleControlBool *cb = control<consoleControlBool>(0);
	consoleControlRange *cr = control<consoleControlRange>(1);
	consoleControlSelection *cs = control<consoleControlSelection>(2);
	ASSERT_TRUE(cb && cr && cs);
	// a 300-pixel panel: rows 25, 45 and 20 high, 5 apart, widgets out to 270
	EXPECT_EQ(boxOf(cb->m_removeButton), (box_s{5, 7, 60, 20}));
	EXPECT_EQ(boxOf(cb->m_checkButton), (box_s{70, 5, 200, 25}));
	EXPECT_EQ(boxOf(cr->m_removeButton), (box_s{5, 37, 60, 20}));
	EXPECT_EQ(boxOf(cr->m_valueSlider), (box_s{70, 35, 200, 25}));
	EXPECT_EQ(boxOf(cs->m_removeButton), (box_s{5, 87, 60, 20}));
	EXPECT_EQ(boxOf(cs->m_label), (box_s{70, 85, 40, 20}));
	EXPECT_EQ(boxOf(cs->m_menuButton), (box_s{125, 85, 145, 20}));
	EXPECT_STREQ(cs->m_label->label(), "s: ");
	EXPECT_STREQ(cb->m_removeButton->label(), "remove");
	const int children = m_ui->m_scalarGroupScroll->children();

	// the pointer clicks "remove" of the check button
	ASSERT_TRUE(click(cb->m_removeButton, 30, 10, [&] { return g_state->m_consoleControls.size() == 2; }));
	Fl::wait(0.0);
	EXPECT_EQ(boxOf(cr->m_valueSlider), (box_s{70, 5, 200, 25}));
	EXPECT_EQ(boxOf(cs->m_menuButton), (box_s{125, 55, 145, 20}));
	EXPECT_EQ(m_ui->m_scalarGroupScroll->children(), children - 2);
	EXPECT_EQ(value("b"), 1.0);

	// a second control of a name replaces the first at the end
	run("ctrl_bool(r = 1);");
	ASSERT_EQ(g_state->m_consoleControls.size(), size_t(2));
	EXPECT_EQ(g_state->m_consoleControls[0], cs);
	cb = control<consoleControlBool>(1);
	ASSERT_NE(cb, nullptr);
	EXPECT_EQ(boxOf(cb->m_checkButton), (box_s{70, 30, 200, 25}));
}

TEST_F(controls, SlidersTakeTheirRangeAndStep)
{
	const struct {
		const char *cmd;
		double lo, hi, step, value;
	} cases[] = {
		{"ctrl_range(v = 5, 0, 10);", 0, 10, 0.01, 5},
		{"ctrl_range(v = 1, 0, 1);", 0, 1, 0.001, 1},
		{"ctrl_range(v = 20, 0, 300);", 0, 300, 1, 20},
		// a reversed range: the same slider, the same step
		{"ctrl_range(v = 5, 10, 0);", 0, 10, 0.01, 5},
		// a negative step given is the automatic one of the slider
		{"ctrl_range(v = 0.5, 1, 0, -1);", 0, 1, 0.005, 0.5},
		{"ctrl_range(v = 2, 0, 4, 0.5);", 0, 4, 0.5, 2},
	};
	for (const auto &c : cases) {
		run(c.cmd);
		consoleControlRange *cr = control<consoleControlRange>(0);
		ASSERT_NE(cr, nullptr) << c.cmd;
		EXPECT_EQ(g_state->m_consoleControls.size(), size_t(1));
		EXPECT_DOUBLE_EQ(cr->m_valueSlider->minimum(), c.lo) << c.cmd;
		EXPECT_DOUBLE_EQ(cr->m_valueSlider->maximum(), c.hi) << c.cmd;
		EXPECT_DOUBLE_EQ(cr->m_valueSlider->step(), c.step) << c.cmd;
		EXPECT_DOUBLE_EQ(cr->m_valueSlider->value(), c.value) << c.cmd;
		EXPECT_DOUBLE_EQ(value("v"), c.value) << c.cmd;
	}
}

TEST_F(controls, MenusShowTheLastOptionOfTheirValue)
{
	run("ctrl_select(m = 2, a = 1, b = 2, c = 2); dynamic{mm = 10 m;}");
	consoleControlSelection *cs = control<consoleControlSelection>(0);
	ASSERT_NE(cs, nullptr);
	EXPECT_EQ(cs->nbOptions(), 3);
	EXPECT_STREQ(cs->m_menuButton->label(), "c");
	EXPECT_EQ(cs->m_menuButton->value(), 2);
	// a value of no option shows the first
	run("m = 3;");
	EXPECT_STREQ(cs->m_menuButton->label(), "a");
	EXPECT_EQ(value("m"), 3.0);
	run("m = 2;");
	EXPECT_STREQ(cs->m_menuButton->label(), "c");
	// choosing an item assigns its number and runs the dynamic statements
	cs->m_menuButton->picked(&cs->m_menuItems[0]);
	EXPECT_EQ(value("m"), 1.0);
	EXPECT_EQ(value("mm"), 10.0);
	EXPECT_STREQ(cs->m_menuButton->label(), "a");
	run("ctrl_select(k = 1, only = 1);");
	EXPECT_STREQ(control<consoleControlSelection>(1)->m_menuButton->label(), "only");
}

TEST_F(controls, CheckButtonsFollowTheirVariableAndThePointer)
{
	run("ctrl_bool(flag = 0.5); dynamic{cnt = flag + 10;}");
	consoleControlBool *cb = control<consoleControlBool>(0);
	ASSERT_NE(cb, nullptr);
	EXPECT_EQ(cb->m_checkButton->value(), 1);
	EXPECT_EQ(value("flag"), 1.0);
	run("flag = 0;");
	EXPECT_EQ(cb->m_checkButton->value(), 0);
	EXPECT_EQ(value("cnt"), 10.0);
	ASSERT_TRUE(click(cb->m_checkButton, 8, 12, [&] { return value("flag") == 1.0; }));
	EXPECT_EQ(cb->m_checkButton->value(), 1);
	EXPECT_EQ(value("cnt"), 11.0);
	// a click whose dynamic statement removes the very control clicked
	run("dynamic{if (flag == 0) { ctrl_remove(flag); }}");
	ASSERT_TRUE(click(cb->m_checkButton, 8, 12, [&] { return g_state->m_consoleControls.empty(); }));
	EXPECT_EQ(value("flag"), 0.0);
	EXPECT_EQ(value("cnt"), 10.0);
}

TEST_F(controls, SlidersDriveDynamicStatements)
{
	run("ctrl_range(r = 0, 0, 1); dynamic{w = 2 r;}");
	consoleControlRange *cr = control<consoleControlRange>(0);
	ASSERT_NE(cr, nullptr);
	run("r = 0.25;");
	EXPECT_DOUBLE_EQ(cr->m_valueSlider->value(), 0.25);
	EXPECT_DOUBLE_EQ(value("w"), 0.5);
	// the pointer presses near the slider's right end
	Fl_Value_Slider *s = cr->m_valueSlider;
	ASSERT_TRUE(click(s, s->w() - 8, s->h() / 2, [&] { return value("r") > 0.75; }));
	EXPECT_DOUBLE_EQ(value("w"), 2 * value("r"));
	EXPECT_DOUBLE_EQ(s->value(), value("r"));

	// clf() and a new scene remove the variables but keep the controls:
	// each variable takes its control's value again, and clf() keeps the
	// dynamic statement, which follows
	run("ctrl_bool(b = 1); ctrl_select(m = 2, p = 1, q = 2);");
	const double shown = s->value();
	scratchDir dir;
	const std::string scene = dir.file("new.geo");
	writeFile(scene, bytes{'\n'});
	for (const char *clear : {"clf();", "reset();", "open"}) {
		if (std::strcmp(clear, "open") != 0) run(clear);
		else g_state->openGAfile(scene.c_str(), 0, nullptr, -1);
		EXPECT_DOUBLE_EQ(value("r"), shown) << clear;
		EXPECT_EQ(value("b"), 1.0) << clear;
		EXPECT_EQ(value("m"), 2.0) << clear;
		EXPECT_EQ(g_state->m_consoleControls.size(), size_t(3)) << clear;
	}
	EXPECT_EQ(value("w"), 0.0);
	run("ctrl_range(r = 0.5, 0, 1); dynamic{w = 2 r;} clf();");
	EXPECT_DOUBLE_EQ(value("w"), 1.0);
}

TEST_F(controls, ConsoleWindowAndLineCommands)
{
	run("cprint(marker); ctrl_bool(b = 1);");
	EXPECT_NE(consoleText().find("marker\n"), std::string::npos);
	run("clc();");
	EXPECT_EQ(consoleText().find("marker"), std::string::npos);
	EXPECT_TRUE(g_state->m_consoleControls.empty());
	Fl::wait(0.0);
	// only the scroll bars stay in the panel
	EXPECT_EQ(m_ui->m_scalarGroupScroll->children(), 2);

	run("prompt(\"$ \");");
	EXPECT_STREQ(m_ui->m_console->prompt(), "$ ");
	run("prompt();");
	EXPECT_STREQ(m_ui->m_console->prompt(), ">> ");

	run("set_window_title(hello);");
	EXPECT_STREQ(m_ui->m_mainWindow->label(), "Korimbel: hello");
	// a title longer than its buffer is cut before a character it would split
	std::string accents;
	for (int i = 0; i < 1013; i++) accents += "\xc3\xa9";
	run(("set_window_title(\"" + accents + "\");").c_str());
	const std::string title = m_ui->m_mainWindow->label();
	EXPECT_EQ(title.size(), size_t(mainWindow::sc_titleBufferSize - 2));
	EXPECT_EQ(title.substr(0, 12), "Korimbel: \xc3\xa9");

	run("set_gl_lines(1); set_gl_lines(1);");
	EXPECT_TRUE(m_ui->m_tubeDraw.getUseOpenGL());
	EXPECT_NE(gui_menuTable[menuTablePosition(gui_menuTable, menuCode(MC_GL_LINES))].value(), 0);

	run("a = e1,");
	EXPECT_STRNE(m_ui->m_statusOutput->value(), "");
	run("clf();");
	EXPECT_STREQ(m_ui->m_statusOutput->value(), "");
	EXPECT_EQ(g_state->getObjectPtrByName("a"), nullptr);
	EXPECT_NE(g_state->getObjectPtrByName("campos"), nullptr);
}
