#include "e3ga/e3ga.h"

namespace {
ga::basisConstants<e3gai> constants;
}

// Bound to storage that exists before any code runs; buildConstants fills it.
const e3gai &e3gai::e1 = constants.vectors[0].value;
const e3gai &e3gai::e2 = constants.vectors[1].value;
const e3gai &e3gai::e3 = constants.vectors[2].value;
const e3gai &e3gai::I = constants.pseudoscalar.value;
const e3gai &e3gai::Ii = constants.inversePseudoscalar.value;
const e3gai *const e3gai::bv[3] = {&e1, &e2, &e3};

void e3gai::buildConstants() { constants.build(-1.0); }

// In three dimensions a times its Clifford conjugate has only a scalar part s
// and a pseudoscalar part t I; dividing by s + t I is multiplying by
// (s - t I) / (s^2 + t^2).
int e3gai::lounestoInverse(const e3gai &a)
{
	e3gai cc, acc, pseudoscalar, square;
	cc.cliffordConjugate(a);
	acc.gp(a, cc);
	double s = acc.scalar();
	pseudoscalar.takeGrade(acc, 8);
	square.gp(pseudoscalar, pseudoscalar);
	double d = s * s - square.scalar();
	if (d == 0.0) {
		// not invertible: a defined zero rather than whatever was here
		null();
		return -1;
	}
	double t = pseudoscalar.coordinates(8)[0];
	acc.set(9, s / d, -t / d);
	gp(cc, acc);
	return 0;
}
