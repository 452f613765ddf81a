#pragma once
// Random values of any algebra for the tests and benchmarks: coordinates,
// values of given grades, vectors, blades and versors, all drawn from a
// seeded generator so that every run sees the same numbers.
#include <random>

namespace ref {

// Random coordinates in [-1, 1].
inline double randomCoordinate(std::mt19937 &rng)
{
	return std::uniform_real_distribution<double>(-1.0, 1.0)(rng);
}

// A value with the grades of gu, every stored coordinate random.
template <class V> V randomValue(std::mt19937 &rng, int gu)
{
	double c[V::nbCoor];
	for (int i = 0; i < V::def::mvSize[gu]; i++) c[i] = randomCoordinate(rng);
	return V(gu, c);
}

template <class V> V randomVector(std::mt19937 &rng)
{
	return randomValue<V>(rng, 2);
}

// The outer product of `grade` random vectors, which are kept in factors if given.
template <class V> V randomBlade(std::mt19937 &rng, int grade, V *factors = nullptr)
{
	V b = 1.0;
	for (int i = 0; i < grade; i++) {
		V v = randomVector<V>(rng);
		if (factors) factors[i] = v;
		b ^= v;
	}
	return b;
}

// The geometric product of n random vectors; with euclidean, the product
// under the metric in which values are classified.
template <class V> V randomVersor(std::mt19937 &rng, int n, bool euclidean = false)
{
	V r = 1.0;
	for (int i = 0; i < n; i++) r = euclidean ? gpem(r, randomVector<V>(rng)) : gp(r, randomVector<V>(rng));
	return r;
}

} // namespace ref
