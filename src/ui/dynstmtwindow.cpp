#include "ui/dynstmtwindow.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Scroll.H>
#include <FL/Fl_Text_Editor.H>
#include <FL/fl_ask.H>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "console/consolecontrolstmt.h"
#include "console/consoleparse.h"
#include "console/fl_console.h"
#include "ui/mainwindow.h"
#include "os/osdep.h"
#include "ui/scriptui.h"
#include "state/state.h"
#include "ui/ui.h"

namespace {

// A statement's editor, owning its text buffer; the buffer is a base listed
// first, so that it outlives the editor, which detaches from it on deletion.
class statementEditor : private consoleBufferOwner, public Fl_Text_Editor {
public:
	statementEditor(int x, int y, int w, int h) : Fl_Text_Editor(x, y, w, h)
	{
		m_ownedBuffer.reset(new Fl_Text_Buffer());
		buffer(m_ownedBuffer.get());
	}
};

// The row index carried as a button's user data, and back.
void *rowData(int i) { return reinterpret_cast<void *>(static_cast<intptr_t>(i)); }
int rowIndex(void *data) { return static_cast<int>(reinterpret_cast<intptr_t>(data)); }

// The source text of a statement list, without trailing blanks and control
// characters.
std::string sourceText(consoleStmtListStmt *list)
{
	char *text = list->string(1, 0);
	std::string s = text != nullptr ? text : "";
	std::free(text);
	while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.pop_back();
	return s;
}

// The working directory kept with the dynamic statement whose list is
// stmt; false when no statement has that list.
bool workingDirectoryOf(const consoleStmtListStmt *stmt, std::string &wd)
{
	if (g_state == nullptr || stmt == nullptr) return false;
	for (const state::dynStmtInfo &d : g_state->m_dynStmt)
		if (!d.removed() && d.ds() == stmt) {
			wd = d.wd();
			return true;
		}
	return false;
}

// The text a removed row shows in front of its statement.
const char *const c_removedMark = " -- Removed --\n\n";

} // namespace

dynStmtWindow::dynStmtWindow(int x, int y, int w, int h, const char *label) : Fl_Window(x, y, w, h, label)
{
	initToNothing();
	setupWidgets();
}

dynStmtWindow::dynStmtWindow(int w, int h, const char *label) : Fl_Window(w, h, label)
{
	initToNothing();
	setupWidgets();
}

dynStmtWindow::~dynStmtWindow()
{
	if (gui_state != nullptr && gui_state->m_dynStmtWindow == this) gui_state->m_dynStmtWindow = nullptr;
	initToNothing();
}

void dynStmtWindow::initToNothing()
{
	m_rows.clear();
	m_close = nullptr;
}

int dynStmtWindow::setupWidgets()
{
	const int n = g_state != nullptr ? (int)g_state->m_dynStmt.size() : 0;
	// 1. as high as the rows need, but no higher than the main window
	int height = sc_rowHeight * n + 2 * sc_closeRoom;
	if (gui_state != nullptr && gui_state->m_mainWindow != nullptr)
		height = std::min(height, gui_state->m_mainWindow->h());
	size(sc_width, height);

	// 2. and 3. one row per statement
	m_rows.assign((size_t)n, dynStmtWidgets{nullptr, nullptr, nullptr, nullptr, nullptr});
	begin();
	if (n > 0) {
		Fl_Scroll *scroll = new Fl_Scroll(0, 0, sc_width, height - sc_closeRoom);
		scroll->box(FL_ENGRAVED_BOX);
		scroll->type(Fl_Scroll::BOTH);
		for (int i = 0; i < n; i++) {
			const state::dynStmtInfo &info = g_state->m_dynStmt[(size_t)i];
			dynStmtWidgets &row = m_rows[(size_t)i];
			const int y = 5 + sc_rowHeight * i;
			Fl_Group *group = new Fl_Group(5, y, sc_width - 30, sc_rowHeight - 5);
			group->box(FL_THIN_DOWN_BOX);
			row.name = new Fl_Output(10, y + 5, 90, 20);
			row.name->box(FL_FLAT_BOX);
			row.name->value(info.hasName() ? info.name().c_str() : "anonymous");
			row.name->deactivate();
			row.remove = new Fl_Button(10, y + 30, 90, 20, "remove");
			row.update = new Fl_Button(10, y + 55, 90, 20, "update");
			row.update->deactivate();
			for (Fl_Button *b : {row.remove, row.update}) b->callback(ui_dynStmtCallback, rowData(i));
			row.editor = new statementEditor(105, y + 5, sc_width - 135, sc_rowHeight - 15);
			row.editor->textsize(sc_textSize);
			row.editor->box(FL_THIN_DOWN_BOX);
			row.stmt = info.ds();
			if (row.stmt != nullptr) row.editor->buffer()->text(sourceText(row.stmt).c_str());
			row.editor->buffer()->add_modify_callback(modifyCallback, &row);
			group->end();
		}
		scroll->end();
		scroll->scroll_to(0, 0);
	}

	// 4. the close button
	m_close = new Fl_Button(0, height - 25, sc_width, 25, n > 0 ? "close" : "close (no dynamic statements)");
	m_close->callback(ui_dynStmtCallback, rowData(-1));
	end();
	// closed by the window system or Escape: as the close button
	Fl_Widget::callback(ui_dynStmtCallback, rowData(-1));
	return 0;
}

