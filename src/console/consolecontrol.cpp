// What every console control shares: its name, its "remove" button, the
// lookup and assignment of its variable, the widgets' place in the scalar
// panel, and the toolkit callback that finds a control by its name.
#include "console/consolecontrol.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Scroll.H>

#include <algorithm>
#include <cstring>
#include <vector>

#include "console/consoleglobalscope.h"
#include "state/state.h"
#include "ui/ui.h"

namespace {

// A heap copy of text, freed with delete[].
char *copyOf(const std::string &text)
{
	char *c = new char[text.size() + 1];
	std::memcpy(c, text.c_str(), text.size() + 1);
	return c;
}

} // namespace

consoleControl::consoleControl(const std::string &nm)
{
	initToNothing();
	name(nm);
}

consoleControl::~consoleControl()
{
	deleteWidget(m_removeButton);
	delete[] m_name;
	initToNothing();
}

void consoleControl::initToNothing()
{
	m_name = nullptr;
	m_selfModify = 0;
	m_updateRequired = 0;
	m_removeButton = nullptr;
}

void consoleControl::name(const std::string &nm)
{
	delete[] m_name;
	m_name = copyOf(nm);
}

int consoleControl::createRemoveButton()
{
	if (hasPanel()) {
		m_removeButton = new Fl_Button(sc_removeButtonX, sc_removeButtonY, sc_removeButtonWidth,
		                               sc_removeButtonHeight, "remove");
		m_removeButton->callback(consoleControlCallback, m_name);
		addToPanel(m_removeButton);
	}
	return sc_widgetX;
}

void consoleControl::setWidgetWY(int, int py)
{
	if (m_removeButton != nullptr) m_removeButton->position(m_removeButton->x(), py + sc_removeButtonY);
}

int consoleControl::widgetHeight() const { return m_removeButton != nullptr ? m_removeButton->h() : 0; }

void consoleControl::callback(Fl_Widget *w)
{
	if (m_selfModify) return;
	if (w != nullptr && w == m_removeButton) {
		// deletes this control; its widgets go once the callback is over
		if (g_state != nullptr) g_state->removeConsoleControl(m_name);
		return;
	}
	widgetModified(w);
}

consoleVariable *consoleControl::lookup() const
{
	if (g_state == nullptr || g_state->m_globalScope == nullptr) return nullptr;
	consoleVariable *v = nullptr;
	g_state->m_globalScope->lookupVariable(0, m_name, 1, &v);
	return v;
}

bool consoleControl::assigns(const std::string &name) const { return m_name != nullptr && name == m_name; }

double consoleControl::lookupValue() const
{
	consoleVariable *v = lookup();
	const double x = v != nullptr ? v->scalar() : 0.0;
	delete v;
	return x;
}

int consoleControl::lookupValueBool() const
{
	consoleVariable *v = lookup();
	const int t = v != nullptr ? v->isTrue() : 0;
	delete v;
	return t;
}

void consoleControl::assignVariable(double v)
{
	if (g_state == nullptr || g_state->m_globalScope == nullptr) return;
	consoleGlobalScope *g = g_state->m_globalScope;
	// the statement that makes the control usually assigned the variable
	// in its argument already: it shows the variable once
	std::vector<consoleGlobalScope::caItem> listed = g->takeConsoleAssignmentList();
	g->externalAssignVariable(m_name, e3ga(v), 0);
	for (consoleGlobalScope::caItem &own : g->takeConsoleAssignmentList())
		if (std::none_of(listed.begin(), listed.end(), [&](const consoleGlobalScope::caItem &i) { return i.name == own.name; }))
			listed.push_back(std::move(own));
	g->restoreConsoleAssignmentList(std::move(listed));
	// this control may be gone after the update: nothing of it is used below
	g_state->updateDynStmts();
}

bool consoleControl::shownValue(double *) const { return false; }

void consoleControl::widgetModified(Fl_Widget *)
{
	double v;
	if (shownValue(&v)) assignVariable(v);
}

bool consoleControl::hasPanel() { return gui_state != nullptr && gui_state->m_scalarGroupScroll != nullptr; }

void consoleControl::addToPanel(Fl_Widget *w)
{
	// a click sets the control, and typing still goes to the command line
	w->clear_visible_focus();
	gui_state->m_scalarGroupScroll->add(w);
}

void consoleControl::deleteWidget(Fl_Widget *w)
{
	if (w == nullptr) return;
	w->hide();
	if (w->parent() != nullptr) w->parent()->remove(w);
	Fl::delete_widget(w);
}

void consoleControlCallback(Fl_Widget *w, void *name)
{
	if (g_state == nullptr || name == nullptr) return;
	const char *nm = static_cast<const char *>(name);
	for (consoleControl *cc : g_state->m_consoleControls)
		if (std::strcmp(cc->m_name, nm) == 0) {
			cc->callback(w);
			return;
		}
}
