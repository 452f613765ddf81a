// The console widget's life, its command callbacks, the prompt and command
// line, the history of entered commands and clearing.
#include "console/fl_console.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// A console's key bindings: key, modifier state, function.
struct consoleKeyBinding_s {
	int key;
	int state;
	Fl_Text_Editor::Key_Func func;
};

// "any" modifier state: the key works with every modifier held.
const int c_anyState = FL_TEXT_EDITOR_ANY_STATE;

const consoleKeyBinding_s c_consoleKeys[] = {
	{FL_Enter, c_anyState, Fl_Console::kf_Enter},
	{FL_KP_Enter, c_anyState, Fl_Console::kf_Enter},
	{FL_Up, 0, Fl_Console::kf_Up},
	{FL_Down, 0, Fl_Console::kf_Down},
	{FL_Left, 0, Fl_Console::kf_Left},
	{FL_Left, FL_CTRL, Fl_Console::kf_c_Left},
	{FL_Right, 0, Fl_Console::kf_Right},
	{FL_Home, 0, Fl_Console::kf_Home},
	{FL_End, 0, Fl_Console::kf_End},
	{FL_Page_Up, 0, Fl_Console::kf_Page_Up},
	{FL_Page_Down, 0, Fl_Console::kf_Page_Down},
	{'e', FL_CTRL, Fl_Console::kf_parenthesis_jump},
	{FL_BackSpace, c_anyState, Fl_Console::kf_Backspace},
};

char *copyText(const char *str)
{
	size_t n = std::strlen(str) + 1;
	char *copy = static_cast<char *>(std::malloc(n));
	if (copy)
		std::memcpy(copy, str, n);
	return copy;
}

} // namespace

Fl_Console::Fl_Console(int X, int Y, int W, int H, const char *L) : Fl_Text_Editor(X, Y, W, H, L)
{
	initToNothing();
	max_history(sc_defaultMaxHistory);
	m_ownedBuffer.reset(new Fl_Text_Buffer());
	m_textBuffer = m_ownedBuffer.get();
	// The guard is registered before the editor's own callback, so the
	// editor hears of an edit before the guard reverts it.
	m_textBuffer->add_modify_callback(modifyCallback, this);
	buffer(m_textBuffer);
	prompt(sc_defaultPrompt);
	newPrompt();
	for (const consoleKeyBinding_s &k : c_consoleKeys)
		add_key_binding(k.key, k.state, k.func);
}

Fl_Console::~Fl_Console()
{
	clear();
	m_textBuffer->remove_modify_callback(modifyCallback, this);
	std::free(m_prompt);
	std::free(m_commandCallbackArg);
	std::free(m_commandCallback);
	initToNothing();
	for (const consoleKeyBinding_s &k : c_consoleKeys)
		remove_key_binding(k.key, k.state);
}

void Fl_Console::initToNothing()
{
	m_nbCommandCallback = 0;
	m_commandCallbackArg = nullptr;
	m_commandCallback = nullptr;
	m_callingCallbacks = 0;
	m_prompt = nullptr;
	m_promptPos = 0;
	m_modifySelf = 0;
	m_commandHistory = nullptr;
	m_commandHistoryLength = 0;
	m_commandHistoryPos = 0;
	m_maxCommandHistory = -1;
	m_textBuffer = nullptr;
}

// --- command callbacks ------------------------------------------------------------

void Fl_Console::add_command_callback(commandCallback func, void *cbArg)
{
	if (!func)
		return;
	int n = m_nbCommandCallback + 1;
	void **args = static_cast<void **>(std::realloc(m_commandCallbackArg, n * sizeof(void *)));
	if (!args)
		return;
	m_commandCallbackArg = args;
	commandCallback *funcs =
		static_cast<commandCallback *>(std::realloc(m_commandCallback, n * sizeof(commandCallback)));
	if (!funcs)
		return;
	m_commandCallback = funcs;
	m_commandCallback[m_nbCommandCallback] = func;
	m_commandCallbackArg[m_nbCommandCallback] = cbArg;
	m_nbCommandCallback = n;
}

