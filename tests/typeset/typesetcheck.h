#pragma once
// Helpers for the typesetter tests: a layout run with its messages captured
// and its output records copied, glyph advances of the built-in font, and
// a fixture that measures with it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/measurefont.h"
#include "typeset/typeset.h"

namespace tscheck {

struct shape_s {
	int type;
	int color;
	float width; // lines only
	std::vector<double> xy;
};

struct layout_s {
	int result;
	std::string out;
	double width, height;
	std::vector<tsCharData_s> chars;
	std::vector<shape_s> lines, polygons;
};

inline layout_s copyOutput(const typesetState &ts, int result, std::string out)
{
	layout_s l{result, std::move(out), ts.m_width, ts.m_height, {}, {}, {}};
	for (int i = 0; i < ts.m_tsChar.m_nb; i++)
		l.chars.push_back(ts.m_tsChar.m_item[i]);
	for (int i = 0; i < ts.m_tsLine.m_nb; i++) {
		const tsLineData_s &r = ts.m_tsLine.m_item[i];
		l.lines.push_back({r.type, r.color, r.width, std::vector<double>(r.xy, r.xy + 2 * r.nbVertices)});
	}
	for (int i = 0; i < ts.m_tsPolygon.m_nb; i++) {
		const tsPolygonData_s &r = ts.m_tsPolygon.m_item[i];
		l.polygons.push_back({r.type, r.color, 0.0f, std::vector<double>(r.xy, r.xy + 2 * r.nbVertices)});
	}
	return l;
}

// Typesets text in the given initial mode with standard output captured.
inline layout_s run(typesetState &ts, const std::string &text, const char *mode = "t", double maxWidth = -1.0)
{
	ts.setInitialMode(mode);
	testing::internal::CaptureStdout();
	int result = ts.typeset(text.c_str(), maxWidth);
	std::string out = testing::internal::GetCapturedStdout();
	return copyOutput(ts, result, out);
}

// The glyph codes of a layout, in order.
inline std::vector<int> codes(const layout_s &l)
{
	std::vector<int> c;
	for (const tsCharData_s &g : l.chars)
		c.push_back(g.c);
	return c;
}

// The advance of a glyph at height 1 in the built-in font.
inline double aspect(int code) { return measurefont::aspect(code); }
// The width of a run of characters of one font base at height 1.
inline double textWidth(const std::string &text, int base = 0)
{
	double w = 0.0;
	for (unsigned char c : text)
		w += aspect(base + c);
	return w;
}

inline std::string dump(const layout_s &l)
{
	std::string s = "result " + std::to_string(l.result) + " size " + std::to_string(l.width) + " x " +
	                std::to_string(l.height) + "\n";
	char buf[160];
	for (const tsCharData_s &g : l.chars) {
		snprintf(buf, sizeof buf, "char %d at (%.9g, %.9g) size %.9g color %d\n", g.c, g.x, g.y, g.size, g.color);
		s += buf;
	}
	for (const auto *list : {&l.lines, &l.polygons})
		for (const shape_s &p : *list) {
			snprintf(buf, sizeof buf, "%s type %d color %d width %g:", list == &l.lines ? "line" : "polygon",
			         p.type, p.color, p.width);
			s += buf;
			for (size_t k = 0; k < p.xy.size(); k += 2) {
				snprintf(buf, sizeof buf, " (%.9g, %.9g)", p.xy[k], p.xy[k + 1]);
				s += buf;
			}
			s += "\n";
		}
	return s + l.out;
}

// A fresh typesetter measuring with the built-in font's glyphs.
class typesetTest : public testing::Test {
protected:
	void SetUp() override { measurefont::use(); }
	typesetState ts;
};

} // namespace tscheck
