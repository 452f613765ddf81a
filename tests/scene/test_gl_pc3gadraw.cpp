// p3ga and c3ga objects drawn in a real OpenGL context: what each kind and
// draw method hands to the rasteriser (caught in feedback mode, lines as
// plain OpenGL lines), their sizes, and the kinds they cannot draw.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "scene/gaobject.h"
#include "support/glfeedbackview.h"

namespace {

typedef glFeedback::vertex vertex;

// A window position of the feedback back in model units.
struct point3 {
	double x, y, z;
};
point3 model(const vertex &v)
{
	return {(v[0] - c_size / 2) / c_pixelsPerUnit, (v[1] - c_size / 2) / c_pixelsPerUnit, -(2.0 * v[2] - 1.0) * c_half};
}
double distance(const point3 &a, const point3 &b) { return std::sqrt(std::pow(a.x - b.x, 2) + std::pow(a.y - b.y, 2) + std::pow(a.z - b.z, 2)); }
double norm(const point3 &a) { return distance(a, {0, 0, 0}); }

class glPc3gaDraw : public glFeedbackView {
protected:
	static c3ga cpoint(double x, double y, double z) { return c3ga(2, x, y, z, 1.0, 0.5 * (x * x + y * y + z * z)); }
	static p3ga ppoint(double x, double y, double z) { return p3ga(2, x, y, z, 1.0); }

	// What o draws, scaled by s about the origin; it leaves the matrix
	// stack as it found it.
	static glFeedback drawn(object &o, double s = 1.0)
	{
		GLint depth = 0, after = 0;
		glLoadIdentity();
		glScaled(s, s, s);
		glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
		glFeedback f = glFeedback::of([&] { EXPECT_EQ(o.draw(nullptr), 0); });
		glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &after);
		EXPECT_EQ(after, depth);
		EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
		glLoadIdentity();
		return f;
	}
	// Whether a polygon of f has a corner within tolerance (model units) of p.
	static bool cornerNear(const glFeedback &f, const point3 &p, double tolerance)
	{
		for (const auto &polygon : f.polygons)
			for (const vertex &v : polygon)
				if (std::hypot(model(v).x - p.x, model(v).y - p.y) <= tolerance) return true;
		return false;
	}
	// Whether a line of f joins a and b (in the window's plane).
	static bool joined(const glFeedback &f, const point3 &a, const point3 &b)
	{
		const double t = 0.5 / c_pixelsPerUnit;
		auto at = [&](const vertex &v, const point3 &p) { return std::hypot(model(v).x - p.x, model(v).y - p.y) <= t; };
		for (const auto &l : f.lines)
			if ((at(l[0], a) && at(l[1], b)) || (at(l[0], b) && at(l[1], a))) return true;
		return false;
	}
};

TEST_F(glPc3gaDraw, PointPairsByMethodAndOrientation)
{
	// the pair of -e1 and e1: its first point, its second, and where its
	// arrow reaches (0.55 of the way)
	const c3ga pair = op(cpoint(-1, 0, 0), cpoint(1, 0, 0));
	const point3 P1 = {-1, 0, 0}, P2 = {1, 0, 0}, tip = {0.1, 0, 0};
	const struct row {
		int method, drawMode;
		bool points, segment, arrow;
	} rows[] = {
	    {0, 0, true, false, false},     {0, DM_ORI, true, true, true}, {1, 0, true, true, false},
	    {1, DM_ORI, true, true, true},  {2, DM_ORI, true, false, false}, {3, 0, false, true, false},
	    {3, DM_ORI, false, true, false},
	};
	for (const row &r : rows) {
		c3gaObject o(pair, "pp", r.drawMode, (r.method + 1) << OC_DRAW_METHOD_SHIFT, 0);
		ASSERT_EQ(o.m_int.m_point[1][0], -1.0);
		glFeedback f = drawn(o);
		const std::string name = std::to_string(r.method) + (r.drawMode ? " ori" : "");
		EXPECT_EQ(cornerNear(f, P1, 0.11) && cornerNear(f, P2, 0.11), r.points) << name;
		EXPECT_EQ(joined(f, P1, P2), r.segment) << name;
		EXPECT_EQ(cornerNear(f, tip, 0.5 / c_pixelsPerUnit), r.arrow) << name;
	}
	// points that coincide have no direction between them: no arrow, and
	// nothing that is not a number
	c3gaObject same(pair, "pp", DM_ORI, 2 << OC_DRAW_METHOD_SHIFT, 0);
	for (int i = 0; i < 3; i++) {
		same.m_int.m_vector[0][i] = same.m_int.m_point[1][i];
		same.m_int.m_vector[1][i] = 0.0;
	}
	glFeedback f = drawn(same);
	EXPECT_FALSE(f.polygons.empty());
	for (const auto &polygon : f.polygons)
		for (const vertex &v : polygon) EXPECT_TRUE(std::isfinite(v[0]) && std::isfinite(v[1]));
	EXPECT_FALSE(cornerNear(f, tip, 0.5));
}

