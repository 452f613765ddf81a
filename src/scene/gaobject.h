#pragma once
// Scene objects of the values of the four algebras: one generic family,
// gaObject<V>, holding the value under the object's name with its geometric
// interpretation, and one class per algebra (e3gaObject, p3gaObject,
// c3gaObject, i2gaObject) in which the algebra's own drawing lives.
#include <string>

#include "c3ga/c3ga.h"
#include "e3ga/e3ga.h"
#include "scene/gadescription.h"
#include "i2ga/i2ga.h"
#include "scene/mvint.h"
#include "scene/object.h"
#include "p3ga/p3ga.h"

// The draw-method lists of the algebra objects: bivectors, trivectors,
// lines and point pairs each offer their own ways of being drawn.  Objects
// whose kinds use different lists never take each other's properties.
enum gaDrawMethodList {
	DML_NONE = 0,
	DML_BIVECTOR,
	DML_TRIVECTOR,
	DML_LINE,
	DML_POINT_PAIR,
};

// A kind of value that is drawn by one of several methods: its list and the
// method an object of that kind starts with.
struct gaDrawMethodRow {
	int kind; // interpretation kind (mvInt type word & MVI_KIND_MASK)
	gaDrawMethodList list;
	int defaultIndex;
};

// The object type of each algebra, the properties its objects have from the
// start, those that depend on the kind of the value, the kinds drawn by a
// choice of methods (each table ends with a row of kind 0 and no list), and
// the menu of each list of methods (null while the algebra has none), the
// words in which its objects describe their kinds, and the keyword of its
// objects' lines in scene files.
template <class V> struct gaObjectKind;
template <> struct gaObjectKind<e3ga> {
	static constexpr int type = OT_E3GA;
	static constexpr const char *fileKeyword = "e3ga";
	static constexpr int properties = OP_FG_COLOR | OP_NAME | OP_VALUE | OP_DRAW_MODE;
	// only a value of some kind has an interpretation to show
	static int kindProperties(int kind) { return kind != 0 ? OP_INTERPRETATION : 0; }
	static constexpr gaDrawMethodRow drawMethods[] = {
	    {MVI_BIVECTOR, DML_BIVECTOR, 0},
	    {MVI_TRIVECTOR, DML_TRIVECTOR, 0},
	    {0, DML_NONE, -1},
	};
	static const Fl_Menu_Item *menuOf(gaDrawMethodList list);
	static const descriptionModel descriptions;
};
template <> struct gaObjectKind<p3ga> {
	static constexpr int type = OT_P3GA;
	static constexpr const char *fileKeyword = "p3ga";
	static constexpr int properties = OP_FG_COLOR | OP_NAME | OP_VALUE | OP_DRAW_MODE | OP_INTERPRETATION;
	static int kindProperties(int) { return 0; }
	static constexpr gaDrawMethodRow drawMethods[] = {
	    {MVI_LINE, DML_LINE, 2}, // "Hooks"
	    {MVI_BIVECTOR, DML_BIVECTOR, 0},
	    {MVI_TRIVECTOR, DML_TRIVECTOR, 0},
	    {0, DML_NONE, -1},
	};
	static const Fl_Menu_Item *menuOf(gaDrawMethodList list);
	static const descriptionModel descriptions;
};
template <> struct gaObjectKind<c3ga> {
	static constexpr int type = OT_C3GA;
	static constexpr const char *fileKeyword = "c3ga";
	static constexpr int properties = OP_FG_COLOR | OP_NAME | OP_VALUE | OP_DRAW_MODE | OP_INTERPRETATION;
	static int kindProperties(int) { return 0; }
	static constexpr gaDrawMethodRow drawMethods[] = {
	    {MVI_LINE, DML_LINE, 2}, // "Hooks"
	    {MVI_FREE_BIVECTOR, DML_BIVECTOR, 0},
	    {MVI_TANGENT_BIVECTOR, DML_BIVECTOR, 0},
	    {MVI_FREE_TRIVECTOR, DML_TRIVECTOR, 0},
	    {MVI_TANGENT_TRIVECTOR, DML_TRIVECTOR, 0},
	    {MVI_POINT_PAIR, DML_POINT_PAIR, 0},
	    {0, DML_NONE, -1},
	};
	static const Fl_Menu_Item *menuOf(gaDrawMethodList list);
	static const descriptionModel descriptions;
};
template <> struct gaObjectKind<i2ga> {
	static constexpr int type = OT_I2GA;
	static constexpr const char *fileKeyword = "i2ga";
	static constexpr int properties = OP_FG_COLOR | OP_NAME | OP_VALUE | OP_DRAW_MODE | OP_INTERPRETATION;
	static int kindProperties(int) { return 0; }
	// i2ga values have no geometric kind
	static constexpr gaDrawMethodRow drawMethods[] = {{0, DML_NONE, -1}};
	static const Fl_Menu_Item *menuOf(gaDrawMethodList) { return nullptr; }
	static const descriptionModel descriptions;
};

