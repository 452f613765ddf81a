#pragma once
// Console output (defined beside the user interface, in ui/cprintf.cpp) and
// the operating-system layer: a seconds clock, file lengths and deletion,
// path joining and a directory iterator.  They keep the rest of the program
// free of direct calls to the process clock and the directory interface.
#include <dirent.h>

#include <cstdio>
#include <string>

// printf-style output to the user; without a user interface it goes to
// standard output. No line end is added.
void cprintf(const char *format, ...) __attribute__((format(printf, 1, 2)));

// Console output held back while one lives: what cprintf prints goes into
// it, to be printed by its owner later, where it is seen (after a new
// scene has cleared the console). Holds nest: the newest one takes the
// output. What is not taken when it ends is printed then.
class consoleOutputHold {
public:
	consoleOutputHold();
	~consoleOutputHold();
	consoleOutputHold(const consoleOutputHold &) = delete;
	consoleOutputHold &operator=(const consoleOutputHold &) = delete;
	// What was printed so far, which the hold then no longer holds.
	std::string take();
	// Keeps a printed text; called by cprintf.
	void hold(const std::string &text) { m_text += text; }

private:
	std::string m_text;
	consoleOutputHold *m_outer;
};

// --- clock -----------------------------------------------------------------------
// Seconds of real time since an arbitrary fixed point, on a monotonic clock:
// every time in the program is on this clock.
double u_timeGet();
// A clock that takes the place of the real one, for tests that step time by
// hand; null restores the real clock.
typedef double (*u_timeSource)();
void u_timeSetSource(u_timeSource source);
// Seconds since the previous call; 0.0 on the first.
double u_timeElapsed();

// Copies text with its terminating zero into out (size bytes); -1, leaving
// out alone, when it does not fit.  A cut path would name another file.
int u_copyText(char *out, int size, const char *text);
// Whether byte c continues a UTF-8 character begun before it: texts are cut
// before such a byte, never inside a character.
inline bool u_continuesCharacter(char c) { return (static_cast<unsigned char>(c) & 0xc0) == 0x80; }

// --- files ------------------------------------------------------------------------
// Length of an open file, which keeps its position; -1 with a message on
// standard output when it cannot be told.
int fileLength(FILE *f);
// Length of the named file; -1 with a console message when it cannot be opened.
int fileLengthByName(const char *name);
// 0 when the file was deleted, else -1.
int deleteFile(const char *name);
// out (outSize bytes) = name resolved against the file named by reference:
// the text of reference up to and including its last backslash (or, when it
// has none, its last slash) followed by name; name itself when it begins
// with a slash or reference has no separator or is null.  -1, leaving out
// alone, when name or out is null or the result does not fit.
int fullFilename(char *out, int outSize, const char *reference, const char *name);

// dir and name with one slash between them: none is added when dir is empty
// or ends in one, and one that begins name is not doubled; an empty name
// gives dir.
std::string u_joinPath(const std::string &dir, const std::string &name);
// The extension of name's last part: from its last "." on, or "" when it
// has none (the "." that begins a hidden file's name is no extension).
std::string u_extensionOf(const std::string &name);
// Whether name's extension (u_extensionOf) is extension, in any case: files
// copied from a file system that ignores case keep names such as "TALK.GPL",
// and are read as what their extension says all the same.
bool u_hasExtension(const std::string &name, const char *extension);
// path by its name relative to directory dir when it lies in dir or below
// it ("pic.png", "images/pic.png"), so that it is found again beside a file
// of dir when the folder is copied or moved; else path's absolute name,
// which names the file wherever dir goes ("/home/me/pics/p.png", never
// "/home/me/talk/../pics/p.png", which renaming talk would break). Both are
// taken as absolute names without "." and ".." parts that name the same
// files, the process's directory in front of a relative one. Whether path
// lies in dir is told by the folders themselves, not by their names' text:
// through a link to dir, or by dir's real name where dir is reached through
// a link, path is named relative to dir all the same.
std::string u_nameRelativeTo(const std::string &path, const std::string &dir);

