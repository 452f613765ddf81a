// The three kinds of console control: a check button, a value slider and a
// menu of labelled numbers, each with its widgets, its row in the panel,
// both directions of its binding and its saved console line.
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Menu_Button.H>
#include <FL/Fl_Menu_Item.H>
#include <FL/Fl_Value_Slider.H>

#include <algorithm>
#include <cstring>

#include "console/consolecontrol.h"
#include "console/consolestatement.h"
#include "console/consolevariable.h"

namespace {

// Widgets report every change and the release of the mouse.
constexpr int sc_when = FL_WHEN_CHANGED | FL_WHEN_RELEASE;
// The placeholder width of a widget until the layout sizes it.
constexpr int sc_unsized = 1;

// A control's or option's name as the console reads it back: quoted when it
// is no identifier.
std::string nameText(const char *name) { return consoleStatement::nameText(name != nullptr ? name : ""); }

// Spans widget w from its x to the panel's usable width pw, at y.
void span(Fl_Widget *w, int pw, int y)
{
	if (w != nullptr) w->resize(w->x(), y, std::max(pw - w->x() - consoleControl::sc_rightMargin, 1), w->h());
}

} // namespace

// --- check button ----------------------------------------------------------------

consoleControlBool::consoleControlBool(const std::string &nm, int value) : consoleControl(nm)
{
	initToNothing();
	const int x = createRemoveButton();
	if (hasPanel()) {
		m_checkButton = new Fl_Check_Button(x, 0, sc_unsized, sc_height, m_name);
		m_checkButton->value(value);
		m_checkButton->callback(consoleControlCallback, m_name);
		m_checkButton->when(sc_when);
		addToPanel(m_checkButton);
		widgetModified(m_checkButton);
	} else assignVariable(value != 0 ? 1.0 : 0.0);
}

consoleControlBool::~consoleControlBool() { deleteWidget(m_checkButton); }

void consoleControlBool::initToNothing() { m_checkButton = nullptr; }

int consoleControlBool::widgetHeight() const
{
	const int h = consoleControl::widgetHeight();
	return m_checkButton != nullptr ? std::max(h, m_checkButton->h()) : h;
}

void consoleControlBool::setWidgetWY(int pw, int py)
{
	consoleControl::setWidgetWY(pw, py);
	span(m_checkButton, pw, py);
}

void consoleControlBool::writeToGeoFile(FILE *F)
{
	std::fprintf(F, "console ctrl_bool(%s = %d);\n", nameText(m_name).c_str(),
	             m_checkButton != nullptr ? (int)m_checkButton->value() : lookupValueBool());
}

bool consoleControlBool::shownValue(double *v) const
{
	if (m_checkButton == nullptr) return false;
	*v = m_checkButton->value();
	return true;
}

void consoleControlBool::consoleVariableModified()
{
	if (m_checkButton != nullptr) selfModify([&] { m_checkButton->value(lookupValueBool()); });
}

// --- value slider ------------------------------------------------------------------

consoleControlRange::consoleControlRange(const std::string &nm, double value, double minValue, double maxValue,
                                         double step)
	: consoleControl(nm)
{
	initToNothing();
	const int x = createRemoveButton();
	if (hasPanel()) {
		const double lo = std::min(minValue, maxValue), hi = std::max(minValue, maxValue);
		m_valueSlider = new Fl_Value_Slider(x, 0, sc_unsized, sc_height, m_name);
		m_valueSlider->type(FL_HOR_SLIDER);
		m_valueSlider->value(value);
		m_valueSlider->bounds(lo, hi);
		m_valueSlider->step(step < 0.0 ? (hi - lo) / sc_autoSteps : step);
		m_valueSlider->callback(consoleControlCallback, m_name);
		m_valueSlider->when(sc_when);
		addToPanel(m_valueSlider);
		widgetModified(m_valueSlider);
	} else assignVariable(value);
}

consoleControlRange::~consoleControlRange() { deleteWidget(m_valueSlider); }

void consoleControlRange::initToNothing() { m_valueSlider = nullptr; }

int consoleControlRange::widgetHeight() const
{
	const int h = consoleControl::widgetHeight();
	return m_valueSlider != nullptr ? std::max(h, m_valueSlider->h() + sc_labelHeight) : h;
}

void consoleControlRange::setWidgetWY(int pw, int py)
{
	consoleControl::setWidgetWY(pw, py);
	span(m_valueSlider, pw, py);
}

void consoleControlRange::writeToGeoFile(FILE *F)
{
	if (m_valueSlider == nullptr) return;
	std::fprintf(F, "console ctrl_range(%s = %s, %s, %s, %s);\n", nameText(m_name).c_str(), consoleNumberText(m_valueSlider->value()).c_str(),
	             consoleNumberText(m_valueSlider->minimum()).c_str(), consoleNumberText(m_valueSlider->maximum()).c_str(),
	             consoleNumberText(m_valueSlider->step()).c_str());
}

bool consoleControlRange::shownValue(double *v) const
{
	if (m_valueSlider == nullptr) return false;
	*v = m_valueSlider->value();
	return true;
}

void consoleControlRange::consoleVariableModified()
{
	if (m_valueSlider != nullptr) selfModify([&] { m_valueSlider->value(lookupValue()); });
}

