#include "scene/meshobject.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <new>

#include "state/state.h"
#include "draw/vec3.h"

namespace {

constexpr int sc_normalModes = OC_COMPUTE_NORMALS_FLAT | OC_COMPUTE_NORMALS_GOURAUD | OC_SPECIFY_NORMALS;

// Coordinates of every position or normal that has no source.
const double c_zero[3] = {0.0, 0.0, 0.0};

// Grows records to at least n, to twice its size when that is more; new
// records are zeroed.  -1, with what, for n below 1 or when memory runs out.
template <class T> int ensureRecords(std::vector<T> &records, int n, const char *what)
{
	if (n < 1) return -1;
	if ((size_t)n <= records.size()) return 0;
	const size_t size = std::max((size_t)n, 2 * records.size());
	try {
		records.resize(size, T{});
	} catch (const std::bad_alloc &) {
		std::printf("meshObject::%s(): memory allocation failure for %d bytes\n", what,
		            (int)std::min(size * sizeof(T), (size_t)INT32_MAX));
		return -1;
	}
	return 0;
}

} // namespace

meshObject::meshObject(const std::string &name, int drawMode, int creationFlags)
    : object(OT_MESH, name, drawMode, creationFlags, 0), m_normalsValid(0), m_faceType(0), m_nbVertices(0),
      m_nbFaces(0), m_mode(creationFlags)
{
	if ((m_mode & sc_normalModes) == 0) m_mode |= OC_COMPUTE_NORMALS_FLAT;
	m_properties = OP_FG_COLOR | OP_NAME | OP_VALUE | OP_DRAW_MODE | OP_INTERPRETATION;
	m_drawMode |= DM_SHADE;
}

meshObject::~meshObject() {}

int meshObject::description(char *buf, int bufLen, int brief)
{
	if (buf == nullptr || bufLen <= 0) return 0;
	if (brief) std::snprintf(buf, bufLen, "%s: mesh object", m_name.c_str());
	else std::snprintf(buf, bufLen, "Mesh\n%d faces, %d vertices", m_nbFaces, m_nbVertices);
	return 0;
}

int meshObject::copy(const object *src, int &propertiesChanged, int forceFlags)
{
	// an empty mesh takes the place of this one instead
	if (src->m_type == m_type) {
		const meshObject *m = static_cast<const meshObject *>(src);
		if (m->m_nbVertices == 0 || m->m_nbFaces == 0) {
			propertiesChanged = 0;
			return -1;
		}
	}
	int result = object::copy(src, propertiesChanged, forceFlags);
	if (result != 0) return result;
	const meshObject *m = static_cast<const meshObject *>(src);
	if (m_nbVertices != m->m_nbVertices || m_nbFaces != m->m_nbFaces || m_mode != m->m_mode)
		propertiesChanged |= OP_VALUE;
	m_mode = m->m_mode;
	m_nbVertices = m->m_nbVertices;
	m_vertex.assign(m->m_vertex.begin(), m->m_vertex.begin() + m->m_nbVertices);
	m_nbFaces = m->m_nbFaces;
	m_face.assign(m->m_face.begin(), m->m_face.begin() + m->m_nbFaces);
	// the old normals and display list show the old mesh
	meshChanged();
	return 0;
}

int meshObject::ensureVertices(int n) { return ensureRecords(m_vertex, n, "ensureVertices"); }

int meshObject::ensureFaces(int n) { return ensureRecords(m_face, n, "ensureFaces"); }

meshObject::vertex *meshObject::vertexToSet(int i)
{
	if (i < 0 || i > MAX_VERTEX_INDEX || ensureVertices(i + 1) != 0) return nullptr;
	meshChanged();
	m_nbVertices = std::max(m_nbVertices, i + 1);
	return &m_vertex[i];
}

int meshObject::setVertexPos(int i, const double *p)
{
	vertex *v = dynamic() ? nullptr : vertexToSet(i);
	if (v == nullptr) return -1;
	vec3::copy(v->pos, p);
	return 0;
}

int meshObject::setVertexNormal(int i, const double *n)
{
	vertex *v = dynamic() ? nullptr : vertexToSet(i);
	if (v == nullptr) return -1;
	vec3::copy(v->nl, n);
	return 0;
}

