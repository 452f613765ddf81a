#pragma once
// The command line of the program: the script or playlist to open at start
// and whether the command server opens by itself.
#include <string>

struct startupOptions {
	// "-f" or "-file" with a name: a script to open; empty when none
	std::string file;
	// "-l" or "-playlist" with a name: a playlist to open; empty when none
	std::string playlist;
	// "-net": the first tick opens the command server
	bool net = false;
};

// Examines every word after the program name.  Recognised options are taken
// out of argv (argc shrinks; argv[argc] stays null) and noted in options; a
// repeated option keeps its last name; an option that lacks its name is
// reported and dropped.  Other words stay for the toolkit, which reads its
// own switches from them.
void scanCommandLine(int &argc, char **argv, startupOptions &options);
