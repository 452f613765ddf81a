// The scene-file reader and its line interpreter: every keyword's effect and
// exact message, arguments put in for "$N", strings, flag words, and the
// reading loop over files that end without a line feed, hold bytes it does
// not take, change under it or cannot be positioned.
#include <cmath>
#include <cstring>
#include <functional>
#include <vector>
#include <unistd.h>

#include "scene/object.h"
#include "scene/textobject.h"
#include "support/scriptfixture.h"

namespace {

const char *const V = "virtual console file.geo";

std::string msg(const std::string &format, const std::string &kw)
{
	std::string s = format;
	s.replace(s.find("%f"), 2, V);
	s.replace(s.find("%k"), 2, kw);
	return s;
}
std::string invalid(const std::string &kw) { return msg("warning: GAfile::parseLine(): file '%f': invalid '%k' entry at line '0'\n", kw); }
std::string noName(const std::string &kw) { return msg("GAfile::parseLine(): file '%f': no name specified in entry '%k' at line '0'\n", kw); }
std::string noKey(const std::string &kw) { return msg("warning: GAfile::parseLine(): file '%f': Unknown entry '%k' at line '0'\n", kw); }
std::string notFinite(const std::string &kw, const std::string &what = "value that is not finite") { return msg("warning: GAfile::parseLine(): file '%f': " + what + " in '%k' entry at line '0'; the line is ignored\n", kw); }
std::string invalidEntry(const std::string &what) { return msg("warning: GAfile::parseLine(): file '%f': invalid %k entry at line '0'\n", what); }

class Keywords : public scriptTest {};

TEST_F(Keywords, EachKeywordsEffectAndMessage)
{
	state &s = m_state;
	auto drawMode = [&](const char *n) { return s.getObjectPtrByName(n)->m_drawMode; };
	auto color = [](const float *c, float r, float g, float b, float a) { return c[0] == r && c[1] == g && c[2] == b && c[3] == a; };
	// objects made without a name are numbered
	auto unnamed = [&] {
		for (const auto &o : s.m_objects)
			if (o.first->rfind("object_", 0) == 0) return true;
		return false;
	};
	auto nothing = [] { return true; };
	const struct {
		const char *line;
		std::string out;
		std::function<bool()> effect;
	} rows[] = {
		// objects of the three models, names, flags and comments
		{"e3ga \"a b\" [e1 + 2*e2] hide orientation # not a flag", "", [&] { return has("a b") && (drawMode("a b") & (DM_HIDE | DM_ORI)) == (DM_HIDE | DM_ORI); }},
		{"CA3D [I3]", "", unnamed},
		{"p3ga p [e0 + e1] stipple", "", [&] { return has("p") && (drawMode("p") & DM_STIPPLE); }},
		{"ca5d c [e0 + 2*einf] dm2", "", [&] { return has("c"); }},
		{"e3ga z [e1 +]", "GAfile::parseLine(): file 'virtual console file.geo': Could not parse multivector coordinates '[e1 +]'\n", [&] { return !has("z"); }},
		{"e3ga w [e1] nonsense", "File 'virtual console file.geo': line 0: unknown flag 'nonsense'\n", [&] { return has("w"); }},
		{"remove w", "", [&] { return !has("w"); }},
		// colours, sizes and offsets
		{"fgcolor 0 1 0", "", [&] { return color(s.m_fgColor, 0, 1, 0, 1); }},
		{"bgcolor 0 0 1 0.5", "", [&] { return color(s.m_bgColor, 0, 0, 1, 0.5f); }},
		{"olcolor Yellow", "", [&] { return color(s.m_olColor, 1, 1, 0, 1); }},
		{"cvcolor 1 0", "state::setColor(): unknown color '1'\n", nothing},
		{"cvcolor", "warning: GAfile::parseLine(): file 'virtual console file.geo': invalid color entry at line '0'\n", nothing},
		{"fontsize 12", "", [&] { return s.m_fontSize == 12.0f; }},
		{"fontsize 0", invalidEntry("fontsize"), [&] { return s.m_fontSize == 12.0f; }},
		{"consolefontsize -3", invalidEntry("fontsize"), nothing},
		{"clip 0.005", invalidEntry("clip"), [&] { return s.m_clipDistance == 5.0f; }},
		{"clip 0.01", "", [&] { return s.m_clipDistance == 0.01f; }},
		{"polygonoffset 1", invalid("polygonoffset"), nothing},
		{"polygonoffset 1.5 -2", "", [&] { return s.m_poFactor == 1.5f && s.m_poUnits == -2.0f; }},
		// the camera, also as an object line of any model, which takes no
		// value that is not finite either
		{"e3ga campos [3*e3]", "", [&] { return value("campos") == "3*e3"; }},
		{"e3ga campos [nan*e1] hide", "campos: the value is not finite; the camera stays as it was\n", [&] { return value("campos") == "3*e3"; }},
		{"p3ga camori [nan*e0]", "camori: the value is not finite; the camera stays as it was\n", [&] { return value("camori") == "1"; }},
		{"c3ga campos [inf*e1]", "campos: the value is not finite; the camera stays as it was\n", [&] { return value("campos") == "3*e3"; }},
		{"eyepos [e1 + 2*e3 + 5*e1^e2]", "", [&] { return value("campos") == "1*e1 + 2*e3"; }},
		{"campos [e1 +", "", [&] { return value("campos") == "1*e1 + 2*e3"; }},
		{"eyeori [e3 + 0*e1^e2]", "", [&] { return value("camori") == "1"; }},
		{"camtrl -1 [e1]", invalidEntry("camtrl"), nothing},
		{"EYEROT x [e1]", invalidEntry("EYEROT"), nothing},
		{"eyerot 1 [e1 +]", "warning: GAfile::parseLine(): file 'virtual console file.geo': could not parse rotation\n", nothing},
		// a camera value that is not finite leaves the camera as it was; what
		// the keyword does not use may be anything
		{"eyepos [nan*e1 + 11*e3]", notFinite("eyepos"), [&] { return value("campos") == "1*e1 + 2*e3"; }},
		{"campos [-inf*e2]", notFinite("campos"), [&] { return value("campos") == "1*e1 + 2*e3"; }},
		{"eyepos [e1 + 2*e3 + nan*e1^e2]", "", [&] { return value("campos") == "1*e1 + 2*e3"; }},
		{"eyeori [nan*e1^e2]", notFinite("eyeori"), [&] { return value("camori") == "1"; }},
		// so is a finite value whose rotor is not, or a motion that ends at infinity
		{"camori [1e300*e1^e2 + 1e300*e2^e3]", notFinite("camori", "value whose rotor is not finite"), [&] { return value("camori") == "1"; }},
		{"eyerot 1 [1e300*e1^e2]", notFinite("eyerot", "value whose rotor is not finite"), nothing},
		{"eyetrl 1e10 [1e300*e1]", notFinite("eyetrl", "value that takes the camera to infinity"), nothing},
		{"eyetrl 1 [inf*e1]", notFinite("eyetrl"), nothing},
		{"camrot 0 [nan*e2^e3 + inf]", notFinite("camrot"), [&] { return value("camori") == "1"; }},
		// showing and hiding
		{"show \"a b\"", "", [&] { return !(drawMode("a b") & DM_HIDE); }},
		{"hide p", "", [&] { return drawMode("p") & DM_HIDE; }},
		{"hide nothing", "GAfile::parseLine(): file 'virtual console file.geo': invalid name 'nothing' specified in entry 'hide' at line '0'\n", nothing},
		{"show", noName("show"), nothing},
		{"Hide CONSOLE", "", nothing},
		// pauses, status and title
		{"sleep 0", invalid("sleep"), [&] { return s.m_inputSleepTime < 0.0; }},
		{"sleep 1.5", "", [&] { return s.m_inputSleepTime == 1001.5; }},
		{"wait", "", [&] { return s.m_inputWait == 1; }},
		{"status", noName("status"), nothing},
		{"title", noName("title"), nothing},
		{"bookmark", "", nothing},
		// stored factors
		{"factor e3ga 2 [e1 + e1^e2]", "", [&] { return std::string(s.m_e3gaFactor[1].string("%g")) == "1*e1"; }},
		{"factor e3ga 4 [e1]", "state::setE3gaFactor(): invalid index 3\n", nothing},
		{"factor ca4d 4 [e1 +]", "", [&] { return std::string(s.m_p3gaFactor[3].string("%g")) == "0"; }},
		{"factor e3ga 2 [nan*e2]", notFinite("factor"), [&] { return std::string(s.m_e3gaFactor[1].string("%g")) == "1*e1"; }},
		{"factor ca5d 1 [e1 + inf*e2 + nan*e1^e2]", notFinite("factor"), [&] { return std::string(s.m_c3gaFactor[0].string("%g")) == "0"; }},
		{"factor q3ga 1 [e1]", invalid("factor"), nothing},
		{"factor c3ga 6 [e1]", invalid("factor"), nothing},
		// the file's fate, windows, files
		{"delete", invalid("delete"), nothing},
		{"delete ask \"Really %s?\"", "", [&] { return s.m_consoleGAfile->m_deleteFile == 0 && s.m_consoleGAfile->deleteQuestionText() == "Really virtual console file.geo?"; }},
		{"delete maybe", "", [&] { return s.m_consoleGAfile->m_deleteFile == -1; }},
		{"resize 100", invalid("resize"), nothing},
		{"resize 10 10 0 100", invalid("resize"), nothing},
		{"fullscreen maybe", invalid("fullscreen"), nothing},
		{"open  # a comment", msg("warning: GAfile::parseLine(): file '%f': invalid '%k' entry at line '0': the line is empty after 'open': it names no file\n", "open"), nothing},
		{"import [x]", msg("warning: GAfile::parseLine(): file '%f': invalid '%k' entry at line '0': '[x]' begins with a bracket; quote the file's name: \"[x]\"\n", "import"), nothing},
		// fades
		{"fade", noName("fade"), nothing},
		{"fade nothing 1 0", "warning: GAfile::parseLine(): file 'virtual console file.geo': unknown object 'nothing' entry at line '0'\n", nothing},
		{"fade p 1", invalid("fade"), nothing},
		{"show_and_fade p 2 0", "", [&] { return !(drawMode("p") & DM_HIDE) && s.getObjectPtrByName("p")->m_fadeEndFactor == 0.0f; }},
		{"fade_and_remove c 0 0", "", [&] { return !has("c"); }},
		// console commands, exactly as written
		{"console b = 2;", "", [&] { return value("b") == "2"; }},
		{"console", "", nothing},
		// what this reader has no keyword for
		{"wobble 1", noKey("wobble"), nothing},
		{"play x.geo", noKey("play"), nothing},
		{"  # only a comment", "", nothing},
		{"clear", "", [&] { return !has("a b") && !has("p") && value("b") == "none" && value("camori") == "1"; }},
	};
	for (const auto &r : rows) {
		EXPECT_EQ(line(r.line), r.out) << r.line;
		EXPECT_TRUE(r.effect()) << r.line;
	}
}

TEST_F(Keywords, CameraAndColourForms)
{
	// the orientation is exp(-B) of the bivector part, to the series' precision
	line("camori [0.5*e1^e2 + 3*e1]");
	e3ga R;
	m_state.m_globalScope->externalLookupVariable("camori", 1, R);
	e3ga expected = e3ga(std::cos(0.5)) + (-std::sin(0.5)) * (e3ga(e3gai::e1) ^ e3ga(e3gai::e2));
	EXPECT_LT((R - expected).norm_a(), 1e-16);
	// a colour from three numbers gets alpha 1; a name of no colour changes nothing
	line("fgcolor 0.25 0.5 0.75");
	EXPECT_EQ(m_state.m_fgColor[3], 1.0f);
	EXPECT_EQ(line("fgcolor purple"), "state::setColor(): unknown color 'purple'\n");
	EXPECT_EQ(m_state.m_fgColor[0], 0.25f);
}

// --- lexical units ------------------------------------------------------------------

TEST(GAfileLex, Strings)
{
	const char *forbidden = GAfile::sc_nameForbidden;
	const struct {
		const char *line;
		int pos;
		int result;
		const char *out;
	} rows[] = {
		{"  name rest", 0, 6, "name"},
		{"\"with blanks # and hash\" x", 0, 24, "with blanks # and hash"},
		{"\"\"", 0, 2, ""},
		{"\"unclosed", 0, -1, ""},
		{"[e1]", 0, -1, ""},
		{"-1", 0, -1, ""},
		{"7up", 0, -1, ""},
		{"\"7up\"", 0, 5, "7up"},
		{"a+b", 0, 3, "a+b"},
		{"   ", 0, -1, ""},
		{"x y", 1, 3, "y"},
	};
	for (const auto &r : rows) {
		std::string out = "junk";
		EXPECT_EQ(GAfile::readString(r.line, r.pos, out, forbidden), r.result) << r.line;
		EXPECT_EQ(out, r.out) << r.line;
	}
	// an empty forbidden set takes numbers as words
	std::string out;
	EXPECT_EQ(GAfile::readString("12 x", 0, out, ""), 2);
	EXPECT_EQ(out, "12");
	EXPECT_EQ(GAfile::memberOf('a', ""), 0);
	EXPECT_EQ(GAfile::memberOf('3', forbidden), 1);
}

TEST(GAfileLex, CommentStart)
{
	const std::string many(1000, '#');
	const struct {
		std::string line;
		int start;
		GAfile::quoting q = GAfile::quoting::format;
	} rows[] = {
		{"e3ga a [e1] # note", 12},
		{"no comment", -1},
		{"# at once", 0},
		// a "#" in a quoted text is text, an escaped quote does not end it
		{"label l [e1] \"a # b\" # note", 21},
		{"label l [e1] \"a \\\" # b\"", -1},
		{"label l [e1] \"a \\\\\" # b", 20},
		// a text the line leaves open is none: its first "#" begins the comment
		{"label l [e1] \"a # b", 16},
		{"label l [e1] \"" + many + "\" # end", 1016},
		// a comment may hold a text it leaves open, read either way
		{"e3ga a [e1] # it's \"open", 12},
		{"console a2 = 2; # comment \"q\\\\\"", 16, GAfile::quoting::console},
		{"console c4 = 4; # it's \"a\\\\\" # more", 16, GAfile::quoting::console},
		{"console m18 = 18 # \"\\\\\" ;", 17, GAfile::quoting::console},
		// the console's way keeps an escaped quote in its text
		{"console cprint(\"x\\\" # y\"); # z", 27, GAfile::quoting::console},
		{"console cprint(\"x\\\" # y", 20, GAfile::quoting::console},
	};
	for (const auto &r : rows) EXPECT_EQ(GAfile::commentStart(r.line.c_str(), r.q), r.start) << r.line;
}

class Flags : public scriptTest {};

TEST_F(Flags, ObjectAndLabelFlagWords)
{
	GAfile &f = *m_state.m_consoleGAfile;
	const struct {
		const char *text;
		int drawMode, creationFlags, count;
		const char *message;
	} rows[] = {
		{"HIDE show Stipple orientation", DM_HIDE | DM_STIPPLE | DM_ORI, 0, 4, ""},
		{"wireframe magnitude shade outline", DM_WIREFRAME | DM_MAGNITUDE | DM_SHADE | DM_OUTLINE, 0, 4, ""},
		{"versor blade dynamic", 0, OC_VERSOR | OC_BLADE | OC_DYNAMIC, 3, ""},
		{"grade0 grade8 dm3", 0, 0x1 | 0x100 | 0x3000, 3, ""},
		// the normal words share the draw-method field
		{"dm1 compute_normals_gouraud", 0, OC_COMPUTE_NORMALS_FLAT | OC_COMPUTE_NORMALS_GOURAUD, 2, ""},
		{"specify_normals", 0, OC_SPECIFY_NORMALS, 1, ""},
		{"grade9 dm0 dm8", 0, 0, 3, "unknown flag 'grade9'"},
		// words beyond the eighth are not read
		{"x1 x2 x3 x4 x5 x6 x7 hide hide", DM_HIDE, 0, 8, "unknown flag 'x7'"},
		{"   ", 0, 0, -1, ""},
	};
	for (const auto &r : rows) {
		int dm = -1, cf = -1, n = 0;
		std::string out = output([&] { n = f.parseFlags(r.text, dm, cf); });
		EXPECT_EQ(n, r.count) << r.text;
		EXPECT_EQ(dm, r.drawMode) << r.text;
		EXPECT_EQ(cf, r.creationFlags) << r.text;
		EXPECT_NE(out.find(r.message), std::string::npos) << r.text << ": " << out;
	}
	// "restore" is an algebra line's first word, on top of the eight
	const struct {
		const char *text;
		bool asked, restore;
		int drawMode, count;
		const char *message;
	} restores[] = {
		{" Restore hide stipple orientation wireframe magnitude shade outline dm2", true, true,
		 DM_HIDE | DM_STIPPLE | DM_ORI | DM_WIREFRAME | DM_MAGNITUDE | DM_SHADE | DM_OUTLINE, 8, ""},
		{"restore", true, true, 0, -1, ""},
		{"hide restore", true, false, DM_HIDE, 2, "unknown flag 'restore'"},
		{"restored", true, false, 0, 1, "unknown flag 'restored'"},
		{"restore hide", false, false, DM_HIDE, 2, "unknown flag 'restore'"},
	};
	for (const auto &r : restores) {
		int dm = -1, cf = -1, n = 0;
		bool restore = !r.restore;
		std::string out = output([&] { n = f.parseFlags(r.text, dm, cf, r.asked ? &restore : nullptr); });
		EXPECT_EQ(n, r.count) << r.text;
		EXPECT_EQ(dm, r.drawMode) << r.text;
		EXPECT_EQ(restore, r.restore || !r.asked) << r.text;
		EXPECT_NE(out.find(r.message), std::string::npos) << r.text << ": " << out;
	}

	const struct {
		const char *text;
		int flags, width;
		const char *message;
	} labels[] = {
		{"flag_2d 2D cx FLAG_CY px py nx ny", 0x1 | 0x4 | 0x8 | 0x10 | 0x40 | 0x20 | 0x80, -1, ""},
		{"3d acx dynamic image fullscreen", 0x2 | 0x100 | 0x200 | 0x400 | 0x800, -1, ""},
		{"width=30", 0x1000, 30, ""},
		{"width=0", 0, 0, ""},
		{"Width=30", 0, -1, "File 'virtual console file.geo': line 0: unknown flag 'Width=30'\n"},
	};
	for (const auto &r : labels) {
		int flags = -1, width = 0;
		std::string out = output([&] { f.parseLabelFlags(r.text, flags, width); });
		EXPECT_EQ(flags, r.flags) << r.text;
		EXPECT_EQ(width, r.width) << r.text;
		EXPECT_EQ(out, r.message) << r.text;
	}
}

class Arguments : public scriptTest {};

TEST_F(Arguments, DollarNumbers)
{
	std::string path = write("args.geo", "");
	const char *argv[] = {"a", "b c", "", "x\"y", "p#q", "6", "7", "8", "9", "10", "11", "twelve"};
	GAfile f(&m_state, path.c_str(), 1, nullptr, 12, const_cast<char **>(argv));
	const struct {
		const char *line, *result;
	} rows[] = {
		{"$1", "a"},
		{"e3ga $2 [e1]", "e3ga \"b c\" [e1]"},
		// inside a quoted string the argument needs no quotes of its own
		{"label l [e1] \"say $2\"", "label l [e1] \"say b c\""},
		{"\\$1 and \\$12", "$1 and $12"},
		{"$0 $13 $99999999999999", "$0 $13 $99999999999999"},
		{"$12", "twelve"},
		{"$1$1", "a$1"},
		{"[$3]", "[]"},
		{"$4", "x'y"},
		{"$5", "\"p#q\""},
		{"end $", "end $"},
		{"# $1 in a comment", "# a in a comment"},
		// of two backslashes before "$" one goes
		{"\\\\$1", "\\$1"},
		// the character right after an argument is not looked at, even when
		// it escapes the next "$", and only 15 digits make the number
		{"$1\\$2 $1$2", "a$2 a$2"},
		{"$0000000000000012", "a2"},
		// an argument's own quotes close again; escaped quotes stay in the
		// string, a quote after an escaped backslash ends it, an open string
		// runs on to the end of the line
		{"$2 \"$2\"", "\"b c\" \"b c\""},
		{"\"a\\\"$2\" $2", "\"a\\\"b c\" \"b c\""},
		{"\"a\\\\\" $2", "\"a\\\\\" \"b c\""},
		{"\"open $2", "\"open b c"},
	};
	for (const auto &r : rows) {
		f.ensureBufLen((int)std::strlen(r.line));
		std::strcpy(f.m_buf, r.line);
		f.m_bufLen = (int)std::strlen(r.line);
		f.substituteArguments(&m_state);
		EXPECT_STREQ(f.m_buf, r.result) << r.line;
		EXPECT_EQ(f.m_bufLen, (int)std::strlen(r.result)) << r.line;
	}
}

// --- the reading loop ----------------------------------------------------------------------

class Reading : public scriptTest {};

TEST_F(Reading, LinesNumbersAndEndings)
{
	// CR LF gives a line and an empty line; messages name each line's own
	// number; bytes beyond ASCII stay in quoted names and texts only
	std::string path = write("lines.geo", "e3ga a [e1]\r\nnokey1\nnokey2\n\xe9" "e3ga b [e2]\n"
	                                      "e3ga \"\xce\xb1 \\\"\xc3\xa9\\\"\" [e3] # \xfc\nnokey3");
	open(path);
	std::string out = tick();
	EXPECT_EQ(out, "warning: GAfile::parseLine(): file '" + path + "': Unknown entry 'nokey1' at line '2'\n"
	               "warning: GAfile::parseLine(): file '" + path + "': Unknown entry 'nokey2' at line '3'\n"
	               "Invalid characted '233' in file '" + path + "'"
	               "Invalid characted '252' in file '" + path + "'");
	EXPECT_TRUE(has("a") && has("b") && has("\xce\xb1 \"\xc3\xa9\""));
	// a top-level file waits for the line feed of its last line, and stays
	EXPECT_EQ(m_state.m_GAfileStackDepth, 0);
	EXPECT_EQ(tick(), "");
	std::string grown = "e3ga a [e1]\r\nnokey1\nnokey2\n\xe9" "e3ga b [e2]\n"
	                    "e3ga \"\xce\xb1 \\\"\xc3\xa9\\\"\" [e3] # \xfc\nnokey3 more\n";
	writeFile(path, bytes(grown.begin(), grown.end()));
	EXPECT_EQ(tick(), "warning: GAfile::parseLine(): file '" + path + "': Unknown entry 'nokey3' at line '6'\n");
}

TEST_F(Reading, ChangedTruncatedAndUnpositionableFiles)
{
	std::string path = write("t.geo", "e3ga a [e1]\nsleep 1\ne3ga b [e2]\n");
	open(path);
	tick();
	EXPECT_TRUE(has("a"));
	// the file changed before the resume point: it is read again from its
	// start, from an empty scene in which the camera stays where it was
	write("t.geo", "e3ga cc [e3]\nsleep 1\ne3ga d [e1]\n");
	line("campos [3*e2]");
	later(1.0);
	EXPECT_EQ(tick(), "GAfile::read(): fseek() on '" + path + "' returned error.\nAssuming the file has been truncated\n");
	EXPECT_TRUE(has("cc") && !has("a") && !has("d"));
	EXPECT_EQ(value("campos"), "3*e2");
	later(1.0);
	tick();
	EXPECT_TRUE(has("d"));
	// a picture saved over the open file in place is no text: the file is
	// gone, said once, and the scene stays until the file is back
	const std::string text = "e3ga cc [e3]\nsleep 1\ne3ga d [e1]\n";
	write("t.geo", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) + std::string(text.size(), 'x'));
	EXPECT_EQ(tick(), "Could not fopen() '" + path + "': it is not a text file\n");
	EXPECT_EQ(tick(), "");
	EXPECT_TRUE(has("cc") && has("d"));
	write("t.geo", text);
	EXPECT_EQ(tick(), "");

