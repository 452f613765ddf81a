// The user interface in a shown main window on a virtual X server: the parts
// and their texts, the object panel, the layout and the panel toggles, the
// window keys, the menu commands, full screen, the input wait, the tick, and
// console output once the user interface exists.
#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Color_Chooser.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Menu_Button.H>
#include <FL/Fl_Multiline_Output.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Scroll.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Value_Slider.H>
#include <FL/Fl_Window.H>
#include <GL/gl.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "console/consolewindow.h"
#include "console/fl_console.h"
#include "e3ga/e3ga.h"
#include "view/glwindow.h"
#include "ui/mainwindow.h"
#include "scene/object.h"
#include "os/osdep.h"
#include "support/shownui.h"
#include "scene/textobject.h"
#include "state/state.h"
#include "ui/ui.h"
#include "ui/uimenu.h"

namespace {

class ui : public shownUI {
protected:
	// One key press delivered to the main window as the window system does.
	int press(int keysym, const char *text = "")
	{
		static char s_text[8];
		std::snprintf(s_text, sizeof s_text, "%s", text);
		Fl::e_keysym = keysym;
		Fl::e_state = 0;
		Fl::e_text = s_text;
		Fl::e_length = static_cast<int>(std::strlen(text));
		return Fl::handle(FL_KEYBOARD, m_ui->m_mainWindow);
	}
	// A click of the left button at the middle of widget w, delivered to the
	// main window as the window system does: at a place in the main
	// window's coordinates, which the subwindows between pass on.
	void click(Fl_Widget *w)
	{
		int x = w->x() + w->w() / 2, y = w->y() + w->h() / 2;
		for (Fl_Window *sub = w->window(); sub != nullptr && sub->window() != nullptr; sub = sub->window()) {
			x += sub->x();
			y += sub->y();
		}
		Fl::e_x = x;
		Fl::e_y = y;
		Fl::e_keysym = FL_Button + 1;
		Fl::e_state = FL_BUTTON1;
		Fl::e_clicks = 0;
		Fl::handle(FL_PUSH, w->top_window());
		Fl::e_state = 0;
		Fl::handle(FL_RELEASE, w->top_window());
	}
	// Types text into the console as keys.
	void type(const std::string &text)
	{
		Fl::focus(m_ui->m_console);
		for (char c : text) press(static_cast<unsigned char>(c), std::string(1, c).c_str());
	}
	object *addVector(const char *name, const e3ga &value)
	{
		g_state->addE3gaObject(value, name, 0, 0, 0);
		return g_state->getObjectPtrByName(name);
	}
	// The y of each panel widget, or -1 when hidden.
	std::vector<int> panelRows() const
	{
		std::vector<int> rows;
		for (Fl_Widget *w : panelWidgets()) rows.push_back(w->visible() ? w->y() : -1);
		return rows;
	}
	std::vector<Fl_Widget *> panelWidgets() const
	{
		const UIstate &u = *m_ui;
		return {u.m_nameOutput, u.m_removeButton, u.m_hideButton, u.m_fgColorButton, u.m_fgAlphaSlider,
		        u.m_bgColorButton, u.m_bgAlphaSlider, u.m_olColorButton, u.m_olAlphaSlider, u.m_fontSizeSlider,
		        u.m_dmStippleButton, u.m_dmMagnitudeButton, u.m_drawMethodMenu, u.m_descriptionOutput};
	}
	int menuPosition(int code) const { return menuTablePosition(gui_menuTable, menuCode(code)); }
	bool checked(int code) const { return gui_menuTable[menuPosition(code)].value() != 0; }
};

// An object of any properties, as labels and other kinds have them.
class probe : public object {
public:
	probe(const std::string &name, int properties) : object(OT_TEXT, name, 0, 0, 0) { m_properties = properties; }
	int pick(glwindow *w) override { return draw(w); }
	int draw(glwindow *) override { return 0; }
	double drawSortValue() override { return 1.0; }
	// Runs the event loop as a modal dialog would.
	int update(double) override
	{
		m_depth++;
		m_maxDepth = std::max(m_maxDepth, m_depth);
		if (m_pumpEvents)
			for (int i = 0; i < 5; i++) Fl::wait(UIstate::sc_tickPeriod);
		m_depth--;
		m_updates++;
		return 0;
	}
	bool m_pumpEvents = false;
	int m_depth = 0, m_maxDepth = 0, m_updates = 0;
};

TEST_F(ui, TheMainWindowStandsWithItsPartsAndTexts)
{
	EXPECT_STREQ(m_ui->m_mainWindow->title(), "Korimbel");
	EXPECT_EQ(boxOf(m_ui->m_mainWindow), (box_s{m_ui->m_mainWindow->x(), m_ui->m_mainWindow->y(), 1024, 700}));
	EXPECT_EQ(boxOf(m_ui->m_menubar), (box_s{0, 0, 1024, 29}));
	EXPECT_EQ(boxOf(m_ui->m_glWindow), (box_s{0, 30, 724, 445}));
	EXPECT_STREQ(m_ui->m_glWindow->label(), "OpenGL window");
	EXPECT_EQ(boxOf(m_ui->m_consoleGroup), (box_s{0, 475, 724, 200}));
	EXPECT_EQ(boxOf(m_ui->m_console), (box_s{3, 3, 718, 194}));
	EXPECT_EQ(boxOf(m_ui->m_controlGroup), (box_s{724, 30, 300, 445}));
	// the scalar panel is laid out from the start, beside the console
	EXPECT_EQ(boxOf(m_ui->m_scalarGroup), (box_s{724, 475, 300, 200}));
	EXPECT_EQ(boxOf(m_ui->m_statusOutput), (box_s{0, 675, 949, 25}));
	EXPECT_EQ(boxOf(m_ui->m_waitButton), (box_s{949, 675, 75, 25}));
	EXPECT_STREQ(m_ui->m_statusOutput->value(), "Korimbel 0.71");
	EXPECT_STREQ(m_ui->m_waitButton->label(), "pause");
	EXPECT_STREQ(m_ui->m_menubar->menu()[0].label(), "&File");
	// the banner names the product and ends with the help line, then the prompt
	const std::string text = consoleText();
	EXPECT_NE(text.find("Korimbel 0.71\n"), std::string::npos);
	const std::string tail = "Type 'help()' for help on console functions.\n>> ";
	EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
	EXPECT_EQ(Fl::focus(), m_ui->m_console);
}

TEST_F(ui, ALineTypedInTheConsoleRunsShowsAndSelectsItsObject)
{
	type("a = e1 ^ e2");
	EXPECT_EQ(press(FL_Enter, "\r"), 1);
	const std::string tail = ">> a = e1 ^ e2\na = 1.00*e1^e2\n>> ";
	const std::string text = consoleText();
	ASSERT_GE(text.size(), tail.size());
	EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
	// the object is the panel's current object and is drawn in its colour
	object *a = g_state->getObjectPtrByName("a");
	ASSERT_NE(a, nullptr);
	EXPECT_EQ(m_ui->m_currentObject, a);
	EXPECT_STREQ(m_ui->m_nameOutput->value(), "a");
	glwindow &view = *m_ui->m_glWindow;
	view.make_current();
	view.draw();
	unsigned char centre[3];
	glReadBuffer(GL_BACK);
	glReadPixels(view.w() / 2, view.h() / 2, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, centre);
	EXPECT_GT(centre[2], centre[0] + 60);
	EXPECT_GT(centre[2], centre[1] + 60);
}

TEST_F(ui, TitlesAreCutToTheirBufferAtACharacter)
{
	mainWindow &w = *m_ui->m_mainWindow;
	w.setTitle("untitled");
	EXPECT_STREQ(w.title(), "Korimbel: untitled");
	w.setTitle(nullptr);
	EXPECT_STREQ(w.title(), "Korimbel");
	w.setTitle(std::string(3000, 'x').c_str());
	EXPECT_EQ(std::strlen(w.title()), size_t(mainWindow::sc_titleBufferSize - 1));
	// "é" is two bytes; 1013 of them after "Korimbel: " would end mid-character
	std::string accents;
	for (int i = 0; i < 1013; i++) accents += "\xc3\xa9";
	w.setTitle(accents.c_str());
	const std::string shown = w.title();
	EXPECT_EQ(shown.size(), size_t(10 + 2 * 506));
	EXPECT_EQ(shown.substr(shown.size() - 2), "\xc3\xa9");
}

TEST_F(ui, OutputGoesToTheConsoleOnceTheUserInterfaceExists)
{
	cprintf("%d", 5);
	EXPECT_NE(consoleText().find(">> 5\n>> "), std::string::npos);
	gui_state = nullptr;
	testing::internal::CaptureStdout();
	cprintf("x = %s\n", "1");
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "x = 1\n");
	gui_state = m_ui;
	// a reset clears the console
	g_state->reset();
	EXPECT_EQ(consoleText(), " \n>> ");
}

