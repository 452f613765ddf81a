#pragma once
// polygonObject: a flat polygon through the points of other scene objects,
// or a simplex (a point, a segment or a triangle).  A static polygon copies
// the coordinates of its points when they are added; a dynamic one
// (OC_DYNAMIC) keeps their names and looks the points up at every draw, so
// it follows them.
#include <FL/Fl_Menu_Item.H>

#include <string>
#include <vector>

#include "scene/object.h"

// Draw methods of polygons: "Filled", "Line strip", "Line loop".
extern Fl_Menu_Item gui_polygonMethods[];
// Draw methods of simplices: "Default" (an arrow to the middle of a
// segment), "Vector" (an arrow along all of it).
extern Fl_Menu_Item gui_simplexMethods[];

enum polygonDrawMethod {
	DRAW_POLYGON_FILLED = 0,
	DRAW_POLYGON_LINE_STRIP = 1,
	DRAW_POLYGON_LINE_LOOP = 2,
};
enum simplexDrawMethod {
	DRAW_SIMPLEX_DEFAULT = 0,
	DRAW_SIMPLEX_VECTOR = 1,
};

class polygonObject : public object {
public:
	// Shaded; draw method 0 unless the creation flags ask for another;
	// m_mode keeps the creation flags.
	polygonObject(const std::string &name, int drawMode, int creationFlags);
	~polygonObject() override;

	int pick(glwindow *window) override { return draw(window); }
	// The polygon by its method, or the simplex by its vertex count; -1
	// for a simplex of no vertex or of more than three.
	int draw(glwindow *window) override;
	// Opaque (1.0) before translucent (2.0).
	double drawSortValue() override { return fgColor(3) == 1.0f ? 1.0 : 2.0; }
	// "name: polygon object", or "Polygon" with a line per vertex: its
	// point's name (dynamic) or its coordinates; cut to bufLen bytes.
	int description(char *buf, int bufLen, int brief) override;
	// object::copy, then the simplex flag, the mode and the vertices of src;
	// OP_VALUE reported when the count, the mode or a vertex differs.
	int copy(const object *src, int &propertiesChanged, int forceFlags) override;
	// The common lines, then the polygon line: a static polygon's vertices
	// as their coordinates, a dynamic one's as the names of its points.
	int writeToGeoFile(FILE *F) override;

	// Non-zero: drawn as a simplex, with the simplex draw methods.  Returns 0.
	int setSimplex(int s);
	// Adds the object of that name as the next vertex: its name (dynamic)
	// or the coordinates of its first point, the origin when it has none.
	// -1 and no vertex when no object has that name.
	int addVertex(const char *name);
	// Adds the point p (x, y, z) as the next vertex of a static polygon; -1
	// and no vertex for a dynamic one, which has only named points.
	int addVertex(const double *p);
	// Coordinates of vertex i: for a dynamic polygon its object's first
	// point now.  A shared zero vertex for an index out of range, a point
	// whose object is gone or an object without a point.
	const double *getVertex(int i) const;
	int freeAllVertices();
	bool dynamic() const { return (m_mode & OC_DYNAMIC) != 0; }

	// --- fields, in this order
	int m_nbVertices;
	// dynamic polygons: the object name of each vertex
	std::vector<std::string> m_vertexName;
	// static polygons: x, y, z of each vertex
	std::vector<double> m_vertex;
	// the creation flags
	int m_mode;
	// non-zero: a simplex
	int m_simplex;

private:
	// The drawing of each kind, with the vertices' coordinates.
	void drawPolygon(const std::vector<const double *> &p, const double *normal);
	int drawSimplex(const std::vector<const double *> &p, const double *normal);
	// The closed tube line through the vertices, in the outline colour, unlit.
	void drawOutline(const std::vector<const double *> &p);
};
