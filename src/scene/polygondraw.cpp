// How a polygon draws: filled with both sides, or as a line through its
// vertices; a simplex as a point, an arrow or a triangle with marks of its
// direction of travel.
#include <GL/gl.h>

#include <vector>

#include "draw/draw.h"
#include "scene/gadraw.h"
#include "scene/polygonobject.h"
#include "ui/ui.h"
#include "draw/vec3.h"

namespace {

// The trivector glyph that shows a simplex of one vertex: its volume.
constexpr double sc_pointGlyphSize = 0.05;
// A simplex's travel mark on the edge from a to b ends at
// sc_markFrom a + sc_markTo b, moved sc_markAcross into the triangle's
// plane across the edge.
constexpr double sc_markFrom = 0.7;
constexpr double sc_markTo = 0.3;
constexpr double sc_markAcross = 0.1;

// The vertices in order, or in reverse order, as one primitive.
void emit(GLenum mode, const std::vector<const double *> &p, bool reverse)
{
	glBegin(mode);
	for (size_t i = 0; i < p.size(); i++) glVertex3dv(p[reverse ? p.size() - 1 - i : i]);
	glEnd();
}

// Both sides of the polygon: the front with the normal n, the back (the
// vertices reversed) with -n, as an outline only when backOutline is set.
void emitBothSides(const std::vector<const double *> &p, const double *n, bool backOutline)
{
	glNormal3dv(n);
	emit(GL_POLYGON, p, false);
	glNormal3d(-n[0], -n[1], -n[2]);
	emit(backOutline ? GL_LINE_LOOP : GL_POLYGON, p, true);
}

} // namespace

int polygonObject::draw(glwindow *window)
{
	// 1. and 2. back faces culled, translucency, colour, lighting, stipple
	beginAlgebraDraw(*this, window);

	// the vertices as they are now, and the normal of the first three
	// (missing ones count as the origin)
	std::vector<const double *> p((size_t)m_nbVertices);
	for (int i = 0; i < m_nbVertices; i++) p[i] = getVertex(i);
	double normal[3];
	vec3::triangleNormal(normal, getVertex(0), getVertex(1), getVertex(2));

	// 3. and 4. by kind
	if (!m_simplex) {
		drawPolygon(p, normal);
		return 0;
	}
	return drawSimplex(p, normal);
}

void polygonObject::drawPolygon(const std::vector<const double *> &p, const double *normal)
{
	switch (m_dmMenuIdx) {
	case DRAW_POLYGON_FILLED:
		// the back shows only its outline when the orientation is shown
		glPolygonMode(GL_FRONT, GL_FILL);
		emitBothSides(p, normal, (m_drawMode & DM_ORI) != 0);
		if (m_drawMode & DM_OUTLINE) drawOutline(p);
		break;
	case DRAW_POLYGON_LINE_STRIP:
	case DRAW_POLYGON_LINE_LOOP:
		glDisable(GL_LIGHTING);
		emit(m_dmMenuIdx == DRAW_POLYGON_LINE_STRIP ? GL_LINE_STRIP : GL_LINE_LOOP, p, false);
		break;
	default: break;
	}
}

void polygonObject::drawOutline(const std::vector<const double *> &p)
{
	if (gui_state == nullptr) return;
	setOlColor();
	glDisable(GL_LIGHTING);
	TubeDraw &lines = gui_state->m_tubeDraw;
	lines.begin(GL_LINE_LOOP);
	for (const double *v : p) lines.vertex3dv(v);
	lines.end();
}

int polygonObject::drawSimplex(const std::vector<const double *> &p, const double *normal)
{
	switch (p.size()) {
	case 1:
		// a point: a small volume glyph
		drawTriVector(p[0], sc_pointGlyphSize, nullptr, DRAW_TV_SPHERE, 0, this);
		return 0;
	case 2: {
		double d[3], mid[3];
		vec3::sub(d, p[1], p[0]);
		vec3::combine(mid, 0.5, p[0], 0.5, p[1]);
		// two equal vertices have no direction to draw
		if (vec3::norm(d) == 0.0) return 0;
		if (m_dmMenuIdx == DRAW_SIMPLEX_VECTOR) {
			drawVector(p[0], d, 1.0);
		} else if (m_dmMenuIdx == DRAW_SIMPLEX_DEFAULT) {
			// an arrow to the middle, a line on to the end
			const double length = vec3::normalizeOrZero(d);
			drawVector(p[0], d, 0.5 * length);
			glDisable(GL_LIGHTING);
			if (gui_state != nullptr) {
				TubeDraw &lines = gui_state->m_tubeDraw;
				lines.begin(GL_LINES);
				lines.vertex3dv(mid);
				lines.vertex3dv(p[1]);
				lines.end();
			}
		}
		return 0;
	}
	case 3: {
		glPolygonMode(GL_FRONT, GL_FILL);
		emitBothSides(p, normal, false);
		if (m_drawMode & DM_OUTLINE) drawOutline(p);
		// a triangle of no area has no plane to mark its direction in
		if ((m_drawMode & DM_ORI) && vec3::norm(normal) > 0.0 && gui_state != nullptr) {
			setOlColor();
			TubeDraw &lines = gui_state->m_tubeDraw;
			lines.begin(GL_LINES);
			for (int i = 0; i < 3; i++) {
				const double *a = p[i], *b = p[(i + 1) % 3];
				double edge[3], across[3], mid[3], end[3];
				vec3::sub(edge, b, a);
				vec3::cross(across, edge, normal);
				vec3::normalizeOrZero(across);
				vec3::combine(mid, 0.5, a, 0.5, b);
				vec3::combine(end, sc_markFrom, a, sc_markTo, b);
				vec3::combine(end, 1.0, end, sc_markAcross, across);
				lines.vertex3dv(mid);
				lines.vertex3dv(end);
			}
			lines.end();
		}
		return 0;
	}
	default: return -1;
	}
}
