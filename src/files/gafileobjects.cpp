// Keywords on the scene's objects and the defaults that new objects take:
// algebra objects, colours, font size, clip distance, polygon offset,
// removal, stored factors and fades.
#include <cmath>
#include <strings.h>

#include "c3ga/c3ga.h"
#include "e3ga/e3ga.h"
#include "files/gafile.h"
#include "files/gafilekeywords.h"
#include "i2ga/i2ga.h"
#include "scene/object.h"
#include "os/osdep.h"
#include "p3ga/p3ga.h"
#include "state/state.h"
#include "ui/ui.h"

namespace {

// A name, a bracketed value of the algebra and object flags: the object is
// added (or a kept one updated), taking colours and alphas from the state;
// with "restore" it comes back as saved (state::addObject).
template <class V, class R, class A>
int addAlgebraObject(const gaLine &l, R readValue, A add)
{
	std::string name;
	int pos = gaReadName(l.line, l.pos, name);
	// without a name the value begins right after the keyword
	if (pos < 0) pos = l.pos;
	else if (l.nameTooLong(name)) return 0;
	V value;
	int end = readValue(l.line, pos, value);
	if (end < 0) {
		while ((unsigned char)l.line[pos] < 33 && l.line[pos] != '\0') pos++;
		cprintf("GAfile::parseLine(): file '%s': Could not parse multivector coordinates '%s'\n", l.file->m_filename,
		        l.line + pos);
		return 0;
	}
	int drawMode, creationFlags;
	bool restore;
	l.file->parseFlags(l.line + end, drawMode, creationFlags, &restore);
	(l.s->*add)(value, name, drawMode, creationFlags, FF_COPY_COLORS | FF_COPY_ALPHAS, restore);
	return 0;
}

// The smallest clip distance a script may set.
constexpr double sc_minClipDistance = 0.01;

// Stored factors: the model's words, its dimension and its setter.
struct factorModel {
	const char *word, *alias;
	int dim;
};
const factorModel c_factorModels[] = {{"e3ga", "ca3d", 3}, {"p3ga", "ca4d", 4}, {"c3ga", "ca5d", 5}};
// The largest factor index a line may name (the largest dimension).
constexpr int sc_maxFactorIndex = 5;
// Grade-usage bitmap of the vector part, the part a factor keeps.
constexpr int sc_vectorPart = 0x2;

// The factor of a "factor" line: its value read at pos, the zero value
// when it does not fit or parse, stored at index (counted from 1); a vector
// part that is not finite is refused and the factor stays as it was.
template <class V, class R, class S> void storeFactor(const gaLine &l, bool fits, int pos, int index, R read, S store)
{
	V v;
	if (!fits || read(l.line, pos, v) < 0) v = 0.0;
	if (l.finite(v.grade(sc_vectorPart))) (l.s->*store)(v, index - 1);
}

struct fadeKeyword {
	const char *word;
	int action;
	bool showFirst;
};
const fadeKeyword c_fadeKeywords[] = {
	{"fade", object::FADE_NOTHING, false},
	{"show_and_fade", object::FADE_NOTHING, true},
	{"fade_and_hide", object::FADE_HIDE, false},
	{"fade_and_remove", object::FADE_REMOVE, false},
};

} // namespace

int gaKwE3ga(const gaLine &l) { return addAlgebraObject<e3ga>(l, gaReadE3ga, &state::addE3gaObject); }

int gaKwP3ga(const gaLine &l) { return addAlgebraObject<p3ga>(l, gaReadP3ga, &state::addP3gaObject); }

int gaKwC3ga(const gaLine &l) { return addAlgebraObject<c3ga>(l, gaReadC3ga, &state::addC3gaObject); }

int gaKwI2ga(const gaLine &l) { return addAlgebraObject<i2ga>(l, gaReadI2ga, &state::addI2gaObject); }

