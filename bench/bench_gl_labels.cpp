// Frames of the OpenGL view at 724 x 445 full of labels: 100 verbatim labels
// of 20 characters at world positions, each frame finished by the driver.
// Run under a virtual X server (xvfb-run).
#include <benchmark/benchmark.h>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <random>
#include <string>

#include "glwindow.h"
#include "labelflags.h"
#include "state/state.h"
#include "ui.h"

namespace {

const int c_width = 724, c_height = 445;

glwindow *view()
{
	static glwindow *s_view = nullptr;
	if (s_view != nullptr) return s_view;
	new state;
	gui_state = new UIstate;
	Fl_Window *window = new Fl_Window(c_width, c_height, "bench");
	s_view = new glwindow(0, 0, c_width, c_height, "OpenGL window");
	window->end();
	gui_state->m_glWindow = s_view;
	window->show();
	Fl::check();
	return s_view;
}

void BM_frameOfVerbatimLabels(benchmark::State &st)
{
	glwindow *w = view();
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
