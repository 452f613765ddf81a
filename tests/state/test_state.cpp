// The application state: colour names and colour defaults, the object
// registry (keeping, replacing, internal variables, order, removal during
// the timed update), stored factors, reset and the working directory.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "draw/colors.h"
#include "scene/gaobject.h"
#include "scene/mvint_services.h"
#include "os/osdep.h"
#include "state/state.h"

namespace {

// The names of the objects other than the program's own variables.
std::vector<std::string> names(const state &st)
{
	std::vector<std::string> result;
	for (const auto &entry : st.m_objects)
		if (!(entry.second->m_drawMode & DM_INTERNAL)) result.push_back(*entry.first);
	return result;
}

TEST(State, ColourNames)
{
	const struct {
		const char *name;
		int result;
		float rgba[4];
	} rows[] = {
	    {"r", 0, {1, 0, 0, 1}},      {"Grey", 0, {0.5f, 0.5f, 0.5f, 1}}, {"MAGENTA", 0, {1, 0, 1, 1}},
	    {"y", 0, {1, 1, 0, 1}},      {"", -1, {9, 9, 9, 9}},             {"re", -1, {9, 9, 9, 9}},
	    {nullptr, -1, {9, 9, 9, 9}}, {"K", 0, {0, 0, 0, 1}},             {"Black", 0, {0, 0, 0, 1}},
	    {"gray", 0, {0.5f, 0.5f, 0.5f, 1}},
	};
	for (const auto &r : rows) {
		float c[4] = {9, 9, 9, 9};
		EXPECT_EQ(getColor(r.name, c), r.result) << (r.name ? r.name : "null");
		EXPECT_EQ(std::memcmp(c, r.rgba, sizeof c), 0) << (r.name ? r.name : "null");
	}
}

TEST(State, ColourDefaultsAndTheirMessages)
{
	state st;
	const float fg[4] = {1, 0, 0, 1}, bg[4] = {0.7f, 0.7f, 0.7f, 1}, ol[4] = {0, 0, 0, 1}, cv[4] = {0.5f, 0.5f, 0.5f, 1};
	EXPECT_EQ(std::memcmp(st.getColorPtr("FGcolor"), fg, sizeof fg), 0);
	EXPECT_EQ(std::memcmp(st.getColorPtr("bgcolor"), bg, sizeof bg), 0);
	EXPECT_EQ(std::memcmp(st.getColorPtr("olcolor"), ol, sizeof ol), 0);
	EXPECT_EQ(std::memcmp(st.getColorPtr("cvcolor"), cv, sizeof cv), 0);

	testing::internal::CaptureStdout();
	EXPECT_EQ(st.setColor("fgcolor", "purple"), -1);
	EXPECT_EQ(st.setColor("xcolor", 1, 1, 1, 1), -1);
	EXPECT_EQ(st.setColor("xcolor", "b"), -1);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
	          "state::setColor(): unknown color 'purple'\n"
	          "state::getColorPtr(): unknown color name 'xcolor'\n"
	          "state::getColorPtr(): unknown color name 'xcolor'\n");
	EXPECT_EQ(std::memcmp(st.m_fgColor, fg, sizeof fg), 0);

	// objects take the colours when they are added, and keep them
	st.addE3gaObject(1.0, "a", 0, 0, 0);
	EXPECT_EQ(st.setColor("fgcolor", "b"), 0);
	st.addE3gaObject(1.0, "b", 0, 0, 0);
	EXPECT_EQ(st.getObjectPtrByName("a")->m_fgColor[0], 1.0f);
	EXPECT_EQ(st.getObjectPtrByName("b")->m_fgColor[2], 1.0f);
}

TEST(State, ReassignmentKeepsTheObjectOfTheSameKindOnly)
{
	state st;
	st.addE3gaObject(e3ga(e3gai::e1), "x", 0, 0, 0);
	object *first = st.getObjectPtrByName("x");
	first->m_dmMenuIdx = 2;
	st.setColor("fgcolor", "g");

	// same kind: the old object stays with its colour; its value is the new one
	st.addE3gaObject(e3ga(e3gai::e2), "x", 0, 5 << OC_DRAW_METHOD_SHIFT, FF_COPY_DRAW_METHOD);
	ASSERT_EQ(st.getObjectPtrByName("x"), first);
	EXPECT_EQ(first->m_fgColor[0], 1.0f);
	EXPECT_EQ(first->m_dmMenuIdx, 2);
	EXPECT_EQ(static_cast<e3gaObject *>(first)->toString("%g"), "\"x\" = 1*e2");
	// unless the colours are forced
	st.addE3gaObject(e3ga(e3gai::e2), "x", 0, 0, FF_COPY_COLORS);
	EXPECT_EQ(first->m_fgColor[1], 1.0f);

	// another model replaces it
	st.addP3gaObject(p3ga(p3gai::e0), "x", 0, 0, 0);
	object *second = st.getObjectPtrByName("x");
	EXPECT_EQ(second->m_type, OT_P3GA);
	EXPECT_EQ(names(st), std::vector<std::string>{"x"});
}

