#include "typeset/typesetword.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "typeset/openglfont.h"
#include "typeset/typeset.h"
#include "typeset/typesetline.h"

namespace {

// Names of the Greek letters and the Latin letters they stand under in the
// Greek font.
struct greekName_s {
	const char *name;
	char letter;
};
const greekName_s s_greekToSymbol[] = {
	{"alpha", 'a'}, {"beta", 'b'},    {"gamma", 'g'}, {"delta", 'd'},   {"epsilon", 'e'}, {"zeta", 'z'},
	{"eta", 'h'},   {"theta", 'q'},   {"iota", 'i'},  {"kappa", 'k'},   {"lambda", 'l'},  {"mu", 'm'},
	{"nu", 'n'},    {"xi", 'x'},      {"omikron", 'o'}, {"pi", 'p'},    {"rho", 'r'},     {"sigma", 's'},
	{"tau", 't'},   {"upsilon", 'u'}, {"phi", 'f'},   {"chi", 'c'},     {"psi", 'y'},     {"omega", 'w'},
};

// Longest name looked up as a Greek letter.
constexpr size_t sc_tsMaxGreekName = 15;

// Capitals lie this far below the small letters, as in ASCII.
constexpr int sc_tsCapitalOffset = 32;

struct specialSymbol_s {
	const char *name;
	int code;
};
const specialSymbol_s s_specialSymbols[] = {
	{"gp", 800}, {"ip", 801}, {"op", 802}, {"lc", 803}, {"rc", 804}, {"infty", 805}, {"inf", 805}, {"cp", 806},
};

// The glyph codes of one font.
constexpr int sc_tsFontGlyphs = 256;

bool isLetter(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// A script's content as a sentence chain: an option's sentence, or the
// single item of the script put into a sentence of its own (in the tree,
// which keeps owning it).  Null when there is no content.
fpNode_s *scriptSentence(fpNode_s *script)
{
	fpNode_s *content = script->nbChildren > 0 ? script->child[0] : nullptr;
	if (!content)
		return nullptr;
	if (content->type == FP_OPTION)
		return tsOptionSentence(content);
	if (content->type == FP_SENTENCE)
		return content;
	fpNode_s *sentence = fpNodeAlloc(FP_SENTENCE, 2);
	if (!sentence)
		return nullptr;
	sentence->inputIdx = content->inputIdx;
	fpSetChild(sentence, content, 1);
	fpSetChild(script, sentence, 0);
	return sentence;
}

} // namespace

tsWordBox::tsWordBox(typesetState *s, const char *text, int length) : typesetBox(s, TS_WORD), m_fontStr(nullptr)
{
	length = std::max(length, 0);
	m_fontStr = static_cast<int *>(malloc(((size_t)length + 1) * sizeof(int)));
	if (m_fontStr)
		convertStr(m_font, text, length, m_fontStr);
	measure(s);
}

tsWordBox::tsWordBox(typesetState *s, int code) : typesetBox(s, TS_WORD), m_fontStr(nullptr)
{
	m_fontStr = static_cast<int *>(malloc(2 * sizeof(int)));
	if (m_fontStr) {
		m_fontStr[0] = code;
		m_fontStr[1] = 0;
	}
	measure(s);
}

tsWordBox::~tsWordBox() { free(m_fontStr); }

void tsWordBox::measure(typesetState *s) { strSize(s, m_fontStr, m_width, m_ascent, m_descent); }

int tsWordBox::convertChr(int font, int c)
{
	if (c <= 0 || c >= sc_tsFontGlyphs)
		return 0;
	if (font == TS_FONT_EQUATION)
		return (isLetter(c) ? fontBase(TS_FONT_ITALIC) : fontBase(TS_FONT_REGULAR)) + c;
	return fontBase(font) + c;
}

void tsWordBox::convertStr(int font, const char *text, int length, int *codes)
{
	int n = 0;
	for (int i = 0; i < length; i++)
		if (int code = convertChr(font, (unsigned char)text[i]))
			codes[n++] = code;
	codes[n] = 0;
}

int tsWordBox::lookupGreekSymbol(const char *name)
{
	size_t len = name ? strlen(name) : 0;
	if (len < 1 || len > sc_tsMaxGreekName)
		return -1;
	// A capital first letter asks for the capital.
	bool capital = name[0] >= 'A' && name[0] <= 'Z';
	char lower[sc_tsMaxGreekName + 1];
	memcpy(lower, name, len + 1);
	if (capital)
		lower[0] = (char)(lower[0] - 'A' + 'a');
	for (const greekName_s &g : s_greekToSymbol)
		if (strcmp(g.name, lower) == 0)
			return fontBase(TS_FONT_GREEK) + g.letter - (capital ? sc_tsCapitalOffset : 0);
	return -1;
}

int tsWordBox::lookupSpecialSymbol(const char *name)
{
	for (const specialSymbol_s &sym : s_specialSymbols)
		if (name && strcmp(sym.name, name) == 0)
			return sym.code;
	return -1;
}

int tsWordBox::typeset(typesetState *s)
{
	int n = fontStrlen(m_fontStr);
	if (n == 0)
		return 0;
	// Width given beyond the glyphs' own spreads them by the alignment.
	double spare = m_width - m_fontSize * oglfStringWidth(m_fontStr);
	double x = 0.0, gap = 0.0;
	switch (m_align) {
	case TS_ALIGN_RIGHT: x = spare; break;
	case TS_ALIGN_CENTER: x = spare / 2.0; break;
	case TS_ALIGN_JUSTIFY:
		if (n > 1)
			gap = spare / (n - 1);
		else
			x = spare / 2.0;
		break;
	default: break;
	}
	s->pushTrans(m_x, m_y);
	s->pushSize(m_fontSize);
	for (int i = 0; i < n; i++) {
		double advance = s->addChar(m_fontStr[i], x, 0.0, m_color);
		if (advance < 0.0)
			break;
		x += advance + gap;
	}
	s->popSize();
	s->popPos();
	return 0;
}

tsNumberBox::tsNumberBox(typesetState *s, const char *text) : typesetBox(s, TS_NUMBER)
{
	s->pushFont(TS_FONT_REGULAR);
	int length = (int)strlen(text);
	const char *e = strpbrk(text, "eE");
	// The mantissa up to and including the "e", the exponent after it.
	int head = e ? (int)(e - text) + 1 : length;
	auto *mantissa = new tsWordBox(s, text, head);
	m_width = mantissa->m_width;
	m_ascent = mantissa->m_ascent;
	double mantissaAscent = mantissa->m_ascent;
	addChild(mantissa);
	if (e) {
		s->pushSize(0.8 * s->size());
		auto *exponent = new tsWordBox(s, text + head, length - head);
		s->popSize();
		exponent->setPos(m_width, 0.4 * mantissaAscent);
		m_width += exponent->m_width;
		m_ascent = std::max(m_ascent, exponent->m_y + exponent->m_ascent);
		addChild(exponent);
	}
	m_descent = 0.0;
	s->popFont();
}

tsWhiteSpaceBox::tsWhiteSpaceBox(typesetState *s, double width, int forced)
	: typesetBox(s, TS_WHITESPACE), m_forced(forced)
{
	m_width = width;
}

tsWhiteSpaceBox::tsWhiteSpaceBox(const typesetBox &like, double width, int forced)
	: typesetBox(like, TS_WHITESPACE), m_forced(forced)
{
	m_width = width;
}

tsScriptBox::tsScriptBox(typesetState *s, typesetBox *base)
	: typesetBox(s, TS_SCRIPT), m_subscript(0), m_superscript(0)
{
	base->setPos(0.0, 0.0);
	addChild(base);
	measure();
}

int tsScriptBox::addScript(typesetState *s, fpNode_s *script, int superscript)
{
	const char *what = superscript ? "superscript" : "subscript";
	int &present = superscript ? m_superscript : m_subscript;
	if (present) {
		tsReport(script, "tsScriptBox::addScript(): warning: multiple %ss (ignoring):\n", what);
		return 0;
	}
	fpNode_s *sentence = scriptSentence(script);
	if (!sentence) {
		tsReport(script, "tsScriptBox::addScript(): warning: no text for %s\n", what);
		return 0;
	}
	s->pushSize(0.6 * s->size());
	bool broke = false;
	tsHBox *line = tsHBox::setupContentLine(s, sentence, broke);
	s->popSize();
	if (broke)
		tsReport(script,
		         "tsScriptBox::addScript(): warning: carriage return in %s? (ignoring text after carriage "
		         "return):\n",
		         what);
	if (!line)
		return -1;
	if (m_nbChildren < 1) {
		delete line;
		return -1;
	}
	// Right of the base; a subscript hangs from the base's bottom, a
	// superscript reaches a fifth of its height above the base's top.
	const typesetBox *base = m_child[0];
	double y = superscript ? base->m_y + base->m_ascent - 0.8 * (line->m_ascent - line->m_descent)
	                       : base->m_y + base->m_descent;
	line->setPos(base->m_x + base->m_width, y);
	if (addChild(line) < 0)
		return -1;
	present = 1;
	measure();
	return 0;
}

double tsScriptBox::contentWidth() const
{
	double width = 0.0;
	for (int i = 0; i < m_nbChildren; i++)
		width = std::max(width, m_child[i]->m_x + m_child[i]->m_width);
	return width;
}

void tsScriptBox::measure()
{
	m_width = contentWidth();
	m_ascent = m_descent = 0.0;
	for (int i = 0; i < m_nbChildren; i++) {
		const typesetBox *c = m_child[i];
		m_ascent = i == 0 ? c->m_y + c->m_ascent : std::max(m_ascent, c->m_y + c->m_ascent);
		m_descent = i == 0 ? c->m_y + c->m_descent : std::min(m_descent, c->m_y + c->m_descent);
	}
}

int tsScriptBox::typeset(typesetState *s)
{
	// Width given beyond its own centres the content.
	double shift = (m_width - contentWidth()) / 2.0;
	s->pushTrans(m_x + shift, m_y);
	for (int i = 0; i < m_nbChildren; i++) {
		if (m_child[i]->m_type == TS_HBOX) {
			auto *line = static_cast<tsHBox *>(m_child[i]);
			line->m_maxWidth = line->m_width;
		}
		m_child[i]->typeset(s);
	}
	s->popPos();
	return 0;
}
