#pragma once
// Mathematical boxes: fractions, square roots, stretchable parentheses and
// accents.  Each builds its content options as lines (tsHBox) centred in the
// width it gives them, and at layout appends its rules or shapes before
// laying out the content.  s is the box's glyph size; rules are s / 25 wide.
#include "typeset/typesetbox.h"

// setup of every box here: 0 when built; 1 when the command is malformed
// (reported; the box is to be dropped); -1 when its content cannot be
// built.

// One segment of half a parenthesis, in glyph sizes: two points across the
// stroke, and the share of the extra height that opens below it.  A table
// ends with an entry whose x1 and y1 are negative.
struct parDesc_s {
	double x1, y1, x2, y2, stretchable;
};

// Numerator (child 0) over denominator (child 1).
class tsFracBox : public typesetBox {
public:
	explicit tsFracBox(typesetState *s);
	int setup(typesetState *s, fpNode_s *command);
	double stretch() override;
	int typeset(typesetState *s) override;

	double m_lineY; // height of the bar above the baseline
};

// The radicand (child 0) under the root sign, with an optional index
// (child 1).
class tsSqrtBox : public typesetBox {
public:
	explicit tsSqrtBox(typesetState *s);
	int setup(typesetState *s, fpNode_s *command);
	double stretch() override;
	int typeset(typesetState *s) override;
};

// Content (child 0) between two parentheses as tall as it is.
class tsParBox : public typesetBox {
public:
	explicit tsParBox(typesetState *s);
	int setup(typesetState *s, fpNode_s *command);
	double stretch() override;
	int typeset(typesetState *s) override;

	const parDesc_s *m_leftPar, *m_rightPar;
	double m_leftWidth, m_rightWidth;

private:
	// Appends the two halves of a parenthesis from x0 outwards (sign 1
	// left, -1 right, mirrored) over the height H above bottom.
	void setupPar(typesetState *s, const parDesc_s *shape, double x0, double bottom, double H, double size,
	              double sign);
};

// An accent over its content (child 0).
class tsHatBox : public typesetBox {
public:
	explicit tsHatBox(typesetState *s);
	int setup(typesetState *s, fpNode_s *command);
	double stretch() override;
	int typeset(typesetState *s) override;

	// The type of an accent command's name, or -1.
	static int hatType(const char *name);

	// 0 "hat", 1 "widehat", 2 "tilde", 3 "widetilde", 4 "bar", 5 "widebar":
	// half the type is the shape, an odd type spans the content.
	int m_hatType;
};
