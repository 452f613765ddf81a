#include "drawmethodmenus.h"

#include <cstdint>

#include "draw.h"
#include "gaobject.h"

namespace {

// The user data of a method's item: its number.
inline void *methodData(int method) { return reinterpret_cast<void *>(static_cast<intptr_t>(method)); }

} // namespace

Fl_Menu_Item gui_e3gaBivectorDrawMethods[] = {
    {"Circle", 0, nullptr, methodData(DRAW_BV_CIRCLE), 0, 0, 0, 0, 0},
    {"Parallelogram", 0, nullptr, methodData(DRAW_BV_PARALLELOGRAM), 0, 0, 0, 0, 0},
    {"Parallelogram w.o. vectors", 0, nullptr, methodData(DRAW_BV_PARALLELOGRAM_NO_VECTORS), 0, 0, 0, 0, 0},
    {"Cross", 0, nullptr, methodData(DRAW_BV_CROSS), 0, 0, 0, 0, 0},
    {"Curly tail", 0, nullptr, methodData(DRAW_BV_CURLY_TAIL), 0, 0, 0, 0, 0},
    {"Swirl", 0, nullptr, methodData(DRAW_BV_SWIRL), 0, 0, 0, 0, 0},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
};

Fl_Menu_Item gui_e3gaTrivectorDrawMethods[] = {
    {"Sphere", 0, nullptr, methodData(DRAW_TV_SPHERE), 0, 0, 0, 0, 0},
    {"Cross", 0, nullptr, methodData(DRAW_TV_CROSS), 0, 0, 0, 0, 0},
    {"Curly tail", 0, nullptr, methodData(DRAW_TV_CURLY_TAIL), 0, 0, 0, 0, 0},
    {"Parallelepiped", 0, nullptr, methodData(DRAW_TV_PARALLELEPIPED), 0, 0, 0, 0, 0},
    {"Parallelepiped w.o. vectors", 0, nullptr, methodData(DRAW_TV_PARALLELEPIPED_NO_VECTORS), 0, 0, 0, 0, 0},
    {nullptr, 0, nullptr, nullptr, 0, 0, 0, 0, 0},
};

const Fl_Menu_Item *gaObjectKind<e3ga>::menuOf(gaDrawMethodList list)
{
	switch (list) {
	case DML_BIVECTOR: return gui_e3gaBivectorDrawMethods;
	case DML_TRIVECTOR: return gui_e3gaTrivectorDrawMethods;
	default: return nullptr;
	}
}
