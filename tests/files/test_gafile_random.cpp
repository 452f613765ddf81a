// Seeded random lines through the line interpreter: keywords, names, quotes,
// numbers out of range, broken multivectors, flags, arguments and comments
// in any order. Nothing may crash or leak, and the reader and the state
// stay usable.
#include <random>
#include <string>
#include <vector>

#include "support/scriptfixture.h"

namespace {

// Lines interpreted, and how often the timer's script steps run among them.
constexpr int sc_nbLines = 100000;
constexpr int sc_tickEvery = 1000;
// The most words after the keyword.
constexpr int sc_maxWords = 7;

const std::vector<std::string> c_keywords = {
	"e3ga", "ca3d", "p3ga", "ca4d", "c3ga", "ca5d", "title", "bookmark", "fgcolor", "bgcolor", "olcolor", "cvcolor",
	"fontsize", "consolefontsize", "clear", "clearconsole", "remove", "clip", "eyepos", "campos", "eyetrl", "camtrl",
	"eyeori", "camori", "eyerot", "camrot", "hide", "show", "sleep", "wait", "status", "factor", "exit", "delete",
	"resize", "consoleheight", "viewwindowsize", "fullscreen", "open", "switchto", "import", "polygonoffset",
	"console", "fade", "fade_and_remove", "fade_and_hide", "show_and_fade", "label", "play", "mesh", "bogus", "",
};

const std::vector<std::string> c_words = {
	"a", "b", "obj", "\"x y\"", "\"\"", "\"", "\"unclosed", "#", "# comment \"", "0", "-1", "1.5", "1e308", "-1e308",
	"nan", "inf", "99999999999", "0x10", "[e1]", "[e1 + 2*e2]", "[e1^e2]", "[I3]", "[e0 + einf]", "[einf^e0]",
	"[", "]", "[e1 +]", "[]", "[*]", "[e1^]", "[1e999*e1]", "hide", "stipple", "dm3", "grade7", "flag_2d", "width=5",
	"blah", "$1", "$2", "$12", "\\$1", "$", "pixels", "lines", "on", "off", "yes", "ask", "e3ga", "p3ga", "c3ga", "4",
	"controls", "console", "scalar_controls", "missing.geo", "a = 1;", "cmd(\"e3ga q [e1]\");", "reset();",
	"cmd(\"clear\");", "dynamic{b = a,}", "cmd(\"console c = 2;\");", "start_animation();", "camrot(e1^e2, 1);",
	std::string(300, 'x'),
};

class RandomLines : public scriptTest {};

TEST_F(RandomLines, NothingBreaks)
{
	std::string path = write("random.geo", "");
	const char *argv[] = {"one", "two words", "x\"y"};
	GAfile reader(&m_state, path.c_str(), 1, nullptr, 3, const_cast<char **>(argv));
	std::mt19937 random(20);
	auto pick = [&](const std::vector<std::string> &v) { return v[random() % v.size()]; };

	testing::internal::CaptureStdout();
	for (int i = 0; i < sc_nbLines; i++) {
		std::string text = pick(c_keywords);
		for (int w = random() % (sc_maxWords + 1); w > 0; w--) text += (random() % 4 ? " " : "") + pick(c_words);
		reader.ensureBufLen((int)text.size());
		std::copy(text.begin(), text.end(), reader.m_buf);
		reader.m_buf[text.size()] = '\0';
		reader.m_bufLen = (int)text.size();
		reader.substituteArguments(&m_state);
		reader.parseLine(&m_state);
		if (i % sc_tickEvery == 0) {
			m_state.setInputWaitState(0);
			m_state.readScripts();
			m_state.deleteGAfileStack(nullptr, 0);
		}
	}
	std::string out = testing::internal::GetCapturedStdout();
	EXPECT_FALSE(out.empty());

	// the state is whole: nothing runs any more, and new lines still work
	m_state.freeOpenFile();
	m_state.runDeferred(false);
	EXPECT_EQ(m_state.m_commandNesting, 0);
	EXPECT_EQ(m_state.m_GAfileReadNesting, 0);
	line("e3ga last [e1]");
	EXPECT_TRUE(has("last"));
	EXPECT_NE(value("camori"), "none");
}

} // namespace
