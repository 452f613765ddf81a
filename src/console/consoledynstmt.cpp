// Dynamic statements: the statement that registers one with the state, and
// the state's list of them, which runs again each statement whose global
// variables changed. While an update runs, removed entries stay in the list,
// marked, until the update ends: the list being run is never deleted under it.
#include "console/consolecontrolstmt.h"
#include "console/consoledefstmt.h"
#include "console/consoleglobalscope.h"
#include "console/consolevariable.h"
#include "os/osdep.h"
#include "state/state.h"
#include "ui/ui.h"

// --- the statement -----------------------------------------------------------------

consoleVariable *consoleDynStmt::execute(consoleScope *s)
{
	// a dynamic statement being run by the state registers nothing more
	if (s->dynStmtVariableCollect()) {
		cprintf("Error in '%s': dynamic() call inside a dynamic() call (returning 0.0).\n", s->functionName().c_str());
		return consoleEmptyScalar();
	}
	if (s->id() != 0) {
		cprintf("Error in '%s': dynamic() can only be called in global scope!\n", s->functionName().c_str());
		return consoleEmptyScalar();
	}
	if (m_nbChildren == 0 || m_child[0] == nullptr) return consoleEmptyScalar();
	if (!state::nameFits(m_name, "Dynamic statement")) return consoleEmptyScalar();
	// the state keeps a copy; the body in the tree never runs itself
	consoleStatement *body = m_child[0]->copy();
	consoleStmtListStmt *list = dynamic_cast<consoleStmtListStmt *>(body);
	if (list == nullptr) list = new consoleStmtListStmt(body);
	// one silent run, in which a suspend is refused
	const int display = s->noAssignmentDisplay(), suspend = s->suspendStmtAllowed();
	s->noAssignmentDisplay(1);
	s->suspendStmtAllowed(0);
	delete list->execute(s);
	s->noAssignmentDisplay(display);
	s->suspendStmtAllowed(suspend);
	if (g_state != nullptr) g_state->addDynStmt(list, m_workingDirectory, m_name);
	else delete list;
	return consoleEmptyScalar();
}

// --- entries -----------------------------------------------------------------------

namespace {
// the serial of the last entry made, in this program
unsigned long s_lastDynStmtSerial = 0;
} // namespace

state::dynStmtInfo::dynStmtInfo(consoleStmtListStmt *ds, const std::string &workingDirectory,
                                const std::string &name)
	: m_dynStmt(ds), m_name(name), m_workingDirectory(workingDirectory), m_removed(false),
	  m_serial(++s_lastDynStmtSerial)
{
}

state::dynStmtInfo::dynStmtInfo(const dynStmtInfo &other) : m_dynStmt(nullptr), m_removed(false), m_serial(0)
{
	set(other);
}

state::dynStmtInfo::dynStmtInfo(dynStmtInfo &&other) noexcept
	: m_dynStmt(other.m_dynStmt), m_name(std::move(other.m_name)),
	  m_workingDirectory(std::move(other.m_workingDirectory)), m_removed(other.m_removed), m_serial(other.m_serial)
{
	other.m_dynStmt = nullptr;
}

state::dynStmtInfo &state::dynStmtInfo::operator=(const dynStmtInfo &other)
{
	set(other);
	return *this;
}

state::dynStmtInfo &state::dynStmtInfo::operator=(dynStmtInfo &&other) noexcept
{
	if (&other == this) return *this;
	delete m_dynStmt;
	m_dynStmt = other.m_dynStmt;
	other.m_dynStmt = nullptr;
	m_name = std::move(other.m_name);
	m_workingDirectory = std::move(other.m_workingDirectory);
	m_removed = other.m_removed;
	m_serial = other.m_serial;
	return *this;
}

state::dynStmtInfo::~dynStmtInfo() { delete m_dynStmt; }

int state::dynStmtInfo::set(const dynStmtInfo &other)
{
	if (&other == this) return 0;
	// the copy keeps the statement flags and the names read
	ds(other.m_dynStmt ? static_cast<consoleStmtListStmt *>(other.m_dynStmt->copy()) : nullptr);
	m_name = other.m_name;
	m_workingDirectory = other.m_workingDirectory;
	m_removed = other.m_removed;
	m_serial = other.m_serial;
	return 0;
}

int state::dynStmtInfo::ds(consoleStmtListStmt *ds)
{
	if (ds != m_dynStmt) delete m_dynStmt;
	m_dynStmt = ds;
	return 0;
}

// --- the state's list ----------------------------------------------------------------

int state::newDynStmt(consoleStmtListStmt *stmt)
{
	stmt->evalRequired(1);
	stmt->firstEval(1);
	return 0;
}

int state::addDynStmt(consoleStmtListStmt *stmt, const std::string &workingDirectory, const std::string &name)
{
	if (stmt == nullptr) return 0;
	newDynStmt(stmt);
	if (!name.empty()) removeDynStmt(name);
	m_dynStmt.emplace_back(stmt, workingDirectory, name);
	m_dynStmtChanges++;
	return 0;
}

