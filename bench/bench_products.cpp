// Cost of the products: through the value classes (dispatch, kernel, dropping
// of zero grade parts, ring slot) on the common pairs of grade usages and on
// a few that take the general path, and the bare general kernels on pointer
// tables.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
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
template <class V> std::vector<V> operands(int bitmap, unsigned seed)
{
	std::mt19937 rng(12345u + 131u * seed + bitmap);
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
	else if constexpr (P == ga::P_LCONT) return lcont(a, b);
	else return a % b;
}

template <class V, int P> void valueProduct(benchmark::State &state, int usageA, int usageB)
{
	const std::vector<V> x = operands<V>(usageA, 0), y = operands<V>(usageB, 1);
	unsigned i = 0;
	for (auto _ : state) {
		V &r = apply<P>(x[i % kOperands], y[(i + kRightShift) % kOperands]);
		benchmark::DoNotOptimize(r.usage);
		benchmark::DoNotOptimize(r.c[0]);
		i++;
	}
}

// Operand kinds by grade usage; -1 stands for every grade of the algebra.
struct operandKind {
	const char *name;
	int usage;
};
const operandKind kVector{"vector", 2}, kBivector{"bivector", 4}, kEven{"rotor", 5}, kTrivector{"trivector", 8},
    kFull{"full", -1}, kScalarVector{"scalar+vector", 3}, kVectorBivector{"vector+bivector", 6};

// The pairs with kernels of their own, then some that take the general path.
const std::pair<operandKind, operandKind> kPairs[] = {
    {kVector, kVector},   {kVector, kBivector},    {kBivector, kVector},      {kBivector, kBivector},
    {kEven, kVector},     {kVector, kEven},        {kEven, kEven},            {kFull, kFull},
    {kVector, kTrivector}, {kTrivector, kTrivector}, {kScalarVector, kVectorBivector}, {kFull, kVector}};

template <class V> void registerValueProducts()
{
	typedef void (*runner)(benchmark::State &, int, int);
	const std::pair<const char *, runner> products[] = {{"gp", valueProduct<V, ga::P_GP>},
	                                                     {"op", valueProduct<V, ga::P_OP>},
	                                                     {"lcont", valueProduct<V, ga::P_LCONT>},
	                                                     {"scp", valueProduct<V, ga::P_SCP>}};
	for (const auto &p : products) {
		for (const auto &pair : kPairs) {
			int ua = pair.first.usage < 0 ? V::def::gradeMask : pair.first.usage;
			int ub = pair.second.usage < 0 ? V::def::gradeMask : pair.second.usage;
			std::string name = std::string(V::def::name) + "/" + p.first + "/" + pair.first.name + "*" + pair.second.name;
			benchmark::RegisterBenchmark(name.c_str(), p.second, ua, ub);
		}
	}
}

const int registered = (registerValueProducts<e3ga>(), registerValueProducts<p3ga>(), registerValueProducts<c3ga>(),
                        registerValueProducts<i2ga>(), 0);

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

BENCHMARK_TEMPLATE(rawKernel, ga::e3gaDef, e3gai_general_gp, false)->Name("e3ga/general_gp/vector");
BENCHMARK_TEMPLATE(rawKernel, ga::e3gaDef, e3gai_general_gp, true)->Name("e3ga/general_gp/full");
BENCHMARK_TEMPLATE(rawKernel, ga::p3gaDef, p3gai_general_gp, false)->Name("p3ga/general_gp/vector");
BENCHMARK_TEMPLATE(rawKernel, ga::p3gaDef, p3gai_general_gp, true)->Name("p3ga/general_gp/full");
BENCHMARK_TEMPLATE(rawKernel, ga::c3gaDef, c3gai_general_gp, false)->Name("c3ga/general_gp/vector");
BENCHMARK_TEMPLATE(rawKernel, ga::c3gaDef, c3gai_general_gp, true)->Name("c3ga/general_gp/full");
BENCHMARK_TEMPLATE(rawKernel, ga::i2gaDef, i2gai_general_gp, false)->Name("i2ga/general_gp/vector");
BENCHMARK_TEMPLATE(rawKernel, ga::i2gaDef, i2gai_general_gp, true)->Name("i2ga/general_gp/full");

} // namespace
