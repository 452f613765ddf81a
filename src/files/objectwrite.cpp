// The scene-file lines of every kind of object: the colours and font size
// that every kind writes before its own line, the flag words of its draw
// modes and draw method after it, and each kind's own lines. Names and
// texts are quoted so that they read back as written, and coordinates are
// written with every digit.
#include <cstdio>
#include <string>

#include "files/gafile.h"
#include "scene/gaobject.h"
#include "scene/meshobject.h"
#include "scene/object.h"
#include "scene/polygonobject.h"
#include "scene/textobject.h"
#include "state/state.h"

namespace {

// The flag word of each draw-mode bit, in the order they are written.
struct flagWord {
	int bit;
	const char *word;
};
const flagWord c_drawModeWords[] = {
	{DM_HIDE, "hide "},           {DM_STIPPLE, "stipple "}, {DM_ORI, "orientation "}, {DM_WIREFRAME, "wireframe "},
	{DM_MAGNITUDE, "magnitude "}, {DM_SHADE, "shade "},     {DM_OUTLINE, "outline "},
};
const flagWord c_labelFlagWords[] = {
	{LF_2D, "flag_2d "},           {LF_3D, "flag_3d "},          {LF_CX, "flag_cx "},
	{LF_CY, "flag_cy "},           {LF_PX, "flag_px "},          {LF_PY, "flag_py "},
	{LF_NX, "flag_nx "},           {LF_NY, "flag_ny "},          {LF_ACX, "flag_acx "},
	{LF_DYNAMIC, "flag_dynamic "}, {LF_IMAGE, "flag_image "},    {LF_FULLSCREEN, "flag_fullscreen "},
};
// A mesh's normal mode: the first word whose bit it has.
const flagWord c_normalModeWords[] = {
	{OC_COMPUTE_NORMALS_FLAT, "compute_normals_flat "},
	{OC_COMPUTE_NORMALS_GOURAUD, "compute_normals_gouraud "},
	{OC_SPECIFY_NORMALS, "specify_normals "},
};

// Grade-usage bitmap of a vector.
constexpr int GRADE1 = 0x2;

template <size_t N> void writeWords(FILE *F, const flagWord (&words)[N], int bits)
{
	for (const flagWord &w : words)
		if (bits & w.bit) std::fputs(w.word, F);
}

std::string quoted(const std::string &text) { return GAfile::quoted(text); }

// The coordinates of a vector as the value text of a line.
const char *vectorText(const double *c)
{
	e3ga v;
	v.set(GRADE1, c);
	return v.storedString();
}

int streamResult(FILE *F) { return std::ferror(F) ? -1 : 0; }

} // namespace

int object::writeToGeoFile(FILE *F)
{
	GAfile::writeColor(F, "fgcolor", m_fgColor);
	GAfile::writeColor(F, "bgcolor", m_bgColor);
	GAfile::writeColor(F, "olcolor", m_olColor);
	std::fprintf(F, "fontsize %f\n", m_fontSize);
	return streamResult(F);
}

int object::writeToGeoFileProperties(FILE *F)
{
	writeWords(F, c_drawModeWords, m_drawMode);
	// the reader's "dmN" is the method's index plus one
	if (m_dmMenuIdx >= 0) std::fprintf(F, "dm%d", m_dmMenuIdx + 1);
	return streamResult(F);
}

namespace {

// The lines of an algebra object; words go before its property words.
template <class V> int writeValueLines(FILE *F, gaObject<V> &obj, const char *words)
{
	obj.object::writeToGeoFile(F);
	std::fprintf(F, "%s %s [%s] %s", gaObjectKind<V>::fileKeyword, quoted(obj.m_name).c_str(), obj.m_mv.storedString(),
	             words);
	obj.writeToGeoFileProperties(F);
	std::fputc('\n', F);
	return streamResult(F);
}

} // namespace

template <class V> int gaObject<V>::writeToGeoFile(FILE *F) { return writeValueLines(F, *this, ""); }

template <class V> int gaObject<V>::writeRestoreToGeoFile(FILE *F) { return writeValueLines(F, *this, "restore "); }