TEST_F(ui, ThePanelStacksTheControlsOfTheCurrentObject)
{
	// name, remove, hide, fg, fg alpha, bg, bg alpha, ol, ol alpha, font
	// size, first and last check, draw-method menu, description
	struct case_s {
		const char *what;
		std::vector<int> rows;
	} cases[] = {
	    {"vector", {5, 35, 60, 95, 120, -1, -1, -1, -1, -1, 155, 255, -1, 315}},
	    {"bivector", {5, 35, 60, 95, 120, -1, -1, -1, -1, -1, 155, 255, 315, 375}},
	    {"label", {5, 35, -1, 70, 95, 130, 155, 190, 215, 250, -1, -1, -1, 310}},
	    {"nothing", {5, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}},
	};
	object *v = addVector("v", e3ga(e3gai::e1));
	object *B = addVector("B", op(e3ga(e3gai::e1), e3ga(e3gai::e2)));
	probe *label = new probe("L", OP_NAME | OP_FG_COLOR | OP_BG_COLOR | OP_OL_COLOR | OP_FONT_SIZE | OP_VALUE);
	g_state->addObject(label, 0);
	object *objects[] = {v, B, label, nullptr};
	for (int i = 0; i < 4; i++) {
		m_ui->setCurrentObject(objects[i]);
		EXPECT_EQ(panelRows(), cases[i].rows) << cases[i].what;
	}
	EXPECT_STREQ(m_ui->m_nameOutput->value(), "no object selected");
	EXPECT_STREQ(m_ui->m_statusOutput->value(), "");

	// the bivector's draw methods: the menu shows the current one and sets it
	m_ui->setCurrentObjectByName("B");
	EXPECT_STREQ(m_ui->m_nameOutput->value(), "B");
	EXPECT_STREQ(m_ui->m_drawMethodMenu->label(), "Circle");
	char shortForm[1024];
	B->description(shortForm, 1023, 1);
	EXPECT_STREQ(m_ui->m_statusOutput->value(), shortForm);
	m_ui->m_drawMethodMenu->picked(&m_ui->m_drawMethodMenu->menu()[3]);
	EXPECT_EQ(B->m_dmMenuIdx, 3);
	EXPECT_STREQ(m_ui->m_drawMethodMenu->label(), "Cross");
	EXPECT_EQ(m_ui->setDrawMethodMenu(B->m_dmMenu, 6), -1);
	EXPECT_EQ(m_ui->setDrawMethodMenu(B->m_dmMenu, -1), -1);
	// the status line is one line: a label's description shows its line
	// ends, and any control character, as blanks
	textObject *c = new textObject("two\nlines", e3ga(e3gai::e1), "c_label", 0, 0, -1);
	g_state->addObject(c, 0);
	m_ui->setCurrentObject(c);
	EXPECT_STREQ(m_ui->m_statusOutput->value(), "c_label: text:  'two lines'");
	m_ui->setStatus("a\tb\r\n");
	EXPECT_STREQ(m_ui->m_statusOutput->value(), "a b  ");
	// a name without object clears the selection
	m_ui->setCurrentObjectByName("nothing");
	EXPECT_EQ(m_ui->m_currentObject, nullptr);
	// the console's select() does the same
	g_state->consoleCommandCallback("select(v);");
	EXPECT_EQ(m_ui->m_currentObject, v);
	g_state->consoleCommandCallback("select(nothing);");
	EXPECT_EQ(m_ui->m_currentObject, nullptr);
}

