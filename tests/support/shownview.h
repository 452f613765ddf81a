#pragma once
// A fixture for tests that draw through the program's OpenGL view: a state,
// a user interface without its main window, and a shown window holding the
// view of W x H pixels at its top, whose context is current, and
// BelowHeight pixels under it for widgets a test adds.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <GL/gl.h>

#include <vector>

#include "view/glwindow.h"
#include "state/state.h"
#include "ui/ui.h"

template <int W, int H, int BelowHeight = 0> class shownView : public testing::Test {
protected:
	state *m_state = nullptr;
	Fl_Window *m_window = nullptr;
	glwindow *m_view = nullptr;

	void SetUp() override
	{
		m_state = new state;
		gui_state = new UIstate;
		m_window = new Fl_Window(W, H + BelowHeight, "view");
		m_view = new glwindow(0, 0, W, H, "OpenGL window");
		addBelowView();
		m_window->end();
		gui_state->m_glWindow = m_view;
		m_window->show();
		Fl::check();
		m_view->make_current();
	}
	void TearDown() override
	{
		delete m_window;
		delete gui_state;
		delete m_state;
	}
	// Adds the widgets that go under the view, with the user interface
	// made; the window takes them.
	virtual void addBelowView() {}

	// One frame as the toolkit draws it: after it nothing waits for a redraw.
	void drawFrame()
	{
		m_view->make_current();
		m_view->draw();
		glFinish();
		m_view->clear_damage();
	}
	// One mouse event as the window system delivers it; x, y in the window
	// (origin top left).
	int send(int event, int x, int y, int eventState)
	{
		Fl::e_x = Fl::e_x_root = x;
		Fl::e_y = Fl::e_y_root = y;
		Fl::e_state = eventState;
		return Fl::handle(event, m_window);
	}
	// The RGB pixels of the back buffer, rows from the bottom.
	std::vector<unsigned char> pixels() const
	{
		std::vector<unsigned char> rgb((size_t)W * H * 3);
		glReadBuffer(GL_BACK);
		glPixelStorei(GL_PACK_ALIGNMENT, 1);
		glReadPixels(0, 0, W, H, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
		return rgb;
	}
};
