#pragma once
// The base of the box layout.  A markup text becomes a tree of boxes: a
// vertical box of lines, each line a horizontal box of words, spaces,
// numbers and mathematical constructs.  Building a box (its constructor or
// setup) interprets the markup and measures it; laying it out (typeset)
// places it and appends glyphs, lines and polygons to the typesetter.
//
// Every box has an origin, the left end of its baseline, at (m_x, m_y) in
// its parent; it extends m_ascent above the baseline and -m_descent below.
#include "typeset/fpnode.h"

class typesetState;

// Box types.
enum {
	TS_VBOX = 0,
	TS_HBOX = 1,
	TS_WORD = 2,
	TS_SQRT = 3,
	TS_FRAC = 4,
	TS_NUMBER = 5,
	TS_TABULAR = 6,
	TS_WHITESPACE = 7,
	TS_SCRIPT = 8,
	TS_PAR = 9,
	TS_HAT = 10
};

// The attributes a scoped command pushed, recorded in its sentence node's
// flags and popped when the walk has passed the command's content.
enum {
	TS_PUSHED_FONT = 1,
	TS_PUSHED_MODE = 2,
	TS_PUSHED_ALIGN = 4,
	TS_PUSHED_SIZE = 8,
	TS_PUSHED_COLOR = 16
};

// Width of every rule (fraction bars, root signs, table lines), in glyph
// sizes.
constexpr double sc_tsRuleWidth = 1.0 / 25.0;

// Most arguments a user command takes, "\1" to "\9".
constexpr int sc_tsMaxCommandArguments = 9;

class typesetBox {
public:
	// A box with the typesetter's current font, alignment, mode, size and
	// colour, at the origin and of no size.
	typesetBox(typesetState *s, int type);
	// A box with the attributes of like, of no size and without children.
	typesetBox(const typesetBox &like);
	typesetBox &operator=(const typesetBox &) = delete;
	virtual ~typesetBox();

	// The share of extra width the box takes in a justified line.
	virtual double stretch();
	// Appends the box's output, its origin moved to (m_x, m_y); 0 or -1.
	virtual int typeset(typesetState *s);

	// Children are owned: these take the box even when they fail (-1, the
	// box is deleted).
	int addChild(typesetBox *b);
	int insertChild(int idx, typesetBox *b);
	// Deletes a child; 0, or -1 when there is no such child.
	int removeChild(int idx);
	int removeChild(typesetBox *b);
	// Detaches child idx without deleting it; null when there is none.
	typesetBox *takeChild(int idx);
	typesetBox *lastBox() const { return m_nbChildren > 0 ? m_child[m_nbChildren - 1] : nullptr; }

	void setPos(double x, double y)
	{
		m_x = x;
		m_y = y;
	}
	// 1 for a one-glyph word of an equation that is an operator (+, -, =,
	// /, *, ^, %, <, > and the product symbols), else 0.
	int eqnOperator() const;
	int whiteSpace() const { return m_type == TS_WHITESPACE; }

	// The first glyph code of a font; the equation font's letters are
	// italic, its other characters regular.
	static int fontBase(int font);
	static int fontStrlen(const int *codes);
	// Width, ascent and descent of a glyph string at the current size.
	static void strSize(typesetState *s, const int *codes, double &w, double &a, double &d);

	// The first option of a command's option list; with warn, more than one
	// is reported.  0, or -1 (reported) when there is none.
	static int getFirstOption(fpNode_s *optionList, fpNode_s *&option, int warn, const char *who, const char *command);
	// Up to n options, in order; more than n are reported.  Fewer than n
	// with mode 1 are reported and give -1; with mode -1 they are fine.  n
	// becomes the number taken.
	static int getOptions(int &n, fpNode_s *optionList, fpNode_s **options, int mode, const char *who, const char *command);

	int m_font, m_align, m_mode;
	double m_fontSize;
	int m_color;
	int m_type;
	int m_nbChildren;
	typesetBox **m_child;
	double m_x, m_y;
	double m_width;
	double m_ascent, m_descent;

protected:
	typesetBox(const typesetBox &like, int type);
	// Lays the children out from the box's origin.
	int typesetChildren(typesetState *s);

private:
	int m_maxChildren; // capacity of m_child
};

// Reports a problem of the markup at node: the message (a newline added
// when it has none), then the excerpt of the input at the node's position.
void tsReport(const fpNode_s *node, const char *fmt, ...) __attribute__((format(printf, 2, 3)));

// The sentence of an option: null for a missing or empty option.
fpNode_s *tsOptionSentence(const fpNode_s *option);
// Calls f (item) for the items of a sentence chain, or the options of an
// option-list chain, first to last, while f returns true.
template <class F> void tsForEachItem(fpNode_s *chain, F f)
{
	if (!chain)
		return;
	const fpNode_s *end = chain->parent;
	for (fpNode_s *n = fpDescentLeft(chain); n && n != end; n = n->parent)
		if (n->type == chain->type && n->child[1] && !f(n->child[1]))
			return;
}
