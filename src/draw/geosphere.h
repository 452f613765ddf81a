#pragma once
// Geodesic unit spheres: an octahedron whose triangles are split recursively
// into four, the new vertices pushed out onto the unit sphere.  The mesh is
// kept as a face tree (every face of every level, children after their
// parents) and drawn from its leaves with smooth normals.  Built once for a
// depth and never changed: a new depth is gsFree followed by gsCompute.
#include "e3ga/e3ga.h"

struct geosphereFace_s {
	// vertex indices, counter-clockwise seen from outside
	int v[3];
	// the four sub-faces; child[0] < 0 marks a leaf
	int child[4];
	// level: 0 for the top faces, parent + 1 for children
	int depth;
	// the face across edge i (v[i] to v[(i + 1) % 3]), -1 when none was found
	int neighbour[3];
};

struct geosphere_s {
	int nbVertices;
	int maxVertices;
	// vertex positions, which are also the vertex normals
	e3ga *vertex;
	// faces of all levels: the top faces first, then children in creation order
	int nbFaces;
	int maxFaces;
	geosphereFace_s *face;
	// the top faces, roots of the face trees
	int nbPrimitives;
	// the refinement depth the mesh was built with
	int depth;
};

// The spheres drawn for points and for spheres; null until built (the
// application state builds and frees them).
extern geosphere_s *g_pointSphere;
extern geosphere_s *g_sphereSphere;

// Builds a new sphere of the given depth into *gs; -1 (and *gs null) when the
// structure cannot be allocated.  A refinement that runs out of memory leaves
// the mesh as far as it was built.
int gsCompute(geosphere_s **gs, int depth);
// Releases *gs (null allowed) and sets it to null.  Returns 0.
int gsFree(geosphere_s **gs);
// Draws the leaf triangles of every top face, or of the tree under face f,
// in one GL_TRIANGLES primitive.  A nonzero normalLength adds a line of
// that length along the normal at each vertex of each triangle (inward when
// negative), drawn unlit; then each triangle is a primitive of its own,
// followed by its lines.  A null sphere draws nothing.
void gsDraw(geosphere_s *gs, double normalLength);
void gsDraw(geosphere_s *gs, int f, double normalLength);

// The building steps.  Each returns 0, or -1 when memory runs out.
// Room for n vertices; the capacity grows at least fourfold.
int gsEnsureVertices(geosphere_s *gs, int n);
// Room for n faces; the capacity grows at least twofold.
int gsEnsureFaces(geosphere_s *gs, int n);
// The index of v: an existing vertex within 1e-5 of it, or v appended.
int gsAddVertex(geosphere_s *gs, e3ga &v, int *index);
// Splits face f into four, and those again, depth times.
int gsRefineFace(geosphere_s *gs, int f, int depth);
// Fills every face's neighbours; a face short of three is reported on
// standard error.
void gsComputeNeighbours(geosphere_s *gs);
