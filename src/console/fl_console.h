#pragma once
// The console's text widget: a transcript of everything typed and printed,
// followed by a prompt and the command being typed.  Only the command after
// the prompt can be edited; Enter hands it to the registered command
// callbacks, Up and Down browse the commands entered before, Ctrl+E jumps
// between matching brackets, and program output lands above the command
// being typed without disturbing it.
#include <FL/Fl_Text_Buffer.H>
#include <FL/Fl_Text_Editor.H>

#include <cstdarg>
#include <memory>
#include <string>

// Owns the console's text buffer.  It is a base listed before the editor so
// that the buffer outlives the editor, whose destructor still detaches its
// own callbacks from it.
struct consoleBufferOwner {
	std::unique_ptr<Fl_Text_Buffer> m_ownedBuffer;
};

class Fl_Console : private consoleBufferOwner, public Fl_Text_Editor {
public:
	typedef void (*commandCallback)(const char *command, void *arg);

	// The prompt a new console shows.
	static constexpr const char *sc_defaultPrompt = ">> ";
	// Commands a new console remembers: enough to browse back through a
	// session, few enough that a long session's history stays small.
	static constexpr int sc_defaultMaxHistory = 100;
	// The most bytes one line of the transcript shows, a line of output or
	// the echo of an entered command: no one reads that far along one line,
	// and the transcript stays small whatever is printed.  The command line
	// itself holds what is typed or pasted whole.
	static constexpr int sc_maxShownLineLength = 10000;
	// What stands at the end of a line cut to that length.
	static constexpr const char *sc_cutMark = " [...]";

	// The text of str (length bytes) as a widget that draws at most limit
	// bytes of a line shows it, into out: every longer line cut at the
	// start of a character, with sc_cutMark after it.  column is the
	// length of the line that str continues, which may have been cut
	// already.  False, out untouched, when nothing of str is cut.
	static bool cutLongLines(const char *str, int length, int column, int limit, std::string &out);

	Fl_Console(int X, int Y, int W, int H, const char *L = nullptr);
	~Fl_Console() override;
	Fl_Console(const Fl_Console &) = delete;
	Fl_Console &operator=(const Fl_Console &) = delete;

	// Appends (func, cbArg) to the callbacks run on Enter; a null func is ignored.
	void add_command_callback(commandCallback func, void *cbArg);
	// Removes every registered entry with this function and this argument.
	void remove_command_callback(commandCallback func, void *cbArg);
	// Runs every callback in registration order with str; returns 0.
	int callCommandCallbacks(const char *str);

	// The prompt shown from the next new prompt on; null is ignored.
	void prompt(const char *str);
	const char *prompt() const { return m_prompt; }

	// A heap copy (free() it) of the text after the prompt, or null.
	char *command() const;
	// Replaces the text after the prompt by str, the cursor at its end; 0, or
	// -1 without a buffer, a valid prompt position or a text.
	int command(const char *str);
	// Starts a new line when needed and appends the prompt; ends browsing.
	int newPrompt();

	// Prints str: at the cursor when insert is non-zero, whole, as if typed,
	// else above the command being typed, each line of output cut to
	// sc_maxShownLineLength bytes with sc_cutMark after it.  Its length;
	// -1 for null, 0 for empty.
	int cprint(const char *str, int insert);
	int cprintf(const char *fmt, ...) __attribute__((format(printf, 2, 3)));
	int cprintf(const char *fmt, va_list ap) __attribute__((format(printf, 2, 0)));

	// Takes the typed command, whole, into the history and runs the
	// callbacks with it; its echo above the next prompt is cut as output
	// lines are.
	int commandEnter();
	// Takes ownership of a malloc'ed command; 0, or -1 when the history
	// cannot grow (the command is then dropped).
	int addCommandHistory(char *str);
	// Keeps at most nb commands (nb below 1 is ignored).
	void max_history(int nb);
	void clear_history();
	// The text becomes " \n" followed by a new prompt and the command
	// being typed (not one being entered), the cursor where it was in it.
	void clear_buffer();
	void clear();

	// Drops a selection and puts the cursor on the command line; returns 0.
	int handleSelect();

	int handle(int event) override;
	void activate();
	void deactivate();

	// Key functions bound by the constructor: 1 when the key was used.
	static int kf_Enter(int key, Fl_Text_Editor *e);
	static int kf_Up(int key, Fl_Text_Editor *e);
	static int kf_Down(int key, Fl_Text_Editor *e);
	static int kf_Left(int key, Fl_Text_Editor *e);
	static int kf_c_Left(int key, Fl_Text_Editor *e);
	static int kf_Right(int key, Fl_Text_Editor *e);
	static int kf_Home(int key, Fl_Text_Editor *e);
	static int kf_End(int key, Fl_Text_Editor *e);
	static int kf_Page_Up(int key, Fl_Text_Editor *e);
	static int kf_Page_Down(int key, Fl_Text_Editor *e);
	static int kf_parenthesis_jump(int key, Fl_Text_Editor *e);
	static int kf_Backspace(int key, Fl_Text_Editor *e);

	// The buffer's modify callback (cbArg is the console): undoes every edit
	// that starts before the prompt.
	static void modifyCallback(int pos, int nInserted, int nDeleted, int nRestyled,
	                           const char *deletedText, void *cbArg);

protected:
	int m_nbCommandCallback;
	void **m_commandCallbackArg;
	commandCallback *m_commandCallback;
	// 1 while the callbacks run: output then only appends
	int m_callingCallbacks;
	char *m_prompt;
	// buffer position just after the current prompt
	int m_promptPos;
	// 1 while the widget edits its own buffer, so the edit guard stays out
	int m_modifySelf;
	// entered commands, oldest first, each malloc'ed
	char **m_commandHistory;
	int m_commandHistoryLength;
	// browsing position; equal to the length when not browsing
	int m_commandHistoryPos;
	int m_maxCommandHistory;
	Fl_Text_Buffer *m_textBuffer;

	void initToNothing();
	// Whether a prompt put at end starts a new line first: the text before
	// end ends neither in a line end nor in the first character (not byte)
	// of a line.
	bool lineEndBefore(int end) const;
	// Appends text at the end of the buffer as the widget's own edit.
	void appendOwn(const char *text);
	// Puts the cursor at pos and scrolls it into view.
	void cursorTo(int pos);
	// Puts the cursor just after the prompt, the line shown from its left
	// edge, prompt included.
	// The cursor's offset in the command being typed; the command's length
	// when the cursor stands in the transcript.
	int commandCursor() const;
	void cursorToPromptFromLeftEdge();
	// Undoes an edit reported by the modify callback.
	void revertEdit(int pos, int nInserted, int nDeleted, const char *deletedText);
	// Cuts the echo of the entered command cmd, the text after the prompt,
	// to lines of sc_maxShownLineLength bytes, as output is.
	void holdEchoLength(const char *cmd);
	// The bracket jump starting from the bracket at start; see kf_parenthesis_jump.
	void jumpToMatchingBracket(int start);
	// Drops the oldest n history entries.
	void dropOldestHistory(int n);
};
