#pragma once
// The application state: one instance, reached through g_state, owns what the
// program computes and shows apart from the widgets: the scene objects by
// name, the console's global scope, the drawing defaults that new objects
// take, the stored factors of the three 3D models and the working directory.
// Nothing in it runs on its own: the console, the scripts and the timer call
// its operations.
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "c3ga/c3ga.h"
#include "e3ga/e3ga.h"
#include "i2ga/i2ga.h"
#include "scene/object.h"
#include "p3ga/p3ga.h"

class consoleControl;
class consoleGAfile;
class consoleGlobalScope;
class consoleStmtListStmt;
class typesetState;
class GAfile;
class netServer;

class state {
public:
	// One dynamic statement: a statement list that is run again whenever a
	// global variable it read changes. An entry owns its list; copying an
	// entry copies the tree, moving it moves the list.
	class dynStmtInfo {
	public:
		// Takes ds over.
		dynStmtInfo(consoleStmtListStmt *ds, const std::string &workingDirectory, const std::string &name);
		dynStmtInfo(const dynStmtInfo &other);
		dynStmtInfo(dynStmtInfo &&other) noexcept;
		dynStmtInfo &operator=(const dynStmtInfo &other);
		dynStmtInfo &operator=(dynStmtInfo &&other) noexcept;
		~dynStmtInfo();

		// A copy of other's list, name and working directory.
		int set(const dynStmtInfo &other);
		// Takes ds over, deleting the list held before unless it is ds.
		int ds(consoleStmtListStmt *ds);
		consoleStmtListStmt *ds() const { return m_dynStmt; }
		const std::string &name() const { return m_name; }
		const std::string &wd() const { return m_workingDirectory; }
		bool hasName() const { return !m_name.empty(); }
		// The entry's identity, which no later entry takes: a list taken
		// over by ds() stays the same entry, a copy is the same entry.
		unsigned long serial() const { return m_serial; }
		// Set while an update runs when the entry was removed: it runs no
		// more and goes when the update ends.
		bool removed() const { return m_removed; }
		void removed(bool r) { m_removed = r; }

	protected:
		consoleStmtListStmt *m_dynStmt;
		std::string m_name;
		// the working directory in force when the statement was made
		std::string m_workingDirectory;
		bool m_removed;
		unsigned long m_serial;
	};

	// One playlist entry: a script and its arguments, all owned copies.
	struct playList_s {
		char *filename;
		int nbArg;
		char **arg;
	};

	state();
	~state();
	state(const state &) = delete;
	state &operator=(const state &) = delete;

	void initToNothing();
	// What a new top-level script starts from: no dynamic statements, no
	// running animation, no objects, no open script files (those named
	// filename get their delete handling), the per-file state, a new global
	// scope (no user variables, functions or constants); drawing defaults,
	// factors, the playlist and the servers stay.
	int reset(const char *filename = nullptr);
	// Replaces the console's global scope by a new root, with the builtin
	// constants under their first names, and sets the program's own global
	// variables in it.
	int newGlobalScope();
	// camori (the camera's orientation), campos (its position) and
	// autocolor, hidden and internal; then the console controls' variables
	// take the controls' values again.
	int setDefaultGlobalScopeVariables();

	// --- objects (stateobjects.cpp)
	// The key of the object map: a pointer to the object's own name, which
	// therefore must not change while the object is in the map.
	typedef const std::string *stringPtr;
	// Byte-wise order of the pointed-to names: "B" before "a".
	struct stringPtrLess {
		bool operator()(stringPtr a, stringPtr b) const { return *a < *b; }
	};
	typedef std::map<stringPtr, object *, stringPtrLess> objectMap;

