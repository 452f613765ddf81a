#pragma once
// GAfile: a reader of ".geo" scene and script files and ".gpl" playlists,
// bound to one file. The timer reads the file on top of the state's stack a
// little at a time: each complete line, after its arguments "$1".."$N" are
// put in, is interpreted as one command (parseLine), and reading stops
// wherever the presentation pauses (a wait for the user, a sleep, a pending
// open) to resume at the same byte on a later tick. The file is opened and
// closed on every read.
#include <climits>
#include <cstddef>
#include <cstdio>
#include <string>

class state;

class GAfile {
public:
	// An empty reader without a file (the base of the console's reader).
	explicit GAfile(state *s);
	// A reader of filename opened at level (-1 open, 0 switch to, 1 import),
	// with a copy of the delete question (may be null) and of the
	// arguments; filename() stays null when the file cannot be read.
	GAfile(state *s, const char *filename, int level, const char *deleteQuestion, int nbArg, char **args);
	virtual ~GAfile();
	// Whether filename names a regular file that can be read and holds text
	// (u_readableTextFile); when not, one message names the file and says why.
	static bool readable(const char *filename);
	// That message, with its line end, for a file that readable refuses;
	// empty for one it takes. Nothing is said.
	static std::string refusal(const char *filename);
	GAfile(const GAfile &) = delete;
	GAfile &operator=(const GAfile &) = delete;

	void initToNothing();

	// Back to the first byte; the bottom file of the stack also starts
	// from an empty scene.
	virtual int reset(state *s);
	// Interprets lines until a pause or the end of the file: 0, or -1
	// when the file cannot be opened (said once while it stays so). An imported file deletes itself at
	// its end, so nothing may touch the reader after this returns.
	virtual int read(state *s);
	// What happens to the file when the state drops the reader: kept,
	// deleted, or deleted when the user says yes.
	virtual int handleDelete();

	// Copies of the arguments, each that would not read back as one word
	// put in double quotes; -1, keeping none, when memory runs out.
	int setArg(int n, char **args);
	void freeArg();
	// The file changed under the reader: it is read again from its start.
	int truncated(state *s);
	// Drops from the current line, with a message for each, the bytes above
	// sc_lastAsciiByte that stand outside double-quoted texts: quoted names
	// and texts keep them (UTF-8), the rest of the format is ASCII.
	void dropBytesOutsideTexts();
	// Puts the arguments in for "$N" in the current line, in one pass: 0,
	// or -1 with a message, the line emptied, when the result would be
	// longer than sc_maxLineLength.
	int substituteArguments(state *s);
	// text with a backslash put before every "$" that a digit follows:
	// substituteArguments gives such a line back as text was, whatever
	// arguments the file is given.
	static std::string argumentsEscaped(const std::string &text);
	// Interprets the current line (gafileparse.cpp); it is edited in place.
	int parseLine(state *s);

	// --- lexical units of the line format (gafilelex.cpp)
	// The string at pos of line into out: a double-quoted text, or a run
	// of non-blank characters not beginning with one of forbidden. The
	// position after it, or -1 (out empty) when there is none.
	static int readString(const char *line, int pos, std::string &out, const char *forbidden);
	// Inside a double-quoted text a run of backslashes right before a
	// double quote stands for half as many backslashes and, when the run is
	// odd, for a double quote that does not end the text; every other
	// backslash is itself. quoted(text) is text as such a string, which
	// readString gives back unchanged.
	static std::string quoted(const std::string &text);
	// How a line quotes its texts: the format's own way, above, or, on a
	// "console" line, the console's, where a backslash right before a
	// double quote escapes it and every other backslash is itself. The
	// comment, the bytes dropped outside texts and the arguments put in are
	// found as the line's reader reads its texts, so that the console is
	// handed a console line's text as it was written.
	enum class quoting { format, console };
	static quoting lineQuoting(const char *line);
	// Where the comment of line begins: the first "#" outside any quoted
	// text (escaped quotes do not end a text), or else the first "#" of a
	// text the line leaves open; -1 when there is none.
	static int commentStart(const char *line, quoting q = quoting::format);
	// The line that sets a colour: keyword ("fgcolor" and the like) and RGBA.
	static void writeColor(FILE *F, const char *keyword, const float *rgba);
	// 1 when c is one of the characters of set.
	static int memberOf(char c, const char *set);
	// Object flag words into draw-mode bits and creation flags, and, where
	// restore is given, whether the first word is "restore" (which does not
	// count); the number of words, -1 for none. Unknown words are reported
	// and ignored.
	int parseFlags(const char *text, int &drawMode, int &creationFlags, bool *restore = nullptr);
	// Whether the first word of text is "restore"; text is moved past it
	// when it is.
	static bool readRestoreWord(const char *&text);
	// Label flag words into label flags and a width (-1 when none).
	int parseLabelFlags(const char *text, int &flags, int &width);

