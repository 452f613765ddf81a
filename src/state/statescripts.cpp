// The stack of open script files: a top-level file at the bottom, imports on
// top of it; opening at a level, switching, popping with the files' delete
// handling, the open deferred to the next tick, the per-file state, and the
// changes that wait until nothing they would delete is running.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <strings.h>
#include <vector>

#include "console/consoleglobalscope.h"
#include "files/gafile.h"
#include "scene/object.h"
#include "ui/scriptui.h"
#include "state/state.h"
#include "os/osdep.h"
#include "os/stringarray.h"

namespace {

// A script file's arguments, kept as strings while the file that held them goes.
struct argCopy {
	std::vector<std::string> text;
	std::vector<char *> ptr;

	argCopy(int n, char *const *args)
	{
		for (int i = 0; i < n; i++) text.push_back(args != nullptr && args[i] != nullptr ? args[i] : "");
		for (std::string &t : text) ptr.push_back(&t[0]);
	}
	int count() const { return (int)ptr.size(); }
	char **argv() { return ptr.empty() ? nullptr : ptr.data(); }
};

// The title of the main window while no script has given one.
constexpr const char *sc_untitled = "untitled";

// The files the stack holds at most: a top-level file and the imports
// nested on it. A presentation nests a handful; a file that imports itself,
// directly or through others, would grow the stack by a file a tick (or
// the call stack, through console lines that import at once) without end.
constexpr int sc_maxScriptNesting = 32;

// Whether file may be imported on top of the stack of s; else false, with
// the message that names the file and the reason. (What is no readable text
// file the reader refuses as on every other road.) An import nested too deep
// also ends the imports it was nested in: a file that imports itself twice
// would otherwise branch into ever more refused imports, one a tick.
bool importable(state &s, const std::string &file)
{
	if (s.m_GAfileStackDepth + 1 >= sc_maxScriptNesting) {
		cprintf("Not imported: '%s': imports nest at most %d files deep; does a file import itself? The imports "
		        "it was nested in are read no further\n",
		        file.c_str(), sc_maxScriptNesting);
		for (int i = 0; i <= s.m_GAfileStackDepth; i++)
			if (s.m_GAfileStack[i] != nullptr && s.m_GAfileStack[i]->m_closeAtEOF) s.m_GAfileStack[i]->m_abandoned = 1;
		return false;
	}
	return true;
}

} // namespace

int state::openGAfile(const char *name, int nbArg, char **args, int level)
{
	if (name == nullptr || name[0] == '\0') return 0;
	// the name and arguments may belong to what the reset below frees
	const std::string file(name);
	argCopy argv(nbArg, args);
	if (level == 1 && !importable(*this, file)) return -1;
	// a new top-level script, or a switch in place of the only file, starts
	// over; a file that cannot be read leaves the session as it is
	if (level == -1 || (level == 0 && m_GAfileStackDepth == 0)) {
		if (!GAfile::readable(file.c_str())) return -1;
		reset(file.c_str());
	}

	// the reader sees the depth it will have, to know whether it is the bottom file
	m_GAfileStackDepth++;
	GAfile *f = new GAfile(this, file.c_str(), level, m_deleteFileQuestion, argv.count(), argv.argv());
	m_GAfileStackDepth--;
	if (f->filename() == nullptr) {
		delete f;
		return -1;
	}

	if (level == 0 && m_GAfileStackDepth >= 0 && m_GAfileStack[m_GAfileStackDepth] != nullptr) {
		// the new file takes the place of the one on top, and its ending
		f->m_closeAtEOF = m_GAfileStack[m_GAfileStackDepth]->m_closeAtEOF;
		deleteTopOfGAfileStack(nullptr);
	} else if (level == 1) {
		f->m_closeAtEOF = 1;
	}

	GAfile **grown = static_cast<GAfile **>(std::realloc(m_GAfileStack, sizeof(GAfile *) * (m_GAfileStackDepth + 2)));
	if (grown == nullptr) {
		std::puts("state::openGAfile(): memory allocation error");
		delete f;
		return -1;
	}
	m_GAfileStack = grown;
	m_GAfileStack[++m_GAfileStackDepth] = f;
	return 0;
}

int state::openNamed(const char *name, int nbArg, char **args, int level)
{
	// the extension decides, as in the menu's Open
	if (name == nullptr || !u_hasExtension(name, sc_playListExtension)) return openGAfile(name, nbArg, args, level);
	if (level == 1) {
		cprintf("Not imported: '%s': it is a playlist; 'open' plays it\n", name);
		return -1;
	}
	return openPlayList(name);
}

int state::deleteTopOfGAfileStack(const char *name)
{
	if (m_GAfileStackDepth < 0) return 0;
	GAfile *top = m_GAfileStack[m_GAfileStackDepth];
	// the file is off the stack before its delete handling may ask the user
	// (and run the event loop meanwhile)
	const bool handle = top != nullptr && name != nullptr &&
	                    (strcasecmp(top->filename(), name) == 0 ||
	                     filenameOnGAfileStack(top->filename(), m_GAfileStackDepth - 1));
	m_GAfileStack[m_GAfileStackDepth--] = nullptr;
	if (m_GAfileStackDepth < 0) {
		std::free(m_GAfileStack);
		m_GAfileStack = nullptr;
	}
	if (handle) top->handleDelete();
	delete top;
	return 0;
}

