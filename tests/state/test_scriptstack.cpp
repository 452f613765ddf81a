// The state's stack of script files: levels of opening, imports and
// switches, the bound on nested imports, the deferred open, sleeps and waits
// on a clock the test moves, playlists, bookmark searches, and lines and
// statements that ask for what would delete what runs them.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

#include "support/scriptfixture.h"

namespace {

class Stack : public scriptTest {};

TEST_F(Stack, OpenLevelsImportsAndSwitches)
{
	// a missing top-level file: the message, and nothing else changes
	typed("u = 1;");
	std::string missing = m_dir.file("missing.geo");
	EXPECT_EQ(open(missing), "GAfile::GAfile(): can not open '" + missing + "': no such file or directory\n");
	EXPECT_EQ(m_state.m_GAfileStackDepth, -1);
	EXPECT_TRUE(has("u"));

	// an import runs nested with its arguments, its last line without a line
	// feed counts, and the file below goes on after it
	std::string b = write("b.geo", "e3ga $1 [e2]\nsleep 1\ne3ga $2 [e3]");
	std::string a = write("a.geo", "e3ga a [e1]\nimport b.geo \"x y\" z\nimport missing.geo\ne3ga c [e3]\n");
	open(a);
	// the program's own variables stay through the file's start
	for (const char *system : {"camori", "campos", "autocolor"}) EXPECT_TRUE(has(system)) << system;
	EXPECT_EQ(tick(), "");
	EXPECT_TRUE(has("a") && !has("x y"));
	ASSERT_EQ(m_state.m_GAfileStackDepth, 1);
	EXPECT_EQ(top()->m_closeAtEOF, 1);
	EXPECT_EQ(tick(), "");
	EXPECT_TRUE(has("x y") && !has("z"));
	later(1.0);
	EXPECT_EQ(tick(), "");
	EXPECT_TRUE(has("z"));
	EXPECT_EQ(m_state.m_GAfileStackDepth, 0);
	// the import of a missing file leaves the importing file on top, which reads on
	EXPECT_EQ(tick(), "GAfile::GAfile(): can not open '" + missing + "': no such file or directory\n");
	EXPECT_FALSE(has("c"));
	tick();
	EXPECT_TRUE(has("c"));
	// a top-level file stays at its end
	EXPECT_EQ(m_state.m_GAfileStackDepth, 0);
	EXPECT_STREQ(top()->filename(), a.c_str());

	// a switch to a missing file, or a top-level open of one, while only the
	// top-level file is open keeps it and its scene
	for (int level : {0, -1}) {
		m_state.setOpenFile(missing.c_str(), 0, nullptr, level);
		EXPECT_EQ(tick(), "GAfile::GAfile(): can not open '" + missing + "': no such file or directory\n");
		EXPECT_TRUE(has("a") && has("c"));
		EXPECT_STREQ(top()->filename(), a.c_str());
	}
	// a switch while only the top-level file is open starts over
	m_state.setOpenFile(b.c_str(), 0, nullptr, 0);
	tick();
	EXPECT_TRUE(!has("a") && !has("c"));
	EXPECT_STREQ(top()->filename(), b.c_str());
	EXPECT_EQ(top()->m_closeAtEOF, 0);
	// a switch above the top-level file takes the place of the file on top,
	// and its ending
	std::string c = write("c.geo", "switchto d.geo\n");
	write("d.geo", "e3ga d [e1]\n");
	open(a);
	m_state.openGAfile(c.c_str(), 0, nullptr, 1);
	tick();
	EXPECT_EQ(m_state.m_GAfileStackDepth, 1);
	EXPECT_EQ(top()->m_closeAtEOF, 1);
	tick();
	EXPECT_TRUE(has("d"));
	EXPECT_EQ(m_state.m_GAfileStackDepth, 0);
	EXPECT_EQ(m_state.filenameOnGAfileStack(a.c_str(), -1), 1);
	EXPECT_EQ(m_state.filenameOnGAfileStack(c.c_str(), -1), 0);
	// replaying opens the bottom file again; once it is gone, the scene and
	// the stack stay
	m_state.replayFirstGAfile();
	EXPECT_FALSE(has("d"));
	EXPECT_EQ(m_state.m_GAfileStackDepth, 0);
	tick();
	ASSERT_EQ(std::remove(a.c_str()), 0);
	EXPECT_EQ(output([&] { EXPECT_EQ(m_state.replayFirstGAfile(), -1); }), "GAfile::GAfile(): can not open '" + a + "': no such file or directory\n");
	EXPECT_TRUE(has("a"));
	EXPECT_STREQ(m_state.m_GAfileStack[0]->filename(), a.c_str());
}

TEST_F(Stack, ImportsNestBoundedAndNotFromDirectories)
{
	// a file that imports itself, or two that import each other, stop with
	// one message naming the file: the imports it was nested in read no
	// further, and the top-level file reads on after its import line; a file
	// that imports itself twice stops as soon
	const std::string self = write("self.geo", "import self.geo\nconsole n = n + 1;\n");
	write("b.geo", "console n = n + 1;\nimport a.geo\n");
	const std::string a = write("a.geo", "import b.geo\n");
	const std::string cons = write("cons.geo", "console cmd(\"import cons.geo\");\nconsole n = n + 1;\n");
	const std::string twice = write("twice.geo", "import twice.geo\nconsole n = n + 1;\nimport twice.geo\n");
	const struct {
		std::string file, refused;
		// the objects the files' lines made: n counts the lines run after imports
		const char *n;
	} rows[] = {
		{self, self, "1"},
		{a, a, "16"},
		// through a console line, which imports at once, nested on the call stack
		{cons, cons, "1"},
		{twice, twice, "1"},
	};
	for (const auto &r : rows) {
		typed("n = 0;");
		open(r.file);
		// a tick a file on the way up and on the way down, within a bound,
		// and one for the top-level file's next lines, for each of its imports
		std::string printed = tick();
		for (int import = 0; import < 2; import++) {
			for (int i = 0; i < 200 && m_state.m_GAfileStackDepth > 0; i++) printed += tick();
			printed += tick();
		}
		const std::string refusal = "Not imported: '" + r.refused +
		                            "': imports nest at most 32 files deep; does a file import itself? The imports it "
		                            "was nested in are read no further\n";
		// the file that imports itself twice is refused once for each of its own imports
		EXPECT_EQ(printed, r.file == twice ? refusal + refusal : refusal) << r.file;
		EXPECT_EQ(m_state.m_GAfileStackDepth, 0) << r.file;
		EXPECT_EQ(value("n"), r.n) << r.file;
	}
	// a directory is refused with a message, and the file reads on
	const std::string dir = write("d.geo", "import .\ne3ga after [e1]\n");
	open(dir);
	std::string printed = tick();
	printed += tick();
	EXPECT_EQ(printed, "GAfile::GAfile(): can not open '" + m_dir.file(".") + "': it is a directory\n");
	EXPECT_TRUE(has("after"));
	EXPECT_EQ(m_state.m_GAfileStackDepth, 0);
}

TEST_F(Stack, DeleteHandlingWhenFilesAreDropped)
{
	std::string gone = write("gone.geo", "delete yes\n");
	std::string kept = write("kept.geo", "delete maybe\n");
	open(gone);
	tick();
	// dropping the stack by name: the file said it deletes itself
	m_state.deleteGAfileStack(gone.c_str(), 0);
	EXPECT_NE(access(gone.c_str(), F_OK), 0);
	open(kept);
	tick();
	m_state.deleteGAfileStack(kept.c_str(), 0);
	EXPECT_EQ(access(kept.c_str(), F_OK), 0);
	// without a name there is no delete handling
	gone = write("gone.geo", "delete yes\n");
	open(gone);
	tick();
	m_state.deleteGAfileStack(nullptr, 0);
	EXPECT_EQ(access(gone.c_str(), F_OK), 0);
}

TEST_F(Stack, SleepsAddUpAndWaitsExtendThem)
{
	std::string path = write("s.geo", "sleep 2\ne3ga a [e1]\nsleep 1\nsleep 1\ne3ga b [e2]\nsleep 1\ne3ga c [e3]\n");
	open(path);
	tick();
	EXPECT_EQ(m_state.m_inputSleepTime, 1002.0);
	later(1.75);
	tick();
	EXPECT_FALSE(has("a"));
	later(0.25);
	tick();
	// two sleeps of a second end two seconds after the first began
	EXPECT_TRUE(has("a"));
	EXPECT_EQ(m_state.m_inputSleepTime, 1003.0);
	later(1.0);
	tick();
	EXPECT_FALSE(has("b"));
	EXPECT_EQ(m_state.m_inputSleepTime, 1004.0);
	later(1.0);
	tick();
	EXPECT_TRUE(has("b"));
	// a wait that begins during a sleep extends it by the time waited
	later(0.5);
	m_state.setInputWaitState(1);
	later(3.0);
	tick();
	m_state.setInputWaitState(0);
	EXPECT_EQ(m_state.m_inputSleepTime, 1008.0);
	later(0.25);
	tick();
	EXPECT_FALSE(has("c"));
	later(0.25);
	tick();
	EXPECT_TRUE(has("c"));
	// a wait that begins after the sleep ended drops it
	later(0.25);
	m_state.setInputWaitState(1);
	EXPECT_EQ(m_state.m_inputSleepTime, -1.0);
	m_state.setInputWaitState(0);

	// sleeps are stretched by the playback speed; a wait line stops reading
	write("s.geo", "sleep 1\ne3ga d [e1]\nwait\ne3ga e [e2]\n");
	open(path);
	m_state.setPlaybackSpeed(2.0);
	tick();
	later(1.5);
	tick();
	EXPECT_FALSE(has("d"));
	later(0.5);
	tick();
	EXPECT_TRUE(has("d") && !has("e"));
	later(10.0);
	tick();
	EXPECT_FALSE(has("e"));
	m_state.setInputWaitState(0);
	tick();
	EXPECT_TRUE(has("e"));
}

TEST_F(Stack, Playlists)
{
	write("one.geo", "e3ga $1 [e1]\n");
	write("two.geo", "e3ga $1 [e2]\n");
	// the last entry counts without its line feed; any other keyword is refused
	std::string list = write("list.gpl", "play one.geo first\n# a comment\nwait\nplay two.geo \"second entry\" x");
	EXPECT_EQ(typed("u = 1;"), "");
	// (said once the scene that opens has read its first lines)
	std::string out = output([&] { m_state.openPlayList(list.c_str()); });
	out += tick();
	EXPECT_NE(out.find("GAfile::parseLine(): file '" + list + "': invalid entry 'wait' while parsing playlist\n"), std::string::npos);
	ASSERT_EQ(m_state.m_playListLength, 2);
	EXPECT_STREQ(m_state.m_playList[0].filename, m_dir.file("one.geo").c_str());
	EXPECT_EQ(m_state.m_playList[1].nbArg, 2);
	EXPECT_STREQ(m_state.m_playList[1].arg[0], "second entry");
	EXPECT_EQ(m_state.m_playListPos, 0);
	EXPECT_TRUE(has("first") && !has("u"));
	m_state.nextPlayListEntry();
	tick();
	EXPECT_TRUE(has("second entry") && !has("first"));
	// stepping past either end reports the range and keeps the position
	EXPECT_EQ(output([&] { EXPECT_EQ(m_state.nextPlayListEntry(), -1); }),
	          "state::setPlayListPos(): playlist position '3' is out of range\n");
	EXPECT_EQ(m_state.m_playListPos, 1);
	m_state.previousPlayListEntry();
	EXPECT_EQ(output([&] { EXPECT_EQ(m_state.previousPlayListEntry(), -1); }),
	          "state::setPlayListPos(): playlist position '0' is out of range\n");
	EXPECT_EQ(m_state.m_playListPos, 0);
	// a playlist that cannot be read leaves the one loaded, and the scene
	tick();
	const std::string missing = m_dir.file("missing.gpl");
	EXPECT_EQ(output([&] { EXPECT_EQ(m_state.openPlayList(missing.c_str()), -1); }),
	          "GAfile::GAfile(): can not open '" + missing + "': no such file or directory\n");
	EXPECT_EQ(m_state.m_playListLength, 2);
	EXPECT_EQ(m_state.m_playListPos, 0);
	EXPECT_TRUE(has("first"));

	// a playlist plays another's entries in its place, read with the line's
	// arguments and names relative to that one's directory; a playlist
	// being read is not played again, and the names after it are relative
	// to their own playlist's directory again
	ASSERT_EQ(mkdir(m_dir.file("sub").c_str(), 0700), 0);
	const std::string outer = write("outer.gpl", "play sub/inner.gpl two\nplay one.geo last\n");
	const std::string inner = write("sub/inner.gpl", "play ../two.geo $1\nplay ../outer.gpl\nplay inner.gpl\n");
	const auto skipped = [&](const std::string &f) {
		return "state::openPlayList(): '" + inner + "' plays '" + m_dir.file(f) +
		       "', which is being read: that line is skipped, else the playlist would never end\n";
	};
	out = output([&] { EXPECT_EQ(m_state.openPlayList(outer.c_str()), 0); });
	// said once the scene that opens has read its first lines (which may
	// clear a shown console), not before, and once
	const std::string started = "Animation is already stopped\n";
	EXPECT_EQ(out, started);
	EXPECT_EQ(tick(), skipped("sub/../outer.gpl") + skipped("sub/inner.gpl"));
	EXPECT_EQ(tick(), "");
	ASSERT_EQ(m_state.m_playListLength, 2);
	EXPECT_STREQ(m_state.m_playList[1].filename, m_dir.file("one.geo").c_str());
	EXPECT_STREQ(m_state.m_playList[1].arg[0], "last");
	EXPECT_TRUE(has("two") && !has("first"));
	// playlists that play others many times over are read a bounded number
	// of times
	const std::string many = write("many.gpl", [] {
		std::string lines;
		for (int i = 0; i < 66; i++) lines += "play outer.gpl\n";
		return lines;
	}());
	out = output([&] { EXPECT_EQ(m_state.openPlayList(many.c_str()), 0); });
	out += tick();
	EXPECT_NE(out.find("state::openPlayList(): '" + many + "' plays '" + outer +
	                   "': a playlist plays at most 64 playlists in its place, theirs included; that line is skipped\n"),
	          std::string::npos);
	// each line reads two playlists and adds two entries
	EXPECT_EQ(m_state.m_playListLength, 64);

	m_state.clearPlayList();
	EXPECT_EQ(output([&] { m_state.nextPlayListEntry(); }), "state::nextPlayListEntry(): no playlist open\n");
	EXPECT_EQ(output([&] { m_state.previousPlayListEntry(); }), "state::previousPlayListEntry(): no playlist open\n");
	EXPECT_EQ(output([&] { m_state.setPlayListPos(0); }), "state::setPlayListPos(): no playlist loaded\n");
	EXPECT_EQ(m_state.addPlayListEntry(nullptr, 0, nullptr), -1);
}

TEST_F(Stack, PlaylistsNamedInCapitalsAndFileNamesThatBeginWithADigit)
{
	// a playlist's extension in capitals, as a file system that ignores
	// case leaves it, on every route that plays a playlist: a new scene
	// with the playlist's first entry
	const std::string caps = write("CAPS.GEO", "e3ga caps [e1]\n");
	const std::string upper = write("UPPER.GPL", "play CAPS.GEO\n");
	const std::string up = write("up.gpl", "play UPPER.GPL\n");
	const std::function<std::string()> routes[] = {
	    [&] { return typed(("cmd(\"open " + up + "\");").c_str()); },
	    [&] { return typed(("cmd(\"switchto " + upper + "\");").c_str()); },
	    [&] { return output([&] { m_state.openNamed(upper.c_str(), 0, nullptr, -1); }); },
	    [&] {
		    // the scene file's own line, carried out on the next tick
		    std::string out = open(write("opener.geo", "open UPPER.GPL\n"));
		    return out + tick();
	    },
	    [&] { return output([&] { m_state.openPlayList(up.c_str()); }); },
	};
	// what a route says besides the starts of scenes
	const auto said = [](std::string out) {
		const std::string start = "Animation is already stopped\n";
		for (size_t at; (at = out.find(start)) != std::string::npos;) out.erase(at, start.size());
		return out;
	};
	for (size_t r = 0; r < sizeof routes / sizeof routes[0]; r++) {
		typed("remove(caps); keep = 41;");
		// the first entry's lines are read on the next tick
		std::string out = routes[r]();
		EXPECT_EQ(said(out + tick()), "") << "route " << r;
		EXPECT_TRUE(has("caps") && value("keep") == "none") << "route " << r;
		ASSERT_EQ(m_state.m_playListLength, 1) << "route " << r;
		EXPECT_STREQ(m_state.m_playList[0].filename, caps.c_str()) << "route " << r;
	}
	// and is imported no more than one in small letters
	typed("keep = 41;");
	EXPECT_EQ(typed(("cmd(\"import " + upper + "\");").c_str()),
	          "Not imported: '" + upper + "': it is a playlist; 'open' plays it\n");
	EXPECT_EQ(value("keep"), "41");

	// a file name that begins with a digit, a sign or a bracket is no name
	// unquoted: each line says so and how to write it, the playlist's
	// summary that its lines could not be read, and nothing changes
	write("01-outer.geo", "e3ga outer [e1]\n");
	const std::string talk = write("talk.gpl", "play 01-outer.geo\nplay -2.geo\nplay [3].geo x\nplay \t\n");
	const auto unread = [](const std::string &f, const char *kw, int line, const std::string &word, const char *what) {
		return "warning: GAfile::parseLine(): file '" + f + "': invalid '" + kw + "' entry at line '" +
		       std::to_string(line) + "': '" + word + "' begins with " + what + "; quote the file's name: \"" + word +
		       "\"\n";
	};
	EXPECT_EQ(output([&] { EXPECT_EQ(m_state.openPlayList(talk.c_str()), -1); }),
	          unread(talk, "play", 1, "01-outer.geo", "a digit") + unread(talk, "play", 2, "-2.geo", "a sign") +
	              unread(talk, "play", 3, "[3].geo", "a bracket") + "warning: GAfile::parseLine(): file '" + talk +
	              "': invalid 'play' entry at line '4': the line is empty after 'play': it names no file\n" +
	              "state::openPlayList(): '" + talk +
	              "': its 'play' lines could not be read; the playlist stays as it was\n");
	const std::string mixed = write("mixed.gpl", "play 01-outer.geo\nplay missing.geo\n");
	EXPECT_EQ(output([&] { EXPECT_EQ(m_state.openPlayList(mixed.c_str()), -1); }),
	          unread(mixed, "play", 1, "01-outer.geo", "a digit") + "state::openPlayList(): '" + mixed +
	              "': 1 of its 'play' lines could not be read, and the others name no file that can be opened; the "
	              "playlist stays as it was\n");
	const std::string console = consoleGAfile::sc_filename;
	for (const char *kw : {"open", "switchto", "import"})
		EXPECT_EQ(typed(("cmd(\"" + std::string(kw) + " 01-outer.geo\");").c_str()),
		          unread(console, kw, 0, "01-outer.geo", "a digit"));
	const std::string numbered = write("numbered.geo", "e3ga n [e1]\nimport +1.geo\n");
	open(numbered);
	EXPECT_EQ(tick(), unread(numbered, "import", 2, "+1.geo", "a sign"));
	EXPECT_TRUE(has("n") && !has("outer"));
	ASSERT_EQ(m_state.m_playListLength, 1);
	EXPECT_STREQ(m_state.m_playList[0].filename, caps.c_str());
	// quoted, the names are read
	write("talk.gpl", "play \"01-outer.geo\"\n");
	std::string out = output([&] { EXPECT_EQ(m_state.openPlayList(talk.c_str()), 0); });
	EXPECT_EQ(said(out + tick()), "");
	EXPECT_TRUE(has("outer") && !has("n"));
	for (const char *kw : {"open", "switchto", "import"}) {
		open(write("quoting.geo", std::string(kw) + " \"01-outer.geo\"\n"));
		EXPECT_EQ(said(tick() + tick()), "") << kw;
		EXPECT_TRUE(has("outer")) << kw;
	}
}

TEST_F(Stack, OpensOfWhatHoldsNoSceneChangeNothing)
{
	// a directory, a pipe, an image named like a scene
	const std::string dir = m_dir.file("demo"), fifo = m_dir.file("fifo.geo");
	ASSERT_EQ(mkdir(dir.c_str(), 0700), 0);
	ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
	const std::string png = write("picture.geo", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) + std::string(9000, 'x'));
	// a playlist whose entries name a missing file and a directory
	const std::string nothing = write("nothing.gpl", "play missing.geo\nplay demo\n");
	const auto refusal = [](const std::string &f, const char *why) {
		return "GAfile::GAfile(): can not open '" + f + "': it " + why + "\n";
	};
	const auto unplayable = [](const std::string &f) {
		return "state::openPlayList(): '" + f + "' holds no 'play' line of a file that can be opened; the playlist "
		       "stays as it was\n";
	};
	const struct {
		std::string name, says;
	} files[] = {{dir, refusal(dir, "is a directory")},
	             {fifo, refusal(fifo, "is not a regular file")},
	             {png, refusal(png, "is not a text file")},
	             {nothing, unplayable(nothing)}};
	// a session: a playlist's entry, its title and object, a variable
	const std::string one = write("one.geo", "title \"one\"\ne3ga a [e1]\n");
	const std::string list = write("list.gpl", "play one.geo\n");
	m_state.openPlayList(list.c_str());
	tick();
	typed("q1 = 7;");
	// every route to a top-level open, a switch in place of the only file,
	// the open of a playlist (a script's open of a playlist is that open;
	// the scene reader's own reads any name as a scene)
	std::string grown = "title \"one\"\ne3ga a [e1]\n";
	const std::function<std::string(const std::string &)> routes[] = {
	    [&](const std::string &f) { return open(f); },
	    [&](const std::string &f) { return typed(("cmd(\"open " + f + "\");").c_str()); },
	    [&](const std::string &f) { return typed(("cmd(\"switchto " + f + "\");").c_str()); },
	    [&](const std::string &f) {
		    // the scene file's own line, carried out on the next tick
		    grown += "open \"" + f + "\"\n";
		    write("one.geo", grown);
		    return tick() + tick();
	    },
	    [&](const std::string &f) { return output([&] { m_state.openPlayList(f.c_str()); }); },
	};
	for (const auto &file : files)
		for (size_t r = file.name == nothing ? 1 : 0; r < sizeof routes / sizeof routes[0]; r++) {
			EXPECT_EQ(routes[r](file.name), file.says) << file.name << " route " << r;
			EXPECT_TRUE(has("a") && value("q1") == "7" && m_state.m_title == "one") << file.name << " route " << r;
			ASSERT_EQ(m_state.m_GAfileStackDepth, 0);
			EXPECT_STREQ(top()->filename(), one.c_str());
			ASSERT_EQ(m_state.m_playListLength, 1);
			EXPECT_STREQ(m_state.m_playList[0].filename, one.c_str());
		}
	// a playlist without a valid "play" line: its lines refused, the
	// playlist, the scene and the variables kept
	std::string out = output([&] { EXPECT_EQ(m_state.openPlayList(one.c_str()), -1); });
	EXPECT_EQ(out.substr(out.find("state::")), unplayable(one));
	EXPECT_TRUE(has("a") && value("q1") == "7" && m_state.m_title == "one");
	EXPECT_EQ(m_state.m_playListLength, 1);
	EXPECT_EQ(m_state.m_playListPos, 0);
	// nor does the folder that the scene's names are read from, when such
	// a playlist lies in another
	const std::string folder = m_state.m_workingDirectory;
	ASSERT_EQ(mkdir(m_dir.file("away").c_str(), 0700), 0);
	const std::string away = write("away/nothing.gpl", "play missing.geo\n");
	EXPECT_EQ(output([&] { EXPECT_EQ(m_state.openPlayList(away.c_str()), -1); }), unplayable(away));
	EXPECT_EQ(m_state.m_workingDirectory, folder);
	// replaying a bottom file that became a directory, and a playlist
	// entry that is one: the session stays
	const std::string two = write("two.geo", "e3ga b [e2]\n");
	write("list.gpl", "play two.geo\nplay one.geo\n");
	m_state.openPlayList(list.c_str());
	tick();
	ASSERT_TRUE(has("b"));
	typed("q1 = 8;");
	ASSERT_EQ(std::remove(two.c_str()), 0);
	ASSERT_EQ(mkdir(two.c_str(), 0700), 0);
	const std::string refused = "GAfile::GAfile(): can not open '" + two + "': it is a directory\n";
	EXPECT_EQ(output([&] { EXPECT_EQ(m_state.replayFirstGAfile(), -1); }), refused);
	m_state.nextPlayListEntry();
	tick();
	EXPECT_TRUE(has("a") && !has("b"));
	EXPECT_EQ(output([&] { m_state.previousPlayListEntry(); }), refused);
	EXPECT_TRUE(has("a") && value("q1") == "none" && m_state.m_title == "one");
	// a text that is no scene is still read as one, from an empty scene
	typed("q1 = 9;");
	const std::string text = write("notes.txt", "some words\n");
	open(text);
	EXPECT_EQ(tick(), "warning: GAfile::parseLine(): file '" + text + "': Unknown entry 'some' at line '1'\n");
	EXPECT_TRUE(!has("a") && value("q1") == "none");
	// a script's open or switch to a playlist plays its first entry that
	// can be opened; an import of one is refused
	const std::string three = write("three.geo", "e3ga t [e3]\n");
	const std::string played = write("played.gpl", "play missing.geo\nplay three.geo\n");
	for (const char *keyword : {"open", "switchto"}) {
		typed("remove(t); q1 = 10;");
		// the scene's reset is all it says
		EXPECT_EQ(typed(("cmd(\"" + std::string(keyword) + " " + played + "\");").c_str()),
		          "Animation is already stopped\n")
		    << keyword;
		EXPECT_TRUE(has("t") && value("q1") == "none") << keyword;
		EXPECT_EQ(m_state.m_playListPos, 1) << keyword;
	}
	// and so do a scene file's own lines, a console line among them
	for (const std::string line : {"open played.gpl", "switchto played.gpl", "console cmd(\"open played.gpl\");"}) {
		open(write("opener.geo", line + "\n"));
		EXPECT_FALSE(has("t")) << line;
		tick();
		tick();
		EXPECT_TRUE(has("t")) << line;
		EXPECT_STREQ(top()->filename(), three.c_str()) << line;
	}
	EXPECT_EQ(typed(("cmd(\"import " + played + "\");").c_str()),
	          "Not imported: '" + played + "': it is a playlist; 'open' plays it\n");
}

