// The OpenGL view at 724 x 445 with 1,000 c3ga points spread over it: a
// whole frame, and a pick at the view's centre (the selection pass and the
// render that measures the grab depth).  Run under a virtual X server
// (xvfb-run).
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "benchview.h"

namespace {

// n conformal points of weight 1 over the view, one of them at the origin
// under the view's centre.
void fillPoints(int n)
{
	g_state->removeAllObjects();
	std::mt19937 random(7);
	std::uniform_real_distribution<double> u(-1.0, 1.0);
	for (int i = 0; i < n; i++) {
		double x = 3.0 * u(random), y = 2.0 * u(random), z = u(random);
		if (i == 0) x = y = z = 0.0;
		c3ga p(2, x, y, z, 1.0, 0.5 * (x * x + y * y + z * z));
		g_state->addC3gaObject(p, "p" + std::to_string(i), 0, 0, 0);
	}
}

void BM_frameOfC3gaPoints(benchmark::State &st)
{
	glwindow *w = benchView();
	fillPoints((int)st.range(0));
	w->make_current();
	for (auto _ : st) {
		w->draw();
		glFinish();
	}
}
BENCHMARK(BM_frameOfC3gaPoints)->Arg(1000)->Unit(benchmark::kMillisecond);

void BM_pickAmongC3gaPoints(benchmark::State &st)
{
	glwindow *w = benchView();
	fillPoints((int)st.range(0));
	for (auto _ : st) {
		object *o = w->pick(c_benchViewWidth / 2, c_benchViewHeight / 2, 0, 1);
		glFinish();
		benchmark::DoNotOptimize(o);
		if (o == nullptr) st.SkipWithError("nothing picked at the centre");
		// every pick is a first one at its spot
		w->clearRecentPicks();
	}
}
BENCHMARK(BM_pickAmongC3gaPoints)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
