#include "typeset/typeset.h"

#include <GL/gl.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "draw/colors.h"
#include "typeset/fontparse.h"
#include "typeset/openglfont.h"
#include "typeset/typesetline.h"

namespace {

// The colours every typesetter starts with, in this order, so that
// "black" is colour 6.
const char *const c_defaultColors[] = {"red", "green", "blue", "magenta", "yellow",
                                       "cyan", "black", "white", "grey", "gray"};

// A copy of nb vertices moved by (dx, dy) as (x, y) pairs; null (reported
// for who) when it cannot be allocated.
double *copyVertices(int nb, const double *x, const double *y, double dx, double dy, const char *who)
{
	size_t bytes = (size_t)nb * 2 * sizeof(double);
	double *xy = bytes <= (size_t)INT_MAX ? static_cast<double *>(malloc(bytes)) : nullptr;
	if (!xy) {
		printf("typesetState::%s(): memory allocation failure for '%d' bytes\n", who,
		       (int)(bytes <= (size_t)INT_MAX ? bytes : (size_t)INT_MAX));
		return nullptr;
	}
	for (int i = 0; i < nb; i++) {
		xy[2 * i] = x[i] + dx;
		xy[2 * i + 1] = y[i] + dy;
	}
	return xy;
}

bool isEmptyText(const char *text) { return !text || !*text; }

} // namespace

typesetState::typesetState()
{
	initToNothing();
	m_width = m_height = 0.0;
	m_fontDescent = 0.25;
	m_initialMode = TS_MODE_TEXT;
	m_initialFont = TS_FONT_REGULAR;
	m_initialAlign = TS_ALIGN_LEFT;
	m_initialSize = 12.0;
	for (const char *name : c_defaultColors) {
		float c[4] = {0.0f, 0.0f, 0.0f, 1.0f};
		::getColor(name, c);
		setColor(name, c[0], c[1], c[2]);
	}
	m_initialColor = getColor("black");
	reset();
}

typesetState::~typesetState()
{
	reset();
	clearCommands();
	clearColors();
	initToNothing();
}

void typesetState::initToNothing()
{
	m_width = m_height = -1.0;
	m_fontDescent = -1.0;
	m_initialFont = m_initialAlign = m_initialMode = -1;
	m_initialSize = -1.0;
	m_initialColor = -1;
	m_alpha = 1.0f;
	m_expandedNodes = 0;
	m_boxNesting = 0;
}

int typesetState::setInitialMode(int mode)
{
	if (mode != TS_MODE_TEXT && mode != TS_MODE_EQUATION)
		return -1;
	m_initialMode = mode;
	return 0;
}

int typesetState::setInitialMode(const char *mode)
{
	if (!mode)
		return -1;
	if (mode[0] == 't' || mode[0] == 'T')
		return setInitialMode(TS_MODE_TEXT);
	if (mode[0] == 'e' || mode[0] == 'E')
		return setInitialMode(TS_MODE_EQUATION);
	return -1;
}

int typesetState::setInitialFont(int font)
{
	if (font < TS_FONT_REGULAR || font > TS_FONT_EQUATION)
		return -1;
	m_initialFont = font;
	return 0;
}

int typesetState::setInitialFont(const char *font)
{
	if (!font)
		return -1;
	switch (font[0]) {
	case 'r':
	case 'R': return setInitialFont(TS_FONT_REGULAR);
	case 'b':
	case 'B': return setInitialFont(TS_FONT_BOLD);
	case 'i':
	case 'I': return setInitialFont(TS_FONT_ITALIC);
	case 'g':
	case 'G': return setInitialFont(TS_FONT_GREEK);
	default: printf("typesetState::setInitialFont(): unknown font '%s'\n", font); return -1;
	}
}

int typesetState::setInitialAlign(int align)
{
	if (align < TS_ALIGN_LEFT || align > TS_ALIGN_JUSTIFY)
		return -1;
	m_initialAlign = align;
	return 0;
}

