// The tube renderer's geometry, recorded without OpenGL: capped prisms for
// line pairs, mitred joints, closed loops, the rings against the rotor and
// homogeneous-meet construction, degenerate polylines, and the rotor between
// two directions.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "p3ga/p3ga.h"
#include "draw/tubedraw.h"

namespace {

struct point_s {
	double x, y, z;
	double len() const { return std::sqrt(x * x + y * y + z * z); }
	point_s operator-(const point_s &b) const { return {x - b.x, y - b.y, z - b.z}; }
	bool operator==(const point_s &b) const { return x == b.x && y == b.y && z == b.z; }
};
double dot(const point_s &a, const point_s &b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
point_s cross(const point_s &a, const point_s &b)
{
	return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// One primitive as OpenGL would receive it: each vertex with the normal current at it.
struct primitive_s {
	int mode;
	std::vector<point_s> vertex, normal;
};

class recorder : public tubeSink {
public:
	std::vector<primitive_s> prims;
	void beginPrimitive(int mode) override { prims.push_back({mode, {}, {}}); }
	void normal(const double *n) override { m_normal = {n[0], n[1], n[2]}; }
	void vertex(const double *v) override
	{
		prims.back().vertex.push_back({v[0], v[1], v[2]});
		prims.back().normal.push_back(m_normal);
	}
	void endPrimitive() override {}
	std::vector<int> modes() const
	{
		std::vector<int> m;
		for (const primitive_s &p : prims) m.push_back(p.mode);
		return m;
	}

private:
	point_s m_normal{0, 0, 0};
};

// The tube of one polyline, drawn into a recorder.
recorder tube(int what, const std::vector<point_s> &points, int sides = 8, double width = 2.0)
{
	TubeDraw t;
	t.setNbSegments(sides);
	t.setLineWidth(width);
	t.begin(what);
	for (const point_s &p : points) t.vertex3d(p.x, p.y, p.z);
	recorder r;
	t.end(r);
	return r;
}

// The vertices of one end of a quad strip (0: its first vertex, 1: its
// second), without the closing repeat.
std::vector<point_s> stripEnd(const primitive_s &strip, int end)
{
	std::vector<point_s> ring;
	for (size_t i = end; i + 2 < strip.vertex.size(); i += 2) ring.push_back(strip.vertex[i]);
	return ring;
}

const double c_r = 2.0 / 250.0;

// The mitred rings of a strip or loop computed the long way, with rotors and
// the meet of homogeneous lines: ring k at k * sides, offsets before scaling.
std::vector<e3ga> referenceMitres(int what, std::vector<point_s> v, int sides)
{
	v.push_back(what == GL_LINE_LOOP ? v.front() : v.back());
	int n = (int)v.size();
	auto vec = [](const point_s &p) { return e3ga(2, p.x, p.y, p.z); };
	std::vector<e3ga> dir(n), ring(n * sides), mitre(n * sides);
	dir[0] = vec(v[1] - v[0]).normal(1);
	e3ga f[2];
	dir[0].dual().factor(f, 0);
	for (int i = 0; i < sides; i++) ring[i] = std::cos(2 * M_PI * i / sides) * f[0] + std::sin(2 * M_PI * i / sides) * f[1];
	for (int k = 1; k <= n - 2; k++) {
		dir[k] = v[k + 1] == v[k] ? dir[k - 1] : vec(v[k + 1] - v[k]).normal(1);
		e3ga R = rotorFromVectorToVector(dir[k - 1], dir[k]);
		for (int i = 0; i < sides; i++) ring[k * sides + i] = (R * ring[(k - 1) * sides + i] * R.inverse())(2);
	}
	auto point = [](const e3ga &x, double w) {
		const double *c = x.coordinates(2);
		return p3ga(2, c[0], c[1], c[2], w);
	};
	for (int i = 0; i < sides; i++) mitre[i] = ring[i];
	for (int j = what == GL_LINE_LOOP ? 0 : 1; j <= n - 2; j++) {
		int p = j == 0 ? n - 2 : j - 1;
		for (int i = 0; i < sides; i++) {
			p3ga A = point(ring[j * sides + i], 1), B = point(ring[p * sides + i], 1);
			p3ga D = point(dir[j], 0), E = point(dir[p], 0);
			mitre[j * sides + i] = ring[j * sides + i];
			if ((A ^ B).norm_a() < 1e-7) continue;
			p3ga X = ((A ^ D) << (A ^ D ^ B)) << (B ^ E);
			const double *c = X.coordinates(2);
			mitre[j * sides + i] = e3ga(2, c[0] / c[3], c[1] / c[3], c[2] / c[3]);
		}
	}
	return mitre;
}

// The offsets of a mitred 90-degree corner between directions e and d: in
// the plane of the bend they reach r sqrt(2) along d - e, across it r.
void expectRightAngleMitre(const std::vector<point_s> &ring, const point_s &corner, const point_s &e,
                           const point_s &d)
{
	point_s bisector = {d.x - e.x, d.y - e.y, d.z - e.z}, normal = cross(e, d);
	double longest = 0, shortest = 1;
	for (const point_s &v : ring) {
		point_s m = v - corner;
		double along = dot(m, bisector) / 2, across = dot(m, normal);
		// the offset is (c (d - e), s n) r for an angle with c^2 + s^2 = 1
		EXPECT_NEAR(along * along + across * across, c_r * c_r, 1e-15);
		EXPECT_NEAR(dot(m, e) + dot(m, d), 0.0, 1e-15);
		longest = std::fmax(longest, m.len());
		shortest = std::fmin(shortest, m.len());
	}
	EXPECT_NEAR(longest, c_r * std::sqrt(2.0), 1e-15);
	EXPECT_NEAR(shortest, c_r, 1e-15);
}

TEST(tubeDraw, linePairsAreCappedPrisms)
{
	struct {
		int sides;
		double width;
		std::vector<point_s> points;
	} cases[] = {
	    {8, 2.0, {{0, 0, 0}, {1, 0, 0}}},
	    {6, 2.0, {{0, 0, 0}, {1, 0, 0}, {5, 5, 5}}}, // an unpaired last vertex is ignored
	    {3, 5.0, {{0, 0, 0}, {1, 0, 0}}},
	};
	for (const auto &c : cases) {
		SCOPED_TRACE(c.sides);
		recorder r = tube(GL_LINES, c.points, c.sides, c.width);
		ASSERT_EQ(r.modes(), (std::vector<int>{GL_TRIANGLE_FAN, GL_QUAD_STRIP, GL_TRIANGLE_FAN}));
		double radius = c.width / 250;
		const primitive_s &start = r.prims[0], &side = r.prims[1], &stop = r.prims[2];
		ASSERT_EQ(start.vertex.size(), (size_t)c.sides + 2);
		ASSERT_EQ(side.vertex.size(), 2 * (size_t)c.sides + 2);
		EXPECT_EQ(stop.vertex[0], (point_s{1, 0, 0}));
		// rims at the tube's radius around the axis, in the planes of the ends
		for (const primitive_s *p : {&start, &side, &stop})
			for (size_t i = p->mode == GL_TRIANGLE_FAN ? 1 : 0; i < p->vertex.size(); i++) {
				const point_s &v = p->vertex[i];
				EXPECT_NEAR(std::hypot(v.y, v.z), radius, 1e-15);
				EXPECT_TRUE(v.x == 0.0 || v.x == 1.0);
			}
		// one normal for both caps, along the axis; the end cap wound the other way
		EXPECT_NEAR(std::fabs(start.normal[0].x), 1.0, 1e-15);
		EXPECT_EQ(start.normal[0], stop.normal[0]);
		EXPECT_EQ(start.vertex[1].z, stop.vertex[c.sides].z);
		// the strip closes on itself
		EXPECT_EQ(side.vertex[0], side.vertex[2 * c.sides]);
	}
}

TEST(tubeDraw, stripBendsWithAMitredJoint)
{
	recorder r = tube(GL_LINE_STRIP, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}});
	ASSERT_EQ(r.modes(), (std::vector<int>{GL_TRIANGLE_FAN, GL_TRIANGLE_FAN, GL_QUAD_STRIP, GL_QUAD_STRIP}));
	EXPECT_EQ(r.prims[1].vertex[0], (point_s{1, 1, 0}));
	// an axis-parallel start has a circular cross-section
	for (const point_s &v : stripEnd(r.prims[2], 0)) EXPECT_NEAR(v.len(), c_r, 1e-15);
	// both segments meet on the same mitred ring
	std::vector<point_s> joint = stripEnd(r.prims[2], 1);
	EXPECT_EQ(joint, stripEnd(r.prims[3], 0));
	expectRightAngleMitre(joint, {1, 0, 0}, {1, 0, 0}, {0, 1, 0});
}

TEST(tubeDraw, squareLoopClosesWithoutCaps)
{
	std::vector<point_s> square = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
	TubeDraw t;
	t.setNbSegments(8);
	t.begin(GL_LINE_LOOP);
	for (const point_s &p : square) t.vertex3d(p.x, p.y, p.z);
	recorder r, again;
	t.end(r);
	t.end(again);
	ASSERT_EQ(r.modes(), std::vector<int>(4, GL_QUAD_STRIP));
	for (int k = 0; k < 4; k++) {
		SCOPED_TRACE(k);
		int next = (k + 1) % 4;
		std::vector<point_s> corner = stripEnd(r.prims[k], 1);
		EXPECT_EQ(corner, stripEnd(r.prims[next], 0));
		point_s e = square[next] - square[k], d = square[(k + 2) % 4] - square[next];
		expectRightAngleMitre(corner, square[next], e, d);
	}
	// the collected vertices stay: a second end draws the same
	ASSERT_EQ(again.prims.size(), r.prims.size());
	for (size_t k = 0; k < r.prims.size(); k++) EXPECT_EQ(again.prims[k].vertex, r.prims[k].vertex);
}

TEST(tubeDraw, joinsAsTheHomogeneousMeet)
{
	// non-planar: the loop's ring comes back turned, so its closing joint
	// meets lines that do not share a plane
	std::vector<point_s> points = {{0, 0, 0}, {1, 0.2, 0}, {1.5, 1, 0.5}, {0.7, 1.8, 1.2}, {-0.3, 1.2, 0.4}, {-0.6, 0.4, 1}};
	for (int what : {GL_LINE_STRIP, GL_LINE_LOOP}) {
		for (int sides : {5, 8}) {
			SCOPED_TRACE(what * 10 + sides);
			recorder r = tube(what, points, sides);
			std::vector<e3ga> mitre = referenceMitres(what, points, sides);
			int first = what == GL_LINE_STRIP ? 2 : 0;
			for (size_t k = 0; k + first < r.prims.size(); k++)
				for (int end = 0; end < 2; end++) {
					size_t j = (k + end) % (what == GL_LINE_LOOP ? points.size() : points.size() + 1);
					std::vector<point_s> ring = stripEnd(r.prims[k + first], end);
					for (int i = 0; i < sides; i++) {
						const double *m = mitre[j * sides + i].coordinates(2);
						point_s expected = {points[j].x + c_r * m[0], points[j].y + c_r * m[1], points[j].z + c_r * m[2]};
						EXPECT_NEAR((ring[i] - expected).len(), 0.0, 1e-14);
					}
				}
		}
	}
}

TEST(tubeDraw, degeneratePolylinesStayFinite)
{
	// too few vertices draw nothing
	EXPECT_TRUE(tube(GL_LINE_STRIP, {{1, 2, 3}}).prims.empty());
	EXPECT_TRUE(tube(GL_LINES, {}).prims.empty());
	// a ring of one side has no cap
	EXPECT_TRUE(tube(GL_LINE_STRIP, {{0, 0, 0}, {1, 0, 0}}, 1).prims.empty());
	// two equal vertices: coinciding caps across e1 and a tube of no length
	recorder same = tube(GL_LINE_STRIP, {{1, 2, 3}, {1, 2, 3}});
	ASSERT_EQ(same.modes(), (std::vector<int>{GL_TRIANGLE_FAN, GL_TRIANGLE_FAN, GL_QUAD_STRIP}));
	for (const primitive_s &p : same.prims)
		for (const point_s &v : p.vertex) EXPECT_EQ(v.x, 1.0);
	// polylines that reverse exactly, or up to rounding, keep their rings
	std::vector<std::vector<point_s>> reversals = {
	    {{0, 0, 0}, {1, 0, 0}, {0, 0, 0}},
	    {{0, 0, 0}, {0.1, 0.7, 0.3}, {0.05, 0.35, 0.15}, {0.05, 0.35, 1.15}},
	    {{0, 0, 0}, {0.3, 0.7, 0.1}, {0.1, 0.7 / 3, 0.1 / 3}},
	};
	for (const auto &points : reversals) {
		recorder r = tube(GL_LINE_STRIP, points);
		ASSERT_EQ(r.prims.size(), points.size() + 1);
		for (size_t k = 2; k < r.prims.size(); k++) {
			const primitive_s &segment = r.prims[k];
			for (int end = 0; end < 2; end++)
				for (const point_s &v : stripEnd(segment, end)) {
					double offset = (v - points[k - 2 + end]).len();
					EXPECT_TRUE(std::isfinite(offset));
					EXPECT_LT(offset, 4 * c_r);
				}
		}
	}
}

TEST(tubeDraw, rotorBetweenTwoDirections)
{
	const double h = 1 / std::sqrt(2.0);
	struct {
		e3ga from, to;
		double scalar, e23, e31, e12;
		int usage;
	} cases[] = {
	    {e3gai::e3, -e3ga(e3gai::e3), 0, -1, 0, 0, 4}, // e3 ^ e2: a tie chooses e2
	    {e3gai::e3, -e3ga(e3gai::e1), h, 0, h, 0, 5},  // (1 + e3 e1) / sqrt(2)
	    {e3gai::e1, e3gai::e1, 1, 0, 0, 0, 1},
	    {e3gai::e1, -e3ga(e3gai::e1), 0, 0, 0, 1, 4}, // e1 ^ e2
	};
	for (const auto &c : cases) {
		e3ga R = rotorFromVectorToVector(c.from, c.to);
		SCOPED_TRACE(R.string("%g"));
		EXPECT_EQ(R.gradeUsage(), c.usage);
		EXPECT_NEAR(R.scalar(), c.scalar, 1e-15);
		const double *b = R.coordinates(4);
		EXPECT_NEAR(b[0], c.e23, 1e-15);
		EXPECT_NEAR(b[1], c.e31, 1e-15);
		EXPECT_NEAR(b[2], c.e12, 1e-15);
	}
}

} // namespace
