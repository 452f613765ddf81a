// The example scenes of demo/ and the scene-file examples and playlists of
// the user's guide (the fenced blocks marked "geo" and "gpl" in docs/*.md),
// each played to its
// end in the program's main window and drawn: none may print a message.
// What their console lines display ("name = value") is no message. Waits
// and sleeps pass at once, as during a search for a bookmark.
// Whatever a scene leaves draws as the guide says: vectors at their lengths,
// pictures in their own colours.
// The console sessions of each page (blocks marked "console") typed into the
// window, the view drawn after every command: the console reads as the page,
// and the scene they leave, saved and opened, is saved as the same file.
// Each demo played step by step, as a user presses Enter and waits: at every
// wait and sleep, and at its end, the status line shows whole the text of
// the demo's last "status" line.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Output.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "console/consolecontrol.h"
#include "files/gafile.h"
#include "os/osdep.h"
#include "scene/gaobject.h"
#include "scene/labelflags.h"
#include "scene/mvint.h"
#include "scene/textobject.h"
#include "view/glwindow.h"
#include "support/scratchfiles.h"
#include "support/shownui.h"
#include "state/state.h"

namespace {

namespace fs = std::filesystem;

// A scene of a demo or of the guide: where it lies and what the test is called.
struct scene {
	std::string name;
	std::string path;
};

void PrintTo(const scene &s, std::ostream *os) { *os << s.path; }

std::string fileText(const std::string &path)
{
	std::ifstream f(path);
	std::stringstream s;
	s << f.rdbuf();
	return s.str();
}

std::vector<std::string> lines(const std::string &text)
{
	std::vector<std::string> out;
	std::istringstream s(text);
	for (std::string l; std::getline(s, l);) out.push_back(l);
	return out;
}

// A test name of letters, digits and "_".
std::string identifier(const std::string &s)
{
	std::string id;
	for (char c : s) id += std::isalnum((unsigned char)c) ? c : '_';
	return id;
}

std::vector<std::string> filesIn(const std::string &dir, const std::string &extension)
{
	std::vector<std::string> found;
	for (const fs::directory_entry &e : fs::directory_iterator(dir))
		if (e.path().extension() == extension) found.push_back(e.path().string());
	std::sort(found.begin(), found.end());
	return found;
}

// The names of the files that these scene files or playlists open: they
// expect the arguments their openers give them, and play through them.
std::set<std::string> openedFiles(const std::vector<std::string> &files)
{
	std::set<std::string> opened;
	for (const std::string &f : files)
		for (const std::string &l : lines(fileText(f))) {
			std::istringstream words(l);
			std::string keyword, name;
			words >> keyword >> name;
			if (keyword == "import" || keyword == "open" || keyword == "switchto" || keyword == "play")
				opened.insert(name);
		}
	return opened;
}

// The demos, except those another demo opens.
std::vector<scene> demoScenes()
{
	std::vector<std::string> files = filesIn(KORIMBEL_DEMO_DIR, ".geo");
	const std::set<std::string> opened = openedFiles(files);
	std::vector<scene> scenes;
	for (const std::string &f : files) {
		const std::string base = fs::path(f).filename().string();
		if (!opened.count(base)) scenes.push_back({"demo_" + identifier(base), f});
	}
	return scenes;
}

// The guide's scene-file examples and playlists (blocks marked "geo" and
// "gpl"), written out as files, except those another example opens. A
// block may give its file name after the mark ("```geo part.geo"), so that
// another one can open it; the others are named by their page and line.
// They lie beside the guide's pictures.
std::vector<scene> guideScenes()
{
	static scratchDir dir;
	// the pictures of the guide, for examples of image labels
	fs::create_directory_symlink(KORIMBEL_DOCS_DIR "/images", dir.file("images"));
	std::vector<scene> scenes;
	std::vector<std::string> files;
	for (const std::string &page : filesIn(KORIMBEL_DOCS_DIR, ".md")) {
		const std::vector<std::string> text = lines(fileText(page));
		const std::string pageName = fs::path(page).stem().string();
		for (size_t i = 0; i < text.size(); i++) {
			const std::string mark = text[i].substr(0, 6);
			if (mark != "```geo" && mark != "```gpl") continue;
			std::string file = text[i].substr(6);
			file.erase(0, file.find_first_not_of(' '));
			const std::string name = pageName + "_line_" + std::to_string(i + 1);
			if (file.empty()) file = name + "." + mark.substr(3);
			std::ofstream out(dir.file(file));
			for (i++; i < text.size() && text[i].rfind("```", 0) != 0; i++) out << text[i] << "\n";
			scenes.push_back({identifier(name), dir.file(file)});
			files.push_back(dir.file(file));
		}
	}
	const std::set<std::string> opened = openedFiles(files);
	std::vector<scene> played;
	for (const scene &s : scenes)
		if (!opened.count(fs::path(s.path).filename().string())) played.push_back(s);
	return played;
}

// The pages that hold console sessions.
std::vector<scene> guideSessions()
{
	std::vector<scene> pages;
	for (const std::string &page : filesIn(KORIMBEL_DOCS_DIR, ".md"))
		if (fileText(page).find("```console\n") != std::string::npos)
			pages.push_back({identifier(fs::path(page).stem().string()), page});
	return pages;
}

// The lines of a page's console sessions, in order: commands (">> ...") and
// what they print.
std::vector<std::string> transcript(const std::string &page)
{
	std::vector<std::string> out;
	bool inSession = false;
	for (const std::string &l : lines(fileText(page))) {
		if (l.rfind("```", 0) == 0) inSession = !inSession && l == "```console";
		else if (inSession) out.push_back(l);
	}
	return out;
}

// Whether the label, where its last draw put it, lies whole inside the view.
bool wholeInView(const textObject &t)
{
	// a full-screen picture fills the view whatever its size
	if (t.m_flags & LF_FULLSCREEN) return true;
	// as the label's pick finds it: a window label's drawing space is in
	// pixels, another's is scaled to pixels
	double ux = 1.0, uy = 1.0;
	if (!(t.m_flags & LF_2D)) t.wcUnitXY(ux, uy);
	const double s = gui_state->m_textScale;
	const double corners[2][3] = {{0.0, 0.0, 0.0}, {t.m_width * s * ux, -t.m_height * s * uy, 0.0}};
	const double *v = t.m_viewport;
	for (const double *c : corners) {
		double w[2];
		t.windowCoordinates(c, w);
		if (!(w[0] >= v[0] && w[0] <= v[0] + v[2] && w[1] >= v[1] && w[1] <= v[1] + v[3])) return false;
	}
	return true;
}

// Objects of the scene not drawn as the guide says they are: an e3ga vector
// drawn at another length than its own (without the weight flag an arrow is
// one unit long), a picture tinted by a foreground colour other than white,
// a shown label not whole in the view.
std::string misdrawn()
{
	// lengths are compared to the console's two decimals
	constexpr double lengthTolerance = 0.005;
	std::string found;
	for (const auto &entry : g_state->m_objects) {
		const object *o = entry.second;
		if (const e3gaObject *v = dynamic_cast<const e3gaObject *>(o)) {
			if (v->kind() != MVI_VECTOR || (o->m_drawMode & DM_MAGNITUDE)) continue;
			const double length = std::sqrt(v->m_mv.norm_a());
			if (std::fabs(length - 1.0) > lengthTolerance)
				found += o->name() + ": a vector of length " + std::to_string(length) + " drawn one unit long\n";
		} else if (const textObject *t = dynamic_cast<const textObject *>(o)) {
			if ((t->m_flags & LF_IMAGE) && (o->fgColor()[0] != 1.0f || o->fgColor()[1] != 1.0f || o->fgColor()[2] != 1.0f))
				found += o->name() + ": a picture tinted by its foreground colour\n";
			if (!o->hidden() && !wholeInView(*t)) found += o->name() + ": a label not whole in the view\n";
		}
	}
	return found;
}

// The lines of console text that are neither a value a statement displayed
// nor the note of a new function: the messages.
std::string messages(const std::string &console)
{
	static const std::string blade = "[A-Za-z0-9_]+(\\^[A-Za-z0-9_]+)*";
	static const std::regex value("(>> )?.+ = (0|-?[0-9]+\\.[0-9]+(\\*" + blade + ")?( \\+ -?[0-9]+\\.[0-9]+\\*" +
	                              blade + ")*)");
	static const std::regex added("(>> )?Added (function|batch) .*");
	std::string found;
	for (const std::string &l : lines(console))
		if (l != " " && l != ">> " && !std::regex_match(l, value) && !std::regex_match(l, added)) found += l + "\n";
	return found;
}

// A scene plays until a tick reads nothing more; a scene longer than this
// many lines of reading steps would be cut off, and the test says so.
constexpr int sc_maxTicks = 5000;

// Where the scripts are read: the file on top of the stack and its place.
struct readingPlace {
	int depth;
	const GAfile *top;
	long pos;

