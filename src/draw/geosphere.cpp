#include "draw/geosphere.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>

geosphere_s *g_pointSphere = nullptr;
geosphere_s *g_sphereSphere = nullptr;

namespace {

// The octahedron the spheres start from.  The equatorial coordinate is the
// single-precision 0.707, stored unnormalised (length about 0.99985), so
// meshes are the same wherever they are built.
const double sc_eq = (double)0.707f;
const double c_octahedronVertex[6][3] = {
    {0.0, -1.0, 0.0}, {0.0, 1.0, 0.0}, {sc_eq, 0.0, sc_eq}, {sc_eq, 0.0, -sc_eq}, {-sc_eq, 0.0, -sc_eq}, {-sc_eq, 0.0, sc_eq},
};
constexpr int sc_octahedronVertices = 6;
constexpr int sc_octahedronFaces = 8;
const int c_octahedronFace[sc_octahedronFaces][3] = {
    {5, 0, 2}, {3, 2, 0}, {5, 4, 0}, {4, 3, 0}, {1, 5, 2}, {1, 2, 3}, {1, 3, 4}, {1, 4, 5},
};

// Vertices closer than this are one vertex: the midpoint of an edge made
// again by the face on the other side of it is found, not duplicated.
constexpr double sc_sameVertexDistance = 1e-5;

// Growth factors of the two arrays when they run out of room.
constexpr int sc_vertexGrowth = 4;
constexpr int sc_faceGrowth = 2;

// A face of the given vertices with no children yet.
void setLeaf(geosphereFace_s &face, int v0, int v1, int v2, int depth)
{
	face.v[0] = v0;
	face.v[1] = v1;
	face.v[2] = v2;
	for (int i = 0; i < 4; i++) face.child[i] = -1;
	face.depth = depth;
	for (int i = 0; i < 3; i++) face.neighbour[i] = -1;
}

} // namespace

int gsEnsureVertices(geosphere_s *gs, int n)
{
	if (gs->maxVertices >= n) return 0;
	int capacity = std::max(n, sc_vertexGrowth * gs->maxVertices);
	e3ga *vertex = new (std::nothrow) e3ga[capacity];
	if (vertex == nullptr) return -1;
	for (int i = 0; i < gs->nbVertices; i++) vertex[i] = gs->vertex[i];
	delete[] gs->vertex;
	gs->vertex = vertex;
	gs->maxVertices = capacity;
	return 0;
}

int gsEnsureFaces(geosphere_s *gs, int n)
{
	if (gs->maxFaces >= n) return 0;
	int capacity = std::max(n, sc_faceGrowth * gs->maxFaces);
	void *face = std::realloc(gs->face, (size_t)capacity * sizeof(geosphereFace_s));
	if (face == nullptr) return -1;
	gs->face = static_cast<geosphereFace_s *>(face);
	gs->maxFaces = capacity;
	return 0;
}

int gsAddVertex(geosphere_s *gs, e3ga &v, int *index)
{
	*index = -1;
	// reuse the first vertex close enough (a linear scan)
	const double *p = v.coordinates(2);
	for (int i = 0; i < gs->nbVertices; i++) {
		const double *q = gs->vertex[i].coordinates(2);
		double dx = p[0] - q[0], dy = p[1] - q[1], dz = p[2] - q[2];
		if (dx * dx + dy * dy + dz * dz < sc_sameVertexDistance * sc_sameVertexDistance) {
			*index = i;
			return 0;
		}
	}
	if (gsEnsureVertices(gs, gs->nbVertices + 1) != 0) return -1;
	gs->vertex[gs->nbVertices] = v;
	*index = gs->nbVertices++;
	return 0;
}

int gsRefineFace(geosphere_s *gs, int f, int depth)
{
	if (depth <= 0) return 0;
	// the midpoints of the edges (v0, v1), (v1, v2), (v2, v0), pushed onto the sphere
	int corner[3], mid[3];
	for (int e = 0; e < 3; e++) corner[e] = gs->face[f].v[e];
	for (int e = 0; e < 3; e++) {
		e3ga m = add(gs->vertex[corner[e]], gs->vertex[corner[(e + 1) % 3]]).normal(1);
		if (gsAddVertex(gs, m, &mid[e]) != 0) return -1;
	}
	// four children appended; the face array may move, so faces are reached by index
	if (gsEnsureFaces(gs, gs->nbFaces + 4) != 0) return -1;
	int nb = gs->nbFaces, childDepth = gs->face[f].depth + 1;
	setLeaf(gs->face[nb], corner[0], mid[0], mid[2], childDepth);
	setLeaf(gs->face[nb + 1], mid[0], corner[1], mid[1], childDepth);
	setLeaf(gs->face[nb + 2], mid[0], mid[1], mid[2], childDepth);
	setLeaf(gs->face[nb + 3], mid[1], corner[2], mid[2], childDepth);
	gs->nbFaces += 4;
	for (int i = 0; i < 4; i++) gs->face[f].child[i] = nb + i;
	// depth first; a child that runs out of memory stays as far as it got
	for (int i = 0; i < 4; i++) gsRefineFace(gs, nb + i, depth - 1);
	return 0;
}

