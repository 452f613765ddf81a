// The colour defaults of the state, set by slot name and by colour name.
#include <cstdio>

#include <strings.h>

#include "draw/colors.h"
#include "state/state.h"
#include "ui/ui.h"

float *state::getColorPtr(const char *which)
{
	if (which != nullptr) {
		if (strcasecmp(which, "fgcolor") == 0) return m_fgColor;
		if (strcasecmp(which, "bgcolor") == 0) return m_bgColor;
		if (strcasecmp(which, "olcolor") == 0) return m_olColor;
		if (strcasecmp(which, "cvcolor") == 0) return m_cvColor;
	}
	std::printf("state::getColorPtr(): unknown color name '%s'\n", which ? which : "");
	return nullptr;
}

int state::setColor(const char *which, float r, float g, float b, float a)
{
	float *c = getColorPtr(which);
	if (c == nullptr) return -1;
	const int result = ::setColor(c, r, g, b, a);
	// the canvas shows at once; the other colours wait for the objects made next
	if (c == m_cvColor) uiRedrawView();
	return result;
}

int state::setColor(const char *which, const char *colorName)
{
	float c[4];
	if (getColor(colorName, c) != 0) {
		std::printf("state::setColor(): unknown color '%s'\n", colorName ? colorName : "");
		return -1;
	}
	return setColor(which, c[0], c[1], c[2], c[3]);
}
