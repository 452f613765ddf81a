// Frames of the OpenGL view at 724 x 445 full of labels: 100 verbatim labels
// of 20 characters at world positions, each frame finished by the driver.
// Run under a virtual X server (xvfb-run).
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "benchview.h"
#include "scene/labelflags.h"

namespace {

void BM_frameOfVerbatimLabels(benchmark::State &st)
{
	glwindow *w = benchView();
	w->make_current();
	g_state->removeAllObjects();
	std::mt19937 random(11);
	std::uniform_real_distribution<double> u(-1.0, 1.0);
	for (int i = 0; i < st.range(0); i++) {
		// 20 characters: the name and its number, padded with letters
		std::string text = "label number " + std::to_string(i);
		text.resize(20, 'x');
		g_state->addTextObject(text.c_str(), e3ga(2, 3.0 * u(random), 2.0 * u(random), u(random)),
		                       "l" + std::to_string(i), LF_3D, -1);
	}
	for (auto _ : st) {
		w->draw();
		glFinish();
	}
}
BENCHMARK(BM_frameOfVerbatimLabels)->Arg(100)->Unit(benchmark::kMillisecond);

} // namespace
