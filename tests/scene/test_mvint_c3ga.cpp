// Interpretation of c3ga values: a table of every family and its dual bit,
// the tangent and zero thresholds, round trips from centre and radius to
// rounds made of points and back, and the messages of impossible grades.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "support/mvintcheck.h"
#include "support/testvalues.h"

namespace {

using mvicheck::expect;
using mvicheck::matches;

// The conformal point of weight 1 at (x, y, z).
c3ga point(double x, double y, double z) { return c3ga(2, x, y, z, 1.0, 0.5 * (x * x + y * y + z * z)); }
c3ga point(const double *p) { return point(p[0], p[1], p[2]); }

class C3gaInterpretation : public ::testing::Test {
protected:
	// a new state for every test: no factors stored
	state m_state;
	const c3ga e1 = c3gai::e1, e2 = c3gai::e2, e3 = c3gai::e3, ni = c3gai::ni;
};

TEST_F(C3gaInterpretation, KindsOfValues)
{
	const double r2 = std::sqrt(0.5), r3 = std::sqrt(1.0 / 3.0), t = 1 / 3.0;
	c3ga a = point(1, 0, 0), b = point(0, 1, 0), c = point(0, 0, 1), d = point(1, 1, 1);
	c3ga circle = op(a ^ b, c), line = op(a ^ b, ni), plane = op(circle, ni);
	c3ga I3 = op(e1 ^ e2, e3);
	mvicheck::checkTable<c3ga>({
	    {"zero", c3ga(), 0, expect(0x6100)},
	    {"below zero threshold", 0.9e-3 * e1, 0, expect(0x6100)},
	    {"ni", ni, 0, expect(0x6110).s(1.0)},
	    {"free vector", 2.0 * (e2 ^ ni), 0, expect(0x6111).s(2.0).v(0, 0, 1, 0)},
	    {"free bivector", op(e1 ^ e2, ni), 0, expect(0x6112).s(1.0).v(0, 0, 0, 1).factors(1.0)},
	    {"free trivector", op(I3, ni), 0, expect(0x6113).s(1.0)},
	    {"flat point", a ^ ni, 0, expect(0x6142).s(1.0).p(0, 1, 0, 0)},
	    {"line", line, 0, expect(0x6143).s(std::sqrt(2.0)).v(0, -r2, r2, 0).p(0, 0.5, 0.5, 0)},
	    {"dual line", line.dual(), 0, expect(0x6943).s(std::sqrt(2.0)).v(0, -r2, r2, 0).p(0, 0.5, 0.5, 0)},
	    {"plane", plane, 0, expect(0x6144).s(std::sqrt(3.0)).v(0, r3, r3, r3).p(0, t, t, t).factors(1.0)},
	    {"dual plane", plane.dual(), 0, expect(0x6944).v(0, r3, r3, r3).p(0, t, t, t).factors(1.0)},
	    {"scalar", 2.0, 0, expect(0x6108).s(2.0)},
	    {"pseudoscalar", gp(3.0, c3ga(c3gai::I)), 0, expect(0x6908).s(3.0)},
	    {"point", point(1, 2, 3), 0, expect(0x6120).s(1.0).p(0, 1, 2, 3)},
	    {"weighted point", gp(-3.0, point(1, 2, 3)), 0, expect(0x6120).s(3.0).p(0, 1, 2, 3)},
	    {"tangent vector", op(a, lcont(a, e2 ^ ni)), 0, expect(0x6121).s(1.0).p(0, 1, 0, 0).v(0, 0, 1, 0)},
	    {"tangent bivector", op(a, lcont(a, op(e2 ^ e3, ni))), 0, expect(0x6122).s(1.0).p(0, 1, 0, 0).v(0, -1, 0, 0)},
	    {"tangent trivector", op(a, lcont(a, op(I3, ni))), 0, expect(0x6123).p(0, 1, 0, 0)},
	    {"point pair", a ^ b, 0, expect(0x6182).s(r2).p(0, 0.5, 0.5, 0).p(1, 1, 0, 0).v(0, 0, 1, 0).v(1, -1, 1, 0)},
	    {"circle", circle, 0, expect(0x6183).s(std::sqrt(2.0 / 3.0)).p(0, t, t, t).v(0, r3, r3, r3)},
	    {"sphere", op(circle, d), 0, expect(0x6184).s(std::sqrt(0.75)).p(0, 0.5, 0.5, 0.5)},
	    {"dual sphere", point(1, 2, 3) - 2.0 * ni, 0, expect(0x6984).s(2.0).p(0, 1, 2, 3)},
	    {"imaginary dual sphere", point(1, 2, 3) + 2.0 * ni, 0, expect(0x6984).s(-2.0).p(0, 1, 2, 3)},
	    // the dual of a circle is a point pair, without the dual bit
	    {"dual circle", circle.dual(), 0, expect(0x6182)},
	    // a point whose square is just below the threshold, then just above it
	    {"near-tangent", point(1, 2, 3) + 4e-7 * ni, 0, expect(0x6120).p(0, 1, 2, 3)},
	    {"near-round", point(1, 2, 3) + 6e-7 * ni, 0, expect(0x6984).s(-std::sqrt(1.2e-6)).p(0, 1, 2, 3)},
	    {"versor", 1.0 + (e1 ^ e2), 0, expect(0x6000).invalid()},
	    {"point as versor", a, OC_VERSOR, expect(0x6000).invalid()},
	});
}

TEST_F(C3gaInterpretation, RoundsMadeOfPointsGiveBackTheirCentreAndRadius)
{
	std::mt19937 rng(17);
	for (int trial = 0; trial < 20; trial++) {
		// a circle of random centre c, radius r and plane: c + r R (cos t e1 + sin t e2) R^-1
		e3ga R = ref::randomVersor<e3ga>(rng, 2), Ri = R.inverse(), c = gp(3.0, ref::randomVector<e3ga>(rng));
		double r = 0.5 + std::fabs(2.0 * ref::randomCoordinate(rng));
		e3ga n = gp(gp(R, e3gai::e3), Ri), e[4];
		for (int k = 0; k < 3; k++) e[k] = add(c, gp(gp(R, gp(r, e3ga(2, std::cos(2.0 * k), std::sin(2.0 * k), 0.0))), Ri));
		e[3] = add(c, gp(r, n));
		c3ga P[4];
		for (int k = 0; k < 4; k++) P[k] = point(e[k].coordinates(2));
		const double *cc = c.coordinates(2), *p0 = e[0].coordinates(2), *p3 = e[3].coordinates(2);
		c3ga circle = op(P[0] ^ P[1], P[2]);
		mvInt C(circle, 0);
		EXPECT_TRUE(matches(C, expect(0x6183).s(r).p(0, cc[0], cc[1], cc[2]))) << trial;
		// the normal is n or -n
		EXPECT_NEAR(std::fabs(scp(n, e3ga(2, C.m_vector[0][0], C.m_vector[0][1], C.m_vector[0][2])).scalar()), 1.0, 1e-9);
		EXPECT_TRUE(matches(mvInt(op(circle, P[3]), 0), expect(0x6184).s(r).p(0, cc[0], cc[1], cc[2])));
		// the pair P0 ^ P3 gives both points back, P0 first, the centre between them
		expect pair = expect(0x6182).s(r * std::sqrt(0.5)).p(1, p0[0], p0[1], p0[2]).v(0, p3[0], p3[1], p3[2]);
		EXPECT_TRUE(matches(mvInt(P[0] ^ P[3], 0), pair.p(0, (p0[0] + p3[0]) / 2, (p0[1] + p3[1]) / 2, (p0[2] + p3[2]) / 2)));
		// the dual sphere c - r^2/2 ni, its imaginary twin, and the sphere of its dual
		c3ga dualSphere = point(cc) - gp(0.5 * r * r, ni);
		EXPECT_TRUE(matches(mvInt(dualSphere, 0), expect(0x6984).s(r, -1.0).p(0, cc[0], cc[1], cc[2])));
		EXPECT_TRUE(matches(mvInt(point(cc) + gp(0.5 * r * r, ni), 0), expect(0x6984).s(-r).p(0, cc[0], cc[1], cc[2])));
		EXPECT_TRUE(matches(mvInt(dualSphere.dual(), 0), expect(0x6184).s(r).p(0, cc[0], cc[1], cc[2])));
		// a point moved by the translator 1 - t ni / 2 stands at p + t
		c3ga T = sub(1.0, gp(0.5, op(c3ga(2, cc[0], cc[1], cc[2], 0.0, 0.0), ni)));
		expect moved = expect(0x6120).s(1.0).p(0, p0[0] + cc[0], p0[1] + cc[1], p0[2] + cc[2]);
		EXPECT_TRUE(matches(mvInt(gp(gp(T, P[0]), T.inverse()), 0), moved));
	}
}

TEST_F(C3gaInterpretation, GradesWithoutSuchObjectsAreNotValidAndSaySo)
{
	mvInt I;
	testing::internal::CaptureStdout();
	c3ga v = point(1, 2, 3);
	I.c3gaBoundFlat(v, 1, v, v, 1.0);
	EXPECT_EQ(I.m_valid, 0);
	I.c3gaFreeFlat(v, 5, v, 1.0);
	I.c3gaBoundTangent(v, 0, v, v, 1.0);
	I.c3gaRound(v, 5, v, v, 1.0);
	EXPECT_EQ(I.m_valid, 0);
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "mvInt::c3gaBoundFlat(): grade 1 bound flats do not exist\n"
	                             "mvInt::c3gaFreeFlat(): grade 5 free flats do not exist\n"
	                             "mvInt::c3gaBoundTangent(): grade 0 bound tangents do not exist\n"
	                             "mvInt::c3gaRound(): grade 5 rounds do not exist\n");
}

} // namespace
