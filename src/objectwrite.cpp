// The scene-file lines that every kind of object shares: its colours and
// font size before its own line, and the flag words of its draw modes and
// draw method after it.
#include <cstdio>

#include "object.h"

namespace {

// The flag word of each draw-mode bit, in the order they are written.
struct drawModeWord {
	int bit;
	const char *word;
};
const drawModeWord c_drawModeWords[] = {
	{DM_HIDE, "hide "},         {DM_STIPPLE, "stipple "},     {DM_ORI, "orientation "}, {DM_WIREFRAME, "wireframe "},
	{DM_MAGNITUDE, "magnitude "}, {DM_SHADE, "shade "},         {DM_OUTLINE, "outline "},
};

void writeColor(FILE *F, const char *keyword, const float *c)
{
	std::fprintf(F, "%s %f %f %f %f\n", keyword, c[0], c[1], c[2], c[3]);
}

} // namespace

int object::writeToGeoFile(FILE *F)
{
	writeColor(F, "fgcolor", m_fgColor);
	writeColor(F, "bgcolor", m_bgColor);
	writeColor(F, "olcolor", m_olColor);
	std::fprintf(F, "fontsize %f\n", m_fontSize);
	return std::ferror(F) ? -1 : 0;
}

int object::writeToGeoFileProperties(FILE *F)
{
	for (const drawModeWord &w : c_drawModeWords)
		if (m_drawMode & w.bit) std::fputs(w.word, F);
	// the reader's "dmN" is the method's index plus one
	if (m_dmMenuIdx >= 0) std::fprintf(F, "dm%d", m_dmMenuIdx + 1);
	return std::ferror(F) ? -1 : 0;
}
