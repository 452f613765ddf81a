#include "os/osdep.h"

#include <chrono>

namespace {

// the clock that stands in for the real one, or null
u_timeSource s_timeSource = nullptr;

} // namespace

void u_timeSetSource(u_timeSource source) { s_timeSource = source; }

double u_timeGet()
{
	if (s_timeSource != nullptr) return s_timeSource();
	typedef std::chrono::duration<double> seconds;
	return std::chrono::duration_cast<seconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double u_timeElapsed()
{
	static bool s_started = false;
	static double s_last = 0.0;
	double now = u_timeGet();
	double elapsed = s_started ? now - s_last : 0.0;
	s_started = true;
	s_last = now;
	return elapsed;
}
