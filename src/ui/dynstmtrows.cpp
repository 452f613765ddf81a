// The rows of the Dynamic statements window, made from the state's list and
// made again whenever the list changes while the window is open.
#include "ui/dynstmtrows.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Scroll.H>
#include <FL/Fl_Text_Editor.H>

#include <algorithm>
#include <cstdlib>

#include "console/consolecontrolstmt.h"
#include "console/fl_console.h"
#include "ui/mainwindow.h"
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

// A row's text changed: its "update" button (cbArg) becomes active.
void modifyCallback(int, int nInserted, int nDeleted, int, const char *, void *cbArg)
{
	// a selection made or dropped changes no text
	if (nInserted == 0 && nDeleted == 0) return;
	static_cast<Fl_Button *>(cbArg)->activate();
}

// Whether row shows the live entry d.
bool shows(const dynStmtWidgets &row, const state::dynStmtInfo &d)
{
	if (row.removed || d.removed()) return false;
	return row.stmtName.empty() ? !d.hasName() && d.serial() == row.serial : d.name() == row.stmtName;
}

// The row's widgets for entry d, in the scroll; the layout places them.
dynStmtWidgets makeRow(Fl_Scroll *scroll, const state::dynStmtInfo &d)
{
	constexpr int width = dynStmtWindow::sc_width, height = dynStmtWindow::sc_rowHeight;
	dynStmtWidgets row{nullptr, nullptr, nullptr, nullptr, nullptr, d.name(), d.serial(), std::string(), false};
	scroll->begin();
	row.group = new Fl_Group(5, 5, width - 30, height - 5);
	row.group->box(FL_THIN_DOWN_BOX);
	row.name = new Fl_Output(10, 10, 90, 20);
	row.name->box(FL_FLAT_BOX);
	row.name->value(d.hasName() ? d.name().c_str() : "anonymous");
	row.name->deactivate();
	row.remove = new Fl_Button(10, 35, 90, 20, "remove");
	row.update = new Fl_Button(10, 60, 90, 20, "update");
	row.update->deactivate();
	for (Fl_Button *b : {row.remove, row.update}) b->callback(ui_dynStmtCallback);
	row.editor = new statementEditor(105, 10, width - 135, height - 15);
	row.editor->textsize(dynStmtWindow::sc_textSize);
	row.editor->box(FL_THIN_DOWN_BOX);
	row.editor->buffer()->add_modify_callback(modifyCallback, row.update);
	row.group->end();
	scroll->end();
	return row;
}

// Row shows entry d: its text, unless the row holds an edit, and an active
// "remove".
void showEntry(dynStmtWidgets &row, const state::dynStmtInfo &d)
{
	row.serial = d.serial();
	row.remove->label("remove");
	row.remove->activate();
	const std::string text = dynStmtSource(d.ds());
	if (!dynStmtEdited(row) && text != row.source) {
		row.editor->buffer()->text(text.c_str());
		// the text comes from the state: nothing to apply
		row.update->deactivate();
	}
	row.source = text;
}

} // namespace

state::dynStmtInfo *dynStmtEntryOf(const dynStmtWidgets &row)
{
	if (g_state == nullptr) return nullptr;
	for (state::dynStmtInfo &d : g_state->m_dynStmt)
		if (shows(row, d)) return &d;
	return nullptr;
}

std::string dynStmtSource(consoleStmtListStmt *list)
{
	char *text = list != nullptr ? list->string(1, 0) : nullptr;
	std::string s = text != nullptr ? text : "";
	std::free(text);
	while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.pop_back();
	return s;
}

bool dynStmtEdited(const dynStmtWidgets &row) { return row.update->active() != 0; }

void dynStmtWindow::followList()
{
	if (m_busy > 0 || g_state == nullptr || g_state->dynStmtChanges() == m_changesShown) return;
	showList();
}

void dynStmtWindow::showList()
{
	m_changesShown = g_state != nullptr ? g_state->dynStmtChanges() : 0;
	Fl_Group *const current = Fl_Group::current();
	if (m_scroll == nullptr && g_state != nullptr && !g_state->m_dynStmt.empty()) {
		begin();
		m_scroll = new Fl_Scroll(0, 0, sc_width, h() - sc_closeRoom);
		m_scroll->box(FL_ENGRAVED_BOX);
		m_scroll->type(Fl_Scroll::BOTH);
		m_scroll->end();
		end();
		// before the close button, which stays the last child
		insert(*m_scroll, 0);
	}
	// the live entries in the state's order, each in its row if it had one
	std::vector<dynStmtWidgets> rows;
	std::vector<long> placed(m_rows.size(), -1);
	static const std::vector<state::dynStmtInfo> none;
	for (const state::dynStmtInfo &d : g_state != nullptr ? g_state->m_dynStmt : none) {
		if (d.removed()) continue;
		size_t j = 0;
		while (j < m_rows.size() && (placed[j] >= 0 || !shows(m_rows[j], d))) j++;
		if (j < m_rows.size()) {
			placed[j] = (long)rows.size();
			rows.push_back(m_rows[j]);
		} else
			rows.push_back(makeRow(m_scroll, d));
		showEntry(rows.back(), d);
	}
	// the rows of statements gone: one removed here, or holding an edit,
	// stays after the row it followed; the others go
	for (size_t j = 0; j < m_rows.size(); j++) {
		if (placed[j] >= 0) continue;
		dynStmtWidgets &row = m_rows[j];
		if (!row.removed && !dynStmtEdited(row)) {
			if (Fl::focus() != nullptr && row.group->contains(Fl::focus())) m_close->take_focus();
			m_scroll->remove(row.group);
			Fl::delete_widget(row.group);
			continue;
		}
		long at = 0;
		for (size_t k = j; k-- > 0;)
			if (placed[k] >= 0) {
				at = placed[k] + 1;
				break;
			}
		for (long &p : placed)
			if (p >= at) p++;
		placed[j] = at;
		rows.insert(rows.begin() + at, row);
		if (!row.removed) {
			row.remove->label("removed");
			row.remove->deactivate();
		}
	}
	// the same number of rows keeps the rows where they are in memory
	if (rows.size() == m_rows.size()) std::copy(rows.begin(), rows.end(), m_rows.begin());
	else m_rows = std::move(rows);
	Fl_Group::current(current);
	layout();
}

void dynStmtWindow::layout()
{
	const int n = (int)m_rows.size();
	// as high as the rows need, but no higher than the main window
	int height = sc_rowHeight * n + 2 * sc_closeRoom;
	if (gui_state != nullptr && gui_state->m_mainWindow != nullptr)
		height = std::min(height, gui_state->m_mainWindow->h());
	// the rows keep their sizes as the window's changes
	if (m_scroll != nullptr) resizable(m_scroll);
	size(sc_width, height);
	m_close->resize(0, height - 25, sc_width, 25);
	m_close->label(n > 0 ? "close" : "close (no dynamic statements)");
	if (m_scroll != nullptr) {
		m_scroll->resize(0, 0, sc_width, height - sc_closeRoom);
		const int top = m_scroll->yposition();
		m_scroll->scroll_to(0, 0);
		for (int i = 0; i < n; i++) m_rows[(size_t)i].group->position(5, 5 + sc_rowHeight * i);
		// where the view was, as far as the rows still reach
		m_scroll->scroll_to(0, std::max(0, std::min(top, sc_rowHeight * n + 10 - m_scroll->h())));
		if (n > 0) m_scroll->show();
		else m_scroll->hide();
	}
	redraw();
}
