#pragma once
// object: the base of everything in the scene.  It holds what all scene
// objects share: the name under which the state keeps it, its kind, its
// colours with their alphas, its draw-mode bits, its polygon offset, a running
// fade, its draw method, the property bits that say which of these it has, and
// an OpenGL display list.  This header also fixes the flag words that cross
// the program: draw modes, properties, force flags and creation flags.
#include <cstdio>
#include <string>

class glwindow;
struct Fl_Menu_Item;

// --- draw-mode bits (object::m_drawMode) ----------------------------------------
constexpr int DM_STIPPLE = 0x1;   // polygon and line stipple on
constexpr int DM_ORI = 0x2;       // orientation signs drawn
constexpr int DM_WIREFRAME = 0x8; // polygons drawn as lines
constexpr int DM_SHADE = 0x10;    // lighting on
constexpr int DM_MAGNITUDE = 0x20; // glyph size follows the weight or magnitude
constexpr int DM_HIDE = 0x40;     // hidden
constexpr int DM_OUTLINE = 0x80;  // outline drawn (polygons)
// The program's own global variables (camori, campos, autocolor, atime):
// they stay hidden when replaced and the console does not print them.
constexpr int DM_INTERNAL = 0x100;

// --- property bits (object::m_properties; also what copy reports changed) --------
constexpr int OP_FG_COLOR = 0x1;
constexpr int OP_BG_COLOR = 0x2;
constexpr int OP_OL_COLOR = 0x4;
constexpr int OP_FONT_SIZE = 0x8;
constexpr int OP_NAME = 0x10;
constexpr int OP_VALUE = 0x20;          // multivector, vertices or text
constexpr int OP_DRAW_MODE = 0x40;
constexpr int OP_DRAW_METHOD = 0x80;    // m_dmMenu and m_dmMenuIdx
constexpr int OP_INTERPRETATION = 0x100; // the value has a geometric interpretation

// --- force flags: attributes the user set explicitly ----------------------------
// The low bits are the draw-mode bits that were set explicitly: copy takes
// exactly those from the other object, and a constructor leaves DM_SHADE off
// when DM_SHADE is among them.  Above them:
constexpr int FF_COPY_COLORS = 0x8000;      // copy takes the RGB of all three colours
constexpr int FF_COPY_ALPHAS = 0x10000;     // copy takes the three alphas
constexpr int FF_COPY_DRAW_METHOD = 0x20000; // copy takes the draw method

// --- creation flags: how a new object reads its value ----------------------------
constexpr int OC_GRADE_MASK = 0x1ff; // bit 1 << n keeps grade n (e3ga)
constexpr int OC_VERSOR = 0x200;     // read the value as a versor
constexpr int OC_BLADE = 0x400;      // read the value as a blade; wins over OC_VERSOR
constexpr int OC_DYNAMIC = 0x800;    // a polygon or mesh follows named points
constexpr int OC_DRAW_METHOD = 0x7000; // draw-method index + 1; 0 the class's default
constexpr int OC_DRAW_METHOD_SHIFT = 12;
// A mesh reads the draw-method field as these instead.
constexpr int OC_COMPUTE_NORMALS_FLAT = 0x1000;
constexpr int OC_COMPUTE_NORMALS_GOURAUD = 0x2000;
constexpr int OC_SPECIFY_NORMALS = 0x4000;

// The draw-method index that creation flags ask for, or -1 for the default.
inline int creationDrawMethod(int creationFlags)
{
	return ((creationFlags & OC_DRAW_METHOD) >> OC_DRAW_METHOD_SHIFT) - 1;
}

// --- kinds of object (object::m_type) ----------------------------------------------
enum objectType {
	OT_NONE = 0,
	OT_TEXT = 1,
	OT_E3GA = 2,
	OT_P3GA = 3,
	OT_C3GA = 4,
	OT_POLYGON = 5,
	OT_MESH = 6,
	OT_I2GA = 7,
};

// Thrown by value by object::update when a fade that removes its object
// ends; whoever runs the update removes the object once the call returned.
class removeObjectException {};

class object {
public:
	object(int type, const std::string &name, int drawMode, int creationFlags, int forceFlags);
	virtual ~object();
	object(const object &) = delete;
	object &operator=(const object &) = delete;

	void initToNothing();

	// --- drawing, done by each kind
	virtual int pick(glwindow *window) = 0;
	virtual int draw(glwindow *window) = 0;
	// The view draws objects in ascending order of this value.
	virtual double drawSortValue() = 0;

	// "name: no description available" (short form) or the long form, into
	// buf of bufLen bytes, cut to fit.
	virtual int description(char *buf, int bufLen, int sl);
	// Takes the properties of o that this object shares with it (see
	// object.cpp); 0 when it did, -1, changing nothing, for objects of other
	// kinds, draw-method lists or property masks.
	virtual int copy(const object *o, int &propertiesChanged, int forceFlag);
	// Advances a running fade to currentTime; throws removeObjectException
	// when a fade that removes the object ends.
	virtual int update(double currentTime);
	virtual int setFontSize(float size);
	virtual int translate(glwindow *window, double depth, double motionX, double motionY);
	virtual std::string toString(const char *floatPrec);
	// The scene-file lines that make the object again; this base writes the
	// lines every kind starts with: its colours and font size, which the
	// state passes on to the object line that follows.  0, or -1 when the
	// stream failed.
	virtual int writeToGeoFile(FILE *F);
	// The object flag words of the set draw-mode bits, each followed by a
	// blank, then "dmN" for the draw method when there is one.
	int writeToGeoFileProperties(FILE *F);
	virtual int textScaleChanged() { return 0; }
	virtual int colorFgChanged() { return 0; }
	virtual int colorBgChanged() { return 0; }
	virtual int colorOlChanged() { return 0; }
	// Point or vector idx that the object offers to others (labels that
	// follow it, polygons made of named points), or null when it has none
	// of that index.
	virtual const double *getPoint(int idx) const;
	virtual const double *getNormal(int idx) const;