void Fl_Console::remove_command_callback(commandCallback func, void *cbArg)
{
	int kept = 0;
	for (int i = 0; i < m_nbCommandCallback; i++) {
		if (m_commandCallback[i] == func && m_commandCallbackArg[i] == cbArg)
			continue;
		m_commandCallback[kept] = m_commandCallback[i];
		m_commandCallbackArg[kept] = m_commandCallbackArg[i];
		kept++;
	}
	m_nbCommandCallback = kept;
}

int Fl_Console::callCommandCallbacks(const char *str)
{
	m_callingCallbacks = 1;
	// Indexed afresh each time: a callback may register or remove callbacks.
	for (int i = 0; i < m_nbCommandCallback; i++)
		m_commandCallback[i](str, m_commandCallbackArg[i]);
	m_callingCallbacks = 0;
	return 0;
}

// --- prompt and command line -------------------------------------------------------

void Fl_Console::prompt(const char *str)
{
	if (!str)
		return;
	char *copy = copyText(str);
	if (!copy)
		return;
	std::free(m_prompt);
	m_prompt = copy;
}

char *Fl_Console::command() const
{
	if (!m_textBuffer || m_promptPos < 0 || m_promptPos > m_textBuffer->length())
		return nullptr;
	return m_textBuffer->text_range(m_promptPos, m_textBuffer->length());
}

int Fl_Console::command(const char *str)
{
	if (!m_textBuffer || !str || m_promptPos < 0 || m_promptPos > m_textBuffer->length())
		return -1;
	m_modifySelf = 1;
	m_textBuffer->replace(m_promptPos, m_textBuffer->length(), str);
	m_modifySelf = 0;
	cursorTo(m_textBuffer->length());
	return 0;
}

int Fl_Console::newPrompt()
{
	if (!m_prompt || !m_textBuffer)
		return -1;
	if (lineEndBefore(m_textBuffer->length()))
		appendOwn("\n");
	appendOwn(m_prompt);
	m_promptPos = m_textBuffer->length();
	// a new prompt shows from the left edge, also after a line that was
	// scrolled along
	cursorToPromptFromLeftEdge();
	m_commandHistoryPos = m_commandHistoryLength;
	return 0;
}

bool Fl_Console::lineEndBefore(int end) const
{
	if (end <= 0)
		return false;
	int last = m_textBuffer->prev_char(end);
	return m_textBuffer->byte_at(last) != '\n' && m_textBuffer->line_start(last) != last;
}

void Fl_Console::appendOwn(const char *text)
{
	m_modifySelf = 1;
	m_textBuffer->append(text);
	m_modifySelf = 0;
}

void Fl_Console::cursorTo(int pos)
{
	insert_position(pos);
	show_insert_position();
}

int Fl_Console::commandCursor() const
{
	const int length = m_textBuffer->length();
	const int at = insert_position();
	return at < m_promptPos || at > length ? length - m_promptPos : at - m_promptPos;
}

void Fl_Console::cursorToPromptFromLeftEdge()
{
	if (mHorizOffset != 0)
		scroll(mTopLineNum, 0);
	cursorTo(m_promptPos);
}

int Fl_Console::commandEnter()
{
	if (!m_textBuffer)
		return -1;
	insert_position(m_textBuffer->length());
	char *cmd = command();
	if (!cmd)
		return -1;
	holdEchoLength(cmd);
	appendOwn("\n");
	int result = addCommandHistory(cmd);
	if (result < 0)
		return result;
	// The callbacks get a copy of their own: one of them may clear the
	// history (the clear command), which frees its entries.
	char *entered = copyText(m_commandHistory[m_commandHistoryLength - 1]);
	if (!entered)
		return -1;
	callCommandCallbacks(entered);
	std::free(entered);
	return 0;
}

// --- history -----------------------------------------------------------------------

