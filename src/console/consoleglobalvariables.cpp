// The global variables: the state's algebra objects read and written as
// console values, automatic colouring, and the list of the variables each
// statement assigned, printed and shown or hidden when the statement ends.
#include "console/consoleglobalscope.h"

#include <algorithm>

#include "console/consolefunctions.h"
#include "os/osdep.h"
#include "scene/gaobject.h"
#include "scene/mvint.h"
#include "state/state.h"
#include "ui/ui.h"

namespace {

// Calls f with the multivector of an algebra object; false, without
// calling f, for objects that are not variables (labels, polygons, meshes).
template <class F> bool visitObjectValue(const object &obj, F &&f)
{
	switch (obj.m_type) {
	case OT_E3GA: f(static_cast<const e3gaObject &>(obj).m_mv); return true;
	case OT_P3GA: f(static_cast<const p3gaObject &>(obj).m_mv); return true;
	case OT_C3GA: f(static_cast<const c3gaObject &>(obj).m_mv); return true;
	case OT_I2GA: f(static_cast<const i2gaObject &>(obj).m_mv); return true;
	default: return false;
	}
}

// A new variable holding the object's value; null for objects that are not variables.
consoleVariable *valueOf(const object &obj, const std::string &name)
{
	consoleVariable *v = nullptr;
	visitObjectValue(obj, [&](const auto &mv) { v = new consoleVariable(name, mv); });
	return v;
}

// Creates or updates the state's object of that name from the value, as
// the state's add operation of the value's model; a value of no model
// creates nothing.
void addObjectOf(state &st, const consoleVariable &value, const std::string &name, int drawMode)
{
	const int cf = value.creationFlags(), ff = value.forceFlags();
	switch (value.model()) {
	case MODEL_E3GA: st.addE3gaObject(value.e(), name, drawMode, cf, ff); break;
	case MODEL_P3GA: st.addP3gaObject(value.p(), name, drawMode, cf, ff); break;
	case MODEL_C3GA: st.addC3gaObject(value.c(), name, drawMode, cf, ff); break;
	case MODEL_I2GA: st.addI2gaObject(value.i2(), name, drawMode, cf, ff); break;
	default: break;
	}
}

} // namespace

int consoleGlobalScope::lookupVariable(int sid, const std::string &name, int global, consoleVariable **variable)
{
	*variable = nullptr;
	// constants, the variables of this scope and those of the chain first
	if (consoleScope::lookupVariable(sid, name, global, variable) == 0) return 0;
	// then the state's object of that name
	const object *obj = g_state != nullptr ? g_state->getObjectPtrByName(name) : nullptr;
	consoleVariable *v = obj != nullptr ? valueOf(*obj, name) : nullptr;
	if (v == nullptr) return -1;
	// the variable carries what the object shows, and its draw method
	v->color4(obj->fgColor());
	v->creationFlags(obj->m_dmMenuIdx >= 0 ? (obj->m_dmMenuIdx + 1) << OC_DRAW_METHOD_SHIFT : 0);
	v->drawMode(obj->m_drawMode);
	v->objectLook(1);
	v->lhs(1);
	v->rhs(1);
	*variable = v;
	return 0;
}

bool consoleGlobalScope::readsAs(const std::string &name, int *drawMode, bool *isTrue)
{
	// a constant hides the object; the global scopes keep no variables of their own
	consoleVariable *c = nullptr;
	if (lookupConstant(m_id, name, 1, &c) == 0 && c != nullptr) {
		*drawMode = c->drawMode();
		*isTrue = c->isTrue() != 0;
		delete c;
		return true;
	}
	const object *obj = g_state != nullptr ? g_state->getObjectPtrByName(name) : nullptr;
	if (obj == nullptr) return false;
	*drawMode = obj->m_drawMode;
	return visitObjectValue(*obj, [&](const auto &mv) { *isTrue = mv.norm_a() != 0.0; });
}

consoleVariable *consoleGlobalScope::assignVariable(consoleVariable *target, consoleVariable *value)
{
	const std::string &name = target->name();
	if (cameraRefuses(name, value->isFinite())) {
		// the statement counts as one that assigned the camera, which is
		// not displayed: the message is all it prints
		addConsoleAssignmentList(name, value->forceFlags());
		consoleVariable *kept = nullptr;
		lookupVariable(m_id, name, 1, &kept);
		return kept != nullptr ? kept : consoleEmptyScalar();
	}
	// the value is read once, for the colouring and for the object
	mvIntSharing oneReading;
	// automatic colouring, unless the value or the variable it replaces is
	// one the program maintains itself
	consoleVariable *coloured = nullptr;
	int drawMode = 0;
	bool isTrue = false;
	const bool internal = (value->drawMode() & DM_INTERNAL) ||
	                      (readsAs(name, &drawMode, &isTrue) && (drawMode & DM_INTERNAL));
	if (!internal && readsAs("autocolor", &drawMode, &isTrue) && isTrue) {
		// the colouring works on a copy that keeps every attribute of the value
		consoleVariable *copy = new consoleVariable(*value);
		copy->creationFlags(value->creationFlags());
		copy->next(nullptr);
		copy->rhs(1);
		coloured = consoleExecFunc(this, "autocolorfunc", copy);
		coloured->rhs(1);
		value = coloured;
	}
	if (g_state != nullptr) {
		// the object is made in the value's colour: the state's foreground
		// colour is what a new object takes
		float saved[4];
		std::copy(g_state->m_fgColor, g_state->m_fgColor + 4, saved);
		const float *c = value->color();
		g_state->setColor("fgcolor", c[0], c[1], c[2], c[3]);
		// a batch's argument that names no object yet is made hidden
		drawMode = value->drawMode();
		if (target->functionArgument() && g_state->getObjectPtrByName(name) == nullptr) drawMode |= DM_HIDE;
		addObjectOf(*g_state, *value, name, drawMode);
		g_state->setColor("fgcolor", saved[0], saved[1], saved[2], saved[3]);
	}
	// the program's own variables and batch arguments are not displayed
	// at the end of the statement
	if (!(value->drawMode() & DM_INTERNAL) && !target->functionArgument())
		addConsoleAssignmentList(name, value->forceFlags());
	setFunctionOrVariable(name, false);
	return coloured != nullptr ? coloured : new consoleVariable(std::string(), value);
}