void gsComputeNeighbours(geosphere_s *gs)
{
	for (int f = 0; f < gs->nbFaces; f++)
		for (int e = 0; e < 3; e++) gs->face[f].neighbour[e] = -1;
	for (int f = 0; f < gs->nbFaces; f++) {
		int count = 0;
		for (int e = 0; e < 3; e++) {
			// set already by an earlier face
			if (gs->face[f].neighbour[e] >= 0) {
				count++;
				continue;
			}
			// a later face holding the edge a-b, either way round; every match counts
			int a = gs->face[f].v[e], b = gs->face[f].v[(e + 1) % 3];
			for (int g = f + 1; g < gs->nbFaces; g++) {
				geosphereFace_s &other = gs->face[g];
				for (int h = 0; h < 3; h++) {
					if (other.v[h] != a) continue;
					if (other.v[(h + 1) % 3] == b) {
						gs->face[f].neighbour[e] = g;
						other.neighbour[h] = f;
						count++;
					} else if (other.v[(h + 2) % 3] == b) {
						gs->face[f].neighbour[e] = g;
						other.neighbour[(h + 2) % 3] = f;
						count++;
					}
				}
			}
		}
		if (count != 3) fprintf(stderr, "gsComputeNeighbours(): Found only %d neighbours of face %d\n", count, f);
	}
}

int gsCompute(geosphere_s **gs, int depth)
{
	*gs = new (std::nothrow) geosphere_s();
	if (*gs == nullptr) return -1;
	geosphere_s *s = *gs;
	// the octahedron
	if (gsEnsureFaces(s, sc_octahedronFaces) == 0 && gsEnsureVertices(s, sc_octahedronVertices) == 0) {
		for (int f = 0; f < sc_octahedronFaces; f++)
			setLeaf(s->face[f], c_octahedronFace[f][0], c_octahedronFace[f][1], c_octahedronFace[f][2], 0);
		s->nbFaces = s->nbPrimitives = sc_octahedronFaces;
		for (int i = 0; i < sc_octahedronVertices; i++)
			s->vertex[i].setVector(c_octahedronVertex[i][0], c_octahedronVertex[i][1], c_octahedronVertex[i][2]);
		s->nbVertices = sc_octahedronVertices;
	}
	for (int f = 0; f < s->nbPrimitives; f++) gsRefineFace(s, f, depth);
	s->depth = depth;
	gsComputeNeighbours(s);
	return 0;
}

int gsFree(geosphere_s **gs)
{
	geosphere_s *s = *gs;
	*gs = nullptr;
	if (s == nullptr) return 0;
	std::free(s->face);
	delete[] s->vertex;
	delete s;
	return 0;
}

namespace {

// The normals and positions of the leaf triangles under face f, inside a
// GL_TRIANGLES primitive begun already.
void leafTriangles(const geosphere_s *gs, int f)
{
	const geosphereFace_s &face = gs->face[f];
	if (face.child[0] >= 0) {
		for (int i = 0; i < 4; i++) leafTriangles(gs, face.child[i]);
		return;
	}
	// a leaf: the positions on the unit sphere are their own normals
	for (int i = 0; i < 3; i++) {
		const double *p = gs->vertex[face.v[i]].coordinates(2);
		glNormal3dv(p);
		glVertex3dv(p);
	}
}

} // namespace

void gsDraw(geosphere_s *gs, double normalLength)
{
	// a sphere not built (yet) draws nothing
	if (gs == nullptr) return;
	if (normalLength == 0.0) {
		// nothing between the triangles asks for another primitive: one
		// primitive for the sphere costs the renderer far less than one
		// per triangle, and gives the same pixels
		glBegin(GL_TRIANGLES);
		for (int f = 0; f < gs->nbPrimitives; f++) leafTriangles(gs, f);
		glEnd();
		return;
	}
	for (int f = 0; f < gs->nbPrimitives; f++) gsDraw(gs, f, normalLength);
}

void gsDraw(geosphere_s *gs, int f, double normalLength)
{
	if (normalLength == 0.0) {
		glBegin(GL_TRIANGLES);
		leafTriangles(gs, f);
		glEnd();
		return;
	}
	const geosphereFace_s &face = gs->face[f];
	if (face.child[0] >= 0) {
		for (int i = 0; i < 4; i++) gsDraw(gs, face.child[i], normalLength);
		return;
	}
	// a leaf with its orientation hairs, which are lines: a primitive each
	const double *p[3];
	for (int i = 0; i < 3; i++) p[i] = gs->vertex[face.v[i]].coordinates(2);
	glBegin(GL_TRIANGLES);
	for (int i = 0; i < 3; i++) {
		glNormal3dv(p[i]);
		glVertex3dv(p[i]);
	}
	glEnd();
	// the orientation hairs, unlit
	GLboolean lit = glIsEnabled(GL_LIGHTING);
	glDisable(GL_LIGHTING);
	glBegin(GL_LINES);
	for (int i = 0; i < 3; i++) {
		double s = normalLength / std::sqrt(p[i][0] * p[i][0] + p[i][1] * p[i][1] + p[i][2] * p[i][2]);
		glVertex3dv(p[i]);
		glVertex3d(p[i][0] * (1.0 + s), p[i][1] * (1.0 + s), p[i][2] * (1.0 + s));
	}
	glEnd();
	if (lit) glEnable(GL_LIGHTING);
}
