// Execution of the expression kinds: numbers, variable references, calls
// with their arguments, parenthesised and flat expressions.
#include <climits>
#include <cmath>
#include <cstdio>

#include "console/consolecontrolargs.h"
#include "console/consoleexprstmt.h"
#include "console/consolefunctions.h"
#include "console/consoleoperators.h"
#include "console/consolescope.h"
#include "console/consolevariable.h"

namespace {

// The nearest integer of an index, halves away from zero, kept within the
// 32-bit range (a NaN is 0) instead of overflowing the conversion.
int indexOf(double x)
{
	if (std::isnan(x)) return 0;
	double r = std::round(x);
	if (r >= (double)INT_MAX) return INT_MAX;
	if (r <= (double)INT_MIN) return INT_MIN;
	return (int)r;
}

// A new scalar x of a model, e3ga for any code but the other three.
consoleVariable *scalarOfModel(const std::string &name, int model, double x)
{
	switch (model) {
	case MODEL_P3GA: return new consoleVariable(name, p3ga(x));
	case MODEL_C3GA: return new consoleVariable(name, c3ga(x));
	case MODEL_I2GA: return new consoleVariable(name, i2ga(x));
	default: return new consoleVariable(name, e3ga(x));
	}
}

} // namespace

consoleVariable *consoleConstantScalarStmt::execute(consoleScope *s)
{
	// named by its "%f" text, of whatever length the number needs, which
	// is no name of the user's
	consoleVariable *v = scalarOfModel(m_valueName, s->getDefaultModel(), m_value);
	v->rhs(1);
	v->lhs(0);
	v->borrowedName(1);
	return v;
}

consoleVariable *consoleVariableStmt::execute(consoleScope *s)
{
	// a dynamic statement records the global names it reads
	if (s->dynStmtVariableCollect() && (m_global || s->id() == 0)) s->dynStmtVariable(m_name);
	std::string fullName = getFullname(s);
	consoleVariable *v = nullptr;
	// a name that no scope holds reads as 0.0 and is not created
	if (s->lookupVariable(s->id(), fullName, m_global, &v) != 0 || v == nullptr) {
		v = new consoleVariable(fullName, e3ga(0.0));
		v->rhs(1);
		v->lhs(1);
	}
	v->global(m_global);
	return v;
}

consoleVariable *consoleFuncNameStmt::execute(consoleScope *)
{
	// a temporary, which no assignment takes
	consoleVariable *v = consoleTemporary(consoleEmptyScalar());
	v->borrowedName(1);
	return v;
}

std::string consoleVariableStmt::getFullname(consoleScope *s)
{
	consoleArrayIdxListStmt *idx = static_cast<consoleArrayIdxListStmt *>(m_child[0]);
	return idx ? m_name + idx->indexSuffix(s) : m_name;
}

consoleVariable *consoleArrayIdxListStmt::execute(consoleScope *) { return nullptr; }

std::string consoleArrayIdxListStmt::indexSuffix(consoleScope *s)
{
	std::string suffix;
	char text[sizeof("[-2147483648]")];
	for (int i = 0; i < m_nbChildren; i++) {
		consoleVariable *v = m_child[i] ? m_child[i]->execute(s) : nullptr;
		// an absent index, or one without a value, is the index 0
		std::snprintf(text, sizeof(text), "[%d]", v ? indexOf(v->scalar()) : 0);
		delete v;
		suffix += text;
	}
	return suffix;
}

consoleVariable *consoleFuncArgListStmt::execute(consoleScope *s)
{
	consoleVariable *head = nullptr, **tail = &head;
	for (int i = 0; i < m_nbChildren; i++) {
		consoleVariable *v = m_child[i] ? m_child[i]->execute(s) : nullptr;
		// an argument without a value still takes its position
		if (v == nullptr) v = consoleEmptyScalar();
		*tail = v;
		tail = &v->m_next;
	}
	return head;
}

consoleVariable *consoleFuncCallStmt::execute(consoleScope *s)
{
	// a control or a constant refused for its name assigns nothing either
	if (!consoleBindingCallAllowed(s, m_name, m_nbChildren == 1 ? m_child[0] : nullptr)) {
		consoleVariable *nothing = consoleTemporary(consoleEmptyScalar());
		nothing->borrowedName(1);
		return nothing;
	}
	consoleVariable *arg = (m_nbChildren == 1 && m_child[0] != nullptr) ? m_child[0]->execute(s) : nullptr;
	// a call's result is a temporary, whatever name it brings from inside
	// the call
	consoleVariable *result = consoleTemporary(consoleExecFunc(s, m_name, arg));
	result->borrowedName(1);
	return result;
}

consoleVariable *consoleParExprStmt::execute(consoleScope *s)
{
	consoleVariable *v = m_child[0] ? m_child[0]->execute(s) : nullptr;
	return v ? v : consoleEmptyScalar();
}

consoleVariable *consoleExprListStmt::execute(consoleScope *s)
{
	consoleVariable *head = nullptr, **tail = &head;
	for (int i = 0; i < m_nbChildren; i++) {
		consoleStatement *operand = m_child[i];
		if (operand == nullptr) continue;
		// the operand written before "=" is assigned to
		consoleStatement *next = nullptr;
		for (int j = i + 1; j < m_nbChildren && next == nullptr; j++) next = m_child[j];
		if (next != nullptr && (next->op() & COP_INFIX_MASK) == COP_ASSIGN) operand->lhs(1);
		consoleVariable *v = operand->execute(s);
		if (v == nullptr) v = consoleEmptyScalar();
		// the operator written before the operand travels with its value
		v->op(operand->op());
		*tail = v;
		tail = &v->m_next;
	}
	return consoleEvalExprList(s, head);
}