int state::replaceDynStmt(consoleStmtListStmt *oldStmt, consoleStmtListStmt *newStmt)
{
	for (dynStmtInfo &d : m_dynStmt) {
		if (d.removed() || d.ds() != oldStmt) continue;
		d.ds(newStmt);
		if (newStmt != nullptr) newDynStmt(newStmt);
		m_dynStmtChanges++;
		return 0;
	}
	delete newStmt;
	return -1;
}

int state::removeDynStmt(consoleStmtListStmt *stmt)
{
	for (size_t i = 0; i < m_dynStmt.size(); i++) {
		if (m_dynStmt[i].removed() || m_dynStmt[i].ds() != stmt) continue;
		dropDynStmt(i);
		break;
	}
	return 0;
}

int state::removeDynStmt(int idx)
{
	if (idx < 0 || (size_t)idx >= m_dynStmt.size()) {
		cprintf("state::removeDynStmt(): invalid index %d\n", idx);
		return -1;
	}
	dropDynStmt((size_t)idx);
	return 0;
}

int state::removeDynStmt(const std::string &name)
{
	for (size_t i = 0; i < m_dynStmt.size();) {
		if (m_dynStmt[i].removed() || m_dynStmt[i].name() != name) {
			i++;
			continue;
		}
		dropDynStmt(i);
		// an entry erased at once brings the next one to this index
		if (m_dynStmtUpdating) i++;
	}
	return 0;
}

int state::removeAllDynStmt()
{
	m_dynStmtChanges++;
	if (!m_dynStmtUpdating) m_dynStmt.clear();
	else
		for (dynStmtInfo &d : m_dynStmt) d.removed(true);
	return 0;
}

void state::dropDynStmt(size_t idx)
{
	m_dynStmtChanges++;
	if (m_dynStmtUpdating) m_dynStmt[idx].removed(true);
	else m_dynStmt.erase(m_dynStmt.begin() + (long)idx);
}

void state::runDynStmt(dynStmtInfo &entry)
{
	consoleGlobalScope *g = m_globalScope;
	consoleStmtListStmt *list = entry.ds();
	g->supressWarnings(1);
	g->supressErrors(1);
	g->dynStmtVariableCollect(1);
	// assignments are displayed on the first run only; each entry sets this
	// for itself, so that one entry's setting never carries into the next
	g->noAssignmentDisplay(!list->firstEval());
	// a dynamic statement cannot wait for a later command
	const int suspend = g->suspendStmtAllowed();
	g->suspendStmtAllowed(0);
	// only the names read in this run count
	g->freeDynStmtVariables();
	delete list->execute(g);
	g->suspendStmtAllowed(suspend);
	list->setDynStmtVariables(g->getDynStmtVariables());
	list->firstEval(0);
	list->evalRequired(0);
}

int state::updateDynStmts()
{
	if (m_dynStmtUpdating || m_globalScope == nullptr) return 0;
	m_dynStmtUpdating = true;
	updateConsoleControls();
	// a statement that re-runs the dynamic statements (a control's
	// built-in, the clock's) shows or hides what it assigned itself, not
	// what the entries assigned; its modes outlast the entries' runs
	consoleGlobalScope *g = m_globalScope;
	std::vector<consoleGlobalScope::caItem> assigned = g->takeConsoleAssignmentList();
	const int warnings = g->supressWarnings(), errors = g->supressErrors();
	const int display = g->noAssignmentDisplay(), collect = g->dynStmtVariableCollect();
	// each entry runs at most once, so entries that feed each other cannot loop
	std::vector<bool> done;
	for (bool ran = true; ran;) {
		ran = false;
		for (size_t i = 0; i < m_dynStmt.size(); i++) {
			done.resize(m_dynStmt.size(), false);
			if (done[i] || m_dynStmt[i].removed() || !m_dynStmt[i].ds()->evalRequired()) continue;
			done[i] = true;
			ran = true;
			// entries removed meanwhile stay in the list until the end, so the
			// list being run lives through its run
			runDynStmt(m_dynStmt[i]);
			// an entry asked for a reset: no more entries run
			if (m_globalScope->resetRequested()) break;
		}
		if (m_globalScope->resetRequested()) break;
	}
	// changes made by the entries that ran do not carry into the next update
	for (dynStmtInfo &d : m_dynStmt) d.ds()->evalRequired(0);
	g->supressWarnings(warnings);
	g->supressErrors(errors);
	g->noAssignmentDisplay(display);
	g->dynStmtVariableCollect(collect);
	g->restoreConsoleAssignmentList(std::move(assigned));
	uiRedrawView();
	m_dynStmtUpdating = false;
	// the removals asked for while the entries ran
	for (size_t i = m_dynStmt.size(); i-- > 0;)
		if (m_dynStmt[i].removed()) m_dynStmt.erase(m_dynStmt.begin() + (long)i);
	// the reset an entry asked for, once nothing runs that it would delete
	if (m_globalScope->resetRequested()) runDeferred(false);
	return 0;
}
