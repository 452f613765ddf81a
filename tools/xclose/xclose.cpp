// xclose: asks the window manager to close a window, as a task bar, a
// window list or a pager does: no key or click reaches the window's
// program, only the window manager's own message to it.
//
//   xclose WINDOW
//
// WINDOW is an X window id (decimal or 0x hex, as xdotool prints it).
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

namespace {

// The source of the request as window managers read it: a pager or task
// bar, acting for the user, which they never refuse.
constexpr long sc_fromPager = 2;

} // namespace

int main(int argc, char **argv)
{
	char *end = nullptr;
	const Window window = argc == 2 ? std::strtoul(argv[1], &end, 0) : 0;
	if (argc != 2 || end == argv[1] || *end != '\0') {
		std::fprintf(stderr, "usage: xclose WINDOW\n");
		return 2;
	}
	Display *display = XOpenDisplay(nullptr);
	if (display == nullptr) {
		std::fprintf(stderr, "xclose: cannot open the X display\n");
		return 1;
	}
	XEvent e{};
	e.xclient.type = ClientMessage;
	e.xclient.display = display;
	e.xclient.window = window;
	e.xclient.message_type = XInternAtom(display, "_NET_CLOSE_WINDOW", False);
	e.xclient.format = 32;
	e.xclient.data.l[0] = CurrentTime;
	e.xclient.data.l[1] = sc_fromPager;
	XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
	XCloseDisplay(display);
	return 0;
}
