#pragma once
// Expected interpretations for the tests: the type word and validity, and
// any of the scalars, points, vectors and the factor identity, each checked
// only when given; a table row pairs a value and its creation flags with one.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "scene/mvint.h"
#include "state/state.h"

namespace mvicheck {

constexpr double kAny = std::numeric_limits<double>::quiet_NaN();
constexpr double kTolerance = 1e-9;

struct expect {
	int type, valid = 1;
	double scalar[2] = {kAny, kAny};
	double point[2][3] = {{kAny, kAny, kAny}, {kAny, kAny, kAny}};
	double vector[3][3] = {{kAny, kAny, kAny}, {kAny, kAny, kAny}, {kAny, kAny, kAny}};
	double area = kAny; // vector[1] x vector[2] = area vector[0], vector[0] of length 1

	explicit expect(int t) : type(t) {}
	expect &invalid() { return valid = 0, *this; }
	expect &s(double s0, double s1 = kAny) { return scalar[0] = s0, scalar[1] = s1, *this; }
	expect &p(int i, double x, double y, double z) { return put(point[i], x, y, z); }
	expect &v(int i, double x, double y, double z) { return put(vector[i], x, y, z); }
	expect &factors(double a) { return area = a, *this; }
	expect &put(double *d, double x, double y, double z) { return d[0] = x, d[1] = y, d[2] = z, *this; }
};

template <class V> struct row {
	const char *name;
	V value;
	int flags;
	expect e;
};

inline bool close(double got, double want) { return std::isnan(want) || std::fabs(got - want) <= kTolerance; }

inline ::testing::AssertionResult matches(const mvInt &I, const expect &e)
{
	if (I.m_type != e.type || I.m_valid != e.valid)
		return ::testing::AssertionFailure() << std::hex << "type 0x" << I.m_type << " valid " << I.m_valid;
	for (int i = 0; i < 2; i++)
		if (!close(I.m_scalar[i], e.scalar[i])) return ::testing::AssertionFailure() << "scalar " << i << ": " << I.m_scalar[i];
	for (int i = 0; i < 3; i++)
		for (int k = 0; k < 3; k++) {
			if (i < 2 && !close(I.m_point[i][k], e.point[i][k]))
				return ::testing::AssertionFailure() << "point " << i << "[" << k << "]: " << I.m_point[i][k];
			if (!close(I.m_vector[i][k], e.vector[i][k]))
				return ::testing::AssertionFailure() << "vector " << i << "[" << k << "]: " << I.m_vector[i][k];
		}
	if (std::isnan(e.area)) return ::testing::AssertionSuccess();
	const double *n = I.m_vector[0], *a = I.m_vector[1], *b = I.m_vector[2];
	double cross[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
	if (!close(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1.0)) return ::testing::AssertionFailure() << "normal not unit";
	for (int k = 0; k < 3; k++)
		if (!close(cross[k], e.area * n[k])) return ::testing::AssertionFailure() << "factors span " << cross[k] << " on axis " << k;
	return ::testing::AssertionSuccess();
}

// Two readings with the same bits in every field, the flags and validity included.
inline ::testing::AssertionResult sameReading(const mvInt &a, const mvInt &b)
{
	auto same = [](const void *x, const void *y, size_t n) { return std::memcmp(x, y, n) == 0; };
	if (a.m_type != b.m_type || a.m_valid != b.m_valid || a.m_creationFlags != b.m_creationFlags)
		return ::testing::AssertionFailure() << "type " << a.m_type << " vs " << b.m_type;
	if (!same(a.m_point, b.m_point, sizeof a.m_point) || !same(a.m_vector, b.m_vector, sizeof a.m_vector) ||
	    !same(a.m_scalar, b.m_scalar, sizeof a.m_scalar))
		return ::testing::AssertionFailure() << "the numbers differ";
	return ::testing::AssertionSuccess();
}

template <class V> void checkTable(const std::vector<row<V>> &rows)
{
	for (const row<V> &r : rows) EXPECT_TRUE(matches(mvInt(r.value, r.flags), r.e)) << r.name;
}

} // namespace mvicheck
