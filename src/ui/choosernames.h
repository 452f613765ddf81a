#pragma once
// How a chooser reads a file name: a leading "~" is a home directory, every
// other character the name's own, whatever its length.
#include <string>

namespace choosername {

// A name with a leading "~" or "~user" taken as that home directory; the
// rest of it, "$" and "~" included, is the name's own.
std::string homeExpanded(const std::string &name);
// The absolute name of a file or directory name (relative to the working
// directory), without a "/" or "/." at its end (but for the root).
std::string absoluteName(const std::string &name);
// The directory part of a file name: all before its last "/" ("/" for a
// file in the root, "." for a bare name); a name from home counts as a
// name in home.
std::string directoryOf(const std::string &name);
// Whether name is an existing directory (or a link to one).
bool isDirectory(const std::string &name);

} // namespace choosername
