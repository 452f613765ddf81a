// The console's keys, the guard that keeps the transcript read-only, the
// hand-back of a selection to the command line and the bracket jump.
#include <cstdlib>

#include "console/fl_console.h"

namespace {

// Bracket type of c: 1 "(", 2 "{", 3 "[", negative for the closing ones, 0
// for any other character.
int s_parType(char c)
{
	switch (c) {
	case '(': return 1;
	case ')': return -1;
	case '{': return 2;
	case '}': return -2;
	case '[': return 3;
	case ']': return -3;
	default: return 0;
	}
}

// Kinds of bracket s_parType tells apart.
const int c_nbParTypes = 3;

Fl_Console *console(Fl_Text_Editor *e)
{
	return static_cast<Fl_Console *>(e);
}

} // namespace

// --- edit guard ----------------------------------------------------------------------

void Fl_Console::modifyCallback(int pos, int nInserted, int nDeleted, int, const char *deletedText, void *cbArg)
{
	Fl_Console *c = static_cast<Fl_Console *>(cbArg);
	// The widget's own edits and mere restyling pass.
	if (c->m_modifySelf || (nInserted == 0 && nDeleted == 0))
		return;
	if (pos >= c->m_promptPos)
		return;
	c->revertEdit(pos, nInserted, nDeleted, deletedText);
	c->cursorTo(c->m_textBuffer->length());
}

void Fl_Console::revertEdit(int pos, int nInserted, int nDeleted, const char *deletedText)
{
	// Undone from what the buffer reports of this very edit rather than with
	// the buffer's undo, which merges it with an earlier edit at the same
	// place and would then bring back text the user deleted from the command.
	m_modifySelf = 1;
	if (nInserted > 0)
		m_textBuffer->remove(pos, pos + nInserted);
	if (nDeleted > 0 && deletedText)
		m_textBuffer->insert(pos, deletedText);
	m_modifySelf = 0;
}

// --- selection hand-back and event handling ---------------------------------------------

int Fl_Console::handleSelect()
{
	int start, end;
	if (!m_textBuffer || !m_textBuffer->selection_position(&start, &end))
		return 0;
	m_textBuffer->unselect();
	int pos = end;
	// A selection wholly in the transcript sends the cursor to the last
	// character.
	if (end <= m_promptPos)
		pos = m_textBuffer->length() > 0 ? m_textBuffer->length() - 1 : 0;
	cursorTo(pos);
	return 0;
}

int Fl_Console::handle(int event)
{
	int used = Fl_Text_Editor::handle(event);
	if (m_textBuffer && insert_position() < m_promptPos)
		insert_position(m_promptPos);
	return used;
}

// --- keys ----------------------------------------------------------------------------

int Fl_Console::kf_Enter(int, Fl_Text_Editor *e)
{
	Fl_Console *c = console(e);
	c->handleSelect();
	c->commandEnter();
	c->newPrompt();
	return 1;
}

int Fl_Console::kf_Up(int, Fl_Text_Editor *e)
{
	Fl_Console *c = console(e);
	c->handleSelect();
	if (c->m_commandHistoryPos > 0) {
		c->m_commandHistoryPos--;
		c->command(c->m_commandHistory[c->m_commandHistoryPos]);
	}
	return 1;
}

int Fl_Console::kf_Down(int, Fl_Text_Editor *e)
{
	Fl_Console *c = console(e);
	c->handleSelect();
	int last = c->m_commandHistoryLength - 1;
	if (c->m_commandHistoryPos < last) {
		c->m_commandHistoryPos++;
		c->command(c->m_commandHistory[c->m_commandHistoryPos]);
	} else if (c->m_commandHistoryPos == last) {
		// Past the newest entry the command line is left blank.
		c->m_commandHistoryPos = c->m_commandHistoryLength;
		c->command(" ");
	}
	return 1;
}

int Fl_Console::kf_Left(int, Fl_Text_Editor *e)
{
	Fl_Console *c = console(e);
	c->handleSelect();
	if (c->insert_position() > c->m_promptPos) {
		c->move_left();
		c->show_insert_position();
	}
	return 1;
}

int Fl_Console::kf_c_Left(int key, Fl_Text_Editor *e)
{
	Fl_Console *c = console(e);
	int used = Fl_Text_Editor::kf_ctrl_move(key, e);
	if (c->insert_position() < c->m_promptPos)
		c->cursorTo(c->m_promptPos);
	return used;
}

int Fl_Console::kf_Right(int, Fl_Text_Editor *e)
{
	Fl_Console *c = console(e);
	c->handleSelect();
	c->move_right();
	c->show_insert_position();
	return 1;
}

int Fl_Console::kf_Home(int, Fl_Text_Editor *e)
{
	Fl_Console *c = console(e);
	c->handleSelect();
	// the prompt shows too, also on a line scrolled along
	c->cursorToPromptFromLeftEdge();
	return 1;
}

int Fl_Console::kf_End(int, Fl_Text_Editor *e)
{
	Fl_Console *c = console(e);
	c->handleSelect();
	c->cursorTo(c->m_textBuffer->length());
	return 1;
}

int Fl_Console::kf_Page_Up(int, Fl_Text_Editor *e)
{
	console(e)->handleSelect();
	return 0;
}

int Fl_Console::kf_Page_Down(int, Fl_Text_Editor *e)
{
	console(e)->handleSelect();
	return 1;
}

int Fl_Console::kf_Backspace(int key, Fl_Text_Editor *e)
{
	Fl_Console *c = console(e);
	Fl_Text_Buffer *buf = c->m_textBuffer;
	int start, end;
	// A selection reaching into the transcript is dropped, not deleted.
	if (buf->selection_position(&start, &end) && start < c->m_promptPos) {
		buf->unselect();
		c->cursorTo(end);
	}
	if (c->insert_position() <= c->m_promptPos)
		return 1;
	return Fl_Text_Editor::kf_backspace(key, e);
}

// --- bracket jump ----------------------------------------------------------------------

int Fl_Console::kf_parenthesis_jump(int, Fl_Text_Editor *e)
{
	Fl_Console *c = console(e);
	Fl_Text_Buffer *buf = c->m_textBuffer;
	int pos = c->insert_position();
	// The bracket at the cursor, else the one just before it.
	if (pos >= buf->length() || !s_parType(buf->byte_at(pos)))
		pos--;
	if (pos < 0 || pos >= buf->length() || !s_parType(buf->byte_at(pos)))
		return 0;
	c->jumpToMatchingBracket(pos);
	return 1;
}

void Fl_Console::jumpToMatchingBracket(int start)
{
	int startType = s_parType(m_textBuffer->byte_at(start));
	int t = std::abs(startType) - 1;
	// Forwards from an opening bracket, backwards from a closing one.
	int step = startType > 0 ? 1 : -1;
	int depth[c_nbParTypes] = {0, 0, 0};
	depth[t] = step;
	// Brackets are ASCII, so stepping over the bytes of UTF-8 text never
	// mistakes part of a character for one.
	for (int i = start + step; i < m_textBuffer->length() && i >= m_promptPos; i += step) {
		int p = s_parType(m_textBuffer->byte_at(i));
		if (!p)
			continue;
		depth[std::abs(p) - 1] += p > 0 ? 1 : -1;
		if (depth[t] == 0) {
			cursorTo(i);
			return;
		}
	}
}
