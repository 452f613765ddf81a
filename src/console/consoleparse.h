#pragma once
// Console text into a statement list.
class consoleStmtListStmt;

// Parses cmd with the state's working directory set to wd, or to the
// directory the program started in when wd is null; the directory stays set
// for the execution that follows. Syntax errors are printed and the
// statements that did parse are returned. A lexical error, or a text nested
// too deeply, is printed and yields null: nothing of such a text runs. Also
// null for a text without statements. The list is the caller's.
// *refused (when given) becomes 1 when the text was refused (a lexical
// error, nesting too deep, any other failure of the parser) and 0
// otherwise, so that a caller can tell a refused text from one that holds
// no statement. *nbErrors (when given) becomes the number of syntax errors
// reported, for callers that must not put a partly parsed text in force:
// the names that such a text made functions' then read as they did before.
// endingAdded: the console entry ended cmd with a terminator the user did
// not type, so that a control structure whose body would be only that
// terminator is reported as having none and dropped.
consoleStmtListStmt *consoleParse(const char *cmd, const char *wd, int *refused = nullptr, int *nbErrors = nullptr,
                                  bool endingAdded = false);
