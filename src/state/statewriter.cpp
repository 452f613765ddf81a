// Saving the scene: one scene file that, opened, rebuilds what the state
// holds: factors, objects, title, colours and settings, the camera, the
// console's default model and inner product, the renamed builtin constants,
// the user functions, the console controls, the dynamic statements and the
// console constants, and last the variables that those console lines make
// again, and the console's answer that they remove, as they are, and what
// they make that the scene does not hold goes. Every number that a value is
// made of is written with all its digits, and every "$" that a digit
// follows stays itself when the file is opened with arguments.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "files/cameraorientation.h"
#include "console/consolecontrol.h"
#include "console/consolecontrolstmt.h"
#include "console/consoleglobalscope.h"
#include "console/consolemodel.h"
#include "console/consolesavedfunctions.h"
#include "files/gafile.h"
#include "scene/gaobject.h"
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

// True when a and b hold the same coordinates to the last bit: their stored
// texts are the same.
bool sameValue(const e3ga &a, const e3ga &b) { return std::strcmp(a.storedString(), b.storedString()) == 0; }

// The colours and the font size that the state gives the objects made
// next; every object's lines set them for their object.
void writeObjectDefaults(FILE *F, const state &s)
{
	GAfile::writeColor(F, "fgcolor", s.m_fgColor);
	GAfile::writeColor(F, "bgcolor", s.m_bgColor);
	GAfile::writeColor(F, "olcolor", s.m_olColor);
	std::fprintf(F, "fontsize %f\n", s.m_fontSize);
}

// Whether a statement shows what it ran when it runs: it, or a statement
// in it, ends with ",".
bool displays(const consoleStatement *st)
{
	if (st == nullptr) return false;
	if (st->verbose()) return true;
	for (int i = 0; i < st->nbChildren(); i++)
		if (displays(st->child(i))) return true;
	return false;
}

// Whether a console line of the saved scene assigns the variable: a
// control's, or one that a dynamic statement written reads or assigns.
bool madeAgainByConsoleLines(const state &s, const std::vector<bool> &written, const std::string &name)
{
	for (const consoleControl *cc : s.m_consoleControls)
		if (cc->assigns(name)) return true;
	for (size_t i = 0; i < s.m_dynStmt.size(); i++)
		if (written[i] && s.m_dynStmt[i].ds()->dependsOn(name)) return true;
	return false;
}

// Whether an object holds the variable name or an element of the array
// of that name ("a[1]"), which a statement counts as name.
bool holds(const state &s, const std::string &name)
{
	if (s.getObjectPtrByName(name) != nullptr) return true;
	const std::string element = name + "[";
	const auto next = s.m_objects.lower_bound(&element);
	return next != s.m_objects.end() && next->first->compare(0, element.size(), element) == 0;
}

// The variables that a written dynamic statement reads or assigns and that
// no object holds (a clf() took them): the statement's first run, as the
// file is opened, would make them, a missing name reading as 0. A constant
// is no object's name, and none is made of it.
std::set<std::string> namesNotHeld(const state &s, const std::vector<bool> &written)
{
	std::set<std::string> names;
	for (size_t i = 0; i < s.m_dynStmt.size(); i++) {
		const std::set<std::string> *read = written[i] ? s.m_dynStmt[i].ds()->dynStmtVariables() : nullptr;
		for (const std::string &name : read != nullptr ? *read : std::set<std::string>())
			if (!holds(s, name) && !consoleScope::isBuiltinConstant(name) &&
			    (s.m_globalScope == nullptr || !s.m_globalScope->isUserConstant(name)))
				names.insert(name);
	}
	return names;
}

// A dynamic statement as a message shows it: its name, or its text.
std::string shownStatement(const state::dynStmtInfo &d)
{
	return state::shownName(d.hasName() ? d.name() : consoleStatement::text(d.ds(), 0, 0));
}