	// The line buffer holds at least n characters and a terminating zero;
	// std::bad_alloc when it cannot.
	int ensureBufLen(int n);
	const char *filename() const { return m_filename; }
	// The question asked before the file deletes itself, with the file's
	// name in place of its "%s".
	std::string deleteQuestionText() const;

	// --- fields, in this order
	// -1 keep the file when the state drops it, 0 ask, 1 delete
	int m_deleteFile;
	// asked before deleting: "%s" stands for the file name; owned
	char *m_deleteFileQuestion;
	// 1: at its end the reader removes itself from the stack (imports)
	int m_closeAtEOF;
	// 1: an import nested in this one went too deep; this import reads no
	// further and leaves the stack as if at its end
	int m_abandoned;
	// the arguments "$1".."$N", owned
	int m_nbArg;
	char **m_arg;
	// how the file was opened: -1 open, 0 switch to, 1 import
	int m_level;
	// 1: file-opening lines open at once instead of on the next tick
	int m_directFileOpen;
	// path of the file, owned; null when it could not be opened
	char *m_filename;
	// bytes consumed so far, the current line number (1-based after
	// reset), the last byte read (-1 for none), to resume reading and to
	// see that the file changed under the reader
	long m_pos;
	int m_lineNb;
	int m_lastChar;
	// the current line, NUL-terminated; the interpreter edits it in place
	int m_bufLen;
	int m_bufMaxLen;
	char *m_buf;
	// 1 when the file cannot be positioned (a pipe): it is read no further
	int m_unseekable;
	// the longest line the reader holds (sc_maxLineLength unless set lower)
	size_t m_maxLineLength;
	// 1 while the rest of a line that was too long to hold is dropped
	int m_skippingLine;
	// 1 once the file could not be opened, until it opens again
	int m_goneReported;
	// how the current line quotes (lineQuoting), found before it is changed
	quoting m_quoting;

	// The keyword of a line run by the console.
	static constexpr const char *sc_consoleKeyword = "console";
	// The last byte of the line format outside quoted texts (ASCII).
	static constexpr int sc_lastAsciiByte = 127;
	// The most arguments a file line passes to the file it opens.
	static constexpr int sc_maxArgs = 8;
	// Digits after "$" that make up an argument number.
	static constexpr int sc_maxArgDigits = 15;
	// The longest line: its length and its terminating zero are counted in
	// an int. A longer line in the file, or one that its arguments would
	// make longer, is skipped.
	static constexpr size_t sc_maxLineLength = INT_MAX - 1;
	// Blank-separated words of a flag text that count.
	static constexpr int sc_maxFlagWords = 8;
	// What every name and text may not begin with unless quoted: such a
	// word starts a multivector or a number.
	static constexpr const char *sc_nameForbidden = "[]+-1234567890";
	// The longest name of an object a line may give, in bytes: the format's
	// own bound, to which every name that a saved scene keeps is held where
	// it is made (state::nameFits), so that every such name reads back.
	static constexpr size_t sc_maxNameLength = 1023;
	// The longest text a line may give (a label's text, the status line,
	// markup read for its definitions, the delete question): the format's
	// own bound, which labels made elsewhere keep too, so that every label
	// a scene is saved with reads back.
	static constexpr size_t sc_maxTextLength = 2059;

protected:
	// The reading loop; restarted: the file was found changed once already.
	int readLines(state *s, bool restarted);
	// This is the scene's own file, at the bottom of the stack of s, not an
	// import on it nor a reader off the stack.
	bool isSceneFile(const state *s) const;
	// One complete line: substituted, interpreted, emptied.
	void interpretLine(state *s);
	// Appends a byte read to the current line; a line that grows longer than
	// m_maxLineLength, or than memory allows, is reported and dropped to its end.
	void appendToLine(char c);
	// The current line is dropped, the rest of it too as it is read.
	void skipLine();
};
