#pragma once
// UIstate: the user interface, one instance reached through gui_state (null
// while there is none).  It owns the OpenGL view, the shared tube renderer
// and the drawing sizes that every scene object reads while it draws.
#include "tubedraw.h"

class Fl_Console;
class glwindow;
class object;

class UIstate {
public:
	// The tube renderer starts with line width 2, tubes and 8 sides; the
	// caller stores the new instance in gui_state.
	UIstate();
	~UIstate();
	UIstate(const UIstate &) = delete;
	UIstate &operator=(const UIstate &) = delete;

	void initToNothing();

	// Each stores its size; the menu forms map a menu command code to one.
	int setPointSize(double size);
	int setPointSizeFromMenu(int code);
	// Labels are told (state::textScaleChanged) when the scale changed.
	int setTextScale(double scale);
	// The tube renderer's line width.
	int setLineWidth(double width);
	int setLineWidthFromMenu(int code);
	// Negative: heads grow with their vector (see drawVector).
	int setVectorHeadSize(double size);
	// Notes the time of the last mouse action in the view.
	int mouseMove();
	// The object the object panel shows; null for none.
	int setCurrentObject(object *obj);

	// --- fields, in this order
	// the OpenGL view, or null
	glwindow *m_glWindow;
	// size of drawn points
	double m_pointSize;
	// scale of label text
	double m_textScale;
	// size of vector heads; negative means they follow the vector's size
	double m_vectorHeadSize;
	// size in pixels of the screenshot being rendered
	int m_ssWidth;
	int m_ssHeight;
	// the one line renderer of the scene
	TubeDraw m_tubeDraw;
	// the console widget, or null
	Fl_Console *m_console;
	// clock time of the last mouse action in the view; -1 none yet
	double m_fsLastMouseActionTime;
	// full-screen mode on
	int m_fullscreen;
	// the object shown in the object panel, or null; not owned
	object *m_currentObject;

	static constexpr double sc_defaultPointSize = 0.1;
	static constexpr double sc_defaultTextScale = 1.0;
	static constexpr double sc_defaultVectorHeadSize = -1.0;
	static constexpr double sc_defaultLineWidth = 2.0;
	// sides of every tube: round enough under the lights, cheap enough for
	// thousands of lines a frame
	static constexpr int sc_tubeSides = 8;
};

extern UIstate *gui_state;

// Asks the OpenGL view, when there is one, to draw again.
void uiRedrawView();
// Called by the state before it deletes obj: it is no longer the current
// object nor one of the view's recent picks.
void uiObjectRemoved(const object *obj);
