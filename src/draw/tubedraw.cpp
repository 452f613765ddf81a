#include "draw/tubedraw.h"

#include <cmath>

namespace {

// Below this cosine two unit vectors count as opposite: the rotor between
// them is taken as a half turn, since 1 + v2 v1 has (almost) no size left to
// normalise.  The value is the single-precision -0.99999.
constexpr double sc_oppositeCosine = (double)-0.99999f;

// A joint whose ring offsets A and B (as homogeneous points) have an outer
// product of squared size below this did not turn the ring: the ring is kept
// as it is instead of intersecting two (nearly) identical lines.
constexpr double sc_unturnedRing2 = 1e-7;

// Two segment directions whose cross product has a squared size below this
// are parallel up to rounding (a straight run or an exact reversal): the two
// surface lines at the joint do not meet at any finite point, so the ring is
// kept.  Far below any real bend, whose mitre is always built.
constexpr double sc_parallelSine2 = 1e-24;

// Fewest sides of a tube: a ring needs two entries to span a cap.
constexpr int sc_minSides = 2;

// Tube radius in model units per unit of line width.
constexpr double sc_radiusPerWidth = 1.0 / 250.0;

constexpr double sc_pi = 3.14159265358979323846;

typedef tubeVector vec;

inline vec sub(const vec &a, const vec &b) { return {{a.c[0] - b.c[0], a.c[1] - b.c[1], a.c[2] - b.c[2]}}; }
inline vec scale(double s, const vec &a) { return {{s * a.c[0], s * a.c[1], s * a.c[2]}}; }
// a + s b
inline vec addScaled(const vec &a, double s, const vec &b)
{
	return {{a.c[0] + s * b.c[0], a.c[1] + s * b.c[1], a.c[2] + s * b.c[2]}};
}
inline double dot(const vec &a, const vec &b) { return a.c[0] * b.c[0] + a.c[1] * b.c[1] + a.c[2] * b.c[2]; }
inline vec cross(const vec &a, const vec &b)
{
	return {{a.c[1] * b.c[2] - a.c[2] * b.c[1], a.c[2] * b.c[0] - a.c[0] * b.c[2], a.c[0] * b.c[1] - a.c[1] * b.c[0]}};
}
inline bool isZero(const vec &a) { return a.c[0] == 0.0 && a.c[1] == 0.0 && a.c[2] == 0.0; }
inline vec unit(const vec &a) { return scale(1.0 / std::sqrt(dot(a, a)), a); }

// A rotor s + I w of e3ga: its scalar part and the vector w whose dual is its
// bivector part (coordinates on e2^e3, e3^e1, e1^e2).
struct rotor_s {
	double s;
	vec w;
};

// The unit rotor turning unit vector v1 onto unit vector v2.
rotor_s rotorBetween(const vec &v1, const vec &v2)
{
	double c = dot(v1, v2);
	if (c < sc_oppositeCosine) {
		// opposite: a half turn in the plane of v1 and b = v1 . (v1 ^ v2)
		vec b = cross(cross(v1, v2), v1);
		if (isZero(b)) {
			// exactly opposite: the basis vector farther from v1's direction, e2 on a tie
			double withE1 = v1.c[1] * v1.c[1] + v1.c[2] * v1.c[2];
			double withE2 = v1.c[0] * v1.c[0] + v1.c[2] * v1.c[2];
			b = withE1 > withE2 ? vec{{1.0, 0.0, 0.0}} : vec{{0.0, 1.0, 0.0}};
		} else {
			b = unit(b);
		}
		return {0.0, unit(cross(v1, b))};
	}
	// (1 + v2 v1) / sqrt(2 (1 + c)); the bivector part of v2 v1 is I (v2 x v1)
	double n = 1.0 / std::sqrt(2.0 * (1.0 + c));
	return {(1.0 + c) * n, scale(n, cross(v2, v1))};
}

// The rotation R x R^-1 of a rotor as a matrix, rows first:
// ((s^2 - |w|^2) x + 2 s (x cross w) + 2 (w . x) w) / (s^2 + |w|^2).
struct rotation_s {
	double m[3][3];
	explicit rotation_s(const rotor_s &R)
	{
		double w2 = dot(R.w, R.w);
		double inv = 1.0 / (R.s * R.s + w2);
		double diag = (R.s * R.s - w2) * inv;
		const double *w = R.w.c;
		for (int i = 0; i < 3; i++)
			for (int j = 0; j < 3; j++) m[i][j] = 2.0 * w[i] * w[j] * inv + (i == j ? diag : 0.0);
		// x cross w: row i holds the coefficients of x
		double t = 2.0 * R.s * inv;
		m[0][1] += t * w[2];
		m[0][2] -= t * w[1];
		m[1][0] -= t * w[2];
		m[1][2] += t * w[0];
		m[2][0] += t * w[1];
		m[2][1] -= t * w[0];
	}
	vec apply(const vec &x) const
	{
		return {{m[0][0] * x.c[0] + m[0][1] * x.c[1] + m[0][2] * x.c[2],
		         m[1][0] * x.c[0] + m[1][1] * x.c[1] + m[1][2] * x.c[2],
		         m[2][0] * x.c[0] + m[2][1] * x.c[1] + m[2][2] * x.c[2]}};
	}
};

// The mitred offset of one ring entry at a joint: a on the ring after the
// joint (segment direction d), b on the ring before it (direction e).  The
// two tube surface lines are a + s d and b + t e (offsets from the joint's
// vertex).  In the homogeneous model (e1, e2, e3, e0) the points are
// A = a + e0, B = b + e0 and the directions D = d, E = e; the meet of the
// lines within the plane A ^ D ^ B, ((A ^ D) . (A ^ D ^ B)) . (B ^ E), is
// X = |B'|^2 E - (B' . E) B, B' being the part of B orthogonal to A and D.
// The offset is X's point, b - |B'|^2 / (B' . E) e.  (When the lines do not
// share a plane, as at the closing joint of a loop whose ring came back
// turned, this is still the point of the line b + t e that X gives.)
struct joint_s {
	vec d, e;
	// 1 / (d . d)
	double invDD;
	// d and e are parallel up to rounding: the lines never meet
	bool parallel;
	joint_s(const vec &d_, const vec &e_) : d(d_), e(e_), invDD(1.0 / dot(d_, d_))
	{
		vec de = cross(d, e);
		parallel = dot(de, de) < sc_parallelSine2;
	}
};

vec mitreOffset(const vec &a, const vec &b, const joint_s &joint)
{
	vec ab = cross(a, b), aMinusB = sub(a, b);
	// the outer product of the two points is a ^ b + (a - b) ^ e0
	if (dot(ab, ab) + dot(aMinusB, aMinusB) < sc_unturnedRing2 || joint.parallel) return a;
	const vec &d = joint.d, &e = joint.e;
	// A and B less their parts along D (their weights stay 1)
	vec a1 = addScaled(a, -dot(a, d) * joint.invDD, d), b1 = addScaled(b, -dot(b, d) * joint.invDD, d);
	// B less its part along that A, times |A|^2 (which leaves the point as it is)
	double aa = dot(a1, a1) + 1.0, ba = dot(b1, a1) + 1.0;
	vec bPerp = sub(scale(aa, b1), scale(ba, a1));
	double bPerpWeight = aa - ba;
	double t = -(dot(bPerp, bPerp) + bPerpWeight * bPerpWeight) / (aa * dot(bPerp, e));
	// a meet of weight 0 (b already on the line through a) has no finite point
	if (!std::isfinite(t)) return a;
	return addScaled(b, t, e);
}

// The first ring's two axes: the factors of the unit bivector dual(dir),
// orthogonal with f0 ^ f1 = dual(dir); not of equal length unless dir runs
// along a coordinate axis.
void firstRingAxes(const vec &dir, vec &f0, vec &f1)
{
	e3ga factors[2];
	e3ga(2, dir.c[0], dir.c[1], dir.c[2]).dual().factor(factors, 0);
	const double *c0 = factors[0].coordinates(2), *c1 = factors[1].coordinates(2);
	f0 = {{c0[0], c0[1], c0[2]}};
	f1 = {{c1[0], c1[1], c1[2]}};
}

// Working arrays of end, kept between calls so that drawing allocates
// nothing once warm: one unit direction per vertex, the transported rings and
// the mitred rings (ring k at k * S).
struct tubeWork_s {
	std::vector<vec> dir, ring, mitre;
};
tubeWork_s s_work;

// The vertices as end sees them: a strip repeats its last vertex (giving it a
// ring of its own), a loop its first (closing it).  m_vertices is left as it
// is, so end can be called again.
struct tubeVertices {
	const std::vector<vec> &v;
	int count, what;
	int n() const { return what == GL_LINES ? count : count + 1; }
	const vec &operator[](int k) const
	{
		if (k < count) return v[k];
		return what == GL_LINE_LOOP ? v[0] : v[count - 1];
	}
};

class glSink : public tubeSink {
public:
	void beginPrimitive(int mode) override { glBegin(mode); }
	void normal(const double *n) override { glNormal3dv(n); }
	void vertex(const double *v) override { glVertex3dv(v); }
	void endPrimitive() override { glEnd(); }
};

} // namespace

