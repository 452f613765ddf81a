#pragma once
// A fixture for tests that catch in feedback mode what drawing code hands to
// the rasteriser: one off-screen context for the whole run, a state and a
// user interface for the drawing code to reach (tubes drawn as plain OpenGL
// lines), and an orthographic view of [-c_half, c_half] on every axis, seen
// along -e3.
#include <gtest/gtest.h>

#include <cmath>

#include "state/state.h"
#include "support/glcontext.h"
#include "support/glfeedback.h"
#include "ui/ui.h"

// The view's side in pixels.
const int c_size = 240;
// Model units across the view: [-3, 3] on each axis, so 40 pixels a unit.
const double c_half = 3.0, c_pixelsPerUnit = c_size / (2 * c_half);

class glFeedbackView : public testing::Test {
protected:
	state m_state;
	UIstate m_ui;

	static glTestContext &context()
	{
		static glTestContext *s_context = new glTestContext(c_size, c_size);
		return *s_context;
	}

	void SetUp() override
	{
		ASSERT_TRUE(context().ok());
		gui_state = &m_ui;
		m_ui.m_tubeDraw.setUseOpenGL(true);
		glMatrixMode(GL_PROJECTION);
		glLoadIdentity();
		glOrtho(-c_half, c_half, -c_half, c_half, -c_half, c_half);
		glMatrixMode(GL_MODELVIEW);
		glLoadIdentity();
	}
	void TearDown() override { gui_state = nullptr; }

	// Extent in model units of the polygons along window axis a (0 x, 1 y).
	static double extent(const glFeedback &f, int a)
	{
		double lo = 1e9, hi = -1e9;
		for (const auto &polygon : f.polygons)
			for (const auto &v : polygon) {
				lo = std::fmin(lo, v[a]);
				hi = std::fmax(hi, v[a]);
			}
		return (hi - lo) / c_pixelsPerUnit;
	}
};
