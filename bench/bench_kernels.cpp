#include <benchmark/benchmark.h>
#include "e3ga/e3ga.h"
static void BM_e3ga_gp(benchmark::State &s) { e3ga a = e3gai::e1, b = e3gai::e2; for (auto _ : s) benchmark::DoNotOptimize(a * b); }
BENCHMARK(BM_e3ga_gp);
