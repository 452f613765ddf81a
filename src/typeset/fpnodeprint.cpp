// Printing a markup parse tree for diagnosis.
#include "typeset/fpnode.h"

#include <cstdio>
#include <vector>

namespace {

const char *textOf(const fpNode_s *n) { return n->str ? n->str : ""; }

// A command is shown without its backslash.
const char *commandName(const fpNode_s *n)
{
	const char *s = textOf(n);
	return s[0] == '\\' ? s + 1 : s;
}

int nbSetChildren(const fpNode_s *n)
{
	int count = 0;
	for (int i = 0; i < n->nbChildren; i++)
		count += n->child[i] != nullptr;
	return count;
}

// Prints the line that opens a node; false for an unknown type.
bool printOpening(const fpNode_s *n, int depth)
{
	printf("%*s", 2 * depth, "");
	switch (n->type) {
	case FP_SENTENCE: printf("sentence, %d children\n", nbSetChildren(n)); return true;
	case FP_OPTION: printf("option {\n"); return true;
	case FP_OPTIONLIST: printf("optionlist, %d children\n", nbSetChildren(n)); return true;
	case FP_WORD: printf("word: %s\n", textOf(n)); return true;
	case FP_WHITESPACE: printf("whitespace: %d characters\n", n->nb); return true;
	case FP_NUMBER: printf("number: %s\n", textOf(n)); return true;
	case FP_COMMAND: printf("command: '%s' {\n", commandName(n)); return true;
	case FP_COMMAND_NOOPT: printf("optionless command: '%s'\n", commandName(n)); return true;
	case FP_SPECIALCHAR: printf("specialchar: %d\n", n->nb); return true;
	case FP_SUPERSCRIPT: printf("superscript:\n"); return true;
	case FP_SUBSCRIPT: printf("subscript:\n"); return true;
	default: printf("fpNodePrintInternal(): unknown node type '%d'\n", n->type); return false;
	}
}

} // namespace

int fpNodePrint(const fpNode_s *node)
{
	if (!node)
		return -1;
	int result = 0;
	// A node being printed, its depth and the next child slot to look at.
	struct frame {
		const fpNode_s *node;
		int depth;
		int next;
	};
	std::vector<frame> stack;
	if (printOpening(node, 0))
		stack.push_back({node, 0, 0});
	else
		result = -1;
	while (!stack.empty()) {
		frame &f = stack.back();
		const fpNode_s *n = f.node;
		while (f.next < n->nbChildren && !n->child[f.next])
			f.next++;
		if (f.next < n->nbChildren) {
			const fpNode_s *c = n->child[f.next++];
			int depth = f.depth + 1;
			if (printOpening(c, depth))
				stack.push_back({c, depth, 0}); // f is invalid from here
			else
				result = -1;
			continue;
		}
		// Options and commands close their braces after their children.
		if (n->type == FP_OPTION || n->type == FP_COMMAND)
			printf("%*s}\n", 2 * f.depth, "");
		stack.pop_back();
	}
	return result;
}
