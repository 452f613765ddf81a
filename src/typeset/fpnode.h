#pragma once
// The parse tree of a label's markup, shared by the markup parser that
// builds it and the box layout that reads it.  Nodes are malloc'ed C records:
// a node owns its child array, its children and its text.
//
// Sentences and option lists are left-leaning chains: the items of "a b c"
// are found by following child [0] down to the first sentence node and
// reading child [1] of each node on the way back up.  Every operation below
// walks the tree with an explicit stack, so chains of any length and deep
// nesting never exhaust the call stack.

// Node types.
enum {
	FP_SENTENCE = 0,     // [0] the sentence before (or null), [1] the last item
	FP_OPTION = 1,       // [0] the sentence inside the braces (null for "{}")
	FP_OPTIONLIST = 2,   // [0] the option list before (or null), [1] the last option
	FP_WORD = 3,         // str
	FP_WHITESPACE = 4,   // nb = width
	FP_NUMBER = 5,       // str
	FP_COMMAND = 6,      // str = command with its backslash, [0] its option list
	FP_COMMAND_NOOPT = 7, // str = command with its backslash
	FP_ARGUMENT = 8,     // nb = argument number of a user command
	FP_SPECIALCHAR = 9,  // nb = character code
	FP_SUPERSCRIPT = 10, // [0] an item or an option
	FP_SUBSCRIPT = 11    // [0] an item or an option
};

struct fpNode_s {
	int type;            // one of the FP_* types
	fpNode_s *parent;    // null for the root
	fpNode_s **child;    // nbChildren child pointers (owned); entries may be null
	int nbChildren;
	char *str;           // text of a word, number or command (owned), or the name of a stored user command
	int nb;              // white-space width, special character code or argument number
	int flags;           // 0 from the parser; the box builder records here the attributes it pushed
	int inputIdx;        // input position of the node's text: an item's token, an option's "{", a
	                     // script's "^" or "_"; a sentence or option-list node has its last item's
};

// A zeroed node with nbChildren null child slots; null on failure.
fpNode_s *fpNodeAlloc(int type, int nbChildren);

// Resizes the child array, new slots null; 0 or -1.  Children in slots that
// are cut off are not freed: detach them first.
int fpSetNbChildren(fpNode_s *node, int n);

// Stores child in slot idx and makes node its parent; 0, or -1 (with a
// message) for a null node or child or an index outside the slots.
int fpSetChild(fpNode_s *node, fpNode_s *child, int idx);

// Frees a subtree: children, texts and the nodes.
void fpNodeFree(fpNode_s *node);

// Deep copy of a subtree (null slots stay null); the copy has no parent.
// Null on failure.
fpNode_s *fpNodeDuplicate(const fpNode_s *node);

// Follows child [0] while the node has children and child [0] is set; the
// last node reached (the first sentence of a chain).
fpNode_s *fpDescentLeft(fpNode_s *node);

// Sets inputIdx in the whole subtree; 0, or -1 for a null node.
int fpNodeSetInputIdx(fpNode_s *node, int idx);

// 1 when a node of that type whose str equals str lies in the subtree, else 0.
int fpNodeFindTypeStr(const fpNode_s *node, int type, const char *str);

// Puts the options of a user command in place of the argument nodes of its
// body: args[k - 1] is the option node that argument k stands for (the body
// must be the caller's own copy).  An argument without a matching non-empty
// option is reported and stays.  0, or -1 when copying an option fails.
int fpNodeSubstituteCustomCommandArguments(fpNode_s *tree, int nbArgs, fpNode_s **args, const char *name);

// Prints a tree on standard output for diagnosis, two spaces of indentation
// a level; 0, or -1 when it holds a node of unknown type.
int fpNodePrint(const fpNode_s *node);
