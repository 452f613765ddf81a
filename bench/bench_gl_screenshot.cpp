// A 2000 x 1500 screenshot of a 100-object scene from the 724 x 445 view: 12
// tiles rendered, read back and streamed to a PNG file.  Run under a virtual
// X server (xvfb-run).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "benchview.h"

namespace {

// 100 values spread over the view: vectors, bivectors drawn as discs and
// conformal points drawn as spheres.
void fillScene()
{
	g_state->removeAllObjects();
	std::mt19937 random(11);
	std::uniform_real_distribution<double> u(-1.0, 1.0);
	for (int i = 0; i < 100; i++) {
		const double x = 3.0 * u(random), y = 2.0 * u(random), z = u(random);
		const e3ga v(2, x, y, z);
		const std::string name = "x" + std::to_string(i);
		if (i % 3 == 0) g_state->addE3gaObject(v, name, 0, 0, 0);
		else if (i % 3 == 1) g_state->addE3gaObject(e3ga(gp(0.2, v.dual())), name, 0, 0, 0);
		else g_state->addC3gaObject(c3ga(2, x, y, z, 1.0, 0.5 * (x * x + y * y + z * z)), name, 0, 0, 0);
	}
}

void BM_screenshot2000x1500(benchmark::State &st)
{
	glwindow *w = benchView();
	fillScene();
	char dir[] = "/tmp/korimbel_bench_XXXXXX";
	const std::string file = std::string(mkdtemp(dir)) + "/shot.png";
	// the shot's progress lines would drown the results
	const int out = dup(1);
	for (auto _ : st) {
		std::fflush(stdout);
		const int null = open("/dev/null", O_WRONLY);
		dup2(null, 1);
		close(null);
		gui_state->setupScreenshot(file, 2000, 1500, false);
		w->make_current();
		const int result = w->performScreenShot();
		std::fflush(stdout);
		dup2(out, 1);
		if (result != 0) st.SkipWithError("the screenshot failed");
	}
	close(out);
	std::remove(file.c_str());
	rmdir(dir);
}
BENCHMARK(BM_screenshot2000x1500)->Unit(benchmark::kMillisecond);

} // namespace
