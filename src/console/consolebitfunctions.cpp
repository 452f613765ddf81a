// Bitwise functions of the console on 32-bit unsigned patterns: numbers are
// rounded half away from zero to a pattern, and the result pattern comes
// back as the non-negative number it denotes.
#include <cstdint>

#include "console/consolefamily.h"
#include "console/consoleviewerfunctions.h"

namespace {

// The width of the patterns; a shift this far or further leaves nothing.
constexpr int sc_bits = 32;
// 2^31: numbers from here on do not fit an int and are taken in two parts.
constexpr double sc_twoTo31 = 2147483648.0;

// x rounded half away from zero.
double rounded(double x) { return x >= 0.0 ? x + 0.5 : x - 0.5; }

// The pattern of argument i: the rounded number as an int's pattern,
// saturated at both ends (4294967296 and more give all ones, numbers below
// -2147483648 give the sign bit alone) and 0 for NaN.
uint32_t pattern(consoleVariable **a, int i)
{
	const double r = rounded(a[i]->scalar());
	if (r >= sc_twoTo31) return (uint32_t)cf::saturatingInt(r - sc_twoTo31) + 0x80000000u;
	return (uint32_t)cf::saturatingInt(r);
}

consoleVariable *number(uint32_t p) { return new consoleVariable("", e3ga((double)p)); }

} // namespace

consoleVariable *cf_bit_not(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	return number(~pattern(a, 0));
}

consoleVariable *cf_bit_and(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	return number(pattern(a, 0) & pattern(a, 1));
}

consoleVariable *cf_bit_or(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	return number(pattern(a, 0) | pattern(a, 1));
}

consoleVariable *cf_bit_xor(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	return number(pattern(a, 0) ^ pattern(a, 1));
}

consoleVariable *cf_bit_shift(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	// left for k >= 0, logically right for k < 0
	const uint32_t p = pattern(a, 0);
	const int k = cf::saturatingInt(rounded(a[1]->scalar()));
	if (k >= sc_bits || k <= -sc_bits) return number(0);
	return number(k >= 0 ? p << k : p >> -k);
}
