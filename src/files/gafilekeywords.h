#pragma once
// The keywords of the scene-file line interpreter, one family a file: each
// handler gets the line with its comment cut and its blanks trimmed, and the
// position right after the keyword.
#include <cstddef>
#include <string>

class GAfile;
class c3ga;
class e3ga;
class i2ga;
class p3ga;
class state;

struct gaLine {
	GAfile *file;
	state *s;
	// the keyword as written
	std::string kw;
	// the trimmed line and the position after the keyword
	const char *line;
	int pos;

	// The interpreter's recurring messages, naming the file, the keyword
	// and the line; why, when given, follows after a colon.
	void invalid(const std::string &why = "") const;
	void noName() const;
	void noKeyword() const;
	// "warning: GAfile::parseLine(): file '%s': invalid <what> entry at line '%d'"
	void invalidEntry(const char *what) const;
	// True, with a message, for a text or an object's name longer than the
	// format holds.
	bool textTooLong(const std::string &text) const;
	bool nameTooLong(const std::string &name) const;
	// True when every coordinate of value is a finite number; else false,
	// with the message that the line is ignored. The camera and the stored
	// factors take no infinity or NaN: the view would show nothing, and a
	// saved scene would keep the fault.
	template <class V> bool finite(const V &value) const { return value.isFinite() || refused(sc_notFinite); }
	// The same for the rotor made of a finite value written on the line,
	// and for where a finite motion would take the camera.
	template <class V> bool finiteRotor(const V &rotor) const { return rotor.isFinite() || refused(sc_rotorNotFinite); }
	template <class V> bool finiteEnd(const V &end) const { return end.isFinite() || refused(sc_endNotFinite); }

	// false, with the message "<what> in '<keyword>' entry at line ...; the line is ignored"
	bool refused(const char *what) const;

private:
	// what the refusals say of the value
	static constexpr const char *sc_notFinite = "value that is not finite";
	static constexpr const char *sc_rotorNotFinite = "value whose rotor is not finite";
	static constexpr const char *sc_endNotFinite = "value that takes the camera to infinity";
	// "warning: ... <what> longer than <most> bytes in entry ..."
	bool tooLong(const std::string &item, const char *what, size_t most) const;
};

typedef int gaKeyword(const gaLine &l);

// --- lexical helpers (gafileparse.cpp); each skips blanks first and gives
// the position after what it read, or -1 when there is nothing of its kind
int gaReadDouble(const char *line, int pos, double &value);
int gaReadInt(const char *line, int pos, int &value);
// A name or text: a string that may not begin like a number or multivector.
int gaReadName(const char *line, int pos, std::string &out);
// A bracketed multivector of each algebra, with the file format's names
// ("I3" in e3ga, "einf" and "e0" in c3ga).
int gaReadE3ga(const char *line, int pos, e3ga &value);
int gaReadP3ga(const char *line, int pos, p3ga &value);
int gaReadC3ga(const char *line, int pos, c3ga &value);
int gaReadI2ga(const char *line, int pos, i2ga &value);

// --- objects and drawing defaults (gafileobjects.cpp)
gaKeyword gaKwE3ga, gaKwP3ga, gaKwC3ga, gaKwI2ga, gaKwColor, gaKwFontSize, gaKwClip, gaKwPolygonOffset, gaKwRemove, gaKwFactor,
	gaKwFade;
// --- the camera (gafilecamera.cpp)
gaKeyword gaKwEyePos, gaKwEyeTrl, gaKwEyeOri, gaKwEyeRot;
// --- the windows (gafilewindow.cpp)
gaKeyword gaKwTitle, gaKwConsoleFontSize, gaKwClear, gaKwClearConsole, gaKwHideShow, gaKwStatus, gaKwExit, gaKwResize,
	gaKwConsoleHeight, gaKwViewWindowSize, gaKwFullscreen;
// --- files, pauses and console commands (gafilefiles.cpp)
gaKeyword gaKwBookmark, gaKwSleep, gaKwWait, gaKwDelete, gaKwOpen, gaKwConsole, gaKwPlay;
// --- labels and their typesetting (gafilelabels.cpp)
gaKeyword gaKwLabel, gaKwTsMode, gaKwTsFont, gaKwTsInterpret;

// --- polygons and meshes (gafilepolygons.cpp)
gaKeyword gaKwPolygon, gaKwMesh, gaKwMeshVertex, gaKwMeshFace;
