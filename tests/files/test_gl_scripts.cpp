// Scripts in a shown main window on a virtual X server: the keywords that
// act on the windows, the tick that reads scripts and moves the camera,
// Space in full screen, and "exit".
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Output.H>

#include <cmath>
#include <cstring>
#include <string>

#include "console/consolegafile.h"
#include "console/consolewindow.h"
#include "console/fl_console.h"
#include "view/glwindow.h"
#include "ui/mainwindow.h"
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
