// The scene objects of the state: kept by name in byte-wise name order,
// added (an existing object of the name keeps its identity when it can take
// the new one's properties), shown, hidden, faded and removed.
#include <cstring>
#include <string>
#include <vector>

#include "console/consolecontrol.h"
#include "console/consoleglobalscope.h"
#include "files/gafile.h"
#include "scene/gaobject.h"
#include "view/glwindow.h"
#include "os/osdep.h"
#include "state/state.h"
#include "ui/ui.h"

namespace {

// A value whose sum of squared coordinates is at most this is too small for
// its failed interpretation to be worth a warning: rounding leaves such
// remains where the user meant zero.
constexpr double sc_interpretationWarningNorm2 = 1e-5;

// True, with a message, when the console reads the object's name as
// something the object cannot be: a user constant, which hides it, or, for
// a label, polygon or mesh, a console control's value. A saved scene could
// not give both back: its constant's line removes the object, its
// control's line makes the value again.
bool nameTaken(const state &s, const object &obj)
{
	const char *taken = nullptr;
	if (s.m_globalScope != nullptr && s.m_globalScope->isUserConstant(obj.m_name)) taken = "a constant";
	for (const consoleControl *cc : s.m_consoleControls)
		if (taken == nullptr && !obj.holdsValue() && cc->assigns(obj.m_name)) taken = "a console control's variable";
	if (taken != nullptr)
		cprintf("Object '%s' is refused: it is the name of %s\n", state::shownName(obj.m_name).c_str(), taken);
	return taken != nullptr;
}

// True when obj, which has no interpretation, replaces one of the
// program's own variables of its kind that had none either.
template <class T> bool failsAgainAs(const object *old, const T &obj)
{
	return !obj.m_int.m_valid && old != nullptr && (old->m_drawMode & DM_INTERNAL) && old->m_type == obj.m_type &&
	       !static_cast<const T *>(old)->m_int.m_valid;
}

} // namespace

std::string state::shownName(const std::string &name)
{
	if (name.size() <= sc_shownNameBytes) return name;
	size_t n = sc_shownNameBytes;
	while (n > 0 && u_continuesCharacter(name[n])) n--;
	return name.substr(0, n) + "...";
}

bool state::nameFits(const std::string &name, const char *what, const char *suffix)
{
	// a line end would end the line that writes the name
	const size_t lineEnd = name.find_first_of("\r\n");
	if (lineEnd != std::string::npos) {
		cprintf("%s '%s...' is refused: its name holds a line end, which a line of a scene file can not hold\n", what,
		        shownName(name.substr(0, lineEnd)).c_str());
		return false;
	}
	// the suffix stays in sight when a long name is cut
	const size_t size = name.size() + std::strlen(suffix);
	if (size <= GAfile::sc_maxNameLength) return true;
	cprintf("%s '%s%s' is refused: its name holds %zu bytes, more than the %zu bytes a scene file holds\n", what,
	        shownName(name).c_str(), suffix, size, GAfile::sc_maxNameLength);
	return false;
}

bool state::nameFree(const std::string &name, const char *what, int holders) const
{
	const char *heldBy = nullptr;
	consoleVariable *constant = nullptr;
	if ((holders & sc_heldByConstant) && m_globalScope != nullptr &&
	    m_globalScope->lookupConstant(0, name, 1, &constant) == 0)
		heldBy = "a constant";
	delete constant;
	if (heldBy == nullptr && (holders & sc_heldByBuiltinConstant) && consoleScope::isBuiltinConstant(name))
		heldBy = "a constant";
	for (const consoleControl *cc : m_consoleControls)
		if (heldBy == nullptr && (holders & sc_heldByControl) && cc->assigns(name))
			heldBy = "a console control's variable";
	if (heldBy == nullptr && (holders & sc_heldByFunction) && m_globalScope != nullptr &&
	    m_globalScope->existFunction(0, name, 1))
		heldBy = "a function";
	// the view reads them as its camera; anything else they held would move it
	if (heldBy == nullptr && (holders & sc_heldByCamera) && (name == sc_camPosName || name == sc_camOriName))
		heldBy = "the camera's variable";
	if (heldBy != nullptr) cprintf("%s '%s' is refused: it is the name of %s\n", what, shownName(name).c_str(), heldBy);
	return heldBy == nullptr;
}

object *state::getObjectPtrByName(const std::string &name) const
{
	auto it = m_objectsByName.find(name);
	return it == m_objectsByName.end() ? nullptr : it->second;
}

int state::addObject(object *obj, int forceFlags, bool restored)
{
	if (!nameFits(obj->m_name, "Object") || nameTaken(*this, *obj)) {
		delete obj;
		return -1;
	}
	// a restored object comes back as it was saved, when what reads it was
	// up to date with it: nothing runs again for it
	modified(obj->m_name, !restored);

	// the state's defaults
	obj->setFgColor(m_fgColor);
	obj->setBgColor(m_bgColor);
	obj->setOlColor(m_olColor);
	obj->m_fontSize = m_fontSize;
	obj->m_poFactor = m_poFactor;
	obj->m_poUnits = m_poUnits;

	// the program's own variables stay hidden and internal whatever replaces them
	object *old = getObjectPtrByName(obj->m_name);
	const int internal = (old != nullptr && (old->m_drawMode & DM_INTERNAL)) ? DM_INTERNAL | DM_HIDE : 0;

	// an object that can take the new one's properties stays
	int propertiesChanged = 0;
	if (!restored && old != nullptr && old->copy(obj, propertiesChanged, forceFlags) == 0) {
		old->m_drawMode |= internal;
		delete obj;
		// the object panel shows what changed
		if (gui_state != nullptr && gui_state->m_currentObject == old) gui_state->updateControls(propertiesChanged);
		uiRedrawView();
		return 0;
	}

	// otherwise the new object takes the old one's place
	removeObject(obj->m_name, !restored);
	obj->m_drawMode |= internal;
	m_objects[&obj->m_name] = obj;
	m_objectsByName[obj->m_name] = obj;
	uiRedrawView();
	return 0;
}

