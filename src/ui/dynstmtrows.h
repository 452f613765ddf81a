#pragma once
// The rows of the Dynamic statements window and the statements they show.
#include <string>

#include "state/state.h"
#include "ui/dynstmtwindow.h"

class consoleStmtListStmt;

// The live entry of the state that row shows: null when there is none (the
// row's statement was removed, here or by other means).
state::dynStmtInfo *dynStmtEntryOf(const dynStmtWidgets &row);
// The source text of a statement list, without trailing blanks and control
// characters.
std::string dynStmtSource(consoleStmtListStmt *list);
// Whether the row holds an edit not yet applied.
bool dynStmtEdited(const dynStmtWidgets &row);
