// Messages of the markup parser, each followed by an excerpt of the input
// that shows where the problem lies.
#include <algorithm>
#include <cstdio>
#include <new>

#include "typeset/fontparse.h"
#include "typeset/fontscan.h"

namespace {

// The line (from 1) of input position n and the position where that line
// begins: from the table of line starts, made on the first call for a text,
// or by counting when there is no memory for the table.
void lineOf(int n, int &line, int &lineStart)
{
	fontParseState_s &s = g_fontParse;
	const char *text = s.buf ? s.buf : "";
	int len = s.buf ? s.len : 0;
	n = std::min(n, len);
	if (!s.lineStartsKnown) {
		try {
			for (int i = 0; i < len; i++)
				if (text[i] == '\n')
					s.lineStarts.push_back(i + 1);
			s.lineStartsKnown = true;
		} catch (const std::bad_alloc &) {
			s.lineStarts.clear();
		}
	}
	line = 1;
	lineStart = 0;
	if (!s.lineStartsKnown) {
		for (int i = 0; i < n; i++)
			if (text[i] == '\n') {
				line++;
				lineStart = i + 1;
			}
		return;
	}
	// the lines that begin at or before n
	auto after = std::upper_bound(s.lineStarts.begin(), s.lineStarts.end(), n);
	line += (int)(after - s.lineStarts.begin());
	if (after != s.lineStarts.begin())
		lineStart = *(after - 1);
}

} // namespace

void fontParsePrintInput(int idx, int before, int after)
{
	const fontParseState_s &s = g_fontParse;
	const char *text = s.buf ? s.buf : "";
	int len = s.buf ? s.len : 0;
	int total = len + sc_fontParseMarkerLength;
	// Line and column of idx, counted from 1.
	int line, lineStart;
	lineOf(idx, line, lineStart);
	int column = (idx <= 0 || len == 0) ? 1 : idx - lineStart + 1;
	printf("line %d, column %d\n", line, column);
	if (idx < 0 || idx > total) {
		printf("fontParsePrintInput(): error: input idx '%d' out of input range (max = %d)!\n", idx, total);
		return;
	}
	bool dots = idx > 0;
	if (dots)
		printf("...");
	// From at most `before` characters back, never beyond the line start,
	// to `after` characters on, the line end or the end of the text.
	int n = std::min(std::max(before, 0), column - 1);
	for (int i = idx - n; i < idx + std::max(after, 0) && i < len && text[i] != '\n'; i++) {
		unsigned char c = (unsigned char)text[i];
		putchar(c < 32 || c > 126 ? ' ' : c);
	}
	printf("...\n");
	printf("%*s\n", n + 1 + (dots ? 3 : 0), "^");
}

void fontParseReportError(const char *msg)
{
	printf("Generic error: %s, approximately here:\n", msg);
	fontParsePrintInput(g_fontParse.scanPos);
}

void fontParseReportWarning(const char *msg, int idx)
{
	printf("%s\n", msg);
	fontParsePrintInput(idx);
}