TEST_F(ui, PanelControlsActOnTheObjectAndFollowIt)
{
	object *v = addVector("v", e3ga(e3gai::e1));
	m_ui->setCurrentObject(v);
	EXPECT_STREQ(m_ui->m_hideButton->label(), "hide this object");
	EXPECT_EQ(m_ui->m_dmShadeButton->value(), 1);
	m_ui->m_hideButton->do_callback();
	EXPECT_TRUE(v->hidden());
	EXPECT_STREQ(m_ui->m_hideButton->label(), "show this object");
	m_ui->m_dmOriButton->do_callback();
	m_ui->m_dmShadeButton->do_callback();
	EXPECT_EQ(v->m_drawMode & (DM_ORI | DM_SHADE), DM_ORI);
	EXPECT_EQ(m_ui->m_dmOriButton->value(), 1);
	m_ui->m_fgAlphaSlider->value(0.25);
	m_ui->m_fgAlphaSlider->do_callback();
	EXPECT_FLOAT_EQ(v->fgColor(3), 0.25f);

	// a click works and leaves the keyboard with the command line, for the
	// panel's widgets, the wait button and the console controls alike: a
	// Space typed next is the command line's, not a second click
	g_state->consoleCommandCallback("ctrl_bool(f = 0); ctrl_range(k = 2, 0, 10);");
	std::vector<Fl_Widget *> clicked = {m_ui->m_dmWireframeButton, m_ui->m_fgAlphaSlider, m_ui->m_waitButton};
	for (int i = 0; i < m_ui->m_scalarGroupScroll->children(); i++) clicked.push_back(m_ui->m_scalarGroupScroll->child(i));
	m_ui->m_console->take_focus();
	for (Fl_Widget *w : clicked) {
		if (!w->visible_r()) continue;
		click(w);
		EXPECT_EQ(Fl::focus(), m_ui->m_console) << (w->label() != nullptr ? w->label() : "a panel widget");
	}
	EXPECT_EQ(v->m_drawMode & DM_WIREFRAME, DM_WIREFRAME);
	EXPECT_EQ(g_state->m_inputWait, 1);
	const size_t before = consoleText().size();
	press(' ', " ");
	EXPECT_EQ(consoleText().size(), before + 1);
	EXPECT_EQ(v->m_drawMode & DM_WIREFRAME, DM_WIREFRAME);
	g_state->setInputWaitState(0);
	// the panel's name and description and the status line take the
	// keyboard when clicked, for the copy keys: Ctrl pressed alone stays
	// with them; a letter, and an arrow that the panel would take to move
	// on to its next widget, go to the command line
	for (Fl_Widget *w : {static_cast<Fl_Widget *>(m_ui->m_nameOutput), static_cast<Fl_Widget *>(m_ui->m_descriptionOutput),
	                     static_cast<Fl_Widget *>(m_ui->m_statusOutput)}) {
		click(w);
		EXPECT_EQ(Fl::focus(), w);
		press(FL_Control_L);
		EXPECT_EQ(Fl::focus(), w);
		const size_t typed = consoleText().size();
		press('x', "x");
		EXPECT_EQ(consoleText().size(), typed + 1);
		EXPECT_EQ(Fl::focus(), m_ui->m_console);
		click(w);
		press(FL_Down);
		EXPECT_EQ(Fl::focus(), m_ui->m_console);
	}
	m_ui->m_console->command("");

	// a new value for the object shows in the panel; removal lets go of it
	g_state->addE3gaObject(e3ga(e3gai::e2), "v", 0, 0, 0);
	char longForm[1024];
	v->description(longForm, 1023, 0);
	EXPECT_STREQ(m_ui->m_descriptionOutput->value(), longForm);
	EXPECT_NE(std::string(longForm).find("e2"), std::string::npos);
	m_ui->m_removeButton->do_callback();
	EXPECT_EQ(g_state->getObjectPtrByName("v"), nullptr);
	EXPECT_EQ(m_ui->m_currentObject, nullptr);
	m_ui->setCurrentObject(addVector("w", e3ga(e3gai::e3)));
	g_state->removeAllObjects();
	EXPECT_EQ(m_ui->m_currentObject, nullptr);
}