	object *getObjectPtrByName(const std::string &name) const;
	// Whether a saved scene can hold name: at most GAfile::sc_maxNameLength
	// bytes and no line end. Every name a scene keeps (objects, console
	// controls and their options, dynamic statements, constants) is held to
	// it where it is made; for another this says once that the `what` (a
	// word such as "Object") of that name is refused, and why. A name made
	// of name and a suffix (a label's "_label") is judged whole and shown
	// with its suffix.
	static bool nameFits(const std::string &name, const char *what, const char *suffix = "");
	// The bytes of a long name or text that a message shows: enough to tell
	// it, few enough to read the message.
	static constexpr size_t sc_shownNameBytes = 40;
	// A name or text as a message shows it: a long one cut before a UTF-8
	// byte that continues a character, with "..." after it.
	static std::string shownName(const std::string &name);
	// The words of a console control and of a menu's option in the messages
	// of refused names.
	static constexpr const char *sc_controlWord = "Console control";
	static constexpr const char *sc_optionWord = "Option of a console control";
	// What else the console may know a name as, for nameFree.
	static constexpr int sc_heldByConstant = 1; // a builtin or user constant
	static constexpr int sc_heldByControl = 2;  // a console control's variable
	static constexpr int sc_heldByFunction = 4; // a built-in or user function
	static constexpr int sc_heldByCamera = 8;   // campos or camori, the camera's variables
	static constexpr int sc_heldByBuiltinConstant = 16; // a builtin constant, by the name it has now
	// Whether none of the holders asked for holds name; otherwise this says
	// once that the `what` of that name is refused, and what holds it. The
	// console reads a name as one thing only, and so does a saved scene,
	// whose lines would read the name as the first and fail on the second.
	bool nameFree(const std::string &name, const char *what, int holders) const;
	// Takes obj over.  An object of that name that can take obj's properties
	// (object::copy) stays and obj is deleted; otherwise obj replaces it.
	// forceFlags say which of obj's attributes are copied onto a kept object.
	// A restored obj comes back as it was saved: it replaces any object of
	// its name, and the dynamic statements that read the name do not run
	// again for it. Refused, with a message and -1, obj deleted: a name
	// that does not fit (nameFits), a user constant's name, and for a
	// label, polygon or mesh the name of a console control's variable; the
	// console reads those names as the constant and the control's value.
	int addObject(object *obj, int forceFlags, bool restored = false);
	int addE3gaObject(const e3ga &value, const std::string &name, int drawMode, int creationFlags, int forceFlags,
	                  bool restored = false);
	int addP3gaObject(const p3ga &value, const std::string &name, int drawMode, int creationFlags, int forceFlags,
	                  bool restored = false);
	int addC3gaObject(const c3ga &value, const std::string &name, int drawMode, int creationFlags, int forceFlags,
	                  bool restored = false);
	int addI2gaObject(const i2ga &value, const std::string &name, int drawMode, int creationFlags, int forceFlags,
	                  bool restored = false);
	// 0 when the object was removed, -1 when no object has that name.
	int removeObject(const std::string &name);
	int removeObject(object *obj);
	// removeObject, which marks the dynamic statements that read the name
	// only when markStatements.
	int removeObject(const std::string &name, bool markStatements);
	int removeAllObjects();
	int showObject(const std::string &name);
	int hideObject(const std::string &name);
	int textScaleChanged();
	// The timed update of every object, in name order; objects whose fade
	// ended in removal are removed after the walk.
	int objectUpdate();
	// object::setFade on the named object; when the fade removes the object
	// at once, it is removed after the call.  -1 when no object has that name.
	int fadeObject(const std::string &name, double duration, float target, int action, float startFadeFactor);
	// Records that the variable of that name changed: the network's change
	// set, the control bound to it and, when markStatements, the dynamic
	// statements that read it (name cut before "[").
	int modified(const std::string &name, bool markStatements = true);

	// --- labels (statelabels.cpp)
	// A label at the named point object or at a position, replacing every
	// property of a label of that name; it takes the current typesetting
	// mode and font.
	int addTextObject(const char *text, const std::string &pointName, const std::string &name, int labelFlags,
	                  int width);
	int addTextObject(const char *text, const e3ga &position, const std::string &name, int labelFlags, int width);
	// A new typesetter (no user colours or commands), font "regular", mode
	// "verbatim".
	int tsReset();
	// Reads text in text mode only for its command and colour definitions;
	// the typesetter's result.
	int tsParse(const char *text);
	// By the first letter, either case: t "text", e "equation", v
	// "verbatim"; r "regular", b "bold", i "italic", g "greek".  Other
	// letters change nothing.  Always 0.
	int tsSetMode(const char *s);
	int tsSetFont(const char *s);

