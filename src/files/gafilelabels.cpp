// Keywords on labels and their typesetting: a label at a position or at an
// object, the mode and font that new labels take, and markup read for its
// definitions.
#include <string>

#include "e3ga/e3ga.h"
#include "files/gafile.h"
#include "files/gafilekeywords.h"
#include "scene/labelflags.h"
#include "os/osdep.h"
#include "state/state.h"

namespace {

// Words of "tsmode" and "tsfont": anything up to the next blank, or quoted.
constexpr const char *sc_anyWord = "";

// One word after the keyword handed to the setter; INVALID without one.
int setByWord(const gaLine &l, int (state::*setter)(const char *))
{
	std::string word;
	if (GAfile::readString(l.line, l.pos, word, sc_anyWord) < 0) {
		l.invalid();
		return 0;
	}
	(l.s->*setter)(word.c_str());
	return 0;
}

} // namespace

int gaKwLabel(const gaLine &l)
{
	std::string name, pointName, text;
	int pos = gaReadName(l.line, l.pos, name);
	if (pos < 0) {
		l.invalid();
		return 0;
	}
	if (l.nameTooLong(name)) return 0;
	// a position, or the name of an object to stand at
	e3ga position(0.0);
	int end = gaReadE3ga(l.line, pos, position);
	if (end < 0) {
		end = gaReadName(l.line, pos, pointName);
		if (end < 0 || l.s->getObjectPtrByName(pointName) == nullptr) {
			l.invalid();
			return 0;
		}
	}
	pos = gaReadName(l.line, end, text);
	if (pos < 0) {
		l.invalid();
		return 0;
	}
	if (l.textTooLong(text)) return 0;
	int flags = 0, width = -1;
	l.file->parseLabelFlags(l.line + pos, flags, width);
	// an image is found beside the file that names it
	if (flags & LF_IMAGE) text = l.s->fullFilename(text);
	if (pointName.empty()) l.s->addTextObject(text.c_str(), position, name, flags, width);
	else l.s->addTextObject(text.c_str(), pointName, name, flags, width);
	return 0;
}

int gaKwTsMode(const gaLine &l) { return setByWord(l, &state::tsSetMode); }

int gaKwTsFont(const gaLine &l) { return setByWord(l, &state::tsSetFont); }

int gaKwTsInterpret(const gaLine &l)
{
	std::string text;
	if (gaReadName(l.line, l.pos, text) < 0) {
		cprintf("GAfile::parseLine(): file '%s': no text specified in entry '%s' at line '%d'\n", l.file->m_filename,
		        l.kw.c_str(), l.file->m_lineNb);
		return 0;
	}
	if (l.textTooLong(text)) return 0;
	if (l.s->tsParse(text.c_str()) != 0)
		cprintf("warning: GAfile::parseLine(): file '%s': error in text in '%s' entry at line '%d'\n",
		        l.file->m_filename, l.kw.c_str(), l.file->m_lineNb);
	return 0;
}
