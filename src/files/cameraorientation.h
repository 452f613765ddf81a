#pragma once
// The camera's orientation as scene files hold it: a bivector B that stands
// for the rotor exp(-B). Both ways are computed in closed form, so that a
// saved orientation reads back to within the rounding of its coordinates.
#include "e3ga/e3ga.h"

// exp(-B) of the grade-2 part of B.
e3ga cameraRotorOfBivector(const e3ga &B);
// The bivector B with exp(-B) = R / |R|: minus the logarithm of the unit
// rotor, 0 for a rotor without a bivector part. Angles are taken with
// atan2, which stays exact for small turns.
e3ga cameraBivectorOfRotor(const e3ga &R);
