#pragma once
// What the markup scanner, the markup parser and their driver share.  One
// parse runs at a time: the state is module-wide, and the input stays in
// its buffer after the parse so that later messages can quote it.
#include <cstddef>
#include <vector>

#include "typeset/fpnode.h"
#include "typeset/liststack.h"

// The two lexical modes.
enum { FP_MODE_TEXT = 0, FP_MODE_EQUATION = 1 };

// Semantic value of a token or rule: an int (width, character, number,
// brace depth) or a text or a node, and the input position it stems from.
struct fpValue_s {
	int i;
	char *str;
	fpNode_s *node;
	int idx;
};

struct fontParseState_s {
	char *buf;          // the text followed by the end marker "\eof"
	int len;            // length of the text without the marker
	size_t bufSize;     // bytes allocated at buf
	int readPos;        // characters handed to the scanner so far
	int scanPos;        // input position just after the last token scanned
	int tokenIdx;       // input position of the last token scanned
	int mode;           // FP_MODE_TEXT or FP_MODE_EQUATION
	int braceDepth;     // braces open at the read position
	tsStack<int> modeStack; // brace depth at each mode switch still in force
	fpNode_s *result;   // the tree of the last successful parse
	bool memoryFailed;  // an allocation failed in this parse (already reported)
	// Everything the current parse allocated, so that a failed parse can
	// free what the parser's stack still holds.
	std::vector<fpNode_s *> nodes;
	std::vector<char *> strings;
	// Where each line of the text after the first begins, found once a text
	// when a message first quotes it: a long text with many messages then
	// costs one pass, not one a message.
	std::vector<int> lineStarts;
	bool lineStartsKnown = false;

	// Frees the buffer and what scanning without parsing left behind.
	~fontParseState_s();
};
extern fontParseState_s g_fontParse;

// Length of the end marker that follows the text in the buffer.
constexpr int sc_fontParseMarkerLength = 4;

// Hands the scanner up to maxSize characters of the text; the count.
int fontScanRead(char *to, int maxSize);
// Restarts the scanner at the start of the buffer (scanner side).
void fontScanRestart();

// The generated scanner and parser.
int fontParselex();
int fontParseParse();
extern fpValue_s fontParselval;

// A copy of text owned by the current parse, or null (reported) on failure.
char *fontParseNewString(const char *text);
// A node owned by the current parse, or null (reported) on failure.
fpNode_s *fontParseNewNode(int type, int nbChildren, int inputIdx);

// "Generic error: <msg>, approximately here:" and the excerpt at the
// scanner's read position.
void fontParseReportError(const char *msg);
// The message and the excerpt at input position idx.
void fontParseReportWarning(const char *msg, int idx);
