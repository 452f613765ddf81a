// Scene objects of the four algebras interpret their values: the kind found
// decides the property bits and the draw method an object starts with; the
// points and vectors they offer stay inside their tables; a value of another
// kind replaces the object (through the state and through the console's
// assignments) while one of the same kind keeps it; a value of no
// interpretation is reported unless warnings are suppressed.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "support/consoletree.h"
#include "scene/gaobject.h"

namespace {

using namespace ct;

constexpr double kNone = NAN;

// The interpretation and draw-method list of an algebra object.
const mvInt &interpretationOf(const object *o)
{
	switch (o->m_type) {
	case OT_E3GA: return static_cast<const e3gaObject *>(o)->m_int;
	case OT_P3GA: return static_cast<const p3gaObject *>(o)->m_int;
	case OT_C3GA: return static_cast<const c3gaObject *>(o)->m_int;
	default: return static_cast<const i2gaObject *>(o)->m_int;
	}
}

int listOf(const object *o)
{
	switch (o->m_type) {
	case OT_E3GA: return static_cast<const e3gaObject *>(o)->drawMethodList();
	case OT_P3GA: return static_cast<const p3gaObject *>(o)->drawMethodList();
	case OT_C3GA: return static_cast<const c3gaObject *>(o)->drawMethodList();
	default: return static_cast<const i2gaObject *>(o)->drawMethodList();
	}
}

// Values built in each algebra's terms.
class Values : public consoleTest {
protected:
	const e3ga e1 = e3gai::e1, e2 = e3gai::e2, e3 = e3gai::e3, e12 = e1 ^ e2;
	const p3ga pe1 = p3gai::e1, pe2 = p3gai::e2, pe3 = p3gai::e3;
	const c3ga ce1 = c3gai::e1, ce2 = c3gai::e2, ce3 = c3gai::e3, ni = c3gai::ni;

