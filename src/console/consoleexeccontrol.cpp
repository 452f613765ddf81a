// Execution of the control statements. Control flow travels in the flags of
// the scope: a statement sets a flag, and the list, loop or switch around
// it acts on the flag after the child it ran.
//
// Resumption after a suspend: an if or switch on the resumed path records,
// besides the indices of the statement lists, which of its branches or
// cases held the suspended list. When it runs again and takes another
// branch, the indices left for the lists inside are dropped, so that no
// other list starts in the middle.
#include "console/consolecontrolstmt.h"
#include "console/consoleexprstmt.h"
#include "console/consolefunctions.h"
#include "console/consolescope.h"
#include "console/consolevariable.h"
#include "os/osdep.h"

namespace {

// Runs a condition and tests it; nothing to test counts as true.
bool conditionHolds(consoleScope *s, consoleStatement *cond)
{
	if (cond == nullptr) return true;
	consoleVariable *v = cond->execute(s);
	bool holds = v == nullptr || v->isTrue();
	delete v;
	return holds;
}

// Runs an expression list for its side effects.
void runForEffect(consoleScope *s, consoleStatement *el)
{
	if (el != nullptr) delete el->execute(s);
}

// True while a dynamic statement's body runs in the global scope: the
// state's updates collect the names read, and the run made when the
// statement is entered displays nothing.
bool inDynamicStatement(consoleScope *s)
{
	return s->id() == 0 && (s->dynStmtVariableCollect() || s->noAssignmentDisplay());
}

// The branch or case that a statement on a resumed path is to re-enter; -1 off that path.
int resumedPart(consoleScope *s) { return s->resumePending() ? s->getResumeIdx() : -1; }

// After a part ran: when a list inside it suspended, records the part, so
// that resumption re-enters it. A suspend that stood directly as the part
// needs no record: the list around resumes after this statement.
void recordSuspendedPart(consoleScope *s, int part)
{
	if (s->suspendStmt() && s->suspendIdxCount() > 0) s->addSuspendIdx(part);
}

// One pass of a loop body in the loop's scope s. Returns true when the loop
// ends: with the body's value in *result after a return (whose flag goes
// on to sIn), with none after a break.
bool loopBody(consoleScope *sIn, consoleScope *s, consoleStatement *&body, consoleVariable **result)
{
	s->breakStmtAllowed(1);
	s->continueStmtAllowed(1);
	if (body == nullptr) return false;
	consoleVariable *v = body->execute(s);
	if (s->funcStmt()) consoleStatement::registerDefinition(s, body);
	if (s->returnStmt()) {
		sIn->returnStmt(1);
		*result = v ? v : consoleEmptyScalar();
		return true;
	}
	delete v;
	bool ended = s->breakStmt() != 0;
	s->breakStmt(0);
	s->continueStmt(0);
	return ended;
}

// Leaves a loop: its scope loses the permissions and goes.
consoleVariable *leaveLoop(consoleScope *s, consoleVariable *result)
{
	s->breakStmtAllowed(0);
	s->continueStmtAllowed(0);
	delete s;
	return result ? result : consoleEmptyScalar();
}

} // namespace

consoleVariable *consoleDummyStmt::execute(consoleScope *) { return consoleEmptyScalar(); }

consoleVariable *consoleIfElseStmt::execute(consoleScope *s)
{
	int resumed = resumedPart(s);
	int branch = conditionHolds(s, m_child[0]) ? 1 : 2;
	if (resumed >= 0 && resumed != branch) s->dropResumeIdcs();
	if (branch >= m_nbChildren || m_child[branch] == nullptr) return consoleEmptyScalar();
	// the branches share the scope, so their control flags reach the list around
	consoleVariable *v = m_child[branch]->execute(s);
	if (s->funcStmt()) registerDefinition(s, m_child[branch]);
	recordSuspendedPart(s, branch);
	return v ? v : consoleEmptyScalar();
}

consoleVariable *consoleWhileStmt::execute(consoleScope *sIn)
{
	consoleScope *s = sIn->subScope();
	consoleVariable *result = nullptr;
	for (;;) {
		s->breakStmtAllowed(0);
		s->continueStmtAllowed(0);
		if (!conditionHolds(s, m_child[0])) break;
		if (loopBody(sIn, s, m_child[1], &result)) break;
	}
	return leaveLoop(s, result);
}

