// The console language: its lexer and its parser. The parser builds the
// statement tree directly; expressions stay flat lists of operands, each
// carrying the operator written before it. Token types are fixed by
// ConsoleTokenTypes.txt, which both grammars import.

header "post_include_hpp" {
#include <string>

#include <antlr/NoViableAltException.hpp>

#include "console/consolemodel.h"
#include "console/consolestatements.h"
}

header "post_include_cpp" {
#include <cstdlib>

#include "console/consolecontrolargs.h"
#include "console/consolefunctions.h"
#include "console/consolemodel.h"
#include "console/consoleparserguards.h"
#include "console/consoleparsingscope.h"
#include "console/consolescope.h"
#include "os/osdep.h"
}

options {
	language = "Cpp";
	namespaceStd = "std";
	namespaceAntlr = "antlr";
	genHashLines = false;
}

class ConsoleParser extends Parser;
options {
	k = 3;
	importVocab = Console;
	buildAST = false;
	defaultErrorHandler = true;
}

{
private:
	// how many statement and operand rules are running, one inside the other
	int m_nestingDepth = 0;
	// how many syntax errors the rules have recovered from so far, and
	// control structures refused for want of a body
	int m_nbRecoveries = 0;
	// the command entry ended the text with a terminator the user did not type
	bool m_endingAdded = false;
	// the caller puts a text with a syntax error in force not even in part
	bool m_wholeOnly = false;

public:
	// Tells the parser that the text's last token is a terminator that the
	// command entry added to a command typed without one.
	void endingAdded(bool added) { m_endingAdded = added; }
	// Tells the parser that nothing of a text with a syntax error runs: the
	// names it made functions' or variables' are then what they were.
	void wholeOnly(bool whole) { m_wholeOnly = whole; }

	// Every syntax error a rule catches is reported and then recovered from
	// here: counted, so that a loop can tell whether its text held one.
	void recover(const antlr::RecognitionException &ex, const antlr::BitSet &tokenSet) override
	{
		m_nbRecoveries++;
		antlr::LLkParser::recover(ex, tokenSet);
	}

private:

	// The built-in that a cast to the model calls.
	static const char *castName(int model)
	{
		switch (model) {
		case MODEL_P3GA: return "cast_p3ga";
		case MODEL_C3GA: return "cast_c3ga";
		case MODEL_I2GA: return "cast_i2ga";
		default: return "cast_e3ga";
		}
	}

	// Whether the statement that comes next, the body of the control
	// structure begun by keyword, is only the terminator that the command
	// entry added: its header ended the text, and the structure would run a
	// body the user never wrote (a loop for ever). Such a structure is
	// reported and dropped, as after a syntax error in it.
	bool bodyMissing(const antlr::RefToken &keyword)
	{
		if (!m_endingAdded || LA(1) != COMMA || LA(2) != antlr::Token::EOF_TYPE) return false;
		reportError(antlr::RecognitionException("\"" + keyword->getText() + "\" has no body", getFilename(),
		                                        keyword->getLine(), keyword->getColumn()));
		m_nbRecoveries++;
		return true;
	}

	static bool isKeyword(int type) { return type >= LITERAL_return && type <= LITERAL_variable; }
	// what may begin an operand
	static bool isOperandStart(int type)
	{
		return type == IDENTIFIER || type == FUNCNAME || type == OPERATOR || type == PAROPEN || type == GLOBAL ||
		       type == CONSTANT;
	}
	// what may follow an operand
	static bool isOperandFollow(int type)
	{
		return isOperandStart(type) || type == COLON || type == SEMICOLON || type == COMMA || type == PARCLOSE ||
		       type == SQUARECLOSE;
	}
	// After the "(" of a call: whether arguments follow before its ")".
	// Throws when the tokens there can begin neither arguments nor an
	// empty argument list.
	bool callHasArguments()
	{
		int first = LA(1), second = LA(2);
		bool argumentStart = isOperandStart(first) || first == COMMA;
		if (argumentStart && second != antlr::Token::EOF_TYPE && !isKeyword(second) && second != CURLYOPEN &&
		    second != CURLYCLOSE)
			return true;
		if (first == PARCLOSE && isOperandFollow(second)) return false;
		throw antlr::NoViableAltException(LT(1), getFilename());
	}
}