	// --- waiting for the user (stateinputwait.cpp)
	// 1: a script waits until the user goes on (Enter, the wait button); a
	// sleep still pending is extended by the time spent waiting.  0: the
	// wait ends.  Nothing happens while a bookmark is searched.
	int setInputWaitState(int wait);

	// --- console commands (console.cpp): parses and runs one command, or
	// resumes the newest suspended one when the text holds no statement;
	// then resets the state when a statement asked for it, or updates the
	// dynamic statements. Always 0.
	// It is parsed and run in the working directory wd (the directory the
	// program started in when null); endingAdded: the console entry ended
	// cmd with a terminator the user did not type.
	int consoleCommandCallback(const char *cmd, const char *wd = nullptr, bool endingAdded = false);

	// --- script files (statescripts.cpp). Levels: -1 a new top-level script
	// (the state is reset first), 0 a switch in place of the file on top,
	// 1 an import that runs on top of the current file until its end. A file
	// that cannot be read gives -1 with the reader's message; a top-level
	// open then resets nothing.
	int openGAfile(const char *name, int nbArg, char **args, int level);
	// Pops the top file; with a name, the top file gets its delete handling
	// when it is that file or appears lower on the stack.
	int deleteTopOfGAfileStack(const char *name);
	// Pops while the depth is at least level; level 0 empties the stack.
	int deleteGAfileStack(const char *name, int level);
	// 1 when one of the entries 0..depth (the whole stack for a negative
	// depth) is the file name, compared without regard to case.
	int filenameOnGAfileStack(const char *name, int depth);
	// Opens the bottom file again as a new top-level script; when it can no
	// longer be read, the files that run stay (-1).
	int replayFirstGAfile();
	// The open carried out by the next tick (or by the command entry, after
	// its statements, for a console line); copies are kept.
	int setOpenFile(const char *name, int nbArg, char **args, int level);
	int freeOpenFile();
	// The per-file state that a new top-level script starts from.
	int resetGAfileState();
	// All objects go; camori, campos and autocolor keep their values, and
	// the console controls' variables take the controls' values again.
	int removeAllObjectsButSystem();
	// A scene file's "clear": no objects, no dynamic statements, an empty
	// console and status line, a new global scope.
	int clearScene();
	// The timer's script steps: the file on top reads until it pauses, then
	// the open that a line asked for is carried out, then what waited for
	// a safe point.
	int readScripts();
	// What a line or statement asked for that would delete what runs it
	// (a reset, a clear of the scene, a top-level open), carried out once
	// nothing that it would delete is running. openToo: also the pending
	// open, followed at once by reading the new file.
	int runDeferred(bool openToo);
	// The open that a script line asks for (open, switchto, import): a
	// name ending in ".gpl", in any case, is a playlist, which "open" and
	// "switchto" open as the playlist (openPlayList) and "import" refuses;
	// any other name is a script file (openGAfile).
	int openNamed(const char *name, int nbArg, char **args, int level);
	// Carries out the pending open (setOpenFile), which must be there:
	// the result of openNamed.
	int openPendingFile();

	// --- playlists (stateplaylist.cpp)
	// Reads the playlist's "play" lines in one go and, when at least one
	// entry is playable (its file passes the check of an open), takes it in
	// place of the current playlist and opens its first playable entry: 0;
	// else -1 with a message, the current playlist and the scene kept.
	int openPlayList(const char *name);
	// The first entry whose file passes the check of an open, quietly; -1
	// when there is none.
	int firstPlayableEntry() const;
	int clearPlayList();
	int addPlayListEntry(const char *file, int nbArg, char **args);
	// A "play" line of a playlist being read: a scene file becomes an
	// entry; a playlist (".gpl") adds its own entries in its place, read
	// with the line's arguments, unless it is being read already (it would
	// play itself without end) or too many have been read.
	int addPlayListLine(const char *file, int nbArg, char **args);
	// Opens entry pos (0-based) and makes it the current one: 0; -1 with a
	// message outside the list or when it does not open, the position and
	// the scene kept.
	int setPlayListPos(int pos);
	// Open the nearest entry after (before) the current one that opens;
	// each one passed over is said, after the new scene's start has
	// cleared the console. When none opens, the position and the scene
	// stay: the entries passed over are said, or, when there is none,
	// the range message.
	int nextPlayListEntry();
	int previousPlayListEntry();
	// Says what a playlist said of its lines, and a step of the entries it
	// passed over, while it opened a scene, once that scene's first
	// reading has stopped (at its first pause or
	// end, no file waiting to open), so that no line at the scene's top
	// ("clear", "clearconsole") wipes it; nothing while none is held.
	void sayHeldPlayListMessages();