// --- menu of labelled numbers ----------------------------------------------------------

consoleControlSelection::consoleControlSelection(const std::string &nm, double value,
                                                 const std::vector<std::pair<std::string, double>> &options)
	: consoleControl(nm)
{
	initToNothing();
	const std::string labelText = nm + ": ";
	m_labelText = new char[labelText.size() + 1];
	std::memcpy(m_labelText, labelText.c_str(), labelText.size() + 1);
	// the items and their numbers, also without a menu to show them
	const size_t n = options.size();
	m_menuItems = new Fl_Menu_Item[n + 1];
	std::memset(static_cast<void *>(m_menuItems), 0, sizeof(Fl_Menu_Item) * (n + 1));
	m_menuValues = new double[n];
	for (size_t i = 0; i < n; i++) {
		const std::string &text = options[i].first;
		char *t = new char[text.size() + 1];
		std::memcpy(t, text.c_str(), text.size() + 1);
		m_menuItems[i].text = t;
		m_menuItems[i].callback_ = consoleControlCallback;
		m_menuItems[i].user_data_ = m_name;
		m_menuValues[i] = options[i].second;
	}
	const int x = createRemoveButton();
	const int choice = optionOf(value);
	if (hasPanel()) {
		Fl_Button *label = new Fl_Button(x, 0, sc_labelWidth, sc_height, m_labelText);
		label->deactivate();
		label->box(FL_FLAT_BOX);
		label->color(FL_BACKGROUND_COLOR);
		label->align(FL_ALIGN_CENTER);
		m_label = label;
		addToPanel(m_label);
		m_menuButton = new Fl_Menu_Button(sc_menuX, 0, sc_unsized, sc_height, m_name);
		m_menuButton->menu(m_menuItems);
		if (choice >= 0) m_menuButton->value(choice);
		addToPanel(m_menuButton);
		widgetModified(m_menuButton);
	} else if (choice >= 0) assignVariable(m_menuValues[choice]);
}

consoleControlSelection::~consoleControlSelection()
{
	if (m_menuButton != nullptr) m_menuButton->menu(nullptr);
	deleteWidget(m_menuButton);
	deleteWidget(m_label);
	for (int i = 0; m_menuItems != nullptr && m_menuItems[i].text != nullptr; i++) delete[] m_menuItems[i].text;
	delete[] m_menuItems;
	delete[] m_menuValues;
	delete[] m_labelText;
	initToNothing();
}

void consoleControlSelection::initToNothing()
{
	m_menuButton = nullptr;
	m_menuItems = nullptr;
	m_menuValues = nullptr;
	m_label = nullptr;
	m_labelText = nullptr;
}

int consoleControlSelection::nbOptions() const
{
	int n = 0;
	while (m_menuItems != nullptr && m_menuItems[n].text != nullptr) n++;
	return n;
}

int consoleControlSelection::optionOf(double v) const
{
	const int n = nbOptions();
	for (int i = n - 1; i >= 0; i--)
		if (m_menuValues[i] == v) return i;
	return n > 0 ? 0 : -1;
}

void consoleControlSelection::show(int i)
{
	m_menuButton->value(i);
	m_menuButton->label(m_menuItems[i].text);
}

int consoleControlSelection::widgetHeight() const
{
	const int h = consoleControl::widgetHeight();
	return m_menuButton != nullptr ? std::max(h, m_menuButton->h()) : h;
}

void consoleControlSelection::setWidgetWY(int pw, int py)
{
	consoleControl::setWidgetWY(pw, py);
	span(m_menuButton, pw, py);
	if (m_label != nullptr) m_label->position(m_label->x(), py);
}

void consoleControlSelection::writeToGeoFile(FILE *F)
{
	const int i = m_menuButton != nullptr ? m_menuButton->value() : -1;
	std::fprintf(F, "console ctrl_select(%s = %s", nameText(m_name).c_str(),
	             consoleNumberText(i >= 0 ? m_menuValues[i] : lookupValue()).c_str());
	for (int k = 0; k < nbOptions(); k++)
		std::fprintf(F, ", %s = %s", nameText(m_menuItems[k].text).c_str(), consoleNumberText(m_menuValues[k]).c_str());
	std::fprintf(F, ");\n");
}

bool consoleControlSelection::assigns(const std::string &name) const
{
	for (int k = 0; k < nbOptions(); k++)
		if (name == m_menuItems[k].text) return true;
	return consoleControl::assigns(name);
}

void consoleControlSelection::widgetModified(Fl_Widget *w)
{
	if (m_menuButton == nullptr) return;
	const int i = m_menuButton->value();
	if (i < 0 || i >= nbOptions()) return;
	m_menuButton->label(m_menuItems[i].text);
	consoleControl::widgetModified(w);
}

bool consoleControlSelection::shownValue(double *v) const
{
	const int i = m_menuButton != nullptr ? m_menuButton->value() : -1;
	if (i < 0 || i >= nbOptions()) return false;
	*v = m_menuValues[i];
	return true;
}

void consoleControlSelection::consoleVariableModified()
{
	const int i = optionOf(lookupValue());
	if (m_menuButton != nullptr && i >= 0) selfModify([&] { show(i); });
}
