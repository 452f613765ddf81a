#pragma once
// What the interpretation uses of the rest of the program: console output
// (osdep.h), the factor vectors stored in the application state, and the creation
// flags with which scene objects ask for a reading of their value.  The
// application state defines the functions.

class e3ga;
class p3ga;
class c3ga;

#include "osdep.h"

// The stored factors of each model (3, 4 and 5 values), or null when there
// is no application state.  A pair of non-zero factors orients the factor
// vectors of bivectors, planes and circles; e3ga's three, trivectors.
const e3ga *storedE3gaFactors();
const p3ga *storedP3gaFactors();
const c3ga *storedC3gaFactors();

// Creation flags of scene objects that steer the interpretation.
constexpr int OC_GRADE_MASK = 0x1ff; // bit 1 << n keeps grade n (e3ga)
constexpr int OC_VERSOR = 0x200;     // read the value as a versor
constexpr int OC_BLADE = 0x400;      // read the value as a blade; wins over OC_VERSOR
