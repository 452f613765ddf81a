// The glyphs of vectors, bivectors and trivectors in a real OpenGL context:
// what each method hands to the rasteriser (caught in feedback mode, lines
// as plain OpenGL lines), the sizes the rules give, and the matrix stack
// they leave as they found it.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "draw/draw.h"
#include "scene/gaobject.h"
#include "support/glfeedbackview.h"

namespace {

const double c_e1[3] = {1, 0, 0}, c_e2[3] = {0, 1, 0}, c_e3[3] = {0, 0, 1};

class glDraw : public glFeedbackView {
protected:
	e3gaObject m_object{e3ga(1.0), "o", 0, 0, 0};

	void SetUp() override
	{
		glFeedbackView::SetUp();
		if (HasFatalFailure()) return;
		const float opaque[4] = {1, 1, 1, 1};
		m_object.setFgColor(opaque);
		glDisable(GL_CULL_FACE);
		glDisable(GL_LIGHTING);
		glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
	}

	// What draw hands on, checking that it returns result and leaves the
	// model-view matrix and its stack as they were.
	glFeedback caught(int result, const std::function<int()> &draw)
	{
		GLint depth = 0, after = 0;
		GLdouble before[16], now[16];
		glTranslated(0.25, 0, 0);
		glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
		glGetDoublev(GL_MODELVIEW_MATRIX, before);
		glFeedback f = glFeedback::of([&] { EXPECT_EQ(draw(), result); });
		glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &after);
		glGetDoublev(GL_MODELVIEW_MATRIX, now);
		EXPECT_EQ(after, depth);
		for (int i = 0; i < 16; i++) EXPECT_EQ(now[i], before[i]) << i;
		GLint mode = 0;
		glGetIntegerv(GL_MATRIX_MODE, &mode);
		EXPECT_EQ(mode, GL_MODELVIEW);
		glLoadIdentity();
		EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
		return f;
	}
};

TEST_F(glDraw, EveryBivectorMethodAndNoOther)
{
	// method, orientation flag: polygons and lines handed on (a quad is
	// handed on as two triangles)
	const struct row {
		int method, flags;
		size_t polygons, lines;
	} rows[] = {
	    {DRAW_BV_CIRCLE, 0, 128, 65},             // two fans of 64 and the outline loop
	    {DRAW_BV_CIRCLE, DRAW_FLAG_ORI, 128, 71}, // and six ticks
	    {DRAW_BV_PARALLELOGRAM_NO_VECTORS, 0, 4, 0}, // both sides
	    {DRAW_BV_CROSS, 0, 0, 8},       // four hooks of two segments
	    {DRAW_BV_CURLY_TAIL, 0, 0, 64}, // a spiral of 65 points
	    {DRAW_BV_SWIRL, 0, 0, 64},      // four quarter circles of 17 points
	    {DRAW_BV_NB_METHODS, 0, 0, 0},
	    {-1, 0, 0, 0},
	};
	for (const row &r : rows) {
		bool known = r.method >= 0 && r.method < DRAW_BV_NB_METHODS;
		glFeedback f = caught(known ? 0 : -1, [&] {
			return drawBivector(nullptr, c_e3, c_e1, c_e2, 1.0, r.method, r.flags, &m_object);
		});
		EXPECT_EQ(f.polygons.size(), r.polygons) << r.method << " " << r.flags;
		EXPECT_EQ(f.lines.size(), r.lines) << r.method << " " << r.flags;
	}
	// with its edge vectors: two shafts, their heads, and with orientation the normal
	glFeedback withVectors =
	    caught(0, [&] { return drawBivector(nullptr, c_e3, c_e1, c_e2, 1.0, DRAW_BV_PARALLELOGRAM, 0, &m_object); });
	EXPECT_GT(withVectors.polygons.size(), 4u);
	EXPECT_EQ(withVectors.lines.size(), 2u);
	glFeedback normal = caught(0, [&] {
		return drawBivector(nullptr, c_e3, c_e1, c_e2, 1.0, DRAW_BV_PARALLELOGRAM, DRAW_FLAG_ORI, &m_object);
	});
	EXPECT_EQ(normal.lines.size(), 3u);
}

