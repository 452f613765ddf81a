// Whole frames of the OpenGL view at 724 x 445: a scene of e3ga vectors and
// one of bivectors drawn as circles, each frame finished by the driver.
// Run under a virtual X server (xvfb-run).
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "benchview.h"

namespace {

// n random values of one kind, spread over the view.
template <class MakeValue> void fillScene(int n, MakeValue make)
{
	g_state->removeAllObjects();
	std::mt19937 random(7);
	std::uniform_real_distribution<double> u(-1.0, 1.0);
	for (int i = 0; i < n; i++) {
		e3ga v(2, 3.0 * u(random), 2.0 * u(random), u(random));
		g_state->addE3gaObject(make(v), "x" + std::to_string(i), 0, 0, 0);
	}
}

void drawFrames(benchmark::State &st)
{
	glwindow *w = benchView();
	w->make_current();
	for (auto _ : st) {
		w->draw();
		glFinish();
	}
}

void BM_frameOfVectors(benchmark::State &st)
{
	benchView();
	fillScene((int)st.range(0), [](const e3ga &v) { return v; });
	drawFrames(st);
}
BENCHMARK(BM_frameOfVectors)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_frameOfCircleBivectors(benchmark::State &st)
{
	benchView();
	// the dual of a vector: a bivector in the plane orthogonal to it, drawn
	// by its default method, the circle
	fillScene((int)st.range(0), [](const e3ga &v) { return e3ga(v.dual()); });
	drawFrames(st);
}
BENCHMARK(BM_frameOfCircleBivectors)->Arg(200)->Unit(benchmark::kMillisecond);

} // namespace
