// Mesh scene objects without a view: their vertices, normals and faces, the
// messages of what they refuse, the normals of each mode (also of faces of
// no area and of unused vertices), dynamic meshes taking their points, and
// copies.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "scene/meshobject.h"
#include "state/state.h"

namespace {

typedef std::vector<double> v3;

class meshes : public testing::Test {
protected:
	state m_state;

	void point(const char *name, double x, double y, double z)
	{
		m_state.addE3gaObject(e3ga(2, x, y, z), name, 0, 0, 0);
	}
	// A "roof": vertices 0..3 at the origin, 2 e1, 2 e2 and 2 e3, one
	// triangle in the e1 e2 plane and one in the e3 e1 plane, and a fifth
	// vertex that no face uses.
	static void roof(meshObject &m)
	{
		const double p[5][3] = {{0, 0, 0}, {2, 0, 0}, {0, 2, 0}, {0, 0, 2}, {5, 5, 5}};
		for (int i = 0; i < 5; i++) EXPECT_EQ(m.setVertexPos(i, p[i]), 0);
		const int f0[3] = {0, 1, 2}, f1[3] = {0, 3, 1};
		EXPECT_EQ(m.addFace(3, f0), 0);
		EXPECT_EQ(m.addFace(3, f1), 0);
	}
	static v3 of(const double *v) { return {v[0], v[1], v[2]}; }
	static void expectNear(const double *got, const v3 &want, const std::string &what)
	{
		for (int i = 0; i < 3; i++) EXPECT_NEAR(got[i], want[i], 1e-12) << what << " " << i;
	}
	// What f prints on standard output.
	template <class F> static std::string printed(F f)
	{
		testing::internal::CaptureStdout();
		f();
		return testing::internal::GetCapturedStdout();
	}
};

TEST_F(meshes, ConstructionAndDescriptions)
{
	const struct row {
		int flags, mode;
	} rows[] = {{0, OC_COMPUTE_NORMALS_FLAT},
	            {OC_DYNAMIC, OC_DYNAMIC | OC_COMPUTE_NORMALS_FLAT},
	            {OC_COMPUTE_NORMALS_GOURAUD, OC_COMPUTE_NORMALS_GOURAUD},
	            {OC_SPECIFY_NORMALS | OC_DYNAMIC, OC_SPECIFY_NORMALS | OC_DYNAMIC}};
	for (const row &r : rows) {
		meshObject m("m", DM_WIREFRAME, r.flags);
		EXPECT_EQ(m.m_mode, r.mode);
		EXPECT_EQ(m.m_drawMode, DM_WIREFRAME | DM_SHADE);
		EXPECT_EQ(m.m_type, OT_MESH);
		EXPECT_EQ(m.m_properties, 0x171);
		EXPECT_EQ(m.m_dmMenu, nullptr);
	}
	meshObject m("m", 0, 0);
	roof(m);
	char buf[64];
	m.description(buf, sizeof buf, 1);
	EXPECT_STREQ(buf, "m: mesh object");
	m.description(buf, sizeof buf, 0);
	EXPECT_STREQ(buf, "Mesh\n2 faces, 5 vertices");
	m.description(buf, 8, 0);
	EXPECT_STREQ(buf, "Mesh\n2 ");
}

TEST_F(meshes, RefusalsAndTheirMessages)
{
	meshObject m("m", 0, 0), d("d", 0, OC_DYNAMIC);
	const double p[3] = {1, 2, 3};
	const int idx[2] = {0, 1};
	const struct row {
		const char *what;
		std::function<int()> call;
		const char *message;
	} rows[] = {
	    {"face of two", [&] { return m.addFace(2, idx); }, "meshObject::addFace(): invalid face (only 2 faces)\n"},
	    {"face of none", [&] { return m.addFace(-1, idx); }, "meshObject::addFace(): invalid face (only -1 faces)\n"},
	    {"coordinates of a dynamic mesh", [&] { return d.setVertexPos(0, p); }, ""},
	    {"normal coordinates of a dynamic mesh", [&] { return d.setVertexNormal(0, p); }, ""},
	    {"negative index", [&] { return m.setVertexPos(-1, p); }, ""},
	    {"index above the limit", [&] { return m.setVertexPos(meshObject::MAX_VERTEX_INDEX + 1, "a"); }, ""},
	    {"largest int", [&] { return m.setVertexNormal(INT_MAX, p); }, ""},
	    {"no records", [&] { return m.ensureVertices(0); }, ""},
	    {"no face records", [&] { return m.ensureFaces(-3); }, ""},
	};
	for (const row &r : rows) {
		int result = 0;
		EXPECT_EQ(printed([&] { result = r.call(); }), r.message) << r.what;
		EXPECT_EQ(result, -1) << r.what;
	}
	EXPECT_EQ(m.m_nbFaces, 0);
	EXPECT_EQ(m.m_nbVertices, 0);
	EXPECT_EQ(d.m_nbVertices, 0);
	// an index past the end grows the mesh to it
	EXPECT_EQ(m.setVertexPos(1000, p), 0);
	EXPECT_EQ(m.m_nbVertices, 1001);
	EXPECT_GE(m.m_vertex.size(), 1001u);
	EXPECT_EQ(of(m.m_vertex[999].pos), v3({0, 0, 0}));
	// a dynamic mesh takes names
	EXPECT_EQ(d.setVertexPos(2, "a"), 0);
	EXPECT_EQ(d.setVertexNormal(1, "b"), 0);
	EXPECT_EQ(d.m_nbVertices, 3);
	EXPECT_EQ(d.m_vertex[2].posName, "a");
	EXPECT_EQ(d.m_vertex[1].nlName, "b");
}

TEST_F(meshes, AnIndexOutOfRangeIsReportedAtEveryComputation)
{
	meshObject m("m", 0, 0);
	roof(m);
	const int bad[3] = {0, 5, 1}, negative[3] = {0, 1, -1};
	m.addFace(3, bad);
	for (int i = 0; i < 2; i++) {
		EXPECT_EQ(printed([&] { EXPECT_EQ(m.computeNormals(&m_state), -1); }),
		          "meshObject::computeNormals(): invalid face, vertex index out of range (5 >= 5)\n");
		EXPECT_EQ(m.m_normalsValid, 0);
	}
	meshObject n("n", 0, 0);
	roof(n);
	n.addFace(3, negative);
	EXPECT_EQ(printed([&] { n.computeNormals(&m_state); }),
	          "meshObject::computeNormals(): invalid face, vertex index out of range (-1 >= 5)\n");
}

TEST_F(meshes, FlatGouraudAndSpecifiedNormals)
{
	const double s = std::sqrt(0.5);
	meshObject flat("f", 0, 0), smooth("g", 0, OC_COMPUTE_NORMALS_GOURAUD), given("s", 0, OC_SPECIFY_NORMALS);
	for (meshObject *m : {&flat, &smooth, &given}) {
		roof(*m);
		// a face of no area
		const int degenerate[4] = {1, 1, 0, 1};
		m->addFace(4, degenerate);
		EXPECT_EQ(m->m_normalsValid, 0);
		EXPECT_EQ(m->computeNormals(&m_state), 0);
		EXPECT_EQ(m->m_normalsValid, 1);
		EXPECT_EQ(m->m_faceType, -1);
	}
	// flat: unit face normals, zero for the face of no area
	expectNear(flat.m_face[0].nl, {0, 0, 1}, "flat face 0");
	expectNear(flat.m_face[1].nl, {0, 1, 0}, "flat face 1");
	expectNear(flat.m_face[2].nl, {0, 0, 0}, "flat face 2");
	// smooth: the mean of the faces around each vertex; zero for a vertex
	// of no face
	const v3 want[5] = {{0, s, s}, {0, s, s}, {0, 0, 1}, {0, 1, 0}, {0, 0, 0}};
	for (int i = 0; i < 5; i++) expectNear(smooth.m_vertex[i].nl, want[i], "smooth " + std::to_string(i));
	// given, without any normal lines: zero
	for (int i = 0; i < 5; i++) expectNear(given.m_vertex[i].nl, {0, 0, 0}, "given " + std::to_string(i));
	const double n[3] = {0, 0, -1};
	given.setVertexNormal(2, n);
	EXPECT_EQ(given.m_normalsValid, 0);
	given.computeNormals(&m_state);
	expectNear(given.m_vertex[2].nl, {0, 0, -1}, "given 2");
	// faces all of one size
	meshObject quads("q", 0, 0);
	const double corners[4][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
	for (int i = 0; i < 4; i++) quads.setVertexPos(i, corners[i]);
	const int q[4] = {0, 1, 2, 3};
	quads.addFace(4, q);
	quads.addFace(4, q);
	quads.computeNormals(&m_state);
	EXPECT_EQ(quads.m_faceType, 4);
	EXPECT_EQ(flat.m_face[0].nbVtx(), 3);
}

TEST_F(meshes, NamedPointsAndNormals)
{
	point("a", 1, 0, 0);
	point("b", 0, 3, 0);
	meshObject st("s", 0, OC_SPECIFY_NORMALS), dy("d", 0, OC_SPECIFY_NORMALS | OC_DYNAMIC);
	for (meshObject *m : {&st, &dy}) {
		m->setVertexPos(0, "a");
		m->setVertexPos(1, "b");
		m->setVertexPos(2, "gone");
		m->setVertexNormal(0, "b");
		const int f[3] = {0, 1, 2};
		m->addFace(3, f);
	}
	// the static mesh took the points when the lines came
	expectNear(st.m_vertex[1].pos, {0, 3, 0}, "static b");
	expectNear(st.m_vertex[0].nl, {0, 1, 0}, "static normal of b");
	point("b", 0, 0, 4);
	st.computeNormals(&m_state);
	dy.computeNormals(&m_state);
	expectNear(st.m_vertex[1].pos, {0, 3, 0}, "static b kept");
	// the dynamic one takes them at every computation
	expectNear(dy.m_vertex[0].pos, {1, 0, 0}, "dynamic a");
	expectNear(dy.m_vertex[1].pos, {0, 0, 4}, "dynamic b");
	expectNear(dy.m_vertex[2].pos, {0, 0, 0}, "dynamic gone");
	expectNear(dy.m_vertex[0].nl, {0, 0, 1}, "dynamic normal of b");
	m_state.removeObject("a");
	dy.computeNormals(&m_state);
	expectNear(dy.m_vertex[0].pos, {0, 0, 0}, "dynamic a removed");
	EXPECT_EQ(of(meshObject::getVertexPos("b")), v3({0, 0, 4}));
	EXPECT_EQ(of(meshObject::getVertexNormal("nothing")), v3({0, 0, 0}));
}

TEST_F(meshes, CopiesTakeEverythingButNotFromAnEmptyMesh)
{
	meshObject src("m", 0, OC_COMPUTE_NORMALS_GOURAUD), dst("m", 0, 0);
	roof(src);
	src.setVertexPos(1, "a");
	int changed = 0;
	// an empty source leaves the copy alone
	meshObject noFaces("other", 0, 0);
	const double p[3] = {1, 1, 1};
	noFaces.setVertexPos(0, p);
	for (meshObject *empty : {&noFaces, new meshObject("other", 0, 0)}) {
		EXPECT_EQ(dst.copy(empty, changed, -1), -1);
		EXPECT_EQ(dst.m_name, "m");
		EXPECT_EQ(changed, 0);
		if (empty != &noFaces) delete empty;
	}
	dst.computeNormals(&m_state);
	EXPECT_EQ(dst.copy(&src, changed, 0), 0);
	EXPECT_TRUE(changed & OP_VALUE);
	EXPECT_EQ(dst.m_normalsValid, 0);
	EXPECT_EQ(dst.m_mode, OC_COMPUTE_NORMALS_GOURAUD);
	EXPECT_EQ(dst.m_nbVertices, 5);
	EXPECT_EQ(dst.m_nbFaces, 2);
	EXPECT_EQ(dst.m_vertex[1].posName, "a");
	EXPECT_EQ(dst.m_face[1].vtxIdx, std::vector<int>({0, 3, 1}));
	// the same counts and mode are no change of value, whatever the contents
	src.m_vertex[0].pos[0] = 7;
	EXPECT_EQ(dst.copy(&src, changed, 0), 0);
	EXPECT_FALSE(changed & OP_VALUE);
	EXPECT_EQ(dst.m_vertex[0].pos[0], 7);
	// in the state: a mesh of the name keeps its identity; an empty one replaces it
	meshObject *kept = new meshObject("k", 0, 0);
	roof(*kept);
	m_state.addObject(kept, -1);
	meshObject *again = new meshObject("k", 0, 0);
	roof(*again);
	m_state.addObject(again, -1);
	EXPECT_EQ(m_state.getObjectPtrByName("k"), kept);
	m_state.addObject(new meshObject("k", 0, 0), -1);
	EXPECT_NE(m_state.getObjectPtrByName("k"), kept);
}

} // namespace
