// The lexical side of the line format: arguments put in for "$N", strings
// (quoted or not), and the flag words of objects and labels.
#include <cstdlib>
#include <cstring>
#include <string>
#include <strings.h>

#include "files/gafile.h"
#include "scene/labelflags.h"
#include "scene/object.h"
#include "os/osdep.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Characters below this are blanks of the line format.
bool isBlank(char c) { return (unsigned char)c < 33; }

// Splits text into at most GAfile::sc_maxFlagWords blank-separated words.
int splitWords(const char *text, std::string (&words)[GAfile::sc_maxFlagWords])
{
	int n = 0;
	for (size_t i = 0; text != nullptr && text[i] != '\0' && n < GAfile::sc_maxFlagWords;) {
		while (text[i] != '\0' && isBlank(text[i])) i++;
		size_t start = i;
		while (text[i] != '\0' && !isBlank(text[i])) i++;
		if (i > start) words[n++].assign(text + start, i - start);
	}
	return n;
}

struct flagWord {
	const char *word;
	int drawMode;
	int creationFlags;
};

// The object flag words; "grade0".."grade8" and "dm1".."dm7" are read apart.
const flagWord c_flagWords[] = {
	{"hide", DM_HIDE, 0},
	{"show", 0, 0},
	{"stipple", DM_STIPPLE, 0},
	{"orientation", DM_ORI, 0},
	{"wireframe", DM_WIREFRAME, 0},
	{"magnitude", DM_MAGNITUDE, 0},
	{"shade", DM_SHADE, 0},
	{"outline", DM_OUTLINE, 0},
	{"versor", 0, OC_VERSOR},
	{"blade", 0, OC_BLADE},
	{"dynamic", 0, OC_DYNAMIC},
	{"compute_normals_flat", 0, OC_COMPUTE_NORMALS_FLAT},
	{"compute_normals_gouraud", 0, OC_COMPUTE_NORMALS_GOURAUD},
	{"specify_normals", 0, OC_SPECIFY_NORMALS},
};

// The first flag word of an algebra object's line may be this one, on top of
// the words that count: the object comes back as it was saved
// (state::addObject). The lines of other objects do not know it.
constexpr const char *sc_restoreWord = "restore";

// The highest grade and draw method a flag word names.
constexpr int sc_maxGradeWord = 8;
constexpr int sc_maxDrawMethodWord = 7;

// N when word is prefix followed by one digit from 0 (or 1) to max; else -1.
int numberedWord(const std::string &word, const char *prefix, int min, int max)
{
	size_t n = std::strlen(prefix);
	if (word.size() != n + 1 || strncasecmp(word.c_str(), prefix, n) != 0 || !isDigit(word[n])) return -1;
	int N = word[n] - '0';
	return N >= min && N <= max ? N : -1;
}

struct labelFlagWord {
	const char *word;
	int flag;
};

const labelFlagWord c_labelFlagWords[] = {
	{"2d", LF_2D}, {"3d", LF_3D}, {"cx", LF_CX}, {"cy", LF_CY}, {"px", LF_PX}, {"py", LF_PY},
	{"nx", LF_NX}, {"ny", LF_NY}, {"acx", LF_ACX}, {"dynamic", LF_DYNAMIC}, {"image", LF_IMAGE},
	{"fullscreen", LF_FULLSCREEN},
};

// A label flag word may carry this prefix.
constexpr const char *sc_labelFlagPrefix = "flag_";
// A label width word begins so (lower case, no prefix).
constexpr const char *sc_widthPrefix = "width=";

// The text of a quoted string that starts at pos, right after its opening
// quote, appended to out when given; the position after its closing quote,
// or -1 when the line ends first.
int quotedTextEnd(const char *line, int pos, std::string *out, GAfile::quoting q = GAfile::quoting::format)
{
	for (;;) {
		if (line[pos] == '\0') return -1;
		if (line[pos] == '"') return pos + 1;
		// the console's way: a backslash right before a quote escapes it
		if (q == GAfile::quoting::console) {
			const bool escape = line[pos] == '\\' && line[pos + 1] == '"';
			if (out != nullptr) out->push_back(line[pos + (escape ? 1 : 0)]);
			pos += escape ? 2 : 1;
			continue;
		}
		if (line[pos] != '\\') {
			if (out != nullptr) out->push_back(line[pos]);
			pos++;
			continue;
		}
		// a run of backslashes is itself unless a double quote follows it
		int n = 0;
		while (line[pos + n] == '\\') n++;
		const bool beforeQuote = line[pos + n] == '"';
		if (out != nullptr) out->append(beforeQuote ? n / 2 : n, '\\');
		pos += n;
		// an odd run escapes the quote, which then belongs to the text
		if (beforeQuote && n % 2 == 1) {
			if (out != nullptr) out->push_back('"');
			pos++;
		}
	}
}

