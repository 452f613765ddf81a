#pragma once
// The main menu: a static table of menu items whose command items carry an
// integer command code as their user data and all call ui_menuCallback.
// Other parts run a command from code by calling the callback with its code
// (a null widget), which keeps the menu's check marks in step.
#include <FL/Fl_Menu_Item.H>

class Fl_Widget;

// Command codes of the menu.
enum menuCommand {
	MC_OPEN_GEO_FILE = 1,
	MC_EXIT = 2,
	MC_ABOUT = 3,
	MC_TOGGLE_CONTROLS = 4,
	MC_LABELS_ON_TOP = 5,
	MC_UNHIDE_ALL = 7,
	MC_SELECT_HIDDEN_OBJECT = 8,
	MC_SHOW_HIDDEN_OBJECT = 9,
	MC_FULLSCREEN = 11,
	MC_CAMERA_BIVECTOR = 12,
	MC_CAMERA_ROTOR = 13,
	MC_CAMERA_TRANSLATION = 14,
	MC_SPEED_QUARTER = 15,
	MC_SPEED_HALF = 16,
	MC_SPEED_REALTIME = 17,
	MC_SPEED_DOUBLE = 18,
	MC_SPEED_FOURFOLD = 19,
	MC_SPEED_TENFOLD = 20,
	MC_SPEED_AFAP = 21,
	MC_REPLAY = 22,
	MC_NEXT_BOOKMARK = 23,
	MC_CANVAS_WHITE = 24,
	MC_CANVAS_GREY = 25,
	MC_CANVAS_BLACK = 26,
	MC_TOGGLE_CONSOLE = 27,
	MC_OPEN_PLAYLIST = 28,
	MC_NEXT_IN_PLAYLIST = 29,
	MC_PREVIOUS_IN_PLAYLIST = 30,
	MC_SELECT_OBJECT = 31,
	MC_SAVE_STATE = 32,
	MC_OPEN_G_FILE = 33,
	MC_LOAD_G_DIRECTORY = 34,
	MC_DYNAMIC_STATEMENTS = 35,
	MC_CONSOLE_FONT_12 = 36,
	MC_CONSOLE_FONT_16 = 37,
	MC_CONSOLE_FONT_20 = 38,
	MC_CONSOLE_FONT_24 = 39,
	MC_START_ANIMATION = 45,
	MC_STOP_ANIMATION = 46,
	MC_PAUSE_ANIMATION = 47,
	MC_TOGGLE_SCALAR_CONTROLS = 48,
	MC_OPEN = 49,
	MC_SCREENSHOT = 50,
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

// The menu's items, sub-menu headers and the items that close them included,
// and the item that ends the table.
constexpr int sc_menuTableSize = 79;
extern Fl_Menu_Item gui_menuTable[sc_menuTableSize];

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
// The mark of the radio item at position (nothing for -1).
void setMenuRadio(int position, bool on);
// Dynamic > Playback speed marks the item of speed, none when no item has it.
void markPlaybackSpeed(double speed);

// The text of the "About" box.
const char *aboutText();
// The camera's orientation as the bivector of its rotation (its angle times
// the unit plane; 0 for no turn) or as the unit rotor, and its position.
// Each prints on the console what the menu commands 12, 13 and 14 print.
void printCameraBivector();
void printCameraRotor();
void printCameraTranslation();
