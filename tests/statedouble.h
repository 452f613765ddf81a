#pragma once
// The application services that the interpretation calls, as the tests and
// benchmarks provide them: stored factors that a test sets, and console
// output collected in a string.  Include in one source file per binary.
#include <cstdarg>
#include <cstdio>
#include <string>

#include "c3ga/c3ga.h"
#include "e3ga/e3ga.h"
#include "mvint_services.h"
#include "p3ga/p3ga.h"

namespace testState {
inline e3ga e3gaFactor[3];
inline p3ga p3gaFactor[4];
inline c3ga c3gaFactor[5];
inline std::string output;

inline void clearFactors()
{
	for (auto &f : e3gaFactor) f.null();
	for (auto &f : p3gaFactor) f.null();
	for (auto &f : c3gaFactor) f.null();
}
} // namespace testState

int cprintf(const char *format, ...)
{
	char buf[1024];
	va_list ap;
	va_start(ap, format);
	int n = std::vsnprintf(buf, sizeof(buf), format, ap);
	va_end(ap);
	testState::output += buf;
	return n;
}

const e3ga *storedE3gaFactors() { return testState::e3gaFactor; }
const p3ga *storedP3gaFactors() { return testState::p3gaFactor; }
const c3ga *storedC3gaFactors() { return testState::c3gaFactor; }