	// a pipe is no file to open, nor to read on when it takes the place of
	// an open file: that file is gone, and said so once
	int fd[2];
	ASSERT_EQ(pipe(fd), 0);
	ASSERT_EQ(::write(fd[1], "e3ga p [e1]\n", 12), 12);
	close(fd[1]);
	std::string pipeName = "/dev/fd/" + std::to_string(fd[0]);
	EXPECT_EQ(open(pipeName), "GAfile::GAfile(): can not open '" + pipeName + "': it is not a regular file\n");
	EXPECT_STREQ(top()->filename(), path.c_str());
	ASSERT_EQ(std::remove(path.c_str()), 0);
	ASSERT_EQ(symlink(pipeName.c_str(), path.c_str()), 0);
	EXPECT_EQ(tick(), "Could not fopen() '" + path + "': it is not a regular file\n");
	EXPECT_EQ(tick(), "");
	EXPECT_TRUE(has("d"));
	close(fd[0]);
}

TEST_F(Reading, OverlongLinesAndConsoleLinesInTheFilesDirectory)
{
	// a console line runs in the file's directory: a label image it makes
	// through the file format is found beside the file
	const std::string console = "console cmd(\"label l [e1] \\\"pic.png\\\" flag_image\");\n";
	const std::string longName(70, 'b');
	std::string path = write("long.geo", "e3ga a [e1]\ne3ga " + longName + " [e2]\n" + console + "e3ga " + longName);
	open(path);
	// the longest line a reader holds is counted in an int; a smaller one
	// takes the same path with a file that is not gigabytes long
	top()->m_maxLineLength = 64;
	EXPECT_EQ(tick(), "GAfile::read(): file '" + path + "': line 2 is longer than 64 bytes; it is skipped\n"
	                  "GAfile::read(): file '" + path + "': line 4 is longer than 64 bytes; it is skipped\n");
	EXPECT_TRUE(has("a") && !has(longName));
	textObject *l = dynamic_cast<textObject *>(m_state.getObjectPtrByName("l"));
	ASSERT_NE(l, nullptr);
	EXPECT_EQ(std::string(l->m_text), m_dir.file("pic.png"));
	// the file grows: the rest of the long line still goes, the next line counts
	write("long.geo", "e3ga a [e1]\ne3ga " + longName + " [e2]\n" + console + "e3ga " + longName + " [e3]\ne3ga d [e1]\n");
	EXPECT_EQ(tick(), "");
	EXPECT_TRUE(has("d") && !has(longName));
}

