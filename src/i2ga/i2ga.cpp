#include "i2ga/i2ga.h"

// Built before main in this order; destroyed at exit in the reverse order.
const i2gai i2gai::e1(2, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0);
const i2gai i2gai::e2(2, 0.0, 1.0, 0.0, 0.0, 0.0, 0.0);
const i2gai i2gai::no(2, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0);
const i2gai i2gai::ni(2, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0);
const i2gai i2gai::go(2, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
const i2gai i2gai::gi(2, 0.0, 0.0, 0.0, 0.0, 0.0, 1.0);
const i2gai i2gai::I(64, 1.0);
const i2gai i2gai::Ii(64, -1.0);
const i2gai *const i2gai::bv[6] = {&e1, &e2, &no, &ni, &go, &gi};

void i2gai::dispatchScalarOp(double scalar, const i2gai &b)
{
	// only the second operand picks the entry; the scalar stands as grade 0
	int index = def::mapB<ga::P_OP>()[b.usage & def::gradeMask];
	const double *pa[dim + 1] = {&scalar};
	runDispatched<ga::P_OP>(index, &scalar, pa, b);
}
