#include "ui/selectwindow.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Scroll.H>

#include <cstdint>
#include <string>

#include "console/fl_console.h"
#include "scene/object.h"
#include "state/state.h"
#include "ui/ui.h"

namespace {

// Rows of the list: their height, the step between them, the margin around
// them, and the room the close button takes below the list.
constexpr int sc_rowHeight = 20;
constexpr int sc_rowStep = 25;
constexpr int sc_margin = 5;
constexpr int sc_closeRoom = 30;
// The most bytes of a name that a row shows, then the cut mark: as many as
// a scene file's name holds, far more than a row's width shows.  The
// window system refuses to draw a label some hundred thousand characters
// long (a name sent over the network or pasted), and the toolkit then ends
// the program.
constexpr int sc_maxShownNameLength = 1023;

// The label of a row: the name, cut to sc_maxShownNameLength bytes.
std::string shownName(const std::string &name)
{
	std::string cut;
	const int length = static_cast<int>(name.size());
	return Fl_Console::cutLongLines(name.c_str(), length, 0, sc_maxShownNameLength, cut) ? cut : name;
}

// The index carried as a button's user data, and back.
void *entryData(int i) { return reinterpret_cast<void *>(static_cast<intptr_t>(i)); }
int entryIndex(void *data) { return static_cast<int>(reinterpret_cast<intptr_t>(data)); }

} // namespace

selectWindow::selectWindow(int mode, int x, int y, int w, int h, const char *label) : Fl_Window(x, y, w, h, label)
{
	initToNothing();
	m_mode = mode;
	setupWidgets();
}

selectWindow::selectWindow(int mode, int w, int h, const char *label) : Fl_Window(w, h, label)
{
	initToNothing();
	m_mode = mode;
	setupWidgets();
}

selectWindow::~selectWindow()
{
	if (gui_state != nullptr && gui_state->m_selectWindow == this) gui_state->m_selectWindow = nullptr;
	initToNothing();
}

void selectWindow::initToNothing()
{
	m_mode = 0;
	m_objectNames.clear();
	m_close = nullptr;
}

bool selectWindow::lists(int mode, const object *obj)
{
	if (mode == SELECT_ANY) return true;
	return obj->hidden() && !(obj->m_drawMode & DM_INTERNAL);
}

int selectWindow::countListed(int mode)
{
	int n = 0;
	if (g_state == nullptr) return 0;
	for (const state::objectMap::value_type &entry : g_state->m_objects)
		if (lists(mode, entry.second)) n++;
	return n;
}

int selectWindow::setupWidgets()
{
	m_objectNames.clear();
	if (g_state != nullptr)
		for (const state::objectMap::value_type &entry : g_state->m_objects)
			if (lists(m_mode, entry.second)) m_objectNames.push_back(entry.second->name());
	begin();
	if (!m_objectNames.empty()) {
		Fl_Scroll *scroll = new Fl_Scroll(0, 0, w(), h() - sc_closeRoom);
		scroll->box(FL_ENGRAVED_BOX);
		int y = sc_margin;
		for (size_t i = 0; i < m_objectNames.size(); i++, y += sc_rowStep) {
			Fl_Button *b = m_mode == SELECT_HIDDEN
			                   ? new Fl_Button(sc_margin, y, w() - 2 * sc_margin, sc_rowHeight)
			                   : new Fl_Check_Button(sc_margin, y, w() - 2 * sc_margin, sc_rowHeight);
			b->copy_label(shownName(m_objectNames[i]).c_str());
			b->callback(selectWindowCallback, entryData((int)i));
		}
		scroll->end();
	}
	m_close = new Fl_Button(sc_margin, h() - 25, w() - 2 * sc_margin, sc_rowHeight, "close window");
	m_close->callback(selectWindowCallback, entryData(-1));
	end();
	// closed by the window system or Escape: as the close button
	Fl_Widget::callback(selectWindowCallback, entryData(-1));
	return 0;
}

void selectWindow::close()
{
	hide();
	Fl::delete_widget(this);
	if (gui_state != nullptr && gui_state->m_selectWindow == this) gui_state->m_selectWindow = nullptr;
}

void selectWindow::clicked(int i)
{
	if (i < 0 || (size_t)i >= m_objectNames.size()) {
		close();
		return;
	}
	// the object as it is now: a script may have removed it
	object *obj = g_state != nullptr ? g_state->getObjectPtrByName(m_objectNames[(size_t)i]) : nullptr;
	if (m_mode == SHOW_HIDDEN) {
		if (obj == nullptr) return;
		obj->toggleHide();
		if (gui_state != nullptr) gui_state->setCurrentObject(obj);
		uiRedrawView();
		return;
	}
	if (obj != nullptr && gui_state != nullptr) gui_state->setCurrentObject(obj);
	close();
}

void selectWindowCallback(Fl_Widget *w, void *data)
{
	if (gui_state == nullptr || gui_state->m_selectWindow == nullptr || w == nullptr) return;
	selectWindow *window = dynamic_cast<selectWindow *>(w->as_window() != nullptr ? w : w->window());
	if (window != nullptr) window->clicked(entryIndex(data));
}
