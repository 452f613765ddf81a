#pragma once
// glwindow: the OpenGL view.  It sets up the projection (also for one tile of
// a tiled screenshot), places the camera from the global console variables
// camori (a rotor) and campos (a vector), and draws every visible scene
// object in one pass, opaque objects before transparent ones.  It offers the
// objects what they need while drawing or being dragged: the size of what is
// rendered, the world vector of a window motion at a depth, and whether they
// may turn depth writing off.
#include <FL/Fl_Gl_Window.H>

#include <string>
#include <vector>

#include "e3ga/e3ga.h"

class object;

class glwindow : public Fl_Gl_Window {
public:
	// A view inside another window; the camera starts at 11 e3 looking at
	// the origin, unturned.
	glwindow(int X, int Y, int W, int H, const char *L);
	~glwindow() override;

	void initToNothing();

	// The toolkit's redraw: the whole scene.
	void draw() override;
	// With the view's OpenGL context current: when the toolkit made it anew
	// (at the first use, and after the window itself was made again, as
	// going full screen without a window manager does), nothing made in
	// the old one exists, so the fonts, the objects' display lists and the
	// label images forget theirs and make them again as they are drawn.
	void adoptNewContext();
	// The context made current, and adopted, for work outside draw().
	void makeContextCurrent();
	void beginglDraw();
	void endglDraw();
	// Identity model-view, the perspective projection and depth testing;
	// it also learns the largest viewport the GL serves.
	void setupViewport();
	// The longest side, in pixels, a view may have: what the GL serves, once
	// a view has drawn, and never more than sc_maxSide.
	static int maxSide();
	// The perspective projection of the window, or of the current tile of a
	// screenshot; one unit spans 1200 pixels at the near plane.
	void setup3DProjection();
	// A projection in window pixels (origin bottom left) for overlays; no
	// perspective, so vectorAtDepth has nothing to go by afterwards.
	void setup2DOrtho();
	// World to eye: turn by camori, then move by -campos.
	void setupEyeTransform();
	// Clears to the canvas colour, sets the lights and stipples and draws
	// the visible objects in ascending order of their draw-sort value.
	void drawScene();
	// The objects that are not hidden, in ascending order of their
	// draw-sort value, equal values in name order.
	static std::vector<object *> visibleObjectsInDrawOrder();
	// The state every object is drawn in: faces filled, back faces culled,
	// OpenGL's line width, no stipple, lighting, colour material, texture or
	// blending, depth written, the model-view matrix current.
	static void setupObjectState();
	// That state but for lighting, which every object switches itself
	// before it draws.
	static void restoreObjectState();
	// The object's draw (or, in selection mode, its pick), after which the
	// state is again the one above, whatever the object changed, but for
	// lighting.
	void drawObject(object *obj);
	void pickObject(object *obj);
	// With labels always on top: clears the depth buffer before the first
	// label of a pass (depthCleared tells whether it was done).
	static void clearDepthBeforeFirstLabel(const object *obj, bool &depthCleared);
	// Push the model-view then the projection matrix; pop them in reverse.
	// Both leave the model-view matrix current.
	void pushTransform();
	void popTransform();

	// Size of what is rendered: the window, or the whole screenshot.
	double getRenderWidth() const;
	double getRenderHeight() const;
	// v = the world vector covered by (vx, vy) window pixels at eye-space
	// distance depth; -1 and v = 0 while no perspective is set up.
	int vectorAtDepth(double depth, double vx, double vy, e3ga &v) const;
	int depthMaskAllowedOff() const { return m_depthMaskAllowedOff; }

	// The camera as the console variables hold it; each call refreshes one
	// value kept for the program run, which callers copy.
	static e3ga &getCamOri();
	static e3ga &getCamPos();
	// Assign the console variables (hidden, internal); the dynamic
	// statements run again.
	static void setCamOri(const e3ga &R);
	static void setCamPos(const e3ga &p);

	// --- fields, in this order
	// pick region: window x, y (origin bottom left), half-width, half-height;
	// x or y below 0: none
	int m_pick[4];
	// 1: objects may turn depth writing off to draw transparently
	int m_depthMaskAllowedOff;
	// the frustum of the perspective projection at the near plane; all -1
	// while none is set up
	double m_frustumWidth;
	double m_frustumHeight;
	double m_frustumNear;
	double m_frustumFar;
	// a screenshot tile is being rendered: its viewport in pixels, and its
	// extent as fractions 0..1 of the whole image (x left to right, y bottom
	// to top)
	bool m_screenShotActive;
	int m_ssViewportWidth;
	int m_ssViewportHeight;
	double m_ssStartX, m_ssEndX;
	double m_ssStartY, m_ssEndY;

