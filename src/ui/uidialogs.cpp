// Opening the dialogs of the menu: the select windows, the dynamic-statement
// window and the screenshot dialog.  Each is modal; a new one takes the place
// of the user interface's pointer to the last one of its kind.
#include <FL/Fl_Button.H>

#include <algorithm>

#include "ui/dynstmtwindow.h"
#include "view/glwindow.h"
#include "ui/mainwindow.h"
#include "ui/screenshotdialog.h"
#include "ui/selectwindow.h"
#include "ui/ui.h"

namespace {

// The select window: its width, the height of a row and of the room around
// the rows, its greatest height, and its height when it lists nothing.
constexpr int sc_selectWidth = 200;
constexpr int sc_selectRowHeight = 25;
constexpr int sc_selectRoom = 35;
constexpr int sc_selectMaxHeight = 400;
constexpr int sc_selectEmptyHeight = 30;
// The point of a new select or dynamic-statement window under the mouse.
constexpr int sc_hotspot = 100;
// The dynamic-statement window's first size, before its rows size it.
constexpr int sc_dynStmtFirstWidth = 500, sc_dynStmtFirstHeight = 30;
// The screenshot dialog: its size, and how far it stands left of the main
// window's middle and below the view.
constexpr int sc_screenshotWidth = 600, sc_screenshotHeight = 150;
constexpr int sc_screenshotLeft = 140, sc_screenshotBelow = 50;

// Shows a list window modal, its point (sc_hotspot, sc_hotspot) under the
// mouse, with the keyboard on opening: the window's first button would
// otherwise take it, and a Space typed by habit would press that.
void showList(Fl_Window *w, Fl_Widget *opening)
{
	w->set_modal();
	w->hotspot(sc_hotspot, sc_hotspot);
	w->show();
	opening->take_focus();
}

} // namespace

int UIstate::createSelectWindow(int mode)
{
	const int n = selectWindow::countListed(mode);
	const char *title = mode == selectWindow::SELECT_HIDDEN ? "Select hidden object:"
	                    : mode == selectWindow::SELECT_ANY  ? "Select object:"
	                                                        : "Show hidden objects:";
	int height = std::min(sc_selectRowHeight * n + sc_selectRoom, sc_selectMaxHeight);
	if (n == 0) {
		title = mode == selectWindow::SELECT_ANY ? "No objects" : "No hidden objects";
		height = sc_selectEmptyHeight;
	}
	m_selectWindow = new selectWindow(mode, sc_selectWidth, height, title);
	showList(m_selectWindow, m_selectWindow->openingFocus());
	return 0;
}

int UIstate::createDynStmtWindow()
{
	m_dynStmtWindow = new dynStmtWindow(sc_dynStmtFirstWidth, sc_dynStmtFirstHeight, "Dynamic statements:");
	showList(m_dynStmtWindow, m_dynStmtWindow->openingFocus());
	return 0;
}

int UIstate::createScreenshotDialog()
{
	int x = 0, y = 0;
	if (m_mainWindow != nullptr && m_glWindow != nullptr) {
		x = m_mainWindow->x() + m_mainWindow->w() / 2 - sc_screenshotLeft;
		y = m_mainWindow->y() + m_glWindow->y() + m_glWindow->h() + sc_screenshotBelow;
	}
	m_screenShotDialog = new screenShotDialog(x, y, sc_screenshotWidth, sc_screenshotHeight, "Screen shot:");
	m_screenShotDialog->set_modal();
	m_screenShotDialog->show();
	return 0;
}
