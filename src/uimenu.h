#pragma once
// The main menu: a static table of menu items whose command items carry an
// integer command code as their user data and all call ui_menuCallback.
// Other parts run a command from code by calling the callback with its code
// (a null widget), which keeps the menu's check marks in step.
#include <FL/Fl_Menu_Item.H>

class Fl_Widget;

// Command codes of the menu.
enum menuCommand {
	MC_TOGGLE_CONTROLS = 4,
	MC_LABELS_ON_TOP = 5,
	MC_FULLSCREEN = 11,
	MC_CANVAS_WHITE = 24,
	MC_CANVAS_GREY = 25,
	MC_CANVAS_BLACK = 26,
	MC_TOGGLE_CONSOLE = 27,
	MC_CONSOLE_FONT_12 = 36,
	MC_CONSOLE_FONT_16 = 37,
	MC_CONSOLE_FONT_20 = 38,
	MC_CONSOLE_FONT_24 = 39,
	MC_TOGGLE_SCALAR_CONTROLS = 48,
	MC_DESCRIPTION_IN_STATUS = 51,
	MC_CANVAS_LIGHT_GREY = 52,
	MC_POINT_SIZE_001 = 53,
	MC_POINT_SIZE_005 = 54,
	MC_POINT_SIZE_01 = 55,
	MC_POINT_SIZE_05 = 56,
	MC_GL_LINES = 60,
	MC_LINE_WIDTH_1 = 61,
	MC_LINE_WIDTH_2 = 62,
	MC_LINE_WIDTH_4 = 63,
	MC_LINE_WIDTH_8 = 64,
};

extern Fl_Menu_Item gui_menuTable[];

// Runs command code (an int carried as the pointer); w is not used.
void ui_menuCallback(Fl_Widget *w, void *code);
// Runs a command from code.
void ui_menuCommand(int code);

// Position of the first item of table whose user data is data, walking the
// table through its sub-menus to its end; -1 when there is none.
int menuTablePosition(const Fl_Menu_Item *table, void *data);
// Number of items of table, sub-menu items and the items closing sub-menus
// included, up to its end.
int menuTableLength(const Fl_Menu_Item *table);
// The user data that carries command code.
void *menuCode(int code);
// The check mark of the item at position (nothing for -1).
void setMenuCheck(int position, bool on);
