// Scene objects: names and their counter, colours as shown under a fade,
// the fade's arithmetic and end actions, copying properties under force
// flags, and the algebra objects' own parts.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "scene/gaobject.h"
#include "state/state.h"

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();

// An object with every property, recording which colour hooks ran.
struct probe : object {
	std::string hooks;
	explicit probe(const std::string &name = "p") : object(OT_POLYGON, name, 0, 0, 0) { m_properties = 0x1ff; }
	int pick(glwindow *) override { return 0; }
	int draw(glwindow *) override { return 0; }
	double drawSortValue() override { return 1.0; }
	int colorFgChanged() override { return hooks += "f", 0; }
	int colorBgChanged() override { return hooks += "b", 0; }
	int colorOlChanged() override { return hooks += "o", 0; }
	using object::tableRow;
};

TEST(Object, NamesCountEveryObjectMadeUntilAllAreRemoved)
{
	state st;
	st.removeAllObjects();
	st.addE3gaObject(1.0, "", 0, 0, 0);
	st.addE3gaObject(1.0, "a", 0, 0, 0);
	st.addP3gaObject(1.0, "untitled", 0, 0, 0);
	for (const char *name : {"object_1", "a", "object_3"}) EXPECT_NE(st.getObjectPtrByName(name), nullptr) << name;
	st.removeAllObjects();
	EXPECT_EQ(probe("").m_name, "object_1");
	EXPECT_EQ(probe("").m_name, "object_2");
}

TEST(Object, ColoursShowTheFadeThroughTheAlphaOnly)
{
	probe o;
	const double half[4] = {0.2, 0.4, 0.6, 0.5};
	o.setFgColor(half);
	o.m_fadeCurrentFactor = 0.5f;
	const float shown[][2] = {{0, 0.2f}, {1, 0.4f}, {2, 0.6f}, {3, 0.25f}, {4, 0.0f}, {-1, 0.0f}};
	for (const auto &row : shown) EXPECT_FLOAT_EQ(o.fgColor((int)row[0]), row[1]) << row[0];
	EXPECT_FLOAT_EQ(o.fgColor()[3], 0.5f);
	// only the double and alpha setters notify
	const float plain[4] = {1, 1, 1, 1};
	o.setBgColor(plain);
	o.setOlAlpha(0.3f);
	o.setBgColor(half);
	EXPECT_EQ(o.hooks, "fob");
}

struct fadeRow {
	const char *name;
	double duration;
	float target;
	int action;
	float start;
	double at;     // seconds after the start at which update runs; NaN: none
	int throwsIn;  // 0 never, 1 setFade, 2 update
	float factor;  // afterwards
	int actionAfter;
	bool hidden;
};

TEST(Object, FadeArithmeticAndEndActions)
{
	const double none = std::nan("");
	const fadeRow rows[] = {
	    {"half-way down", 10, 0.0f, 0, 1.0f, 5, 0, 0.5f, 0, false},
	    {"negative start takes the current factor", 10, 0.0f, 0, -1.0f, 5, 0, 0.4f, 0, false},
	    {"NaN start takes the current factor", 10, 0.0f, 0, kNaN, 5, 0, 0.4f, 0, false},
	    {"action 7 is no action", 10, 0.3f, 7, 1.0f, 10, 0, 0.3f, -1, false},
	    {"ends hiding", 10, 0.3f, 1, 1.0f, 11, 0, 0.3f, -1, true},
	    {"ends removing", 10, 0.0f, 2, 1.0f, 10, 2, 0.0f, 2, false},
	    {"no length ends in setFade", 0, 0.2f, 1, 1.0f, none, 0, 0.2f, -1, true},
	    {"no length removing throws from setFade", 0, 0.0f, 2, 1.0f, none, 1, 0.0f, 2, false},
	    {"NaN duration ends at once", none, 0.6f, 0, 1.0f, none, 0, 0.6f, -1, false},
	    {"action -1 runs nothing", 10, 0.0f, -1, 1.0f, 5, 0, 0.8f, -1, false},
	};
	for (const fadeRow &r : rows) {
		probe o;
		o.m_fadeCurrentFactor = 0.8f;
		int thrown = 0;
		try {
			o.setFade(r.duration, r.target, r.action, r.start);
		} catch (removeObjectException) {
			thrown = 1;
		}
		if (!std::isnan(r.at)) try {
				o.update(o.m_fadeStartTime + r.at);
			} catch (removeObjectException) {
				thrown = 2;
			}
		EXPECT_EQ(thrown, r.throwsIn) << r.name;
		EXPECT_NEAR(o.m_fadeCurrentFactor, r.factor, 1e-6) << r.name;
		EXPECT_EQ(o.m_fadeAction, r.actionAfter) << r.name;
		EXPECT_EQ(o.hidden() != 0, r.hidden) << r.name;
	}
}

