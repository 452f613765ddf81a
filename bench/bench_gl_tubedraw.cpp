// The tube renderer's end on a circle outline (65 points, a loop of 8-sided
// tube), drawn into OpenGL and computed alone, and the geodesic spheres.
// Run under a virtual X server (xvfb-run).
#include <benchmark/benchmark.h>

#include <cmath>

#include "draw/geosphere.h"
#include "support/glcontext.h"
#include "draw/tubedraw.h"

namespace {

glTestContext &context()
{
	static glTestContext *s_context = new glTestContext(724, 445);
	return *s_context;
}

// The circle outline of a bivector glyph: 65 points from angle 0 to 2 pi.
void circleLoop(TubeDraw &tube)
{
	tube.setNbSegments(8);
	tube.begin(GL_LINE_LOOP);
	for (int k = 0; k <= 64; k++) tube.vertex2d(std::cos(k * M_PI / 32), std::sin(k * M_PI / 32));
}

void BM_tubeLoopEnd(benchmark::State &state)
{
	if (!context().ok()) {
		state.SkipWithError("no OpenGL context (run under xvfb-run)");
		return;
	}
	TubeDraw tube;
	circleLoop(tube);
	int n = 0;
	for (auto _ : state) {
		tube.end();
		// with a period, let the driver draw that often, as frames would
		if (state.range(0) > 0 && ++n % state.range(0) == 0) glFinish();
	}
	glFinish();
}
BENCHMARK(BM_tubeLoopEnd)->Arg(0)->Arg(100)->Unit(benchmark::kMicrosecond);

// The geometry alone: the primitives go to a sink that keeps the last
// vertex and normal, as OpenGL's current values.
class lastSink : public tubeSink {
public:
	double last[2][3];
	void beginPrimitive(int) override {}
	void normal(const double *n) override { keep(last[0], n); }
	void vertex(const double *v) override { keep(last[1], v); }
	static void keep(double *to, const double *from)
	{
		for (int i = 0; i < 3; i++) to[i] = from[i];
	}
	void endPrimitive() override {}
};

void BM_tubeLoopGeometry(benchmark::State &state)
{
	TubeDraw tube;
	circleLoop(tube);
	lastSink sink;
	for (auto _ : state) {
		tube.end(sink);
		benchmark::DoNotOptimize(sink.last);
	}
}
BENCHMARK(BM_tubeLoopGeometry)->Unit(benchmark::kMicrosecond);

void BM_gsCompute(benchmark::State &state)
{
	for (auto _ : state) {
		geosphere_s *gs = nullptr;
		gsCompute(&gs, (int)state.range(0));
		gsFree(&gs);
	}
}
BENCHMARK(BM_gsCompute)->Arg(2)->Arg(3)->Arg(5)->Unit(benchmark::kMicrosecond);

} // namespace
