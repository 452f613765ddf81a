// What every scene object does in OpenGL itself: making one of its colours
// current, with the fade applied to the alpha, and keeping a display list.
#include <GL/gl.h>

#include "scene/object.h"
#include "state/state.h"

int object::setFgColor() { return makeColorCurrent(m_fgColor); }
int object::setBgColor() { return makeColorCurrent(m_bgColor); }
int object::setOlColor() { return makeColorCurrent(m_olColor); }

int object::makeColorCurrent(const float *c)
{
	float alpha = c[3] * m_fadeCurrentFactor;
	float ambient = g_state ? g_state->m_ambient : state::sc_defaultAmbient;
	float diffuse = g_state ? g_state->m_diffuse : state::sc_defaultDiffuse;
	glColor4f(c[0], c[1], c[2], alpha);
	// the material follows the colour, scaled by the light intensities
	const GLfloat ambientMaterial[4] = {c[0] * ambient, c[1] * ambient, c[2] * ambient, alpha};
	const GLfloat diffuseMaterial[4] = {c[0] * diffuse, c[1] * diffuse, c[2] * diffuse, alpha};
	glMaterialfv(GL_FRONT, GL_AMBIENT, ambientMaterial);
	glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuseMaterial);
	return 0;
}

int object::allocDisplayList()
{
	freeDisplayList();
	GLuint list = glGenLists(1);
	// 0 is no list: OpenGL could not make one
	m_displayList = list != 0 ? list : NO_DISPLAY_LIST;
	return 0;
}

int object::freeDisplayList()
{
	if (m_displayList == NO_DISPLAY_LIST) return 0;
	glDeleteLists(m_displayList, 1);
	m_displayList = NO_DISPLAY_LIST;
	return 0;
}

void object::forgetGLObjects() { m_displayList = NO_DISPLAY_LIST; }
