// Saving the scene: one scene file that, opened, rebuilds what the state
// holds: factors, objects, title, colours and settings, the camera, the
// console's default model and inner product, the console controls, the
// dynamic statements and the console constants. Every number that a value is
// made of is written with all its digits.
#include <cstdio>
#include <cstring>

#include "files/cameraorientation.h"
#include "console/consolecontrol.h"
#include "console/consolecontrolstmt.h"
#include "console/consoleglobalscope.h"
#include "console/consolemodel.h"
#include "files/gafile.h"
#include "view/glwindow.h"
#include "os/osdep.h"
#include "ui/scriptui.h"
#include "state/state.h"

namespace {

// Grade-usage bitmap of the vector part.
constexpr int GRADE1 = 0x2;

// The stored factors of one model, numbered from 1 as the reader counts.
template <class V, int N> void writeFactors(FILE *F, const char *model, const V (&factors)[N])
{
	for (int i = 0; i < N; i++) std::fprintf(F, "factor %s %d [%s]\n", model, i + 1, factors[i].storedString());
}

// The objects of the algebras' values, which name no other object.
bool isValueObject(const object &obj)
{
	const int t = obj.m_type;
	return t == OT_E3GA || t == OT_P3GA || t == OT_C3GA || t == OT_I2GA;
}

// True when a and b hold the same coordinates to the last bit: their stored
// texts are the same.
bool sameValue(const e3ga &a, const e3ga &b) { return std::strcmp(a.storedString(), b.storedString()) == 0; }

// The default model and the inner product, each when it is not what a new
// scene starts with: the "clear" that opens the file has put that back.
void writeConsoleSettings(FILE *F, const consoleGlobalScope &scope)
{
	const int model = scope.getDefaultModel();
	if (*consoleModelName(model) != '\0') std::fprintf(F, "console default_model(%s);\n", consoleModelName(model));
	if (scope.innerProduct() != consoleGlobalScope::sc_defaultInnerProduct)
		std::fprintf(F, "console inner_product(%s);\n", scope.innerProduct().c_str());
}

} // namespace

int state::setTitle(const char *title)
{
	m_title = title != nullptr ? title : "";
	uiSetTitle(m_title.c_str());
	return 0;
}

void state::eyeOriLine(const e3ga &rotor, const e3ga &bivector)
{
	m_eyeOriKnown = true;
	m_eyeOriRotor = rotor;
	m_eyeOriBivector = bivector;
}

int state::writeConsoleControlsToGeoFile(FILE *F)
{
	for (consoleControl *cc : m_consoleControls) cc->writeToGeoFileMemFun(F);
	return std::ferror(F) ? -1 : 0;
}

int state::writeStateToGeoFile(const char *filename)
{
	FILE *F = std::fopen(filename, "wb");
	if (F == nullptr) {
		cprintf("state::writeStateToGeoFile(): can not open '%s' for writing.\n", filename);
		return -1;
	}
	// the scene starts from nothing
	std::fprintf(F, "clear\n");
	writeFactors(F, "e3ga", m_e3gaFactor);
	writeFactors(F, "p3ga", m_p3gaFactor);
	writeFactors(F, "c3ga", m_c3gaFactor);

	// the objects in name order, the values first: labels, polygons and
	// meshes name the points they stand at, which must exist when they are
	// read; the program's own variables have lines of their own
	for (bool values : {true, false})
		for (const auto &kv : m_objects)
			if (isValueObject(*kv.second) == values && !(kv.second->m_drawMode & DM_INTERNAL))
				kv.second->writeToGeoFile(F);

	// the title, the state's colours and settings last: the object lines set them too
	std::fprintf(F, "title %s\n", GAfile::quoted(m_title).c_str());
	GAfile::writeColor(F, "fgcolor", m_fgColor);
	GAfile::writeColor(F, "bgcolor", m_bgColor);
	GAfile::writeColor(F, "olcolor", m_olColor);
	GAfile::writeColor(F, "cvcolor", m_cvColor);
	std::fprintf(F, "fontsize %f\n", m_fontSize);
	std::fprintf(F, "clip %f\n", m_clipDistance);
	std::fprintf(F, "tsmode %s\n", m_tsMode);
	std::fprintf(F, "tsfont %s\n", m_tsFont);

	// the camera: its position, and its orientation R as the B of R = exp(-B)
	std::fprintf(F, "eyepos [%s]\n", glwindow::getCamPos().grade(GRADE1).storedString());
	const e3ga R = glwindow::getCamOri();
	if (!m_eyeOriKnown || !sameValue(R, m_eyeOriRotor)) eyeOriLine(R, cameraBivectorOfRotor(R));
	std::fprintf(F, "eyeori [%s]\n", m_eyeOriBivector.storedString());

	// the console's settings, which the console lines after them compute with
	if (m_globalScope != nullptr) writeConsoleSettings(F, *m_globalScope);
	writeConsoleControlsToGeoFile(F);
	// the dynamic statements on one line each, so that a line holds a statement
	for (const dynStmtInfo &d : m_dynStmt) {
		if (d.removed()) continue;
		const std::string text = consoleStatement::text(d.ds(), 0, 0);
		if (d.hasName()) std::fprintf(F, "console dynamic{%s : %s}\n", d.name().c_str(), text.c_str());
		else std::fprintf(F, "console dynamic{%s}\n", text.c_str());
	}
	if (m_globalScope != nullptr) m_globalScope->writeConstantsToGeoFile(F);

	// a full disk shows at the latest when the last bytes go out on closing
	const bool failed = std::ferror(F) != 0;
	if (std::fclose(F) != 0 || failed) {
		cprintf("state::writeStateToGeoFile(): error while writing '%s'.\n", filename);
		return -1;
	}
	return 0;
}
