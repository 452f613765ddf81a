#pragma once
// Three-coordinate vectors as plain arrays of doubles: the arithmetic that
// polygons and meshes do on their vertices at every draw, without building
// multivectors.
#include <cmath>

namespace vec3 {

inline void set(double *r, double x, double y, double z)
{
	r[0] = x;
	r[1] = y;
	r[2] = z;
}
inline void copy(double *r, const double *a) { set(r, a[0], a[1], a[2]); }
// r = a - b
inline void sub(double *r, const double *a, const double *b) { set(r, a[0] - b[0], a[1] - b[1], a[2] - b[2]); }
// r += a
inline void addTo(double *r, const double *a) { set(r, r[0] + a[0], r[1] + a[1], r[2] + a[2]); }
inline double dot(const double *a, const double *b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
inline double norm(const double *a) { return std::sqrt(dot(a, a)); }
// r = a x b, the dual of a ^ b.  r may not be a or b.
inline void cross(double *r, const double *a, const double *b)
{
	set(r, a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]);
}
// r = the unnormalised normal (p1 - p0) x (p2 - p0) of a triangle.
inline void triangleNormal(double *r, const double *p0, const double *p1, const double *p2)
{
	double u[3], v[3];
	sub(u, p1, p0);
	sub(v, p2, p0);
	cross(r, u, v);
}
// a scaled to unit length in place; a vector of length 0 (or one that is
// not finite) becomes 0, so no NaN ever reaches OpenGL.  Returns the length.
inline double normalizeOrZero(double *a)
{
	const double n = norm(a);
	if (n > 0.0 && std::isfinite(n)) set(a, a[0] / n, a[1] / n, a[2] / n);
	else set(a, 0.0, 0.0, 0.0);
	return n;
}
// r = s a + t b
inline void combine(double *r, double s, const double *a, double t, const double *b)
{
	set(r, s * a[0] + t * b[0], s * a[1] + t * b[1], s * a[2] + t * b[2]);
}

} // namespace vec3
