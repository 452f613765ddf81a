// Directory iteration and the thin wrappers around the directory calls.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "os/osdep.h"

namespace {

// Permissions of a directory the program makes: the user's own, readable by all.
constexpr mode_t sc_newDirectoryMode = 0755;

} // namespace

u_dirEnt_s *u_dirOpen(const char *dirName, const char *)
{
	if (dirName == nullptr) {
		cprintf("dirOpen(): null pointer passed.\n");
		return nullptr;
	}
	u_dirEnt_s *d = new (std::nothrow) u_dirEnt_s{nullptr, nullptr, nullptr};
	if (d == nullptr) {
		cprintf("dirOpen(): memory allocation error for %d bytes.\n", (int)sizeof(u_dirEnt_s));
		return nullptr;
	}
	d->dirName = strdup(dirName);
	if (d->dirName == nullptr) {
		cprintf("dirOpen(): memory allocation error for %d bytes.\n", (int)std::strlen(dirName) + 1);
		delete d;
		return nullptr;
	}
	d->dir = opendir(dirName);
	if (d->dir == nullptr) {
		// the caller tells the user why
		const int error = errno;
		std::printf("can't open %s directory.\n", dirName);
		std::free(d->dirName);
		delete d;
		errno = error;
		return nullptr;
	}
	rewinddir(d->dir);
	return d;
}

int u_dirNext(u_dirEnt_s *d, char *name, int size)
{
	if (d == nullptr || d->dir == nullptr) return U_DIR_END;
	while ((d->dp = readdir(d->dir)) != nullptr) {
		const char *entry = d->dp->d_name;
		std::string path = u_joinPath(d->dirName, entry);
		// the entry itself, not what a link points to: a link to a directory
		// above would make every recursive walk endless
		struct stat st;
		if (lstat(path.c_str(), &st) != 0) {
			std::printf("cannot stat %s\n", path.c_str());
			continue;
		}
		// devices, pipes, links and sockets are no files to read
		if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) || S_ISLNK(st.st_mode) ||
		    S_ISSOCK(st.st_mode))
			continue;
		if (u_copyText(name, size, entry) != 0) {
			std::printf("dirNext(): name too long for its buffer: %s\n", path.c_str());
			continue;
		}
		return S_ISDIR(st.st_mode) ? U_DIR_DIRECTORY : U_DIR_FILE;
	}
	return U_DIR_END;
}

int u_dirFullName(u_dirEnt_s *d, const char *name, char *out, int size)
{
	if (d == nullptr || name == nullptr || out == nullptr) return -1;
	return u_copyText(out, size, u_joinPath(d->dirName, name).c_str());
}

void u_dirClose(u_dirEnt_s *d)
{
	if (d == nullptr) {
		cprintf("dirClose(): null pointer passed.\n");
		return;
	}
	if (d->dir != nullptr) closedir(d->dir);
	std::free(d->dirName);
	delete d;
}

int u_dirCreate(const char *path) { return path != nullptr && mkdir(path, sc_newDirectoryMode) == 0 ? 0 : -1; }

int u_dirFileDelete(const char *path) { return path != nullptr && unlink(path) == 0 ? 0 : -1; }

int u_dirDirDelete(const char *path) { return path != nullptr && rmdir(path) == 0 ? 0 : -1; }

int u_dirSetCwd(const char *path) { return path != nullptr && chdir(path) == 0 ? 0 : -1; }

int u_dirGetCwd(char *buf, int size)
{
	if (buf == nullptr || size <= 0) return -1;
	return getcwd(buf, size) != nullptr ? 0 : -1;
}

u_dirEnt_s *u_dirOpenOrCreate(const char *dirName, const char *filter)
{
	u_dirEnt_s *d = u_dirOpen(dirName, filter);
	if (d != nullptr) return d;
	if (u_dirCreate(dirName) != 0) return nullptr;
	return u_dirOpen(dirName, filter);
}
