#include "ui/uilabel.h"

#include <FL/Fl_Output.H>

Fl_Output *uiLabel(int x, int y, int w, int h, const char *text)
{
	Fl_Output *o = new Fl_Output(x, y, w, h);
	o->value(text);
	o->box(FL_FLAT_BOX);
	o->color(FL_BACKGROUND_COLOR);
	o->clear_visible_focus();
	return o;
}
