// Console output: the console widget once the user interface has one, and
// standard output before, or without, a user interface.
#include <cstdarg>

#include "console/fl_console.h"
#include "os/osdep.h"
#include "state/state.h"
#include "ui/ui.h"

void cprintf(const char *format, ...)
{
	va_list ap;
	va_start(ap, format);
	// the console once the user interface has one; standard output before
	if (g_state != nullptr && gui_state != nullptr && gui_state->m_console != nullptr)
		gui_state->m_console->cprintf(format, ap);
	else
		std::vprintf(format, ap);
	va_end(ap);
}
