// The main menu's table and the commands its items run.
#include "uimenu.h"

#include <FL/Fl.H>
#include <FL/Fl_Menu_Bar.H>

#include <cstdint>

#include "state/state.h"
#include "ui.h"

namespace {

// Item flags: a check item with its mark on or off.
constexpr int sc_checkOn = FL_MENU_TOGGLE | FL_MENU_VALUE;
constexpr int sc_checkOff = FL_MENU_TOGGLE;

// The canvas greys: the light grey of its own item, the others by code.
constexpr float sc_lightGreyCanvas = 0.65f;

void setCanvas(float grey)
{
	if (g_state == nullptr) return;
	g_state->setColor("cvcolor", grey, grey, grey, 0.0f);
	uiRedrawView();
}

} // namespace

void setMenuCheck(int position, bool on)
{
	if (position < 0) return;
	gui_menuTable[position].flags = on ? sc_checkOn : sc_checkOff;
	if (gui_state != nullptr && gui_state->m_menubar != nullptr) gui_state->m_menubar->redraw();
}

void *menuCode(int code) { return reinterpret_cast<void *>(static_cast<intptr_t>(code)); }

// clang-format off
Fl_Menu_Item gui_menuTable[] = {
	{"&View", 0, nullptr, nullptr, FL_SUBMENU, 0, 0, 0, 0},
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

void ui_menuCommand(int code) { ui_menuCallback(nullptr, menuCode(code)); }

void ui_menuCallback(Fl_Widget *, void *data)
{
	const int code = static_cast<int>(reinterpret_cast<intptr_t>(data));
	const int position = menuTablePosition(gui_menuTable, data);
	UIstate *ui = gui_state;
	if (ui == nullptr || g_state == nullptr) return;
	switch (code) {
	case MC_TOGGLE_CONTROLS: ui->toggleHideControls(position); break;
	case MC_TOGGLE_SCALAR_CONTROLS: ui->toggleHideScalarControls(position); break;
	case MC_TOGGLE_CONSOLE: ui->toggleHideConsole(position); break;
	case MC_LABELS_ON_TOP:
		g_state->m_labelsAlwaysOnTop = !g_state->m_labelsAlwaysOnTop;
		setMenuCheck(position, g_state->m_labelsAlwaysOnTop != 0);
		uiRedrawView();
		break;
	case MC_FULLSCREEN: ui->toggleFullscreen(position); break;
	// white, grey and black: (26 - code) / 2
	case MC_CANVAS_WHITE:
	case MC_CANVAS_GREY:
	case MC_CANVAS_BLACK: setCanvas(static_cast<float>(MC_CANVAS_BLACK - code) * 0.5f); break;
	case MC_CANVAS_LIGHT_GREY: setCanvas(sc_lightGreyCanvas); break;
	case MC_CONSOLE_FONT_12:
	case MC_CONSOLE_FONT_16:
	case MC_CONSOLE_FONT_20:
	case MC_CONSOLE_FONT_24: ui->setConsoleFontSizeFromMenu(code); break;
	case MC_DESCRIPTION_IN_STATUS:
		ui->m_alwaysObjectDescriptionInStatusBar = !ui->m_alwaysObjectDescriptionInStatusBar;
		if (!ui->m_alwaysObjectDescriptionInStatusBar) ui->setStatus("");
		setMenuCheck(position, ui->m_alwaysObjectDescriptionInStatusBar);
		break;
	case MC_POINT_SIZE_001:
	case MC_POINT_SIZE_005:
	case MC_POINT_SIZE_01:
	case MC_POINT_SIZE_05:
		ui->setPointSizeFromMenu(code);
		uiRedrawView();
		break;
	case MC_GL_LINES:
		ui->m_tubeDraw.setUseOpenGL(!ui->m_tubeDraw.getUseOpenGL());
		setMenuCheck(position, ui->m_tubeDraw.getUseOpenGL());
		uiRedrawView();
		break;
	case MC_LINE_WIDTH_1:
	case MC_LINE_WIDTH_2:
	case MC_LINE_WIDTH_4:
	case MC_LINE_WIDTH_8:
		ui->setLineWidthFromMenu(code);
		uiRedrawView();
		break;
	default: break;
	}
}
