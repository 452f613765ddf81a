// The console widget driven through the toolkit's event dispatch in a shown
// window: the history, the read-only transcript, the cursor keys, the
// bracket jump, output around a half-typed command, output lines and echoes
// cut while long commands run whole, formatting and clearing.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "console/fl_console.h"

namespace {

class console : public testing::Test {
protected:
	Fl_Window *m_window = nullptr;
	Fl_Console *m_console = nullptr;
	std::vector<std::string> m_entered;

	void SetUp() override
	{
		m_window = new Fl_Window(480, 320, "console");
		m_console = new Fl_Console(0, 0, 480, 320);
		m_window->end();
		m_window->show();
		Fl::focus(m_console);
		m_console->add_command_callback(record, this);
	}
	void TearDown() override { delete m_window; }

	static void record(const char *command, void *arg)
	{
		static_cast<console *>(arg)->m_entered.push_back(command);
	}

	// One key press as the window system delivers it.
	int press(int keysym, int state = 0, const char *text = "")
	{
		static char s_text[8];
		snprintf(s_text, sizeof s_text, "%s", text);
		Fl::e_keysym = keysym;
		Fl::e_state = state;
		Fl::e_text = s_text;
		Fl::e_length = static_cast<int>(std::string(text).size());
		return Fl::handle(FL_KEYBOARD, m_window);
	}
	void type(const std::string &s)
	{
		for (char ch : s)
			press(static_cast<unsigned char>(ch), 0, std::string(1, ch).c_str());
	}
	void enter(const std::string &s)
	{
		type(s);
		press(FL_Enter, 0, "\r");
	}
	void ctrlE() { press('e', FL_CTRL, "\x05"); }

