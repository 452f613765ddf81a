// Printing to the console widget in a shown window: a loop of short lines,
// as a console loop prints them, drawn once at the end.  Run under a virtual
// X server (xvfb-run).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include "console/fl_console.h"

namespace {

// Lines of one printing loop.
const int c_lines = 10000;

void BM_printLines(benchmark::State &state)
{
	if (!std::getenv("DISPLAY")) {
		state.SkipWithError("no X display (run under xvfb-run)");
		return;
	}
	Fl_Window window(640, 480, "console");
	Fl_Console *console = new Fl_Console(0, 0, 640, 480);
	window.end();
	window.show();
	Fl::focus(console);
	// A half-typed command travels down below every line.
	console->command("a = e1 ^");
	for (auto _ : state) {
		state.PauseTiming();
		console->clear();
		state.ResumeTiming();
		for (int i = 0; i < c_lines; i++)
			console->cprintf("i = %d.00\n", i);
		Fl::check();
	}
	state.SetItemsProcessed(state.iterations() * c_lines);
}
BENCHMARK(BM_printLines)->Unit(benchmark::kMillisecond);

} // namespace
