// The user-interface state's life and its drawing sizes, console font size
// and status line.
#include "ui/ui.h"

#include <FL/Fl.H>
#include <FL/Fl_Output.H>

#include <string>

#include "console/fl_console.h"
#include "ui/dynstmtwindow.h"
#include "ui/screenshotdialog.h"
#include "ui/selectwindow.h"
#include "view/glwindow.h"
#include "ui/mainwindow.h"
#include "os/osdep.h"
#include "state/state.h"
#include "ui/uimenu.h"

UIstate *gui_state = nullptr;

UIstate::UIstate()
{
	m_tubeDraw.setLineWidth(sc_defaultLineWidth);
	m_tubeDraw.setUseOpenGL(false);
	m_tubeDraw.setNbSegments(sc_tubeSides);
	initToNothing();
}

UIstate::~UIstate()
{
	// no tick may run for a user interface that is gone
	if (m_mainWindow != nullptr) Fl::remove_timeout(ui_timerCallback, nullptr);
	// the console controls' widgets live in the scalar panel: the controls
	// go before it, and with them every widget waiting to be deleted
	if (m_mainWindow != nullptr && g_state != nullptr) {
		g_state->removeAllConsoleControls();
		Fl::do_widget_deletion();
	}
	// the dialogs still open go with the user interface they act on
	delete m_selectWindow;
	delete m_dynStmtWindow;
	delete m_screenShotDialog;
	delete m_mainWindow;
	initToNothing();
	// no one may reach a user interface that is gone
	if (gui_state == this) gui_state = nullptr;
}

void UIstate::initToNothing()
{
	forgetWidgets();
	m_prevGeoFile.clear();
	m_prevGPLFile.clear();
	m_prevGFile.clear();
	m_prevAnyFile.clear();
	m_pointSize = sc_defaultPointSize;
	m_textScale = sc_defaultTextScale;
	m_vectorHeadSize = sc_defaultVectorHeadSize;
	m_consoleVisible = 0;
	m_scalarGroupVisible = 0;
	m_controlGroupVisible = 0;
	m_fsLastMouseActionTime = -1.0;
	m_fullscreen = 0;
	m_cursor = -1;
	m_alwaysObjectDescriptionInStatusBar = true;
	m_currentObject = nullptr;
	m_selectWindow = nullptr;
	m_dynStmtWindow = nullptr;
	m_screenShotDialog = nullptr;
	m_screenShotOnNextRedraw = 0;
	m_ssFilename.clear();
	m_ssWidth = 0;
	m_ssHeight = 0;
	m_ssAlsoNoLabels = false;
}

void UIstate::forgetWidgets()
{
	m_mainWindow = nullptr;
	m_menubar = nullptr;
	m_glWindow = nullptr;
	m_consoleGroup = nullptr;
	m_console = nullptr;
	m_scalarGroup = nullptr;
	m_scalarGroupScroll = nullptr;
	m_controlGroup = nullptr;
	m_nameLabel = m_nameOutput = nullptr;
	m_removeButton = m_hideButton = nullptr;
	m_fgColorButton = m_bgColorButton = m_olColorButton = nullptr;
	m_fgAlphaLabel = m_bgAlphaLabel = m_olAlphaLabel = nullptr;
	m_fgAlphaSlider = m_bgAlphaSlider = m_olAlphaSlider = nullptr;
	m_fontSizeLabel = nullptr;
	m_fontSizeSlider = nullptr;
	m_descriptionLabel = nullptr;
	m_descriptionOutput = nullptr;
	m_drawMethodLabel = nullptr;
	m_drawMethodMenu = nullptr;
	m_dmStippleButton = m_dmOriButton = m_dmWireframeButton = m_dmShadeButton = m_dmMagnitudeButton = nullptr;
	m_statusOutput = nullptr;
	m_waitButton = nullptr;
}

int UIstate::setPointSize(double size)
{
	m_pointSize = size;
	return 0;
}

int UIstate::setPointSizeFromMenu(int code)
{
	switch (code) {
	case MC_POINT_SIZE_001: return setPointSize(0.01);
	case MC_POINT_SIZE_005: return setPointSize(0.05);
	case MC_POINT_SIZE_05: return setPointSize(0.5);
	default: return setPointSize(sc_defaultPointSize);
	}
}

int UIstate::setTextScale(double scale)
{
	if (scale == m_textScale) return 0;
	m_textScale = scale;
	if (g_state != nullptr) g_state->textScaleChanged();
	return 0;
}

int UIstate::setLineWidth(double width)
{
	m_tubeDraw.setLineWidth(width);
	return 0;
}

int UIstate::setLineWidthFromMenu(int code)
{
	switch (code) {
	case MC_LINE_WIDTH_2: return setLineWidth(2.0);
	case MC_LINE_WIDTH_4: return setLineWidth(4.0);
	case MC_LINE_WIDTH_8: return setLineWidth(8.0);
	default: return setLineWidth(1.0);
	}
}

int UIstate::setVectorHeadSize(double size)
{
	m_vectorHeadSize = size;
	return 0;
}

int UIstate::setConsoleFontSize(int size)
{
	if (size < sc_minConsoleFontSize || size > sc_maxConsoleFontSize) {
		cprintf("UIstate::setConsoleFontSize(): invalid font size '%d' (min: %d, max: %d)\n", size,
		        sc_minConsoleFontSize, sc_maxConsoleFontSize);
		return -1;
	}
	if (m_console == nullptr) return 0;
	m_console->textsize(size);
	// the editor measures its lines again at a new size
	m_console->resize(m_console->x(), m_console->y(), m_console->w(), m_console->h());
	m_console->redraw();
	return 0;
}

int UIstate::setConsoleFontSizeFromMenu(int code)
{
	switch (code) {
	case MC_CONSOLE_FONT_12: return setConsoleFontSize(12);
	case MC_CONSOLE_FONT_16: return setConsoleFontSize(16);
	case MC_CONSOLE_FONT_20: return setConsoleFontSize(20);
	case MC_CONSOLE_FONT_24: return setConsoleFontSize(24);
	default: return -1;
	}
}

int UIstate::setStatus(const char *text)
{
	if (m_statusOutput == nullptr) return 0;
	// the status line is one line: a line end (a label's description has
	// one) or any other control character shows as a blank, not as "^J"
	std::string line = text != nullptr ? text : "";
	for (char &c : line)
		if (static_cast<unsigned char>(c) < ' ') c = ' ';
	// the output copies the text
	m_statusOutput->value(line.c_str());
	return 0;
}

int UIstate::mouseMove()
{
	m_fsLastMouseActionTime = u_timeGet();
	return 0;
}

void uiRedrawView()
{
	if (gui_state != nullptr && gui_state->m_glWindow != nullptr) gui_state->m_glWindow->redraw();
}