template int gaObject<e3ga>::writeToGeoFile(FILE *F);
template int gaObject<p3ga>::writeToGeoFile(FILE *F);
template int gaObject<c3ga>::writeToGeoFile(FILE *F);
template int gaObject<i2ga>::writeToGeoFile(FILE *F);
template int gaObject<e3ga>::writeRestoreToGeoFile(FILE *F);
template int gaObject<p3ga>::writeRestoreToGeoFile(FILE *F);
template int gaObject<c3ga>::writeRestoreToGeoFile(FILE *F);
template int gaObject<i2ga>::writeRestoreToGeoFile(FILE *F);

int textObject::writeToGeoFile(FILE *F)
{
	object::writeToGeoFile(F);
	// a label without a mode of its own is verbatim
	std::fprintf(F, "tsmode %s\n", m_tsMode != nullptr ? m_tsMode : "verbatim");
	std::fprintf(F, "tsfont %s\n", m_tsFont != nullptr ? m_tsFont : "regular");
	// where it stands: the point it follows, or its position; a label that
	// follows no object (made from a value that is no variable) stays where
	// it is shown, which the reader can take
	const bool follows = (m_flags & LF_DYNAMIC) && g_state != nullptr && g_state->getObjectPtrByName(m_pointName) != nullptr;
	const e3ga pos = (m_flags & LF_DYNAMIC) ? pointOf(m_pointName) : m_pos;
	const std::string where = follows ? quoted(m_pointName) : std::string("[") + pos.storedString() + "]";
	// an image that could not be shown is still asked for, and a picture
	// beside the saved file or below it by its name relative to the file
	const int flags = m_imageFailed ? m_flags | LF_IMAGE : m_flags;
	const std::string text = (flags & LF_IMAGE) && g_state != nullptr ? g_state->savedPictureName(m_text) : m_text;
	std::fprintf(F, "label %s %s %s ", quoted(m_name).c_str(), where.c_str(), quoted(text).c_str());
	writeWords(F, c_labelFlagWords, follows ? flags : flags & ~LF_DYNAMIC);
	if (m_flags & LF_WIDTH) std::fprintf(F, "width=%d ", m_userWidth);
	std::fputc('\n', F);
	if (hidden()) std::fprintf(F, "hide %s\n", quoted(m_name).c_str());
	return streamResult(F);
}

int polygonObject::writeToGeoFile(FILE *F)
{
	object::writeToGeoFile(F);
	std::fprintf(F, "%s %s %d ", m_simplex ? "simplex" : "polygon", quoted(m_name).c_str(), m_nbVertices);
	// a static polygon keeps its coordinates, to the last bit
	for (int i = 0; i < m_nbVertices; i++) {
		if (dynamic()) std::fprintf(F, "%s ", quoted(m_vertexName[i]).c_str());
		else std::fprintf(F, "[%s] ", vectorText(&m_vertex[3 * (size_t)i]));
	}
	if (dynamic()) std::fputs("dynamic ", F);
	writeToGeoFileProperties(F);
	std::fputc('\n', F);
	return streamResult(F);
}

int meshObject::writeToGeoFile(FILE *F)
{
	object::writeToGeoFile(F);
	const std::string name = quoted(m_name);
	std::fprintf(F, "mesh %s ", name.c_str());
	if (dynamic()) std::fputs("dynamic ", F);
	for (const flagWord &w : c_normalModeWords) {
		if (!(m_mode & w.bit)) continue;
		std::fputs(w.word, F);
		break;
	}
	writeToGeoFileProperties(F);
	std::fputc('\n', F);
	// positions and given normals: coordinates, or the object they come
	// from; computed normals are computed again from the positions, and
	// what they hold depends on whether the mesh was drawn yet
	const bool givenNormals = (m_mode & OC_SPECIFY_NORMALS) != 0;
	for (int i = 0; i < m_nbVertices; i++) {
		const vertex &v = m_vertex[i];
		const std::string pos = v.posName.empty() ? std::string("[") + vectorText(v.pos) + "]" : quoted(v.posName);
		std::fprintf(F, "meshvertex %s %d %s\n", name.c_str(), i, pos.c_str());
		if (!givenNormals) continue;
		const std::string nl = v.nlName.empty() ? std::string("[") + vectorText(v.nl) + "]" : quoted(v.nlName);
		std::fprintf(F, "meshnormal %s %d %s\n", name.c_str(), i, nl.c_str());
	}
	for (int f = 0; f < m_nbFaces; f++) {
		std::fprintf(F, "meshface %s ", name.c_str());
		for (int idx : m_face[f].vtxIdx) std::fprintf(F, "%d ", idx);
		std::fputc('\n', F);
	}
	return streamResult(F);
}
