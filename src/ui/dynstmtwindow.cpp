#include "ui/dynstmtwindow.h"
#include "ui/dynstmtrows.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Text_Editor.H>
#include <FL/fl_ask.H>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "console/consolecontrolstmt.h"
#include "console/consoleparse.h"
#include "os/osdep.h"
#include "ui/scriptui.h"
#include "state/state.h"
#include "ui/ui.h"

namespace {

// Holds the rows still while a button is handled.
class busyWhile {
public:
	explicit busyWhile(int &busy) : m_busy(busy) { m_busy++; }
	~busyWhile() { m_busy--; }
	busyWhile(const busyWhile &) = delete;
	busyWhile &operator=(const busyWhile &) = delete;

private:
	int &m_busy;
};

// The text a removed row shows in front of its statement.
const char *const c_removedMark = " -- Removed --\n\n";

// Says that row's statement is gone, and so not updated: 1.
int notUpdated(const dynStmtWidgets &row)
{
	if (row.stmtName.empty()) cprintf("Not updated: an anonymous dynamic statement was removed meanwhile.\n");
	else cprintf("Not updated: dynamic statement '%s' was removed meanwhile.\n", row.stmtName.c_str());
	return 1;
}

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
	m_scroll = nullptr;
	m_close = nullptr;
	m_changesShown = 0;
	m_busy = 0;
}

int dynStmtWindow::setupWidgets()
{
	begin();
	m_close = new Fl_Button(0, 0, sc_width, 25, "close");
	m_close->callback(ui_dynStmtCallback);
	end();
	// closed by the window system or Escape: as the close button
	Fl_Widget::callback(ui_dynStmtCallback);
	showList();
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
	const busyWhile busy(m_busy);
	dynStmtWidgets &row = m_rows[(size_t)i];
	const state::dynStmtInfo *entry = dynStmtEntryOf(row);
	if (entry == nullptr) return notUpdated(row);
	char *text = row.editor->buffer()->text();
	int nbErrors = 0;
	consoleStmtListStmt *list = consoleParse(text, entry->wd().c_str(), nullptr, &nbErrors);
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
	// the state takes the new list over, also when it refuses it; the entry
	// is looked up again, as nothing holds it across the parse
	entry = dynStmtEntryOf(row);
	if (g_state->replaceDynStmt(entry != nullptr ? entry->ds() : nullptr, list) != 0) return notUpdated(row);
	// the row shows the text as typed, which is the statement's now
	row.source = dynStmtSource(list);
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
	const state::dynStmtInfo *entry = dynStmtEntryOf(row);
	if (entry != nullptr) g_state->removeDynStmt(entry->ds());
	row.removed = true;
	row.editor->deactivate();
	row.editor->buffer()->insert(0, c_removedMark);
	row.remove->deactivate();
	row.update->deactivate();
	// the keyboard goes to close, not on to the next row's "remove", where
	// a second Space would remove that statement too
	m_close->take_focus();
	return 0;
}

void dynStmtWindow::closeAsked()
{
	const busyWhile busy(m_busy);
	const bool modified = std::any_of(m_rows.begin(), m_rows.end(), dynStmtEdited);
	// "Yes" is the default: what was typed is kept, not thrown away
	if (modified && g_state != nullptr && uiAskYesNo("Update modified dynamic statements?", true))
		for (size_t i = 0; i < m_rows.size(); i++)
			// a statement that does not parse keeps the window open, with the
			// keyboard in it: closing would throw the user's edit away; one
			// that is gone was said to be, and holds nothing
			if (dynStmtEdited(m_rows[i]) && update((int)i) < 0) return;
	close();
}

void dynStmtWindow::pressed(Fl_Widget *w)
{
	const busyWhile busy(m_busy);
	if (w == m_close || w == this) {
		closeAsked();
		return;
	}
	if (g_state == nullptr) return;
	for (size_t i = 0; i < m_rows.size(); i++) {
		if (w == m_rows[i].update) update((int)i);
		else if (w == m_rows[i].remove) remove((int)i);
		else continue;
		return;
	}
}

void ui_dynStmtCallback(Fl_Widget *w, void *)
{
	if (gui_state == nullptr || w == nullptr) return;
	dynStmtWindow *window = dynamic_cast<dynStmtWindow *>(w->as_window() != nullptr ? w : w->window());
	if (window != nullptr) window->pressed(w);
}