tubeSink &glTubeSink()
{
	static glSink s_sink;
	return s_sink;
}

TubeDraw::TubeDraw() : m_what(-1), m_lineWidth(2.0), m_nbSegments(6), m_useOpenGL(false) {}

double TubeDraw::radius() const { return m_lineWidth * sc_radiusPerWidth; }

void TubeDraw::begin(int what)
{
	if (m_useOpenGL) {
		glLineWidth((GLfloat)m_lineWidth);
		glBegin(what);
		return;
	}
	m_vertices.clear();
	m_what = what;
}

void TubeDraw::vertex3d(double x, double y, double z)
{
	if (m_useOpenGL) glVertex3d(x, y, z);
	else m_vertices.push_back({{x, y, z}});
}

void TubeDraw::end()
{
	if (m_useOpenGL) glEnd();
	else end(glTubeSink());
}

void TubeDraw::end(tubeSink &sink)
{
	// fewer than two vertices draw nothing
	int count = (int)m_vertices.size();
	if (count < 2 || m_nbSegments < sc_minSides || (m_what != GL_LINES && m_what != GL_LINE_STRIP && m_what != GL_LINE_LOOP)) return;
	tubeVertices v{m_vertices, count, m_what};
	const int n = v.n(), S = m_nbSegments;
	std::vector<vec> &dir = s_work.dir, &ring = s_work.ring, &mitre = s_work.mitre;
	dir.resize(n);
	ring.resize((size_t)n * S);

	// first direction (e1 for a zero-length start) and its ring
	vec d0 = sub(v[1], v[0]);
	dir[0] = isZero(d0) ? vec{{1.0, 0.0, 0.0}} : unit(d0);
	vec f0, f1;
	firstRingAxes(dir[0], f0, f1);
	for (int i = 0; i < S; i++) {
		double angle = 2.0 * sc_pi * i / S;
		ring[i] = addScaled(scale(std::cos(angle), f0), std::sin(angle), f1);
	}

	// parallel transport: each ring is the previous one turned by the bend
	for (int k = 1; k <= n - 2; k++) {
		vec dk = sub(v[k + 1], v[k]);
		dir[k] = isZero(dk) ? dir[k - 1] : unit(dk);
		rotation_s R(rotorBetween(dir[k - 1], dir[k]));
		for (int i = 0; i < S; i++) ring[(size_t)k * S + i] = R.apply(ring[(size_t)(k - 1) * S + i]);
	}

	if (m_what == GL_LINES) {
		// each pair is a straight tube, closed at both ends, with the ring of its first vertex
		for (int k = 0; k + 1 < n; k += 2) {
			for (int i = 0; i < S; i++) ring[(size_t)(k + 1) * S + i] = ring[(size_t)k * S + i];
			drawTubeCap(k, ring, false, sink);
			drawTubeSegment(k, ring, sink);
			drawTubeCap(k + 1, ring, true, sink);
		}
		return;
	}

	// a strip's caps take the transported rings; n - 2 is the caller's last vertex
	if (m_what == GL_LINE_STRIP) {
		drawTubeCap(0, ring, false, sink);
		drawTubeCap(n - 2, ring, true, sink);
	}

	// mitred joints: a strip keeps its first ring, a loop mitres vertex 0 against
	// the last vertex before the closing copy
	mitre.resize((size_t)n * S);
	int firstJoint = 1;
	if (m_what == GL_LINE_STRIP) {
		for (int i = 0; i < S; i++) mitre[i] = ring[i];
	} else {
		firstJoint = 0;
	}
	for (int j = firstJoint; j <= n - 2; j++) {
		int p = j == 0 ? n - 2 : j - 1;
		joint_s joint(dir[j], dir[p]);
		for (int i = 0; i < S; i++)
			mitre[(size_t)j * S + i] = mitreOffset(ring[(size_t)j * S + i], ring[(size_t)p * S + i], joint);
	}

	// one segment per segment of the caller's polyline; a loop's last one closes it
	int last = m_what == GL_LINE_STRIP ? n - 3 : n - 2;
	for (int k = 0; k <= last; k++) drawTubeSegment(k, mitre, sink);
}

