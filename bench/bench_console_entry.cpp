// Console commands end to end: a short assignment typed as a command
// (parse, execute, display rules, dynamic-statement update) in e3ga and in
// c3ga; a loop run inside one command; and the call of a recursive user
// function.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "console/console.h"
#include "state/state.h"

namespace {

// Runs the setup commands, then cmd once per benchmark iteration.
void commands(benchmark::State &bs, const char *setup, const char *cmd)
{
	state st;
	g_consoleCommandCallback(setup, &st);
	for (auto _ : bs) g_consoleCommandCallback(cmd, &st);
	bs.counters["commands/s"] = benchmark::Counter((double)bs.iterations(), benchmark::Counter::kIsRate);
}

void BM_command_e3ga(benchmark::State &bs) { commands(bs, "x = 0;", "x = x + e1;"); }
void BM_command_c3ga(benchmark::State &bs) { commands(bs, "default_model(c3ga); x = no;", "x = x + e1;"); }

// 100000 passes of a loop of one assignment, in one command; the counter
// gives the passes (each a test, a body and a step) per second
void BM_loop_100000(benchmark::State &bs)
{
	state st;
	g_consoleCommandCallback("x = 0;", &st);
	for (auto _ : bs) g_consoleCommandCallback("for (i = 0; i < 100000; i = i + 1) { x = x + e1; }", &st);
	bs.counters["passes/s"] = benchmark::Counter(100000.0 * (double)bs.iterations(), benchmark::Counter::kIsRate);
}

// 10000 calls of factorial(10) in one command; the counter gives the time per call
void BM_factorial10_calls(benchmark::State &bs)
{
	state st;
	g_consoleCommandCallback("function factorial(n) { if (n <= 1) return 1; return n * factorial(n - 1); }", &st);
	for (auto _ : bs) g_consoleCommandCallback("for (k = 0; k < 10000; k = k + 1) { f = factorial(10); }", &st);
	bs.counters["s/call"] = benchmark::Counter(10000.0 * (double)bs.iterations(),
	                                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(BM_command_e3ga);
BENCHMARK(BM_command_c3ga);
BENCHMARK(BM_loop_100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_factorial10_calls)->Unit(benchmark::kMillisecond);
