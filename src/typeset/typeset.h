#pragma once
// The typesetter: lays a markup text out through the box layout into three
// output lists (glyphs, lines, polygons), measures the result and draws the
// lists with OpenGL.  Between layouts it keeps what texts may define for
// later texts: named colours and user commands.  While boxes are built and
// laid out it holds the attribute stacks they push and pop.
//
// Sizes are in the units of the glyph size (a label's font size in pixels);
// y points up, and a layout has the top of its text at y = 0.
#include "typeset/fpnode.h"
#include "typeset/liststack.h"

// Fonts: the four of the texture font, and the letters of equations
// (italic letters, everything else regular).
enum { TS_FONT_REGULAR = 0, TS_FONT_BOLD = 1, TS_FONT_ITALIC = 2, TS_FONT_GREEK = 3, TS_FONT_EQUATION = 4 };
enum { TS_MODE_TEXT = 0, TS_MODE_EQUATION = 1 };
enum { TS_ALIGN_LEFT = 0, TS_ALIGN_RIGHT = 1, TS_ALIGN_CENTER = 2, TS_ALIGN_JUSTIFY = 3 };

// One glyph: its code, its baseline position, its height and colour index.
struct tsCharData_s {
	int c;
	double x;
	double y;
	double size;
	int color;
};

// A line of nbVertices (x, y) pairs drawn as one primitive of type.
struct tsLineData_s {
	int nbVertices;
	double *xy; // owned
	float width;
	int type;
	int color;
};

struct tsPolygonData_s {
	int nbVertices;
	double *xy; // owned
	int type;
	int color;
};

struct tsColorData_s {
	float r, g, b;
	char *name; // owned
};

class typesetState {
public:
	typesetState();
	~typesetState();
	typesetState(const typesetState &) = delete;
	typesetState &operator=(const typesetState &) = delete;

	void initToNothing();

	// Attributes at the start of a layout; 0, or -1 (nothing changed) for a
	// value outside its codes.  The names are read by their first letter:
	// t/e for the mode, r/b/i/g for the font.
	int setInitialMode(int mode);
	int setInitialMode(const char *mode);
	int setInitialFont(int font);
	int setInitialFont(const char *font);
	int setInitialAlign(int align);
	int setInitialSize(double size);
	int setInitialColor(int idx);
	int setAlpha(float alpha);

	// The current attributes: the tops of the stacks, -1 when empty.
	int font() const { return m_fontStack.top(); }
	int mode() const { return m_modeStack.top(); }
	int align() const { return m_alignStack.top(); }
	int color() const { return m_colorStack.top(); }
	double size() const { return m_sizeStack.top(); }
	double posX() const { return m_posXStack.top(); }
	double posY() const { return m_posYStack.top(); }
	void pos(double &x, double &y) const
	{
		x = posX();
		y = posY();
	}
	int pushFont(int f) { return m_fontStack.push(f); }
	int pushMode(int m) { return m_modeStack.push(m); }
	int pushAlign(int a) { return m_alignStack.push(a); }
	int pushColor(int c) { return m_colorStack.push(c); }
	int pushSize(double s) { return m_sizeStack.push(s); }
	int pushPos(double x, double y);
	// Moves the origin by (dx, dy) from the current one.
	int pushTrans(double dx, double dy) { return pushPos(posX() + dx, posY() + dy); }
	int popFont() { return m_fontStack.pop(); }
	int popMode() { return m_modeStack.pop(); }
	int popAlign() { return m_alignStack.pop(); }
	int popColor() { return m_colorStack.pop(); }
	double popSize() { return m_sizeStack.pop(); }
	void popPos()
	{
		m_posXStack.pop();
		m_posYStack.pop();
	}

	// Appends a glyph at (x, y) from the current origin, at the current
	// size; its advance, or -1 when the list cannot grow.
	double addChar(int c, double x, double y, int color);
	// Append a copy of nb vertices, moved to the current origin; nothing
	// (and 0) for fewer than 2 (lines) or 3 (polygons).  0 or -1.
	int addLine(int nb, int type, const double *x, const double *y, float width, int color);
	int addPolygon(int nb, int type, const double *x, const double *y, int color);

	// The index of the first colour of that name (exact), or -1.
	int getColor(const char *name) const;
	// Redefines the colour of that name in place, or appends it; 0 or -1.
	int setColor(const char *name, float r, float g, float b);
	void clearColors();

	// The stored user command of that name, or null.
	fpNode_s *getCommand(const char *name) const;
	// Stores tree (whose str must be unset) as the command name, replacing
	// and freeing an earlier one of that name; the typesetter owns it from
	// then on.  0, or -1 when the tree cannot be stored (the caller keeps it).
	int setCommand(const char *name, fpNode_s *tree);
	void clearCommands();

	// Lays text out with lines broken at maxWidth (no limit when it is not
	// above 0) into the output lists and sets m_width and m_height; 0, or -1
	// when the text does not parse.
	int typeset(const char *text, double maxWidth);
	// Reads text only for its command and colour definitions; 0 or -1.
	int parse(const char *text);

	// Draws the output lists with the current texture font; 0.
	int GLdraw();
	// Frees the vertex arrays and empties the output lists.
	void clearDraw();
	// Empties stacks and output lists, then pushes the initial attributes
	// and the origin (0, 0).
	void reset();

	double m_width, m_height;  // size of the last layout
	double m_fontDescent;      // glyph part below the baseline, in glyph heights
	tsItemList<fpNode_s *> m_command;
	tsStack<int> m_fontStack, m_modeStack, m_alignStack, m_colorStack;
	tsStack<double> m_sizeStack, m_posXStack, m_posYStack;
	tsItemList<tsCharData_s> m_tsChar;
	tsItemList<tsLineData_s> m_tsLine;
	tsItemList<tsPolygonData_s> m_tsPolygon;
	tsItemList<tsColorData_s> m_colorList;
	int m_initialFont, m_initialAlign, m_initialMode;
	double m_initialSize;
	int m_initialColor;
	float m_alpha;

	// What building the boxes of one text has spent: parse-tree nodes made
	// by expanding user commands, and the depth of nested content lines.
	// Both are bounded so that commands calling each other end.
	int m_expandedNodes;
	int m_boxNesting;

private:
	// Builds the boxes of text into a new vertical box (reset first); null
	// when the text does not parse, with *tree its parse tree to free.
	class tsVBox *build(const char *text, fpNode_s **tree);
	void setGLColor(int idx) const;
};
