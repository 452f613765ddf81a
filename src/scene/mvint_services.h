#pragma once
// What the interpretation uses of the rest of the program: console output
// (osdep.h), the factor vectors stored in the application state, and the
// creation flags with which scene objects ask for a reading of their value
// (object.h).  The application state defines the functions.

class e3ga;
class p3ga;
class c3ga;

#include "scene/object.h"
#include "os/osdep.h"

// The stored factors of each model (3, 4 and 5 values), or null when there
// is no application state.  A pair of non-zero factors orients the factor
// vectors of bivectors, planes and circles; e3ga's three, trivectors.
const e3ga *storedE3gaFactors();
const p3ga *storedP3gaFactors();
const c3ga *storedC3gaFactors();
