#pragma once
// The camera's orientation as scene files hold it: a bivector B that stands
// for the rotor exp(-B). Both ways are computed in closed form, so that a
// saved orientation reads back to within the rounding of its coordinates.
#include "e3ga/e3ga.h"

// exp(-B) of the grade-2 part of B.
e3ga cameraRotorOfBivector(const e3ga &B);
// exp(-t B) of the grade-2 part of B: a turn for t seconds at the rate B.
// The angle is t times the size of B, so that a rate whose own rotor is
// finite turns by a unit rotor over any finite time; the rotor is not
// finite only when B is too large to square or the angle overflows.
e3ga cameraRotorOfTurn(const e3ga &B, double t);
// The bivector B with exp(-B) = R / |R|: minus the logarithm of the unit
// rotor, 0 for a rotor without a bivector part. Angles are taken with
// atan2, which stays exact for small turns.
e3ga cameraBivectorOfRotor(const e3ga &R);
