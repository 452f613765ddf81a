// What a scene object does in OpenGL itself: its colour made current with the
// fade in the alpha and the material scaled by the state's light intensities,
// and its display list.
#include <gtest/gtest.h>

#include "scene/gaobject.h"
#include "state/state.h"
#include "support/glcontext.h"

namespace {

TEST(GlObject, ColoursAndMaterialCarryTheFadeAndTheLights)
{
	glTestContext context(16, 16);
	ASSERT_TRUE(context.ok());
	state st;
	st.m_ambient = 0.25f;
	st.m_diffuse = 0.5f;
	e3gaObject o(1.0, "o", 0, 0, 0);
	const float colours[3][4] = {{1.0f, 0.5f, 0.0f, 0.5f}, {0.0f, 1.0f, 1.0f, 1.0f}, {0.5f, 0.5f, 0.5f, 1.0f}};
	o.setFgColor(colours[0]);
	o.setBgColor(colours[1]);
	o.setOlColor(colours[2]);
	o.m_fadeCurrentFactor = 0.5f;
	int (object::*setters[3])() = {&object::setFgColor, &object::setBgColor, &object::setOlColor};
	for (int i = 0; i < 3; i++) {
		(o.*setters[i])();
		const float *c = colours[i], a = c[3] * 0.5f;
		float current[4], ambient[4], diffuse[4];
		glGetFloatv(GL_CURRENT_COLOR, current);
		glGetMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
		glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
		const float want[3][4] = {{c[0], c[1], c[2], a},
		                          {c[0] * 0.25f, c[1] * 0.25f, c[2] * 0.25f, a},
		                          {c[0] * 0.5f, c[1] * 0.5f, c[2] * 0.5f, a}};
		const float *got[3] = {current, ambient, diffuse};
		for (int k = 0; k < 3; k++)
			for (int j = 0; j < 4; j++) EXPECT_NEAR(got[k][j], want[k][j], 1e-6) << i << " " << k << " " << j;
	}

	o.allocDisplayList();
	unsigned int list = o.m_displayList;
	glNewList(list, GL_COMPILE);
	glEndList();
	EXPECT_TRUE(glIsList(list));
	o.freeDisplayList();
	EXPECT_FALSE(glIsList(list));
	EXPECT_EQ(o.m_displayList, object::NO_DISPLAY_LIST);
}

} // namespace
