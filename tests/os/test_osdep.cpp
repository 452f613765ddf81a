// Console output without a user interface, the clock, file lengths, path
// joining and the directory utilities on a temporary directory.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "os/osdep.h"

namespace {

TEST(Osdep, ConsoleOutputGoesToStandardOutput)
{
	testing::internal::CaptureStdout();
	cprintf("%s = %d", "x", 3);
	cprintf("\n");
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "x = 3\n");
}

TEST(Osdep, ClockRunsForward)
{
	// the elapsed interval lies inside [before, after]
	double before = u_timeGet();
	EXPECT_EQ(u_timeElapsed(), 0.0);
	usleep(20000);
	double elapsed = u_timeElapsed(), after = u_timeGet();
	EXPECT_GE(elapsed, 0.02);
	EXPECT_GE(after - before, elapsed);
	EXPECT_LT(after - before, 5.0);
}

TEST(Osdep, FullFilename)
{
	const struct {
		const char *reference, *name;
		int size, result;
		const char *out;
	} rows[] = {
	    {"a\\b/c.geo", "d.geo", 64, 0, "a\\d.geo"},
	    {"dir/sub/c.geo", "d.geo", 64, 0, "dir/sub/d.geo"},
	    {"dir/c.geo", "/abs.geo", 64, 0, "/abs.geo"},
	    {"c.geo", "d.geo", 64, 0, "d.geo"},
	    {nullptr, "d.geo", 64, 0, "d.geo"},
	    {"dir/c.geo", nullptr, 64, -1, "unchanged"},
	    {"dir/c.geo", "d.geo", 10, 0, "dir/d.geo"},
	    {"dir/c.geo", "d.geo", 9, -1, "unchanged"},
	};
	for (const auto &r : rows) {
		char out[64] = "unchanged";
		EXPECT_EQ(fullFilename(out, r.size, r.reference, r.name), r.result) << r.out;
		EXPECT_STREQ(out, r.out);
	}
	EXPECT_EQ(fullFilename(nullptr, 64, "a", "b"), -1);

	// a directory and a name: one slash between them, never two
	const struct {
		const char *dir, *name, *joined;
	} joins[] = {
	    {"gdir", "a.g", "gdir/a.g"}, {"gdir/", "a.g", "gdir/a.g"}, {"gdir", "/a.g", "gdir/a.g"},
	    {"gdir/", "/a.g", "gdir/a.g"}, {"/", "a.g", "/a.g"}, {"", "a.g", "a.g"}, {"gdir/", "", "gdir/"},
	};
	for (const auto &j : joins) EXPECT_EQ(u_joinPath(j.dir, j.name), j.joined) << j.dir << " " << j.name;
}

class OsdepDirectory : public testing::Test {
protected:
	std::string m_dir;
	void SetUp() override
	{
		char pattern[] = "/tmp/korimbel_osdep_XXXXXX";
		ASSERT_NE(mkdtemp(pattern), nullptr);
		m_dir = pattern;
	}
	void TearDown() override { std::system(("rm -rf " + m_dir).c_str()); }
	std::string path(const char *name) const { return m_dir + "/" + name; }
	// Every entry u_dirNext gives, with its type.
	std::map<std::string, int> entries(int size = 256) const
	{
		std::map<std::string, int> result;
		u_dirEnt_s *d = u_dirOpen(m_dir.c_str(), "*");
		char name[256];
		for (int type; (type = u_dirNext(d, name, size)) != U_DIR_END;) result[name] = type;
		u_dirClose(d);
		return result;
	}
};

TEST_F(OsdepDirectory, EntriesFilesAndLengths)
{
	EXPECT_EQ(entries(), (std::map<std::string, int>{{".", 2}, {"..", 2}}));

	FILE *f = std::fopen(path("five").c_str(), "wb");
	std::fputs("12345", f);
	std::fseek(f, 2, SEEK_SET);
	EXPECT_EQ(fileLength(f), 5);
	EXPECT_EQ(std::ftell(f), 2);
	std::fclose(f);
	EXPECT_EQ(fileLengthByName(path("five").c_str()), 5);
	EXPECT_EQ(u_dirCreate(path("sub").c_str()), 0);
	EXPECT_EQ(u_dirCreate(path("sub").c_str()), -1);
	ASSERT_EQ(mkfifo(path("pipe").c_str(), 0600), 0);
	ASSERT_EQ(symlink("five", path("link").c_str()), 0);
	ASSERT_EQ(symlink("nowhere", path("dangling").c_str()), 0);

	testing::internal::CaptureStdout();
	// a pipe is skipped, and so is every link, dangling or not, so that a
	// link to a directory above cannot make a walk endless
	EXPECT_EQ(entries(), (std::map<std::string, int>{{".", 2}, {"..", 2}, {"five", 1}, {"sub", 2}}));
	// names that do not fit the buffer are skipped, not cut
	EXPECT_EQ(entries(5), (std::map<std::string, int>{{".", 2}, {"..", 2}, {"five", 1}, {"sub", 2}}));
	EXPECT_EQ(entries(4), (std::map<std::string, int>{{".", 2}, {"..", 2}, {"sub", 2}}));
	EXPECT_EQ(fileLength(nullptr), -1);
	EXPECT_EQ(fileLengthByName(path("none").c_str()), -1);
	EXPECT_EQ(u_dirOpen(path("none").c_str(), nullptr), nullptr);
	EXPECT_EQ(u_dirOpen(nullptr, nullptr), nullptr);
	u_dirClose(nullptr);
	std::string out = testing::internal::GetCapturedStdout();
	EXPECT_EQ(out.find("cannot stat"), std::string::npos);
	for (const std::string &message : std::initializer_list<std::string>{"fileLength(): invalid file pointer\n",
	                            "fileLengthByName(): can not open '" + path("none") + "'\n",
	                            "can't open " + path("none") + " directory.\n", "dirOpen(): null pointer passed.\n",
	                            "dirClose(): null pointer passed.\n"})
		EXPECT_NE(out.find(message), std::string::npos) << message;

	EXPECT_EQ(deleteFile(path("five").c_str()), 0);
	EXPECT_EQ(deleteFile(path("five").c_str()), -1);
	EXPECT_EQ(u_dirFileDelete(path("link").c_str()), 0);
	EXPECT_EQ(u_dirDirDelete(path("sub").c_str()), 0);
	EXPECT_EQ(u_dirDirDelete(path("sub").c_str()), -1);
}

TEST_F(OsdepDirectory, FullNamesCreationAndTheWorkingDirectory)
{
	u_dirEnt_s *d = u_dirOpenOrCreate(path("new").c_str(), nullptr);
	ASSERT_NE(d, nullptr);
	std::string full = path("new") + "/x.g";
	char out[512] = "unchanged";
	EXPECT_EQ(u_dirFullName(d, "x.g", out, (int)full.size()), -1);
	EXPECT_STREQ(out, "unchanged");
	EXPECT_EQ(u_dirFullName(d, "x.g", out, (int)full.size() + 1), 0);
	EXPECT_EQ(out, full);
	u_dirClose(d);

	// into the new directory and back
	char cwd[512], inside[512];
	ASSERT_EQ(u_dirGetCwd(cwd, sizeof cwd), 0);
	ASSERT_EQ(u_dirSetCwd(path("new").c_str()), 0);
	EXPECT_EQ(u_dirGetCwd(inside, 2), -1);
	EXPECT_EQ(u_dirGetCwd(inside, sizeof inside), 0);
	EXPECT_EQ(u_dirSetCwd(cwd), 0);
	EXPECT_EQ(inside, path("new"));
}

} // namespace
