#pragma once
// Expected interpretations for the tests: the type word, validity, and any
// of the scalars, points, vectors and the factor identity, each checked only
// when given; a table row pairs a value and its creation flags with one.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "mvint.h"
#include "statedouble.h"

namespace mvicheck {

constexpr double kAny = std::numeric_limits<double>::quiet_NaN();
constexpr double kTolerance = 1e-9;

struct expect {
	int type;
	int valid = 1;
	double scalar[2] = {kAny, kAny};
	double point[2][3] = {{kAny, kAny, kAny}, {kAny, kAny, kAny}};
	double vector[3][3] = {{kAny, kAny, kAny}, {kAny, kAny, kAny}, {kAny, kAny, kAny}};
	// vector[1] x vector[2] = area * vector[0], vector[0] a unit vector
	double area = kAny;

	explicit expect(int t) : type(t) {}
	expect &invalid()
	{
		valid = 0;
		return *this;
	}
	expect &s(double s0, double s1 = kAny)
	{
		scalar[0] = s0;
		scalar[1] = s1;
		return *this;
	}
	expect &p(int i, double x, double y, double z)
	{
		set(point[i], x, y, z);
		return *this;
	}
	expect &v(int i, double x, double y, double z)
	{
		set(vector[i], x, y, z);
		return *this;
	}
	expect &factors(double a)
	{
		area = a;
		return *this;
	}

private:
	static void set(double *d, double x, double y, double z)
	{
		d[0] = x;
		d[1] = y;
		d[2] = z;
	}
};

template <class V> struct row {
	const char *name;
	V value;
	int flags;
	expect e;
};

inline bool close(double got, double want, double tol) { return std::isnan(want) || std::fabs(got - want) <= tol; }

inline ::testing::AssertionResult matches(const mvInt &I, const expect &e, double tol = kTolerance)
{
	char buf[64];
	std::snprintf(buf, sizeof(buf), "type %#x valid %d", I.m_type, I.m_valid);
	if (I.m_type != e.type || I.m_valid != e.valid) return ::testing::AssertionFailure() << buf;
	for (int i = 0; i < 2; i++)
		if (!close(I.m_scalar[i], e.scalar[i], tol))
			return ::testing::AssertionFailure() << "scalar " << i << " is " << I.m_scalar[i];
	for (int i = 0; i < 3; i++)
		for (int k = 0; k < 3; k++) {
			if (i < 2 && !close(I.m_point[i][k], e.point[i][k], tol))
				return ::testing::AssertionFailure() << "point " << i << "[" << k << "] is " << I.m_point[i][k];
			if (!close(I.m_vector[i][k], e.vector[i][k], tol))
				return ::testing::AssertionFailure() << "vector " << i << "[" << k << "] is " << I.m_vector[i][k];
		}
	if (!std::isnan(e.area)) {
		const double *n = I.m_vector[0], *a = I.m_vector[1], *b = I.m_vector[2];
		double cross[3] = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
		double n2 = n[0] * n[0] + n[1] * n[1] + n[2] * n[2];
		if (!close(n2, 1.0, tol)) return ::testing::AssertionFailure() << "normal of squared length " << n2;
		for (int k = 0; k < 3; k++)
			if (!close(cross[k], e.area * n[k], tol))
				return ::testing::AssertionFailure() << "factors span " << cross[k] << " along axis " << k;
	}
	return ::testing::AssertionSuccess();
}

template <class V> void checkTable(const std::vector<row<V>> &rows)
{
	for (const row<V> &r : rows) EXPECT_TRUE(matches(mvInt(r.value, r.flags), r.e)) << r.name;
}

} // namespace mvicheck
