#pragma once
// dynStmtWindow: every dynamic statement of the state as editable source
// text, one row each, with its name and the buttons "remove" and "update".
// The rows follow the list while the window is open: a statement added,
// changed or removed by other means (a script, a network client, a
// statement that runs) shows at the next timer tick, and an edit not yet applied stays in
// its row.  A row knows its statement by name, or an anonymous one by the
// serial of its entry, never by its list, which a removal deletes.  A row
// whose statement is gone leaves, unless it holds an edit: then it stays,
// its "remove" grey, and "update" says that the statement was removed.
// Closing the window with edits not yet applied asks whether to apply them.
// The keyboard is on the close button when the window opens and after a
// removal or an update: "remove" is pressed by a click, or by a key only
// after the user moved the keyboard onto it.  A statement that does not
// parse is said in a message box; the keyboard then goes back into it, and
// a window being closed stays open.
#include <FL/Fl_Window.H>

#include <string>
#include <vector>

class Fl_Button;
class Fl_Group;
class Fl_Output;
class Fl_Scroll;
class Fl_Text_Editor;

// One row of the window.
struct dynStmtWidgets {
	Fl_Group *group;
	Fl_Button *remove;
	Fl_Button *update;
	Fl_Output *name;
	Fl_Text_Editor *editor;
	// the statement shown: by its name, which a statement of that name given
	// again takes over, or, when it has none, by the serial of its entry
	std::string stmtName;
	unsigned long serial;
	// its source text as the row last took it from the state: a change made
	// elsewhere shows unless the row holds an edit
	std::string source;
	// removed by its own "remove": shown marked until the window closes
	bool removed;
};

class dynStmtWindow : public Fl_Window {
public:
	dynStmtWindow(int x, int y, int w, int h, const char *label);
	dynStmtWindow(int w, int h, const char *label);
	~dynStmtWindow() override;

	void initToNothing();
	// The close button, then the rows and the window's size.
	int setupWidgets();
	// At the timer tick: the rows follow the list when it changed since
	// they were made, unless a button of the window is being handled.
	void followList();

	// A button: "update" or "remove" of a row, or close (or the window).
	void pressed(Fl_Widget *w);
	// Parses row i's text and puts it in place of its statement: 0; -1 after
	// a parse error (the row keeps its edit and its active "update", the
	// keyboard, its cursor where it was); 1 when the statement is gone,
	// which the console says.
	int update(int i);
	int remove(int i);
	// The question on close, then the window closes, unless an update
	// asked for there does not parse.
	void closeAsked();

	// The button that takes the keyboard when the window opens: close, so
	// that a Space typed by habit removes no statement.
	Fl_Button *openingFocus() const { return m_close; }

	// --- fields: the rows, one per dynamic statement (and those kept for
	// an edit or a removal here), in the scroll, and the close button
	std::vector<dynStmtWidgets> m_rows;
	Fl_Scroll *m_scroll;
	Fl_Button *m_close;

	// sizes: the window's width, a row's height, the room of the close
	// button below the rows
	static constexpr int sc_width = 600;
	static constexpr int sc_rowHeight = 91;
	static constexpr int sc_closeRoom = 30;
	// text size of the statements
	static constexpr int sc_textSize = 14;

private:
	// the state's count of list changes that the rows show
	unsigned long m_changesShown;
	// above 0 while a button is handled: a modal box then runs the event
	// loop, whose ticks must not take rows from under it
	int m_busy;

	// The rows made again from the state's list, keeping the widgets, edits
	// and places of the rows that stay; then the sizes.
	void showList();
	void layout();
	// Hides the window, which the toolkit deletes once no callback of it
	// runs, and forgets it in the user interface.
	void close();
};

// The toolkit callback of the buttons and the window: the window finds the
// row by the widget.
void ui_dynStmtCallback(Fl_Widget *w, void *data);