TEST_F(Stack, BookmarkSearch)
{
	std::string path =
	    write("b.geo", "sleep 5\ne3ga a [e1]\nwait\ne3ga b [e2]\nbookmark\ne3ga c [e3]\nsleep 5\ne3ga d [e1]\nbookmark\n");
	open(path);
	m_state.bookmarkSearch();
	EXPECT_EQ(m_state.m_playbackSpeed, 0.0);
	// a speed chosen during the search is the one restored
	m_state.setPlaybackSpeed(3.0);
	tick();
	// at speed 0 the sleep and the wait pass; the search ends at the bookmark
	EXPECT_TRUE(has("a") && has("b") && has("c") && !has("d"));
	EXPECT_EQ(m_state.m_bookmarkSearch, 0);
	EXPECT_EQ(m_state.m_playbackSpeed, 3.0);
	EXPECT_EQ(m_state.m_inputSleepTime, 1015.0);
	// a search also ends at the end of the file
	later(15.0);
	tick();
	m_state.bookmarkSearch();
	tick();
	EXPECT_EQ(m_state.m_bookmarkSearch, 0);
	// a sleep that runs when the search begins ends, as those to come do
	open(write("s.geo", "sleep 5\ne3ga e [e1]\nbookmark\ne3ga f [e2]\nsleep 1\ne3ga g [e3]\n"));
	tick();
	later(0.5);
	tick();
	EXPECT_FALSE(has("e"));
	m_state.bookmarkSearch();
	tick();
	EXPECT_TRUE(has("e") && has("f") && !has("g"));
	// the sleep after the bookmark starts now, at the speed restored
	EXPECT_EQ(m_state.m_inputSleepTime, 1018.5);
	// a scene file gone reads no further: that is its end, for a search too
	const std::string gone = write("gone.geo", "wait\ne3ga h [e1]\n");
	open(gone);
	tick();
	ASSERT_EQ(std::remove(gone.c_str()), 0);
	m_state.bookmarkSearch();
	EXPECT_EQ(tick(), "Could not fopen() '" + gone + "': no such file or directory\n");
	EXPECT_EQ(m_state.m_bookmarkSearch, 0);
	EXPECT_EQ(m_state.m_playbackSpeed, 3.0);
}

