// The line interpreter: the comment is cut, the blanks trimmed, and the first
// word chooses the keyword's handler; in a playlist only "play" counts.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "c3ga/c3ga.h"
#include "e3ga/e3ga.h"
#include "files/gafile.h"
#include "files/gafilekeywords.h"
#include "i2ga/i2ga.h"
#include "os/osdep.h"
#include "p3ga/p3ga.h"
#include "state/state.h"

namespace {

bool isBlank(char c) { return (unsigned char)c < 33; }

struct keyword {
	const char *word;
	gaKeyword *handler;
};

// The keywords outside playlists, aliases side by side.
const keyword c_keywords[] = {
	{"e3ga", gaKwE3ga},
	{"ca3d", gaKwE3ga},
	{"p3ga", gaKwP3ga},
	{"ca4d", gaKwP3ga},
	{"c3ga", gaKwC3ga},
	{"ca5d", gaKwC3ga},
	{"i2ga", gaKwI2ga},
	{"label", gaKwLabel},
	{"title", gaKwTitle},
	{"bookmark", gaKwBookmark},
	{"fgcolor", gaKwColor},
	{"bgcolor", gaKwColor},
	{"olcolor", gaKwColor},
	{"cvcolor", gaKwColor},
	{"fontsize", gaKwFontSize},
	{"consolefontsize", gaKwConsoleFontSize},
	{"clear", gaKwClear},
	{"clearconsole", gaKwClearConsole},
	{"remove", gaKwRemove},
	{"clip", gaKwClip},
	{"eyepos", gaKwEyePos},
	{"campos", gaKwEyePos},
	{"eyetrl", gaKwEyeTrl},
	{"camtrl", gaKwEyeTrl},
	{"eyeori", gaKwEyeOri},
	{"camori", gaKwEyeOri},
	{"eyerot", gaKwEyeRot},
	{"camrot", gaKwEyeRot},
	{"hide", gaKwHideShow},
	{"show", gaKwHideShow},
	{"sleep", gaKwSleep},
	{"wait", gaKwWait},
	{"status", gaKwStatus},
	{"polygon", gaKwPolygon},
	{"simplex", gaKwPolygon},
	{"factor", gaKwFactor},
	{"exit", gaKwExit},
	{"delete", gaKwDelete},
	{"resize", gaKwResize},
	{"consoleheight", gaKwConsoleHeight},
	{"viewwindowsize", gaKwViewWindowSize},
	{"fullscreen", gaKwFullscreen},
	{"open", gaKwOpen},
	{"switchto", gaKwOpen},
	{"import", gaKwOpen},
	{"polygonoffset", gaKwPolygonOffset},
	{"tsmode", gaKwTsMode},
	{"tsfont", gaKwTsFont},
	{"tsinterpret", gaKwTsInterpret},
	{GAfile::sc_consoleKeyword, gaKwConsole},
	{"fade", gaKwFade},
	{"fade_and_remove", gaKwFade},
	{"fade_and_hide", gaKwFade},
	{"show_and_fade", gaKwFade},
	{"mesh", gaKwMesh},
	{"meshvertex", gaKwMeshVertex},
	{"meshnormal", gaKwMeshVertex},
	{"meshface", gaKwMeshFace},
};

// The value at pos, parsed with the file format's names; the position after it, or -1.
template <class V, class B> int readMultivector(const char *line, int pos, V &value, const B &names)
{
	if (line == nullptr || pos < 0) return -1;
	int n = value.parseString(line + pos, &names);
	return n < 0 ? -1 : pos + n;
}

// The names of the format: the algebra's basis vectors and its extra names,
// inside "[" and "]".
template <class B> B &bracketed(B &names)
{
	names.setDelimiters('[', ']');
	return names;
}

} // namespace

// --- messages -------------------------------------------------------------------

void gaLine::invalid(const std::string &why) const
{
	cprintf("warning: GAfile::parseLine(): file '%s': invalid '%s' entry at line '%d'%s%s\n", file->m_filename,
	        kw.c_str(), file->m_lineNb, why.empty() ? "" : ": ", why.c_str());
}

void gaLine::noName() const
{
	cprintf("GAfile::parseLine(): file '%s': no name specified in entry '%s' at line '%d'\n", file->m_filename,
	        kw.c_str(), file->m_lineNb);
}

void gaLine::noKeyword() const
{
	cprintf("warning: GAfile::parseLine(): file '%s': Unknown entry '%s' at line '%d'\n", file->m_filename, kw.c_str(),
	        file->m_lineNb);
}

