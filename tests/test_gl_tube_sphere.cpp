// Tubes, OpenGL lines and geodesic spheres drawn in a real context: their
// pixels, the primitives OpenGL receives, and the state they leave.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "geosphere.h"
#include "support/glcontext.h"
#include "tubedraw.h"

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

// The primitives OpenGL receives, by feedback: triangles and lines, with
// the length of every line.
struct feedback_s {
	int polygons = 0, lines = 0;
	std::vector<double> lineLengths;
};
template <class Draw> feedback_s feedback(Draw draw)
{
	std::vector<GLfloat> buffer(200000);
	glFeedbackBuffer((GLsizei)buffer.size(), GL_3D, buffer.data());
	glRenderMode(GL_FEEDBACK);
	draw();
	int n = glRenderMode(GL_RENDER);
	feedback_s f;
	// GL_3D: x, y, z of every vertex, in window coordinates
	for (int i = 0; i < n;) {
		int token = (int)buffer[i++];
		if (token == GL_POLYGON_TOKEN) {
			int count = (int)buffer[i++];
			f.polygons++;
			i += 3 * count;
		} else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
			f.lines++;
			f.lineLengths.push_back(std::hypot(buffer[i + 3] - buffer[i], buffer[i + 4] - buffer[i + 1]));
			i += 6;
		} else {
			ADD_FAILURE() << "unexpected token " << token;
			break;
		}
	}
	return f;
}

TEST_F(glTubeSphere, primitivesGivenToOpenGL)
{
	// spheres: a triangle per leaf, three hairs each when asked, none of them culled here
	struct {
		int depth;
		double hairs;
		int polygons, lines;
	} spheres[] = {{0, 0, 8, 0}, {0, 0.1, 8, 24}, {1, -0.1, 32, 96}, {2, 0, 128, 0}};
	for (const auto &c : spheres) {
		SCOPED_TRACE(c.depth);
		geosphere_s *gs = nullptr;
		ASSERT_EQ(gsCompute(&gs, c.depth), 0);
		feedback_s f = feedback([&] { gsDraw(gs, c.hairs); });
		EXPECT_EQ(f.polygons, c.polygons);
		EXPECT_EQ(f.lines, c.lines);
		// a hair of 0.1 is at most 5 pixels long on screen
		for (double l : f.lineLengths) EXPECT_LE(l, 0.1 * c_size / (2 * c_half) + 1e-3);
		gsFree(&gs);
	}
	// a tube loop of 4 segments of 6 sides: 4 strips of 6 quads, no caps
	TubeDraw tube;
	feedback_s f = feedback([&] {
		tube.begin(GL_LINE_LOOP);
		tube.vertex2d(0, 0);
		tube.vertex2d(1, 0);
		tube.vertex2d(1, 1);
		tube.vertex2d(0, 1);
		tube.end();
	});
	EXPECT_EQ(f.lines, 0);
	EXPECT_EQ(f.polygons, 4 * 6 * 2); // quads reach feedback as two triangles each
}

} // namespace