int gaKwColor(const gaLine &l)
{
	// r g b a, r g b with alpha 1, or a colour name
	double c[4] = {0.0, 0.0, 0.0, 1.0};
	int n = 0;
	for (int pos = l.pos; n < 4 && (pos = gaReadDouble(l.line, pos, c[n])) >= 0;) n++;
	if (n >= 3) {
		l.s->setColor(l.kw.c_str(), (float)c[0], (float)c[1], (float)c[2], n == 4 ? (float)c[3] : 1.0f);
		return 0;
	}
	std::string name;
	if (GAfile::readString(l.line, l.pos, name, "") < 0) {
		cprintf("warning: GAfile::parseLine(): file '%s': invalid color entry at line '%d'\n", l.file->m_filename,
		        l.file->m_lineNb);
		return 0;
	}
	l.s->setColor(l.kw.c_str(), name.c_str());
	return 0;
}

int gaKwFontSize(const gaLine &l)
{
	double size;
	if (gaReadDouble(l.line, l.pos, size) < 0 || !(size > 0.0)) l.invalidEntry("fontsize");
	else l.s->m_fontSize = (float)size;
	return 0;
}

int gaKwClip(const gaLine &l)
{
	double d;
	if (gaReadDouble(l.line, l.pos, d) < 0 || !(d >= sc_minClipDistance)) l.invalidEntry("clip");
	else l.s->m_clipDistance = (float)d;
	return 0;
}

int gaKwPolygonOffset(const gaLine &l)
{
	double factor, units;
	int pos = gaReadDouble(l.line, l.pos, factor);
	if (pos < 0 || gaReadDouble(l.line, pos, units) < 0) {
		l.invalid();
		return 0;
	}
	l.s->m_poFactor = (float)factor;
	l.s->m_poUnits = (float)units;
	return 0;
}

int gaKwRemove(const gaLine &l)
{
	std::string name;
	const int pos = gaReadName(l.line, l.pos, name);
	if (pos < 0) return 0;
	// with "restore" the object goes as the saved scene has it gone: what
	// reads it was up to date with that, and nothing runs again for it
	const char *rest = l.line + pos;
	l.s->removeObject(name, !GAfile::readRestoreWord(rest));
	return 0;
}

int gaKwFactor(const gaLine &l)
{
	std::string model;
	int index = 0;
	int pos = gaReadName(l.line, l.pos, model);
	const factorModel *m = nullptr;
	for (const factorModel &f : c_factorModels)
		if (pos >= 0 && (strcasecmp(model.c_str(), f.word) == 0 || strcasecmp(model.c_str(), f.alias) == 0)) m = &f;
	if (m != nullptr) pos = gaReadInt(l.line, pos, index);
	if (m == nullptr || pos < 0 || index < 1 || index > sc_maxFactorIndex) {
		l.invalid();
		return 0;
	}
	// an index past the model's dimension, or a value that does not parse,
	// stores zero
	const bool fits = index <= m->dim;
	if (m->dim == 3) storeFactor<e3ga>(l, fits, pos, index, gaReadE3ga, &state::setE3gaFactor);
	else if (m->dim == 4) storeFactor<p3ga>(l, fits, pos, index, gaReadP3ga, &state::setP3gaFactor);
	else storeFactor<c3ga>(l, fits, pos, index, gaReadC3ga, &state::setC3gaFactor);
	return 0;
}

int gaKwFade(const gaLine &l)
{
	const fadeKeyword *k = nullptr;
	for (const fadeKeyword &f : c_fadeKeywords)
		if (strcasecmp(l.kw.c_str(), f.word) == 0) k = &f;
	std::string name;
	int pos = gaReadName(l.line, l.pos, name);
	if (pos < 0) {
		l.noName();
		return 0;
	}
	object *obj = l.s->getObjectPtrByName(name);
	if (obj == nullptr) {
		cprintf("warning: GAfile::parseLine(): file '%s': unknown object '%s' entry at line '%d'\n", l.file->m_filename,
		        name.c_str(), l.file->m_lineNb);
		return 0;
	}
	if (k->showFirst) obj->show();
	double duration, target, start = -1.0;
	pos = gaReadDouble(l.line, pos, duration);
	if (pos < 0 || (pos = gaReadDouble(l.line, pos, target)) < 0) {
		l.invalid();
		return 0;
	}
	gaReadDouble(l.line, pos, start);
	l.s->fadeObject(name, duration * l.s->m_playbackSpeed, (float)target, k->action, (float)start);
	uiRedrawView();
	return 0;
}
