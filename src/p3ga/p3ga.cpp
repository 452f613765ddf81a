#include "p3ga/p3ga.h"

namespace {
ga::basisConstants<p3gai> constants;
}

// Bound to storage that exists before any code runs; buildConstants fills it.
const p3gai &p3gai::e1 = constants.vectors[0].value;
const p3gai &p3gai::e2 = constants.vectors[1].value;
const p3gai &p3gai::e3 = constants.vectors[2].value;
const p3gai &p3gai::e0 = constants.vectors[3].value;
const p3gai &p3gai::I = constants.pseudoscalar.value;
const p3gai &p3gai::Ii = constants.inversePseudoscalar.value;
const p3gai *const p3gai::bv[4] = {&e1, &e2, &e3, &e0};

void p3gai::buildConstants() { constants.build(1.0); }
