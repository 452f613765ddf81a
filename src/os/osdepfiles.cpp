// File lengths, deletion, and the joining of names to directories and to the
// directory of a reference file.
#include <climits>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include <strings.h>
#include <unistd.h>

#include "os/osdep.h"

int fileLength(FILE *f)
{
	if (f == nullptr) {
		std::puts("fileLength(): invalid file pointer");
		return -1;
	}
	long position = std::ftell(f);
	if (position < 0) {
		std::puts("fileLength(): ftell() failed");
		return -1;
	}
	// the length is the position of the end; then back to where the file was
	if (std::fseek(f, 0, SEEK_END) != 0) {
		std::puts("fileLength(): fseek() failed");
		return -1;
	}
	long length = std::ftell(f);
	if (std::fseek(f, position, SEEK_SET) != 0) {
		std::puts("fileLength(): fseek() failed");
		return -1;
	}
	if (length < 0) {
		std::puts("fileLength(): ftell() failed");
		return -1;
	}
	// a length the result cannot hold would come back wrapped around
	if (length > INT_MAX) {
		std::puts("fileLength(): file too long");
		return -1;
	}
	return (int)length;
}

int fileLengthByName(const char *name)
{
	std::string why;
	FILE *f = u_openRegularFile(name, why);
	if (f == nullptr) {
		cprintf("fileLengthByName(): can not open '%s'\n", name ? name : "");
		return -1;
	}
	int length = fileLength(f);
	std::fclose(f);
	return length;
}

int deleteFile(const char *name) { return name != nullptr && unlink(name) == 0 ? 0 : -1; }

int fullFilename(char *out, int outSize, const char *reference, const char *name)
{
	if (name == nullptr || out == nullptr) return -1;
	// the directory of the reference ends at its last backslash, else its last slash
	const char *separator = nullptr;
	if (reference != nullptr && name[0] != '/') {
		separator = std::strrchr(reference, '\\');
		if (separator == nullptr) separator = std::strrchr(reference, '/');
	}
	std::string result = separator ? std::string(reference, separator + 1) + name : std::string(name);
	return u_copyText(out, outSize, result.c_str());
}

std::string u_joinPath(const std::string &dir, const std::string &name)
{
	if (dir.empty()) return name;
	if (name.empty()) return dir;
	const bool dirEnds = dir.back() == '/', nameBegins = name.front() == '/';
	if (dirEnds && nameBegins) return dir + name.substr(1);
	return dirEnds || nameBegins ? dir + name : dir + "/" + name;
}

std::string u_extensionOf(const std::string &name)
{
	const std::string::size_type slash = name.rfind('/');
	const std::string::size_type start = slash == std::string::npos ? 0 : slash + 1;
	const std::string::size_type dot = name.rfind('.');
	return dot != std::string::npos && dot > start ? name.substr(dot) : "";
}

bool u_hasExtension(const std::string &name, const char *extension)
{
	return extension != nullptr && strcasecmp(u_extensionOf(name).c_str(), extension) == 0;
}

namespace {

// path as an absolute name without "." and ".." parts that names the same
// file (the process's directory in front of a relative one). The parts are
// taken out by their text; but a ".." after a link goes up from where the
// link points, so when the name found so is another file than path's, it
// is the file's real name, links resolved. Empty, with error set, when
// there is no absolute name.
std::filesystem::path absoluteSameFile(const std::string &path, std::error_code &error)
{
	namespace fs = std::filesystem;
	const fs::path given = fs::absolute(path, error);
	if (error) return {};
	const fs::path normal = given.lexically_normal();
	std::error_code e;
	if (normal == given || !fs::exists(given, e) || fs::equivalent(given, normal, e)) return normal;
	const fs::path real = fs::canonical(given, e);
	return e ? normal : real;
}

// file's name relative to folder, when the text of file names it in folder
// or below; empty when it climbs out of folder ("../x") or is folder itself.
std::filesystem::path nameBelow(const std::filesystem::path &file, const std::filesystem::path &folder)
{
	const std::filesystem::path relative = file.lexically_relative(folder);
	if (relative.empty() || *relative.begin() == ".." || *relative.begin() == ".") return {};
	return relative;
}

} // namespace

std::string u_nameRelativeTo(const std::string &path, const std::string &dir)
{
	std::error_code error;
	const std::filesystem::path file = absoluteSameFile(path, error);
	if (error) return path;
	const std::filesystem::path folder = absoluteSameFile(dir, error);
	if (error) return file.string();
	if (const std::filesystem::path relative = nameBelow(file, folder); !relative.empty()) return relative.string();
	// the same folder may be reached by another name: through a link to it,
	// or by its real name where dir goes through a link (a program started
	// in a linked folder knows it by its real name). The nearest folder
	// above the file that is dir itself, by the file system's identity,
	// names the file relative to dir however either path was reached.
	std::error_code e;
	for (std::filesystem::path up = file.parent_path(); !up.empty(); up = up.parent_path()) {
		if (std::filesystem::equivalent(up, folder, e)) return file.lexically_relative(up).string();
		if (up == up.root_path()) break;
	}
	// none: the absolute name, which no move of dir changes
	return file.string();
}

int u_copyText(char *out, int size, const char *text)
{
	size_t length = std::strlen(text) + 1;
	if (out == nullptr || size <= 0 || length > (size_t)size) return -1;
	std::memcpy(out, text, length);
	return 0;
}
