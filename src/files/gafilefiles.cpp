// Keywords on the course of a script: bookmarks, sleeps and waits, the fate
// of the file, the files it opens, switches to or imports, playlist entries
// and console commands.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <strings.h>

#include "files/gafile.h"
#include "files/gafilekeywords.h"
#include "os/osdep.h"
#include "state/state.h"
#include "os/stringarray.h"

namespace {

// What an unquoted word that begins so is taken for instead of a name, as
// a message says it: the format reads a number or a value there.
struct wordStart {
	const char *characters;
	const char *what;
};
const wordStart c_notNameStarts[] = {{"0123456789", "a digit"}, {"+-", "a sign"}, {"[]", "a bracket"}};

// Why the word at pos of line is no file name, for a message: a word that
// begins with a digit, a sign or a bracket is no name unquoted, as
// everywhere in the format, and a file named so ("01-intro.geo") is to be
// quoted; a line with nothing after its keyword kw names no file.
std::string whyNoFileName(const char *line, int pos, const std::string &kw)
{
	std::string word;
	if (GAfile::readString(line, pos, word, nullptr) < 0 || word.empty()) {
		// (blanks are the bytes below 33, as everywhere in the format)
		const bool empty = line != nullptr && pos >= 0 &&
		                   std::all_of(line + pos, line + std::strlen(line), [](char c) { return (unsigned char)c < 33; });
		return empty ? "the line is empty after '" + kw + "': it names no file" : "";
	}
	for (const wordStart &s : c_notNameStarts)
		if (std::strchr(s.characters, word[0]) != nullptr)
			return "'" + word + "' begins with " + s.what + "; quote the file's name: " + GAfile::quoted(word);
	return "";
}

// A file name made absolute against the file's directory, and up to
// GAfile::sc_maxArgs arguments after it.
struct fileAndArgs {
	std::string name;
	std::string args[GAfile::sc_maxArgs];
	char *argv[GAfile::sc_maxArgs];
	int nbArg = 0;

	// false, with the line's message, when no file name can be read
	bool read(const gaLine &l)
	{
		int pos = gaReadName(l.line, l.pos, name);
		if (pos < 0) {
			l.invalid(whyNoFileName(l.line, l.pos, l.kw));
			return false;
		}
		name = l.s->fullFilename(name);
		while (nbArg < GAfile::sc_maxArgs && (pos = gaReadName(l.line, pos, args[nbArg])) >= 0) {
			argv[nbArg] = &args[nbArg][0];
			nbArg++;
		}
		return true;
	}
};

// The levels of the file-opening keywords.
struct openKeyword {
	const char *word;
	int level;
};
const openKeyword c_openKeywords[] = {{"open", -1}, {"switchto", 0}, {"import", 1}};

// What a "delete" line may say.
constexpr const char *sc_deleteYes = "yes";
constexpr const char *sc_deleteAsk = "ask";

// The command of a "console" line begins this many characters into it: the
// keyword and one separator.
constexpr size_t sc_consoleCommandStart = 8;

} // namespace

int gaKwBookmark(const gaLine &l)
{
	l.s->bookmarkFound();
	return 0;
}

int gaKwSleep(const gaLine &l)
{
	double t;
	if (gaReadDouble(l.line, l.pos, t) < 0 || !(t > 0.0)) {
		l.invalid();
		return 0;
	}
	const float scaled = (float)t * (float)l.s->m_playbackSpeed;
	// successive sleeps add up from the previous end, not from now
	if (l.s->m_inputSleepTime > 0.0) l.s->m_inputSleepTime += scaled;
	else l.s->m_inputSleepTime = u_timeGet() + scaled;
	return 0;
}

int gaKwWait(const gaLine &l)
{
	l.s->setInputWaitState(1);
	return 0;
}

int gaKwDelete(const gaLine &l)
{
	std::string word;
	int pos = gaReadName(l.line, l.pos, word);
	if (pos < 0) {
		l.invalid();
		return 0;
	}
	GAfile *f = l.file;
	std::string question;
	const bool asks = word == sc_deleteAsk && gaReadName(l.line, pos, question) >= 0;
	// a question too long leaves the line undone
	if (asks && l.textTooLong(question)) return 0;
	if (word == sc_deleteYes) {
		f->m_deleteFile = 1;
	} else if (word == sc_deleteAsk) {
		f->m_deleteFile = 0;
		if (asks) {
			std::free(f->m_deleteFileQuestion);
			f->m_deleteFileQuestion = copyString(question.c_str());
		}
	} else {
		f->m_deleteFile = -1;
	}
	return 0;
}

int gaKwOpen(const gaLine &l)
{
	int level = -1;
	for (const openKeyword &k : c_openKeywords)
		if (strcasecmp(l.kw.c_str(), k.word) == 0) level = k.level;
	fileAndArgs f;
	if (!f.read(l)) return 0;
	// a file's own lines open on the next tick; a console line opens at once
	if (!l.file->m_directFileOpen) return l.s->setOpenFile(f.name.c_str(), f.nbArg, f.argv, level);
	l.s->setOpenFile(f.name.c_str(), f.nbArg, f.argv, level);
	return l.s->runDeferred(true);
}

int gaKwConsole(const gaLine &l)
{
	const char *command = std::strlen(l.line) > sc_consoleCommandStart ? l.line + sc_consoleCommandStart : "";
	// the command resolves its names against the file's directory, as the
	// file's own lines do, and a function it defines keeps that directory;
	// the file's later lines still resolve theirs against it when the
	// command changed it
	const std::string directory = l.s->m_workingDirectory;
	const int result = l.s->consoleCommandCallback(command, directory.empty() ? nullptr : directory.c_str(), false);
	l.s->m_workingDirectory = directory;
	return result;
}

int gaKwPlay(const gaLine &l)
{
	fileAndArgs f;
	if (!f.read(l)) {
		// the playlist's summary tells lines unread from files that do not open
		l.s->m_unreadPlayListLines++;
		return 0;
	}
	return l.s->addPlayListLine(f.name.c_str(), f.nbArg, f.argv);
}
