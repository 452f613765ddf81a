#include "typeset/typesetmath.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstring>

#include "typeset/typeset.h"
#include "typeset/typesetline.h"

// Gap between a fraction's bar and its lines, in glyph sizes.
constexpr double sc_tsFracGap = 0.05;

namespace {

// Upper halves of left parentheses, from the tip (y 0.5) to the middle
// (y 0); the extra height of a tall one opens below the stretchable
// segments.
const parDesc_s s_roundPar[] = {
	{0.1903, 0.5, 0.3081, 0.5, 0.25},       {0.1234, 0.4177, 0.2151, 0.3936, 0.25},
	{0.0632, 0.3074, 0.1508, 0.2816, 0.25}, {0.0146, 0.1539, 0.1061, 0.1437, 0.25},
	{0, 0, 0.0905, 0, 0},                   {-1, -1, -1, -1, 0},
};
const parDesc_s s_squarePar[] = {
	{0.2644, 0.5, 0.2644, 0.4394, 0},
	{0, 0.5, 0.0918, 0.4394, 1},
	{0, 0, 0.0918, 0, 0},
	{-1, -1, -1, -1, 0},
};
const parDesc_s s_curlyPar[] = {
	{0.482, 0.5, 0.4808, 0.4396, 0},     {0.3957, 0.5, 0.4068, 0.4388, 0},   {0.3205, 0.4943, 0.3492, 0.4246, 0},
	{0.2529, 0.4534, 0.3158, 0.4004, 0}, {0.21, 0.3844, 0.2983, 0.3649, 0},  {0.1991, 0.3089, 0.2903, 0.3089, 1},
	{0.1991, 0.2299, 0.2903, 0.2299, 0}, {0.1886, 0.1564, 0.2717, 0.1233, 0}, {0.1559, 0.0983, 0.2146, 0.0549, 0},
	{0.0937, 0.0576, 0.1418, 0, 0},      {0, 0.0478, 0, 0, 0},                {-1, -1, -1, -1, 0},
};

// Accents: point pairs across a strip, ended by negative values.
struct hatDesc_s {
	double x1, y1, x2, y2;
};
const hatDesc_s s_hatDesc[] = {
	{0, 0.1007, 0.0944, 0.04},
	{0.4379, 0.6916, 0.529, 0.5678},
	{0.6211, 0.6916, 0.529, 0.5678},
	{1.0413, 0.1007, 0.9626, 0.04},
	{-1, -1, -1, -1},
};
const hatDesc_s s_tildeDesc[] = {
	{0, 0.1736, 0.0662, 0.0909},         {0.0864, 0.2944, 0.1359, 0.1693}, {0.2023, 0.3701, 0.2467, 0.2091},
	{0.3088, 0.3914, 0.3234, 0.212},     {0.4627, 0.3618, 0.4303, 0.1965}, {0.7503, 0.2459, 0.6899, 0.0754},
	{0.8722, 0.2175, 0.8544, 0.04},      {0.9424, 0.2295, 0.9778, 0.0686}, {1.026, 0.2709, 1.0836, 0.1456},
	{1.1017, 0.35, 1.1715, 0.2589},      {-1, -1, -1, -1},
};
const hatDesc_s s_barDesc[] = {
	{0.0009, 0.04, 0, 0.2659},
	{1.0098, 0.04, 1.0098, 0.2659},
	{-1, -1, -1, -1},
};
const hatDesc_s *const c_hatShapes[] = {s_hatDesc, s_tildeDesc, s_barDesc};
const char *const c_hatNames[] = {"hat", "widehat", "tilde", "widetilde", "bar", "widebar"};

// Most segments of a shape: the curly parenthesis has eleven.
constexpr int sc_tsMaxShapeEntries = 11;

template <class D> bool shapeEnd(const D &d) { return d.x1 < 0.0 && d.y1 < 0.0; }

// The largest x of a shape, in glyph sizes.
template <class D> double shapeWidth(const D *shape)
{
	double w = 0.0;
	for (; !shapeEnd(*shape); shape++)
		w = std::max({w, shape->x1, shape->x2});
	return w;
}

// The content line of an option at the current size, centred in the width
// its box gives it; a line break in it is reported with the box's warning.
// Null when its items cannot be built.
tsHBox *contentLine(typesetState *s, fpNode_s *option, const fpNode_s *command, const char *breakWarning)
{
	bool broke = false;
	tsHBox *line = tsHBox::setupContentLine(s, tsOptionSentence(option), broke);
	if (broke)
		tsReport(command, "%s", breakWarning);
	if (line && (line->m_align == TS_ALIGN_LEFT || line->m_align == TS_ALIGN_RIGHT))
		line->m_align = TS_ALIGN_CENTER;
	return line;
}

// Lays out a content line in width.
void typesetLine(typesetState *s, typesetBox *line, double width)
{
	static_cast<tsHBox *>(line)->m_maxWidth = width;
	line->typeset(s);
}

double firstChildStretch(typesetBox *box, double least)
{
	return box->m_nbChildren > 0 ? std::max(box->m_child[0]->stretch(), least) : least;
}

} // namespace

