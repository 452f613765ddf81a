// The commands of the markup: their dispatch, the scoped attribute
// commands, and the definition and expansion of colours and user commands.
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "typeset/fontparse.h"
#include "typeset/typeset.h"
#include "typeset/typesetline.h"
#include "typeset/typesetmath.h"
#include "typeset/typesettable.h"
#include "typeset/typesetword.h"

// Parse-tree nodes that expanding user commands may make for one text.  Far
// beyond what a label uses, it ends commands that call each other, or that
// double at every level, long before they exhaust memory or time.
constexpr int sc_tsMaxExpandedNodes = 1 << 18;

// Content nesting from which user commands are no longer expanded.  Without
// them nesting is bounded by the parser's brace limit; commands that nest
// themselves (a fraction holding a command whose body holds the fraction)
// stop here, so that building and layout recursion stay within the bounds
// of a parsed text.
constexpr int sc_tsMaxExpansionNesting = sc_fontParseMaxBraceDepth;

namespace {

struct namedCode_s {
	const char *name;
	int code;
};

const namedCode_s c_fontCommands[] = {
	{"regular", TS_FONT_REGULAR}, {"fr", TS_FONT_REGULAR}, {"bold", TS_FONT_BOLD},   {"fb", TS_FONT_BOLD},
	{"italic", TS_FONT_ITALIC},   {"fi", TS_FONT_ITALIC},  {"greek", TS_FONT_GREEK}, {"fg", TS_FONT_GREEK},
};

const namedCode_s c_alignCommands[] = {
	{"left", TS_ALIGN_LEFT},     {"al", TS_ALIGN_LEFT},  {"right", TS_ALIGN_RIGHT},     {"ar", TS_ALIGN_RIGHT},
	{"center", TS_ALIGN_CENTER}, {"ac", TS_ALIGN_CENTER}, {"justify", TS_ALIGN_JUSTIFY}, {"aj", TS_ALIGN_JUSTIFY},
};

template <size_t N> int lookupCode(const namedCode_s (&table)[N], const char *name)
{
	for (const namedCode_s &row : table)
		if (strcmp(row.name, name) == 0)
			return row.code;
	return -1;
}

const char *modeName(int mode) { return mode == TS_MODE_EQUATION ? "equation" : "text"; }

// A command's name without its backslash.
const char *commandName(const fpNode_s *command)
{
	const char *str = command->str ? command->str : "";
	return str[0] == '\\' ? str + 1 : str;
}

// The first item of an option, or null.
fpNode_s *firstItem(fpNode_s *option)
{
	fpNode_s *first = nullptr;
	tsForEachItem(tsOptionSentence(option), [&](fpNode_s *item) {
		first = item;
		return false;
	});
	return first;
}

bool isNumeric(const fpNode_s *item) { return item && (item->type == FP_WORD || item->type == FP_NUMBER); }

// The value of a word or number item when it is a finite number above 0,
// else 0.
double positiveValue(const fpNode_s *item)
{
	double v = isNumeric(item) ? atof(item->str) : 0.0;
	return std::isfinite(v) && v > 0.0 ? v : 0.0;
}

long long countNodes(const fpNode_s *root)
{
	long long n = 0;
	std::vector<const fpNode_s *> todo;
	if (root)
		todo.push_back(root);
	while (!todo.empty()) {
		const fpNode_s *node = todo.back();
		todo.pop_back();
		n++;
		for (int i = 0; i < node->nbChildren; i++)
			if (node->child[i])
				todo.push_back(node->child[i]);
	}
	return n;
}

// The nodes an expansion makes: the body's, and for every argument it
// takes, the option's copied in its place.
long long expansionSize(const fpNode_s *body, int nbArgs, fpNode_s **args)
{
	long long argSize[sc_tsMaxCommandArguments] = {};
	for (int k = 0; k < nbArgs; k++)
		argSize[k] = countNodes(tsOptionSentence(args[k]));
	long long n = 0;
	std::vector<const fpNode_s *> todo{body};
	while (!todo.empty() && n <= INT_MAX) {
		const fpNode_s *node = todo.back();
		todo.pop_back();
		n++;
		if (node->type == FP_ARGUMENT && node->parent && node->parent->type == FP_SENTENCE && node->nb >= 1 &&
		    node->nb <= nbArgs)
			n += argSize[node->nb - 1];
		for (int i = 0; i < node->nbChildren; i++)
			if (node->child[i])
				todo.push_back(node->child[i]);
	}
	return n;
}

// Pushes scope and walks on in content (a sentence taken out of its
// option) spliced in place of the command; the command's sentence node
// records what to pop once the walk has passed the content.
void enterScope(typesetState *s, fpNode_s *sentence, fpNode_s *option, const tsScope_s &scope, fpNode_s *&jump)
{
	fpNode_s *content = option->child[0];
	option->child[0] = nullptr;
	tsPushScope(s, scope);
	sentence->flags |= scope.pushed;
	jump = tsSpliceIntoChain(sentence, content);
}

} // namespace