template <class T, class V>
int state::addAlgebraObject(const V &value, const std::string &name, int drawMode, int creationFlags, int forceFlags,
                            bool restored)
{
	// a name refused says so once, before any word on its value
	if (!nameFits(name, "Object")) return -1;
	// a scene line writes the camera as the console does
	if (m_globalScope != nullptr && m_globalScope->cameraRefuses(name, value.isFinite())) return -1;
	T *obj = new T(value, name, drawMode, creationFlags, forceFlags);
	// a value that means something and has no interpretation is not drawn:
	// say so, but once only for the program's own variables, which a
	// motion writes every tick
	const bool quiet = (m_globalScope != nullptr && m_globalScope->supressWarnings()) || failsAgainAs(getObjectPtrByName(name), *obj);
	if (!obj->m_int.m_valid && value.norm_a() > sc_interpretationWarningNorm2 && !quiet)
		cprintf("Interpretation of object '%s' with coordinates %s failed.\n", obj->m_name.c_str(), value.string(nullptr));
	return addObject(obj, forceFlags, restored);
}

int state::addE3gaObject(const e3ga &value, const std::string &name, int drawMode, int creationFlags, int forceFlags,
                         bool restored)
{
	return addAlgebraObject<e3gaObject>(value, name, drawMode, creationFlags, forceFlags, restored);
}

int state::addP3gaObject(const p3ga &value, const std::string &name, int drawMode, int creationFlags, int forceFlags,
                         bool restored)
{
	return addAlgebraObject<p3gaObject>(value, name, drawMode, creationFlags, forceFlags, restored);
}

int state::addC3gaObject(const c3ga &value, const std::string &name, int drawMode, int creationFlags, int forceFlags,
                         bool restored)
{
	return addAlgebraObject<c3gaObject>(value, name, drawMode, creationFlags, forceFlags, restored);
}

int state::addI2gaObject(const i2ga &value, const std::string &name, int drawMode, int creationFlags, int forceFlags,
                         bool restored)
{
	return addAlgebraObject<i2gaObject>(value, name, drawMode, creationFlags, forceFlags, restored);
}

int state::removeObject(const std::string &name) { return removeObject(name, true); }

int state::removeObject(const std::string &name, bool markStatements)
{
	objectMap::iterator it = m_objects.find(&name);
	if (it == m_objects.end()) return -1;
	object *obj = it->second;
	// the name may be the object's own: keep it past the object
	const std::string removed = name;
	m_objectsByName.erase(removed);
	m_objects.erase(it);
	modified(removed, markStatements);
	// the object panel and the view's recent picks let go of it first
	if (gui_state != nullptr && gui_state->m_currentObject == obj) gui_state->setCurrentObject(nullptr);
	if (gui_state != nullptr && gui_state->m_glWindow != nullptr) gui_state->m_glWindow->forgetRecentPick(obj);
	delete obj;
	uiRedrawView();
	return 0;
}

int state::removeObject(object *obj) { return obj == nullptr ? -1 : removeObject(obj->m_name); }

int state::removeAllObjects()
{
	if (gui_state != nullptr) gui_state->setCurrentObject(nullptr);
	if (gui_state != nullptr && gui_state->m_glWindow != nullptr) gui_state->m_glWindow->clearRecentPicks();
	for (objectMap::value_type &entry : m_objects) delete entry.second;
	m_objects.clear();
	m_objectsByName.clear();
	object::m_objectCount = 1;
	uiRedrawView();
	return 0;
}

int state::showObject(const std::string &name)
{
	object *obj = getObjectPtrByName(name);
	return obj ? obj->show() : -1;
}

int state::hideObject(const std::string &name)
{
	object *obj = getObjectPtrByName(name);
	return obj ? obj->hide() : -1;
}

int state::textScaleChanged()
{
	for (objectMap::value_type &entry : m_objects) entry.second->textScaleChanged();
	return 0;
}

int state::objectUpdate()
{
	double t = u_timeGet();
	// removed after the walk, so that the walk never meets a deleted object
	std::vector<std::string> ended;
	for (objectMap::value_type &entry : m_objects) {
		try {
			entry.second->update(t);
		} catch (const removeObjectException &) {
			ended.push_back(entry.second->m_name);
		}
	}
	for (const std::string &name : ended) removeObject(name);
	return 0;
}

int state::fadeObject(const std::string &name, double duration, float target, int action, float startFadeFactor)
{
	object *obj = getObjectPtrByName(name);
	if (obj == nullptr) return -1;
	try {
		obj->setFade(duration, target, action, startFadeFactor);
	} catch (const removeObjectException &) {
		removeObject(obj);
	}
	return 0;
}
