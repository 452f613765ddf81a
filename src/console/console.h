#pragma once
// The door through which typed text becomes executed statements: the
// console widget's command callback. The state's own entry,
// state::consoleCommandCallback, serves the network and script lines too.

// Runs the command text cmd in the state cbArg (nothing when it is null).
// A command whose last character that is not a control character is
// neither ";" nor "," gets "\n," after that character, which makes its
// last statement a displayed one; an empty command becomes "\n,", which
// resumes a suspended command.
void g_consoleCommandCallback(const char *cmd, void *cbArg);
