// The scene-file keywords of polygons and meshes: what each line makes or
// changes, and its exact messages.
#include <functional>

#include "scene/meshobject.h"
#include "scene/polygonobject.h"
#include "support/scriptfixture.h"

namespace {

const std::string c_file = "GAfile::parseLine(): file 'virtual console file.geo': ";
std::string invalid(const char *kw) { return "warning: " + c_file + "invalid '" + kw + "' entry at line '0'\n"; }
std::string noMesh(const char *kw)
{
	return c_file + "no (or invalid) mesh name specified in entry '" + kw + "' at line '0'\n";
}
std::string noIndex(const char *kw)
{
	return c_file + "no (or invalid) vertex index specified in entry '" + kw + "' at line '0'\n";
}
std::string noPoint(const char *kw)
{
	return "warning: " + c_file + "invalid '" + kw +
	       "' entry at line '0' (no point name or 3D GA coordinates specified)\n";
}
std::string tooLittle(int count)
{
	return c_file + "too little vertices for face in entry 'meshface' at line '0'\n" +
	       "meshObject::addFace(): invalid face (only " + std::to_string(count) + " faces)\n";
}

class PolygonKeywords : public scriptTest {
protected:
	polygonObject *polygon(const char *name)
	{
		return dynamic_cast<polygonObject *>(m_state.getObjectPtrByName(name));
	}
	meshObject *mesh(const char *name) { return dynamic_cast<meshObject *>(m_state.getObjectPtrByName(name)); }
	// The single polygon whose name was generated, or null.
	polygonObject *unnamed()
	{
		for (const auto &o : m_state.m_objects)
			if (o.first->rfind("object_", 0) == 0) return dynamic_cast<polygonObject *>(o.second);
		return nullptr;
	}
};

TEST_F(PolygonKeywords, PolygonsAndSimplices)
{
	typed("a = e1; b = e2; c = e3;");
	auto vertices = [&](polygonObject *p) { return p != nullptr ? p->m_nbVertices : -1; };
	const struct {
		const char *line;
		std::string out;
		std::function<bool()> effect;
	} rows[] = {
	    // a count right after the keyword: an unnamed polygon
	    {"polygon 3 a b c", "",
	     [&] {
		     const bool made = vertices(unnamed()) == 3 && !unnamed()->m_simplex;
		     if (made) m_state.removeObject(unnamed());
		     return made;
	     }},
	    {"polygon 9 a b c a b c a b c", invalid("polygon"), [&] { return unnamed() == nullptr; }},
	    {"polygon p -1", invalid("polygon"), [&] { return polygon("p") == nullptr; }},
	    {"polygon p", invalid("polygon"), [&] { return polygon("p") == nullptr; }},
	    {"polygon p 3 a b", invalid("polygon"), [&] { return polygon("p") == nullptr; }},
	    // names of no object add no vertex; flags follow the names
	    {"Polygon p 4 a nothing b c dynamic dm3 orientation", "",
	     [&] {
		     polygonObject *p = polygon("p");
		     return vertices(p) == 3 && p->dynamic() && p->m_dmMenuIdx == DRAW_POLYGON_LINE_LOOP &&
		            (p->m_drawMode & DM_ORI) && p->m_vertexName[2] == "c";
	     }},
	    {"polygon \"q r\" 8 a b c a b c a b", "", [&] { return vertices(polygon("q r")) == 8; }},
	    {"simplex s 2 a b dm2", "",
	     [&] {
		     polygonObject *s = polygon("s");
		     return vertices(s) == 2 && s->m_simplex && s->m_dmMenu == gui_simplexMethods &&
		            s->m_dmMenuIdx == DRAW_SIMPLEX_VECTOR;
	     }},
	    // a dynamic polygon follows named points only: coordinates, which
	    // name none, refuse the line, and a static one keeps them
	    {"polygon d 3 [e1] a [ 2*e3 ] dynamic", "warning: " + c_file + "coordinates [e1] [ 2*e3 ] as vertices of a "
	                                           "dynamic polygon in 'polygon' entry at line '0'; the line is ignored\n",
	     [&] { return polygon("d") == nullptr; }},
	    {"simplex d 2 a [e2] dynamic", "warning: " + c_file + "coordinates [e2] as vertices of a dynamic polygon in "
	                                   "'simplex' entry at line '0'; the line is ignored\n",
	     [&] { return polygon("d") == nullptr; }},
	    {"polygon d 3 [e1] a [2*e3]", "", [&] { return vertices(polygon("d")) == 3 && !polygon("d")->dynamic(); }},
	    // a simplex of the name of a polygon takes its place
	    {"SIMPLEX p 1 a", "", [&] { return vertices(polygon("p")) == 1 && polygon("p")->m_simplex; }},
	};
	for (const auto &r : rows) {
		EXPECT_EQ(line(r.line), r.out) << r.line;
		EXPECT_TRUE(r.effect()) << r.line;
	}
}

TEST_F(PolygonKeywords, MeshesTheirVerticesNormalsAndFaces)
{
	typed("a = e1; b = 2 e2; n = e3;");
	auto vertex = [&](const char *m, int i, double x, double y, double z) {
		const double *p = mesh(m)->m_vertex[i].pos;
		return p[0] == x && p[1] == y && p[2] == z;
	};
	const struct {
		const char *line;
		std::string out;
		std::function<bool()> effect;
	} rows[] = {
	    {"mesh", c_file + "no name specified in entry 'mesh' at line '0'\n", [&] { return true; }},
	    {"mesh m gouraud compute_normals_gouraud", "File 'virtual console file.geo': line 0: unknown flag 'gouraud'\n",
	     [&] { return mesh("m") != nullptr && mesh("m")->m_mode == OC_COMPUTE_NORMALS_GOURAUD; }},
	    {"meshvertex m 0 [e1 + 2*e3 + e1^e2]", "", [&] { return vertex("m", 0, 1, 0, 2); }},
	    {"meshvertex m 2 b", "", [&] { return vertex("m", 2, 0, 2, 0) && mesh("m")->m_vertex[2].posName == "b"; }},
	    {"meshnormal m 1 [e3]", "", [&] { return mesh("m")->m_vertex[1].nl[2] == 1.0; }},
	    // a word that is no number is index 0
	    {"meshvertex m one [3*e1]", "", [&] { return vertex("m", 0, 3, 0, 0); }},
	    {"meshvertex m -1 [e1]", noIndex("meshvertex"), [&] { return mesh("m")->m_nbVertices == 3; }},
	    {"meshnormal m", noIndex("meshnormal"), [&] { return mesh("m")->m_nbVertices == 3; }},
	    // an index beyond any mesh is refused before it can allocate
	    {"meshvertex m 1048576 [e1]", noIndex("meshvertex"), [&] { return mesh("m")->m_nbVertices == 3; }},
	    {"meshvertex m 99999999999999999999 [e1]", noIndex("meshvertex"), [&] { return mesh("m")->m_nbVertices == 3; }},
	    {"meshvertex m 5 nothing", noPoint("meshvertex"), [&] { return mesh("m")->m_nbVertices == 3; }},
	    {"meshnormal m 5", noPoint("meshnormal"), [&] { return mesh("m")->m_nbVertices == 3; }},
	    {"meshvertex a 0 [e1]", noMesh("meshvertex"), [&] { return true; }},
	    {"meshface nothing 0 1 2", noMesh("meshface"), [&] { return true; }},
	    {"meshface", noMesh("meshface"), [&] { return true; }},
	    // faces: two indices are too little, and the mesh refuses them too
	    {"meshface m 0 1", tooLittle(2), [&] { return mesh("m")->m_nbFaces == 0; }},
	    {"meshface m", tooLittle(-1), [&] { return mesh("m")->m_nbFaces == 0; }},
	    {"meshface m x", tooLittle(0), [&] { return mesh("m")->m_nbFaces == 0; }},
	    {"meshface m 0 1 2", "", [&] { return mesh("m")->m_face[0].vtxIdx == std::vector<int>({0, 1, 2}); }},
	    // at most sixteen indices are read
	    {"meshface m 0 1 2 0 1 2 0 1 2 0 1 2 0 1 2 0 1 2", "", [&] { return mesh("m")->m_face[1].nbVtx() == 16; }},
	    // a dynamic mesh: coordinates are refused, names recorded
	    {"mesh d dynamic specify_normals", "", [&] { return mesh("d")->dynamic(); }},
	    {"meshvertex d 0 [e1]", "", [&] { return mesh("d")->m_nbVertices == 0; }},
	    {"meshnormal d 0 [e1]", "", [&] { return mesh("d")->m_nbVertices == 0; }},
	    {"meshvertex d 1 a", "", [&] { return mesh("d")->m_nbVertices == 2 && mesh("d")->m_vertex[1].posName == "a"; }},
	    {"meshnormal d 1 n", "", [&] { return mesh("d")->m_vertex[1].nlName == "n"; }},
	    // "mesh" again starts over: the empty mesh replaces the old one
	    {"mesh m", "", [&] { return mesh("m")->m_nbVertices == 0 && mesh("m")->m_mode == OC_COMPUTE_NORMALS_FLAT; }},
	};
	for (const auto &r : rows) {
		EXPECT_EQ(line(r.line), r.out) << r.line;
		EXPECT_TRUE(r.effect()) << r.line;
	}
}

} // namespace
