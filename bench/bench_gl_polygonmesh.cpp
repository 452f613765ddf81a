// Meshes and polygons drawn: a mesh of 10,000 triangles at its first draw
// after a change (normals computed, display list recorded) and at later
// draws (the list called), and whole frames of the OpenGL view at 724 x 445
// holding 1,000 filled six-vertex polygons, static or dynamic.  Run under a virtual X server
// (xvfb-run).
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>

#include "benchview.h"
#include "scene/meshobject.h"
#include "scene/polygonobject.h"

namespace {

// A wavy sheet of rows x columns quads, each split into two triangles,
// in the state as "sheet".
meshObject *sheet(int rows, int columns, int flags)
{
	meshObject *m = new meshObject("sheet", 0, flags);
	for (int i = 0; i <= rows; i++)
		for (int j = 0; j <= columns; j++) {
			const double x = 6.0 * j / columns - 3.0, y = 4.0 * i / rows - 2.0;
			const double p[3] = {x, y, 0.3 * std::sin(2.0 * x) * std::cos(3.0 * y)};
			m->setVertexPos(i * (columns + 1) + j, p);
		}
	for (int i = 0; i < rows; i++)
		for (int j = 0; j < columns; j++) {
			const int a = i * (columns + 1) + j, b = a + 1, c = a + columns + 1, d = c + 1;
			const int t1[3] = {a, b, d}, t2[3] = {a, d, c};
			m->addFace(3, t1);
			m->addFace(3, t2);
		}
	g_state->removeAllObjects();
	g_state->addObject(m, -1);
	return m;
}

// 10,000 triangles: 50 x 100 quads.
const int c_sheetRows = 50, c_sheetColumns = 100;

void BM_meshFirstDraw(benchmark::State &st)
{
	glwindow *w = benchView();
	w->make_current();
	meshObject *m = sheet(c_sheetRows, c_sheetColumns, (int)st.range(0));
	for (auto _ : st) {
		m->meshChanged();
		m->draw(w);
		glFinish();
	}
	st.counters["triangles"] = m->m_nbFaces;
}
BENCHMARK(BM_meshFirstDraw)
    ->Arg(OC_COMPUTE_NORMALS_FLAT)
    ->Arg(OC_COMPUTE_NORMALS_GOURAUD)
    ->Unit(benchmark::kMillisecond);

void BM_meshLaterDraw(benchmark::State &st)
{
	glwindow *w = benchView();
	w->make_current();
	meshObject *m = sheet(c_sheetRows, c_sheetColumns, (int)st.range(0));
	m->draw(w);
	for (auto _ : st) {
		m->draw(w);
		glFinish();
	}
}
BENCHMARK(BM_meshLaterDraw)
    ->Arg(OC_COMPUTE_NORMALS_FLAT)
    ->Arg(OC_COMPUTE_NORMALS_GOURAUD)
    ->Unit(benchmark::kMillisecond);

void BM_frameOfPolygons(benchmark::State &st)
{
	glwindow *w = benchView();
	g_state->removeAllObjects();
	std::mt19937 random(7);
	std::uniform_real_distribution<double> u(-1.0, 1.0);
	const int n = (int)st.range(0);
	// six points round a random centre for each polygon
	for (int i = 0; i < n; i++) {
		const double cx = 3.0 * u(random), cy = 2.0 * u(random), cz = u(random);
		polygonObject *p = new polygonObject("p" + std::to_string(i), 0, (int)st.range(1));
		for (int k = 0; k < 6; k++) {
			const std::string name = "v" + std::to_string(i) + "_" + std::to_string(k);
			const double a = k * M_PI / 3.0;
			g_state->addE3gaObject(e3ga(2, cx + 0.2 * std::cos(a), cy + 0.2 * std::sin(a), cz), name, DM_HIDE, 0, 0);
			p->addVertex(name.c_str());
		}
		g_state->addObject(p, -1);
	}
	w->make_current();
	for (auto _ : st) {
		w->draw();
		glFinish();
	}
}
// static polygons, and dynamic ones that look their points up at every draw
BENCHMARK(BM_frameOfPolygons)->Args({1000, 0})->Args({1000, OC_DYNAMIC})->Unit(benchmark::kMillisecond);

} // namespace
