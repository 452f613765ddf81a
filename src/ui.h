#pragma once
// UIstate: the user interface, one instance reached through gui_state (null
// while there is none).  It owns the OpenGL view, the shared tube renderer
// and the drawing sizes that every scene object reads while it draws.
#include "tubedraw.h"

class glwindow;

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
