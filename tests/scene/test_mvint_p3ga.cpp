// Interpretation of p3ga values: points, lines, planes and space; Euclidean
// scalars to trivectors; the zero threshold; stored factors of planes.
#include <gtest/gtest.h>

#include <cmath>

#include "support/mvintcheck.h"

namespace {

using mvicheck::expect;
using mvicheck::matches;

class P3gaInterpretation : public ::testing::Test {
protected:
	// a new state for every test: no factors stored
	state m_state;
	const p3ga e0 = p3gai::e0, e1 = p3gai::e1, e2 = p3gai::e2, e3 = p3gai::e3;
	// the homogeneous point at (x, y, z)
	p3ga point(double x, double y, double z) { return p3ga(2, x, y, z, 1.0); }
};

TEST_F(P3gaInterpretation, KindsOfValues)
{
	const double r2 = std::sqrt(0.5), r3 = std::sqrt(1.0 / 3.0);
	p3ga P = point(1, 0, 0), Q = point(0, 1, 0), R = point(0, 0, 1);
	mvicheck::checkTable<p3ga>({
	    {"e0 + e1", e0 + e1, 0, expect(0x4120).s(1.0).p(0, 1, 0, 0)},
	    {"weighted point", gp(2.0, point(1, 2, 0)), 0, expect(0x4120).s(2.0).p(0, 1, 2, 0)},
	    {"line P^Q", P ^ Q, 0, expect(0x4143).s(std::sqrt(2.0)).v(0, -r2, r2, 0).p(0, 0.5, 0.5, 0)},
	    {"plane P^Q^R", op(P ^ Q, R), 0, expect(0x4144).s(std::sqrt(3.0)).v(0, r3, r3, r3).p(0, 1 / 3.0, 1 / 3.0, 1 / 3.0).factors(1.0)},
	    {"space", gp(2.0, p3ga(p3gai::I)), 0, expect(0x4145).s(2.0).p(0, 0, 0, 0)},
	    {"scalar", 3.0, 0, expect(0x4108).s(3.0)},
	    {"2 e2", 2.0 * e2, 0, expect(0x4109).s(2.0).v(0, 0, 1, 0).p(0, 0, 2, 0)},
	    {"2 e1^e2", 2.0 * (e1 ^ e2), 0, expect(0x410A).s(2.0).v(0, 0, 0, 1).factors(1.0)},
	    // a Euclidean trivector's volume is minus its coordinate
	    {"e1^e2^e3", op(e1 ^ e2, e3), 0, expect(0x410B).s(-1.0)},
	    {"zero", p3ga(), 0, expect(0x4100)},
	    {"below zero threshold", 0.9e-3 * e0, 0, expect(0x4100)},
	    {"above zero threshold", 1.1e-3 * e0, 0, expect(0x4120).s(1.1e-3).p(0, 0, 0, 0)},
	    {"versor", 1.0 + (e1 ^ e2), 0, expect(0x4000).invalid()},
	    {"point as versor", e0, OC_VERSOR, expect(0x4000).invalid()},
	    {"point as both", e0, OC_VERSOR | OC_BLADE, expect(0x4120).s(1.0)},
	    // a multivector has no grade to read as a blade
	    {"multivector as blade", e1 + (e1 ^ e2), OC_BLADE, expect(0x4000).invalid()},
	});
}

TEST_F(P3gaInterpretation, StoredFactorsOrientPlanes)
{
	// the plane z = 1, its attitude e1^e2 read with factors e2 and e1 + e3
	p3ga plane = op(op(point(0, 0, 1), e1), e2);
	m_state.setP3gaFactor(e2, 0);
	m_state.setP3gaFactor(e1 + e3, 1);
	EXPECT_TRUE(matches(mvInt(plane, 0), expect(0x4144).s(1.0).v(0, 0, 0, 1).v(1, 0, -1, 0).v(2, 1, 0, 0).p(0, 0, 0, 1)));
	// a factor skipped by a null pointer is not written
	double normal[3], factor[3] = {7, 7, 7};
	EXPECT_EQ(mvInt::p3gaFactorBivector(e1 ^ e2, normal, nullptr, factor), 0);
	EXPECT_DOUBLE_EQ(normal[2], 1.0);
	EXPECT_DOUBLE_EQ(factor[0], 1.0);
}

} // namespace
