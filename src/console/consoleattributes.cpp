// The drawing-attribute built-ins: colour, alpha, draw-mode bits, draw
// method and forced interpretation of a value, each recorded in its force
// flags as set by the user; the queries of those attributes; and the
// colours of scene objects named by an argument.
#include "draw/colors.h"
#include "console/consolevariable.h"
#include "console/consoleviewerfunctions.h"
#include "scene/mvint.h"
#include "scene/object.h"
#include "state/state.h"

namespace {

// Colour index of the object colour routines.
enum objectColor { OBJECT_FG = 0, OBJECT_BG = 1, OBJECT_OL = 2 };

// x, whose colour and alpha count as set when it carries the look of the
// scene object it was read from: an attribute set on a variable keeps the
// rest of what the variable shows, rather than the automatic colouring's.
consoleVariable *keepingLook(consoleVariable *x)
{
	if (x->objectLook()) {
		x->modifiedColor();
		x->modifiedAlpha();
	}
	return x;
}

// A new unnamed e3ga scalar.
consoleVariable *number(double x) { return new consoleVariable("", e3ga(x)); }

// The scalar part of argument i, narrowed to a colour component.
float component(consoleVariable **a, int i) { return (float)a[i]->e().scalar(); }

// The e1, e2, e3 coordinates of the grade-1 part of argument i; zeros without one.
void vectorComponents(consoleVariable **a, int i, float *c)
{
	const double *v = a[i]->e().coordinates(2);
	for (int k = 0; k < 3; k++) c[k] = (float)v[k];
}

// The colour built-in of that name: the RGB of the shared colour names.
consoleVariable *namedColor(consoleScope *s, consoleVariable **a, const char *name)
{
	float c[4] = {0.0f, 0.0f, 0.0f, 1.0f};
	getColor(name, c);
	return cf_set_color3_internal(s, a, c);
}

// Sets (on) or clears draw-mode bit of x and records it as the user's.
consoleVariable *drawModeBit(consoleVariable *x, int bit, int (consoleVariable::*force)(), bool on)
{
	int dm = keepingLook(x)->drawMode();
	x->drawMode(on ? dm | bit : dm ^ (dm & bit));
	(x->*force)();
	return x;
}

// Draw method k of x, the other creation flags kept.
consoleVariable *drawMethod(consoleVariable *x, int k)
{
	int cf = keepingLook(x)->creationFlags();
	x->creationFlags((cf ^ (cf & OC_DRAW_METHOD)) | (k << OC_DRAW_METHOD_SHIFT));
	x->modifiedDrawMethod();
	return x;
}

} // namespace

// --- colours -------------------------------------------------------------------------

consoleVariable *cf_set_color3_internal(consoleScope *, consoleVariable **arg, const float *c)
{
	keepingLook(arg[0])->color3(c);
	arg[0]->modifiedColor();
	return arg[0];
}

consoleVariable *cf_alpha_internal(consoleVariable *arg0, float arg1)
{
	keepingLook(arg0)->alpha(arg1);
	arg0->modifiedAlpha();
	return arg0;
}

#define CF_NAMED_COLOR(NAME, COLOR) \
	consoleVariable *cf_##NAME(consoleScope *s, consoleVariable **a, const consoleFunc_s *) { return namedColor(s, a, COLOR); }
CF_NAMED_COLOR(red, "red")
CF_NAMED_COLOR(green, "green")
CF_NAMED_COLOR(blue, "blue")
CF_NAMED_COLOR(white, "white")
CF_NAMED_COLOR(magenta, "magenta")
CF_NAMED_COLOR(yellow, "yellow")
CF_NAMED_COLOR(cyan, "cyan")
CF_NAMED_COLOR(black, "black")
CF_NAMED_COLOR(grey, "grey")

consoleVariable *cf_color1(consoleScope *s, consoleVariable **a, const consoleFunc_s *)
{
	float c[3];
	vectorComponents(a, 1, c);
	return cf_set_color3_internal(s, a, c);
}

consoleVariable *cf_color3(consoleScope *s, consoleVariable **a, const consoleFunc_s *)
{
	const float c[3] = {component(a, 1), component(a, 2), component(a, 3)};
	return cf_set_color3_internal(s, a, c);
}

consoleVariable *cf_color4(consoleScope *s, consoleVariable **a, const consoleFunc_s *)
{
	const float c[3] = {component(a, 1), component(a, 2), component(a, 3)};
	cf_set_color3_internal(s, a, c);
	return cf_alpha_internal(a[0], component(a, 4));
}

consoleVariable *cf_alpha(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	return cf_alpha_internal(a[0], component(a, 1));
}

// --- interpretation and draw method ------------------------------------------------------

consoleVariable *cf_versor(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	keepingLook(a[0])->creationFlags(a[0]->creationFlags() | OC_VERSOR);
	return a[0];
}

consoleVariable *cf_blade(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	keepingLook(a[0])->creationFlags(a[0]->creationFlags() | OC_BLADE);
	return a[0];
}

