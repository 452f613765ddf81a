#pragma once
// A fixture for tests of the user interface in a shown main window: the
// state and the user interface as the program builds them, the menu's
// check marks put back afterwards, and the boxes of widgets compared.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Widget.H>

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "console/fl_console.h"
#include "state/state.h"
#include "ui/ui.h"
#include "ui/uimenu.h"

// A widget's place and size.
struct box_s {
	int x, y, w, h;
	bool operator==(const box_s &o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
};
inline std::ostream &operator<<(std::ostream &os, const box_s &b)
{
	return os << "(" << b.x << ", " << b.y << ", " << b.w << ", " << b.h << ")";
}
inline box_s boxOf(const Fl_Widget *w) { return {w->x(), w->y(), w->w(), w->h()}; }

// The user interface as the program builds it, with its own state.
class shownUI : public testing::Test {
protected:
	UIstate *m_ui = nullptr;
	std::vector<int> m_menuFlags;

	void SetUp() override
	{
		for (int i = 0; i < menuTableLength(gui_menuTable); i++) m_menuFlags.push_back(gui_menuTable[i].flags);
		new state();
		// as started without the network option: no tick opens a port
		g_state->m_nbNetServers = 0;
		static char name[] = "korimbel";
		char *argv[] = {name, nullptr};
		m_ui = new UIstate(1, argv);
		gui_state = m_ui;
		Fl::check();
	}
	void TearDown() override
	{
		delete m_ui;
		delete g_state;
		for (size_t i = 0; i < m_menuFlags.size(); i++) gui_menuTable[i].flags = m_menuFlags[i];
	}

	std::string consoleText() const
	{
		char *t = m_ui->m_console->buffer()->text();
		std::string s(t);
		std::free(t);
		return s;
	}
};
