#pragma once
// Files for the tests of readers and writers: a scratch directory that
// disappears with the test, and whole files read and written as bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

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
