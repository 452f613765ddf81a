// Polygons, simplices and meshes drawn in a real OpenGL context, seen along
// -e3: what they hand to the rasteriser (caught in feedback mode, lines as
// plain OpenGL lines), their normals, the display list of a static mesh and
// the pick pass that never calls it.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "scene/meshobject.h"
#include "scene/polygonobject.h"
#include "support/glfeedbackview.h"

namespace {

class glPolygonMesh : public glFeedbackView {
protected:
	void point(const char *name, double x, double y, double z)
	{
		m_state.addE3gaObject(e3ga(2, x, y, z), name, 0, 0, 0);
	}
	// A polygon (or simplex) through the named points, as the state keeps
	// it (a polygon of that name may take its place).
	polygonObject *polygon(const char *name, int flags, int drawMode, bool simplex,
	                       const std::vector<const char *> &points)
	{
		polygonObject *p = new polygonObject(name, drawMode, flags);
		p->setSimplex(simplex);
		for (const char *v : points) p->addVertex(v);
		m_state.addObject(p, -1);
		return dynamic_cast<polygonObject *>(m_state.getObjectPtrByName(name));
	}
	// What o's draw hands on, checking its result.
	static glFeedback caught(object &o, int result)
	{
		glFeedback f = glFeedback::of([&] { EXPECT_EQ(o.draw(nullptr), result); });
		EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
		for (const auto &p : f.polygons)
			for (const auto &v : p) EXPECT_TRUE(std::isfinite(v[0]) && std::isfinite(v[1]));
		return f;
	}
	// Model coordinates of a window position.
	static double model(float w) { return w / c_pixelsPerUnit - c_half; }
	// Area in square model units of the polygons handed on.
	static double area(const glFeedback &f)
	{
		double a = 0.0;
		for (const auto &p : f.polygons)
			for (size_t i = 0; i < p.size(); i++) {
				const auto &u = p[i], &v = p[(i + 1) % p.size()];
				a += 0.5 * (u[0] * v[1] - v[0] * u[1]);
			}
		return a / (c_pixelsPerUnit * c_pixelsPerUnit);
	}
	static std::vector<double> currentNormal()
	{
		double n[3];
		glGetDoublev(GL_CURRENT_NORMAL, n);
		return {n[0], n[1], n[2]};
	}
	// Objects picked by an OpenGL selection over the whole view.
	static int hits(object &o)
	{
		GLuint buffer[64];
		glSelectBuffer(64, buffer);
		glRenderMode(GL_SELECT);
		glInitNames();
		glPushName(1);
		o.pick(nullptr);
		return glRenderMode(GL_RENDER);
	}
	static std::string printed(const std::function<void()> &f)
	{
		testing::internal::CaptureStdout();
		f();
		return testing::internal::GetCapturedStdout();
	}
};

TEST_F(glPolygonMesh, PolygonMethodsOutlineAndOrientation)
{
	point("a", 0, 0, 0);
	point("b", 2, 0, 0);
	point("c", 2, 1, 0);
	point("d", 0, 1, 0);
	// method flags, draw mode: polygons (as triangles) and lines handed on
	const struct row {
		int flags, drawMode;
		size_t triangles, lines;
		double area;
	} rows[] = {
	    {0, 0, 2, 0, 2.0},              // the front; the back faces away
	    {0, DM_ORI, 2, 4, 2.0},          // the back as its outline
	    {0, DM_OUTLINE, 2, 4, 2.0},      // the outline as a closed line
	    {0x2000, DM_OUTLINE, 0, 3, 0.0}, // line strip
	    {0x3000, 0, 0, 4, 0.0},          // line loop
	    {0x4000, 0, 0, 0, 0.0},          // no such method
	};
	for (const row &r : rows) {
		polygonObject *p = polygon("p", r.flags, r.drawMode, false, {"a", "b", "c", "d"});
		glFeedback f = caught(*p, 0);
		EXPECT_EQ(f.polygons.size(), r.triangles) << r.flags << " " << r.drawMode;
		EXPECT_EQ(f.lines.size(), r.lines) << r.flags << " " << r.drawMode;
		EXPECT_NEAR(area(f), r.area, 1e-3) << r.flags << " " << r.drawMode;
	}
	// the other way round: its back is what faces the view
	polygonObject *back = polygon("q", 0, 0, false, {"d", "c", "b", "a"});
	EXPECT_NEAR(area(caught(*back, 0)), 2.0, 1e-3);
}

TEST_F(glPolygonMesh, TheNormalIsTheCrossProductOfTheFirstTwoEdges)
{
	point("a", 0, 0, 0);
	point("b", 2, 0, 0);
	point("c", 0, 3, 0);
	point("x", 1, 0, 0);
	point("y", 0, 1, 0);
	// the normal last given is that of the back, -N; missing vertices are
	// the origin
	const struct row {
		std::vector<const char *> points;
		std::vector<double> back;
	} rows[] = {
	    {{"a", "b", "c"}, {0, 0, -6}},
	    {{"x", "y"}, {0, 0, -1}},
	    {{"x"}, {0, 0, 0}},
	    {{}, {0, 0, 0}},
	};
	for (const row &r : rows) {
		polygonObject *p = polygon("p", 0, 0, false, r.points);
		glNormal3d(7, 7, 7);
		caught(*p, 0);
		EXPECT_EQ(currentNormal(), r.back) << r.points.size();
	}
}

TEST_F(glPolygonMesh, SimplicesOfOneToFourVertices)
{
	point("a", 1, 1, 0);
	point("b", -1, 1, 0);
	point("c", -1, -1, 0);
	point("d", 1, -1, 0);
	point("e", 0, 1, 0);

	// one vertex: a small sphere around it
	glFeedback one = caught(*polygon("s", 0, 0, true, {"a"}), 0);
	ASSERT_FALSE(one.polygons.empty());
	for (const auto &p : one.polygons)
		for (const auto &v : p) {
			EXPECT_NEAR(model(v[0]), 1.0, 0.3);
			EXPECT_NEAR(model(v[1]), 1.0, 0.3);
		}

	// two: "Default" an arrow to the middle and a line on to the end;
	// "Vector" one arrow all the way
	glFeedback half = caught(*polygon("s", 0, 0, true, {"a", "b"}), 0);
	ASSERT_EQ(half.lines.size(), 2u);
	EXPECT_NEAR(model(half.lines[0][0][0]), 1.0, 1e-3);
	EXPECT_NEAR(model(half.lines[0][1][0]), 1.0 - 0.96, 1e-3);
	EXPECT_NEAR(model(half.lines[1][0][0]), 0.0, 1e-3);
	EXPECT_NEAR(model(half.lines[1][1][0]), -1.0, 1e-3);
	EXPECT_FALSE(half.polygons.empty());
	glFeedback whole = caught(*polygon("v", 0x2000, 0, true, {"a", "b"}), 0);
	ASSERT_EQ(whole.lines.size(), 1u);
	EXPECT_NEAR(model(whole.lines[0][1][0]), 1.0 - 2 * 0.96, 1e-3);
	// two equal vertices: no direction, nothing drawn
	glFeedback same = caught(*polygon("s", 0, 0, true, {"a", "a"}), 0);
	EXPECT_TRUE(same.polygons.empty() && same.lines.empty());

	// three: the triangle, with DM_ORI a mark from each edge's middle
	glFeedback tri = caught(*polygon("s", 0, DM_ORI, true, {"a", "b", "c"}), 0);
	EXPECT_EQ(tri.polygons.size(), 1u);
	EXPECT_NEAR(area(tri), 2.0, 1e-3);
	ASSERT_EQ(tri.lines.size(), 3u);
	// the edge a -> b: from (0, 1) to 0.7 a + 0.3 b + 0.1 (b - a) x N
	EXPECT_NEAR(model(tri.lines[0][0][0]), 0.0, 1e-3);
	EXPECT_NEAR(model(tri.lines[0][0][1]), 1.0, 1e-3);
	EXPECT_NEAR(model(tri.lines[0][1][0]), 0.4, 1e-3);
	EXPECT_NEAR(model(tri.lines[0][1][1]), 1.1, 1e-3);
	glFeedback outlined = caught(*polygon("s", 0, DM_ORI | DM_OUTLINE, true, {"a", "b", "c"}), 0);
	EXPECT_EQ(outlined.lines.size(), 6u);
	// a triangle of no area: no marks, nothing that is not a number
	glFeedback flat = caught(*polygon("s", 0, DM_ORI, true, {"a", "e", "b"}), 0);
	EXPECT_TRUE(flat.lines.empty());

	// four, or none: nothing, and -1
	for (const std::vector<const char *> &points : {std::vector<const char *>{"a", "b", "c", "d"},
	                                                 std::vector<const char *>{}}) {
		glFeedback none = caught(*polygon("s", 0, DM_ORI, true, points), -1);
		EXPECT_TRUE(none.polygons.empty() && none.lines.empty()) << points.size();
	}
}

// A static mesh of the positions and faces given, as the state keeps it.
meshObject *mesh(state &s, const char *name, int flags, const std::vector<std::vector<double>> &positions,
                 const std::vector<std::vector<int>> &faces)
{
	meshObject *m = new meshObject(name, 0, flags);
	for (size_t i = 0; i < positions.size(); i++) m->setVertexPos((int)i, positions[i].data());
	for (const std::vector<int> &f : faces) m->addFace((int)f.size(), f.data());
	s.addObject(m, -1);
	return dynamic_cast<meshObject *>(s.getObjectPtrByName(name));
}

const std::vector<std::vector<double>> c_grid = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {0, 1, 0}, {1, 1, 0}, {2, 1, 0}};

