// The file commands of the menu: scene scripts, playlists, console-language
// source files and directories, and saving the scene, each asking for its
// file with the toolkit's chooser.
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "ui/filechooser.h"
#include "ui/scriptui.h"
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
	// the extension decides, as in Open: a playlist is played, never read
	// as a scene
	if (u_hasExtension(file, state::sc_playListExtension)) return openPlayList(file.c_str());
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
	// the extension decides, in any case
	if (u_hasExtension(file, state::sc_sceneExtension)) return openGeoFile(file.c_str());
	if (u_hasExtension(file, state::sc_playListExtension)) return openPlayList(file.c_str());
	if (u_hasExtension(file, state::sc_sourceExtension)) return loadGFile(file.c_str());
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

bool UIstate::mayReplace(const std::string &file)
{
	std::error_code error;
	if (!std::filesystem::exists(file, error)) return true;
	const std::string question = "The file '" + file + "' exists. Replace it?";
	return uiAskYesNo(question.c_str());
}

int UIstate::saveState()
{
	const char *name = askForFile("Save file", "*.geo", "");
	if (name == nullptr) return 0;
	std::string file = name;
	// a scene file is what Open takes: a name typed without extension gets
	// the one of scene files
	if (u_extensionOf(file).empty()) file += state::sc_sceneExtension;
	// a playlist's or a source file's name would never open as the scene;
	// a pipe, a device or a directory is no file to save in, nor is one the
	// user may not write: each refused before the question, which would be
	// asked in vain
	std::string refused = state::sceneNameRefusal(file.c_str());
	const std::string why = refused.empty() ? u_whyNotWritable(file.c_str()) : "";
	if (!why.empty()) refused = u_quotedIs(file.c_str(), why);
	if (!refused.empty()) {
		cprintf("Scene not saved: %s\n", refused.c_str());
		return 0;
	}
	// a file that is there (the user's own script, a name the chooser
	// completed) is replaced only when the user says so
	if (!mayReplace(file)) {
		// said, so that no one takes the file for the scene of the moment
		cprintf("Scene not saved: '%s' exists\n", file.c_str());
		return 0;
	}
	if (g_state->writeStateToGeoFile(file.c_str()) == 0) cprintf("Scene saved in '%s'\n", file.c_str());
	return 0;
}
