// Keywords on polygons and meshes: polygons and simplices through named
// points, meshes, their vertices and normals (coordinates or named points)
// and their faces.
#include <climits>
#include <cstdlib>
#include <string>
#include <strings.h>

#include "e3ga/e3ga.h"
#include "files/gafile.h"
#include "files/gafilekeywords.h"
#include "scene/meshobject.h"
#include "os/osdep.h"
#include "scene/polygonobject.h"
#include "state/state.h"
#include "ui/ui.h"

namespace {

// The vertices a "polygon" or "simplex" line may name.
constexpr int sc_maxPolygonVertices = 8;
// The indices a "meshface" line may give.
constexpr int sc_maxFaceIndices = 16;
// The grade-1 part of an e3ga value, as its grade bitmap.
constexpr int GRADE1 = 0x2;

bool isBlank(char c) { return (unsigned char)c < 33; }

// The mesh named after the keyword, and the position after its name; null,
// with the message, when no mesh has that name.
meshObject *namedMesh(const gaLine &l, int &pos)
{
	std::string name;
	pos = gaReadName(l.line, l.pos, name);
	object *o = pos >= 0 ? l.s->getObjectPtrByName(name) : nullptr;
	if (o == nullptr || o->m_type != OT_MESH) {
		cprintf("GAfile::parseLine(): file '%s': no (or invalid) mesh name specified in entry '%s' at line '%d'\n",
		        l.file->m_filename, l.kw.c_str(), l.file->m_lineNb);
		return nullptr;
	}
	return static_cast<meshObject *>(o);
}

} // namespace

int gaKwPolygon(const gaLine &l)
{
	// an optional name, the count, the point names, the flags
	std::string name;
	int pos = gaReadName(l.line, l.pos, name);
	if (pos < 0) pos = l.pos;
	else if (l.nameTooLong(name)) return 0;
	int n = 0;
	pos = gaReadInt(l.line, pos, n);
	if (pos < 0 || n < 0 || n > sc_maxPolygonVertices) {
		l.invalid();
		return 0;
	}
	// each vertex the name of a point, or its coordinates, as written
	std::string vertex[sc_maxPolygonVertices], written;
	e3ga at[sc_maxPolygonVertices];
	bool coordinates[sc_maxPolygonVertices];
	for (int i = 0; i < n; i++) {
		const int end = gaReadE3ga(l.line, pos, at[i]);
		coordinates[i] = end >= 0;
		if (coordinates[i]) {
			while (isBlank(l.line[pos])) pos++;
			written += (written.empty() ? "" : " ") + std::string(l.line + pos, l.line + end);
		}
		pos = coordinates[i] ? end : gaReadName(l.line, pos, vertex[i]);
		if (pos < 0) {
			l.invalid();
			return 0;
		}
	}
	int drawMode, creationFlags;
	l.file->parseFlags(l.line + pos, drawMode, creationFlags);

	// a name of no object adds no vertex
	polygonObject *p = new polygonObject(name, drawMode, creationFlags);
	// a dynamic polygon follows the objects it names, and coordinates name
	// none: the polygon would lose those vertices
	if (p->dynamic() && !written.empty()) {
		delete p;
		l.refused(("coordinates " + written + " as vertices of a dynamic polygon").c_str());
		return 0;
	}
	for (int i = 0; i < n; i++) {
		if (coordinates[i]) p->addVertex(at[i].coordinates(GRADE1));
		else p->addVertex(vertex[i].c_str());
	}
	if (strcasecmp(l.kw.c_str(), "simplex") == 0) p->setSimplex(1);
	l.s->addObject(p, -1);
	return 0;
}

int gaKwMesh(const gaLine &l)
{
	std::string name;
	int pos = gaReadName(l.line, l.pos, name);
	if (pos < 0) {
		l.noName();
		return 0;
	}
	if (l.nameTooLong(name)) return 0;
	int drawMode, creationFlags;
	l.file->parseFlags(l.line + pos, drawMode, creationFlags);
	l.s->addObject(new meshObject(name, drawMode, creationFlags), -1);
	return 0;
}

int gaKwMeshVertex(const gaLine &l)
{
	int pos = 0;
	meshObject *m = namedMesh(l, pos);
	if (m == nullptr) return 0;

	// the index: the next word read as a decimal number, 0 when it is none;
	// beyond the mesh's largest index it is refused like a negative one
	std::string word;
	pos = GAfile::readString(l.line, pos, word, nullptr);
	const long index = pos < 0 ? -1 : std::strtol(word.c_str(), nullptr, 10);
	if (index < 0 || index > meshObject::MAX_VERTEX_INDEX) {
		cprintf("GAfile::parseLine(): file '%s': no (or invalid) vertex index specified in entry '%s' at line '%d'\n",
		        l.file->m_filename, l.kw.c_str(), l.file->m_lineNb);
		return 0;
	}

	// coordinates, or the name of an object whose point (normal) it takes
	const bool normal = strcasecmp(l.kw.c_str(), "meshnormal") == 0;
	e3ga value;
	std::string pointName;
	if (gaReadE3ga(l.line, pos, value) >= 0) {
		const double *c = value.coordinates(GRADE1);
		if (normal) m->setVertexNormal((int)index, c);
		else m->setVertexPos((int)index, c);
	} else if (gaReadName(l.line, pos, pointName) >= 0 && l.s->getObjectPtrByName(pointName) != nullptr) {
		if (normal) m->setVertexNormal((int)index, pointName.c_str());
		else m->setVertexPos((int)index, pointName.c_str());
	} else {
		cprintf("warning: GAfile::parseLine(): file '%s': invalid '%s' entry at line '%d' (no point name or 3D GA "
		        "coordinates specified)\n",
		        l.file->m_filename, l.kw.c_str(), l.file->m_lineNb);
		return 0;
	}
	uiRedrawView();
	return 0;
}

int gaKwMeshFace(const gaLine &l)
{
	int pos = 0;
	meshObject *m = namedMesh(l, pos);
	if (m == nullptr) return 0;

	// up to sc_maxFaceIndices indices; nothing at all after the name counts as -1
	int idx[sc_maxFaceIndices];
	int count = 0;
	while (l.line[pos] != '\0' && isBlank(l.line[pos])) pos++;
	if (l.line[pos] == '\0') count = -1;
	for (int next; count >= 0 && count < sc_maxFaceIndices && (next = gaReadInt(l.line, pos, idx[count])) >= 0;
	     pos = next)
		count++;
	if (count < 3)
		cprintf("GAfile::parseLine(): file '%s': too little vertices for face in entry '%s' at line '%d'\n",
		        l.file->m_filename, l.kw.c_str(), l.file->m_lineNb);
	// the mesh refuses a face of fewer than three with its own message
	m->addFace(count, idx);
	uiRedrawView();
	return 0;
}