// --- statements ---------------------------------------------------------------

// The whole text, read from the state's global scope.
input returns [consoleStmtListStmt *r = nullptr]
{
	consoleParsingScopeReset scopes(m_wholeOnly ? &m_nbRecoveries : nullptr);
	consoleResultGuard<consoleStmtListStmt> guard(r);
}
	: r=stmtlist EOF
	;

// Statements in order; a statement that yields nothing is left out.
stmtlist returns [consoleStmtListStmt *r = nullptr]
{
	consoleResultGuard<consoleStmtListStmt> guard(r);
	consoleOwned<consoleStatement> s;
}
	: ( s=stmt
		{
			if (s.get() != nullptr) s->stmtListChild(1);
			consoleAppend(r, s.release());
		}
	  )*
	;

// One statement; null when it yields nothing or fails.
stmt returns [consoleStatement *r = nullptr]
{
	consoleResultGuard<consoleStatement> guard(r);
	antlr::RefToken t = LT(1);
	consoleNestingGuard depth(m_nestingDepth, t->getLine(), t->getColumn());
	consoleOwned<consoleExprListStmt> el;
	consoleOwned<consoleStmtListStmt> sl;
	std::string name;
	int m = -1;
}
	// a block is its statement list itself
	: CURLYOPEN r=stmtlist CURLYCLOSE
	| "return" el=exprlist SEMICOLON
		{ r = new consoleReturnStmt(t->getLine(), t->getColumn(), el.release()); }
	| r=switch_
	| "break" SEMICOLON
		{ r = new consoleBreakStmt(t->getLine(), t->getColumn(), consoleBreakStmt::sc_break); }
	| "continue" SEMICOLON
		{ r = new consoleBreakStmt(t->getLine(), t->getColumn(), consoleBreakStmt::sc_continue); }
	| "suspend" SEMICOLON
		{ r = new consoleBreakStmt(t->getLine(), t->getColumn(), consoleBreakStmt::sc_suspend); }
	| r=if_
	| r=while_
	| r=for_
	| r=function
	// a dynamic statement without statements is no statement
	| "dynamic" CURLYOPEN ( n:IDENTIFIER COLON { name = n->getText(); } )? sl=stmtlist CURLYCLOSE
		{ if (sl.get() != nullptr) r = new consoleDynStmt(t->getLine(), t->getColumn(), sl.release(), name); }
	| "inner_product" PAROPEN f:FUNCNAME PARCLOSE
		{ r = new consoleSetStmt(t->getLine(), t->getColumn(), t->getText(), f->getText()); }
	// the name is a variable for the text that follows
	| "variable" name=funcDefName SEMICOLON
		{
			consoleParsingScopeRecord(name, false);
			r = new consoleDummyStmt(t->getLine(), t->getColumn());
		}
	// an expression statement is its expression list itself, shown when ended by ","
	| { LA(1) != SEMICOLON && LA(1) != COMMA }? r=exprlist
		( SEMICOLON { if (r != nullptr) r->verbose(0); }
		| COMMA { if (r != nullptr) r->verbose(1); }
		)
	| SEMICOLON
		{ r = new consoleDummyStmt(t->getLine(), t->getColumn()); }
	| COMMA
		{ r = new consoleDummyStmt(t->getLine(), t->getColumn()); }
	| "default_model" PAROPEN m=model PARCLOSE
		{ r = new consoleSetStmt(t->getLine(), t->getColumn(), t->getText(), m); }
	// no default model
	| "default_model" PAROPEN PARCLOSE
		{ r = new consoleSetStmt(t->getLine(), t->getColumn(), t->getText(), -1); }
	;

