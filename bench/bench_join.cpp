// Join, meet, factorization and classification of typical c3ga values, and
// the versor and general inverses of c3ga and i2ga.
#include <benchmark/benchmark.h>

#include <random>

#include "c3ga/c3ga.h"
#include "i2ga/i2ga.h"
#include "../tests/support/testvalues.h"

namespace {

using ref::randomBlade;
using ref::randomVector;
using ref::randomVersor;

// Two generic 2-blades join in a 4-blade: the search tries all ten basis
// bivectors, the costliest join short of the pseudoscalar.
void BM_c3gaJoin(benchmark::State &state)
{
	std::mt19937 rng(1);
	c3ga a = randomBlade<c3ga>(rng, 2), b = randomBlade<c3ga>(rng, 2), x;
	for (auto _ : state) {
		benchmark::DoNotOptimize(x.join(a, b, 1));
		benchmark::ClobberMemory();
	}
}
BENCHMARK(BM_c3gaJoin);

// Two dual spheres or planes (grade 4) meet in a circle (grade 3).
void BM_c3gaMeet(benchmark::State &state)
{
	std::mt19937 rng(2);
	c3ga a = randomBlade<c3ga>(rng, 4), b = randomBlade<c3ga>(rng, 4), x;
	for (auto _ : state) {
		benchmark::DoNotOptimize(x.meet(a, b, 1));
		benchmark::ClobberMemory();
	}
}
BENCHMARK(BM_c3gaMeet);

// Two 3-blades sharing a 2-blade: the join is a 4-blade found among five
// candidates, the meet the shared 2-blade.
void BM_c3gaMeetShared(benchmark::State &state)
{
	std::mt19937 rng(8);
	c3ga common = randomBlade<c3ga>(rng, 2);
	c3ga a = common ^ randomVector<c3ga>(rng), b = common ^ randomVector<c3ga>(rng), x;
	for (auto _ : state) {
		benchmark::DoNotOptimize(x.meet(a, b, 1));
		benchmark::ClobberMemory();
	}
}
BENCHMARK(BM_c3gaMeetShared);

void BM_c3gaFactor(benchmark::State &state)
{
	std::mt19937 rng(3);
	c3ga b = randomBlade<c3ga>(rng, 3);
	c3ga f[5];
	for (auto _ : state) {
		benchmark::DoNotOptimize(b.factor(f, 0));
		benchmark::ClobberMemory();
	}
}
BENCHMARK(BM_c3gaFactor);

void BM_c3gaMvTypeBlade(benchmark::State &state)
{
	std::mt19937 rng(4);
	c3ga b = randomBlade<c3ga>(rng, 3);
	int g;
	for (auto _ : state) benchmark::DoNotOptimize(b.mvType(&g, 1e-14));
}
BENCHMARK(BM_c3gaMvTypeBlade);

void BM_c3gaMvTypeVersor(benchmark::State &state)
{
	std::mt19937 rng(5);
	c3ga v = c3ga(1.0) + 0.5 * randomBlade<c3ga>(rng, 2);
	int g;
	for (auto _ : state) benchmark::DoNotOptimize(v.mvType(&g, 1e-14));
}
BENCHMARK(BM_c3gaMvTypeVersor);

template <class V> void BM_versorInverse(benchmark::State &state)
{
	std::mt19937 rng(6);
	V v = randomVersor<V>(rng, 4), x;
	for (auto _ : state) {
		benchmark::DoNotOptimize(x.versorInverse(v));
		benchmark::ClobberMemory();
	}
}
BENCHMARK_TEMPLATE(BM_versorInverse, c3ga);
BENCHMARK_TEMPLATE(BM_versorInverse, i2ga);

template <class V> void BM_generalInverse(benchmark::State &state)
{
	std::mt19937 rng(7);
	V a = ref::randomValue<V>(rng, V::def::gradeMask), x;
	for (auto _ : state) {
		benchmark::DoNotOptimize(x.generalInverse(a));
		benchmark::ClobberMemory();
	}
}
BENCHMARK_TEMPLATE(BM_generalInverse, c3ga);
BENCHMARK_TEMPLATE(BM_generalInverse, i2ga);

} // namespace
