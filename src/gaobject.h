#pragma once
// Scene objects of the values of the four algebras: one generic family,
// gaObject<V>, holding the value under the object's name, and one class per
// algebra (e3gaObject, p3gaObject, c3gaObject, i2gaObject) in which the
// algebra's own drawing lives.
#include <string>

#include "c3ga/c3ga.h"
#include "e3ga/e3ga.h"
#include "i2ga/i2ga.h"
#include "object.h"
#include "p3ga/p3ga.h"

// The object type of each algebra and the properties its objects have from
// the start.
template <class V> struct gaObjectKind;
template <> struct gaObjectKind<e3ga> {
	static constexpr int type = OT_E3GA;
	static constexpr int properties = OP_FG_COLOR | OP_NAME | OP_VALUE | OP_DRAW_MODE;
};
template <> struct gaObjectKind<p3ga> {
	static constexpr int type = OT_P3GA;
	static constexpr int properties = OP_FG_COLOR | OP_NAME | OP_VALUE | OP_DRAW_MODE | OP_INTERPRETATION;
};
template <> struct gaObjectKind<c3ga> {
	static constexpr int type = OT_C3GA;
	static constexpr int properties = OP_FG_COLOR | OP_NAME | OP_VALUE | OP_DRAW_MODE | OP_INTERPRETATION;
};
template <> struct gaObjectKind<i2ga> {
	static constexpr int type = OT_I2GA;
	static constexpr int properties = OP_FG_COLOR | OP_NAME | OP_VALUE | OP_DRAW_MODE | OP_INTERPRETATION;
};

template <class V> class gaObject : public object {
public:
	// Shaded unless the force flags hold DM_SHADE; the creation flags may
	// choose the draw method.
	gaObject(const V &value, const std::string &name, int drawMode, int creationFlags, int forceFlags);
	~gaObject() override;

	int pick(glwindow *window) override { return draw(window); }
	// Draws nothing; the classes of the 3D models replace it with the
	// drawing of their kinds.
	int draw(glwindow *) override { return 0; }
	// Opaque objects (1.0) are drawn before transparent ones (2.0).
	double drawSortValue() override { return fgColor(3) == 1.0f ? 1.0 : 2.0; }
	// object::copy, then the value, reported when it differs.
	int copy(const object *o, int &propertiesChanged, int forceFlag) override;
	// "name" = value, the coordinates in the given printf format.
	std::string toString(const char *floatPrec) override;

	V m_mv;
};

class e3gaObject : public gaObject<e3ga> {
public:
	using gaObject::gaObject;
};

class p3gaObject : public gaObject<p3ga> {
public:
	using gaObject::gaObject;
};

class c3gaObject : public gaObject<c3ga> {
public:
	using gaObject::gaObject;
};

class i2gaObject : public gaObject<i2ga> {
public:
	using gaObject::gaObject;
};

extern template class gaObject<e3ga>;
extern template class gaObject<p3ga>;
extern template class gaObject<c3ga>;
extern template class gaObject<i2ga>;
