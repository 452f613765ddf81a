#include "scene/polygonobject.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "state/state.h"

namespace {

// The user data of a method's item: its number.
inline void *methodData(int method) { return reinterpret_cast<void *>(static_cast<intptr_t>(method)); }

// Coordinates of every vertex that has none of its own.
const double c_zeroVertex[3] = {0.0, 0.0, 0.0};

} // namespace

Fl_Menu_Item gui_polygonMethods[] = {
    {"Filled", 0, nullptr, methodData(DRAW_POLYGON_FILLED), 0, 0, 0, 0, 0},
    {"Line strip", 0, nullptr, methodData(DRAW_POLYGON_LINE_STRIP), 0, 0, 0, 0, 0},
    {"Line loop", 0, nullptr, methodData(DRAW_POLYGON_LINE_LOOP), 0, 0, 0, 0, 0},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
};

Fl_Menu_Item gui_simplexMethods[] = {
    {"Default", 0, nullptr, methodData(DRAW_SIMPLEX_DEFAULT), 0, 0, 0, 0, 0},
    {"Vector", 0, nullptr, methodData(DRAW_SIMPLEX_VECTOR), 0, 0, 0, 0, 0},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
};

polygonObject::polygonObject(const std::string &name, int drawMode, int creationFlags)
    : object(OT_POLYGON, name, drawMode, creationFlags, 0), m_nbVertices(0), m_mode(creationFlags), m_simplex(0)
{
	m_properties = OP_FG_COLOR | OP_OL_COLOR | OP_NAME | OP_VALUE | OP_DRAW_MODE | OP_DRAW_METHOD | OP_INTERPRETATION;
	m_drawMode |= DM_SHADE;
	m_dmMenu = gui_polygonMethods;
	const int method = creationDrawMethod(creationFlags);
	m_dmMenuIdx = method >= 0 ? method : DRAW_POLYGON_FILLED;
}

polygonObject::~polygonObject() { freeAllVertices(); }

int polygonObject::setSimplex(int s)
{
	m_simplex = s;
	m_dmMenu = s ? gui_simplexMethods : gui_polygonMethods;
	return 0;
}

int polygonObject::addVertex(const char *name)
{
	const object *o = (g_state != nullptr && name != nullptr) ? g_state->getObjectPtrByName(name) : nullptr;
	if (o == nullptr) return -1;
	if (!dynamic()) {
		const double *p = o->getPoint(0);
		return addVertex(p != nullptr ? p : c_zeroVertex);
	}
	m_vertexName.emplace_back(name);
	m_nbVertices++;
	return 0;
}

int polygonObject::addVertex(const double *p)
{
	if (dynamic()) return -1;
	m_vertex.insert(m_vertex.end(), p, p + 3);
	m_nbVertices++;
	return 0;
}

const double *polygonObject::getVertex(int i) const
{
	if (i < 0 || i >= m_nbVertices) return c_zeroVertex;
	if (!dynamic()) return &m_vertex[3 * (size_t)i];
	const object *o = g_state != nullptr ? g_state->getObjectPtrByName(m_vertexName[i]) : nullptr;
	const double *p = o != nullptr ? o->getPoint(0) : nullptr;
	return p != nullptr ? p : c_zeroVertex;
}

int polygonObject::freeAllVertices()
{
	m_vertexName.clear();
	m_vertex.clear();
	m_nbVertices = 0;
	return 0;
}

int polygonObject::description(char *buf, int bufLen, int brief)
{
	if (buf == nullptr || bufLen <= 0) return 0;
	if (brief) {
		std::snprintf(buf, bufLen, "%s: polygon object", m_name.c_str());
		return 0;
	}
	// the whole text first, then as much of it as fits
	std::string text = "Polygon\n";
	char line[128];
	for (int i = 0; i < m_nbVertices; i++) {
		if (dynamic()) {
			text += "vertex " + std::to_string(i + 1) + ": " + m_vertexName[i] + "\n";
		} else {
			const double *p = &m_vertex[3 * (size_t)i];
			std::snprintf(line, sizeof(line), "vertex %d: %2.2f %2.2f %2.2f\n", i + 1, p[0], p[1], p[2]);
			text += line;
		}
	}
	std::snprintf(buf, bufLen, "%s", text.c_str());
	return 0;
}

int polygonObject::copy(const object *src, int &propertiesChanged, int forceFlags)
{
	int result = object::copy(src, propertiesChanged, forceFlags);
	if (result != 0) return result;
	const polygonObject *p = static_cast<const polygonObject *>(src);

	// the value: the vertices as this kind of polygon holds them
	const bool sameVertices =
	    p->dynamic() ? m_vertexName == p->m_vertexName
	                 : m_vertex.size() == p->m_vertex.size() &&
	                       (m_vertex.empty() || std::memcmp(m_vertex.data(), p->m_vertex.data(),
	                                                        m_vertex.size() * sizeof(double)) == 0);
	if (m_nbVertices != p->m_nbVertices || m_mode != p->m_mode || !sameVertices) propertiesChanged |= OP_VALUE;

	m_simplex = p->m_simplex;
	m_mode = p->m_mode;
	m_nbVertices = p->m_nbVertices;
	m_vertexName = p->m_vertexName;
	m_vertex = p->m_vertex;
	return 0;
}
