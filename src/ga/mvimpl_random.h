#pragma once
// Random blades and versors: the outer or geometric product of random
// vectors.  Coordinates come from the C library's rand(), so srand makes a
// sequence reproducible; each coordinate takes exactly one draw.
#include <cstdlib>

namespace ga {

// One coordinate, uniform in [-scale, scale] whatever the library's RAND_MAX.
inline double randomCoordinate(double scale)
{
	return 2.0 * scale * (static_cast<double>(std::rand()) / static_cast<double>(RAND_MAX) - 0.5);
}

template <class D, class Def, class S> int mvImpl<D, Def, S>::random(int grade, double scale, int versor)
{
	// no grade selected (a negative bitmap selects none either)
	if (grade <= 0) return -1;
	// only the highest set bit counts: it names the number of vectors
	int nb = 0;
	while (grade >> (nb + 1)) nb++;
	// grade 0: one random scalar
	if (nb == 0) {
		set(1, randomCoordinate(scale));
		return 0;
	}
	// multiply nb random vectors from the left, alternating between two locals
	D tmp[2];
	tmp[0].set(1, 1.0);
	int ct = 0;
	for (int i = 0; i < nb; i++) {
		// one draw per basis vector, in basis order
		double v[Def::dim];
		for (int k = 0; k < Def::dim; k++) v[k] = randomCoordinate(scale);
		D rv;
		rv.setVector(v);
		if (versor == 0) tmp[1 - ct].op(tmp[ct], rv);
		else tmp[1 - ct].gp(tmp[ct], rv);
		ct = 1 - ct;
	}
	copy(tmp[ct]);
	return 0;
}

} // namespace ga
