// xgrab: reads a window's pixels back from the X server.
//
//   xgrab WINDOW X Y       prints the pixel at (X, Y) of the window as "R G B"
//   xgrab WINDOW           writes the whole window to standard output as PPM
//   xgrab WINDOW X Y W H   writes W x H pixels from (X, Y) of it as PPM
//
// WINDOW is an X window id (decimal or 0x hex, as xdotool prints it); X and Y
// count from the window's top left.  The pixels are read from the screen
// where the window lies, so child windows (an OpenGL view) are included.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Position of the lowest set bit of mask, and the mask shifted down to it.
void maskShift(unsigned long mask, int &shift, unsigned long &bits)
{
	shift = 0;
	while (mask != 0 && !(mask & 1)) {
		mask >>= 1;
		shift++;
	}
	bits = mask;
}

// One 0..255 component of pixel under mask.
int component(unsigned long pixel, unsigned long mask)
{
	int shift;
	unsigned long bits;
	maskShift(mask, shift, bits);
	if (bits == 0) return 0;
	return static_cast<int>(((pixel >> shift) & bits) * 255 / bits);
}

int usage()
{
	std::fprintf(stderr, "usage: xgrab WINDOW [X Y [W H]]\n");
	return 2;
}

} // namespace

int main(int argc, char **argv)
{
	if (argc != 2 && argc != 4 && argc != 6) return usage();
	char *end = nullptr;
	const Window window = std::strtoul(argv[1], &end, 0);
	if (end == argv[1] || *end != '\0') return usage();
	Display *display = XOpenDisplay(nullptr);
	if (display == nullptr) {
		std::fprintf(stderr, "xgrab: cannot open the X display\n");
		return 1;
	}
	XWindowAttributes attributes;
	if (!XGetWindowAttributes(display, window, &attributes)) {
		std::fprintf(stderr, "xgrab: no window %s\n", argv[1]);
		return 1;
	}
	const Window root = attributes.root;
	XWindowAttributes rootAttributes;
	XGetWindowAttributes(display, root, &rootAttributes);
	int rootX = 0, rootY = 0;
	Window child;
	XTranslateCoordinates(display, window, root, 0, 0, &rootX, &rootY, &child);

	// the part of the window (the one pixel, or the region) that lies on
	// the screen
	int x = 0, y = 0, w = attributes.width, h = attributes.height;
	if (argc >= 4) {
		x = std::atoi(argv[2]);
		y = std::atoi(argv[3]);
		w = h = 1;
	}
	if (argc == 6) {
		w = std::atoi(argv[4]);
		h = std::atoi(argv[5]);
		if (w <= 0 || h <= 0) return usage();
	}
	if (rootX + x < 0 || rootY + y < 0 || rootX + x + w > rootAttributes.width || rootY + y + h > rootAttributes.height) {
		std::fprintf(stderr, "xgrab: the area is not on the screen\n");
		return 1;
	}
	XImage *image = XGetImage(display, root, rootX + x, rootY + y, w, h, AllPlanes, ZPixmap);
	if (image == nullptr) {
		std::fprintf(stderr, "xgrab: cannot read the pixels\n");
		return 1;
	}
	const Visual *visual = rootAttributes.visual;
	if (argc == 4) {
		const unsigned long p = XGetPixel(image, 0, 0);
		std::printf("%d %d %d\n", component(p, visual->red_mask), component(p, visual->green_mask),
		            component(p, visual->blue_mask));
	} else {
		std::printf("P6\n%d %d\n255\n", w, h);
		for (int j = 0; j < h; j++)
			for (int i = 0; i < w; i++) {
				const unsigned long p = XGetPixel(image, i, j);
				std::putchar(component(p, visual->red_mask));
				std::putchar(component(p, visual->green_mask));
				std::putchar(component(p, visual->blue_mask));
			}
	}
	XDestroyImage(image);
	XCloseDisplay(display);
	return 0;
}