template <class B> int tsHBox::addCommandBox(typesetState *s, fpNode_s *command)
{
	auto *box = new B(s);
	int result = box->setup(s, command);
	if (result != 0) {
		delete box;
		return result < 0 ? -1 : 0;
	}
	return addChild(box);
}

int tsHBox::setupCommand(typesetState *s, fpNode_s *sentence, fpNode_s *&jump)
{
	fpNode_s *command = sentence->child[1];
	const char *name = commandName(command);
	if (strcmp(name, "newcommand") == 0)
		return processNewCommand(s, command);
	if (strcmp(name, "newcolor") == 0)
		return processNewColor(s, command);
	if (const fpNode_s *body = s->getCommand(name))
		return processCustomCommand(s, sentence, body, jump);
	int code = s->getColor(name);
	if (code >= 0)
		return handleFAMCommand(s, sentence, "color", tsScope_s{TS_PUSHED_COLOR, 0, 0, 0, code, 0.0}, jump);
	if ((code = lookupCode(c_fontCommands, name)) >= 0)
		return handleFAMCommand(s, sentence, "font", tsScope_s{TS_PUSHED_FONT, code, 0, 0, 0, 0.0}, jump);
	if (strcmp(name, "scale") == 0)
		return scale(s, sentence, jump);
	if ((code = lookupCode(c_alignCommands, name)) >= 0)
		return handleFAMCommand(s, sentence, "alignment", tsScope_s{TS_PUSHED_ALIGN, 0, 0, code, 0, 0.0}, jump);
	if (strcmp(name, "txt") == 0)
		return handleFAMCommand(s, sentence, "mode",
		                        tsScope_s{TS_PUSHED_MODE | TS_PUSHED_FONT, TS_FONT_REGULAR, TS_MODE_TEXT, 0, 0, 0.0},
		                        jump);
	if (strcmp(name, "eqn") == 0)
		return handleFAMCommand(
			s, sentence, "mode",
			tsScope_s{TS_PUSHED_MODE | TS_PUSHED_FONT, TS_FONT_EQUATION, TS_MODE_EQUATION, 0, 0, 0.0}, jump);
	if (strcmp(name, "ws") == 0)
		return whiteSpaceCommand(s, command);
	if (strcmp(name, "tabular") == 0)
		return addCommandBox<tsTabularBox>(s, command);
	if (s->mode() == TS_MODE_EQUATION) {
		if (strcmp(name, "frac") == 0)
			return addCommandBox<tsFracBox>(s, command);
		if (strcmp(name, "sqrt") == 0)
			return addCommandBox<tsSqrtBox>(s, command);
		if (tsHatBox::hatType(name) >= 0)
			return addCommandBox<tsHatBox>(s, command);
		if (strcmp(name, "par") == 0)
			return addCommandBox<tsParBox>(s, command);
	}
	tsReport(command, "tsHBox::setupCommand(): Unknown command '%s' in mode '%s':\n", name, modeName(s->mode()));
	return 0;
}

