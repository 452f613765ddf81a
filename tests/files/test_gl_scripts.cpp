// Scripts in a shown main window on a virtual X server: the keywords that
// act on the windows and the sizes they are held to, the tick that reads
// scripts and moves the camera, Space in full screen, and "exit".
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Output.H>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "console/consolegafile.h"
#include "console/consolewindow.h"
#include "console/fl_console.h"
#include "view/glwindow.h"
#include "ui/mainwindow.h"
#include "ui/scriptui.h"
#include "os/osdep.h"
#include "support/scratchfiles.h"
#include "support/shownui.h"
#include "state/state.h"
#include "ui/ui.h"

namespace {

double s_now = 0.0;
double fakeClock() { return s_now; }

class scriptWindows : public shownUI {
protected:
	scratchDir m_dir;

	void SetUp() override
	{
		s_now = 1000.0;
		u_timeSetSource(fakeClock);
		shownUI::SetUp();
	}
	void TearDown() override
	{
		shownUI::TearDown();
		u_timeSetSource(nullptr);
	}
	void line(const char *text) { g_state->m_consoleGAfile->read(g_state, text); }
	std::string write(const std::string &name, const std::string &text)
	{
		writeFile(m_dir.file(name), bytes(text.begin(), text.end()));
		return m_dir.file(name);
	}
	double camX()
	{
		return glwindow::getCamPos().grade(2).norm_a() > 121.0 ? std::sqrt(glwindow::getCamPos().grade(2).norm_a() - 121.0)
		                                                        : 0.0;
	}
};

TEST_F(scriptWindows, TitleStatusConsoleAndPanels)
{
	line("title \"a demo\"");
	EXPECT_STREQ(m_ui->m_mainWindow->label(), "Korimbel: a demo");
	line("status \"step one\"");
	EXPECT_STREQ(m_ui->m_statusOutput->value(), "step one");
	line("consolefontsize 14");
	EXPECT_EQ(m_ui->m_console->textsize(), 14);
	line("consolefontsize 40");
	EXPECT_NE(consoleText().find("UIstate::setConsoleFontSize(): invalid font size '40'"), std::string::npos);
	g_state->consoleCommandCallback("ctrl_bool(flag = 1);");
	EXPECT_EQ(g_state->m_consoleControls.size(), 1u);
	line("clearconsole");
	EXPECT_EQ(consoleText().find("invalid font size"), std::string::npos);
	EXPECT_EQ(g_state->m_consoleControls.size(), 0u);

	// panels by name in any case, toggled only when they differ
	line("hide CONTROLS");
	EXPECT_EQ(m_ui->m_controlGroupVisible, 0);
	line("hide controls");
	EXPECT_EQ(m_ui->m_controlGroupVisible, 0);
	line("show controls");
	EXPECT_EQ(m_ui->m_controlGroupVisible, 1);
	line("hide console");
	EXPECT_EQ(m_ui->m_consoleVisible, 0);
	line("show console");
	line("show scalar_controls");
	EXPECT_EQ(m_ui->m_scalarGroupVisible, 1);

	// a new top-level script: title "untitled", an empty status line
	std::string path = write("t.geo", "e3ga a [e1]\n");
	g_state->openGAfile(path.c_str(), 0, nullptr, -1);
	EXPECT_STREQ(m_ui->m_mainWindow->label(), "Korimbel: untitled");
	EXPECT_STREQ(m_ui->m_statusOutput->value(), "");
}

TEST_F(scriptWindows, SizesAndFullScreen)
{
	line("resize 700 500");
	Fl::check();
	EXPECT_EQ(m_ui->m_mainWindow->w(), 700);
	EXPECT_EQ(m_ui->m_mainWindow->h(), 500);
	line("viewwindowsize 500 300");
	Fl::check();
	EXPECT_EQ(m_ui->m_glWindow->w(), 500);
	EXPECT_EQ(m_ui->m_glWindow->h(), 300);
	EXPECT_NE(consoleText().find("New view window size: 500 x 300"), std::string::npos);
	const int margin = m_ui->m_consoleGroup->h() - m_ui->m_console->h();
	line("consoleheight 10 lines");
	EXPECT_EQ(m_ui->m_consoleGroup->h(), 10 * m_ui->m_console->textsize() + margin);
	line("consoleheight 150 pixels");
	EXPECT_EQ(m_ui->m_consoleGroup->h(), 150 + margin);
	line("consoleheight 150 inches");
	EXPECT_NE(consoleText().find("invalid 'consoleheight' entry"), std::string::npos);
	line("fullscreen");
	EXPECT_EQ(m_ui->m_fullscreen, 1);
	line("fullscreen on");
	EXPECT_EQ(m_ui->m_fullscreen, 1);
	line("fullscreen off");
	EXPECT_EQ(m_ui->m_fullscreen, 0);
}

TEST_F(scriptWindows, WindowSizesAreHeldWithinWhatTheViewsGLServes)
{
	// the view has drawn: the largest is the GL's viewport or the bound
	GLint dims[2] = {0, 0};
	m_ui->m_glWindow->make_current();
	glGetIntegerv(GL_MAX_VIEWPORT_DIMS, dims);
	const int most = uiMaxWindowSide();
	ASSERT_EQ(most, std::min({(int)dims[0], (int)dims[1], glwindow::sc_maxSide}));
	const std::string held = "' held within " + std::to_string(most) + " pixels\n";
	enum { NONE, HELD, INVALID };
	struct sizeCase {
		const char *line;
		// the size of the view, else of the main window, and the main
		// window's place when x is not -1
		bool view;
		int x, y, w, h;
		int message;
	};
	const sizeCase cases[] = {
	    {"resize 100000 100000", false, -1, -1, most, most, HELD},
	    {"resize 2147483647 2147483647", false, -1, -1, most, most, HELD},
	    {"resize 2147483647 -2147483648 600 500", false, most, -most, 600, 500, HELD},
	    {"resize 10 20 2147483647 450", false, 10, 20, most, 450, HELD},
	    {"resize 640 480", false, -1, -1, 640, 480, NONE},
	    {"resize 0 2147483647", false, -1, -1, 640, 480, INVALID},
	    {"resize -5 -2147483648", false, -1, -1, 640, 480, INVALID},
	    {"resize 2147483648 500", false, -1, -1, 640, 480, INVALID},
	    {"viewwindowsize 50000 50000", true, -1, -1, most, most, HELD},
	    {"viewwindowsize 300 2147483647", true, -1, -1, 300, most, HELD},
	    {"viewwindowsize 400 300", true, -1, -1, 400, 300, NONE},
	    {"viewwindowsize -1 2147483647", true, -1, -1, 400, 300, INVALID},
	    {"viewwindowsize -2147483648 5", true, -1, -1, 400, 300, INVALID},
	};
	for (const sizeCase &c : cases) {
		m_ui->m_console->clear();
		line(c.line);
		Fl::check();
		const Fl_Widget *w = c.view ? static_cast<Fl_Widget *>(m_ui->m_glWindow) : m_ui->m_mainWindow;
		EXPECT_EQ(boxOf(w).w, c.w) << c.line;
		EXPECT_EQ(boxOf(w).h, c.h) << c.line;
		if (c.x != -1) {
			EXPECT_EQ(boxOf(m_ui->m_mainWindow).x, c.x) << c.line;
			EXPECT_EQ(boxOf(m_ui->m_mainWindow).y, c.y) << c.line;
		}
		const std::string kw = std::string(c.line).substr(0, std::string(c.line).find(' '));
		const std::string text = consoleText();
		EXPECT_EQ(text.find("'" + kw + "' entry at line '") != std::string::npos && text.find(held) != std::string::npos,
		          c.message == HELD)
		    << c.line << "\n" << text;
		EXPECT_EQ(text.find("invalid '" + kw + "' entry") != std::string::npos, c.message == INVALID) << c.line;
		if (c.view && c.message != INVALID) {
			EXPECT_NE(text.find("New view window size: " + std::to_string(c.w) + " x " + std::to_string(c.h)),
			          std::string::npos)
			    << c.line;
		}
	}
	// the console's way to a scene-file line, which network peers use too
	m_ui->m_console->clear();
	g_state->consoleCommandCallback("cmd(\"viewwindowsize 50000 50000\");");
	Fl::check();
	EXPECT_EQ(m_ui->m_glWindow->w(), most);
	EXPECT_NE(consoleText().find(held), std::string::npos);
}

TEST_F(scriptWindows, TheTickReadsScriptsAndMovesTheCamera)
{
	std::string path = write("m.geo", "e3ga a [e1]\ncamtrl 1 [2*e1]\nsleep 2\ne3ga b [e2]\n");
	g_state->openGAfile(path.c_str(), 0, nullptr, -1);
	m_ui->timerCallback();
	EXPECT_NE(g_state->getObjectPtrByName("a"), nullptr);
	s_now += 0.5;
	m_ui->timerCallback();
	EXPECT_NEAR(camX(), 1.0, 1e-9);
	s_now += 1.5;
	m_ui->timerCallback();
	EXPECT_NEAR(camX(), 2.0, 1e-9);
	EXPECT_NE(g_state->getObjectPtrByName("b"), nullptr);
}

TEST_F(scriptWindows, SpaceInFullScreenPlaysTheNextEntry)
{
	write("one.geo", "e3ga one [e1]\n");
	write("two.geo", "e3ga two [e2]\n");
	std::string list = write("list.gpl", "play one.geo\nplay two.geo\n");
	g_state->openPlayList(list.c_str());
	auto space = [&] {
		Fl::e_keysym = ' ';
		Fl::e_state = 0;
		static char text[] = " ";
		Fl::e_text = text;
		Fl::e_length = 1;
		return m_ui->m_mainWindow->handle(FL_KEYBOARD);
	};
	// outside full screen Space is the console's
	space();
	EXPECT_EQ(g_state->m_playListPos, 0);
	line("fullscreen");
	EXPECT_EQ(space(), 1);
	EXPECT_EQ(g_state->m_playListPos, 1);
	// past the last entry it is taken all the same
	EXPECT_EQ(space(), 1);
	EXPECT_EQ(g_state->m_playListPos, 1);
}

TEST_F(scriptWindows, ExitEndsTheProgramOnceTheEventLoopHasTheWindowBack)
{
	std::string path = write("x.geo", "e3ga a [e1]\nexit\ne3ga b [e2]\n");
	g_state->openGAfile(path.c_str(), 0, nullptr, -1);
	m_ui->timerCallback();
	// reading stopped at the line; the window's pointers are gone at once
	EXPECT_NE(g_state->getObjectPtrByName("a"), nullptr);
	EXPECT_EQ(g_state->getObjectPtrByName("b"), nullptr);
	EXPECT_EQ(m_ui->m_mainWindow, nullptr);
	EXPECT_EQ(m_ui->m_console, nullptr);
	Fl::check();
	EXPECT_EQ(Fl::first_window(), nullptr);
}

} // namespace