	// --- pauses of a script (stateplayback.cpp)
	// The search runs everything at speed 0 until the next bookmark line,
	// the end of the scene's own file (not of an import in it), or the
	// scene's end (another opened in its place); then the speed chosen
	// comes back. With no scene file playing it does nothing.
	int bookmarkSearch();
	int bookmarkFound();
	// A divisor of time: 1 real time, 2 half speed, 0 as fast as possible.
	int setPlaybackSpeed(double speed);

	// --- camera motion (statemotion.cpp): the camera moves by
	// duration x velocity (turns by exp(-duration x rate)) over duration
	// times the playback speed; -1 without a user interface or for a
	// negative duration. The caller's value becomes the part used (the
	// vector, or minus the bivector).
	int setTrl(e3ga &velocity, double duration);
	int setRot(e3ga &rate, double duration);
	// One step of each, every tick; held while the state waits for input.
	int handleTrl();
	int handleRot();
	// The running motions done at once, to their ends.
	int finishMotions();

	// --- the animation clock atime (stateanimation.cpp)
	int setAnimationTime(double t);
	int forwardAnimationTime(double dt);
	int startAnimation();
	int pauseAnimation();
	int stopAnimation();
	// One step while playing, every tick.
	int updateAnimation();

	// --- console-language source files (consolesourcefileread.cpp)
	// Parses the file and runs it in the global scope: 0, or -1 when it
	// could not be read or parsed.
	int consoleSourceFileRead(const char *filename);
	// Every ".g" file of the directory and its sub-directories, skipping
	// names that begin with "."; -1 when the directory cannot be opened.
	int consoleSourceDirRead(const char *dirname);

	// --- network command servers (statenet.cpp)
	// Adds a server listening on the port written in port; one that cannot
	// be set up has printed why and is left out.
	int openNetServer(const char *port);
	// Closes the first server listening on that port.
	int closeNetServer(const char *port);
	int closeNetServers();
	int displayNetStatus();
	// The text that tells a client the objects of these names: each one's
	// text form followed by ";$" when hidden or ",$" when shown, in the
	// names' order; names without an object, and objects without a text
	// form (labels, polygons, meshes), are left out.
	std::string createNetMessage(const std::set<std::string> &names);
	// The timer's network step: opens the default port when the network is
	// undecided, sends the objects changed since the last step to every
	// client and polls every server.  Servers opened or closed by the
	// commands it runs change after the poll.
	int pollNetServers();

	// --- dynamic statements (consoledynstmt.cpp)
	// Takes stmt over (null does nothing); a named statement replaces every
	// one of that name. It runs at the next update with its assignments displayed.
	int addDynStmt(consoleStmtListStmt *stmt, const std::string &workingDirectory, const std::string &name);
	// The entry holding oldStmt takes newStmt (over): 0; -1 and newStmt
	// deleted when no entry holds oldStmt.
	int replaceDynStmt(consoleStmtListStmt *oldStmt, consoleStmtListStmt *newStmt);
	int removeDynStmt(consoleStmtListStmt *stmt);
	// -1 with a message for an index outside the list.
	int removeDynStmt(int idx);
	int removeDynStmt(const std::string &name);
	int removeAllDynStmt();
	// Flags stmt to run at the next update as a first run.
	int newDynStmt(consoleStmtListStmt *stmt);
	// Runs every flagged dynamic statement at most once; an update asked
	// for while one runs returns at once.
	int updateDynStmts();
	// Counts every addition, replacement and removal: a view of the list
	// knows by it that the list changed.
	unsigned long dynStmtChanges() const { return m_dynStmtChanges; }