// Whether the text read so far, one character at a time, ends inside a
// quoted string: escaped quotes are inside a text and do not end it.
struct quoteParity {
	explicit quoteParity(GAfile::quoting q) : console(q == GAfile::quoting::console) {}

	bool console;
	bool inString = false;
	// inside a string: an odd run of backslashes just before (the
	// console's way: any backslash just before)
	bool oddBackslashes = false;

	void feed(char c)
	{
		if (!inString) {
			inString = c == '"';
			oddBackslashes = false;
			return;
		}
		if (c == '\\') {
			oddBackslashes = console || !oddBackslashes;
			return;
		}
		// an odd run of backslashes makes the quote part of the text
		if (c == '"' && !oddBackslashes) inString = false;
		oddBackslashes = false;
	}
};

} // namespace

std::string GAfile::quoted(const std::string &text)
{
	std::string q = "\"";
	size_t backslashes = 0;
	for (char c : text) {
		// the backslashes before a quote are doubled and the quote escaped
		if (c == '"') q.append(backslashes + 1, '\\');
		backslashes = c == '\\' ? backslashes + 1 : 0;
		q.push_back(c);
	}
	// so are those before the closing quote
	q.append(backslashes, '\\');
	q.push_back('"');
	return q;
}

void GAfile::writeColor(FILE *F, const char *keyword, const float *rgba)
{
	std::fprintf(F, "%s %f %f %f %f\n", keyword, rgba[0], rgba[1], rgba[2], rgba[3]);
}

int GAfile::commentStart(const char *line, quoting q)
{
	// read from the left as the line's texts are read: a "#" outside any
	// text begins the comment, and so does the first "#" of a text that the
	// line leaves open, which is no text
	quoteParity parity(q);
	int firstInText = -1;
	for (int i = 0; line[i] != '\0'; i++) {
		if (line[i] == '#') {
			if (!parity.inString) return i;
			if (firstInText < 0) firstInText = i;
		}
		const bool wasInString = parity.inString;
		parity.feed(line[i]);
		if (parity.inString && !wasInString) firstInText = -1;
	}
	return parity.inString ? firstInText : -1;
}

int GAfile::substituteArguments(state *)
{
	// most lines name no argument
	if (m_bufLen < 2 || std::memchr(m_buf, '$', (size_t)m_bufLen) == nullptr) return 0;
	const size_t n = (size_t)m_bufLen;
	std::string out;
	out.reserve(n);
	quoteParity quotes(m_quoting);
	auto put = [&](char c) {
		out.push_back(c);
		quotes.feed(c);
	};
	for (size_t i = 0; i < n;) {
		if (m_buf[i] != '$' || i + 1 >= n || !isDigit(m_buf[i + 1])) {
			put(m_buf[i++]);
			continue;
		}
		// an escaped "$": the backslash, the last character put, goes; the
		// "$" and its digits stay
		if (i > 0 && m_buf[i - 1] == '\\') {
			out.pop_back();
			put(m_buf[i++]);
			continue;
		}
		// the argument number; more digits than an int holds name no argument
		size_t end = i + 1;
		long long N = 0;
		while (end < n && end - (i + 1) < (size_t)sc_maxArgDigits && isDigit(m_buf[end])) N = N * 10 + (m_buf[end++] - '0');
		if (N < 1 || N > m_nbArg || m_arg[N - 1] == nullptr) {
			put(m_buf[i++]);
			continue;
		}
		const char *arg = m_arg[N - 1];
		size_t length = std::strlen(arg);
		// inside a quoted string the argument goes in without quotes of its
		// own, which would end that string
		if (quotes.inString && length >= 2 && arg[0] == '"' && arg[length - 1] == '"') {
			arg++;
			length -= 2;
		}
		if (out.size() + length + (n - end) > sc_maxLineLength) {
			cprintf("GAfile::substituteArguments(): file '%s': line %d is too long with its arguments; it is skipped\n",
			        m_filename != nullptr ? m_filename : "", m_lineNb);
			m_bufLen = 0;
			m_buf[0] = '\0';
			return -1;
		}
		for (size_t k = 0; k < length; k++) put(arg[k]);
		i = end;
		// the character right after the argument is not looked at
		if (i < n) put(m_buf[i++]);
	}
	ensureBufLen((int)out.size());
	std::memcpy(m_buf, out.data(), out.size());
	m_bufLen = (int)out.size();
	m_buf[m_bufLen] = '\0';
	return 0;
}

