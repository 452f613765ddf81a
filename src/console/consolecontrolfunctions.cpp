// The console's built-ins that make and remove console controls. The bound
// variable comes as the first argument, usually written as an assignment
// (ctrl_bool(name = value)), so it exists with its value before the control
// is made; options of a menu come the same way, each name with its number.
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "console/consolecontrol.h"
#include "console/consolevariable.h"
#include "console/consoleviewerfunctions.h"
#include "state/state.h"

namespace {

// The smallest automatic step: a range of zero still gets a step above 0.
constexpr double sc_smallestStep = 1e-39;

// ctrl_select with n options, arguments 1 to n.
consoleVariable *ctrlSelection(consoleVariable **a, int n)
{
	std::vector<std::pair<std::string, double>> options;
	for (int i = 1; i <= n; i++) options.emplace_back(a[i]->name(), a[i]->scalar());
	if (g_state != nullptr) g_state->addConsoleControlSelection(a[0]->name(), a[0]->scalar(), options);
	return consoleEmptyScalar();
}

} // namespace

double ctrlRangeStep(double minValue, double maxValue)
{
	const double d = std::fabs((maxValue - minValue) / consoleControlRange::sc_autoSteps);
	// the powers of ten by repeated multiplication; a reversed range takes
	// the same step, which the slider needs positive
	double s = sc_smallestStep;
	while (d > 10.0 * s) s *= 10.0;
	return s;
}

consoleVariable *cf_console_ctrl_bool(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	if (g_state != nullptr) g_state->addConsoleControlBool(a[0]->name(), a[0]->isTrue());
	return consoleEmptyScalar();
}

consoleVariable *cf_console_ctrl_range(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	const double lo = a[1]->scalar(), hi = a[2]->scalar();
	if (g_state != nullptr) g_state->addConsoleControlRange(a[0]->name(), a[0]->scalar(), lo, hi, ctrlRangeStep(lo, hi));
	return consoleEmptyScalar();
}

consoleVariable *cf_console_ctrl_range_step(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	if (g_state != nullptr)
		g_state->addConsoleControlRange(a[0]->name(), a[0]->scalar(), a[1]->scalar(), a[2]->scalar(), a[3]->scalar());
	return consoleEmptyScalar();
}

// The registered entries of 1 to 7 options.
#define CF_CTRL_SELECTION(N)                                                                       \
	consoleVariable *cf_console_ctrl_selection##N(consoleScope *, consoleVariable **a, const consoleFunc_s *) \
	{                                                                                              \
		return ctrlSelection(a, N);                                                                \
	}
CF_CTRL_SELECTION(1)
CF_CTRL_SELECTION(2)
CF_CTRL_SELECTION(3)
CF_CTRL_SELECTION(4)
CF_CTRL_SELECTION(5)
CF_CTRL_SELECTION(6)
CF_CTRL_SELECTION(7)

consoleVariable *cf_console_ctrl_remove(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	if (g_state != nullptr) g_state->removeConsoleControl(a[0]->name());
	return consoleEmptyScalar();
}
