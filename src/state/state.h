#pragma once
// The application state: one instance, reached through g_state, owns what the
// program computes and shows apart from the widgets: the scene objects by
// name, the console's global scope, the drawing defaults that new objects
// take, the stored factors of the three 3D models and the working directory.
// Nothing in it runs on its own: the console, the scripts and the timer call
// its operations.
#include <map>
#include <set>
#include <string>

#include "c3ga/c3ga.h"
#include "e3ga/e3ga.h"
#include "i2ga/i2ga.h"
#include "object.h"
#include "p3ga/p3ga.h"

class consoleGlobalScope;

class state {
public:
	state();
	~state();
	state(const state &) = delete;
	state &operator=(const state &) = delete;

	void initToNothing();
	// What a new top-level script starts from: no objects, a new global
	// scope (no user variables, functions or constants); drawing defaults
	// and factors stay.
	int reset();
	// Replaces the console's global scope by a new root and sets the
	// program's own global variables in it.
	int newGlobalScope();
	// camori (the camera's orientation), campos (its position) and
	// autocolor, hidden and internal.
	int setDefaultGlobalScopeVariables();

	// --- objects (stateobjects.cpp)
	// The key of the object map: a pointer to the object's own name, which
	// therefore must not change while the object is in the map.
	typedef const std::string *stringPtr;
	// Byte-wise order of the pointed-to names: "B" before "a".
	struct stringPtrLess {
		bool operator()(stringPtr a, stringPtr b) const { return *a < *b; }
	};
	typedef std::map<stringPtr, object *, stringPtrLess> objectMap;

	object *getObjectPtrByName(const std::string &name) const;
	// Takes obj over.  An object of that name that can take obj's properties
	// (object::copy) stays and obj is deleted; otherwise obj replaces it.
	// forceFlags say which of obj's attributes are copied onto a kept object.
	int addObject(object *obj, int forceFlags);
	int addE3gaObject(const e3ga &value, const std::string &name, int drawMode, int creationFlags, int forceFlags);
	int addP3gaObject(const p3ga &value, const std::string &name, int drawMode, int creationFlags, int forceFlags);
	int addC3gaObject(const c3ga &value, const std::string &name, int drawMode, int creationFlags, int forceFlags);
	int addI2gaObject(const i2ga &value, const std::string &name, int drawMode, int creationFlags, int forceFlags);
	// 0 when the object was removed, -1 when no object has that name.
	int removeObject(const std::string &name);
	int removeObject(object *obj);
	int removeAllObjects();
	int showObject(const std::string &name);
	int hideObject(const std::string &name);
	int textScaleChanged();
	// The timed update of every object, in name order; objects whose fade
	// ended in removal are removed after the walk.
	int objectUpdate();
	// object::setFade on the named object; when the fade removes the object
	// at once, it is removed after the call.  -1 when no object has that name.
	int fadeObject(const std::string &name, double duration, float target, int action, float startFadeFactor);
	// Records that the variable of that name changed.
	int modified(const std::string &name);

	// --- waiting for the user (stateinputwait.cpp)
	// 1: a script waits until the user goes on (Enter, the wait button); a
	// sleep still pending is extended by the time spent waiting.  0: the
	// wait ends.  Nothing happens while a bookmark is searched.
	int setInputWaitState(int wait);

	// --- colours (statecolors.cpp): the defaults that objects added
	// afterwards take, and the canvas colour
	// m_fgColor, m_bgColor, m_olColor or m_cvColor for "fgcolor", "bgcolor",
	// "olcolor", "cvcolor" in any case; null, with a message, for any other.
	float *getColorPtr(const char *which);
	int setColor(const char *which, float r, float g, float b, float a);
	// The colour of a colour name (colors.h); a name it does not know
	// prints a message, changes nothing and gives -1.
	int setColor(const char *which, const char *colorName);

	// --- stored factors (statefactors.cpp): the grade-1 part of the value
	// goes to slot index; -1 for an index outside the model's slots.
	int setE3gaFactor(const e3ga &value, int index);
	int setP3gaFactor(const p3ga &value, int index);
	int setC3gaFactor(const c3ga &value, int index);

	// --- working directory (statefiles.cpp)
	// Stores path; when fromFileName, path names a file and its directory is kept.
	void setWorkingDirectory(const std::string &path, bool fromFileName);
	// name resolved against the working directory.
	std::string fullFilename(const std::string &name) const;

	// --- fields, in this order
	// directory against which relative file names are resolved
	std::string m_workingDirectory;
	// the process's working directory when the state was made
	std::string m_initialWorkingDirectory;
	// 1 while a script skips ahead to a bookmark: fades end at once
	int m_bookmarkSearch;
	// clock time at which a script's sleep ends; -1 when none
	double m_inputSleepTime;
	// 1 while a script waits for the user
	int m_inputWait;
	// clock time at which the wait began, when a sleep was pending; -1 otherwise
	double m_inputWaitTime;
	// the console's global scope, owned
	consoleGlobalScope *m_globalScope;
	// the scene objects, owned, in byte-wise name order
	objectMap m_objects;
	// RGBA defaults of new objects' foreground, background and outline, and
	// the canvas colour of the view
	float m_fgColor[4];
	float m_bgColor[4];
	float m_olColor[4];
	float m_cvColor[4];
	// font size given to new objects
	float m_fontSize;
	// distance out to which lines and planes are drawn
	float m_clipDistance;
	// polygon offset given to new objects
	float m_poFactor;
	float m_poUnits;
	// light intensities of the view
	float m_ambient;
	float m_diffuse;
	// 1: the view draws labels over everything else
	int m_labelsAlwaysOnTop;
	// stored factors of the three 3D models
	static constexpr int NB_E3GA_FACTORS = 3;
	static constexpr int NB_P3GA_FACTORS = 4;
	static constexpr int NB_C3GA_FACTORS = 5;
	e3ga m_e3gaFactor[NB_E3GA_FACTORS];
	p3ga m_p3gaFactor[NB_P3GA_FACTORS];
	c3ga m_c3gaFactor[NB_C3GA_FACTORS];
	// names of objects changed since the last network broadcast
	std::set<std::string> m_netVarChanges;

	// defaults of a new state
	static constexpr float sc_defaultFontSize = 20.0f;
	static constexpr float sc_defaultClipDistance = 5.0f;
	static constexpr float sc_defaultAmbient = 0.2f;
	static constexpr float sc_defaultDiffuse = 0.8f;
	// subdivision depths of the shared geodesic spheres: points are small on
	// screen, spheres may fill it
	static constexpr int sc_pointSphereDepth = 2;
	static constexpr int sc_sphereSphereDepth = 3;
	// the camera starts this far out along e3, looking at the origin
	static constexpr double sc_defaultCameraDistance = 11.0;

private:
	template <class T, class V>
	int addAlgebraObject(const V &value, const std::string &name, int drawMode, int creationFlags, int forceFlags);
};

extern state *g_state;
