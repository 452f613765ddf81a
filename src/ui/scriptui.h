#pragma once
// What scripts ask of the user interface: questions, the console, the status
// line, the title, the panels, the window's size, full screen and the end of
// the program. Each does nothing (or answers no) without a user interface or
// the part it needs.

// True while the user interface has its main window.
bool uiHasMainWindow();
// Shows question (plain text) with the answers no and yes, no the default
// unless yesByDefault: true for yes.
bool uiAskYesNo(const char *question, bool yesByDefault = false);
void uiClearConsole();
void uiSetStatus(const char *text);
// The Playback speed menu marks the speed in force (a divisor of time).
void uiShowPlaybackSpeed(double speed);
// The main window's title: the product word, and text after it.
void uiSetTitle(const char *text);
// -1 with the user interface's message for a size it does not take.
int uiSetConsoleFontSize(int size);

// The panels that scripts show and hide.
enum uiPanel { UI_PANEL_CONTROLS, UI_PANEL_SCALAR_CONTROLS, UI_PANEL_CONSOLE };
// Toggles the panel through its menu command when it is not already so.
void uiShowPanel(uiPanel panel, bool visible);
// Full-screen mode on or off, through the menu command when it differs.
void uiFullscreen(bool on);
// The longest side, in pixels, of the main window and of the view, and the
// farthest a window is placed from the screen's corner: what the view's GL
// serves.
int uiMaxWindowSide();
// The main window takes that size where it stands, or the whole rectangle,
// each held within uiMaxWindowSide().
void uiResizeMainWindow(int x, int y, int w, int h, bool place);
// The console panel's height in pixels or text lines, its margin added;
// false when there is no console panel.
bool uiHasConsolePanel();
void uiSetConsoleHeight(int n, bool lines);
// The main window grows or shrinks so that the view gets w x h, each held
// within uiMaxWindowSide(); the view's size afterwards in w and h. False
// when there is no view.
bool uiHasView();
void uiSetViewSize(int &w, int &h);
// The main window goes, and with it the program once the event loop sees
// no window left; every widget pointer is cleared at once.
void uiExit();