int tsHBox::setupCommandNoOption(typesetState *s, fpNode_s *sentence, fpNode_s *&jump, bool &lineBreak)
{
	fpNode_s *command = sentence->child[1];
	const char *name = commandName(command);
	if (const fpNode_s *body = s->getCommand(name))
		return processCustomCommand(s, sentence, body, jump);
	int code = tsWordBox::lookupGreekSymbol(name);
	if (code < 0)
		code = tsWordBox::lookupSpecialSymbol(name);
	if (code >= 0)
		return addChild(new tsWordBox(s, code));
	if (strcmp(name, "ws") == 0)
		return addChild(new tsWhiteSpaceBox(s, 0.25 * s->size(), 0));
	// "\newline", or the command written as two backslashes.
	if (strcmp(name, "newline") == 0 || strcmp(name, "\\") == 0) {
		lineBreak = true;
		return 0;
	}
	if (strcmp(name, "backslash") == 0 || strcmp(name, "bs") == 0) {
		const char backslash = '\\';
		return addChild(new tsWordBox(s, &backslash, 1));
	}
	tsReport(command, "tsHBox::setupCommandNoOption(): Unknown optionless command '%s' in mode '%s'\n", name,
	         modeName(s->mode()));
	return 0;
}

int tsHBox::handleFAMCommand(typesetState *s, fpNode_s *sentence, const char *what, const tsScope_s &scope,
                             fpNode_s *&jump)
{
	fpNode_s *command = sentence->child[1];
	fpNode_s *option = nullptr;
	if (getFirstOption(command->child[0], option, 1, "tsHBox::handleFAMCommand()", commandName(command)) < 0 ||
	    !tsOptionSentence(option)) {
		tsReport(command, "tsHBox::handleFAMCommand(): warning: %s command with no effect:\n", what);
		return 0;
	}
	enterScope(s, sentence, option, scope, jump);
	return 0;
}

int tsHBox::whiteSpaceCommand(typesetState *s, fpNode_s *command)
{
	fpNode_s *option = nullptr;
	if (getFirstOption(command->child[0], option, 1, "tsHBox::setupCommand()", "ws") < 0)
		return 0;
	fpNode_s *first = nullptr;
	int count = 0;
	tsForEachItem(tsOptionSentence(option), [&](fpNode_s *item) {
		first = first ? first : item;
		count++;
		return true;
	});
	if (!isNumeric(first)) {
		tsReport(command, "tsHBox::setupCommand(): invalid whitespace width:\n");
		return 0;
	}
	if (count > 1)
		tsReport(command, "tsHBox::setupCommand(): warning: to many arguments to whitespace command:\n");
	double width = positiveValue(first);
	if (width <= 0.0) {
		tsReport(command, "tsHBox::setupCommand(): invalid whitespace width '%s':\n", first->str);
		return 0;
	}
	return addChild(new tsWhiteSpaceBox(s, width * s->size(), 1));
}

int tsHBox::scale(typesetState *s, fpNode_s *sentence, fpNode_s *&jump)
{
	fpNode_s *command = sentence->child[1];
	fpNode_s *options[2];
	int n = 2;
	if (getOptions(n, command->child[0], options, 1, "tsHBox::scale()", "scale") < 0)
		return 0;
	fpNode_s *factorItem = firstItem(options[0]);
	double factor = positiveValue(factorItem);
	if (factor <= 0.0) {
		tsReport(command, "tsHBox::scale(): invalid scaling '%s'\n",
		         factorItem && factorItem->str ? factorItem->str : "");
		return 0;
	}
	if (!tsOptionSentence(options[1])) {
		tsReport(command, "tsHBox::scale(): warning: scale command with no effect:\n");
		return 0;
	}
	enterScope(s, sentence, options[1], tsScope_s{TS_PUSHED_SIZE, 0, 0, 0, 0, factor * s->size()}, jump);
	return 0;
}

