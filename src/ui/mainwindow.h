#pragma once
// mainWindow: the program's top-level window.  It lays out the menu bar, the
// view, the console, both panels, the status line and the wait button
// whenever it changes size or a panel is shown or hidden, handles the
// window-wide keys and switches full-screen mode.
#include <FL/Fl_Window.H>

class UIstate;

class mainWindow : public Fl_Window {
public:
	// ui: the user interface whose parts the window lays out; it may not
	// yet be gui_state while it is being built.
	mainWindow(UIstate *ui, int W, int H, const char *L = nullptr);
	~mainWindow() override;

	void initToNothing();
	// At least sc_minWidth x sc_minHeight, no maximum.
	void setSizeRange();
	// The geometry is saved, then the window asks to fill the screen.
	void fullscreen();
	// The window asks to be back at the saved geometry.
	void fullscreen_off();
	// "Korimbel" for an empty text, else "Korimbel: " and text, cut to the
	// title buffer.
	void setTitle(const char *text);
	const char *title() const { return label(); }

	// Enter ends an input wait, Escape leaves full-screen mode; both are
	// taken either way, so Escape never closes the window.  In full-screen
	// mode Space goes to the next playlist entry.
	int handle(int event) override;
	// The keyboard goes to the console's command line when the console
	// shows, else to the window itself: a hidden widget never takes what is
	// typed, and the window's keys always reach its handle().  Nothing while
	// a dialog is open: it keeps the keyboard.
	void takeKeyboard();
	// Whether a modal window (a dialog, a chooser, a message box) shows.
	static bool dialogOpen();
	// The base window resizes, then the layout places every part.
	void resize(int X, int Y, int W, int H) override;
	// True while the base window resizes its children within a layout: a
	// change of size then is the layout's, not the user's.
	static bool layoutRunning() { return s_layoutRunning; }

	// --- fields: geometry saved when entering full-screen mode, kept until
	// the window is back at it; -1 when none
	int m_fsoX, m_fsoY, m_fsoW, m_fsoH;
	// whether the window asked the window manager for the mode that the
	// user interface shows and has not yet seen it applied: a window
	// manager applies each request later, so a request that comes before
	// it applied the one before would otherwise be lost
	bool m_fullscreenAsked;
	// the user interface that owns the window
	UIstate *m_ui;

	// the smallest window in which the view, console and panels still work
	static constexpr int sc_minWidth = 500;
	static constexpr int sc_minHeight = 200;
	// bytes of the title, with its terminating zero
	static constexpr int sc_titleBufferSize = 1024;

private:
	static bool s_layoutRunning;
	// Whether the console's widget shows, its windows included.
	bool consoleShows() const;
	// Whether what is typed is the command line's: the console shows and
	// no dialog is open.
	bool keyboardBelongsToConsole() const;
	// The parts when not in full-screen mode.
	void layout(int W, int H);
	// Asks for full screen on or off, back at the saved geometry.
	void askFullscreen(bool on);
	// The window manager applied a full-screen request: when the mode it
	// applied is not the one last asked for, the window asks again.
	void fullscreenApplied();
};

// Drops a UTF-8 character that a cut of text to its buffer left incomplete.
void dropIncompleteCharacter(char *text);
