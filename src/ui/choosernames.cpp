#include "ui/choosernames.h"

#include <FL/filename.H>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace choosername {

std::string homeExpanded(const std::string &name)
{
	if (name.empty() || name[0] != '~') return name;
	const size_t slash = std::min(name.find('/'), name.size());
	const std::string first = name.substr(0, slash);
	if (first.find('$') != std::string::npos || first.size() >= FL_PATH_MAX) return name;
	char home[FL_PATH_MAX];
	fl_filename_expand(home, sizeof home, first.c_str());
	return home + name.substr(slash);
}

std::string absoluteName(const std::string &name)
{
	std::string absolute = homeExpanded(name);
	if (absolute.empty() || absolute[0] != '/') {
		std::error_code error;
		std::string here = std::filesystem::current_path(error).string();
		if (here.empty() || here.back() != '/') here += '/';
		absolute = here + absolute;
	}
	// "name/" and "name/." are the directory name itself
	while (absolute.size() > 1 && (absolute.back() == '/' || absolute.compare(absolute.size() - 2, 2, "/.") == 0))
		absolute.pop_back();
	return absolute;
}

std::string directoryOf(const std::string &name)
{
	const std::string expanded = homeExpanded(name);
	const size_t slash = expanded.rfind('/');
	if (slash == std::string::npos) return ".";
	if (slash == 0) return "/";
	return expanded.substr(0, slash);
}

bool isDirectory(const std::string &name)
{
	std::error_code error;
	return std::filesystem::is_directory(name, error);
}

} // namespace choosername
