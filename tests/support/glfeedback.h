#pragma once
// What a piece of OpenGL drawing hands to the rasteriser, caught in feedback
// mode: its polygons and lines with their window coordinates.
#include <GL/gl.h>

#include <array>
#include <vector>

struct glFeedback {
	typedef std::array<float, 3> vertex;
	std::vector<std::vector<vertex>> polygons;
	std::vector<std::array<vertex, 2>> lines;
	int points = 0;

	// Runs draw in feedback mode and sorts out what it produced.
	template <class F> static glFeedback of(F draw)
	{
		static std::vector<GLfloat> s_buffer(1 << 21);
		glFeedbackBuffer((GLsizei)s_buffer.size(), GL_3D, s_buffer.data());
		glRenderMode(GL_FEEDBACK);
		draw();
		int n = glRenderMode(GL_RENDER);
		glFeedback f;
		const GLfloat *p = s_buffer.data(), *end = p + (n < 0 ? 0 : n);
		auto take = [&p]() {
			vertex v = {p[0], p[1], p[2]};
			p += 3;
			return v;
		};
		while (p < end) {
			int token = (int)*p++;
			if (token == GL_POLYGON_TOKEN) {
				int count = (int)*p++;
				std::vector<vertex> polygon;
				for (int i = 0; i < count; i++) polygon.push_back(take());
				f.polygons.push_back(polygon);
			} else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
				vertex a = take(), b = take();
				f.lines.push_back({a, b});
			} else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN || token == GL_DRAW_PIXEL_TOKEN ||
			           token == GL_COPY_PIXEL_TOKEN) {
				take();
				f.points++;
			} else {
				// a pass-through marker and its value
				p++;
			}
		}
		return f;
	}
};