void dynStmtWindow::close()
{
	hide();
	Fl::delete_widget(this);
	if (gui_state != nullptr && gui_state->m_dynStmtWindow == this) gui_state->m_dynStmtWindow = nullptr;
}

int dynStmtWindow::update(int i)
{
	dynStmtWidgets &row = m_rows[(size_t)i];
	std::string wd;
	const bool found = workingDirectoryOf(row.stmt, wd);
	char *text = row.editor->buffer()->text();
	int nbErrors = 0;
	consoleStmtListStmt *list = consoleParse(text, found ? wd.c_str() : nullptr, nullptr, &nbErrors);
	std::free(text);
	// a text with syntax errors would put only the statements that did parse
	// in force: the old statement stays instead
	if (nbErrors > 0) {
		delete list;
		list = nullptr;
	}
	if (list == nullptr) {
		fl_message("%s", "Parse error\n(see error message on console)");
		// the keyboard goes back into the statement, the cursor where it
		// was, so that the user can mend it: not to "update", where the
		// Space that closes the message would ask again
		row.editor->take_focus();
		return -1;
	}
	// the state takes the new list over, also when it refuses it
	if (g_state->replaceDynStmt(row.stmt, list) != 0) {
		cprintf("ui_dynStmtCallback(): could not replace dynamic statement!\n");
		return -1;
	}
	row.stmt = list;
	row.update->deactivate();
	g_state->updateDynStmts();
	cprintf("Update successful\n");
	// the keyboard goes to close, not back into the statement, where the
	// Space that closes the window would edit the statement again
	m_close->take_focus();
	return 0;
}

int dynStmtWindow::remove(int i)
{
	dynStmtWidgets &row = m_rows[(size_t)i];
	if (row.stmt != nullptr && g_state != nullptr) g_state->removeDynStmt(row.stmt);
	row.editor->deactivate();
	row.editor->buffer()->insert(0, c_removedMark);
	row.stmt = nullptr;
	row.remove->deactivate();
	row.update->deactivate();
	// the keyboard goes to close, not on to the next row's "remove", where
	// a second Space would remove that statement too
	m_close->take_focus();
	return 0;
}

void dynStmtWindow::closeAsked()
{
	const bool modified = std::any_of(m_rows.begin(), m_rows.end(),
	                                  [](const dynStmtWidgets &row) { return row.update->active() != 0; });
	// "Yes" is the default: what was typed is kept, not thrown away
	if (modified && g_state != nullptr && uiAskYesNo("Update modified dynamic statements?", true))
		for (size_t i = 0; i < m_rows.size(); i++)
			// a statement that does not parse keeps the window open, with the
			// keyboard in it: closing would throw the user's edit away
			if (m_rows[i].update->active() && update((int)i) != 0) return;
	close();
}

void dynStmtWindow::pressed(Fl_Widget *w, int i)
{
	if (i < 0) {
		closeAsked();
		return;
	}
	if ((size_t)i >= m_rows.size() || g_state == nullptr) return;
	if (w == m_rows[(size_t)i].update) update(i);
	else if (w == m_rows[(size_t)i].remove) remove(i);
}

void ui_dynStmtCallback(Fl_Widget *w, void *data)
{
	if (gui_state == nullptr || w == nullptr) return;
	dynStmtWindow *window = dynamic_cast<dynStmtWindow *>(w->as_window() != nullptr ? w : w->window());
	if (window != nullptr) window->pressed(w, rowIndex(data));
}

void modifyCallback(int, int nInserted, int nDeleted, int, const char *, void *cbArg)
{
	dynStmtWidgets *row = static_cast<dynStmtWidgets *>(cbArg);
	// a selection made or dropped changes no text
	if (nInserted == 0 && nDeleted == 0) return;
	if (row != nullptr && row->update != nullptr) row->update->activate();
}
