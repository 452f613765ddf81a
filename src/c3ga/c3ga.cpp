#include "c3ga/c3ga.h"

namespace {
ga::basisConstants<c3gai> constants;
}

// Bound to storage that exists before any code runs; buildConstants fills it.
const c3gai &c3gai::e1 = constants.vectors[0].value;
const c3gai &c3gai::e2 = constants.vectors[1].value;
const c3gai &c3gai::e3 = constants.vectors[2].value;
const c3gai &c3gai::no = constants.vectors[3].value;
const c3gai &c3gai::ni = constants.vectors[4].value;
const c3gai &c3gai::I = constants.pseudoscalar.value;
const c3gai &c3gai::Ii = constants.inversePseudoscalar.value;
const c3gai *const c3gai::bv[5] = {&e1, &e2, &e3, &no, &ni};

void c3gai::buildConstants() { constants.build(-1.0); }
