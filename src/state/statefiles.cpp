// The working directory against which relative file names are resolved,
// and the directory of a saved scene, against which its pictures are named.
#include <climits>

#include "os/osdep.h"
#include "state/state.h"

namespace {

// Whether a file's name in a scene is read as it is, joined to no
// directory: an absolute name, or one that begins with "~", which scene
// files have always had read so (a chooser takes it as a name from home).
bool readAsItIs(const std::string &name) { return !name.empty() && (name[0] == '/' || name[0] == '~'); }

// dir as a directory that names the same place from any process directory:
// a relative one is taken against the process's directory now, and none
// (empty) stays none.
std::string absoluteDirectory(const std::string &dir)
{
	if (dir.empty() || readAsItIs(dir)) return dir;
	// the longest path the system names
	char cwd[PATH_MAX];
	if (u_dirGetCwd(cwd, sizeof cwd) != 0) return dir;
	// "." and leading "./" name the process's directory itself
	std::string::size_type from = 0;
	while (from != std::string::npos && dir.compare(from, 2, "./") == 0) from = dir.find_first_not_of('/', from + 1);
	if (from == std::string::npos || dir.compare(from, std::string::npos, ".") == 0) return cwd;
	return u_joinPath(cwd, dir.substr(from));
}

} // namespace

void state::setWorkingDirectory(const std::string &path, bool fromFileName)
{
	std::string directory = path;
	if (fromFileName) {
		// the directory of a file name: all before its last separator
		std::string::size_type separator = path.find_last_of("/\\");
		if (separator == std::string::npos)
			directory = "."; // a bare file name lies in the current directory
		else if (separator == 0)
			directory = path.substr(0, 1); // a file in the root directory
		else
			directory = path.substr(0, separator);
	}
	// names made absolute with it are saved in scenes and read again from
	// wherever the program runs then
	m_workingDirectory = absoluteDirectory(directory);
}

std::string state::fullFilename(const std::string &name) const
{
	// names read as they are, and names with no directory to go by, stay
	if (m_workingDirectory.empty() || readAsItIs(name)) return name;
	return u_joinPath(m_workingDirectory, name);
}

std::string state::savedPictureName(const std::string &name) const
{
	if (m_savingDirectory.empty() || name.empty()) return name;
	// the picture was opened by its name as it stands, a relative one from
	// the process's directory: it is named from the saved file's
	// directory, or by its absolute name
	const std::string saved = u_nameRelativeTo(name, m_savingDirectory);
	// a relative name that the reader would take as it is ("~pic.png") is
	// read from the saved file's directory when it begins with "./"
	return saved[0] != '/' && readAsItIs(saved) ? "./" + saved : saved;
}