void gaLine::invalidEntry(const char *what) const
{
	cprintf("warning: GAfile::parseLine(): file '%s': invalid %s entry at line '%d'\n", file->m_filename, what,
	        file->m_lineNb);
}

bool gaLine::tooLong(const std::string &item, const char *what, size_t most) const
{
	if (item.size() <= most) return false;
	cprintf("warning: GAfile::parseLine(): file '%s': %s longer than %d bytes in entry '%s' at line '%d'\n",
	        file->m_filename, what, (int)most, kw.c_str(), file->m_lineNb);
	return true;
}

bool gaLine::textTooLong(const std::string &text) const { return tooLong(text, "text", GAfile::sc_maxTextLength); }

bool gaLine::nameTooLong(const std::string &name) const { return tooLong(name, "name", GAfile::sc_maxNameLength); }

bool gaLine::refused(const char *what) const
{
	cprintf("warning: GAfile::parseLine(): file '%s': %s in '%s' entry at line '%d'; the line is ignored\n",
	        file->m_filename, what, kw.c_str(), file->m_lineNb);
	return false;
}

// --- lexical helpers ----------------------------------------------------------------

int gaReadDouble(const char *line, int pos, double &value)
{
	if (line == nullptr || pos < 0) return -1;
	while (line[pos] != '\0' && isBlank(line[pos])) pos++;
	char *end = nullptr;
	double v = std::strtod(line + pos, &end);
	if (end == line + pos) return -1;
	value = v;
	return (int)(end - line);
}

int gaReadInt(const char *line, int pos, int &value)
{
	if (line == nullptr || pos < 0) return -1;
	while (line[pos] != '\0' && isBlank(line[pos])) pos++;
	char *end = nullptr;
	errno = 0;
	long v = std::strtol(line + pos, &end, 10);
	if (end == line + pos) return -1;
	// a number an int cannot hold is no integer of the format
	if (errno == ERANGE || v < INT_MIN || v > INT_MAX) return -1;
	value = (int)v;
	return (int)(end - line);
}

int gaReadName(const char *line, int pos, std::string &out)
{
	return GAfile::readString(line, pos, out, GAfile::sc_nameForbidden);
}

int gaReadE3ga(const char *line, int pos, e3ga &value)
{
	static e3ga_ben *s_names = nullptr;
	if (s_names == nullptr) {
		s_names = &bracketed(*new e3ga_ben());
		s_names->addName("I3", e3gai::I);
	}
	return readMultivector(line, pos, value, *s_names);
}

int gaReadP3ga(const char *line, int pos, p3ga &value)
{
	static p3ga_ben *s_names = nullptr;
	if (s_names == nullptr) s_names = &bracketed(*new p3ga_ben());
	return readMultivector(line, pos, value, *s_names);
}

int gaReadI2ga(const char *line, int pos, i2ga &value)
{
	static i2ga_ben *s_names = nullptr;
	if (s_names == nullptr) s_names = &bracketed(*new i2ga_ben());
	return readMultivector(line, pos, value, *s_names);
}

int gaReadC3ga(const char *line, int pos, c3ga &value)
{
	static c3ga_ben *s_names = nullptr;
	if (s_names == nullptr) {
		s_names = &bracketed(*new c3ga_ben());
		s_names->addName("einf", c3gai::ni);
		s_names->addName("e0", c3gai::no);
	}
	return readMultivector(line, pos, value, *s_names);
}

// --- the interpreter ----------------------------------------------------------------------

int GAfile::parseLine(state *s)
{
	if (m_buf == nullptr) return 0;
	char *line = m_buf;
	// the comment goes, then the blanks around what is left
	int cut = commentStart(line, m_quoting);
	if (cut >= 0) line[cut] = '\0';
	int end = (int)std::strlen(line);
	while (end > 0 && isBlank(line[end - 1])) line[--end] = '\0';
	while (*line != '\0' && isBlank(*line)) line++;
	if (*line == '\0' || *line == '#') return 0;

	gaLine l;
	l.file = this;
	l.s = s;
	l.line = line;
	l.pos = 0;
	while (line[l.pos] != '\0' && !isBlank(line[l.pos])) l.pos++;
	l.kw.assign(line, l.pos);

	// a playlist holds only the scripts to play
	if (s->m_playListParse) {
		if (strcasecmp(l.kw.c_str(), "play") == 0) return gaKwPlay(l);
		cprintf("GAfile::parseLine(): file '%s': invalid entry '%s' while parsing playlist\n", m_filename, l.kw.c_str());
		return 0;
	}
	for (const keyword &k : c_keywords)
		if (strcasecmp(l.kw.c_str(), k.word) == 0) return k.handler(l);
	l.noKeyword();
	return 0;
}
