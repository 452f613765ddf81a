// Console output: the console widget once the user interface has one, and
// standard output before, or without, a user interface; or a hold that
// keeps it to be printed later.
#include <cstdarg>
#include <cstdio>
#include <string>

#include "console/fl_console.h"
#include "os/osdep.h"
#include "state/state.h"
#include "ui/ui.h"

namespace {

// The newest hold, which takes the output; null when none lives.
consoleOutputHold *s_hold = nullptr;

// The text of format and ap.
std::string formatted(const char *format, va_list ap)
{
	va_list aq;
	va_copy(aq, ap);
	const int n = std::vsnprintf(nullptr, 0, format, aq);
	va_end(aq);
	if (n <= 0) return std::string();
	std::string text(static_cast<size_t>(n) + 1, '\0');
	std::vsnprintf(&text[0], text.size(), format, ap);
	text.resize(static_cast<size_t>(n));
	return text;
}

} // namespace

consoleOutputHold::consoleOutputHold() : m_outer(s_hold) { s_hold = this; }

consoleOutputHold::~consoleOutputHold()
{
	s_hold = m_outer;
	if (!m_text.empty()) cprintf("%s", m_text.c_str());
}

std::string consoleOutputHold::take()
{
	std::string text;
	text.swap(m_text);
	return text;
}

void cprintf(const char *format, ...)
{
	va_list ap;
	va_start(ap, format);
	if (s_hold != nullptr) {
		s_hold->hold(formatted(format, ap));
		va_end(ap);
		return;
	}
	// the console once the user interface has one; standard output before
	if (g_state != nullptr && gui_state != nullptr && gui_state->m_console != nullptr)
		gui_state->m_console->cprintf(format, ap);
	else
		std::vprintf(format, ap);
	va_end(ap);
}
