#include "ui/keyboardreturn.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <chrono>

#include "ui/mainwindow.h"
#include "ui/ui.h"

namespace {

// The source of an activation request, as window managers read it: an
// application (not a pager), which they may refuse while the user works in
// another program.
constexpr long sc_fromApplication = 1;

// Whether a dialog showed when the event loop last looked.
bool s_dialogShowed = false;

// What the last event that may have closed a dialog says of the user:
// whether they were working in the program as it came, and its time, which
// an activation request names so that the window manager can tell it from
// a stale one.
struct Closing {
	bool userHere = false;
	Time time = CurrentTime;
};
Closing s_closing;

// How long after the program's request the window manager's handing it the
// keyboard is taken as the answer to that request: managers answer at once,
// and a keyboard that comes later came for another reason.
constexpr double sc_answerSeconds = 2.0;
// How long after the keyboard came a key or click of the user's in the
// program shows that they brought it: the window manager passes a click
// on at once after it moved the keyboard for it.
constexpr double sc_userActsSeconds = 0.1;

// The other program's window that had the keyboard when the program made a
// request that may bring the keyboard to it, and until when it gets it
// back; None when there is none.
struct KeyboardOwner {
	Window window = None;
	std::chrono::steady_clock::time_point until;
};
KeyboardOwner s_owner;

// Asks the window manager to make window w the active one, the keyboard's
// window: the request that the window-manager protocols define for it.
void askToBeActive(Fl_Window *w, Time time)
{
	XEvent e{};
	e.xclient.type = ClientMessage;
	e.xclient.display = fl_display;
	e.xclient.window = fl_xid(w);
	e.xclient.message_type = XInternAtom(fl_display, "_NET_ACTIVE_WINDOW", False);
	e.xclient.format = 32;
	e.xclient.data.l[0] = sc_fromApplication;
	e.xclient.data.l[1] = static_cast<long>(time);
	XSendEvent(fl_display, RootWindow(fl_display, fl_screen), False,
	           SubstructureRedirectMask | SubstructureNotifyMask, &e);
}

// Whether event e is the window manager's request that one of the
// program's windows close itself (its close button, its close key, a task
// bar's close).
bool isCloseRequest(const XEvent &e)
{
	static const Atom protocols = XInternAtom(fl_display, "WM_PROTOCOLS", False);
	static const Atom deleteWindow = XInternAtom(fl_display, "WM_DELETE_WINDOW", False);
	return e.type == ClientMessage && e.xclient.message_type == protocols && e.xclient.format == 32 &&
	       static_cast<Atom>(e.xclient.data.l[0]) == deleteWindow;
}

int ignoreError(Display *, XErrorEvent *) { return 0; }

// The keyboard goes back to the other program's window that had it.
void giveKeyboardBack(void *)
{
	if (s_owner.window != None) {
		// that program may have closed the window meanwhile: then the
		// keyboard stays, without a word
		XSync(fl_display, False);
		const XErrorHandler previous = XSetErrorHandler(ignoreError);
		XSetInputFocus(fl_display, s_owner.window, RevertToPointerRoot, CurrentTime);
		XSync(fl_display, False);
		XSetErrorHandler(previous);
	}
	s_owner = KeyboardOwner{};
}

// Before the toolkit handles an event: the keyboard that comes to the
// program as the answer to its own request goes back to the other
// program's window that had it, unless a key or click of the user's in
// the program follows at once (a window manager hands the keyboard to the
// window clicked before it passes the click on).
void watchKeyboardOwner(const XEvent &e)
{
	if (s_owner.window == None) return;
	const bool here = fl_find(e.xany.window) != nullptr;
	if (here && (e.type == KeyPress || e.type == ButtonPress)) {
		Fl::remove_timeout(giveKeyboardBack);
		s_owner = KeyboardOwner{};
		return;
	}
	if (!here || e.type != FocusIn || e.xfocus.mode != NotifyNormal || e.xfocus.detail == NotifyInferior) return;
	if (std::chrono::steady_clock::now() > s_owner.until) {
		s_owner = KeyboardOwner{};
		return;
	}
	Fl::remove_timeout(giveKeyboardBack);
	Fl::add_timeout(sc_userActsSeconds, giveKeyboardBack);
}

// Before the toolkit handles an event, while a dialog shows: notes whether
// it is the user's own key or click in the program, a close request of
// the window manager, or a move of the keyboard, and where the keyboard is
// as it comes.
void noteClosingEvent(const XEvent &e)
{
	if (!mainWindow::dialogOpen()) return;
	switch (e.type) {
	case KeyPress:
	case KeyRelease:
		if (fl_find(e.xkey.window) != nullptr) s_closing = {true, e.xkey.time};
		break;
	case ButtonPress:
	case ButtonRelease:
		if (fl_find(e.xbutton.window) != nullptr) s_closing = {true, e.xbutton.time};
		break;
	case FocusIn:
	case FocusOut:
		// the user went to another program, or came back, while the
		// dialog showed: a dialog that closes later without a key or click
		// of theirs in the program finds the keyboard where it is
		s_closing = {programHasKeyboard(), s_closing.time};
		break;
	case ClientMessage:
		// the message's second word is the time of the user's action
		if (isCloseRequest(e) && fl_find(e.xclient.window) != nullptr)
			s_closing = {programHasKeyboard(), static_cast<Time>(e.xclient.data.l[1])};
		break;
	default:
		break;
	}
}

// Every event of the window system, before the toolkit handles it; each
// goes on to the toolkit.
int watchEvent(void *event, void *)
{
	const XEvent &e = *static_cast<const XEvent *>(event);
	watchKeyboardOwner(e);
	noteClosingEvent(e);
	return 0;
}

// Whether the window manager shows window w minimised: then nothing but the
// user brings it back.
bool minimised(Fl_Window *w)
{
	if (fl_display == nullptr || w == nullptr || !w->shown()) return false;
	// the window manager's record of the window: its first word is the state
	static const Atom wmState = XInternAtom(fl_display, "WM_STATE", False);
	Atom type = None;
	int format = 0;
	unsigned long items = 0, after = 0;
	unsigned char *data = nullptr;
	const bool read = XGetWindowProperty(fl_display, fl_xid(w), wmState, 0, 1, False, wmState, &type, &format, &items,
	                                     &after, &data) == Success;
	const bool iconic = read && data != nullptr && format == 32 && items >= 1 &&
	                    reinterpret_cast<const long *>(data)[0] == IconicState;
	if (data != nullptr) XFree(data);
	return iconic;
}

// Before the event loop waits: when the last dialog has gone since it last
// looked, and the user worked in the program as it went, the main window
// becomes the active one and its command line (or the window itself, while
// the console is hidden) takes the keyboard.
void lookForDialogs(void *)
{
	const bool shows = mainWindow::dialogOpen();
	mainWindow *main = gui_state != nullptr ? gui_state->m_mainWindow : nullptr;
	if (s_dialogShowed && !shows && s_closing.userHere && main != nullptr && main->shown() && !minimised(main)) {
		askToBeActive(main, s_closing.time);
		main->takeKeyboard();
	}
	if (!shows) s_closing = Closing{};
	s_dialogShowed = shows;
}

// The window that has the keyboard, as the window system says: None,
// PointerRoot (the keyboard follows the pointer) or a window.
Window keyboardWindow()
{
	Window focus = None;
	int revert = 0;
	XGetInputFocus(fl_display, &focus, &revert);
	return focus;
}

// The top-level window of the program under the pointer, if any.
bool pointerOverProgram()
{
	Window root, child;
	int rootX, rootY, x, y;
	unsigned int buttons;
	if (!XQueryPointer(fl_display, RootWindow(fl_display, fl_screen), &root, &child, &rootX, &rootY, &x, &y,
	                   &buttons))
		return false;
	return child != None && fl_find(child) != nullptr;
}

} // namespace

bool programHasKeyboard()
{
	if (fl_display == nullptr) return false;
	const Window focus = keyboardWindow();
	if (focus == PointerRoot) return pointerOverProgram();
	return focus != None && fl_find(focus) != nullptr;
}

void keepKeyboardWhereItIs()
{
	if (fl_display == nullptr) return;
	const Window focus = keyboardWindow();
	// the keyboard is the program's, or follows the pointer, or is nowhere
	if (focus == None || focus == PointerRoot || fl_find(focus) != nullptr) return;
	s_owner.window = focus;
	s_owner.until = std::chrono::steady_clock::now() + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
	                                                        std::chrono::duration<double>(sc_answerSeconds));
}

void installKeyboardReturn()
{
	Fl::remove_check(lookForDialogs);
	Fl::add_check(lookForDialogs);
	Fl::remove_system_handler(watchEvent);
	Fl::add_system_handler(watchEvent, nullptr);
}
