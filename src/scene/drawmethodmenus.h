#pragma once
// The draw-method menus of the scene objects: one menu item per method, in
// method order, each item's user data its method number.  The object panel
// shows the menu of the current object and sets the item callbacks.
#include <FL/Fl_Menu_Item.H>

extern Fl_Menu_Item gui_e3gaBivectorDrawMethods[];
extern Fl_Menu_Item gui_e3gaTrivectorDrawMethods[];
extern Fl_Menu_Item gui_p3gaBivectorDrawMethods[];
extern Fl_Menu_Item gui_p3gaTrivectorDrawMethods[];
extern Fl_Menu_Item gui_p3gaLineDrawMethods[];
extern Fl_Menu_Item gui_c3gaBivectorDrawMethods[];
extern Fl_Menu_Item gui_c3gaTrivectorDrawMethods[];
extern Fl_Menu_Item gui_c3gaLineDrawMethods[];
extern Fl_Menu_Item gui_c3gaPointPairDrawMethods[];