TEST_F(Reading, MissingFilesAndTheDeleteQuestion)
{
	EXPECT_EQ(output([&] { GAfile f(&m_state, nullptr, -1, nullptr, 0, nullptr); }), "GAfile::GAfile(): invalid filename\n");
	GAfile missing(&m_state, "", -1, nullptr, 0, nullptr);
	EXPECT_EQ(missing.filename(), nullptr);
	std::string path = write("q.geo", "delete ask \"Remove %s? 100%d\"\ndelete yes\n");
	GAfile f(&m_state, path.c_str(), 1, "Delete %s? %n", 0, nullptr);
	// the question is text: only its "%s" is the file's name
	EXPECT_EQ(f.deleteQuestionText(), "Delete " + path + "? %n");
	f.m_deleteFile = 0;
	f.handleDelete();  // no one to ask: the file stays
	EXPECT_EQ(access(path.c_str(), F_OK), 0);
	f.m_deleteFile = 1;
	f.handleDelete();
	EXPECT_NE(access(path.c_str(), F_OK), 0);
	// a file that went away since it was opened: said once, not at every
	// tick, and again once it came back and went again
	for (int round = 0; round < 2; round++) {
		EXPECT_EQ(output([&] { EXPECT_EQ(f.read(&m_state), -1); }), "Could not fopen() '" + path + "': no such file or directory\n");
		for (int i = 0; i < 3; i++) EXPECT_EQ(output([&] { EXPECT_EQ(f.read(&m_state), -1); }), "");
		write("q.geo", "e3ga back [e1]\n");
		EXPECT_EQ(output([&] { EXPECT_EQ(f.read(&m_state), 0); }), "");
		ASSERT_EQ(std::remove(path.c_str()), 0);
	}
}