TEST_F(glPc3gaDraw, CirclesOfBothSignsAndTheirTicks)
{
	// radius 2 and the imaginary circle of radius -2, both in the e1^e2
	// plane with normal -e3: dual circles of a dual sphere and e3
	const c3ga e3 = c3gai::e3, ni = c3gai::ni;
	const c3ga real = op(cpoint(0, 0, 0) - gp(2.0, ni), e3).dual(), imaginary = op(cpoint(0, 0, 0) + gp(2.0, ni), e3).dual();
	c3gaObject a(real, "a", 0, 0, 0), b(imaginary, "b", 0, 0, 0);
	ASSERT_EQ(a.m_int.m_scalar[0], 2.0);
	ASSERT_EQ(b.m_int.m_scalar[0], -2.0);
	ASSERT_EQ(a.m_int.m_vector[0][2], b.m_int.m_vector[0][2]);
	glFeedback fa = drawn(a), fb = drawn(b);
	// a loop of 65 points, every one at distance 2 from the centre
	ASSERT_EQ(fa.lines.size(), 65u);
	ASSERT_EQ(fb.lines.size(), 65u);
	for (const glFeedback *f : {&fa, &fb})
		for (const auto &l : f->lines) EXPECT_NEAR(norm(model(l[0])), 2.0, 1e-3);
	// the same points, starting on the other side
	const point3 startA = model(fa.lines[0][0]), startB = model(fb.lines[0][0]);
	EXPECT_NEAR(startA.x, -startB.x, 1e-3);
	EXPECT_NEAR(startA.y, -startB.y, 1e-3);
	EXPECT_GT(std::fabs(startA.y), 1.99);
	// orientation: six ticks from the circle, 0.3 of the radius long
	b.m_drawMode |= DM_ORI;
	glFeedback ticks = drawn(b);
	ASSERT_EQ(ticks.lines.size(), 71u);
	for (size_t i = 65; i < 71; i++) {
		EXPECT_NEAR(norm(model(ticks.lines[i][0])), 2.0, 1e-3);
		EXPECT_NEAR(distance(model(ticks.lines[i][0]), model(ticks.lines[i][1])), 0.6, 1e-3);
	}
}

TEST_F(glPc3gaDraw, SpheresByTheirAbsoluteRadiusWithHairs)
{
	// the imaginary dual sphere of radius -1 (weight -1) and its negation
	// (weight 1): unit spheres, hairs 0.1 long, outward for a positive weight
	const c3ga imaginary = cpoint(0, 0, 0) + gp(0.5, c3gai::ni);
	for (double sign : {1.0, -1.0}) {
		c3gaObject s(gp(sign, imaginary), "s", DM_ORI, 0, 0);
		ASSERT_EQ(s.kind(), MVI_SPHERE);
		ASSERT_EQ(s.m_int.m_scalar[0], -1.0);
		ASSERT_EQ(s.m_int.m_scalar[1], -sign);
		glFeedback f = drawn(s);
		EXPECT_NEAR(extent(f, 0), 2.0, 0.01);
		ASSERT_FALSE(f.lines.empty());
		double nearest = 1e9, farthest = 0;
		for (const auto &l : f.lines)
			for (const vertex &v : l) {
				nearest = std::fmin(nearest, norm(model(v)));
				farthest = std::fmax(farthest, norm(model(v)));
			}
		EXPECT_NEAR(sign > 0 ? nearest : farthest, sign > 0 ? 0.9 : 1.1, 1e-3) << sign;
	}
}