// An if whose statement, or whose else's, would be only the terminator
// that the command entry added is dropped.
if_ returns [consoleIfElseStmt *r = nullptr]
{
	consoleResultGuard<consoleIfElseStmt> guard(r);
	antlr::RefToken t = LT(1);
	bool missing = false;
	consoleOwned<consoleExprListStmt> cond;
	consoleOwned<consoleStatement> thenS;
	consoleOwned<consoleStatement> elseS;
}
	: "if" PAROPEN cond=exprlist PARCLOSE { missing = bodyMissing(t); } thenS=stmt
	  // an else belongs to the innermost if still open
	  ( options { greedy = true; } : e:"else" { missing = bodyMissing(e) || missing; } elseS=stmt )?
		{
			if (!missing)
				r = new consoleIfElseStmt(t->getLine(), t->getColumn(), cond.release(), thenS.release(), elseS.release());
		}
	;

// A loop in whose text a syntax error was reported is dropped: what the
// recovery left of it (a condition gone, the statements after it read into
// its body) is a loop the user never wrote, and could run for ever. So is a
// loop whose body would be only the terminator the command entry added.
// The names that a definition in a dropped loop made functions are what
// they were: nothing defines them.
while_ returns [consoleWhileStmt *r = nullptr]
{
	consoleResultGuard<consoleWhileStmt> guard(r);
	antlr::RefToken t = LT(1);
	const int recoveries = m_nbRecoveries;
	consoleParsingMark names;
	consoleOwned<consoleExprListStmt> cond;
	consoleOwned<consoleStatement> body;
}
	: "while" PAROPEN cond=exprlist PARCLOSE { bodyMissing(t); } body=stmt
		{
			if (m_nbRecoveries == recoveries)
				r = new consoleWhileStmt(t->getLine(), t->getColumn(), cond.release(), body.release());
			else names.rollback();
		}
	;

for_ returns [consoleForStmt *r = nullptr]
{
	consoleResultGuard<consoleForStmt> guard(r);
	antlr::RefToken t = LT(1);
	const int recoveries = m_nbRecoveries;
	consoleParsingMark names;
	consoleOwned<consoleExprListStmt> init;
	consoleOwned<consoleExprListStmt> cond;
	consoleOwned<consoleExprListStmt> step;
	consoleOwned<consoleStatement> body;
}
	// dropped after a syntax error in its text, as a while loop
	: "for" PAROPEN init=exprlist SEMICOLON cond=exprlist SEMICOLON step=exprlist PARCLOSE { bodyMissing(t); } body=stmt
		{
			if (m_nbRecoveries == recoveries)
				r = new consoleForStmt(t->getLine(), t->getColumn(), init.release(), cond.release(), step.release(),
				                       body.release());
			else names.rollback();
		}
	;

switch_ returns [consoleSwitchStmt *r = nullptr]
{
	consoleResultGuard<consoleSwitchStmt> guard(r);
	antlr::RefToken t = LT(1);
	consoleOwned<consoleExprListStmt> value;
	consoleOwned<consoleCaseListStmt> cases;
}
	: "switch" PAROPEN value=exprlist PARCLOSE CURLYOPEN cases=caselist CURLYCLOSE
		{ r = new consoleSwitchStmt(t->getLine(), t->getColumn(), value.release(), cases.release()); }
	;

caselist returns [consoleCaseListStmt *r = nullptr]
{
	consoleResultGuard<consoleCaseListStmt> guard(r);
	consoleOwned<consoleCaseStmt> c;
}
	: ( c=case_ { consoleAppendAtFirst(r, c.release()); } )*
	;

// A case label with statements, or without when the next label or the end
// of the switch follows. With a value of one token, that is decided on the
// fourth token; the default label decides on the token after its colon.
case_ returns [consoleCaseStmt *r = nullptr]
{
	consoleResultGuard<consoleCaseStmt> guard(r);
	antlr::RefToken t = LT(1);
	consoleOwned<consoleExprListStmt> value;
	consoleOwned<consoleStmtListStmt> sl;
}
	: { LA(4) != CURLYCLOSE && LA(4) != LITERAL_case && LA(4) != LITERAL_default }?
	  "case" value=exprlist COLON sl=stmtlist
		{ r = new consoleCaseStmt(t->getLine(), t->getColumn(), value.release(), sl.release()); }
	| "case" value=exprlist COLON
		{ r = new consoleCaseStmt(t->getLine(), t->getColumn(), value.release(), nullptr); }
	| "default" COLON sl=stmtlist
		{ r = new consoleCaseStmt(t->getLine(), t->getColumn(), nullptr, sl.release()); }
	;

