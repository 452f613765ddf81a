#include "colorname.h"

#include <strings.h>

namespace {

struct colorName_s {
	const char *shortName, *name;
	float r, g, b;
};

// Tried in this order.
const colorName_s c_colorNames[] = {
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
	if (!name)
		return -1;
	for (const colorName_s &row : c_colorNames)
		if (strcasecmp(name, row.shortName) == 0 || strcasecmp(name, row.name) == 0) {
			c[0] = row.r;
			c[1] = row.g;
			c[2] = row.b;
			c[3] = 1.0f;
			return 0;
		}
	return -1;
}
