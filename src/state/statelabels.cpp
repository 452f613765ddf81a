// Labels of the state: making them, and the typesetter with the mode and
// font that new labels take.
#include <cctype>
#include <cstring>

#include "files/gafile.h"
#include "os/osdep.h"
#include "state/state.h"
#include "scene/textobject.h"
#include "typeset/typeset.h"

namespace {

// The names the state hands to labels; labels keep pointers to them, so
// they are constant strings that live as long as the program.
constexpr const char *sc_modeText = "text";
constexpr const char *sc_modeEquation = "equation";
constexpr const char *sc_modeVerbatim = "verbatim";
constexpr const char *sc_fontRegular = "regular";
constexpr const char *sc_fontBold = "bold";
constexpr const char *sc_fontItalic = "italic";
constexpr const char *sc_fontGreek = "greek";

// A replaced label takes every property of the new one.
constexpr int sc_labelForceFlags = -1;
// Labels are made with no creation flags.
constexpr int sc_labelCreationFlags = 0;

// The lower-case first letter of s, 0 for none.
int firstLetter(const char *s) { return s != nullptr ? std::tolower((unsigned char)s[0]) : 0; }

// True, with a message, for a label text longer than a saved scene can hold:
// such a label could not be read back.
bool labelTextTooLong(const char *text)
{
	if (text == nullptr || std::strlen(text) <= GAfile::sc_maxTextLength) return false;
	cprintf("state::addTextObject(): label text longer than %d bytes; no label made\n",
	        (int)GAfile::sc_maxTextLength);
	return true;
}

} // namespace

int state::addTextObject(const char *text, const std::string &pointName, const std::string &name, int labelFlags,
                         int width)
{
	if (labelTextTooLong(text)) return -1;
	return addObject(new textObject(text, pointName, name, sc_labelCreationFlags, labelFlags, width), sc_labelForceFlags);
}

int state::addTextObject(const char *text, const e3ga &position, const std::string &name, int labelFlags, int width)
{
	if (labelTextTooLong(text)) return -1;
	return addObject(new textObject(text, position, name, sc_labelCreationFlags, labelFlags, width), sc_labelForceFlags);
}

int state::tsReset()
{
	delete m_typesetState;
	m_typesetState = new typesetState();
	m_tsFont = sc_fontRegular;
	m_tsMode = sc_modeVerbatim;
	return 0;
}

int state::tsParse(const char *text)
{
	m_typesetState->setInitialMode(sc_modeText);
	return m_typesetState->parse(text);
}

int state::tsSetMode(const char *s)
{
	switch (firstLetter(s)) {
	case 't': m_tsMode = sc_modeText; break;
	case 'e': m_tsMode = sc_modeEquation; break;
	case 'v': m_tsMode = sc_modeVerbatim; break;
	default: break;
	}
	return 0;
}

int state::tsSetFont(const char *s)
{
	switch (firstLetter(s)) {
	case 'r': m_tsFont = sc_fontRegular; break;
	case 'b': m_tsFont = sc_fontBold; break;
	case 'i': m_tsFont = sc_fontItalic; break;
	case 'g': m_tsFont = sc_fontGreek; break;
	default: break;
	}
	return 0;
}