// Presses OK in the modal colour chooser, after choosing blue and, when
// asked, removing the current object the way a script could meanwhile.
struct chooserAction_s {
	bool removeObject;
	bool done;
};
void answerChooser(void *data)
{
	chooserAction_s *action = static_cast<chooserAction_s *>(data);
	Fl_Window *dialog = Fl::modal();
	if (dialog == nullptr) {
		Fl::repeat_timeout(0.05, answerChooser, data);
		return;
	}
	if (action->removeObject) g_state->removeObject("v");
	for (int i = 0; i < dialog->children(); i++) {
		if (Fl_Color_Chooser *c = dynamic_cast<Fl_Color_Chooser *>(dialog->child(i))) c->rgb(0.0, 0.0, 1.0);
	}
	for (int i = 0; i < dialog->children(); i++) {
		if (Fl_Return_Button *ok = dynamic_cast<Fl_Return_Button *>(dialog->child(i))) ok->do_callback();
	}
	action->done = true;
}

TEST_F(ui, TheColourChooserSetsTheColourOfTheObjectStillThere)
{
	object *v = addVector("v", e3ga(e3gai::e1));
	v->setFgAlpha(0.5f);
	m_ui->setCurrentObject(v);
	chooserAction_s keep{false, false};
	Fl::add_timeout(0.05, answerChooser, &keep);
	m_ui->m_fgColorButton->do_callback();
	ASSERT_TRUE(keep.done);
	EXPECT_FLOAT_EQ(v->fgColor(0), 0.0f);
	EXPECT_FLOAT_EQ(v->fgColor(2), 1.0f);
	EXPECT_FLOAT_EQ(v->fgColor(3), 0.5f);
	// removed while the chooser was open: nothing is set, nothing breaks
	chooserAction_s remove{true, false};
	Fl::add_timeout(0.05, answerChooser, &remove);
	m_ui->m_bgColorButton->do_callback();
	ASSERT_TRUE(remove.done);
	EXPECT_EQ(g_state->getObjectPtrByName("v"), nullptr);
	EXPECT_EQ(m_ui->m_currentObject, nullptr);
}

