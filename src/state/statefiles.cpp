// The working directory against which relative file names are resolved.
#include "state/state.h"

void state::setWorkingDirectory(const std::string &path, bool fromFileName)
{
	if (!fromFileName) {
		m_workingDirectory = path;
		return;
	}
	// the directory of a file name: all before its last separator
	std::string::size_type separator = path.find_last_of("/\\");
	if (separator == std::string::npos)
		m_workingDirectory.clear(); // a bare file name lies in the current directory
	else if (separator == 0)
		m_workingDirectory = path.substr(0, 1); // a file in the root directory
	else
		m_workingDirectory = path.substr(0, separator);
}

std::string state::fullFilename(const std::string &name) const
{
	// absolute names, names from home, and names with no directory to go by stay
	if (m_workingDirectory.empty() || (!name.empty() && (name[0] == '/' || name[0] == '~'))) return name;
	return m_workingDirectory + "/" + name;
}