	// --- screenshots (glwindowscreenshot.cpp)
	// Takes the screenshot that the user interface holds as requested:
	// m_ssWidth x m_ssHeight pixels rendered in tiles into a PNG file, and a
	// second file without labels when asked for.  0, or -1 with a message.
	int performScreenShot();
	// One PNG file of the requested size; 0, or -1 with a message.
	int writeScreenShot(const std::string &filename);

	// --- the mouse (glwindowmouse.cpp): without Ctrl, button 1 turns the
	// camera (a trackball inside a central circle, a roll outside it),
	// button 2 pans and button 3 zooms, all finer with Shift; with Ctrl,
	// clicks pick objects, button 2 also types the name at the console's
	// cursor and button 3 drags the picked object.
	int handle(int event) override;
	// The camera motions of a drag, in pixels already scaled for Shift:
	// since the press (dx, dy) or since the previous event (ddx, ddy); x
	// and y are the cursor's window position (origin top left).
	void trackball(float dx, float dy);
	void roll(float ddx, float ddy, int x, int y);
	void pan(float ddx, float ddy);
	void zoom(float ddy);

	// --- picking (glwindowpick.cpp)
	// The object drawn nearest under window pixel (x, y) (origin bottom
	// left), passing over objects picked recently at this spot (see
	// pickedRecently), or null.  storeTranslationDepth: also measure the
	// eye-space depth of the surface under the cursor, which a Ctrl+button-3
	// drag moves the object at.
	object *pick(int x, int y, int repeastLastPick, int storeTranslationDepth);
	int clearRecentPicks();
	int addRecentPick(object *obj, int x, int y, int repeastLastPick);
	// 1 when (x, y) lies within the pick region of the latest recent pick.
	int inRecentPickRange(int x, int y);
	// Whether obj was picked at this spot already and is to be passed over;
	// a pick elsewhere forgets the recent picks.  repeastLastPick lets the
	// latest pick of another gesture be picked again.
	int pickedRecently(object *obj, int x, int y, int repeastLastPick);
	// An object that is deleted is no longer one of the recent picks.
	int forgetRecentPick(const object *obj);

	// one remembered pick
	struct recentPick {
		int x, y;
		int repeastLastPick;
		object *obj; // not owned
	};

	// the Ctrl bit as held at the last mouse press
	int m_mousePickMode;
	// picks made at the current spot, in the order made
	std::vector<recentPick> m_recentPicks;
	// the mouse-button bits held at the last press
	int m_mouseButtons;
	// eye-space distance at which a Ctrl+button-3 drag moves the object; -1 none
	double m_translationDepth;
	// the gesture: window position of the last press without Ctrl, of the
	// previous accepted motion, whether that press was inside the trackball
	// circle, and the camera's orientation then
	int m_firstX, m_firstY;
	int m_lastX, m_lastY;
	int m_inside;
	e3ga m_firstRot;

	// the longest side of a view: beyond it a software GL's frame buffers
	// alone take gigabytes, and no screen shows that much; larger images
	// are screenshots, which are drawn in tiles
	static constexpr int sc_maxSide = 8192;
	// the longest viewport side the GL serves; 0 until a view has drawn
	static int s_glMaxViewportSide;

	// pixels of window (or screenshot) width that span one unit at the near plane
	static constexpr double sc_pixelsPerNearUnit = 1200.0;
	static constexpr double sc_near = 0.95;
	static constexpr double sc_far = 100.0;
	// near and far planes of the overlay projection
	static constexpr double sc_orthoNear = 1.0;
	static constexpr double sc_orthoFar = 100.0;
};

// The name of a screenshot's second file, the one without labels: "_wol"
// before the ".png" ending of the file's own name, or after a name without
// that ending.
std::string screenShotNameWithoutLabels(const std::string &filename);
// Why no screenshot is written under name, said after the name: it may not
// be written (u_whyNotWritable), or a file there holds something else than
// a PNG image; "" when one is.
std::string whyNoScreenShotIn(const std::string &name);
