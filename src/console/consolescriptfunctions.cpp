// The viewer's commands on scripts, the camera and the animation clock: a
// scene-file line run from the console, a camera rotation over time, and
// starting, pausing and stopping the clock atime.
#include "console/consolegafile.h"
#include "console/consolevariable.h"
#include "console/consoleviewerfunctions.h"
#include "files/cameraorientation.h"
#include "os/osdep.h"
#include "state/state.h"

namespace {

consoleVariable *nothing() { return new consoleVariable("", e3ga(0.0)); }

// Grade-usage bitmap of the bivector part, the part a rotation rate keeps.
constexpr int sc_bivectorPart = 0x4;

} // namespace

consoleVariable *cf_cmd(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	if (g_state == nullptr || g_state->m_consoleGAfile == nullptr) return nothing();
	// the line runs inside a statement: what would replace the global scope
	// waits for the statement's end
	nestingGuard running(g_state->m_commandNesting);
	g_state->m_consoleGAfile->read(g_state, a[0]->name().c_str());
	return nothing();
}

consoleVariable *cf_camrotfunc(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	if (g_state == nullptr) return nothing();
	e3ga rate = a[0]->e();
	// a rate that is not finite, or too large to have the rotor of a
	// second's turn, would turn the camera into NaN, which shows nothing;
	// a running rotation goes on
	if (!rate.grade(sc_bivectorPart).isFinite())
		cprintf("camrot(): the rate is not finite; the camera does not turn\n");
	else if (!cameraRotorOfBivector(rate).isFinite())
		cprintf("camrot(): the rate's rotor is not finite; the camera does not turn\n");
	else g_state->setRot(rate, a[1]->scalar());
	return nothing();
}

consoleVariable *cf_start_animation(consoleScope *, consoleVariable **, const consoleFunc_s *)
{
	if (g_state != nullptr) g_state->startAnimation();
	return nothing();
}

consoleVariable *cf_stop_animation(consoleScope *, consoleVariable **, const consoleFunc_s *)
{
	if (g_state != nullptr) g_state->stopAnimation();
	return nothing();
}

consoleVariable *cf_pause_animation(consoleScope *, consoleVariable **, const consoleFunc_s *)
{
	if (g_state != nullptr) g_state->pauseAnimation();
	return nothing();
}
