#pragma once
// The boxes of text: runs of glyphs, numbers, white space, and a base box
// with its subscript and superscript.
#include "typeset/typesetbox.h"

class tsHBox;

// A run of glyphs.
class tsWordBox : public typesetBox {
public:
	// The characters of text, converted in the current font.
	tsWordBox(typesetState *s, const char *text, int length);
	// One glyph code, unchanged.
	tsWordBox(typesetState *s, int code);
	~tsWordBox() override;

	double stretch() override { return 0.2 * m_width; }
	int typeset(typesetState *s) override;

	// The glyph code of character c in font, or 0 (no glyph) for a
	// character beyond the 256 of a font.
	static int convertChr(int font, int c);
	// The glyph codes of the characters of text, 0-terminated; codes must
	// have room for length + 1.
	static void convertStr(int font, const char *text, int length, int *codes);
	// The glyph of a Greek letter's name ("alpha", "Gamma"), or -1.
	static int lookupGreekSymbol(const char *name);
	// The glyph of a special symbol's name ("gp", "infty"), or -1.
	static int lookupSpecialSymbol(const char *name);

	int *m_fontStr; // 0-terminated glyph codes, owned

private:
	void measure(typesetState *s);
};

// A number, its exponent raised and smaller.
class tsNumberBox : public typesetBox {
public:
	tsNumberBox(typesetState *s, const char *text);
	double stretch() override { return 0.0001; }
	int typeset(typesetState *s) override { return typesetChildren(s); }
};

// Horizontal space; forced space stays at the end of a line.
class tsWhiteSpaceBox : public typesetBox {
public:
	tsWhiteSpaceBox(typesetState *s, double width, int forced);
	// Space with the attributes of like.
	tsWhiteSpaceBox(const typesetBox &like, double width, int forced);
	double stretch() override { return 0.8 * m_width; }
	int typeset(typesetState *) override { return 0; }

	int m_forced;
};

// A base box (child 0) with a subscript and a superscript line.
class tsScriptBox : public typesetBox {
public:
	// Takes base as its child.
	tsScriptBox(typesetState *s, typesetBox *base);

	// Builds the content of a script node as the subscript or superscript;
	// 0 (also when the script is ignored, reported), or -1 when its content
	// cannot be built.
	int addScript(typesetState *s, fpNode_s *script, int superscript);

	double stretch() override { return 0.00001; }
	int typeset(typesetState *s) override;

	int m_subscript, m_superscript; // 1 when present

private:
	void measure();
	// The natural width: the rightmost edge of base and scripts.
	double contentWidth() const;
};
