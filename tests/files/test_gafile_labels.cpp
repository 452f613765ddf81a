// The scene-file keywords of labels and their typesetting: "label" at a
// position or at an object, with its flags and an image beside the script;
// "tsmode" and "tsfont", which a new top-level file resets; "tsinterpret"
// definitions that later labels use; the length texts are held to; and
// their messages.
#include <functional>

#include "support/scriptfixture.h"
#include "scene/textobject.h"
#include "typeset/typeset.h"

namespace {

const std::string c_file = "virtual console file.geo";

std::string message(const char *format, const char *kw)
{
	char buf[256];
	std::snprintf(buf, sizeof buf, format, c_file.c_str(), kw, 0);
	return buf;
}
const char *const c_invalid = "warning: GAfile::parseLine(): file '%s': invalid '%s' entry at line '%d'\n";
const char *const c_noText = "GAfile::parseLine(): file '%s': no text specified in entry '%s' at line '%d'\n";
const char *const c_badText = "warning: GAfile::parseLine(): file '%s': error in text in '%s' entry at line '%d'\n";

class LabelKeywords : public scriptTest {
protected:
	textObject *label(const char *name) { return dynamic_cast<textObject *>(m_state.getObjectPtrByName(name)); }
};

TEST_F(LabelKeywords, LabelsAtPositionsAndObjects)
{
	typed("p = e1 + e3;");
	const struct {
		const char *line;
		std::string out;
	} refused[] = {
	    {"label", message(c_invalid, "label")},
	    {"label l", message(c_invalid, "label")},
	    {"label l nothing text", message(c_invalid, "label")},
	    {"LABEL l [e1 + 2*e2]", message(c_invalid, "LABEL")},
	};
	for (const auto &r : refused) {
		EXPECT_EQ(line(r.line), r.out) << r.line;
		EXPECT_FALSE(has("l")) << r.line;
	}

	// a position (a "#" in the quoted text is no comment), flags and a width
	EXPECT_EQ(line("label l [e1 + 2*e2] \"50% # of it\" 2d px Flag_PY width=80 # a comment"), "");
	textObject *l = label("l");
	ASSERT_NE(l, nullptr);
	EXPECT_STREQ(l->m_text, "50% # of it");
	EXPECT_EQ(l->m_flags, LF_2D | LF_PX | LF_PY | LF_WIDTH);
	EXPECT_EQ(l->m_userWidth, 80);
	EXPECT_EQ(std::string(l->m_pos.string("%g")), "1*e1 + 2*e2");
	// an object's name: it stands there, or follows it
	EXPECT_EQ(line("label at p \"at p\""), "");
	EXPECT_EQ(line("label f \"p\" follows dynamic"), "");
	EXPECT_EQ(std::string(label("at")->m_pos.string("%g")), "1*e1 + 1*e3");
	EXPECT_EQ(label("f")->m_pointName, "p");
	EXPECT_EQ(label("f")->m_flags, LF_DYNAMIC);

	// an image is named beside the script that shows it; with no view it
	// waits to be loaded
	std::string script = write("show.geo", "tsmode equation\nlabel pic [0] \"picture.png\" image 3d\nlabel eq [0] x^2\n");
	open(script);
	EXPECT_EQ(tick(), "");
	ASSERT_NE(label("pic"), nullptr);
	EXPECT_EQ(label("pic")->m_text, m_dir.file("picture.png"));
	EXPECT_EQ(label("pic")->m_flags, LF_IMAGE | LF_3D);
	EXPECT_STREQ(label("eq")->m_tsMode, "equation");
}

TEST_F(LabelKeywords, TypesettingModeFontAndDefinitions)
{
	const struct {
		const char *line;
		std::string out;
		const char *mode, *font;
	} rows[] = {
	    {"tsmode", message(c_invalid, "tsmode"), "verbatim", "regular"},
	    {"TSMODE Equation", "", "equation", "regular"},
	    {"tsmode plain", "", "equation", "regular"},
	    {"tsfont", message(c_invalid, "tsfont"), "equation", "regular"},
	    {"tsfont \"Bold face\"", "", "equation", "bold"},
	    {"tsfont x", "", "equation", "bold"},
	    {"tsmode v", "", "verbatim", "bold"},
	};
	for (const auto &r : rows) {
		EXPECT_EQ(line(r.line), r.out) << r.line;
		EXPECT_STREQ(m_state.m_tsMode, r.mode) << r.line;
		EXPECT_STREQ(m_state.m_tsFont, r.font) << r.line;
	}
	// a new top-level file starts regular and verbatim
	line("tsmode text");
	m_state.resetGAfileState();
	EXPECT_STREQ(m_state.m_tsMode, "verbatim");
	EXPECT_STREQ(m_state.m_tsFont, "regular");

	EXPECT_EQ(line("tsinterpret"), message(c_noText, "tsinterpret"));
	EXPECT_EQ(line("tsinterpret \"\\newcommand{\\pair}{(\\1, \\2)}\""), "");
	fpNode_s *pair = m_state.m_typesetState->getCommand("pair");
	ASSERT_NE(pair, nullptr);
	// a text that does not parse: the typesetter's messages, then the line's
	std::string out = line("tsinterpret \"{a\"");
	const std::string bad = message(c_badText, "tsinterpret");
	ASSERT_GE(out.size(), bad.size());
	EXPECT_EQ(out.substr(out.size() - bad.size()), bad);
	EXPECT_NE(out.find("typesetState::typeset(): could not parse string."), std::string::npos);
	EXPECT_EQ(m_state.m_typesetState->getCommand("pair"), pair);
}

TEST_F(LabelKeywords, TextsAreHeldToTheFormatsLength)
{
	const size_t most = GAfile::sc_maxTextLength;
	ASSERT_EQ(most, 2059u);
	const std::string longest(most, 'x'), over(most + 1, 'x');
	// a definition of the command name, so many characters long
	auto definition = [](const char *name, size_t n) {
		const std::string head = std::string("\\newcommand{\\") + name + "}{";
		return head + std::string(n - head.size() - 1, 'y') + "}";
	};
	const char *const tooLong =
	    "warning: GAfile::parseLine(): file '%s': text longer than 2059 bytes in entry '%s' at line '%d'\n";
	GAfile *f = m_state.m_consoleGAfile;
	f->m_deleteFile = 1;
	const struct {
		std::string line;
		const char *kw;
		bool taken;
		std::function<bool()> effect;
	} rows[] = {
	    {"label l [e1] \"" + longest + "\"", "label", true, [&] { return label("l") && label("l")->m_text == longest; }},
	    {"label m [e1] \"" + over + "\" 2d", "label", false, [&] { return !has("m"); }},
	    {"tsinterpret \"" + definition("a", most) + "\"", "tsinterpret", true,
	     [&] { return m_state.m_typesetState->getCommand("a") != nullptr; }},
	    {"tsinterpret \"" + definition("b", most + 1) + "\"", "tsinterpret", false,
	     [&] { return m_state.m_typesetState->getCommand("b") == nullptr; }},
	    {"status \"" + longest + "\"", "status", true, [] { return true; }},
	    {"status \"" + over + "\"", "status", false, [] { return true; }},
	    // a question too long leaves the file's fate as it was
	    {"delete ask \"" + over + "\"", "delete", false, [&] { return f->m_deleteFile == 1; }},
	    {"delete ask \"" + longest + "\"", "delete", true,
	     [&] { return f->m_deleteFile == 0 && f->m_deleteFileQuestion == longest; }},
	};
	for (const auto &r : rows) {
		EXPECT_EQ(line(r.line), r.taken ? std::string() : message(tooLong, r.kw)) << r.kw << " " << r.line.size();
		EXPECT_TRUE(r.effect()) << r.kw << " " << r.line.size();
	}
	// labels of the console too, which a saved scene could not hold
	typed("p = e1;");
	EXPECT_EQ(typed(("label(p, \"" + over + "\");").c_str()),
	          "state::addTextObject(): label text longer than 2059 bytes; no label made\n");
	EXPECT_FALSE(has("p_label"));
	EXPECT_EQ(typed(("label(p, \"" + longest + "\");").c_str()), "");
	ASSERT_NE(label("p_label"), nullptr);
	EXPECT_EQ(label("p_label")->m_text, longest);
}

} // namespace