// --- function and batch definitions and declarations ---------------------------------

function returns [consoleStatement *r = nullptr]
{
	consoleResultGuard<consoleStatement> guard(r);
	antlr::RefToken t = LT(1);
	int fn = 1;
	std::string name;
	consoleOwned<consoleFuncArgSpecListStmt> args;
	consoleOwned<consoleStmtListStmt> body;
	consoleParsingScopeFrame frame;
}
	: ( "function" { fn = 1; } | "batch" { fn = 0; } )
	  name=funcDefName PAROPEN ( args=funcargspeclist )? PARCLOSE
	  // the body is read with the name a function and the arguments variables
		{ frame.open(name, args.get()); }
	  ( SEMICOLON
		{ r = new consoleFuncDeclStmt(t->getLine(), t->getColumn(), name, args.release(), fn); }
	  | CURLYOPEN body=stmtlist CURLYCLOSE
		{
			consoleFuncStmt *def = new consoleFuncStmt(t->getLine(), t->getColumn(), name, args.release(), body.release(), fn);
			def->replacedRecord(frame.replacedGlobalRecord(consoleFuncStmt::sc_readInBody));
			r = def;
		}
	  )
		{ frame.close(); }
	;

funcargspeclist returns [consoleFuncArgSpecListStmt *r = nullptr]
{
	consoleResultGuard<consoleFuncArgSpecListStmt> guard(r);
	consoleOwned<consoleFuncArgSpecStmt> a;
}
	: a=argspec { consoleAppendAtFirst(r, a.release()); }
	  ( COMMA a=argspec { consoleAppendAtFirst(r, a.release()); } )*
	;

// An argument of any model has no type name and no position.
argspec returns [consoleFuncArgSpecStmt *r = nullptr]
{
	consoleResultGuard<consoleFuncArgSpecStmt> guard(r);
	antlr::RefToken t = LT(1);
	std::string name;
}
	: name=funcDefName
		{ r = new consoleFuncArgSpecStmt(0, 0, name, CFA_ANY_MODEL); }
	| E3GA_TYPENAME name=funcDefName
		{ r = new consoleFuncArgSpecStmt(t->getLine(), t->getColumn(), name, MODEL_E3GA); }
	| P3GA_TYPENAME name=funcDefName
		{ r = new consoleFuncArgSpecStmt(t->getLine(), t->getColumn(), name, MODEL_P3GA); }
	| C3GA_TYPENAME name=funcDefName
		{ r = new consoleFuncArgSpecStmt(t->getLine(), t->getColumn(), name, MODEL_C3GA); }
	| I2GA_TYPENAME name=funcDefName
		{ r = new consoleFuncArgSpecStmt(t->getLine(), t->getColumn(), name, MODEL_I2GA); }
	;

// --- expressions and names ----------------------------------------------------------

model returns [int m = -1]
	: E3GA_TYPENAME { m = MODEL_E3GA; }
	| P3GA_TYPENAME { m = MODEL_P3GA; }
	| C3GA_TYPENAME { m = MODEL_C3GA; }
	| I2GA_TYPENAME { m = MODEL_I2GA; }
	;

// A defined or declared name may be a function name already.
funcDefName returns [std::string s]
	: i:IDENTIFIER { s = i->getText(); }
	| f:FUNCNAME { s = f->getText(); }
	;

// The operands in order; an operand that failed is left out.
exprlist returns [consoleExprListStmt *r = nullptr]
{
	consoleResultGuard<consoleExprListStmt> guard(r);
	consoleOwned<consoleStatement> e;
}
	: ( e=expr { consoleAppend(r, e.release()); } )*
	;

