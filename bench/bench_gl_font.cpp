// Building the texture font: decoding the atlas, making its alpha texture
// and mipmaps.  Run under a virtual X server (xvfb-run).
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "support/glcontext.h"
#include "typeset/openglfont.h"

namespace {

// One context for the whole run: cached fonts keep their textures.
glTestContext &context()
{
	static glTestContext *s_context = new glTestContext(64, 64);
	return *s_context;
}

// The first build of the process, timed apart because it also wakes the
// OpenGL driver; reported with every run of the benchmarks below.
double firstBuildMilliseconds()
{
	static double s_ms = [] {
		auto start = std::chrono::steady_clock::now();
		if (oglffont("verdana256x256") != 1) return -1.0;
		glFinish();
		return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
	}();
	return s_ms;
}

// Each build needs a name not yet cached; fonts are never unloaded, so the
// number of builds is kept small.
void BM_buildFont(benchmark::State &state)
{
	if (!context().ok() || firstBuildMilliseconds() < 0) {
		state.SkipWithError("no OpenGL context (run under xvfb-run)");
		return;
	}
	static int s_names = 0;
	for (auto _ : state) {
		std::string name = "bench" + std::to_string(s_names++);
		if (oglffont(name.c_str()) != 1) state.SkipWithError("the font could not be built");
		glFinish();
	}
	state.counters["first_ms"] = firstBuildMilliseconds();
}
BENCHMARK(BM_buildFont)->Iterations(10)->Unit(benchmark::kMillisecond);

// The common case of every frame: the current font asked for by name.
void BM_currentFont(benchmark::State &state)
{
	if (!context().ok() || oglffont("verdana256x256") != 1) {
		state.SkipWithError("no OpenGL context (run under xvfb-run)");
		return;
	}
	for (auto _ : state) benchmark::DoNotOptimize(oglffont("verdana256x256"));
}
BENCHMARK(BM_currentFont);

} // namespace
