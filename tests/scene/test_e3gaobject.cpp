// e3ga scene objects without a view: what they say about themselves, the
// draw-method menus of their kinds, how dragging changes a magnitude, and
// the shared spheres and drawing sizes their drawing reads.
#include <gtest/gtest.h>

#include <FL/Fl_Menu_Item.H>

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

#include "scene/drawmethodmenus.h"
#include "scene/gaobject.h"
#include "draw/geosphere.h"
#include "state/state.h"
#include "support/descriptioncheck.h"
#include "ui/ui.h"

namespace {

class e3gaObjects : public testing::Test {
protected:
	state m_state;
	const e3ga e1 = e3gai::e1, e2 = e3gai::e2, e3 = e3gai::e3, e12 = e1 ^ e2;
};

TEST_F(e3gaObjects, DescriptionsOfEveryKind)
{
	const struct row {
		e3ga value;
		int creationFlags;
		descriptionCase d;
	} rows[] = {
	    {e3ga(2.5), 0, "x: e3ga scalar, magnitude: 2.500000", "e3ga scalar\nMagnitude: 2.500000\nCoordinates: 2.50"},
	    {gp(3.0, e2), 0, "x: e3ga vector",
	     "e3ga vector\nMagnitude: 3.000000\nDirection: 0.00 1.00 0.00\nCoordinates: 3.00*e2"},
	    {gp(2.0, e12), 0, "x: e3ga bivector",
	     "e3ga bivector\nMagnitude: 2.000000\nNormal: 0.00 0.00 1.00\nCoordinates: 2.00*e1^e2"},
	    {gp(-0.5, op(e12, e3)), 0, "x: e3ga trivector",
	     "e3ga trivector\nMagnitude: -0.500000\nCoordinates: -0.50*e1^e2^e3"},
	    {gp(-0.5, e12).exp(20), 0, "x: e3ga rotor",
	     "e3ga rotor\nAngle: 1.000000\nMagnitude: 1.000000\nNormal: 0.00 0.00 -1.00\nCoordinates: 0.88 + -0.48*e1^e2"},
	    {gp(gp(e1, e1 + e2), e3), 0, "x: unknown e3ga object.",
	     "Unknown e3ga object.\nCoordinates: 1.00*e3 + 1.00*e1^e2^e3"},
	    {e3ga(), 0, "x: unknown e3ga object.", "Unknown e3ga object.\nCoordinates: 0"},
	};
	// the long forms cut to a buffer of this size
	const size_t cutAt = 14;
	for (const row &r : rows) {
		e3gaObject o(r.value, "x", 0, r.creationFlags, 0);
		expectDescription(o, r.d, cutAt);
	}
}

TEST_F(e3gaObjects, DrawMethodMenusOfTheKinds)
{
	const char *bivector[] = {"Circle", "Parallelogram", "Parallelogram w.o. vectors", "Cross", "Curly tail", "Swirl",
	                          nullptr};
	const char *trivector[] = {"Sphere", "Cross", "Curly tail", "Parallelepiped", "Parallelepiped w.o. vectors", nullptr};
	EXPECT_EQ(e3gaObject(e12, "x", 0, 0, 0).m_dmMenu, gui_e3gaBivectorDrawMethods);
	EXPECT_EQ(e3gaObject(op(e12, e3), "x", 0, 0, 0).m_dmMenu, gui_e3gaTrivectorDrawMethods);
	EXPECT_EQ(e3gaObject(e1, "x", 0, 0, 0).m_dmMenu, nullptr);
	// one item per method, in method order, each carrying its number
	for (auto menu : {std::make_pair(gui_e3gaBivectorDrawMethods, bivector),
	                  std::make_pair(gui_e3gaTrivectorDrawMethods, trivector)}) {
		int i = 0;
		for (; menu.second[i] != nullptr; i++) {
			EXPECT_STREQ(menu.first[i].label(), menu.second[i]);
			EXPECT_EQ((intptr_t)menu.first[i].user_data(), i);
		}
		EXPECT_EQ(menu.first->size(), i + 1);
	}
}

TEST_F(e3gaObjects, DraggingChangesMagnitudes)
{
	// value, (motionX, motionY): the value afterwards
	const struct row {
		const char *name;
		e3ga value;
		double mx, my;
		e3ga after;
	} rows[] = {
	    {"bivector grows", e12, 0, 30, gp(2.0, e12)},
	    {"bivector grows along x", e12, -30, 0, gp(2.0, e12)},
	    {"bivector would vanish", e12, 0, -60, e12},
	    {"bivector shrinks", gp(2.0, e12), 15, 0, gp(1.5, e12)},
	    {"scalar", e3ga(-2.0), 0, 30, e3ga(-3.0)},
	    {"trivector", op(e12, e3), 0, 60, gp(3.0, op(e12, e3))},
	};
	for (const row &r : rows) {
		m_state.addE3gaObject(r.value, "d", 0, 0, 0);
		e3gaObject *o = static_cast<e3gaObject *>(m_state.getObjectPtrByName("d"));
		m_state.m_netVarChanges.clear();
		EXPECT_EQ(o->translate(nullptr, 5.0, r.mx, r.my), 0);
		EXPECT_LT(sub(o->m_mv, r.after).norm_a(), 1e-20) << r.name << ": " << o->m_mv.string(nullptr);
		// the interpretation follows, and the variable is recorded as changed
		EXPECT_NEAR(std::fabs(o->m_int.m_scalar[0]), std::sqrt(r.after.norm_a()), 1e-12) << r.name;
		EXPECT_EQ(m_state.m_netVarChanges.count("d"), 1u) << r.name;
		m_state.removeObject("d");
	}
	// a rotor is not dragged, nor reported
	m_state.addE3gaObject(gp(-0.5, e12).exp(20), "r", 0, 0, 0);
	object *r = m_state.getObjectPtrByName("r");
	m_state.m_netVarChanges.clear();
	r->translate(nullptr, 5.0, 0, 30);
	EXPECT_EQ(m_state.m_netVarChanges.count("r"), 0u);
	// a scalar of no magnitude keeps its value (no direction to scale)
	e3gaObject zero(e3ga(0.0), "z", 0, OC_BLADE | 1, 0);
	ASSERT_EQ(zero.kind(), MVI_SCALAR);
	zero.translate(nullptr, 5.0, 0, 30);
	EXPECT_EQ(zero.m_mv.norm_a(), 0.0);
	EXPECT_EQ(zero.toString("%g"), "\"z\" = 0");
}

TEST_F(e3gaObjects, TheStateBuildsTheSharedSpheres)
{
	ASSERT_NE(g_pointSphere, nullptr);
	ASSERT_NE(g_sphereSphere, nullptr);
	EXPECT_EQ(g_pointSphere->depth, 2);
	EXPECT_EQ(g_sphereSphere->depth, 3);
	{
		// a second state replaces them; its end frees them
		state other;
		EXPECT_EQ(g_sphereSphere->nbVertices, 258);
	}
	EXPECT_EQ(g_pointSphere, nullptr);
	EXPECT_EQ(g_sphereSphere, nullptr);
}

TEST(UserInterface, StartsWithEightSidedTubesOfWidthTwo)
{
	gui_state = new UIstate;
	EXPECT_EQ(gui_state->m_tubeDraw.getLineWidth(), 2.0);
	EXPECT_FALSE(gui_state->m_tubeDraw.getUseOpenGL());
	EXPECT_EQ(gui_state->m_vectorHeadSize, -1.0);
	delete gui_state;
	EXPECT_EQ(gui_state, nullptr);
}

} // namespace
