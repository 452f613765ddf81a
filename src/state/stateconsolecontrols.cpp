// The state's console controls: made, replaced, removed, stacked down the
// scalar panel and brought up to date with their variables.
#include <FL/Fl_Window.H>

#include <algorithm>

#include "console/consolecontrol.h"
#include "console/consoleglobalscope.h"
#include "state/state.h"
#include "ui/ui.h"

int state::addConsoleControlBool(const std::string &nm, int value)
{
	if (!nameFits(nm, sc_controlWord)) return -1;
	return addConsoleControl(new consoleControlBool(nm, value));
}

int state::addConsoleControlRange(const std::string &nm, double value, double minValue, double maxValue, double step)
{
	if (!nameFits(nm, sc_controlWord)) return -1;
	return addConsoleControl(new consoleControlRange(nm, value, minValue, maxValue, step));
}

int state::addConsoleControlSelection(const std::string &nm, double value,
                                      const std::vector<std::pair<std::string, double>> &options)
{
	// each option is a variable of its own
	bool fits = nameFits(nm, sc_controlWord);
	for (const auto &o : options) fits = fits && nameFits(o.first, sc_optionWord);
	if (!fits) return -1;
	return addConsoleControl(new consoleControlSelection(nm, value, options));
}

int state::addConsoleControl(consoleControl *cc)
{
	removeConsoleControl(cc->m_name);
	m_consoleControls.push_back(cc);
	resizeConsoleControls();
	return 0;
}

int state::removeConsoleControl(const std::string &name)
{
	auto it = std::find_if(m_consoleControls.begin(), m_consoleControls.end(),
	                       [&](const consoleControl *cc) { return name == cc->m_name; });
	if (it != m_consoleControls.end()) {
		// out of the list first: nothing finds the control while it goes
		consoleControl *cc = *it;
		m_consoleControls.erase(it);
		delete cc;
	}
	resizeConsoleControls();
	return 0;
}

int state::removeAllConsoleControls()
{
	std::vector<consoleControl *> controls;
	controls.swap(m_consoleControls);
	for (consoleControl *cc : controls) delete cc;
	if (gui_state != nullptr && gui_state->m_scalarGroup != nullptr) gui_state->m_scalarGroup->redraw();
	return 0;
}

int state::resizeConsoleControls()
{
	if (gui_state == nullptr || gui_state->m_scalarGroup == nullptr) return 0;
	// the controls stack down the panel, a gap between rows; the scroll
	// bar takes the panel's right side
	constexpr int top = 5, gap = 5, scrollBarRoom = 25;
	const int W = gui_state->m_scalarGroup->w();
	int y = top;
	for (consoleControl *cc : m_consoleControls) {
		cc->setWidgetWY(W - scrollBarRoom, y);
		y += cc->widgetHeight() + gap;
	}
	gui_state->m_scalarGroup->redraw();
	return 0;
}

int state::restoreConsoleControlVariables()
{
	if (m_globalScope == nullptr) return 0;
	// every variable first, then the dynamic statements once: a control
	// brought up to date before its variable is back would read 0; the
	// statement that runs displays only what it assigned itself
	std::vector<consoleGlobalScope::caItem> listed = m_globalScope->takeConsoleAssignmentList();
	double v;
	for (consoleControl *cc : m_consoleControls)
		if (cc->shownValue(&v)) m_globalScope->externalAssignVariable(cc->m_name, e3ga(v), 0);
	m_globalScope->restoreConsoleAssignmentList(std::move(listed));
	return updateDynStmts();
}

int state::updateConsoleControls()
{
	// by index: a control's refresh never changes the list, but an index
	// stays valid whatever happens
	for (size_t i = 0; i < m_consoleControls.size(); i++)
		if (m_consoleControls[i]->m_updateRequired) m_consoleControls[i]->consoleVariableModified();
	return 0;
}