TEST_F(ui, LayoutFollowsTheWindowAndThePanels)
{
	mainWindow &w = *m_ui->m_mainWindow;
	// a window too low for everything keeps an 80 pixel console
	w.resize(w.x(), w.y(), 1024, 100);
	EXPECT_EQ(m_ui->m_consoleGroup->h(), 80);
	EXPECT_EQ(m_ui->m_statusOutput->y(), 75);
	EXPECT_GE(m_ui->m_glWindow->h(), 1);
	w.resize(w.x(), w.y(), 1200, 800);
	EXPECT_EQ(boxOf(m_ui->m_consoleGroup), (box_s{0, 30 + 800 - 80 - 55, 900, 80}));
	EXPECT_EQ(boxOf(m_ui->m_controlGroup), (box_s{900, 30, 300, 800 - 55 - 80}));
	EXPECT_EQ(boxOf(m_ui->m_glWindow), (box_s{0, 30, 900, 800 - 80 - 55}));

	// hiding the object panel and then the console hides the scalar panel
	ui_menuCommand(MC_TOGGLE_CONTROLS);
	EXPECT_FALSE(m_ui->m_controlGroup->visible());
	EXPECT_FALSE(checked(MC_TOGGLE_CONTROLS));
	// the console leaves room for the scalar panel beside it
	EXPECT_EQ(m_ui->m_consoleGroup->w(), 900);
	ui_menuCommand(MC_TOGGLE_CONSOLE);
	EXPECT_EQ(m_ui->m_scalarGroupVisible, 0);
	EXPECT_FALSE(m_ui->m_scalarGroup->visible());
	EXPECT_FALSE(checked(MC_TOGGLE_SCALAR_CONTROLS));
	EXPECT_EQ(boxOf(m_ui->m_glWindow), (box_s{0, 30, 1200, 800 - 55}));
	// showing the scalar panel alone brings the console back
	ui_menuCommand(MC_TOGGLE_SCALAR_CONTROLS);
	EXPECT_EQ(m_ui->m_consoleVisible, 1);
	EXPECT_TRUE(m_ui->m_consoleGroup->visible());
	EXPECT_TRUE(checked(MC_TOGGLE_CONSOLE));
	EXPECT_TRUE(checked(MC_TOGGLE_SCALAR_CONTROLS));
	EXPECT_EQ(boxOf(m_ui->m_scalarGroup), (box_s{900, 30 + 800 - 80 - 55, 300, 80}));
	EXPECT_EQ(boxOf(m_ui->m_glWindow), (box_s{0, 30, 1200, 800 - 80 - 55}));
}

