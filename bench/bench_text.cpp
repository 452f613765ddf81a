#include <benchmark/benchmark.h>

#include <string>

#include "c3ga/c3ga.h"
#include "e3ga/e3ga.h"
#include "i2ga/i2ga.h"
#include "p3ga/p3ga.h"

namespace {

// A value with every coordinate set to a number that needs all its digits.
template <class V> V fullValue()
{
	typedef typename V::def Def;
	double c[Def::nbCoor];
	for (int k = 0; k < Def::nbCoor; k++) c[k] = (k % 2 ? -1.0 : 1.0) * (0.123456789 + k) / 7.0;
	V v;
	v.set(Def::gradeMask, c);
	return v;
}

// The text form of a full value, as the scene files write it.
template <class V> void BM_string(benchmark::State &state)
{
	V v = fullValue<V>();
	size_t length = 0;
	for (auto _ : state) {
		const char *s = v.string("%2.20e");
		benchmark::DoNotOptimize(s);
		length = std::char_traits<char>::length(s);
	}
	state.counters["chars"] = (double)length;
}

// Reading that text back.
template <class V> void BM_parseString(benchmark::State &state)
{
	std::string text = fullValue<V>().string("%2.20e");
	V v;
	for (auto _ : state) {
		int r = v.parseString(text.c_str());
		benchmark::DoNotOptimize(r);
	}
}

} // namespace

BENCHMARK_TEMPLATE(BM_string, e3ga);
BENCHMARK_TEMPLATE(BM_string, p3ga);
BENCHMARK_TEMPLATE(BM_string, c3ga);
BENCHMARK_TEMPLATE(BM_string, i2ga);
BENCHMARK_TEMPLATE(BM_parseString, e3ga);
BENCHMARK_TEMPLATE(BM_parseString, p3ga);
BENCHMARK_TEMPLATE(BM_parseString, c3ga);
BENCHMARK_TEMPLATE(BM_parseString, i2ga);
