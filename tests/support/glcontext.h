#pragma once
// An off-screen OpenGL context for tests and benchmarks that draw: a GLX
// pixel buffer on the X display named by DISPLAY (a virtual X server in the
// test runs).
#include <GL/gl.h>

#include <vector>

class glTestContext {
public:
	// Makes a context of width x height pixels current; ok() tells whether
	// it could.
	glTestContext(int width, int height);
	~glTestContext();
	glTestContext(const glTestContext &) = delete;
	glTestContext &operator=(const glTestContext &) = delete;

	bool ok() const { return m_ok; }
	// A pixel projection: one unit a pixel, the origin at the bottom left.
	void pixelProjection() const;
	// The RGB pixels of the whole buffer, rows from the bottom.
	std::vector<unsigned char> readRGB() const;
	int width() const { return m_width; }
	int height() const { return m_height; }

private:
	struct glx_s;
	glx_s *m_glx;
	int m_width, m_height;
	bool m_ok = false;
};