TEST_F(ui, FullScreenShowsTheViewAloneUntilEscape)
{
	ui_menuCommand(MC_FULLSCREEN);
	Fl::check();
	mainWindow &w = *m_ui->m_mainWindow;
	EXPECT_TRUE(checked(MC_FULLSCREEN));
	EXPECT_EQ(boxOf(m_ui->m_glWindow), (box_s{0, 0, w.w(), w.h()}));
	for (Fl_Widget *part : {(Fl_Widget *)m_ui->m_menubar, (Fl_Widget *)m_ui->m_consoleGroup,
	                        (Fl_Widget *)m_ui->m_controlGroup, (Fl_Widget *)m_ui->m_scalarGroup,
	                        (Fl_Widget *)m_ui->m_statusOutput, (Fl_Widget *)m_ui->m_waitButton})
		EXPECT_FALSE(part->visible());
	// the keyboard is the window's, also when the window takes it again
	EXPECT_EQ(Fl::focus(), &w);
	Fl::focus(nullptr);
	EXPECT_TRUE(w.take_focus());
	EXPECT_EQ(Fl::focus(), &w);
	// what is typed and entered leaves the hidden console as it was
	const std::string shown = consoleText();
	press('z', "z");
	EXPECT_EQ(press(FL_Enter, "\r"), 1);
	EXPECT_EQ(consoleText(), shown);
	// the pointer hides after two seconds without a mouse action, and shows on one
	m_ui->m_fsLastMouseActionTime = u_timeGet() - 3.0;
	m_ui->timerCallback();
	EXPECT_EQ(m_ui->m_cursor, FL_CURSOR_NONE);
	m_ui->mouseMove();
	m_ui->timerCallback();
	EXPECT_EQ(m_ui->m_cursor, FL_CURSOR_DEFAULT);
	// Escape leaves full screen; outside it Escape does nothing, the window stays
	EXPECT_EQ(press(FL_Escape), 1);
	Fl::check();
	EXPECT_EQ(m_ui->m_fullscreen, 0);
	EXPECT_FALSE(checked(MC_FULLSCREEN));
	EXPECT_EQ(boxOf(m_ui->m_glWindow), (box_s{0, 30, 724, 445}));
	EXPECT_TRUE(m_ui->m_consoleGroup->visible());
	EXPECT_EQ(Fl::focus(), m_ui->m_console);
	EXPECT_EQ(press(FL_Escape), 1);
	Fl::check();
	EXPECT_TRUE(w.shown());
	EXPECT_EQ(m_ui->m_fullscreen, 0);
}

