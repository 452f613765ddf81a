// Geodesic spheres: sizes of the face tree by depth, vertices on the sphere,
// orientation of the faces, neighbours, and releasing.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "draw/geosphere.h"

namespace {

const double *at(const geosphere_s *gs, int v) { return gs->vertex[v].coordinates(2); }
double length(const double *p) { return std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]); }

TEST(geosphere, depthsBuildClosedMeshes)
{
	struct {
		int depth, vertices, faces, leaves;
	} cases[] = {{0, 6, 8, 8}, {1, 18, 40, 32}, {2, 66, 168, 128}, {3, 258, 680, 512}};
	for (const auto &c : cases) {
		SCOPED_TRACE(c.depth);
		geosphere_s *gs = nullptr;
		testing::internal::CaptureStderr();
		ASSERT_EQ(gsCompute(&gs, c.depth), 0);
		EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
		ASSERT_NE(gs, nullptr);
		EXPECT_EQ(gs->nbVertices, c.vertices);
		EXPECT_EQ(gs->nbFaces, c.faces);
		EXPECT_EQ(gs->nbPrimitives, 8);
		EXPECT_EQ(gs->depth, c.depth);
		int leaves = 0;
		for (int f = 0; f < gs->nbFaces; f++) {
			const geosphereFace_s &face = gs->face[f];
			if (face.child[0] < 0) {
				leaves++;
				EXPECT_EQ(face.depth, c.depth);
				// counter-clockwise seen from outside: the face normal points away from the centre
				const double *a = at(gs, face.v[0]), *b = at(gs, face.v[1]), *p = at(gs, face.v[2]);
				double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]}, w[3] = {p[0] - a[0], p[1] - a[1], p[2] - a[2]};
				double n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
				EXPECT_GT(n[0] * a[0] + n[1] * a[1] + n[2] * a[2], 0.0);
			} else {
				for (int i = 0; i < 4; i++) EXPECT_EQ(gs->face[face.child[i]].depth, face.depth + 1);
			}
			// three neighbours on the face's own level, each naming it back across the same edge
			for (int e = 0; e < 3; e++) {
				int g = face.neighbour[e];
				ASSERT_GE(g, 0);
				const geosphereFace_s &other = gs->face[g];
				EXPECT_EQ(other.depth, face.depth);
				int back = 0;
				for (int h = 0; h < 3; h++)
					if (other.neighbour[h] == f) {
						back++;
						EXPECT_EQ(other.v[h], face.v[(e + 1) % 3]);
						EXPECT_EQ(other.v[(h + 1) % 3], face.v[e]);
					}
				EXPECT_EQ(back, 1);
			}
		}
		EXPECT_EQ(leaves, c.leaves);
		// the octahedron's equator stays as given; every refined vertex is on the sphere
		EXPECT_EQ(at(gs, 2)[0], (double)0.707f);
		for (int v = 0; v < gs->nbVertices; v++) {
			double expected = v >= 2 && v < 6 ? std::sqrt(2.0) * (double)0.707f : 1.0;
			EXPECT_NEAR(length(at(gs, v)), expected, 1e-15);
		}
		gsFree(&gs);
	}
}

TEST(geosphere, freeingTakesThePointer)
{
	geosphere_s *gs = nullptr;
	EXPECT_EQ(gsFree(&gs), 0);
	EXPECT_EQ(gs, nullptr);
	ASSERT_EQ(gsCompute(&gs, 1), 0);
	EXPECT_EQ(gsFree(&gs), 0);
	EXPECT_EQ(gs, nullptr);
	// a negative depth refines nothing, like depth 0
	ASSERT_EQ(gsCompute(&gs, -1), 0);
	EXPECT_EQ(gs->nbFaces, 8);
	gsFree(&gs);
	// the shared spheres wait for the application state
	EXPECT_EQ(g_pointSphere, nullptr);
	EXPECT_EQ(g_sphereSphere, nullptr);
}

} // namespace