// The line of a dynamic statement, which holds the whole statement.
std::string dynamicLine(const state::dynStmtInfo &d)
{
	const std::string text = consoleStatement::text(d.ds(), 0, 0);
	if (!d.hasName()) return "dynamic{" + text + "}";
	return "dynamic{" + consoleStatement::nameText(d.name()) + " : " + text + "}";
}

// The algebra object's lines with the word that brings it back as saved;
// false, writing nothing, for an object of another model.
template <class V> bool writeRestored(FILE *F, object *obj)
{
	gaObject<V> *g = dynamic_cast<gaObject<V> *>(obj);
	if (g != nullptr) g->writeRestoreToGeoFile(F);
	return g != nullptr;
}

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

std::string state::sceneNameRefusal(const char *name)
{
	// the kinds of file that an open takes by their extension, never as a
	// scene: who reads such a file, and as what
	static const struct {
		const char *extension, *kind, *reader, *as;
	} c_otherKinds[] = {
	    {sc_playListExtension, "a playlist's name", "every open plays", "as a playlist"},
	    {sc_sourceExtension, "a console source file's name", "Open reads", "as console source"},
	};
	for (const auto &k : c_otherKinds)
		if (name != nullptr && u_hasExtension(name, k.extension))
			return "'" + std::string(name) + "' is " + k.kind + ": " + k.reader + " a '" + u_extensionOf(name) +
			       "' file " + k.as + ", never as a scene; save the scene as a '" + sc_sceneExtension + "' file";
	return "";
}

int state::writeStateToGeoFile(const char *filename)
{
	// a scene under a playlist's or a source file's name would be read as
	// that, not as the scene
	const std::string refused = sceneNameRefusal(filename);
	if (!refused.empty()) {
		cprintf("Scene not saved: %s\n", refused.c_str());
		return -1;
	}
	// nothing but a regular file: a pipe would hold the program, and what
	// goes to a device is no saved scene
	std::string why;
	FILE *F = u_createRegularFile(filename, "wb", why);
	if (F == nullptr) {
		if (u_whyTellsWhatItIs(why)) cprintf("Scene not saved: %s\n", u_quotedIs(filename, why).c_str());
		else cprintf("state::writeStateToGeoFile(): can not open '%s' for writing: %s\n", filename, why.c_str());
		return -1;
	}
	// the lines are composed first: a "$" and a digit in a name, a text or a
	// console line must not become an argument of the file, nor a "\$1"
	// lose its backslash to the escaping of arguments
	char *lines = nullptr;
	size_t size = 0;
	FILE *M = open_memstream(&lines, &size);
	bool failed = M == nullptr;
	if (M != nullptr) {
		// pictures beside the file or below it are named relative to it
		const std::string::size_type slash = std::string(filename).rfind('/');
		m_savingDirectory = slash == std::string::npos ? "." : std::string(filename, slash == 0 ? 1 : slash);
		writeSceneLines(M);
		m_savingDirectory.clear();
		failed = std::fclose(M) != 0;
	}
	if (!failed) {
		const std::string text = GAfile::argumentsEscaped(std::string(lines, size));
		failed = std::fwrite(text.data(), 1, text.size(), F) != text.size();
	}
	std::free(lines);
	// a full disk shows at the latest when the last bytes go out on closing
	failed |= std::ferror(F) != 0;
	if (std::fclose(F) != 0 || failed) {
		cprintf("state::writeStateToGeoFile(): error while writing '%s'.\n", filename);
		return -1;
	}
	return 0;
}

