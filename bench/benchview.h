#pragma once
// The program's state, user interface and OpenGL view for the benchmarks
// that draw whole frames: one shown window of the view's size, made once.
#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include "view/glwindow.h"
#include "state/state.h"
#include "ui/ui.h"

// The size of the view in the main window.
constexpr int c_benchViewWidth = 724, c_benchViewHeight = 445;

inline glwindow *benchView()
{
	static glwindow *s_view = nullptr;
	if (s_view != nullptr) return s_view;
	new state;
	gui_state = new UIstate;
	Fl_Window *window = new Fl_Window(c_benchViewWidth, c_benchViewHeight, "bench");
	s_view = new glwindow(0, 0, c_benchViewWidth, c_benchViewHeight, "OpenGL window");
	window->end();
	gui_state->m_glWindow = s_view;
	window->show();
	Fl::check();
	return s_view;
}