// One expression list per argument of a call of that name; empty
// arguments are left out.
funcarglist [const std::string &call] returns [consoleFuncArgListStmt *r = nullptr]
{
	consoleResultGuard<consoleFuncArgListStmt> guard(r);
	consoleOwned<consoleExprListStmt> e;
	int index = 0;
}
	: e=funcarg[call, index] { consoleAppend(r, e.release()); }
	  ( COMMA { index++; } e=funcarg[call, index] { consoleAppend(r, e.release()); } )*
	;

// One argument, its operands in order. Where a console control binds a
// variable, a function's name without its "(" is read as a name, so that
// the control is refused for it; anywhere else such a name is a syntax
// error.
funcarg [const std::string &call, int index] returns [consoleExprListStmt *r = nullptr]
{
	consoleResultGuard<consoleExprListStmt> guard(r);
	consoleOwned<consoleStatement> e;
}
	:	{
			if (LA(1) == FUNCNAME && LA(2) != PAROPEN && consoleControlArgBinds(call, index)) {
				antlr::RefToken f = LT(1);
				match(FUNCNAME);
				r = new consoleExprListStmt(new consoleFuncNameStmt(f->getLine(), f->getColumn(), f->getText()));
			}
		}
	  ( e=expr { consoleAppend(r, e.release()); } )*
	;

// One expression list per index, at the position of the first "["; empty
// brackets are left out.
arrayidxlist returns [consoleArrayIdxListStmt *r = nullptr]
{
	consoleResultGuard<consoleArrayIdxListStmt> guard(r);
	consoleOwned<consoleExprListStmt> e;
}
	: ( s:SQUAREOPEN e=exprlist SQUARECLOSE { consoleAppendAt(r, e.release(), s->getLine(), s->getColumn()); } )+
	;

// One operand. An operator token binds to the operand after it and is
// decoded with it; an operand that yields nothing drops its operator.
expr returns [consoleStatement *r = nullptr]
{
	consoleResultGuard<consoleStatement> guard(r);
	antlr::RefToken t = LT(1);
	consoleNestingGuard depth(m_nestingDepth, t->getLine(), t->getColumn());
	consoleOwned<consoleArrayIdxListStmt> idx;
	consoleOwned<consoleFuncArgListStmt> args;
	consoleOwned<consoleExprListStmt> el;
	consoleOwned<consoleStatement> operand;
	int m = -1;
}
	: c:CONSTANT
		{ r = new consoleConstantScalarStmt(c->getLine(), c->getColumn(), std::atof(c->getText().c_str())); }
	| i:IDENTIFIER ( idx=arrayidxlist )?
		{ r = new consoleVariableStmt(i->getLine(), i->getColumn(), i->getText(), 0, idx.release()); }
	| f:FUNCNAME PAROPEN { if (callHasArguments()) args = funcarglist(f->getText()); } PARCLOSE
		{ r = new consoleFuncCallStmt(f->getLine(), f->getColumn(), f->getText(), args.release(), 0); }
	| o:OPERATOR r=expr
		{ if (r != nullptr) r->setOp(nullptr, o->getLine(), o->getColumn(), o->getText().c_str()); }
	| GLOBAL gi:IDENTIFIER ( idx=arrayidxlist )?
		{ r = new consoleVariableStmt(t->getLine(), t->getColumn(), gi->getText(), 1, idx.release()); }
	// empty parentheses are no operand
	| PAROPEN el=exprlist PARCLOSE
		{ if (el.get() != nullptr) r = new consoleParExprStmt(t->getLine(), t->getColumn(), el.release()); }
	| GLOBAL gf:FUNCNAME PAROPEN { if (callHasArguments()) args = funcarglist(gf->getText()); } PARCLOSE
		{ r = new consoleFuncCallStmt(t->getLine(), t->getColumn(), gf->getText(), args.release(), 1); }
	// a cast takes the one operand after it: the call of the model's cast built-in
	| PAROPEN m=model PARCLOSE operand=expr
		{
			if (operand.get() != nullptr) {
				consoleFuncArgListStmt *arg = new consoleFuncArgListStmt(new consoleExprListStmt(operand.release()));
				r = new consoleFuncCallStmt(t->getLine(), t->getColumn(), castName(m), arg, 1);
			}
		}
	;

// =================================================================================

