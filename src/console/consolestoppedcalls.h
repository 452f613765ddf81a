#pragma once
// The batch calls that a suspend statement stopped. Each holds the
// definition it began as one of its running calls, so that a definition
// that replaces it meanwhile neither frees it nor takes its place: when the
// command resumes, the call continues the body it stopped in, and a
// suspended command that is dropped lets go of what it held.
#include <string>
#include <vector>

class consoleFuncStmt;

class consoleStoppedCalls {
public:
	consoleStoppedCalls() = default;
	consoleStoppedCalls(consoleStoppedCalls &&other) noexcept;
	consoleStoppedCalls &operator=(consoleStoppedCalls &&other) noexcept;
	consoleStoppedCalls(const consoleStoppedCalls &) = delete;
	consoleStoppedCalls &operator=(const consoleStoppedCalls &) = delete;
	~consoleStoppedCalls() { clear(); }

	// One more call stopped, around those held (a suspension unwinds from
	// the innermost call outward); def counts as running meanwhile.
	void add(consoleFuncStmt *def);
	// The definition of the outermost call held, taken out with the running
	// call it counts, when it is named name and has nbArg arguments, as the
	// call that resumes it; null, holding on, for any other call.
	consoleFuncStmt *resume(const char *name, int nbArg);
	// Lets go of every definition held.
	void clear();

private:
	std::vector<consoleFuncStmt *> m_defs; // the innermost call first
};
