#pragma once
// Element-wise loops over runs of coordinates.  The C-linkage kernels of
// every algebra are these, and the generic classes call them inline.
#include <cstring>

namespace ga {

inline void clearCoordinates(double *dest, int length)
{
	if (length > 0) std::memset(dest, 0, sizeof(double) * (size_t)length);
}

// The two ranges must not overlap.
inline void copyCoordinates(double *dest, const double *src, int length)
{
	if (length > 0) std::memcpy(dest, src, sizeof(double) * (size_t)length);
}

// dest may be src.
inline void negateCoordinates(double *dest, const double *src, int length)
{
	for (int i = 0; i < length; i++) dest[i] = -src[i];
}

// The plain sum of squares: no metric, no square root.
inline double sumOfSquares(const double *a, int nb)
{
	double n = 0.0;
	for (int i = 0; i < nb; i++) n += a[i] * a[i];
	return n;
}

inline void addCoordinates(double *c, const double *a, const double *b, int length)
{
	for (int i = 0; i < length; i++) c[i] = a[i] + b[i];
}

inline void subCoordinates(double *c, const double *a, const double *b, int length)
{
	for (int i = 0; i < length; i++) c[i] = a[i] - b[i];
}

} // namespace ga
