#pragma once
// The glyphs with which the algebra objects show a direction (an arrow), an
// oriented area (disc, parallelogram, cross, spiral or swirl) and an oriented
// volume (sphere, cross, spherical spiral or parallelepiped).  They draw in
// immediate mode into the current model-view matrix and leave it as they
// found it; every line goes through the user interface's tube renderer.  The
// caller sets colour, lighting, polygon mode and culling.  Without a user
// interface nothing is drawn and -1 is returned.
class object;

// Draw methods of bivector glyphs, in menu order.
enum bivectorDrawMethod {
	DRAW_BV_CIRCLE = 0,
	DRAW_BV_PARALLELOGRAM = 1,
	DRAW_BV_PARALLELOGRAM_NO_VECTORS = 2,
	DRAW_BV_CROSS = 3,
	DRAW_BV_CURLY_TAIL = 4,
	DRAW_BV_SWIRL = 5,
	DRAW_BV_NB_METHODS = 6,
};

// Draw methods of trivector glyphs, in menu order.
enum trivectorDrawMethod {
	DRAW_TV_SPHERE = 0,
	DRAW_TV_CROSS = 1,
	DRAW_TV_CURLY_TAIL = 2,
	DRAW_TV_PARALLELEPIPED = 3,
	DRAW_TV_PARALLELEPIPED_NO_VECTORS = 4,
	DRAW_TV_NB_METHODS = 5,
};

// Bit of the flags argument that asks for orientation marks.
constexpr int DRAW_FLAG_ORI = 0x1;

// An arrow along dir from tail (the origin when null), the whole glyph
// scaled by scale; scale 0 draws nothing.  Returns 0.
int drawVector(const double *tail, const double *dir, double scale);
// A bivector glyph at base (the origin when null): normal is the unit normal
// of its plane, ortho1 and ortho2 span it in order, scale is its radius; o
// gives the outline, background and draw-mode bits.  -1 for an unknown method.
int drawBivector(const double *base, const double *normal, const double *ortho1, const double *ortho2, double scale,
                 int method, int flags, object *o);
// A trivector glyph at base (origin when null) for the signed volume scale;
// vector holds three edge vectors or is null (the parallelepipeds then draw
// the sphere).  -1 for an unknown method.
int drawTriVector(const double *base, double scale, double (*vector)[3], int method, int flags, object *o);
