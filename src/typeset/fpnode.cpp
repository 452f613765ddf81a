// Building, copying, searching and freeing markup parse trees.
#include "typeset/fpnode.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

bool sameText(const char *a, const char *b)
{
	if (!a || !b)
		return a == b;
	return strcmp(a, b) == 0;
}

// A copy of one node without its children: its own text and as many null
// child slots as the original has.
fpNode_s *copyNodeAlone(const fpNode_s *src)
{
	fpNode_s *dst = fpNodeAlloc(src->type, src->nbChildren);
	if (!dst)
		return nullptr;
	if (src->str && !(dst->str = strdup(src->str))) {
		fpNodeFree(dst);
		return nullptr;
	}
	dst->nb = src->nb;
	dst->flags = src->flags;
	dst->inputIdx = src->inputIdx;
	return dst;
}

} // namespace

fpNode_s *fpNodeAlloc(int type, int nbChildren)
{
	if (nbChildren < 0)
		return nullptr;
	fpNode_s *node = static_cast<fpNode_s *>(calloc(1, sizeof(fpNode_s)));
	if (!node)
		return nullptr;
	node->type = type;
	if (nbChildren > 0) {
		node->child = static_cast<fpNode_s **>(calloc((size_t)nbChildren, sizeof(fpNode_s *)));
		if (!node->child) {
			free(node);
			return nullptr;
		}
		node->nbChildren = nbChildren;
	}
	return node;
}

int fpSetNbChildren(fpNode_s *node, int n)
{
	if (!node || n < 0)
		return -1;
	if (n == 0) {
		free(node->child);
		node->child = nullptr;
		node->nbChildren = 0;
		return 0;
	}
	fpNode_s **grown = static_cast<fpNode_s **>(realloc(node->child, (size_t)n * sizeof(fpNode_s *)));
	if (!grown)
		return -1;
	for (int i = node->nbChildren; i < n; i++)
		grown[i] = nullptr;
	node->child = grown;
	node->nbChildren = n;
	return 0;
}

int fpSetChild(fpNode_s *node, fpNode_s *child, int idx)
{
	if (!node || !child || idx < 0 || idx >= node->nbChildren) {
		printf("fpSetChild(): invalid input %p %p %d\n", static_cast<void *>(node), static_cast<void *>(child), idx);
		return -1;
	}
	node->child[idx] = child;
	child->parent = node;
	return 0;
}

void fpNodeFree(fpNode_s *node)
{
	if (!node) {
		printf("fpNodeFree(): attempt to free() NULL node.\n");
		return;
	}
	// The nodes still to free form a list threaded through their parent
	// fields, which are of no more use: no allocation and no recursion.
	node->parent = nullptr;
	fpNode_s *pending = node;
	while (pending) {
		fpNode_s *n = pending;
		pending = n->parent;
		for (int i = 0; i < n->nbChildren; i++) {
			if (fpNode_s *c = n->child[i]) {
				c->parent = pending;
				pending = c;
			}
		}
		free(n->child);
		free(n->str);
		free(n);
	}
}

fpNode_s *fpNodeDuplicate(const fpNode_s *node)
{
	fpNode_s *root = node ? copyNodeAlone(node) : nullptr;
	if (!root) {
		printf("fpNodeDuplicate(): node duplication error\n");
		return nullptr;
	}
	// Pairs of an original node and its copy whose children are still to copy.
	std::vector<std::pair<const fpNode_s *, fpNode_s *>> todo{{node, root}};
	while (!todo.empty()) {
		auto [src, dst] = todo.back();
		todo.pop_back();
		for (int i = 0; i < src->nbChildren; i++) {
			if (!src->child[i])
				continue;
			fpNode_s *c = copyNodeAlone(src->child[i]);
			if (!c) {
				fpNodeFree(root);
				printf("fpNodeDuplicate(): node duplication error\n");
				return nullptr;
			}
			fpSetChild(dst, c, i);
			todo.push_back({src->child[i], c});
		}
	}
	return root;
}

fpNode_s *fpDescentLeft(fpNode_s *node)
{
	while (node && node->nbChildren > 0 && node->child[0])
		node = node->child[0];
	return node;
}

int fpNodeSetInputIdx(fpNode_s *node, int idx)
{
	if (!node)
		return -1;
	std::vector<fpNode_s *> todo{node};
	while (!todo.empty()) {
		fpNode_s *n = todo.back();
		todo.pop_back();
		n->inputIdx = idx;
		for (int i = 0; i < n->nbChildren; i++)
			if (n->child[i])
				todo.push_back(n->child[i]);
	}
	return 0;
}

int fpNodeFindTypeStr(const fpNode_s *node, int type, const char *str)
{
	if (!node)
		return 0;
	std::vector<const fpNode_s *> todo{node};
	while (!todo.empty()) {
		const fpNode_s *n = todo.back();
		todo.pop_back();
		if (n->type == type && sameText(n->str, str))
			return 1;
		for (int i = 0; i < n->nbChildren; i++)
			if (n->child[i])
				todo.push_back(n->child[i]);
	}
	return 0;
}
