// Driving the markup scanner and parser: the input buffer, the lexical
// mode, and the ownership of what a parse allocates.
#include "typeset/fontparse.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "typeset/fontscan.h"

fontParseState_s g_fontParse;

namespace {

// Most characters handed to the scanner at a time.
constexpr int sc_fontParseReadBlock = 8192;

// Frees everything the current parse allocated: the parser's stack may
// still hold nodes and texts that no tree owns.  A node's text is among
// the texts, so nodes are freed without theirs.
void discardParseAllocations()
{
	fontParseState_s &s = g_fontParse;
	for (fpNode_s *n : s.nodes) {
		free(n->child);
		free(n);
	}
	for (char *str : s.strings)
		free(str);
	s.nodes.clear();
	s.strings.clear();
}

void reportMemoryExhausted()
{
	if (!g_fontParse.memoryFailed)
		fontParseReportError("yyparse: memory exhausted");
	g_fontParse.memoryFailed = true;
}

} // namespace

fontParseState_s::~fontParseState_s()
{
	discardParseAllocations();
	free(buf);
	buf = nullptr;
	bufSize = 0;
	len = 0;
}

int fontScanRead(char *to, int maxSize)
{
	fontParseState_s &s = g_fontParse;
	int n = std::min({maxSize, sc_fontParseReadBlock, s.len - s.readPos});
	if (n <= 0)
		return 0;
	memcpy(to, s.buf + s.readPos, (size_t)n);
	s.readPos += n;
	return n;
}

char *fontParseNewString(const char *text)
{
	char *copy = strdup(text);
	if (copy) {
		try {
			g_fontParse.strings.push_back(copy);
			return copy;
		} catch (const std::bad_alloc &) {
			free(copy);
		}
	}
	reportMemoryExhausted();
	return nullptr;
}

fpNode_s *fontParseNewNode(int type, int nbChildren, int inputIdx)
{
	fpNode_s *node = fpNodeAlloc(type, nbChildren);
	if (node) {
		try {
			g_fontParse.nodes.push_back(node);
			node->inputIdx = inputIdx;
			return node;
		} catch (const std::bad_alloc &) {
			fpNodeFree(node);
		}
	}
	reportMemoryExhausted();
	return nullptr;
}

int fontParseReset(const char *mode)
{
	fontParseState_s &s = g_fontParse;
	int result = 0;
	if (mode && (mode[0] == 't' || mode[0] == 'T'))
		s.mode = FP_MODE_TEXT;
	else if (mode && (mode[0] == 'e' || mode[0] == 'E'))
		s.mode = FP_MODE_EQUATION;
	else {
		printf("fontParseReset(): warning: invalid parse mode '%s', assuming mode 'text'.\n", mode ? mode : "");
		s.mode = FP_MODE_TEXT;
		result = -1;
	}
	s.braceDepth = 0;
	s.modeStack.clear();
	return result;
}

int fontParseSetInputBuf(const char *text, int len)
{
	fontParseState_s &s = g_fontParse;
	if (len < 0 || (!text && len > 0))
		return -1;
	// The text, the end marker and a closing NUL.
	size_t need = (size_t)len + sc_fontParseMarkerLength + 1;
	if (need > s.bufSize) {
		char *grown = need <= (size_t)INT_MAX ? static_cast<char *>(realloc(s.buf, need)) : nullptr;
		if (!grown) {
			printf("fontParseSetInputBuf(): memory allocation error for %d bytes.\n",
			       (int)std::min(need, (size_t)INT_MAX));
			return -1;
		}
		s.buf = grown;
		s.bufSize = need;
	}
	if (len > 0)
		memcpy(s.buf, text, (size_t)len);
	memcpy(s.buf + len, "\\eof", sc_fontParseMarkerLength + 1);
	s.len = len;
	s.readPos = s.scanPos = s.tokenIdx = 0;
	s.lineStarts.clear();
	s.lineStartsKnown = false;
	fontScanRestart();
	return 0;
}

fpNode_s *fontParse(const char *text, const char *mode)
{
	fontParseState_s &s = g_fontParse;
	// Texts left by scanning without parsing belong to no one.
	discardParseAllocations();
	s.result = nullptr;
	s.memoryFailed = false;
	fontParseReset(mode);
	if (!text)
		text = "";
	size_t len = strlen(text);
	if (len > (size_t)INT_MAX || fontParseSetInputBuf(text, (int)len) < 0) {
		printf("fontParse(): error '%d'\n", -1);
		return nullptr;
	}
	int result = fontParseParse();
	if (result != 0 || !s.result) {
		discardParseAllocations();
		s.result = nullptr;
		printf("fontParse(): error '%d'\n", result);
		return nullptr;
	}
	// Every node and text of a finished parse belongs to the tree.
	s.nodes.clear();
	s.strings.clear();
	fpNode_s *tree = s.result;
	s.result = nullptr;
	return tree;
}