std::string GAfile::argumentsEscaped(const std::string &text)
{
	std::string out;
	out.reserve(text.size());
	for (size_t i = 0; i < text.size(); i++) {
		if (text[i] == '$' && i + 1 < text.size() && isDigit(text[i + 1])) out.push_back('\\');
		out.push_back(text[i]);
	}
	return out;
}

GAfile::quoting GAfile::lineQuoting(const char *line)
{
	while (*line != '\0' && isBlank(*line)) line++;
	const size_t n = std::strlen(sc_consoleKeyword);
	const bool console = strncasecmp(line, sc_consoleKeyword, n) == 0 && (line[n] == '\0' || isBlank(line[n]));
	return console ? quoting::console : quoting::format;
}

void GAfile::dropBytesOutsideTexts()
{
	quoteParity quotes(m_quoting);
	int kept = 0;
	for (int i = 0; i < m_bufLen; i++) {
		const int c = (unsigned char)m_buf[i];
		if (c > sc_lastAsciiByte && !quotes.inString) {
			cprintf("Invalid characted '%d' in file '%s'", c, m_filename);
			continue;
		}
		quotes.feed(m_buf[i]);
		m_buf[kept++] = m_buf[i];
	}
	m_bufLen = kept;
	m_buf[kept] = '\0';
}

int GAfile::readString(const char *line, int pos, std::string &out, const char *forbidden)
{
	out.clear();
	if (line == nullptr || pos < 0) return -1;
	while (line[pos] != '\0' && isBlank(line[pos])) pos++;
	if (line[pos] == '\0') return -1;
	// a quoted string: anything up to the double quote that ends it
	if (line[pos] == '"') {
		int end = quotedTextEnd(line, pos + 1, &out);
		if (end < 0) out.clear();
		return end;
	}
	if (forbidden != nullptr && memberOf(line[pos], forbidden)) return -1;
	int start = pos;
	while (line[pos] != '\0' && !isBlank(line[pos])) pos++;
	out.assign(line + start, pos - start);
	return pos;
}

int GAfile::memberOf(char c, const char *set)
{
	return set != nullptr && c != '\0' && std::strchr(set, c) != nullptr ? 1 : 0;
}

bool GAfile::readRestoreWord(const char *&text)
{
	while (text != nullptr && *text != '\0' && isBlank(*text)) text++;
	const size_t n = std::strlen(sc_restoreWord);
	const bool restore = text != nullptr && strncasecmp(text, sc_restoreWord, n) == 0 && isBlank(text[n]);
	if (restore) text += n;
	return restore;
}

int GAfile::parseFlags(const char *text, int &drawMode, int &creationFlags, bool *restore)
{
	drawMode = creationFlags = 0;
	if (restore != nullptr) *restore = readRestoreWord(text);
	std::string words[sc_maxFlagWords];
	int n = splitWords(text, words);
	for (int w = 0; w < n; w++) {
		const std::string &word = words[w];
		bool known = false;
		for (const flagWord &f : c_flagWords) {
			if (strcasecmp(word.c_str(), f.word) != 0) continue;
			drawMode |= f.drawMode;
			creationFlags |= f.creationFlags;
			known = true;
		}
		int grade = numberedWord(word, "grade", 0, sc_maxGradeWord);
		if (grade >= 0) creationFlags |= 1 << grade;
		int method = numberedWord(word, "dm", 1, sc_maxDrawMethodWord);
		if (method >= 0) creationFlags |= method << OC_DRAW_METHOD_SHIFT;
		if (!known && grade < 0 && method < 0)
			cprintf("File '%s': line %d: unknown flag '%s'\n", m_filename, m_lineNb, word.c_str());
	}
	return n > 0 ? n : -1;
}

int GAfile::parseLabelFlags(const char *text, int &flags, int &width)
{
	flags = 0;
	width = -1;
	std::string words[sc_maxFlagWords];
	int n = splitWords(text, words);
	const size_t prefix = std::strlen(sc_labelFlagPrefix);
	for (int w = 0; w < n; w++) {
		const std::string &word = words[w];
		if (word.compare(0, std::strlen(sc_widthPrefix), sc_widthPrefix) == 0) {
			width = std::atoi(word.c_str() + std::strlen(sc_widthPrefix));
			if (width > 0) flags |= LF_WIDTH;
			continue;
		}
		const char *bare = word.c_str();
		if (strncasecmp(bare, sc_labelFlagPrefix, prefix) == 0) bare += prefix;
		bool known = false;
		for (const labelFlagWord &f : c_labelFlagWords) {
			if (strcasecmp(bare, f.word) != 0) continue;
			flags |= f.flag;
			known = true;
		}
		if (!known) cprintf("File '%s': line %d: unknown flag '%s'\n", m_filename, m_lineNb, word.c_str());
	}
	return n > 0 ? n : -1;
}
