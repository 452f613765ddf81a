#pragma once
// Pieces of the text form that do not depend on the algebra: the check of a
// user-given coordinate format and a growable text buffer.
#include <cfloat>
#include <cmath>
#include <cstddef>

namespace ga {

// The coordinate format in force until someone sets another.
constexpr const char *sc_defaultCoordinateFormat = "%2.2f";
// The coordinate format of stored texts when none is given: more digits than
// the 17 that make every double read back as itself.
constexpr const char *sc_storedCoordinateFormat = "%2.20e";

// Largest width or precision a coordinate format may ask for: a double has
// 17 significant digits, so this is far beyond any useful setting, and it
// keeps one printed coordinate well inside what printf can count.
constexpr long sc_maxFormatField = 1000;

// True when fmt prints exactly one double: any literal text without '%',
// "%%" for a literal percent anywhere, and exactly one conversion
// %[flags][width][.precision] ending in one of e E f F g G a A.  Anything
// else (null, no conversion, two conversions, '*', a length modifier, an
// integer or string conversion, a lone '%') is refused.
bool isValidCoordinateFormat(const char *fmt);

// A text that grows as needed and keeps its capacity when cleared, so that
// refilling it allocates nothing once it has been long enough.  A plain
// aggregate: a static one is zero before any constructor runs and is never
// torn down, so it can be used from any point of the program.
struct textBuffer {
	char *data;      // the text, NUL-terminated once anything was written
	size_t length;   // characters before the NUL
	size_t capacity; // bytes allocated at data

	// Empties the text, keeping the allocation.
	void clear();
	void append(const char *text);
	void append(const char *text, size_t n);
	// Appends x printed by fmt, which must have passed isValidCoordinateFormat.
	void appendDouble(const char *fmt, double x);
	// Makes room for n characters and the NUL.
	void reserve(size_t n);
};

// A printed coordinate is rounded to single precision first, so that the
// digits beyond what a float holds do not clutter the text.  Values outside
// the float range (and NaN) are printed as they are: rounding would turn a
// large finite value into an infinity.
inline double roundForPrinting(double x) { return std::fabs(x) <= FLT_MAX ? (double)(float)x : x; }

// Ends the program when a text cannot grow: handing back a cut text would
// silently lose coordinates.
[[noreturn]] void textAllocationFailure(size_t bytes);

} // namespace ga
