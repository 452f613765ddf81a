// The exponential of a bivector, and outer morphisms built from a rotor.
#include <benchmark/benchmark.h>

#include "c3ga/c3ga.h"
#include "e3ga/e3ga.h"

// Terms of the exponential's series, as the viewer's rotation code uses.
constexpr int kExpOrder = 12;

static void BM_e3gaExpBivector(benchmark::State &state)
{
	e3ga b = 0.3 * (e3gai::e1 ^ e3gai::e2) + 0.8 * (e3gai::e2 ^ e3gai::e3);
	for (auto _ : state) {
		e3ga &r = b.exp(kExpOrder);
		benchmark::DoNotOptimize(r.c);
	}
}
BENCHMARK(BM_e3gaExpBivector);

static void BM_c3gaExpBivector(benchmark::State &state)
{
	c3ga b = 0.3 * (c3gai::e1 ^ c3gai::e2) + 0.8 * (c3gai::e2 ^ c3gai::e3);
	for (auto _ : state) {
		c3ga &r = b.exp(kExpOrder);
		benchmark::DoNotOptimize(r.c);
	}
}
BENCHMARK(BM_c3gaExpBivector);

static void BM_e3gaOmFromRotor(benchmark::State &state)
{
	e3ga r = (0.6 * (e3gai::e1 ^ e3gai::e2)).exp(kExpOrder);
	for (auto _ : state) {
		e3ga_om m(r);
		benchmark::DoNotOptimize(m.c);
	}
}
BENCHMARK(BM_e3gaOmFromRotor);

static void BM_e3gaOmApplyVector(benchmark::State &state)
{
	e3ga_om m((0.6 * (e3gai::e1 ^ e3gai::e2)).exp(kExpOrder));
	e3ga v(2, 1.0, 2.0, 3.0), y;
	for (auto _ : state) {
		y.om(v, m);
		benchmark::DoNotOptimize(y.c);
	}
}
BENCHMARK(BM_e3gaOmApplyVector);

static void BM_e3gaOmApplyFull(benchmark::State &state)
{
	e3ga_om m((0.6 * (e3gai::e1 ^ e3gai::e2)).exp(kExpOrder));
	const double c[] = {1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0};
	e3ga x(15, c);
	for (auto _ : state) {
		e3ga &y = om(m, x);
		benchmark::DoNotOptimize(y.c);
	}
}
BENCHMARK(BM_e3gaOmApplyFull);
