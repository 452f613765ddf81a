// The console's polygon built-ins: create_polygon(p, mode, x1, ..., xN) for
// three to six named points.
#include <string>

#include "console/consoleviewerfunctions.h"
#include "console/consolevariable.h"
#include "scene/polygonobject.h"
#include "state/state.h"

namespace {

// Creation flags of each polygon mode word: draw method + 1 in OC_DRAW_METHOD.
constexpr int sc_filledFlags = (DRAW_POLYGON_FILLED + 1) << OC_DRAW_METHOD_SHIFT;
constexpr int sc_stripFlags = (DRAW_POLYGON_LINE_STRIP + 1) << OC_DRAW_METHOD_SHIFT;
constexpr int sc_loopFlags = (DRAW_POLYGON_LINE_LOOP + 1) << OC_DRAW_METHOD_SHIFT;

// Every attribute of the new polygon replaces those of an object of its name.
constexpr int sc_forceAll = -1;

} // namespace

consoleVariable *cf_create_polygon(consoleScope *, consoleVariable **arg, int N)
{
	// the mode word, compared exactly: anything but these two is filled
	const std::string &mode = arg[1]->name();
	const int flags = mode == "strip" ? sc_stripFlags : mode == "loop" ? sc_loopFlags : sc_filledFlags;
	polygonObject *p = new polygonObject(arg[0]->name(), 0, flags);
	for (int i = 0; i < N; i++) p->addVertex(arg[2 + i]->name().c_str());
	if (g_state != nullptr) g_state->addObject(p, sc_forceAll);
	else delete p;
	return new consoleVariable("", e3ga(0.0));
}

consoleVariable *cf_create_polygon_3(consoleScope *s, consoleVariable **arg, const consoleFunc_s *)
{
	return cf_create_polygon(s, arg, 3);
}

consoleVariable *cf_create_polygon_4(consoleScope *s, consoleVariable **arg, const consoleFunc_s *)
{
	return cf_create_polygon(s, arg, 4);
}

consoleVariable *cf_create_polygon_5(consoleScope *s, consoleVariable **arg, const consoleFunc_s *)
{
	return cf_create_polygon(s, arg, 5);
}

consoleVariable *cf_create_polygon_6(consoleScope *s, consoleVariable **arg, const consoleFunc_s *)
{
	return cf_create_polygon(s, arg, 6);
}
