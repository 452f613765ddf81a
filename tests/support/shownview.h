#pragma once
// A fixture for tests that draw through the program's OpenGL view: a state,
// a user interface without its main window, and a shown window of W x H
// pixels holding only the view, whose context is current.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <GL/gl.h>

#include <vector>

#include "glwindow.h"
#include "state/state.h"
#include "ui.h"

template <int W, int H> class shownView : public testing::Test {
protected:
	state *m_state = nullptr;
	Fl_Window *m_window = nullptr;
	glwindow *m_view = nullptr;

	void SetUp() override
	{
		m_state = new state;
		gui_state = new UIstate;
		m_window = new Fl_Window(W, H, "view");
		m_view = new glwindow(0, 0, W, H, "OpenGL window");
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

	void drawFrame()
	{
		m_view->make_current();
		m_view->draw();
		glFinish();
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