TEST_F(glPolygonMesh, TrianglesAndAQuadAndAnIndexOutOfRange)
{
	// two triangles and a quad: each face a polygon of its own
	meshObject *m = mesh(m_state, "m", 0, c_grid, {{0, 1, 3}, {1, 4, 3}, {1, 2, 5, 4}});
	glFeedback f = caught(*m, 0);
	EXPECT_EQ(m->m_faceType, -1);
	EXPECT_NEAR(area(f), 2.0, 1e-3);
	EXPECT_EQ(f.polygons.size(), 4u); // the quad as two triangles
	// triangles only: one batch
	meshObject *t = mesh(m_state, "t", OC_COMPUTE_NORMALS_GOURAUD, c_grid, {{0, 1, 3}, {1, 4, 3}});
	EXPECT_NEAR(area(caught(*t, 0)), 1.0, 1e-3);
	EXPECT_EQ(t->m_faceType, 3);
	EXPECT_EQ(currentNormal(), std::vector<double>({0, 0, 1}));

	// vertex 6 of six: the message, and nothing drawn
	meshObject *bad = mesh(m_state, "bad", 0, c_grid, {{0, 1, 3}, {1, 6, 4}});
	glFeedback none;
	EXPECT_EQ(printed([&] { none = caught(*bad, -1); }),
	          "meshObject::computeNormals(): invalid face, vertex index out of range (6 >= 6)\n");
	EXPECT_TRUE(none.polygons.empty() && none.lines.empty());
	EXPECT_EQ(bad->m_displayList, object::NO_DISPLAY_LIST);

	// back faces as lines; wireframe fronts as lines too
	meshObject *away = mesh(m_state, "away", 0, c_grid, {{0, 3, 1}});
	glFeedback lines = caught(*away, 0);
	EXPECT_TRUE(lines.polygons.empty());
	EXPECT_EQ(lines.lines.size(), 3u);
	m->m_drawMode |= DM_WIREFRAME;
	m->meshChanged();
	glFeedback wire = caught(*m, 0);
	EXPECT_TRUE(wire.polygons.empty());
	EXPECT_FALSE(wire.lines.empty());
}