TEST_F(Reading, NamesAreHeldToTheFormatsLength)
{
	const size_t most = GAfile::sc_maxNameLength;
	ASSERT_EQ(most, 1023u);
	// each keyword that names a new object: a name of the longest length,
	// its own, is taken; one character more is refused with the line
	const char *const lines[] = {"e3ga %s [e1]", "c3ga %s [no]", "label %s [e1] \"t\"", "polygon %s 0", "mesh %s"};
	std::string text, expected;
	const std::string path = m_dir.file("names.geo"), over(most + 1, 'o');
	std::vector<std::string> taken;
	for (const char *l : lines) {
		const std::string kw(l, std::strchr(l, ' ')), rest = std::strchr(l, ' ') + 3;
		taken.push_back(std::string(most - kw.size(), 'n') + kw);
		text += kw + " \"" + taken.back() + "\"" + rest + "\n" + kw + " \"" + over + "\"" + rest + "\n";
		expected += "warning: GAfile::parseLine(): file '" + path + "': name longer than 1023 bytes in entry '" + kw +
		            "' at line '" + std::to_string(2 * taken.size()) + "'\n";
	}
	write("names.geo", text);
	open(path);
	EXPECT_EQ(tick(), expected);
	for (const std::string &name : taken) EXPECT_TRUE(has(name)) << name.substr(most - 8);
	EXPECT_FALSE(has(over));
}

} // namespace