TEST_F(glDraw, BivectorSizesAndInvisibleDiscs)
{
	// a parallelogram has the area of the disc of radius scale: e1 and 2 e2
	// are scaled by sqrt(pi / 2)
	const double twoE2[3] = {0, 2, 0};
	glFeedback f = caught(0, [&] {
		return drawBivector(nullptr, c_e3, c_e1, twoE2, 1.0, DRAW_BV_PARALLELOGRAM_NO_VECTORS, 0, &m_object);
	});
	EXPECT_NEAR(extent(f, 0), std::sqrt(M_PI / 2), 0.01);
	EXPECT_NEAR(extent(f, 0) * extent(f, 1), M_PI, 0.01);
	// parallel or zero factors span nothing: nothing is drawn
	const double twoE1[3] = {2, 0, 0}, zero[3] = {0, 0, 0};
	for (const double *o2 : {twoE1, zero}) {
		glFeedback none = caught(0, [&] {
			return drawBivector(nullptr, c_e3, c_e1, o2, 1.0, DRAW_BV_PARALLELOGRAM, DRAW_FLAG_ORI, &m_object);
		});
		EXPECT_TRUE(none.polygons.empty() && none.lines.empty());
	}
	// the circle has the radius scale, at its base
	const double base[3] = {1, 0, 0};
	glFeedback circle =
	    caught(0, [&] { return drawBivector(base, c_e3, c_e1, c_e2, 1.5, DRAW_BV_CIRCLE, 0, &m_object); });
	EXPECT_NEAR(extent(circle, 0), 3.0, 0.01);
	// an invisible foreground leaves only the outline
	m_object.setFgAlpha(0.0f);
	glFeedback outline =
	    caught(0, [&] { return drawBivector(nullptr, c_e3, c_e1, c_e2, 1.0, DRAW_BV_CIRCLE, 0, &m_object); });
	EXPECT_EQ(outline.polygons.size(), 0u);
	EXPECT_EQ(outline.lines.size(), 65u);
}