int typesetState::setInitialSize(double size)
{
	// Sizes scale every position: a negative or endless one has no layout.
	if (!std::isfinite(size) || size < 0.0)
		return -1;
	m_initialSize = size;
	return 0;
}

int typesetState::setInitialColor(int idx)
{
	if (idx < 0 || idx >= m_colorList.m_nb)
		return -1;
	m_initialColor = idx;
	return 0;
}

int typesetState::setAlpha(float alpha)
{
	m_alpha = alpha;
	return 0;
}

int typesetState::pushPos(double x, double y)
{
	if (m_posXStack.push(x) < 0)
		return -1;
	if (m_posYStack.push(y) < 0) {
		m_posXStack.pop();
		return -1;
	}
	return 0;
}

double typesetState::addChar(int c, double x, double y, int color)
{
	double s = size();
	if (m_tsChar.add(tsCharData_s{c, x + posX(), y + posY(), s, color}) < 0)
		return -1.0;
	return s * oglfCharWidth(c);
}

int typesetState::addLine(int nb, int type, const double *x, const double *y, float width, int color)
{
	if (nb < 2)
		return 0;
	double *xy = copyVertices(nb, x, y, posX(), posY(), "addLine");
	if (!xy)
		return -1;
	if (m_tsLine.add(tsLineData_s{nb, xy, width, type, color}) < 0) {
		free(xy);
		return -1;
	}
	return 0;
}

int typesetState::addPolygon(int nb, int type, const double *x, const double *y, int color)
{
	if (nb < 3)
		return 0;
	double *xy = copyVertices(nb, x, y, posX(), posY(), "addPolygon");
	if (!xy)
		return -1;
	if (m_tsPolygon.add(tsPolygonData_s{nb, xy, type, color}) < 0) {
		free(xy);
		return -1;
	}
	return 0;
}

int typesetState::getColor(const char *name) const
{
	if (!name)
		return -1;
	for (int i = 0; i < m_colorList.m_nb; i++)
		if (strcmp(m_colorList.m_item[i].name, name) == 0)
			return i;
	return -1;
}

int typesetState::setColor(const char *name, float r, float g, float b)
{
	int idx = getColor(name);
	if (idx >= 0) {
		tsColorData_s &c = m_colorList.m_item[idx];
		c.r = r;
		c.g = g;
		c.b = b;
		return 0;
	}
	char *copy = name ? strdup(name) : nullptr;
	if (!copy)
		return -1;
	if (m_colorList.add(tsColorData_s{r, g, b, copy}) < 0) {
		free(copy);
		return -1;
	}
	return 0;
}

void typesetState::clearColors()
{
	for (int i = 0; i < m_colorList.m_nb; i++)
		free(m_colorList.m_item[i].name);
	m_colorList.clear();
}

fpNode_s *typesetState::getCommand(const char *name) const
{
	if (!name)
		return nullptr;
	for (int i = 0; i < m_command.m_nb; i++)
		if (strcmp(m_command.m_item[i]->str, name) == 0)
			return m_command.m_item[i];
	return nullptr;
}

int typesetState::setCommand(const char *name, fpNode_s *tree)
{
	if (!tree || tree->str || !name)
		return -1;
	if (!(tree->str = strdup(name)))
		return -1;
	for (int i = 0; i < m_command.m_nb; i++)
		if (strcmp(m_command.m_item[i]->str, name) == 0) {
			fpNodeFree(m_command.m_item[i]);
			m_command.set(i, tree);
			return 0;
		}
	if (m_command.add(tree) < 0) {
		free(tree->str);
		tree->str = nullptr;
		return -1;
	}
	return 0;
}

void typesetState::clearCommands()
{
	for (int i = 0; i < m_command.m_nb; i++)
		fpNodeFree(m_command.m_item[i]);
	m_command.clear();
}

