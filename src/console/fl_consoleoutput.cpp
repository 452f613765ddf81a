// Program output in the console: printed above the command being typed, or
// typed in at the cursor; printf-style formatting into a buffer shared by
// all consoles; every line of output and every echo of an entered command
// held to a length that one reads.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "console/fl_console.h"
#include "os/osdep.h"

namespace {

// The formatting buffer, kept for the whole run so that printing does not
// allocate once it has grown to the longest text.
int s_bufLength = 0;
char *s_buf = nullptr;

// Makes the buffer hold at least size bytes; false, with a message on
// standard error, when it cannot.
bool growBuffer(int size)
{
	if (s_bufLength >= size)
		return true;
	char *grown = static_cast<char *>(std::realloc(s_buf, size));
	if (!grown) {
		std::fprintf(stderr, "cprintf(): memory allocation error for %d bytes\n", size);
		return false;
	}
	s_buf = grown;
	s_bufLength = size;
	return true;
}

// vsnprintf on a copy of ap, so that ap stays usable for another attempt.
int formatInto(char *buf, int size, const char *fmt, va_list ap)
{
	va_list aq;
	va_copy(aq, ap);
	int n = std::vsnprintf(buf, size, fmt, aq);
	va_end(aq);
	return n;
}

} // namespace

bool Fl_Console::cutLongLines(const char *str, int length, int column, int limit, std::string &out)
{
	// most output has no line that long
	bool tooLong = false;
	for (int i = 0, c = column; i < length && !tooLong; i++) {
		c = str[i] == '\n' ? 0 : c + 1;
		tooLong = c > limit;
	}
	if (!tooLong)
		return false;
	// a line longer than the limit already ends in the mark
	bool cut = column > limit;
	int c = column;
	for (int i = 0; i < length; i++) {
		if (str[i] == '\n') {
			out.push_back('\n');
			c = 0;
			cut = false;
		} else if (cut) {
			continue;
		} else if (c < limit) {
			out.push_back(str[i]);
			c++;
		} else {
			// the bytes put of a character cut in two go
			if (u_continuesCharacter(str[i])) {
				while (!out.empty() && u_continuesCharacter(out.back()))
					out.pop_back();
				if (!out.empty() && static_cast<unsigned char>(out.back()) >= 0xc0)
					out.pop_back();
			}
			out += sc_cutMark;
			cut = true;
		}
	}
	return true;
}

void Fl_Console::holdEchoLength(const char *cmd)
{
	std::string cut;
	const int column = m_promptPos - m_textBuffer->line_start(m_promptPos);
	if (!cutLongLines(cmd, static_cast<int>(std::strlen(cmd)), column, sc_maxShownLineLength, cut))
		return;
	m_modifySelf = 1;
	m_textBuffer->replace(m_promptPos, m_textBuffer->length(), cut.c_str());
	m_modifySelf = 0;
}

int Fl_Console::cprint(const char *str, int insert)
{
	if (!str)
		return -1;
	int length = static_cast<int>(std::strlen(str));
	if (length == 0)
		return 0;
	if (!m_textBuffer)
		return -1;
	// Typed in at the cursor like the user's own text.
	if (insert) {
		Fl_Text_Editor::insert(str);
		show_insert_position();
		return length;
	}
	// No line shows more than the window system draws: the output is cut
	// where the line it continues would grow too long.
	const int at = m_callingCallbacks ? m_textBuffer->length() : m_promptPos;
	std::string cut;
	if (cutLongLines(str, length, at - m_textBuffer->line_start(at), sc_maxShownLineLength, cut))
		str = cut.c_str();
	const int shownLength = static_cast<int>(std::strlen(str));
	// While the callbacks run, output only piles up after the entered line;
	// the next prompt follows when they are done.
	if (m_callingCallbacks) {
		appendOwn(str);
		return length;
	}
	// Otherwise the output and a new prompt go in front of the half-typed
	// command, which so moves down below them, the cursor where it was in
	// it (at its end when it was elsewhere).  Inserted in one change rather
	// than taking the command out and putting it back: the editor measures
	// its visible lines after every change.
	const int cursor = commandCursor();
	const int before = m_promptPos;
	const char *promptText = m_prompt ? m_prompt : "";
	m_modifySelf = 1;
	m_textBuffer->insert(m_promptPos, (std::string(str) + promptText).c_str());
	int end = m_promptPos + shownLength;
	m_promptPos = end + static_cast<int>(std::strlen(promptText));
	if (lineEndBefore(end)) {
		m_textBuffer->insert(end, "\n");
		m_promptPos++;
	}
	m_modifySelf = 0;
	m_commandHistoryPos = m_commandHistoryLength;
	// the selection in the command moved down with it, and so does the end
	// that Shift and the arrows go on from
	if (dragPos >= before)
		dragPos += m_promptPos - before;
	cursorTo(m_promptPos + cursor);
	return length;
}

int Fl_Console::cprintf(const char *fmt, ...)
{
	va_list ap;
	va_start(ap, fmt);
	int result = cprintf(fmt, ap);
	va_end(ap);
	return result;
}

int Fl_Console::cprintf(const char *fmt, va_list ap)
{
	if (!fmt)
		return -1;
	if (!fmt[0])
		return 0;
	// Start at twice the format's length, which holds most messages.
	size_t guess = 2 * std::strlen(fmt);
	if (!growBuffer(guess < INT_MAX ? static_cast<int>(guess) : INT_MAX))
		return -1;
	int n = formatInto(s_buf, s_bufLength, fmt, ap);
	if (n < 0)
		return -1;
	// Too long: the first attempt told the exact size needed.
	if (n >= s_bufLength) {
		if (n == INT_MAX || !growBuffer(n + 1))
			return -1;
		formatInto(s_buf, s_bufLength, fmt, ap);
	}
	return cprint(s_buf, 0);
}