class ConsoleLexer extends Lexer;
options {
	k = 2;
	importVocab = Console;
	charVocabulary = '\3'..'\377';
	caseSensitive = true;
	caseSensitiveLiterals = true;
	// only names are looked up as keywords
	testLiterals = false;
}

// One blank; skipped.
WS_
	: ( ' ' | '\t' | '\r' | '\n' { newline(); } )
		{ $setType(antlr::Token::SKIP); }
	;

// An operator character and the operator characters and blanks after it,
// line feeds included; a "/" that begins a comment ends the run. A "/" at
// the start of a token begins a comment or an operator, decided here so
// that one rule alone starts with "/".
OPERATOR
	: { LA(2) == '*' }? ML_COMMENT { $setType(antlr::Token::SKIP); }
	| { LA(2) == '/' }? SL_COMMENT { $setType(antlr::Token::SKIP); }
	| ( OPCHAR | '/' )
	  ( options { greedy = true; }
		: OPCHAR
		| ' ' | '\t' | '\r'
		| '\n' { newline(); }
		| { LA(2) != '*' && LA(2) != '/' }? '/'
	  )*
	;

protected OPCHAR
	: '!' | '&' | '*' | '+' | '-' | '.' | '<' | '=' | '>' | '^' | '|' | '~'
	;

// Block comments do not nest.
protected ML_COMMENT
	: "/*"
	  ( options { greedy = false; }
		: { LA(2) != '/' }? '*'
		| '\n' { newline(); }
		| ~( '*' | '\n' )
	  )*
	  "*/"
	;

// To the end of the line, the line feed not included.
protected SL_COMMENT
	: "//" ( options { greedy = true; } : ~'\n' )*
	;

COLON : ':' ;
SEMICOLON : ';' ;
COMMA : ',' ;
PAROPEN : '(' ;
PARCLOSE : ')' ;
SQUAREOPEN : '[' ;
SQUARECLOSE : ']' ;
CURLYOPEN : '{' ;
CURLYCLOSE : '}' ;
GLOBAL : "::" ;

// A double quote inside a quoted name.
protected QUOTED_STR_ESC
	: '\\'! '"'
	;

// A name: an identifier, or a double-quoted name whose text is its content.
// Model names are type names; an identifier that the parsing scope records
// as a function is a function name; then the keywords are looked up.
ID options { testLiterals = true; }
{
	bool quoted = false;
}
	: ( ( 'a'..'z' | 'A'..'Z' | '_' )
		( options { greedy = true; } : 'a'..'z' | 'A'..'Z' | '_' | '0'..'9' )*
	  | '"'! { quoted = true; }
	  ( options { greedy = true; } : QUOTED_STR_ESC | ~( '\n' | '"' ) )*
		{
			// a name cut off by a line feed or the end of the text is kept
			if (LA(1) == '"') {
				match('"');
				text.erase(text.length() - 1);
			} else {
				cprintf("Warning line(%d, %d): newline or end of file in quoted string\n", getLine(), getColumn());
				if (LA(1) == '\n') {
					match('\n');
					text.erase(text.length() - 1);
					newline();
				}
			}
		}
	  )
		{
			const std::string name = text.substr(_begin);
			if (name == "e3ga") _ttype = E3GA_TYPENAME;
			else if (name == "p3ga") _ttype = P3GA_TYPENAME;
			else if (name == "c3ga") _ttype = C3GA_TYPENAME;
			else if (name == "i2ga") _ttype = I2GA_TYPENAME;
			else if (quoted) _ttype = IDENTIFIER;
			else if (g_currentParsingScope != nullptr && g_currentParsingScope->isFunction(name)) _ttype = FUNCNAME;
			else _ttype = IDENTIFIER;
		}
	;

// Digits, an optional fraction and an optional exponent; a "." or an
// exponent letter must be followed by digits.
CONSTANT
	: INT
	  ( options { greedy = true; } : '.' INT )?
	  ( options { greedy = true; } : ( 'e' | 'E' ) ( '+' | '-' )? INT )?
	;

protected INT
	: ( options { greedy = true; } : '0'..'9' )+
	;
