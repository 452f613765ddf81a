// How a mesh draws: front faces filled (or as lines in wireframe), back
// faces as lines, with the normals of its mode; a static mesh through the
// display list it records at its first draw after a change.
#include <GL/gl.h>

#include "scene/gadraw.h"
#include "scene/meshobject.h"
#include "state/state.h"

int meshObject::draw(glwindow *window)
{
	// 1. and 2. translucency, colour, lighting and stipple; an opaque mesh
	// shows its back faces (as lines), a translucent one culls them
	if (!beginAlgebraDraw(*this, window)) glDisable(GL_CULL_FACE);

	// 3. the sides of the faces
	glPolygonMode(GL_FRONT, (m_drawMode & DM_WIREFRAME) ? GL_LINE : GL_FILL);
	glPolygonMode(GL_BACK, GL_LINE);
	return drawMesh(g_state);
}

int meshObject::drawMesh(state *s)
{
	// Selection (the pick pass) never calls a display list: the renderer
	// here crashes on such a call.  A static mesh draws directly then.
	GLint renderMode = GL_RENDER;
	glGetIntegerv(GL_RENDER_MODE, &renderMode);
	const bool selecting = renderMode == GL_SELECT;

	// 4. a static mesh that is compiled calls its list
	if (!dynamic() && !selecting && m_displayList != NO_DISPLAY_LIST) {
		glCallList(m_displayList);
		return 0;
	}
	// a dynamic mesh follows its points at every draw
	if (dynamic() || !m_normalsValid) {
		int result = computeNormals(s);
		if (result != 0) return result;
	}
	const bool compile = !dynamic() && !selecting;
	if (compile) allocDisplayList();
	const bool recording = compile && m_displayList != NO_DISPLAY_LIST;
	if (recording) glNewList(m_displayList, GL_COMPILE_AND_EXECUTE);

	// 5. the faces
	emitFaces();

	// 6.
	if (recording) glEndList();
	return 0;
}

void meshObject::emitFaces() const
{
	const bool flat = (m_mode & OC_COMPUTE_NORMALS_FLAT) != 0;
	// all triangles or all quads: one batch
	const GLenum batch = m_faceType == 3 ? GL_TRIANGLES : m_faceType == 4 ? GL_QUADS : GL_POLYGON;
	const bool oneBatch = batch != GL_POLYGON;
	if (oneBatch) glBegin(batch);
	for (int f = 0; f < m_nbFaces; f++) {
		const face &F = m_face[f];
		if (!oneBatch) glBegin(GL_POLYGON);
		if (flat) glNormal3dv(F.nl);
		for (int idx : F.vtxIdx) {
			const vertex &v = m_vertex[idx];
			if (!flat) glNormal3dv(v.nl);
			glVertex3dv(v.pos);
		}
		if (!oneBatch) glEnd();
	}
	if (oneBatch) glEnd();
}