tsFracBox::tsFracBox(typesetState *s) : typesetBox(s, TS_FRAC), m_lineY(0.0) {}

int tsFracBox::setup(typesetState *s, fpNode_s *command)
{
	fpNode_s *options[2];
	int n = 2;
	if (getOptions(n, command->child[0], options, 1, "tsFracBox::setup()", "frac") < 0)
		return 1;
	const char *warning =
		"tsFracBox::setup(): warning: carriage return in frac command? (ignoring text after carriage return):";
	double size = m_fontSize;
	s->pushSize(0.9 * size);
	tsHBox *numerator = contentLine(s, options[0], command, warning);
	tsHBox *denominator = numerator ? contentLine(s, options[1], command, warning) : nullptr;
	s->popSize();
	if (!denominator) {
		delete numerator;
		return -1;
	}
	// The numerator just above the bar, the denominator just below it.
	m_lineY = 0.25 * size;
	m_width = std::max(numerator->m_width, denominator->m_width);
	numerator->setPos(0.0, m_lineY + sc_tsFracGap * size - numerator->m_descent);
	denominator->setPos(0.0, m_lineY - sc_tsFracGap * size - denominator->m_ascent);
	m_ascent = numerator->m_y + numerator->m_ascent;
	m_descent = denominator->m_y + denominator->m_descent;
	if (addChild(numerator) < 0) {
		delete denominator;
		return -1;
	}
	return addChild(denominator);
}

double tsFracBox::stretch()
{
	return m_nbChildren == 2 ? std::max(m_child[0]->stretch(), m_child[1]->stretch()) : 0.0;
}

int tsFracBox::typeset(typesetState *s)
{
	s->pushTrans(m_x, m_y);
	const double x[2] = {0.0, m_width}, y[2] = {m_lineY, m_lineY};
	s->addLine(2, GL_LINES, x, y, (float)(sc_tsRuleWidth * m_fontSize), m_color);
	for (int i = 0; i < m_nbChildren; i++)
		typesetLine(s, m_child[i], m_width);
	s->popPos();
	return 0;
}

tsSqrtBox::tsSqrtBox(typesetState *s) : typesetBox(s, TS_SQRT) {}

