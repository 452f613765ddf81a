#include "draw/colors.h"

#include <strings.h>

#include <cctype>

namespace {

struct namedColor {
	const char *shortName, *name;
	float r, g, b;
};

// Tried in this order.
const namedColor sc_colors[] = {
    {"r", "red", 1.0f, 0.0f, 0.0f},
    {"g", "green", 0.0f, 1.0f, 0.0f},
    {"b", "blue", 0.0f, 0.0f, 1.0f},
    {"w", "white", 1.0f, 1.0f, 1.0f},
    {"m", "magenta", 1.0f, 0.0f, 1.0f},
    {"y", "yellow", 1.0f, 1.0f, 0.0f},
    {"c", "cyan", 0.0f, 1.0f, 1.0f},
    {"k", "black", 0.0f, 0.0f, 0.0f},
    {"grey", "gray", 0.5f, 0.5f, 0.5f},
};

} // namespace

int getColor(const char *name, float *c)
{
	if (name == nullptr) return -1;
	// a name that begins with neither name's letter is neither
	const int first = std::tolower((unsigned char)name[0]);
	for (const namedColor &row : sc_colors) {
		if (first != std::tolower((unsigned char)row.shortName[0]) && first != std::tolower((unsigned char)row.name[0]))
			continue;
		if (strcasecmp(name, row.shortName) == 0 || strcasecmp(name, row.name) == 0)
			return setColor(c, row.r, row.g, row.b, 1.0f);
	}
	return -1;
}

int setColor(float *c, float r, float g, float b, float a)
{
	c[0] = r;
	c[1] = g;
	c[2] = b;
	c[3] = a;
	return 0;
}