	// --- console controls (stateconsolecontrols.cpp): widgets of the
	// scalar panel bound to global variables, stacked in creation order.
	// Each add makes the control, which assigns its variable its initial
	// value at once, and replaces a control of the same name.
	int addConsoleControlBool(const std::string &nm, int value);
	int addConsoleControlRange(const std::string &nm, double value, double minValue, double maxValue, double step);
	int addConsoleControlSelection(const std::string &nm, double value,
	                               const std::vector<std::pair<std::string, double>> &options);
	// Takes cc over, in place of a control of its name, at the end.
	int addConsoleControl(consoleControl *cc);
	// A name without a control only lays the panel out again.
	int removeConsoleControl(const std::string &name);
	// Every control goes; the console's "clc" and the scripts' console
	// clearing call this.
	int removeAllConsoleControls();
	// Stacks the controls down the scalar panel; nothing without one.
	int resizeConsoleControls();
	// Controls whose variable changed show its value again.
	int updateConsoleControls();
	// Each control's variable takes the value the control shows, not
	// displayed: the controls outlast a new scene or clf(), their
	// variables do not.
	int restoreConsoleControlVariables();

	// --- colours (statecolors.cpp): the defaults that objects added
	// afterwards take, and the canvas colour
	// m_fgColor, m_bgColor, m_olColor or m_cvColor for "fgcolor", "bgcolor",
	// "olcolor", "cvcolor" in any case; null, with a message, for any other.
	float *getColorPtr(const char *which);
	int setColor(const char *which, float r, float g, float b, float a);
	// The colour of a colour name (colors.h); a name it does not know
	// prints a message, changes nothing and gives -1.
	int setColor(const char *which, const char *colorName);

	// --- stored factors (statefactors.cpp): the grade-1 part of the value
	// goes to slot index; -1 for an index outside the model's slots.
	int setE3gaFactor(const e3ga &value, int index);
	int setP3gaFactor(const p3ga &value, int index);
	int setC3gaFactor(const c3ga &value, int index);

	// --- saving the scene (statewriter.cpp)
	// Writes the scene as a scene file that rebuilds it when opened: 0, or
	// -1 with a message when the file cannot be created or written, or is
	// named as another kind of file (sceneNameRefusal), which nothing is
	// written to.
	int writeStateToGeoFile(const char *filename);
	// Why no scene is saved under name, said after "Scene not saved: ": the
	// quoted name and what kind of file it names, when it ends in the
	// extension of playlists or of console source files (in any case):
	// every open of a playlist, and File > Open of a source file, would
	// read the file as that kind, never as the scene. "" for another name.
	static std::string sceneNameRefusal(const char *name);
	// The lines of that file as they are meant to be read, before the
	// arguments' "$" are escaped.
	void writeSceneLines(FILE *F);
	// The console controls' lines, in the state's order.
	int writeConsoleControlsToGeoFile(FILE *F);
	// The window title as given; the window shows it after the product name.
	int setTitle(const char *title);
	// The camera orientation that an "eyeori" line set or was written for:
	// while the camera keeps that rotor, the same bivector is written again.
	void eyeOriLine(const e3ga &rotor, const e3ga &bivector);

	// --- working directory (statefiles.cpp)
	// Stores path; when fromFileName, path names a file and its directory is
	// kept. A relative directory is made absolute against the process's
	// directory at the time of the call.
	void setWorkingDirectory(const std::string &path, bool fromFileName);
	// name resolved against the working directory.
	std::string fullFilename(const std::string &name) const;
	// A picture's name as the scene being saved writes it, one that the
	// reader of its label line finds the same file by: its name relative to
	// the directory of the file saved (m_savingDirectory) when the picture
	// lies there or below it, so that the folder copied or moved opens with
	// its pictures, with "./" in front when it begins with "~"; else its
	// absolute name without "." and ".." parts. While no scene is saved,
	// name as it is.
	std::string savedPictureName(const std::string &name) const;