#define CF_DRAW_METHOD(K) \
	consoleVariable *cf_dm##K(consoleScope *, consoleVariable **a, const consoleFunc_s *) { return drawMethod(a[0], K); }
CF_DRAW_METHOD(1)
CF_DRAW_METHOD(2)
CF_DRAW_METHOD(3)
CF_DRAW_METHOD(4)
CF_DRAW_METHOD(5)
CF_DRAW_METHOD(6)
CF_DRAW_METHOD(7)

// --- draw-mode bits ----------------------------------------------------------------------

// The setter and the clearer of one bit.
#define CF_DRAW_MODE(SET, CLEAR, BIT, FORCE)                                                 \
	consoleVariable *cf_##SET(consoleScope *, consoleVariable **a, const consoleFunc_s *)    \
	{                                                                                        \
		return drawModeBit(a[0], BIT, &consoleVariable::FORCE, true);                        \
	}                                                                                        \
	consoleVariable *cf_##CLEAR(consoleScope *, consoleVariable **a, const consoleFunc_s *)  \
	{                                                                                        \
		return drawModeBit(a[0], BIT, &consoleVariable::FORCE, false);                       \
	}
CF_DRAW_MODE(stipple, no_stipple, DM_STIPPLE, modifiedStipple)
CF_DRAW_MODE(ori, no_ori, DM_ORI, modifiedOri)
CF_DRAW_MODE(wireframe, no_wireframe, DM_WIREFRAME, modifiedWireframe)
CF_DRAW_MODE(shade, no_shade, DM_SHADE, modifiedShade)
CF_DRAW_MODE(hide, show, DM_HIDE, modifiedHide)
CF_DRAW_MODE(outline, no_outline, DM_OUTLINE, modifiedOutline)
CF_DRAW_MODE(weight, no_weight, DM_MAGNITUDE, modifiedMagnitude)

// The query of one bit: 1.0 when set, else 0.0.
#define CF_DRAW_MODE_QUERY(GET, BIT) \
	consoleVariable *cf_##GET(consoleScope *, consoleVariable **a, const consoleFunc_s *) { return number((a[0]->drawMode() & BIT) ? 1.0 : 0.0); }
CF_DRAW_MODE_QUERY(get_stipple, DM_STIPPLE)
CF_DRAW_MODE_QUERY(get_wireframe, DM_WIREFRAME)
CF_DRAW_MODE_QUERY(get_outline, DM_OUTLINE)
CF_DRAW_MODE_QUERY(get_weight, DM_MAGNITUDE)
CF_DRAW_MODE_QUERY(get_ori, DM_ORI)
CF_DRAW_MODE_QUERY(get_hide, DM_HIDE)

// --- queries -----------------------------------------------------------------------------

consoleVariable *cf_get_color(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	const float *c = a[0]->color();
	return new consoleVariable("", e3ga(2, (double)c[0], (double)c[1], (double)c[2]));
}

consoleVariable *cf_get_alpha(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	return number(a[0]->alpha());
}

consoleVariable *cf_get_draw_flags(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	return number((double)a[0]->forceFlags());
}

consoleVariable *cf_get_interpretation(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	mvInt *I = a[0]->interpretation();
	int type = I != nullptr && I->m_valid ? I->m_type : 0;
	delete I;
	return number((double)type);
}

// --- colours of scene objects --------------------------------------------------------

void cf_set_object_X_color4(const std::string &objectName, int X, float R, float G, float B, float A)
{
	object *o = g_state != nullptr ? g_state->getObjectPtrByName(objectName) : nullptr;
	if (o == nullptr) return;
	const float c[4] = {R, G, B, A};
	switch (X) {
	case OBJECT_FG: o->setFgColor(c); break;
	case OBJECT_BG: o->setBgColor(c); break;
	case OBJECT_OL: o->setOlColor(c); break;
	default: break;
	}
}

void cf_set_object_X_color3(const std::string &objectName, int X, float R, float G, float B)
{
	object *o = g_state != nullptr ? g_state->getObjectPtrByName(objectName) : nullptr;
	if (o == nullptr) return;
	const float *c = X == OBJECT_BG ? o->bgColor() : X == OBJECT_OL ? o->olColor() : o->fgColor();
	cf_set_object_X_color4(objectName, X, R, G, B, c[3]);
}

consoleVariable *cf_set_object_fg_color_vector(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	float c[3];
	vectorComponents(a, 1, c);
	cf_set_object_X_color3(a[0]->name(), OBJECT_FG, c[0], c[1], c[2]);
	return number(0.0);
}

consoleVariable *cf_set_object_fg_color_RGB(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	cf_set_object_X_color3(a[0]->name(), OBJECT_FG, component(a, 1), component(a, 2), component(a, 3));
	return number(0.0);
}

consoleVariable *cf_set_object_fg_color_RGBA(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	cf_set_object_X_color4(a[0]->name(), OBJECT_FG, component(a, 1), component(a, 2), component(a, 3),
	                       component(a, 4));
	return number(0.0);
}
