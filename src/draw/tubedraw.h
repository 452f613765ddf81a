#pragma once
// The line renderer of the scene.  Its interface copies OpenGL's immediate
// mode (begin with a primitive, vertices, end).  In tube mode it collects the
// vertices and, at end, draws every line as a shaded prism of m_nbSegments
// sides: the cross-section is carried along the polyline by parallel
// transport (so the tube does not twist), joints are mitred and open ends get
// flat caps, so lines are lit like the rest of the scene and keep their width
// under zoom.  In OpenGL mode the calls go straight to OpenGL as plain lines.
//
// The tube's geometry is plain vector arithmetic over doubles: it gives the
// vertices and normals the rotor and homogeneous-line formulation gives, at a
// fraction of its cost.  It reaches OpenGL only through a tubeSink, so it can
// be computed and inspected without a context.
#include <GL/gl.h>

#include <vector>

#include "e3ga/e3ga.h"

// A point or an offset of the tube geometry.
struct tubeVector {
	double c[3];
};

// Receives the primitives of a tube, exactly as OpenGL would be given them.
class tubeSink {
public:
	virtual ~tubeSink() {}
	virtual void beginPrimitive(int mode) = 0;
	virtual void normal(const double *n) = 0;
	virtual void vertex(const double *v) = 0;
	virtual void endPrimitive() = 0;
};

// The sink that draws: glBegin, glNormal3dv, glVertex3dv, glEnd.
tubeSink &glTubeSink();

class TubeDraw {
public:
	TubeDraw();

	void setLineWidth(double w) { m_lineWidth = w; }
	double getLineWidth() const { return m_lineWidth; }
	void setUseOpenGL(bool b) { m_useOpenGL = b; }
	bool getUseOpenGL() const { return m_useOpenGL; }
	// The cross-section is a polygon of n corners; below 2 nothing is drawn.
	void setNbSegments(int n) { m_nbSegments = n; }

	// what: GL_LINES, GL_LINE_LOOP or GL_LINE_STRIP.
	void begin(int what);
	void vertex3d(double x, double y, double z);
	void vertex3dv(const double *v) { vertex3d(v[0], v[1], v[2]); }
	void vertex2d(double x, double y) { vertex3d(x, y, 0.0); }
	void vertex2dv(const double *v) { vertex2d(v[0], v[1]); }
	// Draws the collected vertices; they stay until the next begin, so end
	// may be called again.
	void end();
	// The tube mode's end, giving its primitives to a sink.
	void end(tubeSink &sink);

	// The two drawing steps of end.  rings holds one ring of m_nbSegments
	// offsets per unit of radius for each vertex, ring k from k * m_nbSegments.
	void drawTubeSegment(int k, const std::vector<tubeVector> &rings, tubeSink &sink = glTubeSink());
	void drawTubeCap(int k, const std::vector<tubeVector> &rings, bool reverse,
	                 tubeSink &sink = glTubeSink());

private:
	// The vertices collected since begin (tube mode only).
	std::vector<tubeVector> m_vertices;
	// The primitive of the current begin: GL_LINES, GL_LINE_LOOP or
	// GL_LINE_STRIP; -1 before the first.
	int m_what;
	// Tube radius m_lineWidth / 250 in model units; OpenGL line width in pixels.
	double m_lineWidth;
	int m_nbSegments;
	// true: plain OpenGL lines; false: tubes
	bool m_useOpenGL;

	double radius() const;
};

// The rotor that turns the unit vector v1 onto the unit vector v2; for
// (nearly) opposite vectors a unit bivector, a half turn in a plane that
// holds v1.
e3ga rotorFromVectorToVector(const e3ga &v1, const e3ga &v2);