	// --- fields, in this order
	// runs single scene-file lines given as text (the console's cmd), owned
	consoleGAfile *m_consoleGAfile;
	// directory against which relative file names are resolved
	std::string m_workingDirectory;
	// the process's working directory when the state was made
	std::string m_initialWorkingDirectory;
	// while the scene is saved: the directory of the file it goes to;
	// empty otherwise
	std::string m_savingDirectory;
	// the open script files: a top-level file at index 0, imports above it;
	// the top at index m_GAfileStackDepth, -1 when empty; owned
	int m_GAfileStackDepth;
	GAfile **m_GAfileStack;
	// the question asked before a script file deletes itself: "%s" stands
	// for the file name; owned
	char *m_deleteFileQuestion;
	// the open carried out by the next tick: file name (null when none),
	// level and arguments, all owned
	char *m_openFilename;
	int m_openFileLevel;
	int m_openFileNbArg;
	char **m_openFileArg;
	// the playlist: entries (owned), their number (-1 before any
	// playlist) and the current one (-1 when none)
	int m_playListLength;
	int m_playListPos;
	playList_s *m_playList;
	// 1 while a playlist file is read: only "play" lines count
	int m_playListParse;
	// while a playlist is read: the playlists being read, the outermost
	// first, and the number of playlists that it plays in its place
	std::vector<std::string> m_playListsReading;
	int m_nestedPlayLists;
	// while a playlist is read: its "play" lines (those of the playlists it
	// plays included) whose file name could not be read
	int m_unreadPlayListLines;
	// what a playlist or a step in it said while it opened the scene that
	// plays, said once that scene's first reading stops; empty when none
	std::string m_heldPlayListMessages;
	// clock time at which a running sleep ends; -1.0 when none
	double m_inputSleepTime;
	// 1 while the program waits for the user
	int m_inputWait;
	// clock time at which the current wait began, kept only while a sleep
	// is pending; -1.0 when none
	double m_inputWaitTime;
	// divisor of time: sleeps, motions and fades last this many times
	// longer, the animation clock runs this many times slower; 0 means as
	// fast as possible
	double m_playbackSpeed;
	// 1 while a script skips ahead to a bookmark: fades end at once
	int m_bookmarkSearch;
	// the playback speed to restore when the bookmark is found
	double m_preBookmarkSearchPlaybackSpeed;
	// the console's global scope, owned
	consoleGlobalScope *m_globalScope;
	// the console controls, owned, in creation order
	std::vector<consoleControl *> m_consoleControls;
	// the scene objects, owned, in byte-wise name order
	objectMap m_objects;
	// the same objects by a hash of their own names, for look-ups by name
	std::unordered_map<std::string, object *> m_objectsByName;
	// RGBA defaults of new objects' foreground, background and outline, and
	// the canvas colour of the view
	float m_fgColor[4];
	float m_bgColor[4];
	float m_olColor[4];
	float m_cvColor[4];
	// font size given to new objects
	float m_fontSize;
	// distance out to which lines and planes are drawn
	float m_clipDistance;
	// polygon offset given to new objects
	float m_poFactor;
	float m_poUnits;
	// light intensities of the view
	float m_ambient;
	float m_diffuse;
	// 1: the view draws labels over everything else
	int m_labelsAlwaysOnTop;
	// camera translation: clock time up to which it was applied (-1.0 when
	// none runs), end time, velocity (a vector per second)
	double m_trlTime;
	double m_trlEndTime;
	e3ga m_trl;
	// camera rotation: the same, with a rate (a bivector per second)
	double m_rotTime;
	double m_rotEndTime;
	e3ga m_rot;
	// stored factors of the three 3D models
	static constexpr int NB_E3GA_FACTORS = 3;
	static constexpr int NB_P3GA_FACTORS = 4;
	static constexpr int NB_C3GA_FACTORS = 5;
	e3ga m_e3gaFactor[NB_E3GA_FACTORS];
	p3ga m_p3gaFactor[NB_P3GA_FACTORS];
	c3ga m_c3gaFactor[NB_C3GA_FACTORS];
	// the typesetter of labels, owned
	typesetState *m_typesetState;
	// typesetting mode and font that new labels take: constant strings
	const char *m_tsMode;
	const char *m_tsFont;
	// the animation clock: 0 stopped, 1 playing, 2 paused; clock time of
	// its last step
	int m_animationMode;
	double m_lastAnimationUpdate;
	// the open command servers, owned: a heap array of m_nbNetServers
	netServer **m_netServers;
	// -1 while the network is undecided: the first poll opens the default port
	int m_nbNetServers;
	// commands received over the network are echoed in the console
	bool m_displayNetworkCommands;
	// names of objects changed since the last network broadcast
	std::set<std::string> m_netVarChanges;
	// the dynamic statements, in the order added
	std::vector<dynStmtInfo> m_dynStmt;
	// set while updateDynStmts runs: removals wait until it ends
	bool m_dynStmtUpdating;
	unsigned long m_dynStmtChanges;
	// the window title as last given, without the product name
	std::string m_title;
	// the camera orientation of the last "eyeori" line read or written, when
	// there was one: the rotor and its bivector. The rotor a bivector reads
	// back as is rarely the one it was taken from to the last bit, and its
	// bivector again not that bivector: the line is repeated instead.
	bool m_eyeOriKnown;
	e3ga m_eyeOriRotor;
	e3ga m_eyeOriBivector;
	// Nothing may delete what runs it: the number of console commands and
	// cmd() lines running (their global scope must stay) and of script
	// files being read (the file stack must stay), and a clear of the scene
	// that a statement asked for; runDeferred carries out what waits.
	int m_commandNesting;
	int m_GAfileReadNesting;
	int m_clearRequested;