	static readingPlace now()
	{
		const int depth = g_state->m_GAfileStackDepth;
		const GAfile *top = depth >= 0 ? g_state->m_GAfileStack[depth] : nullptr;
		return {depth, top, top != nullptr ? top->m_pos : -1};
	}
	// The same place as before, and no file waiting to be opened: a tick
	// read nothing more.
	bool stillAt(const readingPlace &before) const
	{
		return depth == before.depth && top == before.top && pos == before.pos && g_state->m_openFilename == nullptr;
	}
};

class playedScene : public shownUI, public testing::WithParamInterface<scene> {
protected:
	// Plays the file from its start to its end, ticking as the timer does;
	// true when it came to its end.
	bool play(const std::string &path)
	{
		if (fs::path(path).extension() == ".gpl") g_state->openPlayList(path.c_str());
		else g_state->openGAfile(path.c_str(), 0, nullptr, -1);
		for (int i = 0; i < sc_maxTicks; i++) {
			const readingPlace before = readingPlace::now();
			// waits and sleeps pass, motions and fades end at once
			g_state->bookmarkSearch();
			m_ui->timerCallback();
			m_ui->m_glWindow->redraw();
			Fl::check();
			if (readingPlace::now().stillAt(before)) return true;
		}
		return false;
	}
};

TEST_P(playedScene, PlaysToItsEndWithoutMessages)
{
	const std::string text = fileText(GetParam().path);
	// a scene that ends the program would take the test's window with it
	for (const std::string &l : lines(text)) {
		std::istringstream words(l);
		std::string keyword;
		words >> keyword;
		ASSERT_NE(keyword, "exit") << GetParam().path << ": an example may not end the program";
	}
	testing::internal::CaptureStdout();
	const bool ended = play(GetParam().path);
	const std::string printed = testing::internal::GetCapturedStdout();
	EXPECT_TRUE(ended) << GetParam().path << " still read after " << sc_maxTicks << " ticks";
	EXPECT_EQ(messages(consoleText()), "") << GetParam().path;
	EXPECT_EQ(printed, "") << GetParam().path;
	EXPECT_EQ(misdrawn(), "") << GetParam().path;
}

// What a scene drew: each object's colours (not the program's own
// variables), and the console controls.
std::string drawn()
{
	std::ostringstream out;
	for (const auto &o : g_state->m_objects) {
		if (o.second->m_drawMode & DM_INTERNAL) continue;
		out << *o.first;
		for (const float *c : {o.second->fgColor(), o.second->bgColor(), o.second->olColor()})
			for (int i = 0; i < 4; i++) out << " " << c[i];
		out << "\n";
	}
	for (const consoleControl *c : g_state->m_consoleControls) out << "control " << c->m_name << "\n";
	return out.str();
}

class demoAfterAnother : public playedScene {};

// Each demo starts clean: played after a scene that left a console control
// (whose variable a new scene gets back) and colours, it draws as alone.
TEST_P(demoAfterAnother, DrawsAsAlone)
{
	testing::internal::CaptureStdout();
	ASSERT_TRUE(play(GetParam().path));
	const std::string alone = drawn();
	g_state->consoleCommandCallback("ctrl_range(leftover = 0.5, 0, 1);", nullptr, false);
	for (const char *c : {"fgcolor", "bgcolor", "olcolor"}) g_state->setColor(c, 0.1f, 0.2f, 0.3f, 0.4f);
	ASSERT_TRUE(play(GetParam().path));
	testing::internal::GetCapturedStdout();
	EXPECT_EQ(drawn(), alone) << GetParam().path;
}

// The text of the last "status" line among the first n lines of a scene
// file; false when there is none.
bool lastStatus(const std::string &path, int n, std::string &text)
{
	static const std::regex status("\\s*status\\s+(\"((\\\\.|[^\"\\\\])*)\"|(\\S+)).*", std::regex::icase);
	const std::vector<std::string> read = lines(fileText(path));
	bool found = false;
	for (int i = 0; i < n && i < (int)read.size(); i++) {
		std::smatch m;
		if (!std::regex_match(read[i], m, status)) continue;
		text = m[2].matched ? std::regex_replace(m[2].str(), std::regex("\\\\(.)"), "$1") : m[4].str();
		found = true;
	}
	return found;
}

class narratedDemo : public shownUI, public testing::WithParamInterface<scene> {
protected:
	// the clock moves only when a sleep of the demo is to end
	static double s_now;
	static double clock() { return s_now; }
	void SetUp() override
	{
		s_now = 1000.0;
		u_timeSetSource(clock);
		shownUI::SetUp();
	}
	void TearDown() override
	{
		shownUI::TearDown();
		u_timeSetSource(nullptr);
	}