TEST_F(glPc3gaDraw, PointSizes)
{
	// p3ga points are 0.1, c3ga points the user interface's point size, each
	// times |weight| when sized by weight
	m_ui.setPointSize(0.1);
	const struct row {
		object *o;
		double radius;
	} rows[] = {
	    {new p3gaObject(gp(2.0, ppoint(1, 0, 0)), "p", DM_MAGNITUDE, 0, 0), 0.2},
	    {new p3gaObject(gp(2.0, ppoint(1, 0, 0)), "p", 0, 0, 0), 0.1},
	    {new c3gaObject(gp(3.0, cpoint(1, 0, 0)), "p", DM_MAGNITUDE, 0, 0), 0.3},
	    {new c3gaObject(gp(3.0, cpoint(1, 0, 0)), "p", 0, 0, 0), 0.1},
	    {new c3gaObject(op(cpoint(1, 0, 0), c3gai::ni), "f", 0, 0, 0), 0.1},
	};
	for (const row &r : rows) {
		glFeedback f = drawn(*r.o);
		EXPECT_NEAR(extent(f, 0), 2 * r.radius, 1e-3) << r.o->m_name;
		EXPECT_TRUE(cornerNear(f, {1.0 + r.radius, 0, 0}, 1e-3));
		delete r.o;
	}
}

TEST_F(glPc3gaDraw, LinesReachTheClipDistanceWithTheirMarks)
{
	// L = sqrt(2) clip distance; the line along e1 through the origin
	m_state.m_clipDistance = 1.5f;
	const double L = 1.5 * std::sqrt(2.0);
	const c3ga line = op(op(cpoint(0, 0, 0), cpoint(1, 0, 0)), c3gai::ni);
	// twenty steps of 0.1 L along the line, from -L to L exactly
	c3gaObject plain(line, "l", 0, 0, 0);
	glFeedback f = drawn(plain);
	ASSERT_EQ(f.lines.size(), 20u);
	for (size_t i = 0; i < 20; i++) {
		EXPECT_NEAR(model(f.lines[i][0]).x, -L + 0.1 * L * i, 1e-3);
		EXPECT_NEAR(distance(model(f.lines[i][0]), model(f.lines[i][1])), 0.1 * L, 1e-3);
	}
	// "Hooks", the default: eleven hooks 0.2 L apart from -L, each two
	// segments back from its tip, half a unit along the line
	p3gaObject hooks(op(ppoint(0, 0, 0), ppoint(1, 0, 0)), "h", DM_ORI, 0, 0);
	ASSERT_EQ(hooks.m_dmMenuIdx, 2);
	f = drawn(hooks);
	ASSERT_EQ(f.lines.size(), 20u + 22u);
	for (int k = 0; k < 11; k++)
		for (int side = 0; side < 2; side++) {
			const auto &l = f.lines[20 + 2 * k + side];
			const point3 tip = model(l[side == 0 ? 1 : 0]), back = model(l[side == 0 ? 0 : 1]);
			EXPECT_NEAR(tip.x, -L + 0.2 * L * k, 1e-3) << k;
			EXPECT_NEAR(norm(tip), std::fabs(tip.x), 1e-3) << k;
			EXPECT_NEAR(back.x, tip.x - 0.5, 1e-3) << k;
		}
	// the other marks by their segments; an unknown method has none
	const struct row {
		int method;
		size_t marks;
	} rows[] = {
	    {0, 452},    // the curve: 32 points a unit over 2L / h = 14.14, minus one
	    {1, 11 * 63}, // eleven spirals of 64 points
	    {3, 11 * 10}, // eleven crosses of five hooks
	    {4, 0},
	};
	m_state.m_clipDistance = 5.0f;
	for (const row &r : rows) {
		p3gaObject o(op(ppoint(0, 0, 0), ppoint(1, 0, 0)), "m", DM_ORI, (r.method + 1) << OC_DRAW_METHOD_SHIFT, 0);
		EXPECT_EQ(drawn(o, 0.2).lines.size(), 20u + r.marks) << r.method;
	}
	// far clip distances do not ask for more curve points than the bound
	m_state.m_clipDistance = 1e6f;
	p3gaObject curve(op(ppoint(0, 0, 0), ppoint(1, 0, 0)), "c", DM_ORI, 1 << OC_DRAW_METHOD_SHIFT, 0);
	EXPECT_EQ(drawn(curve, 1e-6).lines.size(), 20u + 4095u);
}

