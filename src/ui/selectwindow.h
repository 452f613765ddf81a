#pragma once
// selectWindow: a list of scene objects to pick from.  Mode 1 lists the
// hidden objects and selects the one clicked; mode 2 lists every object and
// selects the one clicked; mode 3 lists the hidden objects and shows (or
// hides again) each one clicked, staying open.  The program's own variables
// (DM_INTERNAL) are never offered as hidden objects.  The window keeps the
// objects' names, not the objects: a script may remove an object while the
// window is open, and a click then finds nothing.
#include <FL/Fl_Window.H>

#include <string>
#include <vector>

class Fl_Button;
class object;

class selectWindow : public Fl_Window {
public:
	selectWindow(int mode, int x, int y, int w, int h, const char *label);
	selectWindow(int mode, int w, int h, const char *label);
	~selectWindow() override;

	void initToNothing();
	// One button (mode 1) or check button per object listed, and the close
	// button.
	int setupWidgets();
	// Whether mode lists obj.
	static bool lists(int mode, const object *obj);
	// The number of objects of the state that mode lists.
	static int countListed(int mode);

	// A click on the entry of index i (-1: the close button).
	void clicked(int i);

	// The button that takes the keyboard when the window opens: close, so
	// that a Space typed by habit neither picks nor shows an object.
	Fl_Button *openingFocus() const { return m_close; }

	// --- fields: the mode, the names listed, in the state's order, and the
	// close button
	int m_mode;
	std::vector<std::string> m_objectNames;
	Fl_Button *m_close;

	// the mode's values
	static constexpr int SELECT_HIDDEN = 1;
	static constexpr int SELECT_ANY = 2;
	static constexpr int SHOW_HIDDEN = 3;

private:
	// Hides the window, which the toolkit deletes once no callback of it
	// runs, and forgets it in the user interface.
	void close();
};

// The toolkit callback of the window's buttons: data is the entry's index,
// -1 for the close button.
void selectWindowCallback(Fl_Widget *w, void *data);
