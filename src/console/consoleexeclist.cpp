// Execution of statement lists, with the statement hooks, the registration
// of definitions, the control flags and suspension; of definitions, as
// statements and as the body of a call; and of the settings.
#include "console/consolecontrolstmt.h"
#include "console/consoledefstmt.h"
#include "console/consolefunctions.h"
#include "console/consolescope.h"
#include "console/consolevariable.h"
#include "os/osdep.h"
#include "state/state.h"

namespace {

const char *definitionWord(const consoleFuncStmt &def) { return def.function() ? "Function" : "Batch"; }

// Whether a definition in the global scope takes a name that no constant,
// no console control's variable and no camera's variable holds; otherwise
// it is refused with a message.
bool globalNameFree(consoleScope *s, const consoleFuncStmt &def)
{
	if (s->id() != 0 || g_state == nullptr) return true;
	const int holders = state::sc_heldByConstant | state::sc_heldByControl | state::sc_heldByCamera;
	return g_state->nameFree(def.name(), definitionWord(def), holders);
}

// Whether a definition has no more arguments than a call can pass;
// otherwise it is refused with a message.
bool argumentsFit(const consoleFuncStmt &def)
{
	const int count = def.nbArguments();
	if (count <= CONSOLE_MAX_ARGS) return true;
	cprintf("%s '%s' is refused: it has %d arguments, more than the %d that a call passes\n", definitionWord(def),
	        state::shownName(def.name()).c_str(), count, CONSOLE_MAX_ARGS);
	return false;
}

} // namespace

int consoleStatement::registerDefinition(consoleScope *s, consoleStatement *&slot)
{
	s->funcStmt(0);
	// only a definition itself is registered, never the statement around it
	consoleFuncStmt *def = dynamic_cast<consoleFuncStmt *>(slot);
	if (def == nullptr) return -1;
	// a block, such as a loop's, ends with its statement; the definition
	// lives, and its name is recorded, where the statements around it run
	consoleScope *home = s->callScope();
	if (globalNameFree(home, *def) && argumentsFit(*def) && home->addUserFunction(def) == 0) {
		if (home->id() == 0) slot = nullptr;
		return 0;
	}
	// a refused definition defines nothing: when reading it made its name a
	// function's in the global scope, and nothing made the name a variable's
	// or added a row of that name since, it reads as it did before. One
	// read in a body changed no record of the scope it is refused in.
	const int before = def->replacedRecord();
	if (home->id() == 0 && before != consoleFuncStmt::sc_readInBody && home->identifierRecord(def->name()) == 1 &&
	    !home->existFunction(0, def->name(), 1))
		home->setIdentifierRecord(def->name(), before);
	return -1;
}

consoleVariable *consoleStmtListStmt::execute(consoleScope *s)
{
	// a resumed list starts at its recorded index
	bool resuming = s->resumePending() != 0;
	int start = s->getResumeIdx();
	// the suspension that parked the list belongs to the run before
	if (resuming) s->suspendStmt(0);
	for (int i = start; i < m_nbChildren; i++) {
		consoleStatement *child = m_child[i];
		if (child == nullptr) continue;
		s->startStatement();
		consoleVariable *v = child->execute(s);
		// indices that the resumed statement left were meant for lists it no longer enters
		if (resuming) {
			s->dropResumeIdcs();
			resuming = false;
		}
		// a definition is registered, and has no end of statement
		if (s->funcStmt()) {
			bool definition = dynamic_cast<consoleFuncStmt *>(child) != nullptr;
			registerDefinition(s, m_child[i]);
			if (definition) {
				delete v;
				continue;
			}
		}
		if (v == nullptr) v = consoleEmptyScalar();
		v->rhs(1);
		s->endStatement(v, child->verbose());
		if (s->returnStmt()) {
			// a function's list passes the returned value out
			if (s->id() != 0) return v;
			cprintf("Function %s, line %d, column %d: error: return statement in global scope!\n",
			        s->functionName().c_str(), m_line, m_column);
			delete v;
			continue;
		}
		delete v;
		// every list unwinds a suspension and records where it stopped
		if (s->suspendStmt()) {
			s->addSuspendIdx(i);
			return consoleEmptyScalar();
		}
		// break and continue are for the loop or switch around
		if (s->breakStmt() || s->continueStmt()) return consoleEmptyScalar();
	}
	if (resuming) s->dropResumeIdcs();
	return consoleEmptyScalar();
}

consoleVariable *consoleFuncStmt::execute(consoleScope *s)
{
	s->funcStmt(1);
	return nullptr;
}

consoleVariable *consoleFuncStmt::execute(consoleScope *s, consoleVariable **arg)
{
	// file names in the body resolve against the directory of the definition
	// (it stays set after the call)
	if (g_state != nullptr) g_state->setWorkingDirectory(m_workingDirectory, false);
	// the arguments are bound by value under the argument names
	const consoleStatement *specs = m_child[0];
	for (int i = 0; specs != nullptr && i < specs->nbChildren() && specs->child(i) != nullptr; i++) {
		const consoleFuncArgSpecStmt *spec = static_cast<const consoleFuncArgSpecStmt *>(specs->child(i));
		consoleVariable target(spec->name(), e3ga(0.0));
		target.functionArgument(1);
		consoleVariableMakeOwn(arg[i]);
		delete s->assignVariable(&target, arg[i]);
	}
	consoleStatement *body = m_nbChildren > 1 ? m_child[1] : nullptr;
	consoleVariable *v = body ? body->execute(s) : nullptr;
	return v ? v : consoleEmptyScalar();
}

void consoleFuncStmt::callEnds(consoleFuncStmt *def)
{
	if (--def->m_calls.count == 0 && def->m_calls.released) delete def;
}

void consoleFuncStmt::release(consoleFuncStmt *def)
{
	if (def == nullptr) return;
	// the statements of a running call are still read after a definition
	// among them replaced the one they belong to
	if (def->m_calls.count > 0) def->m_calls.released = true;
	else delete def;
}

consoleVariable *consoleFuncDeclStmt::execute(consoleScope *) { return consoleEmptyScalar(); }

consoleVariable *consoleFuncArgSpecStmt::execute(consoleScope *) { return nullptr; }

consoleVariable *consoleFuncArgSpecListStmt::execute(consoleScope *) { return nullptr; }

consoleVariable *consoleSetStmt::execute(consoleScope *s)
{
	// the setting belongs to s, and to the scopes made below it from now on
	if (m_what == "inner_product") s->setInnerProduct(m_strValue);
	else if (m_what == "default_model") s->setDefaultModel(m_intValue);
	return consoleEmptyScalar();
}