TEST_F(glPc3gaDraw, PlanesSpanTheGridWithTheirNormals)
{
	m_state.m_clipDistance = 2.0f;
	const double L = 2.0 * std::sqrt(2.0);
	// the plane z = 0 facing the viewer: 20 x 20 quads from -L to L in both
	// directions; the back faces away and is culled
	const c3ga plane = op(op(op(cpoint(0, 0, 0), cpoint(1, 0, 0)), cpoint(0, 1, 0)), c3gai::ni);
	c3gaObject o(plane, "p", 0, 0, 0);
	ASSERT_GT(o.m_int.m_vector[0][2], 0.0);
	glFeedback f = drawn(o);
	EXPECT_EQ(f.polygons.size(), 800u);
	EXPECT_TRUE(f.lines.empty());
	EXPECT_NEAR(extent(f, 0), 2 * L, 1e-3);
	EXPECT_NEAR(extent(f, 1), 2 * L, 1e-3);
	// orientation: a normal of length 1 at each of the 21 x 21 grid points,
	// of the weight with magnitude on
	for (int drawMode : {DM_ORI, DM_ORI | DM_MAGNITUDE}) {
		c3gaObject weighted(gp(2.0, plane), "p", drawMode, 0, 0);
		const double length = (drawMode & DM_MAGNITUDE) ? weighted.m_int.m_scalar[0] : 1.0;
		glFeedback n = drawn(weighted, 0.5);
		ASSERT_EQ(n.lines.size(), 441u);
		for (const auto &l : n.lines) EXPECT_NEAR(distance(model(l[0]), model(l[1])), 0.5 * length, 1e-3);
	}
}

TEST_F(glPc3gaDraw, KindsThatCannotBeDrawnAreReported)
{
	// all of space, a p3ga 4-blade: on the console (standard output here)
	p3gaObject space(op(op(op(ppoint(0, 0, 0), ppoint(1, 0, 0)), ppoint(0, 1, 0)), ppoint(0, 0, 1)), "s", 0, 0, 0);
	ASSERT_EQ(space.kind(), MVI_SPACE);
	testing::internal::CaptureStdout();
	glFeedback f = drawn(space);
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "Can not (yet) draw the blade object #325\n");
	// a c3ga blade of a kind it does not know: on standard output, spelled so
	c3gaObject odd(cpoint(0, 0, 0), "o", 0, 0, 0);
	odd.m_int.m_type = MVI_MODEL_C3GA | MVI_SPACE;
	testing::internal::CaptureStdout();
	f = drawn(odd);
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "Can not (yet) drawn the blade object #325\n");
	EXPECT_TRUE(f.polygons.empty() && f.lines.empty());
	// what is no blade, or zero, draws nothing and says nothing
	c3gaObject versor(1.0 + op(c3ga(c3gai::e1), c3gai::e2), "v", 0, 0, 0);
	p3gaObject zero(p3ga(), "z", 0, 0, 0);
	testing::internal::CaptureStdout();
	f = drawn(versor);
	EXPECT_TRUE(f.polygons.empty() && f.lines.empty());
	f = drawn(zero);
	EXPECT_TRUE(f.polygons.empty() && f.lines.empty());
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

} // namespace
