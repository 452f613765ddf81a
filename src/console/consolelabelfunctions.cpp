// The console's label commands: a label that follows a value's object and
// shows its name or a given text.
#include "console/consoleviewerfunctions.h"
#include "console/consolevariable.h"
#include "scene/labelflags.h"
#include "state/state.h"

namespace {

// The label of x is named after it with this suffix.
constexpr const char *sc_labelSuffix = "_label";
// Labels made by the console follow their point in the world and are typeset
// with no maximum width.
constexpr int sc_consoleLabelFlags = LF_3D | LF_DYNAMIC;
constexpr int sc_noWidth = -1;

consoleVariable *label(consoleVariable *point, const std::string &text)
{
	// the label's own name, suffix counted, must fit a scene file
	if (g_state != nullptr && state::nameFits(point->name(), "Label", sc_labelSuffix))
		g_state->addTextObject(text.c_str(), point->name(), point->name() + sc_labelSuffix, sc_consoleLabelFlags,
		                       sc_noWidth);
	return new consoleVariable("", e3ga(0.0));
}

} // namespace

consoleVariable *cf_label(consoleScope *, consoleVariable **a, const consoleFunc_s *) { return label(a[0], a[0]->name()); }

consoleVariable *cf_label2(consoleScope *, consoleVariable **a, const consoleFunc_s *) { return label(a[0], a[1]->name()); }
