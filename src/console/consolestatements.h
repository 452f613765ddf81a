#pragma once
// Every kind of statement of the console language.
#include "console/consolecontrolstmt.h"
#include "console/consoledefstmt.h"
#include "console/consoleexprstmt.h"
