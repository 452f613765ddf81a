#include "i2ga/i2ga.h"

namespace {
ga::basisConstants<i2gai> constants;
}

// Bound to storage that exists before any code runs; buildConstants fills it.
const i2gai &i2gai::e1 = constants.vectors[0].value;
const i2gai &i2gai::e2 = constants.vectors[1].value;
const i2gai &i2gai::no = constants.vectors[2].value;
const i2gai &i2gai::ni = constants.vectors[3].value;
const i2gai &i2gai::go = constants.vectors[4].value;
const i2gai &i2gai::gi = constants.vectors[5].value;
const i2gai &i2gai::I = constants.pseudoscalar.value;
const i2gai &i2gai::Ii = constants.inversePseudoscalar.value;
const i2gai *const i2gai::bv[6] = {&e1, &e2, &no, &ni, &go, &gi};

void i2gai::buildConstants() { constants.build(-1.0); }
