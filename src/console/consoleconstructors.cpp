// The console's constructors of the standard objects of the two models of
// 3D space from Euclidean data: the projective point, the conformal point
// and the conformal translation versor. Three arguments give the
// coordinates by their scalar parts; one e3ga argument gives them by its
// vector part.
#include "console/consolefamily.h"
#include "console/consolegeneratedfunctions.h"

namespace {

struct xyz {
	double x, y, z;
};

// The scalar parts of the three e3ga arguments.
xyz fromScalars(consoleVariable **a) { return {a[0]->e().scalar(), a[1]->e().scalar(), a[2]->e().scalar()}; }

// The e1, e2, e3 coordinates of the e3ga argument; zeros without a vector part.
xyz fromVector(consoleVariable **a)
{
	const double *c = a[0]->e().coordinates(2);
	return {c[0], c[1], c[2]};
}

consoleVariable *projectivePoint(const xyz &p)
{
	p3ga r = ga::add(ga::add(ga::add(ga::gp(p.x, p3gai::e1), ga::gp(p.y, p3gai::e2)), ga::gp(p.z, p3gai::e3)),
	                 p3gai::e0);
	return cf::result(r);
}

// x e1 + y e2 + z e3 + no + (x^2 + y^2 + z^2)/2 ni
consoleVariable *conformalPoint(const xyz &p)
{
	return cf::result(c3ga(2, p.x, p.y, p.z, 1.0, 0.5 * (p.x * p.x + p.y * p.y + p.z * p.z)));
}

// 1 - t^ni/2 for the translation t
consoleVariable *translationVersor(const xyz &t)
{
	c3ga v(2, t.x, t.y, t.z, 0.0, 0.0);
	return cf::result(ga::sub(1.0, ga::gp(0.5, ga::op(v, c3gai::ni))));
}

} // namespace

consoleVariable *cf_p3ga_point3(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	return projectivePoint(fromScalars(a));
}

consoleVariable *cf_p3ga_point1(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	return projectivePoint(fromVector(a));
}

consoleVariable *cf_c3ga_point3(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	return conformalPoint(fromScalars(a));
}

consoleVariable *cf_c3ga_point1(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	return conformalPoint(fromVector(a));
}

// The point of a projective point: its e1, e2, e3 coordinates divided by
// its e0 coordinate, undivided when that is 0 (a direction).
consoleVariable *cf_c3ga_pointP1(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	const double *c = a[0]->p().coordinates(2);
	double w = c[3] == 0.0 ? 1.0 : c[3];
	return conformalPoint({c[0] / w, c[1] / w, c[2] / w});
}

consoleVariable *cf_translation_versor3(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	return translationVersor(fromScalars(a));
}

consoleVariable *cf_translation_versor1(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	return translationVersor(fromVector(a));
}