TEST(State, SystemVariablesStayHiddenAndInternal)
{
	state st;
	const int system = DM_INTERNAL | DM_HIDE;
	st.addE3gaObject(1.0, "camori", system, 0, 0);
	// replaced by the same kind (kept), then by another model (a new object)
	st.addE3gaObject(2.0, "camori", 0, 0, DM_HIDE | DM_INTERNAL);
	EXPECT_EQ(st.getObjectPtrByName("camori")->m_drawMode & system, system);
	st.addC3gaObject(2.0, "camori", 0, 0, 0);
	EXPECT_EQ(st.getObjectPtrByName("camori")->m_type, OT_C3GA);
	EXPECT_EQ(st.getObjectPtrByName("camori")->m_drawMode & system, system);
	// an explicit show does show it
	EXPECT_EQ(st.showObject("camori"), 0);
	EXPECT_FALSE(st.getObjectPtrByName("camori")->hidden());
	// an ordinary variable is shown when replaced
	st.addE3gaObject(1.0, "v", DM_HIDE, 0, 0);
	st.addI2gaObject(1.0, "v", 0, 0, 0);
	EXPECT_FALSE(st.getObjectPtrByName("v")->hidden());
}

TEST(State, ObjectsInByteOrderShownHiddenRemovedAndRecorded)
{
	state st;
	for (const char *name : {"a", "\xc3\xa9", "B", "_", "ab"}) st.addE3gaObject(1.0, name, 0, 0, 0);
	EXPECT_EQ(names(st), (std::vector<std::string>{"B", "_", "a", "ab", "\xc3\xa9"}));

	EXPECT_EQ(st.hideObject("a"), 0);
	EXPECT_TRUE(st.getObjectPtrByName("a")->hidden());
	EXPECT_EQ(st.showObject("a"), 0);
	EXPECT_FALSE(st.getObjectPtrByName("a")->hidden());
	EXPECT_EQ(st.hideObject("c"), -1);
	EXPECT_EQ(st.showObject("c"), -1);

	st.m_netVarChanges.clear();
	EXPECT_EQ(st.removeObject(st.getObjectPtrByName("ab")), 0);
	EXPECT_EQ(st.removeObject("B"), 0);
	EXPECT_EQ(st.removeObject("B"), -1);
	EXPECT_EQ(st.removeObject(nullptr), -1);
	EXPECT_EQ(names(st), (std::vector<std::string>{"_", "a", "\xc3\xa9"}));
	EXPECT_EQ(st.m_netVarChanges, (std::set<std::string>{"B", "ab"}));
}

TEST(State, FadesThatRemoveEndAfterTheWalk)
{
	state st;
	for (const char *name : {"a", "b", "c", "d"}) st.addE3gaObject(1.0, name, 0, 0, 0);
	// a, b and d end in removal, c hides: neighbours leave in one walk
	for (const char *name : {"a", "b", "c", "d"}) {
		object *o = st.getObjectPtrByName(name);
		o->m_fadeStartTime = u_timeGet() - 2.0;
		o->m_fadeEndTime = o->m_fadeStartTime + 1.0;
		o->m_fadeAction = std::string(name) == "c" ? object::FADE_HIDE : object::FADE_REMOVE;
	}
	st.addE3gaObject(1.0, "e", 0, 0, 0);
	st.objectUpdate();
	EXPECT_EQ(names(st), (std::vector<std::string>{"c", "e"}));
	EXPECT_TRUE(st.getObjectPtrByName("c")->hidden());

	// a fade of no length that removes ends in fadeObject itself
	EXPECT_EQ(st.fadeObject("e", 0.0, 0.0f, object::FADE_REMOVE, 1.0f), 0);
	EXPECT_EQ(st.getObjectPtrByName("e"), nullptr);
	EXPECT_EQ(st.fadeObject("e", 1.0, 0.0f, object::FADE_REMOVE, 1.0f), -1);
	EXPECT_EQ(st.fadeObject("c", 10.0, 0.0f, object::FADE_REMOVE, 1.0f), 0);
	EXPECT_NE(st.getObjectPtrByName("c"), nullptr);
}