// --- what would delete what runs it ----------------------------------------------------

class SafePoints : public scriptTest {};

TEST_F(SafePoints, OpensResetsAndClearsWaitForWhatRunsThem)
{
	write("b.geo", "e3ga fromB [e1]\nsleep 1\ne3ga lateB [e2]\n");
	// a script line runs a statement that opens another script at top level:
	// the open waits for the end of the line and is carried out by the tick
	std::string b = m_dir.file("b.geo");
	std::string a = write("a.geo", "e3ga a [e1]\nconsole cmd(\"open " + b + "\");\ne3ga after [e2]\n");
	open(a);
	tick();
	EXPECT_TRUE(!has("a") && !has("after") && !has("fromB"));
	EXPECT_STREQ(top()->filename(), b.c_str());
	tick();
	EXPECT_TRUE(has("fromB"));

	// a reset asked for by a script line ends the script after that line
	a = write("a.geo", "e3ga a [e1]\nconsole reset();\ne3ga after [e2]\n");
	open(a);
	tick();
	EXPECT_TRUE(!has("a") && !has("after"));
	EXPECT_EQ(m_state.m_GAfileStackDepth, -1);

	// so does a reset asked for by a dynamic statement that a line runs
	a = write("a.geo", "console dynamic{reset();}\ne3ga after [e2]\n");
	open(a);
	tick();
	EXPECT_FALSE(has("after"));
	EXPECT_EQ(m_state.m_GAfileStackDepth, -1);

	// a clear asked for by a statement waits for the statement's end
	typed("p = 1; cmd(\"clear\"); q = 2;");
	EXPECT_TRUE(!has("p") && !has("q"));
	EXPECT_EQ(value("camori"), "1");

	// a file opened from the console is read up to its first pause at once
	typed(("cmd(\"open " + b + "\");").c_str());
	EXPECT_TRUE(has("fromB") && !has("lateB"));
	// a script line imports through the console: read at once, nested
	write("c.geo", "e3ga fromC [e3]\n");
	a = write("a.geo", "console cmd(\"import " + m_dir.file("c.geo") + "\");\ne3ga after [e2]\n");
	open(a);
	tick();
	EXPECT_TRUE(has("fromC") && has("after"));
	EXPECT_EQ(m_state.m_GAfileStackDepth, 0);
}

TEST_F(SafePoints, NestedLinesKeepTheirOwnBuffers)
{
	// the inner line is long enough to move any shared buffer
	std::string inner = "e3ga q [e1";
	for (int i = 0; i < 200; i++) inner += " + 0*e2";
	inner += "]";
	typed(("cmd(\"console cmd(\\\"" + inner + "\\\");\");").c_str());
	EXPECT_TRUE(has("q"));
	// the console's reader is still usable afterwards
	line("e3ga r [e2]");
	EXPECT_TRUE(has("r"));
}

} // namespace
