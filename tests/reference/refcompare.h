#pragma once
// Test helpers shared by the tests: the four algebras and their type lists,
// random full coordinate arrays and grade-part tables, conversion of a value
// to its full coordinate array, comparison with the reference, and
// comparison of two values.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "c3ga/c3ga.h"
#include "e3ga/e3ga.h"
#include "i2ga/i2ga.h"
#include "p3ga/p3ga.h"
#include "reference/refalgebra.h"
#include "support/testvalues.h"

namespace ref {

// The value classes and the implementation classes of the four algebras, for typed tests.
typedef ::testing::Types<e3ga, p3ga, c3ga, i2ga> Algebras;
typedef ::testing::Types<e3gai, p3gai, c3gai, i2gai> ImplAlgebras;

// Allowed difference to the reference on random coordinates in [-1, 1]: the
// longest sum (i2ga gp) adds under a hundred products, so rounding stays
// far below this.
constexpr double sc_tolerance = 1e-12;

// A full coordinate array with random coordinates on the grades of gu, zeros elsewhere.
template <class Def> coords randomFull(std::mt19937 &rng, int gu)
{
	coords f(Def::nbCoor, 0.0);
	for (int g = 0; g <= Def::dim; g++)
		if (gu & (1 << g))
			for (int i = 0; i < Def::gradeSize[g]; i++) f[Def::gradeOffset[g] + i] = randomCoordinate(rng);
	return f;
}

// Grade-part pointer table over a full array: the grades of gu point into it, the others are null.
template <class Def, class P> void tableOf(P &full, int gu, const double **table)
{
	for (int g = 0; g <= Def::dim; g++) table[g] = (gu & (1 << g)) ? full.data() + Def::gradeOffset[g] : nullptr;
}

// The grade of coordinate k of a full array.
template <class Def> int gradeOf(int k)
{
	int g = 0;
	while (g < Def::dim && Def::gradeOffset[g + 1] <= k) g++;
	return g;
}

// The grades in which a full array has a coordinate other than 0.0.
template <class Def> int nonZeroGrades(const coords &full)
{
	int gu = 0;
	for (int g = 0; g <= Def::dim; g++)
		for (int i = 0; i < Def::gradeSize[g]; i++)
			if (full[Def::gradeOffset[g] + i] != 0.0) gu |= 1 << g;
	return gu;
}

// A value of class V with the grades of gu and the coordinates of full.
template <class V> V makeValue(const coords &full, int gu)
{
	typedef typename V::def Def;
	coords packed;
	for (int g = 0; g <= Def::dim; g++)
		if (gu & (1 << g))
			for (int i = 0; i < Def::gradeSize[g]; i++) packed.push_back(full[Def::gradeOffset[g] + i]);
	return V(gu, packed.data());
}

// The full coordinate array of a value, zeros on its absent grades.
template <class I> coords fullOf(const I &x)
{
	typedef typename I::def Def;
	const double *parts[Def::dim + 1];
	x.expand(parts);
	coords f(Def::nbCoor, 0.0);
	for (int g = 0; g <= Def::dim; g++)
		if (parts[g])
			for (int i = 0; i < Def::gradeSize[g]; i++) f[Def::gradeOffset[g] + i] = parts[g][i];
	return f;
}

// Full arrays equal within tol (tol 0: exactly); names the first differing coordinate.
template <class Def> ::testing::AssertionResult sameCoordinates(const double *got, const coords &expected, double tol)
{
	for (int k = 0; k < Def::nbCoor; k++) {
		bool ok = tol == 0.0 ? got[k] == expected[k] : std::fabs(got[k] - expected[k]) <= tol;
		if (!ok)
			return ::testing::AssertionFailure() << "coordinate " << k << " (" << Def::basisElementNames()[k]
			                                     << "): got " << got[k] << ", expected " << expected[k];
	}
	return ::testing::AssertionSuccess();
}

// A value equals the reference: its grade usage is gu, it stores exactly those
// grades, and its coordinates match within tol.
template <class I> ::testing::AssertionResult sameValue(const I &x, const coords &expected, int gu, double tol)
{
	typedef typename I::def Def;
	if (x.gradeUsage() != gu)
		return ::testing::AssertionFailure() << "grade usage " << x.gradeUsage() << ", expected " << gu;
	if (x.memUsage() != Def::mvSize[gu])
		return ::testing::AssertionFailure() << "stores " << x.memUsage() << " coordinates, expected "
		                                     << Def::mvSize[gu];
	coords got = fullOf(x);
	return sameCoordinates<Def>(got.data(), expected, tol);
}

// A product's result equals the reference: only the grades with a non-zero coordinate are stored.
template <class I> ::testing::AssertionResult sameProduct(const I &x, const coords &expected, double tol)
{
	return sameValue(x, expected, nonZeroGrades<typename I::def>(expected), tol);
}

// A full array from (blade name, coefficient) pairs.
template <class Def> coords bladeSum(std::initializer_list<std::pair<const char *, double>> terms)
{
	coords f(Def::nbCoor, 0.0);
	for (auto t : terms) {
		int k = 0;
		while (k < Def::nbCoor && std::string(Def::basisElementNames()[k]) != t.first) k++;
		if (k == Def::nbCoor) ADD_FAILURE() << "no blade named " << t.first;
		else f[k] += t.second;
	}
	return f;
}

// Two values agree in every coordinate within tol times the larger of 1 and
// their largest coordinate (tol 0: exactly); absent grades count as zeros.
template <class A, class B> ::testing::AssertionResult near(const A &a, const B &b, double tol = sc_tolerance)
{
	typedef typename A::def Def;
	double scale = std::max({1.0, a.largestCoordinate(), b.largestCoordinate()});
	coords fa = fullOf(a);
	return sameCoordinates<Def>(fa.data(), fullOf(b), tol * scale);
}

// Two values with the same usage word and bit for bit the same stored coordinates.
template <class A, class B> ::testing::AssertionResult identical(const A &a, const B &b)
{
	if (a.usage != b.usage) return ::testing::AssertionFailure() << "usage " << a.usage << " vs " << b.usage;
	for (int i = 0; i < a.memUsage(); i++)
		if (!(a.c[i] == b.c[i]))
			return ::testing::AssertionFailure() << "coordinate " << i << ": " << a.c[i] << " vs " << b.c[i];
	return ::testing::AssertionSuccess();
}

} // namespace ref