TEST(Object, FadeStepsCallTheColourHooksAndABookmarkSearchEndsThem)
{
	probe o;
	o.setFade(10, 0.0f, 1, 1.0f);
	o.update(o.m_fadeStartTime + 2.5);
	EXPECT_EQ(o.hooks, "fbofbo");
	state st;
	st.m_bookmarkSearch = 1;
	o.update(o.m_fadeStartTime + 2.5);
	EXPECT_EQ(o.m_fadeCurrentFactor, 0.0f);
	EXPECT_TRUE(o.hidden());
}

struct copyRow {
	const char *name;
	int forceFlag;
	int changed;
	float fgRed, fgAlpha;
	int drawMode;
	int method;
};

TEST(Object, CopyTakesWhatTheForceFlagsAsk)
{
	const int dm = DM_SHADE | DM_MAGNITUDE, otherDm = DM_SHADE | DM_ORI | DM_STIPPLE;
	const copyRow rows[] = {
	    {"nothing forced", 0, OP_DRAW_MODE | OP_FONT_SIZE, 1.0f, 1.0f, dm, 0},
	    {"colours", FF_COPY_COLORS, OP_FG_COLOR | OP_OL_COLOR | OP_DRAW_MODE | OP_FONT_SIZE, 0.0f, 1.0f, dm, 0},
	    {"alphas", FF_COPY_ALPHAS, OP_FG_COLOR | OP_DRAW_MODE | OP_FONT_SIZE, 1.0f, 0.5f, dm, 0},
	    {"the ori bit", DM_ORI | DM_MAGNITUDE, OP_DRAW_MODE | OP_FONT_SIZE, 1.0f, 1.0f, DM_SHADE | DM_ORI, 0},
	    {"draw method", FF_COPY_DRAW_METHOD, OP_DRAW_MODE | OP_DRAW_METHOD | OP_FONT_SIZE, 1.0f, 1.0f, dm, 3},
	};
	const float red[4] = {1, 0, 0, 1}, green[4] = {0, 1, 0, 0.5f}, grey[4] = {0.5f, 0.5f, 0.5f, 1};
	const float clearGrey[4] = {0.5f, 0.5f, 0.5f, 0};
	for (const copyRow &r : rows) {
		probe a, b;
		a.setFgColor(red), b.setFgColor(green);
		a.setBgColor(grey), b.setBgColor(grey);
		b.setOlColor(clearGrey);
		a.m_drawMode = dm, b.m_drawMode = otherDm;
		a.m_dmMenuIdx = 0, b.m_dmMenuIdx = 3;
		b.m_fontSize = 12.0f;
		int changed = -1;
		ASSERT_EQ(a.copy(&b, changed, r.forceFlag), 0) << r.name;
		EXPECT_EQ(changed, r.changed) << r.name;
		EXPECT_EQ(a.m_fgColor[0], r.fgRed) << r.name;
		EXPECT_EQ(a.m_fgColor[3], r.fgAlpha) << r.name;
		EXPECT_EQ(a.m_drawMode, r.drawMode) << r.name;
		EXPECT_EQ(a.m_dmMenuIdx, r.method) << r.name;
		EXPECT_EQ(a.m_fontSize, 12.0f) << r.name;
	}
	// another name is taken; another property mask or kind refuses, changing nothing
	probe a, b("b");
	int changed = 0;
	EXPECT_EQ(a.copy(&b, changed, 0), 0);
	EXPECT_EQ(changed, OP_NAME);
	EXPECT_EQ(a.m_name, "b");
	b.m_properties = OP_NAME;
	b.m_name = "c";
	EXPECT_EQ(a.copy(&b, changed, -1), -1);
	e3gaObject e(1.0, "b", 0, 0, 0);
	EXPECT_EQ(a.copy(&e, changed, -1), -1);
	EXPECT_EQ(a.m_name, "b");
	EXPECT_EQ(changed, 0);
}

