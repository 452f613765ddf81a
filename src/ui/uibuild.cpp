// Building the main window: menu bar, view, console, status line, object
// panel and scalar-controls panel, laid out and shown, and the timer armed.
#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Menu_Button.H>
#include <FL/Fl_Multiline_Output.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Scroll.H>
#include <FL/Fl_Value_Slider.H>
#include <FL/Fl_Window.H>

#include <string>

#include "console/console.h"
#include "console/consolewindow.h"
#include "console/fl_console.h"
#include "view/glwindow.h"
#include "ui/copyableoutput.h"
#include "ui/keyboardreturn.h"
#include "ui/mainwindow.h"
#include "ui/pastereader.h"
#include "ui/pasterequests.h"
#include "state/state.h"
#include "ui/ui.h"
#include "ui/uilabel.h"
#include "ui/uimenu.h"
#include "ui/version.h"
#include "ui/widetextdriver.h"

namespace {

// Geometry of a new main window and of its parts, in pixels; the layout
// (mainWindow::resize) places them from then on.
constexpr int sc_windowWidth = 1024, sc_windowHeight = 700;
constexpr int sc_viewWidth = 724, sc_viewHeight = 445;
constexpr int sc_menuHeight = 29, sc_top = 30;
constexpr int sc_consoleHeight = 200;
// the console widget's margin inside its window
constexpr int sc_consoleInset = 3;
constexpr int sc_statusHeight = 25, sc_waitButtonWidth = 75;
constexpr int sc_panelWidth = 300;

// Widths within the object panel: a row's full width, the width of a label
// in front of a slider, and where that slider starts.
constexpr int sc_rowX = 5, sc_rowWidth = 290, sc_rowHeight = 20;
constexpr int sc_sliderLabelWidth = 70, sc_sliderX = 80, sc_sliderWidth = 215;
constexpr int sc_checkWidth = 200;
constexpr int sc_descriptionHeight = 95;
// the greatest font size the panel's slider offers
constexpr double sc_maxFontSize = 100.0;

// The credits printed under the product's name when the console opens.
const char *const c_bannerCredits = "An interactive calculator and viewer for geometric algebra,\n"
                                    "written by the Korimbel authors.\n";
const char *const c_bannerLastLine = "Type 'help()' for help on console functions.\n";

// A horizontal slider that reports while dragged and on release.
Fl_Value_Slider *panelSlider(int y, double maximum, double step)
{
	Fl_Value_Slider *s = new Fl_Value_Slider(sc_sliderX, y, sc_sliderWidth, sc_rowHeight);
	s->type(FL_HOR_SLIDER);
	s->range(0.0, maximum);
	s->step(step);
	s->when(FL_WHEN_CHANGED | FL_WHEN_RELEASE);
	s->callback(ui_controlCallback);
	return s;
}

Fl_Button *panelButton(int y, const char *label)
{
	Fl_Button *b = new Fl_Button(sc_rowX, y, sc_rowWidth, sc_rowHeight, label);
	b->callback(ui_controlCallback);
	return b;
}

Fl_Check_Button *panelCheck(int y, const char *label)
{
	Fl_Check_Button *b = new Fl_Check_Button(sc_rowX, y, sc_checkWidth, sc_rowHeight, label);
	b->callback(ui_controlCallback);
	return b;
}

// w and every widget in it take no keyboard focus when clicked, so that
// they never keep what is typed from the command line.
void keepNoKeyboard(Fl_Widget *w)
{
	w->clear_visible_focus();
	Fl_Group *g = w->as_group();
	for (int i = 0; g != nullptr && i < g->children(); i++) keepNoKeyboard(g->child(i));
}

// Ends an input wait when the user enters a line: the console takes Enter
// before the main window could.
void endWaitOnEnter(const char *, void *)
{
	if (g_state == nullptr || !g_state->m_inputWait) return;
	g_state->setInputWaitState(0);
	if (gui_state != nullptr && gui_state->m_waitButton != nullptr) gui_state->m_waitButton->redraw();
}

} // namespace

UIstate::UIstate(int argc, char **argv)
{
	// 1. the tube renderer, nothing built yet, every panel visible
	m_tubeDraw.setLineWidth(sc_defaultLineWidth);
	m_tubeDraw.setUseOpenGL(false);
	m_tubeDraw.setNbSegments(sc_tubeSides);
	initToNothing();
	m_consoleVisible = m_controlGroupVisible = m_scalarGroupVisible = 1;

	// 2. the main window, titled by the product's name alone; every window
	// draws lines of any width
	useWideTextDriver();
	m_mainWindow = new mainWindow(this, sc_windowWidth, sc_windowHeight);
	m_mainWindow->setTitle("");
	m_mainWindow->setSizeRange();

	// 3. the menu bar, whose shortcuts work wherever the focus is
	m_menubar = new Fl_Menu_Bar(0, 0, sc_windowWidth, sc_menuHeight);
	m_menubar->menu(gui_menuTable);
	m_menubar->global();

	// 4. the view
	m_glWindow = new glwindow(0, sc_top, sc_viewWidth, sc_viewHeight, "OpenGL window");

	// 5. to 8.
	buildConsole();
	buildStatusLine();
	buildControlPanel();
	buildScalarPanel();
	// no resizable child: the window's own layout places every part, and the
	// console keeps its height through changes of the window's size
	m_mainWindow->resizable(nullptr);
	m_mainWindow->end();

	// 9. no object yet, the version in the status line, laid out from the
	// start (the scalar panel too), shown, and the timer armed
	setCurrentObject(nullptr);
	setStatus((std::string(sc_productName) + " " + sc_version).c_str());
	m_mainWindow->resize(m_mainWindow->x(), m_mainWindow->y(), m_mainWindow->w(), m_mainWindow->h());
	m_mainWindow->show(argc, argv);
	// long pastes from other programs are read by the program itself, one
	// at a time, and only a text that has come changes a field
	installPasteReader();
	installPasteRequests();
	// typing goes to the command line, and comes back to it after dialogs
	m_console->take_focus();
	installKeyboardReturn();
	Fl::add_timeout(sc_tickPeriod, ui_timerCallback, nullptr);
}

