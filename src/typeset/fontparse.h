#pragma once
// The label markup parser: turns a markup text into a parse tree.
#include "typeset/fpnode.h"

// Deepest brace nesting a text may have.  Labels nest a handful of levels;
// the limit keeps the parser's stack and every recursive walk over the
// tree, in the scanner and in the box layout, far from their bounds.
constexpr int sc_fontParseMaxBraceDepth = 200;

// Parses text in mode "t" (text) or "e" (equation); the tree, owned by the
// caller, or null when the text does not parse (reported on standard
// output).
fpNode_s *fontParse(const char *text, const char *mode);

// Sets the lexical mode ("t"/"T" text, "e"/"E" equation, anything else text
// with a warning) and forgets open braces and mode switches; 0, or -1 when
// the mode was not recognised.
int fontParseReset(const char *mode);

// Loads the len characters at text as the input and starts the scanner on
// them in the current mode; 0, or -1 when the buffer cannot be allocated.
int fontParseSetInputBuf(const char *text, int len);

// Prints the line and column of input position idx and an excerpt of the
// input around it with a caret under idx.
void fontParsePrintInput(int idx, int before = 16, int after = 16);
