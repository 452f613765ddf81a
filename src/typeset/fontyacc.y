%{
// Grammar of the label markup.  A text is a sentence, a chain of items;
// an item is a word, number, white space, special character, user-command
// argument, a command with or without brace-enclosed options, or a
// superscript or subscript of an item or an option.  Every node made here
// is owned by the parse until it succeeds, so that a failed parse frees
// what the stack still holds.
#include <cstdio>

#include "typeset/fontscan.h"

#define YYSTYPE fpValue_s
// Entries the parser's stacks start with, and the most they may hold.
#define YYINITSTACKSIZE 500
#define YYMAXDEPTH 10000
// The parser keeps the markup parser's name.
#undef yyparse
#define yyparse fontParseParse

static void yyerror(const char *msg);

// Makes the node of a rule's value, at input position at; abandons the
// parse when it cannot be made (the failure is reported once).
#define NEW_NODE(value, type, nbChildren, at)                                         \
	do {                                                                             \
		(value) = fpValue_s{0, nullptr, fontParseNewNode((type), (nbChildren), (at)), (at)}; \
		if (!(value).node)                                                           \
			YYABORT;                                                             \
	} while (0)

static void attach(fpNode_s *parent, fpNode_s *child, int slot);
%}

%token WHITESPACE 257
%token CHAR 258
%token OTHER 259
%token COMMAND 260
%token ARGUMENT 261
%token WORD 262
%token NUMBER 263
%token LCURLY 264
%token RCURLY 265
%token SUPERSCRIPT 266
%token SUBSCRIPT 267
%token END 268

%start text

%%

/* A text is one sentence up to the end of the input. */
text : sentence END
		{ g_fontParse.result = $1.node; $$ = $1; YYACCEPT; }
	;

/* A sentence grows by one item at its end ... */
sentence : sentence item
		{ NEW_NODE($$, FP_SENTENCE, 2, $2.idx); attach($$.node, $1.node, 0); attach($$.node, $2.node, 1); }
/* ... from its first item. */
	| item
		{ NEW_NODE($$, FP_SENTENCE, 2, $1.idx); attach($$.node, $1.node, 1); }
	;

/* A subscript of an item ... */
item : SUBSCRIPT item
		{ NEW_NODE($$, FP_SUBSCRIPT, 1, $1.idx); attach($$.node, $2.node, 0); }
/* ... or of a brace group; */
	| SUBSCRIPT option
		{ NEW_NODE($$, FP_SUBSCRIPT, 1, $1.idx); attach($$.node, $2.node, 0); }
/* a superscript of an item ... */
	| SUPERSCRIPT item
		{ NEW_NODE($$, FP_SUPERSCRIPT, 1, $1.idx); attach($$.node, $2.node, 0); }
/* ... or of a brace group. */
	| SUPERSCRIPT option
		{ NEW_NODE($$, FP_SUPERSCRIPT, 1, $1.idx); attach($$.node, $2.node, 0); }
/* A command takes every brace group that follows it as an option ... */
	| COMMAND options
		{ NEW_NODE($$, FP_COMMAND, 1, $1.idx); $$.node->str = $1.str; attach($$.node, $2.node, 0); }
/* ... and stands alone without one. */
	| COMMAND
		{ NEW_NODE($$, FP_COMMAND_NOOPT, 0, $1.idx); $$.node->str = $1.str; }
/* An argument of a user command, by number. */
	| ARGUMENT
		{ NEW_NODE($$, FP_ARGUMENT, 0, $1.idx); $$.node->nb = $1.i; }
/* A word. */
	| WORD
		{ NEW_NODE($$, FP_WORD, 0, $1.idx); $$.node->str = $1.str; }
/* A number. */
	| NUMBER
		{ NEW_NODE($$, FP_NUMBER, 0, $1.idx); $$.node->str = $1.str; }
/* White space, by width. */
	| WHITESPACE
		{ NEW_NODE($$, FP_WHITESPACE, 0, $1.idx); $$.node->nb = $1.i; }
/* A special character, by code. */
	| CHAR
		{ NEW_NODE($$, FP_SPECIALCHAR, 0, $1.idx); $$.node->nb = $1.i; }
	;

/* Options chain like sentences: one more at the end ... */
options : options option
		{ NEW_NODE($$, FP_OPTIONLIST, 2, $2.idx); attach($$.node, $1.node, 0); attach($$.node, $2.node, 1); }
/* ... from the first. */
	| option
		{ NEW_NODE($$, FP_OPTIONLIST, 2, $1.idx); attach($$.node, $1.node, 1); }
	;

/* An option is a sentence in braces, */
option : LCURLY sentence RCURLY
		{ NEW_NODE($$, FP_OPTION, 1, $1.idx); attach($$.node, $2.node, 0); }
/* or what there is when the text ends inside the braces (warned), */
	| LCURLY sentence END
		{
			fontParseReportWarning("Parser: warning: unterminated option, missing '}': ", $3.idx - 1);
			NEW_NODE($$, FP_OPTION, 1, $1.idx);
			attach($$.node, $2.node, 0);
		}
/* or nothing (warned). */
	| LCURLY RCURLY
		{
			fontParseReportWarning("Parser: warning: empty option: ", $1.idx);
			NEW_NODE($$, FP_OPTION, 1, $1.idx);
		}
	;

%%

static void attach(fpNode_s *parent, fpNode_s *child, int slot)
{
	if (child)
		fpSetChild(parent, child, slot);
}

// "syntax error" and "yacc stack overflow"; after a failed allocation,
// which is reported already, the parser's follow-up complaint is not.
static void yyerror(const char *msg)
{
	if (!g_fontParse.memoryFailed)
		fontParseReportError(msg);
}