TEST_F(ui, TheInputWaitEndsByEnterOrTheWaitButton)
{
	g_state->setInputWaitState(1);
	EXPECT_STREQ(m_ui->m_waitButton->label(), "waiting");
	// Enter in the window ends it
	Fl::focus(m_ui->m_mainWindow);
	EXPECT_EQ(press(FL_Enter, "\r"), 1);
	EXPECT_EQ(g_state->m_inputWait, 0);
	EXPECT_STREQ(m_ui->m_waitButton->label(), "pause");
	EXPECT_EQ(m_ui->m_waitButton->color(), FL_BACKGROUND_COLOR);
	// so does Enter in the console, which takes the line as well
	g_state->setInputWaitState(1);
	type("y = 2");
	press(FL_Enter, "\r");
	EXPECT_EQ(g_state->m_inputWait, 0);
	EXPECT_NE(consoleText().find(">> y = 2\ny = 2.00\n>> "), std::string::npos);
	// the wait button starts and ends it
	m_ui->m_waitButton->do_callback();
	EXPECT_EQ(g_state->m_inputWait, 1);
	m_ui->m_waitButton->do_callback();
	EXPECT_EQ(g_state->m_inputWait, 0);
}

TEST_F(ui, WaitIndicatorIsDrawnInFullScreenOnly)
{
	glwindow &view = *m_ui->m_glWindow;
	// red pixels in the corner where the indicator goes
	auto redInCorner = [&]() {
		view.make_current();
		view.draw();
		std::vector<unsigned char> px(40 * 30 * 3);
		glReadBuffer(GL_BACK);
		glReadPixels(view.w() - 45, 18, 40, 30, GL_RGB, GL_UNSIGNED_BYTE, px.data());
		int red = 0;
		for (size_t i = 0; i < px.size(); i += 3) red += px[i] > 200 && px[i + 1] < 50 && px[i + 2] < 50;
		return red;
	};
	g_state->setInputWaitState(1);
	EXPECT_EQ(redInCorner(), 0);
	m_ui->m_fullscreen = 1;
	EXPECT_GT(redInCorner(), 20);
	g_state->setInputWaitState(0);
	EXPECT_EQ(redInCorner(), 0);
	m_ui->m_fullscreen = 0;
}

