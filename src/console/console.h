#pragma once
// The door through which typed text becomes executed statements: the
// console widget's command callback. The state's own entry,
// state::consoleCommandCallback, serves the network and script lines too.
#include <string>

// The text that a typed command runs as: cmd itself when its last character
// that is not a control character, a line comment it ends with not counted,
// is ";" or ","; otherwise the text up to its last character that is not a
// control character followed by "\n,", which ends the comment and makes the
// last statement a displayed one ("\n," alone for an empty command, which
// then resumes a suspended command). Bytes from 0x80 up are characters, not
// control characters; a "//" in a quoted name or a block comment begins no
// comment.
std::string consoleCompleteCommand(const char *cmd);
// Whether consoleCompleteCommand(cmd) ends with a terminator that cmd lacks.
bool consoleEndingAdded(const char *cmd);

// Runs consoleCompleteCommand(cmd) in the state cbArg (nothing when it is
// null), telling the parser whether the terminator was added.
void g_consoleCommandCallback(const char *cmd, void *cbArg);
