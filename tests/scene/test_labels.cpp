// Labels without a view: the state's typesetting mode and font, its
// typesetter and its definitions, labels made at a position or at a point
// and made again under their name, their descriptions and sort values, the
// console's label commands.
#include <gtest/gtest.h>

#include "scene/textobject.h"
#include "support/typedcommands.h"
#include "typeset/typeset.h"

namespace {

class labels : public typedCommands {
protected:
	textObject *label(const std::string &name)
	{
		return dynamic_cast<textObject *>(m_state.getObjectPtrByName(name));
	}
	static e3ga at(double x, double y, double z) { return e3ga(2, x, y, z); }
	static void expectAt(const textObject *t, double x, double y, double z)
	{
		const double *p = t->m_pos.coordinates(2);
		EXPECT_EQ(p[0], x);
		EXPECT_EQ(p[1], y);
		EXPECT_EQ(p[2], z);
	}
};

TEST_F(labels, ModeAndFontByTheirFirstLetter)
{
	EXPECT_STREQ(m_state.m_tsMode, "verbatim");
	EXPECT_STREQ(m_state.m_tsFont, "regular");
	// (the scene-file keywords' tests read more words) no word, or an
	// empty one, changes nothing
	const struct {
		const char *word, *mode, *font;
	} words[] = {{"Text", "text", "regular"}, {"italic", "text", "italic"}, {"G", "text", "greek"},
	             {nullptr, "text", "greek"}, {"", "text", "greek"}, {"b", "text", "bold"}};
	for (const auto &c : words) {
		EXPECT_EQ(m_state.tsSetMode(c.word), 0);
		EXPECT_EQ(m_state.tsSetFont(c.word), 0);
		EXPECT_STREQ(m_state.m_tsMode, c.mode) << (c.word ? c.word : "null");
		EXPECT_STREQ(m_state.m_tsFont, c.font) << (c.word ? c.word : "null");
	}

	// new labels take both; the reset brings a new typesetter without the
	// definitions read before, and the defaults back
	m_state.addTextObject("a", at(0, 0, 0), "a", 0, -1);
	EXPECT_STREQ(label("a")->m_tsMode, "text");
	EXPECT_STREQ(label("a")->m_tsFont, "bold");
	EXPECT_EQ(m_state.tsParse("\\newcommand{\\half}{\\frac{1}{2}}"), 0);
	EXPECT_NE(m_state.m_typesetState->getCommand("half"), nullptr);
	EXPECT_EQ(m_state.tsReset(), 0);
	EXPECT_EQ(m_state.m_typesetState->getCommand("half"), nullptr);
	EXPECT_STREQ(m_state.m_tsMode, "verbatim");
	EXPECT_STREQ(m_state.m_tsFont, "regular");
	// definitions are read in text mode whatever the labels' mode; a text
	// that does not parse is the typesetter's failure
	m_state.tsSetMode("equation");
	testing::internal::CaptureStdout();
	EXPECT_EQ(m_state.tsParse("{a"), -1);
	EXPECT_NE(testing::internal::GetCapturedStdout().find("typesetState::typeset(): could not parse string."),
	          std::string::npos);
	EXPECT_EQ(m_state.m_typesetState->m_initialMode, TS_MODE_TEXT);
}

TEST_F(labels, AtAPositionOrAtAPoint)
{
	typed("p = e1 + 2 * e2 + 3 * e3;");
	m_state.addTextObject("world", at(4, 5, 6), "w", LF_3D | LF_DYNAMIC | LF_NX, 7);
	m_state.addTextObject("once", std::string("p"), "o", LF_3D, -1);
	m_state.addTextObject("follows", std::string("p"), "f", LF_3D | LF_DYNAMIC, -1);
	m_state.addTextObject("nothing there", std::string("q"), "n", LF_3D, -1);
	const struct {
		const char *name, *text;
		int properties, flags;
		const char *pointName;
		double x, y, z;
	} cases[] = {
	    // a label at a position follows nothing and has an interpretation
	    {"w", "world", 0x13F, LF_3D | LF_NX, "", 4, 5, 6},
	    {"o", "once", 0x3F, LF_3D, "", 1, 2, 3},
	    {"f", "follows", 0x3F, LF_3D | LF_DYNAMIC, "p", 0, 0, 0},
	    {"n", "nothing there", 0x3F, LF_3D, "", 0, 0, 0},
	};
	for (const auto &c : cases) {
		textObject *t = label(c.name);
		ASSERT_NE(t, nullptr) << c.name;
		EXPECT_EQ(t->m_type, OT_TEXT);
		EXPECT_STREQ(t->m_text, c.text);
		EXPECT_EQ(t->m_properties, c.properties) << c.name;
		EXPECT_EQ(t->m_flags, c.flags) << c.name;
		EXPECT_EQ(t->m_pointName, c.pointName);
		expectAt(t, c.x, c.y, c.z);
		// the state's defaults
		EXPECT_EQ(t->m_fontSize, 20.0f);
		EXPECT_EQ(t->m_bgColor[0], 0.7f);
	}
	EXPECT_EQ(label("w")->m_userWidth, 7);
	// the text is the label's own copy
	const char text[] = "copied";
	m_state.addTextObject(text, at(0, 0, 0), "c", 0, -1);
	EXPECT_NE(label("c")->m_text, text);
}

TEST_F(labels, MadeAgainUnderTheirName)
{
	typed("p = e1; q = e2;");
	m_state.addTextObject("first", std::string("p"), "l", LF_3D | LF_DYNAMIC, 100);
	textObject *kept = label("l");
	kept->m_fgColor[0] = 0.25f;
	m_state.m_tsMode = "text";
	m_state.addTextObject("second", std::string("q"), "l", LF_3D | LF_DYNAMIC | LF_WIDTH, 200);
	// the same object, with everything of the new one: text, point, width,
	// flags, mode, and (forced) the colours
	ASSERT_EQ(label("l"), kept);
	EXPECT_STREQ(kept->m_text, "second");
	EXPECT_EQ(kept->m_pointName, "q");
	EXPECT_EQ(kept->m_userWidth, 200);
	EXPECT_EQ(kept->m_flags, LF_3D | LF_DYNAMIC | LF_WIDTH);
	EXPECT_STREQ(kept->m_tsMode, "text");
	EXPECT_EQ(kept->m_fgColor[0], 1.0f);
	// the text changed: the value is reported
	textObject same("second", std::string("q"), "l", 0, LF_3D | LF_DYNAMIC, 200);
	int changed = -1;
	EXPECT_EQ(kept->copy(&same, changed, 0), 0);
	EXPECT_EQ(changed & OP_VALUE, 0);
	textObject other("third", std::string("q"), "l", 0, LF_3D | LF_DYNAMIC, 200);
	EXPECT_EQ(kept->copy(&other, changed, 0), 0);
	EXPECT_EQ(changed & OP_VALUE, OP_VALUE);
	// a label at a position has other properties: it takes the old one's place
	m_state.addTextObject("fourth", at(1, 0, 0), "l", LF_3D, -1);
	EXPECT_NE(label("l"), nullptr);
	EXPECT_EQ(label("l")->m_properties, 0x13F);
	EXPECT_EQ(label("l")->m_pointName, "");
}

TEST_F(labels, DescriptionsAndSortValues)
{
	m_state.addTextObject("50%", at(0, 0, 0), "t", 0, -1);
	m_state.addTextObject("pic.png", at(0, 0, 0), "i", LF_IMAGE, -1);
	char buf[64];
	label("t")->description(buf, sizeof buf, 1);
	EXPECT_STREQ(buf, "t: text: \n'50%'");
	label("i")->description(buf, sizeof buf, 0);
	EXPECT_STREQ(buf, "image: \n'pic.png'");
	label("t")->description(buf, 8, 1);
	EXPECT_STREQ(buf, "t: text");

	// 1 opaque, 2 when the alphas (fade included) add up to at most 2.99; 2
	// more on top
	textObject *t = label("t");
	const struct {
		float fg, bg, ol, fade;
		int onTop;
		double value;
	} cases[] = {
	    {1, 1, 1, 1, 1, 3}, {1, 1, 1, 1, 0, 1}, {1, 1, 0.98f, 1, 0, 2}, {1, 1, 1, 0.99f, 0, 2}, {1, 1, 1, 0.998f, 0, 1},
	    {0.5f, 1, 1, 1, 1, 4}, {1, 0, 1, 1, 0, 2},
	};
	for (const auto &c : cases) {
		t->m_fgColor[3] = c.fg;
		t->m_bgColor[3] = c.bg;
		t->m_olColor[3] = c.ol;
		t->m_fadeCurrentFactor = c.fade;
		m_state.m_labelsAlwaysOnTop = c.onTop;
		EXPECT_EQ(t->drawSortValue(), c.value) << c.fg << " " << c.bg << " " << c.ol << " " << c.fade;
	}
}

TEST_F(labels, ConsoleCommands)
{
	// label(x) follows x and shows its name; label(x, t) shows t's name; a
	// name that is no variable is passed as it stands
	EXPECT_EQ(typed("x = e1 + e2; label(x); label(x, \"to the right\"); label(y, nothing);"), "");
	ASSERT_NE(label("x_label"), nullptr);
	EXPECT_STREQ(label("x_label")->m_text, "to the right");
	EXPECT_EQ(label("x_label")->m_pointName, "x");
	EXPECT_EQ(label("x_label")->m_flags, LF_3D | LF_DYNAMIC);
	EXPECT_EQ(label("x_label")->m_userWidth, -1);
	ASSERT_NE(label("y_label"), nullptr);
	EXPECT_STREQ(label("y_label")->m_text, "nothing");
	typed("label(x);");
	EXPECT_STREQ(label("x_label")->m_text, "x");
}

} // namespace