void TubeDraw::drawTubeSegment(int k, const std::vector<tubeVector> &rings, tubeSink &sink)
{
	tubeVertices v{m_vertices, (int)m_vertices.size(), m_what};
	const int S = m_nbSegments;
	int k2 = k + 1;
	if (m_what == GL_LINE_LOOP && k + 1 > v.n() - 2) k2 = 0;
	const double r = radius();
	const vec *r1 = &rings[(size_t)k * S], *r2 = &rings[(size_t)k2 * S];
	const vec &v1 = v[k], &v2 = v[k2];
	// S + 1 steps, so the strip closes on itself
	sink.beginPrimitive(GL_QUAD_STRIP);
	for (int i = 0; i <= S; i++) {
		int m = i % S;
		sink.normal(r1[m].c);
		sink.vertex(addScaled(v1, r, r1[m]).c);
		sink.normal(r2[m].c);
		sink.vertex(addScaled(v2, r, r2[m]).c);
	}
	sink.endPrimitive();
}

void TubeDraw::drawTubeCap(int k, const std::vector<tubeVector> &rings, bool reverse, tubeSink &sink)
{
	tubeVertices v{m_vertices, (int)m_vertices.size(), m_what};
	const int S = m_nbSegments;
	const double r = radius();
	const vec *rk = &rings[(size_t)k * S];
	const vec &centre = v[k];
	// the same normal at both ends of a tube; the end cap is wound the other way
	sink.beginPrimitive(GL_TRIANGLE_FAN);
	sink.normal(unit(cross(rk[0], rk[1])).c);
	sink.vertex(centre.c);
	for (int i = 0; i <= S; i++) {
		int m = reverse ? S - 1 - i % S : i % S;
		sink.vertex(addScaled(centre, r, rk[m]).c);
	}
	sink.endPrimitive();
}

e3ga rotorFromVectorToVector(const e3ga &v1, const e3ga &v2)
{
	const double *a = v1.coordinates(2), *b = v2.coordinates(2);
	rotor_s R = rotorBetween(vec{{a[0], a[1], a[2]}}, vec{{b[0], b[1], b[2]}});
	// an opposite pair gives a pure bivector, equal vectors the scalar 1
	if (R.s == 0.0) return e3ga(4, R.w.c[0], R.w.c[1], R.w.c[2]);
	if (isZero(R.w)) return e3ga(R.s);
	const double coordinates[4] = {R.s, R.w.c[0], R.w.c[1], R.w.c[2]};
	return e3ga(5, coordinates);
}
