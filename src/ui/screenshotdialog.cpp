#include "ui/screenshotdialog.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Int_Input.H>
#include <FL/Fl_Output.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "ui/uilabel.h"
#include "ui/filechooser.h"
#include "view/glwindow.h"
#include "state/state.h"
#include "ui/ui.h"

namespace {

// The file name offered before any screenshot was requested.
const char *const c_defaultFilename = "default.png";

// The layout: the margin at the window's edges and between widgets, the
// row height, the browse button's width, the size inputs' width and the gap
// after them.
constexpr int sc_margin = 5;
constexpr int sc_rowHeight = 25;
constexpr int sc_browseWidth = 30;
constexpr int sc_sizeInputWidth = 100;
constexpr int sc_afterSizeInput = 20;
// an input's text stands this far inside its box on either side
constexpr int sc_textMargin = 3;

// The width of a label column that shows each of texts whole, in the
// labels' font.
int labelColumnWidth(std::initializer_list<const char *> texts)
{
	fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
	int widest = 0;
	for (const char *text : texts) widest = std::max(widest, static_cast<int>(std::ceil(fl_width(text))));
	return widest + 2 * sc_textMargin;
}

// The number in a size field, held within the range of an int: a number too
// large for one is then refused as too large, not read as another size.
int sizeIn(const Fl_Int_Input *input)
{
	const long long v = std::strtoll(input->value(), nullptr, 10);
	return (int)std::clamp(v, (long long)INT_MIN, (long long)INT_MAX);
}

} // namespace

screenShotDialog::screenShotDialog(int x, int y, int w, int h, const char *label) : Fl_Window(x, y, w, h, label)
{
	initToNothing();
	setupWidgets();
}

screenShotDialog::screenShotDialog(int w, int h, const char *label) : Fl_Window(w, h, label)
{
	initToNothing();
	setupWidgets();
}

screenShotDialog::~screenShotDialog()
{
	if (gui_state != nullptr && gui_state->m_screenShotDialog == this) gui_state->m_screenShotDialog = nullptr;
	initToNothing();
}

void screenShotDialog::initToNothing()
{
	m_storeLabel = m_widthLabel = m_heightLabel = nullptr;
	m_browseButton = m_OKButton = m_cancelButton = nullptr;
	m_filenameInput = nullptr;
	m_widthInput = m_heightInput = nullptr;
	m_noLabelsCheckButton = nullptr;
	wi[0] = hi[0] = '\0';
}

int screenShotDialog::setupWidgets()
{
	if (gui_state == nullptr || g_state == nullptr) return -1;
	begin();
	// the label column shows its texts whole, the inputs stand beside it
	const char *const filenameText = "filename: ", *const widthText = "width: ", *const heightText = "height: ";
	const int labelWidth = labelColumnWidth({filenameText, widthText, heightText});
	const int inputX = sc_margin + labelWidth + sc_margin;
	const int browseX = w() - sc_margin - sc_browseWidth;
	m_storeLabel = uiLabel(sc_margin, 5, labelWidth, sc_rowHeight, filenameText);
	m_filenameInput = new Fl_Input(inputX, 5, browseX - sc_margin - inputX, sc_rowHeight);
	m_browseButton = new Fl_Button(browseX, 5, sc_browseWidth, sc_rowHeight, "...");
	m_widthLabel = uiLabel(sc_margin, 40, labelWidth, sc_rowHeight, widthText);
	m_widthInput = new Fl_Int_Input(inputX, 40, sc_sizeInputWidth, sc_rowHeight);
	m_noLabelsCheckButton = new Fl_Check_Button(inputX + sc_sizeInputWidth + sc_afterSizeInput, 40, 300, sc_rowHeight,
	                                            "Render second screenshot without labels");
	m_heightLabel = uiLabel(sc_margin, 70, labelWidth, sc_rowHeight, heightText);
	m_heightInput = new Fl_Int_Input(inputX, 70, sc_sizeInputWidth, sc_rowHeight);
	m_OKButton = new Fl_Button(5, 105, 100, 25, "OK");
	m_cancelButton = new Fl_Button(115, 105, 100, 25, "Cancel");
	end();
	for (Fl_Widget *w : {(Fl_Widget *)m_browseButton, (Fl_Widget *)m_widthInput, (Fl_Widget *)m_heightInput,
	                     (Fl_Widget *)m_noLabelsCheckButton, (Fl_Widget *)m_OKButton, (Fl_Widget *)m_cancelButton})
		w->callback(ssd_callback);
	// closed by the window system or Escape: as Cancel
	Fl_Widget::callback(ssd_callback);

	// the view's size, or the previous request
	const glwindow *view = gui_state->m_glWindow;
	int width = view != nullptr ? view->w() : 0, height = view != nullptr ? view->h() : 0;
	std::string filename = c_defaultFilename;
	if (!gui_state->m_ssFilename.empty()) {
		filename = gui_state->m_ssFilename;
		width = gui_state->m_ssWidth;
		height = gui_state->m_ssHeight;
	}
	std::snprintf(wi, sizeof wi, "%d", width);
	std::snprintf(hi, sizeof hi, "%d", height);
	m_filenameInput->value(filename.c_str());
	m_widthInput->value(wi);
	m_heightInput->value(hi);
	m_noLabelsCheckButton->value(gui_state->m_ssAlsoNoLabels ? 1 : 0);
	return 0;
}

void screenShotDialog::close()
{
	hide();
	Fl::delete_widget(this);
	if (gui_state != nullptr && gui_state->m_screenShotDialog == this) gui_state->m_screenShotDialog = nullptr;
}

void screenShotDialog::callback(Fl_Widget *w)
{
	if (w == m_OKButton) {
		const std::string filename = m_filenameInput->value();
		const int width = sizeIn(m_widthInput);
		const int height = sizeIn(m_heightInput);
		const bool alsoNoLabels = m_noLabelsCheckButton->value() != 0;
		close();
		// an image there is the user's too: replaced only when the user says so
		if (gui_state != nullptr) gui_state->setupScreenshot(filename, width, height, alsoNoLabels, true);
	} else if (w == m_cancelButton || w == this) {
		close();
	} else if (w == m_browseButton) {
		browse();
	} else if (w == m_widthInput || w == m_heightInput) {
		// sizes are never negative
		Fl_Int_Input *input = static_cast<Fl_Int_Input *>(w);
		if (sizeIn(input) < 0) input->value("0");
	}
}

int screenShotDialog::browse()
{
	const char *name = askForFile("Save screenshot (.png):", "*.png", m_filenameInput->value());
	if (name != nullptr) m_filenameInput->value(name);
	return 0;
}

void ssd_callback(Fl_Widget *w, void *)
{
	if (gui_state == nullptr || w == nullptr) return;
	// the dialog the widget belongs to (or the dialog itself)
	screenShotDialog *dialog = dynamic_cast<screenShotDialog *>(w->as_window() != nullptr ? w : w->window());
	if (dialog != nullptr) dialog->callback(w);
}