int Fl_Console::addCommandHistory(char *str)
{
	if (!str)
		return 0;
	if (m_commandHistoryLength > 0 && std::strcmp(m_commandHistory[m_commandHistoryLength - 1], str) == 0) {
		std::free(str);
		return 0;
	}
	if (m_commandHistoryLength >= m_maxCommandHistory)
		dropOldestHistory(m_commandHistoryLength - m_maxCommandHistory + 1);
	char **grown = static_cast<char **>(
		std::realloc(m_commandHistory, (m_commandHistoryLength + 1) * sizeof(char *)));
	if (!grown) {
		std::free(str);
		return -1;
	}
	m_commandHistory = grown;
	m_commandHistory[m_commandHistoryLength++] = str;
	return 0;
}

void Fl_Console::dropOldestHistory(int n)
{
	for (int i = 0; i < n; i++)
		std::free(m_commandHistory[i]);
	m_commandHistoryLength -= n;
	std::memmove(m_commandHistory, m_commandHistory + n, m_commandHistoryLength * sizeof(char *));
}

void Fl_Console::max_history(int nb)
{
	if (nb < 1)
		return;
	m_maxCommandHistory = nb;
	if (m_commandHistoryLength <= nb)
		return;
	int dropped = m_commandHistoryLength - nb;
	dropOldestHistory(dropped);
	m_commandHistoryPos = m_commandHistoryPos > dropped ? m_commandHistoryPos - dropped : 0;
}

void Fl_Console::clear_history()
{
	for (int i = 0; i < m_commandHistoryLength; i++)
		std::free(m_commandHistory[i]);
	std::free(m_commandHistory);
	m_commandHistory = nullptr;
	m_commandHistoryLength = 0;
	m_commandHistoryPos = 0;
}

// --- clearing ----------------------------------------------------------------------

void Fl_Console::clear_buffer()
{
	if (!m_textBuffer)
		return;
	// The command being typed is the user's, not output: it stays, with the
	// cursor where it was in it, and so does a selection in it, which the
	// next key typed replaces.  One entered is already on its way and goes
	// with the rest.  Positions are kept as offsets from the prompt's end.
	// A selection that reaches before the command (Shift+Home takes the
	// prompt, Shift+Up a line above) keeps reaching before it, from the
	// prompt's line on, so the keys treat it as they did: a letter typed
	// goes to the command's end, BackSpace drops the selection.  One wholly
	// in the transcript goes with it.
	std::string typed;
	int cursor = 0, selStart = 0, selEnd = 0, anchor = 0;
	bool selected = false;
	if (!m_callingCallbacks && m_promptPos >= 0 && m_promptPos <= m_textBuffer->length()) {
		char *text = command();
		if (text)
			typed = text;
		std::free(text);
		cursor = commandCursor();
		const int lineStart = m_textBuffer->line_start(m_promptPos);
		selected = m_textBuffer->selection_position(&selStart, &selEnd) && selEnd > lineStart;
		selStart = std::max(selStart, lineStart) - m_promptPos;
		selEnd -= m_promptPos;
		anchor = std::clamp(dragPos, lineStart, m_textBuffer->length()) - m_promptPos;
	}
	m_modifySelf = 1;
	m_textBuffer->text(" \n");
	m_modifySelf = 0;
	newPrompt();
	if (typed.empty())
		return;
	appendOwn(typed.c_str());
	cursorTo(m_promptPos + cursor);
	if (!selected)
		return;
	// the prompt's line start again stands this far before its end
	const int before = m_promptPos - m_textBuffer->line_start(m_promptPos);
	m_textBuffer->select(m_promptPos + std::max(selStart, -before), m_promptPos + selEnd);
	// Shift and the arrows go on from the end of the selection that is
	// not at the cursor
	dragPos = m_promptPos + std::max(anchor, -before);
}

void Fl_Console::clear()
{
	clear_history();
	clear_buffer();
}

void Fl_Console::activate()
{
	color(FL_WHITE);
	Fl_Text_Editor::activate();
}

void Fl_Console::deactivate()
{
	color(FL_BACKGROUND_COLOR);
	Fl_Text_Editor::deactivate();
}
