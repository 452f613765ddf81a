#pragma once
// What each object of a state writes of itself in a saved scene, by name:
// two states hold the same objects when these are equal. The program's own
// variables are left out, as the writer leaves them out.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "scene/object.h"
#include "state/state.h"

inline std::map<std::string, std::string> savedObjectLines(const state &s)
{
	std::map<std::string, std::string> lines;
	for (const auto &kv : s.m_objects) {
		if (kv.second->m_drawMode & DM_INTERNAL) continue;
		char *buf = nullptr;
		size_t size = 0;
		FILE *F = open_memstream(&buf, &size);
		kv.second->writeToGeoFile(F);
		std::fclose(F);
		lines[*kv.first] = std::string(buf, size);
		std::free(buf);
	}
	return lines;
}