consoleVariable *consoleForStmt::execute(consoleScope *sIn)
{
	consoleScope *s = sIn->subScope();
	consoleVariable *result = nullptr;
	runForEffect(s, m_initEl);
	while (conditionHolds(s, m_condEl)) {
		if (loopBody(sIn, s, m_child[0], &result)) break;
		// a continue still runs the step
		s->breakStmtAllowed(0);
		s->continueStmtAllowed(0);
		runForEffect(s, m_execEl);
	}
	return leaveLoop(s, result);
}

namespace {

// Whether a case is entered: after an earlier match, as the default, or
// when "equal" of its value and the switch value is true.
bool caseMatches(consoleScope *s, consoleStatement *caseStmt, const consoleVariable *value, bool matched)
{
	if (matched || caseStmt->child(0) == nullptr) return true;
	consoleVariable *caseValue = caseStmt->child(0)->execute(s);
	if (caseValue == nullptr) return false;
	consoleVariable *switchValue = new consoleVariable(*value);
	switchValue->name("");
	caseValue->next(switchValue);
	consoleVariable *equal = consoleExecFunc(s, "equal", caseValue);
	bool holds = equal->isTrue();
	delete equal;
	return holds;
}

} // namespace

consoleVariable *consoleSwitchStmt::execute(consoleScope *s)
{
	// a switch inside a loop gives back the break permission it found
	int breakAllowed = s->breakStmtAllowed();
	int resumed = resumedPart(s);
	consoleVariable *value = m_child[0] ? m_child[0]->execute(s) : nullptr;
	if (value == nullptr) value = consoleEmptyScalar();
	consoleVariable *result = nullptr;
	consoleStatement *cases = m_nbChildren > 1 ? m_child[1] : nullptr;
	bool matched = false;
	for (int j = 0; cases != nullptr && j < cases->nbChildren() && cases->child(j) != nullptr; j++) {
		consoleStatement *c = cases->child(j);
		s->breakStmtAllowed(0);
		matched = caseMatches(s, c, value, matched);
		s->breakStmtAllowed(1);
		// on a resumed path the cases before the suspended one ran already
		if (j < resumed) continue;
		if (j == resumed && !matched) s->dropResumeIdcs();
		if (!matched) continue;
		consoleStatement *list = c->nbChildren() > 1 ? c->child(1) : nullptr;
		if (list != nullptr) {
			consoleVariable *v = list->execute(s);
			if (s->returnStmt()) {
				result = v ? v : consoleEmptyScalar();
				break;
			}
			delete v;
		}
		if (s->breakStmt()) {
			s->breakStmt(0);
			break;
		}
		// continue and suspend end the switch; their flags go on outward
		if (s->continueStmt()) break;
		if (s->suspendStmt()) {
			recordSuspendedPart(s, j);
			break;
		}
	}
	s->breakStmtAllowed(breakAllowed);
	delete value;
	return result ? result : consoleEmptyScalar();
}

consoleVariable *consoleCaseStmt::execute(consoleScope *) { return nullptr; }

consoleVariable *consoleCaseListStmt::execute(consoleScope *) { return nullptr; }

consoleVariable *consoleReturnStmt::execute(consoleScope *s)
{
	s->returnStmt(1);
	consoleVariable *v = m_child[0] ? m_child[0]->execute(s) : nullptr;
	return v ? v : consoleEmptyScalar();
}

consoleVariable *consoleBreakStmt::execute(consoleScope *s)
{
	switch (m_type) {
	case sc_break:
		if (s->breakStmtAllowed()) s->breakStmt(1);
		else cprintf("Illegal break statement\n");
		break;
	case sc_continue:
		if (s->continueStmtAllowed()) s->continueStmt(1);
		else cprintf("Illegal continue statement\n");
		break;
	case sc_suspend:
		if (s->suspendStmtAllowed()) s->suspendStmt(1);
		else if (inDynamicStatement(s)) {
			// said once, when the statement is entered; its later runs are silent
			if (!s->supressErrors()) cprintf("Illegal suspend statement (not allowed in a dynamic statement)\n");
		} else cprintf("Illegal suspend statement (only allowed in global scope)\n");
		break;
	default: cprintf("Unknown break statement\n"); break;
	}
	return consoleEmptyScalar();
}