template <class V> class gaObject : public object {
public:
	// Interprets the value with the creation flags; the kind found decides
	// the properties and the draw methods.  Shaded unless the force flags
	// hold DM_SHADE; the creation flags may choose the draw method.
	gaObject(const V &value, const std::string &name, int drawMode, int creationFlags, int forceFlags);
	~gaObject() override;

	int pick(glwindow *window) override { return draw(window); }
	// Draws nothing; the classes of the 3D models replace it with the
	// drawing of their kinds.
	int draw(glwindow *) override { return 0; }
	// Opaque objects (1.0) are drawn before transparent ones (2.0).
	double drawSortValue() override { return fgColor(3) == 1.0f ? 1.0 : 2.0; }
	// object::copy, then the value, reported when it differs, and its
	// interpretation.  Refuses, changing nothing, an object whose kind is
	// drawn from another list of methods.
	int copy(const object *o, int &propertiesChanged, int forceFlag) override;
	// One line with the name (sl nonzero), or the long form with the
	// numbers of the interpretation and the coordinates; cut to bufLen
	// bytes.  What the model does not know is an unknown blade or object.
	int description(char *buf, int bufLen, int sl) override;
	// "name" = value, the coordinates in the given printf format.
	std::string toString(const char *floatPrec) override;
	// The common lines, then the algebra's keyword, the name, the value with
	// every coordinate exactly as held, and the property words.
	int writeToGeoFile(FILE *F) override;
	// The same lines with the flag word "restore": read after the console
	// lines of a saved scene, they bring the object back as it was, whatever
	// those lines made of it.
	int writeRestoreToGeoFile(FILE *F);
	// The points and vectors of the interpretation; null outside their tables.
	const double *getPoint(int idx) const override { return tableRow(m_int.m_point, idx); }
	const double *getNormal(int idx) const override { return tableRow(m_int.m_vector, idx); }

	// The kind of the interpretation (type word without model and dual bits).
	int kind() const { return m_int.m_type & MVI_KIND_MASK; }
	// The list of draw methods of the value's kind, DML_NONE when it has none.
	gaDrawMethodList drawMethodList() const { return drawMethodsOf(kind()).list; }

	V m_mv;
	mvInt m_int;

protected:
	// The drag of a scalar, bivector or trivector: its magnitude grows by
	// (motionY - motionX) / 30 along its own direction; a drag that would
	// leave (almost) nothing leaves the value as it was.
	void dragMagnitude(double motionX, double motionY);
	// After a drag: the value's interpretation anew, and the variable
	// recorded as changed.
	void valueDragged();
	// Notes a failure to draw the value by its draw method: true the first
	// time, and again once the value or the method changed.
	bool drawFailureIsNew();
	// The world vector of a drag's motion at the depth of the drag (window
	// y downwards); 0 without a view.
	static e3ga dragMotion(glwindow *window, double depth, double motionX, double motionY);

private:
	static const gaDrawMethodRow &drawMethodsOf(int kind);
};

// An e3ga value drawn by its kind: a vector as an arrow, a bivector and a
// trivector by their draw method, a rotor as its plane with an arc of its
// angle.
class e3gaObject : public gaObject<e3ga> {
public:
	using gaObject::gaObject;
	// Draws the value by its kind, transparently when the view allows it
	// and the foreground is not opaque; an odd versor is reported.
	int draw(glwindow *window) override;
	// A vector follows the mouse at the depth of the drag; a scalar,
	// bivector or trivector grows or shrinks with (motionY - motionX) / 30.
	int translate(glwindow *window, double depth, double motionX, double motionY) override;

private:
	void drawRotor(int flags);
	// The bivector method of a rotor's plane: its own when it has one the
	// bivector glyphs know, else the circle.
	int rotorPlaneMethod() const;
};

// A p3ga value drawn by its kind: Euclidean vectors, bivectors and
// trivectors at the origin as the e3ga ones, points as small spheres, lines
// and planes out to the clip distance.
class p3gaObject : public gaObject<p3ga> {
public:
	using gaObject::gaObject;
	// Draws the value by its kind, transparently when the view allows it
	// and the foreground is not opaque; a blade of a kind it cannot draw
	// is reported on the console.
	int draw(glwindow *window) override;
	// A point, line or plane moves by the mouse's motion at the depth of
	// the drag (reversed), a vector loses it; a scalar, bivector or
	// trivector grows or shrinks with (motionY - motionX) / 30.
	int translate(glwindow *window, double depth, double motionX, double motionY) override;
};

// A c3ga value drawn by its kind: free blades at the origin, points and
// tangents where they lie, flats as the p3ga ones, point pairs, circles and
// spheres.
class c3gaObject : public gaObject<c3ga> {
public:
	using gaObject::gaObject;
	// As p3gaObject::draw; a blade of a kind it cannot draw is reported on
	// standard output.
	int draw(glwindow *window) override;
	// Every blade but a free vector is translated by the mouse's motion at
	// the depth of the drag (reversed), which leaves free blades as they
	// are; a free vector loses the motion.
	int translate(glwindow *window, double depth, double motionX, double motionY) override;

private:
	void drawPointPair();
	void drawCircle();
	void drawSphere();
};

// An i2ga value has no geometric kind: the object is named, shown, hidden,
// coloured and copied like the others, describes itself by its coordinates
// ("name: unknown i2ga object"), and is neither drawn nor dragged.
class i2gaObject : public gaObject<i2ga> {
public:
	using gaObject::gaObject;
	// Dragging changes nothing.
	int translate(glwindow *, double, double, double) override { return 0; }
};

extern template class gaObject<e3ga>;
extern template class gaObject<p3ga>;
extern template class gaObject<c3ga>;
extern template class gaObject<i2ga>;