	// defaults of a new state
	static constexpr float sc_defaultFontSize = 20.0f;
	static constexpr float sc_defaultClipDistance = 5.0f;
	static constexpr float sc_defaultAmbient = 0.2f;
	static constexpr float sc_defaultDiffuse = 0.8f;
	// subdivision depths of the shared geodesic spheres: points are small on
	// screen, spheres may fill it
	static constexpr int sc_pointSphereDepth = 2;
	static constexpr int sc_sphereSphereDepth = 3;
	// the camera starts this far out along e3, looking at the origin
	static constexpr double sc_defaultCameraDistance = 11.0;
	// what a script file asks before it deletes itself, by default
	static constexpr const char *sc_defaultDeleteFileQuestion = "Delete %s?";
	// the extension of playlists, in any case (u_hasExtension): every
	// open of such a name plays it, and Save State writes no scene under it
	static constexpr const char *sc_playListExtension = ".gpl";
	// the extension of scene files, which Save State writes
	static constexpr const char *sc_sceneExtension = ".geo";
	// the extension of console-language source files, in any case: Open
	// reads such a name as console source, and Save State writes no scene
	// under it
	static constexpr const char *sc_sourceExtension = ".g";
	// states of the animation clock (m_animationMode)
	static constexpr int ANIMATION_STOPPED = 0;
	static constexpr int ANIMATION_PLAYING = 1;
	static constexpr int ANIMATION_PAUSED = 2;
	// the port the command server opens when the network is on from start-up
	static constexpr const char *sc_defaultNetPort = "6860";
	// the number format of the values sent to network clients: every digit
	// of a double
	static constexpr const char *sc_netNumberFormat = "%2.15e";

private:
	// What a command run by a network poll asked of the servers, done when
	// the poll has ended: the poll must not lose or grow what it walks.
	enum netRequestType { NET_OPEN, NET_CLOSE, NET_CLOSE_ALL };
	struct netRequest {
		netRequestType type;
		std::string port;
	};
	// set while the servers are polled
	bool m_netPolling;
	// the requests made while polling, in the order made
	std::vector<netRequest> m_netRequests;
	// Opens the default port when the network is undecided.
	void decideNetwork();
	void runNetRequests();

	// Reads the "play" lines of playlist file, with its arguments, into the
	// playlist; the working directory is that of the file afterwards.
	void readPlayListFile(const std::string &file, int nbArg, char **args);
	// Opens the nearest entry from the current one on in steps of step
	// that opens (next- and previousPlayListEntry).
	int stepPlayList(int step);

	// Removes entry idx at once, or marks it while an update runs.
	void dropDynStmt(size_t idx);
	// Runs one entry in the global scope and takes the names it read.
	void runDynStmt(dynStmtInfo &entry);

	template <class T, class V>
	int addAlgebraObject(const V &value, const std::string &name, int drawMode, int creationFlags, int forceFlags,
	                     bool restored);
};

extern state *g_state;

// Counts one running frame in a nesting counter of the state for as long as
// it lives, also when what runs throws.
class nestingGuard {
public:
	explicit nestingGuard(int &count) : m_count(count) { ++m_count; }
	~nestingGuard() { --m_count; }
	nestingGuard(const nestingGuard &) = delete;
	nestingGuard &operator=(const nestingGuard &) = delete;

private:
	int &m_count;
};
