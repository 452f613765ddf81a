// The reader of script files: construction, arguments, the reading loop that
// stops at every pause and resumes at the same byte, and what becomes of the
// file when the state drops the reader.
#include "files/gafile.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "console/consoleglobalscope.h"
#include "os/osdep.h"
#include "ui/scriptui.h"
#include "state/state.h"
#include "os/stringarray.h"

GAfile::GAfile(state *) { initToNothing(); }

GAfile::GAfile(state *s, const char *filename, int level, const char *deleteQuestion, int nbArg, char **args)
{
	initToNothing();
	m_level = level;
	if (!readable(filename)) return;
	m_filename = copyString(filename);
	if (deleteQuestion != nullptr) m_deleteFileQuestion = copyString(deleteQuestion);
	setArg(nbArg, args);
	reset(s);
}

bool GAfile::readable(const char *filename)
{
	const std::string refused = refusal(filename);
	if (!refused.empty()) cprintf("%s", refused.c_str());
	return refused.empty();
}

std::string GAfile::refusal(const char *filename)
{
	if (filename == nullptr || filename[0] == '\0') return "GAfile::GAfile(): invalid filename\n";
	// an image or an archive is no scene, however its name ends
	std::string why;
	if (u_readableTextFile(filename, why)) return "";
	return "GAfile::GAfile(): can not open " + u_quotedWithWhy(filename, why) + "\n";
}

GAfile::~GAfile()
{
	freeArg();
	std::free(m_filename);
	std::free(m_buf);
	std::free(m_deleteFileQuestion);
	initToNothing();
}

void GAfile::initToNothing()
{
	m_deleteFile = -1;
	m_deleteFileQuestion = nullptr;
	m_closeAtEOF = 0;
	m_abandoned = 0;
	m_nbArg = 0;
	m_arg = nullptr;
	m_level = -1;
	m_directFileOpen = 0;
	m_filename = nullptr;
	m_pos = 0;
	m_lineNb = 0;
	m_lastChar = -1;
	m_bufLen = 0;
	m_bufMaxLen = 0;
	m_buf = nullptr;
	m_unseekable = 0;
	m_maxLineLength = sc_maxLineLength;
	m_skippingLine = 0;
	m_goneReported = 0;
	m_quoting = quoting::format;
}

int GAfile::setArg(int n, char **args)
{
	freeArg();
	if (n <= 0) return 0;
	char **copy = static_cast<char **>(std::calloc((size_t)n, sizeof(char *)));
	if (copy == nullptr) {
		std::printf("GAfile::setArg(): memory allocation error for %d bytes\n", (int)(n * sizeof(char *)));
		return -1;
	}
	for (int i = 0; i < n; i++) {
		std::string a = args != nullptr && args[i] != nullptr ? args[i] : "";
		// a quoted string cannot hold a double quote, and one would end the
		// string the argument is put in: it becomes a single quote
		for (char &c : a)
			if (c == '"') c = '\'';
		// blanks would split the argument into words, a "#" would start a
		// comment: such an argument reads back as one quoted string
		bool quote = false;
		for (char c : a)
			if ((unsigned char)c < 33 || c == '#') quote = true;
		if (quote) a = "\"" + a + "\"";
		copy[i] = copyString(a.c_str());
		if (copy[i] == nullptr) {
			std::printf("GAfile::setArg(): memory allocation error for %d bytes\n", (int)a.size() + 1);
			freeStringArray(i, copy);
			return -1;
		}
	}
	m_arg = copy;
	m_nbArg = n;
	return 0;
}

void GAfile::freeArg()
{
	freeStringArray(m_nbArg, m_arg);
	m_arg = nullptr;
	m_nbArg = 0;
}

int GAfile::reset(state *s)
{
	m_pos = 0;
	m_bufLen = 0;
	m_skippingLine = 0;
	m_lineNb = 1;
	m_lastChar = -1;
	// the bottom file of the stack starts from an empty scene
	if (m_level <= 0 && s != nullptr && s->m_GAfileStackDepth <= 0) {
		s->resetGAfileState();
		s->removeAllObjectsButSystem();
	}
	return 0;
}

int GAfile::read(state *s)
{
	// known before an import that ends deletes this reader
	const bool sceneFile = isSceneFile(s);
	int result = -1;
	if (m_filename != nullptr && !m_unseekable) {
		s->m_GAfileReadNesting++;
		result = readLines(s, false);
		// an import that ended deleted this reader: only the state is touched now
		s->m_GAfileReadNesting--;
		s->runDeferred(false);
	}
	// a scene file that reads no further (gone, a pipe) ends a search as its end does
	if (result < 0 && sceneFile) s->bookmarkFound();
	s->sayHeldPlayListMessages();
	return result;
}

bool GAfile::isSceneFile(const state *s) const
{
	return s->m_GAfileStackDepth >= 0 && s->m_GAfileStack[0] == this;
}

int GAfile::truncated(state *s)
{
	cprintf("GAfile::read(): fseek() on '%s' returned error.\nAssuming the file has been truncated\n", m_filename);
	reset(s);
	return readLines(s, true);
}

namespace {

// The file stands at byte pos, and the byte before it is still lastChar.
bool atResumePoint(FILE *f, long pos, int lastChar)
{
	if (pos == 0) return std::fseek(f, 0, SEEK_SET) == 0;
	return std::fseek(f, pos - 1, SEEK_SET) == 0 && std::fgetc(f) == lastChar;
}

// Reading stops before the next byte: something runs first, or time must pass.
bool mustPause(state *s)
{
	if (s->m_openFilename != nullptr) return true;
	// a reset or clear asked for by a line is carried out before the next line
	if (s->m_clearRequested || (s->m_globalScope != nullptr && s->m_globalScope->resetRequested())) return true;
	// a playlist is read in one go
	if (s->m_playListParse) return false;
	if (s->m_inputWait) return true;
	// a NaN sleep end counts as none
	return s->m_inputSleepTime >= 0.0 && u_timeGet() < s->m_inputSleepTime;
}

} // namespace

