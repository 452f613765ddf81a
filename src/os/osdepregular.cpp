// Regular files: every file the user names is opened through these, which
// open nothing but a regular file. A pipe or a device would hold the program
// at its opening or at its first byte, and a directory reads as nothing.
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "os/osdep.h"

namespace {

// Permissions of a file the program makes: what the user's umask leaves.
constexpr mode_t sc_newFileMode = 0666;

// What keeps the file of st from being a regular file; "" when it is one.
std::string notRegular(const struct stat &st)
{
	if (S_ISDIR(st.st_mode)) return u_isDirectory;
	return S_ISREG(st.st_mode) ? "" : u_isNotRegular;
}

// fd (open without waiting) as a FILE of mode, waiting again as files do;
// null, fd closed, with why set when fd is no regular file or the opening
// failed.
FILE *regularStream(int fd, const char *mode, std::string &why)
{
	struct stat st;
	if (fd < 0) {
		why = u_systemWhy(errno);
		return nullptr;
	}
	// what the name stands for now: it may have changed since it was looked at
	why = fstat(fd, &st) == 0 ? notRegular(st) : u_isNotRegular;
	if (!why.empty()) {
		close(fd);
		return nullptr;
	}
	const int flags = fcntl(fd, F_GETFL);
	FILE *f = flags != -1 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0 ? fdopen(fd, mode) : nullptr;
	if (f == nullptr) {
		why = u_systemWhy(errno);
		close(fd);
	}
	return f;
}

// The directory a new file of name would be made in.
std::string directoryOf(const char *name)
{
	const std::filesystem::path parent = std::filesystem::path(name).parent_path();
	return parent.empty() ? "." : parent.string();
}

// name in single quotes, then why after beforeWhatItIs when it tells what
// the file is, else after a colon
std::string quotedName(const char *name, const std::string &why, const char *beforeWhatItIs)
{
	const std::string quoted = "'" + std::string(name != nullptr ? name : "") + "'";
	if (why.empty()) return quoted;
	return quoted + (u_whyTellsWhatItIs(why) ? beforeWhatItIs : ": ") + why;
}

} // namespace

std::string u_systemWhy(int error)
{
	// the system's text begins a sentence; in a message it follows a colon
	std::string why = std::strerror(error);
	if (!why.empty()) why[0] = (char)std::tolower((unsigned char)why[0]);
	return why;
}

bool u_whyTellsWhatItIs(const std::string &why) { return why.compare(0, 3, "is ") == 0; }

std::string u_notRegularFile(const char *name)
{
	struct stat st;
	if (name == nullptr || stat(name, &st) != 0) return "";
	return notRegular(st);
}

std::string u_whyNotWritable(const char *name)
{
	if (name == nullptr) return u_systemWhy(EINVAL);
	const std::string why = u_notRegularFile(name);
	if (!why.empty()) return why;
	if (access(name, W_OK) == 0) return "";
	if (errno != ENOENT) return u_systemWhy(errno);
	// a new file: its directory takes it, or says why not
	return access(directoryOf(name).c_str(), W_OK | X_OK) == 0 ? "" : u_systemWhy(errno);
}

FILE *u_openRegularFile(const char *name, std::string &why)
{
	why = u_notRegularFile(name);
	if (name == nullptr || !why.empty()) return nullptr;
	// a pipe put in its place meanwhile opens at once, and is refused
	return regularStream(open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC), "rb", why);
}

FILE *u_createRegularFile(const char *name, const char *mode, std::string &why)
{
	why = u_notRegularFile(name);
	if (name == nullptr || !why.empty()) return nullptr;
	// no truncation at the opening: it would reach a device put in its place
	const int readWrite = std::strchr(mode, '+') != nullptr ? O_RDWR : O_WRONLY;
	FILE *f = regularStream(open(name, readWrite | O_CREAT | O_NONBLOCK | O_CLOEXEC, sc_newFileMode), mode, why);
	if (f != nullptr && ftruncate(fileno(f), 0) != 0) {
		why = u_systemWhy(errno);
		std::fclose(f);
		return nullptr;
	}
	return f;
}

FILE *u_openTextFile(const char *name, std::string &why)
{
	FILE *f = u_openRegularFile(name, why);
	if (f == nullptr) return nullptr;
	// no text holds a NUL byte, where images and archives have one near
	// their start
	char block[u_textProbeLength];
	const size_t n = std::fread(block, 1, sizeof block, f);
	std::rewind(f);
	if (std::memchr(block, '\0', n) == nullptr) return f;
	std::fclose(f);
	why = u_isNotText;
	return nullptr;
}

bool u_readableTextFile(const char *name, std::string &why)
{
	FILE *f = u_openTextFile(name, why);
	if (f != nullptr) std::fclose(f);
	return f != nullptr;
}

std::string u_quotedWithWhy(const char *name, const std::string &why) { return quotedName(name, why, ": it "); }

std::string u_quotedIs(const char *name, const std::string &why) { return quotedName(name, why, " "); }