TEST_F(glPolygonMesh, AStaticMeshDrawsThroughItsListExceptWhenPicked)
{
	meshObject *m = mesh(m_state, "m", 0, c_grid, {{0, 1, 3}});
	EXPECT_NEAR(area(caught(*m, 0)), 0.5, 1e-3);
	const unsigned int list = m->m_displayList;
	ASSERT_NE(list, object::NO_DISPLAY_LIST);
	EXPECT_TRUE(glIsList(list));
	// the list is what draws: emptied, it draws nothing...
	glNewList(list, GL_COMPILE);
	glEndList();
	EXPECT_TRUE(caught(*m, 0).polygons.empty());
	// ...but the pick pass draws the faces themselves
	EXPECT_EQ(hits(*m), 1);
	EXPECT_EQ(m->m_displayList, list);

	// a changed vertex frees the list; the next draw records it anew
	const double moved[3] = {2, 0, 0};
	m->setVertexPos(1, moved);
	EXPECT_EQ(m->m_displayList, object::NO_DISPLAY_LIST);
	EXPECT_NEAR(area(caught(*m, 0)), 1.0, 1e-3);
	EXPECT_NE(m->m_displayList, object::NO_DISPLAY_LIST);
	EXPECT_NEAR(area(caught(*m, 0)), 1.0, 1e-3);

	// a face added after the first draw is drawn
	const int face[3] = {1, 4, 3};
	m->addFace(3, face);
	EXPECT_NEAR(area(caught(*m, 0)), 1.5, 1e-3);

	// a mesh first drawn by the pick pass keeps no list
	meshObject *picked = mesh(m_state, "picked", 0, c_grid, {{0, 1, 3}});
	EXPECT_EQ(hits(*picked), 1);
	EXPECT_EQ(picked->m_displayList, object::NO_DISPLAY_LIST);
}

TEST_F(glPolygonMesh, ADynamicMeshFollowsItsPointsAndChecksNewFaces)
{
	point("a", 0, 0, 0);
	point("b", 1, 0, 0);
	point("c", 0, 1, 0);
	meshObject *m = new meshObject("m", 0, OC_DYNAMIC);
	const char *names[3] = {"a", "b", "c"};
	for (int i = 0; i < 3; i++) m->setVertexPos(i, names[i]);
	const int face[3] = {0, 1, 2};
	m->addFace(3, face);
	m_state.addObject(m, -1);
	EXPECT_NEAR(area(caught(*m, 0)), 0.5, 1e-3);
	EXPECT_EQ(m->m_displayList, object::NO_DISPLAY_LIST);
	// the point moves; no vertex line follows
	point("b", 2, 0, 0);
	EXPECT_NEAR(area(caught(*m, 0)), 1.0, 1e-3);
	EXPECT_EQ(hits(*m), 1);
	// a face added after the first draw is checked
	const int bad[3] = {0, 2, 3};
	m->addFace(3, bad);
	glFeedback none;
	EXPECT_EQ(printed([&] { none = caught(*m, -1); }),
	          "meshObject::computeNormals(): invalid face, vertex index out of range (3 >= 3)\n");
	EXPECT_TRUE(none.polygons.empty());
}

} // namespace
