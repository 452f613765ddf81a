// The main menu in a shown main window on a virtual X server: the whole table
// with its texts, shortcuts, codes and flags, the effect of every command
// code, and the file commands answered in their choosers.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Menu_Bar.H>

#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/dynstmtwindow.h"
#include "view/glwindow.h"
#include "ui/mainwindow.h"
#include "ui/modalanswers.h"
#include "support/scratchfiles.h"
#include "ui/screenshotdialog.h"
#include "ui/selectwindow.h"
#include "support/shownui.h"
#include "state/state.h"
#include "ui/ui.h"
#include "ui/uimenu.h"

namespace {

class menu : public shownUI {
protected:
	scratchDir m_dir;
	modalAnswers m_answers;

	std::string write(const std::string &name, const std::string &text)
	{
		const std::string path = m_dir.file(name);
		writeFile(path, bytes(text.begin(), text.end()));
		return path;
	}
	// Runs a command as the menu does, then lets the scripts read.
	void run(int code)
	{
		ui_menuCommand(code);
		m_ui->timerCallback();
	}
	std::string consoleSince(size_t from) const { return consoleText().substr(from); }
	// Whether the console shows text from position from on.
	bool printed(size_t from, const std::string &text) const { return consoleSince(from).compare(0, text.size(), text) == 0; }
	bool has(const char *name) const { return g_state->getObjectPtrByName(name) != nullptr; }
	int position(int code) const { return menuTablePosition(gui_menuTable, menuCode(code)); }
};

TEST_F(menu, TheTableHoldsItsEntriesInOrder)
{
	struct item_s {
		const char *text;
		int shortcut;
		int code; // -1 a sub-menu, 0 the end of one
		int flags;
	};
	const int S = -1, E = 0, div = FL_MENU_DIVIDER, on = FL_MENU_TOGGLE | FL_MENU_VALUE, off = FL_MENU_TOGGLE,
	          r = FL_MENU_RADIO, rOn = FL_MENU_RADIO | FL_MENU_VALUE;
	const item_s items[] = {
	    {"&File", 0, S, 0}, {"&Open", FL_ALT + 'o', 49, 0}, {"Open ->", 0, S, 0}, {"Open geo file", 0, 1, 0},
	    {"Open geo playlist", 0, 28, 0}, {"Open g file", 0, 33, 0}, {nullptr, 0, E, 0},
	    {"Load .g directory", 0, 34, div}, {"&Save State", 0, 32, div}, {"&Replay", FL_ALT + 'r', 22, 0},
	    {"Next file in playlist", FL_ALT + '.', 29, 0}, {"Previous file in playlist", FL_ALT + ',', 30, div},
	    {"&Exit", FL_ALT + 'x', 2, 0}, {nullptr, 0, E, 0},
	    {"&View", 0, S, 0}, {"Select object", 0, 31, 0}, {"Hide", 0, S, 0}, {"Unhide &all", FL_ALT + 'a', 7, 0},
	    {"Select hidden object", 0, 8, 0}, {"Show hidden object", 0, 9, 0}, {nullptr, 0, E, 0},
	    {"Canvas", 0, S, 0}, {"White canvas", 0, 24, 0}, {"Light grey canvas", 0, 52, 0}, {"Grey canvas", 0, 25, 0},
	    {"Black canvas", 0, 26, 0}, {nullptr, 0, E, 0},
	    {"Console font size", 0, S, 0}, {"12", 0, 36, 0}, {"16", 0, 37, 0}, {"20", 0, 38, 0}, {"24", 0, 39, 0},
	    {nullptr, 0, E, 0},
	    {"Point size", 0, S, 0}, {"0.01", 0, 53, 0}, {"0.05", 0, 54, 0}, {"0.1", 0, 55, 0}, {"0.5", 0, 56, 0},
	    {nullptr, 0, E, 0},
	    {"Line Width", 0, S, 0}, {"1.0", 0, 61, 0}, {"2.0", 0, 62, 0}, {"4.0", 0, 63, 0}, {"8.0", 0, 64, 0},
	    {nullptr, 0, E, 0},
	    {"&Controls", 0, 4, on}, {"Scalar Controls", 0, 48, on}, {"Console", 0, 27, on},
	    {"&Labels always on top", FL_ALT + 'l', 5, on}, {"&Object description in statusbar", 0, 51, on},
	    {"&GL lines", 0, 60, off}, {"F&ullscreen", FL_ALT + 'u', 11, off}, {nullptr, 0, E, 0},
	    {"&Dynamic", 0, S, 0}, {"View Dynamic statements", 0, 35, div}, {"Start / resume animation", 0, 45, 0},
	    {"Pause animation", 0, 47, 0}, {"Stop animation", 0, 46, 0}, {"Playback speed", 0, S, 0},
	    {"0.25x realtime", 0, 15, r}, {"0.5x realtime", 0, 16, r}, {"realtime", 0, 17, rOn}, {"2x realtime", 0, 18, r},
	    {"4x realtime", 0, 19, r}, {"10x realtime", 0, 20, r}, {"AFAP", 0, 21, r}, {nullptr, 0, E, 0},
	    {nullptr, 0, E, 0},
	    {"&Utils", 0, S, 0}, {"Search for next &bookmark", FL_ALT + 'b', 23, div},
	    {"Output current camera orientation (bivector)", 0, 12, 0},
	    {"Output current camera orientation (rotor)", 0, 13, 0}, {"Output current camera translation", 0, 14, div},
	    {"Screenshot", 0, 50, 0}, {nullptr, 0, E, 0},
	    {"&Help", 0, S, 0}, {"About", 0, 3, 0}, {nullptr, 0, E, 0},
	    {nullptr, 0, E, 0},
	};
	ASSERT_EQ(sizeof items / sizeof items[0], 79u);
	ASSERT_EQ(sizeof gui_menuTable / sizeof gui_menuTable[0], 79u);
	EXPECT_EQ(menuTableLength(gui_menuTable), 78);
	for (int i = 0; i < 79; i++) {
		const Fl_Menu_Item &m = gui_menuTable[i];
		const item_s &x = items[i];
		if (x.text == nullptr) {
			EXPECT_EQ(m.text, nullptr) << i;
			continue;
		}
		ASSERT_NE(m.text, nullptr) << i;
		EXPECT_STREQ(m.text, x.text) << i;
		EXPECT_EQ(m.shortcut_, x.shortcut) << x.text;
		if (x.code == S) {
			EXPECT_EQ(m.flags, FL_SUBMENU) << x.text;
			EXPECT_EQ(m.callback_, nullptr) << x.text;
		} else {
			EXPECT_EQ(m.flags, x.flags) << x.text;
			EXPECT_EQ(reinterpret_cast<intptr_t>(m.user_data_), x.code) << x.text;
			EXPECT_EQ(m.callback_, ui_menuCallback) << x.text;
			// the first item of that code is this one
			EXPECT_EQ(position(x.code), i) << x.text;
		}
	}
}

TEST_F(menu, SettingsOfTheView)
{
	// light grey, then grey: the view is asked to draw at once
	ui_menuCommand(MC_CANVAS_LIGHT_GREY);
	EXPECT_FLOAT_EQ(g_state->m_cvColor[1], 0.65f);
	Fl::check();
	ui_menuCommand(MC_CANVAS_GREY);
	EXPECT_TRUE(m_ui->m_glWindow->damage() != 0);
	for (int i = 0; i < 3; i++) EXPECT_FLOAT_EQ(g_state->m_cvColor[i], 0.5f);
	EXPECT_FLOAT_EQ(g_state->m_cvColor[3], 0.0f);

	// labels always on top twice: as it was, checked
	for (int twice = 0; twice < 2; twice++) ui_menuCommand(MC_LABELS_ON_TOP);
	EXPECT_EQ(g_state->m_labelsAlwaysOnTop, 1);
	EXPECT_NE(gui_menuTable[position(MC_LABELS_ON_TOP)].value(), 0);

	// playback speeds divide time
	const std::pair<int, double> speeds[] = {{MC_SPEED_QUARTER, 4.0}, {MC_SPEED_HALF, 2.0}, {MC_SPEED_DOUBLE, 0.5},
	                                         {MC_SPEED_FOURFOLD, 0.25}, {MC_SPEED_TENFOLD, 0.1}, {MC_SPEED_AFAP, 0.0},
	                                         {MC_SPEED_REALTIME, 1.0}};
	for (const auto &s : speeds) {
		ui_menuCommand(s.first);
		EXPECT_DOUBLE_EQ(g_state->m_playbackSpeed, s.second) << s.first;
		// its item marked
		EXPECT_NE(gui_menuTable[position(s.first)].value(), 0) << s.first;
	}

	// the animation clock
	const std::pair<int, int> clock[] = {{MC_START_ANIMATION, state::ANIMATION_PLAYING},
	                                     {MC_PAUSE_ANIMATION, state::ANIMATION_PAUSED},
	                                     {MC_START_ANIMATION, state::ANIMATION_PLAYING},
	                                     {MC_STOP_ANIMATION, state::ANIMATION_STOPPED}};
	for (const auto &c : clock) {
		ui_menuCommand(c.first);
		EXPECT_EQ(g_state->m_animationMode, c.second) << c.first;
	}

	// codes that are no command change nothing
	for (int code : {0, 6, 10, 40, 57, 65, 1000}) ui_menuCommand(code);
	EXPECT_EQ(g_state->m_playbackSpeed, 1.0);

	// the search for a bookmark runs at full speed, in a scene file that plays
	g_state->openGAfile(write("s.geo", "wait\n").c_str(), 0, nullptr, -1);
	ui_menuCommand(MC_NEXT_BOOKMARK);
	EXPECT_EQ(g_state->m_bookmarkSearch, 1);
	EXPECT_EQ(g_state->m_playbackSpeed, 0.0);
	EXPECT_NE(gui_menuTable[position(MC_SPEED_AFAP)].value(), 0);
}

TEST_F(menu, UnhideAllShowsEveryObjectButTheProgramsOwn)
{
	g_state->addE3gaObject(e3ga(e3gai::e1), "a", DM_HIDE, 0, 0);
	g_state->addE3gaObject(e3ga(e3gai::e2), "b", DM_HIDE, 0, 0);
	ui_menuCommand(MC_UNHIDE_ALL);
	EXPECT_FALSE(g_state->getObjectPtrByName("a")->hidden());
	EXPECT_FALSE(g_state->getObjectPtrByName("b")->hidden());
	EXPECT_TRUE(g_state->getObjectPtrByName("camori")->hidden());
	EXPECT_TRUE(g_state->getObjectPtrByName("campos")->hidden());
}

TEST_F(menu, CameraOutput)
{
	size_t from = consoleText().size();
	// rotor 1: no turn, a zero bivector
	ui_menuCommand(MC_CAMERA_BIVECTOR);
	EXPECT_TRUE(printed(from, "Camera bivector: 0"));
	from = consoleText().size();
	ui_menuCommand(MC_CAMERA_ROTOR);
	EXPECT_TRUE(printed(from, "Camera rotor: 1.000000e+00"));
	from = consoleText().size();
	ui_menuCommand(MC_CAMERA_TRANSLATION);
	EXPECT_TRUE(printed(from, "Camera translation: 1.100000e+01*e3\n"));

	// a rotor stored at twice its size: the bivector printed is the
	// logarithm of the unit rotor, exp(-pi/4 e1^e2)
	glwindow::setCamOri(gp(2.0, e3ga(1.0) - e3ga(e3gai::e1 ^ e3gai::e2)));
	from = consoleText().size();
	ui_menuCommand(MC_CAMERA_BIVECTOR);
	EXPECT_TRUE(printed(from, "Camera bivector: -7.853982e-01*e1^e2")) << consoleSince(from);
	from = consoleText().size();
	ui_menuCommand(MC_CAMERA_ROTOR);
	EXPECT_TRUE(printed(from, "Camera rotor: 7.071068e-01 + -7.071068e-01*e1^e2")) << consoleSince(from);
}

TEST_F(menu, AboutShowsTheVersionAndTheLibraries)
{
	m_answers.press("Close");
	ui_menuCommand(MC_ABOUT);
	ASSERT_EQ(m_answers.seen.size(), 1u);
	const std::string &texts = m_answers.seen[0].texts;
	EXPECT_EQ(texts.find("Korimbel 0.71, "), 0u);
	EXPECT_NE(texts.find("\n\nKorimbel makes use of the following great libraries/programs:\n\n"
	                     "-flex and byacc (label typesetting parser)\n"
	                     "-zlib and libpng (reading and writing images)\n"
	                     "-FLTK (user interface)\n"
	                     "-ANTLR (console parser and internal programming language)\n"),
	          std::string::npos);
}

TEST_F(menu, OpenDecidesByTheExtensionInAnyCase)
{
	const std::string geo = write("a.geo", "e3ga a [e1]\n");
	const std::string upper = write("b.GEO", "e3ga b [e1]\n");
	const std::string bare = write("c", "e3ga c [e1]\n");
	const std::string g = write("d.g", "d = e2;\n");
	const std::string gpl = write("list.gpl", "play \"" + geo + "\"\n");
	// as a file system that ignores case leaves names
	const std::string upperG = write("E.G", "e = e3;\n");
	const std::string upperGpl = write("LIST.Gpl", "play b.GEO\n");
	struct case_s {
		std::string file;
		const char *object;     // made by the file, or null
		bool refused;           // "Can not handle file"
	} cases[] = {{upper, "b", false},    {bare, nullptr, true}, {upperG, "e", false}, {upperGpl, "b", false},
	             {geo, "a", false},      {g, "d", false},       {gpl, "a", false}};
	std::string lastOpened;
	for (const case_s &c : cases) {
		g_state->removeAllObjectsButSystem();
		m_ui->m_console->clear();
		m_answers.chooseFile(c.file);
		run(MC_OPEN);
		EXPECT_EQ(consoleText().find("Can not handle file '" + c.file + "'\n") != std::string::npos, c.refused)
		    << c.file;
		if (c.object != nullptr) {
			EXPECT_TRUE(has(c.object)) << c.file;
		}
		// a file opened is where the next chooser starts
		if (!c.refused) lastOpened = c.file;
		EXPECT_EQ(m_ui->m_prevAnyFile, lastOpened) << c.file;
	}
	// the chooser: its title, its filters and the file chosen last
	ASSERT_EQ(m_answers.seen.size(), 7u);
	EXPECT_EQ(m_answers.seen[6].title, "open file: ");
	EXPECT_EQ(m_answers.seen[6].filter.find("*.*\t*.geo\t*.gpl\t*.g\t"), 0u) << m_answers.seen[6].filter;
	EXPECT_EQ(m_ui->m_prevGeoFile, geo);
	EXPECT_EQ(m_ui->m_prevGPLFile, gpl);
	EXPECT_EQ(m_ui->m_prevGFile, g);
}

TEST_F(menu, FileCommandsAskWithTheirChoosers)
{
	const std::string geo = write("a.geo", "e3ga a [e1]\n");
	const std::string geo2 = write("b.geo", "e3ga b [e2]\n");
	const std::string gpl = write("list.gpl", "play \"" + geo + "\"\nplay \"" + geo2 + "\"\n");
	const std::string g = write("f.g", "f = e3;\n");
	const std::string dir = m_dir.file("src");
	ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
	write("src/h.g", "h = e1 + e2;\n");
	struct case_s {
		int code;
		std::string file;
		const char *title, *filter, *object;
	} cases[] = {
	    {MC_OPEN_GEO_FILE, geo, "Open geo file: ", "*.geo\t*.*\t", "a"},
	    {MC_OPEN_PLAYLIST, gpl, "Open gpl file: ", "*.gpl\t*.*\t", "a"},
	    {MC_OPEN_G_FILE, g, "Open g file: ", "*.g\t*.*\t", "f"},
	    {MC_LOAD_G_DIRECTORY, dir, "Open dir", nullptr, "h"},
	};
	for (const case_s &c : cases) {
		m_answers.chooseFile(c.file);
		run(c.code);
		ASSERT_FALSE(m_answers.seen.empty());
		EXPECT_EQ(m_answers.seen.back().title, c.title);
		EXPECT_TRUE(m_answers.seen.back().typedNameIsInItsDirectory()) << m_answers.seen.back().typed;
		if (c.filter != nullptr) {
			EXPECT_EQ(m_answers.seen.back().filter.find(c.filter), 0u) << m_answers.seen.back().filter;
		}
		EXPECT_TRUE(has(c.object)) << c.title;
	}
	// the playlist steps through its entries, and the first file replays
	run(MC_NEXT_IN_PLAYLIST);
	EXPECT_TRUE(has("b"));
	EXPECT_FALSE(has("a"));
	run(MC_PREVIOUS_IN_PLAYLIST);
	EXPECT_TRUE(has("a"));
	g_state->removeAllObjectsButSystem();
	run(MC_REPLAY);
	EXPECT_TRUE(has("a"));

	// the geo chooser starts from the file chosen last; cancelled, nothing opens
	m_answers.press("Cancel");
	g_state->removeAllObjectsButSystem();
	run(MC_OPEN_GEO_FILE);
	EXPECT_EQ(m_answers.seen.back().value, geo);
	// a name typed replaces the start file's
	EXPECT_EQ(m_answers.seen.back().typed, m_dir.file("<typed>"));
	EXPECT_FALSE(has("a"));
	EXPECT_TRUE(m_answers.allAnswered());
}

TEST_F(menu, SaveStateWritesASceneThatOpensAgain)
{
	g_state->consoleCommandCallback("kept = e1 + 2 e2,");
	const std::string file = m_dir.file("saved.geo");
	m_answers.chooseFile(file);
	run(MC_SAVE_STATE);
	ASSERT_EQ(m_answers.seen.size(), 1u);
	EXPECT_EQ(m_answers.seen[0].title, "Save file");
	EXPECT_EQ(m_answers.seen[0].filter.find("*.geo\t"), 0u);
	EXPECT_TRUE(m_answers.seen[0].typedNameIsInItsDirectory()) << m_answers.seen[0].typed;
	g_state->removeAllObjectsButSystem();
	ASSERT_FALSE(has("kept"));
	m_ui->openGeoFile(file.c_str());
	m_ui->timerCallback();
	EXPECT_TRUE(has("kept"));
	// a name without extension gets the scene files' one; the console says
	// where the scene went
	size_t from = consoleText().size();
	m_answers.chooseFile(m_dir.file("plain"));
	run(MC_SAVE_STATE);
	EXPECT_TRUE(printed(from, "Scene saved in '" + m_dir.file("plain.geo") + "'\n")) << consoleSince(from);
	// an existing file is replaced only after "Yes"
	const std::string mine = write("mine.geo", "title \"mine\"\n");
	for (const char *answer : {"No", "Yes"}) {
		from = consoleText().size();
		m_answers.chooseFile(mine);
		m_answers.press(answer);
		run(MC_SAVE_STATE);
		EXPECT_EQ(m_answers.seen.back().texts.find("The file '" + mine + "' exists. Replace it?\n"), 0u) << m_answers.seen.back().texts;
		EXPECT_EQ(readFile(mine).size() > 20, answer == std::string("Yes")) << answer;
		EXPECT_EQ(printed(from, "Scene saved in '" + mine + "'\n"), answer == std::string("Yes")) << consoleSince(from);
		EXPECT_EQ(printed(from, "Scene not saved: '" + mine + "' exists\n"), answer == std::string("No"))
		    << consoleSince(from);
	}
	// a directory that does not exist: nothing is written, and the next
	// chooser starts in the directory of the last answer that exists;
	// cancelled, the command ends quietly
	from = consoleText().size();
	m_answers.chooseFile(m_dir.file("nodir/s3.geo"));
	run(MC_SAVE_STATE);
	EXPECT_TRUE(printed(from, "Scene not saved: '" + m_dir.file("nodir/s3.geo") + "': no such file or directory\n"))
	    << consoleSince(from);
	m_answers.press("Cancel");
	run(MC_SAVE_STATE);
	EXPECT_EQ(m_answers.seen.back().directory + "/", m_dir.file(""));
	EXPECT_TRUE(m_answers.allAnswered());
}

TEST_F(menu, CommandsOpenTheirDialogs)
{
	struct case_s {
		int code;
		const char *title;
	} cases[] = {{MC_SELECT_OBJECT, "Select object:"},
	             {MC_SELECT_HIDDEN_OBJECT, "No hidden objects"},
	             {MC_SHOW_HIDDEN_OBJECT, "No hidden objects"},
	             {MC_DYNAMIC_STATEMENTS, "Dynamic statements:"},
	             {MC_SCREENSHOT, "Screen shot:"}};
	for (const case_s &c : cases) {
		ui_menuCommand(c.code);
		Fl_Window *w = Fl::modal();
		ASSERT_NE(w, nullptr) << c.code;
		EXPECT_STREQ(w->label(), c.title);
		w->do_callback();
		Fl::check();
		EXPECT_EQ(Fl::modal(), nullptr) << c.code;
	}
	EXPECT_EQ(m_ui->m_selectWindow, nullptr);
	EXPECT_EQ(m_ui->m_dynStmtWindow, nullptr);
	EXPECT_EQ(m_ui->m_screenShotDialog, nullptr);
}

TEST_F(menu, ExitLetsTheEventLoopEndWithoutDeletingTheWindowInItsCallback)
{
	const std::string geo = write("a.geo", "e3ga a [e1]\nsleep 100\n");
	g_state->openGAfile(geo.c_str(), 0, nullptr, -1);
	m_ui->timerCallback();
	mainWindow *window = m_ui->m_mainWindow;
	// as the menu bar does it: the callback of one of the window's own widgets
	gui_menuTable[position(MC_EXIT)].do_callback(m_ui->m_menubar);
	EXPECT_EQ(m_ui->m_mainWindow, nullptr);
	EXPECT_FALSE(window->shown());
	Fl::check();
	EXPECT_EQ(Fl::first_window(), nullptr);
	// the program's end: the scripts close without their delete handling
	g_state->deleteGAfileStack(nullptr, 0);
	EXPECT_EQ(g_state->m_GAfileStackDepth, -1);
}

} // namespace