TEST(State, StoredFactors)
{
	EXPECT_EQ(storedE3gaFactors(), nullptr);
	state st;
	EXPECT_EQ(storedP3gaFactors(), st.m_p3gaFactor);
	const e3ga v = add(2.0, add(e3ga(e3gai::e1), op(e3gai::e1, e3gai::e2)));
	testing::internal::CaptureStdout();
	const struct {
		int e3, p3, c3;
	} indices[] = {{3, 4, 5}, {-1, -1, -1}};
	for (const auto &i : indices) {
		EXPECT_EQ(st.setE3gaFactor(v, i.e3), -1);
		EXPECT_EQ(st.setP3gaFactor(p3ga(p3gai::e1), i.p3), -1);
		EXPECT_EQ(st.setC3gaFactor(c3ga(c3gai::e1), i.c3), -1);
	}
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
	          "state::setE3gaFactor(): invalid index 3\nstate::setP3gaFactor(): invalid index 4\n"
	          "state::setE3gaFactor(): invalid index -1\nstate::setP3gaFactor(): invalid index -1\n");
	// only the vector part is kept
	EXPECT_EQ(st.setE3gaFactor(v, 2), 0);
	EXPECT_EQ(st.setP3gaFactor(p3ga(p3gai::e0), 3), 0);
	EXPECT_EQ(st.setC3gaFactor(c3ga(c3gai::ni), 4), 0);
	EXPECT_STREQ(storedE3gaFactors()[2].string("%g"), "1*e1");
	EXPECT_STREQ(storedP3gaFactors()[3].string("%g"), "1*e0");
	EXPECT_STREQ(storedC3gaFactors()[4].string("%g"), "1*ni");
}

TEST(State, ResetRemovesTheObjectsAndKeepsTheSettings)
{
	state st;
	st.setColor("bgcolor", "y");
	st.m_fontSize = 11.0f;
	st.m_clipDistance = 7.0f;
	st.setE3gaFactor(e3ga(e3gai::e3), 0);
	st.addE3gaObject(1.0, "", 0, 0, 0);
	st.addE3gaObject(1.0, "", 0, 0, 0);
	st.reset();
	EXPECT_TRUE(names(st).empty());
	// the program's own variables are made again, and counted
	EXPECT_EQ(st.m_objects.size(), 3u);
	EXPECT_EQ(st.m_bgColor[2], 0.0f);
	// a new script starts with the default font size
	EXPECT_EQ(st.m_fontSize, 20.0f);
	EXPECT_EQ(st.m_clipDistance, 7.0f);
	EXPECT_STREQ(st.m_e3gaFactor[0].string("%g"), "1*e3");
	st.addE3gaObject(1.0, "", 0, 0, 0);
	EXPECT_NE(st.getObjectPtrByName("object_4"), nullptr);
}

TEST(State, WorkingDirectoryAndFullFilenames)
{
	state st;
	EXPECT_FALSE(st.m_initialWorkingDirectory.empty());
	// a relative directory is taken against the process's directory
	const std::string here = st.m_initialWorkingDirectory;
	const struct {
		const char *path;
		bool fromFileName;
		std::string directory;
		const char *name;
		std::string full;
	} rows[] = {
	    {"dir/file.g", true, here + "/dir", "x.g", here + "/dir/x.g"},
	    {"a\\b/c\\file.g", true, here + "/a\\b/c", "x.g", here + "/a\\b/c/x.g"},
	    {"dir/file.g", false, here + "/dir/file.g", "x.g", here + "/dir/file.g/x.g"},
	    {"/file.g", true, "/", "x.g", "/x.g"},
	    {"/abs/dir/", false, "/abs/dir/", "x.g", "/abs/dir/x.g"},
	    {"file.g", true, here, "x.g", here + "/x.g"},
	    {"dir", false, here + "/dir", "/abs/x.g", "/abs/x.g"},
	    {"dir", false, here + "/dir", "~/x.g", "~/x.g"},
	    {"~/dir/file.g", true, "~/dir", "x.g", "~/dir/x.g"},
	    {"./file.g", true, here, "x.g", here + "/x.g"},
	    {".//./dir/file.g", true, here + "/dir", "x.g", here + "/dir/x.g"},
	    {"./", false, here, "x.g", here + "/x.g"},
	    {"", false, "", "x.g", "x.g"},
	};
	for (const auto &r : rows) {
		st.setWorkingDirectory(r.path, r.fromFileName);
		EXPECT_EQ(st.m_workingDirectory, r.directory) << r.path;
		EXPECT_EQ(st.fullFilename(r.name), r.full) << r.path;
	}
}

} // namespace
