// The file commands of the menu: scene scripts, playlists, console-language
// source files and directories, and saving the scene, each asking for its
// file with the toolkit's chooser.
#include <cstring>
#include <string>
#include <vector>

#include "ui/filechooser.h"
#include "os/osdep.h"
#include "state/state.h"
#include "ui/ui.h"

namespace {

// The chooser's filter: each pattern one choice of its own, the first in force.
std::string chooserFilter(const std::vector<std::string> &patterns)
{
	std::string filter;
	for (const std::string &p : patterns) {
		if (!filter.empty()) filter += '\t';
		filter += p;
	}
	return filter;
}

// The extension of name: from its last "." on, or "" when it has none.
std::string extensionOf(const char *name)
{
	const char *dot = std::strrchr(name, '.');
	return dot != nullptr ? dot : "";
}

} // namespace

const char *UIstate::genericOpenFile(const std::string &title, const std::vector<std::string> &patterns,
                                     const std::string &previous)
{
	return askForFile(title.c_str(), chooserFilter(patterns).c_str(), previous.c_str());
}

int UIstate::openGeoFile(const char *name)
{
	if (name == nullptr) name = genericOpenFile("Open geo file: ", {"*.geo", "*.*"}, m_prevGeoFile);
	if (name == nullptr) return 0;
	// the chooser's text is the toolkit's, and gone with the next chooser
	const std::string file = name;
	// a file that cannot be read changes nothing, the playlist included
	const int result = g_state->openGAfile(file.c_str(), 0, nullptr, -1);
	if (result != 0) return result;
	m_prevGeoFile = m_prevAnyFile = file;
	g_state->clearPlayList();
	return result;
}

int UIstate::openPlayList(const char *name)
{
	if (name == nullptr) name = genericOpenFile("Open gpl file: ", {"*.gpl", "*.*"}, m_prevGPLFile);
	if (name == nullptr) return 0;
	const std::string file = name;
	const int result = g_state->openPlayList(file.c_str());
	if (result == 0) m_prevGPLFile = m_prevAnyFile = file;
	return result;
}

int UIstate::loadGFile(const char *name)
{
	if (name == nullptr) name = genericOpenFile("Open g file: ", {"*.g", "*.*"}, m_prevGFile);
	if (name == nullptr) return 0;
	const std::string file = name;
	m_prevGFile = m_prevAnyFile = file;
	const int result = g_state->consoleSourceFileRead(file.c_str());
	g_state->updateDynStmts();
	return result;
}

int UIstate::openAnyFile()
{
	const char *name = genericOpenFile("open file: ", {"*.*", "*.geo", "*.gpl", "*.g"}, m_prevAnyFile);
	if (name == nullptr) return 0;
	const std::string file = name;
	// the extension decides, exactly as written
	const std::string extension = extensionOf(file.c_str());
	if (extension == ".geo") return openGeoFile(file.c_str());
	if (extension == ".gpl") return openPlayList(file.c_str());
	if (extension == ".g") return loadGFile(file.c_str());
	cprintf("Can not handle file '%s'\n", file.c_str());
	return 0;
}

int UIstate::loadGDir()
{
	const char *dir = askForFile("Open dir", nullptr, nullptr, true);
	if (dir == nullptr) return 0;
	const std::string directory = dir;
	g_state->consoleSourceDirRead(directory.c_str());
	g_state->updateDynStmts();
	return 0;
}

int UIstate::saveState()
{
	const char *name = askForFile("Save file", "*.geo", "");
	if (name == nullptr) return 0;
	const std::string file = name;
	g_state->writeStateToGeoFile(file.c_str());
	return 0;
}
