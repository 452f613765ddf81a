// Geodesic spheres drawn in one primitive per sphere give, in a frame of
// the shown view, the pixels of one primitive per triangle.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "draw/geosphere.h"
#include "support/shownview.h"

namespace {

const int c_width = 320, c_height = 240;

// Each leaf triangle under face f in a primitive of its own.
void trianglePerPrimitive(const geosphere_s *gs, int f)
{
	const geosphereFace_s &face = gs->face[f];
	if (face.child[0] >= 0) {
		for (int i = 0; i < 4; i++) trianglePerPrimitive(gs, face.child[i]);
		return;
	}
	glBegin(GL_TRIANGLES);
	for (int i = 0; i < 3; i++) {
		const double *p = gs->vertex[face.v[i]].coordinates(2);
		glNormal3dv(p);
		glVertex3dv(p);
	}
	glEnd();
}

// An object of the scene that draws spheres the way a test gives.
class sphereProbe : public object {
public:
	explicit sphereProbe(std::function<void()> draw) : object(OT_POLYGON, "spheres", 0, 0, 0), m_draw(std::move(draw)) {}
	int pick(glwindow *) override { return 0; }
	double drawSortValue() override { return 1.0; }
	int draw(glwindow *) override
	{
		m_draw();
		return 0;
	}

private:
	std::function<void()> m_draw;
};

class geosphereFrame : public shownView<c_width, c_height> {
protected:
	// The frame of the scene with one probe drawing spheres as sphere(gs, face) does
	// (face -1: the whole sphere): overlapping points and spheres, lit, and
	// the top faces of a sphere one by one.
	std::vector<unsigned char> frame(const std::function<void(geosphere_s *, int)> &sphere)
	{
		m_state->removeAllObjects();
		m_state->addObject(new sphereProbe([&] {
			glEnable(GL_LIGHTING);
			glColor3d(0.9, 0.4, 0.1);
			const double at[][4] = {{0, 0, 0, 0.6}, {0.5, 0.3, 0.2, 0.4}, {-0.7, -0.2, -0.3, 0.5}};
			for (const auto &a : at) {
				glPushMatrix();
				glTranslated(a[0], a[1], a[2]);
				glScaled(a[3], a[3], a[3]);
				sphere(g_pointSphere, -1);
				glTranslated(0.3, 0.0, 0.5);
				sphere(g_sphereSphere, -1);
				glPopMatrix();
			}
			glTranslated(0.0, -1.0, 0.0);
			glScaled(0.3, 0.3, 0.3);
			for (int f = 0; f < g_sphereSphere->nbPrimitives; f++) sphere(g_sphereSphere, f);
		}), 0);
		drawFrame();
		return pixels();
	}
};

TEST_F(geosphereFrame, OnePrimitivePerSphereGivesThePixelsOfOnePerTriangle)
{
	ASSERT_NE(g_pointSphere, nullptr);
	ASSERT_NE(g_sphereSphere, nullptr);
	std::vector<unsigned char> batched = frame([](geosphere_s *gs, int f) {
		if (f < 0) gsDraw(gs, 0.0);
		else gsDraw(gs, f, 0.0);
	});
	std::vector<unsigned char> perTriangle = frame([](geosphere_s *gs, int f) {
		if (f >= 0) trianglePerPrimitive(gs, f);
		else
			for (int top = 0; top < gs->nbPrimitives; top++) trianglePerPrimitive(gs, top);
	});
	EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
	ASSERT_EQ(batched.size(), perTriangle.size());
	size_t differing = 0;
	for (size_t i = 0; i < batched.size(); i++) differing += batched[i] != perTriangle[i];
	EXPECT_EQ(differing, 0u);
	// the spheres are there: the frame is not the canvas alone
	m_state->removeAllObjects();
	drawFrame();
	EXPECT_NE(pixels(), batched);
}

} // namespace
