#include "ui/keyboardreturn.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include "ui/mainwindow.h"
#include "ui/ui.h"

namespace {

// The source of an activation request, as window managers read it: an
// application (not a pager), which they may refuse while the user works in
// another program.
constexpr long sc_fromApplication = 1;

// Whether a dialog showed when the event loop last looked.
bool s_dialogShowed = false;

// Asks the window manager to make window w the active one, the keyboard's
// window: the request that the window-manager protocols define for it.
void askToBeActive(Fl_Window *w)
{
	XEvent e{};
	e.xclient.type = ClientMessage;
	e.xclient.display = fl_display;
	e.xclient.window = fl_xid(w);
	e.xclient.message_type = XInternAtom(fl_display, "_NET_ACTIVE_WINDOW", False);
	e.xclient.format = 32;
	e.xclient.data.l[0] = sc_fromApplication;
	// the time of the key or click that closed the dialog
	e.xclient.data.l[1] = static_cast<long>(fl_event_time);
	XSendEvent(fl_display, RootWindow(fl_display, fl_screen), False,
	           SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

// Before the event loop waits: when the last dialog has gone since it last
// looked, the main window becomes the active one and its command line (or
// the window itself, while the console is hidden) takes the keyboard.
void lookForDialogs(void *)
{
	const bool shows = mainWindow::dialogOpen();
	mainWindow *main = gui_state != nullptr ? gui_state->m_mainWindow : nullptr;
	if (s_dialogShowed && !shows && main != nullptr && main->shown()) {
		askToBeActive(main);
		main->takeKeyboard();
	}
	s_dialogShowed = shows;
}

} // namespace

void installKeyboardReturn()
{
	Fl::remove_check(lookForDialogs);
	Fl::add_check(lookForDialogs);
}
