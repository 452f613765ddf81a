#include "typeset/typesetbox.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "typeset/fontparse.h"
#include "typeset/openglfont.h"
#include "typeset/typeset.h"
#include "typeset/typesetword.h"

// Smallest child array: most boxes have a few children.
constexpr int sc_tsMinChildren = 4;

typesetBox::typesetBox(typesetState *s, int type)
	: m_font(s->font()), m_align(s->align()), m_mode(s->mode()), m_fontSize(s->size()), m_color(s->color()),
	  m_type(type), m_nbChildren(0), m_child(nullptr), m_x(0.0), m_y(0.0), m_width(0.0), m_ascent(0.0),
	  m_descent(0.0), m_maxChildren(0)
{
}

typesetBox::typesetBox(const typesetBox &like) : typesetBox(like, like.m_type) {}

typesetBox::typesetBox(const typesetBox &like, int type)
	: m_font(like.m_font), m_align(like.m_align), m_mode(like.m_mode), m_fontSize(like.m_fontSize),
	  m_color(like.m_color), m_type(type), m_nbChildren(0), m_child(nullptr), m_x(0.0), m_y(0.0), m_width(0.0),
	  m_ascent(0.0), m_descent(0.0), m_maxChildren(0)
{
}

typesetBox::~typesetBox()
{
	for (int i = 0; i < m_nbChildren; i++)
		delete m_child[i];
	free(m_child);
}

double typesetBox::stretch() { return 0.5 * m_width; }

int typesetBox::typeset(typesetState *s) { return typesetChildren(s); }

int typesetBox::typesetChildren(typesetState *s)
{
	s->pushTrans(m_x, m_y);
	for (int i = 0; i < m_nbChildren; i++)
		m_child[i]->typeset(s);
	s->popPos();
	return 0;
}

int typesetBox::addChild(typesetBox *b)
{
	if (m_nbChildren == m_maxChildren) {
		int grown = m_maxChildren > 0 ? 2 * m_maxChildren : sc_tsMinChildren;
		auto *child = static_cast<typesetBox **>(realloc(m_child, (size_t)grown * sizeof(typesetBox *)));
		if (!child) {
			printf("typesetBox::addChild(): memory allocation error\n");
			delete b;
			return -1;
		}
		m_child = child;
		m_maxChildren = grown;
	}
	m_child[m_nbChildren++] = b;
	return 0;
}

int typesetBox::insertChild(int idx, typesetBox *b)
{
	if (idx < 0 || idx > m_nbChildren) {
		printf("typesetBox::insertChild(): invalid index '%d'\n", idx);
		delete b;
		return -1;
	}
	if (addChild(b) < 0)
		return -1;
	memmove(m_child + idx + 1, m_child + idx, (size_t)(m_nbChildren - 1 - idx) * sizeof(typesetBox *));
	m_child[idx] = b;
	return 0;
}

typesetBox *typesetBox::takeChild(int idx)
{
	if (idx < 0 || idx >= m_nbChildren)
		return nullptr;
	typesetBox *b = m_child[idx];
	memmove(m_child + idx, m_child + idx + 1, (size_t)(m_nbChildren - 1 - idx) * sizeof(typesetBox *));
	m_nbChildren--;
	return b;
}

int typesetBox::removeChild(int idx)
{
	typesetBox *b = takeChild(idx);
	if (!b)
		return -1;
	delete b;
	return 0;
}

int typesetBox::removeChild(typesetBox *b)
{
	for (int i = 0; i < m_nbChildren; i++)
		if (m_child[i] == b)
			return removeChild(i);
	return -1;
}

int typesetBox::eqnOperator() const
{
	if (m_type != TS_WORD || m_mode != TS_MODE_EQUATION)
		return 0;
	const int *codes = static_cast<const tsWordBox *>(this)->m_fontStr;
	if (!codes || codes[0] == 0 || codes[1] != 0)
		return 0;
	int c = codes[0];
	// The product and contraction symbols; 805, infinity, is none.
	if (c >= 800 && c <= 806)
		return c != 805;
	return c < 800 && c % 200 != 0 && strchr("+-=/*^%<>", c % 200) != nullptr;
}

int typesetBox::fontBase(int font)
{
	switch (font) {
	case TS_FONT_BOLD: return 200;
	case TS_FONT_ITALIC: return 400;
	case TS_FONT_GREEK: return 600;
	default: return 0;
	}
}

int typesetBox::fontStrlen(const int *codes)
{
	int n = 0;
	while (codes && codes[n])
		n++;
	return n;
}

void typesetBox::strSize(typesetState *s, const int *codes, double &w, double &a, double &d)
{
	if (fontStrlen(codes) == 0) {
		w = a = d = 0.0;
		return;
	}
	double size = s->size();
	w = size * oglfStringWidth(codes);
	a = (1.0 - s->m_fontDescent) * size;
	d = -s->m_fontDescent * size;
}

namespace {

// Where messages about a command's options point: the command.
const fpNode_s *optionsOwner(const fpNode_s *optionList)
{
	return optionList && optionList->parent ? optionList->parent : optionList;
}

void reportTooMany(const fpNode_s *optionList, const char *who, const char *command)
{
	tsReport(optionsOwner(optionList), "%s: warning: too many options in option list for %s command:\n", who,
	         command);
}

} // namespace

int typesetBox::getFirstOption(fpNode_s *optionList, fpNode_s *&option, int warn, const char *who,
                               const char *command)
{
	option = nullptr;
	int count = 0;
	tsForEachItem(optionList, [&](fpNode_s *o) {
		if (!option)
			option = o;
		count++;
		return true;
	});
	if (!option) {
		tsReport(optionsOwner(optionList), "%s: error: no option for %s command:\n", who, command);
		return -1;
	}
	if (warn && count > 1)
		reportTooMany(optionList, who, command);
	return 0;
}

int typesetBox::getOptions(int &n, fpNode_s *optionList, fpNode_s **options, int mode, const char *who,
                           const char *command)
{
	int found = 0;
	tsForEachItem(optionList, [&](fpNode_s *o) {
		if (found < n)
			options[found] = o;
		found++;
		return true;
	});
	if (found > n) {
		reportTooMany(optionList, who, command);
		return 0;
	}
	if (found < n && mode == 1) {
		tsReport(optionsOwner(optionList), "%s: warning: too little options in option list for %s command:\n",
		         who, command);
		n = found;
		return -1;
	}
	n = found;
	return 0;
}

void tsReport(const fpNode_s *node, const char *fmt, ...)
{
	va_list ap;
	va_start(ap, fmt);
	vprintf(fmt, ap);
	va_end(ap);
	size_t len = strlen(fmt);
	if (len == 0 || fmt[len - 1] != '\n')
		putchar('\n');
	fontParsePrintInput(node ? node->inputIdx : 0);
}

fpNode_s *tsOptionSentence(const fpNode_s *option)
{
	if (!option || option->type != FP_OPTION || option->nbChildren < 1)
		return nullptr;
	fpNode_s *sentence = option->child[0];
	return sentence && sentence->type == FP_SENTENCE ? sentence : nullptr;
}
