// A test tool: the console without a user interface. Each line of standard
// input is one typed command, passed through the console widget's callback
// exactly as the widget passes it; all output goes to standard output.
// With --echo, each command is first written as ">> command", so that the
// output reads as a transcript of the session.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "console/console.h"
#include "state/state.h"

int main(int argc, char **argv)
{
	const bool echo = argc > 1 && std::strcmp(argv[1], "--echo") == 0;
	state s;
	std::string line;
	while (std::getline(std::cin, line)) {
		if (echo) std::printf(line.empty() ? ">>\n" : ">> %s\n", line.c_str());
		g_consoleCommandCallback(line.c_str(), &s);
		std::fflush(stdout);
	}
	return 0;
}