	std::string text() const
	{
		char *t = m_console->buffer()->text();
		std::string s(t);
		std::free(t);
		return s;
	}
	std::string command() const
	{
		char *c = m_console->command();
		std::string s(c ? c : "<null>");
		std::free(c);
		return s;
	}
	int cursor() const { return m_console->insert_position(); }
	int length() const { return m_console->buffer()->length(); }
	// Start of the command line: every test keeps a single ">> " prompt last.
	int promptPos() const { return length() - static_cast<int>(command().size()); }
};

TEST_F(console, EnteredCommandsGoToTheCallbacksAndTheHistory)
{
	EXPECT_EQ(text(), ">> ");
	enter("b");
	enter("a");
	enter("a");
	press(FL_KP_Enter, FL_SHIFT, "\r");
	EXPECT_EQ(text(), ">> b\n>> a\n>> a\n>> \n>> ");
	EXPECT_EQ(m_entered, (std::vector<std::string>{"b", "a", "a", ""}));
	// The repeated "a" was kept once, the empty command like any other.
	const char *upSteps[] = {"", "a", "b", "b"};
	for (const char *expected : upSteps) {
		press(FL_Up);
		EXPECT_EQ(command(), expected);
	}
	press(FL_Down);
	EXPECT_EQ(command(), "a");
	press(FL_Down);
	EXPECT_EQ(command(), "");
	// Past the newest entry the command is a single blank; further Downs do nothing.
	press(FL_Down);
	EXPECT_EQ(command(), " ");
	press(FL_Down);
	EXPECT_EQ(command(), " ");
}

TEST_F(console, HistoryKeepsTheNewestEntries)
{
	m_console->max_history(3);
	for (const char *c : {"1", "2", "3", "4"})
		enter(c);
	m_console->max_history(0);  // ignored
	m_console->max_history(2);
	press(FL_Up);
	press(FL_Up);
	press(FL_Up);
	EXPECT_EQ(command(), "3");
}

TEST_F(console, TheTranscriptCannotBeEdited)
{
	enter("x = 1");
	type("abc");
	const std::string before = text();
	// Backspace on a selection in the transcript deletes nothing there and
	// hands the cursor back to the command line.
	m_console->buffer()->select(0, 4);
	press(FL_BackSpace, 0, "\b");
	EXPECT_EQ(text(), before);
	EXPECT_EQ(cursor(), promptPos());
	EXPECT_FALSE(m_console->buffer()->selected());
	// Pasting into the transcript is undone and the cursor goes to the end.
	Fl::copy("XYZ", 3, 1);
	m_console->insert_position(2);
	press('v', FL_CTRL, "\x16");
	EXPECT_EQ(text(), before);
	EXPECT_EQ(cursor(), length());
	// A deletion ending at the prompt right after one at the prompt: only
	// the transcript's part comes back, the command keeps its deletion.
	m_console->insert_position(promptPos());
	press(FL_Delete);
	EXPECT_EQ(command(), "bc");
	m_console->buffer()->select(promptPos() - 2, promptPos());
	press(FL_Delete);
	EXPECT_EQ(text(), ">> x = 1\n>> bc");
	// Within the command Backspace deletes, at its start it does not.
	press(FL_End);
	press(FL_BackSpace, 0, "\b");
	press(FL_BackSpace, 0, "\b");
	press(FL_BackSpace, 0, "\b");
	EXPECT_EQ(text(), ">> x = 1\n>> ");
}

TEST_F(console, CursorKeysStayOnTheCommandLine)
{
	enter("first line");
	type("f(a, g(b))");
	press(FL_Home);
	EXPECT_EQ(cursor(), promptPos());
	press(FL_Left);
	EXPECT_EQ(cursor(), promptPos());
	press(FL_Left, FL_CTRL);
	EXPECT_EQ(cursor(), promptPos());
	press(FL_Right);
	EXPECT_EQ(cursor(), promptPos() + 1);
	press(FL_End);
	EXPECT_EQ(cursor(), length());
	// A click in the transcript leaves the cursor at the prompt.
	m_console->insert_position(1);
	m_console->handle(FL_MOVE);
	EXPECT_EQ(cursor(), promptPos());
	// A selection in the transcript hands the cursor back on Right.
	m_console->buffer()->select(0, 3);
	press(FL_Right);
	EXPECT_FALSE(m_console->buffer()->selected());
	EXPECT_EQ(cursor(), length());
	// One in the command leaves it at the later end, then Left moves it.
	m_console->buffer()->select(promptPos(), promptPos() + 4);
	press(FL_Left);
	EXPECT_EQ(cursor(), promptPos() + 3);
}

TEST_F(console, CtrlEJumpsBetweenMatchingBrackets)
{
	struct jump_s {
		const char *command;
		int from, to;  // offsets in the command
	} jumps[] = {
		{"f(a, g(b))", 1, 9},
		{"f(a, g(b))", 9, 1},
		{"f(a, g(b))", 10, 1},  // after the last bracket: the one before
		{"f(a, g(b))", 6, 8},
		{"([)]", 0, 2},  // other kinds do not count
		{"{[x]}", 4, 0},
		{"f((a)", 1, 1},  // no partner: the cursor stays
		{"f(a)", 0, 0},   // no bracket
	};
	for (const jump_s &j : jumps) {
		m_console->command(j.command);
		m_console->insert_position(promptPos() + j.from);
		ctrlE();
		EXPECT_EQ(cursor() - promptPos(), j.to) << j.command << " from " << j.from;
	}
}

TEST_F(console, OutputGoesAboveTheCommandBeingTyped)
{
	type("a = ");
	EXPECT_EQ(m_console->cprint("one\n", 0), 4);
	EXPECT_EQ(m_console->cprintf("%d", 5), 1);
	EXPECT_EQ(text(), ">> one\n>> 5\n>> a = ");
	EXPECT_EQ(command(), "a = ");
	EXPECT_EQ(cursor(), length());
	// Inserted output is typed in at the cursor.
	m_console->insert_position(promptPos() + 1);
	EXPECT_EQ(m_console->cprint("bc", 1), 2);
	EXPECT_EQ(command(), "abc = ");
	EXPECT_EQ(cursor(), promptPos() + 3);
	EXPECT_EQ(m_console->cprint(nullptr, 0), -1);
	EXPECT_EQ(m_console->cprint("", 0), 0);
	EXPECT_EQ(m_console->cprintf("%s", ""), 0);
	EXPECT_EQ(text(), ">> one\n>> 5\n>> abc = ");
}

TEST_F(console, FormattingRetriesWithTheSameArguments)
{
	// Far longer than twice the format: the text must be formatted again.
	const std::string longText(5000, 'q');
	m_console->clear();
	EXPECT_EQ(m_console->cprintf("%s|%d|%s\n", longText.c_str(), 42, "end"), 5008);
	EXPECT_EQ(text(), " \n>> " + longText + "|42|end\n>> ");
}

void printFromCallback(const char *command, void *arg)
{
	static_cast<Fl_Console *>(arg)->cprintf("ran %s\n", command);
}

void clearFromCallback(const char *, void *arg)
{
	static_cast<Fl_Console *>(arg)->clear();
}

void printPiecesFromCallback(const char *, void *arg)
{
	// a line printed a piece at a time grows past the limit
	const std::string piece(1000, 'b');
	for (int i = 0; i < 3 * Fl_Console::sc_maxShownLineLength / 1000; i++)
		static_cast<Fl_Console *>(arg)->cprint(piece.c_str(), 0);
	static_cast<Fl_Console *>(arg)->cprint("\nshort\n", 0);
}

TEST_F(console, LongOutputLinesAreCutAndDrawn)
{
	const int limit = Fl_Console::sc_maxShownLineLength;
	const std::string mark = Fl_Console::sc_cutMark, e = "\xc3\xa9";
	// a line of about a megabyte; lines around it stay whole; a two-byte
	// character that the limit would cut in two goes; a line of exactly the
	// limit is whole
	std::string many;
	for (int i = 0; i < limit; i++) many += e;
	m_window->wait_for_expose();
	const struct {
		std::string printed, shown;
	} rows[] = {
		{std::string(1 << 20, 'a'), std::string(limit - 3, 'a') + mark},
		{"one\n" + std::string(limit + 1, 'a') + "\ntwo", "one\n" + std::string(limit, 'a') + mark + "\ntwo"},
		{many, [&] {
			 std::string s;
			 for (int i = 0; i < (limit - 4) / 2; i++) s += e;
			 return s + mark;
		 }()},
		{"\n" + std::string(limit, 'a') + "\n", "\n" + std::string(limit, 'a') + "\n"},
	};
	for (const auto &r : rows) {
		m_console->command("");
		m_console->clear();
		type("x");
		EXPECT_EQ(m_console->cprint(r.printed.c_str(), 0), static_cast<int>(r.printed.size()));
		const std::string shown = " \n>> " + r.shown + (r.shown.back() == '\n' ? "" : "\n") + ">> x";
		EXPECT_EQ(text(), shown) << r.shown.substr(0, 20);
		// drawn to the end of the longest line: the window system takes it
		m_console->scroll(1, limit * 20);
		m_window->redraw();
		Fl::flush();
		Fl::check();
	}
	// pieces from a command's callback join up to the limit, then only the
	// mark shows of that line
	m_console->command("");
	m_console->clear();
	m_console->add_command_callback(printPiecesFromCallback, m_console);
	enter("p");
	EXPECT_EQ(text(), " \n>> p\n" + std::string(limit, 'b') + mark + "\nshort\n>> ");
	m_console->scroll(2, limit * 20);
	m_window->redraw();
	Fl::flush();
	Fl::check();
}

TEST_F(console, LongCommandsRunWholeOnEveryRoute)
{
	const int limit = Fl_Console::sc_maxShownLineLength;
	const std::string line = "z = 7; w = \"" + std::string(limit, 'x') + "\"; remove(z);";
	// pasted after a typed start, typed in by a pick (of an object's name)
	// after a typed start, brought back from the history: the command line
	// holds it whole, Enter runs it whole and the echo is cut as output is
	const std::vector<std::function<void()>> routes = {
		[&] {
			type("z ");
			Fl::copy(line.c_str() + 2, static_cast<int>(line.size()) - 2, 1);
			press('v', FL_CTRL, "\x16");
		},
		[&] {
			type("z ");
			m_console->cprint(line.c_str() + 2, 1);
		},
		[&] { press(FL_Up); },
	};
	for (size_t i = 0; i < routes.size(); i++) {
		m_console->clear_buffer();
		routes[i]();
		// (compared as truth values: a failure would print megabytes)
		EXPECT_TRUE(command() == line) << "route " << i << ": " << command().size() << " bytes";
		press(FL_Enter, 0, "\r");
		EXPECT_TRUE(m_entered.back() == line) << "route " << i << ": " << m_entered.back().size() << " bytes";
		const std::string echo = line.substr(0, limit - 3) + Fl_Console::sc_cutMark;
		EXPECT_TRUE(text() == " \n>> " + echo + "\n>> ") << "route " << i << ": " << text().size() << " bytes";
	}
	EXPECT_EQ(m_entered.size(), routes.size());
}

TEST_F(console, CallbackOutputLandsBeforeTheNextPrompt)
{
	m_console->add_command_callback(printFromCallback, m_console);
	m_console->add_command_callback(printFromCallback, m_console);
	m_console->add_command_callback(nullptr, m_console);
	enter("x");
	EXPECT_EQ(text(), ">> x\nran x\nran x\n>> ");
	m_console->remove_command_callback(printFromCallback, m_console);
	enter("y");
	EXPECT_EQ(text(), ">> x\nran x\nran x\n>> y\n>> ");
	EXPECT_EQ(m_entered, (std::vector<std::string>{"x", "y"}));
}

TEST_F(console, ClearingEmptiesTextAndHistory)
{
	enter("a");
	m_console->cprintf("out\n");
	m_console->clear();
	EXPECT_EQ(text(), " \n>> ");
	press(FL_Up);
	EXPECT_EQ(command(), "");
	// The command being typed stays, the cursor where it was; typing goes on there.
	type("t = 1 + 2");
	press(FL_Left);
	press(FL_Left);
	m_console->cprintf("out\n");
	m_console->clear();
	EXPECT_EQ(text(), " \n>> t = 1 + 2");
	type(" 4 *");
	EXPECT_EQ(command(), "t = 1 + 4 * 2");
	m_console->command("");
	// A callback that clears leaves the later callbacks their command.
	m_console->remove_command_callback(record, this);
	m_console->add_command_callback(clearFromCallback, m_console);
	m_console->add_command_callback(record, this);
	m_entered.clear();
	enter("clear me");
	EXPECT_EQ(m_entered, (std::vector<std::string>{"clear me"}));
	press(FL_Up);
	EXPECT_EQ(command(), "");
}

TEST_F(console, ASelectionInTheCommandStaysThroughOutputAndClearing)
{
	// A row: what comes while "200" is selected, how many more Shift+Left,
	// the command after "5" is typed.
	const struct {
		const char *what;
		std::function<void(Fl_Console *)> comes;
		int moreLeft;
		const char *command;
	} rows[] = {
	    {"nothing", [](Fl_Console *) {}, 0, "sel = 100 + 5"},
	    {"output", [](Fl_Console *c) { c->cprintf("out\n"); }, 0, "sel = 100 + 5"},
	    {"a clear", [](Fl_Console *c) { c->clear(); }, 0, "sel = 100 + 5"},
	    {"output", [](Fl_Console *c) { c->cprintf("out\n"); }, 1, "sel = 100 +5"},
	    {"a clear", [](Fl_Console *c) { c->clear(); }, 1, "sel = 100 +5"},
	};
	for (const auto &row : rows) {
		m_console->command("");
		type("sel = 100 + 200");
		for (int i = 0; i < 3; i++)
			press(FL_Left, FL_SHIFT);
		row.comes(m_console);
		for (int i = 0; i < row.moreLeft; i++)
			press(FL_Left, FL_SHIFT);
		type("5");
		EXPECT_EQ(command(), row.command) << "after " << row.what << " and " << row.moreLeft << " Shift+Left";
		EXPECT_EQ(cursor(), promptPos() + static_cast<int>(std::string(row.command).find('5')) + 1) << row.what;
	}
	// a selection that reaches into the transcript goes with it
	m_console->command("");
	type("x = 12");
	m_console->buffer()->select(0, length());
	m_console->clear();
	type("3");
	EXPECT_EQ(command(), "x = 123");
}

TEST_F(console, PromptChangesAtTheNextPrompt)
{
	m_console->prompt("? ");
	m_console->prompt(nullptr);
	EXPECT_STREQ(m_console->prompt(), "? ");
	enter("1");
	EXPECT_EQ(text(), ">> 1\n? ");
	// A new prompt starts a line unless the text ends in a line end or in
	// the lone first character (of one or more bytes) of a line.
	m_console->prompt("");
	enter("2");
	m_console->cprint("\xc3\xa9", 0);
	EXPECT_EQ(text(), ">> 1\n? 2\n\xc3\xa9");
	m_console->cprint("ab", 0);
	EXPECT_EQ(text(), ">> 1\n? 2\n\xc3\xa9" "ab\n");
}

} // namespace
