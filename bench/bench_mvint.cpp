// Interpreting one value, as a scene object does whenever its value changes.
#include <benchmark/benchmark.h>

#include <cmath>

#include "c3ga/c3ga.h"
#include "e3ga/e3ga.h"
#include "i2ga/i2ga.h"
#include "scene/mvint.h"
#include "p3ga/p3ga.h"

template <class V> static void interpretLoop(benchmark::State &state, const V &x, int flags)
{
	mvInt I;
	for (auto _ : state) {
		I.interpret(x, flags);
		benchmark::DoNotOptimize(I.m_scalar);
	}
}

static void BM_e3gaVector(benchmark::State &state) { interpretLoop(state, e3ga(2, 1.0, 2.0, 3.0), 0); }
BENCHMARK(BM_e3gaVector);

static void BM_e3gaBivector(benchmark::State &state)
{
	interpretLoop(state, e3ga(op(e3gai::e1, add(e3gai::e2, e3gai::e3))), 0);
}
BENCHMARK(BM_e3gaBivector);

static void BM_e3gaRotor(benchmark::State &state)
{
	interpretLoop(state, e3ga(add(std::cos(0.4), gp(std::sin(0.4), op(e3gai::e1, e3gai::e2)))), 0);
}
BENCHMARK(BM_e3gaRotor);

static void BM_p3gaLine(benchmark::State &state)
{
	interpretLoop(state, p3ga(op(p3ga(2, 1.0, 0.0, 0.0, 1.0), p3ga(2, 0.0, 1.0, 2.0, 1.0))), 0);
}
BENCHMARK(BM_p3gaLine);

static void BM_p3gaPlane(benchmark::State &state)
{
	p3ga P(2, 1.0, 0.0, 0.0, 1.0), Q(2, 0.0, 1.0, 2.0, 1.0), R(2, 0.0, 0.0, 3.0, 1.0);
	interpretLoop(state, p3ga(op(op(P, Q), R)), 0);
}
BENCHMARK(BM_p3gaPlane);

static c3ga conformalPoint(double x, double y, double z)
{
	return c3ga(2, x, y, z, 1.0, 0.5 * (x * x + y * y + z * z));
}

static void BM_c3gaPoint(benchmark::State &state) { interpretLoop(state, conformalPoint(1, 2, 3), 0); }
BENCHMARK(BM_c3gaPoint);

static void BM_c3gaLine(benchmark::State &state)
{
	interpretLoop(state, c3ga(op(op(conformalPoint(1, 0, 0), conformalPoint(0, 1, 2)), c3ga(c3gai::ni))), 0);
}
BENCHMARK(BM_c3gaLine);

static void BM_c3gaCircle(benchmark::State &state)
{
	c3ga a = conformalPoint(1, 0, 0), b = conformalPoint(0, 1, 0), c = conformalPoint(0, 0, 1);
	interpretLoop(state, c3ga(op(op(a, b), c)), 0);
}
BENCHMARK(BM_c3gaCircle);

static void BM_c3gaDualSphere(benchmark::State &state)
{
	interpretLoop(state, c3ga(sub(conformalPoint(1, 2, 3), gp(2.0, c3gai::ni))), 0);
}
BENCHMARK(BM_c3gaDualSphere);

static void BM_i2ga(benchmark::State &state) { interpretLoop(state, i2ga(i2gai::no), 0); }
BENCHMARK(BM_i2ga);
