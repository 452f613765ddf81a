#pragma once
// A font that measures like the built-in texture font but has no texture:
// layout and measuring are tested with it without an OpenGL context.
#include <cstdlib>

#include "typeset/fontdata.h"
#include "typeset/openglfont.h"

namespace measurefont {

constexpr const char *c_name = "measuring";

// Makes the measuring font current, adding it to the font cache once.
inline void use()
{
	static bool s_added = false;
	if (!s_added) {
		oglfFontInfo *f = oglfReadDescription(fontDesc, c_name);
		if (!f)
			abort();
		// Glyph aspects as the loader computes them, pixels over height.
		for (int i = 0; i < f->nChars; i++)
			f->c[i].w2 = f->c[i].w / f->height;
		oglfThreadInfo &t = g_oglfThreadInfo;
		t.fonts = static_cast<oglfFontInfo **>(realloc(t.fonts, sizeof(oglfFontInfo *) * (size_t)(t.nFonts + 1)));
		t.fonts[t.nFonts++] = f;
		s_added = true;
	}
	oglffont(c_name);
}

// The advance of a glyph code at height 1.
inline double aspect(int code) { return oglfCharWidth(code); }

} // namespace measurefont