bool consoleGlobalScope::cameraRefuses(const std::string &name, bool finite)
{
	if (finite || (name != sc_camPosName && name != sc_camOriName)) return false;
	if (!supressErrors()) cprintf("%s: the value is not finite; the camera stays as it was\n", name.c_str());
	return true;
}

bool consoleGlobalScope::constantNameAllowed(const std::string &name, const char *command, const char *kept,
                                             int holders)
{
	if (name == sc_camPosName || name == sc_camOriName) {
		cprintf("%s(): '%s' is the camera's variable, which a constant would freeze; %s\n", command, name.c_str(), kept);
		return false;
	}
	return state::nameFits(name, "Constant") && (g_state == nullptr || g_state->nameFree(name, "Constant", holders));
}

consoleGlobalScope *consoleGlobalScope::commandScope(consoleScope *s, const char *refusal)
{
	consoleGlobalScope *g = s->id() == 0 ? dynamic_cast<consoleGlobalScope *>(s) : nullptr;
	if (g == nullptr) cprintf("%s", refusal);
	return g;
}

int consoleGlobalScope::endStatement(consoleVariable *result, int verbose)
{
	if (!noAssignmentDisplay()) {
		// "ans" lasts until the end of the statement after the one that made it
		if (g_state != nullptr) g_state->removeObject(sc_answerName);
		if (verbose) displayConsoleAssignmentList(result);
		else hideConsoleAssignmentList(result);
	}
	return consoleScope::endStatement(result, verbose);
}

int consoleGlobalScope::addConsoleAssignmentList(std::string name, int forceFlags)
{
	m_consoleAssignmentList.push_back(caItem{std::move(name), forceFlags});
	return 0;
}

int consoleGlobalScope::clearConsoleAssignmentList()
{
	m_consoleAssignmentList.clear();
	return 0;
}

std::vector<consoleGlobalScope::caItem> consoleGlobalScope::takeConsoleAssignmentList()
{
	std::vector<caItem> list;
	list.swap(m_consoleAssignmentList);
	return list;
}

void consoleGlobalScope::restoreConsoleAssignmentList(std::vector<caItem> list)
{
	m_consoleAssignmentList = std::move(list);
}

consoleVariable *consoleGlobalScope::displayConsoleAssignmentList(consoleVariable *ans)
{
	// a displayed statement that assigned nothing shows its value as "ans"
	if (m_consoleAssignmentList.empty()) {
		consoleVariable target(sc_answerName, e3ga(0.0));
		consoleVariableMakeOwn(ans);
		delete assignVariable(&target, ans);
	}
	// the list is taken first: printing runs a built-in, which may assign
	std::vector<caItem> items;
	items.swap(m_consoleAssignmentList);
	for (size_t i = 0; i < items.size(); i++) {
		const caItem &item = items[i];
		consoleVariable *v = nullptr;
		lookupVariable(m_id, item.name, 1, &v);
		if (v == nullptr || (v->drawMode() & DM_INTERNAL)) {
			delete v;
			continue;
		}
		v->next(nullptr);
		delete consoleExecFunc(this, "print", v);
		object *obj = g_state != nullptr ? g_state->getObjectPtrByName(item.name) : nullptr;
		if (obj != nullptr && !(item.forceFlags & DM_HIDE)) obj->show();
		// the object panel shows what the statement assigned last
		if (i + 1 == items.size() && gui_state != nullptr && obj != nullptr) gui_state->setCurrentObject(obj);
	}
	return ans;
}

consoleVariable *consoleGlobalScope::hideConsoleAssignmentList(consoleVariable *ans)
{
	// the last assignment first; objects whose visibility was set explicitly stay as they are
	for (auto it = m_consoleAssignmentList.rbegin(); it != m_consoleAssignmentList.rend(); ++it) {
		if (it->forceFlags & DM_HIDE) continue;
		object *obj = g_state != nullptr ? g_state->getObjectPtrByName(it->name) : nullptr;
		if (obj != nullptr) obj->hide();
	}
	m_consoleAssignmentList.clear();
	return ans;
}
