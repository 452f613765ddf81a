// Cost of the products: through the value classes (pointer tables, kernel,
// compress, ring slot) and the bare general kernels on pointer tables.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "c3ga/c3ga.h"
#include "e3ga/e3ga.h"
#include "i2ga/i2ga.h"
#include "p3ga/p3ga.h"

namespace {

// Operands cycled through, so that no product can be hoisted out of the loop.
constexpr int kOperands = 16;
// Offset between the left and the right operand's index in the cycle.
constexpr int kRightShift = 5;

// Random coordinates in [-1, 1] for every grade part of the bitmap.
template <class V> std::vector<V> operands(int bitmap)
{
	std::mt19937 rng(12345u + bitmap);
	std::uniform_real_distribution<double> u(-1.0, 1.0);
	std::vector<V> v;
	for (int k = 0; k < kOperands; k++) {
		double coordinates[V::nbCoor];
		for (double &x : coordinates) x = u(rng);
		v.emplace_back(bitmap, coordinates);
	}
	return v;
}

template <int P, class V> V &apply(const V &a, const V &b)
{
	if constexpr (P == ga::P_GP) return gp(a, b);
	else if constexpr (P == ga::P_OP) return op(a, b);
	else return lcont(a, b);
}

// bitmap 2: vectors; the algebra's full mask: every grade present.
template <class V, int P, bool Full> void valueProduct(benchmark::State &state)
{
	const std::vector<V> x = operands<V>(Full ? V::def::gradeMask : 2);
	unsigned i = 0;
	for (auto _ : state) {
		V &r = apply<P>(x[i % kOperands], x[(i + kRightShift) % kOperands]);
		benchmark::DoNotOptimize(r.usage);
		benchmark::DoNotOptimize(r.c[0]);
		i++;
	}
}

typedef void (*generalKernel)(const double **, const double **, double *);

// The kernel alone, on grade-part tables into full coordinate arrays.
template <class Def, generalKernel kernel, bool full> void rawKernel(benchmark::State &state)
{
	std::mt19937 rng(777u);
	std::uniform_real_distribution<double> u(-1.0, 1.0);
	std::vector<double> coordinates(kOperands * Def::nbCoor);
	for (double &c : coordinates) c = u(rng);
	std::vector<const double *> tables(kOperands * (Def::dim + 1), nullptr);
	for (int k = 0; k < kOperands; k++)
		for (int g = 0; g <= Def::dim; g++)
			if (full || g == 1)
				tables[k * (Def::dim + 1) + g] = coordinates.data() + k * Def::nbCoor + Def::gradeOffset[g];
	double cc[Def::nbCoor];
	unsigned i = 0;
	for (auto _ : state) {
		kernel(tables.data() + (i % kOperands) * (Def::dim + 1),
		       tables.data() + ((i + kRightShift) % kOperands) * (Def::dim + 1), cc);
		benchmark::DoNotOptimize(cc);
		benchmark::ClobberMemory();
		i++;
	}
}

using ga::P_GP;
using ga::P_LCONT;
using ga::P_OP;

BENCHMARK_TEMPLATE(valueProduct, e3ga, P_GP, false)->Name("e3ga/gp/vector");
BENCHMARK_TEMPLATE(valueProduct, e3ga, P_GP, true)->Name("e3ga/gp/full");
BENCHMARK_TEMPLATE(valueProduct, e3ga, P_OP, false)->Name("e3ga/op/vector");
BENCHMARK_TEMPLATE(valueProduct, e3ga, P_OP, true)->Name("e3ga/op/full");
BENCHMARK_TEMPLATE(valueProduct, e3ga, P_LCONT, false)->Name("e3ga/lcont/vector");
BENCHMARK_TEMPLATE(valueProduct, e3ga, P_LCONT, true)->Name("e3ga/lcont/full");

BENCHMARK_TEMPLATE(valueProduct, p3ga, P_GP, false)->Name("p3ga/gp/vector");
BENCHMARK_TEMPLATE(valueProduct, p3ga, P_GP, true)->Name("p3ga/gp/full");
BENCHMARK_TEMPLATE(valueProduct, p3ga, P_OP, false)->Name("p3ga/op/vector");
BENCHMARK_TEMPLATE(valueProduct, p3ga, P_OP, true)->Name("p3ga/op/full");
BENCHMARK_TEMPLATE(valueProduct, p3ga, P_LCONT, false)->Name("p3ga/lcont/vector");
BENCHMARK_TEMPLATE(valueProduct, p3ga, P_LCONT, true)->Name("p3ga/lcont/full");

BENCHMARK_TEMPLATE(valueProduct, c3ga, P_GP, false)->Name("c3ga/gp/vector");
BENCHMARK_TEMPLATE(valueProduct, c3ga, P_GP, true)->Name("c3ga/gp/full");
BENCHMARK_TEMPLATE(valueProduct, c3ga, P_OP, false)->Name("c3ga/op/vector");
BENCHMARK_TEMPLATE(valueProduct, c3ga, P_OP, true)->Name("c3ga/op/full");
BENCHMARK_TEMPLATE(valueProduct, c3ga, P_LCONT, false)->Name("c3ga/lcont/vector");
BENCHMARK_TEMPLATE(valueProduct, c3ga, P_LCONT, true)->Name("c3ga/lcont/full");

BENCHMARK_TEMPLATE(valueProduct, i2ga, P_GP, false)->Name("i2ga/gp/vector");
BENCHMARK_TEMPLATE(valueProduct, i2ga, P_GP, true)->Name("i2ga/gp/full");

BENCHMARK_TEMPLATE(rawKernel, ga::e3gaDef, e3gai_general_gp, false)->Name("e3ga/general_gp/vector");
BENCHMARK_TEMPLATE(rawKernel, ga::e3gaDef, e3gai_general_gp, true)->Name("e3ga/general_gp/full");
BENCHMARK_TEMPLATE(rawKernel, ga::p3gaDef, p3gai_general_gp, false)->Name("p3ga/general_gp/vector");
BENCHMARK_TEMPLATE(rawKernel, ga::p3gaDef, p3gai_general_gp, true)->Name("p3ga/general_gp/full");
BENCHMARK_TEMPLATE(rawKernel, ga::c3gaDef, c3gai_general_gp, false)->Name("c3ga/general_gp/vector");
BENCHMARK_TEMPLATE(rawKernel, ga::c3gaDef, c3gai_general_gp, true)->Name("c3ga/general_gp/full");
BENCHMARK_TEMPLATE(rawKernel, ga::i2gaDef, i2gai_general_gp, false)->Name("i2ga/general_gp/vector");
BENCHMARK_TEMPLATE(rawKernel, ga::i2gaDef, i2gai_general_gp, true)->Name("i2ga/general_gp/full");

} // namespace
