// Putting the options of a user command in place of the argument nodes of
// its body.
#include "typeset/fpnode.h"

#include <cstdio>
#include <vector>

namespace {

// The sentence an option holds, or null for a missing or empty option.
fpNode_s *optionSentence(fpNode_s *option)
{
	if (!option || option->nbChildren < 1)
		return nullptr;
	fpNode_s *sentence = option->child[0];
	return sentence && sentence->type == FP_SENTENCE ? sentence : nullptr;
}

// sentence->child[1] is an argument node: splices a copy of the option's
// items into the chain in its place, so that the items before the argument
// come first, then the option's items, then the rest of the body.
int substituteArgument(fpNode_s *sentence, int nbArgs, fpNode_s **args, const char *name)
{
	fpNode_s *argument = sentence->child[1];
	int k = argument->nb;
	fpNode_s *items = (args && k >= 1 && k <= nbArgs) ? optionSentence(args[k - 1]) : nullptr;
	if (!items) {
		printf("fpNodeSubstituteCustomCommandArguments(): argument '%d' not supplied for custom command '%s'\n", k,
		       name ? name : "");
		return 0;
	}
	fpNode_s *copy = fpNodeDuplicate(items);
	if (!copy)
		return -1;
	// The copy's first sentence node takes over the items before the argument.
	fpNode_s *first = fpDescentLeft(copy);
	if (first->nbChildren < 1) {
		fpNodeFree(copy);
		return -1;
	}
	first->child[0] = sentence->child[0];
	if (first->child[0])
		first->child[0]->parent = first;
	fpSetChild(sentence, copy, 0);
	sentence->child[1] = nullptr;
	fpNodeFree(argument);
	return 0;
}

} // namespace

int fpNodeSubstituteCustomCommandArguments(fpNode_s *tree, int nbArgs, fpNode_s **args, const char *name)
{
	if (!tree)
		return 0;
	// Depth first and child by child, so that arguments are met in the
	// order of the text; a node and the next child slot to look at.
	std::vector<std::pair<fpNode_s *, int>> stack{{tree, 0}};
	while (!stack.empty()) {
		auto &[n, next] = stack.back();
		if (next >= n->nbChildren) {
			stack.pop_back();
			continue;
		}
		int i = next++;
		fpNode_s *c = n->child[i];
		if (!c)
			continue;
		// The items before the argument (slot 0) are done; the spliced copy
		// of the option lands in slot 0 and is not searched, as its
		// arguments belong to the caller.
		if (c->type == FP_ARGUMENT && n->type == FP_SENTENCE && i == 1) {
			if (int result = substituteArgument(n, nbArgs, args, name))
				return result;
		} else
			stack.push_back({c, 0});
	}
	return 0;
}