void UIstate::buildConsole()
{
	const int y = sc_top + sc_viewHeight;
	m_consoleGroup = new consoleWindow(0, y, sc_viewWidth, sc_consoleHeight);
	m_console = new Fl_Console(sc_consoleInset, sc_consoleInset, sc_viewWidth - 2 * sc_consoleInset,
	                           sc_consoleHeight - 2 * sc_consoleInset);
	m_consoleGroup->resizable(m_console);
	m_consoleGroup->end();
	// the banner starts below the first prompt
	const std::string banner =
	    "\n" + std::string(sc_productName) + " " + sc_version + "\n" + c_bannerCredits + c_bannerLastLine;
	m_console->cprint(banner.c_str(), 0);
	// Enter ends a wait first; then the line runs
	m_console->add_command_callback(endWaitOnEnter, nullptr);
	m_console->add_command_callback(g_consoleCommandCallback, g_state);
}

void UIstate::buildStatusLine()
{
	const int y = sc_windowHeight - sc_statusHeight;
	m_statusOutput = new copyableOutput<Fl_Output>(0, y, sc_windowWidth - sc_waitButtonWidth, sc_statusHeight);
	m_statusOutput->color(FL_BACKGROUND_COLOR);
	m_statusOutput->box(FL_THIN_DOWN_BOX);
	m_waitButton = new Fl_Button(sc_windowWidth - sc_waitButtonWidth, y, sc_waitButtonWidth, sc_statusHeight, "pause");
	m_waitButton->callback(ui_statusCallback);
	// pressed, it leaves the keyboard with the command line: Space typed
	// next is not a second press
	m_waitButton->clear_visible_focus();
}

void UIstate::buildControlPanel()
{
	m_controlGroup = new Fl_Window(sc_viewWidth, sc_top, sc_panelWidth, sc_viewHeight);
	// the controls keep their places whatever the panel's height
	m_controlGroup->resizable(nullptr);
	int y = 5;
	m_nameLabel = uiLabel(sc_rowX, y, 55, 25, "name: ");
	m_nameOutput = new copyableOutput<Fl_Output>(65, y, 230, 25);
	y += 30;
	m_removeButton = panelButton(y, "remove this object");
	m_hideButton = panelButton(y += 25, "hide this object");
	y += 35;
	// foreground, background and outline: a button, then the alpha below it
	Fl_Button **buttons[3] = {&m_fgColorButton, &m_bgColorButton, &m_olColorButton};
	Fl_Output **labels[3] = {&m_fgAlphaLabel, &m_bgAlphaLabel, &m_olAlphaLabel};
	Fl_Value_Slider **sliders[3] = {&m_fgAlphaSlider, &m_bgAlphaSlider, &m_olAlphaSlider};
	const char *const colorLabels[3] = {"set foreground color", "set background color", "set outline color"};
	for (int i = 0; i < 3; i++, y += 60) {
		*buttons[i] = panelButton(y, colorLabels[i]);
		*labels[i] = uiLabel(sc_rowX, y + 25, sc_sliderLabelWidth, sc_rowHeight, "alpha: ");
		*sliders[i] = panelSlider(y + 25, 1.0, 0.01);
	}
	m_fontSizeLabel = uiLabel(sc_rowX, y, sc_sliderLabelWidth, sc_rowHeight, "font size: ");
	m_fontSizeSlider = panelSlider(y, sc_maxFontSize, 0.5);
	y += 35;
	m_dmStippleButton = panelCheck(y, "draw stipple");
	m_dmOriButton = panelCheck(y + 25, "draw orientation");
	m_dmWireframeButton = panelCheck(y + 50, "draw wireframe");
	m_dmShadeButton = panelCheck(y + 75, "draw shade");
	m_dmMagnitudeButton = panelCheck(y + 100, "draw weight");
	y += 135;
	m_drawMethodLabel = uiLabel(sc_rowX, y, sc_rowWidth, sc_rowHeight, "draw method:");
	m_drawMethodMenu = new Fl_Menu_Button(sc_rowX, y + 25, sc_rowWidth, sc_rowHeight);
	m_drawMethodMenu->callback(ui_drawMethodMenuCallback);
	y += 60;
	m_descriptionLabel = uiLabel(sc_rowX, y, sc_rowWidth, sc_rowHeight, "object description:");
	m_descriptionOutput = new copyableOutput<Fl_Multiline_Output>(sc_rowX, y + 25, sc_rowWidth, sc_descriptionHeight);
	m_descriptionOutput->color(FL_WHITE);
	m_controlGroup->end();
	// a click into the panel works, and typing still goes to the command
	// line; the name and the description take the keyboard for the copy
	// keys alone
	keepNoKeyboard(m_controlGroup);
	m_nameOutput->set_visible_focus();
	m_descriptionOutput->set_visible_focus();
}

void UIstate::buildScalarPanel()
{
	m_scalarGroup = new Fl_Window(sc_viewWidth, sc_viewHeight, sc_panelWidth, sc_consoleHeight);
	m_scalarGroupScroll = new Fl_Scroll(0, 0, sc_panelWidth, sc_consoleHeight);
	m_scalarGroupScroll->end();
	// the controls that go into the scroll area keep no keyboard either
	keepNoKeyboard(m_scalarGroupScroll);
	m_scalarGroup->resizable(m_scalarGroupScroll);
	m_scalarGroup->end();
}
