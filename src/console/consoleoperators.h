#pragma once
// Evaluation of flat operand chains: unary operators, then the operators
// between operands by precedence and associativity, each a call by name.

class consoleScope;
class consoleVariable;

// Evaluates the operand chain cv in scope and consumes it; returns the one
// remaining value, owned by the caller, or null for a null chain.
consoleVariable *consoleEvalExprList(consoleScope *scope, consoleVariable *cv);
