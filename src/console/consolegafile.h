#pragma once
// consoleGAfile: the scene-file line interpreter without a file. The console
// built-in cmd() hands it one line of the ".geo" format as text; its
// file-opening lines open at once rather than on the next tick.
#include "files/gafile.h"

class consoleGAfile : public GAfile {
public:
	explicit consoleGAfile(state *s);
	~consoleGAfile() override;

	// A console reader has no file to rewind, read or delete: each of these
	// says it should never have been called.
	int reset(state *s) override;
	int read(state *s) override;
	int handleDelete() override;

	// Interprets text as one line. A line run by a line of this reader
	// (cmd() within cmd()) works on a buffer of its own.
	int read(state *s, const char *text);

	// The name that the interpreter's messages give the console's lines.
	static constexpr const char *sc_filename = "virtual console file.geo";
};
