#pragma once
// UIstate: the user interface, one instance reached through gui_state (null
// while there is none).  It builds and owns the main window with its menu
// bar, the OpenGL view, the console, the object panel (properties of the
// current object), the scalar-controls panel, the status line and the wait
// button, together with the shared tube renderer and the drawing sizes that
// every scene object reads while it draws.
#include <string>
#include <vector>

#include "draw/tubedraw.h"

class glwindow;
class mainWindow;
class consoleWindow;
class selectWindow;
class dynStmtWindow;
class screenShotDialog;
class Fl_Console;
class object;
class Fl_Widget;
class Fl_Menu_Bar;
class Fl_Window;
class Fl_Scroll;
class Fl_Output;
class Fl_Multiline_Output;
class Fl_Button;
class Fl_Value_Slider;
class Fl_Check_Button;
class Fl_Menu_Button;
struct Fl_Menu_Item;

class UIstate {
public:
	// No windows: only what drawing reads (sizes, tube renderer).  Tests
	// that draw without a main window use it.
	UIstate();
	// Builds and shows the main window; argc and argv go to the toolkit's
	// show, which reads its own switches.  The caller stores the new
	// instance in gui_state.
	UIstate(int argc, char **argv);
	~UIstate();
	UIstate(const UIstate &) = delete;
	UIstate &operator=(const UIstate &) = delete;

	void initToNothing();
	// Every widget pointer to null: the main window is going, and with it
	// every widget.
	void forgetWidgets();

	// --- sizes (ui.cpp); the menu forms map a menu command code to one
	int setPointSize(double size);
	int setPointSizeFromMenu(int code);
	// Labels are told (state::textScaleChanged) when the scale changed.
	int setTextScale(double scale);
	// The tube renderer's line width.
	int setLineWidth(double width);
	int setLineWidthFromMenu(int code);
	// Negative: heads grow with their vector (see drawVector).
	int setVectorHeadSize(double size);
	// 0, or -1 with a message for a size outside 6..32.
	int setConsoleFontSize(int size);
	// Codes 36..39: 12, 16, 20, 24; -1 for other codes.
	int setConsoleFontSizeFromMenu(int code);
	// The status line shows text (null counts as "").
	int setStatus(const char *text);
	// The view saw the mouse move: the pointer shows again in full screen.
	int mouseMove();

	// --- the object panel (uipanel.cpp)
	int setCurrentObject(object *obj);
	// The object of that name, or none when there is no such object.
	int setCurrentObjectByName(const std::string &name);
	// Refreshes the widgets of the properties in propertiesChanged (-1: all).
	int updateControls(int propertiesChanged);
	// The draw-method menu shows items with item index chosen; -1 when index
	// is not an item of the table.
	int setDrawMethodMenu(const Fl_Menu_Item *items, int index);
	// A widget of the object panel was used.
	void ui_controlCallback(Fl_Widget *w);

	// --- panels and full screen (uitoggles.cpp); menuIndex is the position
	// in gui_menuTable of the item whose check mark follows the state
	int toggleHideConsole(int menuIndex);
	int toggleHideControls(int menuIndex);
	int toggleHideScalarControls(int menuIndex);
	int toggleFullscreen(int menuIndex);

	// --- one tick of the timer (uitimer.cpp)
	int timerCallback();

	// --- file commands of the menu (uifiles.cpp); a null name is asked
	// for with a file chooser first, and a cancelled chooser gives 0
	int openGeoFile(const char *name);
	int openPlayList(const char *name);
	int loadGFile(const char *name);
	// Asks for any file and opens it by its extension (".geo", ".gpl", ".g").
	int openAnyFile();
	int loadGDir();
	int saveState();
	// Whether file may be written: nothing has its name, or the user
	// answers "Yes" to replacing it ("No" is the default answer).
	bool mayReplace(const std::string &file);
	// The toolkit's file chooser: title, the patterns offered (the first
	// in force) and the file it starts from.  The chosen name, valid until
	// the next chooser, or null.
	const char *genericOpenFile(const std::string &title, const std::vector<std::string> &patterns,
	                            const std::string &previous);

	// --- screenshots (uiscreenshot.cpp): the view takes the shot on its
	// third redraw from now; a size of no area, and a file that may not be
	// written or holds something else than a PNG image, are refused with a
	// message.  With askFirst, an existing PNG image is replaced only when
	// the user says so (mayReplace).
	int setupScreenshot(const std::string &filename, int width, int height, bool alsoNoLabels,
	                    bool askFirst = false);

	// --- dialogs (uidialogs.cpp), each modal and shown at once
	// mode 1: select a hidden object, 2: select any object, 3: show and hide
	// hidden objects
	int createSelectWindow(int mode);
	int createDynStmtWindow();
	int createScreenshotDialog();