int meshObject::setVertexPos(int i, const char *name)
{
	vertex *v = vertexToSet(i);
	if (v == nullptr) return -1;
	// a static mesh keeps the point as it is now
	if (!dynamic()) vec3::copy(v->pos, getVertexPos(name));
	v->posName = name;
	return 0;
}

int meshObject::setVertexNormal(int i, const char *name)
{
	vertex *v = vertexToSet(i);
	if (v == nullptr) return -1;
	if (!dynamic()) vec3::copy(v->nl, getVertexNormal(name));
	v->nlName = name;
	return 0;
}

const double *meshObject::pointOf(const state *s, const std::string &name, bool normal)
{
	const object *o = (s != nullptr && !name.empty()) ? s->getObjectPtrByName(name) : nullptr;
	const double *p = o == nullptr ? nullptr : normal ? o->getNormal(0) : o->getPoint(0);
	return p != nullptr ? p : c_zero;
}

const double *meshObject::getVertexPos(const char *name) { return pointOf(g_state, name, false); }

const double *meshObject::getVertexNormal(const char *name) { return pointOf(g_state, name, true); }

int meshObject::addFace(int n, const int *idx)
{
	if (n < 3) {
		std::printf("meshObject::addFace(): invalid face (only %d faces)\n", n);
		return -1;
	}
	if (ensureFaces(m_nbFaces + 1) != 0) return -1;
	try {
		m_face[m_nbFaces].vtxIdx.assign(idx, idx + n);
	} catch (const std::bad_alloc &) {
		std::printf("meshObject::addFace(): memory allocation failure for %d bytes\n", (int)(n * sizeof(int)));
		return -1;
	}
	m_nbFaces++;
	// the new face is checked and drawn at the next draw
	meshChanged();
	return 0;
}

void meshObject::meshChanged()
{
	m_normalsValid = 0;
	freeDisplayList();
}

int meshObject::computeNormals(state *s)
{
	// 1. the common vertex count of the faces, and every index in range
	m_faceType = 0;
	for (int f = 0; f < m_nbFaces; f++) {
		const face &F = m_face[f];
		m_faceType = (f == 0 || m_faceType == F.nbVtx()) ? F.nbVtx() : -1;
		for (int idx : F.vtxIdx)
			if (idx < 0 || idx >= m_nbVertices) {
				std::printf("meshObject::computeNormals(): invalid face, vertex index out of range (%d >= %d)\n", idx,
				            m_nbVertices);
				return -1;
			}
	}

	// 2. a dynamic mesh's positions (and given normals) as they are now
	if (dynamic()) {
		for (int i = 0; i < m_nbVertices; i++) {
			vertex &v = m_vertex[i];
			vec3::copy(v.pos, pointOf(s, v.posName, false));
			if (m_mode & OC_SPECIFY_NORMALS) vec3::copy(v.nl, pointOf(s, v.nlName, true));
		}
	}

	// 3. face normals from the first two edges; zero for a face of no area
	if (m_mode & (OC_COMPUTE_NORMALS_FLAT | OC_COMPUTE_NORMALS_GOURAUD)) {
		for (int f = 0; f < m_nbFaces; f++) {
			face &F = m_face[f];
			vec3::triangleNormal(F.nl, m_vertex[F.vtxIdx[0]].pos, m_vertex[F.vtxIdx[1]].pos,
			                     m_vertex[F.vtxIdx[2]].pos);
			vec3::normalizeOrZero(F.nl);
		}
	}

	// 4. smooth: the mean direction of the faces around each vertex; zero
	// for a vertex no face uses
	if (m_mode & OC_COMPUTE_NORMALS_GOURAUD) {
		for (int i = 0; i < m_nbVertices; i++) vec3::set(m_vertex[i].nl, 0.0, 0.0, 0.0);
		for (int f = 0; f < m_nbFaces; f++)
			for (int idx : m_face[f].vtxIdx) vec3::addTo(m_vertex[idx].nl, m_face[f].nl);
		for (int i = 0; i < m_nbVertices; i++) vec3::normalizeOrZero(m_vertex[i].nl);
	}

	// 5.
	m_normalsValid = 1;
	return 0;
}
