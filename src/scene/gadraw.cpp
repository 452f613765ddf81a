// The set-up every algebra object draws with, and points as small spheres.
#include "scene/gadraw.h"

#include <GL/gl.h>

#include <cmath>

#include "draw/geosphere.h"
#include "view/glwindow.h"
#include "scene/object.h"
#include "state/state.h"

namespace {

// Below this alpha (times the fade) an object draws transparently.
constexpr float sc_opaqueAlpha = 0.99f;

void enableIf(GLenum capability, bool on)
{
	if (on) glEnable(capability);
	else glDisable(capability);
}

} // namespace

bool beginAlgebraDraw(object &o, glwindow *w)
{
	// transparency: no depth writes, blending by the alpha
	bool transparent = w != nullptr && w->depthMaskAllowedOff() && o.fgColor(3) < sc_opaqueAlpha;
	glDepthMask(transparent ? GL_FALSE : GL_TRUE);
	enableIf(GL_BLEND, transparent);
	if (transparent) glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

	// colour, culling, lighting and stipple
	o.setFgColor();
	glEnable(GL_CULL_FACE);
	glCullFace(GL_BACK);
	enableIf(GL_LIGHTING, (o.m_drawMode & DM_SHADE) != 0);
	enableIf(GL_POLYGON_STIPPLE, (o.m_drawMode & DM_STIPPLE) != 0);
	enableIf(GL_LINE_STIPPLE, (o.m_drawMode & DM_STIPPLE) != 0);
	glMatrixMode(GL_MODELVIEW);
	return transparent;
}

void polygonModeByWireframe(int drawMode)
{
	glPolygonMode(GL_FRONT_AND_BACK, (drawMode & DM_WIREFRAME) ? GL_LINE : GL_FILL);
}

double flatExtent()
{
	const double clip = g_state != nullptr ? g_state->m_clipDistance : state::sc_defaultClipDistance;
	return clip * std::sqrt(2.0);
}

void drawPointSphere(const double *at, double radius, double hairLength)
{
	glDisable(GL_LIGHTING);
	glPushMatrix();
	if (at != nullptr) glTranslated(at[0], at[1], at[2]);
	glScaled(radius, radius, radius);
	gsDraw(g_pointSphere, hairLength);
	glPopMatrix();
}
