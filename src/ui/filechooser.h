#pragma once
// The toolkit's file chooser as every file command and dialog of the program
// asks with it: a file to open or to write, or a directory.
class Fl_File_Input;
class Fl_Widget;

// Asks for a file with a chooser titled title, offering the patterns of
// filter (tab-separated, the first in force).  start is the file the
// chooser starts from; null, empty or in a directory that does not exist,
// the chooser starts in the existing directory where the last answered one
// ended, or the working directory at first.  directory asks for a
// directory instead.  The chosen absolute name, valid until the next call,
// or null when the chooser was cancelled.
const char *askForFile(const char *title, const char *filter, const char *start, bool directory = false);
// The name field of a chooser's window w: its one file input, or null.
Fl_File_Input *chooserNameField(Fl_Widget *w);