int tsHBox::processNewCommand(typesetState *s, fpNode_s *command)
{
	fpNode_s *options[2];
	int n = 2;
	if (getOptions(n, command->child[0], options, 1, "tsHBox::processNewCommand()", "newcommand") < 0)
		return 0;
	fpNode_s *nameItem = firstItem(options[0]);
	if (!nameItem || nameItem->type != FP_COMMAND_NOOPT) {
		tsReport(command, "tsHBox::processNewCommand(): no command name found in newcommand:\n");
		return 0;
	}
	fpNode_s *body = tsOptionSentence(options[1]);
	if (!body) {
		tsReport(command, "tsHBox::processNewCommand(): no command sentence found in newcommand:\n");
		return 0;
	}
	const char *name = commandName(nameItem);
	// A body that uses its own name would expand for ever.
	if (fpNodeFindTypeStr(body, FP_COMMAND, nameItem->str) || fpNodeFindTypeStr(body, FP_COMMAND_NOOPT, nameItem->str)) {
		tsReport(command, "tsHBox::processNewCommand(): ignoring new command '%s': infinite recursion detected:\n",
		         name);
		return 0;
	}
	options[1]->child[0] = nullptr;
	body->parent = nullptr;
	if (s->setCommand(name, body) < 0)
		fpNodeFree(body);
	return 0;
}

int tsHBox::processNewColor(typesetState *s, fpNode_s *command)
{
	fpNode_s *options[2];
	int n = 2;
	if (getOptions(n, command->child[0], options, 1, "tsHBox::processNewColor()", "newcolor") < 0)
		return 0;
	fpNode_s *nameItem = firstItem(options[0]);
	if (!nameItem || nameItem->type != FP_WORD) {
		tsReport(command, "tsHBox::processNewColor(): no color name found in newcolor:\n");
		return 0;
	}
	// Red, green and blue from the numbers of the second option.
	float rgb[3] = {0.0f, 0.0f, 0.0f};
	int count = 0;
	tsForEachItem(tsOptionSentence(options[1]), [&](fpNode_s *item) {
		if (item->type == FP_WHITESPACE)
			return true;
		if (item->type != FP_NUMBER) {
			tsReport(item, "tsHBox::processNewColor(): ignoring non number input for rgb values:\n");
			return true;
		}
		if (count == 3) {
			tsReport(item, "tsHBox::processNewColor(): ignoring extra input for rgb values:\n");
			return false;
		}
		rgb[count++] = (float)atof(item->str);
		return true;
	});
	if (count < 3)
		tsReport(command, "tsHBox::processNewColor(): to few rgb values, setting unspecified values to 0.0:\n");
	s->setColor(nameItem->str, rgb[0], rgb[1], rgb[2]);
	return 0;
}

int tsHBox::processCustomCommand(typesetState *s, fpNode_s *sentence, const fpNode_s *body, fpNode_s *&jump)
{
	fpNode_s *command = sentence->child[1];
	const char *name = commandName(command);
	// The command's options are its arguments.
	fpNode_s *args[sc_tsMaxCommandArguments] = {};
	int nbArgs = 0;
	if (command->type == FP_COMMAND) {
		nbArgs = sc_tsMaxCommandArguments;
		getOptions(nbArgs, command->child[0], args, -1, "tsHBox::processCustomCommand()", name);
	}
	// Commands that call each other, or double at every level, end when
	// the text's budget is spent or they nest too deep.
	fpNode_s *copy = nullptr;
	long long size = expansionSize(body, nbArgs, args);
	if (s->m_boxNesting < sc_tsMaxExpansionNesting && size <= sc_tsMaxExpandedNodes - s->m_expandedNodes) {
		s->m_expandedNodes += (int)size;
		copy = fpNodeDuplicate(body);
	}
	if (copy) {
		free(copy->str);
		copy->str = nullptr;
		fpNodeSetInputIdx(copy, command->inputIdx);
		if (fpNodeSubstituteCustomCommandArguments(copy, nbArgs, args, name) != 0) {
			fpNodeFree(copy);
			copy = nullptr;
		}
	}
	if (!copy) {
		tsReport(command,
		         "tsHBox::processCustomCommand(): argument substitution failed for custom command '%s': infinite "
		         "recursion detected:\n",
		         name);
		return 0;
	}
	jump = tsSpliceIntoChain(sentence, copy);
	return 0;
}