TEST(Object, AlgebraObjectsKeepTheirValueByCopying)
{
	e3gaObject a(e3ga(e3gai::e1), "v", 0, 0, 0), same(e3ga(e3gai::e1), "v", 0, 0, 0);
	e3gaObject other(gp(2.0, e3gai::e1), "v", 0, 0, 0);
	int changed = -1;
	EXPECT_EQ(a.copy(&same, changed, 0), 0);
	EXPECT_EQ(changed, 0);
	EXPECT_EQ(a.copy(&other, changed, 0), 0);
	EXPECT_EQ(changed, OP_VALUE);
	EXPECT_EQ(a.toString("%g"), "\"v\" = 2*e1");
	// kinds, properties, shading unless forced, and the draw method asked for
	const struct {
		object *o;
		int type, properties, drawMode, method;
	} kinds[] = {
	    {new e3gaObject(1.0, "", DM_ORI, 0, 0), OT_E3GA, 0x171, DM_ORI | DM_SHADE, -1},
	    {new p3gaObject(1.0, "", 0, 4 << OC_DRAW_METHOD_SHIFT, 0), OT_P3GA, 0x171, DM_SHADE, 3},
	    {new c3gaObject(1.0, "", 0, 0, DM_SHADE), OT_C3GA, 0x171, 0, -1},
	    {new i2gaObject(1.0, "", DM_HIDE, OC_BLADE, DM_ORI), OT_I2GA, 0x171, DM_HIDE | DM_SHADE, -1},
	};
	for (const auto &k : kinds) {
		EXPECT_EQ(k.o->m_type, k.type);
		EXPECT_EQ(k.o->m_properties, k.properties) << k.type;
		EXPECT_EQ(k.o->m_drawMode, k.drawMode) << k.type;
		EXPECT_EQ(k.o->m_dmMenuIdx, k.method) << k.type;
		delete k.o;
	}
	// the sort value follows the alpha as shown
	a.m_fgColor[3] = 1.0f;
	EXPECT_EQ(a.drawSortValue(), 1.0);
	a.m_fadeCurrentFactor = 0.5f;
	EXPECT_EQ(a.drawSortValue(), 2.0);
}

TEST(Object, SmallMembers)
{
	probe o;
	o.setFontSize(0.0f);
	EXPECT_EQ(o.m_fontSize, 1e-5f);
	char buf[12];
	o.description(buf, sizeof buf, 1);
	EXPECT_STREQ(buf, "p: no descr");
	// points and vectors are offered only inside their table
	const double rows[2][3] = {{1, 2, 3}, {4, 5, 6}};
	EXPECT_EQ(probe::tableRow(rows, -1), nullptr);
	EXPECT_EQ(probe::tableRow(rows, 1), rows[1]);
	EXPECT_EQ(probe::tableRow(rows, 2), nullptr);
	EXPECT_EQ(o.getPoint(0), nullptr);
}

} // namespace
