#pragma once
// meshObject: a polygon mesh, an array of vertices (position and normal)
// and an array of faces that index them.  Normals are computed per face
// (flat), per vertex from the faces around it (Gouraud) or given per
// vertex.  A static mesh is compiled into a display list at its first draw
// after a change; a dynamic mesh (OC_DYNAMIC) takes its positions, and given
// normals, from named scene objects at every draw, so it follows them.
#include <string>
#include <vector>

#include "scene/object.h"

class state;

class meshObject : public object {
public:
	struct vertex {
		double pos[3];
		double nl[3];
		// the objects the position and the normal come from; empty for none
		std::string posName;
		std::string nlName;
	};
	struct face {
		std::vector<int> vtxIdx;
		double nl[3];
		int nbVtx() const { return (int)vtxIdx.size(); }
	};

	// Flat normals unless the creation flags choose another normal mode;
	// shaded.
	meshObject(const std::string &name, int drawMode, int creationFlags);
	~meshObject() override;

	// The pick pass draws the faces directly, never through the display list.
	int pick(glwindow *window) override { return draw(window); }
	// The set-up of the faces' sides, then drawMesh; its result.
	int draw(glwindow *window) override;
	// Opaque (1.0) before translucent (2.0).
	double drawSortValue() override { return fgColor(3) == 1.0f ? 1.0 : 2.0; }
	// "name: mesh object", or "Mesh" with the face and vertex counts.
	int description(char *buf, int bufLen, int brief) override;
	// object::copy, then every vertex and face of src; OP_VALUE reported
	// when the counts or the mode differ.  -1, changing nothing, for a
	// source without vertices or faces: the state then replaces this mesh.
	int copy(const object *src, int &propertiesChanged, int forceFlags) override;
	// The common lines, the mesh line with its normal mode, then a line for
	// every vertex's position and given normal (coordinates, or the name of
	// the object they come from) and for every face.
	int writeToGeoFile(FILE *F) override;

	// At least n vertex (face) records: -1 for n below 1 or when memory
	// runs out (with a message on standard output).
	int ensureVertices(int n);
	int ensureFaces(int n);
	// Vertex i from coordinates: -1 for a dynamic mesh or an index outside
	// 0..MAX_VERTEX_INDEX.
	int setVertexPos(int i, const double *p);
	int setVertexNormal(int i, const double *n);
	// Vertex i from the named object's first point (normal): a static mesh
	// stores it now, every mesh keeps the name.  -1 for an index outside
	// 0..MAX_VERTEX_INDEX.
	int setVertexPos(int i, const char *name);
	int setVertexNormal(int i, const char *name);
	// The named object's first point (normal), or a shared zero vector.
	static const double *getVertexPos(const char *name);
	static const double *getVertexNormal(const char *name);
	// A face through the n vertices idx (checked when the normals are
	// computed); -1, with a message, for fewer than three.
	int addFace(int n, const int *idx);
	// Normals to be computed and the display list rebuilt at the next draw.
	void meshChanged();
	// Checks the faces' indices, fetches a dynamic mesh's positions and
	// computes the normals of the mode; -1, with a message, for an index out
	// of range.
	int computeNormals(state *s);
	// The faces, through the display list of a static mesh when it has one.
	int drawMesh(state *s);

	bool dynamic() const { return (m_mode & OC_DYNAMIC) != 0; }

	// --- fields, in this order
	// 1 after a successful normal computation; cleared by every change
	int m_normalsValid;
	// the vertex count of every face (3 triangles, 4 quads), -1 when they
	// differ, 0 without faces
	int m_faceType;
	// used vertex records; m_vertex.size() are allocated
	int m_nbVertices;
	std::vector<vertex> m_vertex;
	// used face records; m_face.size() are allocated
	int m_nbFaces;
	std::vector<face> m_face;
	// the creation flags, with exactly one normal mode
	int m_mode;

	// The largest vertex index a mesh takes: a million vertices is beyond
	// any mesh a script describes, and a larger index is a typing error that
	// would otherwise allocate without bound (or overflow i + 1).
	static constexpr int MAX_VERTEX_INDEX = (1 << 20) - 1;

private:
	// Vertex i, grown to and counted, marked as changed; null when refused.
	vertex *vertexToSet(int i);
	// The point (normal) of the named object in state s, or the zero vector.
	static const double *pointOf(const state *s, const std::string &name, bool normal);
	// The faces to OpenGL: one batch when all are triangles or all quads.
	void emitFaces() const;
};
