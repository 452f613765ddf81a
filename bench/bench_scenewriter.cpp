// Saving the scene: a scene of 1,000 objects of the four algebras, each
// value with many coordinates, saved as a scene file, and that file opened
// and read back in one tick.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "silenced.h"
#include "state/state.h"

namespace {

// Objects of the saved scene.
constexpr int sc_nbObjects = 1000;

// A value of that algebra with every coordinate set to digits a float
// does not hold.
template <class V> V fullValue(int i)
{
	typedef typename V::def Def;
	double c[Def::nbCoor];
	for (int k = 0; k < Def::nbCoor; k++) c[k] = (i + 1) / (3.0 + k);
	V v;
	v.set(Def::gradeMask, c);
	return v;
}

// The scene: objects of the four algebras in turn, a third of them hidden.
void buildScene(state &st)
{
	for (int i = 0; i < sc_nbObjects; i++) {
		const std::string name = "o" + std::to_string(i);
		const int dm = (i % 3 == 0 ? DM_HIDE : 0) | DM_STIPPLE;
		switch (i % 4) {
		case 0: st.addE3gaObject(fullValue<e3ga>(i), name, dm, 0, 0); break;
		case 1: st.addP3gaObject(fullValue<p3ga>(i), name, dm, 0, 0); break;
		case 2: st.addC3gaObject(fullValue<c3ga>(i), name, dm, 0, 0); break;
		default: st.addI2gaObject(fullValue<i2ga>(i), name, dm, 0, 0); break;
		}
	}
}

std::string tempName()
{
	char name[] = "/tmp/korimbel_bench_XXXXXX";
	close(mkstemp(name));
	return name;
}

void BM_save_1000_objects(benchmark::State &bs)
{
	silenced quiet;
	state st;
	buildScene(st);
	const std::string path = tempName();
	for (auto _ : bs)
		if (st.writeStateToGeoFile(path.c_str()) != 0) bs.SkipWithError("the scene was not saved");
	std::remove(path.c_str());
	bs.counters["objects/s"] = benchmark::Counter((double)sc_nbObjects * (double)bs.iterations(), benchmark::Counter::kIsRate);
}

void BM_open_1000_objects(benchmark::State &bs)
{
	silenced quiet;
	state st;
	buildScene(st);
	const std::string path = tempName();
	st.writeStateToGeoFile(path.c_str());
	for (auto _ : bs) {
		st.openGAfile(path.c_str(), 0, nullptr, -1);
		st.readScripts();
	}
	std::remove(path.c_str());
	if (st.m_objects.size() < (size_t)sc_nbObjects) bs.SkipWithError("the file made too few objects");
	bs.counters["objects/s"] = benchmark::Counter((double)sc_nbObjects * (double)bs.iterations(), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_save_1000_objects)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_open_1000_objects)->Unit(benchmark::kMillisecond);
