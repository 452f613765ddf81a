#include "scriptui.h"

#include "ui.h"

bool uiHasMainWindow() { return false; }
bool uiAskYesNo(const char *) { return false; }
void uiClearConsole() {}
void uiSetStatus(const char *) {}
void uiSetTitle(const char *) {}
int uiSetConsoleFontSize(int) { return -1; }
void uiShowPanel(uiPanel, bool) {}
void uiFullscreen(bool) {}
void uiResizeMainWindow(int, int, int, int, bool) {}
bool uiHasConsolePanel() { return false; }
void uiSetConsoleHeight(int, bool) {}
bool uiHasView() { return false; }
void uiSetViewSize(int &, int &) {}
void uiExit() {}
