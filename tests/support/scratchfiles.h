#pragma once
// Files for the tests of readers and writers: a scratch directory that
// disappears with the test, the process working in another directory,
// whole files read and written as bytes, and a full disk.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "os/osdep.h"

typedef std::vector<unsigned char> bytes;

struct scratchDir {
	std::string path;
	scratchDir()
	{
		char name[] = "/tmp/korimbel_test_XXXXXX";
		path = mkdtemp(name);
	}
	~scratchDir() { std::filesystem::remove_all(path); }
	std::string file(const std::string &name) const { return path + "/" + name; }
};

// The process works in another directory while the value lives.
struct workingIn {
	char saved[PATH_MAX];
	explicit workingIn(const std::string &dir)
	{
		EXPECT_EQ(u_dirGetCwd(saved, sizeof saved), 0);
		EXPECT_EQ(u_dirSetCwd(dir.c_str()), 0);
	}
	~workingIn() { u_dirSetCwd(saved); }
	static std::string now()
	{
		char cwd[PATH_MAX];
		return u_dirGetCwd(cwd, sizeof cwd) == 0 ? cwd : "";
	}
};

// The whole file; nothing when it cannot be opened.
inline bytes readFile(const std::string &name)
{
	bytes data;
	FILE *f = fopen(name.c_str(), "rb");
	if (f == nullptr) return data;
	int c;
	while ((c = fgetc(f)) != EOF) data.push_back((unsigned char)c);
	fclose(f);
	return data;
}

inline void writeFile(const std::string &name, const bytes &data)
{
	FILE *f = fopen(name.c_str(), "wb");
	ASSERT_NE(f, nullptr);
	if (!data.empty()) fwrite(data.data(), 1, data.size(), f);
	fclose(f);
}

// While it lives, no file of the process grows beyond sc_bytes (room for a
// message captured from standard output, not for a scene or an image): a write
// past them fails as on a full disk (the writers refuse a device such as
// /dev/full, which is no regular file).
struct fullDisk {
	static constexpr rlim_t sc_bytes = 512;
	rlimit m_old{};
	void (*m_oldSignal)(int) = SIG_DFL;
	fullDisk()
	{
		getrlimit(RLIMIT_FSIZE, &m_old);
		// the write fails instead of ending the process
		m_oldSignal = std::signal(SIGXFSZ, SIG_IGN);
		rlimit small = m_old;
		small.rlim_cur = sc_bytes;
		setrlimit(RLIMIT_FSIZE, &small);
	}
	~fullDisk()
	{
		setrlimit(RLIMIT_FSIZE, &m_old);
		std::signal(SIGXFSZ, m_oldSignal);
	}
	fullDisk(const fullDisk &) = delete;
	fullDisk &operator=(const fullDisk &) = delete;
};