void state::writeSceneLines(FILE *F)
{
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
			if (kv.second->holdsValue() == values && !(kv.second->m_drawMode & DM_INTERNAL))
				kv.second->writeToGeoFile(F);

	// the title, the state's colours and settings last: the object lines set them too
	std::fprintf(F, "title %s\n", GAfile::quoted(m_title).c_str());
	writeObjectDefaults(F, *this);
	GAfile::writeColor(F, "cvcolor", m_cvColor);
	std::fprintf(F, "clip %f\n", m_clipDistance);
	std::fprintf(F, "tsmode %s\n", m_tsMode);
	std::fprintf(F, "tsfont %s\n", m_tsFont);

	// the camera: its position, and its orientation R as the B of R = exp(-B)
	std::fprintf(F, "eyepos [%s]\n", glwindow::getCamPos().grade(GRADE1).storedString());
	const e3ga R = glwindow::getCamOri();
	if (!m_eyeOriKnown || !sameValue(R, m_eyeOriRotor)) eyeOriLine(R, cameraBivectorOfRotor(R));
	std::fprintf(F, "eyeori [%s]\n", m_eyeOriBivector.storedString());

	// the console's settings, which the console lines after them compute
	// with, the names of the builtin constants they use, and the user
	// functions they call
	const long beforeConsoleLines = std::ftell(F);
	if (m_globalScope != nullptr) {
		writeConsoleSettings(F, *m_globalScope);
		m_globalScope->writeRenamesToGeoFile(F);
	}
	const consoleSavedFunctions functions(m_globalScope);
	functions.write(F);
	writeConsoleControlsToGeoFile(F);
	// the dynamic statements on one line each, so that a line holds a
	// statement; one that would read back as another is left out
	std::vector<bool> written(m_dynStmt.size(), false);
	bool lastDisplays = false;
	for (size_t i = 0; i < m_dynStmt.size(); i++) {
		const dynStmtInfo &d = m_dynStmt[i];
		if (d.removed()) continue;
		const std::string line = dynamicLine(d);
		const std::string why = functions.whyNotSaved(line, consoleStatement::text(d.ds(), 0, 0));
		written[i] = why.empty();
		if (written[i]) std::fprintf(F, "console %s\n", line.c_str());
		else cprintf("Dynamic statement '%s' is not saved: %s\n", shownStatement(d).c_str(), why.c_str());
		if (written[i]) lastDisplays = displays(d.ds());
	}
	const long afterStatements = std::ftell(F);
	if (m_globalScope != nullptr) m_globalScope->writeConstantsToGeoFile(F);
	// the end of every console line's statement removes the console's
	// answer; but the first run of a dynamic statement comes after the end
	// of its line, and when it shows a value that it assigns to nothing, the
	// answer it leaves is removed by no later line. The scene has no answer
	// when a statement after it removed it: it goes again.
	const bool consoleLines = std::ftell(F) != beforeConsoleLines;
	// (an answer that a statement reads goes with the names below, which
	// runs nothing again)
	const std::set<std::string> notHeld = namesNotHeld(*this, written);
	if (lastDisplays && std::ftell(F) == afterStatements && getObjectPtrByName(sc_answerName) == nullptr &&
	    notHeld.count(sc_answerName) == 0)
		std::fprintf(F, "remove %s\n", sc_answerName);
	// what the statements' first runs made that the scene does not hold goes
	// again, as it went from the scene: nothing runs again for it, as
	// nothing ran when it went
	for (const std::string &name : notHeld) std::fprintf(F, "remove %s restore\n", GAfile::quoted(name).c_str());

	// the variables that those lines make again, in the colours, visibility
	// and model of the moment they run, come back as they are now, and so
	// does the answer they remove; then the state's own colours and font
	// size once more
	bool restored = false;
	for (const auto &kv : m_objects) {
		object *obj = kv.second;
		if (!obj->holdsValue() || (obj->m_drawMode & DM_INTERNAL)) continue;
		if (!madeAgainByConsoleLines(*this, written, obj->m_name) && !(consoleLines && obj->m_name == sc_answerName)) continue;
		restored |= writeRestored<e3ga>(F, obj) || writeRestored<p3ga>(F, obj) || writeRestored<c3ga>(F, obj) ||
		            writeRestored<i2ga>(F, obj);
	}
	if (restored) writeObjectDefaults(F, *this);
}
