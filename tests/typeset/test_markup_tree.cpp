// Operations on markup parse trees: the printed form, building and copying,
// searching, and putting user-command options in place of arguments.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "typeset/markuptree.h"

namespace {

using markup::compact;
using markup::parseCaptured;
using markup::tree_ptr;

tree_ptr parseQuiet(const char *text, const char *mode)
{
	auto p = parseCaptured(text, mode);
	EXPECT_TRUE(p.tree) << text << "\n" << p.out;
	return std::move(p.tree);
}

std::string printed(const fpNode_s *tree, int expectedResult = 0)
{
	testing::internal::CaptureStdout();
	EXPECT_EQ(fpNodePrint(tree), expectedResult);
	return testing::internal::GetCapturedStdout();
}

TEST(MarkupTree, PrintedForm)
{
	tree_ptr tree = parseQuiet("\\f{a 2}{} x^{y}_1\\\\%", "e");
	EXPECT_EQ(printed(tree.get()), "sentence, 2 children\n"
	                               "  sentence, 2 children\n"
	                               "    sentence, 2 children\n"
	                               "      sentence, 2 children\n"
	                               "        sentence, 2 children\n"
	                               "          sentence, 2 children\n"
	                               "            sentence, 1 children\n"
	                               "              command: 'f' {\n"
	                               "                optionlist, 2 children\n"
	                               "                  optionlist, 1 children\n"
	                               "                    option {\n"
	                               "                      sentence, 2 children\n"
	                               "                        sentence, 2 children\n"
	                               "                          sentence, 1 children\n"
	                               "                            word: a\n"
	                               "                          whitespace: 1 characters\n"
	                               "                        number: 2\n"
	                               "                    }\n"
	                               "                  option {\n"
	                               "                  }\n"
	                               "              }\n"
	                               "            whitespace: 1 characters\n"
	                               "          word: x\n"
	                               "        superscript:\n"
	                               "          option {\n"
	                               "            sentence, 1 children\n"
	                               "              word: y\n"
	                               "          }\n"
	                               "      subscript:\n"
	                               "        number: 1\n"
	                               "    optionless command: '\\'\n"
	                               "  specialchar: 37\n");
	// Argument nodes have no printed form of their own.
	tree_ptr argument = parseQuiet("\\7 a", "t");
	EXPECT_EQ(printed(argument.get(), -1), "sentence, 2 children\n"
	                                       "  sentence, 2 children\n"
	                                       "    sentence, 1 children\n"
	                                       "      fpNodePrintInternal(): unknown node type '8'\n"
	                                       "    whitespace: 1 characters\n"
	                                       "  word: a\n");
}

TEST(MarkupTree, BuildingAndFailures)
{
	fpNode_s *node = fpNodeAlloc(FP_SENTENCE, 0);
	fpNode_s *word = fpNodeAlloc(FP_WORD, 0);
	ASSERT_TRUE(node && word);
	EXPECT_EQ(node->child, nullptr);
	EXPECT_EQ(fpNodeAlloc(FP_WORD, -1), nullptr);
	// Growing adds null slots; children know their parent.
	ASSERT_EQ(fpSetNbChildren(node, 3), 0);
	EXPECT_TRUE(node->child[0] == nullptr && node->child[1] == nullptr && node->child[2] == nullptr);
	EXPECT_EQ(fpSetChild(node, word, 2), 0);
	EXPECT_EQ(word->parent, node);
	ASSERT_EQ(fpSetNbChildren(node, 5), 0);
	EXPECT_EQ(node->child[2], word);
	EXPECT_EQ(node->child[4], nullptr);
	EXPECT_EQ(fpSetNbChildren(node, -1), -1);
	// Invalid children are refused with the pointers shown.
	testing::internal::CaptureStdout();
	EXPECT_EQ(fpSetChild(node, word, 5), -1);
	EXPECT_EQ(fpSetChild(node, nullptr, 0), -1);
	EXPECT_EQ(fpSetChild(nullptr, word, -1), -1);
	fpNodeFree(nullptr);
	EXPECT_EQ(fpNodeDuplicate(nullptr), nullptr);
	std::string out = testing::internal::GetCapturedStdout();
	EXPECT_TRUE(std::regex_match(out, std::regex("fpSetChild\\(\\): invalid input 0x[0-9a-f]+ 0x[0-9a-f]+ 5\n"
	                                             "fpSetChild\\(\\): invalid input 0x[0-9a-f]+ \\(nil\\) 0\n"
	                                             "fpSetChild\\(\\): invalid input \\(nil\\) 0x[0-9a-f]+ -1\n"
	                                             "fpNodeFree\\(\\): attempt to free\\(\\) NULL node.\n"
	                                             "fpNodeDuplicate\\(\\): node duplication error\n")))
	    << out;
	fpNodeFree(node);
}

TEST(MarkupTree, CopySearchAndPositions)
{
	tree_ptr tree = parseQuiet("\\bold{\\it x} y", "t");
	tree->child[1]->flags = 5;
	tree_ptr copy(fpNodeDuplicate(tree.get()));
	ASSERT_TRUE(copy);
	EXPECT_EQ(compact(copy.get()), "\\bold{\\it ~1 \"x\"} ~1 \"y\"");
	EXPECT_EQ(markup::shapeFault(copy.get()), "");
	EXPECT_EQ(copy->child[1]->flags, 5);
	EXPECT_EQ(copy->child[1]->inputIdx, 13);
	EXPECT_NE(copy->child[1]->str, tree->child[1]->str);
	tree.reset();
	EXPECT_EQ(compact(copy.get()), "\\bold{\\it ~1 \"x\"} ~1 \"y\"");

	struct findCase {
		int type;
		const char *str;
		int found;
	};
	const findCase cases[] = {{FP_COMMAND, "\\bold", 1}, {FP_COMMAND_NOOPT, "\\bold", 0}, {FP_COMMAND_NOOPT, "\\it", 1},
	                          {FP_WORD, "x", 1},         {FP_WORD, "z", 0},            {FP_WHITESPACE, nullptr, 1},
	                          {FP_WORD, nullptr, 0}};
	for (const findCase &c : cases)
		EXPECT_EQ(fpNodeFindTypeStr(copy.get(), c.type, c.str), c.found) << c.type << " " << (c.str ? c.str : "null");

	// The first sentence of the chain holds the first item.
	fpNode_s *first = fpDescentLeft(copy.get());
	EXPECT_EQ(first->child[0], nullptr);
	EXPECT_STREQ(first->child[1]->str, "\\bold");
	EXPECT_EQ(fpDescentLeft(first->child[1]), first->child[1]->child[0]);
	EXPECT_EQ(fpDescentLeft(copy->child[1]), copy->child[1]);
	EXPECT_EQ(fpDescentLeft(nullptr), nullptr);

	ASSERT_EQ(fpNodeSetInputIdx(copy.get(), 42), 0);
	std::vector<const fpNode_s *> todo{copy.get()};
	int nodes = 0;
	while (!todo.empty()) {
		const fpNode_s *n = todo.back();
		todo.pop_back();
		nodes++;
		EXPECT_EQ(n->inputIdx, 42);
		for (int i = 0; i < n->nbChildren; i++)
			if (n->child[i])
				todo.push_back(n->child[i]);
	}
	EXPECT_EQ(nodes, 14);
}

TEST(MarkupTree, ArgumentSubstitution)
{
	struct substCase {
		const char *body, *call, *mode, *result, *out;
	};
	const substCase cases[] = {
	    // Options stand in the body in place of the arguments, in order.
	    {"x \\1 y\\2", "\\c{p q}{r}", "t", "\"x\" ~1 \"p\" ~1 \"q\" ~1 \"y\" \"r\"", ""},
	    {"\\2\\1", "\\c{p}{q}", "t", "\"q\" \"p\"", ""},
	    {"\\1", "\\c{p}", "t", "\"p\"", ""},
	    // Arguments inside options of the body too, but not under a script.
	    {"\\bold{a\\1}^\\1", "\\c{pq}", "e", "\\bold{\"a\" \"pq\"} ^$1", ""},
	    // An option's own arguments belong to the caller and stay.
	    {"\\1\\1", "\\c{\\1 z}", "t", "$1 ~1 \"z\" $1 ~1 \"z\"", ""},
	    // Missing and empty options leave the argument, reported.
	    {"a\\3", "\\c{p}{q}", "t", "\"a\" $3",
	     "fpNodeSubstituteCustomCommandArguments(): argument '3' not supplied for custom command 'cmd'\n"},
	    {"\\1\\0", "\\c{}", "t", "$1 $0",
	     "fpNodeSubstituteCustomCommandArguments(): argument '1' not supplied for custom command 'cmd'\n"
	     "fpNodeSubstituteCustomCommandArguments(): argument '0' not supplied for custom command 'cmd'\n"},
	};
	for (const substCase &c : cases) {
		tree_ptr body = parseQuiet(c.body, c.mode);
		tree_ptr call = parseQuiet(c.call, c.mode);
		std::vector<fpNode_s *> args;
		for (const fpNode_s *option : markup::chainItems(call->child[1]->child[0]))
			args.push_back(const_cast<fpNode_s *>(option));
		testing::internal::CaptureStdout();
		EXPECT_EQ(fpNodeSubstituteCustomCommandArguments(body.get(), (int)args.size(), args.data(), "cmd"), 0);
		EXPECT_EQ(testing::internal::GetCapturedStdout(), c.out) << c.body;
		// The body holds copies: it outlives the call.
		call.reset();
		EXPECT_EQ(compact(body.get()), c.result) << c.body;
		EXPECT_EQ(markup::shapeFault(body.get(), true), "") << c.body;
	}
}

TEST(MarkupTree, LongTextsNeedNoDeepRecursion)
{
	// 100,000 items in one chain, and scripts of scripts 9,000 deep.
	std::string items;
	for (int k = 0; k < 50000; k++)
		items += "a ";
	std::string scripts = std::string(9000, '^') + "x";
	for (const std::string &text : {items, scripts}) {
		tree_ptr tree = parseQuiet(text.c_str(), "e");
		ASSERT_TRUE(tree);
		tree_ptr copy(fpNodeDuplicate(tree.get()));
		ASSERT_TRUE(copy);
		EXPECT_EQ(fpNodeSetInputIdx(copy.get(), 3), 0);
		EXPECT_EQ(fpNodeFindTypeStr(copy.get(), FP_WORD, "x"), text == scripts);
		fpNode_s *arg = nullptr;
		EXPECT_EQ(fpNodeSubstituteCustomCommandArguments(copy.get(), 0, &arg, "big"), 0);
		EXPECT_EQ(compact(copy.get()), compact(tree.get()));
		EXPECT_EQ(compact(tree.get()).size(), text == scripts ? 9003u : 349999u);
	}
}

} // namespace
