// Polygon scene objects without a view: their draw methods and menus, what
// they say about themselves, static polygons that copy their points against
// dynamic ones that follow them, copies, and the console's create_polygon.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/console.h"
#include "scene/polygonobject.h"
#include "state/state.h"

namespace {

class polygons : public testing::Test {
protected:
	state m_state;

	void point(const char *name, double x, double y, double z)
	{
		m_state.addE3gaObject(e3ga(2, x, y, z), name, 0, 0, 0);
	}
	// A polygon through the named objects; each addVertex result is checked.
	static polygonObject *make(int flags, const std::vector<std::pair<const char *, int>> &vertices)
	{
		polygonObject *p = new polygonObject("p", 0, flags);
		for (const auto &v : vertices) EXPECT_EQ(p->addVertex(v.first), v.second) << v.first;
		return p;
	}
	static std::string describe(object &o, int brief, int bufLen = 1024)
	{
		std::vector<char> buf((size_t)bufLen + 1, '#');
		EXPECT_EQ(o.description(buf.data(), bufLen, brief), 0);
		EXPECT_EQ(buf[bufLen], '#');
		return buf.data();
	}
	static std::vector<double> vertex(const polygonObject &p, int i)
	{
		const double *v = p.getVertex(i);
		return {v[0], v[1], v[2]};
	}
};

TEST_F(polygons, DrawMethodsMenusAndProperties)
{
	const struct row {
		int flags, method;
	} rows[] = {{0, DRAW_POLYGON_FILLED},
	            {0x1000, DRAW_POLYGON_FILLED},
	            {0x2000, DRAW_POLYGON_LINE_STRIP},
	            {0x3000 | OC_DYNAMIC, DRAW_POLYGON_LINE_LOOP}};
	for (const row &r : rows) {
		polygonObject p("", DM_ORI, r.flags);
		EXPECT_EQ(p.m_dmMenuIdx, r.method) << r.flags;
		EXPECT_EQ(p.m_mode, r.flags);
		EXPECT_EQ(p.m_drawMode, DM_ORI | DM_SHADE);
		EXPECT_EQ(p.m_type, OT_POLYGON);
		EXPECT_EQ(p.m_properties, 0x1f5);
		EXPECT_EQ(p.m_dmMenu, gui_polygonMethods);
		EXPECT_EQ(p.dynamic(), (r.flags & OC_DYNAMIC) != 0);
	}
	polygonObject s("s", 0, 0);
	EXPECT_EQ(s.setSimplex(1), 0);
	EXPECT_EQ(s.m_dmMenu, gui_simplexMethods);
	s.setSimplex(0);
	EXPECT_EQ(s.m_dmMenu, gui_polygonMethods);
	const char *polygonItems[] = {"Filled", "Line strip", "Line loop", nullptr};
	const char *simplexItems[] = {"Default", "Vector", nullptr};
	for (int i = 0; i < 4; i++) EXPECT_STREQ(gui_polygonMethods[i].text, polygonItems[i]);
	for (int i = 0; i < 3; i++) EXPECT_STREQ(gui_simplexMethods[i].text, simplexItems[i]);
	// without a name it takes the generated one
	EXPECT_EQ(polygonObject("", 0, 0).m_name.rfind("object_", 0), 0u);
}

TEST_F(polygons, DescriptionsOfStaticAndDynamicPolygons)
{
	point("a", 1, 2, 3);
	point("b", -0.5, 0, 0.25);
	polygonObject *s = make(0, {{"a", 0}, {"nothing", -1}, {"b", 0}});
	polygonObject *d = make(OC_DYNAMIC, {{"a", 0}, {"b", 0}, {"nothing", -1}});
	EXPECT_EQ(describe(*s, 1), "p: polygon object");
	EXPECT_EQ(describe(*s, 0), "Polygon\nvertex 1: 1.00 2.00 3.00\nvertex 2: -0.50 0.00 0.25\n");
	EXPECT_EQ(describe(*d, 0), "Polygon\nvertex 1: a\nvertex 2: b\n");
	EXPECT_EQ(describe(*d, 0, 12), "Polygon\nver");
	EXPECT_EQ(describe(*d, 1, 5), "p: p");
	polygonObject empty("e", 0, 0);
	EXPECT_EQ(describe(empty, 0), "Polygon\n");
	delete s;
	delete d;
}

TEST_F(polygons, StaticPolygonsKeepTheirShapeDynamicOnesFollow)
{
	point("a", 1, 0, 0);
	point("b", 0, 1, 0);
	// an object without a point gives a static polygon the origin
	m_state.addObject(new polygonObject("q", 0, 0), 0);
	polygonObject *s = make(0, {{"a", 0}, {"b", 0}, {"q", 0}});
	polygonObject *d = make(OC_DYNAMIC, {{"a", 0}, {"b", 0}, {"q", 0}});
	EXPECT_EQ(s->m_nbVertices, 3);
	EXPECT_EQ(vertex(*s, 2), std::vector<double>({0, 0, 0}));
	point("a", 2, 0, 0);
	m_state.removeObject("b");
	const std::vector<double> zero{0, 0, 0};
	EXPECT_EQ(vertex(*s, 0), std::vector<double>({1, 0, 0}));
	EXPECT_EQ(vertex(*s, 1), std::vector<double>({0, 1, 0}));
	EXPECT_EQ(vertex(*d, 0), std::vector<double>({2, 0, 0}));
	EXPECT_EQ(vertex(*d, 1), zero);
	EXPECT_EQ(vertex(*d, 2), zero);
	for (int i : {-1, 3, 100}) {
		EXPECT_EQ(vertex(*s, i), zero) << i;
		EXPECT_EQ(vertex(*d, i), zero) << i;
	}
	EXPECT_EQ(s->freeAllVertices(), 0);
	EXPECT_EQ(s->m_nbVertices, 0);
	delete s;
	delete d;
}

TEST_F(polygons, CopiesTakeTheVerticesAndReportTheChange)
{
	point("a", 1, 0, 0);
	point("b", 0, 1, 0);
	// a dynamic source whose flags carry a draw method too
	polygonObject *src = make(OC_DYNAMIC | 0x3000, {{"a", 0}, {"b", 0}});
	polygonObject dst("p", 0, 0);
	int changed = 0;
	EXPECT_EQ(dst.copy(src, changed, 0), 0);
	EXPECT_TRUE(changed & OP_VALUE);
	EXPECT_TRUE(dst.dynamic());
	EXPECT_EQ(dst.m_vertexName, std::vector<std::string>({"a", "b"}));
	point("a", 3, 0, 0);
	EXPECT_EQ(vertex(dst, 0), std::vector<double>({3, 0, 0}));
	// the same again changes no value
	EXPECT_EQ(dst.copy(src, changed, 0), 0);
	EXPECT_FALSE(changed & OP_VALUE);

	// static: coordinates compared
	polygonObject *s1 = make(0, {{"a", 0}, {"b", 0}});
	polygonObject *s2 = make(0, {{"a", 0}, {"b", 0}});
	EXPECT_EQ(s1->copy(s2, changed, 0), 0);
	EXPECT_FALSE(changed & OP_VALUE);
	s2->m_vertex[4] = 0.5;
	EXPECT_EQ(s1->copy(s2, changed, 0), 0);
	EXPECT_TRUE(changed & OP_VALUE);
	EXPECT_EQ(vertex(*s1, 1), std::vector<double>({0, 0.5, 0}));

	// a simplex and a polygon have different draw methods: no copy
	s2->setSimplex(1);
	EXPECT_EQ(s1->copy(s2, changed, 0), -1);
	EXPECT_EQ(s1->m_simplex, 0);
	delete src;
	delete s1;
	delete s2;
}

TEST_F(polygons, CreatePolygonFromTheConsole)
{
	testing::internal::CaptureStdout();
	g_consoleCommandCallback("a = e1; b = e2; c = e3; d = e1 + e2;", &m_state);
	const struct row {
		const char *command;
		int method, vertices;
	} rows[] = {
	    {"create_polygon(p, strip, a, b, c)", DRAW_POLYGON_LINE_STRIP, 3},
	    {"create_polygon(p, Strip, a, b, c)", DRAW_POLYGON_FILLED, 3},
	    {"create_polygon(p, loop, a, b, c, d)", DRAW_POLYGON_LINE_LOOP, 4},
	    {"create_polygon(p, fill, a, b, c, d, a)", DRAW_POLYGON_FILLED, 5},
	    {"create_polygon(p, \"loop \", a, b, c, d, a, b)", DRAW_POLYGON_FILLED, 6},
	    // names of no object add no vertex, the polygon stands all the same
	    {"create_polygon(p, strip, a, x, y)", DRAW_POLYGON_LINE_STRIP, 1},
	};
	for (const row &r : rows) {
		// a shown attribute of the old polygon goes: every property is forced
		if (object *old = m_state.getObjectPtrByName("p")) old->m_drawMode |= DM_ORI;
		g_consoleCommandCallback(r.command, &m_state);
		polygonObject *p = dynamic_cast<polygonObject *>(m_state.getObjectPtrByName("p"));
		ASSERT_NE(p, nullptr) << r.command;
		EXPECT_EQ(p->m_dmMenuIdx, r.method) << r.command;
		EXPECT_EQ(p->m_nbVertices, r.vertices) << r.command;
		EXPECT_EQ(p->m_drawMode, DM_SHADE) << r.command;
		EXPECT_FALSE(p->dynamic());
		EXPECT_EQ(std::vector<double>(p->getVertex(0), p->getVertex(0) + 3), std::vector<double>({1, 0, 0}));
	}
	// a command's result, and nothing else
	std::string expected;
	for (size_t i = 0; i < sizeof rows / sizeof rows[0]; i++) expected += "ans = 0\n";
	EXPECT_EQ(testing::internal::GetCapturedStdout(), expected);
}

} // namespace
