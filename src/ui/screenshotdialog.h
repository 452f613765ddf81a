#pragma once
// screenShotDialog: asks for a screenshot's file, its size and whether a
// second file without labels is written, then requests the shot from the
// user interface (UIstate::setupScreenshot).  It deletes itself when it is
// done and clears the user interface's pointer to it.
#include <FL/Fl_Window.H>

class Fl_Button;
class Fl_Check_Button;
class Fl_Input;
class Fl_Int_Input;
class Fl_Output;

class screenShotDialog : public Fl_Window {
public:
	screenShotDialog(int x, int y, int w, int h, const char *label);
	screenShotDialog(int w, int h, const char *label);
	~screenShotDialog() override;

	void initToNothing();
	// The widgets, with the view's size or the previous request in them;
	// -1 without a user interface or application state.
	int setupWidgets();
	// A widget of the dialog was used.
	void callback(Fl_Widget *w);
	// The file chooser for the file name.
	int browse();

	// --- fields, in this order
	Fl_Output *m_storeLabel;
	Fl_Button *m_browseButton;
	Fl_Input *m_filenameInput;
	Fl_Output *m_widthLabel;
	Fl_Int_Input *m_widthInput;
	Fl_Check_Button *m_noLabelsCheckButton;
	Fl_Output *m_heightLabel;
	Fl_Int_Input *m_heightInput;
	Fl_Button *m_OKButton;
	Fl_Button *m_cancelButton;
	// the width and height as first shown
	static constexpr int sc_numberTextSize = 16;
	char wi[sc_numberTextSize];
	char hi[sc_numberTextSize];

private:
	// Hides the dialog, which the toolkit deletes once no callback of it
	// runs, and forgets it in the user interface.
	void close();
};

// The toolkit callback of the dialog's widgets.
void ssd_callback(Fl_Widget *w, void *data);