TEST_F(ui, MenuCommandsOfTheWindow)
{
	ui_menuCommand(MC_CANVAS_LIGHT_GREY);
	EXPECT_FLOAT_EQ(g_state->m_cvColor[0], 0.65f);
	ui_menuCommand(MC_CANVAS_GREY);
	EXPECT_FLOAT_EQ(g_state->m_cvColor[2], 0.5f);
	ui_menuCommand(MC_CANVAS_BLACK);
	EXPECT_FLOAT_EQ(g_state->m_cvColor[1], 0.0f);
	ui_menuCommand(MC_CANVAS_WHITE);
	EXPECT_FLOAT_EQ(g_state->m_cvColor[0], 1.0f);
	// labels always on top, twice: back where it was, checked
	ui_menuCommand(MC_LABELS_ON_TOP);
	EXPECT_EQ(g_state->m_labelsAlwaysOnTop, 0);
	EXPECT_FALSE(checked(MC_LABELS_ON_TOP));
	ui_menuCommand(MC_LABELS_ON_TOP);
	EXPECT_EQ(g_state->m_labelsAlwaysOnTop, 1);
	EXPECT_TRUE(checked(MC_LABELS_ON_TOP));
	// the description leaves the status line when switched off
	m_ui->setCurrentObject(addVector("v", e3ga(e3gai::e1)));
	EXPECT_STRNE(m_ui->m_statusOutput->value(), "");
	ui_menuCommand(MC_DESCRIPTION_IN_STATUS);
	EXPECT_STREQ(m_ui->m_statusOutput->value(), "");
	EXPECT_FALSE(checked(MC_DESCRIPTION_IN_STATUS));
	ui_menuCommand(MC_GL_LINES);
	EXPECT_TRUE(m_ui->m_tubeDraw.getUseOpenGL());
	EXPECT_TRUE(checked(MC_GL_LINES));
	struct size_s {
		int code;
		double pointSize, lineWidth;
	} sizes[] = {{MC_POINT_SIZE_001, 0.01, 0}, {MC_POINT_SIZE_005, 0.05, 0}, {MC_POINT_SIZE_05, 0.5, 0},
	             {MC_POINT_SIZE_01, 0.1, 0},   {MC_LINE_WIDTH_8, 0, 8.0},     {MC_LINE_WIDTH_4, 0, 4.0},
	             {MC_LINE_WIDTH_2, 0, 2.0},    {MC_LINE_WIDTH_1, 0, 1.0}};
	for (const size_s &s : sizes) {
		ui_menuCommand(s.code);
		if (s.pointSize > 0) {
			EXPECT_DOUBLE_EQ(m_ui->m_pointSize, s.pointSize) << s.code;
		} else {
			EXPECT_DOUBLE_EQ(m_ui->m_tubeDraw.getLineWidth(), s.lineWidth) << s.code;
		}
	}
	ui_menuCommand(MC_CONSOLE_FONT_24);
	EXPECT_EQ(m_ui->m_console->textsize(), 24);
}

TEST_F(ui, ConsoleFontSizesOutsideTheirRangeAreRefused)
{
	for (int size : {5, 33}) {
		EXPECT_EQ(m_ui->setConsoleFontSize(size), -1);
		EXPECT_NE(consoleText().find("UIstate::setConsoleFontSize(): invalid font size '" + std::to_string(size) +
		                             "' (min: 6, max: 32)\n"),
		          std::string::npos);
	}
	EXPECT_EQ(m_ui->setConsoleFontSize(6), 0);
	EXPECT_EQ(m_ui->m_console->textsize(), 6);
	EXPECT_EQ(m_ui->setConsoleFontSizeFromMenu(40), -1);
}

TEST_F(ui, TheTickUpdatesObjectsBlinksTheWaitButtonAndNeverNests)
{
	probe *p = new probe("p", OP_NAME);
	g_state->addObject(p, 0);
	m_ui->timerCallback();
	EXPECT_EQ(p->m_updates, 1);
	// the wait button blinks: red in odd half seconds, grey in even ones
	g_state->setInputWaitState(1);
	bool sawRed = false, sawGrey = false;
	const double end = u_timeGet() + 1.2;
	while (u_timeGet() < end) {
		m_ui->timerCallback();
		sawRed |= m_ui->m_waitButton->color() == 88;
		sawGrey |= m_ui->m_waitButton->color() == FL_BACKGROUND_COLOR;
		Fl::wait(0.05);
	}
	EXPECT_TRUE(sawRed && sawGrey);
	g_state->setInputWaitState(0);
	// an object that runs the event loop in its update, as a modal dialog
	// does, lets the timer fire within the tick: that tick only re-arms
	p->m_pumpEvents = true;
	p->m_updates = 0;
	const double until = u_timeGet() + 1.0;
	while (u_timeGet() < until) Fl::wait(0.05);
	EXPECT_GT(p->m_updates, 2);
	EXPECT_EQ(p->m_maxDepth, 1);
}

} // namespace