	// --- fields, in this order
	// the last file chosen in each file chooser
	std::string m_prevGeoFile, m_prevGPLFile, m_prevGFile, m_prevAnyFile;
	mainWindow *m_mainWindow;
	Fl_Menu_Bar *m_menubar;
	// the OpenGL view, or null
	glwindow *m_glWindow;
	// size of drawn points
	double m_pointSize;
	// scale of label text
	double m_textScale;
	// size of vector heads; negative means they follow the vector's size
	double m_vectorHeadSize;
	int m_consoleVisible;
	consoleWindow *m_consoleGroup;
	Fl_Console *m_console;
	int m_scalarGroupVisible;
	Fl_Window *m_scalarGroup;
	// where the console controls are stacked
	Fl_Scroll *m_scalarGroupScroll;
	int m_controlGroupVisible;
	Fl_Window *m_controlGroup;
	Fl_Output *m_nameLabel, *m_nameOutput;
	Fl_Button *m_removeButton, *m_hideButton;
	Fl_Button *m_fgColorButton;
	Fl_Output *m_fgAlphaLabel;
	Fl_Value_Slider *m_fgAlphaSlider;
	Fl_Button *m_bgColorButton;
	Fl_Output *m_bgAlphaLabel;
	Fl_Value_Slider *m_bgAlphaSlider;
	Fl_Button *m_olColorButton;
	Fl_Output *m_olAlphaLabel;
	Fl_Value_Slider *m_olAlphaSlider;
	Fl_Output *m_fontSizeLabel;
	Fl_Value_Slider *m_fontSizeSlider;
	Fl_Output *m_descriptionLabel;
	Fl_Multiline_Output *m_descriptionOutput;
	Fl_Output *m_drawMethodLabel;
	Fl_Menu_Button *m_drawMethodMenu;
	Fl_Check_Button *m_dmStippleButton, *m_dmOriButton, *m_dmWireframeButton, *m_dmShadeButton,
	    *m_dmMagnitudeButton;
	// clock time of the last mouse action in the view
	double m_fsLastMouseActionTime;
	int m_fullscreen;
	// the cursor set in full-screen mode: 0 the default, 255 none, -1 none set yet
	int m_cursor;
	bool m_alwaysObjectDescriptionInStatusBar;
	Fl_Output *m_statusOutput;
	Fl_Button *m_waitButton;
	// shown in the object panel, or null; not owned
	object *m_currentObject;
	// the dialogs last opened, each null once it has closed
	selectWindow *m_selectWindow;
	dynStmtWindow *m_dynStmtWindow;
	screenShotDialog *m_screenShotDialog;
	// redraws of the view until the screenshot is taken; 0 none pending
	int m_screenShotOnNextRedraw;
	// the screenshot requested last: file, size in pixels, and whether a
	// second file without labels is written
	std::string m_ssFilename;
	int m_ssWidth;
	int m_ssHeight;
	bool m_ssAlsoNoLabels;
	// the one line renderer of the scene
	TubeDraw m_tubeDraw;

	static constexpr double sc_defaultPointSize = 0.1;
	static constexpr double sc_defaultTextScale = 1.0;
	static constexpr double sc_defaultVectorHeadSize = -1.0;
	static constexpr double sc_defaultLineWidth = 2.0;
	// sides of every tube: round enough under the lights, cheap enough for
	// thousands of lines a frame
	static constexpr int sc_tubeSides = 8;
	// console text sizes: below 6 pixels nothing is legible, above 32 a
	// line of a formula no longer fits the console
	static constexpr int sc_minConsoleFontSize = 6;
	static constexpr int sc_maxConsoleFontSize = 32;
	// the timer's period: a tick 30 times a second, as a float, which is the
	// precision the period has always had
	static constexpr double sc_tickPeriod = static_cast<double>(1.0f / 30.0f);
	// redraws from a screenshot request to the shot, so that the window has
	// settled
	static constexpr int sc_screenShotRedraws = 3;
	// the longest side of a screenshot in pixels: the assembly band (the
	// image's width times a tile's height, 3 bytes a pixel) stays within
	// tens of megabytes for a view of a thousand pixels (a few hundred at the
	// largest view, and a band that cannot be had is reported), and the
	// number of tiles within hundreds
	static constexpr int sc_maxScreenshotSide = 16384;

private:
	// the pieces of the main window (uibuild.cpp)
	void buildConsole();
	void buildStatusLine();
	void buildControlPanel();
	void buildScalarPanel();
	// Shows or hides each group of the object panel for the current object.
	void stackControls();
};

extern UIstate *gui_state;

// Asks the OpenGL view, when there is one, to draw again.
void uiRedrawView();

// The toolkit's timeout: re-arms itself, then runs one tick of gui_state.  A
// tick that starts while another runs (a modal dialog runs the event loop)
// only re-arms.
void ui_timerCallback(void *data);
// The wait button: starts or ends the input wait.
void ui_statusCallback(Fl_Widget *w, void *data);
// Widgets of the object panel.
void ui_controlCallback(Fl_Widget *w, void *data);
// The draw-method menu.
void ui_drawMethodMenuCallback(Fl_Widget *menu, void *data);