	static p3ga ppoint(double x, double y, double z) { return p3ga(2, x, y, z, 1.0); }
	// the conformal point of weight 1 at (x, y, z)
	static c3ga cpoint(double x, double y, double z) { return c3ga(2, x, y, z, 1.0, 0.5 * (x * x + y * y + z * z)); }
	// the dual sphere c - r^2/2 ni; an imaginary one for negative r
	c3ga dualSphere(double x, double y, double z, double r) { return cpoint(x, y, z) - (0.5 * r * std::fabs(r)) * ni; }
	e3ga rotor(double angle) { return gp(-0.5 * angle, e12).exp(20); }
	c3ga pline() { return op(cpoint(1, 0, 0) ^ cpoint(0, 1, 0), ni); }
	c3ga tangent(const c3ga &at, const c3ga &direction) { return op(at, lcont(at, op(direction, ni))); }
	// the translator by t, applied as T X T^-1
	c3ga translated(const c3ga &X, double x, double y, double z)
	{
		c3ga T = 1.0 - gp(0.5, c3ga(2, x, y, z, 0.0, 0.0) ^ ni);
		return gp(gp(T, X), T.inverse());
	}
};

TEST_F(Values, EachKindGivesItsPropertiesAndDrawMethod)
{
	const int plain = OP_FG_COLOR | OP_NAME | OP_VALUE | OP_DRAW_MODE, interpreted = plain | OP_INTERPRETATION;
	const int methods = interpreted | OP_DRAW_METHOD;
	const c3ga a = cpoint(1, 0, 0), b = cpoint(0, 1, 0), c = cpoint(0, 0, 1);
	const c3ga I3 = op(ce1 ^ ce2, ce3);
	// the circle where the unit spheres about the origin and about e1 meet
	const c3ga circle = (dualSphere(0, 0, 0, 1) ^ dualSphere(1, 0, 0, 1)).dual();
	const p3ga P = ppoint(1, 0, 0), Q = ppoint(0, 1, 0), R = ppoint(0, 0, 1);
	const struct row {
		const char *name;
		object *o;
		int type, valid, properties, method, list;
		double point[3];
	} rows[] = {
	    {"e3ga scalar", new e3gaObject(2.0, "", 0, 0, 0), 0x2108, 1, interpreted, -1, DML_NONE, {kNone}},
	    {"e3ga vector", new e3gaObject(3.0 * e1, "", 0, 0, 0), 0x2109, 1, interpreted, -1, DML_NONE, {3, 0, 0}},
	    {"e3ga vector, method 2", new e3gaObject(e1, "", 0, 2 << 12, 0), 0x2109, 1, interpreted, 1, DML_NONE, {kNone}},
	    {"e3ga bivector", new e3gaObject(2.0 * e12, "", 0, 0, 0), 0x210A, 1, methods, 0, DML_BIVECTOR, {kNone}},
	    {"e3ga bivector, method 4", new e3gaObject(e12, "", 0, 4 << 12, 0), 0x210A, 1, methods, 3, DML_BIVECTOR, {kNone}},
	    {"e3ga trivector", new e3gaObject(e12 ^ e3, "", 0, 0, 0), 0x210B, 1, methods, 0, DML_TRIVECTOR, {kNone}},
	    {"e3ga rotor", new e3gaObject(rotor(1.0), "", 0, 0, 0), 0x2200, 1, interpreted, -1, DML_NONE, {kNone}},
	    {"e3ga odd versor", new e3gaObject(gp(gp(e1, e1 + e2), e3), "", 0, 0, 0), 0x2201, 1, interpreted, -1, DML_NONE, {kNone}},
	    {"e3ga zero", new e3gaObject(e3ga(), "", 0, 0, 0), 0x2000, 0, plain, -1, DML_NONE, {kNone}},
	    {"e3ga grades 0 and 2 as a blade", new e3gaObject(1.0 + e1 + e12, "", 0, OC_BLADE | 0x5, 0), 0x2000, 1, plain, -1, DML_NONE, {kNone}},
	    {"p3ga point", new p3gaObject(ppoint(1, 2, 3), "", 0, 0, 0), 0x4120, 1, interpreted, -1, DML_NONE, {1, 2, 3}},
	    {"p3ga line", new p3gaObject(P ^ Q, "", 0, 0, 0), 0x4143, 1, methods, 2, DML_LINE, {0.5, 0.5, 0}},
	    {"p3ga line, method 1", new p3gaObject(P ^ Q, "", 0, 1 << 12, 0), 0x4143, 1, methods, 0, DML_LINE, {kNone}},
	    {"p3ga plane", new p3gaObject(op(P ^ Q, R), "", 0, 0, 0), 0x4144, 1, interpreted, -1, DML_NONE, {kNone}},
	    {"p3ga bivector", new p3gaObject(pe1 ^ pe2, "", 0, 0, 0), 0x410A, 1, methods, 0, DML_BIVECTOR, {kNone}},
	    {"p3ga trivector", new p3gaObject(op(pe1 ^ pe2, pe3), "", 0, 0, 0), 0x410B, 1, methods, 0, DML_TRIVECTOR, {kNone}},
	    {"p3ga zero", new p3gaObject(p3ga(), "", 0, 0, 0), 0x4100, 1, interpreted, -1, DML_NONE, {kNone}},
	    {"p3ga versor", new p3gaObject(1.0 + (pe1 ^ pe2), "", 0, 0, 0), 0x4000, 0, interpreted, -1, DML_NONE, {kNone}},
	    {"c3ga point", new c3gaObject(cpoint(1, 2, 3), "", 0, 0, 0), 0x6120, 1, interpreted, -1, DML_NONE, {1, 2, 3}},
	    {"c3ga translated point", new c3gaObject(translated(cpoint(0, 0, 0), 1, 2, 3), "", 0, 0, 0), 0x6120, 1, interpreted, -1, DML_NONE, {1, 2, 3}},
	    {"c3ga dual sphere", new c3gaObject(dualSphere(1, 2, 3, 2), "", 0, 0, 0), 0x6984, 1, interpreted, -1, DML_NONE, {1, 2, 3}},
	    {"c3ga imaginary dual sphere", new c3gaObject(dualSphere(1, 2, 3, -2), "", 0, 0, 0), 0x6984, 1, interpreted, -1, DML_NONE, {1, 2, 3}},
	    {"c3ga sphere", new c3gaObject(op(op(a ^ b, c), cpoint(1, 1, 1)), "", 0, 0, 0), 0x6184, 1, interpreted, -1, DML_NONE, {0.5, 0.5, 0.5}},
	    {"c3ga circle of two spheres", new c3gaObject(circle, "", 0, 0, 0), 0x6183, 1, interpreted, -1, DML_NONE, {0.5, 0, 0}},
	    {"c3ga point pair", new c3gaObject(a ^ b, "", 0, 0, 0), 0x6182, 1, methods, 0, DML_POINT_PAIR, {0.5, 0.5, 0}},
	    {"c3ga line", new c3gaObject(pline(), "", 0, 0, 0), 0x6143, 1, methods, 2, DML_LINE, {0.5, 0.5, 0}},
	    {"c3ga dual line", new c3gaObject(pline().dual(), "", 0, 0, 0), 0x6943, 1, methods, 2, DML_LINE, {0.5, 0.5, 0}},
	    {"c3ga plane", new c3gaObject(op(op(a ^ b, c), ni), "", 0, 0, 0), 0x6144, 1, interpreted, -1, DML_NONE, {kNone}},
	    {"c3ga flat point", new c3gaObject(a ^ ni, "", 0, 0, 0), 0x6142, 1, interpreted, -1, DML_NONE, {1, 0, 0}},
	    {"c3ga free bivector", new c3gaObject(op(ce1 ^ ce2, ni), "", 0, 0, 0), 0x6112, 1, methods, 0, DML_BIVECTOR, {kNone}},
	    {"c3ga tangent bivector", new c3gaObject(tangent(a, ce2 ^ ce3), "", 0, 0, 0), 0x6122, 1, methods, 0, DML_BIVECTOR, {1, 0, 0}},
	    {"c3ga free trivector", new c3gaObject(op(I3, ni), "", 0, 0, 0), 0x6113, 1, methods, 0, DML_TRIVECTOR, {kNone}},
	    {"c3ga tangent trivector", new c3gaObject(tangent(a, I3), "", 0, 0, 0), 0x6123, 1, methods, 0, DML_TRIVECTOR, {1, 0, 0}},
	    {"c3ga tangent vector", new c3gaObject(tangent(a, ce2), "", 0, 0, 0), 0x6121, 1, interpreted, -1, DML_NONE, {1, 0, 0}},
	    {"c3ga versor", new c3gaObject(1.0 + (ce1 ^ ce2), "", 0, 0, 0), 0x6000, 0, interpreted, -1, DML_NONE, {kNone}},
	    {"i2ga", new i2gaObject(i2ga(i2gai::e1), "", 0, 0, 0), 0x8000, 1, interpreted, -1, DML_NONE, {kNone}},
	    {"i2ga, method 3", new i2gaObject(2.0, "", 0, 3 << 12, 0), 0x8000, 1, interpreted, 2, DML_NONE, {kNone}},
	};
	for (const row &r : rows) {
		const mvInt &I = interpretationOf(r.o);
		EXPECT_EQ(I.m_type, r.type) << r.name;
		EXPECT_EQ(I.m_valid, r.valid) << r.name;
		EXPECT_EQ(r.o->m_properties, r.properties) << r.name;
		EXPECT_EQ(r.o->m_dmMenuIdx, r.method) << r.name;
		EXPECT_EQ(listOf(r.o), r.list) << r.name;
		EXPECT_EQ(r.o->m_drawMode, DM_SHADE) << r.name;
		for (int k = 0; k < 3 && !std::isnan(r.point[0]); k++) EXPECT_NEAR(r.o->getPoint(0)[k], r.point[k], 1e-9) << r.name;
		delete r.o;
	}
}

TEST_F(Values, PointsAndNormalsOnlyInsideTheirTables)
{
	object *objects[] = {new e3gaObject(e12, "", 0, 0, 0), new p3gaObject(ppoint(1, 2, 3), "", 0, 0, 0),
	                     new c3gaObject(cpoint(1, 0, 0) ^ cpoint(0, 1, 0), "", 0, 0, 0), new i2gaObject(1.0, "", 0, 0, 0)};
	for (object *o : objects) {
		const mvInt &I = interpretationOf(o);
		for (int idx : {INT_MIN, -1, 0, 1, 2, 3, 4, INT_MAX}) {
			EXPECT_EQ(o->getPoint(idx), idx >= 0 && idx < 2 ? I.m_point[idx] : nullptr) << o->m_type << " " << idx;
			EXPECT_EQ(o->getNormal(idx), idx >= 0 && idx < 4 ? I.m_vector[idx] : nullptr) << o->m_type << " " << idx;
		}
		delete o;
	}
	// the point pair offers its first point as point 1 and its second as vector 0
	const c3gaObject pair(cpoint(1, 0, 0) ^ cpoint(0, 1, 0), "", 0, 0, 0);
	EXPECT_NEAR(pair.getPoint(1)[0], 1.0, 1e-12);
	EXPECT_NEAR(pair.getNormal(0)[1], 1.0, 1e-12);
}

// One add through the state and what it leaves under the name x.
struct addRow {
	const char *name;
	std::function<int(state &)> add;
	bool kept;   // the object before it stays
	int type;    // interpretation type word afterwards
	int valid;
	int method;
};

TEST_F(Values, AnotherKindReplacesTheObjectTheSameKindKeepsIt)
{
	const c3ga a = cpoint(1, 0, 0), b = cpoint(0, 1, 0);
	const p3ga P = ppoint(1, 0, 0), Q = ppoint(0, 1, 0), R = ppoint(0, 0, 1);
	auto E = [](e3ga v, int cf = 0, int ff = 0) { return [=](state &s) { return s.addE3gaObject(v, "x", 0, cf, ff); }; };
	auto Pg = [](p3ga v, int cf = 0, int ff = 0) { return [=](state &s) { return s.addP3gaObject(v, "x", 0, cf, ff); }; };
	auto C = [](c3ga v) { return [=](state &s) { return s.addC3gaObject(v, "x", 0, 0, 0); }; };
	auto I = [](i2ga v) { return [=](state &s) { return s.addI2gaObject(v, "x", 0, 0, 0); }; };
	const addRow rows[] = {
	    {"e3ga vector", E(e1), false, 0x2109, 1, -1},
	    {"scalar after vector", E(5.0), true, 0x2108, 1, -1},
	    {"bivector: draw methods", E(e12), false, 0x210A, 1, 0},
	    {"another bivector", E(e2 ^ e3, 5 << 12), true, 0x210A, 1, 0},
	    {"trivector: another list", E(e12 ^ e3), false, 0x210B, 1, 0},
	    {"rotor", E(rotor(1.0)), false, 0x2200, 1, -1},
	    {"zero: no interpretation", E(e3ga()), false, 0x2000, 0, -1},
	    {"kindless blade", E(1.0 + e1 + e12, OC_BLADE | 0x5), true, 0x2000, 1, -1},
	    {"p3ga point", Pg(P), false, 0x4120, 1, -1},
	    {"plane after point", Pg(op(P ^ Q, R)), true, 0x4144, 1, -1},
	    {"line", Pg(P ^ Q), false, 0x4143, 1, 2},
	    {"line, method 1 not forced", Pg(Q ^ R, 1 << 12), true, 0x4143, 1, 2},
	    {"line, method 1 forced", Pg(Q ^ R, 1 << 12, FF_COPY_DRAW_METHOD), true, 0x4143, 1, 0},
	    {"bivector: another list", Pg(pe1 ^ pe2), false, 0x410A, 1, 0},
	    {"versor", Pg(1.0 + (pe1 ^ pe2)), false, 0x4000, 0, -1},
	    {"point after versor", Pg(P), true, 0x4120, 1, -1},
	    {"c3ga point", C(a), false, 0x6120, 1, -1},
	    {"dual sphere after point", C(dualSphere(0, 0, 0, 1)), true, 0x6984, 1, -1},
	    {"line", C(pline()), false, 0x6143, 1, 2},
	    {"dual line", C(pline().dual()), true, 0x6943, 1, 2},
	    {"point pair: another list", C(a ^ b), false, 0x6182, 1, 0},
	    {"circle", C(op(a ^ b, cpoint(0, 0, 1))), false, 0x6183, 1, -1},
	    {"free bivector", C(op(ce1 ^ ce2, ni)), false, 0x6112, 1, 0},
	    {"tangent bivector, same list", C(tangent(a, ce2 ^ ce3)), true, 0x6122, 1, 0},
	    {"tangent trivector", C(tangent(a, op(ce1 ^ ce2, ce3))), false, 0x6123, 1, 0},
	    {"i2ga", I(i2ga(i2gai::e1)), false, 0x8000, 1, -1},
	    {"i2ga again", I(i2ga(i2gai::e2)), true, 0x8000, 1, -1},
	};
	// the values of no interpretation are not reported here
	root->supressWarnings(1);
	const object *before = nullptr;
	for (const addRow &r : rows) {
		EXPECT_EQ(r.add(m_state), 0) << r.name;
		const object *o = m_state.getObjectPtrByName("x");
		ASSERT_NE(o, nullptr) << r.name;
		EXPECT_EQ(o == before, r.kept) << r.name;
		EXPECT_EQ(interpretationOf(o).m_type, r.type) << r.name;
		EXPECT_EQ(interpretationOf(o).m_valid, r.valid) << r.name;
		EXPECT_EQ(o->m_dmMenuIdx, r.method) << r.name;
		before = o;
	}
}

// The console's assignments of values that a test row "v" hands out by index.
std::vector<consoleVariable> g_values;
consoleVariable *valueRow(consoleScope *, consoleVariable **a, const consoleFunc_s *)
{
	return new consoleVariable(g_values.at((size_t)a[0]->scalar()));
}

TEST_F(Values, ConsoleAssignmentsReplaceByKind)
{
	static const consoleFunc_s row = {"v", nullptr, valueRow, 1, {E3}};
	root->addFunction(&row);
	g_values = {
	    consoleVariable("", e1),          consoleVariable("", e12),         consoleVariable("", e2 ^ e3),
	    consoleVariable("", e12 ^ e3),    consoleVariable("", pline()),     consoleVariable("", pline().dual()),
	    consoleVariable("", cpoint(1, 0, 0) ^ cpoint(0, 1, 0)),             consoleVariable("", e1 + e12),
	    consoleVariable("", 1.0 + (ce1 ^ ce2)),
	};
	const struct {
		const char *stmt;
		bool kept;
		int type;
		const char *printed;
	} rows[] = {
	    {"x = v(0)", false, 0x2109, ""},
	    {"x = v(1)", false, 0x210A, ""},
	    {"x = v(2)", true, 0x210A, ""},
	    {"x = v(3)", false, 0x210B, ""},
	    {"x = v(4)", false, 0x6143, ""},
	    {"x = v(5)", true, 0x6943, ""},
	    {"x = v(6)", false, 0x6182, ""},
	    {"x = v(7)", false, 0x2000, "Interpretation of object 'x' with coordinates 1.00*e1 + 1.00*e1^e2 failed.\n"},
	    {"x = v(8)", false, 0x6000, "Interpretation of object 'x' with coordinates 1.00 + 1.00*e1^e2 failed.\n"},
	    {"x = v(0)", false, 0x2109, ""},
	};
	const object *before = nullptr;
	for (const auto &r : rows) {
		EXPECT_EQ(run({E(r.stmt)}), r.printed) << r.stmt;
		const object *o = m_state.getObjectPtrByName("x");
		ASSERT_NE(o, nullptr) << r.stmt;
		EXPECT_EQ(o == before, r.kept) << r.stmt;
		EXPECT_EQ(interpretationOf(o).m_type, r.type) << r.stmt;
		before = o;
	}
	// the root scope's suppression silences it; the object is made all the same
	root->supressWarnings(1);
	EXPECT_EQ(run({E("y = v(7)")}), "");
	EXPECT_EQ(interpretationOf(m_state.getObjectPtrByName("y")).m_valid, 0);
	g_values.clear();
}

TEST_F(Values, FailedInterpretationsAreReportedAboveTheThreshold)
{
	// 0.6e-5 on each of two coordinates: 1.2e-5 in all, just above the threshold
	const double above = std::sqrt(0.6e-5), below = std::sqrt(0.4e-5);
	const struct {
		std::function<int(state &)> add;
		const char *printed;
	} rows[] = {
	    {[&](state &s) { return s.addE3gaObject(e1 + e12, "m", 0, 0, 0); },
	     "Interpretation of object 'm' with coordinates 1.00*e1 + 1.00*e1^e2 failed.\n"},
	    {[&](state &s) { return s.addE3gaObject(gp(above, e1 + e12), "m", 0, 0, 0); },
	     "Interpretation of object 'm' with coordinates 0.00*e1 + 0.00*e1^e2 failed.\n"},
	    {[&](state &s) { return s.addE3gaObject(gp(below, e1 + e12), "m", 0, 0, 0); }, ""},
	    {[&](state &s) { return s.addE3gaObject(e3ga(), "m", 0, 0, 0); }, ""},
	    {[&](state &s) { return s.addE3gaObject(e1, "m", 0, OC_VERSOR, 0); }, ""},
	    {[&](state &s) { return s.addP3gaObject(2.0 + (pe1 ^ pe2), "p", 0, 0, 0); },
	     "Interpretation of object 'p' with coordinates 2.00 + 1.00*e1^e2 failed.\n"},
	    {[&](state &s) { return s.addC3gaObject(cpoint(1, 0, 0), "c", 0, OC_VERSOR, 0); },
	     "Interpretation of object 'c' with coordinates 1.00*e1 + 1.00*no + 0.50*ni failed.\n"},
	    {[&](state &s) { return s.addI2gaObject(i2ga(i2gai::e1) + 1.0, "i", 0, 0, 0); }, ""},
	};
	for (int quiet : {0, 1}) {
		m_state.m_globalScope->supressWarnings(quiet);
		for (const auto &r : rows) {
			m_state.removeAllObjects();
			testing::internal::CaptureStdout();
			EXPECT_EQ(r.add(m_state), 0);
			EXPECT_EQ(testing::internal::GetCapturedStdout(), quiet ? "" : r.printed) << r.printed;
			EXPECT_EQ(m_state.m_objects.size(), 1u) << r.printed;
		}
	}
	// an unnamed object is reported under the name it is given
	m_state.m_globalScope->supressWarnings(0);
	const std::string name = "object_" + std::to_string(object::m_objectCount);
	testing::internal::CaptureStdout();
	m_state.addE3gaObject(e1 + e12, "", 0, 0, 0);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
	          "Interpretation of object '" + name + "' with coordinates 1.00*e1 + 1.00*e1^e2 failed.\n");
}

