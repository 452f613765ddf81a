// The main menu's table, and walking it by command code.
#include "ui/uimenu.h"

#include <FL/Fl.H>
#include <FL/Fl_Menu_Bar.H>

#include <cstdint>

#include "ui/ui.h"

namespace {

// Item flags: a check item with its mark on or off.
constexpr int sc_checkOn = FL_MENU_TOGGLE | FL_MENU_VALUE;
constexpr int sc_checkOff = FL_MENU_TOGGLE;
// A radio item (one of a group, such as the playback speeds) marked or not.
constexpr int sc_radioOn = FL_MENU_RADIO | FL_MENU_VALUE;
constexpr int sc_radioOff = FL_MENU_RADIO;

// The flags of the item at position (nothing for -1), drawn.
void setMenuFlags(int position, int flags)
{
	if (position < 0) return;
	gui_menuTable[position].flags = flags;
	if (gui_state != nullptr && gui_state->m_menubar != nullptr) gui_state->m_menubar->redraw();
}

} // namespace

void setMenuCheck(int position, bool on) { setMenuFlags(position, on ? sc_checkOn : sc_checkOff); }

void setMenuRadio(int position, bool on) { setMenuFlags(position, on ? sc_radioOn : sc_radioOff); }

void *menuCode(int code) { return reinterpret_cast<void *>(static_cast<intptr_t>(code)); }

