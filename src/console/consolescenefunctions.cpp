// The viewer's commands on the scene, the console and the main window:
// clearing the scene or the console, removing one object, printing a text,
// the prompt and the window title, the object panel's current object. Each
// reads only the name of its argument and returns a new unnamed 0 (select
// returns its argument); the parts of the user interface are skipped when
// there is none.
#include <cstdio>

#include "console/consolevariable.h"
#include "console/consoleviewerfunctions.h"
#include "console/fl_console.h"
#include "ui/mainwindow.h"
#include "os/osdep.h"
#include "state/state.h"
#include "ui/ui.h"
#include "ui/version.h"

namespace {

// The console widget, or null without one.
Fl_Console *consoleWidget() { return gui_state != nullptr ? gui_state->m_console : nullptr; }

} // namespace

consoleVariable *cf_set_window_title(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	// the main window keeps pointing at this buffer as its label
	static char s_title[mainWindow::sc_titleBufferSize];
	std::snprintf(s_title, sizeof s_title, "%s: %s", sc_productName, a[0]->name().c_str());
	dropIncompleteCharacter(s_title);
	if (gui_state != nullptr && gui_state->m_mainWindow != nullptr) gui_state->m_mainWindow->label(s_title);
	// a saved scene holds the title as given
	if (g_state != nullptr) g_state->m_title = a[0]->name();
	return consoleEmptyScalar();
}

consoleVariable *cf_prompt(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	if (Fl_Console *c = consoleWidget()) c->prompt(a[0]->name().c_str());
	return consoleEmptyScalar();
}

consoleVariable *cf_prompt_default(consoleScope *, consoleVariable **, const consoleFunc_s *)
{
	if (Fl_Console *c = consoleWidget()) c->prompt(Fl_Console::sc_defaultPrompt);
	return consoleEmptyScalar();
}

consoleVariable *cf_cprint(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	// the text is printed as it stands, never read as a format
	cprintf("%s\n", a[0]->name().c_str());
	return consoleEmptyScalar();
}

consoleVariable *cf_select(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	// a name that no object has clears the selection
	if (gui_state != nullptr) gui_state->setCurrentObjectByName(a[0]->name());
	return a[0];
}

consoleVariable *cf_remove(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	if (g_state != nullptr && g_state->removeObject(a[0]->name()) < 0)
		cprintf("Error: '%s' does not exist in global scope\n", a[0]->name().c_str());
	return consoleEmptyScalar();
}

consoleVariable *cf_clf(consoleScope *, consoleVariable **, const consoleFunc_s *)
{
	if (g_state != nullptr) {
		g_state->removeAllObjects();
		// the program's own variables are objects too: they come back
		g_state->setDefaultGlobalScopeVariables();
	}
	if (gui_state != nullptr) gui_state->setStatus("");
	return consoleEmptyScalar();
}

consoleVariable *cf_clc(consoleScope *, consoleVariable **, const consoleFunc_s *)
{
	if (Fl_Console *c = consoleWidget()) c->clear();
	if (g_state != nullptr) g_state->removeAllConsoleControls();
	return consoleEmptyScalar();
}
