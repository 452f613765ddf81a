#pragma once
// The stored factors that the interpretation reads, as the tests and
// benchmarks provide them: factors that a test sets.  Include in one source
// file per binary.
#include "c3ga/c3ga.h"
#include "e3ga/e3ga.h"
#include "mvint_services.h"
#include "p3ga/p3ga.h"

namespace testState {
inline e3ga e3gaFactor[3];
inline p3ga p3gaFactor[4];
inline c3ga c3gaFactor[5];

inline void clearFactors()
{
	for (auto &f : e3gaFactor) f.null();
	for (auto &f : p3gaFactor) f.null();
	for (auto &f : c3gaFactor) f.null();
}
} // namespace testState

const e3ga *storedE3gaFactors() { return testState::e3gaFactor; }
const p3ga *storedP3gaFactors() { return testState::p3gaFactor; }
const c3ga *storedC3gaFactors() { return testState::c3gaFactor; }