// clang-format off
Fl_Menu_Item gui_menuTable[sc_menuTableSize] = {
	{"&File", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
		{"&Open", FL_ALT + 'o', ui_menuCallback, menuCode(MC_OPEN), 0, 0, 0, 0, 0},
		{"Open ->", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
			{"Open geo file", 0, ui_menuCallback, menuCode(MC_OPEN_GEO_FILE), 0, 0, 0, 0, 0},
			{"Open geo playlist", 0, ui_menuCallback, menuCode(MC_OPEN_PLAYLIST), 0, 0, 0, 0, 0},
			{"Open g file", 0, ui_menuCallback, menuCode(MC_OPEN_G_FILE), 0, 0, 0, 0, 0},
			{nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
		{"Load .g directory", 0, ui_menuCallback, menuCode(MC_LOAD_G_DIRECTORY), FL_MENU_DIVIDER, 0, 0, 0, 0},
		{"&Save State", 0, ui_menuCallback, menuCode(MC_SAVE_STATE), FL_MENU_DIVIDER, 0, 0, 0, 0},
		{"&Replay", FL_ALT + 'r', ui_menuCallback, menuCode(MC_REPLAY), 0, 0, 0, 0, 0},
		{"Next file in playlist", FL_ALT + '.', ui_menuCallback, menuCode(MC_NEXT_IN_PLAYLIST), 0, 0, 0, 0, 0},
		{"Previous file in playlist", FL_ALT + ',', ui_menuCallback, menuCode(MC_PREVIOUS_IN_PLAYLIST), FL_MENU_DIVIDER, 0, 0, 0, 0},
		{"&Exit", FL_ALT + 'x', ui_menuCallback, menuCode(MC_EXIT), 0, 0, 0, 0, 0},
		{nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
	{"&View", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
		{"Select object", 0, ui_menuCallback, menuCode(MC_SELECT_OBJECT), 0, 0, 0, 0, 0},
		{"Hide", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
			{"Unhide &all", FL_ALT + 'a', ui_menuCallback, menuCode(MC_UNHIDE_ALL), 0, 0, 0, 0, 0},
			{"Select hidden object", 0, ui_menuCallback, menuCode(MC_SELECT_HIDDEN_OBJECT), 0, 0, 0, 0, 0},
			{"Show hidden object", 0, ui_menuCallback, menuCode(MC_SHOW_HIDDEN_OBJECT), 0, 0, 0, 0, 0},
			{nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
		{"Canvas", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
			{"White canvas", 0, ui_menuCallback, menuCode(MC_CANVAS_WHITE), 0, 0, 0, 0, 0},
			{"Light grey canvas", 0, ui_menuCallback, menuCode(MC_CANVAS_LIGHT_GREY), 0, 0, 0, 0, 0},
			{"Grey canvas", 0, ui_menuCallback, menuCode(MC_CANVAS_GREY), 0, 0, 0, 0, 0},
			{"Black canvas", 0, ui_menuCallback, menuCode(MC_CANVAS_BLACK), 0, 0, 0, 0, 0},
			{nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
		{"Console font size", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
			{"12", 0, ui_menuCallback, menuCode(MC_CONSOLE_FONT_12), 0, 0, 0, 0, 0},
			{"16", 0, ui_menuCallback, menuCode(MC_CONSOLE_FONT_16), 0, 0, 0, 0, 0},
			{"20", 0, ui_menuCallback, menuCode(MC_CONSOLE_FONT_20), 0, 0, 0, 0, 0},
			{"24", 0, ui_menuCallback, menuCode(MC_CONSOLE_FONT_24), 0, 0, 0, 0, 0},
			{nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
		{"Point size", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
			{"0.01", 0, ui_menuCallback, menuCode(MC_POINT_SIZE_001), 0, 0, 0, 0, 0},
			{"0.05", 0, ui_menuCallback, menuCode(MC_POINT_SIZE_005), 0, 0, 0, 0, 0},
			{"0.1", 0, ui_menuCallback, menuCode(MC_POINT_SIZE_01), 0, 0, 0, 0, 0},
			{"0.5", 0, ui_menuCallback, menuCode(MC_POINT_SIZE_05), 0, 0, 0, 0, 0},
			{nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
		{"Line Width", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
			{"1.0", 0, ui_menuCallback, menuCode(MC_LINE_WIDTH_1), 0, 0, 0, 0, 0},
			{"2.0", 0, ui_menuCallback, menuCode(MC_LINE_WIDTH_2), 0, 0, 0, 0, 0},
			{"4.0", 0, ui_menuCallback, menuCode(MC_LINE_WIDTH_4), 0, 0, 0, 0, 0},
			{"8.0", 0, ui_menuCallback, menuCode(MC_LINE_WIDTH_8), 0, 0, 0, 0, 0},
			{nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
		{"&Controls", 0, ui_menuCallback, menuCode(MC_TOGGLE_CONTROLS), sc_checkOn, 0, 0, 0, 0},
		{"Scalar Controls", 0, ui_menuCallback, menuCode(MC_TOGGLE_SCALAR_CONTROLS), sc_checkOn, 0, 0, 0, 0},
		{"Console", 0, ui_menuCallback, menuCode(MC_TOGGLE_CONSOLE), sc_checkOn, 0, 0, 0, 0},
		{"&Labels always on top", FL_ALT + 'l', ui_menuCallback, menuCode(MC_LABELS_ON_TOP), sc_checkOn, 0, 0, 0, 0},
		{"&Object description in statusbar", 0, ui_menuCallback, menuCode(MC_DESCRIPTION_IN_STATUS), sc_checkOn, 0, 0, 0, 0},
		{"&GL lines", 0, ui_menuCallback, menuCode(MC_GL_LINES), sc_checkOff, 0, 0, 0, 0},
		{"F&ullscreen", FL_ALT + 'u', ui_menuCallback, menuCode(MC_FULLSCREEN), sc_checkOff, 0, 0, 0, 0},
		{nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
	{"&Dynamic", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
		{"View Dynamic statements", 0, ui_menuCallback, menuCode(MC_DYNAMIC_STATEMENTS), FL_MENU_DIVIDER, 0, 0, 0, 0},
		{"Start / resume animation", 0, ui_menuCallback, menuCode(MC_START_ANIMATION), 0, 0, 0, 0, 0},
		{"Pause animation", 0, ui_menuCallback, menuCode(MC_PAUSE_ANIMATION), 0, 0, 0, 0, 0},
		{"Stop animation", 0, ui_menuCallback, menuCode(MC_STOP_ANIMATION), 0, 0, 0, 0, 0},
		{"Playback speed", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
			{"0.25x realtime", 0, ui_menuCallback, menuCode(MC_SPEED_QUARTER), sc_radioOff, 0, 0, 0, 0},
			{"0.5x realtime", 0, ui_menuCallback, menuCode(MC_SPEED_HALF), sc_radioOff, 0, 0, 0, 0},
			{"realtime", 0, ui_menuCallback, menuCode(MC_SPEED_REALTIME), sc_radioOn, 0, 0, 0, 0},
			{"2x realtime", 0, ui_menuCallback, menuCode(MC_SPEED_DOUBLE), sc_radioOff, 0, 0, 0, 0},
			{"4x realtime", 0, ui_menuCallback, menuCode(MC_SPEED_FOURFOLD), sc_radioOff, 0, 0, 0, 0},
			{"10x realtime", 0, ui_menuCallback, menuCode(MC_SPEED_TENFOLD), sc_radioOff, 0, 0, 0, 0},
			{"AFAP", 0, ui_menuCallback, menuCode(MC_SPEED_AFAP), sc_radioOff, 0, 0, 0, 0},
			{nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
		{nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
	{"&Utils", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
		{"Search for next &bookmark", FL_ALT + 'b', ui_menuCallback, menuCode(MC_NEXT_BOOKMARK), FL_MENU_DIVIDER, 0, 0, 0, 0},
		{"Output current camera orientation (bivector)", 0, ui_menuCallback, menuCode(MC_CAMERA_BIVECTOR), 0, 0, 0, 0, 0},
		{"Output current camera orientation (rotor)", 0, ui_menuCallback, menuCode(MC_CAMERA_ROTOR), 0, 0, 0, 0, 0},
		{"Output current camera translation", 0, ui_menuCallback, menuCode(MC_CAMERA_TRANSLATION), FL_MENU_DIVIDER, 0, 0, 0, 0},
		{"Screenshot", 0, ui_menuCallback, menuCode(MC_SCREENSHOT), 0, 0, 0, 0, 0},
		{nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
	{"&Help", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
		{"About", 0, ui_menuCallback, menuCode(MC_ABOUT), 0, 0, 0, 0, 0},
		{nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
	{nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
};
// clang-format on

int menuTableLength(const Fl_Menu_Item *table)
{
	if (table == nullptr) return 0;
	int depth = 0;
	int i = 0;
	// a null text closes a level; the one that closes level 0 ends the table
	for (;; i++) {
		if (table[i].text == nullptr) {
			if (depth == 0) return i;
			depth--;
		} else if (table[i].flags & FL_SUBMENU) {
			depth++;
		}
	}
}

int menuTablePosition(const Fl_Menu_Item *table, void *data)
{
	const int n = menuTableLength(table);
	for (int i = 0; i < n; i++)
		if (table[i].text != nullptr && table[i].user_data_ == data) return i;
	return -1;
}

