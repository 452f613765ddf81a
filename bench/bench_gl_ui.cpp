// The program's user interface in a shown main window under a virtual X
// server (xvfb-run): from creating the state to the view's first frame, one
// tick of the timer with a scene and nothing to do, and a console loop that
// prints line after line into the console.
#include <benchmark/benchmark.h>

#include <FL/Fl.H>

#include <cstdlib>
#include <string>

#include "console/fl_console.h"
#include "e3ga/e3ga.h"
#include "view/glwindow.h"
#include "state/state.h"
#include "ui/ui.h"

namespace {

// Objects in the idle scene: a modest session's worth.
const int c_idleObjects = 50;
// A loop of the console language printing this many lines.
const int c_printedLines = 10000;
const char *const c_printLoop = "for (i = 0; i < 10000; i = i + 1) { print(i); }";

char s_programName[] = "korimbel";
char *s_argv[] = {s_programName, nullptr};

bool haveDisplay(benchmark::State &st)
{
	if (std::getenv("DISPLAY")) return true;
	st.SkipWithError("no X display (run under xvfb-run)");
	return false;
}

void BM_startToFirstFrame(benchmark::State &st)
{
	if (!haveDisplay(st)) return;
	for (auto _ : st) {
		new state();
		g_state->m_nbNetServers = 0;
		gui_state = new UIstate(1, s_argv);
		// the view is valid once it has drawn its first frame
		while (!gui_state->m_glWindow->valid()) Fl::wait(0.001);
		st.PauseTiming();
		delete gui_state;
		delete g_state;
		Fl::check();
		st.ResumeTiming();
	}
}
BENCHMARK(BM_startToFirstFrame)->Unit(benchmark::kMillisecond);

void BM_idleTick(benchmark::State &st)
{
	if (!haveDisplay(st)) return;
	new state();
	// as started without the network option: the tick polls no port
	g_state->m_nbNetServers = 0;
	gui_state = new UIstate(1, s_argv);
	for (int i = 0; i < c_idleObjects; i++)
		g_state->addE3gaObject(e3ga(e3gai::e1) * double(i + 1), "v" + std::to_string(i), 0, 0, 0);
	Fl::check();
	for (auto _ : st) gui_state->timerCallback();
	delete gui_state;
	delete g_state;
}
BENCHMARK(BM_idleTick)->Unit(benchmark::kMicrosecond);

// Typed and entered as the user would, then drawn once.
void BM_consoleLoopPrints(benchmark::State &st)
{
	if (!haveDisplay(st)) return;
	new state();
	g_state->m_nbNetServers = 0;
	gui_state = new UIstate(1, s_argv);
	Fl_Console *console = gui_state->m_console;
	for (auto _ : st) {
		st.PauseTiming();
		console->clear();
		Fl::check();
		st.ResumeTiming();
		console->command(c_printLoop);
		Fl_Console::kf_Enter(FL_Enter, console);
		Fl::check();
	}
	st.SetItemsProcessed(st.iterations() * c_printedLines);
	delete gui_state;
	delete g_state;
}
BENCHMARK(BM_consoleLoopPrints)->Unit(benchmark::kMillisecond);

} // namespace
