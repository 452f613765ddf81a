// Tubes, OpenGL lines and geodesic spheres drawn in a real context: their
// pixels and the state they leave.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "draw/geosphere.h"
#include "support/glcontext.h"
#include "draw/tubedraw.h"

namespace {

const int c_size = 120;
// Model units across the view: [-1.2, 1.2] in x and y.
const double c_half = 1.2;

glTestContext &context()
{
	static glTestContext *s_context = new glTestContext(c_size, c_size);
	return *s_context;
}

class glTubeSphere : public testing::Test {
protected:
	void SetUp() override
	{
		ASSERT_TRUE(context().ok());
		glClearColor(0, 0, 0, 1);
		glClear(GL_COLOR_BUFFER_BIT);
		glDisable(GL_LIGHTING);
		glColor3d(1, 1, 1);
		glMatrixMode(GL_PROJECTION);
		glLoadIdentity();
		glOrtho(-c_half, c_half, -c_half, c_half, -2, 2);
		glMatrixMode(GL_MODELVIEW);
		glLoadIdentity();
	}
	// Pixel column or row of a model coordinate.
	static int pixel(double x) { return (int)((x + c_half) / (2 * c_half) * c_size); }
	// Lit pixels, and whether the pixel at model (x, y) is lit.
	static int litCount()
	{
		std::vector<unsigned char> rgb = context().readRGB();
		int n = 0;
		for (size_t i = 0; i < rgb.size(); i += 3) n += rgb[i] > 128;
		return n;
	}
	static bool lit(double x, double y)
	{
		std::vector<unsigned char> rgb = context().readRGB();
		return rgb[3 * ((size_t)pixel(y) * c_size + pixel(x))] > 128;
	}
};

TEST_F(glTubeSphere, tubeAndLineCoverTheirWidth)
{
	// a tube of width 50: radius 0.2, about 10 pixels across
	TubeDraw tube;
	tube.setNbSegments(8);
	tube.setLineWidth(50.0);
	tube.begin(GL_LINE_STRIP);
	tube.vertex2d(-1, 0);
	tube.vertex2d(1, 0);
	tube.end();
	EXPECT_TRUE(lit(0, 0.15));
	EXPECT_TRUE(lit(-0.9, -0.15));
	EXPECT_FALSE(lit(0, 0.3));
	EXPECT_FALSE(lit(1.1, 0));
	int tubePixels = litCount();
	EXPECT_NEAR(tubePixels, 2 * 0.4 * (c_size / (2 * c_half)) * (c_size / (2 * c_half)), 150);

	// OpenGL mode: a line of the width in pixels
	glClear(GL_COLOR_BUFFER_BIT);
	tube.setUseOpenGL(true);
	tube.setLineWidth(3.0);
	tube.begin(GL_LINES);
	tube.vertex2d(0.05, -1);
	tube.vertex2d(0.05, 1);
	tube.end();
	GLfloat width = 0;
	glGetFloatv(GL_LINE_WIDTH, &width);
	EXPECT_EQ(width, 3.0f);
	EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
	EXPECT_NEAR(litCount(), 3 * 2 * (c_size / (2 * c_half)), 10);
}

TEST_F(glTubeSphere, sphereFillsItsDisc)
{
	geosphere_s *gs = nullptr;
	ASSERT_EQ(gsCompute(&gs, 3), 0);
	// the hairs are drawn unlit; lighting comes back as it was
	for (bool lighting : {true, false}) {
		if (lighting) glEnable(GL_LIGHTING);
		gsDraw(gs, 0.1);
		EXPECT_EQ(glIsEnabled(GL_LIGHTING), lighting);
		glDisable(GL_LIGHTING);
	}
	EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
	EXPECT_TRUE(lit(0, 0));
	EXPECT_TRUE(lit(-0.9, 0.3));
	EXPECT_FALSE(lit(0.8, 0.8));
	// the disc of the unit sphere, the hairs poking out a little
	double disc = M_PI * std::pow(c_size / (2 * c_half), 2);
	EXPECT_GT(litCount(), 0.97 * disc);
	EXPECT_LT(litCount(), 1.1 * disc);
	gsFree(&gs);
}

} // namespace