	// --- names and showing
	const std::string &name() const { return m_name; }
	int type() const { return m_type; }
	// An object of an algebra's value, a variable of the console; not a
	// label, polygon or mesh.
	bool holdsValue() const { return m_type == OT_E3GA || m_type == OT_P3GA || m_type == OT_C3GA || m_type == OT_I2GA; }
	int hide();
	int show();
	int toggleHide();
	int hidden() const { return m_drawMode & DM_HIDE; }

	// --- colours: the set forms without notification take floats, those
	// with take doubles; component 3 of the read forms is the alpha as shown,
	// times the fade factor.
	int setFgColor(const float *c) { return storeColor(m_fgColor, c); }
	int setBgColor(const float *c) { return storeColor(m_bgColor, c); }
	int setOlColor(const float *c) { return storeColor(m_olColor, c); }
	int setFgColor(const double *c);
	int setBgColor(const double *c);
	int setOlColor(const double *c);
	int setFgAlpha(float alpha);
	int setBgAlpha(float alpha);
	int setOlAlpha(float alpha);
	float fgColor(int idx) const { return shownComponent(m_fgColor, idx); }
	float bgColor(int idx) const { return shownComponent(m_bgColor, idx); }
	float olColor(int idx) const { return shownComponent(m_olColor, idx); }
	const float *fgColor() const { return m_fgColor; }
	const float *bgColor() const { return m_bgColor; }
	const float *olColor() const { return m_olColor; }
	int copyColors(const object *o);
	int copyAlphas(const object *o);
	// Make that colour current in OpenGL (colour and front material).
	int setFgColor();
	int setBgColor();
	int setOlColor();

	// --- fade and display list
	// Fades every alpha from startFadeFactor (the current factor when
	// negative or NaN) to target over duration seconds, then does action:
	// 0 nothing, 1 hide, 2 remove.  A fade of no duration ends inside this
	// call, so it throws removeObjectException as update does: call it
	// through state::fadeObject, which removes the object afterwards.
	int setFade(double duration, float target, int action, float startFadeFactor);
	int allocDisplayList();
	int freeDisplayList();
	// The view's OpenGL context was made anew, and what the object kept in
	// the old one went with it: the names are forgotten, nothing deleted,
	// and the next draw makes them again.
	virtual void forgetGLObjects();

	// --- failures to draw, reported once rather than at every redraw
	// Notes that the object failed to draw (or lay out) what key describes
	// (its value and draw method, a label's text): true the first time,
	// false while it keeps failing on the same key.
	bool noteFailure(const std::string &key);
	// Whether the failure noted last, with no draw since, was on key.
	bool failedOn(const std::string &key) const { return m_failed && m_failureKey == key; }
	// The object drew: its next failure is news, whatever its key.
	void noteDrawn() { m_failed = false; }

	// --- fields
	std::string m_name;
	int m_type;
	float m_fontSize;
	int m_drawMode;
	float m_poFactor;
	float m_poUnits;
	// fade: times on the u_timeGet clock, factors, and the action at its end
	double m_fadeStartTime;
	double m_fadeEndTime;
	float m_fadeCurrentFactor;
	float m_fadeStartFactor;
	float m_fadeEndFactor;
	int m_fadeAction;
	// the object's draw methods, one menu item each, or null; the selected index
	const Fl_Menu_Item *m_dmMenu;
	int m_dmMenuIdx;
	int m_properties;
	unsigned int m_displayList;
	float m_fgColor[4];
	float m_bgColor[4];
	float m_olColor[4];
	// a failure to draw was noted, and on what
	bool m_failed;
	std::string m_failureKey;

	// Number of the next object made without a name; back to 1 when the
	// state removes all objects.
	static int m_objectCount;

	// fade actions (m_fadeAction)
	static constexpr int FADE_NONE = -1;
	static constexpr int FADE_NOTHING = 0;
	static constexpr int FADE_HIDE = 1;
	static constexpr int FADE_REMOVE = 2;
	// m_displayList of an object without a display list
	static constexpr unsigned int NO_DISPLAY_LIST = ~0u;

protected:
	// Row idx of a table of N points or vectors, or null outside the table.
	template <int N> static const double *tableRow(const double (&rows)[N][3], int idx)
	{
		return idx >= 0 && idx < N ? rows[idx] : nullptr;
	}

private:
	static int storeColor(float *dst, const float *c);
	static int storeColor(float *dst, const double *c);
	float shownComponent(const float *c, int idx) const;
	int makeColorCurrent(const float *c);
};