int tsSqrtBox::setup(typesetState *s, fpNode_s *command)
{
	fpNode_s *options[2];
	int n = 2;
	getOptions(n, command->child[0], options, -1, "tsSqrtBox::setup()", "sqrt");
	if (n < 1)
		return 1;
	const char *warning =
		"tsSqrtBox::setup(): warning: carriage return in sqrt command? (ignoring text after carriage return):";
	double size = m_fontSize;
	tsHBox *radicand = contentLine(s, options[0], command, warning);
	if (!radicand)
		return -1;
	double h = 0.1 * size + radicand->m_ascent - radicand->m_descent;
	// The index is half as high as the sign.
	tsHBox *index = nullptr;
	if (n == 2) {
		s->pushSize(h / 2.0);
		index = contentLine(s, options[1], command, warning);
		s->popSize();
		if (!index) {
			delete radicand;
			return -1;
		}
	}
	m_width = 0.1 * size + h / 2.0 + radicand->m_width;
	// A tall radicand hangs from the top; a low one stays on the baseline.
	if (h >= 1.5 * size) {
		m_ascent = 0.55 * size + h / 2.0;
		m_descent = 0.45 * size - h / 2.0;
		radicand->setPos(h / 2.0, m_ascent - radicand->m_ascent);
	} else {
		radicand->setPos(h / 2.0, 0.0);
		m_ascent = radicand->m_ascent + 0.05 * size;
		m_descent = radicand->m_descent - 0.05 * size;
	}
	if (addChild(radicand) < 0) {
		delete index;
		return -1;
	}
	if (index) {
		index->setPos((h / 2.0 - index->m_width) / 2.0, m_ascent - index->m_ascent);
		return addChild(index);
	}
	return 0;
}

double tsSqrtBox::stretch() { return firstChildStretch(this, 0.0); }

int tsSqrtBox::typeset(typesetState *s)
{
	s->pushTrans(m_x, m_y);
	double size = m_fontSize, H = m_ascent - m_descent;
	const double x[4] = {0.0, 0.2 * H, 0.5 * H, m_width};
	const double y[4] = {0.7 * m_ascent + 0.3 * m_descent, m_descent + 0.02 * size, m_ascent - 0.02 * size,
	                     m_ascent - 0.02 * size};
	s->addLine(4, GL_LINE_STRIP, x, y, (float)(sc_tsRuleWidth * size), m_color);
	if (m_nbChildren > 0)
		typesetLine(s, m_child[0], m_width - m_child[0]->m_x);
	if (m_nbChildren > 1)
		typesetLine(s, m_child[1], m_child[1]->m_width);
	s->popPos();
	return 0;
}

tsParBox::tsParBox(typesetState *s)
	: typesetBox(s, TS_PAR), m_leftPar(s_roundPar), m_rightPar(s_roundPar), m_leftWidth(0.0), m_rightWidth(0.0)
{
}

int tsParBox::setup(typesetState *s, fpNode_s *command)
{
	fpNode_s *options[2];
	int n = 2;
	if (getOptions(n, command->child[0], options, 1, "tsParBox::setup()", "par") < 0)
		return 1;
	// Exactly two special characters: the left and the right parenthesis.
	int par[2] = {0, 0}, count = 0;
	tsForEachItem(tsOptionSentence(options[0]), [&](fpNode_s *item) {
		if (count < 2)
			par[count] = item->type == FP_SPECIALCHAR ? item->nb : 0;
		count++;
		return true;
	});
	if (count != 2 || !par[0] || !par[1]) {
		tsReport(command, "tsParBox::tsParBox(): Could not retrieve the parentheses:\n");
		return 1;
	}
	m_leftPar = par[0] == '(' ? s_roundPar : par[0] == '[' ? s_squarePar : s_curlyPar;
	m_rightPar = par[1] == ')' ? s_roundPar : par[1] == ']' ? s_squarePar : s_curlyPar;
	double size = m_fontSize;
	m_leftWidth = shapeWidth(m_leftPar) * size + 0.05 * size;
	m_rightWidth = shapeWidth(m_rightPar) * size + 0.05 * size;
	tsHBox *content = contentLine(s, options[1], command, "tsParBox::setup(): warning: carriage return in par command?:");
	if (!content)
		return -1;
	content->setPos(m_leftWidth, 0.0);
	m_ascent = content->m_ascent;
	m_descent = content->m_descent;
	m_width = m_leftWidth + content->m_width + m_rightWidth;
	return addChild(content);
}

double tsParBox::stretch() { return firstChildStretch(this, 0.00001); }

