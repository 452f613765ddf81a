#include "scene/drawmethodmenus.h"

#include <cstdint>

#include "draw/draw.h"
#include "scene/gadraw.h"
#include "scene/gaobject.h"

namespace {

// The user data of a method's item: its number.
inline void *methodData(int method) { return reinterpret_cast<void *>(static_cast<intptr_t>(method)); }

} // namespace

// The items of each list of methods, shared by the models whose objects
// offer it; every model keeps menus of its own, since the object panel sets
// their callbacks and an object's menu tells its model's kinds apart.
#define METHOD_ITEM(label, method) {label, 0, nullptr, methodData(method), 0, 0, 0, 0, 0}
#define END_OF_METHODS {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0}
#define BIVECTOR_METHODS                                                                                               \
	METHOD_ITEM("Circle", DRAW_BV_CIRCLE), METHOD_ITEM("Parallelogram", DRAW_BV_PARALLELOGRAM),                        \
	    METHOD_ITEM("Parallelogram w.o. vectors", DRAW_BV_PARALLELOGRAM_NO_VECTORS),                                  \
	    METHOD_ITEM("Cross", DRAW_BV_CROSS), METHOD_ITEM("Curly tail", DRAW_BV_CURLY_TAIL),                            \
	    METHOD_ITEM("Swirl", DRAW_BV_SWIRL)
#define TRIVECTOR_METHODS                                                                                              \
	METHOD_ITEM("Sphere", DRAW_TV_SPHERE), METHOD_ITEM("Cross", DRAW_TV_CROSS),                                        \
	    METHOD_ITEM("Curly tail", DRAW_TV_CURLY_TAIL)
#define LINE_METHODS                                                                                                   \
	METHOD_ITEM("Curve", DRAW_LINE_CURVE), METHOD_ITEM("Curly tail", DRAW_LINE_CURLY_TAIL),                            \
	    METHOD_ITEM("Hooks", DRAW_LINE_HOOKS), METHOD_ITEM("Hooked crosses", DRAW_LINE_HOOKED_CROSSES)

Fl_Menu_Item gui_e3gaBivectorDrawMethods[] = {BIVECTOR_METHODS, END_OF_METHODS};
// e3ga trivectors carry their edge vectors: they offer the parallelepipeds too
Fl_Menu_Item gui_e3gaTrivectorDrawMethods[] = {
    TRIVECTOR_METHODS,
    METHOD_ITEM("Parallelepiped", DRAW_TV_PARALLELEPIPED),
    METHOD_ITEM("Parallelepiped w.o. vectors", DRAW_TV_PARALLELEPIPED_NO_VECTORS),
    END_OF_METHODS,
};

Fl_Menu_Item gui_p3gaBivectorDrawMethods[] = {BIVECTOR_METHODS, END_OF_METHODS};
Fl_Menu_Item gui_p3gaTrivectorDrawMethods[] = {TRIVECTOR_METHODS, END_OF_METHODS};
Fl_Menu_Item gui_p3gaLineDrawMethods[] = {LINE_METHODS, END_OF_METHODS};

Fl_Menu_Item gui_c3gaBivectorDrawMethods[] = {BIVECTOR_METHODS, END_OF_METHODS};
Fl_Menu_Item gui_c3gaTrivectorDrawMethods[] = {TRIVECTOR_METHODS, END_OF_METHODS};
Fl_Menu_Item gui_c3gaLineDrawMethods[] = {LINE_METHODS, END_OF_METHODS};
Fl_Menu_Item gui_c3gaPointPairDrawMethods[] = {
    METHOD_ITEM("Two points, connected when ori is on", DRAW_PP_CONNECTED_WHEN_ORI),
    METHOD_ITEM("Two points, connected", DRAW_PP_CONNECTED),
    METHOD_ITEM("Two points", DRAW_PP_POINTS),
    METHOD_ITEM("Line segment", DRAW_PP_SEGMENT),
    END_OF_METHODS,
};

const Fl_Menu_Item *gaObjectKind<e3ga>::menuOf(gaDrawMethodList list)
{
	switch (list) {
	case DML_BIVECTOR: return gui_e3gaBivectorDrawMethods;
	case DML_TRIVECTOR: return gui_e3gaTrivectorDrawMethods;
	default: return nullptr;
	}
}

const Fl_Menu_Item *gaObjectKind<p3ga>::menuOf(gaDrawMethodList list)
{
	switch (list) {
	case DML_BIVECTOR: return gui_p3gaBivectorDrawMethods;
	case DML_TRIVECTOR: return gui_p3gaTrivectorDrawMethods;
	case DML_LINE: return gui_p3gaLineDrawMethods;
	default: return nullptr;
	}
}

const Fl_Menu_Item *gaObjectKind<c3ga>::menuOf(gaDrawMethodList list)
{
	switch (list) {
	case DML_BIVECTOR: return gui_c3gaBivectorDrawMethods;
	case DML_TRIVECTOR: return gui_c3gaTrivectorDrawMethods;
	case DML_LINE: return gui_c3gaLineDrawMethods;
	case DML_POINT_PAIR: return gui_c3gaPointPairDrawMethods;
	default: return nullptr;
	}
}
