// p3ga and c3ga scene objects without drawing: their descriptions, the
// draw-method menus of their kinds, and how dragging moves their values.
#include <gtest/gtest.h>

#include <FL/Fl_Menu_Item.H>

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "scene/drawmethodmenus.h"
#include "scene/gaobject.h"
#include "view/glwindow.h"
#include "state/state.h"
#include "support/descriptioncheck.h"

namespace {

class pc3gaObjects : public testing::Test {
protected:
	state m_state;
	const c3ga ni = c3gai::ni, no = c3gai::no;

	// the conformal point of weight 1 at (x, y, z)
	static c3ga cpoint(double x, double y, double z) { return c3ga(2, x, y, z, 1.0, 0.5 * (x * x + y * y + z * z)); }
	static p3ga ppoint(double x, double y, double z) { return p3ga(2, x, y, z, 1.0); }
	static c3ga cvector(double x, double y, double z) { return c3ga(2, x, y, z, 0.0, 0.0); }
	// the circle through three points
	static c3ga circle3(const c3ga &a, const c3ga &b, const c3ga &c) { return op(op(a, b), c); }
};

// The long forms are cut to a buffer of this size.
const size_t c_cutAt = 20;

TEST_F(pc3gaObjects, DescriptionsOfTheKinds)
{
	const struct {
		c3ga value;
		descriptionCase d;
	} c3gaRows[] = {
	    // the dual unit sphere about the origin
	    {cpoint(0, 0, 0) - gp(0.5, ni),
	     {"x: c3ga sphere dual", "c3ga sphere dual\nSigned radius: 1.00\nWeight: -1.000000\nCenter point: -0.00 -0.00 "
	                             "-0.00\nCoordinates: 1.00*no + -0.50*ni"}},
	    {op(cpoint(1, 0, 0), cpoint(0, 1, 0)),
	     {"x: c3ga point pair", "c3ga point pair\nRadius: 0.71\nWeight: 1.41\nPoint 1: 1.00 0.00 -0.00\nPoint 2: 0.00 1.00 "
	                            "0.00\nCoordinates: 1.00*e1^e2 + 1.00*e1^no + -1.00*e2^no + 0.50*e1^ni + -0.50*e2^ni"}},
	    {circle3(cpoint(1, 0, 0), cpoint(0, 1, 0), cpoint(-1, 0, 0)),
	     {"x: c3ga circle", "c3ga circle\nSigned radius: 1.00\nWeight: 2.00\nCenter point: -0.00 -0.00 -0.00\nNormal: 0.00 "
	                        "0.00 1.00\nCoordinates: 2.00*e1^e2^no + 1.00*e1^e2^ni"}},
	    {op(op(cpoint(1, 0, 0), cpoint(0, 1, 0)), ni),
	     {"x: c3ga line", "c3ga line\nWeight: 1.414214\nDirection: -0.71 0.71 -0.00\nPoint closest to origin: 0.50 0.50 "
	                      "0.00\nCoordinates: 1.00*e1^e2^ni + 1.00*e1^no^ni + -1.00*e2^no^ni"}},
	    {op(circle3(cpoint(0, 0, 1), cpoint(1, 0, 1), cpoint(0, 1, 1)), ni),
	     {"x: c3ga plane", "c3ga plane\nWeight: 1.000000\nNormal: 0.00 0.00 1.00\nPoint closest to origin: 0.00 0.00 "
	                       "1.00\nCoordinates: 1.00*e1^e2^e3^ni + 1.00*e1^e2^no^ni"}},
	    {op(c3ga(3.0), ni),
	     {"x: c3ga free scalar, weight: 3.000000", "c3ga free scalar\nWeight: 3.000000\nCoordinates: 3.00*ni"}},
	    // a translator is no blade; zero is a blade of no kind drawn
	    {1.0 - gp(0.5, op(cvector(1, 0, 0), ni)),
	     {"x: unknown c3ga object", "Unknown c3ga object.\nCoordinates: 1.00 + -0.50*e1^ni"}},
	    {c3ga(), {"x: unknown c3ga blade", "Unknown c3ga blade.\nCoordinates: 0"}},
	};
	for (const auto &r : c3gaRows) {
		c3gaObject o(r.value, "x", 0, 0, 0);
		expectDescription(o, r.d, c_cutAt);
	}
	const struct {
		p3ga value;
		descriptionCase d;
	} p3gaRows[] = {
	    {p3ga(2, 2.0, 4.0, 6.0, 2.0),
	     {"x: p3ga point", "p3ga point\nMagnitude: 2.000000\nPoint: 1.00 2.00 3.00\nCoordinates: 2.00*e1 + 4.00*e2 + "
	                       "6.00*e3 + 2.00*e0"}},
	    {p3ga(), {"x: unknown p3ga blade.", "Unknown p3ga blade.\nCoordinates: 0"}},
	    {1.0 + p3ga(p3gai::e1), {"x: unknown p3ga object.", "Unknown p3ga object.\nCoordinates: 1.00 + 1.00*e1"}},
	};
	for (const auto &r : p3gaRows) {
		p3gaObject o(r.value, "x", 0, 0, 0);
		expectDescription(o, r.d, c_cutAt);
	}
}

TEST_F(pc3gaObjects, DrawMethodMenusOfTheKinds)
{
	const std::vector<const char *> bivector = {"Circle",     "Parallelogram", "Parallelogram w.o. vectors", "Cross",
	                                            "Curly tail", "Swirl"};
	const std::vector<const char *> trivector = {"Sphere", "Cross", "Curly tail"};
	const std::vector<const char *> line = {"Curve", "Curly tail", "Hooks", "Hooked crosses"};
	const std::vector<const char *> pair = {"Two points, connected when ori is on", "Two points, connected",
	                                        "Two points", "Line segment"};
	const std::pair<Fl_Menu_Item *, const std::vector<const char *> &> menus[] = {
	    {gui_p3gaBivectorDrawMethods, bivector}, {gui_p3gaTrivectorDrawMethods, trivector},
	    {gui_p3gaLineDrawMethods, line},         {gui_c3gaBivectorDrawMethods, bivector},
	    {gui_c3gaTrivectorDrawMethods, trivector}, {gui_c3gaLineDrawMethods, line},
	    {gui_c3gaPointPairDrawMethods, pair},
	};
	// one item per method, in method order, each carrying its number
	for (const auto &m : menus) {
		for (size_t i = 0; i < m.second.size(); i++) {
			EXPECT_STREQ(m.first[i].label(), m.second[i]);
			EXPECT_EQ((intptr_t)m.first[i].user_data(), (intptr_t)i);
		}
		EXPECT_EQ(m.first->size(), (int)m.second.size() + 1);
	}
	// each model's objects carry its own menus
	EXPECT_EQ(p3gaObject(op(ppoint(0, 0, 0), ppoint(1, 0, 0)), "x", 0, 0, 0).m_dmMenu, gui_p3gaLineDrawMethods);
	EXPECT_EQ(c3gaObject(op(op(cpoint(0, 0, 0), cpoint(1, 0, 0)), ni), "x", 0, 0, 0).m_dmMenu, gui_c3gaLineDrawMethods);
	EXPECT_EQ(c3gaObject(op(cpoint(0, 0, 0), cpoint(1, 0, 0)), "x", 0, 0, 0).m_dmMenu, gui_c3gaPointPairDrawMethods);
}

TEST_F(pc3gaObjects, DraggingMovesByTheReversedMotion)
{
	// a view whose frustum makes one pixel one unit at depth 1, unturned:
	// a drag by (1, -2) is t = (1, 2, 0)
	glwindow view(0, 0, 100, 100, "view");
	view.m_frustumWidth = view.m_frustumHeight = 100.0;
	view.m_frustumNear = 1.0;
	view.m_frustumFar = 100.0;
	const double mx = 1.0, my = -2.0;
	const c3ga a = cpoint(1, 0, 0), b = cpoint(0, 1, 0), c = cpoint(0, 0, 1);
	const c3ga a2 = cpoint(0, -2, 0), b2 = cpoint(-1, -1, 0), c2 = cpoint(-1, -2, 1);
	const c3ga ce1 = c3gai::e1, ce2 = c3gai::e2;
	const struct {
		const char *name;
		c3ga before, after;
	} c3gaRows[] = {
	    {"point", a, a2},
	    {"point pair", op(a, b), op(a2, b2)},
	    {"circle", circle3(a, b, c), circle3(a2, b2, c2)},
	    {"sphere", op(circle3(a, b, c), cpoint(1, 1, 1)), op(circle3(a2, b2, c2), cpoint(0, -1, 1))},
	    {"line", op(op(a, b), ni), op(op(a2, b2), ni)},
	    {"plane", op(circle3(a, b, c), ni), op(circle3(a2, b2, c2), ni)},
	    {"free vector loses t", op(cvector(3, 0, 0), ni), op(cvector(2, -2, 0), ni)},
	    {"free bivector stays", op(op(ce1, ce2), ni), op(op(ce1, ce2), ni)},
	};
	for (const auto &r : c3gaRows) {
		m_state.addC3gaObject(r.before, "d", 0, 0, 0);
		c3gaObject *o = static_cast<c3gaObject *>(m_state.getObjectPtrByName("d"));
		m_state.m_netVarChanges.clear();
		EXPECT_EQ(o->translate(&view, 1.0, mx, my), 0);
		EXPECT_LT(sub(o->m_mv, r.after).norm_a(), 1e-20) << r.name << ": " << o->m_mv.string(nullptr);
		// the interpretation follows, and the variable is recorded as changed
		EXPECT_EQ(o->m_int.m_type, c3gaObject(r.after, "e", 0, 0, 0).m_int.m_type) << r.name;
		EXPECT_EQ(m_state.m_netVarChanges.count("d"), 1u) << r.name;
		m_state.removeObject("d");
	}
	const p3ga P = ppoint(1, 0, 0), Q = ppoint(0, 1, 0), R = ppoint(0, 0, 1);
	const p3ga P2 = ppoint(0, -2, 0), Q2 = ppoint(-1, -1, 0), R2 = ppoint(-1, -2, 1);
	const struct {
		const char *name;
		p3ga before, after;
	} p3gaRows[] = {
	    {"point", P, P2},
	    {"point of weight 2", gp(2.0, P), gp(2.0, P2)},
	    {"line", op(P, Q), op(P2, Q2)},
	    {"plane", op(op(P, Q), R), op(op(P2, Q2), R2)},
	    {"vector loses t", p3ga(2, 3.0, 0.0, 0.0, 0.0), p3ga(2, 2.0, -2.0, 0.0, 0.0)},
	};
	for (const auto &r : p3gaRows) {
		m_state.addP3gaObject(r.before, "d", 0, 0, 0);
		p3gaObject *o = static_cast<p3gaObject *>(m_state.getObjectPtrByName("d"));
		m_state.m_netVarChanges.clear();
		o->translate(&view, 1.0, mx, my);
		EXPECT_LT(sub(o->m_mv, r.after).norm_a(), 1e-20) << r.name << ": " << o->m_mv.string(nullptr);
		EXPECT_EQ(m_state.m_netVarChanges.count("d"), 1u) << r.name;
		m_state.removeObject("d");
	}
	// what is no blade is neither moved nor reported
	const c3ga versor = 1.0 - gp(0.5, op(cvector(1, 0, 0), ni));
	m_state.addC3gaObject(versor, "v", 0, 0, 0);
	m_state.m_netVarChanges.clear();
	m_state.getObjectPtrByName("v")->translate(&view, 1.0, mx, my);
	EXPECT_EQ(sub(static_cast<c3gaObject *>(m_state.getObjectPtrByName("v"))->m_mv, versor).norm_a(), 0.0);
	EXPECT_EQ(m_state.m_netVarChanges.count("v"), 0u);
}

} // namespace
