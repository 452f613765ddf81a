// Saving the scene without a user interface: the exact lines of a saved
// scene, quoted texts that read back unchanged, scenes of values, names and
// console lines that once did not read back, image labels saved and read
// again from other directories, and files that cannot be written.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "console/consolecontrol.h"
#include "scene/labelflags.h"
#include "image/pngwrapper.h"
#include "support/savedobjects.h"
#include "support/scriptfixture.h"
#include "scene/textobject.h"

namespace {

class sceneWriter : public scriptTest {
protected:
	// The scene saved to a scratch file, as text.
	std::string saved()
	{
		const std::string path = m_dir.file("saved.geo");
		EXPECT_EQ(m_state.writeStateToGeoFile(path.c_str()), 0);
		const bytes b = readFile(path);
		return std::string(b.begin(), b.end());
	}
	// The lines from the one that begins with from up to the end.
	static std::string from(const std::string &text, const std::string &line)
	{
		const size_t at = text.find("\n" + line);
		return at == std::string::npos ? std::string() : text.substr(at + 1);
	}
};

TEST_F(sceneWriter, EveryPartOfTheSceneHasItsLines)
{
	m_state.setE3gaFactor(e3ga(2, 1.0 / 3.0, 0.0, 0.0), 1);
	for (const char *l : {"fgcolor 0.25 0.5 0.75 0.5", "fontsize 12", "e3ga \"v\" [0.5*e1 + 2*e2] stipple orientation",
	                      "fgcolor 1 0 0 1", "fontsize 20", "i2ga \"k\" [0.25*no + 1e-30*e1^gi] hide",
	                      "p3ga \"B\" [e1^e2] dm2 wireframe", "title \"say \\\"hi\\\" # no comment\"",
	                      "eyepos [0.5*e1 + 8*e3]", "clip 7.5"})
		EXPECT_EQ(line(l), "") << l;
	typed("ctrl_bool(flag = 1); ctrl_select(m = 0.1, a = 0.1, b = 2); dynamic{ f = 3*v; } dynamic{ nm : d = v; }");
	typed("add_const(K = 0.1*e2);");
	const std::string text = saved();

	const std::string start = "clear\n"
	                          "factor e3ga 1 [0]\n"
	                          "factor e3ga 2 [3.33333333333333314830e-01*e1]\n"
	                          "factor e3ga 3 [0]\n"
	                          "factor p3ga 1 [0]\n";
	EXPECT_EQ(text.substr(0, start.size()), start);
	EXPECT_NE(text.find("factor c3ga 5 [0]\n"
	                    "fgcolor 1.000000 0.000000 0.000000 1.000000\n"
	                    "bgcolor 0.700000 0.700000 0.700000 1.000000\n"
	                    "olcolor 0.000000 0.000000 0.000000 1.000000\n"
	                    "fontsize 20.000000\n"
	                    "p3ga \"B\" [1.00000000000000000000e+00*e1^e2] wireframe shade dm2\n"),
	          std::string::npos);
	// an object's own colours and font size come first; its hidden state
	// and flags follow the value
	EXPECT_NE(text.find("fontsize 20.000000\n"
	                    "i2ga \"k\" [2.50000000000000000000e-01*no + 1.00000000000000008334e-30*e1^gi] hide shade \n"),
	          std::string::npos);
	EXPECT_NE(text.find("fgcolor 0.250000 0.500000 0.750000 0.500000\n"
	                    "bgcolor 0.700000 0.700000 0.700000 1.000000\n"
	                    "olcolor 0.000000 0.000000 0.000000 1.000000\n"
	                    "fontsize 12.000000\n"
	                    "e3ga \"v\" [5.00000000000000000000e-01*e1 + 2.00000000000000000000e+00*e2] "
	                    "stipple orientation shade \n"),
	          std::string::npos);
	// the program's own variables are not objects of the file
	EXPECT_EQ(text.find("\"camori\""), std::string::npos);
	EXPECT_EQ(text.find("\"campos\""), std::string::npos);
	const std::string state = from(text, "title");
	EXPECT_EQ(state.substr(0, state.find("\nfgcolor", state.find("console add_const")) + 1),
	          "title \"say \\\"hi\\\" # no comment\"\n"
	          "fgcolor 1.000000 0.000000 0.000000 1.000000\n"
	          "bgcolor 0.700000 0.700000 0.700000 1.000000\n"
	          "olcolor 0.000000 0.000000 0.000000 1.000000\n"
	          "fontsize 20.000000\n"
	          "cvcolor 0.500000 0.500000 0.500000 1.000000\n"
	          "clip 7.500000\n"
	          "tsmode verbatim\n"
	          "tsfont regular\n"
	          "eyepos [5.00000000000000000000e-01*e1 + 8.00000000000000000000e+00*e3]\n"
	          "eyeori [0]\n"
	          "console ctrl_bool(flag = 1);\n"
	          "console ctrl_select(m = 0.1, a = 0.1, b = 2);\n"
	          "console dynamic{f = 3 * v;}\n"
	          "console dynamic{nm : d = v;}\n"
	          "console add_const(K = 0.1*e2);\n");
	// then, once more, what those lines assign or read, and the state's
	// colours and font size again
	EXPECT_EQ(text.substr(text.find("\nfgcolor", text.rfind("\ne3ga \"m\" [")) + 1),
	          "fgcolor 0.250000 0.500000 0.750000 0.500000\n"
	          "bgcolor 0.700000 0.700000 0.700000 1.000000\n"
	          "olcolor 0.000000 0.000000 0.000000 1.000000\n"
	          "fontsize 12.000000\n"
	          "e3ga \"v\" [5.00000000000000000000e-01*e1 + 2.00000000000000000000e+00*e2] restore "
	          "stipple orientation shade \n"
	          "fgcolor 1.000000 0.000000 0.000000 1.000000\n"
	          "bgcolor 0.700000 0.700000 0.700000 1.000000\n"
	          "olcolor 0.000000 0.000000 0.000000 1.000000\n"
	          "fontsize 20.000000\n");
	for (const char *restored : {"a", "b", "d", "f", "flag", "m", "v"})
		EXPECT_NE(text.find(std::string("\ne3ga \"") + restored + "\" [", text.find("console add_const")),
		          std::string::npos) << restored;
}

TEST_F(sceneWriter, CopiesOfTheProgramsVariablesAreSavedAndReopened)
{
	EXPECT_EQ(typed("p1 = campos, p2 = camori;"), "p1 = 11.00*e3\n");
	const std::string path = m_dir.file("saved.geo");
	const std::string text = saved();
	EXPECT_NE(text.find("e3ga \"p1\" [1.10000000000000000000e+01*e3] magnitude shade \n"), std::string::npos) << text;
	EXPECT_NE(text.find("e3ga \"p2\" [1.00000000000000000000e+00] hide shade \n"), std::string::npos) << text;
	EXPECT_EQ(text.find("\"campos\""), std::string::npos);
	typed("remove(p1); remove(p2);");
	ASSERT_FALSE(has("p1"));
	open(path);
	EXPECT_EQ(tick(), "");
	// ordinary variables again: p1 shown, p2 hidden as it was saved, neither internal
	for (const char *name : {"p1", "p2"}) {
		const object *obj = m_state.getObjectPtrByName(name);
		ASSERT_NE(obj, nullptr) << name;
		EXPECT_EQ(obj->m_drawMode & DM_INTERNAL, 0) << name;
		EXPECT_EQ(obj->hidden() != 0, name == std::string("p2")) << name;
	}
	EXPECT_EQ(value("p1"), "11*e3");
	EXPECT_EQ(value("p2"), "1");
}

// An attribute set on a variable, typed or on a scene file's line, keeps
// the colour the variable had; the file holds that look, and opened it
// shows it again.
TEST_F(sceneWriter, AnAttributeSetOnAVariableIsSavedInTheVariablesColour)
{
	typed("v = blue(e1), v = alpha(v, 0.5),");
	EXPECT_EQ(line("console s = blue(e2); s = show(s),"), "s = 1.00*e2\n");
	saved();
	const std::map<std::string, std::string> objects = savedObjectLines(m_state);
	EXPECT_EQ(objects.at("v").substr(0, objects.at("v").find('\n')), "fgcolor 0.000000 0.000000 1.000000 0.500000");
	EXPECT_EQ(objects.at("s").substr(0, objects.at("s").find('\n')), "fgcolor 0.000000 0.000000 1.000000 1.000000");
	typed("clf()");
	open(m_dir.file("saved.geo"));
	EXPECT_EQ(tick(), "");
	EXPECT_EQ(savedObjectLines(m_state), objects);
}

TEST_F(sceneWriter, LabelsPolygonsAndMeshesFollowThePointsTheyName)
{
	for (const char *l : {"e3ga \"p\" [e1]", "e3ga \"q\" [0.5*e2]", "tsmode equation", "tsfont bold",
	                      "label \"A\" \"p\" \"say \\\"hi\\\"\" flag_dynamic flag_3d width=120", "tsmode verbatim",
	                      "tsfont regular", "label \"W\" [10*e1 + 20*e2] \"\\frac{1}{2}\" 2d px ny", "hide W",
	                      "polygon \"P\" 2 \"p\" \"q\" outline", "simplex \"S\" 2 \"q\" \"p\" dynamic dm2",
	                      "mesh \"M\" specify_normals", "meshvertex \"M\" 0 [e3]", "meshvertex \"M\" 1 \"q\"",
	                      "meshnormal \"M\" 1 [e1]", "meshface \"M\" 1 0 1"})
		EXPECT_EQ(line(l), "") << l;
	const std::string text = saved();
	const std::string common = "fgcolor 1.000000 0.000000 0.000000 1.000000\n"
	                           "bgcolor 0.700000 0.700000 0.700000 1.000000\n"
	                           "olcolor 0.000000 0.000000 0.000000 1.000000\n"
	                           "fontsize 20.000000\n";
	const std::string one = "1.00000000000000000000e+00", half = "5.00000000000000000000e-01";
	// the values first, then what stands at them, each group in name order
	EXPECT_EQ(text.substr(text.find("\n" + common) + 1, text.find("title ") - text.find("\n" + common) - 1),
	          common + "e3ga \"p\" [" + one + "*e1] shade \n" +
	          common + "e3ga \"q\" [" + half + "*e2] shade \n" +
	          common + "tsmode equation\ntsfont bold\n"
	                   "label \"A\" \"p\" \"say \\\"hi\\\"\" flag_3d flag_dynamic width=120 \n" +
	          common + "mesh \"M\" specify_normals shade \n"
	                   "meshvertex \"M\" 0 [" + one + "*e3]\n"
	                   "meshnormal \"M\" 0 [0]\n"
	                   "meshvertex \"M\" 1 \"q\"\n"
	                   "meshnormal \"M\" 1 [" + one + "*e1]\n"
	                   "meshface \"M\" 1 0 1 \n" +
	          common + "polygon \"P\" 2 [" + one + "*e1] [" + half + "*e2] shade outline dm1\n" +
	          common + "simplex \"S\" 2 \"q\" \"p\" dynamic shade dm2\n" +
	          common + "tsmode verbatim\ntsfont regular\n"
	                   "label \"W\" [1.00000000000000000000e+01*e1 + 2.00000000000000000000e+01*e2] "
	                   "\"\\frac{1}{2}\" flag_2d flag_px flag_ny \n"
	                   "hide \"W\"\n");
}

TEST_F(sceneWriter, QuotedTextsReadBackUnchanged)
{
	// text, its quoted form
	const struct {
		std::string text, quoted;
	} cases[] = {
		{"", "\"\""},
		{"a b # c", "\"a b # c\""},
		{"say \"hi\"", "\"say \\\"hi\\\"\""},
		{"\\frac{a}{b} \\\\", "\"\\frac{a}{b} \\\\\\\\\""},
		{"ends in \\", "\"ends in \\\\\""},
		{"\\\"", "\"\\\\\\\"\""},
		{"\"", "\"\\\"\""},
	};
	for (const auto &c : cases) {
		EXPECT_EQ(GAfile::quoted(c.text), c.quoted);
		const std::string lineText = "x " + c.quoted + " y";
		std::string back;
		EXPECT_EQ(GAfile::readString(lineText.c_str(), 1, back, ""), 2 + (int)c.quoted.size()) << c.quoted;
		EXPECT_EQ(back, c.text);
	}
	// a backslash that comes before no quote is itself, as before
	std::string back;
	EXPECT_EQ(GAfile::readString("\"a\\b\\\\c\"", 0, back, ""), 8);
	EXPECT_EQ(back, "a\\b\\\\c");
	EXPECT_EQ(GAfile::readString("\"open \\\"", 0, back, ""), -1);

	// an escaped quote neither ends a quoted name nor starts a comment, and
	// an argument inside it goes in without its own quotes
	const std::string path = write("q.geo", "e3ga \"a\\\"#$1\" [e1] # comment\n");
	char arg[] = "b c", *args[] = {arg};
	m_state.openGAfile(path.c_str(), 1, args, -1);
	EXPECT_EQ(tick(), "");
	EXPECT_TRUE(has("a\"#b c"));
}

TEST_F(sceneWriter, EveryTriggerReadsBackAsSaved)
{
	const std::string noInterpretation = "Interpretation of object 'a' with coordinates inf*e1 failed.\n"
	                                     "Interpretation of object 'n' with coordinates -inf*e1 failed.\n";
	// an infinite constant is made through a variable of its name, which
	// prints in the names of the moment
	const auto infiniteConstants = [](const char *x, const char *y) {
		return std::string("Interpretation of object 'Ki' with coordinates inf*") + x + " + -1.00*" + y + " failed.\n" +
		       "Interpretation of object 'Km' with coordinates -inf*" + x + " + 1.00*" + y + " failed.\n";
	};
	// names one byte longer than a scene file holds, and the longest it holds
	const std::string over(GAfile::sc_maxNameLength + 1, 'd'), most(GAfile::sc_maxNameLength, 'd');
	std::string accents;
	for (size_t i = 0; i < over.size() / 2; i++) accents += "\xc3\xa9";
	const std::string labelled(GAfile::sc_maxNameLength - 5, 'l');
	const auto refused = [](const std::string &what, const std::string &start, const std::string &suffix = "") {
		return what + " '" + start + "..." + suffix + "' is refused: its name holds 1024 bytes, more than the 1023 "
		                                             "bytes a scene file holds\n";
	};
	const std::string d40(40, 'd'), polygonName(GAfile::sc_maxNameLength - 3, 'p');
	const std::string one = "1.00000000000000000000e+00";
	// what is typed, what it prints, then lines the saved file holds for it
	const struct {
		std::string typed;
		std::string out;
		std::vector<std::string> written;
	} items[] = {
		// coordinates that are no number, and a label at such a point
		{"a = 1e308*e1 + 1e308*e1; b = sqrt(-1); n = -a; label(b, \"at b\");", noInterpretation,
		 {"e3ga \"a\" [inf*e1] hide magnitude shade \n", "e3ga \"b\" [-nan] hide magnitude shade \n",
		  "e3ga \"n\" [-inf*e1] hide magnitude shade \n", "label \"b_label\" \"b\" \"at b\" flag_3d flag_dynamic \n"}},
		// names of options, controls, constants and statements that are no identifiers
		{"ctrl_select(s = 2, \"a b\" = 1, c = 2); ctrl_bool(\"x y\" = 1); add_const(\"k k\" = e2);"
		 "dynamic{\"d n\" : dn = e3;}", "",
		 {"console ctrl_select(s = 2, \"a b\" = 1, c = 2);\n", "console ctrl_bool(\"x y\" = 1);\n",
		  "console default_model(e3ga); add_const(\"k k\" = 1*q2); default_model(c3ga);\n",
		  "console dynamic{\"d n\" : dn = e3;}\n"}},
		// names and texts beyond ASCII
		{"\"\xc3\xa9t\xc3\xa9\" = e1; label(\"\xc3\xa9t\xc3\xa9\", \"\xce\xbb\");", "",
		 {"e3ga \"\xc3\xa9t\xc3\xa9\" [1.00000000000000000000e+00*e1] hide magnitude shade \n",
		  "label \"\xc3\xa9t\xc3\xa9_label\" \"\xc3\xa9t\xc3\xa9\" \"\xce\xbb\" flag_3d flag_dynamic \n"}},
		// labels of values that are no variables stay where they are shown
		{"label(e1, \"t\"); label(e1 + e2, \"t4\");", "",
		 {"label \"e1_label\" [0] \"t\" flag_3d \n", "label \"temporary console variable _label\" [0] \"t4\" flag_3d \n"}},
		// constants that are no finite number, or of another model than the
		// default one, which the next row sets
		{"add_const(Kn = sqrt(-1)); add_const(Kp = -sqrt(-1)); add_const(Ki = 1e308*e1 + 1e308*e1 - e2);"
		 "add_const(Km = -Ki); add_const(Kq = -(Ki - Ki) + e3); default_model(p3ga); add_const(Kw = e0 + 0.5*e3);"
		 "default_model();", infiniteConstants("e1", "e2"),
		 {"console default_model(e3ga); add_const(Kn = (1e999 - 1e999)); default_model(c3ga);\n",
		  "console default_model(e3ga); add_const(Kp = -(1e999 - 1e999)); default_model(c3ga);\n",
		  "console default_model(e3ga); add_const(Ki = (1e308*q1 + 1e308*q1) + -1*q2); default_model(c3ga);\n",
		  "console default_model(e3ga); add_const(Km = -(1e308*q1 + 1e308*q1) + 1*q2); default_model(c3ga);\n",
		  "console default_model(e3ga); add_const(Kq = -((1e308*q1 + 1e308*q1) - (1e308*q1 + 1e308*q1)) + 1*e3); "
		  "default_model(c3ga);\n",
		  "console default_model(p3ga); add_const(Kw = 0.5*e3 + 1*e0); default_model(c3ga);\n"}},
		// what the closing console lines make again comes back as it is
		{"x = e1; dynamic{d = 2*x;} ctrl_bool(f = 1); default_model(c3ga);", "",
		 {"console dynamic{d = 2 * x;}\n", "e3ga \"d\" [2.00000000000000000000e+00*e1] restore magnitude shade \n",
		  "e3ga \"f\" [1.00000000000000000000e+00] restore magnitude shade \n",
		  "e3ga \"x\" [1.00000000000000000000e+00*e1] restore hide magnitude shade \n"}},
		// a "$" and a digit in names, texts and console lines, after a backslash or not
		{"\"v$1\" = e3; label(\"v$1\", \"a\\b \\$1 $2 \\\\$3\"); ctrl_bool(\"b\\$1\" = 1);", "",
		 {"c3ga \"v\\$1\" [1.00000000000000000000e+00*e3] hide shade \n",
		  "label \"v\\$1_label\" \"v\\$1\" \"a\\b \\\\$1 \\$2 \\\\\\$3\" flag_3d flag_dynamic \n",
		  "console ctrl_bool(\"b\\\\$1\" = 1);\n"}},
		// names longer than a scene file holds, or with a line end, are
		// refused where they are made, of every kind (a label's with the
		// suffix that makes it too long; a constant's before its value is
		// assigned); the longest it holds reads back
		{"\"r\rn\" = e2; \"" + over + "\" = e2; \"" + accents + "\" = e2; \"" + most + "\" = e2; " + labelled + " = e1; label(" +
		     labelled + ", \"t\"); add_const(\"" + over + "\" = 1); ctrl_bool(\"" + over + "\" = 1); dynamic{\"" + over +
		     "\" : y = e1;}",
		 "Object 'r...' is refused: its name holds a line end, which a line of a scene file can not hold\n" +
		     refused("Object", d40) + refused("Object", accents.substr(0, 40)) +
		     refused("Label", labelled.substr(0, 40), "_label") + refused("Constant", d40) +
		     refused("Console control", d40) + refused("Dynamic statement", d40),
		 {"c3ga \"" + most + "\" [" + one + "*e2] hide shade \n"}},
		// a static polygon keeps its coordinates, whatever its name and the
		// objects named like it; a vertex at -1 stays there
		{"cmd(\"e3ga pa [-1*e1]\"); cmd(\"e3ga pb [0.3333333333333333*e2]\"); cmd(\"e3ga pc [e3]\");"
		 "cmd(\"polygon P 3 pa pb pc\"); \"P vertex 0\" = 5*e3; cmd(\"polygon \\\"" +
		     polygonName + "\\\" 2 pa pb\");",
		 "",
		 {"polygon \"P\" 3 [-" + one + "*e1] [3.33333333333333314830e-01*e2] [" + one + "*e3] shade dm1\n",
		  "polygon \"" + polygonName + "\" 2 [-" + one + "*e1] [3.33333333333333314830e-01*e2] shade dm1\n"}},
		// no object beside a constant or a control's variable of its name
		{"add_const(K = 2); cmd(\"e3ga K [e1]\"); ctrl_select(\"c3\" = 3, c4 = 1); cmd(\"mesh c3\");",
		 "Object 'K' is refused: it is the name of a constant\n"
		 "Object 'c3' is refused: it is the name of a console control's variable\n",
		 {"console add_const(K = 2);\n"}},
		// a control is made only of a variable that a name could assign,
		// and none of its variables is made when it is refused
		{"ctrl_bool(1); ctrl_range(3, 0, 5); ctrl_range(K = 1, 0, 2, 1); ctrl_bool(K); ctrl_bool(no); ctrl_bool(-c4);"
		 "ctrl_select(sv = 1, \"" + over + "\" = 1, sb = 2); ctrl_select(sv = 1, sb = 2, 3); ctrl_select(sv = 1, K = 2);",
		 "ctrl_bool(): argument 1 is no variable's name; no control is made\n"
		 "ctrl_range(): argument 1 is no variable's name; no control is made\n"
		 "Console control 'K' is refused: it is the name of a constant\n"
		 "Console control 'K' is refused: it is the name of a constant\n"
		 "Console control 'no' is refused: it is the name of a constant\n"
		 "ctrl_bool(): argument 1 is no variable's name; no control is made\n" +
		     refused("Option of a console control", d40) +
		     "ctrl_select(): argument 3 is no variable's name; no control is made\n"
		     "Option of a console control 'K' is refused: it is the name of a constant\n",
		 {}},
		// a builtin constant takes no name that a control's variable, a
		// constant or a function holds, nor do two constants share one
		{"ctrl_bool(N = 1); rename_builtin_const(e3, N); add_const(Q = 2); rename_builtin_const(e3, Q);"
		 "add_const(KX = e3 + ni); rename_builtin_const(e3, X); rename_builtin_const(ni, X); rename_builtin_const(X, e3);"
		 "rename_builtin_const(ni, \"sqrt\"); rename_builtin_const(ni, \"c4\");",
		 "Constant 'N' is refused: it is the name of a console control's variable\n"
		 "Constant 'Q' is refused: it is the name of a constant\n"
		 "Constant 'X' is refused: it is the name of a constant\n"
		 "Constant 'sqrt' is refused: it is the name of a function\n"
		 "Constant 'c4' is refused: it is the name of a console control's variable\n",
		 {"console ctrl_bool(N = 1);\n", "console add_const(KX = 1*e3 + 1*ni);\n"}},
		// a dynamic polygon takes no coordinates, which name no object
		{"cmd(\"polygon R 3 [e1] pa [ e3 ] dynamic\"); cmd(\"simplex R 2 pa [e2] dynamic\");",
		 "warning: GAfile::parseLine(): file 'virtual console file.geo': coordinates [e1] [ e3 ] as vertices of a "
		 "dynamic polygon in 'polygon' entry at line '0'; the line is ignored\n"
		 "warning: GAfile::parseLine(): file 'virtual console file.geo': coordinates [e2] as vertices of a "
		 "dynamic polygon in 'simplex' entry at line '0'; the line is ignored\n",
		 {}},
		// a console line whose quoted names hold a backslash before a quote,
		// a "#" and bytes beyond ASCII
		{"\"a\\\\\"b\" = e1; \"b\xc3\xa9#\" = e2; dynamic{w = \"a\\\\\"b\" + \"b\xc3\xa9#\";}", "",
		 {"console dynamic{w = \"a\\\\\"b\" + \"b\xc3\xa9#\";}\n"}},
		// user functions before the statements that call them; one whose
		// call was read as a product, before its callee was a function, is
		// left out, and so is what calls it, and one that calls a function
		// only declared, which the file does not declare; a batch as well
		{"function early(x) { return later(x); } function later(x) { return 2*x; }"
		 "function sq2(x) { return x * x; } function usesEarly(x) { return early(x); } aa = 3;"
		 "dynamic{ds: yy = sq2(aa);} dynamic{dk: zk = later(2) + usesEarly(1);} dynamic{zu = 2 * usesEarly(aa);}"
		 "dynamic{dl: zl = notYet(2);} batch bLate(x) { zb = notYet(x); } function notYet(x) { return 3*x; }"
		 "batch bEarly(x) { early(x); }"
		 "function dOnly(x); function callsDOnly(x) { return dOnly(x); }",
		 "Added function early( x)\nAdded function later( x)\nAdded function sq2( x)\nAdded function usesEarly( x)\n"
		 "Added batch bLate( x)\nAdded function notYet( x)\nAdded batch bEarly( x)\nAdded function callsDOnly( x)\n",
		 {"console function later(x); function notYet(x); function sq2(x);\nconsole function later(x) {return 2 * x;}\n"
		  "console function notYet(x) {return 3 * x;}\nconsole function sq2(x) {return x * x;}\n"}},
		// a function takes no name of a control's variable, nor a control a
		// function's or the camera's, which stays where it is
		{"ctrl_bool(bb = 1); function bb(x) { return x; } ctrl_bool(\"sq2\" = 1); ctrl_bool(sq2 = 1);"
		 "ctrl_range(campos = 0.5, 0, 1); ctrl_bool(camori = 0);",
		 "Function 'bb' is refused: it is the name of a console control's variable\n"
		 "Console control 'sq2' is refused: it is the name of a function\n"
		 "Console control 'sq2' is refused: it is the name of a function\n"
		 "Console control 'campos' is refused: it is the name of the camera's variable\n"
		 "Console control 'camori' is refused: it is the name of the camera's variable\n",
		 {"console ctrl_bool(bb = 1);\n", "eyepos [1.10000000000000000000e+01*e3]\neyeori [0]\n"}},
		// builtin constants renamed, before anything uses the new names: a
		// statement, constants in the new names and one under a freed first
		// name; two constants that swap names go through names of their own
		{"add_const(K3 = 1/3*e1); rename_builtin_const(e1, q1); rename_builtin_const(e2, q2); add_const(e2);"
		 "dynamic{dq = 2*q1;} rename_builtin_const(go, t); rename_builtin_const(gi, go); rename_builtin_const(t, gi);",
		 "",
		 {"eyeori [0]\nconsole default_model(c3ga);\n"
		  "console rename_builtin_const(go, \"go renamed\");\nconsole rename_builtin_const(gi, \"gi renamed\");\n"
		  "console rename_builtin_const(e1, q1);\nconsole rename_builtin_const(e2, q2);\n"
		  "console rename_builtin_const(\"go renamed\", gi);\nconsole rename_builtin_const(\"gi renamed\", go);\n",
		  "console dynamic{dq = 2 * q1;}\n", "console add_const(K3 = 0.3333333333333333*q1);\n",
		  "console default_model(e3ga); add_const(e2 = 0); default_model(c3ga);\n"}},
		// the console's answer, which every console line removes
		{"no,", "ans = 1.00*no\n", {"c3ga \"ans\" [1.00000000000000000000e+00*no] restore shade \n"}},
	};
	for (const auto &item : items) EXPECT_EQ(typed(item.typed.c_str()), item.out) << item.typed.substr(0, 200);
	// the user recolours and shows what the console lines make again
	for (const char *name : {"d", "f", "dn", "a b"}) {
		object *obj = m_state.getObjectPtrByName(name);
		EXPECT_NE(obj, nullptr) << name;
		const float c[4] = {0.25f, 0.5f, 0.75f, 1.0f};
		if (obj != nullptr) obj->setFgColor(c);
		if (obj != nullptr) obj->show();
	}
	std::string text;
	EXPECT_EQ(output([&] { text = saved(); }),
	          "Batch 'bEarly( x)' is not saved: it calls 'early', which is not saved\n"
	          "Batch 'bLate( x)' is not saved: its text does not read back as the same batch\n"
	          "Function 'callsDOnly( x)' is not saved: its text does not read back as the same function\n"
	          "Function 'early( x)' is not saved: its text does not read back as the same function\n"
	          "Function 'usesEarly( x)' is not saved: it calls 'early', which is not saved\n"
	          "Dynamic statement 'dk' is not saved: it calls 'usesEarly', which is not saved\n"
	          "Dynamic statement 'zu = 2 * usesEarly(aa);' is not saved: it calls 'usesEarly', which is not saved\n"
	          "Dynamic statement 'dl' is not saved: its text does not read back as the same statement\n");
	for (const char *leftOut : {"early", "usesEarly", "dk", "dl", "Early", "bLate", "dOnly"})
		EXPECT_EQ(text.find(leftOut), std::string::npos) << leftOut;
	// the controls made, each of a variable that a name assigns
	const auto controls = [&] {
		std::string names;
		for (const consoleControl *cc : m_state.m_consoleControls) names += std::string(cc->m_name) + ";";
		return names;
	};
	EXPECT_EQ(controls(), "s;x y;f;b\\$1;c3;N;bb;");
	for (const char *none : {"sv", "sb", "R"}) EXPECT_FALSE(has(none)) << none;
	// opened in the same program, as Replay does: its new scene knows the
	// builtin constants by their first names again, as a new program does;
	// no statement ends, which would remove the answer
	for (const auto &item : items)
		for (const std::string &l : item.written) EXPECT_NE(text.find("\n" + l), std::string::npos) << l;
	const std::map<std::string, std::string> objects = savedObjectLines(m_state);

	// opened with arguments, which none of its "$" stands for
	char arg1[] = "one", arg2[] = "two", arg3[] = "three", *args[] = {arg1, arg2, arg3};
	m_state.openGAfile(m_dir.file("saved.geo").c_str(), 3, args, -1);
	// read without a message of its own: the statement runs in the saved
	// scene's model, and the values are what they were
	EXPECT_EQ(tick(), noInterpretation +
	                      "Added function later( x)\nAdded function notYet( x)\nAdded function sq2( x)\nCoerced 'x' to c3ga\n" +
	                      infiniteConstants("q1", "q2"));
	// nothing runs again that would change what came back
	m_state.updateDynStmts();
	EXPECT_EQ(savedObjectLines(m_state), objects);
	EXPECT_EQ(saved(), text);
	EXPECT_EQ(controls(), "s;x y;f;b\\$1;c3;N;bb;");
	// the values that two things once held come back as they were, and a
	// refused function's name is a variable's again
	EXPECT_EQ(typed("N, KX, Q, bb = 0,"), "ans = 1.00\nans = 1.00*e3 + 1.00*ni\nans = 2.00\nbb = 0\n");
	// the renamed constant is one, and the function is called
	EXPECT_EQ(typed("q1 = e3; aa = 4;"), "Error: Attempt to use 'q1' as lhs value in function assign\n"
	                                     "Error: no function 'assign' found that matches the arguments\n");
	EXPECT_EQ(value("dq"), "2*q1");
	EXPECT_EQ(value("yy"), "16");
	consoleGlobalScope::restoreBuiltinNames();
}

TEST_F(sceneWriter, ImageLabelsKeepTheirImageWhereverTheSceneIsOpened)
{
	ASSERT_EQ(mkdir(m_dir.file("sub").c_str(), 0755), 0);
	const std::vector<unsigned char> grey(2 * 2 * 3, 128);
	ASSERT_EQ(savePNG(m_dir.file("sub/rgb.png").c_str(), grey.data(), 2, 2), 0);
	// a picture outside the folder of the scene
	const std::string top = m_dir.file("top.png");
	ASSERT_EQ(savePNG(top.c_str(), grey.data(), 2, 2), 0);
	// the label is read beside its file, whatever a console line before it did
	for (const std::string before : {"", "console default_model(c3ga);\n"}) {
		write("sub/imgs.geo", before + "label \"im\" [10*e1 + 10*e2] \"rgb.png\" image 2d px py width=80\nlabel top [e1] \"" +
		                          top + "\" image\n");
		std::string image;
		auto expectImage = [&](const char *when) {
			const textObject *t = dynamic_cast<const textObject *>(m_state.getObjectPtrByName("im"));
			ASSERT_NE(t, nullptr) << before << when;
			EXPECT_TRUE(t->m_flags & LF_IMAGE) << before << when;
			EXPECT_EQ(std::string(t->m_text), image) << before << when;
		};
		// opened and saved by names relative to the scratch directory
		{
			workingIn scratch(m_dir.path);
			image = workingIn::now() + "/sub/rgb.png";
			open("sub/imgs.geo");
			tick();
			expectImage(" opened");
			EXPECT_EQ(m_state.writeStateToGeoFile("sub/saved.geo"), 0);
		}
		// opened again from its own directory, and saved once more
		{
			workingIn sub(m_dir.file("sub"));
			open("saved.geo");
			tick();
			expectImage(" reopened");
			EXPECT_EQ(m_state.writeStateToGeoFile("again.geo"), 0);
		}
		const bytes first = readFile(m_dir.file("sub/saved.geo"));
		EXPECT_EQ(readFile(m_dir.file("sub/again.geo")), first) << before;
		// the picture in the saved file's folder by its name there, the
		// other by its absolute name
		const std::string text(first.begin(), first.end());
		EXPECT_NE(text.find(" \"rgb.png\" flag_2d "), std::string::npos) << text;
		EXPECT_NE(text.find(" \"" + top + "\" flag_image"), std::string::npos) << text;
		// the folder moved: its scene opens with its picture, and is saved
		// as the same file
		ASSERT_EQ(std::rename(m_dir.file("sub").c_str(), m_dir.file("moved").c_str()), 0);
		{
			workingIn moved(m_dir.file("moved"));
			image = workingIn::now() + "/rgb.png";
			EXPECT_EQ(open("saved.geo"), "Animation is already stopped\n") << before;
			EXPECT_EQ(tick(), "") << before;
			expectImage(" moved");
			EXPECT_EQ(m_state.writeStateToGeoFile("again.geo"), 0);
		}
		EXPECT_EQ(readFile(m_dir.file("moved/again.geo")), first) << before;
		ASSERT_EQ(std::rename(m_dir.file("moved").c_str(), m_dir.file("sub").c_str()), 0);
	}
}

TEST_F(sceneWriter, FilesThatCannotBeWrittenAreReported)
{
	const std::string missing = m_dir.file("none/scene.geo");
	EXPECT_EQ(output([&] { EXPECT_EQ(m_state.writeStateToGeoFile(missing.c_str()), -1); }),
	          "state::writeStateToGeoFile(): can not open '" + missing + "' for writing: no such file or directory\n");
	// a full disk shows as the file is closed
	const std::string full = m_dir.file("full.geo");
	{
		fullDisk disk;
		EXPECT_EQ(output([&] { EXPECT_EQ(m_state.writeStateToGeoFile(full.c_str()), -1); }),
		          "state::writeStateToGeoFile(): error while writing '" + full + "'.\n");
	}
	// a device is no file to save in, and is left alone
	EXPECT_EQ(output([&] { EXPECT_EQ(m_state.writeStateToGeoFile("/dev/full"), -1); }),
	          "Scene not saved: '/dev/full' is not a regular file\n");
	// nor is a playlist's name or a console source file's, in any case,
	// which an open would read as that: nothing is written, a file there
	// is left as it was
	const std::string kept = write("kept.gpl", "play a.geo\n"), keptSource = write("kept.g", "a = 1;\n");
	const std::string playlist = "' is a playlist's name: every open plays a '",
	                  source = "' is a console source file's name: Open reads a '";
	const struct {
		std::string name, kind, as;
	} refused[] = {
	    {m_dir.file("saved.gpl"), playlist, ".gpl' file as a playlist"},
	    {m_dir.file("SAVED.Gpl"), playlist, ".Gpl' file as a playlist"},
	    {kept, playlist, ".gpl' file as a playlist"},
	    {m_dir.file("saved.g"), source, ".g' file as console source"},
	    {m_dir.file("SAVED.G"), source, ".G' file as console source"},
	    {keptSource, source, ".g' file as console source"},
	};
	for (const auto &r : refused)
		EXPECT_EQ(output([&] { EXPECT_EQ(m_state.writeStateToGeoFile(r.name.c_str()), -1); }),
		          "Scene not saved: '" + r.name + r.kind + r.as + ", never as a scene; save the scene as a '.geo' file\n");
	const std::string play = "play a.geo\n", statement = "a = 1;\n";
	EXPECT_EQ(readFile(kept), bytes(play.begin(), play.end()));
	EXPECT_EQ(readFile(keptSource), bytes(statement.begin(), statement.end()));
	for (const char *name : {"saved.gpl", "SAVED.Gpl", "saved.g", "SAVED.G"})
		EXPECT_FALSE(std::filesystem::exists(m_dir.file(name))) << name;
}

// A builtin constant holds its name: a constant of that name, which it
// would hide, and whose saved line could not assign it, is refused, the
// builtin's name after a rename too. A name that a rename freed makes a
// constant, saved after the renames; opened and saved again, the scene is
// the same.
TEST_F(sceneWriter, AConstantTakesNoBuiltinConstantsName)
{
	const char *refusedPi = "Constant 'pi' is refused: it is the name of a constant\n";
	EXPECT_EQ(typed("add_const(pi); add_const((\"e_\")); rename_builtin_const(e_, E); add_const(E); pi, E,"),
	          std::string(refusedPi) + "Constant 'e_' is refused: it is the name of a constant\n"
	                                   "Constant 'E' is refused: it is the name of a constant\n"
	                                   "ans = 3.14\nans = 2.72\n");
	EXPECT_EQ(typed("rename_builtin_const(pi, PI); pi = 3; add_const(pi); add_const(e_ = E + 1);"
	                "rename_builtin_const(PI, pi);"),
	          refusedPi);
	const std::string values = "ans = 3.00\nans = 3.14\nans = 2.72\nans = 3.72\n";
	EXPECT_EQ(typed("pi, PI, E, e_,"), values);
	const std::string text = saved();
	EXPECT_NE(text.find("\nconsole rename_builtin_const(pi, PI);\nconsole rename_builtin_const(e_, E);\n"
	                    "console add_const(e_ = 3.718281828459045);\nconsole add_const(pi = 3);\n"),
	          std::string::npos)
	    << text;
	open(m_dir.file("saved.geo"));
	EXPECT_EQ(tick(), "");
	EXPECT_EQ(typed("pi, PI, E, e_,"), values);
	EXPECT_EQ(saved(), text);
	consoleGlobalScope::restoreBuiltinNames();
}

// The answer that the first run of a dynamic statement showed, failed or
// not, and that a later statement removed, is not in the opened scene
// either: saved, opened and saved again, the scene is the same. A
// statement that shows nothing leaves no answer to remove.
TEST_F(sceneWriter, AnAnswerRemovedStaysRemoved)
{
	const struct {
		const char *statement;
		bool shows;
	} items[] = {{"dynamic{dk a = 1,}", true}, {"dynamic{1 + 2,}", true}, {"dynamic{w = 2;}", false}};
	for (const auto &item : items) {
		output([&] { m_state.reset(); });
		typed(item.statement);
		EXPECT_EQ(has("ans"), item.shows) << item.statement;
		typed("x = 0.5,");
		const std::string text = saved();
		EXPECT_EQ(text.find("\nremove ans\n") != std::string::npos, item.shows) << item.statement;
		const std::map<std::string, std::string> objects = savedObjectLines(m_state);
		open(m_dir.file("saved.geo"));
		tick();
		m_state.updateDynStmts();
		EXPECT_FALSE(has("ans")) << item.statement;
		EXPECT_EQ(savedObjectLines(m_state), objects) << item.statement;
		EXPECT_EQ(saved(), text) << item.statement;
	}
}

// What clf() took from under a dynamic statement stays gone in the opened
// scene, though the statement's first run there makes it again (reading
// the name that is gone as 0); the statement stays, and runs when what it
// reads is set.
TEST_F(sceneWriter, WhatClfTookStaysGone)
{
	// an array that a statement reads, of which an element is held, is not
	// gone; nor are the constants it reads, which no object holds
	for (const char *command : {"add_const(K = 0);", "x = e1,", "dynamic{P: p = c3ga_point(x + K*e2 + pi*e3),}", "clf()",
	                            "y = e2,", "a[1] = e3; dynamic{q = a[1];}"})
		typed(command);
	const std::string text = saved();
	EXPECT_NE(text.find("\nconsole dynamic{P : p = c3ga_point(x + K * e2 + pi * e3),}\nconsole dynamic{q = a[1];}\n"
	                    "console add_const(K = 0);\nremove \"p\" restore\nremove \"x\" restore\nfgcolor"),
	          std::string::npos)
	    << text;
	const std::map<std::string, std::string> objects = savedObjectLines(m_state);
	open(m_dir.file("saved.geo"));
	tick();
	m_state.updateDynStmts();
	EXPECT_EQ(savedObjectLines(m_state), objects);
	EXPECT_EQ(saved(), text);
	typed("x = e3;");
	EXPECT_TRUE(has("p"));
}

} // namespace