TEST_F(Values, ConsoleValuesInterpretWithoutCreationFlags)
{
	consoleVariable values[] = {consoleVariable("", e1), consoleVariable("", ppoint(1, 2, 3)),
	                            consoleVariable("", dualSphere(0, 0, 0, 1)), consoleVariable("", i2ga(i2gai::e2))};
	const int types[] = {0x2109, 0x4120, 0x6984, 0x8000};
	for (int i = 0; i < 4; i++) {
		// a value's own creation flags do not reach its interpretation
		values[i].creationFlags(OC_VERSOR);
		mvInt *I = values[i].interpretation();
		ASSERT_NE(I, nullptr);
		EXPECT_EQ(I->m_type, types[i]);
		EXPECT_EQ(I->m_valid, 1);
		EXPECT_EQ(I->m_creationFlags, 0);
		delete I;
	}
}

TEST_F(Values, I2gaObjectsDescribeThemselvesAndStayPut)
{
	i2gaObject o(i2ga(i2gai::e1) + 2.0, "w", 0, 0, 0);
	char buf[64];
	EXPECT_EQ(o.description(buf, sizeof buf, 1), 0);
	EXPECT_STREQ(buf, "w: unknown i2ga object");
	o.description(buf, sizeof buf, 0);
	EXPECT_STREQ(buf, "Unknown i2ga object.\nCoordinates: 2.00 + 1.00*e1");
	// cut to the buffer
	o.description(buf, 12, 0);
	EXPECT_STREQ(buf, "Unknown i2g");
	// dragging neither changes nor reports anything
	testing::internal::CaptureStdout();
	EXPECT_EQ(o.translate(nullptr, 1.0, 5.0, 5.0), 0);
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
	EXPECT_EQ(o.toString("%g"), "\"w\" = 2 + 1*e1");
	EXPECT_EQ(o.draw(nullptr), 0);
}

} // namespace
