// The command line: every word after the program name is examined; options
// are taken out, the toolkit's words stay.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/startup.h"

namespace {

struct scan_s {
	std::vector<std::string> words;
	std::string file, playlist;
	bool net;
	std::vector<std::string> left;
	const char *message;
};

TEST(startup, OptionsAreTakenOutOfTheCommandLine)
{
	const scan_s cases[] = {
	    {{"k"}, "", "", false, {"k"}, ""},
	    // a lone or trailing "-net" counts
	    {{"k", "-net"}, "", "", true, {"k"}, ""},
	    {{"k", "-net", "-f", "a.geo"}, "a.geo", "", true, {"k"}, ""},
	    {{"k", "-f", "a.geo", "-net"}, "a.geo", "", true, {"k"}, ""},
	    {{"k", "-l", "list.gpl", "-f", "a.geo"}, "a.geo", "list.gpl", false, {"k"}, ""},
	    {{"k", "-file", "a.geo", "-f", "b.geo"}, "b.geo", "", false, {"k"}, ""},
	    {{"k", "-playlist", "p.gpl", "-net", "-net"}, "", "p.gpl", true, {"k"}, ""},
	    // the toolkit's switches stay, in order
	    {{"k", "-geometry", "800x600", "-f", "a.geo", "-bg", "red"}, "a.geo", "", false,
	     {"k", "-geometry", "800x600", "-bg", "red"}, ""},
	    // the word after an option is its name, whatever it looks like
	    {{"k", "-f", "-net"}, "-net", "", false, {"k"}, ""},
	    // an option without its name is reported and dropped
	    {{"k", "-f"}, "", "", false, {"k"}, "main(): option '-f' needs a file name\n"},
	    {{"k", "-net", "-playlist"}, "", "", true, {"k"}, "main(): option '-playlist' needs a file name\n"},
	};
	for (const scan_s &c : cases) {
		std::vector<std::string> words = c.words;
		std::vector<char *> argv;
		for (std::string &w : words) argv.push_back(&w[0]);
		argv.push_back(nullptr);
		int argc = static_cast<int>(words.size());
		startupOptions options;
		testing::internal::CaptureStdout();
		scanCommandLine(argc, argv.data(), options);
		EXPECT_EQ(testing::internal::GetCapturedStdout(), c.message) << c.words.size();
		EXPECT_EQ(options.file, c.file);
		EXPECT_EQ(options.playlist, c.playlist);
		EXPECT_EQ(options.net, c.net);
		std::vector<std::string> left(argv.begin(), argv.begin() + argc);
		EXPECT_EQ(left, c.left) << c.words.size();
		EXPECT_EQ(argv[argc], nullptr);
	}
}

} // namespace
