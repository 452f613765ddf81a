// Console-language source files and directories of them: which entries are
// read (endings in any case, sub-directories) and which are not (hidden
// names, other files, links, so that a link loop ends), and files that fail.
#include <sys/stat.h>
#include <unistd.h>

#include "support/scriptfixture.h"

namespace {

class SourceFiles : public scriptTest {};

TEST_F(SourceFiles, DirectoriesOfSourceFiles)
{
	write("a.g", "ga = 1;\nfunction fa() { return 5; }\n"
	             "for (i = 0; i < 1; i = i + 1) { function campos(x) { return x; } function fl() { return 7; } }\n"
	             "function fd(x); function fd(a, b, c, d, e, f, g, h, i) { }\nfunction fz(x) { return x +; }\n");
	write("B.G", "gb = 2;\n");
	write("notes.txt", "gt = 3;\n");
	write(".hidden.g", "gh = 4;\n");
	write("bad.g", "function fbad(x); gbad = 5; #\n");
	ASSERT_EQ(mkdir(m_dir.file("sub").c_str(), 0755), 0);
	ASSERT_EQ(mkdir(m_dir.file(".hid").c_str(), 0755), 0);
	write("sub/c.g", "gc = 6;\n");
	write(".hid/d.g", "gd = 7;\n");
	// a link loop and a link to a source file are skipped
	ASSERT_EQ(symlink("..", m_dir.file("sub/up").c_str()), 0);
	ASSERT_EQ(symlink("a.g", m_dir.file("link.g").c_str()), 0);

	std::string out = output([&] { EXPECT_EQ(m_state.consoleSourceDirRead(m_dir.path.c_str()), 0); });
	EXPECT_EQ(out.find("Reading all .g files in '" + m_dir.path + "'\n"), 0u);
	for (const char *n : {"ga", "gb", "gc"}) EXPECT_TRUE(has(n)) << n;
	for (const char *n : {"gt", "gh", "gd", "gbad"}) EXPECT_FALSE(has(n)) << n;
	EXPECT_NE(out.find("Parsing '" + m_dir.file("a.g") + "'"), std::string::npos);
	EXPECT_NE(out.find("Reading all .g files in '" + m_dir.file("sub") + "'\n"), std::string::npos);
	EXPECT_NE(out.find("state::consoleSourceFileRead(): exception while reading or parsing '" + m_dir.file("bad.g") + "'\n"),
	          std::string::npos);
	EXPECT_EQ(out.find("link.g"), std::string::npos);
	// a.g defined its functions, also the one in its loop, whose refused
	// definition left the camera's name a variable's; the working directory
	// is the last file's; neither a definition that does not parse nor a
	// refused file made a function's name; a declared name stays a
	// function's after a refused definition
	EXPECT_NE(out.find("Function 'campos' is refused: it is the name of the camera's variable\n"), std::string::npos);
	EXPECT_EQ(typed("fa() + fl(), campos = 2 e3; campos,"), "ans = 12.00\nans = 2.00*e3\n");
	EXPECT_EQ(typed("function ud(x) { return fd(x); } function fd(x) { return 3 x; } ud(1),"),
	          "Added function ud( x)\nAdded function fd( x)\nans = 3.00\n");
	EXPECT_EQ(typed("fz = 1, fbad = 2,"), "fz = 1.00\nfbad = 2.00\n");
	// a directory named with its slash, as the directory chooser gives it:
	// the names of its files have no doubled slash
	out = output([&] { m_state.consoleSourceDirRead((m_dir.path + "/").c_str()); });
	EXPECT_NE(out.find("Parsing '" + m_dir.file("a.g") + "'"), std::string::npos) << out;
	EXPECT_NE(out.find("Reading all .g files in '" + m_dir.file("sub") + "'\n"), std::string::npos) << out;
	EXPECT_EQ(out.find("//"), std::string::npos) << out;

	EXPECT_EQ(output([&] { EXPECT_EQ(m_state.consoleSourceDirRead(m_dir.file("none").c_str()), -1); }),
	          "can't open " + m_dir.file("none") + " directory.\n"
	          "state::consoleSourceDirRead(): Could not open directory '" + m_dir.file("none") + "': no such file or directory\n");
	EXPECT_EQ(output([&] { EXPECT_EQ(m_state.consoleSourceFileRead(m_dir.file("none.g").c_str()), -1); }),
	          "state::consoleSourceFileRead(): can not read '" + m_dir.file("none.g") + "': no such file or directory\n");
}

TEST_F(SourceFiles, StatementsOfAFileCannotPullTheScopeAway)
{
	// a clear asked for inside the file waits until its statements ended
	std::string path = write("clear.g", "x = 1; cmd(\"clear\"); y = 2;\n");
	output([&] { m_state.consoleSourceFileRead(path.c_str()); });
	EXPECT_TRUE(!has("x") && !has("y"));
	EXPECT_EQ(value("camori"), "1");
}

} // namespace