TEST_F(glDraw, EveryTrivectorMethodAndNoOther)
{
	double edges[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
	const double unitVolume = 4.0 * M_PI / 3.0;
	const struct row {
		int method, flags;
		bool withEdges;
		size_t polygons, lines;
	} rows[] = {
	    {DRAW_TV_SPHERE, 0, true, 512, 0},                // the depth-3 sphere
	    {DRAW_TV_SPHERE, DRAW_FLAG_ORI, true, 512, 1536}, // a hair at each corner of each triangle
	    {DRAW_TV_CROSS, 0, true, 0, 9},
	    {DRAW_TV_CURLY_TAIL, 0, true, 0, 251},
	    {DRAW_TV_PARALLELEPIPED_NO_VECTORS, 0, true, 12, 0}, // six quads
	    {DRAW_TV_PARALLELEPIPED_NO_VECTORS, 0, false, 512, 0}, // no edges: the sphere
	    {DRAW_TV_PARALLELEPIPED, DRAW_FLAG_ORI, false, 512, 1536},
	    {DRAW_TV_NB_METHODS, 0, true, 0, 0},
	    {-1, 0, true, 0, 0},
	};
	for (const row &r : rows) {
		bool known = r.method >= 0 && r.method < DRAW_TV_NB_METHODS;
		glFeedback f = caught(known ? 0 : -1, [&] {
			return drawTriVector(nullptr, unitVolume, r.withEdges ? edges : nullptr, r.method, r.flags, &m_object);
		});
		EXPECT_EQ(f.polygons.size(), r.polygons) << r.method << " " << r.flags;
		EXPECT_EQ(f.lines.size(), r.lines) << r.method << " " << r.flags;
	}
	// with its edge vectors: three shafts and their heads
	glFeedback withVectors =
	    caught(0, [&] { return drawTriVector(nullptr, 1.0, edges, DRAW_TV_PARALLELEPIPED, 0, &m_object); });
	EXPECT_GT(withVectors.polygons.size(), 12u);
	EXPECT_EQ(withVectors.lines.size(), 3u);
}

TEST_F(glDraw, TrivectorSizesAndOrientation)
{
	// the sphere of the volume: radius 2 for 8 times the unit volume
	glFeedback sphere =
	    caught(0, [&] { return drawTriVector(nullptr, 32.0 * M_PI / 3.0, nullptr, DRAW_TV_SPHERE, 0, &m_object); });
	EXPECT_NEAR(extent(sphere, 0), 4.0, 0.01);
	// hairs of length 0.1 outward for a positive volume, inward for a negative
	// one (the glyphs are drawn a quarter unit right of the centre)
	const double centre = c_size / 2 + 0.25 * c_pixelsPerUnit;
	for (double sign : {1.0, -1.0}) {
		glFeedback hairs = caught(0, [&] {
			return drawTriVector(nullptr, sign * 4.0 * M_PI / 3.0, nullptr, DRAW_TV_SPHERE, DRAW_FLAG_ORI, &m_object);
		});
		double reach = 0;
		for (const auto &l : hairs.lines)
			for (const auto &v : l)
				reach = std::fmax(reach, std::hypot(v[0] - centre, v[1] - c_size / 2) / c_pixelsPerUnit);
		EXPECT_NEAR(reach, sign > 0 ? 1.1 : 1.0, 0.02) << sign;
	}
	// a cube of volume -1: the faces wound the other way, so back-face
	// culling keeps its far faces instead of its near ones
	double edges[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
	double meanDepth[2];
	for (int i = 0; i < 2; i++) {
		glEnable(GL_CULL_FACE);
		glCullFace(GL_BACK);
		glRotated(30, 1, 0, 0);
		glRotated(-40, 0, 1, 0);
		glFeedback cube = glFeedback::of([&] {
			drawTriVector(nullptr, i == 0 ? 1.0 : -1.0, edges, DRAW_TV_PARALLELEPIPED_NO_VECTORS, 0, &m_object);
		});
		glDisable(GL_CULL_FACE);
		glLoadIdentity();
		// three faces, two triangles each
		ASSERT_EQ(cube.polygons.size(), 6u) << i;
		double sum = 0;
		for (const auto &p : cube.polygons)
			for (const auto &v : p) sum += v[2] / 18.0;
		meanDepth[i] = sum;
	}
	EXPECT_LT(meanDepth[0], meanDepth[1]);
}

TEST_F(glDraw, ArrowHeadSizes)
{
	// head length along e1 for a vector scale and a head size
	auto headLength = [&](double scale, double headSize) {
		m_ui.setVectorHeadSize(headSize);
		return extent(caught(0, [&] { return drawVector(nullptr, c_e1, scale); }), 0);
	};
	// negative head sizes: the head grows with the vector up to scale 1, then as scale^0.75
	EXPECT_NEAR(headLength(1.0, -1.0), 0.25, 0.01);
	EXPECT_NEAR(headLength(0.5, -1.0), 0.125, 0.01);
	EXPECT_NEAR(headLength(2.0, -1.0) / headLength(1.0, -1.0), std::pow(2.0, 0.75), 0.02);
	EXPECT_NEAR(headLength(1.0, -2.0), 0.5, 0.01);
	// a head size of its own: the same whatever the vector's scale
	EXPECT_NEAR(headLength(1.0, 0.5), 0.125, 0.01);
	EXPECT_NEAR(headLength(2.5, 0.5), 0.125, 0.01);
	// the shaft: one line from the tail to 0.96 of the vector
	const double tail[3] = {-1, 0, 0};
	glFeedback arrow = caught(0, [&] { return drawVector(tail, c_e1, 2.0); });
	ASSERT_EQ(arrow.lines.size(), 1u);
	EXPECT_NEAR(std::fabs(arrow.lines[0][1][0] - arrow.lines[0][0][0]) / c_pixelsPerUnit, 1.92, 0.01);
	// scale 0 draws nothing; culling is off again afterwards
	glFeedback none = caught(0, [&] { return drawVector(nullptr, c_e1, 0.0); });
	EXPECT_TRUE(none.polygons.empty() && none.lines.empty());
	EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
	// nothing at all without a user interface
	gui_state = nullptr;
	none = caught(-1, [&] { return drawVector(nullptr, c_e1, 1.0); });
	none = caught(-1, [&] { return drawBivector(nullptr, c_e3, c_e1, c_e2, 1.0, 0, 0, &m_object); });
	EXPECT_TRUE(none.polygons.empty() && none.lines.empty());
}

} // namespace