	// What the status line should show now: the last status text read, in
	// the file on top or, when it has none, in the files below it that are
	// read up to their import; "" when none (an opened file starts empty).
	std::string expectedStatus() const
	{
		std::string text;
		for (int d = g_state->m_GAfileStackDepth; d >= 0; d--) {
			const GAfile *f = g_state->m_GAfileStack[d];
			// the reader counts lines from 1, and a line once it is read
			if (f != nullptr && lastStatus(f->filename(), f->m_lineNb - 1, text)) return text;
		}
		return "";
	}
	// The status line against the expected text at a pause: what differs,
	// or what does not fit in the line's width.
	std::string statusProblem(const std::string &where) const
	{
		const Fl_Output *out = m_ui->m_statusOutput;
		const std::string expected = expectedStatus(), shown = out->value();
		if (shown != expected) return where + ": the status line shows \"" + shown + "\", not \"" + expected + "\"\n";
		// the box's frame and the output's margin, on both sides
		constexpr int margins = 2 * (3 + 3);
		fl_font(out->textfont(), out->textsize());
		if (fl_width(shown.c_str()) > out->w() - margins) return where + ": \"" + shown + "\" does not fit the status line\n";
		return "";
	}
};

double narratedDemo::s_now = 0.0;

TEST_P(narratedDemo, EachStepShowsItsStatusWhileItWaits)
{
	testing::internal::CaptureStdout();
	g_state->openGAfile(GetParam().path.c_str(), 0, nullptr, -1);
	std::string problems;
	bool ended = false;
	for (int i = 0; i < sc_maxTicks && !ended; i++) {
		const readingPlace before = readingPlace::now();
		m_ui->timerCallback();
		m_ui->m_glWindow->redraw();
		Fl::check();
		const readingPlace after = readingPlace::now();
		const bool sleeping = g_state->m_inputSleepTime >= 0.0 && s_now < g_state->m_inputSleepTime;
		const std::string where =
		    after.top != nullptr ? std::string(after.top->filename()) + ":" + std::to_string(after.top->m_lineNb - 1) : "";
		if (g_state->m_inputWait || sleeping) {
			problems += statusProblem(where);
			// Enter, or the time the sleep asked for
			if (g_state->m_inputWait) g_state->setInputWaitState(0);
			else s_now = g_state->m_inputSleepTime;
		} else if (after.stillAt(before)) {
			problems += statusProblem(where + " (the end)");
			ended = true;
		}
	}
	testing::internal::GetCapturedStdout();
	EXPECT_TRUE(ended) << GetParam().path << " still read after " << sc_maxTicks << " ticks";
	EXPECT_EQ(problems, "") << GetParam().path;
}

class typedSession : public shownUI, public testing::WithParamInterface<scene> {};

TEST_P(typedSession, ReadsInTheWindowAsOnThePage)
{
	const std::vector<std::string> session = transcript(GetParam().path);
	m_ui->m_console->clear();
	std::string expected = " \n";
	testing::internal::CaptureStdout();
	for (const std::string &l : session) {
		expected += l + "\n";
		if (l != ">>" && l.rfind(">> ", 0) != 0) continue;
		// typed at the prompt and entered, as Enter does, then a tick and a frame
		m_ui->m_console->command(l.c_str() + std::min<size_t>(l.size(), 3));
		m_ui->m_console->commandEnter();
		m_ui->m_console->newPrompt();
		m_ui->timerCallback();
		m_ui->m_glWindow->redraw();
		Fl::check();
	}
	const std::string printed = testing::internal::GetCapturedStdout();
	// the console ends each prompt in a blank, the page does not
	std::string shown;
	for (const std::string &l : lines(consoleText())) shown += (l == ">> " ? ">>" : l) + "\n";
	EXPECT_EQ(shown, expected + ">>\n") << GetParam().path;
	EXPECT_EQ(printed, "") << GetParam().path;

	// what the session leaves, saved, opened and saved again: the same file
	scratchDir dir;
	const std::string saved = dir.file("saved.geo"), again = dir.file("again.geo");
	ASSERT_EQ(g_state->writeStateToGeoFile(saved.c_str()), 0);
	g_state->openGAfile(saved.c_str(), 0, nullptr, -1);
	g_state->readScripts();
	Fl::check();
	ASSERT_EQ(g_state->writeStateToGeoFile(again.c_str()), 0);
	EXPECT_EQ(fileText(again), fileText(saved)) << GetParam().path;
}

// What the scenes' test takes for a message, and what for a displayed value.
TEST(GuideSceneMessages, AreTheLinesThatShowNoValue)
{
	const struct {
		const char *console, *messages;
	} cases[] = {
	    {" \n>> a = 1.00*e1 + 1.00*no + 0.50*ni\n>> ", ""},
	    {">> ab = 0.70 + 0.09*e2^e3 + -0.30*e3^e1\n>> \"my var\" = 0\n>> x[2] = -2.50\n", ""},
	    {">> Added function f( a)\n>> ", ""},
	    {">> Coerced 'R' to c3ga\n>> Cr = 1.76*e1^e2^no\n", ">> Coerced 'R' to c3ga\n"},
	    {">> line 1:12: expecting ), found ','\n>> p = 0\n", ">> line 1:12: expecting ), found ','\n"},
	    {">> Interpretation of object 'm' with coordinates 1.00 + 1.00*e1 failed.\n",
	     ">> Interpretation of object 'm' with coordinates 1.00 + 1.00*e1 failed.\n"},
	    {">> warning: GAfile::parseLine(): file 'x.geo': Unknown entry 'labl' at line '3'\n",
	     ">> warning: GAfile::parseLine(): file 'x.geo': Unknown entry 'labl' at line '3'\n"},
	};
	for (const auto &c : cases) EXPECT_EQ(messages(c.console), c.messages) << c.console;
}

INSTANTIATE_TEST_SUITE_P(Demo, playedScene, testing::ValuesIn(demoScenes()),
                         [](const testing::TestParamInfo<scene> &p) { return p.param.name; });
INSTANTIATE_TEST_SUITE_P(Demo, demoAfterAnother, testing::ValuesIn(demoScenes()),
                         [](const testing::TestParamInfo<scene> &p) { return p.param.name; });
INSTANTIATE_TEST_SUITE_P(Demo, narratedDemo, testing::ValuesIn(demoScenes()),
                         [](const testing::TestParamInfo<scene> &p) { return p.param.name; });
INSTANTIATE_TEST_SUITE_P(Guide, playedScene, testing::ValuesIn(guideScenes()),
                         [](const testing::TestParamInfo<scene> &p) { return p.param.name; });
INSTANTIATE_TEST_SUITE_P(Guide, typedSession, testing::ValuesIn(guideSessions()),
                         [](const testing::TestParamInfo<scene> &p) { return p.param.name; });

} // namespace
