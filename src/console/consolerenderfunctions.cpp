// The viewer's render settings from the console: the sizes of points,
// text, lines and vector heads, plain lines or tubes, and the subdivision
// of the shared geodesic spheres. The sizes live in the user interface and
// are skipped without one.
#include <algorithm>
#include <cmath>

#include "console/consolefamily.h"
#include "console/consoleviewerfunctions.h"
#include "draw/geosphere.h"
#include "state/state.h"
#include "ui/ui.h"
#include "ui/uimenu.h"

namespace {

// Subdivision depths that are built: depth 0 is a bare octahedron, and
// each level quadruples the triangles, so depth 5 (8192 triangles) is as
// fine as a sphere on screen needs.
constexpr int sc_minSubDiv = 1;
constexpr int sc_maxSubDiv = 5;

// The shared sphere *gs built again at the depth asked for as x.
consoleVariable *rebuildSphere(geosphere_s **gs, double x)
{
	// the spheres belong to the state, which frees them
	if (g_state != nullptr) {
		gsFree(gs);
		gsCompute(gs, subDivDepth(x));
		uiRedrawView();
	}
	return consoleEmptyScalar();
}

} // namespace

int subDivDepth(double x) { return std::clamp(cf::saturatingInt(x + 0.5), sc_minSubDiv, sc_maxSubDiv); }

consoleVariable *cf_set_point_size(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	if (gui_state != nullptr) gui_state->setPointSize(a[0]->scalar());
	return consoleEmptyScalar();
}

consoleVariable *cf_set_text_scale(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	if (gui_state != nullptr) gui_state->setTextScale(std::fabs(a[0]->scalar()));
	return consoleEmptyScalar();
}

consoleVariable *cf_set_line_width(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	if (gui_state != nullptr) gui_state->setLineWidth(std::fabs(a[0]->scalar()));
	return consoleEmptyScalar();
}

consoleVariable *cf_set_vector_head_size(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	// negative sizes keep their meaning: heads that follow their vector
	if (gui_state != nullptr) gui_state->setVectorHeadSize(a[0]->scalar());
	return consoleEmptyScalar();
}

consoleVariable *cf_set_gl_lines(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	// the menu command inverts the setting and ticks its item from the result
	if (gui_state != nullptr) {
		gui_state->m_tubeDraw.setUseOpenGL(a[0]->scalar() == 0.0);
		ui_menuCommand(MC_GL_LINES);
	}
	return consoleEmptyScalar();
}

consoleVariable *cf_set_point_sub_div(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	return rebuildSphere(&g_pointSphere, a[0]->scalar());
}

consoleVariable *cf_set_sphere_sub_div(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	return rebuildSphere(&g_sphereSphere, a[0]->scalar());
}

consoleVariable *cf_screenshot(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	// sizes beyond an int saturate, and the request then refuses them
	if (gui_state != nullptr)
		gui_state->setupScreenshot(a[0]->name(), cf::saturatingInt(a[1]->scalar() + 0.5),
		                           cf::saturatingInt(a[2]->scalar() + 0.5), a[3]->scalar() != 0.0);
	return consoleEmptyScalar();
}
