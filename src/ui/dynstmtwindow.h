#pragma once
// dynStmtWindow: every dynamic statement of the state as editable source
// text, one row each, with its name and the buttons "remove" and "update".
// The rows are those of the statements when the window was built; a
// statement removed or replaced meanwhile by other means is no longer found
// by its row.  Closing the window with edits not yet applied asks whether to
// apply them.  The keyboard is on the close button when the window opens and
// after a removal or an update: "remove" is pressed by a click, or by a key
// only after the user moved the keyboard onto it.  A statement that does not
// parse is said in a message box; the keyboard then goes back into it, and
// a window being closed stays open.
#include <FL/Fl_Window.H>

#include <vector>

class Fl_Button;
class Fl_Output;
class Fl_Text_Editor;
class consoleStmtListStmt;

// One row of the window.
struct dynStmtWidgets {
	Fl_Button *remove;
	Fl_Button *update;
	Fl_Output *name;
	Fl_Text_Editor *editor;
	// the statement list shown, not owned; null once removed
	consoleStmtListStmt *stmt;
};

class dynStmtWindow : public Fl_Window {
public:
	dynStmtWindow(int x, int y, int w, int h, const char *label);
	dynStmtWindow(int w, int h, const char *label);
	~dynStmtWindow() override;

	void initToNothing();
	// The rows, the close button and the window's size.
	int setupWidgets();

	// A button: "update" or "remove" of row i, or close (i = -1).
	void pressed(Fl_Widget *w, int i);
	// Parses row i's text and puts it in place of its statement: 0, or -1
	// (the row keeps its edit and its active "update", and after a parse
	// error the keyboard, its cursor where it was).
	int update(int i);
	int remove(int i);
	// The question on close, then the window closes, unless an update
	// asked for there fails.
	void closeAsked();

	// The button that takes the keyboard when the window opens: close, so
	// that a Space typed by habit removes no statement.
	Fl_Button *openingFocus() const { return m_close; }

	// --- fields: the rows, one per dynamic statement, and the close button
	std::vector<dynStmtWidgets> m_rows;
	Fl_Button *m_close;

	// sizes: the window's width, a row's height, the room of the close
	// button below the rows
	static constexpr int sc_width = 600;
	static constexpr int sc_rowHeight = 91;
	static constexpr int sc_closeRoom = 30;
	// text size of the statements
	static constexpr int sc_textSize = 14;

private:
	// Hides the window, which the toolkit deletes once no callback of it
	// runs, and forgets it in the user interface.
	void close();
};

// The toolkit callback of the buttons; data is the row index, -1 for close.
void ui_dynStmtCallback(Fl_Widget *w, void *data);
// A row's text changed: its "update" button becomes active.  cbArg is the row.
void modifyCallback(int pos, int nInserted, int nDeleted, int nRestyled, const char *deletedText, void *cbArg);