// --- regular files ----------------------------------------------------------------
// Every file the user names is read and written through these: they open
// nothing but a regular file (a link counts as what it names), and opening
// waits for nothing. A pipe or a device would hold the program at its
// opening or at its first byte; a directory reads as nothing.
// Why a name is refused, said after the name in a message.
constexpr const char *u_isDirectory = "is a directory";
// a pipe, a device or a socket
constexpr const char *u_isNotRegular = "is not a regular file";
constexpr const char *u_isNotText = "is not a text file";
// The first bytes of a file looked at for a NUL byte, which no text holds:
// one block of the file system, where binary formats have their header.
constexpr size_t u_textProbeLength = 4096;
// Each why below is either what the file is instead ("is a directory": it
// begins with "is ") or the system's reason in lower case ("no such file or
// directory", "permission denied").
// The system's reason for the failure of error (an errno value).
std::string u_systemWhy(int error);
// Whether why tells what the file is (u_isDirectory, u_isNotRegular,
// u_isNotText), not the system's reason.
bool u_whyTellsWhatItIs(const std::string &why);
// What keeps name from being a regular file (u_isDirectory,
// u_isNotRegular); "" when it is one, or when nothing has that name.
std::string u_notRegularFile(const char *name);
// What keeps name from being written: what u_notRegularFile says, or the
// system's reason when the file, or for a new file its directory, may not
// be written; "" when it may.
std::string u_whyNotWritable(const char *name);
// name opened for reading ("rb") when it is a regular file; else null, with
// why saying what it is instead, or the system's reason when it cannot be
// opened (missing, not permitted).
FILE *u_openRegularFile(const char *name, std::string &why);
// name created, or emptied when it is a regular file, and opened with mode
// ("wb", "wb+"); null, with why as for u_openRegularFile, when it is
// something else or cannot be made. What else has the name is left alone.
FILE *u_createRegularFile(const char *name, const char *mode, std::string &why);
// name opened for reading as u_openRegularFile does, when it also holds
// text: no NUL byte in its first u_textProbeLength bytes (else why is
// u_isNotText). The file is at its start.
FILE *u_openTextFile(const char *name, std::string &why);
// Whether u_openTextFile opens name; why as for it.
bool u_readableTextFile(const char *name, std::string &why);
// The name in single quotes and why, as a message says it of a file it
// refuses: "'x': it is a directory", "'x': permission denied"; the name
// alone when why is empty.
std::string u_quotedWithWhy(const char *name, const std::string &why);
// The same, with what the file is said as a sentence: "'x' is a
// directory", "'x': permission denied".
std::string u_quotedIs(const char *name, const std::string &why);

// --- directories -------------------------------------------------------------------
struct u_dirEnt_s {
	char *dirName;  // own copy of the directory's name
	DIR *dir;       // the open directory stream
	dirent *dp;     // the last entry read
};

// What u_dirNext gives besides a name.
constexpr int U_DIR_FILE = 1;
constexpr int U_DIR_DIRECTORY = 2;
constexpr int U_DIR_END = -2;

// An iterator over the entries of a directory, or null with a message and
// errno telling why.  The filter is not applied: every entry comes back.
u_dirEnt_s *u_dirOpen(const char *dirName, const char *filter);
// The next directory (U_DIR_DIRECTORY) or file (U_DIR_FILE) with its name
// copied into name (size bytes); U_DIR_END after the last.  "." and ".."
// come back like other directories; symbolic links, devices, pipes,
// sockets, entries that cannot be examined and names that do not fit name
// are skipped.
int u_dirNext(u_dirEnt_s *d, char *name, int size);
// out (size bytes) = the directory's name joined to name (u_joinPath); -1,
// leaving out alone, when that does not fit.
int u_dirFullName(u_dirEnt_s *d, const char *name, char *out, int size);
void u_dirClose(u_dirEnt_s *d);
// Each 0 on success, -1 on failure.
int u_dirCreate(const char *path);
int u_dirFileDelete(const char *path);
int u_dirDirDelete(const char *path);
int u_dirSetCwd(const char *path);
int u_dirGetCwd(char *buf, int size);
// u_dirOpen, and when that fails, u_dirCreate and u_dirOpen once more.
u_dirEnt_s *u_dirOpenOrCreate(const char *dirName, const char *filter);