int GAfile::readLines(state *s, bool restarted)
{
	// names in the file are relative to its directory
	s->setWorkingDirectory(m_filename, true);
	// a directory, a pipe or a file that is not text (a picture saved
	// under its name) in the file's place is no file to read on: the file
	// is gone
	std::string why;
	FILE *f = u_openTextFile(m_filename, why);
	// a file gone is said once, not at every tick, until it is back
	if (f == nullptr) {
		if (!m_goneReported) cprintf("Could not fopen() %s\n", u_quotedWithWhy(m_filename, why).c_str());
		m_goneReported = 1;
		return -1;
	}
	m_goneReported = 0;
	if (!atResumePoint(f, m_pos, m_lastChar)) {
		std::fclose(f);
		if (!restarted) return truncated(s);
		// read again from its start, it still cannot be positioned: a pipe
		cprintf("GAfile::read(): can not position in '%s'; it is read no further\n", m_filename);
		m_unseekable = 1;
		return -1;
	}

	for (;;) {
		if (mustPause(s)) break;
		int c = m_abandoned ? EOF : std::fgetc(f);
		if (c == EOF) {
			// the last line of an import or a playlist counts without its
			// line feed; a growing top-level file waits for its line feed
			if (m_bufLen > 0 && !m_abandoned && (m_closeAtEOF || s->m_playListParse)) {
				interpretLine(s);
				continue;
			}
			// a search ends at the end of the scene's own file; an import's
			// end is a place in the scene like any other
			if (isSceneFile(s)) s->bookmarkFound();
			if (m_closeAtEOF && s->m_GAfileStackDepth >= 0 && s->m_GAfileStack[s->m_GAfileStackDepth] == this) {
				std::fclose(f);
				s->deleteTopOfGAfileStack(nullptr);
				return 0;
			}
			break;
		}
		m_pos++;
		m_lastChar = c;
		if (c != '\n' && c != '\r') {
			appendToLine((char)c);
			continue;
		}
		// a line ends; a line feed counts it once it has been interpreted,
		// so that its messages name its own number
		bool hadWindow = uiHasMainWindow();
		if (m_skippingLine) m_skippingLine = 0;
		else interpretLine(s);
		if (c == '\n') m_lineNb++;
		// the line ended the program
		if (hadWindow && !uiHasMainWindow()) break;
	}
	std::fclose(f);
	return 0;
}

void GAfile::appendToLine(char c)
{
	if (m_skippingLine) return;
	if ((size_t)m_bufLen >= m_maxLineLength) {
		cprintf("GAfile::read(): file '%s': line %d is longer than %zu bytes; it is skipped\n", m_filename,
		        m_lineNb, m_maxLineLength);
		skipLine();
		return;
	}
	try {
		ensureBufLen(m_bufLen + 1);
	} catch (const std::bad_alloc &) {
		cprintf("GAfile::read(): file '%s': no memory to hold line %d; it is skipped\n", m_filename, m_lineNb);
		skipLine();
		return;
	}
	m_buf[m_bufLen++] = c;
}

void GAfile::skipLine()
{
	// what was read of the line is of no use, and may be large
	std::free(m_buf);
	m_buf = nullptr;
	m_bufLen = m_bufMaxLen = 0;
	m_skippingLine = 1;
}

void GAfile::interpretLine(state *s)
{
	// a line that cannot be held or interpreted for want of memory ends
	// there, and the reading goes on
	try {
		ensureBufLen(m_bufLen);
		m_buf[m_bufLen] = '\0';
		m_quoting = lineQuoting(m_buf);
		dropBytesOutsideTexts();
		substituteArguments(s);
		parseLine(s);
	} catch (const std::bad_alloc &) {
		cprintf("GAfile::read(): file '%s': no memory to interpret line %d; the rest of it is skipped\n", m_filename,
		        m_lineNb);
	}
	m_bufLen = 0;
	if (m_buf != nullptr) m_buf[0] = '\0';
}

int GAfile::handleDelete()
{
	if (m_filename == nullptr || m_deleteFile < 0) return 0;
	if (m_deleteFile == 0 && !uiAskYesNo(deleteQuestionText().c_str())) return 0;
	deleteFile(m_filename);
	return 0;
}

std::string GAfile::deleteQuestionText() const
{
	return substituteFileName(m_deleteFileQuestion != nullptr ? m_deleteFileQuestion : state::sc_defaultDeleteFileQuestion,
	                          m_filename);
}

int GAfile::ensureBufLen(int n)
{
	if (m_bufMaxLen > n) return 0;
	// room for n characters and the terminating zero, growing by doubling
	// as far as an int counts
	if (n < 0 || (size_t)n > sc_maxLineLength) throw std::bad_alloc();
	const long long doubled = 2LL * m_bufMaxLen;
	const int capacity = (int)std::min<long long>(std::max<long long>(n + 1LL, doubled), INT_MAX);
	char *grown = static_cast<char *>(std::realloc(m_buf, (size_t)capacity));
	if (grown == nullptr) throw std::bad_alloc();
	m_buf = grown;
	m_bufMaxLen = capacity;
	return 0;
}