tsVBox *typesetState::build(const char *text, fpNode_s **tree)
{
	reset();
	*tree = fontParse(text, m_initialMode == TS_MODE_EQUATION ? "e" : "t");
	if (!*tree) {
		printf("typesetState::typeset(): could not parse string.\n");
		return nullptr;
	}
	m_expandedNodes = 0;
	m_boxNesting = 0;
	tsVBox *box = new tsVBox(this);
	// A line that fails ends the text there; the lines before it stand.
	box->setup(this, *tree);
	return box;
}

int typesetState::typeset(const char *text, double maxWidth)
{
	// An empty text has nothing to lay out (the parser would reject it).
	if (isEmptyText(text)) {
		reset();
		m_width = m_height = 0.0;
		return 0;
	}
	fpNode_s *tree = nullptr;
	tsVBox *box = build(text, &tree);
	if (!box)
		return -1;
	reset();
	// The top of the text at y = 0.
	pushTrans(0.0, -box->m_ascent);
	// An endless width is no limit.
	box->typeset(this, std::isfinite(maxWidth) ? maxWidth : -1.0);
	popPos();
	fpNodeFree(tree);
	m_width = box->m_width;
	m_height = box->m_ascent - box->m_descent;
	delete box;
	return 0;
}

int typesetState::parse(const char *text)
{
	if (isEmptyText(text)) {
		reset();
		return 0;
	}
	fpNode_s *tree = nullptr;
	tsVBox *box = build(text, &tree);
	if (!box)
		return -1;
	delete box;
	fpNodeFree(tree);
	reset();
	return 0;
}

void typesetState::setGLColor(int idx) const
{
	// A colour cleared since the record was made leaves the colour as it is.
	if (idx < 0 || idx >= m_colorList.m_nb)
		return;
	const tsColorData_s &c = m_colorList.m_item[idx];
	glColor4f(c.r, c.g, c.b, m_alpha);
}

int typesetState::GLdraw()
{
	// Glyph cells reach a quarter of their height below the baseline.
	oglfPrintCharRawBegin();
	for (int i = 0; i < m_tsChar.m_nb; i++) {
		const tsCharData_s &g = m_tsChar.m_item[i];
		setGLColor(g.color);
		oglfPrintCharRaw(g.c, (float)g.x, (float)(g.y - m_fontDescent * g.size), (float)g.size);
	}
	oglfPrintCharRawEnd();

	for (int i = 0; i < m_tsLine.m_nb; i++) {
		const tsLineData_s &l = m_tsLine.m_item[i];
		setGLColor(l.color);
		if (i == 0 || l.width != m_tsLine.m_item[i - 1].width)
			glLineWidth(l.width);
		glBegin((GLenum)l.type);
		for (int k = 0; k < l.nbVertices; k++)
			glVertex2d(l.xy[2 * k], l.xy[2 * k + 1]);
		glEnd();
	}

	glDisable(GL_CULL_FACE);
	for (int i = 0; i < m_tsPolygon.m_nb; i++) {
		const tsPolygonData_s &p = m_tsPolygon.m_item[i];
		setGLColor(p.color);
		glBegin((GLenum)p.type);
		for (int k = 0; k < p.nbVertices; k++)
			glVertex2d(p.xy[2 * k], p.xy[2 * k + 1]);
		glEnd();
	}
	return 0;
}

void typesetState::clearDraw()
{
	for (int i = 0; i < m_tsLine.m_nb; i++)
		free(m_tsLine.m_item[i].xy);
	for (int i = 0; i < m_tsPolygon.m_nb; i++)
		free(m_tsPolygon.m_item[i].xy);
	m_tsChar.clear();
	m_tsLine.clear();
	m_tsPolygon.clear();
}

void typesetState::reset()
{
	m_fontStack.clear();
	m_modeStack.clear();
	m_alignStack.clear();
	m_colorStack.clear();
	m_sizeStack.clear();
	m_posXStack.clear();
	m_posYStack.clear();
	clearDraw();
	pushFont(m_initialFont);
	pushMode(m_initialMode);
	pushAlign(m_initialAlign);
	pushSize(m_initialSize);
	pushColor(m_initialColor);
	pushPos(0.0, 0.0);
}
