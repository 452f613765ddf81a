#pragma once
// What the algebra objects share when they draw: the set-up every one of
// them starts with, points as small spheres, and the flats of the two
// homogeneous models, lines and planes, drawn out to the clip distance.
// Lines go through the user interface's tube renderer; without a user
// interface they are left out.
class object;
class glwindow;

// Draw methods of lines, in menu order: orientation marks along the line.
enum lineDrawMethod {
	DRAW_LINE_CURVE = 0,
	DRAW_LINE_CURLY_TAIL = 1,
	DRAW_LINE_HOOKS = 2,
	DRAW_LINE_HOOKED_CROSSES = 3,
};

// Draw methods of point pairs, in menu order.
enum pointPairDrawMethod {
	DRAW_PP_CONNECTED_WHEN_ORI = 0, // two points, joined with an arrow when DM_ORI is set
	DRAW_PP_CONNECTED = 1,          // two points joined (with the arrow when DM_ORI is set)
	DRAW_PP_POINTS = 2,
	DRAW_PP_SEGMENT = 3,            // the segment alone
};

// The set-up of every algebra object's draw (and of polygons and meshes):
// depth writes off and blending on when the view allows it and the
// foreground (times the fade) is not opaque; the foreground colour; back
// faces culled; lighting by DM_SHADE, polygon and line stipple by
// DM_STIPPLE; the model-view matrix current.  True when it draws translucently.
bool beginAlgebraDraw(object &o, glwindow *w);
// glPolygonMode of both faces: lines when DM_WIREFRAME is set, else filled.
void polygonModeByWireframe(int drawMode);
// How far lines and planes reach from their point: sqrt(2) times the
// state's clip distance.
double flatExtent();

// The point sphere, unlit, at `at` (the origin when null) with radius
// `radius`; hairLength nonzero adds hairs of that length (in units of the
// radius) along its normals.
void drawPointSphere(const double *at, double radius, double hairLength);

// A line through `point` along the unit `direction`, from -L to L
// (flatExtent); with DM_ORI its marks by method, sized by the weight when
// DM_MAGNITUDE is set.  Unlit.
void drawFlatLine(const double *point, const double *direction, double weight, int method, int drawMode);
// A plane through `point` with unit normal `normal`, spanned by u and v,
// as a grid of quads from -L to L in both directions: the front filled (or
// wire with DM_WIREFRAME), the back as well, wire when DM_ORI is set too,
// and with DM_ORI a field of normals of length 1 (the weight with
// DM_MAGNITUDE).
void drawFlatPlane(const double *point, const double *normal, const double *u, const double *v, double weight,
                   int drawMode);

// Steps of a line or a plane's grid across its length 2L: each 0.1 L.
constexpr int sc_flatSteps = 20;
// Orientation marks along a line, 0.2 L apart, the first at -L, the last at L.
constexpr int sc_lineMarks = 11;
// The "Curve" mark takes 32 points a unit of its length, but never more
// than this many: far clip distances would otherwise ask for millions of
// points a frame.
constexpr int sc_maxCurvePoints = 4096;
