// The display's drawing driver that measures and draws a text wider than
// the window system's 16-bit coordinates piece by piece.
#include "ui/widetextdriver.h"

#include <FL/Fl_Device.H>

#include "os/osdep.h"

namespace {

// The widest a character is, in font sizes: glyphs are at most about one
// size wide; this leaves room for the widest of symbol fonts.
constexpr int sc_maxCharacterWidthInSizes = 4;
// The widest a piece of text may measure, in pixels: below the 16-bit
// limit of the window system's widths and coordinates.
constexpr int sc_maxPieceWidth = 32000;
// The greatest coordinate a window shows: past it nothing can be seen.
constexpr int sc_maxShownCoordinate = 32767;

class wideTextDriver : public Fl_Xlib_Graphics_Driver {
public:
	using Fl_Xlib_Graphics_Driver::draw;
	using Fl_Xlib_Graphics_Driver::width;

	double width(const char *str, int n) override
	{
		// most texts are one piece
		const int length = pieceLength();
		if (n <= length) return Fl_Xlib_Graphics_Driver::width(str, n);
		double w = 0.0;
		for (int start = 0; start < n;) {
			const int end = pieceEnd(str, n, start, length);
			w += Fl_Xlib_Graphics_Driver::width(str + start, end - start);
			start = end;
		}
		return w;
	}

	void draw(const char *str, int n, int x, int y) override
	{
		const int length = pieceLength();
		if (n <= length) {
			Fl_Xlib_Graphics_Driver::draw(str, n, x, y);
			return;
		}
		// piece by piece up to the end of what a window shows; a piece wholly
		// left of the window is only measured
		double left = x;
		for (int start = 0; start < n && left < sc_maxShownCoordinate;) {
			const int end = pieceEnd(str, n, start, length);
			const double w = Fl_Xlib_Graphics_Driver::width(str + start, end - start);
			if (left + w >= 0.0) Fl_Xlib_Graphics_Driver::draw(str + start, end - start, static_cast<int>(left), y);
			left += w;
			start = end;
		}
	}

private:
	// The bytes a piece holds at most at the current font size: no piece
	// measures more than sc_maxPieceWidth.
	int pieceLength()
	{
		const int widest = sc_maxCharacterWidthInSizes * (size() > 0 ? size() : 1);
		return sc_maxPieceWidth / widest > 1 ? sc_maxPieceWidth / widest : 1;
	}

	// The end of the piece of str (n bytes) that starts at start: at most
	// length bytes on, at the start of a character.
	static int pieceEnd(const char *str, int n, int start, int length)
	{
		if (n - start <= length) return n;
		int end = start + length;
		while (end > start && u_continuesCharacter(str[end])) end--;
		// a character longer than the piece is a piece of its own
		if (end == start) {
			end = start + 1;
			while (end < n && u_continuesCharacter(str[end])) end++;
		}
		return end;
	}
};

} // namespace

void useWideTextDriver()
{
	static wideTextDriver s_driver;
	Fl_Display_Device *display = Fl_Display_Device::display_device();
	if (display->driver() == &s_driver) return;
	display->driver(&s_driver);
	display->set_current();
}