int state::deleteGAfileStack(const char *name, int level)
{
	while (m_GAfileStackDepth >= level && m_GAfileStackDepth >= 0) deleteTopOfGAfileStack(name);
	return 0;
}

int state::filenameOnGAfileStack(const char *name, int depth)
{
	if (name == nullptr) return 0;
	const int d = depth < 0 || depth > m_GAfileStackDepth ? m_GAfileStackDepth : depth;
	for (int i = 0; i <= d; i++) {
		GAfile *f = m_GAfileStack[i];
		if (f != nullptr && f->filename() != nullptr && strcasecmp(f->filename(), name) == 0) return 1;
	}
	return 0;
}

int state::replayFirstGAfile()
{
	if (m_GAfileStackDepth < 0 || m_GAfileStack[0] == nullptr) return 0;
	const std::string name(m_GAfileStack[0]->filename());
	// a file gone meanwhile is not replayed: the files that run stay
	if (!GAfile::readable(name.c_str())) return -1;
	argCopy args(m_GAfileStack[0]->m_nbArg, m_GAfileStack[0]->m_arg);
	deleteGAfileStack(name.c_str(), 0);
	return openGAfile(name.c_str(), args.count(), args.argv(), -1);
}

int state::setOpenFile(const char *name, int nbArg, char **args, int level)
{
	// copies first: the request may be made from the pending one's own texts
	char *file = copyString(name);
	char **argv = copyStringArray(nbArg, args);
	freeOpenFile();
	m_openFilename = file;
	m_openFileNbArg = argv != nullptr ? nbArg : 0;
	m_openFileArg = argv;
	m_openFileLevel = level;
	return 0;
}

int state::freeOpenFile()
{
	std::free(m_openFilename);
	freeStringArray(m_openFileNbArg, m_openFileArg);
	m_openFilename = nullptr;
	m_openFileArg = nullptr;
	m_openFileNbArg = 0;
	m_openFileLevel = 0;
	return 0;
}

int state::resetGAfileState()
{
	m_rotTime = -1.0;
	m_trlTime = -1.0;
	// a search ends with the scene it ran in, and the chosen speed comes back
	bookmarkFound();
	m_fontSize = sc_defaultFontSize;
	m_inputSleepTime = -1.0;
	// labels of the next file start in the regular font, verbatim
	tsSetFont("regular");
	tsSetMode("verbatim");
	setInputWaitState(0);
	setTitle(sc_untitled);
	uiSetStatus("");
	return 0;
}

int state::removeAllObjectsButSystem()
{
	// the program's own variables and how they are drawn
	static const struct {
		const char *name;
		int drawMode;
	} c_system[] = {
		{sc_camOriName, DM_INTERNAL | DM_HIDE},
		{sc_camPosName, DM_INTERNAL | DM_HIDE | DM_MAGNITUDE},
		{"autocolor", DM_INTERNAL | DM_HIDE},
	};
	e3ga value[3];
	bool had[3] = {false, false, false};
	for (int i = 0; i < 3 && m_globalScope != nullptr; i++)
		had[i] = m_globalScope->externalLookupVariable(c_system[i].name, 1, value[i]) == 0;
	removeAllObjects();
	for (int i = 0; i < 3 && m_globalScope != nullptr; i++)
		if (had[i]) m_globalScope->externalAssignVariable(c_system[i].name, value[i], c_system[i].drawMode);
	return restoreConsoleControlVariables();
}

int state::clearScene()
{
	removeAllObjects();
	removeAllDynStmt();
	uiClearConsole();
	uiSetStatus("");
	newGlobalScope();
	return 0;
}

int state::readScripts()
{
	if (m_GAfileStackDepth >= 0 && m_GAfileStack[m_GAfileStackDepth] != nullptr)
		m_GAfileStack[m_GAfileStackDepth]->read(this);
	if (m_openFilename != nullptr) openPendingFile();
	// left by statements that ran outside a command (dynamic statements)
	return runDeferred(false);
}

int state::openPendingFile()
{
	// the request is no longer pending while it is carried out: a playlist
	// read meanwhile would stop before its first line for it, and a new
	// scene's reset may free its texts
	const std::string name(m_openFilename);
	argCopy args(m_openFileNbArg, m_openFileArg);
	const int level = m_openFileLevel;
	freeOpenFile();
	return openNamed(name.c_str(), args.count(), args.argv(), level);
}

int state::runDeferred(bool openToo)
{
	// a statement still runs in the global scope that these would replace
	if (m_commandNesting > 0) return 0;
	// a reset deletes every script file: it waits for the end of their reading
	if (m_GAfileReadNesting == 0 && m_globalScope != nullptr && m_globalScope->resetRequested()) {
		m_clearRequested = 0;
		reset();
	}
	if (m_clearRequested) {
		m_clearRequested = 0;
		clearScene();
	}
	// an import goes on top of a file being read; anything else replaces files
	if (!openToo || m_openFilename == nullptr || (m_openFileLevel != 1 && m_GAfileReadNesting > 0)) return 0;
	if (openPendingFile() != 0) return 0;
	// a file opened from the console is read up to its first pause at once
	if (m_GAfileStackDepth >= 0 && m_GAfileStack[m_GAfileStackDepth] != nullptr)
		m_GAfileStack[m_GAfileStackDepth]->read(this);
	return 0;
}
