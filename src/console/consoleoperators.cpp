#include "console/consoleoperators.h"

#include "console/consolefunctions.h"
#include "console/consolescope.h"
#include "console/consolestatement.h"
#include "console/consolevariable.h"
#include "os/osdep.h"

namespace {

// Per operator code: the function called, the precedence (higher binds
// tighter) and the associativity (-1 left, 1 right).
const char *const c_opNames[COP_COUNT] = {"gp",  "assign", "igp",  "op",      "hip", "gp",
                                          "add", "sub",    "meet", "join",    "equal", "less",
                                          "greater", "le", "ge",   "and",     "or",  "ne"};
const int c_opPrecedence[COP_COUNT] = {6, 0, 6, 9, 7, 6, 5, 5, 8, 8, 3, 4, 4, 4, 4, 2, 1, 3};
const int c_opAssocitivity[COP_COUNT] = {-1, 1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

// The table index of an operand's operator; codes that no parse produces
// read as juxtaposition rather than past the tables.
int opIndex(const consoleVariable *cv)
{
	int code = cv->op() & COP_INFIX_MASK;
	return code < COP_COUNT ? code : COP_NONE;
}

// The function that the operator before cv calls; "." calls the scope's inner product.
std::string opName(consoleScope *scope, const consoleVariable *cv)
{
	int code = opIndex(cv);
	return code == COP_INNER ? scope->innerProduct() : std::string(c_opNames[code]);
}

// The sign before the first operand: "-" negates, "+" is nothing, any other
// operator is reported and dropped.
void applySign(consoleVariable *first)
{
	int w = first->op();
	if ((w & COP_INFIX_MASK) == 0) return;
	if (w == COP_SUB) w = COP_NEGATE;
	else if (w == COP_ADD) w = 0;
	else {
		cprintf("Warning: invalid unary operator '%d' used (todo: make this warning clearer...)\n", w);
		w &= ~COP_INFIX_MASK;
	}
	first->op(w);
}

// The unary operators of every operand, always in the order negate,
// inverse, reverse; each result takes the operand's place.
void applyUnary(consoleScope *scope, consoleVariable **head)
{
	static const struct {
		int bit;
		const char *name;
	} unary[] = {{COP_NEGATE, "negate"}, {COP_INVERSE, "inverse"}, {COP_REVERSE, "reverse"}};
	for (consoleVariable **link = head; *link != nullptr; link = &(*link)->m_next) {
		int w = (*link)->op();
		for (const auto &u : unary)
			if (w & u.bit) *link = consoleTemporary(consoleExecUnaryFunc(scope, u.name, *link));
		(*link)->op(w & ~0xFF00);
	}
}

// Replaces the pair that starts at *leftLink by the call of the operator
// between them; the result keeps the pair's place in the chain.
void reducePair(consoleScope *scope, consoleVariable **leftLink)
{
	consoleVariable *left = *leftLink, *cur = left->next();
	consoleVariable *successor = cur->next();
	cur->next(nullptr);
	consoleVariable *result = consoleTemporary(consoleExecFunc(scope, opName(scope, cur), left));
	result->next(successor);
	*leftLink = result;
}

} // namespace

consoleVariable *consoleEvalExprList(consoleScope *scope, consoleVariable *cv)
{
	if (cv == nullptr) return nullptr;
	applySign(cv);
	applyUnary(scope, &cv);
	// reduce the leftmost reducible pair until one operand is left
	while (cv->next() != nullptr) {
		consoleVariable **leftLink = &cv;
		for (;;) {
			consoleVariable *cur = (*leftLink)->next();
			consoleVariable *after = cur->next();
			// the last pair, or one that binds tighter than what follows: reduce and rescan
			if (after == nullptr || c_opPrecedence[opIndex(cur)] > c_opPrecedence[opIndex(after)]) {
				reducePair(scope, leftLink);
				break;
			}
			// equal precedence to the left: reduce and go on from the result
			if (c_opPrecedence[opIndex(cur)] == c_opPrecedence[opIndex(after)] && c_opAssocitivity[opIndex(cur)] <= 0) {
				reducePair(scope, leftLink);
				continue;
			}
			leftLink = &(*leftLink)->m_next;
		}
	}
	return cv;
}