void tsParBox::setupPar(typesetState *s, const parDesc_s *shape, double x0, double bottom, double H, double size,
                        double sign)
{
	// At least a glyph high; the extra height e is shared by both halves.
	double M = std::max(H, size), e = (M - size) / 2.0;
	double x[2 * sc_tsMaxShapeEntries], upper[2 * sc_tsMaxShapeEntries], lower[2 * sc_tsMaxShapeEntries];
	int n = 0;
	double opened = 0.0;
	for (; !shapeEnd(*shape) && n < 2 * sc_tsMaxShapeEntries; shape++) {
		x[n] = x0 + sign * size * shape->x1;
		x[n + 1] = x0 + sign * size * shape->x2;
		upper[n] = bottom + M - size * (0.5 - shape->y1) - e * opened;
		upper[n + 1] = bottom + M - size * (0.5 - shape->y2) - e * opened;
		// The lower half mirrors the upper about the middle.
		lower[n] = bottom + size * (0.5 - shape->y1) + e * opened;
		lower[n + 1] = bottom + size * (0.5 - shape->y2) + e * opened;
		opened += shape->stretchable;
		n += 2;
	}
	s->addPolygon(n, GL_QUAD_STRIP, x, upper, m_color);
	s->addPolygon(n, GL_QUAD_STRIP, x, lower, m_color);
}

int tsParBox::typeset(typesetState *s)
{
	s->pushTrans(m_x, m_y);
	double H = m_ascent - m_descent;
	setupPar(s, m_leftPar, 0.0, m_descent, H, m_fontSize, 1.0);
	setupPar(s, m_rightPar, m_width, m_descent, H, m_fontSize, -1.0);
	if (m_nbChildren > 0)
		typesetLine(s, m_child[0], m_width - m_leftWidth - m_rightWidth);
	s->popPos();
	return 0;
}

tsHatBox::tsHatBox(typesetState *s) : typesetBox(s, TS_HAT), m_hatType(0) {}

int tsHatBox::hatType(const char *name)
{
	for (int i = 0; i < (int)(sizeof c_hatNames / sizeof c_hatNames[0]); i++)
		if (strcmp(c_hatNames[i], name) == 0)
			return i;
	return -1;
}

int tsHatBox::setup(typesetState *s, fpNode_s *command)
{
	const char *name = command->str && command->str[0] == '\\' ? command->str + 1 : "";
	if ((m_hatType = hatType(name)) < 0) {
		tsReport(command, "tsHatBox::tsHatBox(): Invalid hat type '%s':\n", name);
		return 1;
	}
	fpNode_s *option = nullptr;
	if (getFirstOption(command->child[0], option, 1, "tsHatBox::setup()", name) < 0)
		return 1;
	tsHBox *content = contentLine(s, option, command, "tsHatBox::setup(): warning: carriage return in hat command?");
	if (!content)
		return -1;
	m_width = content->m_width;
	m_ascent = content->m_ascent + 0.1 * m_fontSize;
	m_descent = content->m_descent;
	return addChild(content);
}

double tsHatBox::stretch() { return m_nbChildren > 0 ? m_child[0]->stretch() : 0.00001; }

int tsHatBox::typeset(typesetState *s)
{
	s->pushTrans(m_x, m_y);
	const hatDesc_s *shape = c_hatShapes[m_hatType / 2];
	double size = m_fontSize, W = shapeWidth(shape);
	// A quarter glyph high; a wide accent spans the content, a narrow one
	// is as wide as high and centred over it.
	double sy = 0.25 * size / W;
	double sx = (m_hatType & 1) ? m_width / W : sy;
	double x0 = (m_width - sx * W) / 2.0, y0 = m_ascent - 0.15 * size;
	double x[2 * sc_tsMaxShapeEntries], y[2 * sc_tsMaxShapeEntries];
	int n = 0;
	for (; !shapeEnd(*shape) && n < 2 * sc_tsMaxShapeEntries; shape++) {
		x[n] = x0 + sx * shape->x1;
		y[n] = y0 + sy * shape->y1;
		x[n + 1] = x0 + sx * shape->x2;
		y[n + 1] = y0 + sy * shape->y2;
		n += 2;
	}
	s->addPolygon(n, GL_QUAD_STRIP, x, y, m_color);
	if (m_nbChildren > 0)
		typesetLine(s, m_child[0], m_width);
	s->popPos();
	return 0;
}
