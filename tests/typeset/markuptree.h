#pragma once
// Helpers for the markup tests: a one-line form of a parse tree, a check of
// its shape, parsing with the printed messages captured, and a guard that
// silences standard output.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "typeset/fontparse.h"

namespace markup {

struct treeDeleter {
	void operator()(fpNode_s *n) const { fpNodeFree(n); }
};
typedef std::unique_ptr<fpNode_s, treeDeleter> tree_ptr;

std::string compact(const fpNode_s *n);

// The items of a sentence or option-list chain, first to last.
inline std::vector<const fpNode_s *> chainItems(const fpNode_s *n)
{
	std::vector<const fpNode_s *> items;
	for (; n; n = n->child[0])
		if (n->child[1])
			items.push_back(n->child[1]);
	std::reverse(items.begin(), items.end());
	return items;
}

// One line per tree: words "abc", numbers #12, white space ~width, special
// characters 'c', commands \name followed by their options {...}, arguments
// $k, scripts ^x and _x; the items of a sentence are separated by spaces.
inline std::string compact(const fpNode_s *n)
{
	if (!n)
		return "";
	std::string s;
	switch (n->type) {
	case FP_SENTENCE:
		for (const fpNode_s *item : chainItems(n))
			s += (s.empty() ? "" : " ") + compact(item);
		return s;
	case FP_OPTION: return "{" + compact(n->child[0]) + "}";
	case FP_OPTIONLIST:
		for (const fpNode_s *option : chainItems(n))
			s += compact(option);
		return s;
	case FP_WORD: return "\"" + std::string(n->str) + "\"";
	case FP_WHITESPACE: return "~" + std::to_string(n->nb);
	case FP_NUMBER: return "#" + std::string(n->str);
	case FP_COMMAND: return std::string(n->str) + compact(n->child[0]);
	case FP_COMMAND_NOOPT: return n->str;
	case FP_ARGUMENT: return "$" + std::to_string(n->nb);
	case FP_SPECIALCHAR: return "'" + std::string(1, (char)n->nb) + "'";
	case FP_SUPERSCRIPT:
	case FP_SUBSCRIPT:
		// Scripts of scripts may be thousands deep: no recursion along them.
		for (; n && (n->type == FP_SUPERSCRIPT || n->type == FP_SUBSCRIPT); n = n->child[0])
			s += n->type == FP_SUPERSCRIPT ? "^" : "_";
		return s + compact(n);
	default: return "?" + std::to_string(n->type);
	}
}

inline bool isItem(const fpNode_s *n) { return n->type >= FP_WORD && n->type <= FP_SUBSCRIPT; }

// Every child knows its parent, and every node has the children its type
// allows; the first fault found, or "" for a sound tree.  Sentences without
// an item are sound only where arguments were substituted (emptyItems).
inline std::string shapeFault(const fpNode_s *root, bool emptyItems = false)
{
	std::vector<const fpNode_s *> todo{root};
	while (!todo.empty()) {
		const fpNode_s *n = todo.back();
		todo.pop_back();
		auto child = [n](int i) { return i < n->nbChildren ? n->child[i] : nullptr; };
		for (int i = 0; i < n->nbChildren; i++)
			if (n->child[i]) {
				if (n->child[i]->parent != n)
					return "parent of child " + std::to_string(i) + " of " + compact(n);
				todo.push_back(n->child[i]);
			}
		bool ok = true;
		switch (n->type) {
		case FP_SENTENCE:
		case FP_OPTIONLIST: {
			int chain = n->type, last = n->type == FP_SENTENCE ? -1 : FP_OPTION;
			ok = n->nbChildren == 2 && (!child(0) || child(0)->type == chain) &&
			     (child(1) ? (last < 0 ? isItem(child(1)) : child(1)->type == last) : emptyItems && last < 0);
			break;
		}
		case FP_OPTION: ok = n->nbChildren == 1 && (!child(0) || child(0)->type == FP_SENTENCE); break;
		case FP_COMMAND: ok = n->nbChildren == 1 && child(0) && child(0)->type == FP_OPTIONLIST && n->str; break;
		case FP_SUPERSCRIPT:
		case FP_SUBSCRIPT:
			ok = n->nbChildren == 1 && child(0) && (isItem(child(0)) || child(0)->type == FP_OPTION);
			break;
		case FP_WORD:
		case FP_NUMBER:
		case FP_COMMAND_NOOPT: ok = n->nbChildren == 0 && n->str; break;
		default: ok = n->nbChildren == 0; break;
		}
		if (!ok)
			return "children of " + compact(n);
	}
	return "";
}

// Parses with standard output captured.
struct parsed {
	tree_ptr tree;
	std::string out;
};
inline parsed parseCaptured(const char *text, const char *mode)
{
	testing::internal::CaptureStdout();
	fpNode_s *tree = fontParse(text, mode);
	return {tree_ptr(tree), testing::internal::GetCapturedStdout()};
}

// Sends standard output to /dev/null while it lives.
class quietStdout {
public:
	quietStdout()
	{
		fflush(stdout);
		m_saved = dup(1);
		FILE *null = fopen("/dev/null", "w");
		dup2(fileno(null), 1);
		fclose(null);
	}
	~quietStdout()
	{
		fflush(stdout);
		dup2(m_saved, 1);
		close(m_saved);
	}

private:
	int m_saved;
};

} // namespace markup
