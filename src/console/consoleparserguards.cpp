#include "console/consoleparserguards.h"

namespace {

std::string nestingMessage(int line, int column, int limit)
{
	return "line " + std::to_string(line) + ":" + std::to_string(column) + ": statements and operands nested deeper than " +
	       std::to_string(limit) + " levels";
}

} // namespace

consoleNestingException::consoleNestingException(int line, int column, int limit)
	: antlr::ANTLRException(nestingMessage(line, column, limit))
{
}

consoleNestingGuard::consoleNestingGuard(int &depth, int line, int column) : m_depth(depth)
{
	if (depth >= sc_maxDepth) throw consoleNestingException(line, column, sc_maxDepth);
	depth++;
}
