// The OpenGL state in which the view draws every object, and which it puts
// back after each one, so that what an object looks like does not depend on
// what was drawn before it.  Drawers switch these states freely (a wireframe
// leaves lines as the polygon mode, a label turns texturing on, a translucent
// object stops depth writes); rather than have every drawer undo its own
// changes on every path, the view resets them all after each object: a dozen
// state calls that read nothing back, made outside any display list the
// object may record, and the same in the picking pass.
//
// Lighting is the exception: every kind of object switches it on or off
// itself before its first primitive, and switching it off after an object
// that the next one switches on again makes the GL derive its lighting
// pipeline anew for every object (a frame of 1,000 shaded polygons took
// half as long again).  The view switches it off once at the start and at
// the end of a pass.
#include <GL/gl.h>

#include "view/glwindow.h"
#include "scene/object.h"

namespace {

// OpenGL's own line width; lines drawn as OpenGL lines set theirs.
constexpr GLfloat sc_lineWidth = 1.0f;

} // namespace

void glwindow::setupObjectState()
{
	restoreObjectState();
	glDisable(GL_LIGHTING);
}

void glwindow::restoreObjectState()
{
	// faces filled, back faces culled
	glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
	glEnable(GL_CULL_FACE);
	glCullFace(GL_BACK);
	glLineWidth(sc_lineWidth);
	// each object switches on what its draw-mode bits ask for
	glDisable(GL_LINE_STIPPLE);
	glDisable(GL_POLYGON_STIPPLE);
	glDisable(GL_COLOR_MATERIAL);
	glDisable(GL_TEXTURE_2D);
	// opaque: depth written, nothing blended
	glDisable(GL_BLEND);
	glBlendFunc(GL_ONE, GL_ZERO);
	glDepthMask(GL_TRUE);
	glMatrixMode(GL_MODELVIEW);
}

void glwindow::drawObject(object *obj)
{
	obj->draw(this);
	restoreObjectState();
}

void glwindow::pickObject(object *obj)
{
	obj->pick(this);
	restoreObjectState();
}
